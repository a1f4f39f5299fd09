#include "options.h"

#include "chargementlecture.h"
#include "fichierstyle.h"
#include "validation.h"

#include <QCommandLineParser>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString texteAide = uR"(Usage : scribolix-cli [options] [texte...]
Traduit un texte du français vers le leet, ou du leet vers le français.
Le texte est formé des arguments séparés par un blanc ou, sans argument,
de toute l'entrée standard (UTF-8).

Options :
  --style <velmora|korvane>  Style d'écriture intégré (velmora par défaut).
  --style courante           Le leet courant : 4 pour A, 8 pour B, 3 pour E,
                             6 pour G, 1 pour I, 0 pour O, 5 pour S, 7 pour
                             T, les autres lettres telles quelles ; relu
                             comme avec --style auto.
  --style auto               Relit le leet de n'importe qui : les signes
                             usuels de chaque lettre, lus en mots de la
                             liste (avec --leet-vers-francais seulement ;
                             vaut --retablir).
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
  --modele <fichier>         Modèle de contexte de --retablir, qui choisit
                             chaque mot d'après ses voisins (celui fourni
                             avec le Scribolix par défaut).
  -h, --help                 Affiche cette aide.
  -v, --version              Affiche la version.

Codes de sortie : 0 en cas de réussite (une entrée standard vide ou faite
de blancs est recopiée telle quelle), 1 si le texte des arguments est vide,
si rien n'y est traduisible, ou en cas d'erreur de lecture ou d'écriture,
2 pour une erreur d'usage, de fichier de style, de liste de mots ou de
modèle.
)"_s;

// After the version, in the GNU way: copyright, licence, warranty.
const QString texteMentions = uR"(Copyright (C) 2026 les développeurs du Scribolix
Licence GPLv3+ : GNU GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>
Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer.
Il n'y a AUCUNE GARANTIE, dans les limites permises par la loi.
)"_s;

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
        {u"modele"_s, QString(), u"fichier"_s},
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

    if ((analyseur.isSet(u"retablir"_s) || analyseur.isSet(u"dictionnaire"_s) ||
         analyseur.isSet(u"modele"_s)) &&
        !analyseur.isSet(u"leet-vers-francais"_s)) {
        erreur = u"--retablir, --dictionnaire et --modele vont avec --leet-vers-francais."_s;
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
    if (style == u"auto" && demande.versLeet) {
        erreur = u"--style auto relit le leet : il va avec --leet-vers-francais."_s;
        return std::nullopt;
    }
    // Any alphabet's leet reads with the word list, whatever the style says;
    // the usual leet reads back that way.
    if (style.isEmpty() || style == u"velmora" || style == u"auto")
        demande.ecriture = Ecriture::Velmora;
    else if (style == u"korvane")
        demande.ecriture = Ecriture::Korvane;
    else if (style == u"courante")
        demande.ecriture = demande.versLeet ? Ecriture::Courante : Ecriture::Velmora;
    else {
        erreur = u"style inconnu « %1 » (velmora, korvane, courante ou auto)."_s.arg(style);
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

} // namespace

std::optional<Options> lireOptions(const QStringList &arguments, QString &erreur)
{
    QCommandLineParser analyseur;
    declarerOptions(analyseur);
    if (!analyseur.parse(arguments)) {
        erreur = erreurOptions(analyseur) + u" Voir scribolix-cli --help."_s;
        return std::nullopt;
    }
    Options options;
    if (analyseur.isSet(u"help"_s) || analyseur.isSet(u"version"_s)) {
        options.action =
            analyseur.isSet(u"help"_s) ? Options::Action::Aide : Options::Action::Version;
        return options;
    }
    const std::optional<Demande> demande = lireDemande(analyseur, erreur);
    if (!demande)
        return std::nullopt;
    options.demande = *demande;
    if (demande->ecriture == Ecriture::Personnalisee) {
        const std::optional<Glyphes> cases = lireStylePerso(analyseur.value(u"perso"_s), erreur);
        if (!cases)
            return std::nullopt;
        options.cases = *cases;
    }
    const QString style = analyseur.value(u"style"_s).toLower();
    options.styleCommun = style == u"auto" || (style == u"courante" && !options.demande.versLeet);
    options.retablir = analyseur.isSet(u"retablir"_s) || options.styleCommun;
    options.dictionnaire = analyseur.isSet(u"dictionnaire"_s) ? analyseur.value(u"dictionnaire"_s)
                                                              : cheminListeParDefaut();
    options.modele = analyseur.value(u"modele"_s);
    options.texte = analyseur.positionalArguments();
    return options;
}

QString aide()
{
    return texteAide;
}

QString mentionsLegales()
{
    return texteMentions;
}
