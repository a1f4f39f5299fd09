#pragma once

#include "traduction.h"

#include <QSettings>

// The program's one settings object: organisation "Velmora", application
// "Scribolix", native format, keys "A" to "Z" holding the personal glyphs.
// Created on first use, so that tests can point the store elsewhere first.
QSettings &reglages();

// The glyphs kept for each letter, A to Z; a key that is absent or holds
// nothing readable gives an empty glyph.
Glyphes glyphesConserves();

// Keeps the 26 glyphs for the next start. False when the store cannot be
// written (it is unreadable, or not a file).
bool conserverGlyphes(const Glyphes &glyphes);
