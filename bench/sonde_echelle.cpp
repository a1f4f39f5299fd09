// How the windows hold up on big texts: 1, 4 and 16 MiB of ordinary French
// lines, and the same text as one line without breaks, pasted into the text
// box through the clipboard (Ctrl+V), then translated from French to leet
// (Velmora). For each it times the paste, the box's first frame drawn after
// it, the translate command up to the result window shown with its text, and
// that window's first frame. Not a test: run it by hand, headless,
//   QT_QPA_PLATFORM=offscreen bench/sonde_echelle [taille en Mio...]

#include "sondes.h"

#include <QClipboard>
#include <QTextBlock>
#include <QTextLayout>

namespace {

struct Mesure
{
    qint64 collage = 0;
    qint64 imageCollage = 0;
    qint64 curseurVisible = 0;
    qint64 plusLongueAttente = 0;
    qint64 traduction = 0;
    qint64 imageResultat = 0;
};

Mesure mesurerUneFois(const QString &texte)
{
    FenEntreeTexte fenetre;
    montrer(fenetre);
    for (const QString &nom : {u"radioVelmora"_s, u"radioFrancaisLeet"_s})
        cliquer(controle<QAbstractButton>(&fenetre, nom));
    auto *zoneTexte = controle<QTextEdit>(&fenetre, u"zoneTexte"_s);
    zoneTexte->setFocus();
    QTest::keySequence(zoneTexte, QKeySequence::SelectAll);
    QTest::keyClick(zoneTexte, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText(texte);

    Mesure mesure;
    QElapsedTimer chrono;
    chrono.start();
    QTest::keySequence(zoneTexte, QKeySequence::Paste);
    mesure.collage = chrono.elapsed();
    fenetre.grab();
    mesure.imageCollage = chrono.elapsed();
    if (zoneTexte->document()->characterCount() - 1 != texte.size())
        qFatal("The paste did not bring the whole text");
    // The box lays the rest of the text out between events and then scrolls
    // to the cursor: how long until then, and the longest the window went
    // without answering meanwhile.
    QElapsedTimer pas;
    while (zoneTexte->textCursor().block().layout()->lineCount() == 0) {
        pas.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        mesure.plusLongueAttente = std::max(mesure.plusLongueAttente, pas.elapsed());
    }
    QCoreApplication::processEvents();
    mesure.curseurVisible = chrono.elapsed();

    const auto [montre, dessine] = mesurerCommande(fenetre, -1);
    mesure.traduction = montre;
    mesure.imageResultat = dessine - montre;
    mesure.imageCollage -= mesure.collage;
    mesure.curseurVisible -= mesure.collage;
    return mesure;
}

Mesure mesurer(const QString &texte, int repetitions)
{
    QList<qint64> collages, imagesCollage, curseurs, attentes, traductions, imagesResultat;
    for (int i = 0; i < repetitions; ++i) {
        const Mesure mesure = mesurerUneFois(texte);
        collages << mesure.collage;
        imagesCollage << mesure.imageCollage;
        curseurs << mesure.curseurVisible;
        attentes << mesure.plusLongueAttente;
        traductions << mesure.traduction;
        imagesResultat << mesure.imageResultat;
    }
    return {mediane(collages), mediane(imagesCollage), mediane(curseurs),
            mediane(attentes), mediane(traductions),   mediane(imagesResultat)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const ReglagesDeSonde reglages;

    QList<int> tailles;
    for (const QString &argument : QApplication::arguments().mid(1))
        tailles << argument.toInt();
    if (tailles.isEmpty())
        tailles = {1, 4, 16};

    qInfo("text, MiB: paste | its first frame | laid out to the cursor (longest step) | "
          "translate to result shown | its first frame (ms, median)");
    for (const bool enLignes : {true, false}) {
        for (const int taille : tailles) {
            const QString texte = proseFrancaise(taille * unMio, enLignes);
            const Mesure mesure = mesurer(texte, taille >= 16 ? 1 : 3);
            qInfo("%s, %2d: %6lld | %6lld | %6lld (%4lld) | %6lld | %6lld",
                  enLignes ? "lines   " : "one line", taille,
                  static_cast<long long>(mesure.collage),
                  static_cast<long long>(mesure.imageCollage),
                  static_cast<long long>(mesure.curseurVisible),
                  static_cast<long long>(mesure.plusLongueAttente),
                  static_cast<long long>(mesure.traduction),
                  static_cast<long long>(mesure.imageResultat));
        }
    }
    return 0;
}
