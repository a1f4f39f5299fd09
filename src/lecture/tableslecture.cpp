// The glyph tables of the reading with words: which glyphs each letter reads
// from, in which order they are tried, and what every other character is to
// a word (part of it, its end, a mark).

#include "lecturemots.h"

#include "inventaireglyphes.h"
#include "regles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void ajouterGlyphe(Lecture &l, char lettre, QLatin1StringView g)
{
    Glyphe x;
    x.taille = int(g.size());
    for (int k = 0; k < x.taille; ++k)
        x.octets[size_t(k)] = g.data()[k];
    x.lettre = lettre;
    std::vector<Glyphe> &memeDebut = l.glyphes[static_cast<unsigned char>(x.octets[0])];
    for (const Glyphe &y : memeDebut)
        if (y.lettre == x.lettre && y.taille == x.taille && y.octets == x.octets)
            return;
    memeDebut.push_back(x);
}

// The copy rules and which marks end a word, once the glyphs are known.
void completerLecture(Lecture &l)
{
    std::array<bool, 256> &dansUnGlyphe = l.dansUnGlyphe;
    for (const std::vector<Glyphe> &memeDebut : l.glyphes)
        for (const Glyphe &g : memeDebut)
            for (int k = 0; k < g.taille; ++k)
                dansUnGlyphe[static_cast<unsigned char>(g.octets[size_t(k)])] = true;
    for (int code = 1; code < 256; ++code) {
        const char16_t c = lueTelle(char16_t(code));
        Copie &sorte = l.sorte[size_t(code)];
        if (c == 0)
            sorte = Copie::Rien;
        else if (c >= u'0' && c <= u'9')
            sorte = Copie::Chiffre;
        else if ((c < 128 && QChar(c).isLetter()) || !lettresDeBase(c).isEmpty() || estIAccentue(c))
            sorte = Copie::Lettre;
        else
            sorte = Copie::Signe;
        // "«", "»", "°" end a word as "," does: no glyph has them.
        l.separateur[size_t(code)] =
            sorte == Copie::Signe && !dansUnGlyphe[size_t(code)] && !estBlanc(char16_t(code));
        if (code < 128)
            l.dansUnMot[size_t(code)] = !l.separateur[size_t(code)] && !estBlanc(char16_t(code));
    }
}

Lecture construireLecture(Style style)
{
    Lecture l;
    for (const char lettre : ordreReconnaissance())
        ajouterGlyphe(l, char(lettre - 'A' + 'a'), glyphe(style, lettre - 'A'));
    completerLecture(l);
    return l;
}

// The common glyphs, then the two styles', the longest first among those that
// start alike: a glyph is tried whole before its first characters read as
// another ("|_|" before "|_" and "|").
Lecture construireLectureCommune()
{
    Lecture l;
    for (const GlypheCommun &g : inventaireDesGlyphes())
        ajouterGlyphe(l, g.lettre, g.glyphe);
    for (const Style style : {Style::Velmora, Style::Korvane})
        for (int lettre = 0; lettre < nombreLettres; ++lettre)
            ajouterGlyphe(l, char('a' + lettre), glyphe(style, lettre));
    for (std::vector<Glyphe> &memeDebut : l.glyphes)
        std::stable_sort(memeDebut.begin(), memeDebut.end(),
                         [](const Glyphe &a, const Glyphe &b) { return a.taille > b.taille; });
    completerLecture(l);
    l.telQuel = true;
    l.coutSigne = Chemin::coutSigne / 2;
    return l;
}

} // namespace

const Lecture &lecture(Style style)
{
    static const std::array<Lecture, 2> lectures = {construireLecture(Style::Velmora),
                                                    construireLecture(Style::Korvane)};
    return lectures[style == Style::Korvane ? 1 : 0];
}

const Lecture &lectureCommune()
{
    static const Lecture l = construireLectureCommune();
    return l;
}

Copie sorteDe(const Lecture &l, char16_t code)
{
    if (code < 256)
        return l.sorte[code];
    return lettresDeBase(code).isEmpty() ? Copie::Rien : Copie::Lettre;
}
