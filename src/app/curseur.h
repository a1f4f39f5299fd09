#pragma once

#include <QGuiApplication>

// Shows the busy cursor over the whole program while it lives, for a step
// that may keep the window from answering for more than a blink; the
// previous cursor comes back however the step ends, an exception included.
class CurseurOccupe
{
public:
    CurseurOccupe() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurOccupe() { QGuiApplication::restoreOverrideCursor(); }
    CurseurOccupe(const CurseurOccupe &) = delete;
    CurseurOccupe &operator=(const CurseurOccupe &) = delete;
};
