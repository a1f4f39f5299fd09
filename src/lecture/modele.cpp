#include "modele.h"

#include "dictionnaire.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// How many pairs the endings that follow a word weigh as, in all: a word's
// own pairs outweigh them once it opens several hundred.
constexpr double poidsDesTerminaisons = 600;
// The count given to a word the model never saw.
constexpr double compteInconnu = 0.3;
// How many words, followed by numbers as often as words are on average, a
// key's own counts are weighed against.
constexpr double poidsDesNombres = 20;

} // namespace

namespace {

template <typename Unite> quint32 empreinte(const Unite *debut, qsizetype taille)
{
    quint32 h = 2166136261u;
    for (qsizetype k = 0; k < taille; ++k)
        h = (h ^ quint32(debut[k])) * 16777619u;
    return h;
}

// Room for twice as many entries as there are, a power of two.
size_t tailleDeTable(size_t entrees)
{
    size_t taille = 16;
    while (taille < 2 * entrees)
        taille *= 2;
    return taille;
}

// A hash table with open addressing of words: their indexes by hash.
std::vector<qint32> tableDe(const std::vector<QString> &mots)
{
    std::vector<qint32> table(tailleDeTable(mots.size()), -1);
    for (size_t i = 0; i < mots.size(); ++i) {
        size_t h = empreinte(mots[i].utf16(), mots[i].size()) & (table.size() - 1);
        while (table[h] >= 0)
            h = (h + 1) & (table.size() - 1);
        table[h] = qint32(i);
    }
    return table;
}

qint32 chercher(const std::vector<qint32> &table, const std::vector<QString> &mots, QStringView mot)
{
    size_t h = empreinte(mot.utf16(), mot.size()) & (table.size() - 1);
    for (; table[h] >= 0; h = (h + 1) & (table.size() - 1)) {
        if (mots[size_t(table[h])] == mot)
            return table[h];
    }
    return -1;
}

} // namespace

// The words by spelling, and the accented ones by key, in tables with open
// addressing: one lookup per word read, without allocating.
void ModeleContexte::indexer()
{
    parMot = tableDe(mots);

    std::vector<std::pair<std::string, qint32>> accentues;
    std::string cle;
    for (size_t i = 0; i < mots.size(); ++i) {
        if (Dictionnaire::cleDe(mots[i], cle) &&
            QLatin1StringView(cle.data(), qsizetype(cle.size())) != mots[i])
            accentues.emplace_back(cle, qint32(i));
    }
    std::sort(accentues.begin(), accentues.end());
    parCle.assign(tailleDeTable(accentues.size()), -1);
    for (size_t k = 0; k < accentues.size(); ++k) {
        if (k == 0 || accentues[k].first != accentues[k - 1].first) {
            const std::string &c = accentues[k].first;
            size_t h = empreinte(c.data(), qsizetype(c.size())) & (parCle.size() - 1);
            while (parCle[h] >= 0)
                h = (h + 1) & (parCle.size() - 1);
            parCle[h] = qint32(k);
        }
        cles.push_back(std::move(accentues[k].first));
        accentuesParCle.push_back(accentues[k].second);
    }
}

std::vector<QString> ModeleContexte::vocabulaire() const
{
    // Seen this often, a word of one or two letters is a name ("xz", "sg")
    // rather than what is left of a format code.
    constexpr quint32 seuilCourts = 7;
    std::vector<QString> frequents;
    for (size_t i = 0; i < mots.size(); ++i) {
        if (mots[i].size() > 2 || comptes[i] >= seuilCourts)
            frequents.push_back(mots[i]);
    }
    for (size_t i = 0; i < anglais.size(); ++i) {
        if (seulementAnglais[i])
            frequents.push_back(anglais[i]);
    }
    return frequents;
}

qint32 ModeleContexte::indice(QStringView mot) const
{
    return chercher(parMot, mots, mot);
}

void ModeleContexte::indexerAnglais()
{
    parAnglais = tableDe(anglais);
    // The English weight of each word of the model, found once.
    anglaisDesMots.assign(mots.size(), -std::numeric_limits<float>::infinity());
    if (totalAnglais > 0)
        for (size_t i = 0; i < mots.size(); ++i)
            anglaisDesMots[i] = float(logProbabiliteAnglais(mots[i]));
}

ModeleContexte::Anglais ModeleContexte::anglaisDe(QStringView mot) const
{
    const qint32 i = chercher(parAnglais, anglais, mot);
    if (i < 0)
        return Anglais::Non;
    return seulementAnglais[size_t(i)] ? Anglais::Seulement : Anglais::Aussi;
}

std::pair<const qint32 *, const qint32 *> ModeleContexte::accentues(std::string_view cle) const
{
    size_t h = empreinte(cle.data(), qsizetype(cle.size())) & (parCle.size() - 1);
    for (; parCle[h] >= 0; h = (h + 1) & (parCle.size() - 1)) {
        size_t k = size_t(parCle[h]);
        if (cles[k] != cle)
            continue;
        const qint32 *debutMots = accentuesParCle.data() + k;
        while (k < cles.size() && cles[k] == cle)
            ++k;
        return {debutMots, accentuesParCle.data() + k};
    }
    return {nullptr, nullptr};
}

quint32 ModeleContexte::comptePaire(qint32 precedent, qint32 mot) const
{
    const auto debutPaires = seconds.begin() + debuts[size_t(precedent)];
    const auto finPaires = seconds.begin() + debuts[size_t(precedent) + 1];
    const auto trouve = std::lower_bound(debutPaires, finPaires, mot);
    return trouve != finPaires && *trouve == mot ? comptesPaires[size_t(trouve - seconds.begin())]
                                                 : 0;
}

namespace {

// The endings that tell a participle from a present ("mangé", "mange"), a
// noun or an infinitive: what the words before a word call for. A word takes
// the first that it ends with, 1 and on; 0 for none.
constexpr std::array<std::u16string_view, 9> terminaisons = {u"ées", u"ée", u"és", u"é",  u"es",
                                                             u"e",   u"er", u"ez", u"ent"};

quint8 terminaison(QStringView mot)
{
    for (size_t k = 0; k < terminaisons.size(); ++k)
        if (mot.endsWith(QStringView(terminaisons[k])))
            return quint8(k + 1);
    return 0;
}

} // namespace

void ModeleContexte::classer()
{
    static_assert(terminaisons.size() + 1 == nombreDeClasses);
    classes.resize(comptes.size());
    for (size_t i = 0; i < mots.size(); ++i)
        classes[i] = terminaison(mots[i]);
    parClasse.fill(0);
    for (size_t i = 0; i < classes.size(); ++i)
        parClasse[classes[i]] += continuations[i];
    suitesParClasse.assign(comptes.size() * nombreDeClasses, 0);
    for (size_t premier = 0; premier + 1 < debuts.size(); ++premier)
        for (quint32 k = debuts[premier]; k < debuts[premier + 1]; ++k)
            suitesParClasse[premier * nombreDeClasses + classes[size_t(seconds[k])]] +=
                comptesPaires[k];
}

double ModeleContexte::logProbabilite(qint32 precedent, qint32 mot) const
{
    const double seul = (mot >= 0 ? double(comptes[size_t(mot)]) : compteInconnu) / total;
    if (precedent < 0 || comptes[size_t(precedent)] == 0)
        return std::log(seul);
    const double avant = double(comptes[size_t(precedent)]);
    const quint32 compte = mot >= 0 ? comptePaire(precedent, mot) : 0;
    const double paire =
        compte > 0 ? std::max(double(compte) - remiseDe(compte), 0.0) / avant : 0.0;
    const double suite = mot >= 0 ? suiteSelonLaFin(precedent, classes[size_t(mot)],
                                                    double(continuations[size_t(mot)]))
                                  : seul;
    return std::log(paire + reste(precedent) * suite);
}

double ModeleContexte::logProbabiliteAnglais(QStringView mot) const
{
    const qint32 i = chercher(parAnglais, anglais, mot);
    if (i < 0 || comptesAnglais[size_t(i)] == 0)
        return -std::numeric_limits<double>::infinity();
    return logPassageALAnglais + std::log(double(comptesAnglais[size_t(i)]) / totalAnglais);
}

double ModeleContexte::logProbabiliteInconnu(qint32 precedent, QStringView mot) const
{
    if (precedent < 0 || comptes[size_t(precedent)] == 0)
        return std::log(compteInconnu / total);
    // As likely as any word never seen, times how much likelier its ending
    // is after `precedent` than anywhere.
    return std::log(compteInconnu / total * suiteSelonLaFin(precedent, terminaison(mot), 1.0));
}

double ModeleContexte::logNombreApres(QStringView cle) const
{
    if (clesNombres.empty())
        return 0.0;
    const qint32 i = chercher(parCleNombre, clesNombres, cle);
    return i < 0 ? 0.0 : double(gainsNombres[size_t(i)]);
}

// The ratio of each key's chance of a number after it (of its words' count,
// how many numbers followed them), smoothed toward the average, to that
// average.
void ModeleContexte::indexerNombres(
    const std::vector<std::pair<quint64, quint64>> &nombresEtComptes, double nombresApresMots)
{
    parCleNombre = tableDe(clesNombres);
    gainsNombres.assign(clesNombres.size(), 0.0f);
    if (nombresApresMots <= 0 || total <= 0)
        return;
    const double moyenne = nombresApresMots / total;
    for (size_t i = 0; i < clesNombres.size(); ++i) {
        const auto [nombres, compte] = nombresEtComptes[i];
        gainsNombres[i] = float(std::log((double(nombres) + poidsDesNombres * moyenne) /
                                         (double(compte) + poidsDesNombres) / moyenne));
    }
}

// Modified Kneser-Ney's discounts, from how many pairs came once to four
// times (Chen and Goodman): the default's where those counts give none.
void ModeleContexte::estimerLesRemises(const std::array<double, 4> &n)
{
    if (n[0] <= 0 || n[1] <= 0 || n[2] <= 0 || n[3] <= 0)
        return;
    const double y = n[0] / (n[0] + 2 * n[1]);
    for (size_t c = 1; c <= remises.size(); ++c)
        remises[c - 1] =
            std::clamp(double(c) - double(c + 1) * y * n[c] / n[c - 1], 0.0, double(c));
}

// What the kept pairs after `precedent` do not take, the pruned ones and the
// discount included.
double ModeleContexte::reste(qint32 precedent) const
{
    const double avant = double(comptes[size_t(precedent)]);
    return std::clamp(
        (avant - double(apres[size_t(precedent)]) + double(remisesApres[size_t(precedent)])) /
            avant,
        0.0, 1.0);
}

// The rest after `precedent` goes by how many words each word follows
// (`continuation`), and by how often words of its ending follow `precedent`.
double ModeleContexte::suiteSelonLaFin(qint32 precedent, quint8 classe, double continuation) const
{
    if (parClasse[classe] <= 0)
        return continuation; // no word of the model ends so
    const double pClasse = (double(suitesParClasse[size_t(precedent) * nombreDeClasses + classe]) +
                            poidsDesTerminaisons * parClasse[classe]) /
                           (double(apres[size_t(precedent)]) + poidsDesTerminaisons);
    return pClasse * continuation / parClasse[classe];
}
