// Shaped regions: the eighteen outlines by sampled points, noses and bubble
// tails on every side, shadows and offsets, the border painting, the
// stored point list; the region mask's stored data, corrupt tables
// included, and its border bitmaps.
#include "gfx_library.h"
#include "gfx_propstream.h"
#include "gfx_regions.h"
#include "paint_helpers.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace painttest;

namespace {

const Legend L = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

QByteArray TwoSquares()
{
    TGfxRgn r;
    r.Combine(TGfxRgn::Rect({10, 10, 20, 20}), TGfxRgn::Rect({30, 5, 40, 8}), RGN_OR);
    return r.Data();
}

struct ShapeCase {
    TGfxRegionShape shape;
    std::vector<TPoint> inside;
    std::vector<TPoint> outside;
};

TEST(RegionShapes, EighteenOutlinesBySampledPoints)
{
    // The rectangle (0, 0, 100, 60) with the defaults: corners 20 x 20,
    // nose and tail at the top of the left side, four bubbles.
    const ShapeCase cases[] = {
        {rsRect, {{0, 0}, {99, 59}}, {{100, 30}, {50, 60}, {-1, 0}}},
        {rsRoundRect, {{10, 0}, {0, 10}, {50, 30}, {99, 30}}, {{0, 0}, {1, 1}, {99, 59}, {98, 58}}},
        {rsBitmap, {{10, 10}, {19, 19}, {30, 5}, {39, 7}}, {{9, 10}, {20, 19}, {25, 6}, {30, 8}}},
        {rsNoseRect, {{50, 30}, {10, 10}, {5, 10}, {7, 16}}, {{5, 2}, {50, 5}, {2, 40}, {9, 10}}},
        {rsRoundNoseRect, {{55, 35}, {5, 20}, {30, 10}}, {{11, 11}, {99, 59}, {50, 5}, {2, 50}}},
        {rsElliptic, {{50, 30}, {1, 30}, {50, 0}}, {{0, 0}, {99, 59}, {5, 5}}},
        {rsStar, {{50, 30}, {50, 5}, {90, 25}, {20, 57}}, {{90, 10}, {50, 55}, {2, 50}, {10, 10}}},
        {rsRoundShield, {{50, 30}, {50, 4}, {20, 30}}, {{5, 5}, {5, 55}, {95, 5}, {95, 55}}},
        {rsSharpShield, {{50, 30}, {50, 55}, {50, 4}}, {{10, 50}, {90, 50}, {5, 5}, {95, 5}}},
        {rsDiamond, {{50, 30}, {50, 1}, {2, 30}}, {{10, 5}, {90, 55}, {5, 55}, {95, 5}}},
        {rsOctagon, {{50, 30}, {1, 30}, {50, 1}}, {{2, 2}, {98, 2}, {2, 57}, {98, 57}}},
        {rsComb, {{50, 30}, {1, 30}, {50, 1}}, {{5, 2}, {95, 2}, {5, 58}, {95, 58}}},
        {rsHalfRound, {{50, 30}, {50, 58}, {2, 2}}, {{5, 50}, {95, 50}, {0, 59}}},
        {rsUserRegion, {{10, 10}, {39, 7}}, {{9, 10}, {50, 30}}},
        {rsThinkBubble, {{50, 40}, {16, 16}, {6, 14}, {15, 5}}, {{1, 1}, {50, 10}, {0, 40}, {15, 15}}},
        {rsRoundThinkBubble, {{50, 40}, {6, 14}, {15, 5}}, {{17, 17}, {50, 10}, {99, 59}}},
        {rsEllipticThinkBubble, {{58, 38}, {6, 14}, {15, 5}}, {{20, 20}, {99, 59}, {50, 10}}},
        {rsPointList, {{50, 20}, {11, 10}}, {{15, 40}, {85, 40}, {50, 55}}},
    };
    ASSERT_EQ(std::size(cases), 18u);
    for (const ShapeCase& c : cases) {
        // The mask and the user region hold the two squares; the point list
        // a triangle (rebuilt from the points when the shape is chosen).
        TGfxRegion region;
        region.Points().AddPoint({10, 10});
        region.Points().AddPoint({90, 10});
        region.Points().AddPoint({50, 50});
        region.Mask().SetRegionData(TwoSquares());
        region.SetRegionData(TwoSquares());
        region.SetShape(c.shape);
        const auto& built = region.BuildRegion(TRect{0, 0, 100, 60});
        ASSERT_TRUE(built.has_value()) << int(c.shape);
        EXPECT_EQ(&*region.Region(), &*built);
        for (const TPoint& p : c.inside)
            EXPECT_TRUE(built->Contains(p)) << int(c.shape) << " inside " << p.X << "," << p.Y;
        for (const TPoint& p : c.outside)
            EXPECT_FALSE(built->Contains(p)) << int(c.shape) << " outside " << p.X << "," << p.Y;
        // Every shape stays inside its rectangle.
        TGfxRgn beyond;
        EXPECT_EQ(beyond.Combine(*built, TGfxRgn::Rect({0, 0, 100, 60}), RGN_DIFF), NULLREGION) << int(c.shape);
    }
}

TEST(RegionShapes, DiamondCornersOfTheRectangle)
{
    TGfxRegion region;
    region.SetShape(rsDiamond);
    const TGfxRgn built = *region.BuildRegion(TRect{0, 0, 100, 50});
    EXPECT_EQ(built, TGfxRgn::Polygon(std::vector<TPoint>{{50, 0}, {0, 25}, {50, 50}, {100, 25}}));
}

TEST(RegionShapes, StoredShapesWithoutDataHaveNoRegion)
{
    TGfxRegion region;
    region.SetShape(rsBitmap);
    EXPECT_FALSE(region.BuildRegion(TRect{0, 0, 10, 10}).has_value());
    region.SetShape(rsUserRegion);
    EXPECT_FALSE(region.BuildRegion(TRect{0, 0, 10, 10}).has_value());
    region.Designing = true;  // the designer shows the rectangle
    EXPECT_EQ(*region.BuildRegion(TRect{0, 0, 10, 10}), TGfxRgn::Rect({0, 0, 10, 10}));
    region.Designing = false;
    region.SetShape(rsPointList);  // fewer than three points
    EXPECT_FALSE(region.BuildRegion(TRect{0, 0, 10, 10}).has_value());
    // Stored data moves with the rectangle.
    region.Mask().SetRegionData(TwoSquares());
    region.SetShape(rsBitmap);
    const auto& moved = region.BuildRegion(TRect{5, 5, 105, 65});
    EXPECT_EQ(moved->Box(), (TRect{15, 10, 45, 25}));
}

TEST(RegionShapes, NosesAndTailsSitAtTheNamedCorner)
{
    // What lies outside the reduced body is the nose or the tail; it stays
    // in the quarter of the rectangle that ExtPos names.
    const struct { TGfxExtPos pos; bool top, left; } corners[] = {
        {epLeftTop, true, true}, {epTopLeft, true, true}, {epTopRight, true, false}, {epRightTop, true, false},
        {epRightBottom, false, false}, {epBottomRight, false, false}, {epBottomLeft, false, true},
        {epLeftBottom, false, true},
    };
    for (TGfxRegionShape shape : {rsNoseRect, rsRoundNoseRect, rsThinkBubble, rsEllipticThinkBubble}) {
        for (const auto& c : corners) {
            TGfxRegion region;
            region.SetShape(shape);
            region.SetExtPos(c.pos);
            region.SetRoundX(10);
            region.SetRoundY(10);
            const TGfxRgn built = *region.BuildRegion(TRect{0, 0, 120, 80});
            const int strip = shape == rsNoseRect || shape == rsRoundNoseRect ? 12 : 20;
            const TRect body{c.left ? strip : 0, c.top ? strip : 0, c.left ? 120 : 120 - strip,
                             c.top ? 80 : 80 - strip};
            TGfxRgn extra;
            ASSERT_NE(extra.Combine(built, TGfxRgn::Rect(body), RGN_DIFF), NULLREGION)
                << int(shape) << " at " << int(c.pos);
            const TRect box = extra.Box();
            const TRect quarter{c.left ? 0 : 60, c.top ? 0 : 40, c.left ? 60 : 120, c.top ? 40 : 80};
            EXPECT_TRUE(box.Left >= quarter.Left && box.Top >= quarter.Top && box.Right <= quarter.Right &&
                        box.Bottom <= quarter.Bottom)
                << int(shape) << " at " << int(c.pos) << ": " << box.Left << "," << box.Top << "," << box.Right
                << "," << box.Bottom;
        }
    }
}

TEST(RegionShapes, ShadowAndOffset)
{
    TGfxRegion region;
    region.SetShape(rsRect);
    region.Shadow().SetStyle(hssSolid);
    region.Shadow().SetDepth(4);
    // The outline takes 4 pixels less, and its copy 4 pixels lower right.
    TGfxRgn expected;
    expected.Combine(TGfxRgn::Rect({0, 0, 16, 6}), TGfxRgn::Rect({4, 4, 20, 10}), RGN_OR);
    EXPECT_EQ(*region.BuildRegion(TRect{0, 0, 20, 10}), expected);
    // A shadow deeper than the rectangle leaves no room: nothing, not a
    // turned-over outline outside it.
    region.SetShape(rsOctagon);
    EXPECT_TRUE(region.BuildRegion(TRect{0, 0, 3, 3})->IsEmpty());
    EXPECT_TRUE(region.BuildRegion(TRect{5, 5, 5, 5})->IsEmpty());
    region.SetShape(rsRect);
    region.Shadow().SetStyle(hssNone);
    region.SetOffset({3, -2});
    EXPECT_EQ(*region.BuildRegion(TRect{0, 0, 20, 10}), TGfxRgn::Rect({3, -2, 23, 8}));
}

TEST(RegionObject, NotificationsAndTheRoundCorners)
{
    TGfxRegion region;
    int changes = 0;
    region.OnChange = [&](TObject*) { ++changes; };
    region.SetRoundX(30);  // rsRoundRect by default: shows
    EXPECT_EQ(changes, 1);
    region.SetShape(rsRect);
    EXPECT_EQ(changes, 2);
    region.SetRoundY(5);  // a plain rectangle: stored, no change
    EXPECT_EQ(region.RoundY(), 5);
    EXPECT_EQ(changes, 2);
    region.Border().SetStyle(rbRaised);
    region.Shadow().SetDepth(3);
    region.Mask().SetCompressed(true);
    EXPECT_EQ(changes, 5);
    region.SetBubbleCount(-3);
    EXPECT_EQ(region.BubbleCount(), 0);
    region.SetBubbleCount(1000000);
    EXPECT_EQ(region.BubbleCount(), 100);

    // The shadow of a region is off by default.
    EXPECT_EQ(TGfxRgnShadow().Style(), hssNone);
}

TEST(RegionObject, RectangleRegionOnlyWhileTheFormLives)
{
    auto form = std::make_unique<QObject>();
    TGfxRegion region(form.get());
    region.SetShape(rsElliptic);
    region.BuildRegion(TRect{0, 0, 20, 10});
    region.SetRectRegion(TRect{0, 0, 20, 10});
    EXPECT_EQ(*region.Region(), TGfxRgn::Rect({0, 0, 20, 10}));
    form.reset();
    region.SetRectRegion(TRect{0, 0, 5, 5});
    EXPECT_EQ(*region.Region(), TGfxRgn::Rect({0, 0, 20, 10}));
}

TEST(RegionObject, PointsBecomeTheStoredRegion)
{
    TGfxRegion region;
    region.ReadPointList(std::vector<std::int32_t>{0, 0, 10, 0, 10, 10, 0, 10, 99});  // a stray value is ignored
    EXPECT_EQ(region.Points().Count(), 4);
    EXPECT_TRUE(region.PointListStored());
    EXPECT_EQ(region.WritePointList(), (std::vector<std::int32_t>{0, 0, 10, 0, 10, 10, 0, 10}));
    EXPECT_EQ(TGfxRgn::FromData(region.RegionData()).value(), TGfxRgn::Rect({0, 0, 10, 10}));
    region.SetShape(rsUserRegion);
    EXPECT_EQ(*region.BuildRegion(TRect{2, 2, 30, 30}), TGfxRgn::Rect({2, 2, 12, 12}));
    region.Points().SetPoint(2, {10, 20});
    region.Points().SetPoint(3, {0, 20});
    EXPECT_EQ(region.BuildRegion(TRect{0, 0, 30, 30})->Box(), (TRect{0, 0, 10, 20}));
    EXPECT_FALSE(TGfxRegion().PointListStored());
}

// A stored point list is bounded: by its points, by the work of its
// polygon (rows spanned times edges) and by the rectangles of its region.
// Past a bound reading is refused as other bad stored data is, and neither
// the points nor the region change.
TEST(RegionObject, StoredPointListsAreBounded)
{
    auto values = [](const std::vector<TPoint>& points) {
        std::vector<std::int32_t> out;
        for (const TPoint& p : points) {
            out.push_back(p.X);
            out.push_back(p.Y);
        }
        return out;
    };
    // Round a 100-pixel square, as many points as asked for.
    auto square = [](int n) {
        std::vector<TPoint> out;
        for (int i = 0; i < n; ++i) {
            const int side = 4 * i / n, at = 400 * i / n % 100;
            out.push_back(side == 0 ? TPoint{at, 0} : side == 1 ? TPoint{100, at} : side == 2 ? TPoint{100 - at, 100}
                                                                                        : TPoint{0, 100 - at});
        }
        return out;
    };
    // Parallel slanted edges two pixels apart over the rows: every row has
    // its own runs.
    auto comb = [](int n, int rows) {
        std::vector<TPoint> out;
        for (int i = 0; i < n / 2; ++i) {
            out.push_back({4 * i, 0});
            out.push_back({4 * i + rows, rows});
        }
        return out;
    };
    // A list of the kind that took seconds and a gigabyte: a thousand points
    // over the whole 16-bit range.
    std::vector<TPoint> wild;
    std::uint32_t seed = 1;
    for (int i = 0; i < 1000; ++i) {
        seed = seed * 1103515245u + 12345u;
        wild.push_back({int(seed >> 16) % 60000, int(seed & 0xFFFF) % 60000 - 30000});
    }
    std::vector<TPoint> tall;  // 100 points, 60,000 rows: 6,000,000 steps
    for (int i = 0; i < 100; ++i)
        tall.push_back({i, i % 2 ? 30000 : -30000});

    const struct {
        const char* name;
        std::vector<TPoint> points;
        bool taken;
    } cases[] = {
        // The list holds three points before.
        {"as many points as the bound", square(GfxMaxStoredPoints - 3), true},
        {"one point more", square(GfxMaxStoredPoints - 2), false},
        {"a thousand points anywhere", wild, false},
        {"a hundred points over 60,000 rows", tall, false},
        {"rectangles within the bound", comb(100, 1000), true},
        {"rectangles past the bound", comb(200, 1000), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGfxRegion region;
        region.ReadPointList(values({{0, 0}, {10, 0}, {10, 10}}));
        const QByteArray before = region.RegionData();
        int changes = 0;
        region.OnChange = [&](TObject*) { ++changes; };
        try {
            region.ReadPointList(values(c.points));
            EXPECT_TRUE(c.taken);
        } catch (const EReadError& e) {
            EXPECT_FALSE(c.taken);
            EXPECT_EQ(e.Message(), QStringLiteral("Stream read error"));
        }
        if (c.taken) {
            EXPECT_EQ(region.Points().Count(), 3 + int(c.points.size()));
            EXPECT_NE(region.RegionData(), before);
            EXPECT_LE(region.RegionData().size(), 32 + 16 * GfxMaxPointListRects);
            EXPECT_EQ(changes, 1);
        } else {
            EXPECT_EQ(region.Points().Count(), 3);
            EXPECT_EQ(region.RegionData(), before);
            EXPECT_EQ(changes, 0);
        }
    }
    // Points added by code past the bound give no region instead.
    TGfxRegion region;
    region.SetShape(rsPointList);
    region.Points().BeginUpdate();
    for (const TPoint& p : tall)
        region.Points().AddPoint(p);
    region.Points().EndUpdate();
    EXPECT_TRUE(region.RegionData().isEmpty());
    EXPECT_FALSE(region.BuildRegion(TRect{0, 0, 200, 200}).has_value());
}

TEST(RegionObject, AssignCopiesTheOutlineSettings)
{
    TGfxRegion source;
    source.SetShape(rsStar);
    source.SetRoundX(3);
    source.SetExtPos(epBottomRight);
    source.Shadow().SetStyle(hssTracing);
    source.Border().SetSingleColor(clRed);
    source.Mask().SetRegionData(TwoSquares());
    TGfxBorderRegion copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Shape(), rsStar);
    EXPECT_EQ(copy.RoundX(), 3);
    EXPECT_EQ(copy.ExtPos(), epBottomRight);
    EXPECT_EQ(copy.Shadow().Style(), hssTracing);
    EXPECT_EQ(copy.Border().SingleColor(), clRed);
    EXPECT_EQ(copy.Mask().RegionData(), TwoSquares());
}

TEST(RegionBorder, StylesAlongTheOutline)
{
    const struct { TGfxRegionBorderStyle style; const char* picture; } cases[] = {
        {rbSingle, R"(
##########
##########
##......##
##......##
##......##
##......##
##########
##########
)"},
        // The two halves meet on the diagonal from the lower left to the
        // upper right.
        {rbRaised, R"(
gggggggggg
gggggggggb
gg......bb
gg......bb
gg......bb
gg......bb
gggbbbbbbb
ggbbbbbbbb
)"},
        {rbLowered, R"(
bbbbbbbbbb
bbbbbbbbbg
bb......gg
bb......gg
bb......gg
bb......gg
bbbggggggg
bbgggggggg
)"},
        {rbSingleRaised, R"(
##########
#gggggggg#
#gggggggb#
#gg....bb#
#gg....bb#
#gggbbbbb#
#ggbbbbbb#
##########
)"},
        {rbRaisedpsb, R"(
gggggggggg
ggggggggg#
gg......b#
gg.....bb#
gg.....bb#
gg..bbbbb#
gggbbbbbb#
gg########
)"},
    };
    for (const auto& c : cases) {
        TGfxRegion region;
        region.SetShape(rsRect);
        region.Border().SetStyle(c.style);
        region.Border().SetLightColor(clLime);
        region.Border().SetShadowColor(clBlue);
        region.Border().SetSingleColor(clBlack);
        QImage im = Surface(10, 8);
        TGfxCanvas canvas(&im);
        region.PaintBorder(canvas, TRect{0, 0, 10, 8});
        EXPECT_EQ(canvas.Brush.Style(), bsClear);
        EXPECT_EQ(canvas.Pen.Width(), 2);
        canvas.Release();
        EXPECT_EQ(Picture(im, L), Rows(c.picture)) << int(c.style);
    }
}

TEST(RegionBorder, ShadowsAndShapesWithoutBorder)
{
    TGfxLibraryScope library;
    TGfxRegion region;
    region.SetShape(rsRect);
    region.Border().SetStyle(rbNone);
    region.Shadow().SetStyle(hssSolid);
    region.Shadow().SetDepth(2);
    region.Shadow().SetColor(clRed);
    QImage im = Surface(8, 6);
    TGfxCanvas canvas(&im);
    region.PaintBorder(canvas, TRect{0, 0, 8, 6});
    canvas.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
........
........
......rr
......rr
..rrrrrr
..rrrrrr
)"));
    // Tracing: the checker's coloured squares over what lies below.
    region.Shadow().SetStyle(hssTracing);
    im = Surface(8, 6, clLime);
    TGfxCanvas traced(&im);
    region.PaintBorder(traced, TRect{0, 0, 8, 6});
    traced.Release();
    EXPECT_EQ(At(im, 7, 2), GfxRGB(0, 0, 0));  // lime AND red
    EXPECT_EQ(At(im, 6, 2), clLime);
    EXPECT_EQ(At(im, 0, 0), clLime);
    // No shadow fill, and no border for a stored shape.
    region.NoShadowFill = true;
    region.Mask().SetRegionData(TwoSquares());
    region.SetShape(rsBitmap);
    region.Border().SetStyle(rbSingle);
    im = Surface(8, 6);
    TGfxCanvas none(&im);
    region.PaintBorder(none, TRect{0, 0, 8, 6});
    none.Release();
    EXPECT_EQ(InkBounds(im), TRect{});
}

// ------------------------------------------------------------------ mask

QByteArray WriteData(const TGfxRegionMask& mask)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    mask.WriteRegionData(out);
    return out.data();
}

TEST(RegionMask, RegionDataRoundTripAndSize)
{
    TGfxRegionMask mask;
    EXPECT_FALSE(mask.RegionDataStored());
    EXPECT_TRUE(WriteData(mask).isEmpty());
    mask.SetRegionData(TwoSquares());
    EXPECT_EQ(mask.RegionDataSize(), TwoSquares().size());
    EXPECT_TRUE(mask.RegionDataStored());
    const QByteArray stored = WriteData(mask);
    EXPECT_EQ(stored, TwoSquares());

    TGfxRegionMask back;
    back.SetRegionDataSize(static_cast<int>(stored.size()));
    QBuffer in;
    in.setData(stored + QByteArray("tail"));
    in.open(QIODevice::ReadOnly);
    back.ReadRegionData(in);
    EXPECT_EQ(back.RegionData(), TwoSquares());
    EXPECT_EQ(in.pos(), stored.size());  // no length of its own: exactly the size

    // A size set apart from the data writes that many bytes.
    mask.SetRegionDataSize(40);
    EXPECT_EQ(WriteData(mask), TwoSquares().left(40));
    mask.SetRegionDataSize(100);
    EXPECT_EQ(WriteData(mask).size(), 100);
    mask.ClearData();
    EXPECT_EQ(mask.RegionDataSize(), 0);
    EXPECT_TRUE(mask.RegionData().isEmpty());
}

TEST(RegionMask, CorruptRegionDataIsRefusedWithTheReadError)
{
    const QByteArray good = TwoSquares();
    auto patched = [&](int at, std::int32_t v) {
        QByteArray d = good;
        qToLittleEndian(v, d.data() + at);
        return d;
    };
    const struct { const char* what; QByteArray data; int size; } cases[] = {
        {"header size", patched(0, 64), 0},
        {"type", patched(4, 2), 0},
        {"count past the size", patched(8, 3), 0},
        {"count far past the size", patched(8, 0x7FFFFFFF), 0},
        {"negative count", patched(8, -1), 0},
        {"rectangle turned over", patched(32, 45), 0},
        {"shorter than a header", good.left(20), 20},
        {"size past the stream", good, 1000},
        {"size far past the stream", good, 0x7FFFFFF0},
        {"negative size", good, -8},
    };
    for (const auto& c : cases) {
        TGfxRegionMask mask;
        mask.SetRegionData(TwoSquares());
        mask.SetRegionDataSize(c.size ? c.size : static_cast<int>(c.data.size()));
        QBuffer in;
        in.setData(c.data);
        in.open(QIODevice::ReadOnly);
        try {
            mask.ReadRegionData(in);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Stream read error")) << c.what;
        }
        EXPECT_EQ(mask.RegionDataSize(), 0) << c.what;
        EXPECT_TRUE(mask.RegionData().isEmpty()) << c.what;
    }
}

TEST(RegionMask, AssignTakesDataAndBitmapsOnlyFromAMaskWithData)
{
    TGfxRegionMask source;
    source.SetRegionData(TwoSquares());
    source.BorderBitmap(bbBorderUp).SetSize(3, 2);
    TGfxRegionMask mask;
    mask.BorderBitmap(bbBorder).SetSize(5, 5);
    mask.Assign(&source);
    EXPECT_EQ(mask.RegionData(), TwoSquares());
    EXPECT_EQ(mask.BorderBitmap(bbBorderUp).Width(), 3);
    EXPECT_TRUE(mask.BorderBitmap(bbBorder).Empty());

    // From a mask without data: the data goes, the bitmaps stay.
    TGfxRegionMask empty;
    mask.Assign(&empty);
    EXPECT_EQ(mask.RegionDataSize(), 0);
    EXPECT_TRUE(mask.RegionData().isEmpty());
    EXPECT_EQ(mask.BorderBitmap(bbBorderUp).Width(), 3);
}

TEST(RegionMask, BorderBitmapsWithTheirCompressionFlag)
{
    TGfxRegionMask mask;
    EXPECT_FALSE(mask.BorderStored(bbBorderDown));
    TGfxBitmap& up = mask.BorderBitmap(bbBorderUp);
    up.SetPixelFormat(pf24bit);
    up.SetSize(6, 4);
    up.Canvas().Brush.SetColor(clRed);
    up.Canvas().FillRect(TRect{1, 1, 5, 3});
    EXPECT_TRUE(mask.BorderStored(bbBorderUp));
    EXPECT_STREQ(TGfxRegionMask::BorderPropertyName(bbBorderUp), "BorderUpBmp");
    EXPECT_STREQ(TGfxRegionMask::BorderPropertyName(bbBorderDown), "BorderDnBmp");
    EXPECT_STREQ(TGfxRegionMask::BorderPropertyName(bbBorder), "BorderBmp");

    for (bool compressed : {false, true}) {
        mask.SetCompressed(compressed);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        mask.WriteBorder(out, bbBorderUp);
        EXPECT_EQ(static_cast<int>(out.data().at(0)), compressed ? 1 : 0);
        TGfxRegionMask back;
        EXPECT_FALSE(back.Compressed());
        QBuffer in;
        in.setData(out.data());
        in.open(QIODevice::ReadOnly);
        back.ReadBorder(in, bbBorderUp);
        EXPECT_EQ(back.Compressed(), compressed);
        EXPECT_EQ(back.BorderBitmap(bbBorderUp).ToImage(), up.ToImage());
        EXPECT_TRUE(back.BorderBitmap(bbBorder).Empty());
    }
}

}  // namespace
