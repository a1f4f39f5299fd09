#pragma once

// The reading's entry points, for the command-line tool and the windows:
// leet read back into real French with a word list and a context model
// (modele.h), blanks, punctuation, capitals and the blank option handled as
// the standard reading handles them.

#include "dictionnaire.h"
#include "flux.h"
#include "glyphes.h"
#include "modele.h"

#include <QString>

#include <memory>

// How often each rule decided, for measures.
struct StatistiquesRetablissement
{
    qint64 mots = 0;            // runs read
    qint64 lectureStandard = 0; // runs whose standard reading is a word
    qint64 autreLecture = 0;    // runs given another reading that is a word
    qint64 chiffres = 0;        // runs given as digits and punctuation
    qint64 repli = 0;           // runs left to the standard reading
    qint64 accentsRendus = 0;   // words given an accented spelling
    qint64 choixAccent = 0;     // ... chosen among several accented spellings
};

// A whole text read at once: each run as the likeliest words of the list
// that its glyphs spell, their accents given back, the spellings chosen by
// the words around them when a model is given.
QString retablirLeet(const Dictionnaire &dictionnaire, Style style, QStringView texte,
                     bool supprimerEspaces, StatistiquesRetablissement *statistiques = nullptr,
                     const ModeleContexte *modele = nullptr);

// The same reading fed piece by piece (flux.h): a word cut between two pieces
// waits for the rest, and a word whose spelling the next word decides waits
// for it. With `moitie` code units or more (0: never), and several cores, the
// text is read by pieces of twice that on two threads, to the same result.
// The list and the model must outlive the translator.
std::unique_ptr<TraducteurFlux> creerRetablissementFlux(const Dictionnaire &dictionnaire,
                                                        Style style, bool supprimerEspaces,
                                                        const ModeleContexte *modele = nullptr,
                                                        qsizetype moitie = 0);

// Leet written with any of the common alphabets (inventaireglyphes.h), read
// the same way: a run that no word of the list or the model reads stays as
// written.
std::unique_ptr<TraducteurFlux> creerLectureCommuneFlux(const Dictionnaire &dictionnaire,
                                                        bool supprimerEspaces,
                                                        const ModeleContexte *modele = nullptr,
                                                        qsizetype moitie = 0);
