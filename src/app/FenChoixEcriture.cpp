#include "FenChoixEcriture.h"

#include "etiquette.h"
#include "fichierstyle.h"
#include "icone.h"
#include "menus.h"
#include "reglages.h"
#include "validation.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Rows per column of cells: A to G, H to N, O to U, V to Z.
constexpr int lignesParColonne[] = {7, 7, 7, 5};

// Sixteen lines, one literal per line as the window shows them.
const QString textePrecisions =
    uR"(Pour la fonction ouvrir, il faut que, sur le fichier à ouvrir, il y ait <strong>un saut de ligne<br />)"
    uR"(entre chaque lettre</strong> pour qu'il soit lu correctement.<br />)"
    uR"(<u>Ex :</u><br />)"
    uR"(<br />)"
    uR"(/-\<br />)"
    uR"(8<br />)"
    uR"((<br />)"
    uR"(etc...<br />)"
    uR"(<br />)"
    uR"(Pour que votre style d'écriture soit considéré comme valide lors de la traduction,<br />)"
    uR"(il faut que vous cliquiez sur valider.<br />)"
    uR"(Si vous cliquez sur annuler ou sur la croix du haut, lors de la traduction, un message<br />)"
    uR"(apparaîtra et vous dira que vous n'avez pas validé votre personnalisation.<br />)"
    uR"(<br />)"
    uR"(Pour vous aider à savoir quel fichier est ouvert, une petite phrase en bas vous<br />)"
    uR"(dira le nom du fichier.)"_s;

} // namespace

FenChoixEcriture::FenChoixEcriture(Cases *cases, bool *styleValide, QWidget *parent)
    : QMainWindow(parent), cases(cases), styleValide(styleValide),
      demandeChemin([this](Dialogue dialogue) { return demanderCheminParDialogue(dialogue); })
{
    setWindowTitle(u"Personnalisation du style d'écriture"_s);
    setWindowIcon(iconeFenetre());

    creerMenus();
    creerControles();
    assemblerFenetre();
    connecterSignaux();
}

FenChoixEcriture::~FenChoixEcriture()
{
    // The cells belong to the main window, which goes on using them: hand
    // back the ones this editor still holds before its children are deleted.
    // The form's line edits are exactly those cells.
    const auto cellules = centralWidget()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly);
    for (QLineEdit *cellule : cellules)
        cellule->setParent(nullptr);
}

void FenChoixEcriture::remplacerDemandeChemin(DemandeChemin demande)
{
    demandeChemin = std::move(demande);
}

void FenChoixEcriture::creerMenus()
{
    QMenu *menuFichier = menuBar()->addMenu(u"Fichier"_s);
    menuFichier->setObjectName(u"menuFichier"_s);
    actionOuvrir = ajouterAction(menuFichier, u"Ouvrir..."_s, u"actionOuvrir"_s, u"Ctrl+O"_s);
    actionEnregistrer =
        ajouterAction(menuFichier, u"Enregistrer"_s, u"actionEnregistrer"_s, u"Ctrl+S"_s);
    actionEnregistrerSous = ajouterAction(menuFichier, u"Enregistrer sous..."_s,
                                          u"actionEnregistrerSous"_s, u"Ctrl+Shift+S"_s);

    QMenu *menuAide = menuBar()->addMenu(u"Aide"_s);
    menuAide->setObjectName(u"menuAide"_s);
    actionPrecisions = ajouterAction(menuAide, u"Précisions"_s, u"actionPrecisions"_s, u"Ctrl+P"_s);
}

void FenChoixEcriture::creerControles()
{
    boutonReinitialiser = new QPushButton(u"Réinitialiser"_s, this);
    boutonReinitialiser->setObjectName(u"boutonReinitialiser"_s);
    caseConserver =
        new QCheckBox(u"Conserver le contenu des cases au prochain démarrage du logiciel."_s, this);
    caseConserver->setObjectName(u"caseConserver"_s);
    boutonAnnuler = new QPushButton(u"Annuler"_s, this);
    boutonAnnuler->setObjectName(u"boutonAnnuler"_s);
    boutonValider = new QPushButton(u"Valider"_s, this);
    boutonValider->setObjectName(u"boutonValider"_s);

    // The label takes the whole width of the status bar, up to the size grip.
    etiquetteFichier = new EtiquetteElidee(u"Aucun fichier ouvert."_s, this);
    etiquetteFichier->setObjectName(u"etiquetteFichier"_s);
    statusBar()->addWidget(etiquetteFichier, 1);
}

QHBoxLayout *FenChoixEcriture::creerColonnesDeCases()
{
    auto *colonnes = new QHBoxLayout;
    int lettre = 0;
    for (const int lignes : lignesParColonne) {
        auto *formulaire = new QFormLayout;
        for (int ligne = 0; ligne < lignes; ++ligne, ++lettre) {
            QLineEdit *cellule = (*cases)[lettre];
            if (cellule->objectName().isEmpty())
                cellule->setObjectName(u"case"_s + alphabet[lettre]);
            // "&A : " makes A the label's mnemonic and the cell its buddy.
            formulaire->addRow(u"&"_s + alphabet[lettre] + u" : "_s, cellule);
        }
        // The short last column keeps its rows level with the others.
        auto *colonne = new QVBoxLayout;
        colonne->addLayout(formulaire);
        colonne->addStretch();
        colonnes->addLayout(colonne);
    }
    return colonnes;
}

void FenChoixEcriture::assemblerFenetre()
{
    auto *ligneReinitialiser = new QGridLayout;
    ligneReinitialiser->addWidget(new QLabel(this), 0, 0);
    ligneReinitialiser->addWidget(boutonReinitialiser, 0, 1);
    ligneReinitialiser->addWidget(new QLabel(this), 0, 2);

    auto *ligneSeparation = new QFrame(this);
    ligneSeparation->setObjectName(u"ligneSeparation"_s);
    ligneSeparation->setFrameShape(QFrame::HLine);

    auto *ligneValider = new QGridLayout;
    ligneValider->addWidget(boutonAnnuler, 0, 0);
    ligneValider->addWidget(new QLabel(this), 0, 1);
    ligneValider->addWidget(boutonValider, 0, 2);

    auto *layoutPrincipal = new QVBoxLayout;
    layoutPrincipal->addLayout(creerColonnesDeCases());
    layoutPrincipal->addLayout(ligneReinitialiser);
    layoutPrincipal->addWidget(caseConserver);
    layoutPrincipal->addWidget(ligneSeparation);
    layoutPrincipal->addLayout(ligneValider);

    // Installing the layout moves the cells into this editor, out of any
    // earlier one.
    auto *zoneCentrale = new QWidget(this);
    zoneCentrale->setLayout(layoutPrincipal);

    resize(300, 250);
    setWindowModality(Qt::ApplicationModal);
    setCentralWidget(zoneCentrale);
}

void FenChoixEcriture::connecterSignaux()
{
    connect(actionOuvrir, &QAction::triggered, this, &FenChoixEcriture::ouvrirFichier);
    connect(actionEnregistrer, &QAction::triggered, this, &FenChoixEcriture::enregistrerFichier);
    connect(actionEnregistrerSous, &QAction::triggered, this,
            &FenChoixEcriture::enregistrerSousFichier);
    connect(this, &FenChoixEcriture::nomVide, this, &FenChoixEcriture::enregistrerSousFichier);
    connect(actionPrecisions, &QAction::triggered, this, &FenChoixEcriture::ouvrirExplications);
    connect(boutonReinitialiser, &QPushButton::clicked, this,
            &FenChoixEcriture::reinitialiserCases);
    connect(boutonAnnuler, &QPushButton::clicked, this, &FenChoixEcriture::annulerStyle);
    connect(boutonValider, &QPushButton::clicked, this, &FenChoixEcriture::validerStyle);
    connect(this, &FenChoixEcriture::fermerFenetre, this, &FenChoixEcriture::close);
}

QString FenChoixEcriture::demanderCheminParDialogue(Dialogue dialogue)
{
    if (dialogue == Dialogue::Ouverture)
        return QFileDialog::getOpenFileName(this, u"Ouverture du fichier"_s);
    return QFileDialog::getSaveFileName(this, u"Enregistrement du fichier"_s);
}

QString FenChoixEcriture::nomFichier() const
{
    return cheminFichier.section(u'/', -1);
}

void FenChoixEcriture::afficherNomFichier()
{
    const QString nom = nomFichier();
    if (nom.isEmpty())
        return;
    etiquetteFichier->afficher(u"Fichier ouvert : "_s, nom);
    etiquetteFichier->setToolTip(cheminFichier);
}

void FenChoixEcriture::signalerErreur(const QString &message)
{
    // The message holds a path, which may contain anything: show it as text.
    QMessageBox boite(QMessageBox::Critical, u"Erreur"_s, message, QMessageBox::Ok, this);
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

void FenChoixEcriture::ouvrirFichier()
{
    const QString chemin = demandeChemin(Dialogue::Ouverture);
    if (chemin.isEmpty()) {
        // A cancelled dialog forgets the current file, so that the next
        // "Enregistrer" asks where to write rather than guessing.
        cheminFichier.clear();
        return;
    }

    QString erreur;
    const std::optional<QStringList> glyphes = chargerFichierStyle(chemin, &erreur);
    if (!glyphes) {
        signalerErreur(erreur);
        return;
    }
    cheminFichier = chemin;
    remplirCases(*cases, *glyphes);
    afficherNomFichier();
}

void FenChoixEcriture::enregistrerFichier()
{
    if (cheminFichier.isEmpty()) {
        emit nomVide();
        return;
    }
    const Glyphes glyphes = textesDesCases(*cases);
    // Cells that no style file can hold would be refused under another name
    // too: say so rather than ask for one.
    const QString refus = refusDesCases(glyphes, cheminFichier);
    if (!refus.isEmpty())
        signalerErreur(refus);
    else if (!enregistrerFichierStyle(cheminFichier, glyphes))
        emit nomVide();
}

void FenChoixEcriture::enregistrerSousFichier()
{
    const QString chemin = demandeChemin(Dialogue::Enregistrement);
    if (chemin.isEmpty()) {
        cheminFichier.clear();
        return;
    }

    QString erreur;
    if (!enregistrerFichierStyle(chemin, textesDesCases(*cases), &erreur)) {
        signalerErreur(erreur);
        return;
    }
    cheminFichier = chemin;
    afficherNomFichier();
}

void FenChoixEcriture::ouvrirExplications()
{
    // A window of its own, deleted when the user closes it. Being modal
    // itself, it takes input although the editor is application-modal; having
    // no parent, it blocks nothing.
    auto *fenetrePrecisions = new QWidget;
    fenetrePrecisions->setObjectName(u"fenetrePrecisions"_s);
    fenetrePrecisions->setAttribute(Qt::WA_DeleteOnClose);
    fenetrePrecisions->setWindowTitle(u"Précisions"_s);
    fenetrePrecisions->setWindowModality(Qt::WindowModal);

    auto *layout = new QVBoxLayout(fenetrePrecisions);
    layout->addWidget(new QLabel(textePrecisions, fenetrePrecisions));

    fenetrePrecisions->show();
}

void FenChoixEcriture::reinitialiserCases()
{
    for (QLineEdit *cellule : *cases)
        cellule->clear();
}

void FenChoixEcriture::annulerStyle()
{
    *styleValide = false;
    emit fermerFenetre();
}

void FenChoixEcriture::validerStyle()
{
    const Glyphes glyphes = textesDesCases(*cases);
    const Verdict verdict = verifierStyle(glyphes);
    if (verdict != Verdict::Valide) {
        QMessageBox::critical(this, u"Erreur"_s, messageVerdict(verdict), QMessageBox::Ok,
                              QMessageBox::NoButton);
        return;
    }

    // The style is good for this run either way; the user is only told when
    // it could not be kept for the next one.
    if (caseConserver->isChecked() && !conserverGlyphes(glyphes)) {
        signalerErreur(
            u"Les cases n'ont pas pu être conservées pour le prochain "
            u"démarrage : impossible d'écrire dans « %1 »."_s.arg(reglages().fileName()));
    }
    *styleValide = true;
    emit fermerFenetre();
}
