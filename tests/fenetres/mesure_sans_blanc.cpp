// Times texts without a blank through the windows: from the click on
// "Traduire !" to the result window shown with its text and to its first
// frame drawn, for a personal glyph of 100,000 "#" over "aaaa" and for a
// Velmora result of 1,000,000 characters; then the main text box laying out
// a pasted text of 1,000,000 characters. Not a test: run it by hand,
//   QT_QPA_PLATFORM=offscreen fenetres_mesure_sans_blanc
//   xvfb-run -a fenetres_mesure_sans_blanc

#include "FenChoixEcriture.h"
#include "sondes.h"

#include <QLineEdit>

namespace {

constexpr int repetitions = 5;

void mesurer(FenEntreeTexte &fenetre, const char *quoi, const QString &texte,
             qsizetype longueurAttendue)
{
    controle<QTextEdit>(&fenetre, u"zoneTexte"_s)->setPlainText(texte);
    QList<qint64> montres, dessines;
    for (int i = 0; i < repetitions; ++i) {
        const auto [montre, dessine] = mesurerCommande(fenetre, longueurAttendue);
        montres << montre;
        dessines << dessine;
    }
    qInfo("%s, %lld characters: %lld ms to the result window shown with its text, %lld ms to "
          "its first frame drawn (median of %d)",
          quoi, static_cast<long long>(longueurAttendue), static_cast<long long>(mediane(montres)),
          static_cast<long long>(mediane(dessines)), repetitions);
}

// The personal style, typed in the editor and validated: A is `glypheA`,
// every other letter a glyph of its own.
void validerStylePerso(FenEntreeTexte &fenetre, const QString &glypheA)
{
    cliquer(controle<QAbstractButton>(&fenetre, u"radioPerso"_s));
    cliquer(controle<QAbstractButton>(&fenetre, u"boutonPersonnaliser"_s));
    auto *editeur = fenetre.findChild<FenChoixEcriture *>();
    for (int lettre = 0; lettre < 26; ++lettre) {
        const QChar nom(u'A' + lettre);
        controle<QLineEdit>(editeur, u"case"_s + nom)
            ->setText(lettre == 0 ? glypheA : u"<"_s + nom + u">"_s);
    }
    cliquer(controle<QAbstractButton>(editeur, u"boutonValider"_s));
    if (editeur->isVisible())
        qFatal("The personal style was not validated");
}

// The main text box receiving a pasted text, until it is drawn again.
void mesurerCollage(FenEntreeTexte &fenetre, const QString &texte)
{
    auto *zone = controle<QTextEdit>(&fenetre, u"zoneTexte"_s);
    QList<qint64> durees;
    for (int i = 0; i < repetitions; ++i) {
        zone->setPlainText(u"Bonjour "_s);
        zone->moveCursor(QTextCursor::End);
        QElapsedTimer chrono;
        chrono.start();
        zone->insertPlainText(texte);
        fenetre.grab();
        durees << chrono.elapsed();
    }
    qInfo("Main text box, %lld characters pasted without a blank: %lld ms to the window drawn "
          "again (median of %d)",
          static_cast<long long>(texte.size()), static_cast<long long>(mediane(durees)),
          repetitions);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const ReglagesDeSonde reglages;

    FenEntreeTexte fenetre;
    montrer(fenetre);
    cliquer(controle<QAbstractButton>(&fenetre, u"radioFrancaisLeet"_s));

    validerStylePerso(fenetre, QString(100 * 1000, u'#'));
    mesurer(fenetre, "Personal style, A of 100,000 \"#\", over \"aaaa\"", u"aaaa"_s, 400 * 1000);

    // "s" is "5" in Velmora: a result as long as the text, digits throughout.
    cliquer(controle<QAbstractButton>(&fenetre, u"radioVelmora"_s));
    mesurer(fenetre, "Velmora, 1,000,000 \"s\"", QString(1000 * 1000, u's'), 1000 * 1000);

    mesurerCollage(fenetre, QString(1000 * 1000, u's'));
    return 0;
}
