#include "dictionnaire.h"

#include "glyphes.h"

#include <QFile>

#include <QtAlgorithms>
#include <algorithm>
#include <deque>
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
    const QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError) {
        if (erreur)
            *erreur = u"liste de mots illisible : %1 (%2)."_s.arg(chemin, fichier.errorString());
        return std::nullopt;
    }
    return depuisTexte(octets, autres);
}

Dictionnaire Dictionnaire::depuisTexte(QByteArrayView utf8, const std::vector<QString> &autres)
{
    Dictionnaire d;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);
    QString texte = QString::fromUtf8(utf8);
    for (const QString &mot : autres)
        texte += u'\n' + mot;
    d.formes.reserve(texte.size());
    d.cles.reserve(texte.size());
    d.entrees.reserve(size_t(texte.count(u'\n') + 1));

    // Inline appends: a call per letter into QByteArray costs more than the
    // rest of reading the list.
    std::string cle;
    qsizetype debut = 0;
    while (debut < texte.size()) {
        qsizetype fin = texte.indexOf(u'\n', debut);
        if (fin < 0)
            fin = texte.size();
        QStringView ligne = QStringView(texte).sliced(debut, fin - debut);
        debut = fin + 1;
        if (ligne.endsWith(u'\r'))
            ligne.chop(1);
        if (ligne.isEmpty() || ligne.size() > 0xFFFF)
            continue;
        cle.clear();
        bool valable = true;
        quint16 accents = 0;
        for (const QChar c : ligne) {
            valable = lettreFrancaise(c.unicode()) && ajouterCle(c.unicode(), cle);
            if (!valable)
                break;
            if (c.unicode() >= 0x80)
                ++accents;
        }
        if (!valable || cle.size() < 2 || cle.size() > 0xFFFF)
            continue;
        Entree e;
        e.cle = qint32(d.cles.size());
        e.longueurCle = quint16(cle.size());
        e.forme = qint32(d.formes.size());
        e.longueurForme = quint16(ligne.size());
        e.accents = accents;
        for (qsizetype k = 0; k < 8; ++k)
            e.tete = (e.tete << 8) | (k < qsizetype(cle.size()) ? quint8(cle[size_t(k)]) : 0u);
        d.cles.append(cle.data(), qsizetype(cle.size()));
        ajouterEnMinuscules(ligne, d.formes);
        d.entrees.push_back(e);
    }
    d.trier();
    d.construireArbre();
    return d;
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
        entrees[i].accentues = accentues;
        i = j;
    }
}

// Built once from the sorted entries, breadth first, so that the children
// of a node stand together.
void Dictionnaire::construireArbre()
{
    struct AFaire
    {
        qint32 noeud, debut, fin, profondeur;
    };
    noeuds.assign(1, Noeud{});
    std::deque<AFaire> file{{0, 0, qint32(entrees.size()), 0}};
    while (!file.empty()) {
        const AFaire f = file.front();
        file.pop_front();
        qint32 i = f.debut;
        if (i < f.fin && entrees[size_t(i)].longueurCle == f.profondeur) {
            Noeud &n = noeuds[size_t(f.noeud)];
            n.mot = entrees[size_t(i)].choix;
            n.premiere = i;
            while (i < f.fin && entrees[size_t(i)].longueurCle == f.profondeur)
                ++i;
            n.formes = i - n.premiere;
        }
        noeuds[size_t(f.noeud)].premierEnfant = qint32(noeuds.size());
        while (i < f.fin) {
            const char lettre = octet(entrees[size_t(i)], f.profondeur);
            qint32 j = i;
            while (j < f.fin && octet(entrees[size_t(j)], f.profondeur) == lettre)
                ++j;
            noeuds[size_t(f.noeud)].lettres |= 1u << (lettre - 'a');
            file.push_back({qint32(noeuds.size()), i, j, f.profondeur + 1});
            noeuds.emplace_back();
            i = j;
        }
    }
    noeuds.shrink_to_fit();
}

QStringView Dictionnaire::orthographe(qint32 choix) const
{
    if (choix <= 0)
        return {};
    const Entree &e = entrees[size_t(choix - 1)];
    return QStringView(formes.constData() + e.forme, e.longueurForme);
}

int Dictionnaire::nombreDOrthographes(qint32 choix) const
{
    if (choix <= 0)
        return 0;
    // The first entry of the key holds the count.
    qint32 i = choix - 1;
    const QByteArrayView cle(cles.constData() + entrees[size_t(i)].cle,
                             entrees[size_t(i)].longueurCle);
    while (i > 0 && QByteArrayView(cles.constData() + entrees[size_t(i - 1)].cle,
                                   entrees[size_t(i - 1)].longueurCle) == cle)
        --i;
    return entrees[size_t(i)].accentues;
}
