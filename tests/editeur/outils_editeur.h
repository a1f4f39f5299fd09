#pragma once

// What the editor's tests share: a set of 26 cells standing for the main
// window's, a settings store of their own, and a hand that answers message
// boxes.

#include "cases.h"
#include "reglages.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

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

// Points the settings store into a temporary folder before its first use, so
// that no test ever reads or writes the user's own settings.
inline bool isolerReglages(const QTemporaryDir &dossier)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.path()));
    return reglages().fileName().startsWith(dossier.path());
}

// While it lives, answers every message box that comes up: records what the
// box showed, then presses its OK button.
class RepondeurBoites : public QObject
{
public:
    struct Boite
    {
        QString titre;
        QString texte;
        Qt::TextFormat format;
        QMessageBox::Icon icone;
        QMessageBox::StandardButtons boutons;
        QWidget *parent;
    };

    RepondeurBoites()
    {
        minuterie.setInterval(10);
        connect(&minuterie, &QTimer::timeout, this, &RepondeurBoites::repondre);
        minuterie.start();
    }

    QList<Boite> boites;

private:
    void repondre()
    {
        auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!boite || !boite->isVisible())
            return;
        boites.append({boite->windowTitle(), boite->text(), boite->textFormat(), boite->icon(),
                       boite->standardButtons(), boite->parentWidget()});
        if (QAbstractButton *ok = boite->button(QMessageBox::Ok))
            ok->click();
        else
            boite->reject();
    }

    QTimer minuterie;
};

// While it lives, notes the text of every result window that comes up, then
// closes it.
class LecteurResultats : public QObject
{
public:
    LecteurResultats()
    {
        minuterie.setInterval(10);
        connect(&minuterie, &QTimer::timeout, this, &LecteurResultats::lire);
        minuterie.start();
    }

    QStringList resultats;

private:
    void lire()
    {
        auto *fenetre = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!fenetre || !fenetre->isVisible())
            return;
        if (auto *zone = fenetre->findChild<QTextEdit *>(QStringLiteral("zoneResultat"))) {
            resultats.append(zone->toPlainText());
            fenetre->reject();
        }
    }

    QTimer minuterie;
};

// Clicks a button as the user would: radio buttons and check boxes on their
// indicator, not across the whole row.
inline void cliquer(QWidget *fenetre, const QString &nom)
{
    auto *bouton = fenetre->findChild<QAbstractButton *>(nom);
    QVERIFY2(bouton, qPrintable(nom));
    QVERIFY2(bouton->isEnabled(), qPrintable(nom));
    const QPoint point = qobject_cast<QPushButton *>(bouton) ? bouton->rect().center()
                                                             : QPoint(6, bouton->height() / 2);
    QTest::mouseClick(bouton, Qt::LeftButton, {}, point);
}

// Types a text in the main window, presses "Traduire !" and gives back what
// the result window showed (empty when none came up).
inline QString traduire(QWidget *principale, const LecteurResultats &lecteur, const QString &texte)
{
    principale->findChild<QTextEdit *>(QStringLiteral("zoneTexte"))->setPlainText(texte);
    const qsizetype avant = lecteur.resultats.size();
    cliquer(principale, QStringLiteral("boutonTraduire"));
    return lecteur.resultats.size() > avant ? lecteur.resultats.last() : QString();
}
