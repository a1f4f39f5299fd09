#pragma once

// The translation engine: French to leet in the built-in styles and in the
// personal style, and leet back to French in the built-in styles.
//
// How a translation flows through the program: the main window's text box and
// options → its translate command → one entry point below → a result window.
// The personal style lives in the main window's 26 cells; the style editor
// edits those cells, loads and saves them as a style file (fichierstyle.h) and
// keeps them in the settings; the translate command reads the cells' texts at
// the moment it translates and hands them over as a Glyphes array.
//
// Every conversion is a single left-to-right pass over the text: it keeps its
// position to itself, allocates its output once and never reads past
// `longueur` or past the end of the text.

#include "glyphes.h"

#include <QString>

#include <array>

// The 26 glyph texts of the personal style, index 0 for A.
using Glyphes = std::array<QString, nombreLettres>;

// The one-byte key under which the ASCII rules look a character up: its own
// code below 128, the first byte of its UTF-8 form (0x80 or more) otherwise.
unsigned char cleAscii(char16_t code);

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
void convertirLettreCommune(unsigned char cle, QString &sortie, bool doublerAntiSlashs);
// `personnel` is null for the built-in styles, the personal glyphs otherwise.
void convertirAccent(char16_t code, QString &sortie, const Glyphes *personnel,
                     bool doublerAntiSlashs);
void convertirLettrePersonnalisee(unsigned char cle, QString &sortie, const Glyphes &cases,
                                  bool doublerAntiSlashs);
void ajouterCaseDoublee(QString &sortie, const Glyphes &cases, int index);

// French to leet. A `longueur` below 0 gives an empty result; one above the
// length of `texte` is taken as that length.
QString traduireFrancaisVelmora(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces);
QString traduireFrancaisKorvane(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces);
QString traduireFrancaisPersonnalisee(const QString &texte, const Glyphes &cases,
                                      qsizetype longueur, bool doublerAntiSlashs,
                                      bool mettreEspaces);

// Leet to French, working on the "working copy": one byte per character of
// the text, its ASCII key, 0 once a glyph has consumed it, followed by a 0.
bool finDePhrase(const QByteArray &copie, qsizetype position);
// Tries the 22 glyphs both styles share, in their fixed order, at `position`;
// on success appends the letter, consumes the glyph and clears `nonReconnu`.
void reconnaitreGlyphe(QByteArray &copie, qsizetype position, QString &sortie, bool &nonReconnu);
// Copies a character that no glyph decoded; a consumed position gives nothing.
void recopierCaractere(QChar caractere, unsigned char cle, QString &sortie);

QString traduireLeetVelmora(const QString &texte, qsizetype longueur, bool supprimerEspaces);
QString traduireLeetKorvane(const QString &texte, qsizetype longueur, bool supprimerEspaces);

// True when the text holds nothing but blanks, line feeds, tabs and NULs (an
// empty text included): the translate command refuses such a text.
bool texteVide(const QString &texte);

// One translation as the user asks for it: the chosen style and direction and
// the three options, each used only in the direction it belongs to.
enum class Ecriture { Velmora, Korvane, Personnalisee };

struct Demande
{
    Ecriture ecriture = Ecriture::Velmora;
    bool versLeet = true;
    bool doublerAntiSlashs = false;
    bool mettreEspaces = false;
    bool supprimerEspaces = false;
};

// Calls the entry point that matches the request. The personal style exists
// from French to leet only: from leet it gives an empty result.
QString traduireSelon(const Demande &demande, const QString &texte, const Glyphes &cases = {});
