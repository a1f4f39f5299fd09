#pragma once

// Leet read back into French the slow way, position by position on a working
// copy of the text, exactly as the rules say it: the reference that the
// tests and fuzz targets hold the engine's fast scans against.

#include "glyphes.h"

#include <QByteArray>
#include <QString>

// The working copy: one byte per character of the text, its ASCII key, 0 once
// a glyph has consumed it.
QByteArray copieDeTravail(QStringView texte);

// True when the nearest key before `position` that is not a blank is ".", "!"
// or "?": a glyph there is a capital.
bool finDePhrase(const QByteArray &copie, qsizetype position);

// Tries the 22 glyphs both styles share, in their order, at `position`; on
// success appends the letter, consumes the glyph and clears `nonReconnu`.
void reconnaitreGlyphe(QByteArray &copie, qsizetype position, QString &sortie, bool &nonReconnu);

// A whole text read back: the style's own Q and B, the shared glyphs, its L
// and I, then the blank rule and the copy rules at each position.
QString lireLeetPasAPas(Style style, QStringView texte, bool supprimerEspaces);
