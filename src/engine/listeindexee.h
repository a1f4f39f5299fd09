#pragma once

// The word list kept indexed in a folder between runs: reading the index back
// takes a few hundredths of a second, where indexing the list again takes
// a fifth. The index stands for one list file as it was (its size and date)
// with one set of other words; a list changed since, other words, or an index
// damaged or missing, and the list is indexed anew and the index written
// again. Writing it may fail (a folder read-only, a disk full): the list is
// loaded all the same.

#include "dictionnaire.h"

#include <QString>

#include <optional>
#include <vector>

std::optional<Dictionnaire> chargerListeIndexee(const QString &chemin, const QString &dossier,
                                                QString *erreur,
                                                const std::vector<QString> &autres = {});
