#pragma once
// Escape in a window that has no Cancel or close button of its own: a
// dialog would close on it (QDialog's default), which the progress and wait
// windows, the service console and the other button-less windows must not
// do. Their key handler asks this first; true means the key was taken and
// the window stays.

#include <QKeyEvent>

inline bool holdEscape(QKeyEvent* e)
{
    if (!e->matches(QKeySequence::Cancel)) return false;
    e->accept();
    return true;
}
