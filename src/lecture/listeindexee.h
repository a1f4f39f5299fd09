#pragma once

// The word list kept indexed in a folder between runs, for the loading of
// the reading (chargementlecture.h): reading the index back takes a few
// hundredths of a second, where indexing the list again takes a fifth.

#include "dictionnaire.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

using AutresMots = std::optional<std::vector<QString>>;

// The index stands for one list file as it was (its path, size and date),
// for where the other words come from (`origine`: the bytes of the model that
// gives them, say) and for how this program makes it; a list changed since,
// other words, an index made otherwise, damaged or missing, and the list is
// indexed anew, with the words that `autres` then gives, and the index
// written again. Writing it may fail (a folder read-only, a disk full): the
// list is loaded all the same. When `autres` gives nothing, neither does
// this, and says nothing: the caller knows why.

std::optional<Dictionnaire> chargerListeIndexee(const QString &chemin, const QString &dossier,
                                                QString *erreur, QByteArrayView origine,
                                                const std::function<AutresMots()> &autres);
