#pragma once

// The memory of runs, for the reader (lecturemots.h): what each run of leet
// gave, so that a run read before is not read again.

#include "contextemots.h"

#include <QLatin1StringView>
#include <QStringView>

#include <algorithm>
#include <array>
#include <vector>

// Words come back again and again in a text: what a run gave is kept, under
// the run's characters and the two things its reading depends on beyond them
// (a capital due at its start, an apostrophe after it), so that a run seen
// before costs one lookup. Two slots per hash, the older run goes. The table
// starts small, for short texts, and grows a few times as runs are kept:
// never an allocation per word.
class MemoireMots
{
public:
    // What a run told the choice of spellings in context, given again with
    // its output: nothing, one word (where it starts in the output, its key
    // in the list, whether it opens with a capital, whether its C may be an
    // opening bracket and whether the run ends with a closing one), or a
    // break.
    struct Contexte
    {
        enum Sorte : quint8 { Rien, Mot, Rupture, Option };
        Sorte sorte = Rien;
        bool capitale = false;
        bool parenthese = false;
        bool fermee = false;
        quint8 decalage = 0;
        quint8 longueur = 0;
        qint32 noeud = -1;
        qint32 profondeur = 0;
        ChoixEnContexte::Seul seul;
    };

    // A run's characters and what it gave are kept as bytes: codes below
    // 256 only, as nearly all of leet and French are.
    static constexpr int cleMaximale = 48;
    static constexpr int sortieMaximale = 44;

    static quint32 empreinte(const char16_t *codes, int taille, bool capitale, bool apostrophe)
    {
        quint32 h = 2166136261u ^ (capitale ? 1u : 0u) ^ (apostrophe ? 2u : 0u);
        for (int k = 0; k < taille; ++k)
            h = (h ^ codes[k]) * 16777619u;
        return h;
    }

    // What the run gave, or null.
    QLatin1StringView trouver(quint32 h, const char16_t *codes, int taille, bool capitale,
                              bool apostrophe, bool *capitaleApres, Contexte *contexte) const
    {
        if (cases.empty())
            return {};
        const size_t i = h & (cases.size() - 1);
        const Case *trouvee = nullptr;
        for (const size_t j : {i, i ^ 1}) {
            const Case &c = cases[j];
            if (c.longueurCle == taille && c.empreinte == h && c.capitaleAvant == capitale &&
                c.apostrophe == apostrophe &&
                std::equal(codes, codes + taille, c.cle.begin(),
                           [](char16_t a, quint8 b) { return a == char16_t(b); })) {
                trouvee = &c;
                break;
            }
        }
        if (!trouvee)
            return {};
        const Case &c = *trouvee;
        *capitaleApres = c.capitaleApres;
        *contexte = c.contexte;
        return QLatin1StringView(reinterpret_cast<const char *>(c.sortie.data()), c.longueurSortie);
    }

    void garder(quint32 h, const char16_t *codes, int taille, bool capitale, bool apostrophe,
                QStringView lu, bool capitaleApres, const Contexte &contexte)
    {
        if (taille > cleMaximale || lu.size() > sortieMaximale || lu.isEmpty() ||
            std::any_of(codes, codes + taille, [](char16_t c) { return c >= 256; }) ||
            std::any_of(lu.begin(), lu.end(), [](QChar c) { return c.unicode() >= 256; }))
            return;
        // As many runs kept as there are slots: the table doubles, and the
        // runs kept move to their slots in it.
        if (cases.size() < casesMaximum && ++gardes > cases.size())
            agrandir();
        Case &c = place(h);
        c.empreinte = h;
        c.longueurCle = quint8(taille);
        c.longueurSortie = quint8(lu.size());
        c.capitaleAvant = capitale;
        c.apostrophe = apostrophe;
        c.capitaleApres = capitaleApres;
        c.contexte = contexte;
        std::copy(codes, codes + taille, c.cle.begin());
        std::transform(lu.begin(), lu.end(), c.sortie.begin(),
                       [](QChar x) { return quint8(x.unicode()); });
    }

private:
    void agrandir()
    {
        std::vector<Case> anciennes(std::max<size_t>(cases.size() * 2, 256));
        anciennes.swap(cases);
        for (const Case &c : anciennes)
            if (c.longueurCle != 0)
                place(c.empreinte) = c;
        gardes = 0;
    }

    // 4 MB: the frequent runs, which make most of a text, fit, and a run
    // read afresh weighs several readings; each of two readers has its own.
    static constexpr size_t casesMaximum = 1 << 15;
    // Two cache lines.
    struct alignas(64) Case
    {
        quint32 empreinte = 0;
        quint8 longueurCle = 0; // 0: empty, as no run is
        quint8 longueurSortie = 0;
        bool capitaleAvant = false;
        bool apostrophe = false;
        bool capitaleApres = false;
        bool recente = false; // of the two slots of a hash, the one kept last
        Contexte contexte;
        std::array<quint8, cleMaximale> cle{};
        std::array<quint8, sortieMaximale> sortie{};
    };
    static_assert(sizeof(Case) == 128);

    // Two slots a hash, side by side in memory: an empty one, else the one
    // kept longest ago.
    Case &place(quint32 h)
    {
        const size_t i = h & (cases.size() - 1);
        Case &a = cases[i];
        Case &b = cases[i ^ 1];
        Case &choisie = a.longueurCle == 0 ? a : b.longueurCle == 0 ? b : (a.recente ? b : a);
        a.recente = false;
        b.recente = false;
        choisie.recente = true;
        return choisie;
    }
    std::vector<Case> cases;
    size_t gardes = 0;
};
