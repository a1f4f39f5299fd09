// The result window on its own: the translated text, shown as typed.

#include "FenTexteTraduit.h"
#include "outils.h"

#include <QtTest>

class TestResultat : public QObject
{
    Q_OBJECT

private slots:
    void texteMontreTelQuel_data();
    void texteMontreTelQuel();
    void modifiableEtFermeeParEchap();
};

void TestResultat::texteMontreTelQuel_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("ajout");
    QTest::addColumn<QTextOption::WrapMode>("retour");

    // Word wrapping, unless a run with nowhere to break would make its layout
    // quadratic; then lines break anywhere.
    const auto mots = QTextOption::WrapAtWordBoundaryOrAnywhere;
    const auto partout = QTextOption::WrapAnywhere;
    QTest::newRow("glyphes") << uR"(8()|\|_|()|_||2)"_s << QString() << mots;
    QTest::newRow("balises") << u"<strong>|<</strong> &amp;"_s << QString() << mots;
    QTest::newRow("plusieurs lignes") << u"|-|!\n\n\t|_|"_s << QString() << mots;
    QTest::newRow("un million sans blanc") << QString(1000 * 1000, u'5') << QString() << partout;
    QTest::newRow("suite allongée à la main")
        << u"Bonjour "_s + QString(200, u'#') << QString(100, u'#') << partout;
    QTest::newRow("suites courtes ajoutées")
        << u"Bonjour "_s << (QString(200, u'#') + u' ').repeated(5) << mots;
}

void TestResultat::texteMontreTelQuel()
{
    QFETCH(QString, texte);
    QFETCH(QString, ajout);
    QFETCH(QTextOption::WrapMode, retour);

    QWidget parent;
    FenTexteTraduit resultat(texte, &parent);
    QCOMPARE(resultat.windowTitle(), u"Texte traduit"_s);
    QCOMPARE(resultat.parentWidget(), &parent);
    QVERIFY(!resultat.windowIcon().isNull());
    auto *zone = controle<QTextEdit>(&resultat, u"zoneResultat"_s);
    QCOMPARE(zone->toPlainText(), texte);

    resultat.show();
    QVERIFY(QTest::qWaitForWindowExposed(&resultat));
    zone->moveCursor(QTextCursor::End);
    zone->insertPlainText(ajout);
    QCOMPARE(zone->toPlainText(), texte + ajout);
    QCOMPARE(zone->wordWrapMode(), retour);
    // Shown whole and wrapped to the window: no line runs past its edge.
    QVERIFY(!resultat.grab().isNull());
    QCOMPARE_LE(zone->document()->size().width(), zone->viewport()->width());
}

void TestResultat::modifiableEtFermeeParEchap()
{
    QWidget parent;
    FenTexteTraduit resultat(u"|_|"_s, &parent);
    QTimer::singleShot(0, &resultat, [&resultat] {
        auto *zone = controle<QTextEdit>(&resultat, u"zoneResultat"_s);
        zone->moveCursor(QTextCursor::End);
        QTest::keyClicks(zone, u"!"_s);
        QTest::keyClick(&resultat, Qt::Key_Escape);
    });

    QCOMPARE(resultat.exec(), int(QDialog::Rejected));
    QCOMPARE(controle<QTextEdit>(&resultat, u"zoneResultat"_s)->toPlainText(), u"|_|!"_s);
}

QTEST_MAIN(TestResultat)
#include "test_resultat.moc"
