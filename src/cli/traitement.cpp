#include "traitement.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

bool Traitement::alimenter(QByteArrayView octets)
{
    if (!commence) {
        const auto blanc = [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == 0; };
        if (std::all_of(octets.begin(), octets.end(), blanc))
            return garder(octets);
        commence = true;
        if (!rendreBlancs())
            return false;
    }
    return traduire(octets);
}

bool Traitement::terminer()
{
    if (!commence && !rendreBlancs())
        return false;
    resultat.resize(0);
    traduction.terminer(resultat);
    return ecrire();
}

bool Traitement::garder(QByteArrayView octets)
{
    if (!debordement && blancsDuDebut.size() + octets.size() <= 1024 * 1024) {
        blancsDuDebut += octets;
        return true;
    }
    if (!debordement) {
        debordement = std::make_unique<QTemporaryFile>();
        if (!debordement->open() || debordement->write(blancsDuDebut) != blancsDuDebut.size())
            return echecTemporaire();
        blancsDuDebut = QByteArray();
    }
    return debordement->write(octets.data(), octets.size()) == octets.size() || echecTemporaire();
}

bool Traitement::rendreBlancs()
{
    if (!debordement) {
        const QByteArray blancs = std::exchange(blancsDuDebut, {});
        return traduire(blancs);
    }
    if (!debordement->seek(0))
        return echecTemporaire();
    QByteArray morceau;
    while (!(morceau = debordement->read(64 * 1024)).isEmpty()) {
        if (!traduire(morceau))
            return false;
    }
    if (!debordement->atEnd())
        return echecTemporaire();
    debordement.reset();
    return true;
}

bool Traitement::echecTemporaire()
{
    erreur = u"fichier temporaire inutilisable : %1."_s.arg(debordement->errorString());
    return false;
}

bool Traitement::traduire(QByteArrayView octets)
{
    resultat.resize(0);
    traduction.alimenter(octets, resultat);
    return ecrire();
}

bool Traitement::ecrire()
{
    if (sortie.ecrire(resultat))
        return true;
    erreur = sortie.message();
    return false;
}
