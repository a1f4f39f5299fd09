// scribolix-cli: the translation engine for scripts and batches.

#include "canaux.h"
#include "flux.h"
#include "options.h"
#include "relecture.h"
#include "traitement.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <new>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum CodeSortie { Reussite = 0, TexteRefuse = 1, MauvaisUsage = 2 };

int echouer(CodeSortie code, const QString &message)
{
    const QByteArray octets = (u"scribolix-cli : "_s + message + u'\n').toUtf8();
    std::fwrite(octets.constData(), 1, size_t(octets.size()), stderr);
    return code;
}

// Help and version are written as a result is: a failed write is told.
int afficher(const QString &texte)
{
    Sortie sortie;
    if (!sortie.ecrire(texte.toUtf8()) || !sortie.fermer())
        return echouer(TexteRefuse, sortie.message());
    return Reussite;
}

// What the reading with a word list needs, loaded before any text is read.
bool charger(const Options &options, std::optional<RessourcesLecture> &ressources, QString &erreur)
{
    if (!options.retablir)
        return true;
    const QString cheminModele =
        options.modele.isEmpty() ? cheminModeleParDefaut() : options.modele;
    ressources =
        chargerRessourcesLecture(options.dictionnaire, cheminModele, dossierDesCaches(), erreur);
    return ressources.has_value();
}

// The road the text takes: the standard reading or the one with a word list.
TraductionFlux choisirTraduction(const Options &options,
                                 const std::optional<RessourcesLecture> &ressources)
{
    if (!ressources)
        return TraductionFlux(options.demande, options.cases);
    // Anyone's leet reads as the usual leet does.
    const Ecriture ecriture = options.styleCommun ? Ecriture::Courante : options.demande.ecriture;
    return TraductionFlux(
        creerLectureEnMots(*ressources, ecriture, options.demande.supprimerEspaces));
}

QString avertissementUtf8(const TraductionFlux &flux)
{
    const qint64 nombre = flux.octetsInvalides();
    const QString premier = QString::number(flux.premierInvalide());
    if (nombre == 1)
        return u"1 octet non UTF-8 ignoré (premier à l'octet %1)"_s.arg(premier);
    return u"%1 octets non UTF-8 ignorés (premier à l'octet %2)"_s.arg(QString::number(nombre),
                                                                       premier);
}

// Feeds standard input through the translation in bounded pieces.
int lireEntree(Traitement &traitement)
{
    Entree entree;
    for (;;) {
        const std::optional<QByteArrayView> morceau = entree.lire();
        if (!morceau) {
            return echouer(TexteRefuse, u"lecture impossible sur l'entrée standard : %1."_s.arg(
                                            causeSysteme(errno)));
        }
        if (morceau->isEmpty())
            return Reussite;
        if (!traitement.alimenter(*morceau))
            return echouer(TexteRefuse, traitement.message());
    }
}

// The text, from the arguments or from standard input, goes through the
// translation in bounded pieces: neither it nor its result is ever held
// whole, whatever its length. Text given as arguments must say something;
// standard input, as in any filter, may be empty or blank.
int traduire(const Options &options, TraductionFlux traduction)
{
    const bool depuisArguments = !options.texte.isEmpty();
    Sortie sortie;
    bool toutBlanc = false;
    try {
        Traitement traitement(std::move(traduction), sortie);
        if (depuisArguments) {
            if (!traitement.alimenter(options.texte.join(u' ').toUtf8()))
                return echouer(TexteRefuse, traitement.message());
            if (traitement.texteVide())
                return echouer(TexteRefuse, u"Erreur, vous n'avez pas entré de texte."_s);
        } else if (const int code = lireEntree(traitement); code != Reussite) {
            return code;
        }
        if (!traitement.terminer())
            return echouer(TexteRefuse, traitement.message());
        toutBlanc = traitement.texteVide();
        if (traitement.flux().octetsInvalides() > 0)
            echouer(Reussite, avertissementUtf8(traitement.flux()));
    } catch (const std::bad_alloc &) {
        // Long personal glyphs over a long text: one piece's result does not fit.
        return echouer(TexteRefuse, u"le texte traduit serait trop long pour tenir en mémoire."_s);
    }
    if (sortie.rienEcrit() && !toutBlanc)
        return echouer(TexteRefuse, u"Vous n'avez entré aucun texte, ou vous avez utilisé "
                                    u"des symboles inconnus."_s);
    if ((depuisArguments && !sortie.ecrire("\n")) || !sortie.fermer())
        return echouer(TexteRefuse, sortie.message());
    return Reussite;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"scribolix-cli"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(SCRIBOLIX_VERSION));

    QString erreur;
    const std::optional<Options> options = lireOptions(QCoreApplication::arguments(), erreur);
    if (!options)
        return echouer(MauvaisUsage, erreur);
    if (options->action == Options::Action::Aide)
        return afficher(aide());
    if (options->action == Options::Action::Version) {
        return afficher(u"scribolix-cli "_s + QCoreApplication::applicationVersion() + u'\n' +
                        mentionsLegales());
    }

    std::optional<RessourcesLecture> ressources;
    if (!charger(*options, ressources, erreur))
        return echouer(MauvaisUsage, erreur);
    return traduire(*options, choisirTraduction(*options, ressources));
}
