#pragma once

// The character rules, once: what each character gives from French to leet,
// what a position of leet that no glyph decodes gives, what a blank is, and
// which style a choice of the user reads with. The fast tables
// (rapide_vers_leet.h, rapide_vers_francais.h) and the reading with a word
// list are built from these functions, never written again by hand.

#include "glyphes.h"

#include <QString>

// The one-byte key under which the ASCII rules look a character up: its own
// code below 128, the first byte of its UTF-8 form (0x80 or more) otherwise.
unsigned char cleAscii(char16_t code);

// A blank, a tab or a line break: the glyphs never hold one, the spacing
// option adds no blank after one, and the capital look-back skips them.
inline bool estBlanc(char16_t c)
{
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
}

// ".", "!" or "?": a glyph after one, blanks between, is a capital.
inline bool estFinDePhrase(char16_t c)
{
    return c == u'.' || c == u'!' || c == u'?';
}

// The option "supprimer espaces" removes a blank that no glyph decoded when
// the next character is no blank: the last blank of every run.
inline bool blancRetire(char16_t c, char16_t suivant)
{
    return c == u' ' && suivant != u' ';
}

// The built-in style a choice reads with (the personal style reads with
// Velmora's glyphs where it has to read at all).
Style styleDe(Ecriture ecriture);

// Copy rules shared by both directions. Each appends at most one character
// (two backslashes for a doubled backslash) and never touches what is already
// in `sortie`.
void recopierChiffre(unsigned char cle, QString &sortie);
void recopierPonctuation(unsigned char cle, QString &sortie, bool doublerAntiSlashs);
void recopierSymbole(char16_t code, QString &sortie);
void recopierAccent(char16_t code, QString &sortie);
// Every character that no table above holds and that is worth keeping: the
// no-break space, "þ" and every code of U+0100 or more but a surrogate (the
// scans copy a surrogate pair whole, and drop a lone one).
void recopierAutre(char16_t code, QString &sortie);

// French to leet, one character at a time.
// Appends a glyph; with the option on, every backslash is written twice.
void ajouterGlyphe(QString &sortie, QStringView glyphe, bool doublerAntiSlashs);
void ajouterGlyphe(QString &sortie, QLatin1StringView glyphe, bool doublerAntiSlashs);
void convertirLettreCommune(unsigned char cle, QString &sortie, bool doublerAntiSlashs);
// `personnel` is null for the built-in styles, the personal glyphs otherwise.
void convertirAccent(char16_t code, QString &sortie, const Glyphes *personnel,
                     bool doublerAntiSlashs);
void convertirLettrePersonnalisee(unsigned char cle, QString &sortie, const Glyphes &cases,
                                  bool doublerAntiSlashs);
// Everything one character gives, all the rules above in their order.
QString convertirCaractere(char16_t code, Style style, const Glyphes *personnel,
                           bool doublerAntiSlashs);

// Leet to French: what a position that no glyph decoded gives. A consumed
// position (key 0) gives nothing.
void recopierCaractere(QChar caractere, unsigned char cle, QString &sortie);
// The same as one character, 0 for nothing: for a code below 256 from a
// table built once from recopierCaractere().
char16_t copieDe(char16_t code);
