#include "textebrut.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

QString enLignes(QString texte)
{
    for (QChar &c : texte) {
        switch (c.unicode()) {
        case 0xFDD0: // a frame's start and end, in rich text
        case 0xFDD1:
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return texte;
}

} // namespace

QString texteBrut(const QTextDocument &document)
{
    return enLignes(document.toRawText());
}

QString texteBrut(const QTextCursor &selection)
{
    return enLignes(selection.selectedText());
}
