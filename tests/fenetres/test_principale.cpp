// The main window as it is built: controls, menus and shortcuts, the cells
// restored from the settings, the icon, the help, about and style reference
// windows, and the personal style lent to the editor.

#include "FenChoixEcriture.h"
#include "FenEntreeTexte.h"
#include "outils.h"
#include "reglages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const QString alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;

QLineEdit *cellule(QChar lettre)
{
    for (QWidget *fenetre : QApplication::allWidgets()) {
        if (fenetre->objectName() == u"case"_s + lettre)
            return qobject_cast<QLineEdit *>(fenetre);
    }
    return nullptr;
}

QWidget *fenetreVisible(const QString &titre)
{
    for (QWidget *fenetre : QApplication::topLevelWidgets()) {
        if (fenetre->isVisible() && fenetre->windowTitle() == titre)
            return fenetre;
    }
    return nullptr;
}

int fenetresVisibles(const QString &titre)
{
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    return int(std::count_if(fenetres.cbegin(), fenetres.cend(), [&](const QWidget *fenetre) {
        return fenetre->isVisible() && fenetre->windowTitle() == titre;
    }));
}

} // namespace

class TestPrincipale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controles_data();
    void controles();
    void etatInitial();
    void menus();
    void disposition();
    void iconeDuDossierCourant();
    void premierDemarrageCasesVides();
    void casesRestaurees();
    void casesRestaureesNeSontPasValidees();
    void raccourcis_data();
    void raccourcis();
    void touchesDuTexte_data();
    void touchesDuTexte();
    void coller_data();
    void coller();
    void fenetreEcriture_data();
    void fenetreEcriture();
    void modeEmploi();
    void aProposOkFermeLaSienne();
    void styleValideParLEditeur();
    void casesRenduesALaFermeture();
    void quitterMalgreLesFenetresOuvertes();

private:
    void ouvrir();

    QTemporaryDir configuration;
    std::unique_ptr<FenEntreeTexte> fenetre;
};

void TestPrincipale::initTestCase()
{
    QVERIFY(configuration.isValid());
    QVERIFY(isolerReglages(configuration));
}

void TestPrincipale::init()
{
    reglages().clear();
}

void TestPrincipale::ouvrir()
{
    fenetre = std::make_unique<FenEntreeTexte>();
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
}

void TestPrincipale::cleanup()
{
    fenetre.reset();
    fermerFenetresOuvertes();
}

void TestPrincipale::controles_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("texte");

    const auto ligne = [](const QString &nom, const char *classe, const QString &texte) {
        QTest::newRow(qPrintable(nom)) << nom << QString::fromLatin1(classe) << texte;
    };
    ligne(u"groupeType"_s, "QGroupBox", u"Type de traduction"_s);
    ligne(u"radioVelmora"_s, "QRadioButton", u"Écriture de &Velmora"_s);
    ligne(u"radioKorvane"_s, "QRadioButton", u"Écriture de &Korvane"_s);
    ligne(u"radioPerso"_s, "QRadioButton", u"Écriture &Personnalisée"_s);
    ligne(u"boutonPersonnaliser"_s, "QPushButton", u"Personnaliser..."_s);
    ligne(u"caseMettreEspaces"_s, "QCheckBox", u"&Mettre des espaces entre les lettres"_s);
    ligne(u"caseSupprimerEspaces"_s, "QCheckBox", u"&Supprimer les espaces entre les lettres"_s);
    ligne(u"caseDoublerAntiSlashs"_s, "QCheckBox", u"&Doubler les anti-slashs"_s);
    ligne(u"groupeSens"_s, "QGroupBox", u"Sens de conversion"_s);
    ligne(u"radioFrancaisLeet"_s, "QRadioButton", u"&Français vers leet"_s);
    ligne(u"radioLeetFrancais"_s, "QRadioButton", u"&Leet vers français"_s);
    ligne(u"groupeTexte"_s, "QGroupBox", u"&Texte à traduire"_s);
    ligne(u"zoneTexte"_s, "QTextEdit", u"Entrez le texte à traduire ici..."_s);
    ligne(u"boutonQuitter"_s, "QPushButton", u"Quitter"_s);
    ligne(u"labelVide"_s, "QLabel", QString());
    ligne(u"boutonTraduire"_s, "QPushButton", u"Traduire !"_s);
    ligne(u"labelBienvenue"_s, "QLabel",
          u"<center><strong>Bienvenue dans le Scribolix !<br /></strong></center>"_s);
    ligne(u"zoneCentrale"_s, "QWidget", QString());
}

void TestPrincipale::controles()
{
    QFETCH(QString, nom);
    QFETCH(QString, classe);
    QFETCH(QString, texte);

    ouvrir();
    auto *widget = controle<QWidget>(fenetre.get(), nom);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), classe);
    QVERIFY(widget->isVisible());
    if (auto *bouton = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(bouton->text(), texte);
    else if (auto *groupe = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(groupe->title(), texte);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), texte);
    else if (auto *zone = qobject_cast<QTextEdit *>(widget))
        QCOMPARE(zone->toPlainText(), texte);
}

void TestPrincipale::etatInitial()
{
    ouvrir();
    QCOMPARE(fenetre->windowTitle(), u"Le Scribolix !"_s);
    QCOMPARE(fenetre->centralWidget(), controle<QWidget>(fenetre.get(), u"zoneCentrale"_s));
    for (QRadioButton *radio : fenetre->findChildren<QRadioButton *>()) {
        QVERIFY2(radio->isCheckable() && !radio->isChecked(), qPrintable(radio->objectName()));
    }
    for (QCheckBox *option : fenetre->findChildren<QCheckBox *>())
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
    QVERIFY(!controle<QPushButton>(fenetre.get(), u"boutonPersonnaliser"_s)->isEnabled());
    QVERIFY(controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s)->acceptRichText());
}

void TestPrincipale::menus()
{
    ouvrir();
    const QList<QAction *> menus = fenetre->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), u"&Écritures"_s);
    QCOMPARE(menus[1]->text(), u"&?"_s);

    const QList<QAction *> ecritures = menus[0]->menu()->actions();
    const QList<QAction *> question = menus[1]->menu()->actions();
    QCOMPARE(ecritures.size(), 2);
    QCOMPARE(question.size(), 2);
    const QList<std::pair<QAction *, QString>> attendus = {
        {ecritures[0], u"Écriture de Velmora|Ctrl+M|actionEcritureVelmora"_s},
        {ecritures[1], u"Écriture de Korvane|Ctrl+R|actionEcritureKorvane"_s},
        {question[0], u"Mode d'emploi\tCtrl+E, F1|Ctrl+E|actionModeEmploi"_s},
        {question[1], u"À Propos du Scribolix|Ctrl+P|actionAPropos"_s},
    };
    for (const auto &[action, attendu] : attendus) {
        QCOMPARE(QStringList({action->text(), action->shortcut().toString(), action->objectName()})
                     .join(u'|'),
                 attendu);
    }
}

// The order the user reads from top to bottom, and the three options inside
// the style group, under the style choice.
void TestPrincipale::disposition()
{
    ouvrir();
    const auto haut = [this](const QString &nom) {
        auto *widget = controle<QWidget>(fenetre.get(), nom);
        return widget->mapTo(fenetre.get(), QPoint(0, 0)).y();
    };
    const QStringList colonne = {u"labelBienvenue"_s,        u"radioVelmora"_s,
                                 u"radioKorvane"_s,          u"radioPerso"_s,
                                 u"caseMettreEspaces"_s,     u"caseSupprimerEspaces"_s,
                                 u"caseDoublerAntiSlashs"_s, u"radioFrancaisLeet"_s,
                                 u"radioLeetFrancais"_s,     u"zoneTexte"_s,
                                 u"boutonTraduire"_s};
    for (qsizetype i = 1; i < colonne.size(); ++i)
        QVERIFY2(haut(colonne[i - 1]) < haut(colonne[i]), qPrintable(colonne[i]));

    auto *groupeType = controle<QGroupBox>(fenetre.get(), u"groupeType"_s);
    QCOMPARE(controle<QWidget>(fenetre.get(), u"caseDoublerAntiSlashs"_s)->parentWidget(),
             groupeType);
    // On one row: the middle of the radio button is within the push button's height.
    auto *personnaliser = controle<QWidget>(fenetre.get(), u"boutonPersonnaliser"_s);
    const int milieuPerso =
        haut(u"radioPerso"_s) + controle<QWidget>(fenetre.get(), u"radioPerso"_s)->height() / 2;
    QVERIFY(haut(u"boutonPersonnaliser"_s) < milieuPerso);
    QVERIFY(milieuPerso < haut(u"boutonPersonnaliser"_s) + personnaliser->height());
    const auto gauche = [this](const QString &nom) {
        return controle<QWidget>(fenetre.get(), nom)->mapTo(fenetre.get(), QPoint(0, 0)).x();
    };
    QVERIFY(gauche(u"radioPerso"_s) < gauche(u"boutonPersonnaliser"_s));
    QCOMPARE(haut(u"boutonQuitter"_s), haut(u"boutonTraduire"_s));
    QVERIFY(gauche(u"boutonQuitter"_s) < gauche(u"labelVide"_s));
    QVERIFY(gauche(u"labelVide"_s) < gauche(u"boutonTraduire"_s));
}

// A "logo.png" in the working directory wins over the built-in picture.
void TestPrincipale::iconeDuDossierCourant()
{
    ouvrir();
    QVERIFY(!fenetre->windowIcon().isNull());
    const QColor integree = fenetre->windowIcon().pixmap(64).toImage().pixelColor(32, 32);
    fenetre.reset();

    QTemporaryDir dossier;
    QImage rouge(64, 64, QImage::Format_RGB32);
    rouge.fill(Qt::red);
    QVERIFY(rouge.save(dossier.filePath(u"logo.png"_s)));
    const QString ancien = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dossier.path()));
    ouvrir();
    QDir::setCurrent(ancien);

    const QColor locale = fenetre->windowIcon().pixmap(64).toImage().pixelColor(32, 32);
    QCOMPARE(locale, QColor(Qt::red));
    QVERIFY(integree != locale);
}

void TestPrincipale::premierDemarrageCasesVides()
{
    ouvrir();
    for (QChar lettre : alphabet) {
        QLineEdit *texte = cellule(lettre);
        QVERIFY(texte);
        QVERIFY(texte->text().isEmpty());
        QCOMPARE(texte->parent(), nullptr);
        QVERIFY(!texte->isVisible());
    }
}

void TestPrincipale::casesRestaurees()
{
    for (QChar lettre : alphabet)
        reglages().setValue(QString(lettre), u"<"_s + lettre + u">"_s);
    reglages().setValue(u"B"_s, u"  |3 "_s);
    reglages().setValue(u"Q"_s, 42);
    reglages().remove(u"Z"_s);
    reglages().sync();

    ouvrir();
    QCOMPARE(cellule(u'A')->text(), u"<A>"_s);
    QCOMPARE(cellule(u'B')->text(), u"  |3 "_s);
    QCOMPARE(cellule(u'Q')->text(), u"42"_s);
    QCOMPARE(cellule(u'Y')->text(), u"<Y>"_s);
    QCOMPARE(cellule(u'Z')->text(), QString());
}

void TestPrincipale::casesRestaureesNeSontPasValidees()
{
    for (QChar lettre : alphabet)
        reglages().setValue(QString(lettre), QString(lettre) + lettre);
    ouvrir();
    cliquer(controle<QRadioButton>(fenetre.get(), u"radioPerso"_s));
    cliquer(controle<QRadioButton>(fenetre.get(), u"radioFrancaisLeet"_s));
    controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s)->setPlainText(u"abc"_s);

    Repondeur repondeur;
    cliquer(controle<QPushButton>(fenetre.get(), u"boutonTraduire"_s));
    QCOMPARE(repondeur.vues.size(), 1);
    QCOMPARE(repondeur.vues[0].texte,
             u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s);
}

void TestPrincipale::raccourcis_data()
{
    QTest::addColumn<QKeySequence>("touches");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<bool>("outilDeLaFenetre");

    QTest::newRow("Ctrl+M") << QKeySequence(u"Ctrl+M"_s) << u"Velmora"_s << true;
    QTest::newRow("Ctrl+R") << QKeySequence(u"Ctrl+R"_s) << u"Korvane"_s << true;
    QTest::newRow("Ctrl+E") << QKeySequence(u"Ctrl+E"_s) << u"Mode d'emploi du Scribolix"_s
                            << false;
    QTest::newRow("Ctrl+P") << QKeySequence(u"Ctrl+P"_s) << u"À Propos du Scribolix"_s << false;
    QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << u"Mode d'emploi du Scribolix"_s << false;
}

void TestPrincipale::touchesDuTexte_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<Qt::KeyboardModifiers>("modificateurs");
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("texte");

    const auto ligne = [](const char *nom, int touche, Qt::KeyboardModifiers modificateurs,
                          const QString &bouton, const QString &focus, const QString &texte) {
        QTest::newRow(nom) << touche << modificateurs << bouton << focus << texte;
    };
    const QString zone = u"zoneTexte"_s;
    const QString salut = u"Salut"_s;
    ligne("Ctrl+Entrée", Qt::Key_Return, Qt::ControlModifier, u"boutonTraduire"_s, zone, salut);
    ligne("Ctrl+Entrée du pavé", Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier,
          u"boutonTraduire"_s, zone, salut);
    ligne("Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, u"boutonQuitter"_s, zone, salut);
    ligne("Tab", Qt::Key_Tab, {}, QString(), zone, u"Salut\t"_s);
    ligne("Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, QString(), u"boutonQuitter"_s, salut);
    ligne("Ctrl+Maj+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, QString(),
          u"radioLeetFrancais"_s, salut);
}

// In the text box, where the user's hands are: a button's key presses it
// once, leaving the text alone; Tab types a tab, Ctrl+Tab leaves the box.
void TestPrincipale::touchesDuTexte()
{
    QFETCH(int, touche);
    QFETCH(Qt::KeyboardModifiers, modificateurs);
    QFETCH(QString, bouton);
    QFETCH(QString, focus);
    QFETCH(QString, texte);

    ouvrir();
    fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
    auto *quitter = controle<QPushButton>(fenetre.get(), u"boutonQuitter"_s);
    QVERIFY(QObject::disconnect(quitter, &QPushButton::clicked, qApp, nullptr));
    QSignalSpy quittes(quitter, &QPushButton::clicked);
    QSignalSpy traduits(controle<QPushButton>(fenetre.get(), u"boutonTraduire"_s),
                        &QPushButton::clicked);
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->setPlainText(u"Salut"_s);
    zoneTexte->moveCursor(QTextCursor::End);
    zoneTexte->setFocus();
    Repondeur repondeur;
    QTest::keyClick(zoneTexte, Qt::Key(touche), modificateurs);

    QCOMPARE(quittes.count(), int(bouton == u"boutonQuitter"_s));
    QCOMPARE(traduits.count(), int(bouton == u"boutonTraduire"_s));
    // Back where it was after the error box that Ctrl+Entrée brings up here.
    const auto focusVu = [] {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    QTRY_COMPARE(focusVu(), focus);
    QCOMPARE(zoneTexte->toPlainText(), texte);
}

void TestPrincipale::coller_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("gras");

    QTest::newRow("texte brut") << QString() << u"Une\nDeux\tlignes <b>"_s << false;
    QTest::newRow("grand texte brut")
        << QString() << u"Une\nDeux\tlignes <b>\n"_s.repeated(5000) << false;
    QTest::newRow("texte riche d'un navigateur")
        << u"<b>Une</b><br>Deux"_s << u"Une\nDeux"_s << true;
}

// Pasted into typed text: plain text comes as typed, rich text with its
// formats, and one undo takes the whole paste back.
void TestPrincipale::coller()
{
    QFETCH(QString, html);
    QFETCH(QString, texte);
    QFETCH(bool, gras);

    ouvrir();
    auto *zoneTexte = controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s);
    zoneTexte->clear();
    QTest::keyClicks(zoneTexte, u"Avant "_s);
    auto *donnees = new QMimeData;
    donnees->setText(texte);
    if (!html.isEmpty())
        donnees->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(donnees);
    QTest::keySequence(zoneTexte, QKeySequence::Paste);

    QCOMPARE(zoneTexte->toPlainText(), u"Avant "_s + texte);
    QCOMPARE(zoneTexte->textCursor().position(), u"Avant "_s.size() + texte.size());
    QCOMPARE(zoneTexte->toHtml().contains(u"font-weight:700"_s), gras);
    QTest::keySequence(zoneTexte, QKeySequence::Undo);
    QCOMPARE(zoneTexte->toPlainText(), u"Avant "_s);
}

// Reference windows stay above the main window as its tools; help and about
// are windows of their own, which keep the program running.
void TestPrincipale::raccourcis()
{
    QFETCH(QKeySequence, touches);
    QFETCH(QString, titre);
    QFETCH(bool, outilDeLaFenetre);

    ouvrir();
    fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
    QTest::keySequence(controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s), touches);

    QWidget *ouverte = fenetreVisible(titre);
    QVERIFY(ouverte);
    QCOMPARE(ouverte->parentWidget(), outilDeLaFenetre ? fenetre.get() : nullptr);
    QCOMPARE(ouverte->windowType(), outilDeLaFenetre ? Qt::Tool : Qt::Window);
    QVERIFY(!ouverte->isModal());
    QTest::keySequence(fenetre.get(), touches);
    QCOMPARE(fenetresVisibles(titre), 2);
}

void TestPrincipale::fenetreEcriture_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QStringList>("colonnes");

    const QString ah = u"H  :  |-|\n\n"_s;
    const QString jk = u"J  :  _|\n\nK  :  |<\n\n"_s;
    const QString mn = uR"(M  :  |\/|)"_s + u"\n\n"_s + uR"(N  :  |\|)"_s;
    const QString rz = u"\n\nR  :  |2\n\nS  :  5\n\nT  :  7\n\nU  :  |_|"_s;
    const QString vz =
        uR"(V  :  \/)"_s + u"\n\n"_s + uR"(W  :  \/\/)"_s + u"\n\nX  :  )(\n\nY  :  Y\n\nZ  :  2"_s;
    const auto ag = [](const QString &b) {
        return uR"(A  :  /-\)"_s + u"\n\nB  :  "_s + b +
               u"\n\nC  :  (\n\nD  :  |)\n\nE  :  3\n\nF  :  |=\n\nG  :  6"_s;
    };

    QTest::newRow("Velmora") << u"Velmora"_s
                             << QStringList{ag(u"8"_s),
                                            ah + u"I  :  !\n\n"_s + jk + u"L  :  1\n\n"_s + mn,
                                            u"O  :  ()\n\nP  :  |>\n\nQ  :  9"_s + rz, vz};
    QTest::newRow("Korvane") << u"Korvane"_s
                             << QStringList{ag(u"|3"_s),
                                            ah + u"I  :  |\n\n"_s + jk + u"L  :  |_\n\n"_s + mn,
                                            u"O  :  ()\n\nP  :  |>\n\nQ  :  (,)"_s + rz, vz};
}

// The whole window, column by column, as the user reads it: the two styles
// differ in B, I, L and Q only.
void TestPrincipale::fenetreEcriture()
{
    QFETCH(QString, style);
    QFETCH(QStringList, colonnes);

    ouvrir();
    controle<QAction>(fenetre.get(), u"actionEcriture"_s + style)->trigger();
    QWidget *ecriture = fenetreVisible(style);
    QVERIFY(ecriture);

    const QList<QLabel *> labels = ecriture->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 5);
    QCOMPARE(labels[0]->text(), u"<center><strong><u>Style d'écriture de "_s + style +
                                    u" :</u></strong></center><br />"_s);
    QList<QLabel *> colonnesVues = labels.mid(1);
    std::sort(colonnesVues.begin(), colonnesVues.end(), [](QLabel *a, QLabel *b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(colonnesVues[i]->text(), colonnes[i]);
        QCOMPARE(colonnesVues[i]->textFormat(), Qt::PlainText);
        QVERIFY(colonnesVues[i]->mapToGlobal(QPoint()).y() > labels[0]->mapToGlobal(QPoint()).y());
    }
    const QList<QFrame *> cadres = ecriture->findChildren<QFrame *>();
    QCOMPARE(std::count_if(cadres.cbegin(), cadres.cend(),
                           [](QFrame *f) {
                               return f->frameShape() == QFrame::VLine &&
                                      f->frameShadow() == QFrame::Plain;
                           }),
             3);
}

void TestPrincipale::modeEmploi()
{
    ouvrir();
    controle<QAction>(fenetre.get(), u"actionModeEmploi"_s)->trigger();
    QWidget *aide = fenetreVisible(u"Mode d'emploi du Scribolix"_s);
    QVERIFY(aide);
    const QList<QLabel *> labels = aide->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 1);
    const QString texte = labels[0]->text();
    // The ten pieces of the guide, then a blank line and five on the reading
    // with words.
    QCOMPARE(texte.count(u"<br />"_s), 15);
    QVERIFY(texte.startsWith(u"<center><strong><u>Ce logiciel va traduire un texte en français en "
                             u"leet et inversement,voici quelques explications :</u></strong>"
                             u"</center><br /><br /><strong>-Écriture de Velmora :</strong>"_s));
    QVERIFY(texte.contains(u"consulter dans la partie \"Écritures\".<br />"_s));
    QVERIFY(
        texte.contains(u"les anti-slashs \"  \" seront doublés.<br /><br /><strong>-Mettres "_s));
    QVERIFY(texte.contains(u"(ex : avec \"|_|_|_|\"), si les lettres"_s));
    QVERIFY(texte.contains(
        u"vous pourrez ainsi choisir de supprimer les espaces inutiles.<br /><br />"
        u"<strong>-Écriture courante :</strong> Le leet que tout le monde écrit : 4 pour A"_s));
    QVERIFY(texte.contains(u"<strong>-Rétablir les mots et les accents :</strong>"_s));
    QVERIFY(texte.endsWith(u"du paquet wfrench ; un long texte peut prendre un moment, que vous "
                           u"pouvez annuler."_s));
}

void TestPrincipale::aProposOkFermeLaSienne()
{
    ouvrir();
    auto *aPropos = controle<QAction>(fenetre.get(), u"actionAPropos"_s);
    aPropos->trigger();
    aPropos->trigger();
    const QString titre = u"À Propos du Scribolix"_s;
    QCOMPARE(fenetresVisibles(titre), 2);

    QWidget *premiere = fenetreVisible(titre);
    const QString texte = premiere->findChildren<QLabel *>().constFirst()->text();
    QVERIFY(texte.contains(u"Scribolix"_s));
    QVERIFY(texte.contains(QStringLiteral(SCRIBOLIX_VERSION)));
    QVERIFY(texte.contains(u"les développeurs du Scribolix"_s));
    QVERIFY(texte.contains(u"GPL-3.0-or-later"_s));
    const QList<QFrame *> cadres = premiere->findChildren<QFrame *>();
    QVERIFY(std::any_of(cadres.cbegin(), cadres.cend(), [](QFrame *f) {
        return f->frameShape() == QFrame::HLine && f->frameShadow() == QFrame::Plain;
    }));

    auto *ok = premiere->findChild<QPushButton *>();
    QCOMPARE(ok->text(), u"OK"_s);
    QVERIFY(ok->mapTo(premiere, QPoint()).x() >= premiere->width() / 2 - ok->width() / 4);
    cliquer(ok);
    QCOMPARE(fenetresVisibles(titre), 1);
    QVERIFY(fenetre->isVisible());
}

// The full road of the personal style: the editor shows the main window's own
// cells, and only its "Valider" makes them usable; opening it again takes
// that back.
void TestPrincipale::styleValideParLEditeur()
{
    ouvrir();
    cliquer(controle<QRadioButton>(fenetre.get(), u"radioPerso"_s));
    cliquer(controle<QRadioButton>(fenetre.get(), u"radioFrancaisLeet"_s));
    controle<QTextEdit>(fenetre.get(), u"zoneTexte"_s)->setPlainText(u"Abc"_s);

    cliquer(controle<QPushButton>(fenetre.get(), u"boutonPersonnaliser"_s));
    auto *editeur = fenetre->findChild<FenChoixEcriture *>();
    QVERIFY(editeur);
    QVERIFY(editeur->isVisible());
    for (QChar lettre : alphabet)
        QCOMPARE(cellule(lettre)->window(), editeur);
    for (QChar lettre : alphabet)
        cellule(lettre)->setText(u"<"_s + lettre + u">"_s);
    cliquer(controle<QPushButton>(editeur, u"boutonValider"_s));

    QList<FenetreModale> vues;
    {
        Repondeur repondeur;
        cliquer(controle<QPushButton>(fenetre.get(), u"boutonTraduire"_s));
        vues = repondeur.vues;
    }
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].classe, u"FenTexteTraduit"_s);
    QCOMPARE(vues[0].texte, u"<A><B><C>"_s);

    cliquer(controle<QPushButton>(fenetre.get(), u"boutonPersonnaliser"_s));
    fenetre->findChildren<FenChoixEcriture *>().constLast()->close();
    {
        Repondeur repondeur;
        cliquer(controle<QPushButton>(fenetre.get(), u"boutonTraduire"_s));
        vues = repondeur.vues;
    }
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues[0].texte, u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s);
}

// The cells go with the main window, also those an open editor holds; a cell
// that someone else has taken is theirs.
void TestPrincipale::casesRenduesALaFermeture()
{
    ouvrir();
    cliquer(controle<QRadioButton>(fenetre.get(), u"radioPerso"_s));
    cliquer(controle<QPushButton>(fenetre.get(), u"boutonPersonnaliser"_s));
    QPointer<QLineEdit> a = cellule(u'A');
    QPointer<QLineEdit> b = cellule(u'B');
    QVERIFY(a->parent());
    QWidget ailleurs;
    b->setParent(&ailleurs);

    fenetre.reset();
    QVERIFY(a.isNull());
    QVERIFY(!b.isNull());
    const QString rendues = QString(alphabet).remove(u'B');
    for (QChar lettre : rendues)
        QVERIFY2(!cellule(lettre), qPrintable(QString(lettre)));
}

// "Quitter" ends the event loop with status 0, even while windows that would
// otherwise keep the program running are open.
void TestPrincipale::quitterMalgreLesFenetresOuvertes()
{
    ouvrir();
    controle<QAction>(fenetre.get(), u"actionModeEmploi"_s)->trigger();
    controle<QAction>(fenetre.get(), u"actionAPropos"_s)->trigger();
    controle<QAction>(fenetre.get(), u"actionEcritureKorvane"_s)->trigger();
    QTimer::singleShot(0, fenetre.get(), [this] {
        cliquer(controle<QPushButton>(fenetre.get(), u"boutonQuitter"_s));
    });
    QTimer::singleShot(5000, fenetre.get(), [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestPrincipale)
#include "test_principale.moc"
