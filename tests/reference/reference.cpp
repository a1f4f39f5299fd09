#include "reference.h"

#include "regles.h"

namespace {

// The matching rule: the glyph of `lettre` found at `position` gives its
// letter, a capital at the start of the text or after a sentence end, and its
// characters are consumed.
bool essayer(QByteArray &copie, qsizetype position, QLatin1StringView glyphe, char lettre,
             QString &sortie)
{
    if (glyphe.isEmpty() || position + glyphe.size() > copie.size())
        return false;
    for (qsizetype k = 0; k < glyphe.size(); ++k) {
        if (copie.at(position + k) != glyphe.at(k).toLatin1())
            return false;
    }
    const bool capitale = position == 0 || finDePhrase(copie, position);
    sortie.append(QLatin1Char(capitale ? lettre : char(lettre - 'A' + 'a')));
    for (qsizetype k = 0; k < glyphe.size(); ++k)
        copie[position + k] = 0;
    return true;
}

} // namespace

QByteArray copieDeTravail(QStringView texte)
{
    QByteArray copie;
    copie.reserve(texte.size());
    for (const QChar c : texte)
        copie.append(char(cleAscii(c.unicode())));
    return copie;
}

bool finDePhrase(const QByteArray &copie, qsizetype position)
{
    for (qsizetype p = std::min(position, copie.size()) - 1; p >= 0; --p) {
        const unsigned char cle = static_cast<unsigned char>(copie.at(p));
        if (!estBlanc(cle))
            return estFinDePhrase(cle);
    }
    return false;
}

void reconnaitreGlyphe(QByteArray &copie, qsizetype position, QString &sortie, bool &nonReconnu)
{
    if (position < 0 || position >= copie.size())
        return;
    for (const char lettre : ordreReconnaissance()) {
        if (!estLettreDuStyle(lettre - 'A') &&
            essayer(copie, position, glypheCommun(lettre - 'A'), lettre, sortie)) {
            nonReconnu = false;
            return;
        }
    }
}

QString lireLeetPasAPas(Style style, QStringView texte, bool supprimerEspaces)
{
    const qsizetype n = texte.size();
    QByteArray copie = copieDeTravail(texte);
    QString sortie;
    const auto styleLit = [&](qsizetype p, char lettre) {
        return essayer(copie, p, glyphe(style, lettre - 'A'), lettre, sortie);
    };
    for (qsizetype p = 0; p < n; ++p) {
        const unsigned char cle = static_cast<unsigned char>(copie.at(p));
        bool nonReconnu = !styleLit(p, 'Q') && !styleLit(p, 'B');
        if (nonReconnu)
            reconnaitreGlyphe(copie, p, sortie, nonReconnu);
        if (!nonReconnu || styleLit(p, 'L') || styleLit(p, 'I'))
            continue;
        const char16_t suivante =
            p + 1 < n ? char16_t(static_cast<unsigned char>(copie.at(p + 1))) : 0;
        if (supprimerEspaces && blancRetire(cle, suivante)) {
            copie[p] = 0;
        } else if (p + 1 < n && texte.at(p).isHighSurrogate() && texte.at(p + 1).isLowSurrogate()) {
            // A surrogate pair is copied whole; the rules drop a lone half.
            sortie.append(texte.at(p));
            sortie.append(texte.at(++p));
        } else {
            recopierCaractere(texte.at(p), cle, sortie);
        }
    }
    return sortie;
}
