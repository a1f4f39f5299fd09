#include "reglages.h"

using namespace Qt::StringLiterals;

QSettings &reglages()
{
    static QSettings instance(u"Velmora"_s, u"Scribolix"_s);
    return instance;
}
