#include "listeindexee.h"
#include "retablissement.h"
#include "traduction.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRetablissement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lecture_data();
    void lecture();
    void sansMotConnuCommeLaLectureStandard();
    void laMemoireDesMotsNeChangeRien();
    void listeIndexee();

private:
    QTemporaryDir dossier;
    std::optional<Dictionnaire> dictionnaire;
    std::optional<ModeleContexte> modele;
    std::optional<Dictionnaire> dictionnaireEtModele;
};

namespace {

// A context model in the file format, from words with their counts and
// pairs of words with theirs; `suites`, when given, how many words each word
// follows, and `frequences` how many pairs came once to four times.
QByteArray fichierModele(const QList<std::pair<QString, int>> &mots,
                         const QList<std::tuple<QString, QString, int>> &paires,
                         const QStringList &anglais = {}, int totalAnglais = 0,
                         const QList<int> &suites = {}, const QString &frequences = {},
                         const QStringList &nombres = {})
{
    QStringList lignes{u"scribolix-modele 1"_s, u"mots %1 1000"_s.arg(mots.size())};
    QStringList noms;
    for (const auto &[mot, compte] : mots) {
        lignes << mot + u'\t' + QString::number(compte);
        if (noms.size() < suites.size())
            lignes.last() += u'\t' + QString::number(suites.at(noms.size()));
        noms << mot;
    }
    lignes << u"bigrammes %1"_s.arg(paires.size()) + frequences;
    QList<std::tuple<qsizetype, qsizetype, int>> indices;
    for (const auto &[avant, apres, compte] : paires)
        indices.append({noms.indexOf(avant), noms.indexOf(apres), compte});
    std::sort(indices.begin(), indices.end());
    for (const auto &[avant, apres, compte] : indices)
        lignes << u"%1\t%2\t%3"_s.arg(avant).arg(apres).arg(compte);
    // English words, "1" for those French does not share, with their counts
    // when `totalAnglais` is given.
    if (!anglais.isEmpty())
        lignes << u"anglais %1"_s.arg(anglais.size()) +
                      (totalAnglais > 0 ? u" %1"_s.arg(totalAnglais) : QString())
               << anglais;
    // Numbers after words: the section's head, then a key a line.
    lignes << nombres;
    return qCompress((lignes.join(u'\n') + u'\n').toUtf8());
}

} // namespace

void TestRetablissement::initTestCase()
{
    // A byte-order mark, CR LF line ends, blank lines, a letter name and a
    // word with a hyphen, which are left out.
    const QByteArray liste =
        "\xEF\xBB\xBF"
        "a\r\nà\r\n\r\nlui\r\nété\r\nle\r\nmême\r\nmémé\r\n"
        "pr\xC3\xA8s\r\npr\xC3\xA9s\r\nsalut\r\nla\r\nlà\r\n\r\ni\r\n"
        "peut-"
        "être\r\navoir\r\nvoir\r\nou\r\ncou\r\noù\r\nmange\r\nmangé\r\nthé\r\nli\r\nlorsque\r"
        "\nlorsq\xC3\xBA\r\nelles\r\neu\r\nes\r\ncc\r\nce\r\nma\r\n"
        "c\xC5\x93ur";
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath(u"mots.txt"_s);
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(liste);
    fichier.close();
    QString erreur;
    dictionnaire = Dictionnaire::charger(chemin, &erreur);
    QVERIFY2(dictionnaire, qPrintable(erreur));
    QVERIFY(!Dictionnaire::charger(dossier.filePath(u"absent.txt"_s), &erreur));
    // The letters of the list's words: "elles" makes "lle" and a final "s"
    // likelier than letters no word has there.
    QVERIFY(dictionnaire->noteLettre('e', 'l', 'l') > dictionnaire->noteLettre('e', 'l', 'q'));
    QVERIFY(dictionnaire->noteLettre('e', 's', 0) > dictionnaire->noteLettre('e', 's', 'x'));
    QVERIFY(dictionnaire->noteLettre(0, 0, 'e') > dictionnaire->noteLettre(0, 0, 'z'));
    QVERIFY(erreur.contains(u"absent.txt"_s));

    // Sorted by count, as the model's builder writes them.
    const QByteArray octets = fichierModele({{u"<s>"_s, 90},
                                             {u"a"_s, 60},
                                             {u"la"_s, 50},
                                             {u"il"_s, 40},
                                             {u"à"_s, 30},
                                             {u"est"_s, 20},
                                             {u"ou"_s, 12},
                                             {u"où"_s, 11},
                                             {u"bien"_s, 10},
                                             {u"mangé"_s, 5},
                                             {u"mange"_s, 4},
                                             {u"maison"_s, 3},
                                             {u"the"_s, 2},
                                             {u"zx"_s, 2}},
                                            {{u"<s>"_s, u"il"_s, 30},
                                             {u"il"_s, u"a"_s, 30},
                                             {u"a"_s, u"mangé"_s, 4},
                                             {u"à"_s, u"la"_s, 25},
                                             {u"la"_s, u"maison"_s, 3},
                                             {u"où"_s, u"est"_s, 8},
                                             {u"ou"_s, u"bien"_s, 9}},
                                            {u"with\t1"_s, u"a\t0"_s});
    modele = ModeleContexte::depuisOctets(octets, &erreur);
    QVERIFY2(modele, qPrintable(erreur));
    dictionnaireEtModele = Dictionnaire::charger(chemin, &erreur, modele->vocabulaire());
    // English words: only those French has not join the list's words, and
    // a rare word of two letters does not.
    QCOMPARE(modele->anglaisDe(u"with"), ModeleContexte::Anglais::Seulement);
    QCOMPARE(modele->anglaisDe(u"a"), ModeleContexte::Anglais::Aussi);
    QCOMPARE(modele->anglaisDe(u"la"), ModeleContexte::Anglais::Non);
    const std::vector<QString> vocabulaire = modele->vocabulaire();
    QVERIFY(std::count(vocabulaire.begin(), vocabulaire.end(), u"with"_s) == 1);
    QVERIFY(std::count(vocabulaire.begin(), vocabulaire.end(), u"zx"_s) == 0);
    // A model from before the English words still loads.
    const auto ancien =
        ModeleContexte::depuisOctets(fichierModele({{u"<s>"_s, 2}, {u"a"_s, 1}}, {}));
    QVERIFY(ancien && ancien->anglaisDe(u"a") == ModeleContexte::Anglais::Non);
    // English words weigh by their counts, in models that have them; a count
    // beyond all the English words is refused.
    QCOMPARE(modele->logProbabiliteAnglais(u"with"), -qInf());
    const auto compte = [](int can) {
        return ModeleContexte::depuisOctets(fichierModele(
            {{u"<s>"_s, 2}, {u"a"_s, 1}}, {}, {u"can\t0\t%1"_s.arg(can), u"an\t0\t5"_s}, 100));
    };
    QVERIFY(compte(40) &&
            compte(40)->logProbabiliteAnglais(u"can") > compte(40)->logProbabiliteAnglais(u"an"));
    QVERIFY(compte(4) &&
            compte(4)->logProbabiliteAnglais(u"can") < compte(4)->logProbabiliteAnglais(u"an"));
    QVERIFY(!compte(400));
    // After a word it was never seen with, a word that follows many others
    // beats a more frequent one that follows only one.
    const auto suites = ModeleContexte::depuisOctets(fichierModele(
        {{u"<s>"_s, 9}, {u"il"_s, 60}, {u"on"_s, 9}, {u"x"_s, 50}, {u"y"_s, 20}, {u"z"_s, 9}},
        {{u"il"_s, u"x"_s, 40},
         {u"il"_s, u"y"_s, 4},
         {u"on"_s, u"y"_s, 4},
         {u"<s>"_s, u"y"_s, 4}}));
    QVERIFY(suites && suites->logProbabilite(suites->indice(u"z"), suites->indice(u"y")) >
                          suites->logProbabilite(suites->indice(u"z"), suites->indice(u"x")));
    // ... as the file counts them, among the pairs it left out too; a file
    // with them for some words only is refused.
    const auto selonLeFichier = [](const QList<int> &suites) {
        return ModeleContexte::depuisOctets(
            fichierModele({{u"<s>"_s, 9}, {u"il"_s, 60}, {u"x"_s, 50}, {u"y"_s, 20}, {u"z"_s, 9}},
                          {{u"il"_s, u"y"_s, 4}, {u"<s>"_s, u"y"_s, 4}}, {}, 0, suites));
    };
    const auto parLeFichier = selonLeFichier({0, 0, 30, 1, 0});
    QVERIFY(
        parLeFichier &&
        parLeFichier->logProbabilite(parLeFichier->indice(u"z"), parLeFichier->indice(u"x")) >
            parLeFichier->logProbabilite(parLeFichier->indice(u"z"), parLeFichier->indice(u"y")));
    QVERIFY(!selonLeFichier({0, 0, 30}));
    // A pair seen twice keeps less of its count where many pairs came
    // twice or more (modified Kneser-Ney's discounts) than by default.
    const auto remise = [](const QString &frequences) {
        const auto m = ModeleContexte::depuisOctets(
            fichierModele({{u"<s>"_s, 9}, {u"il"_s, 10}, {u"y"_s, 20}}, {{u"il"_s, u"y"_s, 2}}, {},
                          0, {}, frequences));
        return m ? m->logProbabilite(m->indice(u"il"), m->indice(u"y")) : qInf();
    };
    QVERIFY(remise(u" 100 80 40 20"_s) < remise({}));
    QVERIFY(qIsFinite(remise(u" 0 0 0 0"_s)));
    QCOMPARE(remise(u" 0 0 0 0"_s), remise({}));
    // After a word followed by participles, an unseen participle beats the
    // present that is as frequent and follows as many words, and a
    // participle the model never saw beats such a present.
    const auto fins = ModeleContexte::depuisOctets(fichierModele(
        {{u"<s>"_s, 9},
         {u"ai"_s, 60},
         {u"mangé"_s, 50},
         {u"vu"_s, 9},
         {u"porté"_s, 9},
         {u"porte"_s, 9}},
        {{u"ai"_s, u"mangé"_s, 40}, {u"<s>"_s, u"porté"_s, 2}, {u"<s>"_s, u"porte"_s, 2}}));
    QVERIFY(fins && fins->logProbabilite(fins->indice(u"ai"), fins->indice(u"porté")) >
                        fins->logProbabilite(fins->indice(u"ai"), fins->indice(u"porte")));
    QVERIFY(fins->logProbabiliteInconnu(fins->indice(u"ai"), u"bougé") >
            fins->logProbabiliteInconnu(fins->indice(u"ai"), u"bouge"));
    // A number comes likelier after a key that numbers often follow than
    // after any word, and less likely after one they seldom follow; keys
    // out of order, beyond their word's count or not in small letters are
    // refused.
    const auto nombres = [](const QStringList &lignes) {
        return ModeleContexte::depuisOctets(
            fichierModele({{u"<s>"_s, 2}, {u"a"_s, 1}}, {}, {}, 0, {}, {}, lignes));
    };
    const auto gains = nombres({u"nombres 2 50"_s, u"sha\t20\t25"_s, u"sur\t1\t400"_s});
    QVERIFY(gains && gains->logNombreApres(u"sha") > 2 && gains->logNombreApres(u"sur") < 0);
    QCOMPARE(gains->logNombreApres(u"shal"), 0.0);
    QCOMPARE(modele->logNombreApres(u"sha"), 0.0);
    for (const QStringList &abime :
         {QStringList{u"nombres 2 50"_s, u"sur\t1\t400"_s, u"sha\t20\t25"_s},
          {u"nombres 1 50"_s, u"sha\t20\t19"_s},
          {u"nombres 1 50"_s, u"Sha\t20\t25"_s},
          {u"nombres 1 50"_s, u"sha\t60\t80"_s},
          {u"nombres 2 50"_s, u"sha\t20\t25"_s},
          {u"nombres 1 0"_s, u"sha\t0\t25"_s}})
        QVERIFY2(!nombres(abime), qPrintable(abime.join(u" / "_s)));
    // A list read from its file is the list read from its bytes.
    const QString essai = uR"(x 373 1'373 |\/|/-\|\|63 (()3|_||2 3113 (5))"_s;
    QCOMPARE(retablirLeet(*dictionnaire, Style::Velmora, essai, false),
             retablirLeet(Dictionnaire::depuisTexte(liste), Style::Velmora, essai, false));
    // A model that is empty, cut short or damaged is refused.
    QVERIFY(!ModeleContexte::depuisOctets({}, &erreur));
    QVERIFY(!ModeleContexte::depuisOctets(octets.first(octets.size() / 2), &erreur));
    QVERIFY(!ModeleContexte::depuisOctets(qCompress(qUncompress(octets).chopped(9)), &erreur));
    QVERIFY(!ModeleContexte::depuisOctets(qCompress(qUncompress(octets).replace("a\t0", "a\t2")),
                                          &erreur));
    QVERIFY(!ModeleContexte::charger(dossier.filePath(u"absent.modele"_s), &erreur));
    QVERIFY(erreur.contains(u"absent.modele"_s));
}

void TestRetablissement::lecture_data()
{
    QTest::addColumn<bool>("korvane");
    QTest::addColumn<QString>("leet");
    QTest::addColumn<bool>("supprimer");
    QTest::addColumn<QString>("francais");
    QTest::addColumn<bool>("contexte");

    QTest::newRow("lui en tête") << true << u"|_|_||"_s << false << u"Lui"_s << false;
    QTest::newRow("lui après un mot") << true << u"x |_|_||"_s << false << u"x lui"_s << false;
    QTest::newRow("été en tête") << false << u"373"_s << false << u"Été"_s << false;
    QTest::newRow("été après un mot") << false << u"x 373"_s << false << u"x été"_s << false;
    QTest::newRow("chiffres") << false << u"2011"_s << false << u"2011"_s << false;
    QTest::newRow("chiffres entre parenthèses")
        << false << u"x (2011)"_s << false << u"x (2011)"_s << false;
    QTest::newRow("inconnu: lecture standard") << true << u"|_|_|"_s << false << u"Uj"_s << false;
    // An underscore joins two words before it opens a J.
    QTest::newRow("souligné entre deux mots")
        << true << u"|_|_|_|"_s << false << u"Li_li"_s << false;
    // A "!" kept as a mark ends the sentence.
    QTest::newRow("! entre deux mots")
        << false << uR"(5/-\1|_|7 ! 1/-\)"_s << false << u"Salut ! La"_s << false;
    QTest::newRow("! collé au mot") << false << uR"(5/-\1|_|7!)"_s << false << u"Salut!"_s << false;
    QTest::newRow("majuscule après une fin de phrase")
        << false << u"373 373. 373"_s << false << u"Été été. Été"_s << false;
    QTest::newRow("blanc en tête") << false << u" 373"_s << false << u" été"_s << false;
    QTest::newRow("mot sans accent gardé")
        << false << uR"(/-\ 1/-\)"_s << false << u"A la"_s << false;
    QTest::newRow("moins d'accents d'abord")
        << false << uR"(|\/|3|\/|3)"_s << false << u"Même"_s << false;
    QTest::newRow("puis l'ordre des codes") << false << u"|>|235"_s << false << u"Près"_s << false;
    QTest::newRow("élision") << false << u"x 1 1'373"_s << false << u"x 1 l'été"_s << false;
    QTest::newRow("élision typographique")
        << false << u"x 1’373"_s << false << u"x l’été"_s << false;
    QTest::newRow("œ") << false << u"x (()3|_||2"_s << false << u"x cœur"_s << false;
    QTest::newRow("caractères hors tables")
        << false << u"373 € 😀 373…373"_s << false << u"Été € 😀 été…été"_s << false;
    QTest::newRow("élision d'abord") << false << u"x (('373"_s << false << u"x (c'été"_s << false;
    QTest::newRow("parenthèses sans chiffres")
        << false << uR"(x |\/|/-\(|2())"_s << false << u"x macro"_s << false;
    QTest::newRow("apostrophe abîmée dans la liste")
        << false << u"x 1()|259|_|'373"_s << false << u"x lorsqu'été"_s << false;
    QTest::newRow("lettre seule") << true << u"x |_| -3 -|_|"_s << false << u"x u -e -u"_s << false;
    // "a" is a word between two others, which the list cannot say.
    QTest::newRow("a entre deux mots")
        << false << uR"(x 373-/-\-373)"_s << false << u"x été-a-été"_s << false;
    QTest::newRow("souligné dans un nom")
        << false << uR"(x 3|_|_|\| |\/|/-\|\|631)"_s << false << u"x eu_n mange1"_s << false;
    QTest::newRow("pluriel entre parenthèses")
        << false << uR"(x |\/|/-\|\|63(5) 3|_|(35) 3|_|(1))"_s << false
        << u"x mange(s) eu(es) eu(1)"_s << false;
    QTest::newRow("chiffre seul") << false << u"x 1 7 1'7 %5"_s << false << u"x 1 7 l't %s"_s
                                  << false;
    QTest::newRow("signe seul") << true << u"x ! | ( x"_s << false << u"x ! | c x"_s << true;
    QTest::newRow("un mot plutôt que deux")
        << true << u"x 3|_|_35"_s << false << u"x elles"_s << false;
    QTest::newRow("guillemets") << false << u"x (« 373 »)"_s << false << u"x (« été »)"_s << false;
    QTest::newRow("parenthèses") << false << u"x (373) (9|<) (|<|)"_s << false
                                 << u"x (été) (qk) ckd"_s << false;
    QTest::newRow("espaces supprimés")
        << true << u"|_ |_| |  3 7 3"_s << true << u"Lui été"_s << false;
    // Written with a blank after each glyph: each piece is one glyph or one
    // mark, even in a name that the list lacks ("|-|" is no "|", "-", "|"),
    // but "œ", two glyphs in one piece.
    QTest::newRow("espaces supprimés, un glyphe par pièce")
        << true << uR"(x  |> |-| | |_ | |> |> 3  |_ |>  |_ |-|  ( ()3 |_| |2  ( |< )( ))"_s << true
        << u"x philippe lp lh cœur (kx)"_s << false;
    QTest::newRow("mot trop long")
        << false << QString(70, u'3') << false << u"E"_s + QString(69, u'e') << false;

    // With the context model, each word's spelling by the words around it.
    QTest::newRow("il a mangé") << false << uR"(!1 /-\ |\/|/-\|\|63)"_s << false << u"Il a mangé"_s
                                << true;
    // A line break goes on with the sentence; a blank line ends it.
    QTest::newRow("a à la ligne") << false << u"!1\n/-\\ 1/-\\\n\n/-\\ 1/-\\"_s << false
                                  << u"Il\na la\n\nà la"_s << true;
    QTest::newRow("à la maison") << false << uR"(/-\ 1/-\ |\/|/-\!5()|\|)"_s << false
                                 << u"À la maison"_s << true;
    // Read on two threads, the second from the line after a sentence's end.
    QTest::newRow("deux phrases") << false << u"!1 /-\\ |\\/|/-\\|\\|63.\n/-\\ 1/-\\\n"_s << false
                                  << u"Il a mangé.\nÀ la\n"_s << true;
    // The blank removed after the mark leaves no capital due, as in the
    // standard reading: the second thread's reading, which began with one, is
    // not taken.
    QTest::newRow("deux phrases, espaces supprimés")
        << true << u"| |_  /-\\  |\\/| /-\\ |\\| 6 3 . \n/-\\  |_ /-\\  |\\/| /-\\ | 5 () |\\| \n"_s
        << true << u"Il a mangé.\nà la maison\n"_s << true;
    QTest::newRow("où est-il") << false << u"()|_| 357-!1"_s << false << u"Où est-il"_s << true;
    QTest::newRow("ou bien") << false << u"x ()|_| 8!3|\\|"_s << false << u"x ou bien"_s << true;
    QTest::newRow("parenthèse plutôt que C") << false << u"x (()|_| 8!3|\\| (()|_| (()|_|)"_s
                                             << false << u"x (ou bien cou (ou)"_s << true;
    QTest::newRow("chiffre après un mot")
        << false << uR"(x |\/|/-\|\|632 3|_|(1))"_s << false << u"x mange2 eu(1)"_s << false;
    // Beside an English word, "a" is English too.
    QTest::newRow("a en anglais") << false << uR"(\/\/!7|-| /-\ 1/-\ |\/|/-\!5()|\|)"_s << false
                                  << u"With a la maison"_s << true;
    QTest::newRow("entre deux mots anglais")
        << false << uR"(\/\/!7|-| 373 \/\/!7|-|)"_s << false << u"With ete with"_s << true;
    QTest::newRow("the reste the") << false << u"x 7|-|3"_s << false << u"x the"_s << true;
    QTest::newRow("nom d'option") << false << u"x --373 373"_s << false << u"x --ete été"_s << true;
    // Where the list does not read a run whole: its words, and digits
    // between marks as a number.
    QTest::newRow("nombre entre des signes")
        << false << u"x 2023-05-11"_s << false << u"x 2023-05-11"_s << false;
    QTest::newRow("nombre entre des signes, contexte")
        << false << u"x 2023-05-11 373"_s << false << u"x 2023-05-11 été"_s << true;
    QTest::newRow("mot et nombre") << false << u"x 1|_|!=5"_s << false << u"x lui=5"_s << false;
    QTest::newRow("mot et nombre, contexte")
        << false << u"x 1|_|!=5 1|_|!=5"_s << false << u"x lui=5 lui=5"_s << true;
    QTest::newRow("lui, contexte")
        << true << u"|_|_|| x |_|_||"_s << false << u"Lui x lui"_s << true;
    QTest::newRow("été, contexte") << false << u"373 2011"_s << false << u"Été 2011"_s << true;
}

void TestRetablissement::lecture()
{
    QFETCH(bool, korvane);
    QFETCH(QString, leet);
    QFETCH(bool, supprimer);
    QFETCH(QString, francais);
    QFETCH(bool, contexte);
    const Style style = korvane ? Style::Korvane : Style::Velmora;
    const ModeleContexte *m = contexte ? &*modele : nullptr;
    const Dictionnaire &d = contexte ? *dictionnaireEtModele : *dictionnaire;
    QCOMPARE(retablirLeet(d, style, leet, supprimer, nullptr, m), francais);
    // Fed in two pieces, cut anywhere, the reading gives the same.
    for (qsizetype coupe = 0; coupe <= leet.size(); ++coupe) {
        const auto flux = creerRetablissementFlux(d, style, supprimer, m);
        QByteArray sortie;
        flux->alimenter(QStringView(leet).first(coupe), sortie);
        flux->alimenter(QStringView(leet).sliced(coupe), sortie);
        flux->terminer(sortie);
        QCOMPARE(QString::fromUtf8(sortie), francais);
    }
    // Read on two threads by pieces of any size, the same.
    for (qsizetype moitie = 1; moitie <= leet.size(); ++moitie) {
        const auto flux = creerRetablissementFlux(d, style, supprimer, m, moitie);
        QByteArray sortie;
        flux->alimenter(leet, sortie);
        flux->terminer(sortie);
        QCOMPARE(QString::fromUtf8(sortie), francais);
    }
}

// With no word known, every run that holds a letter reads as the standard
// reading reads it.
void TestRetablissement::sansMotConnuCommeLaLectureStandard()
{
    const Dictionnaire vide = Dictionnaire::depuisTexte({});
    // A list whose one word is longer than any run can spell is as empty,
    // and loads however long the word.
    const Dictionnaire immense = Dictionnaire::depuisTexte(QByteArray(200000, 'a') + '\n');
    const QString leet = traduireFrancaisKorvane(
        u"Ça va ? Oui, vraiment : « déjà » vu (au moins) quelques fois... Bien."_s, 1000, false,
        false);
    for (const bool supprimer : {false, true}) {
        QCOMPARE(retablirLeet(vide, Style::Korvane, leet, supprimer),
                 traduireLeetKorvane(leet, leet.size(), supprimer));
        QCOMPARE(retablirLeet(immense, Style::Korvane, leet, supprimer),
                 traduireLeetKorvane(leet, leet.size(), supprimer));
        const QString velmora =
            traduireFrancaisVelmora(u"Vraiment, quelques bises ; x."_s, 100, false, supprimer);
        QCOMPARE(retablirLeet(vide, Style::Velmora, velmora, supprimer),
                 traduireLeetVelmora(velmora, velmora.size(), supprimer));
    }
}

// Runs met again are taken from a memory that grows, and starts again empty,
// as the text goes on: reading every run afresh (as counting the rules does)
// gives the same text, capitals and apostrophes included.
void TestRetablissement::laMemoireDesMotsNeChangeRien()
{
    // With runs that the list reads in part ("la=5", "lui-2023-05"), whose
    // words the context chose once; a word between brackets; a run too long
    // to be one word.
    const QStringList runs{
        u"|_|_||"_s,
        u"373"_s,
        u"1'"_s,
        u"|_|"_s,
        u"2011"_s,
        u"3|_|_35"_s,
        uR"(/-\)"_s,
        u"1/-\\"_s,
        u"1/-\\=5"_s,
        u"1|_|!-2023-05"_s,
        uR"((|\/|3|\/|1!|\/|!7))"_s,
        uR"((()|\/||\/|/-\|\||)3-|>()|_||2-()837|\|!|2-|>|2!\/!1363-|)3-|2()()7)"_s};
    QString leet;
    for (int i = 0; i < 3000; ++i)
        leet += runs[i % runs.size()] + QString::number(i % 977) + (i % 7 ? u" "_s : u". "_s);
    for (const bool korvane : {false, true}) {
        const Style style = korvane ? Style::Korvane : Style::Velmora;
        StatistiquesRetablissement comptes;
        QCOMPARE(retablirLeet(*dictionnaire, style, leet, false),
                 retablirLeet(*dictionnaire, style, leet, false, &comptes));
        // In context too, where a run met again is handed to the choice again.
        const QString enContexte =
            retablirLeet(*dictionnaireEtModele, style, leet, false, nullptr, &*modele);
        QCOMPARE(enContexte,
                 retablirLeet(*dictionnaireEtModele, style, leet, false, &comptes, &*modele));
        // On two threads that both work, from cut points and in pieces drawn
        // by a seeded loop, the same.
        QRandomGenerator graine(korvane ? 29 : 28);
        for (int essai = 0; essai < 6; ++essai) {
            const qsizetype moitie = graine.bounded(qsizetype(64), leet.size() / 2);
            const auto flux =
                creerRetablissementFlux(*dictionnaireEtModele, style, false, &*modele, moitie);
            QByteArray sortie;
            for (qsizetype debut = 0; debut < leet.size();) {
                const qsizetype taille =
                    std::min(qsizetype(graine.bounded(1, 5000)), leet.size() - debut);
                flux->alimenter(QStringView(leet).sliced(debut, taille), sortie);
                debut += taille;
            }
            flux->terminer(sortie);
            QCOMPARE(QString::fromUtf8(sortie), enContexte);
        }
    }
}

// The list read back from its index reads as the list itself; a list changed
// since, or an index damaged or cut short, is indexed anew.
void TestRetablissement::listeIndexee()
{
    const QString liste = dossier.filePath(u"indexee.txt"_s);
    QVERIFY(QFile::copy(dossier.filePath(u"mots.txt"_s), liste));
    const QString caches = dossier.filePath(u"caches"_s);
    const QString leet = uR"(/-\ 1/-\ |\/|/-\!5()|\| !1 /-\ |\/|/-\|\|63 ()|_| 8!3|\|)"_s;
    const QString attendu =
        retablirLeet(*dictionnaireEtModele, Style::Velmora, leet, false, nullptr, &*modele);
    const auto charger = [&] {
        return chargerListeIndexee(liste, caches, nullptr, "modèle",
                                   [&]() -> AutresMots { return modele->vocabulaire(); });
    };
    // Indexed, read back from the index as it stands, then from an index
    // damaged in several ways.
    QByteArray index;
    for (const QByteArray &abime :
         {QByteArray(), QByteArray(), QByteArray("?"), QByteArray("coupé"), QByteArray("moitié"),
          QByteArray("vide")}) {
        const QStringList fichiers = QDir(caches).entryList(QDir::Files);
        const QDateTime ecrit = fichiers.isEmpty()
                                    ? QDateTime()
                                    : QFileInfo(caches + u'/' + fichiers[0]).lastModified();
        if (!abime.isEmpty()) {
            QCOMPARE(fichiers.size(), 1);
            QFile f(QDir(caches).filePath(fichiers[0]));
            QVERIFY(f.open(QIODevice::ReadWrite));
            index = f.readAll();
            QByteArray autre = index;
            if (abime == "?")
                autre[autre.size() / 2] = char(autre[autre.size() / 2] ^ 0x10);
            else
                autre.truncate(abime == "coupé" ? autre.size() - 1
                                                : (abime == "moitié" ? autre.size() / 2 : 0));
            QVERIFY(f.resize(0) && f.seek(0) && f.write(autre) == autre.size());
        }
        const std::optional<Dictionnaire> d = charger();
        QVERIFY(d);
        QCOMPARE(retablirLeet(*d, Style::Velmora, leet, false, nullptr, &*modele), attendu);
        if (!abime.isEmpty()) {
            QFile f(QDir(caches).filePath(fichiers[0]));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), index);
        } else if (!fichiers.isEmpty()) {
            QCOMPARE(QFileInfo(caches + u'/' + fichiers[0]).lastModified(), ecrit);
        }
    }
    QFile f(liste);
    QVERIFY(f.open(QIODevice::Append));
    f.write("\nzorglub\n");
    f.close();
    const std::optional<Dictionnaire> d = charger();
    Dictionnaire::Plage plage = d->racine();
    for (const char c : std::string_view("zorglub"))
        plage = d->prolonger(plage, c);
    QCOMPARE(d->mot(plage), 0);
}

QTEST_GUILESS_MAIN(TestRetablissement)
#include "test_retablissement.moc"
