// Renders every window of the main window's side to PNG files, headless, for
// looking at them and for the README's picture. Not a test: run it by hand,
//   QT_QPA_PLATFORM=offscreen fenetres_captures <folder>

#include "FenChoixEcriture.h"
#include "FenEntreeTexte.h"
#include "sondes.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRandomGenerator>

namespace {

QString dossier;

void enregistrer(QWidget *fenetre, const QString &nom)
{
    const QString chemin = QDir(dossier).filePath(nom + u".png"_s);
    if (!fenetre->grab().save(chemin))
        qFatal("Cannot write %s", qPrintable(chemin));
    qInfo("%s", qPrintable(chemin));
}

// Korvane leet of made-up words, none like another: the reading remembers
// none of them, and takes long enough for its progress to show.
QString leetVarie(qsizetype longueur)
{
    QRandomGenerator hasard(2026);
    QString francais;
    while (francais.size() < longueur) {
        const int lettres = 2 + int(hasard.bounded(8));
        for (int i = 0; i < lettres; ++i)
            francais += QChar(u'a' + hasard.bounded(26));
        francais += u' ';
    }
    Demande korvane;
    korvane.ecriture = Ecriture::Korvane;
    return traduireSelon(korvane, francais);
}

void choisir(FenEntreeTexte &fenetre, const QStringList &noms)
{
    for (const QString &nom : noms)
        cliquer(controle<QAbstractButton>(&fenetre, nom));
}

// Clicks "Traduire !" and photographs the modal window it opens.
void traduireEtCapturer(FenEntreeTexte &fenetre, const QString &nom)
{
    QTimer::singleShot(50, &fenetre, [nom] {
        QWidget *modale = QApplication::activeModalWidget();
        if (!modale)
            qFatal("No modal window for %s", qPrintable(nom));
        enregistrer(modale, nom);
        modale->close();
    });
    cliquer(controle<QPushButton>(&fenetre, u"boutonTraduire"_s));
}

void capturerOuverte(FenEntreeTexte &fenetre, const QString &action, const QString &titre,
                     const QString &nom)
{
    controle<QAction>(&fenetre, action)->trigger();
    QApplication::processEvents();
    for (QWidget *ouverte : QApplication::topLevelWidgets()) {
        if (ouverte->isVisible() && ouverte->windowTitle() == titre) {
            enregistrer(ouverte, nom);
            return;
        }
    }
    qFatal("No window titled %s", qPrintable(titre));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        qFatal("Usage: fenetres_captures <folder>");
    dossier = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dossier);
    const ReglagesDeSonde reglages;

    FenEntreeTexte fenetre;
    montrer(fenetre);
    enregistrer(&fenetre, u"principale-depart"_s);
    auto *menuQuestion = controle<QMenu>(&fenetre, u"menuQuestion"_s);
    menuQuestion->popup(fenetre.mapToGlobal(QPoint(0, 0)));
    if (!QTest::qWaitForWindowExposed(menuQuestion))
        qFatal("The menu never showed");
    enregistrer(menuQuestion, u"menu-question"_s);
    menuQuestion->hide();

    traduireEtCapturer(fenetre, u"erreur-style"_s);
    choisir(fenetre, {u"radioPerso"_s});
    enregistrer(&fenetre, u"principale-personnalisee"_s);
    traduireEtCapturer(fenetre, u"erreur-sens"_s);
    choisir(fenetre, {u"radioFrancaisLeet"_s});
    auto *zoneTexte = controle<QTextEdit>(&fenetre, u"zoneTexte"_s);
    zoneTexte->setPlainText(u" \n\t"_s);
    traduireEtCapturer(fenetre, u"erreur-texte"_s);
    zoneTexte->setPlainText(u"Bonjour"_s);
    traduireEtCapturer(fenetre, u"erreur-validation"_s);
    choisir(fenetre, {u"radioVelmora"_s});
    zoneTexte->setPlainText(u"/\u00ad"_s);
    traduireEtCapturer(fenetre, u"erreur-rien-traduit"_s);

    zoneTexte->setPlainText(u"Bonjour à tous !\nÇa va ? Ma vie est belle."_s);
    enregistrer(&fenetre, u"principale-remplie"_s);
    traduireEtCapturer(fenetre, u"resultat"_s);

    // A run with nowhere to break a line, wrapped anywhere.
    zoneTexte->setPlainText(QString(3000, u's'));
    traduireEtCapturer(fenetre, u"resultat-sans-blanc"_s);

    // The editor after saving under a name too long for its status bar.
    choisir(fenetre, {u"radioPerso"_s});
    cliquer(controle<QPushButton>(&fenetre, u"boutonPersonnaliser"_s));
    auto *editeur = fenetre.findChild<FenChoixEcriture *>();
    const QString nomLong = u"mon-style-"_s + QString(60, u'n') + u"-version-finale.txt"_s;
    editeur->remplacerDemandeChemin(
        [&](FenChoixEcriture::Dialogue) { return reglages.chemin(nomLong); });
    {
        // Empty cells are saved all the same, after a warning.
        const Repondeur repondeur;
        controle<QAction>(editeur, u"actionEnregistrerSous"_s)->trigger();
    }
    QApplication::processEvents();
    enregistrer(editeur, u"editeur-nom-long"_s);
    editeur->close();
    choisir(fenetre, {u"radioVelmora"_s});

    choisir(fenetre, {u"radioLeetFrancais"_s});
    enregistrer(&fenetre, u"principale-leet-francais"_s);

    // The reading with words of a long text: its progress once it shows,
    // then stopped from there. Run with an empty cache folder, the reading
    // waits for the word list to be indexed, long enough to show it.
    zoneTexte->setPlainText(leetVarie(4 * unMio));
    choisir(fenetre, {u"radioKorvane"_s, u"caseRetablirMots"_s});
    enregistrer(&fenetre, u"principale-mots-retablis"_s);
    QTimer guet;
    guet.setInterval(20);
    QObject::connect(&guet, &QTimer::timeout, &fenetre, [&guet] {
        QWidget *modale = QApplication::activeModalWidget();
        auto *progression = qobject_cast<QProgressDialog *>(modale);
        if (modale && !progression)
            modale->close();
        if (!progression || !progression->isVisible())
            return;
        guet.stop();
        enregistrer(progression, u"progression-lecture"_s);
        progression->findChild<QPushButton *>()->click();
    });
    guet.start();
    cliquer(controle<QPushButton>(&fenetre, u"boutonTraduire"_s));
    if (guet.isActive())
        qFatal("No progress shown");
    choisir(fenetre, {u"caseRetablirMots"_s, u"radioCourante"_s});
    enregistrer(&fenetre, u"principale-courante"_s);

    capturerOuverte(fenetre, u"actionModeEmploi"_s, u"Mode d'emploi du Scribolix"_s, u"aide"_s);
    capturerOuverte(fenetre, u"actionAPropos"_s, u"À Propos du Scribolix"_s, u"a-propos"_s);
    capturerOuverte(fenetre, u"actionEcritureVelmora"_s, u"Velmora"_s, u"ecriture-velmora"_s);
    capturerOuverte(fenetre, u"actionEcritureKorvane"_s, u"Korvane"_s, u"ecriture-korvane"_s);
    fermerFenetresOuvertes();
    return 0;
}
