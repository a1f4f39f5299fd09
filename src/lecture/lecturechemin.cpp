// The fallback's choice, made once for the whole run: every way of cutting
// it into words of the list, words that nothing knows, numbers and marks is
// a path from its start to its end (chemin.h, its steps in
// etapeschemin.cpp), and the likeliest path is read and written. A word of
// the list scores its frequency, an unknown word its letters' trigrams, a
// character that glyphs hold read as itself what the channel says, and two
// words that no mark parts ("memlimit") what a compound costs.

#include "lecturemots.h"

#include <algorithm>
#include <array>

// The letter a character written as itself gives a word, or 0.
char Lecteur::lettreEcrite(int p) const
{
    const char16_t c = codes[size_t(p)];
    if (sorteDe(style, c) != Copie::Lettre)
        return 0;
    const char16_t petite = QChar(lueTelle(c)).toLower().unicode();
    return petite >= u'a' && petite <= u'z' ? char(petite) : 0;
}

// The paths kept at p: those within a mark's cost of the best, and the
// unknown words' within a few letters' of the best of them. The rest would
// hardly win, and the letters' states are many.
void Lecteur::fixerLeSeuil(int p)
{
    float meilleure = Chemin::jamais;
    for (int e = 0; e < Chemin::etats; ++e)
        meilleure = std::max(meilleure, chemin.bords[size_t(e)][size_t(p)].note);
    float meilleureLettre = Chemin::jamais;
    for (int k = 0; k < chemin.nombreActives[size_t(p)]; ++k)
        meilleureLettre = std::max(
            meilleureLettre,
            chemin.notesLettres[size_t(p) * Chemin::paires + chemin.actives[size_t(p)][size_t(k)]]);
    chemin.seuil = std::max(meilleure, meilleureLettre) - Chemin::margeDesChemins;
    chemin.seuil = std::max(chemin.seuil, meilleureLettre - Chemin::margeDesLettres);
}

// The run from `debut` up to `fin` read along its likeliest path, what
// stands before `debut` having been copied as marks; needs the model.
void Lecteur::lireParChemin(int debut, int fin)
{
    const int tailleDuRun = taille;
    taille = fin;
    // The letters' states stand all unreached between runs: only those
    // reached are set back, after the run. Made as long as the longest run
    // read so far.
    const size_t etats = size_t(fin + 1) * Chemin::paires;
    if (chemin.notesLettres.size() < etats) {
        chemin.notesLettres.resize(etats, Chemin::jamais);
        chemin.retoursLettres.reset(new Chemin::Retour[etats]);
        chemin.actives.resize(size_t(fin + 1));
    }
    // The glyphs that stand at each position, found once; how many times
    // each glyph character that no letter or digit is stands in the run.
    std::array<int, 256> signes{};
    for (int p = debut; p < fin; ++p) {
        int n = 0;
        const std::vector<Glyphe> &candidats =
            style.glyphes[static_cast<unsigned char>(octets[size_t(p)])];
        for (size_t k = 0; k < candidats.size() && n < Chemin::glyphesMaximum; ++k)
            if (octets[size_t(p)] != 0 && present(candidats[k], p) &&
                tientDansLaPiece(candidats[k], p))
                chemin.glyphes[size_t(p)][size_t(n++)] = qint8(k);
        chemin.nombreDeGlyphes[size_t(p)] = n;
        const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
        if (o != 0 && style.dansUnGlyphe[o] && !lettreEcrite(p) &&
            sorteDe(style, codes[size_t(p)]) != Copie::Chiffre)
            ++signes[o];
    }
    std::fill(chemin.copieStandard.begin(), chemin.copieStandard.begin() + fin, false);
    std::fill(chemin.copieStandard.begin(), chemin.copieStandard.begin() + debut, true);
    for (int p = debut; p < fin;) {
        const Glyphe *g = octets[size_t(p)] != 0 ? glypheStandard(p) : nullptr;
        chemin.copieStandard[size_t(p)] = !g;
        p += g ? g->taille : 1;
    }
    // A run is leet, or holds one mark written as itself again and again,
    // the most frequent of its glyph characters (the "|" of "|nom|afficher|"):
    // read both ways when the first leaves a word that nothing knows, and
    // the likelier kept. The second way saves at most the difference of
    // price on each of them: where that cannot pay for it, it is not tried.
    chemin.signeRepete = 0;
    for (int c = 1; c < 256; ++c)
        if (signes[size_t(c)] > signes[chemin.signeRepete])
            chemin.signeRepete = static_cast<unsigned char>(c);
    if (float(signes[chemin.signeRepete]) * (style.coutSigne - Chemin::coutSigneRepete) <=
        Chemin::coutSignesTelsQuels)
        chemin.signeRepete = 0;
    chemin.coutDuSigneRepete = style.coutSigne;
    const float lu = parcourirLeChemin(debut, fin);
    if (chemin.signeRepete != 0 && avecInconnu(debut, fin)) {
        chemin.coutDuSigneRepete = Chemin::coutSigneRepete;
        if (parcourirLeChemin(debut, fin) - Chemin::coutSignesTelsQuels <= lu) {
            chemin.coutDuSigneRepete = style.coutSigne;
            parcourirLeChemin(debut, fin);
        }
    }
    ecrireChemin(debut, fin);
    effacerLesLettres(debut, fin);
    taille = tailleDuRun;
}

// The letters' states reached in the run set back to unreached.
void Lecteur::effacerLesLettres(int debut, int fin)
{
    for (int p = debut; p <= fin; ++p) {
        for (int k = 0; k < chemin.nombreActives[size_t(p)]; ++k)
            chemin.notesLettres[size_t(p) * Chemin::paires + chemin.actives[size_t(p)][size_t(k)]] =
                Chemin::jamais;
        chemin.nombreActives[size_t(p)] = 0;
    }
}

// The border state where the best path through the run ends, the first of
// those that tie.
int Lecteur::etatFinal(int fin) const
{
    int etat = 0;
    for (int e = 1; e < Chemin::etats; ++e)
        if (chemin.bords[size_t(e)][size_t(fin)].note >
            chemin.bords[size_t(etat)][size_t(fin)].note)
            etat = e;
    return etat;
}

// Whether the best path through the run holds a word that nothing knows.
bool Lecteur::avecInconnu(int debut, int fin) const
{
    int q = fin;
    int etat = etatFinal(fin);
    while (q > debut) {
        const Chemin::Pas pas = chemin.bords[size_t(etat)][size_t(q)];
        if (pas.genre == Chemin::Inconnu)
            return true;
        etat = pas.avant;
        q = pas.depuis;
    }
    return false;
}

// Every path through the run, the best kept at each border; returns the
// best one's score.
float Lecteur::parcourirLeChemin(int debut, int fin)
{
    effacerLesLettres(debut, fin);
    for (int e = 0; e < Chemin::etats; ++e)
        std::fill(chemin.bords[size_t(e)].begin() + debut,
                  chemin.bords[size_t(e)].begin() + fin + 1,
                  Chemin::Pas{Chemin::jamais, -1, 0, Chemin::Signes});
    chemin.bords[0][size_t(debut)].note = 0;
    for (int p = debut; p <= fin; ++p) {
        avancerLesLettres(p, true);
        if (p == fin)
            break;
        fixerLeSeuil(p);
        quitterLeBord(p);
        avancerLesLettres(p, false);
    }
    return chemin.bords[size_t(etatFinal(fin))][size_t(fin)].note;
}

// Follows the best path back from the run's end, then writes its pieces.
void Lecteur::ecrireChemin(int debut, int fin)
{
    struct Piece
    {
        int debut;
        int fin;
        Chemin::Genre genre;
    };
    std::array<Piece, longueurMaximale + 1> pieces{};
    int nombre = 0;
    int q = fin;
    int etat = etatFinal(fin);
    while (q > debut) {
        const Chemin::Pas pas = chemin.bords[size_t(etat)][size_t(q)];
        if (pas.genre == Chemin::Inconnu) {
            int ab = pas.avant;
            int r = q;
            while (true) {
                const Chemin::Retour retour =
                    chemin.retoursLettres[size_t(r) * Chemin::paires + size_t(ab)];
                if (retour.depuis < 0) {
                    etat = retour.depuis == Chemin::suffixe ? int(Chemin::apresMot)
                                                            : chemin.departs[size_t(r)];
                    break;
                }
                choix[size_t(retour.depuis)] = retour.pris;
                ab = retour.avant;
                r = retour.depuis;
            }
            pieces[size_t(nombre++)] = {r, q, Chemin::Inconnu};
            q = r;
            continue;
        }
        if (pas.genre == Chemin::Mot)
            std::copy(chemin.choixDesMots[size_t(etat)][size_t(q)].begin() + pas.depuis,
                      chemin.choixDesMots[size_t(etat)][size_t(q)].begin() + q,
                      choix.begin() + pas.depuis);
        else
            for (int p = pas.depuis; p < q; ++p)
                choix[size_t(p)] = octets[size_t(p)] != 0 ? copie : rien;
        pieces[size_t(nombre++)] = {pas.depuis, q, pas.genre};
        etat = pas.avant;
        q = pas.depuis;
    }
    const int total = nombre;
    while (nombre > 0) {
        const Piece piece = pieces[size_t(--nombre)];
        if (piece.genre == Chemin::Signes || piece.genre == Chemin::Blanc ||
            piece.genre == Chemin::Nombre) {
            for (int p = piece.debut; p < piece.fin; ++p) {
                if (octets[size_t(p)] != 0)
                    copier(p);
                else
                    capitale = false;
            }
            continue;
        }
        const qsizetype debutSortie = sortie.size();
        const bool capitaleEnTete = capitale;
        Dictionnaire::Plage plage = dico.racine();
        for (int p = piece.debut; p < piece.fin;) {
            if (choix[size_t(p)] == rien) {
                ++p;
                continue;
            }
            char16_t lettre;
            if (choix[size_t(p)] == copie) {
                lettre = char16_t(lettreEcrite(p));
                plage = prolongerDeLettre(plage, lueTelle(codes[size_t(p)]));
                ++p;
            } else {
                const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(p)])]
                                               [size_t(choix[size_t(p)])];
                lettre = char16_t(g.lettre);
                plage = dico.prolonger(plage, g.lettre);
                p += g.taille;
            }
            sortie.append(QChar(capitale ? QChar(lettre).toUpper() : QChar(lettre)));
            capitale = false;
        }
        // A word glued to another, or to a number, is part of a name
        // ("preinst", "genchanges"): its words are not chosen in context.
        const auto colle = [&](int k) {
            return k >= 0 && k < total && pieces[size_t(k)].genre != Chemin::Signes &&
                   pieces[size_t(k)].genre != Chemin::Blanc;
        };
        if (piece.genre != Chemin::Mot)
            continue;
        if (!colle(nombre - 1) && !colle(nombre + 1))
            ecrireSegment(int(debutSortie), plage, capitaleEnTete);
        else
            accentuerDansUnNom(int(debutSortie), plage, capitaleEnTete);
    }
}

// A word of a name takes the spelling that the model finds likeliest alone,
// its letters as read weighed as an English word is in a name, with no cost
// for passing into English: "scriptentrée", "préprocesseurs", but
// "globignore" and "pagezerosize". A shorter word than four letters is as
// read (not the "âne" of "oleane").
void Lecteur::accentuerDansUnNom(int debutSortie, Dictionnaire::Plage plage, bool capitaleEnTete)
{
    constexpr int lettresMinimum = 4;
    const qsizetype longueur = sortie.size() - debutSortie;
    if (plage.profondeur < lettresMinimum || longueur > longueurMaximale)
        return;
    std::array<char16_t, longueurMaximale> petites{};
    for (qsizetype k = 0; k < longueur; ++k)
        petites[size_t(k)] = sortie.at(debutSortie + k).toLower().unicode();
    const QStringView lu(petites.data(), longueur);
    const qint32 i = modele->indice(lu);
    double record =
        (i >= 0 ? modele->logProbabiliteAnglais(i) : modele->logProbabiliteAnglais(lu)) -
        ModeleContexte::logPassageALAnglais;
    if (i >= 0)
        record = std::max(record, modele->logProbabilite(-1, i));
    QStringView forme;
    for (qsizetype k = 0; k < dico.nombreDeFormes(plage); ++k) {
        const QStringView f = dico.forme(plage, k);
        const qint32 j = modele->indice(f);
        if (j < 0)
            continue;
        const double note = modele->logProbabiliteSeul(j);
        if (note > record) {
            record = note;
            forme = f;
        }
    }
    if (forme.isEmpty())
        return;
    sortie.truncate(debutSortie);
    sortie.append(forme);
    if (capitaleEnTete && debutSortie < sortie.size())
        sortie[debutSortie] = sortie.at(debutSortie).toUpper();
}
