#pragma once

// UTF-8 as the fast paths and the streamed translation read and write it,
// one character at a time, without going through QString.

#include <QtGlobal>

#include <QChar>

namespace utf8 {

// The length of the well-formed UTF-8 sequence (Unicode, table 3-7) that
// starts at `octets`, of which `disponibles` bytes may be read, or 0 when none
// starts there: QString::fromUtf8() makes one U+FFFD of that byte.
inline int longueurSequence(const char *octets, qsizetype disponibles)
{
    const auto octet = [&](int k) { return static_cast<unsigned char>(octets[k]); };
    const unsigned char tete = octet(0);
    int longueur = 0;
    unsigned char bas = 0x80, haut = 0xBF; // bounds of the second byte
    if (tete < 0x80)
        return 1;
    if (tete >= 0xC2 && tete <= 0xDF)
        longueur = 2;
    else if (tete >= 0xE0 && tete <= 0xEF)
        longueur = 3;
    else if (tete >= 0xF0 && tete <= 0xF4)
        longueur = 4;
    if (tete == 0xE0)
        bas = 0xA0; // overlong below
    else if (tete == 0xED)
        haut = 0x9F; // surrogates above
    else if (tete == 0xF0)
        bas = 0x90; // overlong below
    else if (tete == 0xF4)
        haut = 0x8F; // past U+10FFFF above
    if (longueur == 0 || longueur > disponibles || octet(1) < bas || octet(1) > haut)
        return 0;
    for (int k = 2; k < longueur; ++k) {
        if ((octet(k) & 0xC0) != 0x80)
            return 0;
    }
    return longueur;
}

// The character of a well-formed sequence of `longueur` bytes.
inline char32_t decoder(const char *octets, int longueur)
{
    const auto suite = [&](int k) { return char32_t(octets[k] & 0x3F); };
    const char32_t tete = static_cast<unsigned char>(octets[0]);
    switch (longueur) {
    case 2:
        return (tete & 0x1F) << 6 | suite(1);
    case 3:
        return (tete & 0x0F) << 12 | suite(1) << 6 | suite(2);
    case 4:
        return (tete & 0x07) << 18 | suite(1) << 12 | suite(2) << 6 | suite(3);
    default:
        return tete;
    }
}

// How many units of UTF-16 (Unite char16_t) or UTF-8 (char) a character takes.
template <typename Unite> constexpr qsizetype taille(char32_t c)
{
    if constexpr (sizeof(Unite) == 2)
        return c >= 0x10000 ? 2 : 1;
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// Writes a character in UTF-16 or UTF-8 and returns the end.
template <typename Unite> inline Unite *ecrire(Unite *ecriture, char32_t c)
{
    if constexpr (sizeof(Unite) == 2) {
        if (c >= 0x10000) {
            *ecriture++ = QChar::highSurrogate(c);
            *ecriture++ = QChar::lowSurrogate(c);
        } else {
            *ecriture++ = char16_t(c);
        }
    } else if (c < 0x80) {
        *ecriture++ = char(c);
    } else if (c < 0x800) {
        *ecriture++ = char(0xC0 | (c >> 6));
        *ecriture++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *ecriture++ = char(0xE0 | (c >> 12));
        *ecriture++ = char(0x80 | ((c >> 6) & 0x3F));
        *ecriture++ = char(0x80 | (c & 0x3F));
    } else {
        *ecriture++ = char(0xF0 | (c >> 18));
        *ecriture++ = char(0x80 | ((c >> 12) & 0x3F));
        *ecriture++ = char(0x80 | ((c >> 6) & 0x3F));
        *ecriture++ = char(0x80 | (c & 0x3F));
    }
    return ecriture;
}

} // namespace utf8
