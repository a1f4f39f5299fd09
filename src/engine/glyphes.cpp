#include "glyphes.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// Glyphs common to both styles; B, I, L and Q are empty here and come from the
// style's own table.
constexpr std::array<QLatin1StringView, nombreLettres> glyphesCommuns = {
    R"(/-\)"_L1,  // A
    {},           // B
    "("_L1,       // C
    "|)"_L1,      // D
    "3"_L1,       // E
    "|="_L1,      // F
    "6"_L1,       // G
    "|-|"_L1,     // H
    {},           // I
    "_|"_L1,      // J
    "|<"_L1,      // K
    {},           // L
    R"(|\/|)"_L1, // M
    R"(|\|)"_L1,  // N
    "()"_L1,      // O
    "|>"_L1,      // P
    {},           // Q
    "|2"_L1,      // R
    "5"_L1,       // S
    "7"_L1,       // T
    "|_|"_L1,     // U
    R"(\/)"_L1,   // V
    R"(\/\/)"_L1, // W
    ")("_L1,      // X
    "Y"_L1,       // Y
    "2"_L1,       // Z
};

struct GlyphesDuStyle
{
    QLatin1StringView b, i, l, q;
};

constexpr GlyphesDuStyle glyphesVelmora = {"8"_L1, "!"_L1, "1"_L1, "9"_L1};
constexpr GlyphesDuStyle glyphesKorvane = {"|3"_L1, "|"_L1, "|_"_L1, "(,)"_L1};

constexpr int lettreB = 1;
constexpr int lettreI = 8;
constexpr int lettreL = 11;
constexpr int lettreQ = 16;

} // namespace

QLatin1StringView glyphe(Style style, int lettre)
{
    if (lettre < 0 || lettre >= nombreLettres)
        return {};
    const GlyphesDuStyle &propres = style == Style::Velmora ? glyphesVelmora : glyphesKorvane;
    switch (lettre) {
    case lettreB:
        return propres.b;
    case lettreI:
        return propres.i;
    case lettreL:
        return propres.l;
    case lettreQ:
        return propres.q;
    default:
        return glyphesCommuns[lettre];
    }
}

QLatin1StringView glypheCourant(int lettre)
{
    // Only the digits that everyone reads as their letter: the other letters
    // stay letters, so that the text remains readable as it is.
    constexpr std::array<QLatin1StringView, nombreLettres> glyphesCourants = {
        "4"_L1, "8"_L1, {}, {}, "3"_L1, {},     "6"_L1, {}, "1"_L1, {}, {}, {}, {},
        {},     "0"_L1, {}, {}, {},     "5"_L1, "7"_L1, {}, {},     {}, {}, {}, {},
    };
    if (lettre < 0 || lettre >= nombreLettres)
        return {};
    return glyphesCourants[lettre];
}

QLatin1StringView glypheCommun(int lettre)
{
    if (lettre < 0 || lettre >= nombreLettres)
        return {};
    return glyphesCommuns[lettre];
}

bool estLettreDuStyle(int lettre)
{
    return lettre == lettreB || lettre == lettreI || lettre == lettreL || lettre == lettreQ;
}

QLatin1StringView ordreReconnaissance()
{
    return "QBMWNAHUDFJKOPRVXCEGSTYZLI"_L1;
}

QLatin1StringView lettresDeBase(char16_t code)
{
    if ((code >= 0xC0 && code <= 0xC5) || (code >= 0xE0 && code <= 0xE5))
        return "A"_L1;
    switch (code) {
    case 0xC6: // Æ
    case 0xE6: // æ
        return "AE"_L1;
    case 0x152: // Œ
    case 0x153: // œ
        return "OE"_L1;
    case 0xC7: // Ç
    case 0xE7: // ç
        return "C"_L1;
    case 0xD0: // Ð, while the small eth ð reads as O
        return "D"_L1;
    case 0xD1: // Ñ
    case 0xF1: // ñ
        return "N"_L1;
    case 0xF0: // ð
    case 0xD8: // Ø
    case 0xF8: // ø
        return "O"_L1;
    default:
        break;
    }
    if ((code >= 0xC8 && code <= 0xCB) || (code >= 0xE8 && code <= 0xEB))
        return "E"_L1;
    if ((code >= 0xD2 && code <= 0xD6) || (code >= 0xF2 && code <= 0xF6))
        return "O"_L1;
    if ((code >= 0xD9 && code <= 0xDC) || (code >= 0xF9 && code <= 0xFC))
        return "U"_L1;
    return {};
}

bool estIAccentue(char16_t code)
{
    return (code >= 0xCC && code <= 0xCF) || (code >= 0xEC && code <= 0xEF);
}
