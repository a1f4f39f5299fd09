#pragma once

#include "chargementlecture.h"
#include "relecture.h"
#include "traduction.h"

#include <QObject>
#include <QString>

#include <future>
#include <memory>

class QWidget;

// The reading with words for the main window, off its thread: the word list
// and the model load in the background at first use (never at start-up), and
// each text is read on a worker thread while the window's event loop goes on;
// after about 0.3 s a progress indication offers to stop it.
class LectureEnFond : public QObject
{
public:
    // Where the list and the model are looked for, for every reading built
    // afterwards: probes and tests point them elsewhere.
    static void utiliserFichiers(const QString &liste, const QString &modele);

    // `fenetre` owns the reading and gets the progress indication.
    explicit LectureEnFond(QWidget *fenetre);
    // Stops a reading under way and waits for the threads.
    ~LectureEnFond() override;

    // Whether the word list is there to read with (a look at the file, no more).
    bool listePresente() const;
    // Starts loading the list and the model, once; returns at once.
    void preparer();

    struct Resultat
    {
        enum class Issue { Lu, Annule, Echec };
        Issue issue = Issue::Echec;
        QString texte; // the reading, or why there is none
    };
    // Reads `texte` as `demande` says (lectureAvecMots() holds) and returns
    // when it is read, stopped or has failed; meanwhile the event loop runs.
    // A call while another reading is under way fails at once.
    Resultat lire(const Demande &demande, const QString &texte);
    bool occupee() const { return enCours; }

private:
    struct Chargement
    {
        std::shared_ptr<const RessourcesLecture> ressources;
        QString erreur;
    };

    QWidget *fenetre;
    QString cheminListe;
    QString cheminModele;
    std::shared_future<Chargement> chargement;
    bool enCours = false;
};
