#include "dictionnaire.h"

#include "glyphes.h"
#include "utf8.h"

#include <QFile>

#include <QtAlgorithms>
#include <algorithm>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Appends the key letters of one character of a word; false for a character
// that no letter of a key can stand for (a digit, a hyphen, an apostrophe).
bool ajouterCle(char16_t c, std::string &cle)
{
    if (c >= u'a' && c <= u'z') {
        cle.push_back(char(c));
        return true;
    }
    if (c >= u'A' && c <= u'Z') {
        cle.push_back(char(c - u'A' + u'a'));
        return true;
    }
    if (estIAccentue(c)) {
        cle.push_back('i');
        return true;
    }
    const QLatin1StringView bases = lettresDeBase(c);
    if (!bases.isEmpty()) {
        for (const char base : bases)
            cle.push_back(char(base - 'A' + 'a'));
        return true;
    }
    // Leet writes nothing for a letter beyond Latin-1 ("œ"): the key has
    // nothing for it either, as the leet of the word has not.
    return c >= 0x100 && QChar(c).isLetter();
}

// The letters a French spelling may carry beyond a to z. The list has a few
// words whose apostrophe was mangled into "ú" ("lorsqú"): they are no words.
bool lettreFrancaise(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    return QStringView(u"àâäçéèêëîïôöùûüÿæœÀÂÄÇÉÈÊËÎÏÔÖÙÛÜŸÆŒ").contains(QChar(c));
}

// A word's spelling in small letters, appended without a copy of its own.
void ajouterEnMinuscules(QStringView mot, QString &formes)
{
    const qsizetype debut = formes.size();
    formes.resize(debut + mot.size());
    char16_t *ecrit = reinterpret_cast<char16_t *>(formes.data()) + debut;
    for (const QChar c : mot) {
        const char16_t u = c.unicode();
        *ecrit++ =
            u < 0x80 ? (u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u) : c.toLower().unicode();
    }
}

} // namespace

bool Dictionnaire::cleDe(QStringView mot, std::string &cle)
{
    cle.clear();
    for (const QChar c : mot) {
        const char16_t u = c.unicode();
        if (!lettreFrancaise(u) || !ajouterCle(u, cle))
            return false;
    }
    return !cle.empty();
}

inline char Dictionnaire::octet(const Entree &entree, qint32 profondeur) const
{
    // A key that ends before `profondeur` sorts before every letter.
    return profondeur < entree.longueurCle ? cles.constData()[entree.cle + profondeur] : '\0';
}

std::optional<Dictionnaire> Dictionnaire::charger(const QString &chemin, QString *erreur,
                                                  const std::vector<QString> &autres)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        if (erreur)
            *erreur = u"liste de mots illisible : %1 (%2)."_s.arg(chemin, fichier.errorString());
        return std::nullopt;
    }
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError) {
        if (erreur)
            *erreur = u"liste de mots illisible : %1 (%2)."_s.arg(chemin, fichier.errorString());
        return std::nullopt;
    }
    // The file's bytes go before the tree is built: loading peaks there.
    Dictionnaire d = lireLignes(octets, autres);
    octets = QByteArray();
    d.indexer();
    return d;
}

Dictionnaire Dictionnaire::depuisTexte(QByteArrayView utf8, const std::vector<QString> &autres)
{
    Dictionnaire d = lireLignes(utf8, autres);
    d.indexer();
    return d;
}

void Dictionnaire::indexer()
{
    trier();
    compterTrigrammes();
    construireArbre();
}

// Letter trigrams of the keys, the word's edges included, with one more
// for every trigram so that none is impossible.
void Dictionnaire::compterTrigrammes()
{
    std::vector<quint32> comptes(27 * 27 * 27, 1);
    for (const Entree &e : entrees) {
        int a = 0, b = 0;
        for (qint32 k = 0; k <= e.longueurCle; ++k) {
            const int c = k < e.longueurCle ? rangLettre(cles.constData()[e.cle + k]) : 0;
            ++comptes[size_t((a * 27 + b) * 27 + c)];
            a = b;
            b = c;
        }
    }
    trigrammes.resize(comptes.size());
    for (size_t debut = 0; debut < comptes.size(); debut += 27) {
        quint64 total = 0;
        for (size_t c = 0; c < 27; ++c)
            total += comptes[debut + c];
        for (size_t c = 0; c < 27; ++c)
            trigrammes[debut + c] = float(std::log(double(comptes[debut + c]) / double(total)));
    }
}

Dictionnaire Dictionnaire::lireLignes(QByteArrayView utf8, const std::vector<QString> &autres)
{
    Dictionnaire d;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);
    // Every byte of the list gives at most one character of a spelling and
    // two bytes of a key ("æ" as "ae"): reserved once, never grown.
    qsizetype lettres = utf8.size() + qsizetype(autres.size());
    for (const QString &mot : autres)
        lettres += mot.size();
    d.formes.reserve(lettres);
    d.cles.reserve(2 * lettres);
    d.entrees.reserve(size_t(utf8.count('\n') + 1) + autres.size());

    // Each line decoded into one buffer: the whole list as UTF-16 would
    // double the memory that loading needs.
    std::string cle;
    std::u16string ligne;
    qsizetype debut = 0;
    while (debut < utf8.size()) {
        qsizetype fin = utf8.indexOf('\n', debut);
        if (fin < 0)
            fin = utf8.size();
        QByteArrayView octets = utf8.sliced(debut, fin - debut);
        debut = fin + 1;
        if (octets.endsWith('\r'))
            octets.chop(1);
        ligne.clear();
        for (qsizetype k = 0; k < octets.size();) {
            const int n = utf8::longueurSequence(octets.data() + k, octets.size() - k);
            if (n == 0) {
                ligne.clear(); // not UTF-8: no word
                break;
            }
            const char32_t c = utf8::decoder(octets.data() + k, n);
            ligne.push_back(c < 0x10000 ? char16_t(c) : u'\uFFFD');
            k += n;
        }
        d.ajouterMot(ligne, cle);
    }
    for (const QString &mot : autres)
        d.ajouterMot(mot, cle);
    return d;
}

// Keeps one word under its key, unless it has a character that is no French
// letter, or a key shorter than two letters.
void Dictionnaire::ajouterMot(QStringView ligne, std::string &cle)
{
    if (ligne.isEmpty() || ligne.size() > 0xFFFF)
        return;
    // Inline appends: a call per letter into QByteArray costs more than the
    // rest of reading the list.
    cle.clear();
    quint16 accents = 0;
    for (const QChar c : ligne) {
        const char16_t u = c.unicode();
        // Plain letters first: nearly every letter of the list is one.
        if (u >= u'a' && u <= u'z') {
            cle += char(u);
            continue;
        }
        if (u >= u'A' && u <= u'Z') {
            cle += char(u - u'A' + u'a');
            continue;
        }
        if (!lettreFrancaise(u) || !ajouterCle(u, cle))
            return;
        ++accents;
    }
    // A run of leet is read whole up to 64 characters, so no longer word is
    // ever spelled; and the tree is built to the keys' depth.
    constexpr size_t cleMaximale = 64;
    if (cle.size() < 2 || cle.size() > cleMaximale)
        return;
    Entree e;
    e.cle = qint32(cles.size());
    e.longueurCle = quint16(cle.size());
    e.forme = qint32(formes.size());
    e.longueurForme = quint16(ligne.size());
    e.accents = accents;
    for (qsizetype k = 0; k < 8; ++k)
        e.tete = (e.tete << 8) | (k < qsizetype(cle.size()) ? quint8(cle[size_t(k)]) : 0u);
    cles.append(cle.data(), qsizetype(cle.size()));
    ajouterEnMinuscules(ligne, formes);
    entrees.push_back(e);
}

// Sorts the entries by key, spellings of one key in the order of the choice
// rule, and records on the first entry of every key what mot() answers.
void Dictionnaire::trier()
{
    const auto vueCle = [this](const Entree &e) {
        return QByteArrayView(cles.constData() + e.cle, e.longueurCle);
    };
    const auto vueForme = [this](const Entree &e) {
        return QStringView(formes.constData() + e.forme, e.longueurForme);
    };
    // Among spellings of one key: fewest accented letters first, then the
    // smaller in code order ("près" before "prés").
    std::sort(entrees.begin(), entrees.end(), [&](const Entree &a, const Entree &b) {
        if (a.tete != b.tete)
            return a.tete < b.tete;
        const int parCle = vueCle(a).compare(vueCle(b));
        if (parCle != 0)
            return parCle < 0;
        if (a.accents != b.accents)
            return a.accents < b.accents;
        return vueForme(a).compare(vueForme(b)) < 0;
    });
    for (size_t i = 0; i < entrees.size();) {
        size_t j = i;
        bool simple = false;
        quint16 accentues = 0;
        while (j < entrees.size() && vueCle(entrees[j]) == vueCle(entrees[i])) {
            if (entrees[j].accents == 0 && vueForme(entrees[j]).size() == entrees[j].longueurCle)
                simple = true;
            else
                ++accentues;
            ++j;
        }
        // The word with no accent wins ("a" stays "a"); otherwise the first
        // accented spelling in the rule's order.
        size_t choisie = i;
        while (choisie < j && entrees[choisie].accents == 0)
            ++choisie;
        entrees[i].choix = simple || choisie == j ? 0 : qint32(choisie) + 1;
        for (; i < j; ++i)
            entrees[i].accentues = accentues;
    }
}

// Built once from the sorted entries, depth first: the children of a node
// are laid out together as it is visited. The nodes are counted first (one
// per distinct prefix), so that the table is allocated once, at its size.
// Then only the spellings stay: the keys live on in the tree.
void Dictionnaire::construireArbre()
{
    size_t nombre = 1;
    for (size_t i = 0; i < entrees.size(); ++i) {
        const Entree &e = entrees[i];
        qint32 commun = 0;
        if (i > 0) {
            const Entree &a = entrees[i - 1];
            while (commun < e.longueurCle && commun < a.longueurCle &&
                   cles.constData()[a.cle + commun] == cles.constData()[e.cle + commun])
                ++commun;
        }
        nombre += size_t(e.longueurCle - commun);
    }
    noeuds.assign(nombre, Noeud{0, -1, 0, 0, 0});
    qint32 libre = 1;
    visiter(0, 0, qint32(entrees.size()), 0, libre);
    Q_ASSERT(size_t(libre) == nombre);

    orthographes.reserve(entrees.size());
    for (const Entree &e : entrees)
        orthographes.push_back({e.forme, e.longueurForme, e.accentues});
    // Given back, not only emptied: the entries weigh as much as the tree.
    std::vector<Entree>().swap(entrees);
    cles = QByteArray();
}

// The node of the entries [debut, fin), which share their first `profondeur`
// key letters; `libre` is the first node not yet laid out.
void Dictionnaire::visiter(qint32 noeud, qint32 debut, qint32 fin, qint32 profondeur, qint32 &libre)
{
    Noeud &n = noeuds[size_t(noeud)];
    qint32 i = debut;
    if (i < fin && entrees[size_t(i)].longueurCle == profondeur) {
        n.mot = entrees[size_t(i)].choix;
        const qint32 premiere = i;
        while (i < fin && entrees[size_t(i)].longueurCle == profondeur)
            ++i;
        // Beyond what the node holds, the entries of the key are left out.
        n.premiere = quint32(premiere) & 0xFFFFFF;
        n.formes = premiere < 0x1000000 ? quint32(std::min(i - premiere, 255)) : 0;
    }
    const qint32 premiers = i;
    n.premierEnfant = libre;
    for (qint32 j = i; j < fin;) {
        const char lettre = octet(entrees[size_t(j)], profondeur);
        n.lettres |= 1u << (lettre - 'a');
        while (j < fin && octet(entrees[size_t(j)], profondeur) == lettre)
            ++j;
        ++libre;
    }
    qint32 enfant = n.premierEnfant;
    for (qint32 j = premiers; j < fin; ++enfant) {
        const char lettre = octet(entrees[size_t(j)], profondeur);
        const qint32 k = j;
        while (j < fin && octet(entrees[size_t(j)], profondeur) == lettre)
            ++j;
        visiter(enfant, k, j, profondeur + 1, libre);
    }
}

QStringView Dictionnaire::orthographe(qint32 choix) const
{
    if (choix <= 0)
        return {};
    const Orthographe &o = orthographes[size_t(choix - 1)];
    return QStringView(formes.constData() + o.forme, o.longueur);
}

int Dictionnaire::nombreDOrthographes(qint32 choix) const
{
    return choix <= 0 ? 0 : orthographes[size_t(choix - 1)].accentues;
}
