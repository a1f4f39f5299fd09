#include "fichierstyle.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

// The byte-order mark some text editors put at the head of a UTF-8 file.
constexpr char marqueUtf8[] = "\xef\xbb\xbf";

// What a file that reports no size, or grows while read, is read by.
constexpr qint64 tailleMorceau = 1024 * 1024;

QString messageTropGros(qint64 tailleMax)
{
    return u"Le fichier « %1 » est trop gros pour être un style d'écriture (plus de %2 Mio)."_s.arg(
        u"%1"_s, QString::number(tailleMax / (1024 * 1024)));
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
    const auto echec = [&](const QString &message) -> std::optional<QStringList> {
        if (erreur)
            *erreur = message.arg(chemin);
        return std::nullopt;
    };

    const QFileInfo informations(chemin);
    if (informations.isDir())
        return echec(u"« %1 » est un dossier, pas un fichier de style."_s);
    // A file that says it is too big is refused without reading it.
    if (informations.isFile() && informations.size() > tailleMax)
        return echec(messageTropGros(tailleMax));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return echec(u"Impossible d'ouvrir le fichier « %1 »."_s);

    // Read up to one byte past the limit: this also catches files that grow
    // while they are read and those that report no size, such as pipes and
    // devices. Read by pieces, the first as large as the file says it is, so
    // that a small file never costs a buffer of the limit's size.
    QByteArray contenu;
    qint64 morceau = informations.isFile() ? informations.size() + 1 : tailleMorceau;
    while (contenu.size() <= tailleMax) {
        const QByteArray lu = fichier.read(qMin(morceau, tailleMax + 1 - contenu.size()));
        if (lu.isEmpty())
            break;
        contenu += lu;
        morceau = tailleMorceau;
    }
    if (contenu.size() > tailleMax)
        return echec(messageTropGros(tailleMax));
    if (fichier.error() != QFileDevice::NoError)
        return echec(u"Impossible de lire le fichier « %1 »."_s);
    return lireStyle(contenu);
}

bool enregistrerFichierStyle(const QString &chemin, const Glyphes &cases, QString *erreur)
{
    // Unbuffered, so that a short write (a full disk, a file size limit) shows
    // in what write() returns instead of being lost in a later flush; the
    // file is only replaced once everything is written.
    const QByteArray contenu = ecrireStyle(cases);
    if (contenu.size() > tailleMaxFichierStyle) {
        if (erreur)
            *erreur = messageTropGros(tailleMaxFichierStyle).arg(chemin);
        return false;
    }
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
