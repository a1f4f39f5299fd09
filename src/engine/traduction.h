#pragma once

// The translation engine: French to leet in the built-in styles and in the
// personal style, and leet back to French in the built-in styles.
//
// How a translation flows through the program: the main window's text box and
// options → its translate command → traduireSelon() → one entry point below
// → a result window. The personal style lives in the main window's 26 cells;
// the style editor edits those cells, loads and saves them as a style file
// (fichierstyle.h) and keeps them in the settings; the translate command reads
// the cells' texts at the moment it translates and hands them over as a
// Glyphes array. The character rules are in regles.h, the fast tables that
// apply them in rapide_vers_leet.h and rapide_vers_francais.h.
//
// Every conversion is a single left-to-right pass over the text: it allocates
// its output once and never reads past `longueur` or past the end of the text.

#include "glyphes.h"

#include <QString>

// French to leet. A `longueur` below 0 gives an empty result; one above the
// length of `texte` is taken as that length.
QString traduireFrancaisVelmora(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces);
QString traduireFrancaisKorvane(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces);
QString traduireFrancaisPersonnalisee(const QString &texte, const Glyphes &cases,
                                      qsizetype longueur, bool doublerAntiSlashs,
                                      bool mettreEspaces);
// French to the usual leet (glypheCourant()): the letters that have a usual
// glyph take it, the others are kept in their case, accents dropped.
QString traduireFrancaisCourante(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                 bool mettreEspaces);

// Leet to French.
QString traduireLeetVelmora(const QString &texte, qsizetype longueur, bool supprimerEspaces);
QString traduireLeetKorvane(const QString &texte, qsizetype longueur, bool supprimerEspaces);

// True when the text holds nothing but blanks, line feeds, tabs and NULs (an
// empty text included): the translate command refuses such a text.
bool texteVide(const QString &texte);

// One translation as the user asks for it: the chosen style and direction and
// the options, each used only in the direction it belongs to. `retablirMots`
// asks for the reading with words of a built-in style's leet.
struct Demande
{
    Ecriture ecriture = Ecriture::Velmora;
    bool versLeet = true;
    bool doublerAntiSlashs = false;
    bool mettreEspaces = false;
    bool supprimerEspaces = false;
    bool retablirMots = false;
};

// Whether the request reads leet back with words (relecture.h) rather than
// glyph by glyph: the usual leet always does, Velmora and Korvane when asked.
bool lectureAvecMots(const Demande &demande);

// Calls the entry point that matches the request. The personal style exists
// from French to leet only, and the usual leet reads back only with a word
// list (retablissement.h): from leet both give an empty result here.
QString traduireSelon(const Demande &demande, const QString &texte, const Glyphes &cases = {});
