#pragma once

#include "canaux.h"
#include "flux.h"

#include <QTemporaryFile>

#include <memory>

// Feeds the translation and writes what it gives, piece by piece. Whether
// the text is made of nothing but blanks is known before anything is
// written, so the blanks that open the text wait until something else comes
// (in memory, and past a mebibyte in a temporary file, so that memory stays
// bounded) or the text ends.
class Traitement
{
public:
    Traitement(TraductionFlux traduction, Sortie &sortie)
        : traduction(std::move(traduction)), sortie(sortie)
    {}

    bool alimenter(QByteArrayView octets);

    // A text of blanks alone goes through the translation at its end, as
    // blanks always do.
    bool terminer();

    bool texteVide() const { return !commence; }
    const TraductionFlux &flux() const { return traduction; }
    const QString &message() const { return erreur; }

private:
    bool garder(QByteArrayView octets);

    // The blanks kept so far go through the translation first.
    bool rendreBlancs();

    bool echecTemporaire();

    bool traduire(QByteArrayView octets);

    bool ecrire();

    TraductionFlux traduction;
    Sortie &sortie;
    QByteArray resultat;
    QByteArray blancsDuDebut;
    std::unique_ptr<QTemporaryFile> debordement;
    QString erreur;
    bool commence = false;
};
