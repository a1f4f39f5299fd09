// The rules that keep the personal style and the leet-to-French direction
// apart, and the prompt text that leaves the text box at the first selection.

#include "FenEntreeTexte.h"
#include "outils.h"
#include "reglages.h"

#include <QClipboard>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const QString texteInvite = u"Entrez le texte à traduire ici..."_s;
const QString pageCollee = u"Première ligne de la page collée.\nDeuxième ligne."_s;

const QStringList boutonsRadio{u"radioVelmora"_s, u"radioKorvane"_s,      u"radioCourante"_s,
                               u"radioPerso"_s,   u"radioFrancaisLeet"_s, u"radioLeetFrancais"_s};

} // namespace

class TestRegles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void transitions_data();
    void transitions();
    void premiereSelection_data();
    void premiereSelection();
    void selectionsSuivantesSansEffet();

private:
    QTemporaryDir configuration;
    std::unique_ptr<FenEntreeTexte> fenetre;
    QTextEdit *zoneTexte = nullptr;
};

void TestRegles::initTestCase()
{
    QVERIFY(configuration.isValid());
    QVERIFY(isolerReglages(configuration));
}

void TestRegles::init()
{
    fenetre = std::make_unique<FenEntreeTexte>();
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
}

void TestRegles::cleanup()
{
    fenetre.reset();
    fermerFenetresOuvertes();
}

// Each row is what the user does, one gesture per entry ("clic X", a click;
// "glisse X", a press on X released after the pointer left it; "espace X",
// the space bar on X), and the state it leaves: the checked radio buttons,
// whether the personal style (P) and "Leet vers français" (LF) can still be
// checked, and whether "Personnaliser..." is enabled.
void TestRegles::transitions_data()
{
    QTest::addColumn<QStringList>("gestes");
    QTest::addColumn<QStringList>("coches");
    QTest::addColumn<bool>("persoCochable");
    QTest::addColumn<bool>("leetCochable");
    QTest::addColumn<bool>("personnaliserActif");

    QTest::newRow("au départ") << QStringList() << QStringList() << true << true << false;
    QTest::newRow("personnalisée") << QStringList{u"clic radioPerso"_s}
                                   << QStringList{u"radioPerso"_s} << true << false << true;
    QTest::newRow("personnalisée au clavier")
        << QStringList{u"espace radioPerso"_s} << QStringList{u"radioPerso"_s} << true << false
        << true;
    QTest::newRow("personnalisée, puis LF incochable")
        << QStringList{u"clic radioPerso"_s, u"clic radioLeetFrancais"_s}
        << QStringList{u"radioPerso"_s} << true << false << true;
    QTest::newRow("personnalisée recliquée")
        << QStringList{u"clic radioPerso"_s, u"clic radioPerso"_s} << QStringList{u"radioPerso"_s}
        << true << false << true;
    QTest::newRow("personnalisée, puis Korvane")
        << QStringList{u"clic radioPerso"_s, u"clic radioKorvane"_s}
        << QStringList{u"radioKorvane"_s} << true << true << false;
    QTest::newRow("Korvane recliqué") << QStringList{u"clic radioKorvane"_s, u"clic radioKorvane"_s}
                                      << QStringList{u"radioKorvane"_s} << true << true << false;
    // The usual leet follows the rules of the other built-in styles.
    QTest::newRow("personnalisée, puis courante")
        << QStringList{u"clic radioPerso"_s, u"clic radioCourante"_s}
        << QStringList{u"radioCourante"_s} << true << true << false;
    QTest::newRow("personnalisée, courante lâchée dehors")
        << QStringList{u"clic radioPerso"_s, u"glisse radioCourante"_s}
        << QStringList{u"radioPerso"_s} << true << true << false;
    QTest::newRow("courante, puis LF, puis personnalisée incochable")
        << QStringList{u"clic radioCourante"_s, u"clic radioLeetFrancais"_s, u"clic radioPerso"_s}
        << QStringList{u"radioCourante"_s, u"radioLeetFrancais"_s} << false << true << false;
    QTest::newRow("LF, puis personnalisée incochable")
        << QStringList{u"clic radioLeetFrancais"_s, u"clic radioPerso"_s}
        << QStringList{u"radioLeetFrancais"_s} << false << true << false;
    QTest::newRow("LF, puis français vers leet")
        << QStringList{u"clic radioLeetFrancais"_s, u"clic radioFrancaisLeet"_s}
        << QStringList{u"radioFrancaisLeet"_s} << true << true << false;
    QTest::newRow("français vers leet, puis personnalisée")
        << QStringList{u"clic radioFrancaisLeet"_s, u"clic radioPerso"_s}
        << QStringList{u"radioPerso"_s, u"radioFrancaisLeet"_s} << true << false << true;
    QTest::newRow("personnalisée lâchée dehors")
        << QStringList{u"glisse radioPerso"_s} << QStringList() << true << true << false;
    QTest::newRow("LF lâché dehors")
        << QStringList{u"glisse radioLeetFrancais"_s} << QStringList() << true << true << false;
    QTest::newRow("personnalisée, Velmora lâché dehors")
        << QStringList{u"clic radioPerso"_s, u"glisse radioVelmora"_s}
        << QStringList{u"radioPerso"_s} << true << true << false;
    QTest::newRow("personnalisée, Velmora lâché dehors, puis LF")
        << QStringList{u"clic radioPerso"_s, u"glisse radioVelmora"_s, u"clic radioLeetFrancais"_s}
        << QStringList{u"radioLeetFrancais"_s} << false << true << false;
    QTest::newRow("LF, français vers leet lâché dehors")
        << QStringList{u"clic radioLeetFrancais"_s, u"glisse radioFrancaisLeet"_s}
        << QStringList{u"radioLeetFrancais"_s} << true << true << false;
    QTest::newRow("LF, français vers leet lâché dehors, puis personnalisée")
        << QStringList{u"clic radioLeetFrancais"_s, u"glisse radioFrancaisLeet"_s,
                       u"clic radioPerso"_s}
        << QStringList{u"radioPerso"_s} << true << false << true;
}

void TestRegles::transitions()
{
    QFETCH(QStringList, gestes);
    QFETCH(QStringList, coches);
    QFETCH(bool, persoCochable);
    QFETCH(bool, leetCochable);
    QFETCH(bool, personnaliserActif);

    for (const QString &geste : gestes) {
        const QString action = geste.section(u' ', 0, 0);
        auto *bouton = controle<QRadioButton>(fenetre.get(), geste.section(u' ', 1));
        if (action == u"clic")
            cliquer(bouton);
        else if (action == u"glisse")
            glisserHors(bouton);
        else if (action == u"espace")
            QTest::keyClick(bouton, Qt::Key_Space);
        else
            QFAIL(qPrintable(u"unknown gesture "_s + geste));
    }

    for (const QString &nom : boutonsRadio)
        QCOMPARE(controle<QRadioButton>(fenetre.get(), nom)->isChecked(), coches.contains(nom));
    auto *perso = controle<QRadioButton>(fenetre.get(), u"radioPerso"_s);
    auto *leet = controle<QRadioButton>(fenetre.get(), u"radioLeetFrancais"_s);
    QCOMPARE(perso->isCheckable(), persoCochable);
    QCOMPARE(perso->text(), persoCochable ? u"Écriture &Personnalisée"_s
                                          : u"Écriture &Personnalisée (incochable)"_s);
    QCOMPARE(leet->isCheckable(), leetCochable);
    QCOMPARE(leet->text(),
             leetCochable ? u"&Leet vers français"_s : u"&Leet vers français (incochable)"_s);
    QCOMPARE(controle<QPushButton>(fenetre.get(), u"boutonPersonnaliser"_s)->isEnabled(),
             personnaliserActif);
    // A lengthened label is shown whole.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QVERIFY(perso->width() >= perso->sizeHint().width());
    QVERIFY(leet->width() >= leet->sizeHint().width());
}

// The prompt goes at the first selection, whatever makes it, and only the
// prompt: what the user typed or pasted around it before stays, and a prompt
// the user edited is theirs. The caret moving about selects nothing.
void TestRegles::premiereSelection_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("geste");
    QTest::addColumn<QString>("contenu");

    QTest::newRow("tout sélectionner") << QString() << u"Ctrl+A"_s << QString();
    QTest::newRow("double-clic") << QString() << u"double-clic"_s << QString();
    QTest::newRow("Maj+flèche") << QString() << u"Maj+Droite"_s << QString();
    QTest::newRow("curseur déplacé") << QString() << u"Fin, Gauche"_s << texteInvite;
    QTest::newRow("tapé dès l'arrivée") << u"taper Bonjour"_s << u"Ctrl+A"_s << u"Bonjour"_s;
    QTest::newRow("tapé après l'invite") << u"Fin, taper Bonjour"_s << u"Ctrl+A"_s << u"Bonjour"_s;
    QTest::newRow("collé avant l'invite") << u"coller"_s << u"Maj+Droite"_s << pageCollee;
    QTest::newRow("collé après l'invite") << u"Fin, coller"_s << u"Ctrl+A"_s << pageCollee;
    QTest::newRow("invite retouchée") << u"Fin, Retour arrière, taper !"_s << u"Ctrl+A"_s
                                      << u"Entrez le texte à traduire ici..!"_s;
}

void TestRegles::premiereSelection()
{
    QFETCH(QString, saisie);
    QFETCH(QString, geste);
    QFETCH(QString, contenu);

    QCOMPARE(zoneTexte->toPlainText(), texteInvite);
    if (saisie.startsWith(u"Fin"_s))
        QTest::keyClick(zoneTexte, Qt::Key_End);
    if (saisie.contains(u"Retour arrière"_s))
        QTest::keyClick(zoneTexte, Qt::Key_Backspace);
    if (saisie.contains(u"taper "_s))
        QTest::keyClicks(zoneTexte, saisie.section(u"taper "_s, 1));
    if (saisie.contains(u"coller"_s)) {
        QApplication::clipboard()->setText(pageCollee);
        QTest::keyClick(zoneTexte, Qt::Key_V, Qt::ControlModifier);
    }

    if (geste == u"Ctrl+A"_s) {
        QTest::keyClick(zoneTexte, Qt::Key_A, Qt::ControlModifier);
    } else if (geste == u"double-clic"_s) {
        const QPoint mot = zoneTexte->cursorRect(zoneTexte->textCursor()).center() + QPoint(8, 0);
        QTest::mouseDClick(zoneTexte->viewport(), Qt::LeftButton, {}, mot);
    } else if (geste == u"Maj+Droite"_s) {
        QTest::keyClick(zoneTexte, Qt::Key_Right, Qt::ShiftModifier);
    } else {
        QTest::keyClick(zoneTexte, Qt::Key_End);
        QTest::keyClick(zoneTexte, Qt::Key_Left);
    }
    QCOMPARE(zoneTexte->toPlainText(), contenu);

    // Once the prompt is gone, what the user types is theirs.
    QTest::keyClicks(zoneTexte, u"Bonjour"_s);
    QTest::keyClick(zoneTexte, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(zoneTexte->toPlainText().contains(u"Bonjour"_s));
}

// After the first selection nothing is erased any more, even when the box
// holds the prompt's words again.
void TestRegles::selectionsSuivantesSansEffet()
{
    QTest::keyClick(zoneTexte, Qt::Key_End);
    QTest::keyClicks(zoneTexte, u" Bonjour"_s);
    QTest::keyClick(zoneTexte, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(zoneTexte->toPlainText(), u" Bonjour"_s);

    QApplication::clipboard()->setText(texteInvite);
    QTest::keyClick(zoneTexte, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(zoneTexte->toPlainText(), texteInvite);
    QTest::keyClick(zoneTexte, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(zoneTexte->toPlainText(), texteInvite);
}

QTEST_MAIN(TestRegles)
#include "test_regles.moc"
