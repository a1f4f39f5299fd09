#include "cases.h"

#include <QLineEdit>
#include <QStringList>

#include <limits>

Cases creerCases()
{
    Cases cases;
    for (int i = 0; i < nombreLettres; ++i) {
        cases[i] = new QLineEdit;
        cases[i]->setObjectName(QStringLiteral("case") + QChar(u'A' + i));
        // A glyph may be of any length: a long line of a style file is never cut.
        cases[i]->setMaxLength(std::numeric_limits<int>::max());
    }
    return cases;
}

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
