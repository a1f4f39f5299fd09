#include "contextemots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Keeps a table of answers small for a short text (a reader is made for each
// text, some of a few words) and makes it four times larger, emptied, each
// time more answers were worked out than it holds, up to `plusGrande` slots.
template <typename T>
void agrandir(std::vector<T> &table, size_t &calcules, size_t premiere, size_t plusGrande)
{
    if (!table.empty() && (calcules <= table.size() || table.size() >= plusGrande))
        return;
    table.assign(table.empty() ? premiere : table.size() * 4, T{});
    calcules = 0;
}

} // namespace

ChoixEnContexte::ChoixEnContexte(const ModeleContexte &m, const Dictionnaire &d, QString &s)
    : modele(m), dico(d), sortie(s), precedent(m.debutDePhrase()),
      // A word of the list that the model never saw is three times likelier
      // than a reading that is no word at all, and more where words of its
      // ending are.
      logListe(std::log(3.0)), logInconnu(m.logProbabilite(-1, -1)),
      // About one word in 135 opens with a bracket in French catalogues.
      logParenthese(std::log(0.0074)),
      // One in two when a closing one ends the run: "(ram)" rather than
      // "cram)".
      logFermee(std::log(0.5)),
      // A digit alone where its glyph's letter makes a word ("4" for "à"):
      // a number one time in a thousand, as measured on the manual pages and
      // the strings held out of the model, written in the usual leet.
      logNombre(std::log(0.001)),
      // A mark alone where its glyph's letter makes a word ("^" for "a"): a
      // mark one time in twenty, so that "$ ls", "x + y" and "# make" keep
      // theirs in plain text, as measured likewise.
      logSigne(std::log(0.05))
{}

void ChoixEnContexte::ajouter(Mot &m, QStringView forme, qint32 indice, bool dansLaListe,
                              bool parenthese) const
{
    if (m.nombre == candidatsMaximum)
        return;
    for (int k = 0; k < m.nombre; ++k) {
        const Candidat &c = m.candidats[size_t(k)];
        if (c.parenthese == parenthese && formeDe(m, c) == forme)
            return;
    }
    m.candidats[size_t(m.nombre++)] = Candidat{forme, indice, dansLaListe, parenthese};
}

QStringView ChoixEnContexte::formeDe(const Mot &m, const Candidat &c) const
{
    if (!c.forme.isEmpty())
        return c.forme;
    return c.parenthese ? QStringView(m.lu.data() + 1, m.longueur - 1)
                        : QStringView(m.lu.data(), m.longueur);
}

double ChoixEnContexte::crochet(const Mot &m, const Candidat &c) const
{
    return c.parenthese ? (m.fermee ? logFermee : logParenthese) : 0.0;
}

double ChoixEnContexte::note(qint32 avant, const Mot &m, const Candidat &c)
{
    const double ouvrante = crochet(m, c);
    if (c.indice < 0) {
        if (m.telQuel < 0 && c.forme.isEmpty())
            return m.telQuel;
        return ouvrante + (c.dansLaListe
                               ? modele.logProbabiliteInconnu(avant, formeDe(m, c)) + logListe
                               : logInconnu);
    }
    agrandir(notes, notesCalculees, size_t(1) << 8, size_t(1) << 16);
    const quint64 paire = quint64(quint32(avant)) << 32 | quint32(c.indice);
    Note &n = notes[size_t((paire * 0x9E3779B97F4A7C15u) >> 32) & (notes.size() - 1)];
    if (n.paire != paire) {
        n = {paire, modele.logProbabilite(avant, c.indice)};
        ++notesCalculees;
    }
    return ouvrante + n.valeur;
}

// The candidates of the word as read, in `m.lu`: as read, the list's
// spellings of its key, the model's accented words with that key.
void ChoixEnContexte::candidats(Mot &m, Dictionnaire::Plage plage, bool parenthese)
{
    const QStringView lu(m.lu.data(), m.longueur);
    quint32 h = (2166136261u ^ quint32(plage.noeud)) + (parenthese ? 1 : 0);
    for (qsizetype k = 0; k < m.longueur; ++k)
        h = (h ^ m.lu[size_t(k)]) * 16777619u;
    Ensemble *e = nullptr;
    if (m.longueur <= luMaximum) {
        agrandir(ensembles, calcules, 64, size_t(1) << 12);
        e = &ensembles[h & (ensembles.size() - 1)];
        if (e->empreinte == h && e->longueur == m.longueur && e->noeud == plage.noeud &&
            e->parenthese == parenthese &&
            std::equal(m.lu.begin(), m.lu.begin() + m.longueur, e->lu.begin())) {
            m.nombre = e->nombre;
            std::copy_n(e->candidats.begin(), e->nombre, m.candidats.begin());
            m.anglais = e->anglais;
            return;
        }
    }
    ++calcules;
    // As read first, so that it wins a tie: a word of the list only where
    // its key is one.
    m.candidats[0] = {{}, modele.indice(lu), dico.mot(plage) == 0, false};
    m.nombre = 1;
    m.anglais = modele.anglaisDe(lu);
    ajouterOrthographes(m, lu, plage, false);
    if (parenthese)
        sansLeC(m);
    if (e) {
        e->empreinte = h;
        e->longueur = qint32(m.longueur);
        e->noeud = plage.noeud;
        e->parenthese = parenthese;
        e->anglais = m.anglais;
        std::copy(m.lu.begin(), m.lu.begin() + m.longueur, e->lu.begin());
        e->nombre = m.nombre;
        std::copy_n(m.candidats.begin(), m.nombre, e->candidats.begin());
    }
}

// The word read without its first letter, a C, behind an opening bracket:
// its spellings, when the list or the model knows it.
void ChoixEnContexte::sansLeC(Mot &m)
{
    if (m.longueur < 2 || m.lu[0] != u'c')
        return;
    const QStringView reste(m.lu.data() + 1, m.longueur - 1);
    Dictionnaire::Plage plage = dico.racine();
    for (const QChar c : reste)
        plage = dico.prolonger(plage, c.unicode() < 0x80 ? char(c.unicode()) : '\0');
    const qint32 indice = modele.indice(reste);
    if (indice >= 0 || dico.mot(plage) == 0)
        ajouter(m, {}, indice, dico.mot(plage) == 0, true);
    ajouterOrthographes(m, reste, plage, true);
}

// The spellings of a word read as `lu`: the list's, by its key, and the
// model's accented words with that key.
void ChoixEnContexte::ajouterOrthographes(Mot &m, QStringView lu, Dictionnaire::Plage plage,
                                          bool parenthese)
{
    for (qsizetype k = 0; k < dico.nombreDeFormes(plage); ++k) {
        const QStringView forme = dico.forme(plage, k);
        ajouter(m, forme, modele.indice(forme), true, parenthese);
    }
    if (Dictionnaire::cleDe(lu, cle)) {
        const auto [debut, fin] = modele.accentues(cle);
        for (const qint32 *i = debut; i != fin; ++i)
            ajouter(m, modele.mot(*i), *i, false, parenthese);
    }
}

void ChoixEnContexte::mot(qsizetype position, qsizetype longueur, Dictionnaire::Plage plage,
                          bool capitale, bool parenthese, bool fermee, const Seul *connu,
                          Seul *seul, const AutreLecture *autres, int nombreAutres)
{
    // Written in place of the word before the one that waits: no copy.
    Mot &m = mots[size_t(1 - attente)];
    m.actif = true;
    m.capitale = capitale;
    m.fermee = fermee;
    m.position = position;
    m.longueur = std::min<qsizetype>(longueur, longueurMaximale);
    const QChar premier = longueur > 0 ? sortie.at(position) : QChar();
    m.telQuel = premier.isDigit()                     ? logNombre
                : longueur > 0 && !premier.isLetter() ? logSigne
                                                      : 0.0;
    const bool dejaVu = connu && connu->indice != -2 && !parenthese;
    // A word of the list that the model lacks is scored by its letters.
    if (!dejaVu || (connu->indice < 0 && connu->dansLaListe)) {
        const QChar *ecrit = sortie.constData() + position;
        for (qsizetype k = 0; k < m.longueur; ++k) {
            const char16_t c = ecrit[k].unicode();
            m.lu[size_t(k)] = c < 0x80 ? (c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c)
                                       : ecrit[k].toLower().unicode();
        }
    }
    if (dejaVu) {
        m.nombre = 1;
        m.candidats[0] = {{}, connu->indice, connu->dansLaListe, false};
        m.anglais = connu->anglais;
    } else {
        candidats(m, plage, parenthese);
        for (int k = 0; k < nombreAutres; ++k) {
            const qint32 indice = modele.indice(autres[k].lettres);
            if (indice >= 0)
                ajouter(m, modele.mot(indice), indice, dico.mot(autres[k].plage) >= 0);
            ajouterOrthographes(m, autres[k].lettres, autres[k].plage, false);
        }
    }
    if (seul) {
        *seul = m.nombre == 1 ? Seul{m.candidats[0].indice, m.candidats[0].dansLaListe, m.anglais}
                              : Seul{};
    }

    Mot &avant = mots[size_t(attente)];
    if (avant.actif) {
        const qsizetype taille = sortie.size();
        precedent = choisir(avant, &m);
        m.position += sortie.size() - taille;
        avant.actif = false;
    }
    if (m.nombre == 1) {
        m.actif = false;
        precedent = m.candidats[0].indice; // nothing to choose
        // A word that both languages have leaves the text in the language
        // it was in: "threaded" after "multi" is English, and so is what
        // follows it.
        precedentAnglais = m.anglais == ModeleContexte::Anglais::Seulement ||
                           (m.anglais == ModeleContexte::Anglais::Aussi && precedentAnglais);
        return;
    }
    m.precedent = precedent;
    m.apresAnglais = precedentAnglais;
    attente = 1 - attente;
}

void ChoixEnContexte::rupture(bool finDePhrase)
{
    Mot &m = mots[size_t(attente)];
    if (m.actif)
        choisir(m, nullptr);
    m.actif = false;
    precedent = finDePhrase ? modele.debutDePhrase() : -1;
    precedentAnglais = false;
}

void ChoixEnContexte::decaler(qsizetype n)
{
    mots[size_t(attente)].position -= n;
}

void ChoixEnContexte::recommencer()
{
    mots[size_t(attente)].actif = false;
    precedent = modele.debutDePhrase();
    precedentAnglais = false;
}

// The candidate that English makes likeliest, a bracket costing what it
// does in French; the first, as read, when none is English.
int ChoixEnContexte::plusAnglais(const Mot &m) const
{
    int meilleur = 0;
    double record = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < m.nombre; ++k) {
        const Candidat &c = m.candidats[size_t(k)];
        const double n =
            crochet(m, c) + (c.indice >= 0 ? modele.logProbabiliteAnglais(c.indice)
                                           : modele.logProbabiliteAnglais(formeDe(m, c)));
        if (n > record) {
            record = n;
            meilleur = k;
        }
    }
    return meilleur;
}

qint32 ChoixEnContexte::choisir(const Mot &m, const Mot *suivant)
{
    int meilleur = 0;
    double record = -std::numeric_limits<double>::infinity();
    // Beside an English word, a word that reads as one, or that another
    // reading makes English only, takes the reading that English makes
    // likeliest: "with a low", "the decompression", "the line blank" (not
    // "the une blank").
    using Anglais = ModeleContexte::Anglais;
    const bool enAnglais = m.apresAnglais || (suivant && suivant->anglais == Anglais::Seulement);
    // Between two, any word does: "compression and decompression and".
    const bool entreAnglais = m.apresAnglais && suivant && suivant->anglais == Anglais::Seulement;
    bool telQuel = entreAnglais || (enAnglais && m.anglais != Anglais::Non);
    for (int k = 1; k < m.nombre && enAnglais && !telQuel; ++k) {
        const Candidat &c = m.candidats[size_t(k)];
        telQuel = !c.parenthese && modele.anglaisDe(formeDe(m, c)) == Anglais::Seulement;
    }
    if (telQuel)
        meilleur = plusAnglais(m);
    for (int k = telQuel ? m.nombre : 0; k < m.nombre; ++k) {
        const Candidat &c = m.candidats[size_t(k)];
        double n = note(m.precedent, m, c);
        if (suivant) {
            double apres = -std::numeric_limits<double>::infinity();
            for (int j = 0; j < suivant->nombre; ++j)
                apres = std::max(apres, note(c.indice, *suivant, suivant->candidats[size_t(j)]));
            n += apres;
        }
        if (n > record) {
            record = n;
            meilleur = k;
        }
    }
    const Candidat &c = m.candidats[size_t(meilleur)];
    precedentAnglais =
        telQuel || (meilleur == 0 && m.anglais == ModeleContexte::Anglais::Seulement);
    if (c.parenthese) {
        QString ecrit(u'(');
        ecrit += formeDe(m, c);
        if (m.capitale)
            ecrit[1] = ecrit.at(1).toUpper();
        sortie.replace(m.position, m.longueur, ecrit);
    } else if (!c.forme.isEmpty()) {
        sortie.replace(m.position, m.longueur, c.forme.data(), c.forme.size());
        if (m.capitale && c.forme.size() > 0)
            sortie[m.position] = sortie.at(m.position).toUpper();
    }
    return c.indice;
}
