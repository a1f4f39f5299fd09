// The steps of the fallback's paths through a run (chemin.h): from each
// border between pieces, a mark, a number, a word of the list, the start of
// an unknown word; from each state of an unknown word, one more letter or
// its end. Each step adds what it costs; the best path to each place wins.

#include "lecturemots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int rang(char c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 1 : 0;
}

} // namespace

// A step that ends at a border, or in a letters' state: kept when it beats
// the best path there so far.
void Lecteur::arriverAuBord(int q, int etat, float note, int depuis, Chemin::Genre genre, int avant)
{
    Chemin::Pas &pas = chemin.bords[size_t(etat)][size_t(q)];
    if (note <= pas.note)
        return;
    pas = {note, qint16(depuis), qint16(avant), genre};
}

void Lecteur::arriverALaLettre(int q, int ab, float note, int depuis, int avant, qint8 pris)
{
    const size_t i = size_t(q) * Chemin::paires + size_t(ab);
    if (note <= chemin.notesLettres[i])
        return;
    if (chemin.notesLettres[i] == Chemin::jamais)
        chemin.actives[size_t(q)][size_t(chemin.nombreActives[size_t(q)]++)] = quint16(ab);
    chemin.notesLettres[i] = note;
    chemin.retoursLettres[i] = {qint16(depuis), quint16(avant), pris};
}

// The words of the list that the run's glyphs spell from `p`, each a step
// from the border where it starts to the one where it ends.
void Lecteur::cheminDesMots(int p, Dictionnaire::Plage plage, int n)
{
    if (++essais > essaisMaximum)
        return;
    // A word of the list, or one the model knows that the list lacks: the
    // list holds every word of the model but those of one or two letters
    // ("e", "xz").
    const QStringView lettres(chemin.lettres.data(), n);
    if (n > 0 && (dico.mot(plage) >= 0 || (n <= 2 && dico.nombreDeFormes(plage) == 0 &&
                                           noteCourte(lettres) > Chemin::jamais))) {
        // A word of one letter stands between marks, or after a number
        // ("po4a"), never as a part of a compound ("fichier1" is no
        // "fichierl").
        const bool seul = n == 1;
        const Chemin::Depart &depart = chemin.departMot[seul ? 1 : 0];
        const float note = depart.note + float(noterMot(plage, lettres));
        const int vers = seul ? Chemin::apresLettre : Chemin::apresMot;
        Chemin::Pas &pas = chemin.bords[size_t(vers)][size_t(p)];
        if (note > pas.note) {
            pas = {note, qint16(chemin.depart), qint16(depart.etat), Chemin::Mot};
            std::copy(choix.begin() + chemin.depart, choix.begin() + p,
                      chemin.choixDesMots[size_t(vers)][size_t(p)].begin() + chemin.depart);
        }
    }
    if (p == taille || n == longueurMaximale)
        return;
    const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
    if (o == 0) {
        choix[size_t(p)] = rien;
        cheminDesMots(p + 1, plage, n);
        return;
    }
    const std::vector<Glyphe> &candidats = style.glyphes[o];
    for (int i = 0; i < chemin.nombreDeGlyphes[size_t(p)]; ++i) {
        const qint8 k = chemin.glyphes[size_t(p)][size_t(i)];
        const Glyphe &g = candidats[size_t(k)];
        const Dictionnaire::Plage suite = dico.prolonger(plage, g.lettre);
        if (suite.vide())
            continue;
        choix[size_t(p)] = k;
        chemin.lettres[size_t(n)] = char16_t(g.lettre);
        cheminDesMots(p + g.taille, suite, n + 1);
    }
    if (const char l = lettreEcrite(p)) {
        const Dictionnaire::Plage suite = prolongerDeLettre(plage, lueTelle(codes[size_t(p)]));
        if (!suite.vide()) {
            choix[size_t(p)] = copie;
            chemin.lettres[size_t(n)] = char16_t(l);
            cheminDesMots(p + 1, suite, n + 1);
        }
    }
}

// What it costs to start a piece after the border `etat`. A word after a
// word or a number makes a compound; a word of one letter stands between
// marks or after a number, and opens a compound freely ("-Dchamp"), but
// never ends one ("fichier1" is no "fichierl"); numbers follow anything.
float Lecteur::coutDuDebut(Chemin::Genre genre, bool seul, int etat)
{
    switch (genre) {
    case Chemin::Mot:
    case Chemin::Inconnu:
        if (etat == Chemin::apresLettre && (seul || genre == Chemin::Inconnu))
            return -Chemin::jamais;
        if (etat == Chemin::apresMot)
            return seul ? -Chemin::jamais : Chemin::coutJointure;
        return etat == Chemin::apresNombre ? Chemin::coutApresNombre : 0.0f;
    case Chemin::Nombre:
        if (etat == Chemin::apresNombre)
            return -Chemin::jamais;
        return etat == Chemin::apresMot ? Chemin::coutNombreApresMot : 0.0f;
    default:
        return 0.0f;
    }
}

// The best border to start a piece of that kind from at p.
Chemin::Depart Lecteur::meilleurDepart(int p, Chemin::Genre genre, bool seul) const
{
    // What coutDuDebut() says, by kind of piece (a word of several letters,
    // of one, an unknown word, a number, a mark) and border.
    static const std::array<std::array<float, Chemin::etats>, 5> couts = [] {
        std::array<std::array<float, Chemin::etats>, 5> c{};
        const std::array<std::pair<Chemin::Genre, bool>, 5> genres{{{Chemin::Mot, false},
                                                                    {Chemin::Mot, true},
                                                                    {Chemin::Inconnu, false},
                                                                    {Chemin::Nombre, false},
                                                                    {Chemin::Signes, false}}};
        for (size_t g = 0; g < genres.size(); ++g)
            for (int e = 0; e < Chemin::etats; ++e)
                c[g][size_t(e)] = coutDuDebut(genres[g].first, genres[g].second, e);
        return c;
    }();
    const size_t ligne = genre == Chemin::Mot       ? (seul ? 1 : 0)
                         : genre == Chemin::Inconnu ? 2
                         : genre == Chemin::Nombre  ? 3
                                                    : 4;
    Chemin::Depart d{Chemin::jamais, 0};
    for (int e = 0; e < Chemin::etats; ++e) {
        const float note = chemin.bords[size_t(e)][size_t(p)].note - couts[ligne][size_t(e)];
        if (note > d.note)
            d = {note, e};
    }
    return d;
}

// The steps out of the borders at p: a mark, a number, a word of the list,
// the start of an unknown word.
void Lecteur::quitterLeBord(int p)
{
    const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
    if (o == 0) {
        for (int e = 0; e < Chemin::etats; ++e)
            arriverAuBord(p + 1, e, chemin.bords[size_t(e)][size_t(p)].note, p, Chemin::Blanc, e);
        return;
    }
    if (sorteDe(style, codes[size_t(p)]) == Copie::Chiffre) {
        quitterParUnNombre(p);
    } else {
        // An underscore inside the run joins the words of a name
        // ("DPKG_MAINTSCRIPT_PACKAGE") at the price the reading with the list
        // pays for it, rather than starting a J.
        const bool jointure = o == '_' && p > 0 && p < taille - 1;
        const float cout = !lettreEcrite(p) && !style.dansUnGlyphe[o] ? 0.0f
                           : jointure                ? std::min(coutSigneSurGlyphe, style.coutSigne)
                           : o == chemin.signeRepete ? chemin.coutDuSigneRepete
                                                     : style.coutSigne;
        const Chemin::Depart d = meilleurDepart(p, Chemin::Signes, false);
        arriverAuBord(p + 1, Chemin::apresSigne, d.note - cout, p, Chemin::Signes, d.etat);
    }
    chemin.depart = p;
    chemin.departMot[0] = meilleurDepart(p, Chemin::Mot, false);
    chemin.departMot[1] = meilleurDepart(p, Chemin::Mot, true);
    essais = 0;
    if (chemin.departMot[0].note > chemin.seuil || chemin.departMot[1].note > chemin.seuil)
        cheminDesMots(p, dico.racine(), 0);
    const Chemin::Depart d = meilleurDepart(p, Chemin::Inconnu, false);
    chemin.departs[size_t(p)] = qint8(d.etat);
    if (d.note > chemin.seuil)
        arriverALaLettre(p, 0, d.note - Chemin::coutInconnu, -1, 0, rien);
    prolongerLeMot(p);
}

// The letters of the best word that ends at the border p, before the blanks
// that the blank option removed; 0 letters for none.
int Lecteur::motDuBord(int p, std::array<char16_t, longueurMaximale> &lettres) const
{
    int fin = p;
    while (chemin.bords[Chemin::apresMot][size_t(fin)].genre == Chemin::Blanc)
        fin = chemin.bords[Chemin::apresMot][size_t(fin)].depuis;
    const Chemin::Pas &pas = chemin.bords[Chemin::apresMot][size_t(fin)];
    if (pas.genre != Chemin::Mot ||
        chemin.bords[Chemin::apresMot][size_t(p)].note == Chemin::jamais)
        return 0;
    const std::array<qint8, longueurMaximale + 1> &pris =
        chemin.choixDesMots[Chemin::apresMot][size_t(fin)];
    int n = 0;
    for (int q = pas.depuis; q < fin && n < longueurMaximale;) {
        if (pris[size_t(q)] == rien) {
            ++q;
        } else if (pris[size_t(q)] == copie) {
            lettres[size_t(n++)] = char16_t(lettreEcrite(q));
            ++q;
        } else {
            const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(q)])]
                                           [size_t(pris[size_t(q)])];
            lettres[size_t(n++)] = char16_t(g.lettre);
            q += g.taille;
        }
    }
    return n;
}

// A word of the list or the model whose ending the list lacks
// ("algorithms", "andrews"): the word, then more letters by their trigrams
// after its last two.
void Lecteur::prolongerLeMot(int p)
{
    std::array<char16_t, longueurMaximale> lettres;
    const int n = motDuBord(p, lettres);
    if (n == 0)
        return;
    const int a = n > 1 ? rang(char(lettres[size_t(n - 2)])) : 0;
    const int b = rang(char(lettres[size_t(n - 1)]));
    arriverALaLettre(p, a * 27 + b,
                     chemin.bords[Chemin::apresMot][size_t(p)].note - Chemin::coutSuffixe,
                     Chemin::suffixe, 0, rien);
}

// Digits as a number from p, each of its lengths ("4" of "-4e", or "43"),
// a digit that glyphs hold costing what the channel says.
void Lecteur::quitterParUnNombre(int p)
{
    Chemin::Depart d = meilleurDepart(p, Chemin::Nombre, false);
    d.note -= Chemin::coutNombre;
    // Glued to a word, a number costs what the model says of the word: less
    // after those that numbers often follow ("sha1", "ipv6", "Feuille1"),
    // down to nothing, more after those they seldom follow. What the model
    // says stands for the whole chance of a number there: that it is glued,
    // and that it stands where a word could.
    if (chemin.bords[Chemin::apresMot][size_t(p)].note > d.note) {
        std::array<char16_t, longueurMaximale> lettres;
        const int n = motDuBord(p, lettres);
        const double gain = n > 0 ? modele->logNombreApres(QStringView(lettres.data(), n)) : 0.0;
        const float colle =
            chemin.bords[Chemin::apresMot][size_t(p)].note -
            std::max(0.0f, Chemin::coutNombreApresMot + Chemin::coutNombre - float(gain));
        if (colle > d.note)
            d = {colle, Chemin::apresMot};
    }
    float note = d.note;
    for (int q = p; q < taille && (octets[size_t(q)] == 0 ||
                                   sorteDe(style, codes[size_t(q)]) == Copie::Chiffre);) {
        if (style.dansUnGlyphe[static_cast<unsigned char>(octets[size_t(q)])])
            note -= Chemin::coutChiffre;
        ++q;
        arriverAuBord(q, Chemin::apresNombre, note, p, Chemin::Nombre, d.etat);
    }
    // Digits between marks that the standard reading copies, or the run's
    // edges, were written as a number, whatever glyphs they hold: glyphs
    // make no word of digits alone ("2023-05-11", "limit=5"). But a digit
    // alone after a dash is an option's letter ("-5" for "-s"), as is what
    // a dash opening the run leads; after an apostrophe or a percent sign, a
    // letter.
    int avant = p - 1;
    while (avant >= 0 && octets[size_t(avant)] == 0)
        --avant;
    const bool borne = avant < 0 || chemin.copieStandard[size_t(avant)];
    int fin = lettreAttendue || !borne ? p : finDuNombre(p);
    if (avant >= 0 && codes[size_t(avant)] == u'-' && (avant == 0 || fin == p + 1))
        fin = p;
    const float apresSigne = avant < 0 ? 0.0f : chemin.bords[Chemin::apresSigne][size_t(p)].note;
    if (fin > p)
        arriverAuBord(fin, Chemin::apresNombre, apresSigne - Chemin::coutNombre, p, Chemin::Nombre,
                      Chemin::apresSigne);
}

// What an unknown word that ends at p in the letters' state `ab` scores: by
// its letters' trigrams; or, when the model has it though the list lacks
// it ("xz", "lzma", English words), by its frequency there; or, when it is
// the ending of a word just before it ("finder" and "s"), by the ending's
// letters alone.
float Lecteur::noteDeLInconnu(int p, int ab, float note) const
{
    const char a = char(ab / 27 == 0 ? 0 : 'a' + ab / 27 - 1);
    const char b = char(ab % 27 == 0 ? 0 : 'a' + ab % 27 - 1);
    const float parLettres = note + dico.noteLettre(a, b, 0);
    // The model's words of three letters or more are the list's too, and
    // read as such (cheminDesMots()).
    std::array<char16_t, 3> lettres{};
    int n = 0;
    int r = p;
    while (true) {
        const Chemin::Retour retour =
            chemin.retoursLettres[size_t(r) * Chemin::paires + size_t(ab)];
        if (retour.depuis == Chemin::suffixe)
            return parLettres; // a word's ending: no word of its own
        if (retour.depuis < 0)
            break;
        if (retour.pris != rien) {
            if (n == 2)
                return parLettres;
            lettres[size_t(n++)] = char16_t('a' + ab % 27 - 1);
        }
        ab = retour.avant;
        r = retour.depuis;
    }
    std::reverse(lettres.begin(), lettres.begin() + n);
    // The start's note counts the cost of a word that nothing knows.
    return std::max(parLettres, chemin.notesLettres[size_t(r) * Chemin::paires] +
                                    Chemin::coutInconnu +
                                    noteCourte(QStringView(lettres.data(), n)));
}

// How often the model has a word of one or two small letters, from a table
// made once: -infinity for none.
float Lecteur::noteCourte(QStringView lettres) const
{
    if (chemin.notesCourtes.empty())
        chemin.notesCourtes.assign(Chemin::paires, std::numeric_limits<float>::quiet_NaN());
    const int a = lettres.size() == 2 ? rang(char(lettres[0].unicode())) : 0;
    const int b = rang(char(lettres.back().unicode()));
    float &note = chemin.notesCourtes[size_t(a * 27 + b)];
    if (std::isnan(note)) {
        const qint32 i = modele->indice(lettres);
        note =
            float(i >= 0 ? modele->logProbabiliteSeul(i) : modele->logProbabiliteAnglais(lettres));
    }
    return note;
}

// The steps out of the unknown words' states at p: one more letter, or the
// word's end.
void Lecteur::avancerLesLettres(int p, bool finir)
{
    for (int k = 0; k < chemin.nombreActives[size_t(p)]; ++k) {
        const int ab = chemin.actives[size_t(p)][size_t(k)];
        const float note = chemin.notesLettres[size_t(p) * Chemin::paires + size_t(ab)];
        if (!finir && note < chemin.seuil)
            continue;
        const char a = char(ab / 27 == 0 ? 0 : 'a' + ab / 27 - 1);
        const char b = char(ab % 27 == 0 ? 0 : 'a' + ab % 27 - 1);
        if (finir) {
            if (ab >= 27) // two letters or more: one alone is a word the model knows
                arriverAuBord(p, Chemin::apresMot, noteDeLInconnu(p, ab, note), p, Chemin::Inconnu,
                              ab);
            continue;
        }
        if (p == taille)
            continue;
        const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
        if (o == 0) {
            if (ab != 0)
                arriverALaLettre(p + 1, ab, note, p, ab, rien);
            continue;
        }
        const std::vector<Glyphe> &candidats = style.glyphes[o];
        for (int i = 0; i < chemin.nombreDeGlyphes[size_t(p)]; ++i) {
            const qint8 g = chemin.glyphes[size_t(p)][size_t(i)];
            const char c = candidats[size_t(g)].lettre;
            arriverALaLettre(p + candidats[size_t(g)].taille, (ab % 27) * 27 + rang(c),
                             note + dico.noteLettre(a, b, c), p, ab, g);
        }
        if (const char c = lettreEcrite(p))
            arriverALaLettre(p + 1, (ab % 27) * 27 + rang(c), note + dico.noteLettre(a, b, c), p,
                             ab, copie);
    }
}
