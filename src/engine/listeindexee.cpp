#include "listeindexee.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// What the index stands for: the list's path, size and date, and the other
// words.
QByteArray source(const QFileInfo &liste, const std::vector<QString> &autres)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(liste.canonicalFilePath().toUtf8());
    h.addData(QByteArray::number(liste.size()) + ' ' +
              QByteArray::number(liste.lastModified().toMSecsSinceEpoch()));
    for (const QString &mot : autres) {
        h.addData(QByteArrayView(reinterpret_cast<const char *>(mot.utf16()), mot.size() * 2));
        h.addData("\n");
    }
    return h.result();
}

} // namespace

std::optional<Dictionnaire> chargerListeIndexee(const QString &chemin, const QString &dossier,
                                                QString *erreur, const std::vector<QString> &autres)
{
    const QFileInfo liste(chemin);
    if (!liste.isFile())
        return Dictionnaire::charger(chemin, erreur, autres); // says what is wrong
    const QByteArray empreinte = source(liste, autres);
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
    if (index.open(QIODevice::ReadOnly) && index.read(empreinte.size()) == empreinte) {
        if (std::optional<Dictionnaire> d = Dictionnaire::lire(index))
            return d;
    }
    index.close();

    std::optional<Dictionnaire> d = Dictionnaire::charger(chemin, erreur, autres);
    if (!d || !QDir().mkpath(dossier))
        return d;
    QSaveFile ecrit(cheminIndex);
    if (ecrit.open(QIODevice::WriteOnly) && ecrit.write(empreinte) == empreinte.size() &&
        d->ecrire(ecrit))
        ecrit.commit();
    return d;
}
