// The style-file reader and writer under arbitrary bytes. Every input is:
//
//   - read as the content of a style file;
//   - turned into 26 cells (decoded from UTF-8, line feeds removed, cut at
//     the byte 0x1F), written and read back;
//   - when its first byte is 0xF0 to 0xFE, also written to disk and loaded
//     through the file functions, which take it exactly when it is a style
//     file's text; when it is 0xFF, placed at the head of a file of one byte
//     under, at or one byte over a size limit of 1 MiB (second byte), which
//     must load exactly when it is text and not over the limit.

#include "exiger.h"
#include "fichierstyle.h"

#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QString lisibles(const QStringList &glyphes)
{
    QStringList lignes;
    for (const QString &glyphe : glyphes)
        lignes.append(lisible(glyphe));
    return u"["_s + lignes.join(u" | "_s) + u"]"_s;
}

void verifierLecture(const QByteArray &contenu)
{
    const QStringList glyphes = lireStyle(contenu);
    const auto contexte = [&] { return lisibles(glyphes); };

    // One line more than there are line feeds, never more than 26.
    EXIGER(glyphes.size() == std::min<qsizetype>(nombreLettres, contenu.count('\n') + 1),
           contexte());
    for (const QString &glyphe : glyphes)
        EXIGER(!glyphe.contains(u'\n'), contexte());

    // The first 26 lines, the CR of each CR LF dropped, are the glyphs joined
    // by line feeds. Decoding never makes a line longer than its bytes.
    qsizetype fin = -1;
    for (int ligne = 0; ligne < nombreLettres; ++ligne) {
        fin = contenu.indexOf('\n', fin + 1);
        if (fin < 0)
            break;
    }
    QByteArray lues = fin < 0 ? contenu : contenu.left(fin + 1);
    // A byte-order mark at the head of the file is not part of glyph A.
    if (lues.startsWith("\xef\xbb\xbf"))
        lues.remove(0, 3);
    lues.replace("\r\n", "\n");
    if (fin >= 0)
        lues.chop(1);
    EXIGER(glyphes.join(u'\n').size() <= lues.size(), contexte());
    if (QByteArrayView(lues).isValidUtf8()) {
        // Every other character is kept, a U+FEFF included.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        EXIGER(glyphes.join(u'\n') == QString(utf8.decode(lues)), contexte());
    }
}

// A control character that no style file holds: one of Unicode's but tab,
// CR and, between lines, LF.
bool controleInterdit(QChar c)
{
    return c.category() == QChar::Other_Control && c != u'\t' && c != u'\r';
}

// What the file functions take for a style file: valid UTF-8 with something
// in it past a byte-order mark, and no control character but tab, LF and CR.
bool estUnStyle(const QByteArray &contenu)
{
    if (contenu.isEmpty() || contenu == "\xef\xbb\xbf" || !QByteArrayView(contenu).isValidUtf8())
        return false;
    const QString texte = QString::fromUtf8(contenu);
    return std::none_of(texte.cbegin(), texte.cend(),
                        [](QChar c) { return c != u'\n' && controleInterdit(c); });
}

Glyphes casesDe(const QByteArray &octets)
{
    Glyphes cases;
    const QStringList morceaux = QString::fromUtf8(octets).remove(u'\n').split(u'\x1f');
    for (qsizetype i = 0; i < std::min<qsizetype>(nombreLettres, morceaux.size()); ++i)
        cases[i] = morceaux[i];
    return cases;
}

// What a written style must read back as: the cells up to the last filled
// one, the later empty cells left out (an empty file is one empty line).
void verifierRelues(const Glyphes &cases, const QStringList &relues, const QString &quoi)
{
    qsizetype remplies = nombreLettres;
    while (remplies > 0 && cases[remplies - 1].isEmpty())
        --remplies;
    const auto contexte = [&] { return quoi + u" "_s + lisibles(relues); };
    EXIGER(relues.size() == std::max<qsizetype>(1, remplies), contexte());
    for (qsizetype i = 0; i < relues.size(); ++i)
        EXIGER(relues[i] == cases[i], contexte());
}

void verifierEcriture(const Glyphes &cases)
{
    const QByteArray contenu = ecrireStyle(cases);
    EXIGER(!contenu.startsWith("\xef\xbb\xbf") || cases[0].startsWith(u'\xfeff'),
           u"marque d'ordre des octets"_s);
    EXIGER(!contenu.endsWith("\r\n"), u"saut de ligne final"_s);
    verifierRelues(cases, lireStyle(contenu), u"en mémoire"_s);
}

const QTemporaryDir &dossier()
{
    static const QTemporaryDir temporaire;
    return temporaire;
}

void verifierSurDisque(const QByteArray &contenu, const Glyphes &cases)
{
    const QString chemin = dossier().filePath(u"style.txt"_s);
    QFile fichier(chemin);
    EXIGER(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate), chemin);
    EXIGER(fichier.write(contenu) == contenu.size(), chemin);
    fichier.close();
    QString erreur;
    const std::optional<QStringList> lues = chargerFichierStyle(chemin, &erreur);
    if (estUnStyle(contenu)) {
        EXIGER(lues, erreur);
        EXIGER(*lues == lireStyle(contenu), lisibles(*lues));
    } else {
        EXIGER(!lues, lisibles(*lues));
        EXIGER(erreur.contains(chemin), erreur);
    }

    // Cells all empty, or one holding a control character, are refused:
    // every file written opens again.
    const QString autre = dossier().filePath(u"ecrit.txt"_s);
    const bool ecrivables =
        std::any_of(cases.cbegin(), cases.cend(), [](const QString &c) { return !c.isEmpty(); }) &&
        std::none_of(cases.cbegin(), cases.cend(), [](const QString &c) {
            return std::any_of(c.cbegin(), c.cend(), controleInterdit);
        });
    erreur.clear();
    EXIGER(enregistrerFichierStyle(autre, cases, &erreur) == ecrivables, erreur);
    EXIGER(ecrivables || erreur.contains(autre), erreur);
    if (!ecrivables)
        return;
    const std::optional<QStringList> relues = chargerFichierStyle(autre, &erreur);
    EXIGER(relues, erreur);
    verifierRelues(cases, *relues, u"sur disque"_s);
}

// The reader's limit, checked on files of this size rather than the
// program's: reading those at every run would slow the fuzzer down tenfold.
constexpr qint64 limiteEssai = 1024 * 1024;

// Three files around the size limit, kept from one input to the next: each
// input only rewrites their head, and `image` mirrors what each file holds.
void verifierLimite(const QByteArray &tete, int choix)
{
    struct Fichier
    {
        QString chemin;
        QByteArray image;
    };
    static std::array<Fichier, 3> fichiers = [] {
        std::array<Fichier, 3> crees;
        for (int i = 0; i < 3; ++i) {
            crees[i].chemin = dossier().filePath(u"limite%1.txt"_s.arg(i));
            crees[i].image = QByteArray(limiteEssai - 1 + i, 'x');
            QFile fichier(crees[i].chemin);
            EXIGER(fichier.open(QIODevice::WriteOnly), crees[i].chemin);
            EXIGER(fichier.write(crees[i].image) == crees[i].image.size(), crees[i].chemin);
        }
        return crees;
    }();

    Fichier &cible = fichiers[choix % 3];
    const QByteArray debut = tete.left(cible.image.size());
    QFile fichier(cible.chemin);
    EXIGER(fichier.open(QIODevice::ReadWrite), cible.chemin);
    EXIGER(fichier.write(debut) == debut.size(), cible.chemin);
    fichier.close();
    std::memcpy(cible.image.data(), debut.constData(), size_t(debut.size()));

    QString erreur;
    const std::optional<QStringList> lues = chargerFichierStyle(cible.chemin, &erreur, limiteEssai);
    if (cible.image.size() > limiteEssai || !estUnStyle(cible.image)) {
        EXIGER(!lues, cible.chemin);
        EXIGER(erreur.contains(cible.chemin), erreur);
    } else {
        EXIGER(lues, erreur);
        EXIGER(*lues == lireStyle(cible.image), lisibles(*lues));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QByteArray contenu(reinterpret_cast<const char *>(donnees), qsizetype(taille));
    verifierLecture(contenu);
    const Glyphes cases = casesDe(contenu);
    verifierEcriture(cases);

    const uint8_t mode = taille > 0 ? donnees[0] : 0;
    if (mode >= 0xF0 && mode < 0xFF)
        verifierSurDisque(contenu, cases);
    else if (mode == 0xFF && taille >= 2)
        verifierLimite(contenu, donnees[1]);
    return 0;
}
