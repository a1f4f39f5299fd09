#include "lectureenfond.h"

#include "progressionlecture.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct Fichiers
{
    QString liste = cheminListeParDefaut();
    QString modele = cheminModeleParDefaut();
};

Fichiers &fichiersChoisis()
{
    static Fichiers fichiers;
    return fichiers;
}

const QString messageMemoire = u"le texte est trop long pour tenir en mémoire."_s;
const QString messageSansFil = u"aucun fil d'exécution n'a pu être lancé."_s;

} // namespace

void LectureEnFond::utiliserFichiers(const QString &liste, const QString &modele)
{
    fichiersChoisis() = {liste, modele};
}

LectureEnFond::LectureEnFond(QWidget *fenetre)
    : QObject(fenetre), fenetre(fenetre), cheminListe(fichiersChoisis().liste),
      cheminModele(fichiersChoisis().modele)
{}

// A loading under way is waited for by the future's last copy.
LectureEnFond::~LectureEnFond() = default;

bool LectureEnFond::listePresente() const
{
    return QFileInfo(cheminListe).isFile();
}

void LectureEnFond::preparer()
{
    if (chargement.valid())
        return;
    auto charger = [liste = cheminListe, modele = cheminModele] {
        Chargement fait;
        try {
            std::optional<RessourcesLecture> ressources =
                chargerRessourcesLecture(liste, modele, dossierDesCaches(), fait.erreur);
            if (ressources)
                fait.ressources = std::make_shared<const RessourcesLecture>(std::move(*ressources));
        } catch (const std::bad_alloc &) {
            fait.erreur = messageMemoire;
        } catch (const std::system_error &) {
            fait.erreur = messageSansFil;
        }
        return fait;
    };
    try {
        chargement = std::async(std::launch::async, charger).share();
    } catch (const std::system_error &) {
        // No thread to be had now: the reading loads them itself.
        chargement = std::async(std::launch::deferred, charger).share();
    }
}

LectureEnFond::Resultat LectureEnFond::lire(const Demande &demande, const QString &texte)
{
    if (enCours)
        return {};
    // The flag keeps a second reading out, however this one ends.
    const QScopedValueRollback<bool> occupation(enCours, true);
    preparer();

    Resultat resultat;
    SuiviLecture suivi;
    std::atomic<bool> fini{false};
    QEventLoop boucle;
    const auto lireSurLeFil = [&] {
        try {
            const Chargement &fait = chargement.get();
            if (!fait.ressources) {
                resultat.texte = fait.erreur;
            } else if (std::optional<QString> lu =
                           relireEnMots(*fait.ressources, demande.ecriture,
                                        demande.supprimerEspaces, texte, suivi)) {
                resultat = {Resultat::Issue::Lu, std::move(*lu)};
            } else {
                resultat.issue = Resultat::Issue::Annule;
            }
        } catch (const std::bad_alloc &) {
            resultat = {Resultat::Issue::Echec, messageMemoire};
        } catch (const std::system_error &) {
            resultat = {Resultat::Issue::Echec, messageSansFil};
        }
        fini = true;
        QMetaObject::invokeMethod(&boucle, &QEventLoop::quit, Qt::QueuedConnection);
    };
    std::thread travail;
    try {
        travail = std::thread(lireSurLeFil);
    } catch (const std::system_error &) {
        return {Resultat::Issue::Echec, messageSansFil};
    }

    ProgressionLecture progression(texte.size(), fenetre);
    connect(&progression, &QProgressDialog::canceled, this, [&] { suivi.arreter = true; });
    QTimer suiviProgression;
    suiviProgression.setInterval(50);
    connect(&suiviProgression, &QTimer::timeout, &progression,
            [&] { progression.suivre(suivi.lus.load(std::memory_order_relaxed)); });
    suiviProgression.start();

    boucle.exec();
    // The event loop may also end because the program is quitting.
    if (!fini)
        suivi.arreter = true;
    travail.join();
    if (suivi.arreter && resultat.issue != Resultat::Issue::Echec)
        resultat = {Resultat::Issue::Annule, {}};
    return resultat;
}
