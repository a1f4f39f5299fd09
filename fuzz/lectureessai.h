#pragma once

// What the fuzz targets of the model's file and the list's index read with
// what they loaded: a short leet text in both styles, and what must hold of
// the result whatever the words.

#include "retablissement.h"

#include <QString>

namespace lectureessai {

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

} // namespace lectureessai
