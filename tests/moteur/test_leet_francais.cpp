#include "reference.h"
#include "regles.h"
#include "traduction.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLeetFrancais : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void reconnaissance_data();
    void reconnaissance();
    void finDePhrase_data();
    void finDePhrase();
    void allerRetour_data();
    void allerRetour();
    void chaqueLettreRelue();
    void longueur();
};

void TestLeetFrancais::conversion_data()
{
    QTest::addColumn<QString>("leet");
    QTest::addColumn<bool>("supprimer");
    QTest::addColumn<QString>("velmora");
    QTest::addColumn<QString>("korvane");

    // No NUL is left where a glyph's later characters stood.
    QTest::newRow("|3") << u"|3"_s << false << u"|e"_s << u"B"_s;
    QTest::newRow("/-\\") << uR"(/-\)"_s << false << u"A"_s << u"A"_s;
    QTest::newRow("A doublé") << uR"(/-\\)"_s << false << uR"(A\)"_s << uR"(A\)"_s;
    QTest::newRow("W doublé") << uR"(\\/\\/)"_s << false << uR"(\v\v)"_s << uR"(\v\v)"_s;
    QTest::newRow("|_|_|_|") << u"|_|_|_|"_s << false << u"Ujj"_s << u"Ujj"_s;
    QTest::newRow("|_ |_| | séparés") << u"|_ |_| |"_s << false << u"|_ u |"_s << u"L u i"_s;
    QTest::newRow("|_ |_| | séparés, supprimés") << u"|_ |_| |"_s << true << u"|_u|"_s << u"Lui"_s;
    QTest::newRow("M plutôt que I puis V") << uR"(|\/|)"_s << false << u"M"_s << u"M"_s;
    QTest::newRow("| puis blanc") << u"x | "_s << false << u"x | "_s << u"x i "_s;
    QTest::newRow("1998") << u"1998"_s << false << u"Lqqb"_s << u"1998"_s;
    QTest::newRow("| seul") << u"|"_s << false << u"|"_s << u"I"_s;
    QTest::newRow("! n'achève pas la phrase") << u"()! ()"_s << false << u"Oi o"_s << u"O! O"_s;
    QTest::newRow("point et interrogation")
        << u"(). ()? ()"_s << false << u"O. O? O"_s << u"O. O? O"_s;
    QTest::newRow("blanc en tête") << u" ()"_s << false << u" o"_s << u" o"_s;
    QTest::newRow("blancs supprimés")
        << u"() ()  ()   ()"_s << true << u"Oo o  o"_s << u"Oo o  o"_s;
    QTest::newRow("blancs gardés") << u"() ()  ()"_s << false << u"O o  o"_s << u"O o  o"_s;
    QTest::newRow("majuscule perdue avec blanc supprimé")
        << u"(). ()"_s << true << u"O.o"_s << u"O.o"_s;
    QTest::newRow("majuscule collée à la ponctuation")
        << u"().()"_s << true << u"O.O"_s << u"O.O"_s;
    QTest::newRow("blanc final supprimé") << u"() "_s << true << u"O"_s << u"O"_s;
    QTest::newRow("blanc avant saut de ligne") << u"() \n()"_s << true << u"O\no"_s << u"O\no"_s;
    QTest::newRow("tabulation gardée") << u"()\t()"_s << true << u"O\to"_s << u"O\to"_s;
    QTest::newRow("slash seul") << u"/"_s << false << QString() << QString();
    QTest::newRow("blanc seul supprimé") << u" "_s << true << QString() << QString();
    QTest::newRow("(,) ") << u"(,)"_s << false << u"C,)"_s << u"Q"_s;
    QTest::newRow("accent recopié, suite en phase") << u"é|3"_s << false << u"é|e"_s << u"éb"_s;
    QTest::newRow("symboles recopiés") << u"«»×`"_s << false << u"«»×`"_s << u"«»×`"_s;
    QTest::newRow("lettres recopiées") << u"xQ"_s << false << u"xQ"_s << u"xQ"_s;
    QTest::newRow("y n'est pas un glyphe") << u"yY Y"_s << false << u"yy y"_s << u"yy y"_s;
    QTest::newRow("NUL du texte") << u"()\0()"_s << false << u"Oo"_s << u"Oo"_s;
    QTest::newRow("hors Latin-1") << u"()€\U0001F600()"_s << false << u"O€😀o"_s << u"O€😀o"_s;
    QTest::newRow("surrogats isolés")
        << QString(QChar(0xD800)) + u"()"_s + QChar(0xDC00) << false << u"o"_s << u"o"_s;
    QTest::newRow("typographie") << u"1’373\u00a0: ()3 中 þ\u00ad"_s << false
                                 << u"L’ete\u00a0: oe 中 þ"_s << u"1’ete\u00a0: oe 中 þ"_s;
    QTest::newRow("vide") << QString() << true << QString() << QString();
}

void TestLeetFrancais::conversion()
{
    QFETCH(QString, leet);
    QFETCH(bool, supprimer);
    QFETCH(QString, velmora);
    QFETCH(QString, korvane);
    QCOMPARE(traduireLeetVelmora(leet, leet.size(), supprimer), velmora);
    QCOMPARE(traduireLeetKorvane(leet, leet.size(), supprimer), korvane);
}

void TestLeetFrancais::reconnaissance_data()
{
    QTest::addColumn<QString>("leet");
    QTest::addColumn<qsizetype>("position");
    QTest::addColumn<QString>("lettre");
    QTest::addColumn<int>("consommes");

    QTest::newRow("M au début") << uR"(|\/|)"_s << qsizetype(0) << u"M"_s << 4;
    QTest::newRow("W, pas deux V") << uR"(\/\/)"_s << qsizetype(0) << u"W"_s << 4;
    QTest::newRow("V seul") << uR"(x\/x)"_s << qsizetype(1) << u"v"_s << 2;
    QTest::newRow("|\\/ en fin: rien") << uR"(|\/)"_s << qsizetype(0) << QString() << 0;
    QTest::newRow("|\\/ en fin: V ensuite") << uR"(|\/)"_s << qsizetype(1) << u"v"_s << 2;
    QTest::newRow("R") << u"x|2"_s << qsizetype(1) << u"r"_s << 2;
    QTest::newRow("Z") << u"x2"_s << qsizetype(1) << u"z"_s << 1;
    QTest::newRow("O") << u"x()"_s << qsizetype(1) << u"o"_s << 2;
    QTest::newRow("C") << u"x(x"_s << qsizetype(1) << u"c"_s << 1;
    QTest::newRow("Y majuscule seulement") << u"xY"_s << qsizetype(1) << u"y"_s << 1;
    QTest::newRow("y minuscule") << u"xy"_s << qsizetype(1) << QString() << 0;
    QTest::newRow("lettres propres ignorées") << u"x8!19"_s << qsizetype(1) << QString() << 0;
    QTest::newRow("après un point et un blanc") << u". 7"_s << qsizetype(2) << u"T"_s << 1;
    QTest::newRow("après un point et une lettre") << u".x7"_s << qsizetype(2) << u"t"_s << 1;
}

void TestLeetFrancais::reconnaissance()
{
    QFETCH(QString, leet);
    QFETCH(qsizetype, position);
    QFETCH(QString, lettre);
    QFETCH(int, consommes);

    QByteArray copie;
    for (const QChar c : leet)
        copie.append(char(cleAscii(c.unicode())));
    const QByteArray avant = copie;
    QString sortie = u">"_s;
    bool nonReconnu = true;
    reconnaitreGlyphe(copie, position, sortie, nonReconnu);
    QCOMPARE(sortie, u">"_s + lettre);
    QCOMPARE(nonReconnu, lettre.isEmpty());
    for (qsizetype p = 0; p < copie.size(); ++p) {
        const bool consomme = p >= position && p < position + consommes;
        QCOMPARE(copie.at(p), consomme ? '\0' : avant.at(p));
    }
}

void TestLeetFrancais::finDePhrase_data()
{
    QTest::addColumn<QByteArray>("copie");
    QTest::addColumn<qsizetype>("position");
    QTest::addColumn<bool>("fin");

    QTest::newRow("début") << QByteArray("x") << qsizetype(0) << false;
    QTest::newRow("point") << QByteArray(".x") << qsizetype(1) << true;
    QTest::newRow("point, blancs") << QByteArray("? \t\r\nx") << qsizetype(5) << true;
    QTest::newRow("exclamation") << QByteArray("! x") << qsizetype(2) << true;
    QTest::newRow("virgule") << QByteArray(", x") << qsizetype(2) << false;
    QTest::newRow("position consommée") << QByteArray(". \0x", 4) << qsizetype(3) << false;
    QTest::newRow("rien que des blancs") << QByteArray("  x") << qsizetype(2) << false;
}

void TestLeetFrancais::finDePhrase()
{
    QFETCH(QByteArray, copie);
    QFETCH(qsizetype, position);
    QFETCH(bool, fin);
    QCOMPARE(::finDePhrase(copie, position), fin);
}

void TestLeetFrancais::allerRetour_data()
{
    QTest::addColumn<QString>("francais");
    QTest::addColumn<QString>("velmora");
    QTest::addColumn<QString>("korvane");

    // Spaced glyphs read back cleanly; the capital after a sentence end comes
    // back small because the removed blank stops the look-back, and the
    // Velmora "!" is the letter I.
    QTest::newRow("phrase") << u"Salut toi. Bonne journee !"_s << u"Salut toi. bonne journee i"_s
                            << u"Salut toi. bonne journee !"_s;
    QTest::newRow("lignes") << u"Ab\nCd"_s << u"Ab\ncd"_s << u"Ab\ncd"_s;
}

void TestLeetFrancais::allerRetour()
{
    QFETCH(QString, francais);
    QFETCH(QString, velmora);
    QFETCH(QString, korvane);
    const QString leetV = traduireFrancaisVelmora(francais, francais.size(), false, true);
    const QString leetK = traduireFrancaisKorvane(francais, francais.size(), false, true);
    QCOMPARE(traduireLeetVelmora(leetV, leetV.size(), true), velmora);
    QCOMPARE(traduireLeetKorvane(leetK, leetK.size(), true), korvane);
}

void TestLeetFrancais::chaqueLettreRelue()
{
    // Each letter alone, written in a style and read back in the same style,
    // is that letter (a capital: it opens the text).
    for (const Style style : {Style::Velmora, Style::Korvane}) {
        for (int lettre = 0; lettre < nombreLettres; ++lettre) {
            const QString leet = glyphe(style, lettre);
            const QString francais = style == Style::Velmora
                                         ? traduireLeetVelmora(leet, leet.size(), false)
                                         : traduireLeetKorvane(leet, leet.size(), false);
            QCOMPARE(francais, QString(QChar(u'A' + lettre)));
        }
    }
}

void TestLeetFrancais::longueur()
{
    const QString texte = uR"(|\/|())"_s;
    QCOMPARE(traduireLeetVelmora(texte, -1, false), QString());
    QCOMPARE(traduireLeetVelmora(texte, 0, false), QString());
    // Cut inside the glyph of M, the rest of the text is never read.
    QCOMPARE(traduireLeetVelmora(texte, 3, false), u"|v"_s);
    QCOMPARE(traduireLeetVelmora(texte, 1000, false), u"Mo"_s);
}

QTEST_GUILESS_MAIN(TestLeetFrancais)
#include "test_leet_francais.moc"
