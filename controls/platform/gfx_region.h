#pragma once
// Regions: sets of whole pixels, as the platform's region calls know them.
// TGfxRgn stands for the platform's region handle; the library's own
// TGfxRegion (gfx_regions.h) is the sub-object that builds shaped ones.
//
// A region is a QRegion in device pixels. Shapes become regions by the same
// rule the canvas fills them with: a pixel belongs to the shape when its
// top-left point lies inside the outline (its centre, for ellipses and
// rounded rectangles), so a rectangle (L, T, R, B) holds the pixels L..R-1
// and T..B-1, and a polygon and its filled drawing cover the same pixels. Coordinates are limited to the platform's 16-bit range.
//
// Region data is the platform's stored form (RGNDATA): a 32-byte header
// (size 32, type 1 = rectangles, rectangle count, byte size of the
// rectangles, bounding box) followed by the rectangles as left, top, right,
// bottom, all 32-bit little-endian.

#include "gfx_types.h"

#include <QByteArray>
#include <QPainterPath>
#include <QRegion>

#include <optional>
#include <span>

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Combine modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// The closed polygon through the points, with the fill rule of the mode.
QPainterPath GfxPolygonPath(std::span<const TPoint> points, int fillMode);

// The most rectangles a region made from stored data may hold (4 MB of
// region data): more is not valid data.
constexpr int GfxMaxRegionRects = 262144;

// Bounds on building a polygon's region: the scan's work (the rows the
// polygon spans times its edges) and the rectangles of the result.
struct TGfxPolygonLimits {
    long long MaxWork = 0;
    int MaxRects = 0;
};

class TGfxRgn {
public:
    TGfxRgn() = default;
    explicit TGfxRgn(const QRegion& r) : region_(r) {}

    static TGfxRgn Rect(const TRect& r);
    // The pixels inside the ellipse inscribed in r.
    static TGfxRgn Ellipse(const TRect& r);
    // The rectangle with its corners rounded by an ellipse of w x h.
    static TGfxRgn RoundRect(const TRect& r, int w, int h);
    static TGfxRgn Polygon(std::span<const TPoint> points, int fillMode = ALTERNATE);
    // The same region, or none when building it would pass a limit: the
    // work is known before the scan starts, the rectangles are counted as
    // it goes, so a refusal costs no more than the limits allow.
    static std::optional<TGfxRgn> Polygon(std::span<const TPoint> points, int fillMode,
                                          const TGfxPolygonLimits& limits);
    // The pixels whose top-left points (pixel centres with centres set)
    // lie inside the path (device coordinates).
    static TGfxRgn FromPath(const QPainterPath& path, bool centres = false);
    // A region of stored data; none when the data is not a valid region
    // (more than GfxMaxRegionRects rectangles included).
    static std::optional<TGfxRgn> FromData(const QByteArray& data);

    // this := a <mode> b; returns the kind of the result (NULLREGION,
    // SIMPLEREGION or COMPLEXREGION). RGN_COPY copies a.
    int Combine(const TGfxRgn& a, const TGfxRgn& b, int mode);
    void Offset(int dx, int dy) { region_.translate(dx, dy); }
    bool Contains(const TPoint& p) const { return region_.contains(QPoint(p.X, p.Y)); }
    bool IsEmpty() const { return region_.isEmpty(); }
    // The smallest rectangle around the region ((0, 0, 0, 0) for none).
    TRect Box() const;
    // The part that lies within w pixels of the region's outside
    // horizontally, or h pixels vertically: what FrameRgn paints.
    TGfxRgn Frame(int w, int h) const;
    QByteArray Data() const;

    const QRegion& QtRegion() const { return region_; }
    friend bool operator==(const TGfxRgn& a, const TGfxRgn& b) { return a.region_ == b.region_; }

private:
    QRegion region_;
};
