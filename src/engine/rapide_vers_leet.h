#pragma once

// French to leet, fast: what each character gives, in a table built once
// from the character rules (regles.h), written by copies of a fixed size.
// The whole-text entry points (traduction.h) write UTF-16, the streamed
// translation (flux.h) UTF-8.

#include "glyphes.h"

#include <QtGlobal>

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
// The usual leet's tables (glypheCourant()), built on first use.
const TableLeet<char16_t> &tableCouranteUtf16(bool doublerAntiSlashs);
const TableLeet<char> &tableCouranteUtf8(bool doublerAntiSlashs);
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

} // namespace rapide
