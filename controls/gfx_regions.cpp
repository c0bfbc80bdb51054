#include "gfx_regions.h"

#include "platform/gfx_exceptions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int MaxBubbles = 100;

TGfxRgn Combined(const TGfxRgn& a, const TGfxRgn& b, int mode)
{
    TGfxRgn out;
    out.Combine(a, b, mode);
    return out;
}

TGfxRgn Moved(TGfxRgn r, int dx, int dy)
{
    r.Offset(dx, dy);
    return r;
}

bool AtTop(TGfxExtPos pos) { return pos == epLeftTop || pos == epTopLeft || pos == epTopRight || pos == epRightTop; }
bool AtLeft(TGfxExtPos pos)
{
    return pos == epLeftTop || pos == epTopLeft || pos == epBottomLeft || pos == epLeftBottom;
}

// The rectangle less a strip of n at the end and side that pos names.
TRect Reduced(TRect r, TGfxExtPos pos, int n)
{
    if (AtTop(pos))
        r.Top += n;
    else
        r.Bottom -= n;
    if (AtLeft(pos))
        r.Left += n;
    else
        r.Right -= n;
    return r;
}

// The nose triangle on the reduced rectangle: the tip in the corner the
// strip left free, the base on the named side, o from its end.
TGfxRgn NoseTriangle(const TRect& r, TGfxExtPos pos, int n, int o)
{
    const int d = GfxRound(std::sqrt(2.0 * n * n));
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    std::array<TPoint, 3> p;
    switch (pos) {
    case epLeftTop: p = {{{L - n, T - n}, {L, T + o}, {L, T + o + d}}}; break;
    case epTopLeft: p = {{{L - n, T - n}, {L + o, T}, {L + o + d, T}}}; break;
    case epTopRight: p = {{{R + n, T - n}, {R - o, T}, {R - o - d, T}}}; break;
    case epRightTop: p = {{{R + n, T - n}, {R, T + o}, {R, T + o + d}}}; break;
    case epRightBottom: p = {{{R + n, B + n}, {R, B - o}, {R, B - o - d}}}; break;
    case epBottomRight: p = {{{R + n, B + n}, {R - o, B}, {R - o - d, B}}}; break;
    case epBottomLeft: p = {{{L - n, B + n}, {L + o, B}, {L + o + d, B}}}; break;
    case epLeftBottom:
    default: p = {{{L - n, B + n}, {L, B - o}, {L, B - o - d}}}; break;
    }
    return TGfxRgn::Polygon(p);
}

// A tail of count + 2 circles along a quarter circle round the reduced
// rectangle's corner that the strip of s left free: from the named side
// towards the named end, each circle smaller than the one before.
TGfxRgn BubbleTail(const TRect& r, TGfxExtPos pos, int s, int count)
{
    const bool top = AtTop(pos), left = AtLeft(pos);
    const double kx = left ? r.Left : r.Right;
    const double ky = top ? r.Top : r.Bottom;
    // Angles (counter-clockwise, y up) of the named side and of the end.
    const double sideAngle = (pos == epLeftTop || pos == epLeftBottom) ? 180.0
                             : (pos == epRightTop || pos == epRightBottom) ? 0.0
                             : top ? 90.0 : 270.0;
    const double endAngle = (pos == epTopLeft || pos == epBottomLeft) ? 180.0
                            : (pos == epTopRight || pos == epBottomRight) ? 0.0
                            : top ? 90.0 : 270.0;
    double from = sideAngle, to = endAngle;
    if (std::abs(to - from) > 90.0)  // 0 and 270 meet at 360
        (from < to ? from : to) += 360.0;
    const int circles = count + 2;
    const double radius = 0.6 * s;
    std::vector<TGfxRgn> parts;
    for (int i = 0; i < circles; ++i) {
        const double t = static_cast<double>(i) / (count + 1);
        const double angle = (from + (to - from) * t) * M_PI / 180.0;
        const int x = GfxRound(kx + radius * std::cos(angle));
        const int y = GfxRound(ky - radius * std::sin(angle));
        const int d = GfxRound(s * (0.7 - 0.45 * t));
        parts.push_back(TGfxRgn::Ellipse(TRect{x - d / 2, y - d / 2, x + d / 2, y + d / 2}));
    }
    TGfxRgn tail;
    for (const TGfxRgn& part : parts)
        tail.Combine(tail, part, RGN_OR);
    return tail;
}

enum class Body { Rect, Round, Ellipse };

TGfxRgn BodyRegion(Body kind, const TRect& r, int rx, int ry)
{
    switch (kind) {
    case Body::Round: return TGfxRgn::RoundRect(r, rx, ry);
    case Body::Ellipse: return TGfxRgn::Ellipse(r);
    default: return TGfxRgn::Rect(r);
    }
}

// The shield's scalloped top: the two ellipses round the top corners and
// the band above the top edge (coordinates from (0, 0)).
TGfxRgn ShieldCuts(int W, int H)
{
    TGfxRgn cuts = TGfxRgn::Ellipse(TRect{-(W / 2), -(H / 5), W / 2, H / 5});
    cuts.Combine(cuts, TGfxRgn::Ellipse(TRect{W / 2, -(H / 5), W / 2 + W, H / 5}), RGN_OR);
    cuts.Combine(cuts, TGfxRgn::Rect(TRect{0, -40, W, 0}), RGN_OR);
    return cuts;
}

std::optional<TGfxRgn> FromStoredData(const QByteArray& data, const TRect& r)
{
    if (data.isEmpty())
        return std::nullopt;
    std::optional<TGfxRgn> region = TGfxRgn::FromData(data);
    if (region)
        region->Offset(r.Left, r.Top);
    return region;
}

}  // namespace

// ----------------------------------------------------------------- border

void TGfxRegionBorder::SetColorIndex(int Index, TColor Value) { SetProp(colors_[std::clamp(Index, 0, 2)], Value); }

void TGfxRegionBorder::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxRegionBorder*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetStyle(src->style_);
    for (int i = 0; i < 3; ++i)
        SetColorIndex(i, src->colors_[i]);
    EndUpdate(true);
}

// ----------------------------------------------------------------- region

TGfxRegion::TGfxRegion(QObject* OwnerForm) : ownerForm_(OwnerForm)
{
    const TNotifyEvent changed = [this](TObject*) { Change(); };
    border_.OnChange = changed;
    mask_.OnChange = changed;
    shadow_.OnChange = changed;
    points_.OnChange = [this](TObject*) {
        RebuildFromPoints();
        Change();
    };
}

TGfxRegion::~TGfxRegion()
{
    border_.OnChange = nullptr;
    mask_.OnChange = nullptr;
    shadow_.OnChange = nullptr;
    points_.OnChange = nullptr;
}

bool TGfxRegion::RoundShape() const
{
    return shape_ == rsRoundRect || shape_ == rsRoundNoseRect || shape_ == rsRoundThinkBubble;
}

void TGfxRegion::SetShape(TGfxRegionShape Value)
{
    if (Value == shape_)
        return;
    if (Value == rsPointList)
        RebuildFromPoints();
    shape_ = Value;
    Change();
}

void TGfxRegion::SetBubbleCount(int Value) { SetProp(bubbleCount_, std::clamp(Value, 0, MaxBubbles)); }

void TGfxRegion::SetRound(int Index, int Value)
{
    int& field = round_[Index == 0 ? 0 : 1];
    if (Value == field)
        return;
    field = Value;
    if (RoundShape())
        Change();
}

std::optional<QByteArray> TGfxRegion::StoredRegionOf(const std::vector<TPoint>& Points)
{
    if (Points.size() < 3)
        return QByteArray();
    if (Points.size() > static_cast<std::size_t>(GfxMaxStoredPoints))
        return std::nullopt;
    const std::optional<TGfxRgn> region =
        TGfxRgn::Polygon(Points, ALTERNATE, TGfxPolygonLimits{GfxMaxPointListWork, GfxMaxPointListRects});
    if (!region)
        return std::nullopt;
    return region->Data();
}

void TGfxRegion::RebuildFromPoints()
{
    if (readData_) {
        regionData_ = *std::exchange(readData_, std::nullopt);
        return;
    }
    regionData_ = StoredRegionOf(points_.Points()).value_or(QByteArray());
}

std::optional<TGfxRgn> TGfxRegion::Outline(const TRect& Rect) const
{
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    const int W = R - L, H = B - T;
    if (W <= 0 || H <= 0)
        return TGfxRgn();  // no room: an empty outline, whatever the shape
    std::optional<TGfxRgn> out;
    auto polygon = [](std::initializer_list<TPoint> points) {
        return TGfxRgn::Polygon(std::vector<TPoint>(points), ALTERNATE);
    };
    switch (shape_) {
    case rsRect: out = TGfxRgn::Rect(Rect); break;
    case rsRoundRect: out = TGfxRgn::RoundRect(Rect, round_[0], round_[1]); break;
    case rsBitmap: out = FromStoredData(mask_.RegionData(), Rect); break;
    case rsNoseRect:
    case rsRoundNoseRect: {
        const int n = W / 10;
        const bool round = shape_ == rsRoundNoseRect;
        const bool onSide = extPos_ == epLeftTop || extPos_ == epRightTop || extPos_ == epRightBottom ||
                            extPos_ == epLeftBottom;
        const int o = round ? (onSide ? round_[1] : round_[0]) : 5;
        const TRect body = Reduced(Rect, extPos_, n);
        out = Combined(BodyRegion(round ? Body::Round : Body::Rect, body, round_[0], round_[1]),
                       NoseTriangle(body, extPos_, n, o), RGN_OR);
        break;
    }
    case rsElliptic: out = TGfxRgn::Ellipse(Rect); break;
    case rsStar: {
        std::vector<TPoint> points;
        GfxStarPoints(Rect, points);
        out = TGfxRgn::Polygon(points, ALTERNATE);
        break;
    }
    case rsRoundShield:
    case rsSharpShield: {
        const int h87 = 8 * H / 7;
        TGfxRgn shield = shape_ == rsRoundShield
                             ? TGfxRgn::Ellipse(TRect{0, H, W, H / 5 - H})
                             : Combined(TGfxRgn::Ellipse(TRect{-W, -h87, W, h87}),
                                        TGfxRgn::Ellipse(TRect{0, -h87, 2 * W, h87}), RGN_AND);
        shield.Combine(shield, ShieldCuts(W, H), RGN_DIFF);
        out = Moved(shield, L, T);
        break;
    }
    case rsDiamond:
        out = polygon({{L + W / 2, T}, {L, T + H / 2}, {L + W / 2, B}, {R, T + H / 2}});
        break;
    case rsOctagon:
        out = polygon({{L + W / 3 * 2, T}, {L + W / 3, T}, {L, T + H / 3}, {L, T + H / 3 * 2}, {L + W / 3, B},
                       {L + W / 3 * 2, B}, {R, T + H / 3 * 2}, {R, T + H / 3}});
        break;
    case rsComb:
        out = polygon({{L + W / 2, T}, {L, T + H / 4}, {L, T + H / 4 * 3}, {L + W / 2, B}, {R, T + H / 4 * 3},
                       {R, T + H / 4}});
        break;
    case rsHalfRound: out = TGfxRgn::Ellipse(TRect{L, 2 * T - B, R, B}); break;
    case rsUserRegion: out = Designing ? std::optional<TGfxRgn>(TGfxRgn::Rect(Rect)) : FromStoredData(regionData_, Rect); break;
    case rsThinkBubble:
    case rsRoundThinkBubble:
    case rsEllipticThinkBubble: {
        const int s = W / 6;
        const Body kind = shape_ == rsThinkBubble ? Body::Rect : shape_ == rsRoundThinkBubble ? Body::Round
                                                                                               : Body::Ellipse;
        const TRect body = Reduced(Rect, extPos_, s);
        out = Combined(BodyRegion(kind, body, round_[0], round_[1]), BubbleTail(body, extPos_, s, bubbleCount_),
                       RGN_OR);
        break;
    }
    case rsPointList: out = FromStoredData(regionData_, Rect); break;
    }
    if (out)
        out->Combine(*out, TGfxRgn::Rect(Rect), RGN_AND);
    return out;
}

const std::optional<TGfxRgn>& TGfxRegion::BuildRegion(const TRect& Rect)
{
    const int d = shadow_.Room();
    TRect r = Rect;
    r.Right -= d;
    r.Bottom -= d;
    region_ = Outline(r);
    if (region_ && d > 0)
        region_->Combine(*region_, Moved(*region_, d, d), RGN_OR);
    if (region_)
        region_->Offset(offset_.X, offset_.Y);
    return region_;
}

void TGfxRegion::SetRectRegion(const TRect& Rect)
{
    if (!ownerForm_)
        return;
    region_ = TGfxRgn::Rect(Rect);
}

void TGfxRegion::PaintBorder(TGfxCanvas& Canvas, const TRect& Rect)
{
    const int d = shadow_.Room();
    TRect r = Rect;
    r.Right -= d;
    r.Bottom -= d;
    std::optional<TGfxRgn> outline = Outline(r);
    const TPoint origin = Canvas.WindowOrg();
    // Regions are filled in device pixels.
    auto fill = [&](const TGfxRgn& area, TColor colour) {
        TGfxBrush brush;
        brush.SetColor(colour);
        Canvas.FillRgn(Moved(area, -origin.X, -origin.Y), brush);
    };
    if (outline) {
        outline->Offset(offset_.X, offset_.Y);
        GfxOffsetRect(r, offset_.X, offset_.Y);
        if (d > 0 && !NoShadowFill) {
            const TGfxRgn shadow = Combined(Moved(*outline, d, d), *outline, RGN_DIFF);
            TGfxBitmap pattern;
            if (shadow_.Style() == hssTracing)
                GfxTracingPattern(shadow_.Color(), pattern);
            if (pattern.Empty()) {
                fill(shadow, shadow_.Color());
            } else {
                // Only the checker's coloured squares darken what lies below.
                GfxWithClip(Canvas, shadow, [&] {
                    Canvas.Pen.SetStyle(psClear);
                    Canvas.Pen.SetMode(pmMask);
                    Canvas.Brush.SetBitmap(&pattern);
                    TRect box = shadow.Box();
                    box.Right += 1;
                    box.Bottom += 1;
                    Canvas.Rectangle(box);
                    Canvas.Brush.SetBitmap(nullptr);
                });
            }
        }
        const TGfxRegionBorderStyle style = border_.Style();
        if (style != rbNone && shape_ != rsBitmap && shape_ != rsUserRegion) {
            const bool lowered = style == rbLowered || style == rbSingleLowered || style == rbLoweredpsb;
            const TColor light = lowered ? border_.ShadowColor() : border_.LightColor();
            const TColor dark = lowered ? border_.LightColor() : border_.ShadowColor();
            const TColor single = border_.SingleColor();
            const TGfxRgn upperLeft = GfxDiagonalHalf(r, true);
            const TGfxRgn lowerRight = GfxDiagonalHalf(r, false);
            const TGfxRgn outer = outline->Frame(2, 2);
            const TGfxRgn inner = Combined(*outline, outline->Frame(1, 1), RGN_DIFF).Frame(2, 2);
            auto twoColours = [&](const TGfxRgn& ring, TColor ul, TColor lr) {
                fill(Combined(ring, upperLeft, RGN_AND), ul);
                fill(Combined(ring, lowerRight, RGN_AND), lr);
            };
            switch (style) {
            case rbSingle: fill(outer, single); break;
            case rbRaised:
            case rbLowered: twoColours(outer, light, dark); break;
            case rbSingleRaised:
            case rbSingleLowered:
                fill(outer, single);
                twoColours(inner, light, dark);
                break;
            case rbRaisedpsb:
            case rbLoweredpsb:
                twoColours(outer, light, single);
                fill(Combined(inner, lowerRight, RGN_AND), dark);
                break;
            default: break;
            }
        }
    }
    Canvas.Brush.SetStyle(bsClear);
    Canvas.Pen.SetMode(pmCopy);
    Canvas.Pen.SetStyle(psSolid);
    Canvas.Pen.SetWidth(2);
}

std::vector<std::int32_t> TGfxRegion::WritePointList() const
{
    std::vector<std::int32_t> values;
    for (const TPoint& p : points_.Points()) {
        values.push_back(p.X);
        values.push_back(p.Y);
    }
    return values;
}

void TGfxRegion::ReadPointList(std::span<const std::int32_t> Values)
{
    const std::size_t pairs = Values.size() / 2;
    if (pairs > static_cast<std::size_t>(GfxMaxStoredPoints - points_.Count()))
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    // The points as the list keeps them, checked before the list takes any.
    std::vector<TPoint> points = points_.Points();
    for (std::size_t i = 0; i < pairs; ++i)
        points.push_back(TGfxPointList::Unpack(TGfxPointList::Pack(TPoint{Values[2 * i], Values[2 * i + 1]})));
    std::optional<QByteArray> data = StoredRegionOf(points);
    if (!data)
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    readData_ = std::move(data);
    points_.BeginUpdate();
    for (std::size_t i = 0; i < pairs; ++i)
        points_.AddPoint(TPoint{Values[2 * i], Values[2 * i + 1]});
    points_.EndUpdate();
    readData_.reset();
}

void TGfxRegion::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxRegion*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetShape(src->shape_);
    round_[0] = src->round_[0];
    round_[1] = src->round_[1];
    shadow_.Assign(&src->shadow_);
    SetExtPos(src->extPos_);
    border_.Assign(&src->border_);
    mask_.Assign(&src->mask_);
    EndUpdate(true);
}
