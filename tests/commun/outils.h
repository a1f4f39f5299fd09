#pragma once

// What every window test shares: a settings store of its own, finding and
// clicking controls where a user would, answering the modal windows that come
// up, and closing what a test left open. No window class is named here, so
// that the editor's tests, which link the editor alone, can use it too.

#include "reglages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

// Points the settings store into a temporary folder before its first use, so
// that no test ever reads or writes the user's own settings. True when the
// store did land there.
[[nodiscard]] inline bool isolerReglages(const QTemporaryDir &dossier)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.path()));
    return reglages().fileName().startsWith(dossier.path());
}

// The control named `nom`: a test cannot go on without it.
template <class T> T *controle(const QWidget *fenetre, const QString &nom)
{
    T *trouve = fenetre->findChild<T *>(nom);
    if (!trouve)
        qFatal("No control named %s", qPrintable(nom));
    return trouve;
}

// A radio button or check box reacts to clicks on its indicator and its label
// only, not on the whole width the layout gives it: click on the indicator.
inline QPoint pointDeClic(const QAbstractButton *bouton)
{
    if (qobject_cast<const QPushButton *>(bouton))
        return bouton->rect().center();
    return {6, bouton->height() / 2};
}

inline void cliquer(QAbstractButton *bouton)
{
    QTest::mouseClick(bouton, Qt::LeftButton, {}, pointDeClic(bouton));
}

// Clicks the button named `nom` in `fenetre`, which must be there and enabled.
inline void cliquer(QWidget *fenetre, const QString &nom)
{
    auto *bouton = fenetre->findChild<QAbstractButton *>(nom);
    QVERIFY2(bouton, qPrintable(nom));
    QVERIFY2(bouton->isEnabled(), qPrintable(nom));
    cliquer(bouton);
}

// Presses the button, drags the pointer off it and lets go out there: the
// button emits released() when the pointer leaves it, and is never clicked.
inline void glisserHors(QAbstractButton *bouton)
{
    const QPoint dedans = pointDeClic(bouton);
    const QPoint dehors(bouton->width() + 40, bouton->height() + 40);
    QTest::mousePress(bouton, Qt::LeftButton, {}, dedans);
    QMouseEvent deplacement(QEvent::MouseMove, dehors, bouton->mapToGlobal(dehors), Qt::NoButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bouton, &deplacement);
    QTest::mouseRelease(bouton, Qt::LeftButton, {}, dehors);
}

// What one modal window showed before it was answered. A result window is one
// that holds a text box named "zoneResultat"; its text is `texte`.
struct FenetreModale
{
    enum class Sorte { Boite, Resultat, Autre };

    Sorte sorte = Sorte::Autre;
    QString classe;
    QString titre;
    QString texte;
    // What copying the whole of a result window's text put on the clipboard.
    QString copie;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QMessageBox::StandardButtons boutons;
    const QWidget *parent = nullptr;
    // The busy cursor was still up over the program while it was shown.
    bool curseurOccupe = false;
};

// While it lives, answers every modal window as soon as it is shown: a message
// box is acknowledged with its OK button, a result window has its text copied
// and is closed with Escape, and a reading's progress is left to end on its
// own. What each showed is kept in `vues`, in order.
class Repondeur : public QObject
{
public:
    // What becomes of any other modal window. The main window's tests never
    // expect one, and close it so that it cannot block them; the editor's
    // tests drive such windows themselves (the editor, its explanations, a
    // file dialog), so these are left to them and not kept in `vues`.
    enum class Autres { Fermer, Laisser };

    explicit Repondeur(Autres autres = Autres::Fermer) : autres(autres)
    {
        minuteur.setInterval(1);
        connect(&minuteur, &QTimer::timeout, this, &Repondeur::repondre);
        minuteur.start();
    }

    QList<FenetreModale> boites() const { return deSorte(FenetreModale::Sorte::Boite); }

    QStringList resultats() const
    {
        QStringList textes;
        for (const FenetreModale &vue : deSorte(FenetreModale::Sorte::Resultat))
            textes.append(vue.texte);
        return textes;
    }

    QList<FenetreModale> vues;

private:
    QList<FenetreModale> deSorte(FenetreModale::Sorte sorte) const
    {
        QList<FenetreModale> choisies;
        for (const FenetreModale &vue : vues) {
            if (vue.sorte == sorte)
                choisies.append(vue);
        }
        return choisies;
    }

    void repondre()
    {
        QWidget *modale = QApplication::activeModalWidget();
        if (!modale || !modale->isVisible() || qobject_cast<QProgressDialog *>(modale))
            return;
        FenetreModale vue;
        vue.classe = QString::fromLatin1(modale->metaObject()->className());
        vue.titre = modale->windowTitle();
        vue.parent = modale->parentWidget();
        vue.curseurOccupe = QGuiApplication::overrideCursor() != nullptr;
        if (auto *boite = qobject_cast<QMessageBox *>(modale)) {
            vue.sorte = FenetreModale::Sorte::Boite;
            vue.texte = boite->text();
            vue.format = boite->textFormat();
            vue.icone = boite->icon();
            vue.boutons = boite->standardButtons();
            vues << vue;
            if (QAbstractButton *ok = boite->button(QMessageBox::Ok))
                ok->click();
            else
                boite->reject();
        } else if (auto *zone = modale->findChild<QTextEdit *>(u"zoneResultat"_s)) {
            vue.sorte = FenetreModale::Sorte::Resultat;
            vue.texte = zone->toPlainText();
            zone->selectAll();
            zone->copy();
            vue.copie = QGuiApplication::clipboard()->text();
            vues << vue;
            QTest::keyClick(modale, Qt::Key_Escape);
        } else if (autres == Autres::Fermer) {
            vues << vue;
            modale->close();
        }
    }

    Autres autres;
    QTimer minuteur;
};

// Closes and deletes the windows a test left open, whoever their parent.
inline void fermerFenetresOuvertes()
{
    for (QWidget *fenetre : QApplication::topLevelWidgets()) {
        if (fenetre->isVisible())
            fenetre->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
