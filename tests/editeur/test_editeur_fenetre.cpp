// Clicks go through the window system, which honours modal windows.
#define QTEST_QPA_MOUSE_HANDLING

#include "FenChoixEcriture.h"
#include "outils_editeur.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>

#include <memory>

using namespace Qt::StringLiterals;

// The editor on its own, with cells of the test's making: its window, the
// cells it shows, "Annuler", validation, the settings and the explanations.
class TestEditeurFenetre : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void construction();
    void menus_data();
    void menus();
    void colonnesDeCases();
    void memesCases();
    void mnemoniques_data();
    void mnemoniques();
    void fermerSansValider_data();
    void fermerSansValider();
    void reinitialiser();
    void validation_data();
    void validation();
    void reglagesSeulementCaseCochee_data();
    void reglagesSeulementCaseCochee();
    void casesSurviventAuxEditeurs();
    void explications();
    void explicationsModales();

private:
    FenChoixEcriture *ouvrirEditeur(QWidget *parent = nullptr);

    QTemporaryDir dossierReglages;
    std::unique_ptr<CasesDeTest> cellules;
    std::unique_ptr<Repondeur> repondeur;
    QPointer<FenChoixEcriture> editeur;
};

void TestEditeurFenetre::initTestCase()
{
    QVERIFY(dossierReglages.isValid());
    QVERIFY(isolerReglages(dossierReglages));
}

void TestEditeurFenetre::init()
{
    reglages().clear();
    cellules = std::make_unique<CasesDeTest>();
    repondeur = std::make_unique<Repondeur>(Repondeur::Autres::Laisser);
}

void TestEditeurFenetre::cleanup()
{
    delete editeur;
    for (QWidget *fenetre : QApplication::topLevelWidgets()) {
        if (fenetre->objectName() == u"fenetrePrecisions"_s)
            delete fenetre;
    }
    repondeur.reset();
    cellules.reset();
}

FenChoixEcriture *TestEditeurFenetre::ouvrirEditeur(QWidget *parent)
{
    editeur = new FenChoixEcriture(&cellules->cases, &cellules->styleValide, parent);
    editeur->show();
    return editeur;
}

void TestEditeurFenetre::construction()
{
    FenChoixEcriture *fen = ouvrirEditeur();

    QCOMPARE(fen->windowTitle(), u"Personnalisation du style d'écriture"_s);
    QCOMPARE(fen->windowModality(), Qt::ApplicationModal);
    QVERIFY(fen->width() >= 300);
    QVERIFY(fen->height() >= 250);

    auto *conserver = fen->findChild<QCheckBox *>(u"caseConserver"_s);
    QVERIFY(conserver);
    QCOMPARE(conserver->text(),
             u"Conserver le contenu des cases au prochain démarrage du logiciel."_s);
    QVERIFY(!conserver->isChecked());

    const QList<std::pair<QString, QString>> boutons = {
        {u"boutonReinitialiser"_s, u"Réinitialiser"_s},
        {u"boutonAnnuler"_s, u"Annuler"_s},
        {u"boutonValider"_s, u"Valider"_s},
    };
    for (const auto &[nom, texte] : boutons) {
        auto *bouton = fen->findChild<QPushButton *>(nom);
        QVERIFY2(bouton, qPrintable(nom));
        QCOMPARE(bouton->text(), texte);
        QVERIFY(bouton->isVisible());
    }

    auto *ligne = fen->findChild<QFrame *>(u"ligneSeparation"_s);
    QVERIFY(ligne);
    QCOMPARE(ligne->frameShape(), QFrame::HLine);
    QCOMPARE(ligne->frameShadow(), QFrame::Plain);

    auto *etiquette = fen->findChild<QLabel *>(u"etiquetteFichier"_s);
    QVERIFY(etiquette);
    QCOMPARE(etiquette->text(), u"Aucun fichier ouvert."_s);
    QCOMPARE(etiquette->textFormat(), Qt::PlainText);
    QVERIFY(fen->statusBar()->isAncestorOf(etiquette));

    // Top to bottom: cells, reset, check box, separator, cancel and validate.
    const int hautCellules = cellules->cases[6]->mapTo(fen, QPoint()).y();
    const int hautReinitialiser =
        fen->findChild<QPushButton *>(u"boutonReinitialiser"_s)->mapTo(fen, QPoint()).y();
    const int hautConserver = conserver->mapTo(fen, QPoint()).y();
    const int hautLigne = ligne->mapTo(fen, QPoint()).y();
    const int hautValider =
        fen->findChild<QPushButton *>(u"boutonValider"_s)->mapTo(fen, QPoint()).y();
    QVERIFY(hautCellules < hautReinitialiser);
    QVERIFY(hautReinitialiser < hautConserver);
    QVERIFY(hautConserver < hautLigne);
    QVERIFY(hautLigne < hautValider);
}

void TestEditeurFenetre::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QKeySequence>("raccourci");

    QTest::newRow("ouvrir") << u"Fichier"_s << u"actionOuvrir"_s << u"Ouvrir..."_s
                            << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("enregistrer") << u"Fichier"_s << u"actionEnregistrer"_s << u"Enregistrer"_s
                                 << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("enregistrer sous")
        << u"Fichier"_s << u"actionEnregistrerSous"_s << u"Enregistrer sous..."_s
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    QTest::newRow("précisions") << u"Aide"_s << u"actionPrecisions"_s << u"Précisions"_s
                                << QKeySequence(Qt::CTRL | Qt::Key_P);
}

void TestEditeurFenetre::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, action);
    QFETCH(QString, texte);
    QFETCH(QKeySequence, raccourci);

    FenChoixEcriture *fen = ouvrirEditeur();
    QStringList titres;
    for (const QAction *entree : fen->menuBar()->actions())
        titres.append(entree->text());
    QCOMPARE(titres, QStringList({u"Fichier"_s, u"Aide"_s}));

    auto *entree = fen->findChild<QAction *>(action);
    QVERIFY(entree);
    QCOMPARE(entree->text(), texte);
    QCOMPARE(entree->shortcut(), raccourci);
    const QList<QObject *> menusDeLEntree = entree->associatedObjects();
    const bool dansLeMenu =
        std::any_of(menusDeLEntree.begin(), menusDeLEntree.end(), [&](const QObject *objet) {
            const auto *m = qobject_cast<const QMenu *>(objet);
            return m && m->title() == menu;
        });
    QVERIFY(dansLeMenu);
}

void TestEditeurFenetre::colonnesDeCases()
{
    FenChoixEcriture *fen = ouvrirEditeur();

    // Which form holds each cell, and with what label.
    QList<QFormLayout *> formulaires;
    QList<int> lignesParColonne;
    for (int i = 0; i < nombreLettres; ++i) {
        QLineEdit *cellule = cellules->cases[i];
        QFormLayout *formulaire = nullptr;
        for (QFormLayout *candidat : fen->findChildren<QFormLayout *>()) {
            if (candidat->indexOf(cellule) >= 0)
                formulaire = candidat;
        }
        QVERIFY2(formulaire, qPrintable(u"case %1"_s.arg(i)));
        if (formulaires.isEmpty() || formulaires.last() != formulaire) {
            QVERIFY2(!formulaires.contains(formulaire), "letters of a column are consecutive");
            formulaires.append(formulaire);
            lignesParColonne.append(0);
        }
        ++lignesParColonne.last();

        auto *etiquette = qobject_cast<QLabel *>(formulaire->labelForField(cellule));
        QVERIFY(etiquette);
        const QChar lettre(u'A' + i);
        QCOMPARE(etiquette->text(), u"&"_s + lettre + u" : "_s);
        QCOMPARE(etiquette->buddy(), cellule);
        QCOMPARE(cellule->objectName(), u"case"_s + lettre);
        QVERIFY(cellule->isVisible());
    }
    QCOMPARE(lignesParColonne, QList<int>({7, 7, 7, 5}));

    // Side by side, left to right, each row level with its neighbours.
    for (int colonne = 1; colonne < 4; ++colonne) {
        const int premiere = colonne * 7;
        QVERIFY(cellules->cases[premiere]->mapTo(fen, QPoint()).x() >
                cellules->cases[premiere - 1]->mapTo(fen, QPoint()).x());
        QCOMPARE(cellules->cases[premiere]->mapTo(fen, QPoint()).y(),
                 cellules->cases[0]->mapTo(fen, QPoint()).y());
    }
    QCOMPARE(cellules->cases[25]->mapTo(fen, QPoint()).y(),
             cellules->cases[4]->mapTo(fen, QPoint()).y());
}

void TestEditeurFenetre::memesCases()
{
    cellules->remplir(glyphesDifferents());
    FenChoixEcriture *fen = ouvrirEditeur();

    // The editor shows the very cells it was given, never copies.
    const auto dansLEditeur = fen->findChildren<QLineEdit *>();
    for (QLineEdit *cellule : cellules->cases)
        QVERIFY(dansLEditeur.contains(cellule));
    QCOMPARE(dansLEditeur.size(), nombreLettres);

    auto *caseQ = fen->findChild<QLineEdit *>(u"caseQ"_s);
    QVERIFY(caseQ);
    caseQ->clear();
    QTest::keyClicks(caseQ, u"(,)"_s);
    QCOMPARE(cellules->cases[16]->text(), u"(,)"_s);
    QCOMPARE(textesDesCases(cellules->cases)[16], u"(,)"_s);
}

void TestEditeurFenetre::mnemoniques_data()
{
    QTest::addColumn<int>("lettre");
    QTest::newRow("A") << 0;
    QTest::newRow("G, bas de la première colonne") << 6;
    QTest::newRow("H, haut de la deuxième") << 7;
    QTest::newRow("Q") << 16;
    QTest::newRow("Z") << 25;
}

void TestEditeurFenetre::mnemoniques()
{
    QFETCH(int, lettre);

    FenChoixEcriture *fen = ouvrirEditeur();
    QApplication::setActiveWindow(fen);
    QVERIFY(QTest::qWaitForWindowActive(fen));
    cellules->cases[lettre == 0 ? 1 : 0]->setFocus();

    QTest::keyClick(fen, static_cast<Qt::Key>(Qt::Key_A + lettre), Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), cellules->cases[lettre]);
}

void TestEditeurFenetre::fermerSansValider_data()
{
    QTest::addColumn<bool>("parAnnuler");
    QTest::addColumn<bool>("valideAvant");
    QTest::newRow("Annuler après une validation") << true << true;
    QTest::newRow("Annuler") << true << false;
    QTest::newRow("croix de la barre de titre") << false << false;
}

void TestEditeurFenetre::fermerSansValider()
{
    QFETCH(bool, parAnnuler);
    QFETCH(bool, valideAvant);

    // Acceptable cells: closing must not validate them.
    cellules->remplir(glyphesDifferents());
    cellules->styleValide = valideAvant;
    FenChoixEcriture *fen = ouvrirEditeur();
    QSignalSpy fermeture(fen, &FenChoixEcriture::fermerFenetre);
    auto *caseB = fen->findChild<QLineEdit *>(u"caseB"_s);
    caseB->clear();
    QTest::keyClicks(caseB, u"|3 "_s);

    if (parAnnuler)
        QTest::mouseClick(fen->findChild<QPushButton *>(u"boutonAnnuler"_s), Qt::LeftButton);
    else
        QVERIFY(fen->close());

    QVERIFY(!cellules->styleValide);
    QVERIFY(fen->isHidden());
    QCOMPARE(fermeture.count(), parAnnuler ? 1 : 0);
    QCOMPARE(cellules->cases[1]->text(), u"|3 "_s);
    QVERIFY(repondeur->boites().isEmpty());
    QVERIFY(reglages().allKeys().isEmpty());
}

void TestEditeurFenetre::reinitialiser()
{
    cellules->remplir(glyphesDifferents());
    reglages().setValue(u"A"_s, u"gardé"_s);
    cellules->styleValide = false;
    FenChoixEcriture *fen = ouvrirEditeur();

    QTest::mouseClick(fen->findChild<QPushButton *>(u"boutonReinitialiser"_s), Qt::LeftButton);

    QCOMPARE(cellules->textes(), QStringList(nombreLettres, QString()));
    QVERIFY(fen->isVisible());
    QVERIFY(!cellules->styleValide);
    QCOMPARE(fen->findChild<QLabel *>(u"etiquetteFichier"_s)->text(), u"Aucun fichier ouvert."_s);
    QCOMPARE(reglages().value(u"A"_s).toString(), u"gardé"_s);
    QCOMPARE(reglages().allKeys().size(), 1);
}

void TestEditeurFenetre::validation_data()
{
    QTest::addColumn<QStringList>("textes");
    QTest::addColumn<QString>("message");

    const QString uneVide = u"Un case est vide, veuillez la remplir."_s;
    const QString plusieursVides = u"Plusieurs cases sont vides, veuillez les remplir."_s;
    const QString identiques =
        u"Plusieurs cases sont identiques.<br />Il faut que toutes les cases soit différentes, "
        u"sinon, il risquerait d'y avoir des problèmes."_s;
    const QString accepte;

    const QStringList bonnes = glyphesDifferents();
    auto avec = [&](std::initializer_list<std::pair<int, QString>> changements) {
        QStringList textes = bonnes;
        for (const auto &[lettre, texte] : changements)
            textes[lettre] = texte;
        return textes;
    };

    QTest::newRow("toutes vides") << QStringList(nombreLettres, QString()) << plusieursVides;
    QTest::newRow("Z vide") << avec({{25, {}}}) << uneVide;
    QTest::newRow("A et M vides") << avec({{0, {}}, {12, {}}}) << plusieursVides;
    QTest::newRow("une vide et deux identiques")
        << avec({{3, {}}, {5, u"x"_s}, {9, u"x"_s}}) << uneVide;
    QTest::newRow("deux vides et deux identiques")
        << avec({{3, {}}, {4, {}}, {5, u"x"_s}, {9, u"x"_s}}) << plusieursVides;
    QTest::newRow("A et Z identiques") << avec({{0, u"/-\\"_s}, {25, u"/-\\"_s}}) << identiques;
    QTest::newRow("deux blancs") << avec({{7, u" "_s}, {20, u" "_s}}) << identiques;
    QTest::newRow("a et A") << avec({{0, u"a"_s}, {1, u"A"_s}}) << accepte;
    QTest::newRow("un glyphe en commence un autre") << avec({{8, u"|"_s}, {1, u"|3"_s}}) << accepte;
    QTest::newRow("accent") << avec({{4, u"é"_s}, {5, u"e"_s}}) << accepte;
    QTest::newRow("blancs en nombre différent") << avec({{7, u" "_s}, {20, u"  "_s}}) << accepte;
    QTest::newRow("glyphes différents") << bonnes << accepte;
}

void TestEditeurFenetre::validation()
{
    QFETCH(QStringList, textes);
    QFETCH(QString, message);

    cellules->remplir(textes);
    FenChoixEcriture *fen = ouvrirEditeur();
    QSignalSpy fermeture(fen, &FenChoixEcriture::fermerFenetre);

    QTest::mouseClick(fen->findChild<QPushButton *>(u"boutonValider"_s), Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY(repondeur->boites().isEmpty());
        QVERIFY(cellules->styleValide);
        QCOMPARE(fermeture.count(), 1);
        QVERIFY(fen->isHidden());
    } else {
        QCOMPARE(repondeur->boites().size(), 1);
        const FenetreModale boite = repondeur->boites().first();
        QCOMPARE(boite.titre, u"Erreur"_s);
        QCOMPARE(boite.texte, message);
        QCOMPARE(boite.icone, QMessageBox::Critical);
        QCOMPARE(boite.boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(boite.parent, fen);
        QVERIFY(!cellules->styleValide);
        QCOMPARE(fermeture.count(), 0);
        QVERIFY(fen->isVisible());
    }
    // The cells keep their texts either way.
    QCOMPARE(cellules->textes(), textes);
}

void TestEditeurFenetre::reglagesSeulementCaseCochee_data()
{
    QTest::addColumn<bool>("cochee");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("cochée, acceptée") << true << true;
    QTest::newRow("cochée, refusée") << true << false;
    QTest::newRow("non cochée, acceptée") << false << true;
}

void TestEditeurFenetre::reglagesSeulementCaseCochee()
{
    QFETCH(bool, cochee);
    QFETCH(bool, acceptable);

    // What an earlier validation stored.
    const QStringList anciennes = glyphesDifferents(u"ancien"_s);
    for (int i = 0; i < nombreLettres; ++i)
        reglages().setValue(QString(QChar(u'A' + i)), anciennes[i]);

    // Blanks at the ends and inside are part of a glyph.
    QStringList nouvelles = glyphesDifferents(u" n "_s);
    nouvelles[0] = uR"( /-\ )"_s;
    if (!acceptable)
        nouvelles[25].clear();
    cellules->remplir(nouvelles);

    FenChoixEcriture *fen = ouvrirEditeur();
    if (cochee)
        QTest::mouseClick(fen->findChild<QCheckBox *>(u"caseConserver"_s), Qt::LeftButton);
    QTest::mouseClick(fen->findChild<QPushButton *>(u"boutonValider"_s), Qt::LeftButton);
    QCOMPARE(cellules->styleValide, acceptable);

    const QStringList attendues = cochee && acceptable ? nouvelles : anciennes;
    QCOMPARE(reglages().allKeys().size(), nombreLettres);
    for (int i = 0; i < nombreLettres; ++i) {
        const QVariant valeur = reglages().value(QString(QChar(u'A' + i)));
        QCOMPARE(valeur.typeId(), QMetaType::QString);
        QCOMPARE(valeur.toString(), attendues[i]);
    }
}

void TestEditeurFenetre::casesSurviventAuxEditeurs()
{
    QWidget principale;
    cellules->remplir(glyphesDifferents());

    QPointer<FenChoixEcriture> premier =
        new FenChoixEcriture(&cellules->cases, &cellules->styleValide, &principale);
    premier->show();
    premier->close();

    // A new editor takes the cells out of the earlier one.
    QPointer<FenChoixEcriture> second =
        new FenChoixEcriture(&cellules->cases, &cellules->styleValide, &principale);
    second->show();
    QVERIFY(premier->findChildren<QLineEdit *>().isEmpty());
    for (QLineEdit *cellule : cellules->cases) {
        QCOMPARE(cellule->window(), second.data());
        QVERIFY(cellule->isVisible());
    }

    // Destroying the earlier editor leaves them where they are.
    delete premier;
    for (QLineEdit *cellule : cellules->cases)
        QCOMPARE(cellule->window(), second.data());

    // Destroying the one that holds them hands them back, whole.
    QList<QPointer<QLineEdit>> gardees;
    for (QLineEdit *cellule : cellules->cases)
        gardees.append(cellule);
    delete second;
    for (int i = 0; i < nombreLettres; ++i) {
        QVERIFY(!gardees[i].isNull());
        QCOMPARE(gardees[i]->parent(), nullptr);
        QCOMPARE(gardees[i]->text(), glyphesDifferents()[i]);
    }

    // And a later editor shows them again.
    FenChoixEcriture *troisieme = ouvrirEditeur(&principale);
    for (QLineEdit *cellule : cellules->cases) {
        QCOMPARE(cellule->window(), troisieme);
        QVERIFY(cellule->isVisible());
    }
}

void TestEditeurFenetre::explications()
{
    FenChoixEcriture *fen = ouvrirEditeur();
    auto fenetresPrecisions = [] {
        QList<QWidget *> fenetres;
        for (QWidget *fenetre : QApplication::topLevelWidgets()) {
            if (fenetre->objectName() == u"fenetrePrecisions"_s)
                fenetres.append(fenetre);
        }
        return fenetres;
    };

    fen->findChild<QAction *>(u"actionPrecisions"_s)->trigger();
    fen->findChild<QAction *>(u"actionPrecisions"_s)->trigger();

    // A new window at each call.
    const QList<QWidget *> fenetres = fenetresPrecisions();
    QCOMPARE(fenetres.size(), 2);
    for (QWidget *fenetre : fenetres) {
        QCOMPARE(fenetre->windowTitle(), u"Précisions"_s);
        QCOMPARE(fenetre->windowModality(), Qt::WindowModal);
        QCOMPARE(fenetre->parentWidget(), nullptr);
        QVERIFY(fenetre->isVisible());

        auto *etiquette = fenetre->findChild<QLabel *>();
        QVERIFY(etiquette);
        QCOMPARE(etiquette->textFormat(), Qt::AutoText);
        QVERIFY(Qt::mightBeRichText(etiquette->text()));

        // What the user reads: sixteen lines, the example's backslash single.
        QTextDocument document;
        document.setHtml(etiquette->text());
        const QStringList lignes = document.toPlainText().split(u'\n');
        QCOMPARE(lignes.size(), 16);
        QCOMPARE(lignes[0], u"Pour la fonction ouvrir, il faut que, sur le fichier à ouvrir, il y "
                            u"ait un saut de ligne"_s);
        QCOMPARE(lignes[1], u"entre chaque lettre pour qu'il soit lu correctement."_s);
        QCOMPARE(lignes[2], u"Ex :"_s);
        QCOMPARE(lignes.mid(3, 6), QStringList({{}, uR"(/-\)"_s, u"8"_s, u"("_s, u"etc..."_s, {}}));
        QCOMPARE(lignes[9], u"Pour que votre style d'écriture soit considéré comme valide lors "
                            u"de la traduction,"_s);
        QCOMPARE(lignes[10], u"il faut que vous cliquiez sur valider."_s);
        QCOMPARE(lignes[11], u"Si vous cliquez sur annuler ou sur la croix du haut, lors de la "
                             u"traduction, un message"_s);
        QCOMPARE(lignes[12], u"apparaîtra et vous dira que vous n'avez pas validé votre "
                             u"personnalisation."_s);
        QCOMPARE(lignes[13], QString());
        QCOMPARE(lignes[14], u"Pour vous aider à savoir quel fichier est ouvert, une petite "
                             u"phrase en bas vous"_s);
        QCOMPARE(lignes[15], u"dira le nom du fichier."_s);

        // Bold and underlined where the text says so.
        QVERIFY(etiquette->text().contains(
            u"<strong>un saut de ligne<br />entre chaque lettre</strong>"_s));
        QVERIFY(etiquette->text().contains(u"<u>Ex :</u>"_s));
    }
}

void TestEditeurFenetre::explicationsModales()
{
    // The editor blocks the main window, the explanations block nothing.
    QWidget principale;
    auto *boutonPrincipal = new QPushButton(u"principal"_s, &principale);
    QSignalSpy clicPrincipal(boutonPrincipal, &QPushButton::clicked);
    principale.show();
    cellules->remplir(glyphesDifferents());
    FenChoixEcriture *fen = ouvrirEditeur(&principale);

    fen->findChild<QAction *>(u"actionPrecisions"_s)->trigger();
    QWidget *precisions = nullptr;
    for (QWidget *fenetre : QApplication::topLevelWidgets()) {
        if (fenetre->objectName() == u"fenetrePrecisions"_s)
            precisions = fenetre;
    }
    QVERIFY(precisions);
    QVERIFY(QTest::qWaitForWindowExposed(precisions));

    QTest::mouseClick(fen->findChild<QPushButton *>(u"boutonReinitialiser"_s), Qt::LeftButton);
    QCOMPARE(cellules->textes(), QStringList(nombreLettres, QString()));

    QTest::mouseClick(boutonPrincipal, Qt::LeftButton);
    QCOMPARE(clicPrincipal.count(), 0);

    // Closing the explanations deletes them; the editor stays.
    QPointer<QWidget> gardee = precisions;
    precisions->close();
    QTRY_VERIFY(gardee.isNull());
    QVERIFY(fen->isVisible());
}

QTEST_MAIN(TestEditeurFenetre)
#include "test_editeur_fenetre.moc"
