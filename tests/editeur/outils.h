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
