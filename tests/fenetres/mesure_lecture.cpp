// Times the reading with words in the window: 1 MiB of Korvane leet read
// back with "Rétablir les mots et les accents", from the press of
// "Traduire !" to the result window shown with its text, at first use (the
// list and the model loaded meanwhile) and after; the longest pause of the
// event loop meanwhile; and the program's peak memory at the end. Not a test:
// run it by hand, with an empty cache folder for a true first use,
//   XDG_CACHE_HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen fenetres_mesure_lecture [MiB]
// (1 MiB by default).

#include "sondes.h"
#include "traduction.h"

#include <QFile>

namespace {

struct Mesure
{
    qint64 resultat = -1;    // ms from the press to the result window shown
    qint64 pause = 0;        // ms, the longest gap between two ticks of the event loop
    qint64 pauseLecture = 0; // the same, before the result window came
};

// One press: a timer ticks every 5 ms, notes the longest gap between two
// ticks, and closes the result window as soon as it shows, holding a text.
Mesure presser(FenEntreeTexte &fenetre)
{
    Mesure mesure;
    QElapsedTimer chrono;
    QElapsedTimer depuisTic;
    QTimer tic;
    tic.setInterval(5);
    QObject::connect(&tic, &QTimer::timeout, &fenetre, [&] {
        const qint64 ecart = depuisTic.restart();
        mesure.pause = std::max(mesure.pause, ecart);
        auto *resultat = qobject_cast<FenTexteTraduit *>(QApplication::activeModalWidget());
        if (!resultat)
            mesure.pauseLecture = std::max(mesure.pauseLecture, ecart);
        if (!resultat || mesure.resultat >= 0)
            return;
        mesure.resultat = chrono.elapsed();
        if (controle<QTextEdit>(resultat, u"zoneResultat"_s)->document()->isEmpty())
            qFatal("The result window is empty");
        resultat->reject();
    });
    chrono.start();
    depuisTic.start();
    tic.start();
    cliquer(controle<QPushButton>(&fenetre, u"boutonTraduire"_s));
    if (mesure.resultat < 0)
        qFatal("No result window");
    return mesure;
}

qint64 memoireDePointe()
{
    QFile statut(u"/proc/self/status"_s);
    if (!statut.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : statut.readAll().split('\n')) {
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const ReglagesDeSonde reglages;
    const qsizetype taille = unMio * std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 1);

    Demande korvane;
    korvane.ecriture = Ecriture::Korvane;
    QString leet = traduireSelon(korvane, proseFrancaise(taille));
    leet.truncate(taille);
    korvane.versLeet = false;
    korvane.retablirMots = true;

    FenEntreeTexte fenetre;
    montrer(fenetre);
    controle<QTextEdit>(&fenetre, u"zoneTexte"_s)->setPlainText(leet);
    // The option is checked just before the press: the list and the model
    // load while the press waits.
    for (const QString &nom : {u"radioKorvane"_s, u"radioLeetFrancais"_s, u"caseRetablirMots"_s})
        cliquer(controle<QAbstractButton>(&fenetre, nom));

    const Mesure premiere = presser(fenetre);
    QList<qint64> resultats, pauses, pausesLecture;
    for (int i = 0; i < 5; ++i) {
        const Mesure suivante = presser(fenetre);
        resultats << suivante.resultat;
        pauses << suivante.pause;
        pausesLecture << suivante.pauseLecture;
    }
    qInfo("Korvane, %lld MiB, with words: first use %lld ms to the result window, longest "
          "pause of the event loop %lld ms (%lld ms while reading); after, %lld ms, longest pause "
          "%lld ms (%lld ms while reading; medians of 5); peak memory %lld MiB",
          static_cast<long long>(taille / unMio), static_cast<long long>(premiere.resultat),
          static_cast<long long>(premiere.pause), static_cast<long long>(premiere.pauseLecture),
          static_cast<long long>(mediane(resultats)), static_cast<long long>(mediane(pauses)),
          static_cast<long long>(mediane(pausesLecture)),
          static_cast<long long>(memoireDePointe()));
    return 0;
}
