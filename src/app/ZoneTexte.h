#pragma once

#include <QTextEdit>

class QTimer;

// The main window's text box. A big plain text pasted or dropped into it
// goes in as one edit and is laid out in steps between events, many times
// faster than the toolkit's own road, which lays it all out before the
// window answers again; rich text and small pastes take that road as before. Tab inserts a tab,
// since texts may hold tabs; Ctrl+Tab and Ctrl+Shift+Tab move the focus out, as in the toolkit's
// other text boxes.
//
// It adds no signal, slot or property, and so declares no meta-object of
// its own: to the rest of the program and to accessibility tools it is the
// QTextEdit it always was.
class ZoneTexte : public QTextEdit
{
public:
    explicit ZoneTexte(QWidget *parent);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *evenement) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery requete) const override;

private:
    bool arriveEnTexteRiche(const QMimeData *source) const;
    bool curseurMisEnPage() const;
    void montrerCurseurSiMisEnPage();

    QTimer *attenteMiseEnPage;
};
