// Input the engine and the style files must survive: broken or odd style
// files, huge texts, lone surrogates, NULs, every Latin-1 character, texts
// that give nothing. Each case ends in a clear message or a sound result.

#include "fichierstyle.h"
#include "traduction.h"

#include <QByteArrayView>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

Glyphes glyphesDuStyle(Style style)
{
    Glyphes cases;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        cases[lettre] = glyphe(style, lettre);
    return cases;
}

QStringList listeVelmora()
{
    const Glyphes cases = glyphesDuStyle(Style::Velmora);
    return QStringList(cases.begin(), cases.end());
}

QByteArray velmoraJointes(const char *separateur)
{
    return listeVelmora().join(QString::fromLatin1(separateur)).toUtf8();
}

QString causeSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

// The rules of each character below 256, written out from the character
// tables, so that the engine is checked against them one code at a time.
bool estPonctuationCopiee(char16_t c)
{
    return c == 0 || c == u'\t' || c == u'\n' || c == u'\r' || (c >= u' ' && c <= u'.') ||
           (c >= u':' && c <= u'@') || (c >= u'[' && c <= u'_') || (c >= u'{' && c <= u'~');
}

bool estSymboleCopie(char16_t c)
{
    return c == u'`' || (c >= 0xA1 && c <= 0xBF && c != 0xAD) || c == 0xD7 || c == 0xDE ||
           c == 0xDF || c == 0xF7;
}

bool estAccentCopie(char16_t c)
{
    return (c >= 0xC0 && c <= 0xCB) || (c >= 0xD0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDD) ||
           (c >= 0xE0 && c <= 0xEB) || (c >= 0xF0 && c <= 0xF6) || (c >= 0xF8 && c <= 0xFD) ||
           c == 0xFF;
}

// Below 256, beyond the tables: the no-break space and "þ".
bool estAutreCopie(char16_t c)
{
    return c == 0xA0 || c == 0xFE;
}

bool estLettreAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The letters whose glyph an accented letter takes; none for Ý, ý, ÿ and þ.
QString basesAccent(char16_t c)
{
    const QString latin1 = QString(QChar(c));
    if (u"ÀÁÂÃÄÅàáâãäå"_s.contains(latin1))
        return u"A"_s;
    if (u"Ææ"_s.contains(latin1))
        return u"AE"_s;
    if (u"Çç"_s.contains(latin1))
        return u"C"_s;
    if (u"ÈÉÊËèéêë"_s.contains(latin1))
        return u"E"_s;
    if (c == u'Ð')
        return u"D"_s;
    if (u"Ññ"_s.contains(latin1))
        return u"N"_s;
    if (u"ÒÓÔÕÖØòóôõöøð"_s.contains(latin1))
        return u"O"_s;
    if (u"ÙÚÛÜùúûü"_s.contains(latin1))
        return u"U"_s;
    if (u"ÌÍÎÏìíîï"_s.contains(latin1))
        return u"I"_s;
    return {};
}

QString leetAttendu(Style style, char16_t c)
{
    if (estLettreAscii(c))
        return glyphe(style, QChar(c).toUpper().unicode() - u'A');
    if ((c >= u'0' && c <= u'9') || estPonctuationCopiee(c) || estSymboleCopie(c) ||
        estAutreCopie(c))
        return QString(QChar(c));
    QString leet;
    for (const QChar base : basesAccent(c))
        leet += glyphe(style, base.unicode() - u'A');
    // Ý, ý and ÿ have no glyph: they are copied.
    if (leet.isEmpty() && estAccentCopie(c))
        leet = QChar(c);
    return leet;
}

// One character read as leet: a glyph of one character is a capital letter
// (it opens the text), anything else is copied or gives nothing.
QString francaisAttendu(Style style, char16_t c)
{
    for (int lettre = 0; lettre < nombreLettres; ++lettre) {
        if (glyphe(style, lettre) == QString(QChar(c)))
            return QString(QChar(u'A' + lettre));
    }
    if (c == 0)
        return {};
    if ((c >= u'0' && c <= u'9') || estLettreAscii(c) || estPonctuationCopiee(c) ||
        estSymboleCopie(c) || estAccentCopie(c) || estAutreCopie(c))
        return QString(QChar(c));
    return {};
}

// A French block that opens with a character no glyph reads and ends with a
// line break: repeated, its translations are the block's repeated, in both
// directions and with every option.
QString blocFrancais()
{
    return u"« Le cœur à l'ouvrage, 2011 élèves ! Où ça ? Ÿ€ — ÆØ ÐðÞ ß\\ [42] "
           u"Quelques lettres: abcdefghijklmnopqrstuvwxyz ÀÉÎÕÜ ìíîï.\n"_s;
}

QString repete(const QString &bloc, qsizetype tailleMin)
{
    return bloc.repeated((tailleMin + bloc.size() - 1) / bloc.size());
}

} // namespace

class TestEntreesHostiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fichierStyle_data();
    void fichierStyle();
    void octetsBinaires();
    void utf8Invalide();
    void refus_data();
    void refus();
    void surrogatDansUneCase();
    void grandTexte_data();
    void grandTexte();
    void caracteresIsoles_data();
    void caracteresIsoles();
    void chaqueLatin1_data();
    void chaqueLatin1();
    void texteQuiNeDonneRien();

private:
    QString ecrireFichier(const QString &nom, const QByteArray &contenu);

    QTemporaryDir dossier;
};

QString TestEntreesHostiles::ecrireFichier(const QString &nom, const QByteArray &contenu)
{
    const QString chemin = dossier.filePath(nom);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(contenu) != contenu.size())
        qFatal("cannot write %s", qPrintable(chemin));
    return chemin;
}

void TestEntreesHostiles::initTestCase()
{
    QVERIFY(dossier.isValid());
}

void TestEntreesHostiles::fichierStyle_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("glyphes");

    QStringList vingtSix = listeVelmora();
    QTest::newRow("27 lignes") << velmoraJointes("\r\n") + "\r\nen trop" << vingtSix;
    QTest::newRow("27 lignes, la dernière vide") << velmoraJointes("\n") + "\n" << vingtSix;

    // An old Mac file: no line feed, so one line holding everything. The
    // validation then refuses it (25 empty cells), and nothing was dropped.
    QTest::newRow("que des CR") << velmoraJointes("\r") << QStringList{listeVelmora().join(u'\r')};
    QTest::newRow("CR LF et CR mêlés")
        << QByteArray("/-\\\r\r\n8\r(") << QStringList{u"/-\\\r"_s, u"8\r("_s};

    // The byte-order mark a text editor may put first is not part of glyph A.
    QTest::newRow("marque d'ordre des octets")
        << QByteArray("\xef\xbb\xbf/-\\\r\n8") << QStringList{u"/-\\"_s, u"8"_s};
    QTest::newRow("glyphes non ASCII")
        << QByteArray("\xe2\x88\x80\r\n\xf0\x9f\x98\x80") << QStringList{u"∀"_s, u"😀"_s};
}

void TestEntreesHostiles::fichierStyle()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, glyphes);
    const QString chemin = ecrireFichier(u"style.txt"_s, contenu);
    QString erreur;
    const std::optional<QStringList> lues = chargerFichierStyle(chemin, &erreur);
    QVERIFY2(lues, qPrintable(erreur));
    QCOMPARE(*lues, glyphes);
}

void TestEntreesHostiles::octetsBinaires()
{
    // Each of U+0000 to U+00FF in UTF-8 on line 2: Unicode's control
    // characters but tab, LF and CR tell a file that is not text.
    for (char16_t code = 0; code < 0x100; ++code) {
        const QByteArray contenu = "/-\\\r\n8" + QString(QChar(code)).toUtf8() + "\r\n(";
        QString erreur;
        const bool lu =
            bool(chargerFichierStyle(ecrireFichier(u"binaire.bin"_s, contenu), &erreur));
        const bool controle = QChar(code).category() == QChar::Other_Control && code != u'\t' &&
                              code != u'\n' && code != u'\r';
        QVERIFY2(lu != controle, qPrintable(QString::number(code, 16)));
        if (controle)
            QVERIFY2(erreur.endsWith(u"(U+%1) à la ligne 2."_s.arg(
                         QString::number(code, 16).toUpper().rightJustified(4, u'0'))),
                     qPrintable(erreur));
    }
}

void TestEntreesHostiles::utf8Invalide()
{
    // Overlong "/", an encoded surrogate, a sequence cut short, a five-byte
    // form, a byte of Latin-1: any of them, between good lines, and the file
    // is not UTF-8 text.
    for (const QByteArray &abime :
         {QByteArray("\xc0\xaf"), QByteArray("\xed\xa0\x80"), QByteArray("8\xe2\x82"),
          QByteArray("\xf8\x88\x80\x80\x80"), QByteArray("\xe9")}) {
        const QString chemin = ecrireFichier(u"invalide.txt"_s, "/-\\\r\n" + abime + "\r\n(");
        QString erreur;
        QVERIFY(!chargerFichierStyle(chemin, &erreur));
        QCOMPARE(erreur, u"Le fichier « %1 » n'est pas un fichier de style : ce n'est pas du "
                         u"texte UTF-8."_s.arg(chemin));
    }
}

void TestEntreesHostiles::refus_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("message");

    // The cause is the system's, in its own words.
    const QString introuvable =
        u"Impossible d'ouvrir le fichier « %1 » : "_s + causeSysteme(ENOENT) + u'.';
    const QString fichier = ecrireFichier(u"ordinaire.txt"_s, "/-\\");
    QTest::newRow("fichier pris pour un dossier")
        << fichier + u"/style.txt"_s
        << u"Impossible d'ouvrir le fichier « %1 » : "_s + causeSysteme(ENOTDIR) + u'.';
    QTest::newRow("chemin vide") << QString() << introuvable;

    const QString lienCasse = dossier.filePath(u"lien-casse"_s);
    QFile::link(dossier.filePath(u"nulle-part.txt"_s), lienCasse);
    QTest::newRow("lien cassé") << lienCasse << introuvable;

    // A style file is text, and says something.
    QTest::newRow("octets NUL")
        << ecrireFichier(u"nul.txt"_s, QByteArray("/-\\\0\r\n\0\r\n8", 10))
        << u"Le fichier « %1 » n'est pas un fichier de style : il contient un caractère de "
           u"contrôle (U+0000) à la ligne 1."_s;
    QTest::newRow("programme") << ecrireFichier(u"programme"_s, QByteArray("\177ELF\2\1\1", 7))
                               << u"Le fichier « %1 » n'est pas un fichier de style : il contient "
                                  u"un caractère de contrôle (U+007F) à la ligne 1."_s;
    const QString vide = u"Le fichier « %1 » est vide : ce n'est pas un fichier de style."_s;
    QTest::newRow("fichier vide") << ecrireFichier(u"vide.txt"_s, {}) << vide;
    QTest::newRow("marque d'ordre seule") << ecrireFichier(u"marque.txt"_s, "\xef\xbb\xbf") << vide;

    // The size limit comes before any line is split: a file of line feeds
    // just over 64 MiB is refused, not read as 26 empty glyphs.
    QTest::newRow("64 Mio + 1 de sauts de ligne")
        << ecrireFichier(u"sauts.txt"_s, QByteArray(tailleMaxFichierStyle + 1, '\n'))
        << u"Le fichier « %1 » est trop gros pour être un style d'écriture (plus de 64 Mio)."_s;
    // A device that never ends is refused at the limit too.
    QTest::newRow("flux sans fin")
        << u"/dev/zero"_s
        << u"Le fichier « %1 » est trop gros pour être un style d'écriture (plus de 64 Mio)."_s;
}

void TestEntreesHostiles::refus()
{
    QFETCH(QString, chemin);
    QFETCH(QString, message);
    QString erreur;
    QVERIFY(!chargerFichierStyle(chemin, &erreur));
    QCOMPARE(erreur, message.arg(chemin));
}

void TestEntreesHostiles::surrogatDansUneCase()
{
    // A lone surrogate has no UTF-8 form. The file written stays valid UTF-8
    // and the other cells come back unchanged; the surrogate comes back as
    // one replacement character in its place.
    Glyphes cases = glyphesDuStyle(Style::Korvane);
    cases[2] = u"(("_s;
    cases[2].insert(1, QChar(0xD800));
    const QByteArray contenu = ecrireStyle(cases);
    QVERIFY(QByteArrayView(contenu).isValidUtf8());
    const QStringList relues = lireStyle(contenu);
    QCOMPARE(relues.size(), nombreLettres);
    for (int lettre = 0; lettre < nombreLettres; ++lettre) {
        if (lettre != 2)
            QCOMPARE(relues[lettre], cases[lettre]);
    }
    QCOMPARE(relues[2].size(), 3);
    QCOMPARE(relues[2].front(), u'(');
    QCOMPARE(relues[2].back(), u'(');
    QVERIFY(!relues[2].at(1).isSurrogate());
}

void TestEntreesHostiles::grandTexte_data()
{
    QTest::addColumn<Demande>("demande");
    QTest::addColumn<int>("parCaractere");

    Demande demande;
    demande.doublerAntiSlashs = true;
    demande.mettreEspaces = true;
    demande.supprimerEspaces = true;
    for (const Ecriture ecriture :
         {Ecriture::Velmora, Ecriture::Korvane, Ecriture::Personnalisee}) {
        demande.ecriture = ecriture;
        demande.versLeet = true;
        const QByteArray nom = ecriture == Ecriture::Velmora   ? "Velmora"
                               : ecriture == Ecriture::Korvane ? "Korvane"
                                                               : "personnel";
        QTest::newRow(nom + " vers leet") << demande << 7;
        if (ecriture == Ecriture::Personnalisee)
            continue;
        demande.versLeet = false;
        QTest::newRow(nom + " vers français") << demande << 1;
        demande.supprimerEspaces = false;
        QTest::newRow(nom + " vers français, blancs gardés") << demande << 1;
        demande.supprimerEspaces = true;
    }
}

void TestEntreesHostiles::grandTexte()
{
    QFETCH(Demande, demande);
    QFETCH(int, parCaractere);

    // From leet, the text is the block's own translation in that style.
    QString bloc = blocFrancais();
    if (!demande.versLeet) {
        Demande ecrire = demande;
        ecrire.versLeet = true;
        ecrire.doublerAntiSlashs = false;
        bloc = traduireSelon(ecrire, bloc);
    }
    const Glyphes cases = glyphesDuStyle(Style::Korvane);

    // 5 Mi and 10 Mi characters: the result of twice the text is twice the
    // result, so the work neither drifts nor depends on what came before.
    const QString moitie = repete(bloc, 5 * 1024 * 1024);
    const QString texte = moitie + moitie;
    QVERIFY(texte.size() >= 10 * 1024 * 1024);
    const QString resultatMoitie = traduireSelon(demande, moitie, cases);
    const QString resultat = traduireSelon(demande, texte, cases);
    QVERIFY(!resultatMoitie.isEmpty());
    QCOMPARE(resultat.size(), 2 * resultatMoitie.size());
    QVERIFY(resultat == resultatMoitie + resultatMoitie);
    QVERIFY(resultat.size() <= parCaractere * texte.size());
    QVERIFY(resultat.startsWith(traduireSelon(demande, bloc, cases)));
}

void TestEntreesHostiles::caracteresIsoles_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("leetVelmora");
    QTest::addColumn<QString>("francaisVelmora");
    QTest::addColumn<QString>("francaisKorvane");

    // French to leet with blanks between letters; leet back to French with
    // the blanks kept. A lone surrogate and a NUL give nothing in either
    // direction, but each holds its position: no glyph spans it, and it
    // stops the look-back for a sentence end.
    const QString haut(QChar(0xD800));
    const QString bas(QChar(0xDC00));
    const QString nul(QChar(0));

    QTest::newRow("surrogat haut isolé") << haut << QString() << QString() << QString();
    QTest::newRow("paire inversée") << bas + haut << u" "_s << QString() << QString();
    QTest::newRow("surrogat dans un glyphe")
        << u"|"_s + haut + uR"(\/|)"_s << uR"(|  \  |)"_s << u"|v|"_s << u"Ivi"_s;
    QTest::newRow("surrogat après un point")
        << u". "_s + bas + u"()"_s << u".   ( )"_s << u". o"_s << u". o"_s;
    QTest::newRow("surrogat haut en fin") << u"()"_s + haut << u"( ) "_s << u"O"_s << u"O"_s;

    QTest::newRow("NUL dans un glyphe")
        << u"|"_s + nul + uR"(\/|)"_s << u"| "_s + nul + uR"( \  |)"_s << u"|v|"_s << u"Ivi"_s;
    QTest::newRow("NUL après un point")
        << u". "_s + nul + u"()"_s << u".  "_s + nul + u" ( )"_s << u". o"_s << u". o"_s;
    QTest::newRow("que des NUL") << nul.repeated(3) << (nul + u' ').repeated(2) + nul << QString()
                                 << QString();
}

void TestEntreesHostiles::caracteresIsoles()
{
    QFETCH(QString, texte);
    QFETCH(QString, leetVelmora);
    QFETCH(QString, francaisVelmora);
    QFETCH(QString, francaisKorvane);

    QCOMPARE(traduireFrancaisVelmora(texte, texte.size(), false, true), leetVelmora);
    QCOMPARE(traduireFrancaisPersonnalisee(texte, glyphesDuStyle(Style::Velmora), texte.size(),
                                           false, true),
             leetVelmora);
    QCOMPARE(traduireLeetVelmora(texte, texte.size(), false), francaisVelmora);
    QCOMPARE(traduireLeetKorvane(texte, texte.size(), false), francaisKorvane);
}

void TestEntreesHostiles::chaqueLatin1_data()
{
    QTest::addColumn<char16_t>("code");
    for (int code = 0; code < 256; ++code)
        QTest::addRow("U+%04X", code) << char16_t(code);
}

void TestEntreesHostiles::chaqueLatin1()
{
    QFETCH(char16_t, code);
    const QString texte(1, QChar(code));
    for (const Style style : {Style::Velmora, Style::Korvane}) {
        const bool velmora = style == Style::Velmora;
        const QString leet = velmora ? traduireFrancaisVelmora(texte, 1, false, false)
                                     : traduireFrancaisKorvane(texte, 1, false, false);
        QCOMPARE(leet, leetAttendu(style, code));
        const QString francais =
            velmora ? traduireLeetVelmora(texte, 1, false) : traduireLeetKorvane(texte, 1, false);
        QCOMPARE(francais, francaisAttendu(style, code));
    }
    QCOMPARE(traduireFrancaisPersonnalisee(texte, glyphesDuStyle(Style::Korvane), 1, false, false),
             leetAttendu(Style::Korvane, code));
}

void TestEntreesHostiles::texteQuiNeDonneRien()
{
    // Characters that no rule writes as leet, and characters that no rule
    // reads back as French: the translate command gets an empty result and
    // says so, as the text itself is not empty.
    QString muetEnLeet;
    QString muetEnFrancais;
    for (char16_t code = 1; code < 256; ++code) {
        if (leetAttendu(Style::Velmora, code).isEmpty())
            muetEnLeet.append(QChar(code));
        if (francaisAttendu(Style::Velmora, code).isEmpty() &&
            francaisAttendu(Style::Korvane, code).isEmpty())
            muetEnFrancais.append(QChar(code));
    }
    // Lone surrogates: a low half first, a high half last.
    const QString ailleurs = QString(QChar(0xDC00)) + QChar(0xD800);
    muetEnLeet += ailleurs;
    muetEnFrancais += ailleurs;
    QVERIFY(muetEnLeet.contains(u'/'));
    QVERIFY(muetEnFrancais.contains(u'/'));
    QVERIFY(!texteVide(muetEnLeet));
    QVERIFY(!texteVide(muetEnFrancais));

    const qsizetype n = muetEnLeet.size();
    for (const bool doubler : {false, true}) {
        QCOMPARE(traduireFrancaisVelmora(muetEnLeet, n, doubler, false), QString());
        QCOMPARE(traduireFrancaisKorvane(muetEnLeet, n, doubler, false), QString());
        QCOMPARE(traduireFrancaisPersonnalisee(muetEnLeet, glyphesDuStyle(Style::Velmora), n,
                                               doubler, false),
                 QString());
        // With blanks between letters, each character but the last still
        // gets its blank: the result is not empty, only blanks.
        QCOMPARE(traduireFrancaisVelmora(muetEnLeet, n, doubler, true), QString(n - 1, u' '));
    }

    const qsizetype m = muetEnFrancais.size();
    QCOMPARE(traduireLeetVelmora(muetEnFrancais, m, false), QString());
    QCOMPARE(traduireLeetKorvane(muetEnFrancais, m, true), QString());
    // Each blank is followed by a character that is no blank: the blank
    // option removes them all.
    QString espace;
    for (const QChar c : muetEnFrancais)
        espace += c + u' ';
    QCOMPARE(traduireLeetVelmora(espace, espace.size(), true), QString());
    QCOMPARE(traduireLeetKorvane(espace, espace.size(), true), QString());
    QCOMPARE(traduireLeetKorvane(espace, espace.size(), false), QString(m, u' '));
}

QTEST_GUILESS_MAIN(TestEntreesHostiles)
#include "test_entrees_hostiles.moc"
