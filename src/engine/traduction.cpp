#include "traduction.h"

#include "rapide.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

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

// How many units of UTF-16 or UTF-8 a character takes.
template <typename Unite> constexpr qsizetype tailleCaractere(char32_t c)
{
    if constexpr (sizeof(Unite) == 2)
        return c >= 0x10000 ? 2 : 1;
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

template <typename Unite> inline Unite *ecrireCaractere(Unite *ecriture, char32_t c)
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

qsizetype longueurUtile(const QString &texte, qsizetype longueur)
{
    return std::clamp<qsizetype>(longueur, 0, texte.size());
}

// ---------------------------------------------------------------------------
// French to leet. Every character of code 256 or more but "œ" and "Œ" is
// copied, so what a style writes is fully known from the 256 codes below 256
// and from "œ". The table is built once per style and options by running the
// character rules over those codes; the conversion then only copies table
// entries.

using TableTextes = std::array<QString, rapide::nombreEntrees>;

// The code whose rules give an entry of the table.
char16_t codeDeLEntree(int entree)
{
    return entree == rapide::entreeOE ? u'œ' : char16_t(entree);
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

TableTextes construireTable(Style style, const Glyphes *personnel, bool doublerAntiSlashs)
{
    TableTextes table;
    for (int entree = 0; entree < rapide::nombreEntrees; ++entree)
        table[size_t(entree)] =
            convertirCaractere(codeDeLEntree(entree), style, personnel, doublerAntiSlashs);
    return table;
}

// The personal style's table is the rules' table for cells that hold
// stand-ins, private-use characters that no rule writes, each replaced by its
// cell's text: the rules run over the 256 codes once, not at every
// translation.
constexpr char16_t premiereMarque = 0xE000;

const TableTextes &tableMarquee(bool doublerAntiSlashs)
{
    static const std::array<TableTextes, 2> tables = [] {
        Glyphes marques;
        for (int lettre = 0; lettre < nombreLettres; ++lettre)
            marques[lettre] = QChar(char16_t(premiereMarque + lettre));
        return std::array<TableTextes, 2>{construireTable(Style::Velmora, &marques, false),
                                          construireTable(Style::Velmora, &marques, true)};
    }();
    return tables[doublerAntiSlashs ? 1 : 0];
}

TableTextes tablePersonnelle(const Glyphes &cases, bool doublerAntiSlashs)
{
    // The stand-ins hold no backslash: the rules doubled none, the cells'
    // own are doubled here.
    Glyphes glyphes;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        ajouterGlyphe(glyphes[lettre], cases[lettre], doublerAntiSlashs);
    const auto marque = [](QChar c) {
        return c.unicode() >= premiereMarque && c.unicode() < premiereMarque + nombreLettres;
    };
    const TableTextes &marquee = tableMarquee(doublerAntiSlashs);
    TableTextes table;
    for (int entree = 0; entree < rapide::nombreEntrees; ++entree) {
        const QString &modele = marquee[size_t(entree)];
        QString &texte = table[size_t(entree)];
        if (modele.size() == 1 && marque(modele.front())) {
            texte = glyphes[modele.front().unicode() - premiereMarque];
            continue;
        }
        for (const QChar c : modele) {
            if (marque(c))
                texte += glyphes[c.unicode() - premiereMarque];
            else
                texte += c;
        }
    }
    return table;
}

template <typename Unite>
void poserEntree(rapide::TableLeet<Unite> &table, int code, const Unite *debut, size_t longueur)
{
    table.longueurs[code] = quint32(longueur);
    table.plusLongue = std::max<qsizetype>(table.plusLongue, qsizetype(longueur));
    std::copy_n(debut, std::min<size_t>(longueur, table.largeur), table.debuts[code].begin());
    if (longueur > size_t(table.largeur)) {
        table.decalages[code] = quint32(table.longues.size());
        table.longues.append(debut, longueur);
    }
}

// The padded table from the texts the rules give, in UTF-16 or in UTF-8.
template <typename Unite> rapide::TableLeet<Unite> tableRapide(const TableTextes &textes)
{
    rapide::TableLeet<Unite> table;
    for (int code = 0; code < rapide::nombreEntrees; ++code) {
        const QString &texte = textes[size_t(code)];
        if (texte.isEmpty())
            continue;
        if constexpr (sizeof(Unite) == 1) {
            const QByteArray utf8 = texte.toUtf8();
            poserEntree(table, code, utf8.constData(), size_t(utf8.size()));
        } else {
            poserEntree(table, code, reinterpret_cast<const char16_t *>(texte.constData()),
                        size_t(texte.size()));
        }
    }
    return table;
}

template <typename Unite>
const rapide::TableLeet<Unite> &tableIntegree(Style style, bool doublerAntiSlashs)
{
    static const std::array<rapide::TableLeet<Unite>, 4> tables = {
        tableRapide<Unite>(construireTable(Style::Velmora, nullptr, false)),
        tableRapide<Unite>(construireTable(Style::Velmora, nullptr, true)),
        tableRapide<Unite>(construireTable(Style::Korvane, nullptr, false)),
        tableRapide<Unite>(construireTable(Style::Korvane, nullptr, true)),
    };
    return tables[(style == Style::Korvane ? 2 : 0) + (doublerAntiSlashs ? 1 : 0)];
}

template <typename Unite, bool toutesCourtes>
inline Unite *ecrireEntree(const rapide::TableLeet<Unite> &table, int entree, Unite *ecriture)
{
    constexpr int largeur = rapide::TableLeet<Unite>::largeur;
    std::memcpy(ecriture, table.debuts[size_t(entree)].data(), sizeof(table.debuts[0]));
    const quint32 longueur = table.longueurs[size_t(entree)];
    if (!toutesCourtes && longueur > quint32(largeur))
        std::memcpy(ecriture, table.longues.data() + table.decalages[size_t(entree)],
                    longueur * sizeof(Unite));
    return ecriture + longueur;
}

// What the code of U+0100 or more at `p` gives: `glyphesOE` for "œ" and "Œ",
// the character of a surrogate pair (`p` moves onto its second half), 0 for a
// lone surrogate, else the code itself.
constexpr char32_t glyphesOE = 0xFFFFFFFF;

inline char32_t caractereAuDela(const char16_t *source, qsizetype &p, qsizetype n)
{
    const char16_t code = source[p];
    if (lettresDeBase(code).size() > 0)
        return glyphesOE;
    if (!QChar::isSurrogate(code))
        return code;
    if (QChar::isHighSurrogate(code) && p + 1 < n && QChar::isLowSurrogate(source[p + 1])) {
        ++p;
        return QChar::surrogateToUcs4(code, source[p]);
    }
    return 0;
}

template <typename Unite, bool toutesCourtes>
Q_NEVER_INLINE Unite *ecrireAuDela(const rapide::TableLeet<Unite> &table, const char16_t *source,
                                   qsizetype &p, qsizetype n, Unite *ecriture)
{
    const char32_t c = caractereAuDela(source, p, n);
    if (c == glyphesOE)
        return ecrireEntree<Unite, toutesCourtes>(table, rapide::entreeOE, ecriture);
    return c ? ecrireCaractere(ecriture, c) : ecriture;
}

template <typename Unite, bool espaces, bool toutesCourtes>
Unite *ecrireLeetSelon(const rapide::TableLeet<Unite> &table, const char16_t *source, qsizetype n,
                       Unite *ecriture)
{
    for (qsizetype p = 0; p < n; ++p) {
        const char16_t code = source[p];
        if (code < 256)
            ecriture = ecrireEntree<Unite, toutesCourtes>(table, code, ecriture);
        else
            ecriture = ecrireAuDela<Unite, toutesCourtes>(table, source, p, n, ecriture);
        if constexpr (espaces) {
            // Written always, kept only after what is not a blank.
            *ecriture = Unite(' ');
            ecriture += !estBlanc(code);
        }
    }
    return ecriture;
}

// The leet of the first `longueur` characters of `texte`; the last character
// gets no blank.
QString convertirVersLeet(const rapide::TableLeet<char16_t> &table, const QString &texte,
                          qsizetype longueur, bool mettreEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n <= 0)
        return {};
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());
    const bool sansBlancFinal = mettreEspaces && !estBlanc(source[n - 1]);
    const qsizetype total =
        rapide::mesurerLeet(table, source, n, mettreEspaces) - (sansBlancFinal ? 1 : 0);
    // Measured first, so that the result is allocated once; the padded copies
    // need `largeur` units of room past its end.
    QString sortie(total + table.largeur, Qt::Uninitialized);
    rapide::ecrireLeet(table, source, n, mettreEspaces,
                       reinterpret_cast<char16_t *>(sortie.data()));
    sortie.resize(total);
    return sortie;
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

    // The working copy: one byte per character, then zeros, so that the
    // glyph tests read four bytes at any position without a bound check.
    QByteArray copie(n + 4, Qt::Uninitialized);
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());
    char *octets = copie.data();
    for (qsizetype p = 0; p < n; ++p)
        octets[p] = rapide::cle(source[p]);
    std::fill_n(octets + n, 4, '\0');

    // Every position gives at most one character: the result is allocated
    // once at the text's length and cut to size at the end.
    QString sortie(n, Qt::Uninitialized);
    char16_t *debut = reinterpret_cast<char16_t *>(sortie.data());
    rapide::EtatLeet etat;
    char16_t *fin =
        rapide::lireLeet(rapide::lecteur(style, supprimerEspaces), octets, source, n, etat, debut);
    sortie.truncate(fin - debut);
    return sortie;
}

} // namespace

// ---------------------------------------------------------------------------
// The fast paths.

namespace rapide {

const TableLeet<char16_t> &tableUtf16(Style style, bool doublerAntiSlashs)
{
    return tableIntegree<char16_t>(style, doublerAntiSlashs);
}

const TableLeet<char> &tableUtf8(Style style, bool doublerAntiSlashs)
{
    return tableIntegree<char>(style, doublerAntiSlashs);
}

TableLeet<char16_t> tableUtf16(const Glyphes &cases, bool doublerAntiSlashs)
{
    return tableRapide<char16_t>(tablePersonnelle(cases, doublerAntiSlashs));
}

TableLeet<char> tableUtf8(const Glyphes &cases, bool doublerAntiSlashs)
{
    return tableRapide<char>(tablePersonnelle(cases, doublerAntiSlashs));
}

template <typename Unite>
Unite *ecrireLeet(const TableLeet<Unite> &table, const char16_t *source, qsizetype n,
                  bool mettreEspaces, Unite *ecriture)
{
    const bool courtes = table.plusLongue <= table.largeur;
    if (mettreEspaces)
        return courtes ? ecrireLeetSelon<Unite, true, true>(table, source, n, ecriture)
                       : ecrireLeetSelon<Unite, true, false>(table, source, n, ecriture);
    return courtes ? ecrireLeetSelon<Unite, false, true>(table, source, n, ecriture)
                   : ecrireLeetSelon<Unite, false, false>(table, source, n, ecriture);
}

template <typename Unite>
qsizetype mesurerLeet(const TableLeet<Unite> &table, const char16_t *source, qsizetype n,
                      bool mettreEspaces)
{
    qsizetype total = 0;
    for (qsizetype p = 0; p < n; ++p) {
        const char16_t code = source[p];
        if (code < 256) {
            total += table.longueurs[code];
        } else {
            const char32_t c = caractereAuDela(source, p, n);
            total += c == glyphesOE ? table.longueurs[entreeOE] : c ? tailleCaractere<Unite>(c) : 0;
        }
        if (mettreEspaces)
            total += !estBlanc(code);
    }
    return total;
}

template char16_t *ecrireLeet(const TableLeet<char16_t> &, const char16_t *, qsizetype, bool,
                              char16_t *);
template char *ecrireLeet(const TableLeet<char> &, const char16_t *, qsizetype, bool, char *);
template qsizetype mesurerLeet(const TableLeet<char16_t> &, const char16_t *, qsizetype, bool);
template qsizetype mesurerLeet(const TableLeet<char> &, const char16_t *, qsizetype, bool);

// What stands at a position, known from its first two bytes: a table of all
// 65536 pairs, each saying, in the recognition order, which glyphs of three
// or four characters may stand there (at most two, each known from the two
// bytes after), then what the position gives when none of them does: the
// glyph of one or two characters that begins with the pair, or the copy of
// the first byte (a glyph listed after the short one could never stand). An
// answer holds all that the scan writes and keeps.
namespace reponse {
constexpr quint32 unite = 0xFF;        // a small letter, a copied key, or 0
constexpr quint32 lettre = 0x20u << 8; // a letter: a capital when one is due
constexpr int decalageTaille = 16;     // bits 16-18: positions consumed
constexpr quint32 garde = 0x20u << 16; // a blank: the look-back goes on
constexpr quint32 fin = 0x20u << 24;   // ".", "!" or "?": a sentence ends
constexpr quint32 lente = 1u << 30;    // a key of 0x80 or more: see copierNonAscii()
constexpr quint32 ecrit = 1u << 31;    // the unit is written
} // namespace reponse

struct CasePaire
{
    std::array<quint32, 2> suites{1, 1}; // a mask of 0 never gives 1: no glyph there
    std::array<quint32, 2> masques{};
    std::array<quint32, 3> reponses{};
    quint32 bourrage = 0; // 32 bytes, so that an index is a shift
};

struct LecteurStyle
{
    std::array<CasePaire, 65536> paires;
    // The keys after which a scan can start on its own (see reprise()).
    std::array<bool, 256> reprises{};
};

namespace {

// Every glyph of the style in the order a position tries them: the style's
// own Q and B first, so that the Korvane "(,)" and "|3" win over "(" and "3",
// then the shared glyphs, then L and I, which stand only where nothing
// longer does.
QList<Motif> ordreDuStyle(Style style)
{
    QList<Motif> ordre;
    const auto ajouter = [&](char lettre) {
        ordre.append(motif(glyphe(style, lettre - 'A'), lettre));
    };
    ajouter('Q');
    ajouter('B');
    for (const char lettre : ordreReconnaissance())
        ajouter(lettre);
    ajouter('L');
    ajouter('I');
    return ordre;
}

quint32 reponseGlyphe(const Motif &m)
{
    return quint32(m.lettre - 'A' + 'a') | quint32(m.taille) << reponse::decalageTaille |
           reponse::lettre | reponse::ecrit;
}

// What a position gives when no glyph stands there: the copy rule and the
// look-back for its key, the blank rule when the option is on.
quint32 reponseCopie(unsigned char cle, unsigned char suivante, bool supprimerEspaces)
{
    quint32 r = 1u << reponse::decalageTaille;
    if (cle >= 0x80)
        return r | reponse::lente;
    if (supprimerEspaces && cle == ' ' && suivante != ' ')
        return r; // consumed: nothing, and the look-back stops
    if (const char16_t copie = copiesDeCaracteres()[cle])
        r |= copie | reponse::ecrit;
    if (estBlanc(char16_t(cle)))
        r |= reponse::garde;
    if (cle == '.' || cle == '!' || cle == '?')
        r |= reponse::fin;
    return r;
}

CasePaire casePaire(const QList<Motif> &ordre, unsigned char cle, unsigned char suivante,
                    bool supprimerEspaces)
{
    CasePaire c;
    c.reponses[0] = c.reponses[1] = c.reponses[2] = reponseCopie(cle, suivante, supprimerEspaces);
    int longues = 0;
    for (const Motif &m : ordre) {
        if ((m.valeur & 0xFF) != cle)
            continue;
        if (m.taille > 1 && ((m.valeur >> 8) & 0xFF) != suivante)
            continue;
        if (m.taille <= 2) {
            c.reponses[2] = reponseGlyphe(m);
            break;
        }
        Q_ASSERT(longues < 2);
        c.suites[size_t(longues)] = m.valeur >> 16;
        c.masques[size_t(longues)] = m.masque >> 16;
        c.reponses[size_t(longues)] = reponseGlyphe(m);
        ++longues;
    }
    return c;
}

std::unique_ptr<LecteurStyle> construireLecteur(Style style, bool supprimerEspaces)
{
    const QList<Motif> ordre = ordreDuStyle(style);
    auto lecteur = std::make_unique<LecteurStyle>();
    for (int paire = 0; paire < 65536; ++paire)
        lecteur->paires[size_t(paire)] =
            casePaire(ordre, paire & 0xFF, paire >> 8, supprimerEspaces);
    std::array<bool, 256> dansUnGlyphe{};
    for (const Motif &m : ordre) {
        for (qsizetype k = 0; k < m.taille; ++k)
            dansUnGlyphe[(m.valeur >> (8 * k)) & 0xFF] = true;
    }
    for (int cle = 0; cle < 0x80; ++cle)
        lecteur->reprises[size_t(cle)] = !dansUnGlyphe[size_t(cle)] && !estBlanc(char16_t(cle));
    return lecteur;
}

// What a position of key 0x80 or more gives, and how many positions it
// takes. From the UTF-16 of the text (`codes`): a code below 256 its copy, a
// surrogate pair its character, a lone surrogate nothing, any other code
// itself. From UTF-8 (no `codes`): the character of the well-formed sequence
// that starts there, one position per byte; a byte that begins none gives
// nothing, as the lone surrogate that the decoder makes of it.
template <typename Unite>
qsizetype copierNonAscii(const char16_t *codes, const char *octets, qsizetype p, Unite *&ecriture)
{
    char32_t c = 0;
    int taille = 1;
    if (codes) {
        c = codes[p];
        if (QChar::isSurrogate(c)) {
            // The next position is in the text when its key is not the 0
            // that follows the text.
            const bool suivante = static_cast<unsigned char>(octets[p + 1]) >= 0x80;
            if (QChar::isHighSurrogate(c) && suivante && QChar::isLowSurrogate(codes[p + 1])) {
                c = QChar::surrogateToUcs4(char16_t(c), codes[p + 1]);
                taille = 2;
            } else {
                c = 0;
            }
        }
    } else {
        taille = rapide::longueurSequenceUtf8(octets + p, 4);
        const auto suite = [&](int k) { return char32_t(octets[p + k] & 0x3F); };
        switch (taille) {
        case 2:
            c = char32_t(octets[p] & 0x1F) << 6 | suite(1);
            break;
        case 3:
            c = char32_t(octets[p] & 0x0F) << 12 | suite(1) << 6 | suite(2);
            break;
        case 4:
            c = char32_t(octets[p] & 0x07) << 18 | suite(1) << 12 | suite(2) << 6 | suite(3);
            break;
        default:
            taille = 1;
            break;
        }
    }
    // Below 256 the copy rules decide; above, every character is copied.
    if (c < 256)
        c = copiesDeCaracteres()[c];
    if (c)
        ecriture = ecrireCaractere(ecriture, c);
    return taille;
}

// One scan in progress: where it reads and writes, and its look-back.
template <typename Unite> struct Parcours
{
    qsizetype p;
    Unite *ecriture;
    quint32 majuscule; // 0x20 when a glyph here takes a capital, else 0
};

// One step: a glyph, or a position copied. The steps of one scan follow one
// another through the size of each glyph, so a step is kept short and its
// choices are masks and selections rather than branches that the text
// would make hard to foresee.
template <typename Unite>
inline void avancer(const LecteurStyle &style, const char *octets, const char16_t *codes,
                    Parcours<Unite> &s)
{
    quint32 mot;
    std::memcpy(&mot, octets + s.p, sizeof(mot));
    mot = qFromLittleEndian(mot);
    const CasePaire &c = style.paires[mot & 0xFFFF];
    const quint32 suite = mot >> 16;
    quint32 r = c.reponses[2];
    r = (suite & c.masques[1]) == c.suites[1] ? c.reponses[1] : r;
    r = (suite & c.masques[0]) == c.suites[0] ? c.reponses[0] : r;
    if (Q_UNLIKELY(r & reponse::lente)) {
        s.p += copierNonAscii(codes, octets, s.p, s.ecriture);
        s.majuscule = 0;
        return;
    }
    // A glyph gives its letter, a capital at the start of the text or after
    // a sentence end; the look-back skips blanks and stops at anything else.
    *s.ecriture = Unite((r & reponse::unite) ^ ((r >> 8) & s.majuscule));
    s.ecriture += r >> 31;
    s.majuscule = ((s.majuscule & (r >> 16)) | (r >> 24)) & 0x20;
    s.p += (r >> reponse::decalageTaille) & 0x7;
}

// Where a second scan can start on its own, from `debut` on: right after a
// key of the text that no glyph holds and that is not a blank. Every glyph
// before it ends before it, so the scan that comes from the left stops
// exactly there, and the look-back there is known from that key alone.
qsizetype reprise(const LecteurStyle &style, const char *octets, qsizetype debut, qsizetype fin)
{
    for (qsizetype p = debut; p < fin; ++p) {
        if (style.reprises[static_cast<unsigned char>(octets[p])])
            return p + 1;
    }
    return -1;
}

// The scans that run side by side, at most: more would not keep their
// state in registers.
constexpr int nombreParcours = 3;

// Runs the first `n` scans side by side while they all have steps left,
// then each to its end. The scans are copied into locals whose address is
// never taken, so that they stay in registers.
template <int n, typename Unite>
void lireEnsemble(const LecteurStyle &style, const char *octets, const char16_t *codes,
                  std::array<Parcours<Unite>, nombreParcours> &parcours,
                  const std::array<qsizetype, nombreParcours> &fins)
{
    std::array<Parcours<Unite>, n> ici;
    std::array<qsizetype, n> bornes;
    for (int k = 0; k < n; ++k) {
        ici[size_t(k)] = parcours[size_t(k)];
        bornes[size_t(k)] = fins[size_t(k)];
    }
    for (;;) {
        bool tous = true;
        for (int k = 0; k < n; ++k)
            tous = tous && ici[size_t(k)].p < bornes[size_t(k)];
        if (!tous)
            break;
        for (int k = 0; k < n; ++k)
            avancer(style, octets, codes, ici[size_t(k)]);
    }
    for (int k = 0; k < n; ++k) {
        while (ici[size_t(k)].p < bornes[size_t(k)])
            avancer(style, octets, codes, ici[size_t(k)]);
        parcours[size_t(k)] = ici[size_t(k)];
    }
}

template <typename Unite>
Unite *lireSelon(const LecteurStyle &style, const char *octets, const char16_t *codes,
                 qsizetype fin, EtatLeet &etat, Unite *ecriture)
{
    Parcours<Unite> gauche{etat.saut, ecriture, etat.apresFinDePhrase ? 0x20u : 0};
    if (etat.position == 0 && etat.saut == 0 && fin > 0) {
        // The start of the text takes a capital as a sentence end does, but
        // a blank there does not carry it on.
        gauche.majuscule = 0x20;
        avancer(style, octets, codes, gauche);
        if (estBlanc(static_cast<unsigned char>(octets[0])))
            gauche.majuscule = 0;
    }
    // A long text is read as several scans at once, each from a point where
    // it can start on its own to where the next starts: the processor runs
    // their chains of steps side by side. Each writes from the room the
    // scans before it can take (at most one character per position), and
    // their results are moved down behind one another.
    constexpr qsizetype parPosition = sizeof(Unite) == 2 ? 1 : 3;
    std::array<Parcours<Unite>, nombreParcours> parcours{gauche};
    std::array<qsizetype, nombreParcours> fins{};
    int nombre = 1;
    const qsizetype longueur = fin - gauche.p;
    if (longueur >= 1024) {
        qsizetype derniere = gauche.p;
        for (int k = 1; k < nombreParcours; ++k) {
            const qsizetype depart = std::max(derniere, gauche.p + longueur * k / nombreParcours);
            const qsizetype coupe = reprise(style, octets, depart, std::min(fin, depart + 4096));
            if (coupe <= 0 || coupe >= fin)
                continue;
            const quint32 finDePhrase =
                (style.paires[static_cast<unsigned char>(octets[coupe - 1])].reponses[2] >> 24) &
                0x20;
            fins[size_t(nombre - 1)] = derniere = coupe;
            parcours[size_t(nombre)] = {coupe, ecriture + coupe * parPosition, finDePhrase};
            ++nombre;
        }
    }
    fins[size_t(nombre - 1)] = fin;
    switch (nombre) {
    case 1:
        lireEnsemble<1>(style, octets, codes, parcours, fins);
        break;
    case 2:
        lireEnsemble<2>(style, octets, codes, parcours, fins);
        break;
    default:
        lireEnsemble<nombreParcours>(style, octets, codes, parcours, fins);
        break;
    }
    gauche = parcours[0];
    for (int k = 1; k < nombre; ++k) {
        Q_ASSERT(parcours[size_t(k - 1)].p == fins[size_t(k - 1)]);
        Unite *const debutScan = ecriture + fins[size_t(k - 1)] * parPosition;
        const qsizetype ecrits = parcours[size_t(k)].ecriture - debutScan;
        std::memmove(gauche.ecriture, debutScan, size_t(ecrits) * sizeof(Unite));
        gauche.ecriture += ecrits;
        gauche.p = parcours[size_t(k)].p;
        gauche.majuscule = parcours[size_t(k)].majuscule;
    }
    // A glyph that ends past `fin` covers the first positions of the next
    // piece: they give nothing.
    etat.saut = gauche.p - fin;
    etat.apresFinDePhrase = gauche.majuscule != 0;
    etat.position += fin;
    return gauche.ecriture;
}

} // namespace

const LecteurStyle &lecteur(Style style, bool supprimerEspaces)
{
    const auto construit = [](Style s, bool supprimer) { return construireLecteur(s, supprimer); };
    switch ((style == Style::Korvane ? 2 : 0) + (supprimerEspaces ? 1 : 0)) {
    case 0: {
        static const auto l = construit(Style::Velmora, false);
        return *l;
    }
    case 1: {
        static const auto l = construit(Style::Velmora, true);
        return *l;
    }
    case 2: {
        static const auto l = construit(Style::Korvane, false);
        return *l;
    }
    default: {
        static const auto l = construit(Style::Korvane, true);
        return *l;
    }
    }
}

template <typename Unite>
Unite *lireLeet(const LecteurStyle &style, const char *octets, const char16_t *codes, qsizetype fin,
                EtatLeet &etat, Unite *ecriture)
{
    return lireSelon(style, octets, codes, fin, etat, ecriture);
}

char *lireLeetUtf8(const LecteurStyle &style, const char *octets, qsizetype fin, EtatLeet &etat,
                   char *ecriture)
{
    return lireSelon(style, octets, nullptr, fin, etat, ecriture);
}

template char16_t *lireLeet(const LecteurStyle &, const char *, const char16_t *, qsizetype,
                            EtatLeet &, char16_t *);
template char *lireLeet(const LecteurStyle &, const char *, const char16_t *, qsizetype, EtatLeet &,
                        char *);

} // namespace rapide

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

void ajouterCaseDoublee(QString &sortie, const Glyphes &cases, int index)
{
    ajouterGlyphe(sortie, cases[index], true);
}

QString traduireFrancaisVelmora(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(rapide::tableUtf16(Style::Velmora, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisKorvane(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(rapide::tableUtf16(Style::Korvane, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisPersonnalisee(const QString &texte, const Glyphes &cases,
                                      qsizetype longueur, bool doublerAntiSlashs,
                                      bool mettreEspaces)
{
    if (longueurUtile(texte, longueur) == 0)
        return {};
    // The same cells are translated with again and again: their table is
    // kept, one for each setting of the option, until other cells come.
    struct Memoire
    {
        Glyphes cases;
        std::optional<rapide::TableLeet<char16_t>> table;
    };
    thread_local std::array<Memoire, 2> memoires;
    Memoire &memoire = memoires[doublerAntiSlashs ? 1 : 0];
    if (!memoire.table || memoire.cases != cases) {
        memoire.table.reset();
        memoire.table = rapide::tableUtf16(cases, doublerAntiSlashs);
        memoire.cases = cases;
    }
    return convertirVersLeet(*memoire.table, texte, longueur, mettreEspaces);
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
    recopierAutre(caractere.unicode(), sortie);
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
