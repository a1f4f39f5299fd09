#pragma once

// The language model of the reading with words: how often each French word,
// each pair of them and each English word come in translation catalogues.
// Built by scripts/modele/construire.py; the file is what qCompress() gives
// of a UTF-8 text (see that script).

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ModeleContexte
{
public:
    // The model of a file; on failure (missing, empty, damaged), a message
    // naming the file.
    static std::optional<ModeleContexte> charger(const QString &chemin, QString *erreur = nullptr);
    // The model of the bytes of a file; on failure, a message saying why.
    static std::optional<ModeleContexte> depuisOctets(QByteArrayView compresse,
                                                      QString *erreur = nullptr);

    // Whether a word in small letters is one of the English words of the
    // catalogues' original strings: not at all, one that French shares ("a",
    // "on"), or one that French never uses ("the", "with").
    enum class Anglais : quint8 { Non, Aussi, Seulement };
    Anglais anglaisDe(QStringView mot) const;
    // The index of a word in small letters with its accents, -1 for a word
    // the model never saw.
    qint32 indice(QStringView mot) const;
    QStringView mot(qint32 indice) const { return mots[size_t(indice)]; }
    // The words that may stand as words when a run is split, the English
    // ones included: catalogues also hold format codes ("ez"), short and
    // rare, which may not (a word of one or two letters seen fewer than 7
    // times).
    std::vector<QString> vocabulaire() const;
    // The words whose letters without accents are `cle` ("à" for "a"), other
    // than `cle` itself.
    std::pair<const qint32 *, const qint32 *> accentues(std::string_view cle) const;
    // The index of the start of a sentence: the word before its first word.
    qint32 debutDePhrase() const { return debut; }
    qsizetype nombreDeMots() const { return qsizetype(comptes.size()); }

    // The log-probability of `mot` after `precedent` (either may be -1): the
    // pair's count, discounted, then for the rest how many words it follows
    // and how often words of its ending follow `precedent` (its own
    // frequency at a sentence's start), then a small constant for a word
    // never seen.
    double logProbabilite(qint32 precedent, qint32 mot) const;
    // The log-probability of an English word in French text: that a word is
    // English, then this one's share of the English words; -infinity for a
    // word that the catalogues' English strings do not give, or a model
    // without their counts.
    double logProbabiliteAnglais(QStringView mot) const;
    // How much likelier than after any word a number is written right after
    // a word of the key `cle` (its letters without accents: "sha" of "sha1",
    // "ipv" of "ipv6", "feuille" of "Feuille1"), as a log of the ratio; 0 for
    // a key the model has no such count of.
    double logNombreApres(QStringView cle) const;
    // What it costs that a word of French text is English (in the above).
    static constexpr double logPassageALAnglais = -3.0;
    // A word of the model alone, by its likelier reading: French, or English
    // with the cost of passing into it.
    double logProbabiliteSeul(qint32 indice) const
    {
        return std::max(logProbabilite(-1, indice), logProbabiliteAnglais(indice));
    }
    // The same for a word of the model, by its index.
    double logProbabiliteAnglais(qint32 indice) const { return anglaisDesMots[size_t(indice)]; }
    // The same for a word the model never saw, spelled `mot`: the small
    // constant, by how often words of its ending follow `precedent`.
    double logProbabiliteInconnu(qint32 precedent, QStringView mot) const;

private:
    bool lire(QByteArrayView texte, QString &erreur);
    void indexer();
    void indexerAnglais();
    void classer();
    void indexerNombres(const std::vector<std::pair<quint64, quint64>> &nombresEtComptes,
                        double nombresApresMots);
    double reste(qint32 precedent) const;
    void estimerLesRemises(const std::array<double, 4> &frequences);
    // What a pair seen `compte` times gives over to the words' own
    // frequencies.
    double remiseDe(quint32 compte) const
    {
        return compte == 0 ? 0.0 : remises[std::min<size_t>(compte, remises.size()) - 1];
    }
    double suiteSelonLaFin(qint32 precedent, quint8 classe, double continuation) const;
    quint32 comptePaire(qint32 precedent, qint32 mot) const;

    std::vector<QString> mots;
    std::vector<QString> anglais;
    std::vector<bool> seulementAnglais;  // of each English word: no French word
    std::vector<quint32> comptesAnglais; // of each English word, 0 when the file has none
    double totalAnglais = 0;             // English words in the strings, kept or not
    std::vector<float> anglaisDesMots;   // of each word: logProbabiliteAnglais()
    std::vector<qint32> parAnglais;      // hash table: English word → index
    std::vector<qint32> parMot;          // hash table: word → index
    std::vector<std::string> cles;       // of the accented words, sorted
    std::vector<qint32> accentuesParCle; // the accented words in the order of `cles`
    std::vector<qint32> parCle;          // hash table: key → its first place in `cles`
    std::vector<quint32> comptes;        // of each word
    std::vector<quint64> apres;          // of each word: the counts of the pairs it opens, summed
    std::vector<quint32> debuts;         // of each word, and one more: where its pairs start
    std::vector<qint32> seconds;         // the second word of every pair, by first word
    std::vector<quint32> comptesPaires;
    std::vector<float> continuations; // of each word: its share of the pairs' second words
    std::array<double, 3> remises{0.75, 0.75, 0.75}; // of a pair seen once, twice, more
    std::vector<float> remisesApres; // of each word: the discounts of the pairs it opens
    static constexpr size_t nombreDeClasses = 10;
    std::vector<quint8> classes;                     // of each word: its ending
    std::array<double, nombreDeClasses> parClasse{}; // the continuations of each ending, summed
    // Of each word: the counts of the pairs it opens, by the second word's ending.
    std::vector<quint32> suitesParClasse;
    std::vector<QString> clesNombres; // the keys that numbers follow
    std::vector<float> gainsNombres;  // of each key: logNombreApres()
    std::vector<qint32> parCleNombre; // hash table: key → index
    double total = 1;
    qint32 debut = -1;
};
