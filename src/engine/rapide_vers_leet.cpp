#include "rapide_vers_leet.h"

#include "regles.h"
#include "utf8.h"

#include <algorithm>
#include <cstring>

namespace {

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

// The rules' table for stand-in cells, each stand-in replaced by what
// `glypheDe(entree, lettre)` gives for the letter at that entry.
template <typename Glyphe>
TableTextes remplacerMarques(bool doublerAntiSlashs, const Glyphe &glypheDe)
{
    const TableTextes &marquee = tableMarquee(doublerAntiSlashs);
    TableTextes table;
    for (int entree = 0; entree < rapide::nombreEntrees; ++entree) {
        for (const QChar c : marquee[size_t(entree)]) {
            const int lettre = c.unicode() - premiereMarque;
            if (lettre >= 0 && lettre < nombreLettres)
                table[size_t(entree)] += glypheDe(entree, lettre);
            else
                table[size_t(entree)] += c;
        }
    }
    return table;
}

TableTextes tablePersonnelle(const Glyphes &cases, bool doublerAntiSlashs)
{
    // The stand-ins hold no backslash: the rules doubled none, the cells'
    // own are doubled here.
    Glyphes glyphes;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        ajouterGlyphe(glyphes[lettre], cases[lettre], doublerAntiSlashs);
    return remplacerMarques(doublerAntiSlashs,
                            [&](int, int lettre) -> const QString & { return glyphes[lettre]; });
}

// The usual leet: each stand-in replaced by the letter's usual glyph, or by
// the letter itself in the case of the character it comes from ("ç" gives
// "c", "É" gives "3").
TableTextes tableCourante(bool doublerAntiSlashs)
{
    return remplacerMarques(doublerAntiSlashs, [](int entree, int lettre) {
        const QLatin1StringView courant = glypheCourant(lettre);
        if (!courant.isEmpty())
            return QString(courant);
        const bool majuscule = QChar(codeDeLEntree(entree)).isUpper();
        return QString(QChar(char16_t((majuscule ? u'A' : u'a') + lettre)));
    });
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

template <typename Unite> const rapide::TableLeet<Unite> &tableUsuelle(bool doublerAntiSlashs)
{
    static const std::array<rapide::TableLeet<Unite>, 2> tables = {
        tableRapide<Unite>(tableCourante(false)),
        tableRapide<Unite>(tableCourante(true)),
    };
    return tables[doublerAntiSlashs ? 1 : 0];
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
    if (QChar::isHighSurrogate(code) && p + 1 < n && QChar::isLowSurrogate(source[p + 1])) {
        ++p;
        return QChar::surrogateToUcs4(code, source[p]);
    }
    // Beyond U+00FF both directions copy alike.
    return copieDe(code);
}

template <typename Unite, bool toutesCourtes>
Q_NEVER_INLINE Unite *ecrireAuDela(const rapide::TableLeet<Unite> &table, const char16_t *source,
                                   qsizetype &p, qsizetype n, Unite *ecriture)
{
    const char32_t c = caractereAuDela(source, p, n);
    if (c == glyphesOE)
        return ecrireEntree<Unite, toutesCourtes>(table, rapide::entreeOE, ecriture);
    return c ? utf8::ecrire(ecriture, c) : ecriture;
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

} // namespace

namespace rapide {

const TableLeet<char16_t> &tableUtf16(Style style, bool doublerAntiSlashs)
{
    return tableIntegree<char16_t>(style, doublerAntiSlashs);
}

const TableLeet<char> &tableUtf8(Style style, bool doublerAntiSlashs)
{
    return tableIntegree<char>(style, doublerAntiSlashs);
}

const TableLeet<char16_t> &tableCouranteUtf16(bool doublerAntiSlashs)
{
    return tableUsuelle<char16_t>(doublerAntiSlashs);
}

const TableLeet<char> &tableCouranteUtf8(bool doublerAntiSlashs)
{
    return tableUsuelle<char>(doublerAntiSlashs);
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
            total += c == glyphesOE ? table.longueurs[entreeOE] : c ? utf8::taille<Unite>(c) : 0;
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

} // namespace rapide
