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

    // Only a blank waits for the next character (blancRetire()); the
    // characters of a word go to the run by whole stretches.
    void lire(QStringView morceau)
    {
        const char16_t *suite = morceau.utf16();
        const qsizetype nombre = morceau.size();
        for (qsizetype k = 0; k < nombre;) {
            if (enAttente) {
                pousser(u' ', suite[k]);
                enAttente = false;
            }
            if (suite[k] == u' ' && supprimerEspaces) {
                enAttente = true;
                ++k;
                continue;
            }
            const qsizetype pris = lecteur.lireDansLeMot(suite + k, nombre - k);
            if (pris > 0) {
                k += pris;
                continue;
            }
            lecteur.lire(suite[k], false);
            ++k;
        }
    }

    void finir()
    {
        if (enAttente)
            pousser(u' ', 0);
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
    bool enAttente = false; // a blank, held back
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
