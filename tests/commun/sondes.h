#pragma once

// What the window probes (run by hand, not tests) share: a French text of any
// length, the median of a few runs, the settings kept out of the user's, and
// one press of "Traduire !" timed up to the result window drawn.

#include "FenEntreeTexte.h"
#include "FenTexteTraduit.h"
#include "outils.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <utility>

inline constexpr qsizetype unMio = 1024 * 1024;

// Ordinary French prose, with accents, digits and punctuation, in lines of
// ordinary length (or as one line), cut to exactly `longueur` characters.
inline QString proseFrancaise(qsizetype longueur, bool enLignes = true)
{
    using namespace Qt::StringLiterals;
    const QString paragraphe = u"Le Scribolix traduit le français en leet : « Bonjour à tous ! »\n"
                               u"Ça va ? Où êtes-vous allés en 2011, l'été dernier… à Noël ?\n"
                               u"Les élèves déçus répètent : « Ma vie est belle », et rient.\n"_s;
    QString texte = paragraphe.repeated(longueur / paragraphe.size() + 1);
    texte.truncate(longueur);
    if (!enLignes)
        texte.replace(u'\n', u' ');
    return texte;
}

inline qint64 mediane(QList<qint64> valeurs)
{
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[valeurs.size() / 2];
}

// The settings in a temporary folder for as long as the probe runs.
class ReglagesDeSonde
{
public:
    ReglagesDeSonde()
    {
        if (!isolerReglages(dossier))
            qFatal("The settings store would not move into a temporary folder");
    }
    // A file in that folder, which goes with it.
    QString chemin(const QString &nom) const { return dossier.filePath(nom); }

private:
    QTemporaryDir dossier;
};

// Shows a window and waits until it is on screen: a probe cannot go on
// without it.
inline void montrer(QWidget &fenetre)
{
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        qFatal("A window never showed");
}

// One press of "Traduire !": the time until the modal result window runs its
// own event loop, shown and holding the whole result (`longueurAttendue`
// characters, or any length when negative), then until its first frame is
// drawn.
inline std::pair<qint64, qint64> mesurerCommande(FenEntreeTexte &fenetre,
                                                 qsizetype longueurAttendue)
{
    using namespace Qt::StringLiterals;
    QElapsedTimer chrono;
    qint64 montre = -1;
    qint64 dessine = -1;
    QTimer::singleShot(0, &fenetre, [&] {
        auto *resultat = qobject_cast<FenTexteTraduit *>(QApplication::activeModalWidget());
        if (!resultat || !resultat->isVisible())
            qFatal("No result window");
        montre = chrono.elapsed();
        const auto *zone = controle<QTextEdit>(resultat, u"zoneResultat"_s);
        if (longueurAttendue >= 0 && zone->document()->characterCount() - 1 != longueurAttendue)
            qFatal("The result window does not hold the whole result");
        resultat->grab();
        dessine = chrono.elapsed();
        resultat->reject();
    });
    chrono.start();
    fenetre.traduire();
    if (montre < 0)
        qFatal("No translation");
    return {montre, dessine};
}
