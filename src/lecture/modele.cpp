#include "modele.h"

#include "dictionnaire.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// The share of each pair's count given over to the words' own frequencies.
constexpr double remise = 0.75;
// How many pairs the endings that follow a word weigh as, in all: a word's
// own pairs outweigh them once it opens a few hundred.
constexpr double poidsDesTerminaisons = 300;
// The count given to a word the model never saw.
constexpr double compteInconnu = 0.3;
// What it costs that a word of French text is English: one in twenty.
constexpr double logPassageALAnglais = -3.0;

// The lines of the model's text, read in place.
class Lignes
{
public:
    explicit Lignes(QByteArrayView texte) : reste(texte) {}

    QByteArrayView suivante()
    {
        ++numero;
        const qsizetype fin = reste.indexOf('\n');
        const QByteArrayView ligne = fin < 0 ? reste : reste.first(fin);
        reste = fin < 0 ? QByteArrayView() : reste.sliced(fin + 1);
        return ligne;
    }
    bool finies() const { return reste.isEmpty(); }
    qsizetype numeroCourant() const { return numero; }

private:
    QByteArrayView reste;
    qsizetype numero = 0;
};

// Reads the `attendus` unsigned numbers of one line, separated by a tab or a
// blank.
bool nombres(QByteArrayView ligne, qsizetype attendus, std::array<quint64, 3> &valeurs)
{
    qsizetype n = 0;
    quint64 valeur = 0;
    int chiffres = 0;
    for (qsizetype k = 0; k <= ligne.size(); ++k) {
        const char c = k < ligne.size() ? ligne[k] : ' ';
        if (c >= '0' && c <= '9' && chiffres < 19) {
            valeur = valeur * 10 + quint64(c - '0');
            ++chiffres;
            continue;
        }
        if ((c != ' ' && c != '\t') || chiffres == 0 || n >= attendus)
            return false;
        valeurs[size_t(n++)] = valeur;
        valeur = 0;
        chiffres = 0;
    }
    return n == attendus;
}

} // namespace

std::optional<ModeleContexte> ModeleContexte::charger(const QString &chemin, QString *erreur)
{
    QFile fichier(chemin);
    QString cause;
    if (!fichier.open(QIODevice::ReadOnly)) {
        cause = fichier.errorString();
    } else {
        const QByteArray octets = fichier.readAll();
        if (fichier.error() != QFileDevice::NoError)
            cause = fichier.errorString();
        else if (std::optional<ModeleContexte> modele = depuisOctets(octets, &cause))
            return modele;
    }
    if (erreur)
        *erreur = u"modèle de contexte illisible : %1 (%2)."_s.arg(chemin, cause);
    return std::nullopt;
}

std::optional<ModeleContexte> ModeleContexte::depuisOctets(QByteArrayView compresse,
                                                           QString *erreur)
{
    QString cause;
    if (compresse.isEmpty()) {
        cause = u"fichier vide"_s;
    } else {
        // qUncompress() trusts the announced size: a damaged file must not
        // make it ask for gigabytes.
        const quint32 annonce = compresse.size() < 4
                                    ? 0
                                    : quint32(quint8(compresse[0])) << 24 |
                                          quint32(quint8(compresse[1])) << 16 |
                                          quint32(quint8(compresse[2])) << 8 | quint8(compresse[3]);
        const QByteArray texte = annonce > 0 && annonce <= 512u * 1024 * 1024
                                     ? qUncompress(compresse.toByteArray())
                                     : QByteArray();
        ModeleContexte modele;
        if (texte.isEmpty())
            cause = u"données compressées abîmées"_s;
        else if (modele.lire(texte, cause))
            return modele;
    }
    if (erreur)
        *erreur = cause;
    return std::nullopt;
}

bool ModeleContexte::lire(QByteArrayView texte, QString &erreur)
{
    Lignes lignes(texte);
    const auto ligne = [&] { return lignes.suivante(); };
    const auto abime = [&](const QString &quoi) {
        erreur =
            u"modèle abîmé, ligne %1 : %2"_s.arg(QString::number(lignes.numeroCourant()), quoi);
        return false;
    };
    if (ligne() != "scribolix-modele 1")
        return abime(u"en-tête inconnu"_s);

    std::array<quint64, 3> v{};
    QByteArrayView entete = ligne();
    if (!entete.startsWith("mots ") || !nombres(entete.sliced(5), 2, v) || v[0] == 0 ||
        v[0] >= quint64(texte.size()))
        return abime(u"nombre de mots attendu"_s);
    const qsizetype nombre = qsizetype(v[0]);
    total = double(v[1]);
    comptes.reserve(size_t(nombre));
    mots.reserve(size_t(nombre));
    for (qsizetype i = 0; i < nombre; ++i) {
        const QByteArrayView l2 = ligne();
        const qsizetype tab = l2.indexOf('\t');
        if (tab <= 0 || !nombres(l2.sliced(tab + 1), 1, v) || v[0] > 0xFFFFFFFFu)
            return abime(u"mot attendu"_s);
        mots.push_back(QString::fromUtf8(l2.first(tab)));
        comptes.push_back(quint32(v[0]));
    }
    indexer();
    debut = indice(u"<s>");

    entete = ligne();
    if (!entete.startsWith("bigrammes ") || !nombres(entete.sliced(10), 1, v) ||
        v[0] >= quint64(texte.size()))
        return abime(u"nombre de paires attendu"_s);
    const qsizetype paires = qsizetype(v[0]);
    apres.assign(size_t(nombre), 0);
    debuts.assign(size_t(nombre) + 1, 0);
    seconds.reserve(size_t(paires));
    comptesPaires.reserve(size_t(paires));
    // By first word, then by second, each pair once.
    qint64 precedent = -1;
    qint64 dernier = -1;
    for (qsizetype k = 0; k < paires; ++k) {
        if (!nombres(ligne(), 3, v) || v[0] >= quint64(nombre) || v[1] >= quint64(nombre) ||
            v[2] > 0xFFFFFFFFu)
            return abime(u"paire attendue"_s);
        const qint64 i = qint64(v[0]);
        const qint64 j = qint64(v[1]);
        if (i < precedent || (i == precedent && j <= dernier))
            return abime(u"paire hors d'ordre"_s);
        for (qint64 x = precedent + 1; x <= i; ++x)
            debuts[size_t(x)] = quint32(seconds.size());
        precedent = i;
        dernier = j;
        seconds.push_back(qint32(j));
        comptesPaires.push_back(quint32(v[2]));
        apres[size_t(i)] += v[2];
    }
    for (qint64 x = precedent + 1; x <= nombre; ++x)
        debuts[size_t(x)] = quint32(seconds.size());
    // How many words each word follows: a word seen after many others
    // ("à") is likelier after a new one than a word as frequent that only
    // follows a few ("a", after "il", "on", "qui").
    continuations.assign(comptes.size(), 0.5f);
    for (const qint32 second : seconds)
        continuations[size_t(second)] += 1;
    const double somme = 0.5 * double(comptes.size()) + double(seconds.size());
    for (float &c : continuations)
        c = float(c / somme);
    classer();
    // The English words, in models that have them.
    QByteArrayView suite = ligne();
    if (suite.startsWith("anglais ")) {
        // Since the counts came in: how many English words the strings
        // held, and each word's count.
        const bool avecComptes = nombres(suite.sliced(8), 2, v);
        if ((!avecComptes && !nombres(suite.sliced(8), 1, v)) || v[0] >= quint64(texte.size()))
            return abime(u"nombre de mots anglais attendu"_s);
        const quint64 nombreAnglais = v[0];
        totalAnglais = avecComptes ? double(v[1]) : 0.0;
        anglais.reserve(size_t(nombreAnglais));
        comptesAnglais.reserve(size_t(nombreAnglais));
        for (quint64 k = 0; k < nombreAnglais; ++k) {
            const QByteArrayView l2 = ligne();
            const qsizetype tab = l2.indexOf('\t');
            if (tab <= 0 || !nombres(l2.sliced(tab + 1), avecComptes ? 2 : 1, v) || v[0] > 1 ||
                (avecComptes && (v[1] == 0 || double(v[1]) > totalAnglais)))
                return abime(u"mot anglais attendu"_s);
            anglais.push_back(QString::fromUtf8(l2.first(tab)));
            seulementAnglais.push_back(v[0] == 1);
            comptesAnglais.push_back(avecComptes ? quint32(std::min<quint64>(v[1], 0xffffffffu))
                                                 : 0);
        }
        suite = ligne();
    }
    if (!suite.isEmpty() || !lignes.finies())
        return abime(u"fin attendue"_s);
    indexerAnglais();
    return true;
}

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
    std::vector<QString> frequents;
    for (size_t i = 0; i < mots.size(); ++i) {
        if (mots[i].size() > 2 || comptes[i] >= 10)
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
    const double paire =
        mot >= 0 ? std::max(double(comptePaire(precedent, mot)) - remise, 0.0) / avant : 0.0;
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

// What the kept pairs after `precedent` do not take, the pruned ones and the
// discount included.
double ModeleContexte::reste(qint32 precedent) const
{
    const double avant = double(comptes[size_t(precedent)]);
    const double paires = double(debuts[size_t(precedent) + 1] - debuts[size_t(precedent)]);
    return std::clamp((avant - double(apres[size_t(precedent)]) + remise * paires) / avant, 0.0,
                      1.0);
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
