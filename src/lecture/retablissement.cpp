#include "retablissement.h"

#include "fluxretabli.h"
#include "lectureendeux.h"

#include <system_error>
#include <thread>

QString retablirLeet(const Dictionnaire &dictionnaire, Style style, QStringView texte,
                     bool supprimerEspaces, StatistiquesRetablissement *statistiques,
                     const ModeleContexte *modele)
{
    FluxRetabli flux(dictionnaire, modele, lecture(style), supprimerEspaces, statistiques);
    flux.texte.reserve(texte.size());
    flux.lire(texte);
    flux.finir();
    return std::move(flux.texte);
}

namespace {

std::unique_ptr<TraducteurFlux> creerFlux(const Dictionnaire &dictionnaire, const Lecture &l,
                                          bool supprimerEspaces, const ModeleContexte *modele,
                                          qsizetype moitie)
{
    if (moitie > 0 && std::thread::hardware_concurrency() > 1) {
        try {
            return creerLectureEnDeux(dictionnaire, modele, l, supprimerEspaces, moitie);
        } catch (const std::system_error &) {
            // No thread to be had: one reader does.
        }
    }
    return std::make_unique<FluxRetabli>(dictionnaire, modele, l, supprimerEspaces);
}

} // namespace

std::unique_ptr<TraducteurFlux> creerRetablissementFlux(const Dictionnaire &dictionnaire,
                                                        Style style, bool supprimerEspaces,
                                                        const ModeleContexte *modele,
                                                        qsizetype moitie)
{
    return creerFlux(dictionnaire, lecture(style), supprimerEspaces, modele, moitie);
}

std::unique_ptr<TraducteurFlux> creerLectureCommuneFlux(const Dictionnaire &dictionnaire,
                                                        bool supprimerEspaces,
                                                        const ModeleContexte *modele,
                                                        qsizetype moitie)
{
    return creerFlux(dictionnaire, lectureCommune(), supprimerEspaces, modele, moitie);
}
