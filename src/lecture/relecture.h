#pragma once

// The reading with words as both programs ask for it once the list and the
// model are loaded: streamed, for the command-line tool, or a whole text held
// in memory, for the window program, fed piece by piece on the caller's
// thread so that another thread can follow how far it is and stop it.

#include "chargementlecture.h"
#include "flux.h"
#include "glyphes.h"

#include <QString>
#include <QStringView>

#include <atomic>
#include <memory>
#include <optional>

// The streamed reading with words of Velmora's or Korvane's leet, or, for the
// usual leet, of the glyphs of every alphabet; a long text on two threads.
std::unique_ptr<TraducteurFlux> creerLectureEnMots(const RessourcesLecture &ressources,
                                                   Ecriture ecriture, bool supprimerEspaces);

// Written by the reading, read by whoever follows it; `arreter` the other way.
struct SuiviLecture
{
    std::atomic<qint64> lus{0}; // code units read so far
    std::atomic<bool> arreter{false};
};

// The leet of `texte` read back with words: in Velmora's or Korvane's glyphs,
// or, for the usual leet, in the glyphs of every alphabet. Nothing when asked
// to stop before the end.
std::optional<QString> relireEnMots(const RessourcesLecture &ressources, Ecriture ecriture,
                                    bool supprimerEspaces, QStringView texte, SuiviLecture &suivi);
