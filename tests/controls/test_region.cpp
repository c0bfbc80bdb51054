// Regions: shapes as pixel sets, combining, offsets, frames and the stored
// region data.
#include "platform/gfx_canvas.h"
#include "platform/gfx_region.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>
#include <cstring>

namespace {

TEST(Region, ShapesCoverThePixelsTheirFillsCover)
{
    const TGfxRgn rect = TGfxRgn::Rect({2, 3, 6, 5});
    EXPECT_EQ(rect.Box(), (TRect{2, 3, 6, 5}));
    EXPECT_TRUE(rect.Contains({5, 4}));
    EXPECT_FALSE(rect.Contains({6, 4}));
    EXPECT_TRUE(TGfxRgn::Rect({5, 5, 5, 9}).IsEmpty());
    EXPECT_EQ(TGfxRgn::Rect({6, 5, 2, 3}).Box(), (TRect{2, 3, 6, 5}));  // corners in any order

    // A polygon of the same corners covers the same pixels.
    const std::array<TPoint, 4> corners = {TPoint{2, 3}, TPoint{6, 3}, TPoint{6, 5}, TPoint{2, 5}};
    EXPECT_EQ(TGfxRgn::Polygon(corners), rect);

    const TGfxRgn ellipse = TGfxRgn::Ellipse({0, 0, 10, 6});
    EXPECT_EQ(ellipse.Box(), (TRect{0, 0, 10, 6}));
    EXPECT_FALSE(ellipse.Contains({0, 0}));
    EXPECT_TRUE(ellipse.Contains({5, 3}));
}

TEST(Region, PolygonsTakeThePixelsWhoseSampleLiesInside)
{
    // The sample of pixel (x, y) is the point (x + 1/64, y + 1/64). On the
    // edge from (24, 103) to (5, 22), row 86 crosses at x = 20.01604...:
    // pixel 20's sample (20.015625) lies just left of it, outside.
    const std::vector<TPoint> sliver = {{5, 22}, {55, -1}, {24, 103}};
    const TGfxRgn r = TGfxRgn::Polygon(sliver);
    EXPECT_FALSE(r.Contains({20, 86}));
    EXPECT_TRUE(r.Contains({21, 86}));
    // A sample exactly on an edge counts as left of it: outside on a left
    // edge, inside on a right one. Pixel (10, 10) samples a point of the
    // line x = y.
    const TGfxRgn right = TGfxRgn::Polygon(std::vector<TPoint>{{0, 0}, {64, 0}, {64, 64}});
    EXPECT_FALSE(right.Contains({10, 10}));
    EXPECT_TRUE(right.Contains({11, 10}));
    const TGfxRgn left = TGfxRgn::Polygon(std::vector<TPoint>{{0, 0}, {64, 64}, {0, 64}});
    EXPECT_TRUE(left.Contains({10, 10}));
    EXPECT_FALSE(left.Contains({11, 10}));
    // Rows of the whole coordinate range cost their edges, not their area.
    const std::vector<TPoint> huge = {{-32768, -32768}, {32767, -32768}, {32767, 32767}};
    const TGfxRgn big = TGfxRgn::Polygon(huge);
    // (Row 32766 is empty: its one sample lies on the slanted edge.)
    EXPECT_EQ(big.Box(), (TRect{-32767, -32768, 32767, 32766}));
    EXPECT_TRUE(big.Contains({32766, 32765}));
    EXPECT_FALSE(big.Contains({0, 1}));
}

TEST(Region, PolygonRegionsAndFilledPolygonsCoverTheSamePixels)
{
    const std::vector<std::vector<TPoint>> polygons = {
        {{5, 22}, {55, -1}, {24, 103}},                          // long slanted edges
        {{38, 29}, {131, 133}, {120, -1}},
        {{2, 5}, {5, 4}, {2, -3}, {8, 10}, {-3, -1}, {5, 6}},    // crossing itself
        {{8, 8}, {17, 17}, {18, 18}, {25, 25}, {35, 15}, {46, 26}, {47, 27}},
        {{0, 0}, {40, 0}, {40, 40}, {10, 10}, {30, 10}, {0, 40}},
    };
    for (int mode : {ALTERNATE, WINDING})
        for (const auto& points : polygons) {
            QImage im(150, 150, QImage::Format_RGB32);
            im.fill(0xFFFFFFFFu);
            TGfxCanvas canvas(&im);
            canvas.SetWindowOrg(-5, -5);
            canvas.SetPolyFillMode(mode);
            canvas.Pen.SetStyle(psClear);
            canvas.Brush.SetColor(clBlack);
            canvas.Polygon(points);
            canvas.Release();
            TGfxRgn region = TGfxRgn::Polygon(points, mode);
            region.Offset(5, 5);
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    ASSERT_EQ((im.pixel(x, y) & 0xFFFFFF) == 0, region.Contains({x, y}))
                        << "mode " << mode << " polygon " << points.size() << " at " << x << "," << y;
        }
}

TEST(Region, CombineModesAndResults)
{
    const TGfxRgn a = TGfxRgn::Rect({0, 0, 4, 4});
    const TGfxRgn b = TGfxRgn::Rect({2, 2, 6, 6});
    const struct { int mode; int result; int pixels; } cases[] = {
        {RGN_AND, SIMPLEREGION, 4},
        {RGN_OR, COMPLEXREGION, 28},
        {RGN_XOR, COMPLEXREGION, 24},
        {RGN_DIFF, COMPLEXREGION, 12},
        {RGN_COPY, SIMPLEREGION, 16},
    };
    for (const auto& c : cases) {
        TGfxRgn r;
        EXPECT_EQ(r.Combine(a, b, c.mode), c.result) << c.mode;
        int pixels = 0;
        for (const QRect& q : r.QtRegion())
            pixels += q.width() * q.height();
        EXPECT_EQ(pixels, c.pixels) << c.mode;
    }
    TGfxRgn r;
    EXPECT_EQ(r.Combine(a, TGfxRgn::Rect({10, 10, 12, 12}), RGN_AND), NULLREGION);
    EXPECT_EQ(r.Combine(a, b, 99), 0);  // unknown mode: error, unchanged
    EXPECT_TRUE(r.IsEmpty());
}

TEST(Region, OffsetAndFrame)
{
    TGfxRgn r = TGfxRgn::Rect({0, 0, 5, 4});
    r.Offset(3, -1);
    EXPECT_EQ(r.Box(), (TRect{3, -1, 8, 3}));
    const TGfxRgn frame = TGfxRgn::Rect({0, 0, 5, 4}).Frame(2, 1);
    TGfxRgn hole;
    hole.Combine(TGfxRgn::Rect({0, 0, 5, 4}), frame, RGN_DIFF);
    EXPECT_EQ(hole, TGfxRgn::Rect({2, 1, 3, 3}));
    // A frame wider than the region is the whole region.
    EXPECT_EQ(TGfxRgn::Rect({0, 0, 3, 3}).Frame(500, 500), TGfxRgn::Rect({0, 0, 3, 3}));
    EXPECT_TRUE(TGfxRgn::Rect({0, 0, 3, 3}).Frame(0, 0).IsEmpty());
}

TEST(Region, StoredDataRoundTrip)
{
    TGfxRgn r;
    r.Combine(TGfxRgn::Rect({0, 0, 4, 4}), TGfxRgn::Rect({2, 2, 6, 6}), RGN_OR);
    const QByteArray data = r.Data();
    std::int32_t header[8];
    std::memcpy(header, data.constData(), sizeof header);
    EXPECT_EQ(header[0], 32);
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(data.size(), 32 + header[2] * 16);
    EXPECT_EQ(header[3], header[2] * 16);
    EXPECT_EQ(header[4], 0);
    EXPECT_EQ(header[7], 6);
    const auto back = TGfxRgn::FromData(data);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, r);
    EXPECT_EQ(TGfxRgn::FromData(TGfxRgn().Data()).value(), TGfxRgn());

    // Rectangles in any other order or form make their union.
    auto stored = [](std::initializer_list<TRect> rects) {
        QByteArray d(32, '\0');
        const std::int32_t header[8] = {32, 1, std::int32_t(rects.size()), 16 * std::int32_t(rects.size()), 0, 0, 0, 0};
        std::memcpy(d.data(), header, sizeof header);
        for (const TRect& r : rects)
            d.append(reinterpret_cast<const char*>(&r), 16);
        return d;
    };
    const struct {
        const char* name;
        QByteArray data;
        TGfxRgn region;
    } unions[] = {
        {"overlapping, lower first", stored({{2, 2, 6, 6}, {0, 0, 4, 4}}), r},
        {"side by side", stored({{0, 0, 2, 2}, {2, 0, 4, 2}}), TGfxRgn::Rect({0, 0, 4, 2})},
        {"one band over the same", stored({{0, 0, 4, 1}, {0, 1, 4, 2}}), TGfxRgn::Rect({0, 0, 4, 2})},
        {"right to left", stored({{5, 0, 6, 1}, {0, 0, 2, 1}}),
         TGfxRgn(QRegion(0, 0, 2, 1).united(QRegion(5, 0, 1, 1)))},
        {"bands of two heights", stored({{0, 0, 2, 3}, {4, 0, 6, 1}}),
         TGfxRgn(QRegion(0, 0, 2, 3).united(QRegion(4, 0, 2, 1)))},
    };
    for (const auto& u : unions)
        EXPECT_EQ(TGfxRgn::FromData(u.data).value(), u.region) << u.name;
}

TEST(Region, MalformedDataIsRefused)
{
    const QByteArray good = TGfxRgn::Rect({1, 1, 3, 3}).Data();
    auto patched = [&](int at, std::int32_t v) {
        QByteArray d = good;
        std::memcpy(d.data() + at, &v, 4);
        return d;
    };
    const QByteArray cases[] = {
        good.left(31),                 // shorter than the header
        patched(0, 40),                // header size
        patched(4, 2),                 // not rectangles
        patched(8, 2),                 // more rectangles than data
        patched(8, -1),
        patched(32, 5),                // left not below right
        patched(36, -100000),          // outside the 16-bit range
    };
    for (const QByteArray& d : cases)
        EXPECT_FALSE(TGfxRgn::FromData(d).has_value());
}

// The limits of a bounded polygon: the work (rows spanned times edges) is
// refused before the scan, the rectangles as soon as they pass the limit;
// within both the region is the unbounded one.
TEST(Region, BoundedPolygonsKeepToTheirLimits)
{
    // A triangle over 100 rows: 3 edges, 300 steps of work.
    const std::vector<TPoint> triangle{{0, 0}, {50, 100}, {0, 100}};
    const int triangleRects = TGfxRgn::Polygon(triangle).QtRegion().rectCount();
    ASSERT_GT(triangleRects, 40);
    // Parallel slanted edges two pixels apart: every row has its own runs,
    // so the rectangles grow with rows times edges.
    std::vector<TPoint> comb;
    for (int i = 0; i < 20; ++i) {
        comb.push_back({4 * i, 0});
        comb.push_back({4 * i + 50, 50});
    }
    const int combRects = TGfxRgn::Polygon(comb).QtRegion().rectCount();
    ASSERT_GT(combRects, 500);
    const struct {
        const std::vector<TPoint>* points;
        TGfxPolygonLimits limits;
        bool built;
    } cases[] = {
        {&triangle, {300, triangleRects}, true},
        {&triangle, {299, 1000000}, false},
        {&triangle, {1000000, triangleRects - 1}, false},
        {&comb, {50 * 40, combRects}, true},
        {&comb, {50 * 40 - 1, 1000000}, false},
        {&comb, {1000000, combRects - 1}, false},
        {&comb, {1000000, 10}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points->size() << " points, work " << c.limits.MaxWork << ", rectangles "
                                        << c.limits.MaxRects);
        const std::optional<TGfxRgn> bounded = TGfxRgn::Polygon(*c.points, ALTERNATE, c.limits);
        ASSERT_EQ(bounded.has_value(), c.built);
        if (bounded) {
            EXPECT_EQ(*bounded, TGfxRgn::Polygon(*c.points));
        }
    }
    // Fewer than three points: an empty region, no work.
    EXPECT_EQ(TGfxRgn::Polygon(std::vector<TPoint>{{0, 0}, {5, 5}}, ALTERNATE, {1, 1}), TGfxRgn());
}

// Stored data of more rectangles than a stored region may hold is not a
// region, refused before any of it is built.
TEST(Region, StoredDataPastTheRectangleLimitIsRefused)
{
    auto data = [](int count) {
        QByteArray d(32 + 16 * qsizetype(count), '\0');
        const std::int32_t header[8] = {32, 1, count, 16 * count, 0, 0, 32000, count / 16000 + 1};
        std::memcpy(d.data(), header, sizeof header);
        for (int i = 0; i < count; ++i) {
            const std::int32_t r[4] = {2 * (i % 16000), i / 16000, 2 * (i % 16000) + 1, i / 16000 + 1};
            std::memcpy(d.data() + 32 + 16 * qsizetype(i), r, sizeof r);
        }
        return d;
    };
    EXPECT_FALSE(TGfxRgn::FromData(data(GfxMaxRegionRects + 1)).has_value());
    const auto some = TGfxRgn::FromData(data(1000));
    ASSERT_TRUE(some.has_value());
    EXPECT_EQ(some->QtRegion().rectCount(), 1000);
}

}  // namespace
