#include "retablissement.h"

#include "traduction.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

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
    // Glyphs by first byte, in the standard reading's order: the style's Q and
    // B, the shared glyphs, then its L and I.
    std::array<std::vector<Glyphe>, 256> glyphes;
    // Punctuation that belongs to no glyph of the style: it ends a word.
    std::array<bool, 256> separateur{};
    std::array<char16_t, 256> copies{};
    std::array<Copie, 256> sorte{};
};

bool estBlanc(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

Lecture construireLecture(Style style)
{
    Lecture l;
    const auto ajouter = [&](int lettre) {
        const QLatin1StringView g = glyphe(style, lettre);
        Glyphe x;
        x.taille = int(g.size());
        for (int k = 0; k < x.taille; ++k)
            x.octets[size_t(k)] = g.data()[k];
        x.lettre = char('a' + lettre);
        l.glyphes[static_cast<unsigned char>(x.octets[0])].push_back(x);
    };
    ajouter('Q' - 'A');
    ajouter('B' - 'A');
    for (const char lettre : ordreReconnaissance())
        ajouter(lettre - 'A');
    ajouter('L' - 'A');
    ajouter('I' - 'A');

    std::array<bool, 256> dansUnGlyphe{};
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        for (const char c : glyphe(style, lettre))
            dansUnGlyphe[static_cast<unsigned char>(c)] = true;
    for (int code = 1; code < 256; ++code) {
        QString copie;
        recopierCaractere(QChar(code), cleAscii(char16_t(code)), copie);
        const char16_t c = copie.isEmpty() ? 0 : copie.front().unicode();
        l.copies[size_t(code)] = c;
        if (c == 0)
            l.sorte[size_t(code)] = Copie::Rien;
        else if (c >= u'0' && c <= u'9')
            l.sorte[size_t(code)] = Copie::Chiffre;
        else if ((c < 128 && QChar(c).isLetter()) || !lettresDeBase(c).isEmpty())
            l.sorte[size_t(code)] = Copie::Lettre;
        else
            l.sorte[size_t(code)] = Copie::Signe;
        // "«", "»", "°" end a word as "," does: no glyph has them.
        l.separateur[size_t(code)] = l.sorte[size_t(code)] == Copie::Signe &&
                                     !dansUnGlyphe[size_t(code)] && !estBlanc(char16_t(code));
    }
    return l;
}

// What a character gives when no glyph takes it, beyond the tables: "œ" is a
// letter, and every other character that comes into a run is none.
Copie sorteDe(const Lecture &l, char16_t code)
{
    if (code < 256)
        return l.sorte[code];
    return lettresDeBase(code).isEmpty() ? Copie::Rien : Copie::Lettre;
}

char16_t copieDe(const Lecture &l, char16_t code)
{
    return code < 256 ? l.copies[code] : code;
}

// "l'" and "l’" elide alike.
bool estApostrophe(char16_t c)
{
    return c == u'\'' || c == u'’';
}

const Lecture &lecture(Style style)
{
    static const std::array<Lecture, 2> lectures = {construireLecture(Style::Velmora),
                                                    construireLecture(Style::Korvane)};
    return lectures[style == Style::Korvane ? 1 : 0];
}

// Runs longer than this are no word: they get the standard reading.
constexpr int longueurMaximale = 64;
// Bound on the readings tried for one run, so that the cost stays linear.
constexpr int essaisMaximum = 512;

// Words come back again and again in a text: what a run gave is kept, under
// the run's characters and the two things its reading depends on beyond them
// (a capital due at its start, an apostrophe after it), so that a run seen
// before costs one lookup. One slot per hash, the newest run wins. The table
// starts small, for short texts, and grows a few times as runs are kept:
// never an allocation per word.
class Memoire
{
public:
    static constexpr int cleMaximale = 24;
    static constexpr int sortieMaximale = 32;

    static quint32 empreinte(const char16_t *codes, int taille, bool capitale, bool apostrophe)
    {
        quint32 h = 2166136261u ^ (capitale ? 1u : 0u) ^ (apostrophe ? 2u : 0u);
        for (int k = 0; k < taille; ++k)
            h = (h ^ codes[k]) * 16777619u;
        return h;
    }

    // What the run gave, or null.
    QStringView trouver(quint32 h, const char16_t *codes, int taille, bool capitale,
                        bool apostrophe, bool *capitaleApres) const
    {
        if (cases.empty())
            return {};
        const Case &c = cases[h & (cases.size() - 1)];
        if (c.longueurCle != taille || c.empreinte != h || c.capitaleAvant != capitale ||
            c.apostrophe != apostrophe || !std::equal(codes, codes + taille, c.cle.begin()))
            return {};
        *capitaleApres = c.capitaleApres;
        return QStringView(c.sortie.data(), c.longueurSortie);
    }

    void garder(quint32 h, const char16_t *codes, int taille, bool capitale, bool apostrophe,
                QStringView lu, bool capitaleApres)
    {
        if (taille > cleMaximale || lu.size() > sortieMaximale || lu.isEmpty())
            return;
        // As many runs kept as there are slots: the table doubles, and starts
        // again empty.
        if (cases.size() < casesMaximum && ++gardes > cases.size()) {
            cases.assign(std::max<size_t>(cases.size() * 2, 256), Case{});
            gardes = 0;
        }
        Case &c = cases[h & (cases.size() - 1)];
        c.empreinte = h;
        c.longueurCle = quint8(taille);
        c.longueurSortie = quint8(lu.size());
        c.capitaleAvant = capitale;
        c.apostrophe = apostrophe;
        c.capitaleApres = capitaleApres;
        std::copy(codes, codes + taille, c.cle.begin());
        std::copy(lu.utf16(), lu.utf16() + lu.size(), c.sortie.begin());
    }

private:
    static constexpr size_t casesMaximum = 1 << 16;
    struct Case
    {
        quint32 empreinte = 0;
        quint8 longueurCle = 0; // 0: empty, as no run is
        quint8 longueurSortie = 0;
        bool capitaleAvant = false;
        bool apostrophe = false;
        bool capitaleApres = false;
        std::array<char16_t, cleMaximale> cle{};
        std::array<char16_t, sortieMaximale> sortie{};
    };
    std::vector<Case> cases;
    size_t gardes = 0;
};

class Lecteur
{
public:
    Lecteur(const Dictionnaire &d, const Lecture &l, QString &s, StatistiquesRetablissement *st)
        : dico(d), style(l), sortie(s), stats(st)
    {}

    // One character of the text; `retire` for a blank that the blank option
    // removes.
    void lire(char16_t code, bool retire)
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
            sortie.append(QChar(code));
            if (debutDuTexte)
                capitale = false;
            debutDuTexte = false;
            return;
        }
        if (code < 256 && style.separateur[code]) {
            finirMot(code);
            sortie.append(QChar(style.copies[code]));
            capitale = code == u'.' || code == u'!' || code == u'?';
            debutDuTexte = false;
            return;
        }
        // A character beyond the tables ends a word as a mark does, and is
        // copied; a surrogate pair whole, a lone surrogate not at all.
        if (code >= 256 && sorteDe(style, code) != Copie::Lettre) {
            finirMot(code);
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

    void finir() { finirMot(0); }

private:
    void ajouterAuMot(char16_t code, unsigned char cle)
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
    int lireStandard(int jusque)
    {
        int p = 0;
        while (p < jusque) {
            const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
            if (o == 0) {
                capitale = false;
                ++p;
                continue;
            }
            if (const Glyphe *g = glypheEn(p)) {
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

    void copier(int p)
    {
        const char16_t code = codes[size_t(p)];
        const char16_t c = copieDe(style, code);
        if (c)
            sortie.append(QChar(c));
        capitale = c == u'!' || c == u'?' || c == u'.';
    }

    bool present(const Glyphe &g, int p) const
    {
        if (p + g.taille > taille)
            return false;
        for (int k = 0; k < g.taille; ++k)
            if (octets[size_t(p + k)] != g.octets[size_t(k)])
                return false;
        return true;
    }

    const Glyphe *glypheEn(int p) const
    {
        for (const Glyphe &g : style.glyphes[static_cast<unsigned char>(octets[size_t(p)])])
            if (present(g, p))
                return &g;
        return nullptr;
    }

    // Depth-first over the readings of the run, glyphs in the standard order
    // and the character's own copy last: the first reading found whose words
    // are all in the list is taken, so the standard reading wins whenever it
    // is one. `choix[p]` records what was taken at p.
    bool explorer(int p, Dictionnaire::Plage plage, int segments, int queue = -1)
    {
        if (++essais > essaisMaximum)
            return false;
        if (p == taille) {
            // One mark ("salut!"), or digits in brackets ("apropos(1)").
            if (queue >= 0)
                return segments > 0 && ((queue == taille - 1 && codes[size_t(queue)] != u'(') ||
                                        chiffresEntreParentheses(queue));
            if (plage.profondeur == 0)
                return segments > 0;
            // "l'", "qu'", "c'": a word that lost its final e, rather than
            // another word ("cc'est").
            if (!elisionExigee && dico.mot(plage) >= 0)
                return true;
            return estApostrophe(suivant) && dico.mot(dico.prolonger(plage, 'e')) >= 0;
        }
        const unsigned char o = static_cast<unsigned char>(octets[size_t(p)]);
        if (o == 0) {
            choix[size_t(p)] = rien;
            return explorer(p + 1, plage, segments, queue);
        }
        const std::vector<Glyphe> &candidats = style.glyphes[o];
        bool unGlyphe = false;
        for (size_t k = 0; k < candidats.size() && queue < 0; ++k) {
            if (!present(candidats[k], p))
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
        const char16_t code = codes[size_t(p)];
        const Copie sorte = sorteDe(style, code);
        choix[size_t(p)] = copie;
        switch (sorte) {
        case Copie::Rien:
            if (unGlyphe)
                return false;
            return explorer(p + 1, plage, segments, queue);
        case Copie::Chiffre:
            if (queue < 0)
                return false;
            return explorer(p + 1, plage, segments, queue);
        case Copie::Signe:
            if (queue >= 0)
                return explorer(p + 1, plage, segments, queue);
            if (plage.profondeur > 0 && dico.mot(plage) < 0)
                return false;
            if (!unGlyphe)
                return explorer(p + 1, dico.racine(), segments);
            // A glyph read as a mark only opens the word with a bracket
            // ("(voir") or starts the marks and digits that close it.
            if (p == 0)
                return code == u'(' && explorer(p + 1, dico.racine(), segments);
            return plage.profondeur > 0 && explorer(p + 1, dico.racine(), segments, p);
        case Copie::Lettre: {
            if (queue >= 0 || (plage.profondeur == 0 && segments >= segmentsMaximum))
                return false;
            Dictionnaire::Plage suite = plage;
            const char16_t c = copieDe(style, code);
            const QLatin1StringView bases = lettresDeBase(c);
            if (bases.isEmpty())
                suite = dico.prolonger(suite, char(QChar(c).toLower().unicode()));
            for (const char b : bases)
                suite = dico.prolonger(suite, char(b - 'A' + 'a'));
            if (suite.vide())
                return false;
            return explorer(p + 1, suite, plage.profondeur == 0 ? segments + 1 : segments);
        }
        }
        return false;
    }

    // The run is one glyph: a letter alone ("u", "x"), which no reading with
    // the list should turn into a word of two letters.
    bool unSeulGlyphe() const
    {
        int p = 0;
        while (p < taille && octets[size_t(p)] == 0)
            ++p;
        const Glyphe *g = p < taille ? glypheEn(p) : nullptr;
        if (!g)
            return false;
        for (p += g->taille; p < taille; ++p)
            if (octets[size_t(p)] != 0)
                return false;
        return true;
    }

    // One word of the list first ("elles"), and only then words that marks
    // inside the run hold apart ("mot-clé", rather than "eu_es"); before an
    // apostrophe, an elided word first each time.
    bool explorerParMots()
    {
        for (const int maximum : {1, longueurMaximale}) {
            for (const bool elision : {true, false}) {
                if (elision && !estApostrophe(suivant))
                    continue;
                segmentsMaximum = maximum;
                elisionExigee = elision;
                essais = 0;
                if (explorer(0, dico.racine(), 0))
                    return true;
            }
        }
        return false;
    }

    bool chiffresEntreParentheses(int ouvrante) const
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

    // Writes the letters read since the last sign, in the list's spelling.
    void ecrireSegment(int debutSortie, Dictionnaire::Plage plage, bool capitaleEnTete)
    {
        if (plage.profondeur == 0)
            return;
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

    void ecrireChoix()
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
            const char16_t c = copieDe(style, code);
            if (sorteDe(style, code) == Copie::Lettre) {
                if (plage.profondeur == 0) {
                    debutSegment = sortie.size();
                    capitaleSegment = false;
                }
                sortie.append(QChar(c));
                const QLatin1StringView bases = lettresDeBase(c);
                if (bases.isEmpty())
                    plage = dico.prolonger(plage, char(QChar(c).toLower().unicode()));
                for (const char b : bases)
                    plage = dico.prolonger(plage, char(b - 'A' + 'a'));
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
    bool queDesChiffres() const
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

    bool standardEstChoisi() const
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

    void finirMot(char16_t apres)
    {
        if (taille == 0) {
            long_ = false;
            return;
        }
        suivant = apres;
        if (stats)
            ++stats->mots;
        // The rule counts above need every run read; measures do without
        // the memory.
        const bool memorisable = !stats && !long_ && taille <= Memoire::cleMaximale;
        const bool apostrophe = estApostrophe(suivant);
        const bool capitaleAvant = capitale;
        const quint32 h =
            memorisable ? Memoire::empreinte(codes.data(), taille, capitale, apostrophe) : 0;
        if (memorisable) {
            bool capitaleApres = false;
            const QStringView connu =
                memoire.trouver(h, codes.data(), taille, capitale, apostrophe, &capitaleApres);
            if (!connu.isEmpty()) {
                sortie.append(connu);
                capitale = capitaleApres;
                taille = 0;
                return;
            }
        }
        const qsizetype debut = sortie.size();
        // A letter alone keeps its reading, unless it is elided ("l'").
        const bool lettreSeule = !apostrophe && unSeulGlyphe();
        if (!long_ && !lettreSeule && explorerParMots()) {
            if (stats)
                ++(standardEstChoisi() ? stats->lectureStandard : stats->autreLecture);
            ecrireChoix();
        } else if (!long_ && queDesChiffres()) {
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
            lireStandard(taille);
        }
        if (memorisable)
            memoire.garder(h, codes.data(), taille, capitaleAvant, apostrophe,
                           QStringView(sortie).sliced(debut), capitale);
        taille = 0;
        long_ = false;
    }

    static constexpr qint8 copie = -1;
    static constexpr qint8 rien = -2;

    const Dictionnaire &dico;
    const Lecture &style;
    QString &sortie;
    StatistiquesRetablissement *stats;

    std::array<char, longueurMaximale + 1> octets{};
    std::array<char16_t, longueurMaximale + 1> codes{};
    std::array<qint8, longueurMaximale + 1> choix{};
    int taille = 0;
    int essais = 0;
    int segmentsMaximum = longueurMaximale;
    bool elisionExigee = false;
    bool long_ = false;
    bool capitale = true;
    bool debutDuTexte = true;
    char16_t suivant = 0;
    char16_t haut = 0; // the first half of a surrogate pair just read
    Memoire memoire;
};

// Holds each character back until the next one is known: the blank option
// removes a blank only when no blank follows it.
class FluxRetabli : public TraducteurFlux
{
public:
    FluxRetabli(const Dictionnaire &d, Style style, bool supprimer,
                StatistiquesRetablissement *stats = nullptr)
        : lecteur(d, lecture(style), texte, stats), supprimerEspaces(supprimer)
    {}

    void lire(QStringView morceau)
    {
        for (const QChar c : morceau) {
            if (enAttente)
                pousser(attente, c.unicode() == u' ');
            attente = c.unicode();
            enAttente = true;
        }
    }

    void finir()
    {
        if (enAttente)
            pousser(attente, false);
        enAttente = false;
        lecteur.finir();
    }

    void alimenter(QStringView morceau, QByteArray &sortie) override
    {
        lire(morceau);
        vider(sortie);
    }

    void terminer(QByteArray &sortie) override
    {
        finir();
        vider(sortie);
    }

    QString texte;

private:
    void pousser(char16_t c, bool blancSuit)
    {
        lecteur.lire(c, supprimerEspaces && c == u' ' && !blancSuit);
    }

    void vider(QByteArray &sortie)
    {
        sortie += texte.toUtf8();
        texte.resize(0);
    }

    Lecteur lecteur;
    bool supprimerEspaces;
    bool enAttente = false;
    char16_t attente = 0;
};

} // namespace

QString retablirLeet(const Dictionnaire &dictionnaire, Style style, QStringView texte,
                     bool supprimerEspaces, StatistiquesRetablissement *statistiques)
{
    FluxRetabli flux(dictionnaire, style, supprimerEspaces, statistiques);
    flux.texte.reserve(texte.size());
    flux.lire(texte);
    flux.finir();
    return std::move(flux.texte);
}

std::unique_ptr<TraducteurFlux> creerRetablissementFlux(const Dictionnaire &dictionnaire,
                                                        Style style, bool supprimerEspaces)
{
    return std::make_unique<FluxRetabli>(dictionnaire, style, supprimerEspaces);
}
