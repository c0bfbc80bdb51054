#include "gfx_technicalline.h"

#include <QPainter>

namespace {

QColor qcolor(TColor c)
{
    const TColor rgb = GfxColorToRGB(c);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

}  // namespace

TGfxTechnicalLine::TGfxTechnicalLine(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    resize(130, 45);
}

void TGfxTechnicalLine::SetLineType(TGfxTechnicalLineTypes v)
{
    store(lineType_, v);
}

void TGfxTechnicalLine::SetLineEndingsign(TGfxLineEndings v)
{
    if (endSign_ == v) return;
    endSign_ = v;
    if (signPlaces_ == spEnd || signPlaces_ == spBoth) update();
}

void TGfxTechnicalLine::SetLineStartSign(TGfxLineEndings v)
{
    if (startSign_ == v) return;
    startSign_ = v;
    if (signPlaces_ == spStart || signPlaces_ == spBoth) update();
}

void TGfxTechnicalLine::SetLineSettings(const QPen& v)
{
    store(pen_, v);
}

void TGfxTechnicalLine::SetSignSize(int v)
{
    store(signSize_, v);
}

void TGfxTechnicalLine::SetSignPlaces(TGfxSignPlaces v)
{
    store(signPlaces_, v);
}

void TGfxTechnicalLine::SetFillColor(TColor v)
{
    store(fillColor_, v);
}

QRect TGfxTechnicalLine::DrawingRect() const
{
    const int shrink = pen_.width() / 2 + 1;
    return rect().adjusted(shrink, shrink, -shrink, -shrink);
}

QRect TGfxTechnicalLine::EndSignBox() const
{
    // (W - S, 0) to (W, S) relative to the drawing rectangle, for the
    // top-left edge.
    const QRect r = DrawingRect();
    return QRect(r.left() + r.width() - signSize_, r.top(), signSize_, signSize_);
}

void TGfxTechnicalLine::drawSign(QPainter& p, TGfxLineEndings sign, const QRect& box) const
{
    if (sign != leCircle) return;
    QRect b = box;
    if (pen_.width() != 1) {
        const int s = pen_.width() / 2;
        b.adjust(s, s, -s, -s);
    }
    p.setPen(pen_);
    if (fillColor_ != clNone)
        p.setBrush(qcolor(fillColor_));
    else
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(b));
}

void TGfxTechnicalLine::paintEvent(QPaintEvent*)
{
    if (lineType_ != lsTopLeftEdge) return;
    QPainter p(this);
    const QRect r = DrawingRect();
    const int W = r.width(), H = r.height(), S = signSize_, S2 = S / 2;
    const QPoint o = r.topLeft();
    p.setPen(pen_);
    p.setBrush(Qt::NoBrush);
    const bool end = signPlaces_ == spEnd || signPlaces_ == spBoth;
    const bool start = signPlaces_ == spStart || signPlaces_ == spBoth;
    // The route with the room its signs take (no shadow: depth 0).
    QPolygon route;
    if (signPlaces_ == spNoWhere)
        route << QPoint(0, H) << QPoint(0, 0) << QPoint(W, 0);
    else if (signPlaces_ == spEnd)
        route << QPoint(0, H) << QPoint(0, S2) << QPoint(W - S, S2);
    else if (signPlaces_ == spStart)
        route << QPoint(S2, H - S) << QPoint(S2, 0) << QPoint(W, 0);
    else
        route << QPoint(S2, H - S) << QPoint(S2, S2) << QPoint(W - S, S2);
    p.drawPolyline(route.translated(o));
    if (end) drawSign(p, endSign_, EndSignBox());
    if (start) drawSign(p, startSign_, QRect(o.x(), o.y() + H - S, S, S));
}
