#include "gfx_shapecontrol.h"

#include <QPainter>

TGfxShapeControl::TGfxShapeControl(QWidget* parent) : QWidget(parent)
{
    // A frame behind other controls: it takes no mouse.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TGfxShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -1.5, -1.5), 5, 5);
    p.setPen(QPen(palette().color(QPalette::Light), 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -0.5, -0.5), 5, 5);
}
