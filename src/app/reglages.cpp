#include "reglages.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QString cle(int lettre)
{
    return QString(QChar(u'A' + lettre));
}

// A glyph written by the program always reads back as a text. A store edited
// by hand may hold something else: "A=1, 2" reads as a list, which stands for
// the text the user typed.
QString glypheDe(const QVariant &valeur)
{
    if (valeur.typeId() == QMetaType::QStringList)
        return valeur.toStringList().join(u", "_s);
    return valeur.toString();
}

} // namespace

QSettings &reglages()
{
    static QSettings instance(u"Velmora"_s, u"Scribolix"_s);
    return instance;
}

Glyphes glyphesConserves()
{
    Glyphes glyphes;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        glyphes[lettre] = glypheDe(reglages().value(cle(lettre)));
    return glyphes;
}

bool conserverGlyphes(const Glyphes &glyphes)
{
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        reglages().setValue(cle(lettre), glyphes[lettre]);
    // Written now rather than at exit, so that a failure can be told. The
    // status alone cannot tell it: it keeps the first error ever met, such as
    // an unparsable old content that has just been written over.
    reglages().sync();
    if (!QFileInfo(reglages().fileName()).isFile())
        return false;

    // Read back what reached the disk. Settings objects on the same file
    // share one cache, so the file is read through a copy of its own.
    const QTemporaryDir dossier;
    const QString copie = dossier.filePath(u"relu.conf"_s);
    if (!dossier.isValid() || !QFile::copy(reglages().fileName(), copie))
        return false;
    const QSettings relus(copie, reglages().format());
    for (int lettre = 0; lettre < nombreLettres; ++lettre) {
        if (relus.value(cle(lettre)) != glyphes[lettre])
            return false;
    }
    return true;
}
