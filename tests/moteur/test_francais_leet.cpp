#include "flux.h"
#include "traduction.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The Velmora glyphs typed into the 26 personal cells.
Glyphes casesVelmora()
{
    Glyphes cases;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        cases[lettre] = glyphe(Style::Velmora, lettre);
    return cases;
}

} // namespace

class TestFrancaisLeet : public QObject
{
    Q_OBJECT

private slots:
    void stylesIntegres_data();
    void stylesIntegres();
    void chaqueLettre_data();
    void chaqueLettre();
    void personnelCommeVelmora_data();
    void personnelCommeVelmora();
    void personnel_data();
    void personnel();
    void celluleModifieeEntreDeuxTraductions();
    void longueur_data();
    void longueur();
    void parTranches_data();
    void parTranches();
};

void TestFrancaisLeet::stylesIntegres_data()
{
    QTest::addColumn<QString>("francais");
    QTest::addColumn<bool>("doubler");
    QTest::addColumn<bool>("espaces");
    QTest::addColumn<QString>("velmora");
    QTest::addColumn<QString>("korvane");

    QTest::newRow("texte vide") << QString() << true << true << QString() << QString();
    QTest::newRow("Bonjour") << u"Bonjour"_s << false << false << uR"(8()|\|_|()|_||2)"_s
                             << uR"(|3()|\|_|()|_||2)"_s;
    QTest::newRow("majuscules") << u"BONJOUR"_s << false << false << uR"(8()|\|_|()|_||2)"_s
                                << uR"(|3()|\|_|()|_||2)"_s;
    QTest::newRow("Liqueur") << u"Liqueur"_s << false << false << uR"(1!9|_|3|_||2)"_s
                             << uR"(|_|(,)|_|3|_||2)"_s;
    QTest::newRow("Ma vie") << u"Ma vie"_s << false << false << uR"(|\/|/-\ \/!3)"_s
                            << uR"(|\/|/-\ \/|3)"_s;
    QTest::newRow("Ma vie doublé")
        << u"Ma vie"_s << true << false << uR"(|\\/|/-\\ \\/!3)"_s << uR"(|\\/|/-\\ \\/|3)"_s;
    QTest::newRow("W doublé") << u"w"_s << true << false << uR"(\\/\\/)"_s << uR"(\\/\\/)"_s;
    QTest::newRow("anti-slash du texte doublé")
        << uR"(a\b)"_s << true << false << uR"(/-\\\\8)"_s << uR"(/-\\\\|3)"_s;
    QTest::newRow("Salut ! espacé")
        << u"Salut !"_s << false << true << uR"(5 /-\ 1 |_| 7  !)"_s << uR"(5 /-\ |_ |_| 7  !)"_s;
    QTest::newRow("saut de ligne espacé")
        << u"a\nb"_s << false << true << u"/-\\ \n8"_s << u"/-\\ \n|3"_s;
    QTest::newRow("tabulation et retour espacés")
        << u"a\t\rb"_s << false << true << u"/-\\ \t\r8"_s << u"/-\\ \t\r|3"_s;
    QTest::newRow("caractères sans glyphe espacés")
        << u"ÿ/€Ý"_s << false << true << u"ÿ  € Ý"_s << u"ÿ  € Ý"_s;
    QTest::newRow("accents") << u"éçÑæÐð"_s << false << false << uR"(3(|\|/-\3|)())"_s
                             << uR"(3(|\|/-\3|)())"_s;
    QTest::newRow("æ doublé") << u"Æ"_s << true << false << uR"(/-\\3)"_s << uR"(/-\\3)"_s;
    QTest::newRow("i accentués") << u"ìÍîÏ"_s << true << false << u"!!!!"_s << u"||||"_s;
    QTest::newRow("sans glyphe, recopiés")
        << u"ÿÝý/€þ"_s << false << false << u"ÿÝý€þ"_s << u"ÿÝý€þ"_s;
    QTest::newRow("œ") << u"Œuvre, sœur, cœur"_s << false << false
                       << uR"(()3|_|\/|23, 5()3|_||2, (()3|_||2)"_s
                       << uR"(()3|_|\/|23, 5()3|_||2, (()3|_||2)"_s;
    QTest::newRow("typographie") << u"L’été\u00a0: 10\u202f€ « 中 »"_s << false << false
                                 << u"1’373\u00a0: 10\u202f€ « 中 »"_s
                                 << u"|_’373\u00a0: 10\u202f€ « 中 »"_s;
    QTest::newRow("chiffres") << u"2011"_s << false << false << u"2011"_s << u"2011"_s;
    QTest::newRow("y") << u"y"_s << false << false << u"Y"_s << u"Y"_s;
    QTest::newRow("symboles recopiés") << u"Þß«`"_s << false << false << u"Þß«`"_s << u"Þß«`"_s;
    QTest::newRow("que des blancs") << u" \n\t "_s << true << true << u" \n\t "_s << u" \n\t "_s;
    QTest::newRow("NUL recopié") << QString(QChar(0)) << false << false << QString(QChar(0))
                                 << QString(QChar(0));
    QTest::newRow("surrogats") << u"a\U0001F600b"_s << false << true << u"/-\\ 😀 8"_s
                               << u"/-\\ 😀 |3"_s;
    QTest::newRow("surrogats isolés") << QString(QChar(0xDC00)) + u"a"_s + QChar(0xD800) << false
                                      << true << u" /-\\ "_s << u" /-\\ "_s;
}

void TestFrancaisLeet::stylesIntegres()
{
    QFETCH(QString, francais);
    QFETCH(bool, doubler);
    QFETCH(bool, espaces);
    QFETCH(QString, velmora);
    QFETCH(QString, korvane);

    QCOMPARE(traduireFrancaisVelmora(francais, francais.size(), doubler, espaces), velmora);
    QCOMPARE(traduireFrancaisKorvane(francais, francais.size(), doubler, espaces), korvane);
}

void TestFrancaisLeet::chaqueLettre_data()
{
    QTest::addColumn<QChar>("lettre");
    QTest::addColumn<QString>("velmora");
    QTest::addColumn<QString>("korvane");
    const QStringList velmora = {
        uR"(/-\)"_s, u"8"_s,       u"("_s,  u"|)"_s, u"3"_s, u"|="_s,      u"6"_s,
        u"|-|"_s,    u"!"_s,       u"_|"_s, u"|<"_s, u"1"_s, uR"(|\/|)"_s, uR"(|\|)"_s,
        u"()"_s,     u"|>"_s,      u"9"_s,  u"|2"_s, u"5"_s, u"7"_s,       u"|_|"_s,
        uR"(\/)"_s,  uR"(\/\/)"_s, u")("_s, u"Y"_s,  u"2"_s};
    for (int i = 0; i < nombreLettres; ++i) {
        const QChar lettre(u'A' + i);
        QString korvane = velmora[i];
        if (lettre == u'B')
            korvane = u"|3"_s;
        else if (lettre == u'I')
            korvane = u"|"_s;
        else if (lettre == u'L')
            korvane = u"|_"_s;
        else if (lettre == u'Q')
            korvane = u"(,)"_s;
        QTest::addRow("%c", char(u'A' + i)) << lettre << velmora[i] << korvane;
        QTest::addRow("%c", char(u'a' + i)) << lettre.toLower() << velmora[i] << korvane;
    }
}

void TestFrancaisLeet::chaqueLettre()
{
    QFETCH(QChar, lettre);
    QFETCH(QString, velmora);
    QFETCH(QString, korvane);
    const QString texte(lettre);
    QCOMPARE(traduireFrancaisVelmora(texte, 1, false, false), velmora);
    QCOMPARE(traduireFrancaisKorvane(texte, 1, false, false), korvane);
    // The reference windows read the same table.
    QCOMPARE(QString(glyphe(Style::Velmora, lettre.toUpper().unicode() - u'A')), velmora);
    QCOMPARE(QString(glyphe(Style::Korvane, lettre.toUpper().unicode() - u'A')), korvane);
}

void TestFrancaisLeet::personnelCommeVelmora_data()
{
    QTest::addColumn<bool>("doubler");
    QTest::addColumn<bool>("espaces");
    QTest::newRow("sans option") << false << false;
    QTest::newRow("anti-slashs doublés") << true << false;
    QTest::newRow("espaces") << false << true;
    QTest::newRow("les deux") << true << true;
}

void TestFrancaisLeet::personnelCommeVelmora()
{
    QFETCH(bool, doubler);
    QFETCH(bool, espaces);
    // Every code below 512, so each table entry is compared once.
    QString texte;
    for (int code = 0; code < 512; ++code)
        texte.append(QChar(code));
    texte += u"Le Scribolix, où l'on écrit « Ça va ? » \\ fin."_s;
    QCOMPARE(traduireFrancaisPersonnalisee(texte, casesVelmora(), texte.size(), doubler, espaces),
             traduireFrancaisVelmora(texte, texte.size(), doubler, espaces));
}

void TestFrancaisLeet::personnel_data()
{
    QTest::addColumn<QString>("francais");
    QTest::addColumn<bool>("doubler");
    QTest::addColumn<QString>("attendu");

    QTest::newRow("glyphe long et non ASCII") << u"bB"_s << false << u"ßeta ☺ßeta ☺"_s;
    QTest::newRow("anti-slash de cellule doublé") << u"vü"_s << true << uR"(\\/|_ _|)"_s;
    QTest::newRow("anti-slash de cellule simple") << u"vü"_s << false << uR"(\/|_ _|)"_s;
    QTest::newRow("æ, ï, ð, Ð, œ") << u"æïðÐœ"_s << false << u"[a][e][i][o][d][o][e]"_s;
    QTest::newRow("sans glyphe") << u"ÿÝ/€"_s << false << u"ÿÝ€"_s;
    QTest::newRow("copies") << u"1, 2\t!"_s << false << u"1, 2\t!"_s;
    QTest::newRow("anti-slash du texte") << uR"(\)"_s << true << uR"(\\)"_s;
    QTest::newRow("cellule vide") << u"xzx"_s << false << u"[x][x]"_s;
}

void TestFrancaisLeet::personnel()
{
    QFETCH(QString, francais);
    QFETCH(bool, doubler);
    QFETCH(QString, attendu);

    Glyphes cases;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        cases[lettre] = u'[' + QChar(u'a' + lettre) + u']';
    cases['B' - 'A'] = u"ßeta ☺"_s;
    cases['V' - 'A'] = uR"(\/)"_s;
    cases['U' - 'A'] = u"|_ _|"_s;
    cases['Z' - 'A'].clear();
    QCOMPARE(traduireFrancaisPersonnalisee(francais, cases, francais.size(), doubler, false),
             attendu);
}

void TestFrancaisLeet::celluleModifieeEntreDeuxTraductions()
{
    Glyphes cases = casesVelmora();
    QCOMPARE(traduireFrancaisPersonnalisee(u"ab"_s, cases, 2, false, false), uR"(/-\8)"_s);
    cases[0] = u"4"_s;
    QCOMPARE(traduireFrancaisPersonnalisee(u"ab"_s, cases, 2, false, false), u"48"_s);
}

void TestFrancaisLeet::longueur_data()
{
    QTest::addColumn<qsizetype>("longueur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("négative") << qsizetype(-5) << QString();
    QTest::newRow("nulle") << qsizetype(0) << QString();
    QTest::newRow("partielle") << qsizetype(2) << u"/-\\ 8"_s;
    QTest::newRow("exacte") << qsizetype(3) << u"/-\\ 8 ("_s;
    QTest::newRow("trop grande") << qsizetype(1000) << u"/-\\ 8 ("_s;
}

void TestFrancaisLeet::longueur()
{
    QFETCH(qsizetype, longueur);
    QFETCH(QString, attendu);
    const QString texte = u"abc"_s;
    QCOMPARE(traduireFrancaisVelmora(texte, longueur, false, true), attendu);
    QCOMPARE(traduireFrancaisPersonnalisee(texte, casesVelmora(), longueur, false, true), attendu);
}

void TestFrancaisLeet::parTranches_data()
{
    QTest::addColumn<Ecriture>("ecriture");
    QTest::addColumn<bool>("versLeet");
    QTest::addColumn<bool>("options");
    QTest::addColumn<QString>("texte");

    // Blanks, tabs and line breaks fall on every side of the cuts.
    const QString texte = u"Ça va ?\tOui !\n  Ma vie, \\ |_|_|_| æ€ fin 😀’\u00a0œ"_s;
    QTest::newRow("Velmora") << Ecriture::Velmora << true << false << texte;
    QTest::newRow("Velmora, options") << Ecriture::Velmora << true << true << texte;
    QTest::newRow("Korvane, options") << Ecriture::Korvane << true << true << texte;
    QTest::newRow("personnel, options") << Ecriture::Personnalisee << true << true << texte;
    QTest::newRow("relu en Korvane") << Ecriture::Korvane << false << true << texte;
    QTest::newRow("personnel relu") << Ecriture::Personnalisee << false << true << texte;
    // Glyphs of up to four characters, sentence ends and runs of blanks cut
    // at every place, and a text that ends on a letter, a blank or a glyph.
    QTest::newRow("relu en Velmora, fin sur un glyphe")
        << Ecriture::Velmora << false << true << uR"(. |\/|/-\  \/!3 ?
5 /-\ 1 |_| 7  !  \/\/)"_s;
    QTest::newRow("relu en Korvane, fin sur un blanc")
        << Ecriture::Korvane << false << false << uR"(Y. |\/|(,)|3 |_|_ |\| 😀. |_ )"_s;
    QTest::newRow("espacé, fin sur une lettre") << Ecriture::Korvane << true << true << u"é \tb"_s;
    // Latin-1 copied or not, straight from UTF-8; a text long enough to be
    // read as several scans at once, against the pieces read one scan each.
    QTest::newRow("relu en Velmora, Latin-1")
        << Ecriture::Velmora << false << false << u"«é» ×\u00a0€ÿ |\\|3"_s;
    // A byte order mark further on is a character, even where a piece opens.
    QTest::newRow("relu en Velmora, U+FEFF")
        << Ecriture::Velmora << false << false << u". \uFEFF/-\\.\uFEFF|\\|"_s;
    QTest::newRow("courante, accents et symboles")
        << Ecriture::Courante << true << true << u"Élève, ÇA SE Œ æ\\ ï 😀\n"_s.repeated(40);
    QTest::newRow("courante, sans les options")
        << Ecriture::Courante << true << false << u"Bonjour à tous, 2011 !\n"_s.repeated(40);
    QTest::newRow("relu en Velmora, long")
        << Ecriture::Velmora << false << true << uR"(|\|()|_|5 /-\|_|55!, 4 |)!7-()|\|.  ?!(()|\|3
)"_s.repeated(60);
}

void TestFrancaisLeet::parTranches()
{
    QFETCH(Ecriture, ecriture);
    QFETCH(bool, versLeet);
    QFETCH(bool, options);
    QFETCH(QString, texte);

    Demande demande;
    demande.ecriture = ecriture;
    demande.versLeet = versLeet;
    demande.doublerAntiSlashs = options;
    demande.mettreEspaces = options;
    demande.supprimerEspaces = options;
    Glyphes cases = casesVelmora();
    cases[0] = u"\\😀 "_s;
    const QString entier = traduireSelon(demande, texte, cases);

    // Streamed from UTF-8 in pieces of as many bytes: sequences, glyphs and
    // blank runs straddle the cuts.
    const QByteArray octets = texte.toUtf8();
    for (const qsizetype tranche : {1, 2, 3, 7, 1000, 5000}) {
        TraductionFlux flux(demande, cases);
        QByteArray sortie;
        for (qsizetype debut = 0; debut < octets.size(); debut += tranche)
            flux.alimenter(
                QByteArrayView(octets).sliced(debut, std::min(tranche, octets.size() - debut)),
                sortie);
        flux.terminer(sortie);
        QCOMPARE(sortie, entier.toUtf8());
        QCOMPARE(flux.octetsInvalides(), 0);
    }
}

QTEST_GUILESS_MAIN(TestFrancaisLeet)
#include "test_francais_leet.moc"
