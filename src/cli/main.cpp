// scribolix-cli: the translation engine for scripts and batches.

#include "dictionnaire.h"
#include "fichierstyle.h"
#include "flux.h"
#include "retablissement.h"
#include "traduction.h"
#include "validation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

enum CodeSortie { Reussite = 0, TexteRefuse = 1, MauvaisUsage = 2 };

const QString dictionnaireParDefaut = u"/usr/share/dict/french"_s;

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
  --retablir                 Relit le leet en vrais mots français, accents
                             compris, à l'aide d'une liste de mots (avec
                             --leet-vers-francais seulement).
  --dictionnaire <fichier>   Liste de mots de --retablir, un mot par ligne
                             en UTF-8 (/usr/share/dict/french par défaut).
  -h, --help                 Affiche cette aide.
  -v, --version              Affiche la version.

Codes de sortie : 0 en cas de réussite (une entrée standard vide ou faite
de blancs est recopiée telle quelle), 1 si le texte des arguments est vide,
si rien n'y est traduisible, ou en cas d'erreur de lecture ou d'écriture,
2 pour une erreur d'usage, de fichier de style ou de liste de mots.
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
        {u"retablir"_s, QString()},
        {u"dictionnaire"_s, QString(), u"fichier"_s},
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

    if ((analyseur.isSet(u"retablir"_s) || analyseur.isSet(u"dictionnaire"_s)) &&
        !analyseur.isSet(u"leet-vers-francais"_s)) {
        erreur = u"--retablir et --dictionnaire vont avec --leet-vers-francais."_s;
        return std::nullopt;
    }
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

// Why the options cannot be read, from the parser's own diagnosis: an
// unknown option, a value missing after an option that takes one, or a value
// given to an option that takes none.
QString erreurOptions(const QCommandLineParser &analyseur)
{
    QStringList inconnues = analyseur.unknownOptionNames();
    if (!inconnues.isEmpty()) {
        for (QString &nom : inconnues)
            nom.prepend(nom.size() == 1 ? u"-"_s : u"--"_s);
        return (inconnues.size() == 1 ? u"option inconnue : %1."_s : u"options inconnues : %1."_s)
            .arg(inconnues.join(u", "_s));
    }
    // The parser names the option between quotes, as it was written.
    const QString texte = analyseur.errorText();
    const QRegularExpressionMatch nom = QRegularExpression(u"'([^']*)'"_s).match(texte);
    if (nom.hasMatch() && texte.startsWith(u"Missing value"_s))
        return u"l'option %1 attend une valeur."_s.arg(nom.captured(1));
    if (nom.hasMatch() && texte.startsWith(u"Unexpected value"_s))
        return u"l'option %1 ne prend pas de valeur."_s.arg(nom.captured(1));
    return u"options illisibles (%1)."_s.arg(texte);
}

QString causeSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

// Standard output, written straight through: every failure is kept, with its
// cause, so that nothing is lost silently.
class Sortie
{
public:
    bool ecrire(QByteArrayView octets)
    {
        const char *debut = octets.data();
        qsizetype reste = octets.size();
        while (erreur == 0 && reste > 0) {
            const ssize_t ecrits = ::write(STDOUT_FILENO, debut, size_t(reste));
            if (ecrits < 0 && errno == EINTR)
                continue;
            if (ecrits <= 0) {
                erreur = ecrits < 0 ? errno : EIO;
                break;
            }
            debut += ecrits;
            reste -= ecrits;
            vide = false;
        }
        return erreur == 0;
    }

    // Closing can be the first to tell that written data did not reach the file.
    bool fermer()
    {
        if (erreur == 0 && ::close(STDOUT_FILENO) != 0)
            erreur = errno;
        return erreur == 0;
    }

    bool rienEcrit() const { return vide; }
    QString message() const
    {
        return u"écriture impossible sur la sortie standard : %1."_s.arg(causeSysteme(erreur));
    }

private:
    int erreur = 0;
    bool vide = true;
};

// Reads standard input in bounded pieces; false on a read error, with errno set.
class Entree
{
public:
    // The next piece, empty at the end.
    std::optional<QByteArrayView> lire()
    {
        for (;;) {
            const ssize_t lus = ::read(STDIN_FILENO, tampon.data(), size_t(tampon.size()));
            if (lus >= 0)
                return QByteArrayView(tampon.constData(), lus);
            if (errno != EINTR)
                return std::nullopt;
        }
    }

private:
    QByteArray tampon = QByteArray(64 * 1024, Qt::Uninitialized);
};

// Feeds the translation and writes what it gives, piece by piece. Whether
// the text is made of nothing but blanks is known before anything is
// written, so the blanks that open the text wait until something else comes
// (in memory, and past a mebibyte in a temporary file, so that memory stays
// bounded) or the text ends.
class Traitement
{
public:
    Traitement(TraductionFlux traduction, Sortie &sortie)
        : traduction(std::move(traduction)), sortie(sortie)
    {}

    bool alimenter(QByteArrayView octets)
    {
        if (!commence) {
            const auto blanc = [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == 0; };
            if (std::all_of(octets.begin(), octets.end(), blanc))
                return garder(octets);
            commence = true;
            if (!rendreBlancs())
                return false;
        }
        return traduire(octets);
    }

    // A text of blanks alone goes through the translation at its end, as
    // blanks always do.
    bool terminer()
    {
        if (!commence && !rendreBlancs())
            return false;
        resultat.resize(0);
        traduction.terminer(resultat);
        return ecrire();
    }

    bool texteVide() const { return !commence; }
    const TraductionFlux &flux() const { return traduction; }
    const QString &message() const { return erreur; }

private:
    bool garder(QByteArrayView octets)
    {
        if (!debordement && blancsDuDebut.size() + octets.size() <= 1024 * 1024) {
            blancsDuDebut += octets;
            return true;
        }
        if (!debordement) {
            debordement = std::make_unique<QTemporaryFile>();
            if (!debordement->open() || debordement->write(blancsDuDebut) != blancsDuDebut.size())
                return echecTemporaire();
            blancsDuDebut = QByteArray();
        }
        return debordement->write(octets.data(), octets.size()) == octets.size() ||
               echecTemporaire();
    }

    // The blanks kept so far go through the translation first.
    bool rendreBlancs()
    {
        if (!debordement) {
            const QByteArray blancs = std::exchange(blancsDuDebut, {});
            return traduire(blancs);
        }
        if (!debordement->seek(0))
            return echecTemporaire();
        QByteArray morceau;
        while (!(morceau = debordement->read(64 * 1024)).isEmpty()) {
            if (!traduire(morceau))
                return false;
        }
        if (!debordement->atEnd())
            return echecTemporaire();
        debordement.reset();
        return true;
    }

    bool echecTemporaire()
    {
        erreur = u"fichier temporaire inutilisable : %1."_s.arg(debordement->errorString());
        return false;
    }

    bool traduire(QByteArrayView octets)
    {
        resultat.resize(0);
        traduction.alimenter(octets, resultat);
        return ecrire();
    }

    bool ecrire()
    {
        if (sortie.ecrire(resultat))
            return true;
        erreur = sortie.message();
        return false;
    }

    TraductionFlux traduction;
    Sortie &sortie;
    QByteArray resultat;
    QByteArray blancsDuDebut;
    std::unique_ptr<QTemporaryFile> debordement;
    QString erreur;
    bool commence = false;
};

QString avertissementUtf8(const TraductionFlux &flux)
{
    const qint64 nombre = flux.octetsInvalides();
    const QString premier = QString::number(flux.premierInvalide());
    if (nombre == 1)
        return u"1 octet non UTF-8 ignoré (premier à l'octet %1)"_s.arg(premier);
    return u"%1 octets non UTF-8 ignorés (premier à l'octet %2)"_s.arg(QString::number(nombre),
                                                                       premier);
}

// Help and version are written as a result is: a failed write is told.
int afficher(const QString &texte)
{
    Sortie sortie;
    if (!sortie.ecrire(texte.toUtf8()) || !sortie.fermer())
        return echouer(TexteRefuse, sortie.message());
    return Reussite;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"scribolix-cli"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(SCRIBOLIX_VERSION));

    QCommandLineParser analyseur;
    declarerOptions(analyseur);
    if (!analyseur.parse(QCoreApplication::arguments()))
        return echouer(MauvaisUsage, erreurOptions(analyseur) + u" Voir scribolix-cli --help."_s);
    if (analyseur.isSet(u"help"_s))
        return afficher(aide);
    if (analyseur.isSet(u"version"_s)) {
        return afficher(u"scribolix-cli "_s + QCoreApplication::applicationVersion() + u'\n' +
                        mentionsLegales);
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

    std::optional<Dictionnaire> dictionnaire;
    if (analyseur.isSet(u"retablir"_s)) {
        const QString chemin = analyseur.isSet(u"dictionnaire"_s)
                                   ? analyseur.value(u"dictionnaire"_s)
                                   : dictionnaireParDefaut;
        dictionnaire = Dictionnaire::charger(chemin, &erreur);
        if (!dictionnaire)
            return echouer(MauvaisUsage, erreur);
    }
    const auto traducteur = [&] {
        if (!dictionnaire)
            return TraductionFlux(*demande, cases);
        const Style style =
            demande->ecriture == Ecriture::Korvane ? Style::Korvane : Style::Velmora;
        return TraductionFlux(
            creerRetablissementFlux(*dictionnaire, style, demande->supprimerEspaces));
    };

    // The text, from the arguments or from standard input, goes through the
    // translation in bounded pieces: neither it nor its result is ever held
    // whole, whatever its length. Text given as arguments must say something;
    // standard input, as in any filter, may be empty or blank.
    const QStringList arguments = analyseur.positionalArguments();
    const bool depuisArguments = !arguments.isEmpty();
    Sortie sortie;
    bool toutBlanc = false;
    try {
        Traitement traitement(traducteur(), sortie);
        if (depuisArguments) {
            if (!traitement.alimenter(arguments.join(u' ').toUtf8()))
                return echouer(TexteRefuse, traitement.message());
            if (traitement.texteVide())
                return echouer(TexteRefuse, u"Erreur, vous n'avez pas entré de texte."_s);
        } else {
            Entree entree;
            for (;;) {
                const std::optional<QByteArrayView> morceau = entree.lire();
                if (!morceau)
                    return echouer(TexteRefuse,
                                   u"lecture impossible sur l'entrée standard : %1."_s.arg(
                                       causeSysteme(errno)));
                if (morceau->isEmpty())
                    break;
                if (!traitement.alimenter(*morceau))
                    return echouer(TexteRefuse, traitement.message());
            }
        }
        if (!traitement.terminer())
            return echouer(TexteRefuse, traitement.message());
        toutBlanc = traitement.texteVide();
        if (traitement.flux().octetsInvalides() > 0)
            echouer(Reussite, avertissementUtf8(traitement.flux()));
    } catch (const std::bad_alloc &) {
        // Long personal glyphs over a long text: one piece's result does not fit.
        return echouer(TexteRefuse, messageTropLong);
    }
    if (sortie.rienEcrit() && !toutBlanc)
        return echouer(TexteRefuse, u"Vous n'avez entré aucun texte, ou vous avez utilisé "
                                    u"des symboles inconnus."_s);
    if ((depuisArguments && !sortie.ecrire("\n")) || !sortie.fermer())
        return echouer(TexteRefuse, sortie.message());
    return Reussite;
}
