// The word list and the index it is kept as, under arbitrary bytes. An
// input is laid out as:
//
//   byte 0   bit 0: the rest is an index, as Dictionnaire::ecrire() writes
//            it, read back with Dictionnaire::lire(); otherwise the rest is
//            a list's text (no line end, CR alone, NULs, broken UTF-8);
//   the rest the index or the list.
//
// A list that loads reads a short leet text in both styles, with and
// without a model: no crash, no sanitizer report, the blanks of the text
// where they are.

#include "exiger.h"
#include "lectureessai.h"
#include "modele.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    lectureessai::modele();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const QByteArrayView reste(reinterpret_cast<const char *>(donnees) + 1, qsizetype(taille) - 1);
    std::optional<Dictionnaire> liste;
    if (donnees[0] & 0x01) {
        QByteArray octets = reste.toByteArray();
        QBuffer index(&octets);
        index.open(QIODevice::ReadOnly);
        liste = Dictionnaire::lire(index);
        if (!liste)
            return 0;
        // What loads writes back the same bytes, and they load again.
        QByteArray ecrits;
        QBuffer copie(&ecrits);
        copie.open(QIODevice::WriteOnly);
        EXIGER(liste->ecrire(copie), u"index relu mais pas écrit"_s);
        copie.close();
        copie.open(QIODevice::ReadOnly);
        EXIGER(Dictionnaire::lire(copie).has_value(), u"index écrit mais pas relu"_s);
    } else {
        liste = Dictionnaire::depuisTexte(reste);
    }
    const QString blancs = lectureessai::blancs(lectureessai::texte());
    for (const Style style : {Style::Velmora, Style::Korvane})
        for (const ModeleContexte *m :
             {static_cast<const ModeleContexte *>(nullptr), &lectureessai::modele()}) {
            const QString lu = lectureessai::lire(*liste, m, style);
            EXIGER(lectureessai::blancs(lu) == blancs, u"lu %1"_s.arg(lu));
        }
    return 0;
}
