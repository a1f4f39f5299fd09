#include "regles.h"

#include <array>

namespace {

constexpr char16_t antiSlash = u'\\';

int indexLettre(unsigned char cle)
{
    if (cle >= 'A' && cle <= 'Z')
        return cle - 'A';
    if (cle >= 'a' && cle <= 'z')
        return cle - 'a';
    return -1;
}

template <typename Texte>
void ajouterGlypheDe(QString &sortie, const Texte &glyphe, bool doublerAntiSlashs)
{
    if (!doublerAntiSlashs) {
        sortie.append(glyphe);
        return;
    }
    for (qsizetype k = 0; k < glyphe.size(); ++k) {
        const QChar c = glyphe.at(k);
        sortie.append(c);
        if (c == antiSlash)
            sortie.append(c);
    }
}

} // namespace

void ajouterGlyphe(QString &sortie, QStringView glyphe, bool doublerAntiSlashs)
{
    ajouterGlypheDe(sortie, glyphe, doublerAntiSlashs);
}

void ajouterGlyphe(QString &sortie, QLatin1StringView glyphe, bool doublerAntiSlashs)
{
    ajouterGlypheDe(sortie, glyphe, doublerAntiSlashs);
}

unsigned char cleAscii(char16_t code)
{
    if (code < 0x80)
        return static_cast<unsigned char>(code);
    // Lead byte of the UTF-8 form; a lone surrogate, which has none, takes
    // that of U+FFFD. Either way it matches no ASCII rule.
    if (code < 0x800)
        return static_cast<unsigned char>(0xC0 | (code >> 6));
    if (code >= 0xD800 && code <= 0xDFFF)
        return 0xEF;
    return static_cast<unsigned char>(0xE0 | (code >> 12));
}

void recopierChiffre(unsigned char cle, QString &sortie)
{
    if (cle >= '0' && cle <= '9')
        sortie.append(QChar(char16_t(cle)));
}

void recopierPonctuation(unsigned char cle, QString &sortie, bool doublerAntiSlashs)
{
    const bool copiee = cle == 0 || cle == '\t' || cle == '\n' || cle == '\r' ||
                        (cle >= ' ' && cle <= '.') || (cle >= ':' && cle <= '@') ||
                        (cle >= '[' && cle <= '_') || (cle >= '{' && cle <= '~');
    if (!copiee)
        return;
    sortie.append(QChar(char16_t(cle)));
    if (cle == '\\' && doublerAntiSlashs)
        sortie.append(QChar(char16_t(cle)));
}

void recopierSymbole(char16_t code, QString &sortie)
{
    // The soft hyphen U+00AD and the no-break space U+00A0 are not copied.
    const bool copie = code == u'`' || (code >= 0xA1 && code <= 0xBF && code != 0xAD) ||
                       code == 0xD7 || code == 0xDE || code == 0xDF || code == 0xF7;
    if (copie)
        sortie.append(QChar(code));
}

void recopierAccent(char16_t code, QString &sortie)
{
    const bool copie = (code >= 0xC0 && code <= 0xCB) || (code >= 0xD0 && code <= 0xD6) ||
                       (code >= 0xD8 && code <= 0xDD) || (code >= 0xE0 && code <= 0xEB) ||
                       (code >= 0xF0 && code <= 0xF6) || (code >= 0xF8 && code <= 0xFD) ||
                       code == 0xFF;
    if (copie)
        sortie.append(QChar(code));
}

void recopierAutre(char16_t code, QString &sortie)
{
    const bool copie = code == 0xA0 || code == 0xFE || (code >= 0x100 && !QChar::isSurrogate(code));
    if (copie)
        sortie.append(QChar(code));
}

void convertirLettreCommune(unsigned char cle, QString &sortie, bool doublerAntiSlashs)
{
    recopierChiffre(cle, sortie);
    const int lettre = indexLettre(cle);
    if (lettre >= 0 && !estLettreDuStyle(lettre))
        ajouterGlyphe(sortie, glypheCommun(lettre), doublerAntiSlashs);
    recopierPonctuation(cle, sortie, doublerAntiSlashs);
}

void convertirAccent(char16_t code, QString &sortie, const Glyphes *personnel,
                     bool doublerAntiSlashs)
{
    for (const char base : lettresDeBase(code)) {
        const int lettre = base - 'A';
        if (personnel)
            ajouterGlyphe(sortie, (*personnel)[lettre], doublerAntiSlashs);
        else
            ajouterGlyphe(sortie, glypheCommun(lettre), doublerAntiSlashs);
    }
    recopierSymbole(code, sortie);
}

void convertirLettrePersonnalisee(unsigned char cle, QString &sortie, const Glyphes &cases,
                                  bool doublerAntiSlashs)
{
    recopierChiffre(cle, sortie);
    const int lettre = indexLettre(cle);
    if (lettre >= 0 && !estLettreDuStyle(lettre))
        ajouterGlyphe(sortie, cases[lettre], doublerAntiSlashs);
    recopierPonctuation(cle, sortie, doublerAntiSlashs);
}

QString convertirCaractere(char16_t code, Style style, const Glyphes *personnel,
                           bool doublerAntiSlashs)
{
    QString resultat;
    const unsigned char cle = cleAscii(code);
    // The glyph of one of the style's own letters; the built-in B, I, L and Q
    // have no backslash, so only a personal glyph can be doubled.
    const auto ajouterLettreDuStyle = [&](int lettre) {
        if (personnel)
            ajouterGlyphe(resultat, (*personnel)[lettre], doublerAntiSlashs);
        else
            resultat.append(glyphe(style, lettre));
    };

    convertirAccent(code, resultat, personnel, doublerAntiSlashs);
    if (estIAccentue(code))
        ajouterLettreDuStyle('I' - 'A');
    if (personnel)
        convertirLettrePersonnalisee(cle, resultat, *personnel, doublerAntiSlashs);
    else
        convertirLettreCommune(cle, resultat, doublerAntiSlashs);
    const int lettre = indexLettre(cle);
    if (lettre >= 0 && estLettreDuStyle(lettre))
        ajouterLettreDuStyle(lettre);
    // A character with no glyph is copied as leet read back copies it: "ÿ",
    // "€", "’", the no-break space.
    if (lettresDeBase(code).isEmpty() && !estIAccentue(code)) {
        recopierAccent(code, resultat);
        recopierAutre(code, resultat);
    }
    return resultat;
}

void recopierCaractere(QChar caractere, unsigned char cle, QString &sortie)
{
    // 0 is a position a glyph consumed (or a NUL of the text): it stands for
    // nothing the reader should see.
    if (cle == 0)
        return;
    recopierChiffre(cle, sortie);
    if (indexLettre(cle) >= 0)
        sortie.append(QChar(char16_t(cle)));
    recopierPonctuation(cle, sortie, false);
    recopierAccent(caractere.unicode(), sortie);
    recopierSymbole(caractere.unicode(), sortie);
    recopierAutre(caractere.unicode(), sortie);
}

char16_t copieDe(char16_t code)
{
    static const std::array<char16_t, 256> copies = [] {
        std::array<char16_t, 256> table{};
        for (int c = 1; c < 256; ++c) {
            QString copie;
            recopierCaractere(QChar(c), cleAscii(char16_t(c)), copie);
            table[size_t(c)] = copie.isEmpty() ? 0 : copie.front().unicode();
        }
        return table;
    }();
    if (code < 256)
        return copies[code];
    return QChar::isSurrogate(code) ? 0 : code;
}

Style styleDe(Ecriture ecriture)
{
    return ecriture == Ecriture::Korvane ? Style::Korvane : Style::Velmora;
}
