#pragma once

#include "traduction.h"

#include <array>

class QLineEdit;

// The personal style's 26 cells, index 0 for A. They belong to the main
// window; the style editor shows these very fields.
using Cases = std::array<QLineEdit *, nombreLettres>;

// 26 new parentless cells named "caseA" to "caseZ", taking glyphs of any
// length. Whoever creates them owns them.
Cases creerCases();

// The cells' texts at this moment, as the engine and the style file take them.
Glyphes textesDesCases(const Cases &cases);

// Puts glyphs into the cells from A on; cells past the last glyph keep their texts.
void remplirCases(const Cases &cases, const QStringList &glyphes);
