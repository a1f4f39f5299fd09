#include "FenTexteTraduit.h"

#include "icone.h"
#include "lignes.h"

#include <QTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FenTexteTraduit::FenTexteTraduit(const QString &texte, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(u"Texte traduit"_s);
    setWindowIcon(iconeFenetre());

    layoutResultat = new QVBoxLayout;
    zoneResultat = new QTextEdit;
    zoneResultat->setObjectName(u"zoneResultat"_s);
    couperLesLonguesSuites(zoneResultat);
    // Plain text: a leet glyph such as "|<" must never be taken for markup.
    zoneResultat->setPlainText(texte);

    layoutResultat->addWidget(zoneResultat);
    setLayout(layoutResultat);
}
