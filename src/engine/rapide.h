#pragma once

// The engine's fast paths, shared by the whole-text entry points
// (traduction.h) and the streamed translation (flux.h). Their tables are
// derived once from the character rules and the glyph tables, never written
// by hand, so that those rules stay the one definition of what is written.

#include "traduction.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <string>

namespace rapide {

// French to leet: what each code below 256 gives, and at `entreeOE` what "œ"
// and "Œ" give, in units of type Unite, char16_t for a QString or char for
// UTF-8. Every other code is copied, a surrogate pair whole. Each entry is
// padded to a fixed width, so that writing it is one copy of a constant size;
// an entry wider than that is also kept whole, in `longues` from
// `decalages[code]` on.
constexpr int entreeOE = 256;
constexpr int nombreEntrees = 257;

template <typename Unite> struct TableLeet
{
    static constexpr int largeur = 16 / sizeof(Unite);
    std::array<std::array<Unite, largeur>, nombreEntrees> debuts{};
    std::array<quint32, nombreEntrees> longueurs{};
    std::array<quint32, nombreEntrees> decalages{};
    std::basic_string<Unite> longues;
    qsizetype plusLongue = 0;
};

// The built-in styles' tables, built on first use.
const TableLeet<char16_t> &tableUtf16(Style style, bool doublerAntiSlashs);
const TableLeet<char> &tableUtf8(Style style, bool doublerAntiSlashs);
TableLeet<char16_t> tableUtf16(const Glyphes &cases, bool doublerAntiSlashs);
TableLeet<char> tableUtf8(const Glyphes &cases, bool doublerAntiSlashs);

// Writes the leet of `n` code units from `ecriture` on, each followed by a
// blank when `mettreEspaces` is set and the unit is not a blank, a tab or a
// line break, and returns the end. Needs room for the result plus
// TableLeet::largeur units.
template <typename Unite>
Unite *ecrireLeet(const TableLeet<Unite> &table, const char16_t *source, qsizetype n,
                  bool mettreEspaces, Unite *ecriture);
// The exact size of what ecrireLeet() writes.
template <typename Unite>
qsizetype mesurerLeet(const TableLeet<Unite> &table, const char16_t *source, qsizetype n,
                      bool mettreEspaces);

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

// The length of the well-formed UTF-8 sequence (Unicode, table 3-7) that
// starts at `octets`, of which `disponibles` bytes may be read, or 0 when none
// starts there.
inline int longueurSequenceUtf8(const char *octets, qsizetype disponibles)
{
    const auto octet = [&](int k) { return static_cast<unsigned char>(octets[k]); };
    const unsigned char tete = octet(0);
    int longueur = 0;
    unsigned char bas = 0x80, haut = 0xBF; // bounds of the second byte
    if (tete < 0x80)
        return 1;
    if (tete >= 0xC2 && tete <= 0xDF)
        longueur = 2;
    else if (tete >= 0xE0 && tete <= 0xEF)
        longueur = 3;
    else if (tete >= 0xF0 && tete <= 0xF4)
        longueur = 4;
    if (tete == 0xE0)
        bas = 0xA0; // overlong below
    else if (tete == 0xED)
        haut = 0x9F; // surrogates above
    else if (tete == 0xF0)
        bas = 0x90; // overlong below
    else if (tete == 0xF4)
        haut = 0x8F; // past U+10FFFF above
    if (longueur == 0 || longueur > disponibles || octet(1) < bas || octet(1) > haut)
        return 0;
    for (int k = 2; k < longueur; ++k) {
        if ((octet(k) & 0xC0) != 0x80)
            return 0;
    }
    return longueur;
}

// The key of a code unit as the leet scan sees it: its own code below 128,
// else 128 (the scan looks no further at such a key: the code unit tells
// what it gives). Free of branches, so that a loop of them is vectorised.
inline char cle(char16_t code)
{
    return char(std::min<char16_t>(code, 0x80));
}

} // namespace rapide
