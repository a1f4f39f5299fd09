#include "chargementlecture.h"

#include "listeindexee.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <future>

using namespace Qt::StringLiterals;

QString cheminListeParDefaut()
{
    return u"/usr/share/dict/french"_s;
}

QString cheminModeleParDefaut()
{
    const QString voisin =
        QCoreApplication::applicationDirPath() + u"/../share/scribolix/francais.modele"_s;
    for (const QString &chemin : {voisin, QStringLiteral(SCRIBOLIX_MODELE_INSTALLE)}) {
        if (QFileInfo::exists(chemin))
            return QDir::cleanPath(chemin);
    }
    return QStringLiteral(SCRIBOLIX_MODELE_SOURCES);
}

QString dossierDesCaches()
{
    const QString caches = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return caches.isEmpty() ? QString() : caches + u"/scribolix"_s;
}

std::optional<RessourcesLecture> chargerRessourcesLecture(const QString &cheminListe,
                                                          const QString &cheminModele,
                                                          const QString &caches, QString &erreur)
{
    QString erreurModele;
    std::future<std::optional<ModeleContexte>> chargement = std::async(
        std::launch::async, [&] { return ModeleContexte::charger(cheminModele, &erreurModele); });
    std::optional<ModeleContexte> modele;
    const auto attendreModele = [&]() -> const std::optional<ModeleContexte> & {
        if (chargement.valid())
            modele = chargement.get();
        return modele;
    };
    // The words the model knows are words too, where the list lacks them;
    // asked for only when the list must be indexed anew.
    const auto vocabulaire = [&]() -> AutresMots {
        if (!attendreModele())
            return std::nullopt;
        return attendreModele()->vocabulaire();
    };
    // The index stands for the model's bytes too.
    QFile fichierModele(cheminModele);
    const QByteArray origine =
        fichierModele.open(QIODevice::ReadOnly)
            ? QCryptographicHash::hash(fichierModele.readAll(), QCryptographicHash::Sha256)
            : QByteArray();
    std::optional<Dictionnaire> dictionnaire;
    if (caches.isEmpty()) {
        if (const AutresMots mots = vocabulaire())
            dictionnaire = Dictionnaire::charger(cheminListe, &erreur, *mots);
    } else {
        dictionnaire = chargerListeIndexee(cheminListe, caches, &erreur, origine, vocabulaire);
    }
    if (!attendreModele()) {
        erreur = erreurModele;
        return std::nullopt;
    }
    if (!dictionnaire)
        return std::nullopt;
    return RessourcesLecture{std::move(*dictionnaire), std::move(*modele)};
}
