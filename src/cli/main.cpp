// scribolix-cli: the translation engine for scripts and batches.

#include "fichierstyle.h"
#include "traduction.h"
#include "validation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <new>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum CodeSortie { Reussite = 0, TexteRefuse = 1, MauvaisUsage = 2 };

const QString messageTropLong = u"le texte traduit serait trop long pour tenir en mémoire."_s;

const QString aide = uR"(Usage : scribolix-cli [options] [texte...]
Traduit un texte du français vers le leet, ou du leet vers le français.
Le texte est formé des arguments séparés par un blanc ou, sans argument,
de toute l'entrée standard (UTF-8).

Options :
  --style <velmora|korvane>  Style d'écriture intégré (velmora par défaut).
  --perso <fichier>          Style personnalisé lu dans un fichier de style
                             (une ligne par lettre, de A à Z) ; français
                             vers leet seulement.
  --leet-vers-francais       Relit du leet en français (sinon : français
                             vers leet).
  --espaces                  Met des espaces entre les lettres (français
                             vers leet).
  --supprimer-espaces        Supprime les espaces entre les lettres (leet
                             vers français).
  --doubler-antislashs       Double les anti-slashs (français vers leet).
  -h, --help                 Affiche cette aide.
  -v, --version              Affiche la version.

Codes de sortie : 0 en cas de réussite, 1 si le texte est vide ou ne
donne rien, 2 pour une erreur d'usage ou de fichier de style.
)"_s;

// After the version, in the GNU way: copyright, licence, warranty.
const QString mentionsLegales = uR"(Copyright (C) 2026 les développeurs du Scribolix
Licence GPLv3+ : GNU GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>
Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer.
Il n'y a AUCUNE GARANTIE, dans les limites permises par la loi.
)"_s;

void ecrire(FILE *flux, const QByteArray &octets)
{
    std::fwrite(octets.constData(), 1, size_t(octets.size()), flux);
}

int echouer(CodeSortie code, const QString &message)
{
    ecrire(stderr, (u"scribolix-cli : "_s + message + u'\n').toUtf8());
    return code;
}

// The editor's messages are rich text; a terminal gets them plain.
QString sansBalises(QString message)
{
    message.replace(u"<br />"_s, u" "_s);
    return message.remove(QRegularExpression(u"<[^>]*>"_s));
}

void declarerOptions(QCommandLineParser &analyseur)
{
    analyseur.addOptions({
        {u"style"_s, QString(), u"style"_s},
        {u"perso"_s, QString(), u"fichier"_s},
        {u"leet-vers-francais"_s, QString()},
        {u"espaces"_s, QString()},
        {u"supprimer-espaces"_s, QString()},
        {u"doubler-antislashs"_s, QString()},
        {{u"h"_s, u"help"_s}, QString()},
        {{u"v"_s, u"version"_s}, QString()},
    });
    analyseur.addPositionalArgument(u"texte"_s, QString(), u"[texte...]"_s);
}

// The request the options describe, or the reason they don't make one.
std::optional<Demande> lireDemande(const QCommandLineParser &analyseur, QString &erreur)
{
    Demande demande;
    demande.versLeet = !analyseur.isSet(u"leet-vers-francais"_s);
    demande.mettreEspaces = analyseur.isSet(u"espaces"_s);
    demande.supprimerEspaces = analyseur.isSet(u"supprimer-espaces"_s);
    demande.doublerAntiSlashs = analyseur.isSet(u"doubler-antislashs"_s);

    if (analyseur.isSet(u"perso"_s)) {
        if (analyseur.isSet(u"style"_s)) {
            erreur = u"--perso et --style ne peuvent pas aller ensemble."_s;
            return std::nullopt;
        }
        if (!demande.versLeet) {
            erreur = u"le style personnalisé ne se relit pas en français."_s;
            return std::nullopt;
        }
        demande.ecriture = Ecriture::Personnalisee;
        return demande;
    }

    const QString style = analyseur.value(u"style"_s).toLower();
    if (style.isEmpty() || style == u"velmora")
        demande.ecriture = Ecriture::Velmora;
    else if (style == u"korvane")
        demande.ecriture = Ecriture::Korvane;
    else {
        erreur = u"style inconnu « %1 » (velmora ou korvane)."_s.arg(style);
        return std::nullopt;
    }
    return demande;
}

// The personal style from a style file, checked as the style editor checks it.
std::optional<Glyphes> lireStylePerso(const QString &chemin, QString &erreur)
{
    const std::optional<QStringList> lignes = chargerFichierStyle(chemin, &erreur);
    if (!lignes)
        return std::nullopt;
    Glyphes cases;
    for (qsizetype i = 0; i < lignes->size(); ++i)
        cases[i] = lignes->at(i);
    const Verdict verdict = verifierStyle(cases);
    if (verdict != Verdict::Valide) {
        erreur = u"%1 : %2"_s.arg(chemin, sansBalises(messageVerdict(verdict)));
        return std::nullopt;
    }
    return cases;
}

QByteArray lireEntreeStandard()
{
    QFile entree;
    if (!entree.open(stdin, QIODevice::ReadOnly))
        return {};
    return entree.readAll();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"scribolix-cli"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(SCRIBOLIX_VERSION));

    QCommandLineParser analyseur;
    declarerOptions(analyseur);
    if (!analyseur.parse(QCoreApplication::arguments())) {
        const QStringList inconnues = analyseur.unknownOptionNames();
        const QString message = inconnues.isEmpty()
                                    ? u"une option attend une valeur."_s
                                    : u"option inconnue : %1."_s.arg(inconnues.join(u", "_s));
        return echouer(MauvaisUsage, message + u" Voir scribolix-cli --help."_s);
    }
    if (analyseur.isSet(u"help"_s)) {
        ecrire(stdout, aide.toUtf8());
        return Reussite;
    }
    if (analyseur.isSet(u"version"_s)) {
        ecrire(stdout, (u"scribolix-cli "_s + QCoreApplication::applicationVersion() + u'\n' +
                        mentionsLegales)
                           .toUtf8());
        return Reussite;
    }

    QString erreur;
    const std::optional<Demande> demande = lireDemande(analyseur, erreur);
    if (!demande)
        return echouer(MauvaisUsage, erreur);
    Glyphes cases;
    if (demande->ecriture == Ecriture::Personnalisee) {
        const std::optional<Glyphes> perso = lireStylePerso(analyseur.value(u"perso"_s), erreur);
        if (!perso)
            return echouer(MauvaisUsage, erreur);
        cases = *perso;
    }

    const QStringList arguments = analyseur.positionalArguments();
    const bool depuisArguments = !arguments.isEmpty();
    const QString texte =
        depuisArguments ? arguments.join(u' ') : QString::fromUtf8(lireEntreeStandard());
    if (texteVide(texte))
        return echouer(TexteRefuse, u"Erreur, vous n'avez pas entré de texte."_s);

    // Written as it comes, piece by piece: a leet text can be several times
    // longer than its French, and is never held whole, neither in UTF-16 nor
    // in UTF-8.
    bool rienEcrit = true;
    try {
        traduireParTranches(*demande, texte, cases, 64 * 1024, [&](const QString &morceau) {
            if (morceau.isEmpty())
                return;
            ecrire(stdout, morceau.toUtf8());
            rienEcrit = false;
        });
    } catch (const std::bad_alloc &) {
        // Long personal glyphs over a long text: the result does not fit.
        return echouer(TexteRefuse, messageTropLong);
    }
    if (rienEcrit)
        return echouer(TexteRefuse, u"Vous n'avez entré aucun texte, ou vous avez utilisé "
                                    u"des symboles inconnus."_s);
    if (depuisArguments)
        ecrire(stdout, "\n");
    return Reussite;
}
