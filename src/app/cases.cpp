#include "cases.h"

#include <QLineEdit>
#include <QStringList>

Glyphes textesDesCases(const Cases &cases)
{
    Glyphes textes;
    for (int i = 0; i < nombreLettres; ++i)
        textes[i] = cases[i]->text();
    return textes;
}

void remplirCases(const Cases &cases, const QStringList &glyphes)
{
    const qsizetype nombre = std::min<qsizetype>(glyphes.size(), nombreLettres);
    for (qsizetype i = 0; i < nombre; ++i)
        cases[i]->setText(glyphes[i]);
}
