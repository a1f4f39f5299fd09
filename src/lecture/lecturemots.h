#pragma once

// The reading with a word list, run by run: the runs between blanks and
// marks, each read as the words of the list that its glyphs can spell.
// Private to the reading (retablissement.h is its entry point).

#include "chemin.h"
#include "contextemots.h"
#include "dictionnaire.h"
#include "glyphes.h"
#include "memoiremots.h"
#include "regles.h"
#include "retablissement.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// A glyph as bytes, with the small letter it stands for.
struct Glyphe
{
    std::array<char, 4> octets{};
    int taille = 0;
    char lettre = 0;
};

// What a character gives when no glyph takes it.
enum class Copie : quint8 { Rien, Lettre, Chiffre, Signe };

// Everything the reading needs of a style, built once.
struct Lecture
{
    // Glyphs by first byte, in the standard reading's order.
    std::array<std::vector<Glyphe>, 256> glyphes;
    // Punctuation that belongs to no glyph of the style: it ends a word.
    std::array<bool, 256> separateur{};
    std::array<Copie, 256> sorte{};
    // The bytes that some glyph holds.
    std::array<bool, 256> dansUnGlyphe{};
    // ASCII characters that go into a run as they are: no blank, no mark that
    // ends a word, no NUL.
    std::array<bool, 128> dansUnMot{};
    // Glyphs of many alphabets make no standard reading: a run that no
    // reading with the list takes goes along the fallback's path, or stays
    // as written without the model.
    bool telQuel = false;
    // What it costs, along the fallback's path, that a character that glyphs
    // hold was written as itself (chemin.h). Where letters stand as
    // themselves among glyphs of every alphabet, marks do too: half as much.
    float coutSigne = Chemin::coutSigne;
};

// The reading of a style, built once from its glyphs and the copy rules.
const Lecture &lecture(Style style);
// The same with the glyphs of every common alphabet (inventaireglyphes.h),
// the two styles' included.
const Lecture &lectureCommune();

// What a character gives when no glyph takes it: the copy rules' kind for a
// code below 256; beyond, "œ" is a letter and any other character none.
Copie sorteDe(const Lecture &l, char16_t code);

// What a character that no glyph takes gives in a word: what the copy rules
// give, but an accented I, which they drop, is that letter ("chaîne" written
// half in leet keeps it).
inline char16_t lueTelle(char16_t code)
{
    return estIAccentue(code) ? code : copieDe(code);
}

// "l'" and "l’" elide alike.
inline bool estApostrophe(char16_t c)
{
    return c == u'\'' || c == u'’';
}

// After these marks, the next word opens a sentence for the choice in
// context.
inline bool romptLaPhrase(char16_t c)
{
    return estFinDePhrase(c) || c == u':' || c == u';';
}

// What it costs, in the model's log-probability, that the writer meant a
// character that glyphs hold as itself (a bracket, a digit, "_" of "|_|")
// rather than as part of a glyph: three thousand times less likely. Measured
// on the manual pages of the round trip: below it, "celle" reads "(elle";
// above it, nothing changes.
constexpr float coutSigneSurGlyphe = 8.0f;

// Bound on the readings tried for one run, so that the cost stays linear.
constexpr int essaisMaximum = 512;

class Lecteur
{
public:
    // Without a model, each word takes the list's spelling by its rule
    // alone; with one, by the words around it.
    Lecteur(const Dictionnaire &d, const ModeleContexte *m, const Lecture &l, QString &s,
            StatistiquesRetablissement *st)
        : dico(d), modele(m), style(l), sortie(s), stats(st)
    {
        if (m)
            contexte.emplace(*m, d, s);
    }

    // One character of the text; `retire` for a blank that the blank option
    // removes.
    void lire(char16_t code, bool retire);
    // As many of the `nombre` characters from `suite` as go into the run as they are,
    // at once (the same as lire() for each); returns how many it took.
    qsizetype lireDansLeMot(const char16_t *suite, qsizetype nombre)
    {
        qsizetype k = 0;
        while (k < nombre && taille < longueurMaximale) {
            const char16_t code = suite[k];
            if (code >= 128 || !style.dansUnMot[code])
                break;
            octets[size_t(taille)] = char(code);
            codes[size_t(taille)] = code;
            ++taille;
            ++k;
        }
        if (k > 0) {
            haut = 0;
            debutDuTexte = false;
            ligneBlanche = false;
        }
        return k;
    }
    void finir();
    // Everything before this position of the text written is decided; the
    // first `n` characters went out.
    qsizetype decide() const { return contexte ? contexte->decide() : sortie.size(); }
    void decaler(qsizetype n)
    {
        if (contexte)
            contexte->decaler(n);
    }
    // Just after a line break that ends a sentence, nothing carries to the
    // text that follows but whether a capital is due: that, or nothing when
    // the reader stands elsewhere.
    std::optional<bool> capitaleALaReprise() const;
    // Stands there, a capital due or not, as though the text had come so far;
    // what was read and not yet written is dropped.
    void reprendre(bool capitaleDue);

private:
    void ajouterAuMot(char16_t code, unsigned char cle);
    // The standard reading of the run's characters from `debut` up to
    // `jusque` (a glyph that starts before it is read whole); returns where
    // it stopped.
    int lireStandard(int jusque, int debut = 0);
    void lireRepli();
    void lireEnRepli();
    int derniereCoupure(int jusque) const;
    void accentuerDansUnNom(int debutSortie, Dictionnaire::Plage plage, bool capitaleEnTete);
    bool lireVraisemblable(int debut, int fin);
    bool inconnuPlusProbable();
    bool queDesGlyphes(int debut, int fin) const;
    void ecrireLettres(int debut, int fin);
    int lireParSegments(int jusque);
    void lireParChemin(int debut, int fin);
    float parcourirLeChemin(int debut, int fin);
    void effacerLesLettres(int debut, int fin);
    int etatFinal(int fin) const;
    bool avecInconnu(int debut, int fin) const;
    void quitterLeBord(int p);
    void fixerLeSeuil(int p);
    void quitterParUnNombre(int p);
    void avancerLesLettres(int p, bool finir);
    void cheminDesMots(int p, Dictionnaire::Plage plage, int n);
    void ecrireChemin(int debut, int fin);
    char lettreEcrite(int p) const;
    float noteDeLInconnu(int p, int ab, float note) const;
    float noteCourte(QStringView lettres) const;
    void prolongerLeMot(int p);
    int motDuBord(int p, std::array<char16_t, longueurMaximale> &lettres) const;
    bool fermanteSeule(int debut) const;
    bool dansUnGlypheIci(int q) const;
    void explorerLettres(int p, char a, char b, float note);
    int lettresConnues(int debut, int fin) const;
    void copier(int p);
    int finDuNombre(int p) const;
    // Whether the glyph's characters stand at p.
    bool present(const Glyphe &g, int p) const
    {
        if (p + g.taille > taille)
            return false;
        for (int k = 0; k < g.taille; ++k)
            if (octets[size_t(p + k)] != g.octets[size_t(k)])
                return false;
        return true;
    }
    // Whether a glyph or a character taken up to `q` may end there: in a run
    // whose glyphs the blank option held apart, only where one was.
    bool finDePiece(int q) const
    {
        return !parPieces || q == taille || (octets[size_t(q)] == 0 && codes[size_t(q)] == 0);
    }
    // The same for a glyph at `p`: "œ" and "æ" are two glyphs in one piece.
    bool tientDansLaPiece(const Glyphe &g, int p) const;
    const Glyphe *glypheEn(int p) const;
    // The glyph that the standard reading takes at p, if any: the first
    // there, but for an underscore that joins a name's parts.
    const Glyphe *glypheStandard(int p) const;
    // Depth-first over the readings of the run, glyphs in the standard order
    // and the character's own copy last: the first reading found whose words
    // are all in the list is taken, so the standard reading wins whenever it
    // is one. `choix[p]` records what was taken at p.
    bool explorer(int p, Dictionnaire::Plage plage, int segments, int queue = -1);
    bool explorerCopie(int p, Dictionnaire::Plage plage, int segments, int queue, bool unGlyphe);
    Dictionnaire::Plage prolongerDeLettre(Dictionnaire::Plage plage, char16_t c) const;
    // Whether the reading explored stands whole at the run's end.
    bool lectureFinie(Dictionnaire::Plage plage, int segments, int queue);
    float noterLecture() const;
    double noterMot(Dictionnaire::Plage plage, QStringView lettres) const;
    struct NoteDeMot
    {
        qint32 noeud = -1;
        qint32 profondeur = 0;
        double note = 0;
    };
    static constexpr int bitsNotesDesMots = 12;
    mutable std::vector<NoteDeMot> notesDesMots; // made on the first word weighed
    // The run is one glyph: a letter alone ("u", "x") or an option ("-u"),
    // which no reading with the list should turn into a word of two letters.
    bool unSeulGlyphe() const;
    int caractereSeul() const;
    bool tientUnChiffre() const;
    // What the run's one character, at `seul`, copies to; Rien for none.
    Copie sorteSeule(int seul) const;
    // The run from `debut` read with the list: with the model, every reading
    // weighed in one search; without, the first found, one word of the list
    // before words that marks hold apart ("mot-clé", rather than "eu_es").
    // Before an apostrophe, an elided word first.
    bool explorerParMots(int debut = 0);
    bool chiffresEntreParentheses(int ouvrante) const;
    void marquesDuPluriel(int ouvrante);
    // Writes the letters read since the last sign, in the list's spelling.
    void ecrireSegment(int debutSortie, Dictionnaire::Plage plage, bool capitaleEnTete);
    void ecrireChoix();
    // Digits, with at most a mark on either side ("2011", "(1998)"), or one
    // mark alone ("!" between words).
    bool queDesChiffres() const;
    bool standardEstChoisi() const;
    bool seulEnContexte(int seul);
    void finirMot(char16_t apres);
    int finSansLaQueue() const;
    void separer(char16_t code);
    void motEnContexte(qsizetype position, Dictionnaire::Plage plage, bool capitaleEnTete);

    static constexpr qint8 copie = -1;
    static constexpr qint8 rien = -2;

    const Dictionnaire &dico;
    const ModeleContexte *modele;
    const Lecture &style;
    QString &sortie;
    StatistiquesRetablissement *stats;

    std::array<char, longueurMaximale + 1> octets{};
    std::array<char16_t, longueurMaximale + 1> codes{};
    std::array<qint8, longueurMaximale + 1> choix{};
    std::array<qint8, longueurMaximale + 1> meilleurChoix{};
    float noteStandard = 0;
    // What a reading by the likeliest letters must beat the standard one by
    // to be taken: fifty times likelier.
    static constexpr float margeLettres = 3.9f;
    float seuilLettres = 0;
    float meilleureNote = 0;
    int taille = 0;
    int essais = 0;
    // With the glyphs of every alphabet, the readings found so far of the
    // run, of which the best (`meilleurChoix`, `meilleureNote`) is taken.
    static constexpr int lecturesMaximum = 6;
    int trouvees = 0;
    // The readings found of the run as one word of the list, all glyphs:
    // the context chooses between them.
    static constexpr int autresMaximum = 3;
    std::array<std::array<char16_t, longueurMaximale>, autresMaximum> lettresAutres{};
    std::array<ChoixEnContexte::AutreLecture, autresMaximum> autres{};
    int nombreAutres = 0;
    bool autresDits = false; // the context weighs them: the run is read afresh each time
    std::array<float, autresMaximum> notesAutres{};
    void retenirAutre(Dictionnaire::Plage plage, float note);
    // Characters read as themselves where a glyph begins, in the reading
    // being explored.
    int copiesSurGlyphe = 0;
    int segmentsMaximum = longueurMaximale;
    bool elisionExigee = false;
    bool queueAutorisee = true;
    bool long_ = false;
    bool capitale = true;
    bool debutDuTexte = true;
    bool ligneBlanche = true; // nothing but blanks since the last line break
    // The run follows an apostrophe or a percent sign, after which a digit
    // alone is a letter ("doesn't", "%s").
    bool lettreAttendue = false;
    bool soulignesSignes = false; // lireStandard() reads "_" as a mark
    // The run holds blanks that the blank option removed: leet written with
    // a blank after each glyph, each piece between two a glyph or a mark.
    bool parPieces = false;
    char16_t suivant = 0;
    char16_t haut = 0; // the first half of a surrogate pair just read
    MemoireMots memoire;
    // The fallback's paths through the run (chemin.h).
    Chemin chemin;
    static float coutDuDebut(Chemin::Genre genre, bool seul, int etat);
    Chemin::Depart meilleurDepart(int p, Chemin::Genre genre, bool seul) const;
    void arriverAuBord(int q, int etat, float note, int depuis, Chemin::Genre genre, int avant);
    void arriverALaLettre(int q, int ab, float note, int depuis, int avant, qint8 pris);
    std::optional<ChoixEnContexte> contexte;
    // The run being read: where its output starts, how many words it gave
    // the choice in context, and what it told it.
    qsizetype debutRun = 0;
    int motsDuRun = 0;
    bool repli = false; // read by the fallback
    MemoireMots::Contexte ditAuContexte;
};
