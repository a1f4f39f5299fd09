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

    QTest::newRow("glyphes") << uR"(8()|\|_|()|_||2)"_s;
    QTest::newRow("balises") << u"<strong>|<</strong> &amp;"_s;
    QTest::newRow("plusieurs lignes") << u"|-|!\n\n\t|_|"_s;
}

void TestResultat::texteMontreTelQuel()
{
    QFETCH(QString, texte);

    QWidget parent;
    FenTexteTraduit resultat(texte, &parent);
    QCOMPARE(resultat.windowTitle(), u"Texte traduit"_s);
    QCOMPARE(resultat.parentWidget(), &parent);
    QVERIFY(!resultat.windowIcon().isNull());
    QCOMPARE(controle<QTextEdit>(&resultat, u"zoneResultat"_s)->toPlainText(), texte);
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
