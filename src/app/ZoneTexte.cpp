#include "ZoneTexte.h"

#include "curseur.h"

#include <QKeyEvent>
#include <QMimeData>

using namespace Qt::StringLiterals;

ZoneTexte::ZoneTexte(QWidget *parent) : QTextEdit(parent) {}

// The formats the toolkit itself reads as rich text, in its own order.
bool ZoneTexte::arriveEnTexteRiche(const QMimeData *source) const
{
    const QStringList formats = source->formats();
    if (!formats.isEmpty() && formats.constFirst() == "text/markdown"_L1)
        return true;
    return acceptRichText() &&
           (source->hasFormat(u"application/x-qrichtext"_s) || source->hasHtml());
}

void ZoneTexte::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source || !source->hasText() || arriveEnTexteRiche(source)) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const CurseurOccupe occupe;
    // One edit block: one undo step, and the document is laid out once for
    // the whole text instead of once per line.
    QTextCursor curseur = textCursor();
    curseur.beginEditBlock();
    curseur.insertText(source->text());
    curseur.endEditBlock();
    setTextCursor(curseur);
    ensureCursorVisible();
}

void ZoneTexte::keyPressEvent(QKeyEvent *evenement)
{
    const bool tabulation = evenement->key() == Qt::Key_Tab || evenement->key() == Qt::Key_Backtab;
    if (tabulation && (evenement->modifiers() & Qt::ControlModifier)) {
        const bool enArriere =
            evenement->key() == Qt::Key_Backtab || (evenement->modifiers() & Qt::ShiftModifier);
        // QTextEdit's own override refuses to move the focus while the text
        // is editable, which is what keeps Tab inserting tabs: ask QWidget.
        QWidget::focusNextPrevChild(!enArriere);
        evenement->accept();
        return;
    }
    QTextEdit::keyPressEvent(evenement);
}
