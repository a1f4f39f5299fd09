#include "retablissement.h"

#include "lecturemots.h"
#include "regles.h"

namespace {

// Holds each character back until the next one is known: the blank option
// removes a blank only when no blank follows it (blancRetire()).
class FluxRetabli : public TraducteurFlux
{
public:
    FluxRetabli(const Dictionnaire &d, const ModeleContexte *modele, Style style, bool supprimer,
                StatistiquesRetablissement *stats = nullptr)
        : lecteur(d, modele, lecture(style), texte, stats), supprimerEspaces(supprimer)
    {}

    void lire(QStringView morceau)
    {
        for (const QChar c : morceau) {
            if (enAttente)
                pousser(attente, c.unicode());
            attente = c.unicode();
            enAttente = true;
        }
    }

    void finir()
    {
        if (enAttente)
            pousser(attente, 0);
        enAttente = false;
        lecteur.finir();
    }

    void alimenter(QStringView morceau, QByteArray &sortie) override
    {
        lire(morceau);
        vider(sortie);
    }

    void terminer(QByteArray &sortie) override
    {
        finir();
        vider(sortie);
    }

    QString texte;

private:
    void pousser(char16_t c, char16_t suivant)
    {
        lecteur.lire(c, supprimerEspaces && blancRetire(c, suivant));
    }

    void vider(QByteArray &sortie)
    {
        const qsizetype decide = lecteur.decide();
        sortie += QStringView(texte).first(decide).toUtf8();
        texte.remove(0, decide);
        lecteur.decaler(decide);
    }

    Lecteur lecteur;
    bool supprimerEspaces;
    bool enAttente = false;
    char16_t attente = 0;
};

} // namespace

QString retablirLeet(const Dictionnaire &dictionnaire, Style style, QStringView texte,
                     bool supprimerEspaces, StatistiquesRetablissement *statistiques,
                     const ModeleContexte *modele)
{
    FluxRetabli flux(dictionnaire, modele, style, supprimerEspaces, statistiques);
    flux.texte.reserve(texte.size());
    flux.lire(texte);
    flux.finir();
    return std::move(flux.texte);
}

std::unique_ptr<TraducteurFlux> creerRetablissementFlux(const Dictionnaire &dictionnaire,
                                                        Style style, bool supprimerEspaces,
                                                        const ModeleContexte *modele)
{
    return std::make_unique<FluxRetabli>(dictionnaire, modele, style, supprimerEspaces);
}
