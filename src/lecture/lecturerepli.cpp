// What a run becomes when the list does not read it whole: what words carry
// at their end ("stat()", "vimdiff(1)"), then, with the model, the likeliest
// path through the rest (lecturechemin.cpp); without, part by part between
// the marks that its standard reading copies, each part as words of the
// list, by the likeliest letters, or glyph by glyph.

#include "lecturemots.h"

#include <algorithm>
#include <cmath>
#include <limits>

// A run that no reading with the list takes, what words carry at their end
// read as such: "()" or a number in brackets ("stat()", "vimdiff(1)"), and,
// without the model, digits after a word known without them ("LZMA2").
// Among the glyphs of every alphabet, without the model, the run stays as
// written.
void Lecteur::lireRepli()
{
    if (style.telQuel && !modele) {
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
    int debut = 0;
    int fin = taille;
    const int dernier = avant(taille);
    // A word that the list lacks between brackets ("(quilt)"): the first one
    // is no C, nor "()" an O; what stands between them reads as it would
    // alone.
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
        if (!modele) {
            lireStandard(taille, premier + 1);
            return;
        }
        debut = premier + 1;
        fin = dernier;
    } else if (dernier >= 2 && codes[size_t(dernier)] == u')') {
        // Marks after the closing one that no glyph takes were cut from the
        // run (finSansLaQueue()).
        int q = avant(dernier);
        while (q > 0 && sorteDe(style, codes[size_t(q)]) == Copie::Chiffre)
            q = avant(q);
        // "()" ends a known word only ("open()"): otherwise it is an O ("too").
        if (q > 0 && codes[size_t(q)] == u'(' && (avant(dernier) != q || lettresConnues(0, q) > 0))
            fin = q;
    }
    // With the model, the likeliest path through the run; without, the
    // standard reading part by part.
    if (modele) {
        lireParChemin(debut, fin);
        for (int p = fin; p < taille; ++p)
            if (octets[size_t(p)] != 0)
                copier(p);
        return;
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
    const int lus = lireParSegments(chiffres);
    soulignesSignes = false;
    for (int p = lus; p < taille; ++p) {
        if (octets[size_t(p)] != 0)
            copier(p);
    }
}

// Whether a glyph that stands in the run holds the character at q.
bool Lecteur::dansUnGlypheIci(int q) const
{
    for (int p = std::max(0, q - 3); p <= q; ++p)
        for (const Glyphe &g : style.glyphes[static_cast<unsigned char>(octets[size_t(p)])])
            if (p + g.taille > q && present(g, p))
                return true;
    return false;
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
    if (!queDesGlyphes(debut, fin))
        return false;
    essais = 0;
    noteStandard = std::numeric_limits<float>::quiet_NaN();
    meilleureNote = -std::numeric_limits<float>::infinity();
    seuilLettres = -std::numeric_limits<float>::infinity();
    const int tailleDuRun = taille;
    taille = fin;
    explorerLettres(debut, 0, 0, 0);
    taille = tailleDuRun;
    if (std::isnan(noteStandard) || !(meilleureNote > noteStandard + margeLettres))
        return false;
    ecrireLettres(debut, fin);
    return true;
}

// Whether the run, read as one word that neither the list nor the model
// has, in the letters likeliest in a word (with the model, as such words
// between the marks where no glyph stands), is likelier than the reading
// with the list just weighed (`meilleureNote`), which reads characters of
// glyphs as marks ("pi-iii_ii>pe" for "philippe"); if so, those letters are
// the best choice kept for ecrireLettres().
bool Lecteur::inconnuPlusProbable()
{
    // That a word is one that neither the list nor the model has: some 150
    // times less likely, as the manual pages and the held-out strings
    // measure it.
    constexpr float coutInconnu = 5.0f;
    // An option's dashes ("--builddeps") stand before the word in both
    // readings, and cost alike.
    int debut = 0;
    float tirets = 0;
    while (debut < taille && codes[size_t(debut)] == u'-' && choix[size_t(debut)] == copie) {
        if (style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(debut)])])
            tirets -= coutSigneSurGlyphe;
        ++debut;
    }
    bool signeDeGlyphe = false;
    for (int p = debut; p < taille && !signeDeGlyphe; ++p)
        signeDeGlyphe = choix[size_t(p)] == copie &&
                        style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(p)])];
    if (!signeDeGlyphe || estApostrophe(suivant) || !queDesGlyphes(0, taille))
        return false;
    const float noteMots = meilleureNote;
    const std::array<qint8, longueurMaximale + 1> garde = choix;
    essais = 0;
    noteStandard = 0; // no standard reading to beat: the best wins
    meilleureNote = noteMots + coutInconnu;
    seuilLettres = -std::numeric_limits<float>::infinity();
    explorerLettres(debut, 0, 0, tirets);
    if (!(meilleureNote > noteMots + coutInconnu)) {
        choix = garde;
        meilleureNote = noteMots;
        return false;
    }
    return true;
}

void Lecteur::ecrireLettres(int debut, int fin)
{
    for (int p = debut; p < fin;) {
        if (meilleurChoix[size_t(p)] == rien) {
            capitale = false;
            ++p;
            continue;
        }
        if (meilleurChoix[size_t(p)] == copie) { // an option's dash
            copier(p++);
            continue;
        }
        const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(p)])]
                                       [size_t(meilleurChoix[size_t(p)])];
        sortie.append(QChar(char16_t(capitale ? g.lettre - 'a' + 'A' : g.lettre)));
        capitale = false;
        p += g.taille;
    }
}

// Where the digits from p end, when they stand between marks or the run's
// edges, blanks that the blank option removed aside; p otherwise.
int Lecteur::finDuNombre(int p) const
{
    const auto chiffre = [this](int q) {
        return sorteDe(style, codes[size_t(q)]) == Copie::Chiffre;
    };
    const auto borne = [this](int q) {
        return q >= taille || (sorteDe(style, codes[size_t(q)]) == Copie::Signe && !glypheEn(q));
    };
    if (!chiffre(p))
        return p;
    int fin = p;
    int apres = p;
    while (apres < taille && (octets[size_t(apres)] == 0 || chiffre(apres))) {
        if (octets[size_t(apres)] != 0)
            fin = apres + 1;
        ++apres;
    }
    return borne(apres) ? fin : p;
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
        // After an apostrophe or a percent sign, a digit alone is a letter.
        const int finNombre = !lettreAttendue && apresUnSigne ? finDuNombre(p) : p;
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
            // The whole run: the list and the letters had their turn already,
            // or none was due.
            const bool partie = p > 0 || q < tailleDuRun;
            const bool lu = partie && explorerParMots(p);
            if (lu)
                ecrireChoix();
            taille = tailleDuRun;
            suivant = suivantDuRun;
            if (!lu && !(partie && lireVraisemblable(p, q)))
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

// Whether every character from `debut` to `fin` is one that glyphs hold,
// blanks that the blank option removed aside: else no reading by letters
// alone covers them.
bool Lecteur::queDesGlyphes(int debut, int fin) const
{
    for (int p = debut; p < fin; ++p)
        if (octets[size_t(p)] != 0 &&
            !style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(p)])])
            return false;
    return true;
}

void Lecteur::explorerLettres(int p, char a, char b, float note)
{
    // Below the bound, a reading cannot win: the best found, and once the
    // standard reading is, what it takes to beat it.
    if (++essais > essaisMaximum || note <= meilleureNote || note <= seuilLettres)
        return;
    if (p == taille) {
        note += dico.noteLettre(a, b, 0);
        if (std::isnan(noteStandard)) {
            noteStandard = note;
            seuilLettres = note + margeLettres;
        }
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
    bool unGlyphe = false;
    for (size_t k = 0; k < candidats.size(); ++k) {
        const Glyphe &g = candidats[k];
        if (!present(g, p) || !tientDansLaPiece(g, p))
            continue;
        unGlyphe = true;
        choix[size_t(p)] = qint8(k);
        explorerLettres(p + g.taille, b, g.lettre, note + dico.noteLettre(a, b, g.lettre));
    }
    // Where no glyph stands, a mark between two words of letters
    // ("check-builddeps"), at what the reading with the list pays for it:
    // with the model, whose path then reads the run (the letters alone are
    // written without it).
    if (!unGlyphe && modele && b != 0 && sorteDe(style, codes[size_t(p)]) == Copie::Signe) {
        choix[size_t(p)] = copie;
        const float signe = style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(p)])]
                                ? coutSigneSurGlyphe
                                : 0.0f;
        explorerLettres(p + 1, 0, 0, note + dico.noteLettre(a, b, 0) - signe);
    }
}
