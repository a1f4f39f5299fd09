#include "FenEntreeTexte.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(SCRIBOLIX_ID));

    // The toolkit's own texts (dialog buttons, context menus) in the user's
    // language: "qt_fr" for fr_FR. A missing file is no error: those texts
    // then stay in English, so the translator is installed either way.
    QTranslator traducteur;
    const QString langue = QLocale::system().name().section(u'_', 0, 0);
    (void)traducteur.load(u"qt_"_s + langue, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QApplication::installTranslator(&traducteur);

    FenEntreeTexte fenetre;
    fenetre.show();
    return QApplication::exec();
}
