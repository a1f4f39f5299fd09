// The context model's file: what scripts/modele/construire.py writes, a
// zlib stream of UTF-8 text behind its size, read back and checked line by
// line; a damaged or hostile file is refused with the reason, never trusted.

#include "modele.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

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

using Nombres = std::array<quint64, 5>;

// Reads the unsigned numbers of one line, separated by a tab or a blank,
// into `valeurs`; returns how many, 0 for a line that is not so or holds
// more than `valeurs` can.
qsizetype nombres(QByteArrayView ligne, Nombres &valeurs)
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
        if ((c != ' ' && c != '\t') || chiffres == 0 || n >= qsizetype(valeurs.size()))
            return 0;
        valeurs[size_t(n++)] = valeur;
        valeur = 0;
        chiffres = 0;
    }
    return n;
}

// The text that `compresse` holds behind its announced size, or nothing
// when the stream is damaged or gives another size. zlib's own call, so that
// a damaged file costs no message of the library's own on standard error.
QByteArray decompresser(QByteArrayView compresse)
{
    if (compresse.size() < 4)
        return {};
    const quint32 annonce = quint32(quint8(compresse[0])) << 24 |
                            quint32(quint8(compresse[1])) << 16 |
                            quint32(quint8(compresse[2])) << 8 | quint8(compresse[3]);
    // A damaged size must not make it ask for gigabytes.
    if (annonce == 0 || annonce > 512u * 1024 * 1024)
        return {};
    QByteArray texte(qsizetype(annonce), Qt::Uninitialized);
    uLongf taille = annonce;
    const int resultat = uncompress(reinterpret_cast<Bytef *>(texte.data()), &taille,
                                    reinterpret_cast<const Bytef *>(compresse.data() + 4),
                                    uLong(compresse.size() - 4));
    if (resultat != Z_OK || taille != annonce)
        return {};
    return texte;
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
        const QByteArray texte = decompresser(compresse);
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

    Nombres v{};
    QByteArrayView entete = ligne();
    if (!entete.startsWith("mots ") || nombres(entete.sliced(5), v) != 2 || v[0] == 0 ||
        v[0] >= quint64(texte.size()))
        return abime(u"nombre de mots attendu"_s);
    const qsizetype nombre = qsizetype(v[0]);
    total = double(v[1]);
    comptes.reserve(size_t(nombre));
    mots.reserve(size_t(nombre));
    // Since the words' continuations came in, every word has one, or none.
    std::vector<quint32> suites;
    for (qsizetype i = 0; i < nombre; ++i) {
        const QByteArrayView l2 = ligne();
        const qsizetype tab = l2.indexOf('\t');
        const qsizetype n = tab > 0 ? nombres(l2.sliced(tab + 1), v) : 0;
        const bool avecSuite = n == 2;
        if ((n != 1 && n != 2) || v[0] > 0xFFFFFFFFu || (avecSuite && v[1] > 0xFFFFFFFFu) ||
            (i > 0 && avecSuite == suites.empty()))
            return abime(u"mot attendu"_s);
        mots.push_back(QString::fromUtf8(l2.first(tab)));
        comptes.push_back(quint32(v[0]));
        if (avecSuite)
            suites.push_back(quint32(v[1]));
    }
    indexer();
    debut = indice(u"<s>");

    entete = ligne();
    // Since the discounts came in, how many pairs came once to four times.
    const qsizetype nombresPaires =
        entete.startsWith("bigrammes ") ? nombres(entete.sliced(10), v) : 0;
    const bool avecFrequences = nombresPaires == 5;
    if ((nombresPaires != 1 && !avecFrequences) || v[0] >= quint64(texte.size()))
        return abime(u"nombre de paires attendu"_s);
    const qsizetype paires = qsizetype(v[0]);
    if (avecFrequences)
        estimerLesRemises({double(v[1]), double(v[2]), double(v[3]), double(v[4])});
    apres.assign(size_t(nombre), 0);
    remisesApres.assign(size_t(nombre), 0.0f);
    debuts.assign(size_t(nombre) + 1, 0);
    seconds.reserve(size_t(paires));
    comptesPaires.reserve(size_t(paires));
    // By first word, then by second, each pair once.
    qint64 precedent = -1;
    qint64 dernier = -1;
    for (qsizetype k = 0; k < paires; ++k) {
        if (nombres(ligne(), v) != 3 || v[0] >= quint64(nombre) || v[1] >= quint64(nombre) ||
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
        remisesApres[size_t(i)] += float(remiseDe(quint32(v[2])));
    }
    for (qint64 x = precedent + 1; x <= nombre; ++x)
        debuts[size_t(x)] = quint32(seconds.size());
    // How many words each word follows: a word seen after many others
    // ("à") is likelier after a new one than a word as frequent that only
    // follows a few ("a", after "il", "on", "qui").
    // The file counts them among every pair; a file written before, among
    // the pairs it keeps.
    continuations.assign(comptes.size(), 0.5f);
    double somme = 0.5 * double(comptes.size());
    if (suites.empty()) {
        for (const qint32 second : seconds)
            continuations[size_t(second)] += 1;
        somme += double(seconds.size());
    }
    for (size_t i = 0; i < suites.size(); ++i) {
        continuations[i] += float(suites[i]);
        somme += double(suites[i]);
    }
    for (float &c : continuations)
        c = float(c / somme);
    classer();
    // The English words, in models that have them.
    QByteArrayView suite = ligne();
    if (suite.startsWith("anglais ")) {
        // Since the counts came in: how many English words the strings
        // held, and each word's count.
        const qsizetype n = nombres(suite.sliced(8), v);
        const bool avecComptes = n == 2;
        if ((n != 1 && !avecComptes) || v[0] >= quint64(texte.size()))
            return abime(u"nombre de mots anglais attendu"_s);
        const quint64 nombreAnglais = v[0];
        totalAnglais = avecComptes ? double(v[1]) : 0.0;
        anglais.reserve(size_t(nombreAnglais));
        comptesAnglais.reserve(size_t(nombreAnglais));
        for (quint64 k = 0; k < nombreAnglais; ++k) {
            const QByteArrayView l2 = ligne();
            const qsizetype tab = l2.indexOf('\t');
            if (tab <= 0 || nombres(l2.sliced(tab + 1), v) != (avecComptes ? 2 : 1) || v[0] > 1 ||
                (avecComptes && (v[1] == 0 || double(v[1]) > totalAnglais)))
                return abime(u"mot anglais attendu"_s);
            anglais.push_back(QString::fromUtf8(l2.first(tab)));
            seulementAnglais.push_back(v[0] == 1);
            comptesAnglais.push_back(avecComptes ? quint32(std::min<quint64>(v[1], 0xffffffffu))
                                                 : 0);
        }
        suite = ligne();
    }
    // Since numbers after words came in: how many numbers follow a word in
    // the strings, and the keys they follow most, sorted.
    double nombresApresMots = 0;
    std::vector<std::pair<quint64, quint64>> nombresEtComptes;
    if (suite.startsWith("nombres ")) {
        if (nombres(suite.sliced(8), v) != 2 || v[0] >= quint64(texte.size()) || v[1] == 0)
            return abime(u"nombre de clés attendu"_s);
        const quint64 nombreDeCles = v[0];
        nombresApresMots = double(v[1]);
        QByteArrayView precedente;
        for (quint64 k = 0; k < nombreDeCles; ++k) {
            const QByteArrayView l2 = ligne();
            const qsizetype tab = l2.indexOf('\t');
            if (tab <= 0 || nombres(l2.sliced(tab + 1), v) != 2 || v[0] == 0 || v[0] > v[1] ||
                double(v[0]) > nombresApresMots)
                return abime(u"clé attendue"_s);
            const QByteArrayView cle = l2.first(tab);
            if (std::any_of(cle.begin(), cle.end(), [](char c) { return c < 'a' || c > 'z'; }) ||
                (k > 0 && precedente >= cle))
                return abime(u"clé attendue"_s);
            precedente = cle;
            clesNombres.push_back(QString::fromLatin1(cle));
            nombresEtComptes.emplace_back(v[0], v[1]);
        }
        suite = ligne();
    }
    if (!suite.isEmpty() || !lignes.finies())
        return abime(u"fin attendue"_s);
    indexerAnglais();
    indexerNombres(nombresEtComptes, nombresApresMots);
    return true;
}
