#include "gfx_region.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int CoordMin = -32768;
constexpr int CoordMax = 32767;
constexpr int BandRows = 64;

QRegion UnionOf(std::vector<QRegion> parts)
{
    if (parts.empty())
        return {};
    // Pairwise, so that many rectangles merge in n log n rather than n^2.
    while (parts.size() > 1) {
        std::vector<QRegion> next;
        next.reserve((parts.size() + 1) / 2);
        for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
            next.push_back(parts[i].united(parts[i + 1]));
        if (parts.size() % 2)
            next.push_back(parts.back());
        parts = std::move(next);
    }
    return parts.front();
}

void PutU32(QByteArray& out, std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
    out.append(b, 4);
}

std::int32_t GetI32(const QByteArray& data, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24));
}

// Collects the covered runs of each row, top to bottom, into rectangles:
// rows with the same runs as the row above extend its rectangles, so the
// region comes out in its canonical form (the one QRegion's own operations
// give, and compare equal to).
class RowRuns {
public:
    using Runs = std::vector<std::pair<int, int>>;  // (start, length), left to right

    // Takes the row's runs; `runs` comes back empty, keeping its room for
    // the next row, so that a scan allocates nothing per row.
    void AddRow(int y, Runs& runs)
    {
        if (runs.empty())
            return;
        if (y == previousY_ + 1 && runs == previous_) {
            for (std::size_t i = previousAt_; i < rects_.size(); ++i)
                rects_[i].setHeight(rects_[i].height() + 1);
        } else {
            previousAt_ = rects_.size();
            for (const auto& [start, length] : runs)
                rects_.emplace_back(start, y, length, 1);
            previous_.swap(runs);
        }
        runs.clear();
        previousY_ = y;
    }

    std::size_t Count() const { return rects_.size(); }

    QRegion Region() const
    {
        QRegion region;
        if (!rects_.empty())
            region.setRects(rects_.data(), static_cast<int>(rects_.size()));
        return region;
    }

private:
    std::vector<QRect> rects_;
    Runs previous_;
    std::size_t previousAt_ = 0;
    int previousY_ = std::numeric_limits<int>::min();
};

// The ceiling of n / d for d > 0.
long long CeilDiv(long long n, long long d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

}  // namespace

TGfxRgn TGfxRgn::Rect(const TRect& r)
{
    const int l = std::max(std::min(r.Left, r.Right), CoordMin);
    const int t = std::max(std::min(r.Top, r.Bottom), CoordMin);
    const int rr = std::min(std::max(r.Left, r.Right), CoordMax);
    const int b = std::min(std::max(r.Top, r.Bottom), CoordMax);
    if (rr <= l || b <= t)
        return {};
    return TGfxRgn(QRegion(l, t, rr - l, b - t));
}

TGfxRgn TGfxRgn::Ellipse(const TRect& r)
{
    QPainterPath path;
    path.addEllipse(QRectF(r.Left, r.Top, r.Width(), r.Height()).normalized());
    return FromPath(path, true);
}

TGfxRgn TGfxRgn::RoundRect(const TRect& r, int w, int h)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(r.Left, r.Top, r.Width(), r.Height()).normalized(), std::abs(w) / 2.0,
                        std::abs(h) / 2.0);
    return FromPath(path, true);
}

QPainterPath GfxPolygonPath(std::span<const TPoint> points, int fillMode)
{
    QPolygonF poly;
    for (const TPoint& p : points)
        poly << QPointF(p.X, p.Y);
    QPainterPath path;
    path.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

namespace {

// The scan of Polygon; maxWork and maxRects of 0 set no limit.
std::optional<QRegion> ScanPolygon(std::span<const TPoint> points, int fillMode, long long maxWork, int maxRects)
{
    if (points.size() < 3)
        return QRegion();
    // Scan conversion by exact arithmetic, row by row, so the cost follows
    // the rows and edges and not the area: pixel (x, y) belongs to the
    // region when the point (x + 1/64, y + 1/64), the sample that the fill
    // takes (see GfxFillShift), lies inside; a sample exactly on an edge
    // counts as left of it. Coordinates are in 1/64 pixel.
    std::vector<TPoint> p;
    p.reserve(points.size());
    for (const TPoint& q : points)
        p.push_back(TPoint{std::clamp(q.X, CoordMin, CoordMax), std::clamp(q.Y, CoordMin, CoordMax)});
    const auto [lowY, highY] = std::minmax_element(p.begin(), p.end(), [](const TPoint& a, const TPoint& b) {
        return a.Y < b.Y;
    });
    const int top = lowY->Y, bottom = highY->Y;
    if (maxWork > 0 && static_cast<long long>(bottom - top) * static_cast<long long>(p.size()) > maxWork)
        return std::nullopt;
    RowRuns rows;
    RowRuns::Runs runs;
    std::vector<std::pair<long long, int>> crossings;  // first pixel right of the crossing, direction
    for (int y = top; y < bottom; ++y) {
        const long long sampleY = 64LL * y + 1;
        crossings.clear();
        for (std::size_t i = 0; i < p.size(); ++i) {
            const TPoint a = p[i], b = p[(i + 1) % p.size()];
            if (a.Y == b.Y || sampleY <= 64LL * std::min(a.Y, b.Y) || sampleY >= 64LL * std::max(a.Y, b.Y))
                continue;
            // The crossing at sampleY is num / den (in 1/64 pixel); pixel x
            // lies right of it when 64 x + 1 > num / den.
            long long den = b.Y - a.Y;
            long long num = 64LL * a.X * den + (sampleY - 64LL * a.Y) * (b.X - a.X);
            if (den < 0) {
                den = -den;
                num = -num;
            }
            const long long first = -CeilDiv(-(num - den), 64 * den) + 1;  // floor((num - den) / 64 den) + 1
            crossings.emplace_back(first, b.Y > a.Y ? 1 : -1);
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        long long start = 0;
        for (std::size_t i = 0; i < crossings.size();) {
            const long long x = crossings[i].first;
            const bool before = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            for (; i < crossings.size() && crossings[i].first == x; ++i)
                winding += fillMode == WINDING ? crossings[i].second : 1;
            const bool after = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!before && after)
                start = x;
            else if (before && !after && x > start)
                runs.emplace_back(static_cast<int>(start), static_cast<int>(x - start));
        }
        rows.AddRow(y, runs);
        if (maxRects > 0 && rows.Count() > static_cast<std::size_t>(maxRects))
            return std::nullopt;
    }
    return rows.Region();
}

}  // namespace

TGfxRgn TGfxRgn::Polygon(std::span<const TPoint> points, int fillMode)
{
    return TGfxRgn(*ScanPolygon(points, fillMode, 0, 0));
}

std::optional<TGfxRgn> TGfxRgn::Polygon(std::span<const TPoint> points, int fillMode, const TGfxPolygonLimits& limits)
{
    const std::optional<QRegion> region = ScanPolygon(points, fillMode, std::max(limits.MaxWork, 1LL),
                                                      std::max(limits.MaxRects, 1));
    if (!region)
        return std::nullopt;
    return TGfxRgn(*region);
}

TGfxRgn TGfxRgn::FromPath(const QPainterPath& path, bool centres)
{
    const QRectF bounds = path.boundingRect();
    if (path.isEmpty() || !bounds.isValid())
        return {};
    const int left = std::max(CoordMin, static_cast<int>(std::floor(std::max(bounds.left(), double(CoordMin)))));
    const int top = std::max(CoordMin, static_cast<int>(std::floor(std::max(bounds.top(), double(CoordMin)))));
    const int right = std::min(CoordMax, static_cast<int>(std::ceil(std::min(bounds.right(), double(CoordMax)))));
    const int bottom = std::min(CoordMax, static_cast<int>(std::ceil(std::min(bounds.bottom(), double(CoordMax)))));
    if (right <= left || bottom <= top)
        return {};
    // Fill the path band by band into a scratch image and read the covered
    // runs back row by row.
    const int width = right - left;
    QImage band(width, BandRows, QImage::Format_RGB32);
    RowRuns rows;
    RowRuns::Runs runs;
    for (int y0 = top; y0 < bottom; y0 += BandRows) {
        const int count = std::min(BandRows, bottom - y0);
        band.fill(0xFF000000u);
        {
            QPainter p(&band);
            p.setRenderHint(QPainter::Antialiasing, false);
            const double shift = centres ? 0.0 : GfxFillShift;
            p.translate(-left + shift, -y0 + shift);
            p.fillPath(path, Qt::white);
        }
        for (int y = 0; y < count; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            int x = 0;
            while (x < width) {
                while (x < width && (line[x] & 0xFFFFFF) == 0)
                    ++x;
                const int start = x;
                while (x < width && (line[x] & 0xFFFFFF) != 0)
                    ++x;
                if (x > start)
                    runs.emplace_back(left + start, x - start);
            }
            rows.AddRow(y0 + y, runs);
        }
    }
    return TGfxRgn(rows.Region());
}

namespace {

// Whether the rectangles are a region's own form, as Data writes it: bands
// of equal top and height, top to bottom without overlap; in each band
// rectangles left to right with gaps between them; and no band just below
// another with the same rectangles across (those would be one band).
bool Canonical(const std::vector<QRect>& rects)
{
    auto sameColumns = [&](std::size_t a, std::size_t b, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k)
            if (rects[a + k].left() != rects[b + k].left() || rects[a + k].right() != rects[b + k].right())
                return false;
        return true;
    };
    std::size_t i = 0, aboveStart = 0, aboveEnd = 0;  // the band before, [aboveStart, aboveEnd)
    while (i < rects.size()) {
        const std::size_t start = i;
        const int top = rects[i].top(), height = rects[i].height();
        for (++i; i < rects.size() && rects[i].top() == top; ++i)
            if (rects[i].height() != height || rects[i].left() <= rects[i - 1].right() + 1)
                return false;
        if (aboveEnd > aboveStart) {
            const int aboveBottom = rects[aboveStart].bottom();
            if (top <= aboveBottom)
                return false;
            if (top == aboveBottom + 1 && i - start == aboveEnd - aboveStart &&
                sameColumns(start, aboveStart, i - start))
                return false;
        }
        aboveStart = start;
        aboveEnd = i;
    }
    return true;
}

}  // namespace

std::optional<TGfxRgn> TGfxRgn::FromData(const QByteArray& data)
{
    if (data.size() < 32 || GetI32(data, 0) != 32 || GetI32(data, 4) != 1)
        return std::nullopt;
    const std::int32_t count = GetI32(data, 8);
    if (count < 0 || count > (data.size() - 32) / 16 || count > GfxMaxRegionRects)
        return std::nullopt;
    std::vector<QRect> rects;
    rects.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const qsizetype at = 32 + qsizetype{i} * 16;
        const TRect r{GetI32(data, at), GetI32(data, at + 4), GetI32(data, at + 8), GetI32(data, at + 12)};
        if (r.Left >= r.Right || r.Top >= r.Bottom || r.Left < CoordMin || r.Top < CoordMin ||
            r.Right > CoordMax + 1 || r.Bottom > CoordMax + 1)
            return std::nullopt;
        rects.emplace_back(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
    // A region's own data (all that Data writes) is taken as it stands, in
    // one pass; any other set of rectangles is united, pairwise.
    if (Canonical(rects)) {
        QRegion region;
        if (!rects.empty())
            region.setRects(rects.data(), static_cast<int>(rects.size()));
        return TGfxRgn(region);
    }
    std::vector<QRegion> parts(rects.begin(), rects.end());
    return TGfxRgn(UnionOf(std::move(parts)));
}

int TGfxRgn::Combine(const TGfxRgn& a, const TGfxRgn& b, int mode)
{
    switch (mode) {
    case RGN_AND: region_ = a.region_.intersected(b.region_); break;
    case RGN_OR: region_ = a.region_.united(b.region_); break;
    case RGN_XOR: region_ = a.region_.xored(b.region_); break;
    case RGN_DIFF: region_ = a.region_.subtracted(b.region_); break;
    case RGN_COPY: region_ = a.region_; break;
    default: return 0;
    }
    if (region_.isEmpty())
        return NULLREGION;
    return region_.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TGfxRgn::Box() const
{
    if (region_.isEmpty())
        return {};
    return GfxFromQRect(region_.boundingRect());
}

TGfxRgn TGfxRgn::Frame(int w, int h) const
{
    if (region_.isEmpty() || (w <= 0 && h <= 0))
        return {};
    // Erode by w pixels horizontally and h vertically, one pixel at a time;
    // past the region's own size everything is frame.
    const QRect box = region_.boundingRect();
    QRegion inner = region_;
    for (int i = 0; i < std::min(w, box.width()) && !inner.isEmpty(); ++i)
        inner = inner.intersected(inner.translated(1, 0)).intersected(inner.translated(-1, 0));
    for (int i = 0; i < std::min(h, box.height()) && !inner.isEmpty(); ++i)
        inner = inner.intersected(inner.translated(0, 1)).intersected(inner.translated(0, -1));
    return TGfxRgn(region_.subtracted(inner));
}

QByteArray TGfxRgn::Data() const
{
    QByteArray out;
    const int count = region_.rectCount();
    const QRect box = region_.boundingRect();
    PutU32(out, 32);
    PutU32(out, 1);
    PutU32(out, static_cast<std::uint32_t>(count));
    PutU32(out, static_cast<std::uint32_t>(count) * 16);
    const TRect b = region_.isEmpty() ? TRect{} : GfxFromQRect(box);
    for (int v : {b.Left, b.Top, b.Right, b.Bottom})
        PutU32(out, static_cast<std::uint32_t>(v));
    for (const QRect& r : region_)
        for (int v : {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()})
            PutU32(out, static_cast<std::uint32_t>(v));
    return out;
}
