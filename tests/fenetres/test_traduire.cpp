// The translate command, driven from the main window as a user would: its
// refusals and their order, and the result windows it opens.

#include "FenEntreeTexte.h"
#include "FenTexteTraduit.h"
#include "lectureenfond.h"
#include "outils.h"
#include "reglages.h"
#include "textebrut.h"

#include <QCheckBox>
#include <QProgressDialog>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const QString messageStyle =
    u"<strong>Erreur</strong>, vous n'avez pas choisi le type de traduction."_s;
const QString messageSens =
    u"<strong>Erreur</strong>, vous n'avez pas indiqué le sens de conversion."_s;
const QString messageTexte = u"<strong>Erreur</strong>, vous n'avez pas entré de texte."_s;
const QString messageValidation =
    u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s;
const QString messageRienTraduit = u"<center>Vous n'avez entré aucun texte,<br />ou vous avez "
                                   u"utilisé des symboles inconnus.</center>"_s;

} // namespace

class TestTraduire : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void erreurs_data();
    void erreurs();
    void traductions_data();
    void traductions();
    void bonjourTapeAuClavier();
    void deuxTraductionsDeuxFenetres();
    void personnaliseeDepuisLeetNeFaitRien();
    void lectureAnnulee();
    void listeDeMotsAbsente();

private:
    void choisir(const QStringList &controles);
    QList<FenetreModale> traduire();

    QTemporaryDir configuration;
    std::unique_ptr<FenEntreeTexte> fenetre;
};

void TestTraduire::initTestCase()
{
    QVERIFY(configuration.isValid());
    QVERIFY(isolerReglages(configuration));
}

void TestTraduire::init()
{
    fenetre = std::make_unique<FenEntreeTexte>();
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
}

void TestTraduire::cleanup()
{
    fenetre.reset();
    LectureEnFond::utiliserFichiers(cheminListeParDefaut(), cheminModeleParDefaut());
    fermerFenetresOuvertes();
}

// Clicks each control named; "Alt+<letter>" presses that key in the window
// (Alt+T goes to the text box, the other letters press the control whose
// label they are underlined in), and "taper <text>" types where the focus is.
void TestTraduire::choisir(const QStringList &controles)
{
    for (const QString &nom : controles) {
        if (nom.startsWith(u"Alt+"_s)) {
            QApplication::setActiveWindow(fenetre.get());
            QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
            const auto touche = Qt::Key(Qt::Key_A + (nom.back().unicode() - u'A'));
            QTest::keyClick(fenetre.get(), touche, Qt::AltModifier);
            // A button's key clicks it once its pressed look has shown.
            QTest::qWait(200);
        } else if (nom == u"coller"_s) {
            continue;
        } else if (nom.startsWith(u"taper "_s)) {
            QVERIFY(QApplication::focusWidget());
            QTest::keyClicks(QApplication::focusWidget(), nom.mid(6));
        } else {
            cliquer(controle<QAbstractButton>(fenetre.get(), nom));
        }
    }
}

// Clicks "Traduire !" and returns every modal window it showed, in order.
QList<FenetreModale> TestTraduire::traduire()
{
    Repondeur repondeur;
    cliquer(controle<QPushButton>(fenetre.get(), u"boutonTraduire"_s));
    return repondeur.vues;
}

void TestTraduire::erreurs_data()
{
    QTest::addColumn<QStringList>("choix");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");

    QTest::newRow("rien de choisi, pas de texte") << QStringList() << QString() << messageStyle;
    QTest::newRow("sens sans style")
        << QStringList{u"radioFrancaisLeet"_s} << u"Bonjour"_s << messageStyle;
    QTest::newRow("style sans sens ni texte")
        << QStringList{u"radioVelmora"_s} << QString() << messageSens;
    QTest::newRow("texte vide") << QStringList{u"radioKorvane"_s, u"radioFrancaisLeet"_s}
                                << QString() << messageTexte;
    QTest::newRow("blancs, tabulations et retours à la ligne")
        << QStringList{u"radioVelmora"_s, u"radioLeetFrancais"_s} << u"  \n\t \n  "_s
        << messageTexte;
    QTest::newRow("personnalisée sans texte")
        << QStringList{u"radioPerso"_s, u"radioFrancaisLeet"_s} << QString() << messageTexte;
    QTest::newRow("personnalisée jamais validée")
        << QStringList{u"radioPerso"_s, u"radioFrancaisLeet"_s} << u"Bonjour"_s
        << messageValidation;
    QTest::newRow("rien de traduisible en leet")
        << QStringList{u"radioVelmora"_s, u"radioFrancaisLeet"_s} << u"/\u00ad\x7f"_s
        << messageRienTraduit;
    QTest::newRow("rien de traduisible en français")
        << QStringList{u"radioKorvane"_s, u"radioLeetFrancais"_s} << u"/"_s << messageRienTraduit;
}

void TestTraduire::erreurs()
{
    QFETCH(QStringList, choix);
    QFETCH(QString, texte);
    QFETCH(QString, message);

    choisir(choix);
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->setPlainText(texte);

    const QList<FenetreModale> vues = traduire();

    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].classe, u"QMessageBox"_s);
    QCOMPARE(vues[0].titre, u"Erreur"_s);
    QCOMPARE(vues[0].texte, message);
    QCOMPARE(vues[0].icone, QMessageBox::Critical);
    QCOMPARE(vues[0].boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(vues[0].parent, fenetre.get());
    QVERIFY(!vues[0].curseurOccupe);
    QVERIFY(!QGuiApplication::overrideCursor());
    // The window stays as it was, so that the user can mend and try again.
    QCOMPARE(zoneTexte->toPlainText(), texte);
    for (const QString &nom : choix)
        QVERIFY(controle<QAbstractButton>(fenetre.get(), nom)->isChecked());
}

void TestTraduire::traductions_data()
{
    QTest::addColumn<QStringList>("choix");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("resultat");

    const QStringList velmoraVersLeet{u"radioVelmora"_s, u"radioFrancaisLeet"_s};
    const QStringList korvaneVersLeet{u"radioKorvane"_s, u"radioFrancaisLeet"_s};
    const QStringList velmoraDepuisLeet{u"radioVelmora"_s, u"radioLeetFrancais"_s};
    const QStringList korvaneDepuisLeet{u"radioKorvane"_s, u"radioLeetFrancais"_s};

    QTest::newRow("Velmora, vers le leet")
        << velmoraVersLeet << u"Bonjour"_s << uR"(8()|\|_|()|_||2)"_s;
    QTest::newRow("Korvane, vers le leet")
        << korvaneVersLeet << u"BONJOUR"_s << uR"(|3()|\|_|()|_||2)"_s;
    QTest::newRow("Velmora, lettres du style")
        << velmoraVersLeet << u"Liqueur"_s << uR"(1!9|_|3|_||2)"_s;
    QTest::newRow("Korvane, lettres du style")
        << korvaneVersLeet << u"Liqueur"_s << uR"(|_|(,)|_|3|_||2)"_s;
    QTest::newRow("Velmora, depuis le leet")
        << velmoraDepuisLeet << uR"(8()|\|_|()|_||2)"_s << u"Bonjour"_s;
    QTest::newRow("Korvane, depuis le leet")
        << korvaneDepuisLeet << uR"(|3()|\|_|()|_||2)"_s << u"Bonjour"_s;
    QTest::newRow("anti-slashs doublés")
        << velmoraVersLeet + QStringList{u"caseDoublerAntiSlashs"_s} << u"Ma vie"_s
        << uR"(|\\/|/-\\ \\/!3)"_s;
    QTest::newRow("espaces entre les lettres")
        << velmoraVersLeet + QStringList{u"caseMettreEspaces"_s} << u"Salut !"_s
        << uR"(5 /-\ 1 |_| 7  !)"_s;
    QTest::newRow("vers le leet, l'option de l'autre sens ne change rien")
        << velmoraVersLeet + QStringList{u"caseSupprimerEspaces"_s} << u"Ma vie"_s
        << uR"(|\/|/-\ \/!3)"_s;
    QTest::newRow("espaces supprimés")
        << korvaneDepuisLeet + QStringList{u"caseSupprimerEspaces"_s} << u"|_ |_| |"_s << u"Lui"_s;
    QTest::newRow("espaces gardés") << korvaneDepuisLeet << u"|_ |_| |"_s << u"L u i"_s;
    QTest::newRow("depuis le leet, les options de l'autre sens ne changent rien")
        << korvaneDepuisLeet + QStringList{u"caseDoublerAntiSlashs"_s, u"caseMettreEspaces"_s}
        << uR"(|3()|\|_|()|_||2)"_s << u"Bonjour"_s;
    // The reading with words, only from leet and in a built-in style.
    const QStringList motsRetablis{u"caseRetablirMots"_s};
    QTest::newRow("Velmora, mots et accents rétablis")
        << velmoraDepuisLeet + motsRetablis << uR"(!1 /-\ |\/|/-\|\|63)"_s << u"Il a mangé"_s;
    QTest::newRow("Velmora, lettre à lettre sans l'option")
        << velmoraDepuisLeet << uR"(!1 /-\ |\/|/-\|\|63)"_s << u"Il a mange"_s;
    QTest::newRow("Korvane, mots et accents rétablis")
        << korvaneDepuisLeet + motsRetablis << u"|)3|3|_|7 |)'373"_s << u"Début d'été"_s;
    QTest::newRow("vers le leet, l'option de relecture ne change rien")
        << velmoraVersLeet + motsRetablis << u"Il a mangé"_s << uR"(!1 /-\ |\/|/-\|\|63)"_s;
    const QStringList couranteVersLeet{u"radioCourante"_s, u"radioFrancaisLeet"_s};
    const QStringList couranteDepuisLeet{u"radioCourante"_s, u"radioLeetFrancais"_s};
    QTest::newRow("courante, vers le leet")
        << couranteVersLeet << u"Bonjour, ça va ? ÉTÉ"_s << u"80nj0ur, c4 v4 ? 373"_s;
    QTest::newRow("courante, espaces entre les lettres")
        << couranteVersLeet + QStringList{u"caseMettreEspaces"_s} << u"Bob"_s << u"8 0 8"_s;
    QTest::newRow("courante, depuis le leet de n'importe qui")
        << couranteDepuisLeet << u"b0nj0ur, c0mm3nt v4$-tu ?"_s << u"Bonjour, comment vas-tu ?"_s;
    QTest::newRow("courante, relue") << couranteDepuisLeet << u"80nj0ur"_s << u"Bonjour"_s;
    QTest::newRow("courante au clavier")
        << QStringList{u"Alt+C"_s, u"Alt+L"_s} << u"80nj0ur"_s << u"Bonjour"_s;
    QTest::newRow("mots rétablis au clavier") << QStringList{u"Alt+K"_s, u"Alt+L"_s, u"Alt+R"_s}
                                              << u"|)3|3|_|7 |)'373"_s << u"Début d'été"_s;
    // Pasted, translated and copied from the result window, untouched.
    QTest::newRow("espace insécable, symboles et emoji collés")
        << velmoraVersLeet + QStringList{u"coller"_s} << u"10\u00a0€ … 😀"_s << u"10\u00a0€ … 😀"_s;
    QTest::newRow("lignes et chevrons montrés tels quels")
        << velmoraVersLeet << u"a<b>\nç"_s << u"/-\\<8>\n("_s;
    // Typed beside the prompt, which stays in the box but is not translated.
    QTest::newRow("tapé après Alt+T, l'invite encore là")
        << velmoraVersLeet + QStringList{u"Alt+T"_s, u"taper Bonjour"_s}
        << u"BonjourEntrez le texte à traduire ici..."_s << uR"(8()|\|_|()|_||2)"_s;
}

void TestTraduire::traductions()
{
    QFETCH(QStringList, choix);
    QFETCH(QString, texte);
    QFETCH(QString, resultat);

    choisir(choix);
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    if (choix.contains(u"coller"_s)) {
        QGuiApplication::clipboard()->setText(texte);
        zoneTexte->selectAll();
        zoneTexte->paste();
    } else if (!choix.contains(u"Alt+T"_s)) {
        zoneTexte->setPlainText(texte);
    }

    const QList<FenetreModale> vues = traduire();

    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].classe, u"FenTexteTraduit"_s);
    QCOMPARE(vues[0].titre, u"Texte traduit"_s);
    QCOMPARE(vues[0].parent, fenetre.get());
    QCOMPARE(vues[0].copie, resultat);
    QVERIFY(!vues[0].curseurOccupe);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(texteBrut(*zoneTexte->document()), texte);
}

// The road a first-time user takes: choose, type, translate.
void TestTraduire::bonjourTapeAuClavier()
{
    choisir({u"radioVelmora"_s, u"radioFrancaisLeet"_s});
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    QTest::mouseClick(zoneTexte->viewport(), Qt::LeftButton);
    QTest::keyClick(zoneTexte, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(zoneTexte, u"Bonjour"_s);

    const QList<FenetreModale> vues = traduire();

    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].classe, u"FenTexteTraduit"_s);
    QCOMPARE(vues[0].texte, uR"(8()|\|_|()|_||2)"_s);
}

void TestTraduire::deuxTraductionsDeuxFenetres()
{
    choisir({u"radioKorvane"_s, u"radioFrancaisLeet"_s});
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->setPlainText(u"Bob"_s);
    QList<FenetreModale> vues = traduire();
    zoneTexte->setPlainText(u"Lili"_s);
    vues += traduire();

    QCOMPARE(vues.size(), 2);
    QCOMPARE(vues[0].texte, u"|3()|3"_s);
    QCOMPARE(vues[1].texte, u"|_||_|"_s);
    // A closed result window is not kept.
    QTRY_VERIFY(fenetre->findChildren<FenTexteTraduit *>().isEmpty());
}

// The option rules never let the personal style meet the leet-to-French
// direction; should both be checked anyway, the command quietly does nothing.
void TestTraduire::personnaliseeDepuisLeetNeFaitRien()
{
    controle<QRadioButton>(fenetre.get(), u"radioPerso"_s)->setChecked(true);
    controle<QRadioButton>(fenetre.get(), u"radioLeetFrancais"_s)->setChecked(true);
    controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s)->setPlainText(u"|3()|\\|"_s);

    QVERIFY(traduire().isEmpty());
}

// Stopped from its progress indication, a reading shows nothing, and the
// next press of "Traduire !" reads at once.
void TestTraduire::lectureAnnulee()
{
    choisir({u"radioKorvane"_s, u"radioLeetFrancais"_s, u"caseRetablirMots"_s});
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->setPlainText(u"|)3|3|_|7 |)'373 "_s.repeated(100000));
    bool arretee = false;
    QTimer::singleShot(0, fenetre.get(), [&] {
        auto *progression = controle<QProgressDialog>(fenetre.get(), u"progressionLecture"_s);
        progression->findChild<QPushButton *>()->click();
        arretee = true;
    });
    QVERIFY(traduire().isEmpty());
    QVERIFY(arretee);

    zoneTexte->setPlainText(u"|)3|3|_|7 |)'373"_s);
    const QList<FenetreModale> vues = traduire();
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].copie, u"Début d'été"_s);
}

// Without the word list, the option cannot be checked and says why; the usual
// leet still writes, and refuses to read back with a message that says what
// to install.
void TestTraduire::listeDeMotsAbsente()
{
    LectureEnFond::utiliserFichiers(u"/inexistant/french"_s, cheminModeleParDefaut());
    init();
    auto *option = controle<QCheckBox>(fenetre.get(), u"caseRetablirMots"_s);
    QVERIFY(!option->isEnabled());
    QVERIFY(option->toolTip().contains(u"wfrench"_s));
    QVERIFY(controle<QRadioButton>(fenetre.get(), u"radioCourante"_s)
                ->toolTip()
                .contains(u"wfrench"_s));

    choisir({u"radioCourante"_s, u"radioFrancaisLeet"_s});
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->setPlainText(u"Bonjour"_s);
    QList<FenetreModale> vues = traduire();
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].copie, u"80nj0ur"_s);

    choisir({u"radioLeetFrancais"_s});
    zoneTexte->setPlainText(u"80nj0ur"_s);
    vues = traduire();
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].titre, u"Erreur"_s);
    QVERIFY(vues[0].texte.contains(u"wfrench"_s));
}

QTEST_MAIN(TestTraduire)
#include "test_traduire.moc"
