#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOn(QWidget* window, const QWidget* mainWindow)
{
    QRect area;
    if (mainWindow)
        area = mainWindow->frameGeometry();
    else if (const QScreen* s = window->screen())
        area = s->availableGeometry();
    if (area.isEmpty()) return;
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}
