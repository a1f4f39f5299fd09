#include "lignes.h"

#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Longer than any word or address of ordinary text, and short enough that
// word wrapping over runs up to this length stays within a small factor of
// the time wrapping anywhere takes.
constexpr int longueurMaxSuite = 256;

bool aUneLongueSuite(const QString &texte)
{
    QTextBoundaryFinder coupures(QTextBoundaryFinder::Line, texte);
    qsizetype precedente = 0;
    for (qsizetype coupure = coupures.toNextBoundary(); coupure >= 0;
         coupure = coupures.toNextBoundary()) {
        if (coupure - precedente > longueurMaxSuite)
            return true;
        precedente = coupure;
    }
    return false;
}

// What a change may have made of the text around it: the characters it put
// in, with enough on each side to see a run it lengthened or joined.
QString alentours(QTextDocument *document, int debut, int fin)
{
    const int longueur = document->characterCount() - 1;
    QTextCursor curseur(document);
    curseur.setPosition(qBound(0, debut, longueur));
    curseur.setPosition(qBound(0, fin, longueur), QTextCursor::KeepAnchor);
    return curseur.selectedText();
}

void choisirRetourALaLigne(QTextEdit *zone, int position, int ajoutes)
{
    QTextDocument *document = zone->document();
    const int longueur = document->characterCount() - 1;
    const bool toutLeTexte = position == 0 && ajoutes >= longueur;
    const QString texte = toutLeTexte ? alentours(document, 0, longueur)
                                      : alentours(document, position - longueurMaxSuite,
                                                  position + ajoutes + longueurMaxSuite);
    QTextOption::WrapMode mode = zone->wordWrapMode();
    if (aUneLongueSuite(texte))
        mode = QTextOption::WrapAnywhere;
    else if (toutLeTexte)
        mode = QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (mode != zone->wordWrapMode())
        zone->setWordWrapMode(mode);
}

} // namespace

void couperLesLonguesSuites(QTextEdit *zone)
{
    // The document tells of a change before laying it out: the wrap mode set
    // here already applies to that layout.
    QObject::connect(
        zone->document(), &QTextDocument::contentsChange, zone,
        [zone](int position, int, int ajoutes) { choisirRetourALaLigne(zone, position, ajoutes); });
}
