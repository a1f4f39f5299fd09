#pragma once

// The reading with a word list as a translator fed piece by piece (flux.h).
// Private to the reading (retablissement.h is its entry point).

#include "flux.h"
#include "lecturemots.h"
#include "regles.h"

#include <optional>

// Holds each character back until the next one is known: the blank option
// removes a blank only when no blank follows it (blancRetire()). Two readers
// run side by side on two threads: each on cache lines of its own.
class alignas(128) FluxRetabli : public TraducteurFlux
{
public:
    FluxRetabli(const Dictionnaire &d, const ModeleContexte *modele, const Lecture &l,
                bool supprimer, StatistiquesRetablissement *stats = nullptr)
        : lecteur(d, modele, l, texte, stats), supprimerEspaces(supprimer)
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

    // See Lecteur::capitaleALaReprise() and Lecteur::reprendre().
    std::optional<bool> capitaleALaReprise() const
    {
        return enAttente ? std::nullopt : lecteur.capitaleALaReprise();
    }
    void reprendre(bool capitaleDue)
    {
        texte.resize(0);
        enAttente = false;
        lecteur.reprendre(capitaleDue);
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
