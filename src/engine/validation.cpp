#include "validation.h"

#include <algorithm>

using namespace Qt::StringLiterals;

bool casesDifferentes(const Glyphes &cases)
{
    for (qsizetype i = 0; i < nombreLettres; ++i) {
        if (std::find(cases.begin() + i + 1, cases.end(), cases[i]) != cases.end())
            return false;
    }
    return true;
}

Verdict verifierStyle(const Glyphes &cases)
{
    const auto vides =
        std::count_if(cases.begin(), cases.end(), [](const QString &c) { return c.isEmpty(); });
    if (vides == 1)
        return Verdict::UneCaseVide;
    if (vides > 1)
        return Verdict::PlusieursCasesVides;
    if (!casesDifferentes(cases))
        return Verdict::CasesIdentiques;
    return Verdict::Valide;
}

QString messageVerdict(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Valide:
        break;
    case Verdict::UneCaseVide:
        return u"Un case est vide, veuillez la remplir."_s;
    case Verdict::PlusieursCasesVides:
        return u"Plusieurs cases sont vides, veuillez les remplir."_s;
    case Verdict::CasesIdentiques:
        return u"Plusieurs cases sont identiques.<br />Il faut que toutes les cases soit "
               u"différentes, sinon, il risquerait d'y avoir des problèmes."_s;
    }
    return {};
}
