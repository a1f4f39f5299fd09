#include "FenEntreeTexte.h"

#include "FenChoixEcriture.h"
#include "ZoneTexte.h"
#include "icone.h"
#include "lignes.h"
#include "menus.h"
#include "reglages.h"
#include "textesfenetre.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The option rules lengthen some labels with " (incochable)": the button asks
// the layout for that width from the start, so that the longer text is never cut.
void reserverLargeur(QAbstractButton *bouton, const QString &texteLePlusLong)
{
    const QString texte = bouton->text();
    bouton->setText(texteLePlusLong);
    bouton->setMinimumWidth(bouton->sizeHint().width());
    bouton->setText(texte);
}

} // namespace

FenEntreeTexte::FenEntreeTexte()
{
    setWindowTitle(u"Le Scribolix !"_s);
    setWindowIcon(iconeFenetre());

    creerMenus();
    creerControles();
    creerRaccourcis();
    chargerCases();
    assemblerFenetre();
    connecterSignaux();
}

FenEntreeTexte::~FenEntreeTexte()
{
    // An editor keeps the cells in its form while it lives and hands them back
    // when it goes. Editors are our children, so let them go first; the cells
    // that then have no parent are ours to delete, any other is owned elsewhere.
    std::array<QPointer<QLineEdit>, nombreLettres> restantes;
    std::copy(cases.cbegin(), cases.cend(), restantes.begin());
    qDeleteAll(findChildren<FenChoixEcriture *>(Qt::FindDirectChildrenOnly));
    for (const QPointer<QLineEdit> &cellule : restantes) {
        if (cellule && !cellule->parent())
            delete cellule.data();
    }
}

void FenEntreeTexte::creerMenus()
{
    menuEcritures = menuBar()->addMenu(u"&Écritures"_s);
    menuEcritures->setObjectName(u"menuEcritures"_s);
    actionEcritureVelmora = ajouterAction(menuEcritures, u"Écriture de Velmora"_s,
                                          u"actionEcritureVelmora"_s, u"Ctrl+M"_s);
    actionEcritureKorvane = ajouterAction(menuEcritures, u"Écriture de Korvane"_s,
                                          u"actionEcritureKorvane"_s, u"Ctrl+R"_s);

    menuQuestion = menuBar()->addMenu(u"&?"_s);
    menuQuestion->setObjectName(u"menuQuestion"_s);
    actionModeEmploi =
        ajouterAction(menuQuestion, u"Mode d'emploi"_s, u"actionModeEmploi"_s, u"Ctrl+E"_s);
    // F1 as well, the usual key for help. A menu shows one shortcut only, so
    // the entry's text names both; the text before the tab is unchanged.
    actionModeEmploi->setShortcuts({actionModeEmploi->shortcut(), QKeySequence(Qt::Key_F1)});
    actionModeEmploi->setText(u"Mode d'emploi\tCtrl+E, F1"_s);
    actionAPropos =
        ajouterAction(menuQuestion, u"À Propos du Scribolix"_s, u"actionAPropos"_s, u"Ctrl+P"_s);
}

void FenEntreeTexte::creerControles()
{
    zoneCentrale = new QWidget(this);
    zoneCentrale->setObjectName(u"zoneCentrale"_s);

    labelBienvenue = new QLabel(
        u"<center><strong>Bienvenue dans le Scribolix !<br /></strong></center>"_s, zoneCentrale);
    labelBienvenue->setObjectName(u"labelBienvenue"_s);

    groupeType = new QGroupBox(u"Type de traduction"_s, zoneCentrale);
    groupeType->setObjectName(u"groupeType"_s);
    radioVelmora = new QRadioButton(u"Écriture de &Velmora"_s, groupeType);
    radioVelmora->setObjectName(u"radioVelmora"_s);
    radioKorvane = new QRadioButton(u"Écriture de &Korvane"_s, groupeType);
    radioKorvane->setObjectName(u"radioKorvane"_s);
    radioPerso = new QRadioButton(textePersonnalisee, groupeType);
    radioPerso->setObjectName(u"radioPerso"_s);
    reserverLargeur(radioPerso, textePersonnaliseeIncochable);
    boutonPersonnaliser = new QPushButton(u"Personnaliser..."_s, groupeType);
    boutonPersonnaliser->setObjectName(u"boutonPersonnaliser"_s);
    boutonPersonnaliser->setEnabled(false);
    caseMettreEspaces = new QCheckBox(u"&Mettre des espaces entre les lettres"_s, groupeType);
    caseMettreEspaces->setObjectName(u"caseMettreEspaces"_s);
    caseSupprimerEspaces = new QCheckBox(u"&Supprimer les espaces entre les lettres"_s, groupeType);
    caseSupprimerEspaces->setObjectName(u"caseSupprimerEspaces"_s);
    caseDoublerAntiSlashs = new QCheckBox(u"&Doubler les anti-slashs"_s, groupeType);
    caseDoublerAntiSlashs->setObjectName(u"caseDoublerAntiSlashs"_s);
    creerControlesLecture();

    groupeSens = new QGroupBox(u"Sens de conversion"_s, zoneCentrale);
    groupeSens->setObjectName(u"groupeSens"_s);
    radioFrancaisLeet = new QRadioButton(u"&Français vers leet"_s, groupeSens);
    radioFrancaisLeet->setObjectName(u"radioFrancaisLeet"_s);
    radioLeetFrancais = new QRadioButton(texteLeetFrancais, groupeSens);
    radioLeetFrancais->setObjectName(u"radioLeetFrancais"_s);
    reserverLargeur(radioLeetFrancais, texteLeetFrancaisIncochable);

    groupeTexte = new QGroupBox(u"&Texte à traduire"_s, zoneCentrale);
    groupeTexte->setObjectName(u"groupeTexte"_s);
    zoneTexte = new ZoneTexte(groupeTexte);
    zoneTexte->setObjectName(u"zoneTexte"_s);
    couperLesLonguesSuites(zoneTexte);
    zoneTexte->setHtml(texteInvite);
    marquerInvite();

    boutonQuitter = new QPushButton(u"Quitter"_s, zoneCentrale);
    boutonQuitter->setObjectName(u"boutonQuitter"_s);
    boutonQuitter->setToolTip(u"Quitter (Ctrl+Q)"_s);
    labelVide = new QLabel(zoneCentrale);
    labelVide->setObjectName(u"labelVide"_s);
    boutonTraduire = new QPushButton(u"Traduire !"_s, zoneCentrale);
    boutonTraduire->setObjectName(u"boutonTraduire"_s);
    boutonTraduire->setToolTip(u"Traduire ! (Ctrl+Entrée)"_s);
}

// Keys for the two buttons, from anywhere in the window, the text box
// included: Ctrl+Entrée on the main keyboard or the keypad, and Ctrl+Q.
void FenEntreeTexte::creerRaccourcis()
{
    actionTraduire = new QAction(this);
    actionTraduire->setObjectName(u"actionTraduire"_s);
    actionTraduire->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    addAction(actionTraduire);

    actionQuitter = new QAction(this);
    actionQuitter->setObjectName(u"actionQuitter"_s);
    actionQuitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(actionQuitter);
}

// Two cursors follow the prompt through the user's edits: text typed or
// pasted before it pushes both along, text added right after it leaves the
// end where it is, so that the prompt can be told apart from the user's text.
void FenEntreeTexte::marquerInvite()
{
    debutInvite = QTextCursor(zoneTexte->document());
    finInvite = QTextCursor(zoneTexte->document());
    finInvite.movePosition(QTextCursor::End);
    finInvite.setKeepPositionOnInsert(true);
}

void FenEntreeTexte::chargerCases()
{
    // The cells have no parent: the style editor shows them in its own form.
    cases = creerCases();
    const Glyphes conserves = glyphesConserves();
    for (int i = 0; i < nombreLettres; ++i)
        cases[i]->setText(conserves[i]);
}

void FenEntreeTexte::assemblerFenetre()
{
    layoutPerso = new QHBoxLayout;
    layoutPerso->addWidget(radioPerso);
    layoutPerso->addWidget(boutonPersonnaliser);

    layoutType = new QVBoxLayout(groupeType);
    layoutType->addWidget(radioVelmora);
    layoutType->addWidget(radioKorvane);
    layoutType->addWidget(radioCourante);
    layoutType->addLayout(layoutPerso);
    layoutType->addWidget(caseMettreEspaces);
    layoutType->addWidget(caseSupprimerEspaces);
    layoutType->addWidget(caseDoublerAntiSlashs);
    layoutType->addWidget(caseRetablirMots);

    layoutSens = new QVBoxLayout(groupeSens);
    layoutSens->addWidget(radioFrancaisLeet);
    layoutSens->addWidget(radioLeetFrancais);

    layoutTexte = new QVBoxLayout(groupeTexte);
    layoutTexte->addWidget(zoneTexte);

    layoutBoutons = new QGridLayout;
    layoutBoutons->addWidget(boutonQuitter, 0, 0);
    layoutBoutons->addWidget(labelVide, 0, 1);
    layoutBoutons->addWidget(boutonTraduire, 0, 2);

    layoutPrincipal = new QVBoxLayout(zoneCentrale);
    layoutPrincipal->addWidget(labelBienvenue);
    layoutPrincipal->addWidget(groupeType);
    layoutPrincipal->addWidget(groupeSens);
    layoutPrincipal->addWidget(groupeTexte);
    layoutPrincipal->addLayout(layoutBoutons);

    setCentralWidget(zoneCentrale);
}

void FenEntreeTexte::connecterSignaux()
{
    connect(actionEcritureVelmora, &QAction::triggered, this, &FenEntreeTexte::ecritureVelmora);
    connect(actionEcritureKorvane, &QAction::triggered, this, &FenEntreeTexte::ecritureKorvane);
    connect(actionModeEmploi, &QAction::triggered, this, &FenEntreeTexte::modeEmploi);
    connect(actionAPropos, &QAction::triggered, this, &FenEntreeTexte::aPropos);
    // Radio buttons answer released(), not toggled(): the rules run again on
    // every release, also when the button was already checked or when the
    // pointer left it before the mouse button went up.
    connect(radioVelmora, &QRadioButton::released, this, &FenEntreeTexte::testVelmora);
    connect(radioKorvane, &QRadioButton::released, this, &FenEntreeTexte::testKorvane);
    connect(radioPerso, &QRadioButton::released, this, &FenEntreeTexte::testPerso);
    connect(radioPerso, &QRadioButton::released, this, &FenEntreeTexte::griserLeetFr);
    connect(this, &FenEntreeTexte::slotGriserBouton, this, &FenEntreeTexte::griserBouton);
    connect(this, &FenEntreeTexte::slotDegriserBouton, this, &FenEntreeTexte::degriserBouton);
    connect(boutonPersonnaliser, &QPushButton::clicked, this,
            &FenEntreeTexte::personnaliserEcriture);
    connect(radioFrancaisLeet, &QRadioButton::released, this,
            &FenEntreeTexte::degriserPersonnaliser);
    connect(radioLeetFrancais, &QRadioButton::released, this, &FenEntreeTexte::griserPersonnaliser);
    connect(zoneTexte, &QTextEdit::selectionChanged, this, &FenEntreeTexte::effacerTexte);
    connect(boutonQuitter, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    connect(boutonTraduire, &QPushButton::clicked, this, &FenEntreeTexte::traduire);
    // The keys press the buttons, so that they do exactly what a click does.
    connect(actionTraduire, &QAction::triggered, boutonTraduire, &QAbstractButton::click);
    connect(actionQuitter, &QAction::triggered, boutonQuitter, &QAbstractButton::click);
    connecterLecture();
}

void FenEntreeTexte::personnaliserEcriture()
{
    styleValide = false;
    auto *editeur = new FenChoixEcriture(&cases, &styleValide, this);
    editeur->show();
}
