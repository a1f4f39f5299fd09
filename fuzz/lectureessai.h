#pragma once

// What the fuzz targets of the reading share: a small context model, and
// for those of the model's file and the list's index, a short leet text to
// read with what they loaded and what must hold of the result whatever the
// words.

#include "retablissement.h"

#include <QByteArray>
#include <QString>

namespace lectureessai {

// A context model over a few words, so that spellings wait for the next
// word, with English words that keep their neighbours as read.
inline const ModeleContexte &modele()
{
    static const ModeleContexte m = *ModeleContexte::depuisOctets(qCompress(
        "scribolix-modele 1\nmots 7 100\n<s>\t30\nla\t20\na\t15\n\xC3\xA0\t10\n"
        "ou\t8\no\xC3\xB9\t6\n\xC3\xA9t\xC3\xA9\t5\nbigrammes 3\n0\t2\t9\n3\t1\t7\n5\t6\t2\n"
        "anglais 3\nthe\t1\nwith\t1\na\t0\n"));
    return m;
}

// Leet of both styles, with numbers, brackets, an apostrophe, a line break.
inline QString texte()
{
    return QStringLiteral(
        "|_/-\\ |\\/|/-\\!5()|\\| |)3 |_'3(()|_3, |_!5 |_3 |=!(|-|!3|2 |=|_|(1) 2023-05-11.\n"
        "|_/-\\ |\\/|/-\\|5()|\\| 3|\\| ()()|\\| |=|_()|_ |\\/|3|\\/||_||\\/||7=5");
}

// The blanks and line breaks of a text, in order: the reading keeps them
// where the leet has them, whatever it makes of the words between.
inline QString blancs(const QString &texte)
{
    QString b;
    for (const QChar c : texte)
        if (c == u' ' || c == u'\n')
            b += c;
    return b;
}

// texte() read with a list and a model (or none), on two threads when
// `moitie` is not 0.
inline QString lire(const Dictionnaire &liste, const ModeleContexte *modele, Style style,
                    qsizetype moitie = 0)
{
    QByteArray sortie;
    const auto flux = creerRetablissementFlux(liste, style, false, modele, moitie);
    flux->alimenter(texte(), sortie);
    flux->terminer(sortie);
    return QString::fromUtf8(sortie);
}

} // namespace lectureessai
