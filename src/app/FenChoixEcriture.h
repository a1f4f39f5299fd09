#pragma once

#include "cases.h"

#include <QMainWindow>

#include <functional>

class QAction;
class EtiquetteElidee;
class QCheckBox;
class QHBoxLayout;
class QPushButton;

// The personal style editor. It shows the main window's own 26 cells in a
// form (never copies of them), checks them on "Valider", empties them, and
// loads and saves them as a style file. It shares nothing else with the main
// window than the cells and the flag `styleValide`.
class FenChoixEcriture : public QMainWindow
{
    Q_OBJECT

public:
    enum class Dialogue { Ouverture, Enregistrement };
    // Asks the user for the path of a style file; an empty text means the
    // user cancelled.
    using DemandeChemin = std::function<QString(Dialogue)>;

    FenChoixEcriture(Cases *cases, bool *styleValide, QWidget *parent);
    ~FenChoixEcriture() override;

    // Replaces the file dialogs, so that a test can answer them.
    void remplacerDemandeChemin(DemandeChemin demande);

signals:
    void fermerFenetre();
    void nomVide();

private slots:
    void ouvrirFichier();
    void enregistrerFichier();
    void enregistrerSousFichier();
    void ouvrirExplications();
    void reinitialiserCases();
    void annulerStyle();
    void validerStyle();

private:
    void creerMenus();
    void creerControles();
    QHBoxLayout *creerColonnesDeCases();
    void assemblerFenetre();
    void connecterSignaux();

    QString demanderCheminParDialogue(Dialogue dialogue);
    QString nomFichier() const;
    void afficherNomFichier();
    void signalerErreur(const QString &message);

    // Letter i labels cell i and is the settings key of its glyph.
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    Cases *cases;
    bool *styleValide;
    QString cheminFichier;
    DemandeChemin demandeChemin;

    QAction *actionOuvrir = nullptr;
    QAction *actionEnregistrer = nullptr;
    QAction *actionEnregistrerSous = nullptr;
    QAction *actionPrecisions = nullptr;

    QPushButton *boutonReinitialiser = nullptr;
    QCheckBox *caseConserver = nullptr;
    QPushButton *boutonAnnuler = nullptr;
    QPushButton *boutonValider = nullptr;
    EtiquetteElidee *etiquetteFichier = nullptr;
};
