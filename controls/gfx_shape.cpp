#include "gfx_shape.h"

#include "gfx_application.h"
#include "gfx_draw.h"
#include "gfx_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

// ------------------------------------------------------------ sub-objects

void TGfxSimpleBevel::SetWidth(int Value)
{
    SetProp(width_, static_cast<TGfxBevelWidth>(std::clamp(Value, 0, MaxWidth)));
}

void TGfxSimpleBevel::SetColorIndex(int Index, TColor Value) { SetProp(colors_[std::clamp(Index, 0, 2)], Value); }

void TGfxSimpleBevel::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxSimpleBevel*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    for (int i = 0; i < 3; ++i)
        SetColorIndex(i, src->colors_[i]);
    SetWidth(src->width_);
    SetStyle(src->style_);
    EndUpdate(true);
}

QString TGfxSimpleBevel::GetDescription() const
{
    static constexpr std::array<const char*, 3> names = {"Normal", "Inset", "Offset"};
    return QStringLiteral("{") + QString::fromLatin1(names[style_]) + QStringLiteral("}");
}

void TGfxShadow::SetDepth(int Value)
{
    SetProp(depth_, static_cast<TGfxShadowDepth>(std::clamp(Value, 0, MaxDepth)));
}

void TGfxShadow::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxShadow*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetColor(src->color_);
    SetDepth(src->depth_);
    SetStyle(src->style_);
    EndUpdate(true);
}

QString TGfxShadow::GetDescription() const
{
    if (style_ == hssNone)
        return QStringLiteral("{Disabled}");
    return QStringLiteral("{") + (style_ == hssSolid ? QStringLiteral("solid") : QStringLiteral("tracing")) +
           QStringLiteral(", ") + QString::number(depth_) + QStringLiteral("}");
}

void TGfxTeeth::SetCount(int Value) { SetProp(count_, static_cast<TGfxTeethCount>(std::clamp(Value, 0, MaxCount))); }

void TGfxTeeth::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxTeeth*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetCount(src->count_);
    SetDirection(src->direction_);
    SetFlag(0, src->flags_[0]);
    SetFlag(1, src->flags_[1]);
    SetSize(0, src->size_[0]);
    SetSize(1, src->size_[1]);
    EndUpdate(true);
}

// ------------------------------------------------------------- point list

std::uint32_t TGfxPointList::Pack(TPoint Point)
{
    const auto x = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(Point.X, -32768, 32767)));
    const auto y = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(Point.Y, -32768, 32767)));
    return (std::uint32_t{x} << 16) | y;
}

TPoint TGfxPointList::Unpack(std::uint32_t Item)
{
    return TPoint{static_cast<std::int16_t>(Item >> 16), static_cast<std::int16_t>(Item & 0xFFFF)};
}

TPoint TGfxPointList::GetPoint(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return Unpack(items_[static_cast<std::size_t>(Index)]);
}

void TGfxPointList::SetPoint(int Index, TPoint Point)
{
    if (Index < 0 || Index >= Count())
        return;
    items_[static_cast<std::size_t>(Index)] = Pack(Point);
    Changed();
}

void TGfxPointList::AddPoint(TPoint Point)
{
    items_.push_back(0);
    SetPoint(Count() - 1, Point);
    Changed();
}

void TGfxPointList::Clear()
{
    items_.clear();
    Changed();
}

std::vector<TPoint> TGfxPointList::Points() const
{
    std::vector<TPoint> out;
    out.reserve(items_.size());
    for (std::uint32_t item : items_)
        out.push_back(Unpack(item));
    return out;
}

void TGfxPointList::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TGfxPointList::Changed()
{
    if (updateCount_ < 1 && OnChange)
        OnChange(this);
}

void GfxOffsetPointList(TGfxPointList& List, int Dx, int Dy)
{
    List.BeginUpdate();
    for (int i = 0; i < List.Count(); ++i) {
        const TPoint p = List.GetPoint(i);
        List.SetPoint(i, TPoint{p.X + Dx, p.Y + Dy});
    }
    List.EndUpdate();
}

void GfxOffsetPointArray(std::span<TPoint> Points, int Count, int Dy, int Dx)
{
    GfxOffsetPoints(Points, Count - 1, Dx, Dy);
}

// ---------------------------------------------------------------- outline

void GfxStarPoints(const TRect& Box, std::vector<TPoint>& Out)
{
    const int L = Box.Left, T = Box.Top, R = Box.Right, B = Box.Bottom;
    const int W = R - L, H = B - T;
    auto x = [&](double f) { return L + GfxRound(f * W); };
    auto y = [&](double f) { return T + GfxRound(f * H); };
    Out.insert(Out.end(), {
        TPoint{L + W / 2, T}, TPoint{x(0.65), y(0.38)}, TPoint{R, y(0.38)}, TPoint{x(0.7), y(0.6)},
        TPoint{x(0.85), B}, TPoint{L + W / 2, y(0.75)}, TPoint{x(0.15), B}, TPoint{x(0.3), y(0.6)},
        TPoint{L, y(0.38)}, TPoint{x(0.35), y(0.38)},
    });
}

void GfxWithClip(TGfxCanvas& Canvas, TGfxRgn Region, const std::function<void()>& Draw)
{
    TGfxClipScope scope(Canvas);
    const TPoint origin = Canvas.WindowOrg();
    Region.Offset(-origin.X, -origin.Y);
    if (const std::optional<TGfxRgn> clip = Canvas.ClipRegion())
        Region.Combine(Region, *clip, RGN_AND);
    Canvas.SelectClipRgn(&Region);
    Draw();
}

namespace {

// The number of outer points of each shape type (the list holds as many
// inset points after them).
int OuterCount(TGfxShapeType type)
{
    static constexpr std::array<int, 11> counts = {2, 2, 3, 3, 3, 3, 3, 4, 6, 8, 10};
    return type <= stStar ? counts[type] : 0;
}

int RoundOf(double v) { return GfxRound(v); }

// The polygon of the box with one toothed edge.
void TeethPoints(const TRect& box, TGfxTeeth& teeth, std::vector<TPoint>& out)
{
    const TGfxDirection dir = teeth.Direction();
    const bool vertical = dir == tdRight || dir == tdLeft;  // the edge runs down the box
    const int length = vertical ? box.Height() : box.Width();
    const int stepIndex = vertical ? 1 : 0;  // the size that steps along the edge
    int step = stepIndex == 0 ? teeth.Width() : teeth.Height();
    int n = 0;
    if (teeth.SetPerCount()) {
        n = teeth.Count() * 2;
        if (n > 0) {
            step = RoundOf(static_cast<double>(length) / n);
            teeth.StoreStep(stepIndex, step);
        }
    } else if (step > 0) {
        n = RoundOf(static_cast<double>(length) / step) * 2;
    }
    const int depth = vertical ? teeth.Width() : teeth.Height();
    const int L = box.Left, T = box.Top, R = box.Right, B = box.Bottom;

    // Start of the edge, its direction, the inward direction, and the box's
    // corners from the edge's far end round to its start.
    TPoint start, along, inward;
    std::array<TPoint, 4> corners;
    switch (dir) {
    case tdRight: start = {R, T}; along = {0, 1}; inward = {-1, 0}; corners = {{{R, B}, {L, B}, {L, T}, {R, T}}}; break;
    case tdLeft: start = {L, T}; along = {0, 1}; inward = {1, 0}; corners = {{{L, B}, {R, B}, {R, T}, {L, T}}}; break;
    case tdDown: start = {L, B}; along = {1, 0}; inward = {0, -1}; corners = {{{R, B}, {R, T}, {L, T}, {L, B}}}; break;
    case tdUp:
    default: start = {L, T}; along = {1, 0}; inward = {0, 1}; corners = {{{R, T}, {R, B}, {L, B}, {L, T}}}; break;
    }
    if (n <= 0 || step <= 0) {
        // No teeth: the plain box.
        out.insert(out.end(), corners.begin(), corners.end());
        return;
    }
    const bool offset = teeth.Offset();
    auto moved = [&](TPoint p, int phase) {
        return TPoint{p.X + inward.X * depth * phase, p.Y + inward.Y * depth * phase};
    };
    const int edgePhase = offset ? 0 : 1;
    out.push_back(moved(corners[0], edgePhase));
    out.push_back(corners[1]);
    out.push_back(corners[2]);
    out.push_back(moved(corners[3], edgePhase));
    auto phaseOf = [offset](int i) { return offset ? i % 2 : (i + 1) % 2; };
    for (int i = 0; i <= n; ++i) {
        const int at = std::min(i * step, length);
        out.push_back(moved(TPoint{start.X + along.X * at, start.Y + along.Y * at}, phaseOf(i)));
    }
    out.push_back(moved(TPoint{start.X + along.X * length, start.Y + along.Y * length}, phaseOf(n)));
}

void OuterAndInset(const TRect& box, TGfxShapeType type, int hi, int lo, int d, int percent, std::vector<TPoint>& out)
{
    const int L = box.Left, T = box.Top, R = box.Right, B = box.Bottom;
    const int W = R - L, H = B - T;
    const int cx = L + W / 2, cy = T + H / 2;
    switch (type) {
    case stEllipse:
    case stRectangle:
        out = {{L, T}, {R, B}, {L + hi, T + hi}, {R - lo, B - lo}};
        break;
    case stRoundRect: {
        const int c = std::min(W, H) * percent / 100;
        out = {{L, T}, {R, B}, {c, c}, {L + hi, T + hi}, {R, B}, {c + d, c + d}};
        break;
    }
    case stDirectUp:
        out = {{cx, T}, {R, B}, {L, B}, {cx, T + hi}, {R - lo, B - lo}, {L + 2 * hi, B}};
        break;
    case stDirectRight:
        out = {{L, T}, {R, cy}, {L, B}, {L + hi, T + hi}, {R - lo, cy}, {L + hi, B - lo}};
        break;
    case stDirectDown:
        out = {{L, T}, {R, T}, {cx, B}, {L + hi, T + hi}, {R - lo, T + hi}, {cx, B}};
        break;
    case stDirectLeft:
        out = {{R, T}, {L, cy}, {R, B}, {R - lo, T + hi}, {L + hi, cy}, {R - lo, B - lo}};
        break;
    case stDiamond:
        out = {{cx, T}, {R, cy}, {cx, B}, {L, cy}, {cx, T + hi}, {R - lo, cy}, {cx, B - lo}, {L + hi, cy}};
        break;
    case stComb: {
        const int s = RoundOf(H / 5.0);
        out = {{cx, T}, {R, T + s}, {R, T + 4 * s}, {cx, B}, {L, T + 4 * s}, {L, T + s},
               {cx, T + hi}, {R - lo, T + s + hi}, {R - lo, T + 4 * s + hi}, {cx, B - lo}, {L + hi, T + 4 * s + hi},
               {L + hi, T + s + hi}};
        break;
    }
    case stOctagon: {
        const double k = 2.0 + std::sqrt(2.0);
        const int a = RoundOf(W / k), b = RoundOf(H / k);
        const int a2 = a + RoundOf(std::sqrt(2.0) * a), b2 = b + RoundOf(std::sqrt(2.0) * b);
        out = {{L + a, T}, {L + a2, T}, {R, T + b}, {R, T + b2}, {L + a2, B}, {L + a, B}, {L, T + b2}, {L, T + b},
               {L + a + hi, T + hi}, {L + a2 + hi, T + hi}, {R - lo, T + b + hi}, {R - lo, T + b2 + hi},
               {L + a2 + hi, B - lo}, {L + a + hi, B - lo}, {L + hi, T + b2 + hi}, {L + hi, T + b + hi}};
        break;
    }
    case stStar:
        out.clear();
        GfxStarPoints(TRect{L, T, R, B}, out);
        GfxStarPoints(TRect{L + lo, T + hi, R - lo, B - lo}, out);
        break;
    }
}

}  // namespace

void GfxShapeOutline(const TRect& Rect, TGfxShapeType ShapeType, TGfxTeeth* Teeth, TGfxPointList& List,
                     const TGfxShadow* Shadow, const TGfxSimpleBevel* Bevel, int RoundPercent, bool Square)
{
    const int d = Shadow ? Shadow->Room() : 0;
    const int bw = Bevel && !Teeth ? Bevel->Width() : 1;
    const int hi = bw >> 1;
    const int lo = (bw - 1) / 2;
    const int W = Rect.Width(), H = Rect.Height();
    TRect box{d, d, W, H};
    if (Square) {
        if (W > H) {
            const int dx = (W - H) / 2;
            box = TRect{dx + d, d, W - dx, H};
        } else {
            const int dy = (H - W) / 2;
            box = TRect{d, dy + d, W, H - dy};
        }
    }
    std::vector<TPoint> points;
    if (Teeth)
        TeethPoints(box, *Teeth, points);
    else
        OuterAndInset(box, ShapeType, hi, lo, d, RoundPercent, points);
    List.BeginUpdate();
    List.Clear();
    for (const TPoint& p : points)
        List.AddPoint(p);
    List.EndUpdate();
}

// ---------------------------------------------------------------- painting

TGfxRgn GfxDiagonalHalf(const TRect& Box, bool UpperLeft)
{
    const int w = std::max(Box.Width(), 1), h = std::max(Box.Height(), 1);
    // The diagonal from (Left, Bottom) to (Right, Top), carried one box size
    // further at both ends, and the far corner of the chosen side.
    const TPoint a{Box.Left - w, Box.Bottom + h};
    const TPoint b{Box.Right + w, Box.Top - h};
    const TPoint corner = UpperLeft ? TPoint{Box.Left - w, Box.Top - h} : TPoint{Box.Right + w, Box.Bottom + h};
    // Every paint of a bevelled shape asks for both halves of the same box,
    // and scanning them cost more than the lines they clip: the last box's
    // halves are kept (a region is shared, not copied, when handed out).
    struct Kept {
        TRect box;
        TGfxRgn half;
        bool valid = false;
    };
    thread_local std::array<Kept, 2> kept;
    Kept& k = kept[UpperLeft ? 0 : 1];
    if (!k.valid || !(k.box == Box))
        k = {Box, TGfxRgn::Polygon(std::array<TPoint, 3>{a, b, corner}), true};
    return k.half;
}

void GfxTracingPattern(TColor Colour, TGfxBitmap& Pattern)
{
    const QImage* checker = GfxApplication ? GfxApplication->GetPatternBitmap(Colour) : nullptr;
    if (!checker) {
        Pattern.SetSize(0, 0);
        return;
    }
    Pattern.SetPixelFormat(pf32bit);
    Pattern.SetSize(checker->width(), checker->height());
    const QImage rgb = checker->convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(Pattern.ScanLine(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 4);
}

namespace {

// The points of a painted shape: the outer points (or the teeth polygon),
// the inset points and the rounded rectangle's corner size, in canvas
// coordinates.
struct ShapePoints {
    std::vector<TPoint> outer;
    std::vector<TPoint> inset;
    int corner = 0;

    void Offset(int dx, int dy)
    {
        GfxOffsetPoints(outer, static_cast<int>(outer.size()) - 1, dx, dy);
        GfxOffsetPoints(inset, static_cast<int>(inset.size()) - 1, dx, dy);
    }
};

std::optional<ShapePoints> SplitPoints(const std::vector<TPoint>& all, TGfxShapeType type, bool teeth)
{
    ShapePoints s;
    if (teeth) {
        if (all.size() < 3)
            return std::nullopt;
        s.outer = all;
        s.inset = all;
        return s;
    }
    const auto n = static_cast<std::size_t>(OuterCount(type));
    if (n == 0 || all.size() < 2 * n)
        return std::nullopt;
    s.outer.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
    s.inset.assign(all.begin() + static_cast<std::ptrdiff_t>(n), all.begin() + static_cast<std::ptrdiff_t>(2 * n));
    if (type == stRoundRect) {
        // The third point is the corner size, not a position.
        s.corner = s.outer[2].X;
        s.outer.pop_back();
        s.inset.pop_back();
    }
    return s;
}

// The shape with the canvas's pen and brush.
void DrawShape(TGfxCanvas& canvas, TGfxShapeType type, bool teeth, const ShapePoints& s)
{
    const TRect box{s.outer[0].X, s.outer[0].Y, s.outer[1].X, s.outer[1].Y};
    if (teeth) {
        canvas.Polygon(s.outer);
        return;
    }
    switch (type) {
    case stEllipse: canvas.Ellipse(box); break;
    case stRectangle: canvas.Rectangle(box); break;
    case stRoundRect: canvas.RoundRect(box, s.corner, s.corner); break;
    default: canvas.Polygon(s.outer); break;
    }
}

TRect BoxOf(const std::vector<TPoint>& p)
{
    TRect box{p[0].X, p[0].Y, p[0].X, p[0].Y};
    for (const TPoint& q : p) {
        box.Left = std::min(box.Left, q.X);
        box.Top = std::min(box.Top, q.Y);
        box.Right = std::max(box.Right, q.X);
        box.Bottom = std::max(box.Bottom, q.Y);
    }
    return box;
}

// The bevel lines along the inset outline: the upper-left part in the first
// colour, the lower-right part in the second. The ellipse and the rectangle
// draw their halves directly. The other outlines are split by their box's
// diagonal from the lower left to the upper right. A pen along the inset
// outline would not keep to the body: along an edge that faces right or
// down it lies outside the pixels the body filled (the fill ends a pixel
// before such an edge), and a slanted edge takes a pixel more than the pen
// is wide where its rows meet. So both halves are the rim of the pen's
// width inside the body's own pixels, the pixels within that width of the
// outside across or along the rows: what a line of that width along the
// inset outline covers, and nothing outside the shape.
void DrawBevelLines(TGfxCanvas& canvas, TGfxShapeType type, bool teeth, const ShapePoints& s, TColor first,
                    TColor second)
{
    const std::vector<TPoint>& p = s.inset;
    if (!teeth && (type == stEllipse || type == stRectangle)) {
        const int L = p[0].X, T = p[0].Y, R = p[1].X, B = p[1].Y;
        // The lines' ends (the first one starts at the bottom edge itself)
        // and wide pens reach a pixel past the shape: kept to its box.
        const TRect shape{s.outer[0].X, s.outer[0].Y, s.outer[1].X, s.outer[1].Y};
        GfxWithClip(canvas, TGfxRgn::Rect(shape), [&] {
            canvas.Pen.SetColor(first);
            if (type == stEllipse)
                canvas.Arc(TRect{L, T, R, B}, TPoint{R, T}, TPoint{L, B});
            else
                canvas.Polyline(std::array<TPoint, 3>{TPoint{L, B}, TPoint{L, T}, TPoint{R, T}});
            canvas.Pen.SetColor(second);
            if (type == stEllipse)
                canvas.Arc(TRect{L, T, R, B}, TPoint{L, B}, TPoint{R, T});
            else
                canvas.Polyline(std::array<TPoint, 3>{TPoint{R - 1, T}, TPoint{R - 1, B - 1}, TPoint{L, B - 1}});
        });
        return;
    }
    const bool round = !teeth && type == stRoundRect;
    const TRect box = round ? TRect{p[0].X, p[0].Y, p[1].X, p[1].Y} : BoxOf(p);
    canvas.Brush.SetStyle(bsClear);
    if (round) {
        // A pen of one pixel outlines the round rectangle's own pixels.
        canvas.Pen.SetColor(first);
        GfxWithClip(canvas, GfxDiagonalHalf(box, true), [&] { canvas.RoundRect(box, s.corner, s.corner); });
        canvas.Pen.SetColor(second);
        GfxWithClip(canvas, GfxDiagonalHalf(box, false), [&] { canvas.RoundRect(box, s.corner, s.corner); });
        return;
    }
    const int mode = canvas.SetPolyFillMode(ALTERNATE);
    canvas.SetPolyFillMode(mode);
    const int width = std::max(canvas.Pen.Width(), 1);
    const TGfxRgn body = TGfxRgn::Polygon(s.outer, mode);
    const TPoint origin = canvas.WindowOrg();
    auto fill = [&](const TGfxRgn& rim, bool upperLeft, TColor colour) {
        TGfxRgn part;
        part.Combine(rim, GfxDiagonalHalf(box, upperLeft), RGN_AND);
        part.Offset(-origin.X, -origin.Y);  // filled in device pixels
        TGfxBrush brush;
        brush.SetColor(colour);
        canvas.FillRgn(part, brush);
    };
    TGfxRgn rim;
    rim.Combine(body.Frame(width, 0), body.Frame(0, width), RGN_OR);
    fill(rim, true, first);
    fill(rim, false, second);
}

// The bitmap cut to a shape: the image (the bitmap where the shape's
// pixels are, black elsewhere) and the region of the shape's pixels, kept
// for the shape's geometry and the bitmap's pixels they were made from. A
// shape control paints the same fill through the same shape on every
// paint, so the few last ones are kept.
struct ThroughShape {
    int w = 0, h = 0;
    TGfxShapeType type = stRectangle;
    bool teeth = false;
    std::vector<TPoint> outer;
    int corner = 0;
    qint64 fill = 0;
    std::unique_ptr<TGfxBitmap> image;
    TGfxRgn region;

    bool Fits(int W, int H, TGfxShapeType Type, bool Teeth, const ShapePoints& s, qint64 Fill) const
    {
        return image && w == W && h == H && type == Type && teeth == Teeth && corner == s.corner &&
               fill == Fill && outer == s.outer;
    }
};
constexpr std::size_t ThroughShapeKept = 4;
// Larger pictures are made for each paint, not kept.
constexpr long long ThroughShapeMaxPixels = 512 * 512;
thread_local std::array<ThroughShape, ThroughShapeKept> throughShapes;
thread_local std::size_t nextThroughShape = 0;

// The white pixels of the picture, row by row.
TGfxRgn WhitePixels(const TGfxBitmap& picture)
{
    const QImage pixels = picture.ToImage();
    QList<QRect> runs;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width();) {
            if ((line[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < pixels.width() && (line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                ++x;
            runs.append(QRect(from, y, x - from, 1));
        }
    }
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return TGfxRgn(region);
}

// The shape in white on black (the canvas draws without smoothing, so its
// pixels are either); the image is the bitmap ANDed with it.
void MakeThroughShape(ThroughShape& t, TGfxShapeType type, bool teeth, const ShapePoints& s, TGfxBitmap& bitmap)
{
    const TRect all{0, 0, t.w, t.h};
    TGfxBitmap shape(t.w, t.h);
    TGfxCanvas& sc = shape.Canvas();
    sc.Brush.SetColor(clBlack);
    sc.FillRect(all);
    sc.Pen.SetStyle(psClear);
    sc.Brush.SetColor(clWhite);
    DrawShape(sc, type, teeth, s);

    t.image = std::make_unique<TGfxBitmap>(t.w, t.h);
    t.image->Canvas().Draw(0, 0, bitmap);
    t.image->Canvas().CopyMode = cmSrcAnd;
    t.image->Canvas().CopyRect(all, sc, all);
    t.image->Canvas().CopyMode = cmSrcCopy;
    t.region = WhitePixels(shape);
}

// Draws the bitmap onto the canvas only where the shape's pixels are: the
// canvas is clipped to them and takes the image's pixels there.
void DrawThroughShape(TGfxCanvas& canvas, const TRect& rect, TGfxShapeType type, bool teeth, ShapePoints s,
                      TGfxBitmap& bitmap)
{
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    s.Offset(-rect.Left, -rect.Top);
    const qint64 fill = bitmap.ContentKey();
    ThroughShape* t = nullptr;
    for (ThroughShape& kept : throughShapes)
        if (kept.Fits(w, h, type, teeth, s, fill))
            t = &kept;
    ThroughShape once;
    if (!t) {
        t = static_cast<long long>(w) * h <= ThroughShapeMaxPixels ? &throughShapes[nextThroughShape] : &once;
        if (t != &once)
            nextThroughShape = (nextThroughShape + 1) % ThroughShapeKept;
        t->w = w;
        t->h = h;
        t->type = type;
        t->teeth = teeth;
        t->outer = s.outer;
        t->corner = s.corner;
        MakeThroughShape(*t, type, teeth, s, bitmap);
        // Drawing the bitmap may have settled it: the key it has now.
        t->fill = bitmap.ContentKey();
    }
    TGfxRgn region = t->region;
    region.Offset(rect.Left, rect.Top);
    GfxWithClip(canvas, region, [&] { canvas.Draw(rect.Left, rect.Top, *t->image); });
}

}  // namespace

void GfxDropShapeFillCache()
{
    for (ThroughShape& t : throughShapes)
        t = ThroughShape{};
    nextThroughShape = 0;
}

void GfxPaintShape(TGfxCanvas& Canvas, const TRect& Rect, TGfxShapeType ShapeType, TGfxTeeth* Teeth,
                   TGfxPointList* List, const TGfxShadow* Shadow, const TGfxSimpleBevel* Bevel, int RoundPercent,
                   const TGfxBrush& FillBrush, TGfxBitmap* FillBitmap, bool Square)
{
    TGfxShadow noShadow;
    noShadow.SetDepth(0);
    if (!Shadow)
        Shadow = &noShadow;
    TGfxPointList own;
    if (!List) {
        GfxShapeOutline(Rect, ShapeType, Teeth, own, Shadow, Bevel, RoundPercent, Square);
        List = &own;
    }
    const bool teeth = Teeth != nullptr;
    auto split = SplitPoints(List->Points(), ShapeType, teeth);
    if (!split)
        return;
    ShapePoints& s = *split;
    s.Offset(Rect.Left, Rect.Top);

    // Shadow, at the outline's own points.
    const int d = Shadow->Room();
    if (d > 0) {
        Canvas.Pen.SetStyle(psClear);
        TGfxBitmap pattern;
        if (Shadow->Style() == hssTracing)
            GfxTracingPattern(Shadow->Color(), pattern);
        if (!pattern.Empty()) {
            Canvas.Brush.SetBitmap(&pattern);
            Canvas.Pen.SetMode(pmMask);
        } else {
            Canvas.Brush.SetBitmap(nullptr);
            Canvas.Brush.SetStyle(bsSolid);
            Canvas.Brush.SetColor(Shadow->Color());
        }
        DrawShape(Canvas, ShapeType, teeth, s);
        Canvas.Brush.SetBitmap(nullptr);
        Canvas.Pen.SetMode(pmCopy);
        s.Offset(-d, -d);
    }

    // Body.
    Canvas.Pen.SetMode(pmCopy);
    Canvas.Brush.Assign(FillBrush);
    if (Bevel && Bevel->Style() == sbNormal && Bevel->Width() > 0) {
        Canvas.Pen.SetStyle(psSolid);
        Canvas.Pen.SetWidth(Bevel->Width());
        Canvas.Pen.SetColor(Bevel->Color());
    } else {
        Canvas.Pen.SetStyle(psClear);
    }
    DrawShape(Canvas, ShapeType, teeth, s);
    if (FillBitmap && !FillBitmap->Empty())
        DrawThroughShape(Canvas, Rect, ShapeType, teeth, s, *FillBitmap);

    // Bevel lines.
    if (Bevel && Bevel->Width() > 0 && Bevel->Style() != sbNormal) {
        const bool inset = Bevel->Style() == sbInset;
        Canvas.Pen.SetStyle(psSolid);
        Canvas.Pen.SetWidth(Bevel->Width());
        DrawBevelLines(Canvas, ShapeType, teeth, s, inset ? Bevel->ShadowColor() : Bevel->LightColor(),
                       inset ? Bevel->LightColor() : Bevel->ShadowColor());
    }
}
