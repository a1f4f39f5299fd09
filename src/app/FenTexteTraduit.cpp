#include "FenTexteTraduit.h"

#include "icone.h"
#include "lignes.h"
#include "textebrut.h"

#include <QMimeData>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The result's text box: what the user copies, cuts or drags out of it is the
// text as it stands, no-break spaces included.
class ZoneResultat : public QTextEdit
{
public:
    ZoneResultat() = default;

protected:
    QMimeData *createMimeDataFromSelection() const override
    {
        auto *donnees = new QMimeData;
        donnees->setText(texteBrut(textCursor()));
        return donnees;
    }
};

} // namespace

FenTexteTraduit::FenTexteTraduit(const QString &texte, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(u"Texte traduit"_s);
    setWindowIcon(iconeFenetre());

    layoutResultat = new QVBoxLayout;
    zoneResultat = new ZoneResultat;
    zoneResultat->setObjectName(u"zoneResultat"_s);
    couperLesLonguesSuites(zoneResultat);
    // Plain text: a leet glyph such as "|<" must never be taken for markup.
    zoneResultat->setPlainText(texte);

    layoutResultat->addWidget(zoneResultat);
    setLayout(layoutResultat);
}
