// The streamed translation under arbitrary input and arbitrary cuts. An
// input is laid out as:
//
//   byte 0   the request, as for fuzz_moteur: bit 0 reads leet back into
//            French, bits 1-2 the style (1 Korvane, 2 personal, otherwise
//            Velmora), bit 3 doubles the backslashes, bit 4 puts blanks
//            between letters, bit 5 removes them;
//   byte 1   seeds the sizes of the pieces;
//   the rest the text, as bytes of (maybe broken) UTF-8, and as raw UTF-16.
//
// However the text is cut into pieces, empty ones included, the streamed
// result is byte for byte the UTF-8 of the whole text's translation, and the
// decoder gives what QString::fromUtf8() gives, with a lone surrogate for
// each invalid byte, counted.

#include "exiger.h"
#include "flux.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

Demande demandeDe(uint8_t options)
{
    Demande demande;
    demande.versLeet = (options & 0x01) == 0;
    const int style = (options >> 1) & 0x03;
    demande.ecriture = style == 1   ? Ecriture::Korvane
                       : style == 2 ? Ecriture::Personnalisee
                                    : Ecriture::Velmora;
    demande.doublerAntiSlashs = options & 0x08;
    demande.mettreEspaces = options & 0x10;
    demande.supprimerEspaces = options & 0x20;
    return demande;
}

// Personal glyphs with a backslash, non-ASCII text, a character outside the
// BMP and one glyph longer than the padded table entries.
const Glyphes &casesPerso()
{
    static const Glyphes cases = [] {
        Glyphes c;
        for (int lettre = 0; lettre < nombreLettres; ++lettre)
            c[lettre] = glyphe(Style::Velmora, lettre);
        c[0] = u"\\😀 é"_s;
        c[4] = u"eeeeeeeeeeeeeeeeeeeeeeeeeeee\\"_s;
        return c;
    }();
    return cases;
}

// Piece sizes from 0 to 7, drawn from the seed.
struct Coupes
{
    uint32_t etat;
    qsizetype suivante(uint32_t masque = 0x07)
    {
        return (etat = etat * 1103515245u + 12345u) >> 16 & masque;
    }
};

QByteArray enFlux(QByteArrayView octets, uint32_t graine, TraductionFlux &flux,
                  uint32_t masque = 0x07)
{
    QByteArray sortie;
    Coupes coupes{graine};
    for (qsizetype debut = 0; debut < octets.size();) {
        const qsizetype taille = std::min(coupes.suivante(masque), octets.size() - debut);
        flux.alimenter(octets.sliced(debut, taille), sortie);
        debut += taille;
    }
    flux.terminer(sortie);
    return sortie;
}

QString decoderEnEntier(QByteArrayView octets)
{
    DecodeurUtf8 decodeur;
    QString texte = decodeur.decoder(octets).toString();
    return texte.append(decodeur.terminer());
}

void verifierOctets(const Demande &demande, const QByteArray &octets, uint32_t graine)
{
    const QString texte = decoderEnEntier(octets);
    const QByteArray entier = traduireSelon(demande, texte, casesPerso()).toUtf8();
    const auto contexte = [&] { return u"octets "_s + lisible(texte); };

    TraductionFlux flux(demande, casesPerso());
    const TraductionFlux *decodeur = &flux;
    EXIGER(enFlux(octets, graine, flux) == entier,
           contexte() + u" graine "_s + QString::number(graine));
    TraductionFlux autresCoupes(demande, casesPerso());
    EXIGER(enFlux(octets, graine ^ 0xa5, autresCoupes) == entier, contexte() + u" bis"_s);

    // Where fromUtf8() gives U+FFFD for an invalid byte, the decoder gives
    // the lone surrogate that every rule drops.
    QString remplace = texte;
    qsizetype ignores = 0;
    for (qsizetype k = 0; k < remplace.size(); ++k) {
        const bool seul = remplace.at(k) == QChar(DecodeurUtf8::octetIgnore) &&
                          (k == 0 || !remplace.at(k - 1).isHighSurrogate());
        if (seul) {
            remplace[k] = QChar::ReplacementCharacter;
            ++ignores;
        }
    }
    EXIGER(remplace == QString::fromUtf8(octets), contexte());
    const qsizetype remplacements = QString::fromUtf8(octets).count(QChar::ReplacementCharacter);
    const qsizetype valides = octets.count("\xEF\xBF\xBD");
    EXIGER(decodeur->octetsInvalides() == remplacements - valides, contexte());
    EXIGER(ignores == decodeur->octetsInvalides(), contexte());
    EXIGER((decodeur->premierInvalide() >= 0) == (decodeur->octetsInvalides() > 0), contexte());
    if (decodeur->premierInvalide() >= 0) {
        const qsizetype premier = decodeur->premierInvalide();
        EXIGER(premier < octets.size() && uint8_t(octets[premier]) >= 0x80, contexte());
        // Nothing before it is invalid.
        const QByteArray avant = octets.left(premier);
        EXIGER(QString::fromUtf8(avant).count(QChar::ReplacementCharacter) ==
                   avant.count("\xEF\xBF\xBD"),
               contexte());
    }

    // Leet long enough to be read as several scans at once, whole and
    // straight from UTF-8, against pieces too short for that (sampled).
    if (!demande.versLeet && graine % 4 == 0 && !octets.isEmpty()) {
        const QByteArray longs = octets.repeated(1 + 3000 / octets.size());
        const QByteArray attendu = traduireSelon(demande, decoderEnEntier(longs)).toUtf8();
        TraductionFlux petits(demande);
        EXIGER(enFlux(longs, graine, petits, 0x1ff) == attendu, contexte() + u" répété"_s);
        TraductionFlux entiere(demande);
        QByteArray sortie;
        entiere.alimenter(longs, sortie);
        entiere.terminer(sortie);
        EXIGER(sortie == attendu, contexte() + u" répété, d'un bloc"_s);
    }

    // The decoder alone gives the same in any pieces.
    DecodeurUtf8 seul;
    QString decode;
    Coupes coupes{graine ^ 0x5a5a};
    for (qsizetype debut = 0; debut < octets.size();) {
        const qsizetype taille = std::min(coupes.suivante(), octets.size() - debut);
        decode += seul.decoder(QByteArrayView(octets).sliced(debut, taille));
        debut += taille;
    }
    decode += seul.terminer();
    EXIGER(decode == texte, contexte());
    // Leet read straight from UTF-8 counts the invalid bytes as the decoder.
    EXIGER(seul.octetsInvalides() == flux.octetsInvalides() &&
               seul.premierInvalide() == flux.premierInvalide(),
           contexte());
}

// French to leet alone, fed raw UTF-16 cut anywhere, lone surrogates, pairs
// cut in two and NULs included; short texts are cut once at every position.
void verifierUnites(const Demande &demande, const QString &texte, uint32_t graine)
{
    if (!demande.versLeet)
        return;
    const QByteArray entier = traduireSelon(demande, texte, casesPerso()).toUtf8();
    const auto enMorceaux = [&](auto prochaine) {
        const std::unique_ptr<TraducteurFlux> traducteur =
            creerTraducteurVersLeet(demande, casesPerso());
        QByteArray sortie;
        for (qsizetype debut = 0; debut < texte.size();) {
            const qsizetype taille = std::min(prochaine(debut), texte.size() - debut);
            traducteur->alimenter(QStringView(texte).sliced(debut, taille), sortie);
            debut += taille;
        }
        traducteur->terminer(sortie);
        return sortie;
    };
    Coupes coupes{graine};
    EXIGER(enMorceaux([&](qsizetype) { return coupes.suivante(); }) == entier,
           u"unités "_s + lisible(texte));
    if (texte.size() > 24)
        return;
    for (qsizetype k = 0; k <= texte.size(); ++k) {
        EXIGER(enMorceaux([&](qsizetype debut) { return debut < k ? k - debut : texte.size(); }) ==
                   entier,
               u"unités "_s + lisible(texte) + u" coupé à "_s + QString::number(k));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    if (taille < 2)
        return 0;
    const Demande demande = demandeDe(donnees[0]);
    const uint32_t graine = donnees[1];
    const QByteArray octets(reinterpret_cast<const char *>(donnees + 2), qsizetype(taille - 2));
    verifierOctets(demande, octets, graine);
    QString unites(octets.size() / 2, Qt::Uninitialized);
    std::memcpy(unites.data(), octets.constData(), size_t(unites.size()) * sizeof(char16_t));
    verifierUnites(demande, unites, graine);
    return 0;
}
