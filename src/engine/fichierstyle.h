#pragma once

// The style file: one glyph per line from A, UTF-8, lines separated by CR LF
// when written; LF or CR LF accepted when read.

#include "traduction.h"

#include <QStringList>

#include <optional>

// A style file holds 26 glyphs, of any length but far below this size; a
// device or a file that never ends is refused here rather than poured into
// the 26 cells. The writer refuses the same sizes, so that every file the
// editor writes opens again.
constexpr qint64 tailleMaxFichierStyle = 64 * 1024 * 1024;

// Splits a file's content into at most 26 glyphs: lines end at LF, a CR just
// before an LF is dropped, any other CR is kept, each line is decoded from
// UTF-8, lines after the 26th are ignored. An empty content is one empty line.
// A byte-order mark at the head of the content is not part of glyph A.
QStringList lireStyle(const QByteArray &contenu);

// The cells from A up to the last non-empty one, an empty cell within that
// stretch as an empty line, joined by CR LF, no line break after the last and
// no byte-order mark (but when glyph A begins with U+FEFF, which the reader
// would otherwise take for one). All cells empty give an empty content.
QByteArray ecrireStyle(const Glyphes &cases);

// Reads a style file. On failure returns nothing and sets `erreur` to a French
// message naming the file and, when the system gave one, the cause. A file
// that is empty or is not text (not UTF-8, or holding a control character
// other than tab, CR and LF) is refused: it is no style file. `tailleMax` is
// there for the fuzzer, which checks the limit on smaller files than the
// program's.
std::optional<QStringList> chargerFichierStyle(const QString &chemin, QString *erreur = nullptr,
                                               qint64 tailleMax = tailleMaxFichierStyle);

// Why these cells would not make a file that opens again, as the French
// message naming `chemin` that enregistrerFichierStyle() gives: all cells
// empty, a cell holding a control character other than tab and CR (a line
// feed would split its glyph), or a file over the size limit. Empty when
// they can be written.
QString refusDesCases(const Glyphes &cases, const QString &chemin);

// Writes a style file atomically: on failure the file on disk keeps its
// earlier content, and `erreur` receives a French message naming the file.
// Cells refused by refusDesCases() are refused before anything is written.
bool enregistrerFichierStyle(const QString &chemin, const Glyphes &cases,
                             QString *erreur = nullptr);
