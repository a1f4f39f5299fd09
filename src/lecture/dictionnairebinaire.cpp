// The indexed word list as bytes: its arrays written one after the other,
// with a sum of them, and read back by mapping the file, for
// listeindexee.cpp to keep between runs.

#include "dictionnaire.h"

#include <QFile>

#include <array>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// What opens an indexed list: the format, and the byte order and type sizes
// of the machine that wrote it.
constexpr char enTete[] = "scribolix-liste 1";
constexpr quint32 ordreDesOctets = 0x01020304;

// A 64-bit sum of the bytes, carried from block to block: enough to tell a
// damaged file. Four words at a time, summed apart then together, go as fast
// as memory does.
quint64 sommer(quint64 h, const void *donnees, qsizetype taille)
{
    const char *octets = static_cast<const char *>(donnees);
    const auto melanger = [](quint64 a, quint64 mot) {
        a = (a ^ mot) * 0x100000001b3u;
        return a ^ (a >> 29);
    };
    qsizetype k = 0;
    if (taille >= 32) {
        std::array<quint64, 4> voies{h, h + 1, h + 2, h + 3};
        for (; k + 32 <= taille; k += 32) {
            std::array<quint64, 4> mots;
            std::memcpy(mots.data(), octets + k, 32);
            for (size_t v = 0; v < 4; ++v)
                voies[v] = melanger(voies[v], mots[v]);
        }
        for (const quint64 v : voies)
            h = melanger(h, v);
    }
    for (; k + 8 <= taille; k += 8) {
        quint64 mot;
        std::memcpy(&mot, octets + k, 8);
        h = melanger(h, mot);
    }
    for (; k < taille; ++k)
        h = (h ^ static_cast<unsigned char>(octets[k])) * 0x100000001b3u;
    return h;
}

// Memory about to be written whole, given its pages at once: one call where
// a fault per page costs more than the copy itself.
void peupler(void *debut, size_t taille)
{
#ifdef MADV_POPULATE_WRITE
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr premiere = quintptr(debut) & ~(page - 1);
    madvise(reinterpret_cast<void *>(premiere), quintptr(debut) + taille - premiere,
            MADV_POPULATE_WRITE);
#else
    Q_UNUSED(debut);
    Q_UNUSED(taille);
#endif
}

// The blocks of an indexed list, each a count then its values, summed as
// they go.
class Blocs
{
public:
    explicit Blocs(QIODevice &f) : fichier(f) {}

    bool ecrire(const void *donnees, qsizetype taille)
    {
        h = sommer(h, donnees, taille);
        return fichier.write(static_cast<const char *>(donnees), taille) == taille;
    }
    template <typename T> bool ecrireBloc(const T *valeurs, size_t nombre)
    {
        const quint64 n = nombre;
        return ecrire(&n, sizeof n) && ecrire(valeurs, qsizetype(nombre * sizeof(T)));
    }
    bool lire(void *donnees, qsizetype taille)
    {
        if (fichier.read(static_cast<char *>(donnees), taille) != taille)
            return false;
        h = sommer(h, donnees, taille);
        return true;
    }
    // At most as many values as the rest of the file holds.
    template <typename T> bool lireBloc(std::vector<T> &valeurs)
    {
        quint64 n = 0;
        if (!lire(&n, sizeof n) || n > quint64(fichier.bytesAvailable()) / sizeof(T))
            return false;
        valeurs.reserve(size_t(n));
        peupler(valeurs.data(), n * sizeof(T));
        valeurs.resize(size_t(n));
        return lire(valeurs.data(), qsizetype(n * sizeof(T)));
    }
    bool lireBloc(QString &lettres)
    {
        quint64 n = 0;
        if (!lire(&n, sizeof n) || n > quint64(fichier.bytesAvailable()) / 2)
            return false;
        lettres.resize(qsizetype(n));
        peupler(lettres.data(), n * 2);
        return lire(lettres.data(), qsizetype(n * 2));
    }
    quint64 somme() const { return h; }

private:
    QIODevice &fichier;
    quint64 h = 0xcbf29ce484222325u;
};

} // namespace

bool Dictionnaire::ecrire(QIODevice &fichier) const
{
    Blocs b(fichier);
    if (!b.ecrire(enTete, sizeof enTete) || !b.ecrire(&ordreDesOctets, sizeof ordreDesOctets) ||
        !b.ecrireBloc(noeuds.data(), noeuds.size()) ||
        !b.ecrireBloc(orthographes.data(), orthographes.size()) ||
        !b.ecrireBloc(trigrammes.data(), trigrammes.size()) ||
        !b.ecrireBloc(formes.utf16(), size_t(formes.size())))
        return false;
    const quint64 h = b.somme();
    return fichier.write(reinterpret_cast<const char *>(&h), sizeof h) == sizeof h;
}

std::optional<Dictionnaire> Dictionnaire::lire(QIODevice &fichier)
{
    Blocs b(fichier);
    char tete[sizeof enTete];
    quint32 ordre = 0;
    Dictionnaire d;
    if (!b.lire(tete, sizeof tete) || std::memcmp(tete, enTete, sizeof enTete) != 0 ||
        !b.lire(&ordre, sizeof ordre) || ordre != ordreDesOctets || !b.lireBloc(d.noeuds) ||
        !b.lireBloc(d.orthographes) || !b.lireBloc(d.trigrammes) || !b.lireBloc(d.formes))
        return std::nullopt;
    const quint64 attendue = b.somme();
    quint64 h = 0;
    if (fichier.read(reinterpret_cast<char *>(&h), sizeof h) != sizeof h || h != attendue ||
        !fichier.atEnd())
        return std::nullopt;
    if (!d.coherent())
        return std::nullopt;
    return d;
}

// Every index within its table: a file that passes the sum but that another
// version wrote, or that was made up, reads nothing out of bounds.
bool Dictionnaire::coherent() const
{
    if (noeuds.empty() || trigrammes.size() != 27 * 27 * 27)
        return false;
    for (const Orthographe &o : orthographes)
        if (o.forme < 0 || qsizetype(o.forme) + o.longueur > formes.size())
            return false;
    for (const Noeud &n : noeuds) {
        if ((n.lettres >> 26) != 0 || n.premierEnfant < 0 ||
            size_t(n.premierEnfant) + size_t(bitsAUn(n.lettres)) > noeuds.size() || n.mot < -1 ||
            (n.mot > 0 && size_t(n.mot) > orthographes.size()) ||
            size_t(n.premiere) + n.formes > orthographes.size())
            return false;
    }
    return true;
}
