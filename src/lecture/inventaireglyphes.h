#pragma once

// The glyphs that leet writers commonly use for each letter, beyond the two
// built-in styles: what the reading of anyone's leet (--style auto) knows.

#include <QLatin1StringView>

#include <vector>

struct GlypheCommun
{
    char lettre; // small, a to z
    QLatin1StringView glyphe;
};

// Letter by letter, the usual glyphs first. Glyphs that start with a letter
// ("ph", "vv") are left out: the letter itself reads first.
const std::vector<GlypheCommun> &inventaireDesGlyphes();
