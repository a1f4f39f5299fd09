#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>

// The glyph tables of the two built-in writing styles. They exist once, here:
// the French-to-leet conversion, the leet recogniser and the style reference
// windows all read them.

enum class Style { Velmora, Korvane };

// The style a user picks: a built-in one, the personal one, or the usual
// leet, the one people commonly write (a few letters as digits, the others
// kept as they are).
enum class Ecriture { Velmora, Korvane, Personnalisee, Courante };

constexpr int nombreLettres = 26;

// The 26 glyph texts of the personal style, index 0 for A.
using Glyphes = std::array<QString, nombreLettres>;

// The glyph of a letter (0 for A … 25 for Z) in a built-in style, in its single
// form (a backslash written once).
QLatin1StringView glyphe(Style style, int lettre);

// The glyph of a letter both styles write alike; empty for B, I, L and Q.
QLatin1StringView glypheCommun(int lettre);

// The usual leet's glyph of a letter: "4" for A, "8" for B, "3" for E, "6"
// for G, "1" for I, "0" for O, "5" for S, "7" for T; empty for a letter that
// the usual leet keeps as it is, in its own case.
QLatin1StringView glypheCourant(int lettre);

// True for B, I, L and Q, the four letters whose glyph differs between the styles.
bool estLettreDuStyle(int lettre);

// Every letter in the order in which a position of leet tries its glyph. A
// glyph that begins another is tried after it ("\/\/" before "\/", "()"
// before "("); the style's own Q and B come first, so that the Korvane "(,)"
// and "|3" win over "(" and "3", and its L and I last, as they stand only
// where nothing longer does.
QLatin1StringView ordreReconnaissance();

// Base letters of an accented letter of Latin-1 or of "œ" ("A" for "à", "AE"
// for "æ", "OE" for "œ"), or an empty view for any other code. The accented forms of I are not
// listed: both directions give them a treatment of their own.
QLatin1StringView lettresDeBase(char16_t code);

// True for "Ì" "Í" "Î" "Ï" "ì" "í" "î" "ï".
bool estIAccentue(char16_t code);
