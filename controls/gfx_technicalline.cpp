#include "gfx_technicalline.h"

#include <QMouseEvent>

#include <span>

namespace {

TGfxLineRoute Lines(std::initializer_list<TPoint> points)
{
    TGfxLineRoute r;
    r.Points = points;
    return r;
}

TGfxLineRoute Arc(TRect box, TPoint from, TPoint to)
{
    TGfxLineRoute r;
    r.IsArc = true;
    r.ArcBox = box;
    r.ArcStart = from;
    r.ArcEnd = to;
    return r;
}

}  // namespace

TGfxLineRoute GfxTechnicalLineRoute(TGfxTechnicalLineTypes Type, TGfxSignPlaces Places, const TGfxLineMetrics& M)
{
    const int W = M.W, H = M.H, p = M.p, d = M.d, S = M.S;
    const int S2 = S / 2, Sd = S + d;
    const int y0 = H / 2 - d / 2, x0 = W / 2 - d / 2;
    const bool end = Places == spEnd, start = Places == spStart;  // else both
    if (Places >= spNoWhere) {
        switch (Type) {
        case lsStraightLeftToRight: return Lines({{p, H / 2}, {W - d - p, H / 2}});
        case lsStraightTopToBottom: return Lines({{W / 2, p}, {W / 2, H - d - p}});
        case lsTopLeftToBottomRight: return Lines({{0, 0}, {W - d, H - d}});
        case lsBottomLeftToTopRight: return Lines({{0, H - d}, {W - d, 0}});
        case lsTopLeftEdge: return Lines({{0, H - d}, {0, 0}, {W - d, 0}});
        case lsBottomLeftEdge: return Lines({{0, 0}, {0, H - d}, {W - d, H - d}});
        case lsTopRightEdge: return Lines({{0, 0}, {W - d, 0}, {W - d, H - d}});
        case lsBottomRightEdge: return Lines({{W - d, 0}, {W - d, H - d}, {0, H - d}});
        case lsTopLeftCurve: return Arc({0, 0, 2 * W, 2 * H}, {W - d, 0}, {0, H - d});
        case lsBottomLeftCurve: return Arc({d, H - d, 2 * W - d, d - H}, {0, 0}, {W - d, H - d});
        case lsTopRightCurve: return Arc({d - W, 0, W - d, 2 * H}, {W - d, H - d}, {0, 0});
        case lsBottomRightCurve: return Arc({d - W, d - H, W - d, H - d}, {0, H - d}, {W, 0});
        }
        return {};
    }
    switch (Type) {
    case lsStraightLeftToRight:
        if (end) return Lines({{p, y0}, {W - Sd, y0}});
        if (start) return Lines({{S, y0}, {W - d - p, y0}});
        return Lines({{S, y0}, {W - Sd, y0}});
    case lsStraightTopToBottom:
        if (end) return Lines({{x0, p}, {x0, H - Sd}});
        if (start) return Lines({{x0, S}, {x0, H - d - p}});
        return Lines({{x0, S}, {x0, H - Sd}});
    case lsTopLeftToBottomRight:
        if (end) return Lines({{0, 0}, {W - Sd, H - S2 - d}});
        if (start) return Lines({{S, S2}, {W - d, H - d}});
        return Lines({{S, S2}, {W - Sd, H - S2 - d}});
    case lsBottomLeftToTopRight:
        if (end) return Lines({{0, H}, {W - Sd, S2}});
        if (start) return Lines({{S, H - S2 - d}, {W - d, 0}});
        return Lines({{S, H - S2 - d}, {W - Sd, S2}});
    case lsTopLeftEdge:
        if (end) return Lines({{0, H - d}, {0, S2}, {W - Sd, S2}});
        if (start) return Lines({{S2, H - Sd}, {S2, 0}, {W - d, 0}});
        return Lines({{S2, H - Sd}, {S2, S2}, {W - Sd, S2}});
    case lsBottomLeftEdge:
        if (end) return Lines({{S2, S}, {S2, H - d}, {W - d, H - d}});
        if (start) return Lines({{0, 0}, {0, H - S2 - d}, {W - Sd, H - S2 - d}});
        return Lines({{S2, S}, {S2, H - S2 - d}, {W - Sd, H - S2 - d}});
    case lsTopRightEdge:
        if (end) return Lines({{0, 0}, {W - S2 - d, 0}, {W - S2 - d, H - Sd}});
        if (start) return Lines({{S, S2}, {W - d, S2}, {W - d, H - d}});
        return Lines({{S, S2}, {W - S2 - d, S2}, {W - S2 - d, H - Sd}});
    case lsBottomRightEdge:
        if (end) return Lines({{W - d, 0}, {W - d, H - S2 - d}, {S, H - S2 - d}});
        if (start) return Lines({{W - S2 - d, S}, {W - S2 - d, H - d}, {0, H - d}});
        return Lines({{W - S2 - d, S}, {W - S2 - d, H - S2 - d}, {S, H - S2 - d}});
    case lsTopLeftCurve:
        if (end) return Arc({0, S2, 2 * (W - Sd), 2 * H - S2}, {W - Sd, S2}, {0, H - d});
        if (start) return Arc({S2, 0, 2 * W - S2, 2 * (H - Sd)}, {W - d, 0}, {S2, H - Sd});
        return Arc({S2, S2, 2 * W - 2 * S - S2, 2 * H - 2 * S - S2}, {W - Sd, S2}, {S2, H - Sd});
    case lsBottomLeftCurve:
        if (end) return Arc({S2, 2 * S + d - H, 2 * W + S2 - S, H - d}, {S2, S}, {W - d, H});
        if (start) return Arc({0, S2 + d - H, 2 * W - 2 * Sd, H - S2 - d}, {0, 0}, {W - Sd, H - S2 - d});
        return Arc({S2, 2 * S + S2 + d - H, 2 * W - 2 * Sd - S2, H - S2 - d}, {S2, S}, {W - Sd, H - S2 - d});
    case lsTopRightCurve:
        if (end) return Arc({S2 + d - W, 0, W - S2 - d, 2 * H - 2 * Sd}, {W - S2 - d, H - Sd}, {0, 0});
        if (start) return Arc({2 * S + d - W, S2, W - d, 2 * H + S2 - Sd}, {W, H - d}, {S, S2});
        return Arc({2 * Sd + d + S2 - W, S2, W - S2 - d, 2 * (H - Sd) - S2}, {W - S2 - d, H - Sd}, {S, S2});
    case lsBottomRightCurve:
        if (end) return Arc({2 * S + d - W, S2 - H, W - d, H - S2 - d}, {S, H - S2}, {W, 0});
        if (start) return Arc({S2 + d - W, 2 * S + d - H, W - S2 - d, H - d}, {0, H - d}, {W - S2 - d, S});
        return Arc({2 * S + S2 + d - W, 2 * S + S2 + d - H, W - S2 - d, H - S2 - d}, {S, H - S2 - d},
                   {W - S2 - d, S});
    }
    return {};
}

void GfxTechnicalLineSignBoxes(TGfxTechnicalLineTypes Type, const TGfxLineMetrics& M, TRect& Start, TRect& End)
{
    const int W = M.W, H = M.H, Sd = M.S + M.d;
    const TRect topLeft{0, 0, Sd, Sd}, bottomRight{W - Sd, H - Sd, W, H};
    const TRect bottomLeft{0, H - Sd, Sd, H}, topRight{W - Sd, 0, W, Sd};
    switch (Type) {
    case lsStraightLeftToRight:
        Start = {0, H / 2 - Sd / 2, Sd, H / 2 + Sd / 2};
        End = {W - Sd, H / 2 - Sd / 2, W, H / 2 + Sd / 2};
        break;
    case lsStraightTopToBottom:
        Start = {W / 2 - Sd / 2, 0, W / 2 + Sd / 2, Sd};
        End = {W / 2 - Sd / 2, H - Sd, W / 2 + Sd / 2, H};
        break;
    case lsTopLeftToBottomRight:
    case lsTopRightEdge:
    case lsTopRightCurve:
        Start = topLeft;
        End = bottomRight;
        break;
    case lsBottomLeftToTopRight:
    case lsTopLeftEdge:
    case lsTopLeftCurve:
        Start = bottomLeft;
        End = topRight;
        break;
    case lsBottomLeftEdge:
    case lsBottomLeftCurve:
        Start = bottomRight;
        End = topLeft;
        break;
    case lsBottomRightEdge:
    case lsBottomRightCurve:
        Start = topRight;
        End = bottomLeft;
        break;
    }
}

TGfxSignShape GfxTechnicalLineSign(TGfxLineEndings Sign, const TRect& Box, int PenWidth)
{
    TGfxSignShape s;
    TRect b = Box;
    if (PenWidth != 1) {
        const int k = PenWidth / 2;
        b = TRect{b.Left + k, b.Top + k, b.Right - k, b.Bottom - k};
    }
    s.Box = b;
    const int L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
    const int mx = L + (R - L) / 2, my = T + (B - T) / 2, qx = (R - L) / 4, qy = (B - T) / 4;
    auto shape = [&s](TGfxSignShape::TKind kind, std::initializer_list<TPoint> points) {
        s.Kind = kind;
        s.Points = points;
        return s;
    };
    auto pie = [&s](TPoint from, TPoint to) {
        s.Kind = TGfxSignShape::skPie;
        s.From = from;
        s.To = to;
        return s;
    };
    switch (Sign) {
    case leNothing: return s;
    case leOpenArrowUp: return shape(TGfxSignShape::skLines, {{L, B}, {mx, T}, {R, B}});
    case leOpenArrowDown: return shape(TGfxSignShape::skLines, {{L, T}, {mx, B}, {R, T}});
    case leOpenArrowRight: return shape(TGfxSignShape::skLines, {{L, T}, {R, my}, {L, B}});
    case leOpenArrowLeft: return shape(TGfxSignShape::skLines, {{R, T}, {L, my}, {R, B}});
    case leClosedArrowUp: return shape(TGfxSignShape::skPolygon, {{L, B}, {mx, T}, {R, B}});
    case leClosedArrowDown: return shape(TGfxSignShape::skPolygon, {{L, T}, {mx, B}, {R, T}});
    case leClosedArrowLeft: return shape(TGfxSignShape::skPolygon, {{R, T}, {L, my}, {R, B}});
    case leClosedArrowRight: return shape(TGfxSignShape::skPolygon, {{L, T}, {R, my}, {L, B}});
    case leDiamond: return shape(TGfxSignShape::skPolygon, {{mx, T}, {R, my}, {mx, B}, {L, my}});
    case leCircle: s.Kind = TGfxSignShape::skEllipse; return s;
    case leRectangle: s.Kind = TGfxSignShape::skRectangle; return s;
    case leRoundRect:
        s.Kind = TGfxSignShape::skRoundRect;
        s.CornerW = qx;
        s.CornerH = qy;
        return s;
    case leParallelogramm: return shape(TGfxSignShape::skPolygon, {{L + qx, T}, {R, T}, {R - qx, B}, {L, B}});
    case leComb:
        return shape(TGfxSignShape::skPolygon, {{mx, T}, {R, T + qy}, {R, B - qy}, {mx, B}, {L, B - qy}, {L, T + qy}});
    case leHalfCircleLeft: return pie({mx, T}, {mx, B});
    case leHalfCircleRight: return pie({mx, B}, {mx, T});
    case leHalfCircleUp: return pie({L, my}, {R, my});
    case leHalfCircleDown: return pie({R, my}, {L, my});
    }
    return s;
}

TGfxLineEndings GfxArrowForRoute(TGfxTechnicalLineTypes Type, TGfxLineEndings Sign, bool AtStart)
{
    const bool open = Sign >= leOpenArrowUp && Sign <= leOpenArrowLeft;
    const bool closed = Sign >= leClosedArrowUp && Sign <= leClosedArrowRight;
    if (!open && !closed)
        return Sign;
    enum Dir { up, down, left, right };
    Dir start = left, end = right;
    switch (Type) {
    case lsStraightLeftToRight:
    case lsTopLeftToBottomRight:
    case lsBottomLeftToTopRight: start = left, end = right; break;
    case lsStraightTopToBottom: start = up, end = down; break;
    case lsTopLeftEdge:
    case lsTopLeftCurve: start = down, end = right; break;
    case lsBottomLeftEdge:
    case lsBottomLeftCurve: start = right, end = up; break;
    case lsTopRightEdge:
    case lsTopRightCurve: start = left, end = down; break;
    case lsBottomRightEdge:
    case lsBottomRightCurve: start = up, end = left; break;
    }
    static constexpr TGfxLineEndings openArrows[] = {leOpenArrowUp, leOpenArrowDown, leOpenArrowLeft,
                                                     leOpenArrowRight};
    static constexpr TGfxLineEndings closedArrows[] = {leClosedArrowUp, leClosedArrowDown, leClosedArrowLeft,
                                                       leClosedArrowRight};
    const Dir dir = AtStart ? start : end;
    return open ? openArrows[dir] : closedArrows[dir];
}

// -------------------------------------------------------- TGfxTechnicalLine
TGfxTechnicalLine::TGfxTechnicalLine(QWidget* AParent)
    : TGfxGraphicControl(AParent), pen_(std::make_unique<TGfxPen>())
{
    pen_->OnChange = [this](TObject*) { RepaintRequest(); };
    SetBounds(Left(), Top(), 130, 45);
}

TGfxTechnicalLine::~TGfxTechnicalLine()
{
    Destroying();
    pen_->OnChange = nullptr;
}

void TGfxTechnicalLine::SetLineType(TGfxTechnicalLineTypes Value)
{
    if (lineType_ == Value)
        return;
    if (arrowed_) {
        startSign_ = GfxArrowForRoute(Value, startSign_, true);
        endSign_ = GfxArrowForRoute(Value, endSign_, false);
    }
    lineType_ = Value;
    Invalidate();
}

void TGfxTechnicalLine::SetLineEndingsign(TGfxLineEndings Value)
{
    if (endSign_ == Value)
        return;
    endSign_ = Value;
    if (signPlaces_ == spEnd || signPlaces_ == spBoth)
        Invalidate();
}

void TGfxTechnicalLine::SetLineStartSign(TGfxLineEndings Value)
{
    if (startSign_ == Value)
        return;
    startSign_ = Value;
    if (signPlaces_ == spStart || signPlaces_ == spBoth)
        Invalidate();
}

TRect TGfxTechnicalLine::DrawingRect() const
{
    const TRect area = Bevel().TotalWidth() != 0 ? Bevel().InnerRect(ClientRect()) : ClientRect();
    const int shrink = pen_->Width() / 2 + 1;
    return TRect{area.Left + shrink, area.Top + shrink, area.Right - shrink, area.Bottom - shrink};
}

TGfxLineMetrics TGfxTechnicalLine::Metrics() const
{
    const TRect r = DrawingRect();
    return TGfxLineMetrics{r.Width(), r.Height(), pen_->Width() / 2, signSize_, shadowVisible_ ? shadowDepth_ : 0};
}

TRect TGfxTechnicalLine::StartSignBox() const
{
    TRect start, end;
    GfxTechnicalLineSignBoxes(lineType_, Metrics(), start, end);
    const TRect r = DrawingRect();
    GfxOffsetRect(start, r.Left, r.Top);
    return start;
}

TRect TGfxTechnicalLine::EndSignBox() const
{
    TRect start, end;
    GfxTechnicalLineSignBoxes(lineType_, Metrics(), start, end);
    const TRect r = DrawingRect();
    GfxOffsetRect(end, r.Left, r.Top);
    return end;
}

void TGfxTechnicalLine::Stroke(TGfxCanvas& canvas, const TGfxLineRoute& route, int dx, int dy)
{
    auto at = [dx, dy](TPoint p) { return TPoint{p.X + dx, p.Y + dy}; };
    if (route.IsArc) {
        TRect box = route.ArcBox;
        GfxOffsetRect(box, dx, dy);
        canvas.Arc(box, at(route.ArcStart), at(route.ArcEnd));
        return;
    }
    std::vector<TPoint> points;
    for (const TPoint& p : route.Points)
        points.push_back(at(p));
    canvas.Polyline(std::span<const TPoint>(points));
}

void TGfxTechnicalLine::DrawSign(TGfxCanvas& canvas, TGfxLineEndings sign, const TRect& box,
                                 const TGfxLineMetrics& m)
{
    if (sign == leNothing)
        return;
    auto draw = [&](const TRect& b, TColor brushColour) {
        if (fillColor_ != clNone) {
            canvas.Brush.SetStyle(bsSolid);
            canvas.Brush.SetColor(brushColour);
        } else {
            canvas.Brush.SetStyle(bsClear);
        }
        const TGfxSignShape s = GfxTechnicalLineSign(sign, b, canvas.Pen.Width());
        switch (s.Kind) {
        case TGfxSignShape::skNone: break;
        case TGfxSignShape::skLines: canvas.Polyline(std::span<const TPoint>(s.Points)); break;
        case TGfxSignShape::skPolygon: canvas.Polygon(std::span<const TPoint>(s.Points)); break;
        case TGfxSignShape::skEllipse: canvas.Ellipse(s.Box); break;
        case TGfxSignShape::skRectangle: canvas.Rectangle(s.Box); break;
        case TGfxSignShape::skRoundRect: canvas.RoundRect(s.Box, s.CornerW, s.CornerH); break;
        case TGfxSignShape::skPie: canvas.Pie(s.Box, s.From, s.To); break;
        }
    };
    if (shadowVisible_) {
        canvas.Pen.Assign(*pen_);
        canvas.Pen.SetColor(shadowColor_);
        draw(TRect{box.Left + m.d, box.Top + m.d, box.Right, box.Bottom}, shadowColor_);
    }
    canvas.Pen.Assign(*pen_);
    draw(TRect{box.Left, box.Top, box.Right - m.d, box.Bottom - m.d}, fillColor_);
}

void TGfxTechnicalLine::DrawRoute(TGfxCanvas& canvas, const TRect& area)
{
    const TGfxLineMetrics m = Metrics();
    canvas.Brush.SetStyle(bsClear);
    const TGfxLineRoute route = GfxTechnicalLineRoute(lineType_, signPlaces_, m);
    if (shadowVisible_) {
        canvas.Pen.Assign(*pen_);
        canvas.Pen.SetColor(shadowColor_);
        Stroke(canvas, route, area.Left + m.d, area.Top + m.d);
    }
    canvas.Pen.Assign(*pen_);
    Stroke(canvas, route, area.Left, area.Top);
    if (signPlaces_ == spNoWhere)
        return;
    TRect start, end;
    GfxTechnicalLineSignBoxes(lineType_, m, start, end);
    GfxOffsetRect(start, area.Left, area.Top);
    GfxOffsetRect(end, area.Left, area.Top);
    if (signPlaces_ == spStart || signPlaces_ == spBoth)
        DrawSign(canvas, startSign_, start, m);
    if (signPlaces_ == spEnd || signPlaces_ == spBoth)
        DrawSign(canvas, endSign_, end, m);
    canvas.Pen.Assign(*pen_);
}

void TGfxTechnicalLine::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || IsLoading())
        return;
    if (!Transparent())
        FillBackground();
    if (Bevel().TotalWidth() != 0)
        Bevel().Paint(*canvas, ClientRect(), Transparent() || Bevel().BorderColor() == Color());
    const TRect area = DrawingRect();
    DrawRoute(*canvas, area);
    if (!ShapeOnly)
        return;
    // What the line encloses, and the line itself widened by the pen.
    canvas->BeginPath();
    DrawRoute(*canvas, area);
    canvas->EndPath();
    TGfxRgn enclosed = canvas->PathToRegion();
    canvas->BeginPath();
    DrawRoute(*canvas, area);
    canvas->EndPath();
    canvas->WidenPath();
    const TGfxRgn stroke = canvas->PathToRegion();
    TGfxRgn hit;
    hit.Combine(enclosed, stroke, RGN_OR);
    hitRegion_ = hit;
}

bool TGfxTechnicalLine::event(QEvent* e)
{
    // The platform's left-button messages are dropped off the drawn shape;
    // the region is kept in the control's own coordinates.
    if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease) && ShapeOnly &&
        hitRegion_ && !IsDestroying()) {
        const auto* me = static_cast<QMouseEvent*>(e);
        const QPoint at = me->position().toPoint();
        if (me->button() == Qt::LeftButton && !hitRegion_->Contains(TPoint{at.x(), at.y()})) {
            e->accept();
            return true;
        }
    }
    return TGfxGraphicControl::event(e);
}
