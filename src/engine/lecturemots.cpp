#include "lecturemots.h"

#include "inventaireglyphes.h"
#include "regles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void ajouterGlyphe(Lecture &l, char lettre, QLatin1StringView g)
{
    Glyphe x;
    x.taille = int(g.size());
    for (int k = 0; k < x.taille; ++k)
        x.octets[size_t(k)] = g.data()[k];
    x.lettre = lettre;
    std::vector<Glyphe> &memeDebut = l.glyphes[static_cast<unsigned char>(x.octets[0])];
    for (const Glyphe &y : memeDebut)
        if (y.lettre == x.lettre && y.taille == x.taille && y.octets == x.octets)
            return;
    memeDebut.push_back(x);
}

// The copy rules and which marks end a word, once the glyphs are known.
void completerLecture(Lecture &l)
{
    std::array<bool, 256> dansUnGlyphe{};
    for (const std::vector<Glyphe> &memeDebut : l.glyphes)
        for (const Glyphe &g : memeDebut)
            for (int k = 0; k < g.taille; ++k)
                dansUnGlyphe[static_cast<unsigned char>(g.octets[size_t(k)])] = true;
    for (int code = 1; code < 256; ++code) {
        const char16_t c = copieDe(char16_t(code));
        Copie &sorte = l.sorte[size_t(code)];
        if (c == 0)
            sorte = Copie::Rien;
        else if (c >= u'0' && c <= u'9')
            sorte = Copie::Chiffre;
        else if ((c < 128 && QChar(c).isLetter()) || !lettresDeBase(c).isEmpty())
            sorte = Copie::Lettre;
        else
            sorte = Copie::Signe;
        // "«", "»", "°" end a word as "," does: no glyph has them.
        l.separateur[size_t(code)] =
            sorte == Copie::Signe && !dansUnGlyphe[size_t(code)] && !estBlanc(char16_t(code));
        if (code < 128)
            l.dansUnMot[size_t(code)] = !l.separateur[size_t(code)] && !estBlanc(char16_t(code));
    }
}

Lecture construireLecture(Style style)
{
    Lecture l;
    for (const char lettre : ordreReconnaissance())
        ajouterGlyphe(l, char(lettre - 'A' + 'a'), glyphe(style, lettre - 'A'));
    completerLecture(l);
    return l;
}

// The common glyphs, then the two styles', the longest first among those that
// start alike: a glyph is tried whole before its first characters read as
// another ("|_|" before "|_" and "|").
Lecture construireLectureCommune()
{
    Lecture l;
    for (const GlypheCommun &g : inventaireDesGlyphes())
        ajouterGlyphe(l, g.lettre, g.glyphe);
    for (const Style style : {Style::Velmora, Style::Korvane})
        for (int lettre = 0; lettre < nombreLettres; ++lettre)
            ajouterGlyphe(l, char('a' + lettre), glyphe(style, lettre));
    for (std::vector<Glyphe> &memeDebut : l.glyphes)
        std::stable_sort(memeDebut.begin(), memeDebut.end(),
                         [](const Glyphe &a, const Glyphe &b) { return a.taille > b.taille; });
    completerLecture(l);
    l.telQuel = true;
    return l;
}

} // namespace

const Lecture &lecture(Style style)
{
    static const std::array<Lecture, 2> lectures = {construireLecture(Style::Velmora),
                                                    construireLecture(Style::Korvane)};
    return lectures[style == Style::Korvane ? 1 : 0];
}

const Lecture &lectureCommune()
{
    static const Lecture l = construireLectureCommune();
    return l;
}

Copie sorteDe(const Lecture &l, char16_t code)
{
    if (code < 256)
        return l.sorte[code];
    return lettresDeBase(code).isEmpty() ? Copie::Rien : Copie::Lettre;
}

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
        lettreAttendue = estApostrophe(code) || code == u'%';
        if (contexte && romptLaPhrase(code))
            contexte->rupture(true);
        sortie.append(QChar(copieDe(code)));
        capitale = estFinDePhrase(code);
        debutDuTexte = false;
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
    contexte->mot(position, longueur, plage, capitaleEnTete, parenthese, fermee, nullptr,
                  &ditAuContexte.seul);
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
        // Too long to be a word: the first part goes out as read, and the
        // last three characters stay, since a glyph may go on there.
        const int garde = 3;
        const int lus = lireStandard(taille - garde);
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
        // Not when the "|" of the J would stand alone after it ("bcj").
        const Glyphe *apres =
            soulignesSignes && p > 0 && o == '_' && p + 1 < taille ? glypheEn(p + 1) : nullptr;
        const bool signe = apres && apres->taille >= 2;
        if (const Glyphe *g = signe ? nullptr : glypheEn(p)) {
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

void Lecteur::copier(int p)
{
    const char16_t code = codes[size_t(p)];
    const char16_t c = copieDe(code);
    if (c)
        sortie.append(QChar(c));
    capitale = estFinDePhrase(c);
}

bool Lecteur::present(const Glyphe &g, int p) const
{
    if (p + g.taille > taille)
        return false;
    for (int k = 0; k < g.taille; ++k)
        if (octets[size_t(p + k)] != g.octets[size_t(k)])
            return false;
    return true;
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
        const char16_t c = copieDe(code);
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
    const bool lettreSeule = !apostrophe && unSeulGlyphe() && !(chiffreSeul && !lettreAttendue) &&
                             !signeSeul && (!style.telQuel || seul >= 0);
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
    if (memorisable && motsDuRun <= 1)
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
    // An underscore after the run's start joins the parts of a name
    // ("XZ_DEFAULTS") rather than opening a J.
    bool souligne = false;
    for (int p = 1; p < chiffres; ++p)
        souligne = souligne || codes[size_t(p)] == u'_';
    if (chiffres == taille && !souligne && lireVraisemblable())
        return;
    soulignesSignes = souligne;
    const int lus = lireStandard(chiffres);
    soulignesSignes = false;
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
bool Lecteur::lireVraisemblable()
{
    essais = 0;
    noteStandard = std::numeric_limits<float>::quiet_NaN();
    meilleureNote = -std::numeric_limits<float>::infinity();
    explorerLettres(0, 0, 0, 0);
    // Fifty times likelier.
    constexpr float marge = 3.9f;
    if (std::isnan(noteStandard) || !(meilleureNote > noteStandard + marge))
        return false;
    for (int p = 0; p < taille;) {
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
