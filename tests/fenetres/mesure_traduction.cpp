// Times the translate command on a 1 MiB text in each direction, from the
// click on "Traduire !" to the result window shown with its text, and how
// that time splits between reading the text box, the engine and building the
// result window. Not a test: run it by hand,
//   QT_QPA_PLATFORM=offscreen fenetres_mesure

#include "sondes.h"
#include "traduction.h"

namespace {

constexpr int repetitions = 5;

struct Mesure
{
    qint64 total = 0;
    qint64 premiereImage = 0;
    qint64 lecture = 0;
    qint64 moteur = 0;
    qint64 fenetreResultat = 0;
};

Mesure mesurer(const QStringList &choix, const QString &texte, const Demande &demande)
{
    FenEntreeTexte fenetre;
    montrer(fenetre);
    for (const QString &nom : choix)
        cliquer(controle<QAbstractButton>(&fenetre, nom));
    auto *zoneTexte = controle<QTextEdit>(&fenetre, u"zoneTexte"_s);
    zoneTexte->setPlainText(texte);

    const qsizetype longueurResultat = traduireSelon(demande, texte).size();
    QList<qint64> totaux, images, lectures, moteurs, fenetres;
    for (int i = 0; i < repetitions; ++i) {
        const auto [total, image] = mesurerCommande(fenetre, longueurResultat);
        totaux << total;
        images << image;

        QElapsedTimer chrono;
        chrono.start();
        const QString lu = zoneTexte->document()->toPlainText();
        lectures << chrono.restart();
        const QString resultat = traduireSelon(demande, lu);
        moteurs << chrono.restart();
        {
            FenTexteTraduit fenetreResultat(resultat, &fenetre);
            fenetres << chrono.elapsed();
        }
    }
    return {mediane(totaux), mediane(images), mediane(lectures), mediane(moteurs),
            mediane(fenetres)};
}

void afficher(const char *sens, qsizetype longueur, const Mesure &mesure)
{
    qInfo("%s, %lld characters: %lld ms from traduire() to the result window shown with its "
          "text, %lld ms to its first frame drawn (reading the box %lld ms, engine %lld ms, "
          "building the result window %lld ms; median of %d)",
          sens, static_cast<long long>(longueur), static_cast<long long>(mesure.total),
          static_cast<long long>(mesure.premiereImage), static_cast<long long>(mesure.lecture),
          static_cast<long long>(mesure.moteur), static_cast<long long>(mesure.fenetreResultat),
          repetitions);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const ReglagesDeSonde reglages;

    const QString francais = proseFrancaise(unMio);
    Demande versLeet;
    const Mesure aller = mesurer({u"radioVelmora"_s, u"radioFrancaisLeet"_s}, francais, versLeet);
    afficher("French to leet (Velmora)", francais.size(), aller);

    QString leet = traduireSelon(versLeet, francais);
    leet.truncate(unMio);
    Demande depuisLeet;
    depuisLeet.versLeet = false;
    const Mesure retour = mesurer({u"radioVelmora"_s, u"radioLeetFrancais"_s}, leet, depuisLeet);
    afficher("Leet to French (Velmora)", leet.size(), retour);
    return 0;
}
