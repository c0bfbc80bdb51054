#pragma once
// Fixtures of the control tests: a shown form, a parent that paints a
// gradient, the mouse crossing a control.

#include "gfx_gradient.h"
#include "platform/gfx_canvas.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>
#include <QtTest/QTest>

namespace controltest {

// A form that paints a horizontal gradient over its whole area, and counts
// its paints.
class GradientForm : public QWidget {
public:
    explicit GradientForm(QWidget* parent = nullptr) : QWidget(parent)
    {
        gradient.SetStyle(gstHorizontal);
        gradient.SetColor(clRed);
        gradient.SetEndColor(clBlue);
        gradient.SetColorCount(64);
    }
    TGfxGradient gradient;
    int paints = 0;

    // The form's own painting alone, into an image of its size.
    QImage OwnPainting() const
    {
        QImage image(size(), QImage::Format_RGB32);
        TGfxCanvas canvas(&image);
        gradient.PaintTo(canvas, {0, 0, width(), height()});
        canvas.Release();
        return image;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        TGfxCanvas canvas(this);
        gradient.PaintTo(canvas, {0, 0, width(), height()});
    }
};

// Shows the form away from the mouse pointer, so that no real mouse enter
// reaches its controls.
inline void Show(QWidget& form, int w = 300, int h = 200)
{
    QCursor::setPos(0, 0);
    form.move(100, 100);
    form.resize(w, h);
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
}

inline void MouseEnter(QWidget* w)
{
    const QPointF p(1, 1);
    QEnterEvent e(p, w->mapTo(w->window(), p), w->mapToGlobal(p));
    QCoreApplication::sendEvent(w, &e);
}

inline void MouseLeave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// The pixels of the area of the image as a vector of colours.
inline bool SamePixels(const QImage& a, const QImage& b, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

}  // namespace controltest
