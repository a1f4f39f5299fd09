// Times the translate command on a 1 MiB text in each direction, from the
// click on "Traduire !" to the result window shown with its text, and how
// that time splits between reading the text box, the engine and building the
// result window. Not a test: run it by hand,
//   QT_QPA_PLATFORM=offscreen fenetres_mesure

#include "FenEntreeTexte.h"
#include "FenTexteTraduit.h"
#include "outils.h"
#include "traduction.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr qsizetype unMio = 1024 * 1024;
constexpr int repetitions = 5;

// Ordinary French prose, with accents, digits and punctuation, in lines of
// ordinary length, repeated up to exactly one mebi-character.
QString texteFrancais()
{
    const QString paragraphe = u"Le Scribolix traduit le français en leet : « Bonjour à tous ! »\n"
                               u"Ça va ? Où êtes-vous allés en 2011, l'été dernier… à Noël ?\n"
                               u"Les élèves déçus répètent : « Ma vie est belle », et rient.\n"_s;
    QString texte;
    texte.reserve(unMio);
    while (texte.size() < unMio)
        texte += paragraphe;
    texte.truncate(unMio);
    return texte;
}

struct Mesure
{
    qint64 total = 0;
    qint64 premiereImage = 0;
    qint64 lecture = 0;
    qint64 moteur = 0;
    qint64 fenetreResultat = 0;
};

qint64 mediane(QList<qint64> valeurs)
{
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[valeurs.size() / 2];
}

// From the slot's call to the moment the modal result window runs its own
// event loop, shown and holding the whole text; then to its first frame drawn.
std::pair<qint64, qint64> mesurerCommande(FenEntreeTexte &fenetre, qsizetype longueurAttendue)
{
    QElapsedTimer chrono;
    qint64 ecoule = -1;
    qint64 dessine = -1;
    QTimer::singleShot(0, &fenetre, [&] {
        auto *resultat = qobject_cast<FenTexteTraduit *>(QApplication::activeModalWidget());
        if (!resultat || !resultat->isVisible())
            qFatal("No result window");
        const auto *zone = controle<QTextEdit>(resultat, u"zoneResultat"_s);
        ecoule = chrono.elapsed();
        if (zone->document()->characterCount() - 1 != longueurAttendue)
            qFatal("The result window does not hold the whole result");
        resultat->grab();
        dessine = chrono.elapsed();
        resultat->reject();
    });
    chrono.start();
    fenetre.traduire();
    return {ecoule, dessine};
}

Mesure mesurer(const QStringList &choix, const QString &texte, const Demande &demande)
{
    FenEntreeTexte fenetre;
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        qFatal("The main window never showed");
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
    QTemporaryDir configuration;
    if (!isolerReglages(configuration))
        qFatal("The settings store would not move into a temporary folder");

    const QString francais = texteFrancais();
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
