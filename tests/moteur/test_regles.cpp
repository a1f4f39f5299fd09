#include "regles.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The four copy rules, fed with the characters that sit on the edges of their
// tables.
class TestRegles : public QObject
{
    Q_OBJECT

private slots:
    void regles_data();
    void regles();
    void antiSlashDouble();
    void cleAscii_data();
    void cleAscii();
    void reglesDisjointes();
};

void TestRegles::regles_data()
{
    QTest::addColumn<char16_t>("code");
    QTest::addColumn<QString>("chiffre");
    QTest::addColumn<QString>("ponctuation");
    QTest::addColumn<QString>("symbole");
    QTest::addColumn<QString>("accent");
    QTest::addColumn<QString>("autre");

    const QString rien;
    QTest::newRow("7") << u'7' << u"7"_s << rien << rien << rien << rien;
    QTest::newRow("0") << u'0' << u"0"_s << rien << rien << rien << rien;
    QTest::newRow("x") << u'x' << rien << rien << rien << rien << rien;
    QTest::newRow("slash") << u'/' << rien << rien << rien << rien << rien;
    QTest::newRow("point") << u'.' << rien << u"."_s << rien << rien << rien;
    QTest::newRow("guillemet droit") << u'"' << rien << u"\""_s << rien << rien << rien;
    QTest::newRow("arobase") << u'@' << rien << u"@"_s << rien << rien << rien;
    QTest::newRow("crochet") << u'[' << rien << u"["_s << rien << rien << rien;
    QTest::newRow("soulignement") << u'_' << rien << u"_"_s << rien << rien << rien;
    QTest::newRow("tilde") << u'~' << rien << u"~"_s << rien << rien << rien;
    QTest::newRow("accent grave ASCII") << u'`' << rien << rien << u"`"_s << rien << rien;
    QTest::newRow("DEL") << u'\x7f' << rien << rien << rien << rien << rien;
    QTest::newRow("tabulation") << u'\t' << rien << u"\t"_s << rien << rien << rien;
    QTest::newRow("saut de ligne") << u'\n' << rien << u"\n"_s << rien << rien << rien;
    QTest::newRow("retour chariot") << u'\r' << rien << u"\r"_s << rien << rien << rien;
    QTest::newRow("espace") << u' ' << rien << u" "_s << rien << rien << rien;
    QTest::newRow("NUL") << u'\0' << rien << QString(QChar(0)) << rien << rien << rien;
    QTest::newRow("contrôle 1") << u'\x01' << rien << rien << rien << rien << rien;
    QTest::newRow("contrôle 31") << u'\x1f' << rien << rien << rien << rien << rien;
    QTest::newRow("é") << u'é' << rien << rien << rien << u"é"_s << rien;
    QTest::newRow("Ý") << u'Ý' << rien << rien << rien << u"Ý"_s << rien;
    QTest::newRow("ÿ") << u'ÿ' << rien << rien << rien << u"ÿ"_s << rien;
    QTest::newRow("Ð") << u'Ð' << rien << rien << rien << u"Ð"_s << rien;
    QTest::newRow("ï hors liste") << u'ï' << rien << rien << rien << rien << rien;
    QTest::newRow("þ") << u'þ' << rien << rien << rien << rien << u"þ"_s;
    QTest::newRow("Þ symbole") << u'Þ' << rien << rien << u"Þ"_s << rien << rien;
    QTest::newRow("ß symbole") << u'ß' << rien << rien << u"ß"_s << rien << rien;
    QTest::newRow("×") << u'×' << rien << rien << u"×"_s << rien << rien;
    QTest::newRow("÷") << u'÷' << rien << rien << u"÷"_s << rien << rien;
    QTest::newRow("¡") << u'¡' << rien << rien << u"¡"_s << rien << rien;
    QTest::newRow("¿") << u'¿' << rien << rien << u"¿"_s << rien << rien;
    QTest::newRow("«") << u'«' << rien << rien << u"«"_s << rien << rien;
    QTest::newRow("espace insécable") << u'\u00a0' << rien << rien << rien << rien << u"\u00a0"_s;
    QTest::newRow("trait d'union conditionnel")
        << u'\u00ad' << rien << rien << rien << rien << rien;
    QTest::newRow("euro") << u'€' << rien << rien << rien << rien << u"€"_s;
    QTest::newRow("Ā") << u'\u0100' << rien << rien << rien << rien << u"\u0100"_s;
    QTest::newRow("guillemet typographique") << u'’' << rien << rien << rien << rien << u"’"_s;
    QTest::newRow("U+FFFD") << u'\ufffd' << rien << rien << rien << rien << u"\ufffd"_s;
    QTest::newRow("surrogat isolé") << u'\xd800' << rien << rien << rien << rien << rien;
}

void TestRegles::regles()
{
    QFETCH(char16_t, code);
    QFETCH(QString, chiffre);
    QFETCH(QString, ponctuation);
    QFETCH(QString, symbole);
    QFETCH(QString, accent);
    QFETCH(QString, autre);

    const unsigned char cle = ::cleAscii(code);
    QString sortie;
    recopierChiffre(cle, sortie);
    QCOMPARE(sortie, chiffre);
    sortie.clear();
    recopierPonctuation(cle, sortie, false);
    QCOMPARE(sortie, ponctuation);
    sortie.clear();
    recopierPonctuation(cle, sortie, true);
    QCOMPARE(sortie, ponctuation); // only the backslash changes with the flag
    sortie.clear();
    recopierSymbole(code, sortie);
    QCOMPARE(sortie, symbole);
    sortie.clear();
    recopierAccent(code, sortie);
    QCOMPARE(sortie, accent);
    sortie.clear();
    recopierAutre(code, sortie);
    QCOMPARE(sortie, autre);
}

void TestRegles::antiSlashDouble()
{
    QString sortie = u"x"_s;
    recopierPonctuation('\\', sortie, false);
    QCOMPARE(sortie, uR"(x\)"_s);
    recopierPonctuation('\\', sortie, true);
    QCOMPARE(sortie, uR"(x\\\)"_s);
}

void TestRegles::cleAscii_data()
{
    QTest::addColumn<char16_t>("code");
    QTest::addColumn<int>("cle");
    QTest::newRow("A") << u'A' << int('A');
    QTest::newRow("NUL") << u'\0' << 0;
    QTest::newRow("DEL") << u'\x7f' << 0x7f;
    QTest::newRow("é") << u'é' << 0xC3;
    QTest::newRow("U+0080") << u'\x80' << 0xC2;
    QTest::newRow("euro") << u'€' << 0xE2;
    QTest::newRow("surrogat") << u'\xdc00' << 0xEF;
    QTest::newRow("U+FFFF") << u'\xffff' << 0xEF;
}

void TestRegles::cleAscii()
{
    QFETCH(char16_t, code);
    QFETCH(int, cle);
    QCOMPARE(int(::cleAscii(code)), cle);
    if (code < 0x80 || (code >= 0xD800 && code <= 0xDFFF))
        return;
    // Outside ASCII, the key is the lead byte of the character's UTF-8 form.
    QCOMPARE(int(static_cast<unsigned char>(QString(QChar(code)).toUtf8().at(0))), cle);
}

void TestRegles::reglesDisjointes()
{
    // Every code below 512 goes through the five rules; at most one appends,
    // and whatever it appends is the character itself (or a doubled backslash).
    for (int code = 0; code < 512; ++code) {
        QString sortie;
        const unsigned char cle = ::cleAscii(char16_t(code));
        recopierChiffre(cle, sortie);
        recopierPonctuation(cle, sortie, false);
        recopierSymbole(char16_t(code), sortie);
        recopierAccent(char16_t(code), sortie);
        recopierAutre(char16_t(code), sortie);
        QVERIFY2(sortie.isEmpty() || sortie == QString(QChar(code)),
                 qPrintable(QString::number(code)));
    }
}

QTEST_GUILESS_MAIN(TestRegles)
#include "test_regles.moc"
