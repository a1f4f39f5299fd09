#include "traduction.h"

#include <QList>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t antiSlash = u'\\';

// A blank, a tab or a line break: for a key, or for a character (whose key is
// a blank exactly when the character is one).
bool estBlanc(char16_t c)
{
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
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

// The leet for characters `debut` to `fin` of a text of `n` characters.
QString convertirVersLeet(const TableLeet &table, const char16_t *source, qsizetype debut,
                          qsizetype fin, qsizetype n, bool mettreEspaces)
{
    // The blank added after a character: not after a blank, a tab or a line
    // break of the input, and never after the last character of the text.
    const auto ajouteUnBlanc = [&](qsizetype p) {
        return mettreEspaces && p < n - 1 && !estBlanc(source[p]);
    };

    // A first pass measures the result so that it is allocated exactly once.
    qsizetype total = 0;
    for (qsizetype p = debut; p < fin; ++p) {
        if (source[p] < 256)
            total += table[source[p]].size();
        if (ajouteUnBlanc(p))
            ++total;
    }

    QString sortie(total, Qt::Uninitialized);
    char16_t *ecriture = reinterpret_cast<char16_t *>(sortie.data());
    for (qsizetype p = debut; p < fin; ++p) {
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

QString convertirVersLeet(const TableLeet &table, const QString &texte, qsizetype longueur,
                          bool mettreEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n == 0)
        return {};
    return convertirVersLeet(table, reinterpret_cast<const char16_t *>(texte.constData()), 0, n, n,
                             mettreEspaces);
}

// ---------------------------------------------------------------------------
// Leet to French.

// A glyph of at most four bytes seen as a pattern over the next four bytes of
// the working copy, so that one comparison tells whether it stands there.
struct Motif
{
    quint32 valeur = 0;
    quint32 masque = 0;
    qsizetype taille = 0;
    char lettre = 0;
};

Motif motif(QLatin1StringView glyphe, char lettre)
{
    Motif m;
    m.taille = glyphe.size();
    m.lettre = lettre;
    for (qsizetype k = 0; k < glyphe.size(); ++k) {
        m.valeur |= quint32(static_cast<unsigned char>(glyphe.data()[k])) << (8 * k);
        m.masque |= quint32(0xFF) << (8 * k);
    }
    return m;
}

// The bytes from `position` on, at most four, up to the first 0 (a consumed
// position or the 0 that ends the copy): nothing past the copy is ever read,
// and since no glyph holds a 0, a glyph matches these bytes exactly when its
// characters all stand in the copy.
inline quint32 octetsSuivants(const char *copie, qsizetype position)
{
    quint32 mot = 0;
    for (int k = 0; k < 4; ++k) {
        const unsigned char octet = static_cast<unsigned char>(copie[position + k]);
        if (octet == 0)
            break;
        mot |= quint32(octet) << (8 * k);
    }
    return mot;
}

// The matching rule: a glyph found at the current position gives its letter,
// a capital at the start of the text or after a sentence end, and its
// characters are consumed so that nothing can start inside it later. Returns
// the letter, or 0 when the glyph is not there.
inline char essayerGlyphe(QByteArray &copie, qsizetype position, quint32 suivants,
                          const Motif &glyphe)
{
    if ((suivants & glyphe.masque) != glyphe.valeur)
        return 0;
    const bool capitale = position == 0 || finDePhrase(copie, position);
    char *consommes = copie.data() + position;
    for (qsizetype k = 0; k < glyphe.taille; ++k)
        consommes[k] = 0;
    return capitale ? glyphe.lettre : char(glyphe.lettre - 'A' + 'a');
}

// The 22 shared glyphs grouped by their first byte, each group in the
// recognition order: only the glyphs that can start at a position are tried.
const std::array<QList<Motif>, 128> &motifsCommuns()
{
    static const std::array<QList<Motif>, 128> groupes = [] {
        std::array<QList<Motif>, 128> parPremierOctet;
        for (const char lettre : ordreReconnaissance()) {
            const QLatin1StringView glyphe = glypheCommun(lettre - 'A');
            parPremierOctet[glyphe.front().toLatin1()].append(motif(glyphe, lettre));
        }
        return parPremierOctet;
    }();
    return groupes;
}

char reconnaitreSuivants(QByteArray &copie, qsizetype position, quint32 suivants)
{
    const unsigned char premier = suivants & 0xFF;
    if (premier >= 128)
        return 0;
    for (const Motif &glyphe : motifsCommuns()[premier]) {
        if (const char lettre = essayerGlyphe(copie, position, suivants, glyphe))
            return lettre;
    }
    return 0;
}

// The glyphs of a style's own four letters, and the bytes that can open any
// glyph of the style.
struct GlyphesDuStyle
{
    Motif q, b, l, i;
    std::array<bool, 256> debuts{};
};

GlyphesDuStyle glyphesDuStyle(Style style)
{
    GlyphesDuStyle g;
    g.q = motif(glyphe(style, 'Q' - 'A'), 'Q');
    g.b = motif(glyphe(style, 'B' - 'A'), 'B');
    g.l = motif(glyphe(style, 'L' - 'A'), 'L');
    g.i = motif(glyphe(style, 'I' - 'A'), 'I');
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        g.debuts[static_cast<unsigned char>(glyphe(style, lettre).front().toLatin1())] = true;
    return g;
}

// Tries every glyph of the style at one position: the style's own Q and B
// first, so that the Korvane "(,)" and "|3" win over "(" and "3", then the
// shared glyphs, then L and I, which stand only where nothing longer does.
// Returns the decoded letter, or 0.
char decoderPosition(const GlyphesDuStyle &propres, QByteArray &copie, qsizetype position)
{
    const quint32 suivants = octetsSuivants(copie.constData(), position);
    char lettre = essayerGlyphe(copie, position, suivants, propres.q);
    if (!lettre)
        lettre = essayerGlyphe(copie, position, suivants, propres.b);
    if (!lettre)
        lettre = reconnaitreSuivants(copie, position, suivants);
    if (!lettre)
        lettre = essayerGlyphe(copie, position, suivants, propres.l);
    if (!lettre)
        lettre = essayerGlyphe(copie, position, suivants, propres.i);
    return lettre;
}

// What a position that no glyph decoded gives, for every code below 256 (the
// copy rules give nothing above): the character itself, or 0 for nothing.
const std::array<char16_t, 256> &copiesDeCaracteres()
{
    static const std::array<char16_t, 256> copies = [] {
        std::array<char16_t, 256> table{};
        for (int code = 1; code < 256; ++code) {
            QString copie;
            recopierCaractere(QChar(code), cleAscii(char16_t(code)), copie);
            table[code] = copie.isEmpty() ? 0 : copie.front().unicode();
        }
        return table;
    }();
    return copies;
}

QString convertirVersFrancais(Style style, const QString &texte, qsizetype longueur,
                              bool supprimerEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n == 0)
        return {};

    static const std::array<GlyphesDuStyle, 2> styles = {glyphesDuStyle(Style::Velmora),
                                                         glyphesDuStyle(Style::Korvane)};
    const GlyphesDuStyle &propres = styles[style == Style::Korvane ? 1 : 0];

    // The working copy: one byte per character, then the terminating 0 that
    // QByteArray keeps after its data.
    QByteArray copie(n, Qt::Uninitialized);
    const QChar *source = texte.constData();
    char *ecriture = copie.data();
    for (qsizetype p = 0; p < n; ++p)
        ecriture[p] = char(cleAscii(source[p].unicode()));

    // Every position gives at most one character: the result is allocated
    // once at the text's length and cut to size at the end.
    const std::array<char16_t, 256> &copies = copiesDeCaracteres();
    QString sortie(n, Qt::Uninitialized);
    char16_t *const debut = reinterpret_cast<char16_t *>(sortie.data());
    char16_t *fin = debut;
    const char *octets = copie.constData();
    for (qsizetype p = 0; p < n; ++p) {
        const unsigned char cle = static_cast<unsigned char>(octets[p]);
        // Most positions of a leet text are the later characters of a glyph,
        // already consumed: they give nothing.
        if (cle == 0)
            continue;
        if (propres.debuts[cle]) {
            if (const char lettre = decoderPosition(propres, copie, p)) {
                *fin++ = char16_t(lettre);
                continue;
            }
        }
        if (supprimerEspaces && cle == ' ' && octets[p + 1] != ' ') {
            copie[p] = 0;
            continue;
        }
        const char16_t code = source[p].unicode();
        if (code < 256 && copies[code] != 0)
            *fin++ = copies[code];
    }
    sortie.truncate(fin - debut);
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
    if (const char lettre =
            reconnaitreSuivants(copie, position, octetsSuivants(copie.constData(), position))) {
        sortie.append(QLatin1Char(lettre));
        nonReconnu = false;
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

void traduireParTranches(const Demande &demande, const QString &texte, const Glyphes &cases,
                         qsizetype tranche, const std::function<void(const QString &)> &recevoir)
{
    if (!demande.versLeet) {
        recevoir(traduireSelon(demande, texte, cases));
        return;
    }
    TableLeet personnelle;
    if (demande.ecriture == Ecriture::Personnalisee)
        personnelle = construireTable(Style::Velmora, &cases, demande.doublerAntiSlashs);
    const TableLeet &table =
        demande.ecriture == Ecriture::Personnalisee
            ? personnelle
            : tableIntegree(demande.ecriture == Ecriture::Korvane ? Style::Korvane : Style::Velmora,
                            demande.doublerAntiSlashs);
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());
    const qsizetype n = texte.size();
    tranche = std::max<qsizetype>(tranche, 1);
    for (qsizetype debut = 0; debut < n; debut += tranche) {
        const qsizetype fin = std::min(n, debut + tranche);
        recevoir(convertirVersLeet(table, source, debut, fin, n, demande.mettreEspaces));
    }
}
