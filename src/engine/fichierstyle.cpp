#include "fichierstyle.h"

#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The byte-order mark some text editors put at the head of a UTF-8 file.
constexpr char marqueUtf8[] = "\xef\xbb\xbf";

// What a file is read by.
constexpr qint64 tailleMorceau = 64 * 1024;

// Messages hold %1 where the file's path goes, filled in last: a path may
// itself hold "%2".

QString messageTropGros(qint64 tailleMax)
{
    return u"Le fichier « %1 » est trop gros pour être un style d'écriture (plus de %2 Mio)."_s.arg(
        u"%1"_s, QString::number(tailleMax / (1024 * 1024)));
}

QString causeSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

QString nomDuCaractere(char32_t caractere)
{
    return u"U+"_s + QString::number(caractere, 16).toUpper().rightJustified(4, u'0');
}

// A style file is text. Of Unicode's control characters (C0, DEL and C1) it
// holds tabs and CRs, which may be part of a glyph, and line feeds between
// glyphs; any other one, a NUL above all, tells a binary file.
bool controleInterdit(char32_t caractere)
{
    const bool controle = caractere < 0x20 || (caractere >= 0x7F && caractere < 0xA0);
    return controle && caractere != u'\t' && caractere != u'\r';
}

// Why a file's content is no style file, or nothing when it is one.
QString refusDuContenu(QByteArrayView contenu)
{
    if (contenu.isEmpty() || contenu == marqueUtf8)
        return u"Le fichier « %1 » est vide : ce n'est pas un fichier de style."_s;
    if (!contenu.isValidUtf8())
        return u"Le fichier « %1 » n'est pas un fichier de style : ce n'est pas du texte UTF-8."_s;
    for (qsizetype i = 0; i < contenu.size(); ++i) {
        // In valid UTF-8 a control character is one ASCII byte, or C2 then
        // the character's own byte for C1.
        const auto octet = uchar(contenu[i]);
        char32_t caractere = octet;
        if (octet == 0xC2)
            caractere = uchar(contenu[i + 1]);
        else if (octet >= 0x80)
            continue;
        if (caractere == u'\n' || !controleInterdit(caractere))
            continue;
        const qsizetype ligne = std::count(contenu.begin(), contenu.begin() + i, '\n') + 1;
        return u"Le fichier « %1 » n'est pas un fichier de style : il contient un caractère de "
               u"contrôle (%2) à la ligne %3."_s.arg(u"%1"_s, nomDuCaractere(caractere),
                                                     QString::number(ligne));
    }
    return {};
}

// The whole content of a file, read up to one byte past `tailleMax`, or why
// it cannot be read. The system's calls themselves, so that the cause they
// report is the one shown.
std::optional<QByteArray> lireOctets(const QString &chemin, qint64 tailleMax, QString &erreur)
{
    const int fichier = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC);
    if (fichier < 0) {
        const QString cause = causeSysteme(errno);
        erreur = u"Impossible d'ouvrir le fichier « %1 » : %2."_s.arg(u"%1"_s, cause);
        return std::nullopt;
    }
    const auto fermeture = qScopeGuard([fichier] { ::close(fichier); });

    struct stat etat = {};
    const bool connu = ::fstat(fichier, &etat) == 0;
    if (connu && S_ISDIR(etat.st_mode)) {
        erreur = u"« %1 » est un dossier, pas un fichier de style."_s;
        return std::nullopt;
    }
    // A file that says it is too big is refused without reading it.
    const bool regulier = connu && S_ISREG(etat.st_mode);
    if (regulier && etat.st_size > tailleMax) {
        erreur = messageTropGros(tailleMax);
        return std::nullopt;
    }

    // Reading one byte past the limit also catches files that grow while
    // they are read and those that report no size, such as pipes and
    // devices. Room is made at once for what a file says it holds, so that a
    // small file never costs a buffer of the limit's size.
    QByteArray contenu;
    if (regulier)
        contenu.reserve(qsizetype(etat.st_size) + 1);
    QByteArray morceau(tailleMorceau, Qt::Uninitialized);
    while (contenu.size() <= tailleMax) {
        const qint64 voulus = qMin(tailleMorceau, tailleMax + 1 - contenu.size());
        const ssize_t lus = ::read(fichier, morceau.data(), size_t(voulus));
        if (lus < 0 && errno == EINTR)
            continue;
        if (lus < 0) {
            const QString cause = causeSysteme(errno);
            erreur = u"Impossible de lire le fichier « %1 » : %2."_s.arg(u"%1"_s, cause);
            return std::nullopt;
        }
        if (lus == 0)
            break;
        contenu.append(morceau.constData(), lus);
    }
    if (contenu.size() > tailleMax) {
        erreur = messageTropGros(tailleMax);
        return std::nullopt;
    }
    return contenu;
}

} // namespace

QStringList lireStyle(const QByteArray &contenu)
{
    // A mark that opens the file is the text editor's, not part of glyph A.
    // Anywhere else a U+FEFF is a character of its glyph (QString::fromUtf8
    // would drop it at the head of every line).
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
    QStringList glyphes;
    qsizetype debut = contenu.startsWith(marqueUtf8) ? qsizetype(sizeof(marqueUtf8) - 1) : 0;
    while (glyphes.size() < nombreLettres) {
        const qsizetype finDeLigne = contenu.indexOf('\n', debut);
        const bool derniereLigne = finDeLigne < 0;
        qsizetype fin = derniereLigne ? contenu.size() : finDeLigne;
        if (!derniereLigne && fin > debut && contenu.at(fin - 1) == '\r')
            --fin;
        glyphes.append(decodeur.decode(QByteArrayView(contenu.constData() + debut, fin - debut)));
        if (derniereLigne)
            break;
        debut = finDeLigne + 1;
    }
    return glyphes;
}

QByteArray ecrireStyle(const Glyphes &cases)
{
    qsizetype nombre = nombreLettres;
    while (nombre > 0 && cases[nombre - 1].isEmpty())
        --nombre;

    // No mark, unless glyph A itself begins with U+FEFF: the reader drops one
    // mark at the head of the file, and the glyph must come back whole.
    QByteArray contenu;
    if (nombre > 0 && cases[0].startsWith(QChar(0xFEFF)))
        contenu.append(marqueUtf8);
    for (qsizetype i = 0; i < nombre; ++i) {
        if (i > 0)
            contenu.append("\r\n");
        contenu.append(cases[i].toUtf8());
    }
    return contenu;
}

std::optional<QStringList> chargerFichierStyle(const QString &chemin, QString *erreur,
                                               qint64 tailleMax)
{
    QString refus;
    const std::optional<QByteArray> contenu = lireOctets(chemin, tailleMax, refus);
    if (contenu)
        refus = refusDuContenu(*contenu);
    if (!refus.isEmpty()) {
        if (erreur)
            *erreur = refus.arg(chemin);
        return std::nullopt;
    }
    return lireStyle(*contenu);
}

QString refusDesCases(const Glyphes &cases, const QString &chemin)
{
    if (std::all_of(cases.begin(), cases.end(), [](const QString &c) { return c.isEmpty(); }))
        return u"Impossible d'enregistrer le fichier « %1 » : toutes les cases sont vides."_s.arg(
            chemin);
    for (int lettre = 0; lettre < nombreLettres; ++lettre) {
        const auto interdit = std::find_if(cases[lettre].begin(), cases[lettre].end(),
                                           [](QChar c) { return controleInterdit(c.unicode()); });
        if (interdit != cases[lettre].end()) {
            return u"Impossible d'enregistrer le fichier « %1 » : la case %2 contient un "
                   u"caractère de contrôle (%3)."_s.arg(chemin, QString(QChar(u'A' + lettre)),
                                                        nomDuCaractere(interdit->unicode()));
        }
    }
    if (ecrireStyle(cases).size() > tailleMaxFichierStyle)
        return messageTropGros(tailleMaxFichierStyle).arg(chemin);
    return {};
}

bool enregistrerFichierStyle(const QString &chemin, const Glyphes &cases, QString *erreur)
{
    const QString refus = refusDesCases(cases, chemin);
    if (!refus.isEmpty()) {
        if (erreur)
            *erreur = refus;
        return false;
    }
    // Unbuffered, so that a short write (a full disk, a file size limit) shows
    // in what write() returns instead of being lost in a later flush; the
    // file is only replaced once everything is written.
    const QByteArray contenu = ecrireStyle(cases);
    QSaveFile fichier(chemin);
    bool reussi = fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                  fichier.write(contenu) == contenu.size();
    if (reussi)
        reussi = fichier.commit();
    else
        fichier.cancelWriting();
    if (!reussi && erreur)
        *erreur = u"Impossible d'enregistrer le fichier « %1 »."_s.arg(chemin);
    return reussi;
}
