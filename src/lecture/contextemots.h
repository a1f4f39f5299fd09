#pragma once

// For the reader (lecturemots.h): the choice between the spellings that a
// word read from leet allows ("a" or "à", "mange" or "mangé", "the" or "thé"),
// each word waiting for the next one, by what the context model (modele.h)
// finds likeliest between the word chosen before it and the next one.

#include "dictionnaire.h"
#include "modele.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

class ChoixEnContexte
{
public:
    ChoixEnContexte(const ModeleContexte &modele, const Dictionnaire &dictionnaire,
                    QString &sortie);

    // A word was just written as read in `sortie`, `longueur` characters
    // from `position` on; `plage` is its key in the word list (empty when
    // the list has none), `capitale` when its first letter is a capital.
    // `parenthese` when the word's first letter is a C that may be an
    // opening bracket instead ("(ou" read "cou"), `fermee` when the run
    // ends with a closing one.
    // What a word's candidates come to when it has one only, so that a run
    // read again needs no lookup: `indice` is -2 when it has several.
    struct Seul
    {
        qint32 indice = -2;
        bool dansLaListe = false;
        ModeleContexte::Anglais anglais = ModeleContexte::Anglais::Non;
    };
    // Another reading of the same characters as one word of the list ("lire"
    // for "ure"): its key and its letters.
    struct AutreLecture
    {
        Dictionnaire::Plage plage;
        QStringView lettres;
    };
    // `connu`, when given, is what this same word came to before; `seul`,
    // when given, receives what it comes to now; `autres`, the other readings
    // whose spellings are candidates too.
    void mot(qsizetype position, qsizetype longueur, Dictionnaire::Plage plage, bool capitale,
             bool parenthese = false, bool fermee = false, const Seul *connu = nullptr,
             Seul *seul = nullptr, const AutreLecture *autres = nullptr, int nombreAutres = 0);
    // Something that is no word came: the waiting word is chosen without
    // looking further, and the next word opens a sentence when
    // `finDePhrase`, or follows an unknown word.
    void rupture(bool finDePhrase);
    // The model knows this word, in small letters.
    bool connu(QStringView mot) const { return modele.indice(mot) >= 0; }
    // Everything before this position of `sortie` is decided.
    qsizetype decide() const
    {
        const Mot &m = mots[size_t(attente)];
        return m.actif ? m.position : sortie.size();
    }
    // The first `n` characters of `sortie` went out.
    void decaler(qsizetype n);
    // No word waits and the next one opens a sentence.
    bool auDebutDePhrase() const
    {
        return !mots[size_t(attente)].actif && precedent == modele.debutDePhrase() &&
               !precedentAnglais;
    }
    // Stands so, the waiting word dropped unwritten.
    void recommencer();

private:
    static constexpr int candidatsMaximum = 8;
    static constexpr int longueurMaximale = 64;
    struct Candidat
    {
        QStringView forme; // empty: as read
        qint32 indice;
        bool dansLaListe;
        bool parenthese; // "(" and the word, for a C and the word
    };
    struct Mot
    {
        bool actif = false;
        bool capitale = false;
        bool fermee = false; // the run ends with a closing bracket
        ModeleContexte::Anglais anglais = ModeleContexte::Anglais::Non; // as read
        bool apresAnglais = false; // the word chosen before it is English
        // Written as digits or marks: what it costs that it stays so.
        double telQuel = 0;
        qsizetype position = 0;
        qsizetype longueur = 0;
        qint32 precedent = -1;
        int nombre = 0;
        // Written before they are read, up to `nombre` and `longueur`.
        std::array<Candidat, candidatsMaximum> candidats;
        std::array<char16_t, longueurMaximale> lu; // as read, in small letters
    };

    // The candidates of a word read, kept by its letters as read: words come
    // back again and again, and finding their spellings takes several
    // lookups. One slot per hash, the newest word wins.
    static constexpr int luMaximum = 24;
    struct Ensemble
    {
        quint32 empreinte = 0;
        qint32 longueur = -1; // -1: empty
        qint32 noeud = 0;
        bool parenthese = false;
        ModeleContexte::Anglais anglais = ModeleContexte::Anglais::Non;
        int nombre = 0;
        std::array<char16_t, luMaximum> lu{};
        std::array<Candidat, candidatsMaximum> candidats{};
    };
    // The model's answers for pairs of words, kept likewise.
    struct Note
    {
        quint64 paire = ~quint64(0);
        double valeur = 0;
    };

    void ajouter(Mot &m, QStringView forme, qint32 indice, bool dansLaListe,
                 bool parenthese = false) const;
    void candidats(Mot &m, Dictionnaire::Plage plage, bool parenthese);
    void sansLeC(Mot &m);
    void ajouterOrthographes(Mot &m, QStringView lu, Dictionnaire::Plage plage, bool parenthese);
    QStringView formeDe(const Mot &m, const Candidat &c) const;
    // What a bracket before the word costs ("(ou" read "cou").
    double crochet(const Mot &m, const Candidat &c) const;
    double note(qint32 precedent, const Mot &m, const Candidat &c);
    int plusAnglais(const Mot &m) const;
    // Writes the likeliest spelling of `m` and returns its index in the model.
    qint32 choisir(const Mot &m, const Mot *suivant);

    const ModeleContexte &modele;
    const Dictionnaire &dico;
    QString &sortie;
    // The word that waits for the next one, and room for that one.
    std::array<Mot, 2> mots;
    int attente = 0;
    qint32 precedent;
    bool precedentAnglais = false;
    double logListe;
    double logInconnu;
    double logParenthese;
    double logFermee;
    double logNombre;
    double logSigne;
    std::string cle;
    std::vector<Ensemble> ensembles;
    size_t calcules = 0; // words whose candidates were looked up since the table grew
    std::vector<Note> notes;
    size_t notesCalculees = 0; // pairs weighed since the table grew
};
