#pragma once

// The reading with words of a whole text held in memory, for the window
// program: the streamed reading (retablissement.h) fed piece by piece on the
// caller's thread, so that another thread can follow how far it is and stop
// it between two pieces.

#include "chargementlecture.h"
#include "glyphes.h"

#include <QString>
#include <QStringView>

#include <atomic>
#include <optional>

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
