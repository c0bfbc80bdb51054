#pragma once
// Input delivered as the window system delivers it. A wheel notch goes to
// the deepest widget under the pointer as a spontaneous event, so that Qt
// passes it on to the parents when that widget ignores it, as it does for
// a real wheel (an event sent by hand stops at its receiver).

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <qtestspontaneevent.h>

namespace zephtest {

// One notch (120 up, -120 down) with the pointer at `at` in `over`'s
// coordinates; the widget that got it first.
inline QWidget* wheelNotch(QWidget* over, QPoint at, int delta)
{
    QWidget* window = over->window();
    const QPoint inWindow = over->mapTo(window, at);
    QWidget* target = window->childAt(inWindow);
    if (!target) target = window;
    const QPointF local = target->mapFrom(window, inWindow);
    QWheelEvent e(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(target, &e);
    return target;
}

// A notch over the middle of a widget.
inline QWidget* wheelNotch(QWidget* over, int delta)
{
    return wheelNotch(over, over->rect().center(), delta);
}

}  // namespace zephtest
