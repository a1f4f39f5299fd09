#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

// A text box's text as the user wrote it. The toolkit's plain text turns a
// no-break space into a plain one; these keep it, and give the block and
// line separators as line feeds, as the plain text does.
QString texteBrut(const QTextDocument &document);
// The same of a selection.
QString texteBrut(const QTextCursor &selection);
