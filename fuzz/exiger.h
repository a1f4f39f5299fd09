#pragma once

// What the fuzz targets check besides "no crash": a property that does not
// hold stops the run with a message, so that libFuzzer keeps the input as a
// crash and the replay program fails its test.

#include <QString>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void proprieteViolee(const char *fichier, int ligne, const char *condition,
                                         const QString &contexte)
{
    std::fprintf(stderr, "%s:%d: propriété non tenue : %s\n  %s\n", fichier, ligne, condition,
                 contexte.toUtf8().constData());
    std::abort();
}

// `contexte` is evaluated only when the property fails.
#define EXIGER(condition, contexte)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            proprieteViolee(__FILE__, __LINE__, #condition, (contexte));                           \
    } while (false)

// A text as a reader can see it: every character outside printable ASCII as
// its code, so that NULs, surrogates and line breaks show.
inline QString lisible(const QString &texte)
{
    QString resultat;
    for (const QChar c : texte) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            resultat.append(c);
        else
            resultat.append(QStringLiteral("<%1>").arg(uint(c.unicode()), 4, 16, QLatin1Char('0')));
    }
    return resultat;
}
