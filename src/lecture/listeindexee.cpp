#include "listeindexee.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// How this program makes an index, and chooses the other words: changed
// whenever either changes, so that an index made otherwise is made again.
constexpr QByteArrayView facon = "index 2, mots de deux lettres vus 7 fois\n";

// What the index stands for: the list's path, size and date, where the
// other words come from, and how it is made.
QByteArray source(const QFileInfo &liste, QByteArrayView origine)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(facon);
    h.addData(liste.canonicalFilePath().toUtf8());
    h.addData(QByteArray::number(liste.size()) + ' ' +
              QByteArray::number(liste.lastModified().toMSecsSinceEpoch()) + ' ');
    h.addData(origine);
    return h.result();
}

} // namespace

std::optional<Dictionnaire> chargerListeIndexee(const QString &chemin, const QString &dossier,
                                                QString *erreur, QByteArrayView origine,
                                                const std::function<AutresMots()> &autres)
{
    const QFileInfo liste(chemin);
    const QByteArray empreinte = source(liste, origine);
    // One index per list file.
    const QString nom =
        u"liste-"_s +
        QString::fromLatin1(
            QCryptographicHash::hash(liste.canonicalFilePath().toUtf8(), QCryptographicHash::Sha256)
                .toHex()
                .left(16)) +
        u".index"_s;
    const QString cheminIndex = QDir(dossier).filePath(nom);
    QFile index(cheminIndex);
    if (liste.isFile() && index.open(QIODevice::ReadOnly) &&
        index.read(empreinte.size()) == empreinte) {
        if (std::optional<Dictionnaire> d = Dictionnaire::lire(index))
            return d;
    }
    index.close();

    const AutresMots mots = autres();
    if (!mots)
        return std::nullopt;
    std::optional<Dictionnaire> d = Dictionnaire::charger(chemin, erreur, *mots);
    if (!d || !QDir().mkpath(dossier))
        return d;
    QSaveFile ecrit(cheminIndex);
    if (ecrit.open(QIODevice::WriteOnly) && ecrit.write(empreinte) == empreinte.size() &&
        d->ecrire(ecrit))
        ecrit.commit();
    return d;
}
