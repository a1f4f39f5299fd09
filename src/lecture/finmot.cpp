// What a run becomes at its end: what the memory of runs kept of it, digits
// and marks as they are, a letter or a digit alone, a reading with the list,
// or, when none fits, the fallback (lecturerepli.cpp).

#include "lecturemots.h"

#include <algorithm>

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
        // leading hyphen is an option ("-e"), not a minus; a character that
        // a glyph takes where it stands, last, a letter ("6|" is "gi").
        const bool bord = (p == 0 && code != u'-') || (p == taille - 1 && code != u'(' &&
                                                       (code == u')' || !dansUnGlypheIci(p)));
        if (sorte == Copie::Chiffre)
            chiffre = true;
        else if (sorte != Copie::Signe || !bord)
            return false;
    }
    return chiffre;
}

// The digit or the mark at `seul`, the run's one character, written as it is
// and given to the context with the word of its glyph's letter ("a", "à")
// when the model has one; false, and nothing written, otherwise.
bool Lecteur::seulEnContexte(int seul)
{
    const Glyphe *g = glypheEn(seul);
    if (!g || g->taille != 1)
        return false;
    const char16_t lu = char16_t(g->lettre);
    const QStringView lettre(&lu, 1);
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
    // Marks at the run's end that no glyph can take there ("," after
    // "averti(3)" or "-u", where "(,)" is a Q) end the run as they would
    // where no glyph has them.
    if (const int fin = finSansLaQueue(); fin < taille) {
        std::array<char16_t, longueurMaximale> queue{};
        const int n = taille - fin;
        std::copy(codes.begin() + fin, codes.begin() + taille, queue.begin());
        taille = fin;
        for (int k = 0; k < n; ++k) {
            if (queue[size_t(k)] == 0) {
                lire(0, true);
                continue;
            }
            finirMot(queue[size_t(k)]);
            separer(queue[size_t(k)]);
        }
        return;
    }
    suivant = apres;
    if (stats)
        ++stats->mots;
    // The rule counts above need every run read; measures do without the
    // memory. Neither a run before an opening mark, where no word ends
    // ("(«"), nor a run with digits or a mark alone after an apostrophe or a
    // percent sign, where either may be a letter, reads as it does
    // elsewhere: the memory keeps neither.
    const QChar::Category apresLeRun = QChar(suivant).category();
    const bool ouvranteApres =
        apresLeRun == QChar::Punctuation_Open || apresLeRun == QChar::Punctuation_InitialQuote;
    const bool memorisable =
        !stats && !long_ && taille <= MemoireMots::cleMaximale && !ouvranteApres &&
        !(lettreAttendue && (tientUnChiffre() || sorteSeule(caractereSeul()) == Copie::Signe));
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
    repli = false;
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
    // but for a C alone, a letter more often than a bracket ("en C"), unless
    // an opening mark follows it without a blank; and where a letter is due
    // ("n'@", "%$").
    const bool signeSeul = !apostrophe && sorteSeule(seul) == Copie::Signe &&
                           (codes[size_t(seul)] != u'(' || ouvranteApres) &&
                           !(lettreAttendue && glypheEn(seul));
    // A letter written as itself alone is one too ("y" in "il y 4").
    const bool unGlyphe =
        !apostrophe &&
        (unSeulGlyphe() || (sorteSeule(seul) == Copie::Lettre && codes[0] != u'-')) &&
        !(chiffreSeul && !lettreAttendue) && !signeSeul;
    // Among the glyphs of every alphabet, a glyph of several characters may
    // also read as several letters ("13": "le" or "b"): it is a letter alone
    // when the list reads it no other way ("|)", "`/").
    bool lettreSeule = unGlyphe && (!style.telQuel || seul >= 0);
    const bool parMots = !long_ && !lettreSeule && !signeSeul && explorerParMots();
    lettreSeule = lettreSeule || (unGlyphe && !parMots);
    // A word that neither the list nor the model has reads the run likelier
    // than the list's words with glyphs' characters as marks between them:
    // with the model, the fallback's path weighs it against every other cut
    // ("s" and "lab" for "slab"); without, its likeliest letters.
    const bool horsListe = parMots && trouvees > 0 && inconnuPlusProbable();
    if (horsListe && !modele) {
        ecrireLettres(0, taille);
        if (stats)
            ++stats->repli;
        if (contexte) {
            contexte->rupture(false);
            ditAuContexte.sorte = MemoireMots::Contexte::Rupture;
        }
    } else if (horsListe) {
        lireEnRepli();
    } else if (parMots) {
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
    } else if (contexte && style.telQuel && (chiffreSeul || signeSeul) && !lettreAttendue &&
               seulEnContexte(seul)) {
        // A digit or a mark alone among words may be the letter of its glyph
        // ("je suis 4 la maison", "il y ^"): the words around choose.
    } else if (!long_ && !(chiffreSeul && lettreAttendue) && queDesChiffres()) {
        if (stats)
            ++stats->chiffres;
        for (int p = 0; p < taille; ++p)
            if (octets[size_t(p)] != 0)
                copier(p);
            else
                capitale = false;
    } else {
        lireEnRepli();
    }
    // A run of several words in context is read afresh each time.
    if (memorisable && (repli || (motsDuRun <= 1 && !autresDits)))
        memoire.garder(h, codes.data(), taille, capitaleAvant, apostrophe,
                       QStringView(sortie).sliced(debutRun), capitale, ditAuContexte);
    taille = 0;
    long_ = false;
}

// The run read by the fallback, a break for the context on both sides: its
// words are chosen among themselves, so that it reads the same wherever it
// stands and the memory of runs gives it back as it was.
void Lecteur::lireEnRepli()
{
    if (stats)
        ++stats->repli;
    if (contexte)
        contexte->rupture(false);
    lireRepli();
    repli = true;
    if (contexte) {
        // An option ("--admindir=dir") is described as the one of a letter
        // is.
        const bool option = codes[0] == u'-';
        contexte->rupture(option);
        ditAuContexte.sorte =
            option ? MemoireMots::Contexte::Option : MemoireMots::Contexte::Rupture;
    }
}

// Where the run ends without the marks at its end that no glyph holds where
// they stand (at most a few), a closing bracket kept; the run's size when
// there are none.
int Lecteur::finSansLaQueue() const
{
    int fin = taille;
    int signes = 0;
    while (fin > 1 && signes < 4) {
        const int q = fin - 1;
        if (octets[size_t(q)] == 0 && codes[size_t(q)] == 0) {
            fin = q; // a blank that the blank option removed
            continue;
        }
        const bool fermante = codes[size_t(q)] == u')' && octets[size_t(q)] != 0;
        if (fermante || octets[size_t(q)] == 0 ||
            sorteDe(style, codes[size_t(q)]) != Copie::Signe || dansUnGlypheIci(q))
            return signes > 0 ? fin : taille;
        fin = q;
        ++signes;
    }
    return taille;
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

bool Lecteur::tientUnChiffre() const
{
    for (int p = 0; p < taille; ++p)
        if (octets[size_t(p)] != 0 && sorteDe(style, codes[size_t(p)]) == Copie::Chiffre)
            return true;
    return false;
}
