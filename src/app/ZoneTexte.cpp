#include "ZoneTexte.h"

#include "curseur.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using namespace Qt::StringLiterals;

ZoneTexte::ZoneTexte(QWidget *parent) : QTextEdit(parent), attenteMiseEnPage(new QTimer(this))
{
    attenteMiseEnPage->setInterval(50);
    connect(attenteMiseEnPage, &QTimer::timeout, this, &ZoneTexte::montrerCurseurSiMisEnPage);
    // The object that edits the text for us blinks the cursor from a timer,
    // and each blink asks where the cursor is: see eventFilter().
    for (QObject *enfant : children()) {
        if (enfant->inherits("QWidgetTextControl"))
            enfant->installEventFilter(this);
    }
}

bool ZoneTexte::curseurMisEnPage() const
{
    const QTextLayout *miseEnPage = textCursor().block().layout();
    return miseEnPage && miseEnPage->lineCount() > 0;
}

// Where the cursor is takes the text before it laid out. While the steps have
// not reached it, the blink waits, and so does an input method asking for the
// cursor's place, rather than laying out the rest of a big paste at once.
bool ZoneTexte::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::Timer && attenteMiseEnPage->isActive() && !curseurMisEnPage())
        return true;
    return QTextEdit::eventFilter(objet, evenement);
}

QVariant ZoneTexte::inputMethodQuery(Qt::InputMethodQuery requete) const
{
    const bool place = requete == Qt::ImCursorRectangle || requete == Qt::ImAnchorRectangle;
    if (place && attenteMiseEnPage->isActive() && !curseurMisEnPage())
        return QRectF();
    return QTextEdit::inputMethodQuery(requete);
}

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
    // Below some ten pages the toolkit's road costs nothing that shows, and
    // it keeps the view where it is around a small paste into a long text.
    constexpr qsizetype grandTexte = 64 * 1024;
    const QString texte =
        source && source->hasText() && !arriveEnTexteRiche(source) ? source->text() : QString();
    if (isReadOnly() || texte.size() < grandTexte) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const CurseurOccupe occupe;
    // The toolkit lays a changed range out at once, line by line, but a whole
    // document in steps between events, and a document without a page not at
    // all. So the text goes in while the page is away, and bringing the page
    // back lays the document out in steps, the window answering meanwhile.
    QTextDocument *document = this->document();
    const QSizeF page = document->pageSize();
    document->setPageSize(QSizeF(0, 0));
    // One edit block: one undo step. The box's own cursor, where the text
    // goes in, moves to its end.
    QTextCursor curseur = textCursor();
    curseur.beginEditBlock();
    curseur.insertText(texte);
    curseur.endEditBlock();
    document->setPageSize(page);
    montrerCurseurSiMisEnPage();
}

// Scrolling to the cursor needs the text before it laid out: on a big paste,
// that waits for the steps to reach it instead of doing them all at once.
void ZoneTexte::montrerCurseurSiMisEnPage()
{
    if (curseurMisEnPage()) {
        attenteMiseEnPage->stop();
        ensureCursorVisible();
    } else if (!attenteMiseEnPage->isActive()) {
        attenteMiseEnPage->start();
    }
}

void ZoneTexte::keyPressEvent(QKeyEvent *evenement)
{
    // The toolkit's own handling of the paste keys scrolls to the cursor at
    // once, which lays out the whole pasted text before the window answers
    // again; paste() alone leaves that to insertFromMimeData().
    if (evenement->matches(QKeySequence::Paste)) {
        paste();
        evenement->accept();
        return;
    }
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
