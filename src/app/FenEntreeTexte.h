#pragma once

#include "cases.h"
#include "traduction.h"

#include <QMainWindow>
#include <QTextCursor>

class QAction;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class LectureEnFond;
class QMenu;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QVBoxLayout;

// The main window: the text to translate, the choice of style, direction and
// options, and the translate command. It owns the personal style (the 26
// cells and the flag saying whether the editor has validated them) and lends
// both to the style editor. Its members are defined by role: construction
// here (FenEntreeTexte.cpp), the option rules (reglesoptions.cpp), the
// translate command (commandetraduire.cpp), the informational windows
// (fenetresinformation.cpp), and the controls of the reading with words
// (controleslecture.cpp), which reads on a worker thread (lectureenfond.h).
class FenEntreeTexte : public QMainWindow
{
    Q_OBJECT

public:
    FenEntreeTexte();
    ~FenEntreeTexte() override;

signals:
    void slotGriserBouton();
    void slotDegriserBouton();

public slots:
    void ecritureVelmora();
    void ecritureKorvane();
    void modeEmploi();
    void aPropos();
    void testVelmora();
    void testKorvane();
    void testPerso();
    void griserLeetFr();
    void griserPersonnaliser();
    void degriserPersonnaliser();
    void griserBouton();
    void degriserBouton();
    void personnaliserEcriture();
    void traduire();
    void effacerTexte();
    void testCourante();
    void preparerLecture();

private:
    void creerMenus();
    void creerControles();
    void marquerInvite();
    QTextCursor inviteIntacte() const;
    void creerRaccourcis();
    void chargerCases();
    void assemblerFenetre();
    void connecterSignaux();
    void creerControlesLecture();
    void connecterLecture();

    Demande demandeChoisie() const;
    void lireAvecMots(const Demande &demande, const QString &texte);

    void afficherErreur(const QString &message);
    void montrerResultat(const QString &resultat);
    void afficherEcriture(Style style);

    QWidget *zoneCentrale;
    bool premiereSelection = true;
    QTextCursor debutInvite;
    QTextCursor finInvite;
    bool styleValide = false;
    QVBoxLayout *layoutPrincipal;
    QVBoxLayout *layoutType;
    QVBoxLayout *layoutSens;
    QVBoxLayout *layoutTexte;
    QHBoxLayout *layoutPerso;
    Cases cases{};
    // Letter i names cell i and is the settings key of its glyph.
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QMenu *menuEcritures;
    QAction *actionEcritureVelmora;
    QAction *actionEcritureKorvane;
    QMenu *menuQuestion;
    QAction *actionModeEmploi;
    QAction *actionAPropos;
    QLabel *labelBienvenue;
    QGroupBox *groupeType;
    QRadioButton *radioVelmora;
    QRadioButton *radioKorvane;
    QRadioButton *radioCourante;
    QRadioButton *radioPerso;
    QPushButton *boutonPersonnaliser;
    QGroupBox *groupeSens;
    QRadioButton *radioFrancaisLeet;
    QRadioButton *radioLeetFrancais;
    QCheckBox *caseMettreEspaces;
    QCheckBox *caseSupprimerEspaces;
    QCheckBox *caseDoublerAntiSlashs;
    QCheckBox *caseRetablirMots;
    LectureEnFond *lectureEnFond;
    QGroupBox *groupeTexte;
    QTextEdit *zoneTexte;
    QGridLayout *layoutBoutons;
    QPushButton *boutonQuitter;
    QLabel *labelVide;
    QPushButton *boutonTraduire;
    QAction *actionTraduire;
    QAction *actionQuitter;
};
