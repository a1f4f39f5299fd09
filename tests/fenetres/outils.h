#pragma once

// Helpers shared by the window tests: finding controls, clicking them where a
// user would, and answering the modal windows that the main window opens.

#include "FenTexteTraduit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

// Tests never touch the user's settings: before anything opens the settings,
// their store is moved into a temporary folder.
inline void isolerReglages(const QTemporaryDir &dossier)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.path()));
}

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

// What one modal window showed before it was answered.
struct FenetreModale
{
    QString classe;
    QString titre;
    QString texte;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QMessageBox::StandardButtons boutons;
    const QWidget *parent = nullptr;
};

// While it lives, answers every modal window as soon as it is shown: a message
// box is acknowledged with its OK button, a result window is closed with
// Escape, anything else is closed. What each showed is kept in `vues`.
class Repondeur : public QObject
{
public:
    Repondeur()
    {
        minuteur.setInterval(1);
        connect(&minuteur, &QTimer::timeout, this, &Repondeur::repondre);
        minuteur.start();
    }

    QList<FenetreModale> vues;

private:
    void repondre()
    {
        QWidget *modale = QApplication::activeModalWidget();
        if (!modale || !modale->isVisible())
            return;
        FenetreModale vue;
        vue.classe = QString::fromLatin1(modale->metaObject()->className());
        vue.titre = modale->windowTitle();
        vue.parent = modale->parentWidget();
        if (auto *boite = qobject_cast<QMessageBox *>(modale)) {
            vue.texte = boite->text();
            vue.icone = boite->icon();
            vue.boutons = boite->standardButtons();
            vues << vue;
            if (QAbstractButton *ok = boite->button(QMessageBox::Ok))
                ok->click();
            else
                boite->reject();
        } else if (auto *resultat = qobject_cast<FenTexteTraduit *>(modale)) {
            vue.texte = controle<QTextEdit>(resultat, u"zoneResultat"_s)->toPlainText();
            vues << vue;
            QTest::keyClick(resultat, Qt::Key_Escape);
        } else {
            vues << vue;
            modale->close();
        }
    }

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
