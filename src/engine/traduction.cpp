#include "traduction.h"

#include "rapide_vers_francais.h"
#include "rapide_vers_leet.h"
#include "regles.h"

#include <algorithm>
#include <optional>

namespace {

qsizetype longueurUtile(const QString &texte, qsizetype longueur)
{
    return std::clamp<qsizetype>(longueur, 0, texte.size());
}

// The leet of the first `longueur` characters of `texte`; the last character
// gets no blank.
QString convertirVersLeet(const rapide::TableLeet<char16_t> &table, const QString &texte,
                          qsizetype longueur, bool mettreEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n <= 0)
        return {};
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());
    const bool sansBlancFinal = mettreEspaces && !estBlanc(source[n - 1]);
    const qsizetype total =
        rapide::mesurerLeet(table, source, n, mettreEspaces) - (sansBlancFinal ? 1 : 0);
    // Measured first, so that the result is allocated once; the padded copies
    // need `largeur` units of room past its end.
    QString sortie(total + table.largeur, Qt::Uninitialized);
    rapide::ecrireLeet(table, source, n, mettreEspaces,
                       reinterpret_cast<char16_t *>(sortie.data()));
    sortie.resize(total);
    return sortie;
}

QString convertirVersFrancais(Style style, const QString &texte, qsizetype longueur,
                              bool supprimerEspaces)
{
    const qsizetype n = longueurUtile(texte, longueur);
    if (n == 0)
        return {};

    // The working copy: one byte per character, then zeros, so that the
    // glyph tests read four bytes at any position without a bound check.
    QByteArray copie(n + 4, Qt::Uninitialized);
    const char16_t *source = reinterpret_cast<const char16_t *>(texte.constData());
    char *octets = copie.data();
    for (qsizetype p = 0; p < n; ++p)
        octets[p] = rapide::cle(source[p]);
    std::fill_n(octets + n, 4, '\0');

    // Every position gives at most one character: the result is allocated
    // once at the text's length and cut to size at the end.
    QString sortie(n, Qt::Uninitialized);
    char16_t *debut = reinterpret_cast<char16_t *>(sortie.data());
    rapide::EtatLeet etat;
    char16_t *fin =
        rapide::lireLeet(rapide::lecteur(style, supprimerEspaces), octets, source, n, etat, debut);
    sortie.truncate(fin - debut);
    return sortie;
}

} // namespace

QString traduireFrancaisVelmora(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(rapide::tableUtf16(Style::Velmora, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisKorvane(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                bool mettreEspaces)
{
    return convertirVersLeet(rapide::tableUtf16(Style::Korvane, doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisCourante(const QString &texte, qsizetype longueur, bool doublerAntiSlashs,
                                 bool mettreEspaces)
{
    return convertirVersLeet(rapide::tableCouranteUtf16(doublerAntiSlashs), texte, longueur,
                             mettreEspaces);
}

QString traduireFrancaisPersonnalisee(const QString &texte, const Glyphes &cases,
                                      qsizetype longueur, bool doublerAntiSlashs,
                                      bool mettreEspaces)
{
    if (longueurUtile(texte, longueur) == 0)
        return {};
    // The same cells are translated with again and again: their table is
    // kept, one for each setting of the option, until other cells come.
    struct Memoire
    {
        Glyphes cases;
        std::optional<rapide::TableLeet<char16_t>> table;
    };
    thread_local std::array<Memoire, 2> memoires;
    Memoire &memoire = memoires[doublerAntiSlashs ? 1 : 0];
    if (!memoire.table || memoire.cases != cases) {
        memoire.table.reset();
        memoire.table = rapide::tableUtf16(cases, doublerAntiSlashs);
        memoire.cases = cases;
    }
    return convertirVersLeet(*memoire.table, texte, longueur, mettreEspaces);
}

QString traduireLeetVelmora(const QString &texte, qsizetype longueur, bool supprimerEspaces)
{
    return convertirVersFrancais(Style::Velmora, texte, longueur, supprimerEspaces);
}

QString traduireLeetKorvane(const QString &texte, qsizetype longueur, bool supprimerEspaces)
{
    return convertirVersFrancais(Style::Korvane, texte, longueur, supprimerEspaces);
}

bool texteVide(const QString &texte)
{
    return std::all_of(texte.cbegin(), texte.cend(),
                       [](QChar c) { return c == u' ' || c == u'\n' || c == u'\t' || c == u'\0'; });
}

bool lectureAvecMots(const Demande &demande)
{
    if (demande.versLeet)
        return false;
    switch (demande.ecriture) {
    case Ecriture::Courante:
        return true;
    case Ecriture::Velmora:
    case Ecriture::Korvane:
        return demande.retablirMots;
    case Ecriture::Personnalisee:
        break;
    }
    return false;
}

QString traduireSelon(const Demande &demande, const QString &texte, const Glyphes &cases)
{
    const qsizetype longueur = texte.size();
    if (demande.versLeet) {
        switch (demande.ecriture) {
        case Ecriture::Velmora:
            return traduireFrancaisVelmora(texte, longueur, demande.doublerAntiSlashs,
                                           demande.mettreEspaces);
        case Ecriture::Korvane:
            return traduireFrancaisKorvane(texte, longueur, demande.doublerAntiSlashs,
                                           demande.mettreEspaces);
        case Ecriture::Personnalisee:
            return traduireFrancaisPersonnalisee(texte, cases, longueur, demande.doublerAntiSlashs,
                                                 demande.mettreEspaces);
        case Ecriture::Courante:
            return traduireFrancaisCourante(texte, longueur, demande.doublerAntiSlashs,
                                            demande.mettreEspaces);
        }
        return {};
    }
    switch (demande.ecriture) {
    case Ecriture::Velmora:
        return traduireLeetVelmora(texte, longueur, demande.supprimerEspaces);
    case Ecriture::Korvane:
        return traduireLeetKorvane(texte, longueur, demande.supprimerEspaces);
    case Ecriture::Personnalisee:
    case Ecriture::Courante:
        break;
    }
    return {};
}
