#pragma once

// What the editor's tests add to the shared helpers: a set of 26 cells
// standing for the main window's, glyphs to fill them with, and a translation
// through the main window.

#include "cases.h"
#include "outils.h"

#include <QLineEdit>

// 26 parentless cells, as the main window makes them. Destroy the editor
// before these.
struct CasesDeTest
{
    CasesDeTest() : cases(creerCases()) {}
    ~CasesDeTest() { qDeleteAll(cases); }
    CasesDeTest(const CasesDeTest &) = delete;
    CasesDeTest &operator=(const CasesDeTest &) = delete;

    void remplir(const QStringList &textes)
    {
        for (int i = 0; i < nombreLettres; ++i)
            cases[i]->setText(textes.value(i));
    }
    QStringList textes() const
    {
        QStringList resultat;
        for (const QLineEdit *cellule : cases)
            resultat.append(cellule->text());
        return resultat;
    }

    Cases cases;
    bool styleValide = false;
};

// 26 different glyphs, each made distinct by its letter.
inline QStringList glyphesDifferents(const QString &prefixe = QStringLiteral("g"))
{
    QStringList glyphes;
    for (int i = 0; i < nombreLettres; ++i)
        glyphes.append(prefixe + QChar(u'A' + i));
    return glyphes;
}

// Types a text in the main window, presses "Traduire !" and gives back what
// the result window showed (empty when none came up).
inline QString traduire(QWidget *principale, const Repondeur &repondeur, const QString &texte)
{
    principale->findChild<QTextEdit *>(QStringLiteral("zoneTexte"))->setPlainText(texte);
    const qsizetype avant = repondeur.resultats().size();
    cliquer(principale, QStringLiteral("boutonTraduire"));
    const QStringList resultats = repondeur.resultats();
    return resultats.size() > avant ? resultats.last() : QString();
}
