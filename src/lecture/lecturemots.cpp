// The reader's walk over the text: characters gathered into runs, runs handed
// to the choice in context, and what was chosen written out.

#include "lecturemots.h"

#include "regles.h"

#include <algorithm>
#include <cmath>
#include <limits>

// One character of the text; `retire` for a blank that the blank option
// removes.
void Lecteur::lire(char16_t code, bool retire)
{
    if (!QChar::isLowSurrogate(code))
        haut = 0;
    if (retire) {
        if (taille > 0)
            ajouterAuMot(0, 0);
        else
            capitale = false;
        return;
    }
    if (estBlanc(code)) {
        finirMot(code);
        lettreAttendue = false;
        // A line break goes on with the sentence, as in text wrapped at a
        // width; a blank line ends it.
        if (code == u'\n') {
            if (contexte && ligneBlanche)
                contexte->rupture(true);
            ligneBlanche = true;
        }
        sortie.append(QChar(code));
        if (debutDuTexte)
            capitale = false;
        debutDuTexte = false;
        return;
    }
    ligneBlanche = false;
    if (code < 256 && style.separateur[code]) {
        finirMot(code);
        separer(code);
        return;
    }
    // A character beyond the tables ends a word as a mark does, and is
    // copied; a surrogate pair whole, a lone surrogate not at all.
    if (code >= 256 && sorteDe(style, code) != Copie::Lettre) {
        finirMot(code);
        lettreAttendue = estApostrophe(code);
        if (QChar::isLowSurrogate(code) && haut) {
            sortie.append(QChar(haut));
            sortie.append(QChar(code));
        } else if (!QChar::isSurrogate(code))
            sortie.append(QChar(code));
        haut = QChar::isHighSurrogate(code) ? code : 0;
        capitale = false;
        debutDuTexte = false;
        return;
    }
    ajouterAuMot(code, code < 0x80 ? static_cast<unsigned char>(code) : cleAscii(code));
}

// A mark that ends a run, copied after it.
void Lecteur::separer(char16_t code)
{
    lettreAttendue = estApostrophe(code) || code == u'%';
    if (contexte && romptLaPhrase(code))
        contexte->rupture(true);
    sortie.append(QChar(lueTelle(code)));
    capitale = estFinDePhrase(code);
    debutDuTexte = false;
}

// Hands a word written as read to the choice in context, and keeps what it
// told for the memory of runs.
void Lecteur::motEnContexte(qsizetype position, Dictionnaire::Plage plage, bool capitaleEnTete)
{
    ++motsDuRun;
    // The words of an option ("--configure") are names: as read, and what
    // follows describes the option.
    if (codes[0] == u'-' && position > debutRun) {
        contexte->rupture(true);
        ditAuContexte = {};
        ditAuContexte.sorte = MemoireMots::Contexte::Option;
        return;
    }
    const qsizetype longueur = sortie.size() - position;
    // "(ou" reads "cou" first: whether the C is a bracket, the words
    // around decide.
    const bool parenthese = position == debutRun && codes[0] == u'(' && choix[0] >= 0 &&
                            octets[0] != 0 && motsDuRun == 1;
    // ... all the likelier when the run ends with a closing one ("(ram)").
    bool fermee = false;
    // The choice of a glyph stands at its first character only: the run is
    // walked from its start to what its last character gave.
    for (int p = 0; parenthese && p < taille;) {
        const qint8 c = choix[size_t(p)];
        if (octets[size_t(p)] != 0 && c >= 0) {
            fermee = false;
            p += style.glyphes[static_cast<unsigned char>(octets[size_t(p)])][size_t(c)].taille;
            continue;
        }
        if (octets[size_t(p)] != 0)
            fermee = codes[size_t(p)] == u')' && c == copie;
        ++p;
    }
    ditAuContexte = {MemoireMots::Contexte::Mot,
                     capitaleEnTete,
                     parenthese,
                     fermee,
                     quint8(std::clamp<qsizetype>(position - debutRun, 0, 255)),
                     quint8(std::min<qsizetype>(longueur, 255)),
                     plage.noeud,
                     plage.profondeur,
                     {}};
    // The word before, still waiting, may change length as it is chosen.
    const qsizetype avant = sortie.size();
    // The run's other readings as one word, when it reads as one.
    std::array<ChoixEnContexte::AutreLecture, autresMaximum> aussi;
    int nombreAussi = 0;
    bool entier = false;
    // Those far less likely alone than the reading chosen are left out:
    // the words around would not make up for it, and the run is then read
    // once for all.
    constexpr float margeAutres = 8.0f;
    for (int k = 0; k < nombreAutres; ++k) {
        if (autres[size_t(k)].plage.noeud == plage.noeud)
            entier = true;
        else if (notesAutres[size_t(k)] > meilleureNote - margeAutres)
            aussi[size_t(nombreAussi++)] = autres[size_t(k)];
    }
    if (!entier || motsDuRun > 1)
        nombreAussi = 0;
    autresDits = autresDits || nombreAussi > 0;
    contexte->mot(position, longueur, plage, capitaleEnTete, parenthese, fermee, nullptr,
                  &ditAuContexte.seul, aussi.data(), nombreAussi);
    debutRun += sortie.size() - avant;
}

std::optional<bool> Lecteur::capitaleALaReprise() const
{
    const bool auDebut = taille == 0 && !long_ && ligneBlanche && !debutDuTexte &&
                         !lettreAttendue && haut == 0 && (!contexte || contexte->auDebutDePhrase());
    return auDebut ? std::optional(capitale) : std::nullopt;
}

void Lecteur::reprendre(bool capitaleDue)
{
    taille = 0;
    long_ = false;
    capitale = capitaleDue;
    debutDuTexte = false;
    ligneBlanche = true;
    lettreAttendue = false;
    haut = 0;
    if (contexte)
        contexte->recommencer();
}

void Lecteur::finir()
{
    finirMot(0);
    if (contexte)
        contexte->rupture(true);
}

void Lecteur::ajouterAuMot(char16_t code, unsigned char cle)
{
    debutDuTexte = false;
    if (taille == longueurMaximale) {
        // Too long to be a word: the first part goes out, and the last three
        // characters stay, since a glyph may go on there. With the model, up
        // to the last mark that the standard reading copies, along the
        // fallback's path, its words chosen among themselves; otherwise, as
        // read.
        const int garde = 3;
        const int coupe = modele ? derniereCoupure(taille - garde) : 0;
        int lus = coupe;
        if (coupe > 0) {
            if (contexte)
                contexte->rupture(false);
            lireParChemin(0, coupe);
            if (contexte)
                contexte->rupture(false);
        } else {
            lus = lireStandard(taille - garde);
        }
        // lireStandard() may have read into the kept characters.
        const int reste = taille - lus;
        for (int k = 0; k < reste; ++k) {
            octets[size_t(k)] = octets[size_t(lus + k)];
            codes[size_t(k)] = codes[size_t(lus + k)];
        }
        taille = reste;
        long_ = true;
    }
    octets[size_t(taille)] = char(code == 0 ? 0 : cle);
    codes[size_t(taille)] = code;
    ++taille;
}

// Where the last mark that the standard reading copies before `jusque` ends;
// 0 for none.
int Lecteur::derniereCoupure(int jusque) const
{
    int coupe = 0;
    for (int p = 0; p < jusque;) {
        const Glyphe *g = octets[size_t(p)] != 0 ? glypheStandard(p) : nullptr;
        if (!g && octets[size_t(p)] != 0)
            coupe = p + 1;
        p += g ? g->taille : 1;
    }
    return coupe;
}

// The standard reading of the run's first characters up to `jusque`
// (a glyph that starts before it is read whole); returns where it stopped.
int Lecteur::lireStandard(int jusque, int debut)
{
    int p = debut;
    while (p < jusque) {
        const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
        if (o == 0) {
            capitale = false;
            ++p;
            continue;
        }
        if (const Glyphe *g = glypheStandard(p)) {
            sortie.append(QChar(char16_t(capitale ? g->lettre - 'a' + 'A' : g->lettre)));
            capitale = false;
            p += g->taille;
            continue;
        }
        copier(p);
        ++p;
    }
    return p;
}

const Glyphe *Lecteur::glypheStandard(int p) const
{
    // Not when the "|" of the J would stand alone after it ("bcj").
    const Glyphe *apres = soulignesSignes && p > 0 && octets[size_t(p)] == '_' && p + 1 < taille
                              ? glypheEn(p + 1)
                              : nullptr;
    return apres && apres->taille >= 2 ? nullptr : glypheEn(p);
}

void Lecteur::copier(int p)
{
    const char16_t code = codes[size_t(p)];
    const char16_t c = lueTelle(code);
    if (c)
        sortie.append(QChar(c));
    capitale = estFinDePhrase(c);
}

bool Lecteur::tientDansLaPiece(const Glyphe &g, int p) const
{
    const int fin = p + g.taille;
    if (finDePiece(fin))
        return true;
    if ((g.lettre != 'o' && g.lettre != 'a') || octets[size_t(fin)] == 0)
        return false;
    for (const Glyphe &e : style.glyphes[static_cast<unsigned char>(octets[size_t(fin)])])
        if (e.lettre == 'e' && present(e, fin) && finDePiece(fin + e.taille))
            return true;
    return false;
}

const Glyphe *Lecteur::glypheEn(int p) const
{
    for (const Glyphe &g : style.glyphes[static_cast<unsigned char>(octets[size_t(p)])])
        if (present(g, p))
            return &g;
    return nullptr;
}

// Writes the letters read since the last sign, in the list's spelling.
void Lecteur::ecrireSegment(int debutSortie, Dictionnaire::Plage plage, bool capitaleEnTete)
{
    if (plage.profondeur == 0)
        return;
    if (contexte) {
        motEnContexte(debutSortie, plage, capitaleEnTete);
        return;
    }
    const qint32 choisi = dico.mot(plage);
    if (choisi <= 0)
        return; // as read: the key itself is a word, or an elided one
    const QStringView forme = dico.orthographe(choisi);
    sortie.truncate(debutSortie);
    sortie.append(forme);
    if (capitaleEnTete && debutSortie < sortie.size())
        sortie[debutSortie] = sortie.at(debutSortie).toUpper();
    if (stats) {
        ++stats->accentsRendus;
        if (dico.nombreDOrthographes(choisi) > 1)
            ++stats->choixAccent;
    }
}

void Lecteur::ecrireChoix()
{
    Dictionnaire::Plage plage = dico.racine();
    qsizetype debutSegment = sortie.size();
    bool capitaleSegment = false;
    for (int p = 0; p < taille;) {
        if (choix[size_t(p)] == rien) {
            ++p;
            capitale = false;
            continue;
        }
        if (choix[size_t(p)] >= 0) {
            const Glyphe &g = style.glyphes[static_cast<unsigned char>(octets[size_t(p)])]
                                           [size_t(choix[size_t(p)])];
            if (plage.profondeur == 0) {
                debutSegment = sortie.size();
                capitaleSegment = capitale;
            }
            sortie.append(QChar(char16_t(capitale ? g.lettre - 'a' + 'A' : g.lettre)));
            plage = dico.prolonger(plage, g.lettre);
            capitale = false;
            p += g.taille;
            continue;
        }
        const char16_t code = codes[size_t(p)];
        const char16_t c = lueTelle(code);
        if (sorteDe(style, code) == Copie::Lettre) {
            // Where letters are glyphs among others, a letter opens a
            // sentence with a capital as a glyph does.
            const bool enCapitale = capitale && style.telQuel;
            if (plage.profondeur == 0) {
                debutSegment = sortie.size();
                capitaleSegment = enCapitale;
            }
            // ... and in small letters otherwise, as a glyph reads.
            sortie.append(enCapitale      ? QChar(c).toUpper()
                          : style.telQuel ? QChar(c).toLower()
                                          : QChar(c));
            plage = prolongerDeLettre(plage, c);
            capitale = false;
            ++p;
            continue;
        }
        ecrireSegment(int(debutSegment), plage, capitaleSegment);
        plage = dico.racine();
        copier(p);
        ++p;
    }
    ecrireSegment(int(debutSegment), plage, capitaleSegment);
}
