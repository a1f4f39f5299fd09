#include "fichierstyle.h"
#include "traduction.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

// Runs the built scribolix-cli as a script would.
class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void executions_data();
    void executions();
    void allerRetour_data();
    void allerRetour();
    void aideEtVersion();
    void cacheDeLaListe_data();
    void cacheDeLaListe();

private:
    struct Resultat
    {
        int code = -1;
        QByteArray sortie;
        QByteArray erreurs;
    };
    enum class Vers { Tube, DisquePlein, TubeFerme, DepuisDossier };
    static Resultat lancer(const QStringList &arguments, const QByteArray &entree,
                           Vers sortie = Vers::Tube);

    QTemporaryDir dossier;
    QString styleValide;
    QString styleEnDouble;
    QString styleCourt;
};

TestCli::Resultat TestCli::lancer(const QStringList &arguments, const QByteArray &entree,
                                  Vers sortie)
{
    QProcess processus;
    if (sortie == Vers::DisquePlein)
        processus.setStandardOutputFile(u"/dev/full"_s);
    if (sortie == Vers::DepuisDossier)
        processus.setStandardInputFile(u"/"_s); // opens, but every read fails
    if (sortie == Vers::TubeFerme) {
        // A reader that went away, with SIGPIPE ignored as some shells and
        // services leave it: every write fails with EPIPE.
        processus.setChildProcessModifier([] {
            int tube[2];
            if (::pipe(tube) != 0)
                ::_exit(99);
            ::close(tube[0]);
            ::dup2(tube[1], STDOUT_FILENO);
            std::signal(SIGPIPE, SIG_IGN);
        });
    }
    processus.start(QStringLiteral(SCRIBOLIX_CLI), arguments);
    if (!processus.waitForStarted())
        return {};
    processus.write(entree);
    processus.closeWriteChannel();
    if (!processus.waitForFinished(30000) || processus.exitStatus() != QProcess::NormalExit)
        return {};
    return {processus.exitCode(), processus.readAllStandardOutput(),
            processus.readAllStandardError()};
}

void TestCli::initTestCase()
{
    QVERIFY(dossier.isValid());
    Glyphes glyphes;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        glyphes[lettre] = u'<' + QString(QChar(u'a' + lettre)) + u'>';
    glyphes[0] = uR"( \é )"_s;
    styleValide = dossier.filePath(u"valide.txt"_s);
    QVERIFY(enregistrerFichierStyle(styleValide, glyphes));

    glyphes[7] = glyphes[8];
    styleEnDouble = dossier.filePath(u"double.txt"_s);
    QVERIFY(enregistrerFichierStyle(styleEnDouble, glyphes));

    // A glyph of 1.1 million characters: a file over 1 MiB, and over a long
    // text more than memory holds.
    glyphes[0] = QString(1100 * 1000, u'x');
    glyphes[7] = u"<h>"_s;
    QVERIFY(enregistrerFichierStyle(dossier.filePath(u"geant.txt"_s), glyphes));

    Glyphes court;
    court[0] = u"a"_s;
    court[1] = u"b"_s;
    styleCourt = dossier.filePath(u"court.txt"_s);
    QVERIFY(enregistrerFichierStyle(styleCourt, court));

    QFile mots(dossier.filePath(u"mots.txt"_s));
    QVERIFY(mots.open(QIODevice::WriteOnly));
    mots.write("lui\n\xc3\xa9t\xc3\xa9\n");
    // A context model that knows "à" before "la".
    QFile modele(dossier.filePath(u"modele.txt"_s));
    QVERIFY(modele.open(QIODevice::WriteOnly));
    modele.write(qCompress("scribolix-modele 1\nmots 4 10\n<s>\t4\nla\t3\n\xc3\xa0\t2\na\t1\n"
                           "bigrammes 1\n2\t1\t2\n"));
    QFile abime(dossier.filePath(u"abime.txt"_s));
    QVERIFY(abime.open(QIODevice::WriteOnly));
    abime.write(qCompress("scribolix-modele 1\nmots 4 10\n<s>\t4\n"));
    // A zlib stream cut short: the tool's message alone reaches the user.
    QFile corrompu(dossier.filePath(u"corrompu.txt"_s));
    QVERIFY(corrompu.open(QIODevice::WriteOnly));
    corrompu.write(qCompress(QByteArray(4096, 'a')).chopped(4));

    QFile binaire(dossier.filePath(u"binaire.txt"_s));
    QVERIFY(binaire.open(QIODevice::WriteOnly));
    binaire.write("\177ELF\0\0\xff\xfe", 8);
    QFile vide(dossier.filePath(u"vide.txt"_s));
    QVERIFY(vide.open(QIODevice::WriteOnly));
}

void TestCli::executions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("entree");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("sortie");
    QTest::addColumn<QString>("message");

    const QByteArray rien;
    QTest::newRow("entrée standard") << QStringList{} << QByteArray("Bonjour") << 0
                                     << QByteArray("8()|\\|_|()|_||2") << QString();
    QTest::newRow("entrée standard, lignes gardées")
        << QStringList{} << QByteArray("ab\n") << 0 << QByteArray("/-\\8\n") << QString();
    QTest::newRow("arguments joints")
        << QStringList{u"a"_s, u"b"_s} << rien << 0 << QByteArray("/-\\ 8\n") << QString();
    QTest::newRow("korvane relu") << QStringList{u"--style"_s, u"korvane"_s,
                                                 u"--leet-vers-francais"_s, u"|_|_|_|"_s}
                                  << rien << 0 << QByteArray("Ujj\n") << QString();
    QTest::newRow("espaces") << QStringList{u"--espaces"_s, u"Salut !"_s} << rien << 0
                             << QByteArray("5 /-\\ 1 |_| 7  !\n") << QString();
    QTest::newRow("anti-slashs doublés") << QStringList{u"--doubler-antislashs"_s, u"m"_s} << rien
                                         << 0 << QByteArray("|\\\\/|\n") << QString();
    QTest::newRow("option de l'autre sens sans effet")
        << QStringList{u"--supprimer-espaces"_s, u"a b"_s} << rien << 0 << QByteArray("/-\\ 8\n")
        << QString();
    QTest::newRow("espaces supprimés")
        << QStringList{u"--leet-vers-francais"_s, u"--supprimer-espaces"_s, u"5 /-\\ 1"_s} << rien
        << 0 << QByteArray("Sal\n") << QString();
    QTest::newRow("style personnel")
        << QStringList{u"--perso"_s, u"@valide"_s, u"--doubler-antislashs"_s, u"Àb"_s} << rien << 0
        << QByteArray(" \\\\\xc3\xa9 <b>\n") << QString();
    QTest::newRow("style de plus de 1 Mio") << QStringList{u"--perso"_s, u"@geant"_s, u"a"_s}
                                            << rien << 0 << QByteArray(1100 * 1000, 'x') + '\n'
                                            << QString();
    QTest::newRow("UTF-8 en entrée")
        << QStringList{} << QByteArray("\xc3\xa9t\xc3\xa9") << 0 << QByteArray("373") << QString();

    // Pieces of the input are read and translated one by one: a glyph and a
    // UTF-8 sequence fall across the reads.
    const QByteArray longFrancais = QByteArray("\xc3\xa9t\xc3\xa9 ").repeated(40000);
    const QByteArray longLeet = QByteArray(" |\\/|/-\\ 5. \\/\\/").repeated(30000);
    QTest::newRow("long texte lu par morceaux")
        << QStringList{u"--espaces"_s} << longFrancais << 0
        << traduireSelon({Ecriture::Velmora, true, false, true}, QString::fromUtf8(longFrancais))
               .toUtf8()
        << QString();
    QTest::newRow("long leet lu par morceaux")
        << QStringList{u"--leet-vers-francais"_s, u"--supprimer-espaces"_s} << longLeet << 0
        << traduireSelon({Ecriture::Velmora, false, false, false, true},
                         QString::fromLatin1(longLeet))
               .toUtf8()
        << QString();
    // The blanks that open a text wait, past a mebibyte in a temporary file.
    const QByteArray blancs = QByteArray(" \n\t").repeated(600 * 1024);
    QTest::newRow("long début blanc")
        << QStringList{} << blancs + "a" << 0 << blancs + "/-\\" << QString();
    // Standard input of blanks alone is a text like any other, as for a filter.
    QTest::newRow("long texte tout blanc") << QStringList{} << blancs << 0 << blancs << QString();
    QTest::newRow("octet Latin-1")
        << QStringList{} << QByteArray("Caf\xe9") << 0 << QByteArray("(/-\\|=")
        << u"scribolix-cli : 1 octet non UTF-8 ignoré (premier à l'octet 3)\n"_s;
    QTest::newRow("octets non UTF-8")
        << QStringList{}
        << QByteArray("a\xff"
                      "b\xed\xa0\x80")
        << 0 << QByteArray("/-\\8") << u"4 octets non UTF-8 ignorés (premier à l'octet 1)"_s;
    QTest::newRow("marque d'ordre en tête relue")
        << QStringList{u"--leet-vers-francais"_s} << QByteArray("\xef\xbb\xbf/-\\") << 0
        << QByteArray("A") << QString();
    const QByteArray leetAbime("\xc3\xa9|\\|\xff(,)\xe2\x82");
    QTest::newRow("octets non UTF-8 relus")
        << QStringList{u"--leet-vers-francais"_s} << leetAbime << 0 << QByteArray("\xc3\xa9nc,)")
        << u"3 octets non UTF-8 ignorés (premier à l'octet 5)"_s;

    QTest::newRow("entrée vide") << QStringList{} << rien << 0 << rien << QString();
    QTest::newRow("argument vide") << QStringList{QString()} << rien << 1 << rien
                                   << u"Erreur, vous n'avez pas entré de texte."_s;
    QTest::newRow("que des blancs") << QStringList{u" \t"_s} << rien << 1 << rien
                                    << u"Erreur, vous n'avez pas entré de texte."_s;
    QTest::newRow("résultat vide")
        << QStringList{u"/"_s} << rien << 1 << rien
        << u"Vous n'avez entré aucun texte, ou vous avez utilisé des symboles inconnus."_s;
    QTest::newRow("binaire")
        << QStringList{} << QByteArray("\xff\xfe\x80\x01", 4) << 1 << rien
        << u"Vous n'avez entré aucun texte, ou vous avez utilisé des symboles inconnus."_s;

    QTest::newRow("résultat trop long")
        << QStringList{u"--perso"_s, u"@geant"_s} << QByteArray(1000 * 1000, 'a') << 1 << rien
        << u"trop long pour tenir en mémoire"_s;

    const QStringList retablir{u"--leet-vers-francais"_s,
                               u"--retablir"_s,
                               u"--dictionnaire"_s,
                               u"@mots"_s,
                               u"--modele"_s,
                               u"@modele"_s};
    QTest::newRow("rétabli") << retablir + QStringList{u"--style"_s, u"korvane"_s}
                             << QByteArray("|_|_|| 373") << 0 << QByteArray("Lui \xc3\xa9t\xc3\xa9")
                             << QString();
    QTest::newRow("rétabli en contexte")
        << retablir << QByteArray("x /-\\ 1/-\\") << 0 << QByteArray("x \xc3\xa0 la") << QString();
    // The model that comes with the program and wfrench's list.
    QTest::newRow("modèle livré, il a mangé")
        << QStringList{retablir.first(2)} + QStringList{uR"(!1 /-\ |\/|/-\|\|63)"_s} << rien << 0
        << QByteArray("Il a mang\xc3\xa9\n") << QString();
    QTest::newRow("modèle livré, à la maison")
        << QStringList{retablir.first(2)} + QStringList{uR"(/-\ 1/-\ |\/|/-\!5()|\|)"_s} << rien
        << 0 << QByteArray("\xc3\x80 la maison\n") << QString();
    // Anyone's leet, with the shipped model and wfrench's list.
    const QStringList commun{u"--leet-vers-francais"_s, u"--style"_s, u"auto"_s};
    QTest::newRow("style auto") << commun << QByteArray("b0nj0ur, c0mm3nt v4$-tu ?\n") << 0
                                << QByteArray("Bonjour, comment vas-tu ?\n") << QString();
    QTest::newRow("style auto, mots et chiffres")
        << commun + QStringList{uR"(3t c'357 |_|n 73$7 ; j'41 2 ch4t5, 3n 2011)"_s} << rien << 0
        << QByteArray("Et c'est un test ; j'ai 2 chats, en 2011\n") << QString();
    // "13" reads "le" rather than the B it also is; capitals as written go.
    QTest::newRow("style auto, glyphes ambigus")
        << commun + QStringList{u"L35 RÈ6135 574ND4RD 13 N0M 37 14 D35CRIP7I0N"_s} << rien << 0
        << QByteArray("Les r\xc3\xa8gles standard le nom et la description\n") << QString();
    QTest::newRow("style auto, signes sans lecture")
        << commun + QStringList{u"#?! &*&"_s} << rien << 0 << QByteArray("#?! &*&\n") << QString();
    const QStringList courante{u"--style"_s, u"courante"_s};
    QTest::newRow("style courante, vers le leet")
        << courante + QStringList{u"Élève"_s, u"BOB"_s} << rien << 0 << QByteArray("3l3v3 808\n")
        << QString();
    QTest::newRow("style courante, relu")
        << courante + QStringList{u"--leet-vers-francais"_s, u"b0nj0ur, c0mm3nt v4$-tu ?"_s} << rien
        << 0 << QByteArray("Bonjour, comment vas-tu ?\n") << QString();
    QTest::newRow("style auto vers le leet")
        << QStringList{u"--style"_s, u"auto"_s, u"a"_s} << rien << 2 << rien << u"--style auto"_s;
    QTest::newRow("modèle absent")
        << QStringList{retablir.first(4)} + QStringList{u"--modele"_s, u"@absent"_s, u"a"_s} << rien
        << 2 << rien << u"@absent"_s;
    QTest::newRow("modèle vide") << retablir.first(4) +
                                        QStringList{u"--modele"_s, u"@vide"_s, u"a"_s}
                                 << rien << 2 << rien << u"@vide"_s;
    QTest::newRow("modèle tronqué")
        << retablir.first(4) + QStringList{u"--modele"_s, u"@abime"_s, u"a"_s} << rien << 2 << rien
        << u"@abime"_s;
    QTest::newRow("modèle corrompu")
        << retablir.first(4) + QStringList{u"--modele"_s, u"@corrompu"_s, u"a"_s} << rien << 2
        << rien
        << u"scribolix-cli : modèle de contexte illisible : @corrompu (données compressées "
           u"abîmées).\n"_s;
    QTest::newRow("rétablir sans relire")
        << QStringList{u"--retablir"_s, u"a"_s} << rien << 2 << rien << u"--retablir"_s;
    QTest::newRow("liste de mots absente") << QStringList{u"--leet-vers-francais"_s,
                                                          u"--retablir"_s,
                                                          u"--dictionnaire"_s,
                                                          u"@absent"_s,
                                                          u"--modele"_s,
                                                          u"@modele"_s,
                                                          u"a"_s}
                                           << rien << 2 << rien << u"@absent"_s;
    QTest::newRow("valeur de trop") << QStringList{u"--espaces=oui"_s, u"a"_s} << rien << 2 << rien
                                    << u"l'option --espaces ne prend pas de valeur."_s;
    QTest::newRow("valeur manquante") << QStringList{u"a"_s, u"--style"_s} << rien << 2 << rien
                                      << u"l'option --style attend une valeur."_s;
    // "%plein" writes to a full disk, "%tube" into a pipe nobody reads,
    // "%dossier" reads a folder.
    QTest::newRow("disque plein") << QStringList{u"%plein"_s, u"Bonjour"_s} << rien << 1 << rien
                                  << u"écriture impossible sur la sortie standard : "_s;
    QTest::newRow("disque plein, entrée standard")
        << QStringList{u"%plein"_s} << longFrancais << 1 << rien
        << u"écriture impossible sur la sortie standard : "_s;
    QTest::newRow("aide sur un disque plein")
        << QStringList{u"%plein"_s, u"--help"_s} << rien << 1 << rien
        << u"écriture impossible sur la sortie standard : "_s;
    QTest::newRow("version sur un disque plein")
        << QStringList{u"%plein"_s, u"-v"_s} << rien << 1 << rien
        << u"écriture impossible sur la sortie standard : "_s;
    QTest::newRow("tube fermé") << QStringList{u"%tube"_s} << longFrancais << 1 << rien
                                << u"écriture impossible sur la sortie standard : "_s;

    QTest::newRow("lecture impossible") << QStringList{u"%dossier"_s} << rien << 1 << rien
                                        << u"lecture impossible sur l'entrée standard : "_s;

    QTest::newRow("option inconnue")
        << QStringList{u"--bizarre"_s, u"a"_s} << rien << 2 << rien << u"bizarre"_s;
    QTest::newRow("style inconnu")
        << QStringList{u"--style"_s, u"gothique"_s, u"a"_s} << rien << 2 << rien << u"gothique"_s;
    QTest::newRow("perso et style")
        << QStringList{u"--perso"_s, u"@valide"_s, u"--style"_s, u"korvane"_s, u"a"_s} << rien << 2
        << rien << u"--style"_s;
    QTest::newRow("perso relu") << QStringList{u"--perso"_s, u"@valide"_s,
                                               u"--leet-vers-francais"_s, u"a"_s}
                                << rien << 2 << rien << u"personnalisé"_s;
    const auto cause = [](int erreur) { return QString::fromLocal8Bit(std::strerror(erreur)); };
    QTest::newRow("fichier absent")
        << QStringList{u"--perso"_s, u"@absent"_s, u"a"_s} << rien << 2 << rien
        << u"Impossible d'ouvrir le fichier « @absent » : "_s + cause(ENOENT);
    // Reading a process's memory at address 0 fails, even for the superuser.
    QTest::newRow("style illisible")
        << QStringList{u"--perso"_s, u"/proc/self/mem"_s, u"a"_s} << rien << 2 << rien
        << u"Impossible de lire le fichier « /proc/self/mem » : "_s + cause(EIO);
    QTest::newRow("style binaire")
        << QStringList{u"--perso"_s, u"@binaire"_s, u"a"_s} << rien << 2 << rien
        << u"Le fichier « @binaire » n'est pas un fichier de style"_s;
    QTest::newRow("style vide") << QStringList{u"--perso"_s, u"@vide"_s, u"a"_s} << rien << 2
                                << rien << u"Le fichier « @vide » est vide"_s;
    QTest::newRow("cases identiques")
        << QStringList{u"--perso"_s, u"@double"_s, u"a"_s} << rien << 2 << rien
        << u"Plusieurs cases sont identiques. Il faut que toutes les cases soit différentes"_s;
    QTest::newRow("moins de 26 glyphes")
        << QStringList{u"--perso"_s, u"@court"_s, u"a"_s} << rien << 2 << rien
        << u"Plusieurs cases sont vides, veuillez les remplir."_s;
}

void TestCli::executions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, entree);
    QFETCH(int, code);
    QFETCH(QByteArray, sortie);
    QFETCH(QString, message);

    // "@name" stands for a style file of this test.
    const QRegularExpression fichier(u"@(\\w+)"_s);
    const QString cheminDuFichier = dossier.path() + u"/\\1.txt"_s;
    for (QString &argument : arguments)
        argument.replace(fichier, cheminDuFichier);
    message.replace(fichier, cheminDuFichier);

    Vers vers = Vers::Tube;
    if (arguments.removeAll(u"%plein"_s) > 0)
        vers = Vers::DisquePlein;
    if (arguments.removeAll(u"%tube"_s) > 0)
        vers = Vers::TubeFerme;
    if (arguments.removeAll(u"%dossier"_s) > 0)
        vers = Vers::DepuisDossier;

    const Resultat resultat = lancer(arguments, entree, vers);
    QCOMPARE(resultat.code, code);
    QCOMPARE(resultat.sortie, sortie);
    const QString erreurs = QString::fromUtf8(resultat.erreurs);
    if (message.isEmpty())
        QVERIFY2(erreurs.isEmpty(), qPrintable(erreurs));
    else if (message.endsWith(u'\n'))
        QCOMPARE(erreurs, message); // the whole message, once
    else
        QVERIFY2(erreurs.contains(message), qPrintable(erreurs));
    QVERIFY(!erreurs.contains(u'<'));
}

// French written in a style and read back with the shipped model and
// wfrench's list: where glyphs cut in several ways, the likelier words win.
void TestCli::allerRetour_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("francais");
    QTest::addColumn<QString>("leet"); // empty: the French written in the style

    // Digits between marks stay a number, though glyphs read from them.
    const QStringList phrases{u"Vous pouvez lire le fichier"_s, u"Il lit, lisez, la police"_s,
                              u"Copier-coller le texte"_s, u"Version du 2023-05-11 du manuel."_s};
    for (const QString &style : {u"korvane"_s, u"velmora"_s}) {
        for (const QString &phrase : phrases)
            QTest::addRow("%s : %s", qPrintable(style), qPrintable(phrase))
                << style << phrase << QString();
    }
    // Two cuts of a run, both words ("une", "line"): the words around choose.
    QTest::newRow("korvane : on the command line")
        << u"korvane"_s << u"On the command line."_s << QString();
    // Beside English words, the English one ("une" is no English word).
    QTest::newRow("korvane : leave the line blank")
        << u"korvane"_s << u"Or leave the line blank."_s << QString();
    // A word that both languages have ("if") keeps the text in English.
    QTest::newRow("korvane : even if a")
        << u"korvane"_s << u"Even if a larger value is given."_s << QString();
    // "|>" is a P before it is "|" and a mark: every character of a glyph
    // read as itself costs alike.
    QTest::newRow("korvane : lp") << u"korvane"_s << u"Avec lp, cp et ld_library_path"_s
                                  << QString();
    // A word that neither the list nor the model has, spelled by the
    // likeliest letters: "|_" then "|" rather than "|_|".
    QTest::newRow("korvane : listefichiers")
        << u"korvane"_s << u"La liste listefichiers"_s << QString();
    // ... rather than words of the list that glyphs' characters read as
    // marks hold apart ("pi-iii_ii>pe").
    QTest::newRow("korvane : philippe")
        << u"korvane"_s << u"Traduit par philippe et ariel"_s << QString();
    // ... and, when a word that nothing knows reads likelier than those, the
    // cuts are weighed all together: "s" and "lab", not "slaie".
    QTest::newRow("korvane : slab")
        << u"korvane"_s << u"Afficher les caches slab du noyau."_s << QString();
    // In Korvane "|" is an I: a run that holds it again and again as itself
    // is weighed whole against its reading as leet.
    for (const QString &style : {u"korvane"_s, u"velmora"_s})
        QTest::addRow("%s : |nom|afficher|", qPrintable(style))
            << style << u"Lisez le fichier |nom|afficher|"_s << QString();
    // A C alone is a letter ("en C"), but not before an opening mark.
    QTest::newRow("velmora : («") << u"velmora"_s << u"Le shell (« login shell »)"_s << QString();
    QTest::newRow("korvane : («") << u"korvane"_s << u"Le shell (« login shell »)"_s << QString();
    // A run that the list reads in part: its words, and the rest as written.
    QTest::newRow("velmora : limit=5")
        << u"velmora"_s << u"Essayez limit=5 dans memlimit"_s << QString();
    QTest::newRow("korvane : limit=5")
        << u"korvane"_s << u"Essayez limit=5 dans memlimit"_s << QString();
    // A word of a compound that the list lacks takes the spelling that the
    // model finds likeliest alone, English as likely as French in a name.
    for (const QString &style : {u"korvane"_s, u"velmora"_s}) {
        for (const QString &phrase : {u"Si les préprocesseurs de page sont connus."_s,
                                      u"La commande source {scriptentrée} et globignore."_s})
            QTest::addRow("%s : %s", qPrintable(style), qPrintable(phrase))
                << style << phrase << QString();
    }
    // A run too long to be one word, read part by part between its marks.
    for (const QString &style : {u"korvane"_s, u"velmora"_s})
        QTest::addRow("%s : commande-pour-obtenir-privilèges", qPrintable(style))
            << style << u"Lancez commande-pour-obtenir-privilèges-de-root clean."_s << QString();
    // A mark that no glyph takes where it stands ends the run: "-u,", not
    // "-li,".
    QTest::newRow("korvane : -u, --help")
        << u"korvane"_s << u"Options : -u, --help et -b, --match-bits."_s << QString();
    // ... and what stays of the run is read as itself: "6|" is "gi", no number.
    QTest::newRow("korvane : gi,") << u"korvane"_s << u"Voir gi, gibioctets."_s << QString();
    // Between brackets, as alone.
    QTest::newRow("korvane : (memlimit)")
        << u"korvane"_s << u"Voir (memlimit) et (--memlimit-compress)."_s << QString();
    QTest::newRow("velmora : lintian")
        << u"velmora"_s << u"Utilisez lintian et dpkg-buildpackage."_s << QString();
    // A run that the list does not read: the likeliest cut into words,
    // compounds, names and marks ("mem" and "limit", "lib" and "lzma"; "(1)"),
    // and numbers after the names that the catalogues write numbers after
    // ("sha1", not "shal").
    for (const QString &style : {u"korvane"_s, u"velmora"_s}) {
        for (const QString &phrase :
             {u"Lancez dpkg-buildpackage puis killall."_s,
              u"Voir dpkg-maintscript-helper(1) et xzdec(1)."_s, u"Voir liblzma et shlibdeps."_s,
              u"Voir ps(1), top(1) et open(), create()."_s, u"Le(s) paquet(s), averti(e), car."_s,
              u"Options -d, --check-builddeps et --no-check-builddeps."_s,
              u"Voir dpkg_maintscript_package et deb_build_maint_options=x."_s,
              u"Empreinte sha1, adresse ipv6 et modpack (gtk3)."_s,
              u"Le protocole socksv5, identique à tab3."_s,
              u"Empreinte md5 et sha256, norme rfc6587."_s})
            QTest::addRow("%s : %s", qPrintable(style), qPrintable(phrase))
                << style << phrase << QString();
    }
    // Short names that the catalogues write often enough are words ("sg",
    // "tt", "xz"), not numbers.
    for (const QString &style : {u"korvane"_s, u"velmora"_s}) {
        for (const QString &phrase :
             {u"Voir sg(1) et newgrp(1)."_s, u"Alias tt, tty : terminal de contrôle."_s})
            QTest::addRow("%s : %s", qPrintable(style), qPrintable(phrase))
                << style << phrase << QString();
    }
    // Anyone's leet, row by row: its name, the French, the leet.
    struct LigneAuto
    {
        const char *nom;
        QString francais;
        QString leet;
    };
    const LigneAuto lignesAuto[] = {
        {"xz(1) et sg(1)", u"Voir xz(1) et sg(1)"_s, u"v0!r x2(1) 37 5g(1)"_s},
        // A lone 4 is "à" or "a" where the words around call for it, a number
        // elsewhere; a letter alone as written is a word too ("y").
        {"à la maison", u"Je suis à la maison"_s, u"j3 5u15 4 l4 m415on"_s},
        {"à bientôt", u"Merci beaucoup et à bientôt"_s, u"m3rc! b34uc0up 3t 4 b!3n70t"_s},
        // A glyph of several characters alone is its letter, after a dash
        // too; an accented I that the copy rules drop stays in its word.
        {"-d et -a, chaîne", u"Voir -d et -a, la chaîne."_s,
         uR"(v0!r -[) 3t -/-\, l@ c]-[/-\î|\|3.)"_s},
        {"il y a", u"Il y a un fichier"_s, uR"(il `/ /-\ un f!c]-[i3r)"_s},
        // A mark alone that is a glyph: a letter where one is due, a word
        // where the words around call for it, a mark elsewhere.
        {"n'a pas, %s", u"Il n'a pas %s ; il y a"_s, u"!1 n'@ p@$ %$ ; il y ^"_s},
        {"$ ls, x + y", u"Tapez $ ls puis # make, et x + y"_s,
         u"Tapez $ ls puis # make, et x + y"_s},
        // A run that the list does not read goes along the path, as in a
        // style.
        {"dpkg-buildpackage", u"Lancez dpkg-buildpackage."_s, u"l4nc3z dpk6-8u1ldp4ck463."_s},
    };
    for (const LigneAuto &ligne : lignesAuto)
        QTest::addRow("auto : %s", ligne.nom) << u"auto"_s << ligne.francais << ligne.leet;
    QTest::newRow("courante : il y a 3 fichiers")
        << u"courante"_s << u"Il y a 3 fichiers"_s << QString();
    QTest::newRow("courante : il y a 4 fichiers")
        << u"courante"_s << u"Il y a 4 fichiers"_s << QString();
}

void TestCli::allerRetour()
{
    QFETCH(QString, style);
    QFETCH(QString, francais);
    QFETCH(QString, leet);

    if (leet.isEmpty()) {
        const Resultat ecrit = lancer({u"--style"_s, style}, francais.toUtf8());
        QCOMPARE(ecrit.code, 0);
        leet = QString::fromUtf8(ecrit.sortie);
    }
    const QStringList retablir = style == u"auto"_s || style == u"courante"_s
                                     ? QStringList{u"--leet-vers-francais"_s}
                                     : QStringList{u"--leet-vers-francais"_s, u"--retablir"_s};
    const Resultat retour = lancer(QStringList{u"--style"_s, style} + retablir, leet.toUtf8());
    QCOMPARE(retour.code, 0);
    QCOMPARE(QString::fromUtf8(retour.sortie), francais);
}

void TestCli::aideEtVersion()
{
    const Resultat aide = lancer({u"--help"_s}, {});
    QCOMPARE(aide.code, 0);
    QVERIFY(QString::fromUtf8(aide.sortie).contains(u"--leet-vers-francais"_s));
    QVERIFY(QString::fromUtf8(aide.sortie).contains(u"français"_s));
    const Resultat version = lancer({u"-v"_s}, {});
    QCOMPARE(version.code, 0);
    QVERIFY(version.sortie.startsWith("scribolix-cli 1."));
    QVERIFY(version.sortie.contains("\nCopyright (C) 2026 les développeurs du Scribolix\n"));
    QVERIFY(version.sortie.contains("\nLicence GPLv3+ : GNU GPL version 3 ou ultérieure"));
}

// The list's index among the caches: several first runs at once all read
// alike and leave one index, whole; a cache where nothing can be written
// costs time and nothing else, not a word on standard error.
void TestCli::cacheDeLaListe_data()
{
    QTest::addColumn<QString>("cache"); // under the test's folder; "@" a regular file
    QTest::addColumn<int>("ensemble");  // runs started together

    QTest::newRow("premier passage, quatre à la fois") << u"neuf"_s << 4;
    QTest::newRow("cache sur un fichier") << u"@"_s << 1;
    QTest::newRow("cache sous un fichier, deux à la fois") << u"@/sous"_s << 2;
}

void TestCli::cacheDeLaListe()
{
    QFETCH(QString, cache);
    QFETCH(int, ensemble);

    QTemporaryDir ici;
    QVERIFY(ici.isValid());
    QFile fichier(ici.filePath(u"fichier"_s));
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.close();
    const QString chemin = ici.filePath(cache.replace(u'@', u"fichier"_s));
    const QStringList arguments{u"--leet-vers-francais"_s, u"--retablir"_s, u"--style"_s,
                                u"korvane"_s};
    const QByteArray leet =
        lancer({u"--style"_s, u"korvane"_s, u"Une liste de fichiers avec lintian et memlimit"_s},
               {})
            .sortie;
    const Resultat attendu = lancer(arguments, leet);
    QCOMPARE(attendu.code, 0);

    std::vector<std::unique_ptr<QProcess>> processus;
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(u"XDG_CACHE_HOME"_s, chemin);
    for (int k = 0; k < ensemble; ++k) {
        processus.push_back(std::make_unique<QProcess>());
        processus.back()->setProcessEnvironment(environnement);
        processus.back()->start(QStringLiteral(SCRIBOLIX_CLI), arguments);
    }
    for (const std::unique_ptr<QProcess> &p : processus) {
        QVERIFY(p->waitForStarted());
        p->write(leet);
        p->closeWriteChannel();
    }
    for (const std::unique_ptr<QProcess> &p : processus) {
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 0);
        QCOMPARE(p->readAllStandardOutput(), attendu.sortie);
        QCOMPARE(p->readAllStandardError(), QByteArray());
    }
    // What is left: one index, the same bytes as the cache of a run alone.
    const QStringList index = QDir(chemin + u"/scribolix"_s).entryList(QDir::Files);
    if (cache != u"neuf"_s) {
        QVERIFY(index.isEmpty());
        return;
    }
    QCOMPARE(index.size(), 1);
    QFile ecrit(chemin + u"/scribolix/"_s + index.first());
    QVERIFY(ecrit.open(QIODevice::ReadOnly));
    const QString seul = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                         u"/scribolix/"_s + index.first();
    QFile reference(seul);
    QVERIFY2(reference.open(QIODevice::ReadOnly), qPrintable(seul));
    QVERIFY(ecrit.readAll() == reference.readAll());
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
