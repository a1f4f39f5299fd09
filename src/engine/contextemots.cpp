#include "contextemots.h"

#include <algorithm>
#include <cmath>
#include <limits>

ChoixEnContexte::ChoixEnContexte(const ModeleContexte &m, const Dictionnaire &d, QString &s)
    : modele(m), dico(d), sortie(s), precedent(m.debutDePhrase()),
      // A word of the list that the model never saw is likelier than a
      // reading that is no word at all.
      logListe(m.logProbabilite(-1, -1) + std::log(3.0)), logInconnu(m.logProbabilite(-1, -1))
{}

void ChoixEnContexte::ajouter(Mot &m, QStringView forme, qint32 indice, bool dansLaListe) const
{
    if (m.nombre == candidatsMaximum)
        return;
    for (int k = 0; k < m.nombre; ++k) {
        if (formeDe(m, m.candidats[size_t(k)]) == forme)
            return;
    }
    m.candidats[size_t(m.nombre++)] = {forme, indice, dansLaListe};
}

QStringView ChoixEnContexte::formeDe(const Mot &m, const Candidat &c) const
{
    return c.forme.isEmpty() ? QStringView(m.lu.data(), m.longueur) : c.forme;
}

double ChoixEnContexte::note(qint32 avant, const Candidat &c) const
{
    if (c.indice >= 0)
        return modele.logProbabilite(avant, c.indice);
    return c.dansLaListe ? logListe : logInconnu;
}

void ChoixEnContexte::mot(qsizetype position, qsizetype longueur, Dictionnaire::Plage plage,
                          bool capitale)
{
    Mot m;
    m.actif = true;
    m.capitale = capitale;
    m.position = position;
    m.longueur = std::min<qsizetype>(longueur, longueurMaximale);
    for (qsizetype k = 0; k < m.longueur; ++k)
        m.lu[size_t(k)] = sortie.at(position + k).toLower().unicode();
    const QStringView lu(m.lu.data(), m.longueur);
    // As read first, so that it wins a tie: a word of the list only where
    // its key is one.
    m.candidats[0] = {{}, modele.indice(lu), dico.mot(plage) == 0};
    m.nombre = 1;
    for (qsizetype k = 0; k < dico.nombreDeFormes(plage); ++k) {
        const QStringView forme = dico.forme(plage, k);
        ajouter(m, forme, modele.indice(forme), true);
    }
    if (Dictionnaire::cleDe(lu, cle)) {
        const auto [debut, fin] = modele.accentues(cle);
        for (const qint32 *i = debut; i != fin; ++i)
            ajouter(m, modele.mot(*i), *i, false);
    }

    if (attente.actif) {
        const qsizetype avant = sortie.size();
        precedent = choisir(attente, &m);
        m.position += sortie.size() - avant;
        attente.actif = false;
    }
    if (m.nombre == 1) {
        precedent = m.candidats[0].indice; // nothing to choose
        return;
    }
    m.precedent = precedent;
    attente = m;
}

void ChoixEnContexte::rupture(bool finDePhrase)
{
    if (attente.actif)
        choisir(attente, nullptr);
    attente.actif = false;
    precedent = finDePhrase ? modele.debutDePhrase() : -1;
}

void ChoixEnContexte::decaler(qsizetype n)
{
    attente.position -= n;
}

qint32 ChoixEnContexte::choisir(const Mot &m, const Mot *suivant)
{
    int meilleur = 0;
    double record = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < m.nombre; ++k) {
        const Candidat &c = m.candidats[size_t(k)];
        double n = note(m.precedent, c);
        if (suivant) {
            double apres = -std::numeric_limits<double>::infinity();
            for (int j = 0; j < suivant->nombre; ++j)
                apres = std::max(apres, note(c.indice, suivant->candidats[size_t(j)]));
            n += apres;
        }
        if (n > record) {
            record = n;
            meilleur = k;
        }
    }
    const Candidat &c = m.candidats[size_t(meilleur)];
    if (!c.forme.isEmpty()) {
        sortie.replace(m.position, m.longueur, c.forme.data(), c.forme.size());
        if (m.capitale && c.forme.size() > 0)
            sortie[m.position] = sortie.at(m.position).toUpper();
    }
    return c.indice;
}
