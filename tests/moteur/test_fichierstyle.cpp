#include "fichierstyle.h"
#include "validation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

Glyphes glyphesDifferents()
{
    Glyphes cases;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        cases[lettre] = u' ' + QString(QChar(u'a' + lettre)) + u"\\ é "_s;
    return cases;
}

} // namespace

class TestFichierStyle : public QObject
{
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();
    void ecriture_data();
    void ecriture();
    void allerRetourSurDisque();
    void fichierTropGros();
    void cheminIllisible_data();
    void cheminIllisible();
    void echecEnregistrementGardeLAncien();
    void verdict_data();
    void verdict();
    void messages();

private:
    QTemporaryDir dossier;
};

void TestFichierStyle::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("glyphes");

    QTest::newRow("trois lignes LF")
        << QByteArray("/-\\\n8\n(") << QStringList{uR"(/-\)"_s, u"8"_s, u"("_s};
    QTest::newRow("trois lignes CR LF")
        << QByteArray("/-\\\r\n8\r\n(") << QStringList{uR"(/-\)"_s, u"8"_s, u"("_s};
    QTest::newRow("saut de ligne final") << QByteArray("x\n") << QStringList{u"x"_s, QString()};
    QTest::newRow("vide") << QByteArray() << QStringList{QString()};
    QTest::newRow("blancs gardés")
        << QByteArray(" a \r\n\tb\t") << QStringList{u" a "_s, u"\tb\t"_s};
    QTest::newRow("CR isolés gardés")
        << QByteArray("a\rb\r\r\nc\r") << QStringList{u"a\rb\r"_s, u"c\r"_s};
    QTest::newRow("que des CR") << QByteArray("a\rb\rc") << QStringList{u"a\rb\rc"_s};
    QTest::newRow("UTF-8") << QByteArray("\xc3\xa9\xe2\x98\xba") << QStringList{u"é☺"_s};
    QTest::newRow("UTF-8 invalide") << QByteArray("\xff") << QStringList{u"\ufffd"_s};
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << QStringList{u"a\0b"_s};
    QTest::newRow("marque en tête de fichier, U+FEFF en tête de ligne")
        << QByteArray("\xef\xbb\xbf|)\n\xef\xbb\xbf") << QStringList{u"|)"_s, u"\ufeff"_s};
    QTest::newRow("marque puis U+FEFF")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf|)") << QStringList{u"\ufeff|)"_s};

    QByteArray vingtSept;
    QStringList vingtSix;
    for (int i = 0; i < 27; ++i) {
        vingtSept += QByteArray::number(i) + "\r\n";
        if (i < 26)
            vingtSix += QString::number(i);
    }
    QTest::newRow("27e ligne ignorée") << vingtSept << vingtSix;
}

void TestFichierStyle::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, glyphes);
    QCOMPARE(lireStyle(contenu), glyphes);
}

void TestFichierStyle::ecriture_data()
{
    QTest::addColumn<QStringList>("cases");
    QTest::addColumn<QByteArray>("contenu");

    QTest::newRow("toutes vides") << QStringList{} << QByteArray();
    QTest::newRow("A à C") << QStringList{uR"(/-\)"_s, u"8"_s, u"("_s}
                           << QByteArray("/-\\\r\n8\r\n(");
    QTest::newRow("case vide au milieu")
        << QStringList{u"a"_s, QString(), u"c"_s} << QByteArray("a\r\n\r\nc");
    QStringList seuleZ(nombreLettres);
    seuleZ.last() = u"z"_s;
    QTest::newRow("seule Z") << seuleZ << QByteArray("\r\n").repeated(25) + 'z';
    QTest::newRow("UTF-8 sans BOM") << QStringList{u"é"_s} << QByteArray("\xc3\xa9");
    QTest::newRow("U+FEFF en tête de case")
        << QStringList{u"\ufeff/-\\"_s, u"\ufeff"_s}
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf/-\\\r\n\xef\xbb\xbf");
}

void TestFichierStyle::ecriture()
{
    QFETCH(QStringList, cases);
    QFETCH(QByteArray, contenu);
    Glyphes glyphes;
    for (qsizetype i = 0; i < cases.size(); ++i)
        glyphes[i] = cases[i];
    QCOMPARE(ecrireStyle(glyphes), contenu);

    // What is written reads back into the same cells, up to the last filled one.
    const QStringList relues = lireStyle(contenu);
    for (qsizetype i = 0; i < cases.size() && !contenu.isEmpty(); ++i) {
        if (i < relues.size())
            QCOMPARE(relues[i], cases[i]);
        else
            QVERIFY(cases[i].isEmpty());
    }
}

void TestFichierStyle::allerRetourSurDisque()
{
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath(u"style.txt"_s);
    const Glyphes glyphes = glyphesDifferents();
    QString erreur;
    QVERIFY2(enregistrerFichierStyle(chemin, glyphes, &erreur), qPrintable(erreur));

    const std::optional<QStringList> relues = chargerFichierStyle(chemin, &erreur);
    QVERIFY2(relues, qPrintable(erreur));
    QCOMPARE(relues->size(), nombreLettres);
    for (int i = 0; i < nombreLettres; ++i)
        QCOMPARE(relues->at(i), glyphes[i]);
}

void TestFichierStyle::fichierTropGros()
{
    const QString chemin = dossier.filePath(u"gros.txt"_s);
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(QByteArray(tailleMaxFichierStyle, 'x'));
    fichier.close();
    QVERIFY(chargerFichierStyle(chemin));

    QVERIFY(fichier.open(QIODevice::Append));
    fichier.write("x");
    fichier.close();
    QString erreur;
    QVERIFY(!chargerFichierStyle(chemin, &erreur));
    QVERIFY2(erreur.contains(chemin), qPrintable(erreur));

    // Cells that would make such a file are refused with the same message,
    // before anything is written.
    Glyphes cases;
    cases[0] = QString(tailleMaxFichierStyle, u'x');
    cases[1] = u"y"_s;
    QString refus;
    const QString ecrit = dossier.filePath(u"jamais.txt"_s);
    QVERIFY(!enregistrerFichierStyle(ecrit, cases, &refus));
    QCOMPARE(refus, erreur.replace(chemin, ecrit));
    QVERIFY(!QFile::exists(ecrit));
}

void TestFichierStyle::cheminIllisible_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("ecrivable");
    QTest::newRow("absent") << dossier.filePath(u"absent.txt"_s) << true;
    QTest::newRow("dossier absent") << dossier.filePath(u"nulle/part/style.txt"_s) << false;
    QTest::newRow("dossier") << dossier.path() << false;
}

void TestFichierStyle::cheminIllisible()
{
    QFETCH(QString, chemin);
    QFETCH(bool, ecrivable);
    QString erreur;
    QVERIFY(!chargerFichierStyle(chemin, &erreur));
    QVERIFY2(erreur.contains(u"« "_s + chemin + u" »"_s), qPrintable(erreur));
    if (ecrivable)
        return;
    erreur.clear();
    QVERIFY(!enregistrerFichierStyle(chemin, glyphesDifferents(), &erreur));
    QVERIFY2(erreur.contains(u"« "_s + chemin + u" »"_s), qPrintable(erreur));
}

void TestFichierStyle::echecEnregistrementGardeLAncien()
{
    // The save fails half-way: the process may not write files larger than a
    // few bytes (which holds for root too). The file keeps its old content.
    const QString chemin = dossier.filePath(u"ancien.txt"_s);
    Glyphes ancien;
    ancien[0] = u"a"_s;
    QVERIFY(enregistrerFichierStyle(chemin, ancien));

    Glyphes long_ = glyphesDifferents();
    long_[0] = QString(4096, u'x');
    rlimit avant{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &avant), 0);
    const auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = avant;
    limite.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
    QString erreur;
    const bool reussi = enregistrerFichierStyle(chemin, long_, &erreur);
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, signalAvant);

    QVERIFY(!reussi);
    QVERIFY2(erreur.contains(chemin), qPrintable(erreur));
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(), QByteArray("a"));
}

void TestFichierStyle::verdict_data()
{
    QTest::addColumn<Glyphes>("cases");
    QTest::addColumn<Verdict>("verdict");

    const Glyphes bon = glyphesDifferents();
    QTest::newRow("valide") << bon << Verdict::Valide;
    QTest::newRow("toutes vides") << Glyphes{} << Verdict::PlusieursCasesVides;
    Glyphes uneVideDeuxPareilles = bon;
    uneVideDeuxPareilles[3].clear();
    uneVideDeuxPareilles[5] = uneVideDeuxPareilles[6];
    QTest::newRow("une vide, deux pareilles") << uneVideDeuxPareilles << Verdict::UneCaseVide;
    Glyphes deuxVides = bon;
    deuxVides[0].clear();
    deuxVides[25].clear();
    QTest::newRow("deux vides") << deuxVides << Verdict::PlusieursCasesVides;
    Glyphes deuxBlancs = bon;
    deuxBlancs[1] = u" "_s;
    deuxBlancs[2] = u" "_s;
    QTest::newRow("deux blancs identiques") << deuxBlancs << Verdict::CasesIdentiques;
    Glyphes premiereEtDerniere = bon;
    premiereEtDerniere[25] = premiereEtDerniere[0];
    QTest::newRow("A et Z identiques") << premiereEtDerniere << Verdict::CasesIdentiques;
    Glyphes casse = bon;
    casse[0] = u"a"_s;
    casse[1] = u"A"_s;
    QTest::newRow("casse différente") << casse << Verdict::Valide;
    Glyphes prefixe = bon;
    prefixe[0] = u"|"_s;
    prefixe[1] = u"|3"_s;
    QTest::newRow("préfixe") << prefixe << Verdict::Valide;
}

void TestFichierStyle::verdict()
{
    QFETCH(Glyphes, cases);
    QFETCH(Verdict, verdict);
    QCOMPARE(verifierStyle(cases), verdict);
}

void TestFichierStyle::messages()
{
    QCOMPARE(messageVerdict(Verdict::Valide), QString());
    QCOMPARE(messageVerdict(Verdict::UneCaseVide), u"Un case est vide, veuillez la remplir."_s);
    QCOMPARE(messageVerdict(Verdict::PlusieursCasesVides),
             u"Plusieurs cases sont vides, veuillez les remplir."_s);
    QCOMPARE(messageVerdict(Verdict::CasesIdentiques),
             u"Plusieurs cases sont identiques.<br />Il faut que toutes les cases soit "
             u"différentes, sinon, il risquerait d'y avoir des problèmes."_s);
}

QTEST_GUILESS_MAIN(TestFichierStyle)
#include "test_fichierstyle.moc"
