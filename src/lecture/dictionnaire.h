#pragma once

// A French word list (one word per line, UTF-8) read for the leet reading that
// restores words: each word is kept under its key, the small letters that its
// leet gives back (accents dropped, "æ" as "ae", what leet cannot write left
// out), together with its own spelling, accents included.

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class Dictionnaire
{
public:
    // The words of a file, and `autres` (a context model's vocabulary, say);
    // on failure, a message naming the file.
    static std::optional<Dictionnaire> charger(const QString &chemin, QString *erreur = nullptr,
                                               const std::vector<QString> &autres = {});
    // The words of a text: byte-order mark, CR LF line ends and blank lines
    // allowed. Words of one letter (the list's letter names) and words with
    // a character that is no French letter are left out.
    static Dictionnaire depuisTexte(QByteArrayView utf8, const std::vector<QString> &autres = {});

    // The indexed list written to a file, to be kept between runs, and read
    // back: nothing for a file that holds no such list, damaged or cut short.
    bool ecrire(QIODevice &fichier) const;
    static std::optional<Dictionnaire> lire(QIODevice &fichier);

    // The key of a word: its small letters without accents ("coeur" for
    // "Cœur"); false for a word with a character no letter of a key stands for.
    static bool cleDe(QStringView mot, std::string &cle);

    // The keys that begin with a prefix: a node of the keys' tree, and the
    // prefix's length.
    struct Plage
    {
        qint32 noeud = 0;
        qint32 profondeur = 0;
        bool vide() const { return noeud < 0; }
    };
    Plage racine() const { return {0, 0}; }
    // The keys that go on with the small letter `lettre`.
    Plage prolonger(Plage plage, char lettre) const
    {
        if (plage.vide() || lettre < 'a' || lettre > 'z')
            return {-1, plage.profondeur + 1};
        const Noeud &n = noeuds[size_t(plage.noeud)];
        const quint32 bit = 1u << (lettre - 'a');
        if (!(n.lettres & bit))
            return {-1, plage.profondeur + 1};
        return {n.premierEnfant + bitsAUn(n.lettres & (bit - 1)), plage.profondeur + 1};
    }

    // The spelling to give a word whose key is exactly the range's prefix:
    // -1 when no word has that key, 0 when the key itself is a word (it stays
    // as read), otherwise 1 + the index of the chosen accented spelling.
    qint32 mot(Plage plage) const
    {
        return plage.vide() || plage.profondeur == 0 ? -1 : noeuds[size_t(plage.noeud)].mot;
    }
    QStringView orthographe(qint32 choix) const;
    // Every spelling of the words whose key is exactly the range's prefix, in
    // small letters: the key itself first when it is a word.
    qsizetype nombreDeFormes(Plage plage) const
    {
        return plage.vide() || plage.profondeur == 0 ? 0 : noeuds[size_t(plage.noeud)].formes;
    }
    QStringView forme(Plage plage, qsizetype k) const
    {
        const Orthographe &o = orthographes[size_t(noeuds[size_t(plage.noeud)].premiere + k)];
        return QStringView(formes.constData() + o.forme, o.longueur);
    }
    // How many accented spellings share the key of that choice (more than one
    // means the choice rule decided).
    int nombreDOrthographes(qint32 choix) const;

    // How likely the small letter `c` (or the word's end, 0) is after `a`
    // then `b` (0 before the word's start) in the keys of the list: the
    // log-probability of a letter trigram, for words the list lacks.
    float noteLettre(char a, char b, char c) const
    {
        return trigrammes[size_t((rangLettre(a) * 27 + rangLettre(b)) * 27 + rangLettre(c))];
    }

private:
    struct Entree
    {
        quint64 tete = 0; // the key's first eight bytes, big-endian: sorts as the key does
        qint32 cle = 0;
        qint32 forme = 0;
        quint16 longueurCle = 0;
        quint16 longueurForme = 0;
        qint32 choix = -1;     // on the first entry of a key: what mot() answers
        quint16 accentues = 0; // how many spellings of the key have accents
        quint16 accents = 0;   // accented letters in this spelling
    };
    // What stays of an entry once the tree is built.
    // Neither these nor the nodes set their fields when made: a table read
    // back from a file is written whole at once.
    struct Orthographe
    {
        qint32 forme;
        quint16 longueur;
        quint16 accentues;
    };
    // One prefix: its children, one per next letter, stand together from
    // `premierEnfant`, in letter order, one bit of `lettres` each.
    struct Noeud
    {
        qint32 premierEnfant;
        qint32 mot;
        quint32 lettres;
        quint32 premiere : 24; // the first entry of the key
        quint32 formes : 8;    // how many entries the key has
    };
    // Counted in place: the call the compiler makes otherwise costs more
    // than the walk of the tree.
    static qint32 bitsAUn(quint32 x)
    {
        x = x - ((x >> 1) & 0x55555555u);
        x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
        return qint32((((x + (x >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
    }
    char octet(const Entree &entree, qint32 profondeur) const;
    void ajouterMot(QStringView ligne, std::string &cle);
    // The entries of the list's lines and of `autres`, not yet indexed.
    static Dictionnaire lireLignes(QByteArrayView utf8, const std::vector<QString> &autres);
    void indexer();
    void trier();
    void construireArbre();
    void compterTrigrammes();
    static int rangLettre(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 1 : 0; }
    void visiter(qint32 noeud, qint32 debut, qint32 fin, qint32 profondeur, qint32 &libre);
    bool coherent() const;

    QByteArray cles; // while the list is read
    QString formes;
    std::vector<Entree> entrees; // while the list is read
    std::vector<Orthographe> orthographes;
    std::vector<float> trigrammes;
    std::vector<Noeud> noeuds;
};
