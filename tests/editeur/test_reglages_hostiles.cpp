#include "FenChoixEcriture.h"
#include "FenEntreeTexte.h"
#include "outils_editeur.h"

#include <QCheckBox>
#include <QDir>
#include <QRadioButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

// A settings store the program did not write: it must start, show what can be
// read, and still validate a style, keeping it when the store can be written
// and saying so when it cannot.
class TestReglagesHostiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void magasin_data();
    void magasin();

private:
    void preparer(const QByteArray &contenu, bool dossier);
    FenChoixEcriture *personnaliser(FenEntreeTexte &principale);

    QTemporaryDir dossierReglages;
    QString fichier;
};

void TestReglagesHostiles::initTestCase()
{
    QVERIFY(isolerReglages(dossierReglages));
    fichier = reglages().fileName();
}

void TestReglagesHostiles::preparer(const QByteArray &contenu, bool dossier)
{
    QFileInfo info(fichier);
    if (info.isDir())
        QVERIFY(QDir(fichier).removeRecursively());
    else if (info.exists())
        QVERIFY(QFile::remove(fichier));
    QVERIFY(QDir().mkpath(info.path()));
    if (dossier) {
        QVERIFY(QDir().mkpath(fichier));
    } else {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }
    // The store is read again when its file has changed on disk.
    reglages().sync();
}

FenChoixEcriture *TestReglagesHostiles::personnaliser(FenEntreeTexte &principale)
{
    cliquer(&principale, u"radioPerso"_s);
    cliquer(&principale, u"radioFrancaisLeet"_s);
    cliquer(&principale, u"boutonPersonnaliser"_s);
    return principale.findChild<FenChoixEcriture *>();
}

void TestReglagesHostiles::magasin_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("dossier");
    QTest::addColumn<QStringList>("lus");

    // The rows share the one settings object, which re-reads its file when the
    // file changes: the store that cannot be written comes last.
    const QStringList vides(4);
    QByteArray fouillis;
    for (int i = 0; i < 4096; ++i)
        fouillis.append(char((i * 131 + 7) % 256 == '=' ? 0 : (i * 131 + 7) % 256));
    QTest::newRow("fouillis binaire") << fouillis << false << vides;
    QTest::newRow("listes, nombres, variantes")
        << QByteArray("[General]\nA=1, 2\nB=42\nC=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\nQByteArray\\0)"
                      "\nD=true\nE\n[Autre]\nF=f\n")
        << false << QStringList{u"1, 2"_s, u"42"_s, QString(), u"true"_s};
    QTest::newRow("un dossier à la place du fichier") << QByteArray() << true << vides;
}

void TestReglagesHostiles::magasin()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, dossier);
    QFETCH(QStringList, lus);

    preparer(contenu, dossier);
    Repondeur repondeur(Repondeur::Autres::Laisser);
    FenEntreeTexte principale;
    principale.show();
    FenChoixEcriture *editeur = personnaliser(principale);
    QVERIFY(editeur);

    QStringList debut;
    for (int i = 0; i < lus.size(); ++i)
        debut.append(editeur->findChild<QLineEdit *>(u"case"_s + QChar(u'A' + i))->text());
    QCOMPARE(debut, lus);

    // Glyphs of this row's own, so that no row finds the previous one's.
    const QStringList glyphes =
        glyphesDifferents(QString::fromUtf8(QTest::currentDataTag()).left(4));
    for (int i = 0; i < nombreLettres; ++i)
        editeur->findChild<QLineEdit *>(u"case"_s + QChar(u'A' + i))->setText(glyphes[i]);
    editeur->findChild<QCheckBox *>(u"caseConserver"_s)->setChecked(true);
    cliquer(editeur, u"boutonValider"_s);

    // Validated for this run whatever became of the store.
    QVERIFY(editeur->isHidden());
    QCOMPARE(traduire(&principale, repondeur, u"ab"_s), glyphes[0] + glyphes[1]);

    if (dossier) {
        QCOMPARE(repondeur.boites().size(), 1);
        QCOMPARE(repondeur.boites()[0].titre, u"Erreur"_s);
        QVERIFY2(repondeur.boites()[0].texte.contains(fichier),
                 qPrintable(repondeur.boites()[0].texte));
        QCOMPARE(repondeur.boites()[0].format, Qt::PlainText);
        return;
    }
    QVERIFY2(repondeur.boites().isEmpty(), qPrintable(repondeur.boites().value(0).texte));
    QSettings relus(fichier, QSettings::IniFormat);
    for (int i = 0; i < nombreLettres; ++i)
        QCOMPARE(relus.value(QString(QChar(u'A' + i))).toString(), glyphes[i]);
}

QTEST_MAIN(TestReglagesHostiles)
#include "test_reglages_hostiles.moc"
