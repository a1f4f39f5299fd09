#include "FenChoixEcriture.h"
#include "FenEntreeTexte.h"
#include "glyphes.h"
#include "outils_editeur.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>

#include <memory>

using namespace Qt::StringLiterals;

// The personal style from one end to the other, through the main window:
// "Personnaliser...", the editor, "Valider", then "Traduire !".
class TestEditeurBoutEnBout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void traductionAvecLeStyleValide_data();
    void traductionAvecLeStyleValide();
    void fermerSansValiderRefuseLeStyle_data();
    void fermerSansValiderRefuseLeStyle();
    void reglagesRelusAuDemarrage_data();
    void reglagesRelusAuDemarrage();
    void styleChargeDUnFichier();
    void resultatTropLongRefuse();

private:
    void choisirStylePersonnel();
    FenChoixEcriture *personnaliser();
    void taper(FenChoixEcriture *editeur, const QStringList &glyphes);
    QStringList textesDesCasesVus(FenChoixEcriture *editeur);
    QString traduire(const QString &texte);

    QTemporaryDir dossierReglages;
    std::unique_ptr<FenEntreeTexte> principale;
    std::unique_ptr<Repondeur> repondeur;
};

void TestEditeurBoutEnBout::initTestCase()
{
    QVERIFY(isolerReglages(dossierReglages));
}

void TestEditeurBoutEnBout::init()
{
    reglages().clear();
    repondeur = std::make_unique<Repondeur>(Repondeur::Autres::Laisser);
    principale = std::make_unique<FenEntreeTexte>();
    principale->show();
}

void TestEditeurBoutEnBout::cleanup()
{
    principale.reset();
    repondeur.reset();
}

void TestEditeurBoutEnBout::choisirStylePersonnel()
{
    cliquer(principale.get(), u"radioPerso"_s);
    cliquer(principale.get(), u"radioFrancaisLeet"_s);
}

FenChoixEcriture *TestEditeurBoutEnBout::personnaliser()
{
    cliquer(principale.get(), u"boutonPersonnaliser"_s);
    // Earlier editors stay, hidden: the one just opened is the one shown.
    FenChoixEcriture *ouvert = nullptr;
    for (FenChoixEcriture *editeur : principale->findChildren<FenChoixEcriture *>()) {
        if (editeur->isVisible())
            ouvert = editeur;
    }
    return ouvert;
}

void TestEditeurBoutEnBout::taper(FenChoixEcriture *editeur, const QStringList &glyphes)
{
    for (int i = 0; i < nombreLettres; ++i) {
        auto *cellule = editeur->findChild<QLineEdit *>(u"case"_s + QChar(u'A' + i));
        QVERIFY(cellule);
        cellule->clear();
        QTest::keyClicks(cellule, glyphes[i]);
    }
}

QStringList TestEditeurBoutEnBout::textesDesCasesVus(FenChoixEcriture *editeur)
{
    QStringList textes;
    for (int i = 0; i < nombreLettres; ++i) {
        auto *cellule = editeur->findChild<QLineEdit *>(u"case"_s + QChar(u'A' + i));
        textes.append(cellule ? cellule->text() : u"<absente>"_s);
    }
    return textes;
}

QString TestEditeurBoutEnBout::traduire(const QString &texte)
{
    return ::traduire(principale.get(), *repondeur, texte);
}

void TestEditeurBoutEnBout::traductionAvecLeStyleValide_data()
{
    QTest::addColumn<QStringList>("glyphes");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("leet");

    QStringList velmora;
    for (int i = 0; i < nombreLettres; ++i)
        velmora.append(glyphe(Style::Velmora, i));
    QTest::newRow("glyphes de Velmora tapés") << velmora << u"Bonjour"_s << uR"(8()|\|_|()|_||2)"_s;

    QStringList crochets;
    for (int i = 0; i < nombreLettres; ++i)
        crochets.append(u"["_s + QChar(u'a' + i) + u" ]"_s);
    QTest::newRow("glyphes à blancs") << crochets << u"Bél !"_s << u"[b ][e ][l ] !"_s;
}

void TestEditeurBoutEnBout::traductionAvecLeStyleValide()
{
    QFETCH(QStringList, glyphes);
    QFETCH(QString, texte);
    QFETCH(QString, leet);

    choisirStylePersonnel();
    FenChoixEcriture *editeur = personnaliser();
    QVERIFY(editeur);
    QCOMPARE(editeur->windowModality(), Qt::ApplicationModal);
    // No "logo.png" where the tests run: the icon built into the program.
    QVERIFY(!QFile::exists(u"logo.png"_s));
    QVERIFY(!editeur->windowIcon().availableSizes().isEmpty());
    taper(editeur, glyphes);
    cliquer(editeur, u"boutonValider"_s);
    QVERIFY(editeur->isHidden());
    QVERIFY(repondeur->boites().isEmpty());

    QCOMPARE(traduire(texte), leet);

    // The cells are read when translating: a change shows at once.
    FenChoixEcriture *second = personnaliser();
    QVERIFY(second);
    QCOMPARE(textesDesCasesVus(second), glyphes);
    auto *caseB = second->findChild<QLineEdit *>(u"caseB"_s);
    caseB->clear();
    QTest::keyClicks(caseB, u"13"_s);
    cliquer(second, u"boutonValider"_s);
    QVERIFY(traduire(u"b"_s).startsWith(u"13"_s));
    QVERIFY(repondeur->boites().isEmpty());
    QVERIFY(reglages().allKeys().isEmpty());
}

void TestEditeurBoutEnBout::fermerSansValiderRefuseLeStyle_data()
{
    QTest::addColumn<bool>("parAnnuler");
    QTest::newRow("Annuler") << true;
    QTest::newRow("croix de la barre de titre") << false;
}

void TestEditeurBoutEnBout::fermerSansValiderRefuseLeStyle()
{
    QFETCH(bool, parAnnuler);

    const QStringList glyphes = glyphesDifferents();
    choisirStylePersonnel();
    FenChoixEcriture *premier = personnaliser();
    taper(premier, glyphes);
    cliquer(premier, u"boutonValider"_s);
    QCOMPARE(traduire(u"ab"_s), u"gAgB"_s);

    // Reopened after a validation, then closed without one: refused, though
    // no cell changed.
    FenChoixEcriture *second = personnaliser();
    QVERIFY(second && second != premier);
    if (parAnnuler)
        cliquer(second, u"boutonAnnuler"_s);
    else
        QVERIFY(second->close());
    QVERIFY(second->isHidden());

    QCOMPARE(traduire(u"ab"_s), QString());
    QCOMPARE(repondeur->boites().size(), 1);
    QCOMPARE(repondeur->boites().first().titre, u"Erreur"_s);
    QCOMPARE(repondeur->boites().first().texte,
             u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s);

    // The cells went through both editors untouched.
    FenChoixEcriture *troisieme = personnaliser();
    QCOMPARE(textesDesCasesVus(troisieme), glyphes);
}

void TestEditeurBoutEnBout::reglagesRelusAuDemarrage_data()
{
    QTest::addColumn<bool>("conserver");
    QTest::newRow("case cochée") << true;
    QTest::newRow("case non cochée") << false;
}

void TestEditeurBoutEnBout::reglagesRelusAuDemarrage()
{
    QFETCH(bool, conserver);

    QStringList glyphes = glyphesDifferents();
    glyphes[0] = u" /-\\ "_s;
    choisirStylePersonnel();
    FenChoixEcriture *editeur = personnaliser();
    taper(editeur, glyphes);
    if (conserver)
        cliquer(editeur, u"caseConserver"_s);
    cliquer(editeur, u"boutonValider"_s);
    QVERIFY(editeur->isHidden());

    // The next start of the program.
    principale = std::make_unique<FenEntreeTexte>();
    principale->show();
    choisirStylePersonnel();

    // Stored glyphs come back, but are not valid until validated again.
    QCOMPARE(traduire(u"a"_s), QString());
    QCOMPARE(repondeur->boites().size(), 1);

    FenChoixEcriture *relu = personnaliser();
    QVERIFY(relu);
    QCOMPARE(textesDesCasesVus(relu), conserver ? glyphes : QStringList(nombreLettres, QString()));
    QVERIFY(!relu->findChild<QCheckBox *>(u"caseConserver"_s)->isChecked());
}

void TestEditeurBoutEnBout::styleChargeDUnFichier()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"style.txt"_s);
    {
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        QStringList lignes;
        for (int i = 0; i < nombreLettres; ++i)
            lignes.append(glyphe(Style::Korvane, i));
        fichier.write(lignes.join(u"\r\n"_s).toUtf8());
    }

    choisirStylePersonnel();
    FenChoixEcriture *editeur = personnaliser();
    editeur->remplacerDemandeChemin([&](FenChoixEcriture::Dialogue dialogue) {
        return dialogue == FenChoixEcriture::Dialogue::Ouverture ? chemin : QString();
    });
    editeur->findChild<QAction *>(u"actionOuvrir"_s)->trigger();
    cliquer(editeur, u"caseConserver"_s);
    cliquer(editeur, u"boutonValider"_s);
    QVERIFY(editeur->isHidden());

    // Korvane's own B, I, L and Q as the personal style.
    QCOMPARE(traduire(u"Bill"_s), traduireFrancaisKorvane(u"Bill"_s, 4, false, false));
    QCOMPARE(reglages().value(u"Q"_s).toString(), QString(glyphe(Style::Korvane, 16)));
}

void TestEditeurBoutEnBout::resultatTropLongRefuse()
{
    // A glyph of 100,000 characters over a text of a million: the result
    // (some 200 GB) would not fit in memory. The command says so, and nothing
    // else. The text has short lines, which the text box lays out quickly.
    choisirStylePersonnel();
    FenChoixEcriture *editeur = personnaliser();
    QVERIFY(editeur);
    for (int i = 0; i < nombreLettres; ++i) {
        editeur->findChild<QLineEdit *>(u"case"_s + QChar(u'A' + i))
            ->setText(i == 0 ? QString(100 * 1000, u'x') : QString(2, QChar(u'a' + i)));
    }
    cliquer(editeur, u"boutonValider"_s);
    QVERIFY(editeur->isHidden());

    QCOMPARE(traduire((QString(99, u'a') + u'\n').repeated(10 * 1000)), QString());
    const QList<FenetreModale> boites = repondeur->boites();
    QCOMPARE(boites.size(), 1);
    QCOMPARE(boites[0].titre, u"Erreur"_s);
    QVERIFY2(boites[0].texte.contains(u"trop long pour tenir en mémoire"_s),
             qPrintable(boites[0].texte));

    // The window goes on translating.
    QCOMPARE(traduire(u"b"_s), u"bb"_s);
}

QTEST_MAIN(TestEditeurBoutEnBout)
#include "test_editeur_bout_en_bout.moc"
