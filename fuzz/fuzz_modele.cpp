// The context model's file under arbitrary bytes. An input is laid out as:
//
//   byte 0   bit 0: the rest is the file as it is, a zlib stream behind
//            its size; otherwise the rest is the model's text, compressed
//            here so that the parser sees what the fuzzer makes;
//   the rest the file or its text.
//
// A file that loads reads a short leet text in both styles, on one thread
// and on two: no crash, no sanitizer report, and the blanks of the text
// where they are with no model.

#include "exiger.h"
#include "lectureessai.h"
#include "modele.h"

#include <QByteArray>

#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

const Dictionnaire &liste()
{
    static const Dictionnaire d = Dictionnaire::depuisTexte(
        "a\n\xC3\xA0\nla\nle\nl\xC3\xA0\nmaison\nfichier\nlire\nlis\nfou\nmem\nlimit\nvers\n");
    return d;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    liste();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const QByteArrayView reste(reinterpret_cast<const char *>(donnees) + 1, qsizetype(taille) - 1);
    const QByteArray fichier =
        donnees[0] & 0x01 ? reste.toByteArray() : qCompress(reste.toByteArray());
    QString erreur;
    const std::optional<ModeleContexte> modele = ModeleContexte::depuisOctets(fichier, &erreur);
    EXIGER(modele || !erreur.isEmpty(), u"refusé sans raison"_s);
    if (!modele)
        return 0;
    for (const Style style : {Style::Velmora, Style::Korvane}) {
        const QString sansModele = lectureessai::lire(liste(), nullptr, style);
        for (const qsizetype moitie : {qsizetype(0), qsizetype(16)}) {
            const QString avec = lectureessai::lire(liste(), &*modele, style, moitie);
            EXIGER(lectureessai::blancs(avec) == lectureessai::blancs(sansModele),
                   u"sans modèle %1\n  avec %2"_s.arg(sansModele, avec));
        }
    }
    return 0;
}
