#include "gfx_graphiclabel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor qcolor(TColor c)
{
    return QColor::fromRgb(GfxColorToQRgb(c));
}

TGfxGraphicLabel::TMouseButton button(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return TGfxGraphicLabel::mbRight;
    case Qt::MiddleButton: return TGfxGraphicLabel::mbMiddle;
    default: return TGfxGraphicLabel::mbLeft;
    }
}

unsigned shift(Qt::KeyboardModifiers m)
{
    // The library's shift state: 1 Shift, 2 Alt, 4 Ctrl.
    return (m & Qt::ShiftModifier ? 1u : 0u) | (m & Qt::AltModifier ? 2u : 0u) | (m & Qt::ControlModifier ? 4u : 0u);
}

}  // namespace

TGfxGraphicLabel::TGfxGraphicLabel(QWidget* parent) : QWidget(parent)
{
    fill_.Gradient()->OnChange = [this](TObject*) { update(); };
}

void TGfxGraphicLabel::SetCaption(const QString& text)
{
    if (caption_ == text) return;
    caption_ = text;
    update();
}

void TGfxGraphicLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(10, height() * 11 / 20));
    QPainterPath path;
    path.addText(0, 0, f, caption_);
    const QRectF box = path.boundingRect();
    path.translate(QPointF((width() - box.width()) / 2 - box.left(), (height() - box.height()) / 2 - box.top()));
    const QRectF at = path.boundingRect();
    QLinearGradient g(at.topLeft(), at.bottomLeft());
    const GradientPart* grad = fill_.Gradient();
    g.setColorAt(0, qcolor(grad->Color()));
    g.setColorAt(1, qcolor(grad->EndColor()));
    p.setPen(isEnabled() ? QPen(palette().color(QPalette::Dark), 0.8) : QPen(palette().color(QPalette::Mid), 0.8));
    p.setBrush(isEnabled() ? QBrush(g) : QBrush(palette().color(QPalette::Mid)));
    p.drawPath(path);
}

void TGfxGraphicLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    if (OnMouseDown)
        OnMouseDown(this, button(event->button()), shift(event->modifiers()), int(event->position().x()),
                    int(event->position().y()));
}

void TGfxGraphicLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // As the library's controls do: the click first, then the mouse-up.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && OnClick) OnClick(this);
    if (OnMouseUp)
        OnMouseUp(this, button(event->button()), shift(event->modifiers()), int(event->position().x()),
                  int(event->position().y()));
}
