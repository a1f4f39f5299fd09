#include "relecture.h"

#include "regles.h"
#include "retablissement.h"

namespace {

// Small enough that a request to stop is heard within a few milliseconds,
// large enough that the calls cost nothing beside the reading.
constexpr qsizetype morceauLu = qsizetype(1) << 16;
// A long text is read on two threads by pieces of twice this many code units:
// a few thousand words each, long enough that starting a thread costs little.
constexpr qsizetype moitieLue = qsizetype(1) << 18;

} // namespace

std::unique_ptr<TraducteurFlux> creerLectureEnMots(const RessourcesLecture &ressources,
                                                   Ecriture ecriture, bool supprimerEspaces)
{
    if (ecriture == Ecriture::Courante)
        return creerLectureCommuneFlux(ressources.dictionnaire, supprimerEspaces,
                                       &ressources.modele, moitieLue);
    return creerRetablissementFlux(ressources.dictionnaire, styleDe(ecriture), supprimerEspaces,
                                   &ressources.modele, moitieLue);
}

std::optional<QString> relireEnMots(const RessourcesLecture &ressources, Ecriture ecriture,
                                    bool supprimerEspaces, QStringView texte, SuiviLecture &suivi)
{
    const std::unique_ptr<TraducteurFlux> lecteur =
        creerLectureEnMots(ressources, ecriture, supprimerEspaces);
    QByteArray utf8;
    utf8.reserve(texte.size() + texte.size() / 2);
    for (qsizetype debut = 0; debut < texte.size(); debut += morceauLu) {
        if (suivi.arreter.load(std::memory_order_relaxed))
            return std::nullopt;
        const QStringView morceau = texte.mid(debut, morceauLu);
        lecteur->alimenter(morceau, utf8);
        suivi.lus.store(debut + morceau.size(), std::memory_order_relaxed);
    }
    lecteur->terminer(utf8);
    if (suivi.arreter.load(std::memory_order_relaxed))
        return std::nullopt;
    return QString::fromUtf8(utf8);
}
