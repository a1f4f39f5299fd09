#include "traduction.h"

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t antiSlash = u'\\';

bool estBlanc(unsigned char cle)
{
    return cle == ' ' || cle == '\n' || cle == '\r' || cle == '\t';
}

int indexLettre(unsigned char cle)
{
    if (cle >= 'A' && cle <= 'Z')
        return cle - 'A';
    if (cle >= 'a' && cle <= 'z')
        return cle - 'a';
    return -1;
}

// Appends a glyph; with the option on, every backslash is written twice.
template <typename Texte>
void ajouterGlyphe(QString &sortie, const Texte &glyphe, bool doublerAntiSlashs)
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

qsizetype longueurUtile(const QString &texte, qsizetype longueur)
{
    return std::clamp<qsizetype>(longueur, 0, texte.size());
}

// ---------------------------------------------------------------------------
// French to leet. Every character of code 256 or more gives nothing, so what a
// style writes for a character is fully known from the 256 codes below 256.
// The table is built once per style and options by running the character
// rules over those codes; the conversion then only copies table entries.

using TableLeet = std::array<QString, 256>;

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
    return resultat;
}

TableLeet construireTable(Style style, const Glyphes *personnel, bool doublerAntiSlashs)
{
    TableLeet table;
    for (int code = 0; code < 256; ++code)
        table[code] = convertirCaractere(char16_t(code), style, personnel, doublerAntiSlashs);
    return table;
}

const TableLeet &tableIntegree(Style style, bool doublerAntiSlashs)
{
    static const std::array<TableLeet, 4> tables = {
        construireTable(Style::Velmora, nullptr, false),
        construireTable(Style::Velmora, nullptr, true),
        construireTable(Style::Korvane, nullptr, false),
        construireTable(Style::Korvane, nullptr, true),
    };
    return tables[(style == Style::Korvane ? 2 : 0) + (doublerAntiSlashs ? 1 : 0)];
}

QString convertirVersLeet(const TableLeet &table, const QString &texte, qsizetype longueur,
                          bool mettreEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n == 0)
        return {};
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());

    // The blank added after a character: not after a blank, a tab or a line
    // break of the input, and never after the last character.
    const auto ajouteUnBlanc = [&](qsizetype p) {
        return mettreEspaces && p < n - 1 && !estBlanc(cleAscii(source[p]));
    };

    // A first pass measures the result so that it is allocated exactly once.
    qsizetype total = 0;
    for (qsizetype p = 0; p < n; ++p) {
        if (source[p] < 256)
            total += table[source[p]].size();
        if (ajouteUnBlanc(p))
            ++total;
    }

    QString sortie(total, Qt::Uninitialized);
    char16_t *ecriture = reinterpret_cast<char16_t *>(sortie.data());
    for (qsizetype p = 0; p < n; ++p) {
        if (source[p] < 256) {
            const QString &glyphe = table[source[p]];
            std::memcpy(ecriture, glyphe.constData(), size_t(glyphe.size()) * sizeof(char16_t));
            ecriture += glyphe.size();
        }
        if (ajouteUnBlanc(p))
            *ecriture++ = u' ';
    }
    return sortie;
}

// ---------------------------------------------------------------------------
// Leet to French.

struct GlyphesPropres
{
    QLatin1StringView q, b, l, i;
};

GlyphesPropres glyphesPropres(Style style)
{
    return {glyphe(style, 'Q' - 'A'), glyphe(style, 'B' - 'A'), glyphe(style, 'L' - 'A'),
            glyphe(style, 'I' - 'A')};
}

// Compares left to right and stops at the first mismatch; the working copy
// ends with a 0 that no glyph holds, so the test never reads past it.
bool glyphePresent(const char *copie, qsizetype position, QLatin1StringView glyphe)
{
    for (qsizetype k = 0; k < glyphe.size(); ++k) {
        if (copie[position + k] != glyphe[k].toLatin1())
            return false;
    }
    return true;
}

// The matching rule: a glyph found at the current position gives its letter,
// a capital at the start of the text or after a sentence end, and its
// characters are consumed so that nothing can start inside it later.
bool essayerGlyphe(QByteArray &copie, qsizetype position, QLatin1StringView glyphe, char lettre,
                   QString &sortie, bool &nonReconnu)
{
    if (!glyphePresent(copie.constData(), position, glyphe))
        return false;
    const bool capitale = position == 0 || finDePhrase(copie, position);
    sortie.append(QLatin1Char(capitale ? lettre : char(lettre - 'A' + 'a')));
    std::memset(copie.data() + position, 0, size_t(glyphe.size()));
    nonReconnu = false;
    return true;
}

// The bytes that can open a glyph of the style; any other position goes
// straight to the blank rule and the copy rules.
std::array<bool, 256> premiersOctets(Style style)
{
    std::array<bool, 256> debuts{};
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        debuts[static_cast<unsigned char>(glyphe(style, lettre).front().toLatin1())] = true;
    return debuts;
}

// Tries every glyph of the style at one position: the style's own Q and B
// first, so that the Korvane "(,)" and "|3" win over "(" and "3", then the
// shared glyphs, then L and I, which stand only where nothing longer does.
bool decoderPosition(const GlyphesPropres &propres, QByteArray &copie, qsizetype position,
                     QString &sortie)
{
    bool nonReconnu = true;
    if (essayerGlyphe(copie, position, propres.q, 'Q', sortie, nonReconnu) ||
        essayerGlyphe(copie, position, propres.b, 'B', sortie, nonReconnu))
        return true;
    reconnaitreGlyphe(copie, position, sortie, nonReconnu);
    if (!nonReconnu)
        return true;
    return essayerGlyphe(copie, position, propres.l, 'L', sortie, nonReconnu) ||
           essayerGlyphe(copie, position, propres.i, 'I', sortie, nonReconnu);
}

QString convertirVersFrancais(Style style, const QString &texte, qsizetype longueur,
                              bool supprimerEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n == 0)
        return {};

    static const std::array<std::array<bool, 256>, 2> debutsParStyle = {
        premiersOctets(Style::Velmora), premiersOctets(Style::Korvane)};
    const std::array<bool, 256> &debuts = debutsParStyle[style == Style::Korvane ? 1 : 0];
    const GlyphesPropres propres = glyphesPropres(style);

    // The working copy: one byte per character, then the terminating 0 that
    // QByteArray keeps after its data.
    QByteArray copie(n, Qt::Uninitialized);
    const QChar *source = texte.constData();
    for (qsizetype p = 0; p < n; ++p)
        copie[p] = char(cleAscii(source[p].unicode()));

    QString sortie;
    sortie.reserve(n);
    for (qsizetype p = 0; p < n; ++p) {
        const unsigned char cle = static_cast<unsigned char>(copie.at(p));
        if (debuts[cle] && decoderPosition(propres, copie, p, sortie))
            continue;
        if (supprimerEspaces && cle == ' ' && copie.constData()[p + 1] != ' ')
            copie[p] = 0;
        else
            recopierCaractere(source[p], cle, sortie);
    }
    return sortie;
}

} // namespace

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

void ajouterCaseDoublee(QString &sortie, const Glyphes &cases, int index)
{
    ajouterGlyphe(sortie, cases[index], true);
}

QString traduireFrancaisVelmora(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(tableIntegree(Style::Velmora, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisKorvane(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(tableIntegree(Style::Korvane, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisPersonnalisee(const QString &texte, const Glyphes &cases,
                                      qsizetype longueur, bool doublerAntiSlashs,
                                      bool mettreEspaces)
{
    if (longueurUtile(texte, longueur) == 0)
        return {};
    const TableLeet table = construireTable(Style::Velmora, &cases, doublerAntiSlashs);
    return convertirVersLeet(table, texte, longueur, mettreEspaces);
}

bool finDePhrase(const QByteArray &copie, qsizetype position)
{
    for (qsizetype p = std::min(position, copie.size()) - 1; p >= 0; --p) {
        const unsigned char cle = static_cast<unsigned char>(copie.at(p));
        if (estBlanc(cle))
            continue;
        return cle == '.' || cle == '!' || cle == '?';
    }
    return false;
}

void reconnaitreGlyphe(QByteArray &copie, qsizetype position, QString &sortie, bool &nonReconnu)
{
    if (position < 0 || position >= copie.size())
        return;
    for (const char lettre : ordreReconnaissance()) {
        if (essayerGlyphe(copie, position, glypheCommun(lettre - 'A'), lettre, sortie, nonReconnu))
            return;
    }
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
}

QString traduireLeetVelmora(const QString &texte, qsizetype longueur, bool supprimerEspaces)
{
    return convertirVersFrancais(Style::Velmora, texte, longueur, supprimerEspaces);
}

QString traduireLeetKorvane(const QString &texte, qsizetype longueur, bool supprimerEspaces)
{
    return convertirVersFrancais(Style::Korvane, texte, longueur, supprimerEspaces);
}

bool texteVide(const QString &texte)
{
    return std::all_of(texte.cbegin(), texte.cend(),
                       [](QChar c) { return c == u' ' || c == u'\n' || c == u'\t' || c == u'\0'; });
}

QString traduireSelon(const Demande &demande, const QString &texte, const Glyphes &cases)
{
    const qsizetype longueur = texte.size();
    if (demande.versLeet) {
        switch (demande.ecriture) {
        case Ecriture::Velmora:
            return traduireFrancaisVelmora(texte, longueur, demande.doublerAntiSlashs,
                                           demande.mettreEspaces);
        case Ecriture::Korvane:
            return traduireFrancaisKorvane(texte, longueur, demande.doublerAntiSlashs,
                                           demande.mettreEspaces);
        case Ecriture::Personnalisee:
            return traduireFrancaisPersonnalisee(texte, cases, longueur, demande.doublerAntiSlashs,
                                                 demande.mettreEspaces);
        }
        return {};
    }
    switch (demande.ecriture) {
    case Ecriture::Velmora:
        return traduireLeetVelmora(texte, longueur, demande.supprimerEspaces);
    case Ecriture::Korvane:
        return traduireLeetKorvane(texte, longueur, demande.supprimerEspaces);
    case Ecriture::Personnalisee:
        break;
    }
    return {};
}
