#pragma once

// The paths through a run that the fallback weighs (lecturechemin.cpp,
// etapeschemin.cpp): every way of cutting the run into words, unknown
// words, numbers and marks, with what each step costs. Private to the
// reading with words.

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

// Runs longer than this are no word: they get the standard reading.
inline constexpr int longueurMaximale = 64;

// The best path to each border between pieces of the run, after a mark, a
// word, a word of one letter or a number, and to each state of an unknown
// word, its last two letters.
struct Chemin
{
    // The costs below are log-probabilities, against the model's; each was
    // measured on the manual pages of the round trip and the strings held out
    // of the model.
    // That a character that glyphs hold was written as itself ("|" of
    // "|nom|", "=" of "limit=5").
    static constexpr float coutSigne = 12.0f;
    // That a run holds one glyph character written as itself again and
    // again ("|nom|afficher|", "a|b|c"), once for the run; then what each
    // costs.
    static constexpr float coutSignesTelsQuels = 16.0f;
    static constexpr float coutSigneRepete = 4.0f;
    // That a digit that glyphs hold was written as a digit ("2023").
    static constexpr float coutChiffre = 5.0f;
    // That a number stands where a word could: the manual pages hold one for
    // some thirty words.
    static constexpr float coutNombre = 3.5f;
    // That a word is one that neither the list nor the model has.
    static constexpr float coutInconnu = 6.0f;
    // That two words stand together with no mark between them ("mem" and
    // "limit", "build" and "package"); that a word follows a number so
    // ("po4a"), rather than the number ending with letters; that a number
    // follows a word so ("lzma2"); that a word goes on with letters the list
    // lacks ("algorithms"), rather than with a digit.
    static constexpr float coutJointure = 2.0f;
    static constexpr float coutApresNombre = 8.0f;
    static constexpr float coutNombreApresMot = 3.0f;
    static constexpr float coutSuffixe = 5.0f;
    // How far behind the best a path may stand at a position and still be
    // followed: a mark's cost; an unknown word's letters, behind the best of
    // them.
    static constexpr float margeDesChemins = 12.0f;
    static constexpr float margeDesLettres = 6.0f;
    // Where the letters of a word's ending start: after the word.
    static constexpr qint16 suffixe = -2;
    static constexpr float jamais = -std::numeric_limits<float>::infinity();

    enum Genre : qint8 { Signes, Blanc, Nombre, Mot, Inconnu };
    struct Pas
    {
        float note;
        qint16 depuis;
        qint16 avant; // the border or the letters' state it came from
        Genre genre;
    };
    struct Retour
    {
        qint16 depuis; // -1 at the word's start
        quint16 avant;
        qint8 pris; // the glyph, or a letter written as itself
    };
    static constexpr size_t paires = 27 * 27;
    enum Etat { apresSigne, apresMot, apresLettre, apresNombre, etats };
    struct Depart
    {
        float note;
        int etat;
    };
    std::array<std::array<Pas, longueurMaximale + 1>, etats> bords{};
    // The glyphs of the best word that ends at each position, by the border
    // it leads to (after a word, after a word of one letter).
    std::array<std::array<std::array<qint8, longueurMaximale + 1>, longueurMaximale + 1>, 3>
        choixDesMots{};
    std::array<Depart, 2> departMot{};                      // of a word of several letters, of one
    std::array<qint8, longueurMaximale + 1> departs{};      // the border an unknown word left
    std::array<bool, longueurMaximale + 1> copieStandard{}; // the standard reading copies it
    // The glyphs that stand at each position, by their index among those
    // that start with its character.
    static constexpr int glyphesMaximum = 16;
    std::array<std::array<qint8, glyphesMaximum>, longueurMaximale + 1> glyphes{};
    std::array<int, longueurMaximale + 1> nombreDeGlyphes{};
    std::vector<float> notesLettres;
    // Written before they are read in each run: never set otherwise.
    std::unique_ptr<Retour[]> retoursLettres;
    // noteCourte()'s, by the letters' ranks; NaN for one not yet looked up.
    mutable std::vector<float> notesCourtes;
    // The letters' states reached at each position, as long as the longest
    // run read so far.
    std::vector<std::array<quint16, paires>> actives;
    std::array<int, longueurMaximale + 1> nombreActives{};
    std::array<char16_t, longueurMaximale> lettres{};
    int depart = 0;
    float seuil = 0; // below it at a position, a path is dropped
    // The glyph character that the run may hold as written again and again
    // (0 for none), and what it costs read so on this pass.
    unsigned char signeRepete = 0;
    float coutDuSigneRepete = 0;
};
