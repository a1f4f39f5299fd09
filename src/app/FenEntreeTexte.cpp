#include "FenEntreeTexte.h"

#include "FenChoixEcriture.h"
#include "FenTexteTraduit.h"
#include "ZoneTexte.h"
#include "curseur.h"
#include "icone.h"
#include "lignes.h"
#include "menus.h"
#include "reglages.h"
#include "traduction.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString texteInvite = u"Entrez le texte à traduire ici..."_s;

const QString textePersonnalisee = u"Écriture &Personnalisée"_s;
const QString textePersonnaliseeIncochable = u"Écriture &Personnalisée (incochable)"_s;
const QString texteLeetFrancais = u"&Leet vers français"_s;
const QString texteLeetFrancaisIncochable = u"&Leet vers français (incochable)"_s;

// The option rules lengthen some labels with " (incochable)": the button asks
// the layout for that width from the start, so that the longer text is never cut.
void reserverLargeur(QAbstractButton *bouton, const QString &texteLePlusLong)
{
    const QString texte = bouton->text();
    bouton->setText(texteLePlusLong);
    bouton->setMinimumWidth(bouton->sizeHint().width());
    bouton->setText(texte);
}

// A modal window takes the keyboard from the main window; when it closes, the
// window manager, or the toolkit when there is none, need not give it back.
// While it lives, this remembers where the focus was, and then puts it back
// there, the main window active again.
class RetourDuFocus
{
public:
    explicit RetourDuFocus(QWidget *fenetre) : fenetre(fenetre), focus(fenetre->focusWidget()) {}
    ~RetourDuFocus()
    {
        if (!fenetre)
            return;
        fenetre->activateWindow();
        if (focus)
            focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    RetourDuFocus(const RetourDuFocus &) = delete;
    RetourDuFocus &operator=(const RetourDuFocus &) = delete;

private:
    QPointer<QWidget> fenetre;
    QPointer<QWidget> focus;
};

QFrame *creerSeparateur(QFrame::Shape forme)
{
    auto *ligne = new QFrame;
    ligne->setFrameShape(forme);
    return ligne;
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
    layoutType->addLayout(layoutPerso);
    layoutType->addWidget(caseMettreEspaces);
    layoutType->addWidget(caseSupprimerEspaces);
    layoutType->addWidget(caseDoublerAntiSlashs);

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
}

void FenEntreeTexte::ecritureVelmora()
{
    afficherEcriture(Style::Velmora);
}

void FenEntreeTexte::ecritureKorvane()
{
    afficherEcriture(Style::Korvane);
}

void FenEntreeTexte::afficherEcriture(Style style)
{
    const QString nom = style == Style::Velmora ? u"Velmora"_s : u"Korvane"_s;
    auto *fenetre = new QWidget(this, Qt::Tool);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(nom);

    auto *entete = new QLabel(
        u"<center><strong><u>Style d'écriture de %1 :</u></strong></center><br />"_s.arg(nom));

    // Four columns, A to G, H to N, O to U and V to Z, each entry read from
    // the engine's own table so that the window can never disagree with it.
    constexpr int debutsColonnes[] = {0, 7, 14, 21, nombreLettres};
    auto *layoutColonnes = new QHBoxLayout;
    for (int colonne = 0; colonne < 4; ++colonne) {
        if (colonne > 0)
            layoutColonnes->addWidget(creerSeparateur(QFrame::VLine));
        QStringList entrees;
        for (int lettre = debutsColonnes[colonne]; lettre < debutsColonnes[colonne + 1]; ++lettre)
            entrees << alphabet[lettre] + u"  :  "_s + glyphe(style, lettre);
        auto *labelColonne = new QLabel(entrees.join(u"\n\n"_s));
        labelColonne->setTextFormat(Qt::PlainText);
        layoutColonnes->addWidget(labelColonne);
    }

    auto *layoutEcriture = new QVBoxLayout(fenetre);
    layoutEcriture->addWidget(entete);
    layoutEcriture->addLayout(layoutColonnes);
    fenetre->show();
}

void FenEntreeTexte::modeEmploi()
{
    auto *fenetre = new QWidget;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(u"Mode d'emploi du Scribolix"_s);

    const QStringList morceaux = {
        u"<center><strong><u>Ce logiciel va traduire un texte en français en leet et "
        u"inversement,voici quelques explications :</u></strong></center>"_s,
        QString(),
        u"<strong>-Écriture de Velmora :</strong> Si vous choisissez ce type, le logiciel va "
        u"traduire vos textes avec le style"_s,
        u"d'écriture de Velmora, que vous pouvez aller consulter dans la partie \"Écritures\"."_s,
        u"<strong>-Écriture de Korvane :</strong> Même chose que pour Velmora."_s,
        u"<strong>-Doubler les anti-slashs :</strong> Si vous cochez cette case, les anti-slashs "
        u"\"  \" seront doublés."_s,
        QString(),
        u"<strong>-Mettres des espaces / Supprimer les espaces :</strong> Ces deux options vont "
        u"de pair : Certaines fois,"_s,
        u"il peut y avoir des problèmes avec la traduction (ex : avec \"|_|_|_|\"), si les "
        u"lettres sont séparées par des espaces alors,"_s,
        u"il n'y aura pas de problèmes durant la traduction Leet->Français et vous pourrez ainsi "
        u"choisir de supprimer les espaces inutiles."_s,
    };
    auto *texte = new QLabel(morceaux.join(u"<br />"_s));

    auto *layoutAide = new QVBoxLayout(fenetre);
    layoutAide->addWidget(texte);
    fenetre->show();
}

void FenEntreeTexte::aPropos()
{
    auto *fenetre = new QWidget;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(u"À Propos du Scribolix"_s);

    auto *texte = new QLabel(
        u"<center><strong>Le Scribolix</strong> version %1<br /><br />"
        u"Traduit vos textes du français vers le leet "
        u"et du leet vers le français.<br /><br />"
        u"Écrit par les développeurs du Scribolix.<br />"
        u"Logiciel libre sous licence GPL-3.0-or-later "
        u"(GNU GPL version 3 ou ultérieure).</center>"_s.arg(QStringLiteral(SCRIBOLIX_VERSION)));

    auto *layoutOk = new QGridLayout;
    auto *boutonOk = new QPushButton(u"OK"_s);
    layoutOk->addWidget(new QLabel, 0, 0);
    layoutOk->addWidget(boutonOk, 0, 1);

    auto *layoutAPropos = new QVBoxLayout(fenetre);
    layoutAPropos->addWidget(texte);
    layoutAPropos->addWidget(creerSeparateur(QFrame::HLine));
    layoutAPropos->addLayout(layoutOk);

    connect(boutonOk, &QPushButton::clicked, fenetre, &QWidget::close);
    fenetre->show();
}

void FenEntreeTexte::testVelmora()
{
    emit slotGriserBouton();
    if (!radioLeetFrancais->isCheckable()) {
        radioLeetFrancais->setCheckable(true);
        radioLeetFrancais->setText(texteLeetFrancais);
    }
}

void FenEntreeTexte::testKorvane()
{
    testVelmora();
}

void FenEntreeTexte::testPerso()
{
    if (radioPerso->isChecked())
        emit slotDegriserBouton();
}

void FenEntreeTexte::griserLeetFr()
{
    if (radioPerso->isChecked()) {
        radioLeetFrancais->setCheckable(false);
        radioLeetFrancais->setText(texteLeetFrancaisIncochable);
    }
}

void FenEntreeTexte::griserPersonnaliser()
{
    if (radioLeetFrancais->isChecked()) {
        radioPerso->setCheckable(false);
        radioPerso->setText(textePersonnaliseeIncochable);
    }
}

void FenEntreeTexte::degriserPersonnaliser()
{
    radioPerso->setCheckable(true);
    radioPerso->setText(textePersonnalisee);
}

void FenEntreeTexte::griserBouton()
{
    boutonPersonnaliser->setEnabled(false);
}

void FenEntreeTexte::degriserBouton()
{
    boutonPersonnaliser->setEnabled(true);
}

void FenEntreeTexte::personnaliserEcriture()
{
    styleValide = false;
    auto *editeur = new FenChoixEcriture(&cases, &styleValide, this);
    editeur->show();
}

void FenEntreeTexte::traduire()
{
    QString texte = zoneTexte->document()->toPlainText();
    // Until the first selection the prompt may still stand beside what the
    // user typed or pasted: only the user's text is translated. A box holding
    // nothing but the prompt is translated as it is.
    if (premiereSelection && texte != texteInvite) {
        const QTextCursor invite = inviteIntacte();
        if (!invite.isNull())
            texte.remove(invite.selectionStart(), invite.selectionEnd() - invite.selectionStart());
    }

    if (!radioVelmora->isChecked() && !radioKorvane->isChecked() && !radioPerso->isChecked()) {
        afficherErreur(u"<strong>Erreur</strong>, vous n'avez pas choisi le type de traduction."_s);
        return;
    }
    if (!radioFrancaisLeet->isChecked() && !radioLeetFrancais->isChecked()) {
        afficherErreur(
            u"<strong>Erreur</strong>, vous n'avez pas indiqué le sens de conversion."_s);
        return;
    }
    if (texteVide(texte)) {
        afficherErreur(u"<strong>Erreur</strong>, vous n'avez pas entré de texte."_s);
        return;
    }

    Demande demande;
    demande.ecriture = radioVelmora->isChecked()   ? Ecriture::Velmora
                       : radioKorvane->isChecked() ? Ecriture::Korvane
                                                   : Ecriture::Personnalisee;
    demande.versLeet = radioFrancaisLeet->isChecked();
    demande.doublerAntiSlashs = caseDoublerAntiSlashs->isChecked();
    demande.mettreEspaces = caseMettreEspaces->isChecked();
    demande.supprimerEspaces = caseSupprimerEspaces->isChecked();

    if (demande.ecriture == Ecriture::Personnalisee) {
        // The personal style has no way back from leet; the option rules keep
        // the user from asking for it, and the command quietly refuses it.
        if (!demande.versLeet)
            return;
        if (!styleValide) {
            afficherErreur(u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s);
            return;
        }
    }

    QString resultat;
    bool tropLong = false;
    {
        const CurseurOccupe occupe;
        try {
            resultat = traduireSelon(demande, texte, textesDesCases(cases));
        } catch (const std::bad_alloc &) {
            // Long personal glyphs over a long text: the result does not fit.
            tropLong = true;
        }
    }
    if (tropLong) {
        afficherErreur(u"<center>Le texte traduit serait trop long pour tenir en "
                       u"mémoire.</center>"_s);
        return;
    }
    if (resultat.isEmpty()) {
        afficherErreur(u"<center>Vous n'avez entré aucun texte,<br />ou vous avez utilisé des "
                       u"symboles inconnus.</center>"_s);
        return;
    }
    montrerResultat(resultat);
}

void FenEntreeTexte::montrerResultat(const QString &resultat)
{
    const RetourDuFocus retour(this);
    FenTexteTraduit *fenetre = nullptr;
    {
        // Filling the result window with a big text is the slow part; its
        // own event loop must run under the ordinary cursor.
        const CurseurOccupe occupe;
        fenetre = new FenTexteTraduit(resultat, this);
    }
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->exec();
}

void FenEntreeTexte::afficherErreur(const QString &message)
{
    const RetourDuFocus retour(this);
    QMessageBox::critical(this, u"Erreur"_s, message);
}

void FenEntreeTexte::effacerTexte()
{
    // Only the prompt is erased: whatever the user typed or pasted before
    // selecting anything for the first time is theirs and stays. A prompt the
    // user has edited is theirs too, and stays as it is.
    if (!std::exchange(premiereSelection, false))
        return;
    if (zoneTexte->toPlainText() == texteInvite) {
        zoneTexte->setPlainText(QString());
        return;
    }
    QTextCursor invite = inviteIntacte();
    if (!invite.isNull())
        invite.removeSelectedText();
}

// The prompt, selected, where the user's edits have carried it; a null cursor
// when it is no longer there as it was written.
QTextCursor FenEntreeTexte::inviteIntacte() const
{
    QTextCursor invite = debutInvite;
    invite.setPosition(finInvite.position(), QTextCursor::KeepAnchor);
    return invite.selectedText() == texteInvite ? invite : QTextCursor();
}
