#include "icone.h"

#include <QFileInfo>
#include <QIcon>

using namespace Qt::StringLiterals;

QIcon iconeFenetre()
{
    const QString fichierLocal = u"logo.png"_s;
    if (QFileInfo::exists(fichierLocal))
        return QIcon(fichierLocal);
    return QIcon(u":/scribolix/logo.png"_s);
}
