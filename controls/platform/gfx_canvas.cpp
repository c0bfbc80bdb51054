#include "gfx_canvas.h"

#include "gfx_bitmap.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPathStroker>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

TRect Normalized(const TRect& r)
{
    return TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom)};
}

// The box a pen outline runs on: the pixels L..R-1 and T..B-1.
QRectF OutlineBox(const TRect& r)
{
    return QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

// On/off run lengths of the one-pixel dash patterns; empty for solid.
std::span<const int> DashPattern(TGfxPenStyle style)
{
    static constexpr std::array<int, 2> dash{18, 6};
    static constexpr std::array<int, 2> dot{3, 3};
    static constexpr std::array<int, 4> dashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return {};
    }
}

bool DashOn(std::span<const int> pattern, long long step)
{
    if (pattern.empty())
        return true;
    int period = 0;
    for (int n : pattern)
        period += n;
    long long at = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
}

// floor(a / b) for b > 0.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The angle (degrees, counter-clockwise on screen) at which QPainter's arc
// meets the radial from the box centre through p: QPainter measures angles
// on the circle before it is stretched to the ellipse.
double ArcAngle(const QRectF& box, const TPoint& p)
{
    const double cx = box.center().x();
    const double cy = box.center().y();
    const double a = box.width() / 2;
    const double b = box.height() / 2;
    const double dx = p.X - cx;
    const double dy = cy - p.Y;
    if (a <= 0 || b <= 0 || (dx == 0 && dy == 0))
        return 0;
    return std::atan2(a * dy, b * dx) * 180.0 / std::numbers::pi;
}

double ArcSpan(double start, double end)
{
    double span = std::fmod(end - start, 360.0);
    if (span <= 0)
        span += 360.0;
    return span;
}

// The arc of the ellipse in the box from the start radial to the end
// radial, counter-clockwise; a pie closes it through the centre.
QPainterPath ArcPath(const QRectF& box, const TPoint& start, const TPoint& end, bool pie)
{
    const double a0 = ArcAngle(box, start);
    const double span = ArcSpan(a0, ArcAngle(box, end));
    QPainterPath path;
    if (pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, a0);
    path.arcTo(box, a0, span);
    if (pie)
        path.closeSubpath();
    return path;
}

QPainter::CompositionMode CopyComposition(TGfxCopyMode mode)
{
    switch (mode) {
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

Qt::BrushStyle HatchStyle(TGfxBrushStyle s)
{
    switch (s) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

bool IsHatch(const TGfxBrush& b) { return !b.Bitmap() && b.Style() >= bsHorizontal; }

}  // namespace

// ------------------------------------------------------------ edge colours

TColor GfxEdgeColor(unsigned edge, unsigned flags, bool outer, bool topLeft)
{
    const unsigned raised = outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const unsigned sunken = outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    if (!(edge & (raised | sunken)))
        return clNone;
    if (flags & BF_MONO)
        return clWindowFrame;
    if (flags & BF_FLAT)
        return outer ? clBtnShadow : clBtnFace;
    const bool soft = (flags & BF_SOFT) != 0;
    // Rows: raised outer, sunken outer, raised inner, sunken inner; columns:
    // top-left (normal, soft), bottom-right. Soft puts the brighter of the
    // two top-left colours on the outside.
    struct Row { TColor tl, tlSoft, br; };
    static constexpr Row table[4] = {
        {cl3DLight, clBtnHighlight, cl3DDkShadow},
        {clBtnShadow, cl3DDkShadow, clBtnHighlight},
        {clBtnHighlight, cl3DLight, clBtnShadow},
        {cl3DDkShadow, clBtnShadow, cl3DLight},
    };
    const Row& row = table[(outer ? 0 : 2) + ((edge & raised) ? 0 : 1)];
    if (!topLeft)
        return row.br;
    return soft ? row.tlSoft : row.tl;
}

// ------------------------------------------------------------------ canvas

TGfxCanvas::TGfxCanvas(QPaintDevice* device) : device_(device)
{
    Font.OnChange = [this](TObject*) { fontValid_ = false; };
    Brush.OnChange = [this](TObject*) { brushValid_ = false; };
}

TGfxCanvas::TGfxCanvas(TGfxBitmap* owner) : TGfxCanvas(static_cast<QPaintDevice*>(nullptr))
{
    owner_ = owner;
}

TGfxCanvas::~TGfxCanvas() { Release(); }

void TGfxCanvas::SetDevice(QPaintDevice* device)
{
    Release();
    device_ = device;
}

void TGfxCanvas::Release()
{
    if (painter_) {
        if (painter_->isActive())
            painter_->end();
        painter_.reset();
    }
}

QPaintDevice* TGfxCanvas::Surface() const
{
    if (owner_)
        return owner_->PaintSurface();
    return device_;
}

QImage* TGfxCanvas::SurfaceImage() const
{
    QPaintDevice* d = Surface();
    return d && d->devType() == QInternal::Image ? static_cast<QImage*>(d) : nullptr;
}

TGfxSize TGfxCanvas::SurfaceSize() const
{
    const QPaintDevice* d = Surface();
    return d ? TGfxSize{d->width(), d->height()} : TGfxSize{};
}

QPainter& TGfxCanvas::Begin()
{
    if (!painter_ || !painter_->isActive()) {
        painter_ = std::make_unique<QPainter>();
        if (QPaintDevice* d = Surface()) {
            painter_->begin(d);
            painter_->setRenderHint(QPainter::Antialiasing, false);
            painter_->setRenderHint(QPainter::TextAntialiasing, false);
            ApplyState();
        }
    }
    return *painter_;
}

// Clip region (device pixels) and window origin onto the running painter.
void TGfxCanvas::ApplyState()
{
    if (!painter_ || !painter_->isActive())
        return;
    painter_->resetTransform();
    // Removing the clip (rather than switching clipping off) matters: Qt
    // keeps a switched-off complex clip, and selecting the same region
    // again would then leave it off.
    if (clip_)
        painter_->setClipRegion(clip_->QtRegion());
    else
        painter_->setClipRegion(QRegion(), Qt::NoClip);
    painter_->translate(-origin_.X, -origin_.Y);
    painter_->setBrushOrigin(origin_.X, origin_.Y);
}

QPainter* TGfxCanvas::Painter()
{
    if (!Surface())
        return nullptr;
    QPainter& p = Begin();
    return p.isActive() ? &p : nullptr;
}

void TGfxCanvas::Changed()
{
    if (OnChange)
        OnChange();
}

void TGfxCanvas::SelectFontAndBrush()
{
    if (!fontValid_) {
        textColor_ = Font.Color();
        fontValid_ = true;
    }
    if (!brushValid_) {
        bkColor_ = Brush.Color();
        bkMode_ = Brush.Style() == bsSolid && !Brush.Bitmap() ? OPAQUE : TRANSPARENT;
        brushValid_ = true;
    }
}

QColor TGfxCanvas::QtColor(TColor c) const { return QColor::fromRgb(GfxColorToQRgb(c)); }

TColor TGfxCanvas::SetTextColor(TColor c)
{
    SelectFontAndBrush();
    return std::exchange(textColor_, c);
}

TColor TGfxCanvas::SetBkColor(TColor c)
{
    SelectFontAndBrush();
    return std::exchange(bkColor_, c);
}

int TGfxCanvas::SetBkMode(int mode)
{
    SelectFontAndBrush();
    return std::exchange(bkMode_, mode == OPAQUE ? OPAQUE : TRANSPARENT);
}

TColor TGfxCanvas::TextColor()
{
    SelectFontAndBrush();
    return textColor_;
}

TColor TGfxCanvas::BkColor()
{
    SelectFontAndBrush();
    return bkColor_;
}

int TGfxCanvas::BkMode()
{
    SelectFontAndBrush();
    return bkMode_;
}

unsigned TGfxCanvas::SetTextAlign(unsigned align) { return std::exchange(textAlign_, align); }

int TGfxCanvas::SetTextCharacterExtra(int extra) { return std::exchange(charExtra_, extra); }

int TGfxCanvas::SetPolyFillMode(int mode)
{
    return std::exchange(fillMode_, mode == WINDING ? WINDING : ALTERNATE);
}

int TGfxCanvas::SetStretchBltMode(int mode)
{
    return std::exchange(stretchMode_, mode >= BLACKONWHITE && mode <= HALFTONE ? mode : COLORONCOLOR);
}

// The pen's raster mode as a composition mode; false when it draws nothing.
bool TGfxCanvas::ApplyPenMode(QPainter& p, QColor& color) const
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (Pen.Mode()) {
    case pmNop: return false;
    case pmBlack: color = Qt::black; break;
    case pmWhite: color = Qt::white; break;
    case pmNot: mode = QPainter::RasterOp_NotDestination; break;
    case pmCopy: break;
    case pmNotCopy: mode = QPainter::RasterOp_NotSource; break;
    case pmMergePenNot: mode = QPainter::RasterOp_SourceOrNotDestination; break;
    case pmMaskPenNot: mode = QPainter::RasterOp_SourceAndNotDestination; break;
    case pmMergeNotPen: mode = QPainter::RasterOp_NotSourceOrDestination; break;
    case pmMaskNotPen: mode = QPainter::RasterOp_NotSourceAndDestination; break;
    case pmMerge: mode = QPainter::RasterOp_SourceOrDestination; break;
    case pmNotMerge: mode = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case pmMask: mode = QPainter::RasterOp_SourceAndDestination; break;
    case pmNotMask: mode = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case pmXor: mode = QPainter::RasterOp_SourceXorDestination; break;
    case pmNotXor: mode = QPainter::RasterOp_NotSourceXorDestination; break;
    }
    p.setCompositionMode(mode);
    return true;
}

QBrush TGfxCanvas::QtBrush(const TGfxBrush& brush)
{
    SelectFontAndBrush();
    if (const TGfxBitmap* pattern = brush.Bitmap(); pattern && !pattern->Empty()) {
        QImage image = pattern->Snapshot(QRect(0, 0, pattern->Width(), pattern->Height()));
        if (pattern->Monochrome()) {
            // Black bits take the text colour, white ones the background.
            const QRgb zero = GfxColorToQRgb(textColor_);
            const QRgb one = GfxColorToQRgb(bkColor_);
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = (line[x] & 0xFFFFFF) ? one : zero;
            }
        }
        return QBrush(image);
    }
    switch (brush.Style()) {
    case bsClear: return QBrush(Qt::NoBrush);
    case bsSolid: return QBrush(QtColor(brush.Color()));
    default: return QBrush(QtColor(brush.Color()), HatchStyle(brush.Style()));
    }
}

// ------------------------------------------------------------------- lines

// The painter set to the pen's raster mode, and the pen's colour (black or
// white for those modes); nullptr when the pen draws nothing.
QPainter* TGfxCanvas::PenPainter(QColor& color)
{
    QPainter* p = Painter();
    color = QtColor(Pen.Color());
    return p && ApplyPenMode(*p, color) ? p : nullptr;
}

void TGfxCanvas::LinePixels(int x0, int y0, int x1, int y1, int& dashStep)
{
    QColor color;
    QPainter* p = x0 == x1 && y0 == y1 ? nullptr : PenPainter(color);
    if (!p)
        return;
    SelectFontAndBrush();
    const QColor gap = QtColor(bkColor_);
    RasterLine(*p, x0, y0, x1, y1, color, bkMode_ == OPAQUE ? &gap : nullptr, DashPattern(Pen.Style()), dashStep);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TGfxCanvas::RasterLine(QPainter& p, int x0, int y0, int x1, int y1, const QColor& color, const QColor* gap,
                            std::span<const int> pattern, int& dashStep)
{
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0)
        return;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int dir = (xMajor ? dx : dy) < 0 ? -1 : 1;
    // Runs of pixels along the major axis that share the minor coordinate
    // and the dash state become one rectangle.
    long long runStart = 0;
    int runX = x0, runY = y0;
    bool runOn = DashOn(pattern, dashStep);
    auto flush = [&](long long end) {
        const int len = static_cast<int>(end - runStart);
        if (len <= 0 || (!runOn && !gap))
            return;
        const QRect r = xMajor ? QRect(dir > 0 ? runX : runX - len + 1, runY, len, 1)
                               : QRect(runX, dir > 0 ? runY : runY - len + 1, 1, len);
        p.fillRect(r, runOn ? color : *gap);
    };
    for (long long i = 0; i < steps; ++i) {
        // The minor coordinate rounds half up.
        int x, y;
        if (xMajor) {
            x = static_cast<int>(x0 + dir * i);
            y = static_cast<int>(y0 + FloorDiv(2 * i * dy + steps, 2 * steps));
        } else {
            y = static_cast<int>(y0 + dir * i);
            x = static_cast<int>(x0 + FloorDiv(2 * i * dx + steps, 2 * steps));
        }
        const bool on = DashOn(pattern, dashStep + i);
        if (i == 0) {
            runX = x;
            runY = y;
            runOn = on;
        } else if ((xMajor ? y != runY : x != runX) || on != runOn) {
            flush(i);
            runStart = i;
            runX = x;
            runY = y;
            runOn = on;
        }
    }
    flush(steps);
    // Only the place in the pattern matters; its period divides 24.
    dashStep = static_cast<int>((dashStep + steps) % 24);
}

void TGfxCanvas::StrokeWithPen(const QPainterPath& path)
{
    QColor color;
    QPainter* painter = Pen.Style() == psClear ? nullptr : PenPainter(color);
    if (!painter)
        return;
    QPainter& p = *painter;
    QPen pen(color);
    const int w = Pen.Width();
    // One-pixel and odd-width strokes run through pixel centres, so a
    // stroke at x covers pixel x whatever the direction of the line.
    QPainterPath stroked = path;
    if (w <= 1 || w % 2 == 1)
        stroked.translate(0.5, 0.5);
    if (w <= 1) {
        pen.setWidth(0);
        switch (Pen.Style()) {
        case psDash: pen.setStyle(Qt::DashLine); break;
        case psDot: pen.setStyle(Qt::DotLine); break;
        case psDashDot: pen.setStyle(Qt::DashDotLine); break;
        case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
        default: break;
        }
    } else {
        pen.setWidth(w);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stroked);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TGfxCanvas::Recorded(const QPainterPath& logical)
{
    if (!recording_)
        return false;
    path_.addPath(logical.translated(-origin_.X, -origin_.Y));
    return true;
}

void TGfxCanvas::LineTo(int x, int y)
{
    const TPoint from = penPos_;
    penPos_ = TPoint{x, y};
    QPainterPath line(QPointF(from.X, from.Y));
    line.lineTo(x, y);
    if (Recorded(line) || Pen.Style() == psClear || !Surface())
        return;
    if (Pen.Width() <= 1) {
        int dash = 0;
        LinePixels(from.X, from.Y, x, y, dash);
    } else {
        StrokeWithPen(line);
    }
    Changed();
}

void TGfxCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    QPainterPath line(QPointF(points[0].X, points[0].Y));
    for (std::size_t i = 1; i < points.size(); ++i)
        line.lineTo(points[i].X, points[i].Y);
    if (Recorded(line) || Pen.Style() == psClear || !Surface())
        return;
    if (Pen.Width() <= 1) {
        int dash = 0;
        for (std::size_t i = 1; i < points.size(); ++i)
            LinePixels(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, dash);
    } else {
        StrokeWithPen(line);
    }
    Changed();
}

// ------------------------------------------------------------------ shapes

// Fills fillPath with the brush and outlines outline with the pen, both
// through the pen's raster mode. A one-pixel solid or dashed pen on a
// polygon outlines it pixel by pixel.
void TGfxCanvas::DrawShape(const QPainterPath& fillPath, const QPainterPath& outline,
                           const std::span<const TPoint>* polygon, const QRectF* ellipse)
{
    QPainter& p = Begin();
    if (!p.isActive())
        return;
    QColor unused;
    if (!ApplyPenMode(p, unused))
        return;
    const QBrush brush = QtBrush(Brush);
    if (brush.style() != Qt::NoBrush) {
        QBrush b = brush;
        if (Pen.Mode() == pmBlack || Pen.Mode() == pmWhite)
            b = QBrush(Pen.Mode() == pmBlack ? Qt::black : Qt::white);
        // Polygons take the pixels whose top-left point is inside. Curved
        // shapes take pixel centres: without a pen they then cover L..R-2
        // like the platform's; under a pen the fill moves half a pixel so
        // that it meets the outline, which runs through pixel centres.
        const double shift = polygon ? GfxFillShift : (Pen.Style() != psClear ? 0.5 : 0.0);
        const QPainterPath shifted = fillPath.translated(shift, shift);
        if (IsHatch(Brush) && bkMode_ == OPAQUE)
            p.fillPath(shifted, QtColor(bkColor_));
        p.fillPath(shifted, b);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Pen.Style() == psClear)
        return;
    if (polygon && Pen.Width() <= 1) {
        const std::span<const TPoint> pts = *polygon;
        int dash = 0;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const TPoint& a = pts[i];
            const TPoint& b = pts[(i + 1) % pts.size()];
            LinePixels(a.X, a.Y, b.X, b.Y, dash);
        }
        return;
    }
    if (ellipse && Pen.Width() <= 1 && (Pen.Style() == psSolid || Pen.Style() == psInsideFrame)) {
        // Qt's midpoint ellipse: symmetric, on the pixels L..R-1.
        QColor color;
        if (!PenPainter(color))
            return;
        p.setPen(QPen(color, 0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(*ellipse);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    StrokeWithPen(outline);
}

void TGfxCanvas::Rectangle(const TRect& rect)
{
    const TRect r = Normalized(rect);
    QPainterPath whole;
    whole.addRect(QRectF(r.Left, r.Top, r.Width(), r.Height()));
    if (Recorded(whole) || r.Width() <= 0 || r.Height() <= 0 || !Surface())
        return;
    QPainterPath fill;
    if (Pen.Style() == psClear) {
        fill.addRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        DrawShape(fill, {}, nullptr, nullptr);
    } else if (Pen.Width() <= 1) {
        fill.addRect(QRectF(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2));
        const std::array<TPoint, 4> corners = {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top},
                                               TPoint{r.Right - 1, r.Bottom - 1},
                                               TPoint{r.Left, r.Bottom - 1}};
        const std::span<const TPoint> outline(corners);
        DrawShape(fill, {}, &outline, nullptr);
    } else {
        QRectF box = OutlineBox(r);
        if (Pen.Style() == psInsideFrame) {
            const double half = Pen.Width() / 2.0;
            box.adjust(half, half, -half, -half);
        }
        fill.addRect(box);
        DrawShape(fill, fill, nullptr, nullptr);
    }
    Changed();
}

void TGfxCanvas::Ellipse(const TRect& rect)
{
    const TRect r = Normalized(rect);
    QPainterPath whole;
    whole.addEllipse(QRectF(r.Left, r.Top, r.Width(), r.Height()));
    if (Recorded(whole) || r.Width() <= 0 || r.Height() <= 0 || !Surface())
        return;
    const QRectF box = OutlineBox(r);
    QPainterPath shape;
    shape.addEllipse(box);
    DrawShape(shape, shape, nullptr, &box);
    Changed();
}

void TGfxCanvas::RoundRect(const TRect& rect, int w, int h)
{
    const TRect r = Normalized(rect);
    const double rx = std::abs(w) / 2.0;
    const double ry = std::abs(h) / 2.0;
    QPainterPath whole;
    whole.addRoundedRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), rx, ry);
    if (Recorded(whole) || r.Width() <= 0 || r.Height() <= 0 || !Surface())
        return;
    QPainterPath shape;
    shape.addRoundedRect(OutlineBox(r), rx, ry);
    DrawShape(shape, shape, nullptr, nullptr);
    Changed();
}

void TGfxCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    const QPainterPath shape = GfxPolygonPath(points, fillMode_);
    if (Recorded(shape) || !Surface())
        return;
    // The fill takes exactly the pixels of the polygon's region.
    QPainterPath pixels;
    pixels.setFillRule(Qt::WindingFill);
    pixels.addRegion(TGfxRgn::Polygon(points, fillMode_).QtRegion());
    DrawShape(pixels, shape, &points, nullptr);
    Changed();
}

void TGfxCanvas::Arc(const TRect& rect, TPoint start, TPoint end) { ArcOrPie(rect, start, end, false); }

void TGfxCanvas::Pie(const TRect& rect, TPoint start, TPoint end) { ArcOrPie(rect, start, end, true); }

void TGfxCanvas::ArcOrPie(const TRect& rect, TPoint start, TPoint end, bool pie)
{
    const TRect r = Normalized(rect);
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    const QPainterPath path = ArcPath(OutlineBox(r), start, end, pie);
    if (Recorded(path) || !Surface())
        return;
    if (pie)
        DrawShape(path, path, nullptr, nullptr);
    else
        StrokeWithPen(path);
    Changed();
}

// The painter and Qt brush of a brush fill; nullptr when nothing shows.
QPainter* TGfxCanvas::BrushFill(const TGfxBrush& brush, QBrush& qtBrush)
{
    QPainter* p = Painter();
    if (!p)
        return nullptr;
    qtBrush = QtBrush(brush);
    return qtBrush.style() == Qt::NoBrush ? nullptr : p;
}

// A hatch in opaque background mode first takes the background colour.
void TGfxCanvas::FillArea(QPainter& p, const QRect& r, const QBrush& qtBrush, const TGfxBrush& brush)
{
    if (IsHatch(brush) && bkMode_ == OPAQUE)
        p.fillRect(r, QtColor(bkColor_));
    p.fillRect(r, qtBrush);
}

void TGfxCanvas::FillRect(const TRect& rect)
{
    const TRect r = Normalized(rect);
    QBrush brush;
    QPainter* p = r.Width() > 0 && r.Height() > 0 ? BrushFill(Brush, brush) : nullptr;
    if (!p)
        return;
    FillArea(*p, GfxToQRect(r), brush, Brush);
    Changed();
}

void TGfxCanvas::FrameRect(const TRect& rect)
{
    const TRect r = Normalized(rect);
    QBrush brush;
    QPainter* p = r.Width() > 0 && r.Height() > 0 ? BrushFill(Brush, brush) : nullptr;
    if (!p)
        return;
    FillArea(*p, QRect(r.Left, r.Top, r.Width(), 1), brush, Brush);
    if (r.Height() > 1)
        FillArea(*p, QRect(r.Left, r.Bottom - 1, r.Width(), 1), brush, Brush);
    if (r.Height() > 2) {
        FillArea(*p, QRect(r.Left, r.Top + 1, 1, r.Height() - 2), brush, Brush);
        if (r.Width() > 1)
            FillArea(*p, QRect(r.Right - 1, r.Top + 1, 1, r.Height() - 2), brush, Brush);
    }
    Changed();
}

void TGfxCanvas::DrawFocusRect(const TRect& rect)
{
    const TRect r = Normalized(rect);
    if (r.Width() <= 0 || r.Height() <= 0 || !Surface())
        return;
    QPainter& p = Begin();
    if (!p.isActive())
        return;
    QPolygon dots;
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Height() > 1)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Width() > 1)
            dot(r.Right - 1, y);
    }
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 0));
    p.drawPoints(dots);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Changed();
}

TColor TGfxCanvas::Pixel(int x, int y)
{
    const int dx = x - origin_.X;
    const int dy = y - origin_.Y;
    if (owner_)
        return owner_->PixelAt(dx, dy);
    const QImage* image = SurfaceImage();
    if (!image || !image->valid(dx, dy))
        return GfxInvalidColor;
    return GfxColorFromQRgb(image->pixel(dx, dy));
}

void TGfxCanvas::SetPixel(int x, int y, TColor c)
{
    if (!Surface())
        return;
    QPainter& p = Begin();
    if (!p.isActive())
        return;
    p.fillRect(QRect(x, y, 1, 1), QtColor(c));
    Changed();
}

// -------------------------------------------------------------------- text

struct TGfxCanvas::TextLayout {
    struct Line {
        QString text;
        int underline = -1;  // index of the prefixed character
        int width = 0;
    };
    std::vector<Line> lines;
    int lineHeight = 0;
    int ascent = 0;
    int tabWidth = 0;
};

namespace {

// "&x" marks x (the first one is underlined), "&&" is one "&".
QString StripPrefixes(const QString& text, int& underline)
{
    QString out;
    out.reserve(text.size());
    underline = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&') && underline < 0)
                underline = static_cast<int>(out.size());
        }
        out += text[i];
    }
    return out;
}

int LineWidth(const QFontMetrics& fm, const QString& text, int tabWidth)
{
    if (tabWidth <= 0 || !text.contains(QLatin1Char('\t')))
        return fm.horizontalAdvance(text);
    int x = 0;
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (x / tabWidth + 1) * tabWidth;
        x += fm.horizontalAdvance(parts[i]);
    }
    return x;
}

}  // namespace

TGfxCanvas::TextLayout TGfxCanvas::LayoutText(const QString& text, const TRect& rect, unsigned flags,
                                              const QFont& font)
{
    const QFontMetrics fm(font);
    TextLayout layout;
    layout.ascent = fm.ascent();
    layout.lineHeight = fm.ascent() + fm.descent() + ((flags & DT_EXTERNALLEADING) ? fm.leading() : 0);
    layout.tabWidth = (flags & DT_EXPANDTABS) ? 8 * fm.averageCharWidth() : 0;
    const bool prefixes = !(flags & DT_NOPREFIX);

    QStringList paragraphs;
    if (flags & DT_SINGLELINE) {
        paragraphs << text;
    } else {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        paragraphs = t.split(QLatin1Char('\n'));
    }
    const int limit = rect.Width();
    for (const QString& para : paragraphs) {
        int underline = -1;
        const QString shown = prefixes ? StripPrefixes(para, underline) : para;
        if (!(flags & DT_WORDBREAK) || (flags & DT_SINGLELINE)) {
            layout.lines.push_back({shown, underline, LineWidth(fm, shown, layout.tabWidth)});
            continue;
        }
        // Greedy word wrap at blanks; a word wider than the rectangle keeps
        // a line of its own.
        qsizetype start = 0;
        while (start <= shown.size()) {
            qsizetype end = shown.size();
            if (LineWidth(fm, shown.mid(start), layout.tabWidth) > limit) {
                qsizetype lastFit = -1;
                for (qsizetype i = start; i < shown.size(); ++i)
                    if (shown[i] == QLatin1Char(' ') &&
                        LineWidth(fm, shown.mid(start, i - start), layout.tabWidth) <= limit)
                        lastFit = i;
                if (lastFit < 0) {
                    const qsizetype blank = shown.indexOf(QLatin1Char(' '), start);
                    lastFit = blank < 0 ? shown.size() : blank;
                }
                end = lastFit;
            }
            const QString piece = shown.mid(start, end - start);
            const int mark = underline >= start && underline < end ? static_cast<int>(underline - start) : -1;
            layout.lines.push_back({piece, mark, LineWidth(fm, piece, layout.tabWidth)});
            start = end + 1;
            while (start < shown.size() && shown[start] == QLatin1Char(' '))
                ++start;
            if (end >= shown.size())
                break;
        }
    }
    return layout;
}

// One line of text at (x, baseline) with the current colours, into the
// path while one is open.
void TGfxCanvas::TextLine(int x, int baseline, const QString& text, int underline, const QFont& font)
{
    const QFontMetrics fm(font);
    if (recording_) {
        path_.addText(QPointF(x - origin_.X, baseline - origin_.Y), font, text);
        return;
    }
    QPainter& p = Begin();
    if (!p.isActive())
        return;
    p.setFont(font);
    p.setPen(QtColor(textColor_));
    if (!text.contains(QLatin1Char('\t'))) {
        p.drawText(QPoint(x, baseline), text);
    } else {
        const int tab = 8 * fm.averageCharWidth();
        int at = x;
        const QStringList parts = text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                at = x + ((at - x) / tab + 1) * tab;
            p.drawText(QPoint(at, baseline), parts[i]);
            at += fm.horizontalAdvance(parts[i]);
        }
    }
    if (underline >= 0 && underline < text.size()) {
        const int ux = x + fm.horizontalAdvance(text.left(underline));
        const int uw = fm.horizontalAdvance(text.mid(underline, 1));
        p.fillRect(QRect(ux, baseline + fm.underlinePos(), uw, std::max(1, fm.lineWidth())), QtColor(textColor_));
    }
}

void TGfxCanvas::TextOut(int x, int y, const QString& text) { ExtTextOut(x, y, 0, nullptr, text); }

void TGfxCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text)
{
    if (!Surface() && !recording_)
        return;
    SelectFontAndBrush();
    if (textAlign_ & TA_UPDATECP) {
        x = penPos_.X;
        y = penPos_.Y;
    }
    const QFont font = Font.ToQFont(charExtra_);
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(text);
    const int ascent = fm.ascent();
    const int height = ascent + fm.descent();
    int left = 0;
    if ((textAlign_ & TA_CENTER) == TA_CENTER)
        left = -width / 2;
    else if (textAlign_ & TA_RIGHT)
        left = -width;
    int baseline = ascent;
    if ((textAlign_ & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (textAlign_ & TA_BOTTOM)
        baseline = -fm.descent();
    const double angle = -Font.Escapement() / 10.0;

    if (recording_) {
        QPainterPath glyphs;
        glyphs.addText(QPointF(left, baseline), font, text);
        QTransform t;
        t.translate(x - origin_.X, y - origin_.Y);
        t.rotate(angle);
        path_.addPath(t.map(glyphs));
    } else {
        QPainter& p = Begin();
        if (!p.isActive())
            return;
        p.save();
        if (rect && (options & ETO_OPAQUE))
            p.fillRect(GfxToQRect(Normalized(*rect)), QtColor(bkColor_));
        if (rect && (options & ETO_CLIPPED))
            p.setClipRect(GfxToQRect(Normalized(*rect)), Qt::IntersectClip);
        p.translate(x, y);
        p.rotate(angle);
        if (bkMode_ == OPAQUE)
            p.fillRect(QRect(left, baseline - ascent, width, height), QtColor(bkColor_));
        p.setFont(font);
        p.setPen(QtColor(textColor_));
        p.drawText(QPoint(left, baseline), text);
        p.restore();
        Changed();
    }
    if (textAlign_ & TA_UPDATECP) {
        const double rad = angle * std::numbers::pi / 180.0;
        penPos_.X += GfxRound(std::cos(rad) * width);
        penPos_.Y += GfxRound(std::sin(rad) * width);
    }
}

int TGfxCanvas::DrawText(const QString& text, TRect& rect, unsigned flags)
{
    SelectFontAndBrush();
    const QFont font = Font.ToQFont(charExtra_);
    TextLayout layout = LayoutText(text, rect, flags, font);
    const int total = layout.lineHeight * static_cast<int>(layout.lines.size());
    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : layout.lines)
            widest = std::max(widest, line.width);
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + total;
        return total;
    }
    if (!Surface() && !recording_)
        return total;
    const QFontMetrics fm(font);
    int y = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_BOTTOM)
            y = rect.Bottom - layout.lineHeight;
        else if (flags & DT_VCENTER)
            y = rect.Top + (rect.Height() - layout.lineHeight) / 2;
    }
    const bool clip = !(flags & DT_NOCLIP) && !recording_;
    if (clip) {
        QPainter& p = Begin();
        if (!p.isActive())
            return total;
        p.save();
        p.setClipRect(GfxToQRect(Normalized(rect)), Qt::IntersectClip);
    }
    for (auto& line : layout.lines) {
        if ((flags & DT_END_ELLIPSIS) && line.width > rect.Width()) {
            line.text = fm.elidedText(line.text, Qt::ElideRight, std::max(0, rect.Width()));
            line.width = fm.horizontalAdvance(line.text);
            if (line.underline >= line.text.size())
                line.underline = -1;
        }
        int x = rect.Left;
        if (flags & DT_RIGHT)
            x = rect.Right - line.width;
        else if (flags & DT_CENTER)
            x = rect.Left + (rect.Width() - line.width) / 2;
        if (bkMode_ == OPAQUE && !recording_)
            Begin().fillRect(QRect(x, y, line.width, layout.lineHeight), QtColor(bkColor_));
        TextLine(x, y + layout.ascent, line.text, line.underline, font);
        y += layout.lineHeight;
    }
    if (clip)
        painter_->restore();
    Changed();
    return total;
}

TGfxSize TGfxCanvas::TextExtent(const QString& text)
{
    const QFontMetrics fm(Font.ToQFont(charExtra_));
    return TGfxSize{fm.horizontalAdvance(text), fm.ascent() + fm.descent()};
}

// ------------------------------------------------------------------ copies

QImage TGfxCanvas::SourcePixels(TGfxCanvas& source, const TRect& sourceRect, const QSize& destSize)
{
    const QRect area(sourceRect.Left - source.origin_.X, sourceRect.Top - source.origin_.Y,
                     sourceRect.Width(), sourceRect.Height());
    QImage pixels;
    bool mono = false;
    if (source.owner_) {
        pixels = source.owner_->Snapshot(area);
        mono = source.owner_->Monochrome();
    } else if (const QImage* image = source.SurfaceImage()) {
        pixels = image->copy(area).convertToFormat(QImage::Format_RGB32);
    }
    if (pixels.isNull())
        return pixels;
    if (pixels.size() != destSize)
        pixels = pixels.scaled(destSize, Qt::IgnoreAspectRatio,
                               stretchMode_ == HALFTONE ? Qt::SmoothTransformation : Qt::FastTransformation);
    SelectFontAndBrush();
    const bool monoDest = owner_ && owner_->Monochrome();
    if (mono && !monoDest) {
        // Black (0) bits take this canvas's text colour, white (1) bits its
        // background colour.
        const QRgb zero = GfxColorToQRgb(textColor_);
        const QRgb one = GfxColorToQRgb(bkColor_);
        for (int y = 0; y < pixels.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) ? one : zero;
        }
    } else if (!mono && monoDest) {
        // The source's background colour becomes white, the rest black.
        const QRgb bk = GfxColorToQRgb(source.BkColor()) & 0xFFFFFF;
        for (int y = 0; y < pixels.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) == bk ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    return pixels;
}

void TGfxCanvas::CopyRect(const TRect& destRect, TGfxCanvas& source, const TRect& sourceRect)
{
    const TRect dest = Normalized(destRect);
    const TRect src = Normalized(sourceRect);
    if (dest.Width() <= 0 || dest.Height() <= 0 || !Surface())
        return;
    QPainter* p = nullptr;
    switch (CopyMode) {
    case cmBlackness:
    case cmWhiteness:
    case cmDstInvert:
        p = &Begin();
        if (!p->isActive())
            return;
        if (CopyMode == cmDstInvert)
            p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(GfxToQRect(dest), CopyMode == cmWhiteness ? Qt::white : Qt::black);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        Changed();
        return;
    default:
        break;
    }
    if (src.Width() <= 0 || src.Height() <= 0)
        return;
    const QImage pixels = SourcePixels(source, src, QSize(dest.Width(), dest.Height()));
    if (pixels.isNull())
        return;
    p = &Begin();
    if (!p->isActive())
        return;
    p->setCompositionMode(CopyComposition(CopyMode));
    p->drawImage(QPoint(dest.Left, dest.Top), pixels);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Changed();
}

void TGfxCanvas::Draw(int x, int y, TGfxBitmap& bitmap)
{
    StretchDraw(TRect{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TGfxCanvas::StretchDraw(const TRect& dest, TGfxBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const TGfxCopyMode saved = std::exchange(CopyMode, cmSrcCopy);
    CopyRect(dest, bitmap.Canvas(), TRect{0, 0, bitmap.Width(), bitmap.Height()});
    CopyMode = saved;
}

// ------------------------------------------------------------ clip, origin

void TGfxCanvas::SelectClipRgn(const TGfxRgn* region)
{
    if (region)
        clip_ = *region;
    else
        clip_.reset();
    ApplyState();
}

void TGfxCanvas::IntersectClipRect(const TRect& r)
{
    TRect device = Normalized(r);
    GfxOffsetRect(device, -origin_.X, -origin_.Y);
    TGfxRgn region = TGfxRgn::Rect(device);
    if (clip_)
        region.Combine(*clip_, region, RGN_AND);
    SelectClipRgn(&region);
}

TRect TGfxCanvas::ClipRect() const
{
    TRect box;
    if (clip_) {
        box = clip_->Box();
    } else {
        const TGfxSize size = SurfaceSize();
        box = TRect{0, 0, size.cx, size.cy};
    }
    GfxOffsetRect(box, origin_.X, origin_.Y);
    return box;
}

TPoint TGfxCanvas::SetWindowOrg(int x, int y)
{
    const TPoint old = std::exchange(origin_, TPoint{x, y});
    ApplyState();
    return old;
}

// ----------------------------------------------------------------- regions

void TGfxCanvas::FillRgn(const TGfxRgn& region, const TGfxBrush& brush)
{
    QBrush qtBrush;
    QPainter* p = region.IsEmpty() ? nullptr : BrushFill(brush, qtBrush);
    if (!p)
        return;
    p->save();
    p->resetTransform();  // the region is in device pixels
    p->setBrushOrigin(0, 0);
    for (const QRect& r : region.QtRegion())
        FillArea(*p, r, qtBrush, brush);
    p->restore();
    Changed();
}

void TGfxCanvas::FrameRgn(const TGfxRgn& region, const TGfxBrush& brush, int w, int h)
{
    FillRgn(region.Frame(w, h), brush);
}

// ------------------------------------------------------------------- paths

void TGfxCanvas::BeginPath()
{
    path_ = QPainterPath();
    recording_ = true;
}

void TGfxCanvas::EndPath()
{
    recording_ = false;
    path_.setFillRule(fillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

void TGfxCanvas::AbortPath()
{
    recording_ = false;
    path_ = QPainterPath();
}

void TGfxCanvas::StrokePath() { DrawPath(true, false); }

void TGfxCanvas::FillPath() { DrawPath(false, true); }

void TGfxCanvas::StrokeAndFillPath() { DrawPath(true, true); }

// Draws the closed path (kept in device pixels) and uses it up.
void TGfxCanvas::DrawPath(bool stroke, bool fill)
{
    if (recording_ || path_.isEmpty())
        return;
    QPainterPath logical = path_;
    logical.translate(origin_.X, origin_.Y);
    path_ = QPainterPath();
    if (!Surface())
        return;
    if (fill)
        DrawShape(logical, stroke ? logical : QPainterPath(), nullptr, nullptr);
    else
        StrokeWithPen(logical);
    Changed();
}

void TGfxCanvas::WidenPath()
{
    if (recording_ || path_.isEmpty())
        return;
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1, Pen.Width()));
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath widened = stroker.createStroke(path_);
    widened.setFillRule(Qt::WindingFill);
    path_ = widened;
}

TGfxRgn TGfxCanvas::PathToRegion()
{
    if (recording_)
        return {};
    const TGfxRgn region = TGfxRgn::FromPath(path_);
    path_ = QPainterPath();
    return region;
}

// ----------------------------------------------------------------- palette

const TGfxPalette* TGfxCanvas::SelectPalette(const TGfxPalette* palette, bool)
{
    return std::exchange(palette_, palette);
}

int TGfxCanvas::RealizePalette()
{
    return palette_ ? static_cast<int>(palette_->Entries.size()) : 0;
}

// ------------------------------------------------------------------- edges

bool TGfxCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags)
{
    TRect r = Normalized(rect);
    if (!Surface())
        return false;
    QPainter& p = Begin();
    if (!p.isActive())
        return false;
    auto line = [&](const QRect& q, TColor c) {
        if (c != clNone && q.width() > 0 && q.height() > 0)
            p.fillRect(q, QtColor(c));
    };
    if (flags & BF_DIAGONAL) {
        // One line per edge part from the corner opposite the end corner to
        // the end corner; the inner part one pixel inside. The part's colour
        // is the top-left one when the end corner is on the top side.
        const bool endTop = (flags & BF_TOP) != 0;
        const bool endRight = (flags & BF_RIGHT) != 0;
        const TPoint end{endRight ? r.Right - 1 : r.Left, endTop ? r.Top : r.Bottom - 1};
        const TPoint start{endRight ? r.Left : r.Right - 1, endTop ? r.Bottom - 1 : r.Top};
        for (int part = 0; part < 2; ++part) {
            const TColor c = GfxEdgeColor(edge, flags, part == 0, endTop);
            if (c == clNone)
                continue;
            int dash = 0;
            const int shift = part == 0 ? 0 : (endRight == endTop ? 1 : -1);
            RasterLine(p, start.X + shift, start.Y, end.X + shift, end.Y, QtColor(c), nullptr, {}, dash);
            if (end.X + shift >= r.Left && end.X + shift < r.Right)
                line(QRect(end.X + shift, end.Y, 1, 1), c);
        }
        if (flags & BF_MIDDLE) {
            const std::array<TPoint, 3> triangle = {start, end, TPoint{end.X, start.Y}};
            QPainterPath t;
            t.addPolygon(QPolygonF({QPointF(triangle[0].X, triangle[0].Y), QPointF(triangle[1].X, triangle[1].Y),
                                    QPointF(triangle[2].X, triangle[2].Y)}));
            p.fillPath(t.translated(GfxFillShift, GfxFillShift), QtColor((flags & BF_MONO) ? clWindow : clBtnFace));
        }
        Changed();
        return true;
    }
    for (int part = 0; part < 2; ++part) {
        const bool outer = part == 0;
        const TColor tl = GfxEdgeColor(edge, flags, outer, true);
        const TColor br = GfxEdgeColor(edge, flags, outer, false);
        if (tl == clNone && br == clNone)
            continue;
        if (r.Width() <= 0 || r.Height() <= 0)
            break;
        // The top-left sides first, so the bottom-right sides own the
        // top-right and bottom-left corners.
        if (flags & BF_LEFT)
            line(QRect(r.Left, r.Top, 1, r.Height()), tl);
        if (flags & BF_TOP)
            line(QRect(r.Left, r.Top, r.Width(), 1), tl);
        if (flags & BF_RIGHT)
            line(QRect(r.Right - 1, r.Top, 1, r.Height()), br);
        if (flags & BF_BOTTOM)
            line(QRect(r.Left, r.Bottom - 1, r.Width(), 1), br);
        if (flags & BF_LEFT)
            ++r.Left;
        if (flags & BF_TOP)
            ++r.Top;
        if (flags & BF_RIGHT)
            --r.Right;
        if (flags & BF_BOTTOM)
            --r.Bottom;
    }
    if ((flags & BF_MIDDLE) && r.Width() > 0 && r.Height() > 0)
        line(GfxToQRect(r), (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        rect = r;
    Changed();
    return true;
}
