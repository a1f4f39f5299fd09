#pragma once

#include <QLatin1StringView>

// The glyph tables of the two built-in writing styles. They exist once, here:
// the French-to-leet conversion, the leet recogniser and the style reference
// windows all read them.

enum class Style { Velmora, Korvane };

constexpr int nombreLettres = 26;

// The glyph of a letter (0 for A … 25 for Z) in a built-in style, in its single
// form (a backslash written once).
QLatin1StringView glyphe(Style style, int lettre);

// The glyph of a letter both styles write alike; empty for B, I, L and Q.
QLatin1StringView glypheCommun(int lettre);

// True for B, I, L and Q, the four letters whose glyph differs between the styles.
bool estLettreDuStyle(int lettre);

// Letters of the 22 glyphs shared by both styles, in the order the leet
// recogniser tries them: a glyph that begins another one is always tried
// after it ("\/\/" before "\/", "()" before "(").
QLatin1StringView ordreReconnaissance();

// Base letters of an accented letter of Latin-1 or of "œ" ("A" for "à", "AE"
// for "æ", "OE" for "œ"), or an empty view for any other code. The accented forms of I are not
// listed: both directions give them a treatment of their own.
QLatin1StringView lettresDeBase(char16_t code);

// True for "Ì" "Í" "Î" "Ï" "ì" "í" "î" "ï".
bool estIAccentue(char16_t code);
