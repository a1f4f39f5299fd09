#include "rapide_vers_francais.h"

#include "regles.h"
#include "utf8.h"

#include <QList>
#include <QtEndian>

#include <array>
#include <cstring>
#include <memory>

namespace {

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

} // namespace

namespace rapide {
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

// Every glyph of the style, in the order a position tries them.
QList<Motif> ordreDuStyle(Style style)
{
    QList<Motif> ordre;
    for (const char lettre : ordreReconnaissance())
        ordre.append(motif(glyphe(style, lettre - 'A'), lettre));
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
    if (supprimerEspaces && blancRetire(cle, suivante))
        return r; // consumed: nothing, and the look-back stops
    if (const char16_t copie = copieDe(cle))
        r |= copie | reponse::ecrit;
    if (estBlanc(cle))
        r |= reponse::garde;
    if (estFinDePhrase(cle))
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
        // The next position is in the text when its key is not the 0 that
        // follows the text.
        const bool suivante = static_cast<unsigned char>(octets[p + 1]) >= 0x80;
        if (QChar::isHighSurrogate(codes[p]) && suivante && QChar::isLowSurrogate(codes[p + 1])) {
            c = QChar::surrogateToUcs4(codes[p], codes[p + 1]);
            taille = 2;
        } else {
            c = copieDe(codes[p]);
        }
    } else if ((taille = utf8::longueurSequence(octets + p, 4)) > 0) {
        c = utf8::decoder(octets + p, taille);
        // Below U+10000 the copy rules decide; above, a character is copied.
        if (c < 0x10000)
            c = copieDe(char16_t(c));
    } else {
        taille = 1;
    }
    if (c)
        ecriture = utf8::ecrire(ecriture, c);
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
