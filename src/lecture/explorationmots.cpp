// The readings of one run that the word list allows, searched depth-first
// and weighed: the words by the model, the characters by what glyphs hold.

#include "lecturemots.h"

#include "regles.h"

#include <algorithm>

// Depth-first over the readings of the run, glyphs in the standard order
// and the character's own copy last. Without a model, the first reading
// found whose words are all in the list is taken, so the standard reading
// wins whenever it is one; with one, the first few are weighed.
// `choix[p]` records what was taken at p.
bool Lecteur::explorer(int p, Dictionnaire::Plage plage, int segments, int queue)
{
    if (++essais > essaisMaximum)
        return false;
    // Words score at most nothing: a reading that already costs more in
    // characters read as themselves than the best found cannot win.
    if (trouvees > 0 && -coutSigneSurGlyphe * copiesSurGlyphe <= meilleureNote)
        return false;
    if (p == taille) {
        const bool lu = lectureFinie(plage, segments, queue);
        if (!lu || !modele)
            return lu;
        // A run has several readings ("13": "le" or "b"; "|_|re": "ure" or
        // "lire"): of the first found, the one whose words are the most
        // frequent, a character read as itself where it begins a glyph
        // counting against it.
        const float note = noterLecture();
        if (segments == 1 && queue < 0 && !elisionExigee && copiesSurGlyphe == 0)
            retenirAutre(plage, note);
        if (trouvees == 0 || note > meilleureNote) {
            meilleureNote = note;
            std::copy(choix.begin(), choix.begin() + taille, meilleurChoix.begin());
        }
        return ++trouvees >= lecturesMaximum;
    }
    const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
    if (o == 0) {
        choix[size_t(p)] = rien;
        return explorer(p + 1, plage, segments, queue);
    }
    const std::vector<Glyphe> &candidats = style.glyphes[o];
    bool unGlyphe = false;
    for (size_t k = 0; k < candidats.size() && queue < 0; ++k) {
        if (!present(candidats[k], p) || !tientDansLaPiece(candidats[k], p))
            continue;
        unGlyphe = true;
        if (plage.profondeur == 0 && segments >= segmentsMaximum)
            continue;
        const Dictionnaire::Plage suite = dico.prolonger(plage, candidats[k].lettre);
        if (suite.vide())
            continue;
        choix[size_t(p)] = qint8(k);
        if (explorer(p + candidats[k].taille, suite,
                     plage.profondeur == 0 ? segments + 1 : segments))
            return true;
    }
    if (!finDePiece(p + 1))
        return false;
    choix[size_t(p)] = copie;
    const int surGlyphe = style.dansUnGlyphe[o] ? 1 : 0;
    copiesSurGlyphe += surGlyphe;
    const bool fini = explorerCopie(p, plage, segments, queue, unGlyphe);
    copiesSurGlyphe -= surGlyphe;
    return fini;
}

// The character at p read as itself: a letter, a digit or a mark.
bool Lecteur::explorerCopie(int p, Dictionnaire::Plage plage, int segments, int queue,
                            bool unGlyphe)
{
    const char16_t code = codes[size_t(p)];
    switch (sorteDe(style, code)) {
    case Copie::Rien:
        if (unGlyphe)
            return false;
        return explorer(p + 1, plage, segments, queue);
    case Copie::Chiffre:
        if (queue < 0)
            return false;
        return explorer(p + 1, plage, segments, queue);
    case Copie::Signe:
        // "()" is an O: never a C, or an opening bracket, that a closing
        // one follows ("sc)me", "toc)", "to()" for "some", "too").
        if (code == u')' && p > 0 && codes[size_t(p - 1)] == u'(')
            return false;
        if (queue >= 0)
            return explorer(p + 1, plage, segments, queue);
        // The list has no word of one letter, but "a" and "y" are words
        // between two others ("est-à-dire", "peut-on-y").
        if (plage.profondeur > 0 && dico.mot(plage) < 0 &&
            !(plage.profondeur == 1 && (plage.noeud == dico.prolonger(dico.racine(), 'a').noeud ||
                                        plage.noeud == dico.prolonger(dico.racine(), 'y').noeud)))
            return false;
        // An underscore joins words ("DPKG_ROOT") more often than it opens
        // a J.
        if (!unGlyphe || code == u'_') {
            // A mark that ends the run closes the word: in its turn.
            int q = p + 1;
            while (q < taille && octets[size_t(q)] == 0)
                ++q;
            if (q == taille && !queueAutorisee)
                return false;
            return explorer(p + 1, dico.racine(), segments);
        }
        // A glyph read as a mark only opens the word with a bracket
        // ("(voir") or starts the marks and digits that close it.
        if (p == 0)
            return code == u'(' && explorer(p + 1, dico.racine(), segments);
        return queueAutorisee && plage.profondeur > 0 &&
               explorer(p + 1, dico.racine(), segments, p);
    case Copie::Lettre: {
        if (queue >= 0 || (plage.profondeur == 0 && segments >= segmentsMaximum))
            return false;
        const Dictionnaire::Plage suite = prolongerDeLettre(plage, lueTelle(code));
        if (suite.vide())
            return false;
        return explorer(p + 1, suite, plage.profondeur == 0 ? segments + 1 : segments);
    }
    }
    return false;
}

// Keeps the reading in `choix`, one word of the list, among the others.
void Lecteur::retenirAutre(Dictionnaire::Plage plage, float note)
{
    if (nombreAutres == autresMaximum || dico.mot(plage) < 0)
        return;
    for (int k = 0; k < nombreAutres; ++k)
        if (autres[size_t(k)].plage.noeud == plage.noeud)
            return;
    std::array<char16_t, longueurMaximale> &lettres = lettresAutres[size_t(nombreAutres)];
    int n = 0;
    for (int p = 0; p < taille;) {
        if (choix[size_t(p)] < 0) {
            if (choix[size_t(p)] != rien)
                return; // a letter copied as it is: no glyph's
            ++p;
            continue;
        }
        const Glyphe &g =
            style.glyphes[static_cast<unsigned char>(octets[size_t(p)])][size_t(choix[size_t(p)])];
        lettres[size_t(n++)] = char16_t(g.lettre);
        p += g.taille;
    }
    notesAutres[size_t(nombreAutres)] = note;
    autres[size_t(nombreAutres++)] = {plage, QStringView(lettres.data(), n)};
}

// The run is one glyph: a letter alone ("u", "x") or an option ("-u"),
// which no reading with the list should turn into a word of two letters.
bool Lecteur::unSeulGlyphe() const
{
    int p = 0;
    while (p < taille && (octets[size_t(p)] == 0 || codes[size_t(p)] == u'-'))
        ++p;
    const Glyphe *g = p < taille ? glypheEn(p) : nullptr;
    if (!g)
        return false;
    for (p += g->taille; p < taille; ++p)
        if (octets[size_t(p)] != 0)
            return false;
    return true;
}

// The readings with the list of the run from `debut`, the best in `choix`.
bool Lecteur::explorerParMots(int debut)
{
    nombreAutres = 0;
    struct Passe
    {
        int mots;
        bool queue;
    };
    // With the model, every reading is weighed in one search. Without, the
    // first found: one word before several, whole glyphs before a closing
    // mark taken from one ("help", not "heu>", where "|>" is a P).
    static constexpr std::array<Passe, 1> toutes{{{longueurMaximale, true}}};
    static constexpr std::array<Passe, 4> parOrdre{
        {{1, false}, {1, true}, {longueurMaximale, false}, {longueurMaximale, true}}};
    const Passe *premiere = modele ? toutes.data() : parOrdre.data();
    const Passe *fin = modele ? toutes.data() + toutes.size() : parOrdre.data() + parOrdre.size();
    for (const Passe *passe = premiere; passe != fin; ++passe) {
        // Before an apostrophe, an elided word first.
        for (const bool elision : {true, false}) {
            if (elision && !estApostrophe(suivant))
                continue;
            segmentsMaximum = passe->mots;
            elisionExigee = elision;
            queueAutorisee = passe->queue;
            essais = 0;
            trouvees = 0;
            const bool fini = explorer(debut, dico.racine(), 0);
            if (trouvees > 0) {
                std::copy(meilleurChoix.begin(), meilleurChoix.begin() + taille, choix.begin());
                return true;
            }
            if (fini)
                return true;
        }
    }
    return false;
}

// The keys that go on with a letter copied as it is: its letters without
// accents ("æ" as "ae").
Dictionnaire::Plage Lecteur::prolongerDeLettre(Dictionnaire::Plage plage, char16_t c) const
{
    const QLatin1StringView bases = estIAccentue(c) ? QLatin1StringView("I") : lettresDeBase(c);
    if (bases.isEmpty())
        return dico.prolonger(plage, char(QChar(c).toLower().unicode()));
    for (const char b : bases)
        plage = dico.prolonger(plage, char(b - 'A' + 'a'));
    return plage;
}

bool Lecteur::lectureFinie(Dictionnaire::Plage plage, int segments, int queue)
{
    // One mark ("salut!"), or digits in brackets ("apropos(1)").
    if (queue >= 0) {
        if (segments > 0 && queue == taille - 1 && codes[size_t(queue)] != u'(')
            return true;
        if (segments == 0 || !chiffresEntreParentheses(queue))
            return false;
        marquesDuPluriel(queue);
        return true;
    }
    if (plage.profondeur == 0)
        return segments > 0;
    // "l'", "qu'", "c'": a word that lost its final e, rather than another
    // word ("cc'est").
    if (!elisionExigee && dico.mot(plage) >= 0)
        return true;
    return estApostrophe(suivant) && dico.mot(dico.prolonger(plage, 'e')) >= 0;
}

// A word of the list by its likeliest spelling; else the letters as read,
// as the model knows them ("m" of "m'", "dpkg"), or as an English word.
double Lecteur::noterMot(Dictionnaire::Plage plage, QStringView lettres) const
{
    if (plage.profondeur == 0)
        return 0.0;
    // A word's note depends on its key's node alone: the same words come
    // back again and again, each spelling a lookup in the model.
    const bool mot = dico.nombreDeFormes(plage) > 0;
    if (notesDesMots.empty())
        notesDesMots.resize(size_t(1) << bitsNotesDesMots);
    NoteDeMot &enCache =
        notesDesMots[(quint32(plage.noeud) * 2654435761u) >> (32 - bitsNotesDesMots)];
    if (mot && enCache.noeud == plage.noeud && enCache.profondeur == plage.profondeur)
        return enCache.note;
    double meilleur = -30.0; // no word the model knows either
    for (qsizetype k = 0; k < dico.nombreDeFormes(plage); ++k) {
        const QStringView forme = dico.forme(plage, k);
        const qint32 i = modele->indice(forme);
        meilleur = std::max({meilleur, i >= 0 ? modele->logProbabiliteSeul(i)
                                              : std::max(modele->logProbabiliteInconnu(-1, forme),
                                                         modele->logProbabiliteAnglais(forme))});
    }
    if (dico.nombreDeFormes(plage) == 0) {
        const qint32 i = modele->indice(lettres);
        meilleur = std::max(meilleur, i >= 0 ? modele->logProbabiliteSeul(i)
                                             : modele->logProbabiliteAnglais(lettres));
    }
    if (mot)
        enCache = {plage.noeud, plage.profondeur, meilleur};
    return meilleur;
}

// The words of the reading in `choix`, by how often the model saw them: the
// likeliest spelling of each, a word it never saw by its ending.
float Lecteur::noterLecture() const
{
    std::array<char16_t, longueurMaximale> lettres{};
    int n = 0;
    double note = 0;
    Dictionnaire::Plage plage = dico.racine();
    for (int p = 0; p < taille;) {
        if (choix[size_t(p)] == rien) {
            ++p;
            continue;
        }
        if (choix[size_t(p)] >= 0) {
            const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(p)])]
                                           [size_t(choix[size_t(p)])];
            plage = dico.prolonger(plage, g.lettre);
            lettres[size_t(n++)] = char16_t(g.lettre);
            p += g.taille;
            continue;
        }
        const char16_t c = lueTelle(codes[size_t(p)]);
        // The channel: a character that glyphs hold was more likely
        // written as part of one than as itself.
        if (octets[size_t(p)] != 0 &&
            style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(p)])])
            note -= coutSigneSurGlyphe;
        if (sorteDe(style, codes[size_t(p)]) == Copie::Lettre) {
            plage = prolongerDeLettre(plage, c);
            lettres[size_t(n++)] = QChar(c).toLower().unicode();
        } else {
            note += noterMot(plage, QStringView(lettres.data(), n));
            plage = dico.racine();
            n = 0;
        }
        ++p;
    }
    return float(note + noterMot(plage, QStringView(lettres.data(), n)));
}

bool Lecteur::chiffresEntreParentheses(int ouvrante) const
{
    if (codes[size_t(ouvrante)] != u'(' || codes[size_t(taille - 1)] != u')' ||
        ouvrante + 2 >= taille)
        return false;
    for (int p = ouvrante + 1; p < taille - 1; ++p)
        if (octets[size_t(p)] != 0 &&
            (codes[size_t(p)] >= 256 || style.sorte[codes[size_t(p)]] != Copie::Chiffre))
            return false;
    return true;
}

// After a word, "(5)", "(3)" and "(35)" are the marks of the plural and the
// feminine, "(s)", "(e)", "(es)" ("nom(s)"), rather than numbers: their
// glyphs are read as letters.
void Lecteur::marquesDuPluriel(int ouvrante)
{
    for (int p = ouvrante + 1; p < taille - 1; ++p) {
        if (octets[size_t(p)] != 0 && codes[size_t(p)] != u'3' && codes[size_t(p)] != u'5')
            return;
    }
    for (int p = ouvrante + 1; p < taille - 1; ++p) {
        const Glyphe *g = octets[size_t(p)] != 0 ? glypheEn(p) : nullptr;
        if (g && g->taille == 1)
            choix[size_t(p)] =
                qint8(g - style.glyphes[static_cast<unsigned char>(octets[size_t(p)])].data());
    }
}
