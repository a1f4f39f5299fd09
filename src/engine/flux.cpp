#include "flux.h"

#include "rapide_vers_francais.h"
#include "rapide_vers_leet.h"
#include "regles.h"
#include "utf8.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Where a piece can be cut so that decoding its two sides apart gives what
// decoding it whole gives: before a sequence that the piece leaves unfinished.
// The UTF-8 decoder looks past the byte it stands on only into the
// continuation bytes of that byte's own sequence, so a cut in front of a byte
// that is not a continuation byte is safe.
qsizetype coupeSure(QByteArrayView octets)
{
    const qsizetype n = octets.size();
    for (qsizetype k = 1; k <= std::min<qsizetype>(3, n); ++k) {
        const unsigned char octet = static_cast<unsigned char>(octets[n - k]);
        if ((octet & 0xC0) == 0x80)
            continue;
        const qsizetype longueur = octet >= 0xF0 ? 4 : octet >= 0xE0 ? 3 : octet >= 0xC0 ? 2 : 1;
        return longueur > k ? n - k : n;
    }
    return n;
}

// The first byte of 0x80 or more from `debut` on, or `fin`; eight at a time.
qsizetype premierNonAscii(const char *octets, qsizetype debut, qsizetype fin)
{
    qsizetype i = debut;
    for (; i + 8 <= fin; i += 8) {
        quint64 mot;
        std::memcpy(&mot, octets + i, sizeof(mot));
        if (mot & 0x8080808080808080u)
            break;
    }
    while (i < fin && static_cast<unsigned char>(octets[i]) < 0x80)
        ++i;
    return i;
}

// Walks the sequences that start from `i` to before `fin` among the bytes of
// `octets` (a sequence cut by its end is invalid), counting the bytes that
// belong to no well-formed UTF-8 sequence (Unicode, table 3-7), of which the
// decoder makes one U+FFFD each, and noting the offset of the first. Returns
// where the next sequence starts, `fin` or a little past it.
qsizetype parcourirUtf8(QByteArrayView octets, qsizetype i, qsizetype fin, qint64 &invalides,
                        qsizetype &premier)
{
    const qsizetype n = octets.size();
    for (;;) {
        i = premierNonAscii(octets.data(), i, fin);
        if (i >= fin)
            return i;
        if (const int longueur = utf8::longueurSequence(octets.data() + i, n - i)) {
            i += longueur;
            continue;
        }
        if (premier < 0)
            premier = i;
        ++invalides;
        ++i;
    }
}

qsizetype compterInvalides(QByteArrayView octets, qsizetype &premier)
{
    qint64 invalides = 0;
    premier = -1;
    parcourirUtf8(octets, 0, octets.size(), invalides, premier);
    return qsizetype(invalides);
}

// U+FEFF in UTF-8.
constexpr QByteArrayView marqueOrdre("\xEF\xBB\xBF");

// The UTF-16 of UTF-8 in which each byte that begins no well-formed sequence
// becomes the lone surrogate DecodeurUtf8::octetIgnore.
QString decoderEnIgnorant(QByteArrayView octets)
{
    QString unites(octets.size(), Qt::Uninitialized);
    char16_t *debut = reinterpret_cast<char16_t *>(unites.data());
    char16_t *ecriture = debut;
    for (qsizetype i = 0; i < octets.size();) {
        const int longueur = utf8::longueurSequence(octets.data() + i, octets.size() - i);
        ecriture = utf8::ecrire(ecriture, longueur ? utf8::decoder(octets.data() + i, longueur)
                                                   : DecodeurUtf8::octetIgnore);
        i += std::max(longueur, 1);
    }
    unites.truncate(ecriture - debut);
    return unites;
}

// French to leet: every code unit is written on its own, but the blank of the
// option "espaces" after the last unit of a piece waits for the next unit,
// since the last character of the text gets none.
class FluxVersLeet : public TraducteurFlux
{
public:
    FluxVersLeet(const Demande &demande, const Glyphes &cases)
        : mettreEspaces(demande.mettreEspaces)
    {
        if (demande.ecriture == Ecriture::Personnalisee) {
            personnelle = std::make_unique<rapide::TableLeet<char>>(
                rapide::tableUtf8(cases, demande.doublerAntiSlashs));
            table = personnelle.get();
        } else if (demande.ecriture == Ecriture::Courante) {
            table = &rapide::tableCouranteUtf8(demande.doublerAntiSlashs);
        } else {
            table = &rapide::tableUtf8(styleDe(demande.ecriture), demande.doublerAntiSlashs);
        }
    }

    void alimenter(QStringView morceau, QByteArray &sortie) override
    {
        // A surrogate pair cut between two pieces is written whole: its first
        // half waits for the next piece.
        if (hautEnAttente) {
            paire = QChar(hautEnAttente);
            paire.append(morceau);
            morceau = paire;
            hautEnAttente = 0;
        }
        if (!morceau.isEmpty() && QChar::isHighSurrogate(morceau.back().unicode())) {
            hautEnAttente = morceau.back().unicode();
            morceau.chop(1);
        }
        ecrire(morceau, sortie);
    }

    void terminer(QByteArray &sortie) override
    {
        // A lone first half gives nothing, but the blank before it is due.
        if (hautEnAttente && blancEnAttente)
            sortie.append(' ');
        hautEnAttente = 0;
        blancEnAttente = false;
    }

private:
    void ecrire(QStringView morceau, QByteArray &sortie)
    {
        const qsizetype m = morceau.size();
        if (m == 0)
            return;
        const char16_t *source = morceau.utf16();
        // Room for the result and the padding of the copies: bounded by the
        // longest entry (three bytes for a copied character) when it is
        // short, measured exactly when a personal glyph is long.
        const qsizetype parUnite = std::max<qsizetype>(table->plusLongue, 3) + 1;
        const qsizetype place =
            (table->plusLongue <= 64 ? m * parUnite
                                     : rapide::mesurerLeet(*table, source, m, mettreEspaces)) +
            table->largeur + 1;
        const qsizetype avant = sortie.size();
        sortie.resize(avant + place);
        char *ecriture = sortie.data() + avant;
        if (blancEnAttente)
            *ecriture++ = ' ';
        ecriture = rapide::ecrireLeet(*table, source, m, mettreEspaces, ecriture);
        blancEnAttente = mettreEspaces && !estBlanc(source[m - 1]);
        if (blancEnAttente)
            --ecriture;
        sortie.resize(ecriture - sortie.constData());
    }

private:
    std::unique_ptr<rapide::TableLeet<char>> personnelle;
    const rapide::TableLeet<char> *table = nullptr;
    bool mettreEspaces = false;
    bool blancEnAttente = false;
    char16_t hautEnAttente = 0;
    QString paire;
};

} // namespace

// Leet to French straight from UTF-8 to UTF-8 (rapide::lireLeetUtf8()),
// with the invalid bytes counted as DecodeurUtf8 counts them. As above, the
// last three bytes of a piece wait for the next one: a glyph, a sequence of
// UTF-8 and the blank rule look no further ahead.
class LectureLeetUtf8
{
public:
    explicit LectureLeetUtf8(const Demande &demande)
        : style(rapide::lecteur(styleDe(demande.ecriture), demande.supprimerEspaces))
    {}

    void alimenter(QByteArrayView morceau, QByteArray &sortie)
    {
        const qsizetype total = enAttente + morceau.size();
        octets.resize(size_t(total) + 4);
        if (!morceau.isEmpty())
            std::memcpy(octets.data() + enAttente, morceau.data(), size_t(morceau.size()));
        lire(total, false, sortie);
    }

    void terminer(QByteArray &sortie)
    {
        octets.resize(size_t(enAttente) + 4);
        std::fill(octets.begin() + enAttente, octets.end(), '\0');
        lire(enAttente, true, sortie);
    }

    qint64 octetsInvalides() const { return invalides; }
    qint64 premierInvalide() const { return premier; }

private:
    void lire(qsizetype total, bool fini, QByteArray &sortie)
    {
        // A byte order mark that opens the text is no character of it, as
        // for the decoder: the text starts after it.
        if (!entame) {
            if (total < marqueOrdre.size() && !fini) {
                enAttente = total;
                return;
            }
            entame = true;
            if (QByteArrayView(octets.data(), total).startsWith(marqueOrdre)) {
                total -= marqueOrdre.size();
                std::memmove(octets.data(), octets.data() + marqueOrdre.size(), size_t(total) + 4);
                lus = marqueOrdre.size();
            }
        }
        const qsizetype fin = fini ? total : total - 3;
        if (fin <= 0) {
            enAttente = total;
            return;
        }
        qsizetype premierIci = -1;
        sautUtf8 = parcourirUtf8(QByteArrayView(octets.data(), total), sautUtf8, fin, invalides,
                                 premierIci) -
                   fin;
        if (premier < 0 && premierIci >= 0)
            premier = lus + premierIci;
        lus += fin;
        const qsizetype avant = sortie.size();
        sortie.resize(avant + 3 * fin + 4);
        char *debut = sortie.data() + avant;
        char *ecriture = rapide::lireLeetUtf8(style, octets.data(), fin, etat, debut);
        sortie.resize(avant + (ecriture - debut));
        enAttente = total - fin;
        std::memmove(octets.data(), octets.data() + fin, size_t(enAttente));
    }

    const rapide::LecteurStyle &style;
    rapide::EtatLeet etat;
    std::vector<char> octets;
    qsizetype enAttente = 0;
    qsizetype sautUtf8 = 0; // how far the last sequence walked reaches into the next piece
    bool entame = false;    // past the byte order mark, if any
    qint64 lus = 0;
    qint64 invalides = 0;
    qint64 premier = -1;
};

namespace {

// The personal style is not read back into French: nothing comes out.
class FluxVide : public TraducteurFlux
{
public:
    void alimenter(QStringView, QByteArray &) override {}
    void terminer(QByteArray &) override {}
};

} // namespace

QStringView DecodeurUtf8::decoder(QByteArrayView octets)
{
    QByteArrayView entree = octets;
    if (!enAttente.isEmpty()) {
        tampon = enAttente;
        tampon.append(octets);
        entree = tampon;
    }
    const qsizetype coupe = coupeSure(entree);
    const QStringView resultat = convertir(entree.first(coupe));
    enAttente = entree.sliced(coupe).toByteArray();
    return resultat;
}

QStringView DecodeurUtf8::terminer()
{
    const QByteArray reste = std::exchange(enAttente, {});
    return convertir(reste);
}

QStringView DecodeurUtf8::convertir(QByteArrayView octets)
{
    unites = QString::fromUtf8(octets);
    bool marqueGardee = false;
    // Only a piece that holds U+FFFD can hold invalid bytes: fromUtf8() turns
    // each into one, and a valid U+FFFD is three bytes of its own.
    if (std::find(unites.cbegin(), unites.cend(), QChar::ReplacementCharacter) != unites.cend()) {
        qsizetype premierIci = -1;
        if (const qsizetype ici = compterInvalides(octets, premierIci)) {
            invalides += ici;
            if (premier < 0)
                premier = lus + premierIci;
            unites = decoderEnIgnorant(octets);
            marqueGardee = true;
        }
    }
    // fromUtf8() drops a byte order mark that opens what it decodes: right
    // for the one that opens the text, but one further on is a character
    // of the text.
    if (octets.startsWith(marqueOrdre) && (lus == 0) == marqueGardee) {
        if (marqueGardee)
            unites.remove(0, 1);
        else
            unites.prepend(QChar(0xFEFF));
    }
    lus += octets.size();
    return unites;
}

std::unique_ptr<TraducteurFlux> creerTraducteurVersLeet(const Demande &demande,
                                                        const Glyphes &cases)
{
    return std::make_unique<FluxVersLeet>(demande, cases);
}

TraductionFlux::TraductionFlux(std::unique_ptr<TraducteurFlux> traducteur)
    : traducteur(std::move(traducteur))
{}

TraductionFlux::TraductionFlux(const Demande &demande, const Glyphes &cases)
{
    if (demande.versLeet)
        traducteur = creerTraducteurVersLeet(demande, cases);
    else if (demande.ecriture == Ecriture::Personnalisee || demande.ecriture == Ecriture::Courante)
        traducteur = std::make_unique<FluxVide>();
    else
        directe = std::make_unique<LectureLeetUtf8>(demande);
}

TraductionFlux::TraductionFlux(TraductionFlux &&) noexcept = default;
TraductionFlux::~TraductionFlux() = default;

void TraductionFlux::alimenter(QByteArrayView octets, QByteArray &sortie)
{
    if (directe)
        directe->alimenter(octets, sortie);
    else
        traducteur->alimenter(lecture.decoder(octets), sortie);
}

void TraductionFlux::terminer(QByteArray &sortie)
{
    if (directe) {
        directe->terminer(sortie);
        return;
    }
    traducteur->alimenter(lecture.terminer(), sortie);
    traducteur->terminer(sortie);
}

qint64 TraductionFlux::octetsInvalides() const
{
    return directe ? directe->octetsInvalides() : lecture.octetsInvalides();
}

qint64 TraductionFlux::premierInvalide() const
{
    return directe ? directe->premierInvalide() : lecture.premierInvalide();
}
