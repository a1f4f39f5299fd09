#include "FenChoixEcriture.h"
#include "fichierstyle.h"
#include "outils_editeur.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

#include <cerrno>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

using Dialogue = FenChoixEcriture::Dialogue;

// Stands in for the file dialogs: records each question and answers with the
// next prepared path (an empty one, as a cancelled dialog, once they run out).
struct FaussesReponses
{
    FenChoixEcriture::DemandeChemin demande()
    {
        return [this](Dialogue dialogue) {
            questions.append(dialogue);
            return reponses.isEmpty() ? QString() : reponses.takeFirst();
        };
    }

    QList<Dialogue> questions;
    QStringList reponses;
};

// Loading and saving style files from the editor, with the file dialogs
// answered by the test.
class TestEditeurFichiers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void allerRetour_data();
    void allerRetour();
    void lecture_data();
    void lecture();
    void casesVidesALaFin();
    void enregistrerDemandeUnNom();
    void enregistrerApresOuvrir();
    void annulerLOuverture();
    void fichierIlisible_data();
    void fichierIlisible();
    void enregistrementImpossible();
    void casesRefusees_data();
    void casesRefusees();
    void enregistrementInterrompu();
    void nomEnTexteSimple();
    void dialoguesDuSysteme_data();
    void dialoguesDuSysteme();

private:
    FenChoixEcriture *ouvrirEditeur();
    QString chemin(const QString &nom) const { return dossier->filePath(nom); }
    void ecrire(const QString &nom, const QByteArray &contenu);
    QByteArray lire(const QString &nom) const;
    void declencher(const QString &action);
    QString statut() const;

    QTemporaryDir dossierReglages;
    std::unique_ptr<QTemporaryDir> dossier;
    std::unique_ptr<CasesDeTest> cellules;
    std::unique_ptr<Repondeur> repondeur;
    FaussesReponses dialogues;
    QPointer<FenChoixEcriture> editeur;
};

void TestEditeurFichiers::initTestCase()
{
    QVERIFY(isolerReglages(dossierReglages));
}

void TestEditeurFichiers::init()
{
    dossier = std::make_unique<QTemporaryDir>();
    QVERIFY(dossier->isValid());
    cellules = std::make_unique<CasesDeTest>();
    repondeur = std::make_unique<Repondeur>(Repondeur::Autres::Laisser);
    dialogues = {};
}

void TestEditeurFichiers::cleanup()
{
    delete editeur;
    repondeur.reset();
    cellules.reset();
    dossier.reset();
    // Files are never a matter of settings.
    QVERIFY(reglages().allKeys().isEmpty());
}

FenChoixEcriture *TestEditeurFichiers::ouvrirEditeur()
{
    editeur = new FenChoixEcriture(&cellules->cases, &cellules->styleValide, nullptr);
    editeur->remplacerDemandeChemin(dialogues.demande());
    editeur->show();
    return editeur;
}

void TestEditeurFichiers::ecrire(const QString &nom, const QByteArray &contenu)
{
    QFile fichier(chemin(nom));
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    QCOMPARE(fichier.write(contenu), contenu.size());
}

QByteArray TestEditeurFichiers::lire(const QString &nom) const
{
    QFile fichier(chemin(nom));
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("<illisible>");
}

void TestEditeurFichiers::declencher(const QString &action)
{
    auto *entree = editeur->findChild<QAction *>(action);
    QVERIFY2(entree, qPrintable(action));
    entree->trigger();
}

QString TestEditeurFichiers::statut() const
{
    return editeur->findChild<QLabel *>(u"etiquetteFichier"_s)->text();
}

void TestEditeurFichiers::allerRetour_data()
{
    QTest::addColumn<QStringList>("glyphes");

    QStringList glyphes = glyphesDifferents();
    glyphes[0] = uR"(/-\)"_s;
    glyphes[1] = u" 8"_s;
    glyphes[2] = u"( "_s;
    glyphes[3] = u"|) |)"_s;
    glyphes[4] = u"€é"_s;
    glyphes[5] = u"\t|="_s;
    QTest::newRow("blancs et accents") << glyphes;
    glyphes[6] = u"6\r"_s;
    glyphes[7] = u"|\r-|"_s;
    QTest::newRow("CR dans les cases") << glyphes;
    glyphes[0] = QString(1100 * 1000, u'#');
    QTest::newRow("plus de 1 Mio") << glyphes;
}

void TestEditeurFichiers::allerRetour()
{
    QFETCH(QStringList, glyphes);
    cellules->remplir(glyphes);
    ouvrirEditeur();

    dialogues.reponses = {chemin(u"mon style.txt"_s), chemin(u"mon style.txt"_s)};
    declencher(u"actionEnregistrerSous"_s);
    QCOMPARE(statut(), u"Fichier ouvert : mon style.txt"_s);
    QCOMPARE(lire(u"mon style.txt"_s), glyphes.join(u"\r\n"_s).toUtf8());

    QTest::mouseClick(editeur->findChild<QPushButton *>(u"boutonReinitialiser"_s), Qt::LeftButton);
    declencher(u"actionOuvrir"_s);

    QCOMPARE(cellules->textes(), glyphes);
    QCOMPARE(dialogues.questions, QList<Dialogue>({Dialogue::Enregistrement, Dialogue::Ouverture}));
    QVERIFY(repondeur->boites().isEmpty());
    QVERIFY(!cellules->styleValide);
}

void TestEditeurFichiers::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("attendu");

    // Cells the file does not reach keep what they held.
    const QStringList avant = glyphesDifferents(u"avant"_s);
    auto avec = [&](const QStringList &debut) { return debut + avant.mid(debut.size()); };

    QTest::newRow("trois lignes") << QByteArray("/-\\\n8\n(")
                                  << avec({uR"(/-\)"_s, u"8"_s, u"("_s});
    QTest::newRow("trois lignes CR LF")
        << QByteArray("/-\\\r\n8\r\n(") << avec({uR"(/-\)"_s, u"8"_s, u"("_s});
    QTest::newRow("un glyphe et un saut de ligne") << QByteArray("|3\n") << avec({u"|3"_s, {}});
    QTest::newRow("ligne vide au milieu") << QByteArray("a\n\nc") << avec({u"a"_s, {}, u"c"_s});
    QTest::newRow("CR isolé gardé") << QByteArray("a\rb\r\nc") << avec({u"a\rb"_s, u"c"_s});
    QTest::newRow("UTF-8") << QByteArray("\xc3\xa9t\xc3\xa9") << avec({u"été"_s});
    QTest::newRow("ligne très longue")
        << QByteArray(100000, '#') + "\n8" << avec({QString(100000, u'#'), u"8"_s});

    QStringList vingtSix = glyphesDifferents(u"f"_s);
    QTest::newRow("26 lignes") << vingtSix.join(u'\n').toUtf8() << vingtSix;
    QTest::newRow("26 lignes et un saut de ligne final")
        << (vingtSix.join(u"\r\n"_s) + u"\r\n"_s).toUtf8() << vingtSix;
    QTest::newRow("30 lignes")
        << (vingtSix + QStringList({u"x"_s, u"y"_s, u"z"_s, u"w"_s})).join(u'\n').toUtf8()
        << vingtSix;
}

void TestEditeurFichiers::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, attendu);

    cellules->remplir(glyphesDifferents(u"avant"_s));
    ecrire(u"style.txt"_s, contenu);
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"style.txt"_s)};

    declencher(u"actionOuvrir"_s);

    QCOMPARE(cellules->textes(), attendu);
    QCOMPARE(statut(), u"Fichier ouvert : style.txt"_s);
    QVERIFY(repondeur->boites().isEmpty());
}

void TestEditeurFichiers::casesVidesALaFin()
{
    QStringList glyphes = glyphesDifferents().mid(0, 10);
    cellules->remplir(glyphes);
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"dix.txt"_s), chemin(u"dix.txt"_s)};
    declencher(u"actionEnregistrerSous"_s);
    QCOMPARE(lire(u"dix.txt"_s), glyphes.join(u"\r\n"_s).toUtf8());

    // Loading it keeps K to Z as they are.
    const QStringList autres = glyphesDifferents(u"autre"_s);
    cellules->remplir(autres);
    declencher(u"actionOuvrir"_s);
    QCOMPARE(cellules->textes(), glyphes + autres.mid(10));
}

void TestEditeurFichiers::enregistrerDemandeUnNom()
{
    cellules->remplir(glyphesDifferents());
    ouvrirEditeur();
    QSignalSpy nomVide(editeur.data(), &FenChoixEcriture::nomVide);
    QApplication::setActiveWindow(editeur);
    QVERIFY(QTest::qWaitForWindowActive(editeur));

    // No file yet: "Enregistrer" asks for one.
    dialogues.reponses = {chemin(u"nouveau.txt"_s)};
    QTest::keyClick(editeur, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(nomVide.count(), 1);
    QCOMPARE(dialogues.questions, QList<Dialogue>({Dialogue::Enregistrement}));
    QCOMPARE(lire(u"nouveau.txt"_s), glyphesDifferents().join(u"\r\n"_s).toUtf8());
    QCOMPARE(statut(), u"Fichier ouvert : nouveau.txt"_s);

    // Now it writes there without asking, and leaves the status alone.
    cellules->cases[0]->setText(u"changé"_s);
    declencher(u"actionEnregistrer"_s);
    QCOMPARE(nomVide.count(), 1);
    QCOMPARE(dialogues.questions.size(), 1);
    QVERIFY(lire(u"nouveau.txt"_s).startsWith("chang\xc3\xa9\r\ngB\r\n"));
    QCOMPARE(statut(), u"Fichier ouvert : nouveau.txt"_s);

    // A cancelled "Enregistrer sous..." forgets the file: the next
    // "Enregistrer" asks again.
    declencher(u"actionEnregistrerSous"_s);
    QCOMPARE(statut(), u"Fichier ouvert : nouveau.txt"_s);
    declencher(u"actionEnregistrer"_s);
    QCOMPARE(nomVide.count(), 2);
    QCOMPARE(dialogues.questions.size(), 3);
    QVERIFY(repondeur->boites().isEmpty());
}

void TestEditeurFichiers::enregistrerApresOuvrir()
{
    ecrire(u"ouvert.txt"_s, "a\r\nb\r\nc");
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"ouvert.txt"_s)};
    declencher(u"actionOuvrir"_s);

    cellules->cases[3]->setText(u"d"_s);
    declencher(u"actionEnregistrer"_s);

    QCOMPARE(dialogues.questions, QList<Dialogue>({Dialogue::Ouverture}));
    QCOMPARE(lire(u"ouvert.txt"_s), QByteArray("a\r\nb\r\nc\r\nd"));
}

void TestEditeurFichiers::annulerLOuverture()
{
    ecrire(u"premier.txt"_s, "1\n2");
    cellules->remplir(glyphesDifferents());
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"premier.txt"_s)};
    declencher(u"actionOuvrir"_s);
    const QStringList charges = cellules->textes();

    // Cancelled: nothing changes but the current file, which is forgotten.
    declencher(u"actionOuvrir"_s);
    QCOMPARE(cellules->textes(), charges);
    QCOMPARE(statut(), u"Fichier ouvert : premier.txt"_s);
    QVERIFY(repondeur->boites().isEmpty());

    // So "Enregistrer" asks again rather than writing anywhere.
    declencher(u"actionEnregistrer"_s);
    QCOMPARE(dialogues.questions,
             QList<Dialogue>({Dialogue::Ouverture, Dialogue::Ouverture, Dialogue::Enregistrement}));
    QCOMPARE(lire(u"premier.txt"_s), QByteArray("1\n2"));
    QCOMPARE(QDir(dossier->path()).entryList(QDir::Files), QStringList({u"premier.txt"_s}));
}

void TestEditeurFichiers::fichierIlisible_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("accepte");
    QTest::addColumn<QString>("raison");

    QTest::newRow("fichier absent")
        << u"absent.txt"_s << QByteArray() << false << QString::fromLocal8Bit(strerror(ENOENT));
    QTest::newRow("dossier") << u"un dossier"_s << QByteArray() << false << u"un dossier"_s;
    QTest::newRow("plus de 64 Mio")
        << u"gros.txt"_s << QByteArray(tailleMaxFichierStyle + 1, 'x') << false << u"trop gros"_s;
    QTest::newRow("binaire") << u"binaire"_s << QByteArray("\177ELF\0\0\xff\xfe", 8) << false
                             << u"n'est pas un fichier de style"_s;
    QTest::newRow("fichier vide") << u"vide.txt"_s << QByteArray() << false << u"est vide"_s;
    // 26 glyphs, then a 27th line, ignored, that brings the file to the limit.
    QByteArray limite = glyphesDifferents(u"f"_s).join(u'\n').toUtf8() + '\n';
    limite.append(QByteArray(tailleMaxFichierStyle - limite.size(), 'x'));
    QTest::newRow("64 Mio tout juste") << u"limite.txt"_s << limite << true << QString();
}

void TestEditeurFichiers::fichierIlisible()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, accepte);
    QFETCH(QString, raison);

    if (nom == u"un dossier"_s)
        QVERIFY(QDir(dossier->path()).mkdir(nom));
    else if (nom != u"absent.txt"_s)
        ecrire(nom, contenu);

    // A file opened earlier, which stays the current one.
    ecrire(u"avant.txt"_s, "a");
    cellules->remplir(glyphesDifferents());
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"avant.txt"_s), chemin(nom)};
    declencher(u"actionOuvrir"_s);
    const QStringList avant = cellules->textes();

    declencher(u"actionOuvrir"_s);

    if (accepte) {
        QVERIFY(repondeur->boites().isEmpty());
        QCOMPARE(cellules->textes(), glyphesDifferents(u"f"_s));
        QCOMPARE(statut(), u"Fichier ouvert : "_s + nom);
        return;
    }
    QCOMPARE(repondeur->boites().size(), 1);
    const FenetreModale boite = repondeur->boites().first();
    QCOMPARE(boite.titre, u"Erreur"_s);
    QCOMPARE(boite.icone, QMessageBox::Critical);
    QCOMPARE(boite.parent, editeur.data());
    QVERIFY2(boite.texte.contains(chemin(nom)), qPrintable(boite.texte));
    QVERIFY2(boite.texte.contains(raison), qPrintable(boite.texte));
    QCOMPARE(cellules->textes(), avant);
    QCOMPARE(statut(), u"Fichier ouvert : avant.txt"_s);

    // The current file is still the one read before.
    cellules->cases[1]->setText(u"b"_s);
    declencher(u"actionEnregistrer"_s);
    QCOMPARE(dialogues.questions.size(), 2);
    QVERIFY(lire(u"avant.txt"_s).startsWith("a\r\nb\r\n"));
}

void TestEditeurFichiers::enregistrementImpossible()
{
    cellules->remplir(glyphesDifferents());
    ouvrirEditeur();
    const QString impossible = chemin(u"pas de dossier/style.txt"_s);
    dialogues.reponses = {impossible};

    declencher(u"actionEnregistrerSous"_s);

    QCOMPARE(repondeur->boites().size(), 1);
    QCOMPARE(repondeur->boites().first().titre, u"Erreur"_s);
    QVERIFY(repondeur->boites().first().texte.contains(impossible));
    QCOMPARE(statut(), u"Aucun fichier ouvert."_s);
    QVERIFY(!QFile::exists(impossible));

    // No file was written, so there is still no current file.
    declencher(u"actionEnregistrer"_s);
    QCOMPARE(dialogues.questions.size(), 2);
    QCOMPARE(repondeur->boites().size(), 1);
}

// Cells whose file would not open again are refused, "Enregistrer" then
// asking for no other name.
void TestEditeurFichiers::casesRefusees_data()
{
    QTest::addColumn<QStringList>("glyphes");
    QTest::addColumn<QString>("raison");
    QTest::newRow("toutes vides") << QStringList() << u"toutes les cases sont vides"_s;
    QStringList glyphes = glyphesDifferents();
    glyphes[2] = u"(\n("_s;
    QTest::newRow("saut de ligne")
        << glyphes << u"case C contient un caractère de contrôle (U+000A)"_s;
}

void TestEditeurFichiers::casesRefusees()
{
    QFETCH(QStringList, glyphes);
    QFETCH(QString, raison);
    ecrire(u"avant.txt"_s, "a");
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"avant.txt"_s)};
    declencher(u"actionOuvrir"_s);
    cellules->remplir(glyphes);

    declencher(u"actionEnregistrer"_s);

    QCOMPARE(dialogues.questions.size(), 1);
    QCOMPARE(repondeur->boites().size(), 1);
    QCOMPARE(repondeur->boites().first().titre, u"Erreur"_s);
    const QString texte = repondeur->boites().first().texte;
    QVERIFY2(texte.contains(chemin(u"avant.txt"_s)) && texte.contains(raison), qPrintable(texte));
    QCOMPARE(lire(u"avant.txt"_s), QByteArray("a"));
}

void TestEditeurFichiers::enregistrementInterrompu()
{
#ifdef Q_OS_UNIX
    const QStringList anciens = glyphesDifferents();
    cellules->remplir(anciens);
    ouvrirEditeur();
    dialogues.reponses = {chemin(u"style.txt"_s)};
    declencher(u"actionEnregistrerSous"_s);
    const QByteArray ancienContenu = lire(u"style.txt"_s);
    QCOMPARE(ancienContenu, anciens.join(u"\r\n"_s).toUtf8());

    // Long glyphs, and a limit on file sizes that stops their writing
    // half-way (even for the superuser).
    cellules->remplir(glyphesDifferents(QString(200, u'#')));
    struct rlimit avant;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &avant), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = avant;
    limite.rlim_cur = 1000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);

    declencher(u"actionEnregistrer"_s);
    dialogues.reponses = {chemin(u"style.txt"_s)};
    declencher(u"actionEnregistrerSous"_s);

    QCOMPARE(setrlimit(RLIMIT_FSIZE, &avant), 0);
    std::signal(SIGXFSZ, SIG_DFL);

    // "Enregistrer" fell back on the dialog, which was cancelled; then
    // "Enregistrer sous..." failed and said so.
    QCOMPARE(dialogues.questions,
             QList<Dialogue>(
                 {Dialogue::Enregistrement, Dialogue::Enregistrement, Dialogue::Enregistrement}));
    QCOMPARE(repondeur->boites().size(), 1);
    QVERIFY(repondeur->boites().first().texte.contains(chemin(u"style.txt"_s)));
    QCOMPARE(lire(u"style.txt"_s), ancienContenu);
    QCOMPARE(QDir(dossier->path()).entryList(QDir::Files), QStringList({u"style.txt"_s}));
#else
    QSKIP("Needs a file size limit (setrlimit)");
#endif
}

void TestEditeurFichiers::nomEnTexteSimple()
{
    // Names that a label left to guess would take for markup.
    const QString nom = u"<b>gras.txt"_s;
    QVERIFY(Qt::mightBeRichText(u"Fichier ouvert : "_s + nom));
    QVERIFY(QDir(dossier->path()).mkdir(u"<i>dossier"_s));
    cellules->remplir(glyphesDifferents());
    ouvrirEditeur();
    dialogues.reponses = {chemin(nom), chemin(u"<i>dossier"_s)};

    declencher(u"actionEnregistrerSous"_s);
    QVERIFY(QFile::exists(chemin(nom)));
    QCOMPARE(statut(), u"Fichier ouvert : "_s + nom);
    QCOMPARE(editeur->findChild<QLabel *>(u"etiquetteFichier"_s)->textFormat(), Qt::PlainText);

    // An error names the file as it is too.
    declencher(u"actionOuvrir"_s);
    QCOMPARE(repondeur->boites().size(), 1);
    QCOMPARE(repondeur->boites().first().format, Qt::PlainText);
    QVERIFY(repondeur->boites().first().texte.contains(chemin(u"<i>dossier"_s)));

    // A long name is shortened in the middle to the label's width, the whole
    // path in its tooltip; a wider window shows more of it.
    const QString long_ = u"debut-"_s + QString(200, u'n') + u"-fin.txt"_s;
    dialogues.reponses = {chemin(long_)};
    declencher(u"actionEnregistrerSous"_s);
    auto *etiquette = editeur->findChild<QLabel *>(u"etiquetteFichier"_s);
    QCOMPARE(etiquette->toolTip(), chemin(long_));
    const QString court = statut();
    QVERIFY2(court.startsWith(u"Fichier ouvert : debut-"_s) && court.endsWith(u"-fin.txt"_s) &&
                 court.contains(u'…'),
             qPrintable(court));
    QCOMPARE_LE(etiquette->fontMetrics().horizontalAdvance(court), etiquette->width());
    QVERIFY(etiquette->geometry().right() < editeur->width());
    editeur->resize(editeur->width() * 2, editeur->height());
    QTRY_VERIFY(statut().size() > court.size());
}

void TestEditeurFichiers::dialoguesDuSysteme_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QFileDialog::AcceptMode>("mode");
    QTest::newRow("ouvrir") << u"actionOuvrir"_s << u"Ouverture du fichier"_s
                            << QFileDialog::AcceptOpen;
    QTest::newRow("enregistrer sous")
        << u"actionEnregistrerSous"_s << u"Enregistrement du fichier"_s << QFileDialog::AcceptSave;
    QTest::newRow("enregistrer sans fichier")
        << u"actionEnregistrer"_s << u"Enregistrement du fichier"_s << QFileDialog::AcceptSave;
}

void TestEditeurFichiers::dialoguesDuSysteme()
{
    QFETCH(QString, action);
    QFETCH(QString, titre);
    QFETCH(QFileDialog::AcceptMode, mode);

    // Without a replacement, the editor asks through the toolkit's dialogs.
    editeur = new FenChoixEcriture(&cellules->cases, &cellules->styleValide, nullptr);
    editeur->show();
    cellules->remplir(glyphesDifferents());

    QString titreVu;
    QFileDialog::AcceptMode modeVu = QFileDialog::AcceptOpen;
    QWidget *parentVu = nullptr;
    QTimer annuleur;
    annuleur.setInterval(10);
    connect(&annuleur, &QTimer::timeout, this, [&] {
        auto *dialogue = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        titreVu = dialogue->windowTitle();
        modeVu = dialogue->acceptMode();
        parentVu = dialogue->parentWidget();
        dialogue->reject();
    });
    annuleur.start();

    declencher(action);

    QCOMPARE(titreVu, titre);
    QCOMPARE(modeVu, mode);
    QCOMPARE(parentVu, editeur.data());
    QCOMPARE(cellules->textes(), glyphesDifferents());
    QCOMPARE(statut(), u"Aucun fichier ouvert."_s);
    QVERIFY(repondeur->boites().isEmpty());
}

QTEST_MAIN(TestEditeurFichiers)
#include "test_editeur_fichiers.moc"
