#pragma once

// What the reading with words needs before it reads a text: the word list and
// the context model, loaded together, the model on a thread of its own while
// the list's index is read from the user's caches. The command-line tool and
// the window program load them alike, through here.

#include "dictionnaire.h"
#include "modele.h"

#include <QString>

#include <optional>

struct RessourcesLecture
{
    Dictionnaire dictionnaire;
    ModeleContexte modele;
};

// The French word list that wfrench installs.
QString cheminListeParDefaut();

// The context model that comes with the program: in the data folder beside
// the program's own folder, in the installed data folder, or, run from a
// build folder, in the sources.
QString cheminModeleParDefaut();

// The list and the model; on failure, nothing and a message naming the file
// (a fault of the model is told before one of the list). `caches` is the
// folder where the list's index is kept between runs; empty, the list is
// indexed anew each time.
std::optional<RessourcesLecture> chargerRessourcesLecture(const QString &cheminListe,
                                                          const QString &cheminModele,
                                                          const QString &caches, QString &erreur);

// The folder of the user's caches where the index is kept, empty when there
// is none.
QString dossierDesCaches();
