// The reading with a word list under arbitrary input. An input is laid out
// as:
//
//   byte 0   bit 0 the style (Korvane, otherwise Velmora), bit 1 removes
//            blanks, bits 2-7 seed the sizes of the pieces;
//   the rest the leet, as UTF-16 code units (maybe unpaired surrogates).
//
// The reading fed piece by piece, however it is cut, gives what the whole
// text gives, and the memory of runs read before changes nothing. The list
// and the model are made once, before the first input (lists and models
// read from arbitrary bytes are fuzz_liste's and fuzz_modele's).

#include "exiger.h"
#include "lectureessai.h"
#include "retablissement.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Words that the glyph runs of either style can spell in several ways, with
// and without accents, and words cut short by an apostrophe.
const Dictionnaire &liste()
{
    static const Dictionnaire d = Dictionnaire::depuisTexte(
        "a\n\xC3\xA0\nlui\n\xC3\xA9t\xC3\xA9\nle\nla\nl\xC3\xA0\nelles\neu\nes\neues\nli\n"
        "ure\nune\nlire\nfichier\nlorsque\nm\xC3\xAAme\nm\xC3\xA9m\xC3\xA9\n"
        "pr\xC3\xA8s\npr\xC3\xA9s\nsalut\nvoir\ncou\nou\no\xC3\xB9\nc\xC5\x93ur\nwith\nthe\n");
    return d;
}

// What `flux` writes of `texte`, fed whole or in pieces of 0 to 15 code
// units drawn from `graine`.
QString lireParMorceaux(TraducteurFlux &flux, QStringView texte, uint32_t graine, bool entier)
{
    QByteArray sortie;
    for (qsizetype debut = 0; debut < texte.size();) {
        graine = graine * 1103515245u + 12345u;
        const qsizetype taille =
            entier ? texte.size()
                   : std::min<qsizetype>((graine >> 16) & 0x0F, texte.size() - debut);
        flux.alimenter(texte.sliced(debut, taille), sortie);
        debut += taille;
    }
    flux.terminer(sortie);
    // fromUtf8() would drop a byte order mark that the text opens with.
    QString lu = QString::fromUtf8(sortie);
    if (sortie.startsWith("\xEF\xBB\xBF"))
        lu.prepend(QChar(0xFEFF));
    return lu;
}

QString enMorceaux(const Dictionnaire &d, const ModeleContexte *m, Style style, QStringView texte,
                   bool supprimer, uint32_t graine)
{
    // Read on two threads too, by halves of up to 63 code units (0: one).
    const auto flux = creerRetablissementFlux(d, style, supprimer, m, qsizetype(graine % 64));
    return lireParMorceaux(*flux, texte, graine, false);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    liste();
    lectureessai::modele();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const uint8_t options = donnees[0];
    const Style style = options & 0x01 ? Style::Korvane : Style::Velmora;
    const bool supprimer = options & 0x02;
    QString texte((qsizetype(taille) - 1) / 2, Qt::Uninitialized);
    std::memcpy(texte.data(), donnees + 1, size_t(texte.size()) * 2);

    const Dictionnaire &d = liste();
    // The reading writes no lone surrogate, so its UTF-8 loses nothing.
    const QString entier = retablirLeet(d, style, texte, supprimer);
    const QString morceaux = enMorceaux(d, nullptr, style, texte, supprimer, options >> 2);
    // With the model, words wait for the next one: cut anywhere, the same.
    const QString enContexte =
        retablirLeet(d, style, texte, supprimer, nullptr, &lectureessai::modele());
    StatistiquesRetablissement comptesEnContexte;
    const QString sansMemoireEnContexte =
        retablirLeet(d, style, texte, supprimer, &comptesEnContexte, &lectureessai::modele());
    EXIGER(sansMemoireEnContexte == enContexte,
           u"texte %1\n  sans mémoire, en contexte %2\n  avec %3"_s.arg(
               lisible(texte), lisible(sansMemoireEnContexte), lisible(enContexte)));
    EXIGER(enMorceaux(d, &lectureessai::modele(), style, texte, supprimer, options >> 2) ==
               enContexte,
           u"texte %1\n  en contexte %2"_s.arg(lisible(texte), lisible(enContexte)));
    // Counting the rules reads every run afresh, without the memory of
    // runs read before: it must not change the result.
    StatistiquesRetablissement comptes;
    const QString sansMemoire = retablirLeet(d, style, texte, supprimer, &comptes);
    EXIGER(sansMemoire == entier, u"texte %1\n  sans mémoire %2\n  avec %3"_s.arg(
                                      lisible(texte), lisible(sansMemoire), lisible(entier)));
    EXIGER(morceaux == entier, u"texte %1\n  entier   %2\n  morceaux %3"_s.arg(
                                   lisible(texte), lisible(entier), lisible(morceaux)));
    // Anyone's leet, with the glyphs of every alphabet: cut anywhere, on
    // one thread or two, the same as in one piece.
    const uint32_t graine = options >> 2;
    const QString commun = lireParMorceaux(
        *creerLectureCommuneFlux(d, supprimer, &lectureessai::modele()), texte, 0, true);
    const QString communEnMorceaux = lireParMorceaux(
        *creerLectureCommuneFlux(d, supprimer, &lectureessai::modele(), qsizetype(graine % 64)),
        texte, graine, false);
    EXIGER(communEnMorceaux == commun,
           u"texte %1\n  tout l'alphabet %2\n  en morceaux %3"_s.arg(
               lisible(texte), lisible(commun), lisible(communEnMorceaux)));
    return 0;
}
