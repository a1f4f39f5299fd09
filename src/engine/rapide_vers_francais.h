#pragma once

// Leet to French, fast: the glyphs of a built-in style read from a table of
// every pair of bytes, built once from the glyph tables and the character
// rules (regles.h). The whole-text entry points (traduction.h) read the
// UTF-16 of the text, the streamed translation (flux.h) UTF-8 itself.

#include "glyphes.h"

#include <QtGlobal>

#include <algorithm>

namespace rapide {

// Leet to French: the glyphs of one built-in style, tried where they can
// start, and the blank rule when `supprimerEspaces` is set. Opaque here;
// built on first use.
struct LecteurStyle;
const LecteurStyle &lecteur(Style style, bool supprimerEspaces);

// What the scan has to know of the positions before the current one.
struct EtatLeet
{
    qint64 position = 0;           // of the first unit handed over next
    bool apresFinDePhrase = false; // the look-back would see ".", "!" or "?"
    qsizetype saut = 0;            // how many of the next units the last glyph covers
};

// Reads positions 0 to `fin` - 1 of `octets`, the ASCII keys of `codes`, and
// writes the French from `ecriture` on (at most one unit per position in
// UTF-16, three bytes in UTF-8); returns the end. Every position read must have three
// readable bytes after it: those past the text are 0. A glyph that starts
// before `fin` is read whole, and the positions it covers past `fin` are
// skipped at the start of the next call.
template <typename Unite>
Unite *lireLeet(const LecteurStyle &style, const char *octets, const char16_t *codes, qsizetype fin,
                EtatLeet &etat, Unite *ecriture);
// The same over UTF-8 itself: `octets` is the text, its bytes their own keys;
// a well-formed sequence is copied as the rules copy its character from the
// decoded text, and a byte that begins none gives nothing, as the lone
// surrogate that DecodeurUtf8 makes of it. The result is byte for byte the UTF-8 of what the
// decoded text gives, at most three bytes per position.
char *lireLeetUtf8(const LecteurStyle &style, const char *octets, qsizetype fin, EtatLeet &etat,
                   char *ecriture);

// The key of a code unit as the leet scan sees it: its own code below 128,
// else 128 (the scan looks no further at such a key: the code unit tells
// what it gives). Free of branches, so that a loop of them is vectorised.
inline char cle(char16_t code)
{
    return char(std::min<char16_t>(code, 0x80));
}

} // namespace rapide
