// What a run becomes at its end: digits and marks as they are, a reading with
// the list, or, when none fits, the standard reading and its rescues.

#include "lecturemots.h"

#include "regles.h"

#include <algorithm>
#include <cmath>
#include <limits>

// Digits, with at most a mark on either side ("2011", "(1998)"), or one
// mark alone ("!" between words).
bool Lecteur::queDesChiffres() const
{
    if (taille == 1)
        return codes[0] < 256 && style.sorte[codes[0]] != Copie::Lettre;
    bool chiffre = false;
    for (int p = 0; p < taille; ++p) {
        const char16_t code = codes[size_t(p)];
        if (octets[size_t(p)] == 0)
            continue;
        const Copie sorte = code < 256 ? style.sorte[code] : Copie::Rien;
        // An opening mark first, a closing one last: "(1998)", "12,". A
        // leading hyphen is an option ("-e"), not a minus.
        const bool bord = (p == 0 && code != u'-') || (p == taille - 1 && code != u'(');
        if (sorte == Copie::Chiffre)
            chiffre = true;
        else if (sorte != Copie::Signe || !bord)
            return false;
    }
    return chiffre;
}

// The digit at `seul`, the run's one character, written as it is and given
// to the context with the word of its glyph's letter ("a", "à") when the
// model has one; false, and nothing written, otherwise.
bool Lecteur::chiffreEnContexte(int seul)
{
    const Glyphe *g = glypheEn(seul);
    if (!g || g->taille != 1)
        return false;
    lettresAutres[0][0] = char16_t(g->lettre);
    const QStringView lettre(lettresAutres[0].data(), 1);
    if (modele->indice(lettre) < 0)
        return false;
    const bool capitaleEnTete = capitale;
    copier(seul);
    const ChoixEnContexte::AutreLecture autre{dico.prolonger(dico.racine(), g->lettre), lettre};
    ++motsDuRun;
    autresDits = true;
    contexte->mot(debutRun, sortie.size() - debutRun, Dictionnaire::Plage{-1, 1}, capitaleEnTete,
                  false, false, nullptr, nullptr, &autre, 1);
    return true;
}

bool Lecteur::standardEstChoisi() const
{
    for (int p = 0; p < taille;) {
        if (octets[size_t(p)] == 0) {
            ++p;
            continue;
        }
        const Glyphe *g = glypheEn(p);
        const qint8 attendu =
            g ? qint8(g - style.glyphes[static_cast<unsigned char>(octets[size_t(p)])].data())
              : copie;
        if (choix[size_t(p)] != attendu)
            return false;
        p += g ? g->taille : 1;
    }
    return true;
}

void Lecteur::finirMot(char16_t apres)
{
    if (taille == 0) {
        long_ = false;
        return;
    }
    // A blank removed at the run's end, before a mark ("open() ,"), holds
    // no glyph apart.
    while (taille > 1 && octets[size_t(taille - 1)] == 0 && codes[size_t(taille - 1)] == 0)
        --taille;
    suivant = apres;
    if (stats)
        ++stats->mots;
    // The rule counts above need every run read; measures do without
    // the memory.
    // A digit alone reads as a letter after an apostrophe: the memory
    // keeps no such run.
    const bool memorisable = !stats && !long_ && taille <= MemoireMots::cleMaximale &&
                             !(lettreAttendue && sorteSeule(caractereSeul()) == Copie::Chiffre);
    const bool apostrophe = estApostrophe(suivant);
    const bool capitaleAvant = capitale;
    const quint32 h =
        memorisable ? MemoireMots::empreinte(codes.data(), taille, capitale, apostrophe) : 0;
    if (memorisable) {
        bool capitaleApres = false;
        MemoireMots::Contexte dit;
        const QLatin1StringView connu =
            memoire.trouver(h, codes.data(), taille, capitale, apostrophe, &capitaleApres, &dit);
        if (!connu.isEmpty()) {
            sortie.append(connu);
            if (contexte && dit.sorte == MemoireMots::Contexte::Mot)
                contexte->mot(sortie.size() - connu.size() + dit.decalage, dit.longueur,
                              Dictionnaire::Plage{dit.noeud, dit.profondeur}, dit.capitale,
                              dit.parenthese, dit.fermee, &dit.seul);
            else if (contexte && dit.sorte != MemoireMots::Contexte::Rien)
                contexte->rupture(dit.sorte == MemoireMots::Contexte::Option);
            capitale = capitaleApres;
            taille = 0;
            return;
        }
    }
    debutRun = sortie.size();
    motsDuRun = 0;
    nombreAutres = 0;
    autresDits = false;
    ditAuContexte = {};
    parPieces = false;
    for (int p = 0; p < taille && !parPieces; ++p)
        parPieces = octets[size_t(p)] == 0 && codes[size_t(p)] == 0;
    // A letter alone keeps its reading, unless it is elided ("l'") or a
    // digit ("1", not "l"; but "doesn't", "%s").
    const int seul = caractereSeul();
    const bool chiffreSeul = sorteSeule(seul) == Copie::Chiffre;
    // A mark alone is that mark, though a glyph has it ("ha ! non", "a | b"),
    // but for a C alone, a letter more often than a bracket ("en C").
    const bool signeSeul =
        !apostrophe && sorteSeule(seul) == Copie::Signe && codes[size_t(seul)] != u'(';
    // Among the glyphs of every alphabet, a glyph of several characters may
    // also read as several letters ("13": "le" or "b"): only one character
    // alone is a letter alone.
    // A letter written as itself alone is one too ("y" in "il y 4").
    const bool lettreSeule =
        !apostrophe &&
        (unSeulGlyphe() || (sorteSeule(seul) == Copie::Lettre && codes[0] != u'-')) &&
        !(chiffreSeul && !lettreAttendue) && !signeSeul && (!style.telQuel || seul >= 0);
    if (!long_ && !lettreSeule && !signeSeul && explorerParMots()) {
        if (stats)
            ++(standardEstChoisi() ? stats->lectureStandard : stats->autreLecture);
        ecrireChoix();
    } else if (contexte && lettreSeule && codes[0] != u'-') {
        // A letter alone may still be a word of its own ("à", "y"); no
        // choice of a reading before tells the context about it.
        std::fill(choix.begin(), choix.begin() + taille, rien);
        const bool capitaleEnTete = capitale;
        lireStandard(taille);
        motEnContexte(debutRun, Dictionnaire::Plage{-1, 1}, capitaleEnTete);
    } else if (lettreSeule && codes[0] == u'-') {
        // What follows an option describes it, as a sentence does.
        lireStandard(taille);
        if (contexte) {
            contexte->rupture(true);
            ditAuContexte.sorte = MemoireMots::Contexte::Option;
        }
    } else if (contexte && style.telQuel && chiffreSeul && !lettreAttendue &&
               chiffreEnContexte(seul)) {
        // A digit alone among words may be the letter of its glyph ("je
        // suis 4 la maison"): the words around choose.
    } else if (!long_ && !(chiffreSeul && lettreAttendue) && queDesChiffres()) {
        if (stats)
            ++stats->chiffres;
        for (int p = 0; p < taille; ++p)
            if (octets[size_t(p)] != 0)
                copier(p);
            else
                capitale = false;
    } else {
        if (stats)
            ++stats->repli;
        lireRepli();
        if (contexte) {
            // An option ("--admindir=dir") is described as the one of a
            // letter is.
            const bool option = codes[0] == u'-';
            contexte->rupture(option);
            ditAuContexte.sorte =
                option ? MemoireMots::Contexte::Option : MemoireMots::Contexte::Rupture;
        }
    }
    // A run of several words in context is read afresh each time.
    if (memorisable && motsDuRun <= 1 && !autresDits)
        memoire.garder(h, codes.data(), taille, capitaleAvant, apostrophe,
                       QStringView(sortie).sliced(debutRun), capitale, ditAuContexte);
    taille = 0;
    long_ = false;
}

// The standard reading of a run that no reading with the list takes, with
// what words carry at their end read as such: "()" or a number in brackets
// ("stat()", "vimdiff(1)"), and digits after a word known without them
// ("LZMA2").
void Lecteur::lireRepli()
{
    if (style.telQuel) {
        for (int p = 0; p < taille; ++p)
            if (octets[size_t(p)] != 0)
                copier(p);
        return;
    }
    // The last character before p, blanks that the blank option removed
    // aside; -1 for none.
    const auto avant = [this](int p) {
        do
            --p;
        while (p >= 0 && octets[size_t(p)] == 0);
        return p;
    };
    int fin = taille;
    const int dernier = avant(taille);
    // A word that the list lacks between brackets ("(quilt)"): the first one
    // is no C, nor "()" an O.
    int premier = 0;
    while (premier < taille && octets[size_t(premier)] == 0)
        ++premier;
    int second = premier + 1;
    while (second < taille && octets[size_t(second)] == 0)
        ++second;
    // "()" is an O where the blank option did not hold its halves apart.
    const auto unO = [this](int p) {
        return p + 1 < taille && codes[size_t(p)] == u'(' && codes[size_t(p + 1)] == u')';
    };
    if (dernier > second && codes[size_t(premier)] == u'(' && !unO(premier) &&
        fermanteSeule(premier + 1)) {
        copier(premier);
        lireStandard(taille, premier + 1);
        return;
    }
    if (dernier >= 2 && codes[size_t(dernier)] == u')') {
        int q = avant(dernier);
        while (q > 0 && sorteDe(style, codes[size_t(q)]) == Copie::Chiffre)
            q = avant(q);
        // "()" ends a known word only ("open()"): otherwise it is an O ("too").
        if (q > 0 && codes[size_t(q)] == u'(' && (avant(dernier) != q || lettresConnues(0, q) > 0))
            fin = q;
    }
    // The shortest run of digits at the end whose letters before are a word.
    // "1", "3", "5", "6", "7" end many words as "l", "e", "s", "g", "t"
    // ("will", "has", "unless"): digits are taken for digits only when one of
    // them stands for a letter that rarely ends a word, or for none, after
    // a word of three letters or more; a "1" after one of four ("LZMA1").
    int chiffres = fin;
    bool rare = false;
    bool un = false;
    for (int p = avant(fin); p > 0 && sorteDe(style, codes[size_t(p)]) == Copie::Chiffre;
         p = avant(p)) {
        rare = rare || QStringView(u"02489").contains(QChar(codes[size_t(p)]));
        un = un || codes[size_t(p)] == u'1';
        const int connues = rare || un ? lettresConnues(0, p) : 0;
        if (connues >= 3 && (rare || connues >= 4)) {
            chiffres = p;
            break;
        }
    }
    if (chiffres == taille && lireVraisemblable(0, taille))
        return;
    // An underscore after the run's start joins the parts of a name
    // ("XZ_DEFAULTS") rather than opening a J.
    bool souligne = false;
    for (int p = 1; p < chiffres; ++p)
        souligne = souligne || codes[size_t(p)] == u'_';
    soulignesSignes = souligne;
    // After an apostrophe or a percent sign, a digit alone is a letter.
    nombresEntiers = !lettreAttendue;
    const int lus = lireParSegments(chiffres);
    soulignesSignes = false;
    nombresEntiers = false;
    for (int p = lus; p < taille; ++p) {
        if (octets[size_t(p)] != 0)
            copier(p);
    }
}

// When the run's characters from `debut` to `fin` read as a word of the list
// or of the model ("LZMA2"), in their standard reading, its letters; 0
// otherwise.
int Lecteur::lettresConnues(int debut, int fin) const
{
    std::array<char16_t, longueurMaximale> lu{};
    int lettres = 0;
    Dictionnaire::Plage plage = dico.racine();
    for (int p = debut; p < fin;) {
        if (octets[size_t(p)] == 0) {
            ++p;
            continue;
        }
        const Glyphe *g = glypheEn(p);
        if (!g || p + g->taille > fin)
            return 0;
        lu[size_t(lettres++)] = char16_t(g->lettre);
        plage = dico.prolonger(plage, g->lettre);
        p += g->taille;
    }
    const bool connu = dico.mot(plage) >= 0 || (lettres >= 3 && contexte &&
                                                contexte->connu(QStringView(lu.data(), lettres)));
    return connu ? lettres : 0;
}

// Whether the standard reading from `debut` ends with a closing bracket that
// no glyph takes ("(ram)", but not the D of "ctrl-d").
bool Lecteur::fermanteSeule(int debut) const
{
    bool fermante = false;
    for (int p = debut; p < taille;) {
        if (octets[size_t(p)] == 0) {
            ++p;
            continue;
        }
        const Glyphe *g = glypheEn(p);
        fermante = !g && codes[size_t(p)] == u')';
        p += g ? g->taille : 1;
    }
    return fermante;
}

// A run that the list lacks, all glyphs, read as the letters that look most
// like a word's ("ariel", not "arbl"; "w", not "vv"), by the list's letter
// trigrams: only when that reading is far likelier than the standard one,
// which is the first that the glyphs' order gives.
bool Lecteur::lireVraisemblable(int debut, int fin)
{
    essais = 0;
    noteStandard = std::numeric_limits<float>::quiet_NaN();
    meilleureNote = -std::numeric_limits<float>::infinity();
    const int tailleDuRun = taille;
    taille = fin;
    explorerLettres(debut, 0, 0, 0);
    taille = tailleDuRun;
    // Fifty times likelier.
    constexpr float marge = 3.9f;
    if (std::isnan(noteStandard) || !(meilleureNote > noteStandard + marge))
        return false;
    for (int p = debut; p < fin;) {
        if (meilleurChoix[size_t(p)] == rien) {
            capitale = false;
            ++p;
            continue;
        }
        const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(p)])]
                                       [size_t(meilleurChoix[size_t(p)])];
        sortie.append(QChar(char16_t(capitale ? g.lettre - 'a' + 'A' : g.lettre)));
        capitale = false;
        p += g.taille;
    }
    return true;
}

// The run up to `jusque` read part by part, each part what the standard
// reading takes as glyphs up to a mark it copies ("memlimit", "compress" and
// "limit" in "--memlimit-compress=limit"): as words of the list where they
// read so, else by the likeliest letters, else glyph by glyph; digits
// between marks as a number. Returns where it stopped.
int Lecteur::lireParSegments(int jusque)
{
    const int tailleDuRun = taille;
    const char16_t suivantDuRun = suivant;
    bool apresUnSigne = !long_ && codes[0] != u'-';
    int p = 0;
    while (p < jusque) {
        const int finNombre = nombresEntiers && apresUnSigne ? finDuNombre(p) : p;
        if (finNombre > p) {
            for (; p < finNombre; ++p)
                if (octets[size_t(p)] != 0)
                    copier(p);
            apresUnSigne = false;
            continue;
        }
        int q = p;
        while (q < jusque) {
            if (octets[size_t(q)] == 0) {
                ++q;
                continue;
            }
            const Glyphe *g = glypheStandard(q);
            if (!g)
                break;
            q += g->taille;
        }
        if (q > jusque)
            return lireStandard(jusque, p);
        if (q > p) {
            taille = q;
            suivant = q < tailleDuRun ? codes[size_t(q)] : suivantDuRun;
            std::fill(choix.begin(), choix.begin() + p, rien);
            // The whole run: the list had its turn already, or none was due.
            const bool lu = (p > 0 || q < tailleDuRun) && explorerParMots(p);
            if (lu)
                ecrireChoix();
            taille = tailleDuRun;
            suivant = suivantDuRun;
            if (!lu && !lireVraisemblable(p, q))
                lireStandard(q, p);
        }
        if (q == jusque)
            break;
        apresUnSigne =
            sorteDe(style, codes[size_t(q)]) == Copie::Signe && (q > 0 || codes[0] != u'-');
        copier(q);
        p = q + 1;
    }
    return std::max(p, jusque);
}

void Lecteur::explorerLettres(int p, char a, char b, float note)
{
    if (++essais > essaisMaximum || note <= meilleureNote)
        return;
    if (p == taille) {
        note += dico.noteLettre(a, b, 0);
        if (std::isnan(noteStandard))
            noteStandard = note;
        if (note > meilleureNote) {
            meilleureNote = note;
            std::copy(choix.begin(), choix.begin() + taille, meilleurChoix.begin());
        }
        return;
    }
    if (octets[size_t(p)] == 0) {
        choix[size_t(p)] = rien;
        explorerLettres(p + 1, a, b, note);
        return;
    }
    const std::vector<Glyphe> &candidats =
        style.glyphes[static_cast<unsigned char>(octets[size_t(p)])];
    for (size_t k = 0; k < candidats.size(); ++k) {
        const Glyphe &g = candidats[k];
        if (!present(g, p) || !tientDansLaPiece(g, p))
            continue;
        choix[size_t(p)] = qint8(k);
        explorerLettres(p + g.taille, b, g.lettre, note + dico.noteLettre(a, b, g.lettre));
    }
}

// Where the run's one character stands, blanks that the blank option
// removed aside; -1 for a run of several.
int Lecteur::caractereSeul() const
{
    int seul = -1;
    for (int p = 0; p < taille; ++p) {
        if (octets[size_t(p)] == 0)
            continue;
        if (seul >= 0)
            return -1;
        seul = p;
    }
    return seul;
}

Copie Lecteur::sorteSeule(int seul) const
{
    return seul >= 0 ? sorteDe(style, codes[size_t(seul)]) : Copie::Rien;
}
