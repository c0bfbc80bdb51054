// The shape sub-objects, the outline of the eleven shapes as point tables,
// teeth, the point list and the shape painter's pixels.
#include "gfx_library.h"
#include "gfx_shape.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace painttest;

namespace {

const Legend L = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

std::vector<TPoint> Outline(int w, int h, TGfxShapeType type, const TGfxShadow* shadow, const TGfxSimpleBevel* bevel,
                            int percent, bool square = false, TGfxTeeth* teeth = nullptr)
{
    TGfxPointList list;
    GfxShapeOutline(TRect{0, 0, w, h}, type, teeth, list, shadow, bevel, percent, square);
    return list.Points();
}

TEST(ShapeOutline, ElevenShapesAtTwoSizes)
{
    // Outer points, then the inset points of the bevel's half widths
    // (width 3: 1 and 1; width 4: 2 and 1). The shadow of depth 4 moves the
    // box to start at (4, 4).
    TGfxShadow shadow;
    shadow.SetDepth(4);
    TGfxSimpleBevel bevel3, bevel4;
    bevel3.SetWidth(3);
    bevel4.SetWidth(4);
    const struct {
        TGfxShapeType type;
        int w, h;
        std::vector<TPoint> points;
    } cases[] = {
        // 100 x 60, shadow 4, bevel 3, corners 33 %
        {stEllipse, 100, 60, {{4, 4}, {100, 60}, {5, 5}, {99, 59}}},
        {stRectangle, 100, 60, {{4, 4}, {100, 60}, {5, 5}, {99, 59}}},
        {stRoundRect, 100, 60, {{4, 4}, {100, 60}, {18, 18}, {5, 5}, {100, 60}, {22, 22}}},
        {stDirectUp, 100, 60, {{52, 4}, {100, 60}, {4, 60}, {52, 5}, {99, 59}, {6, 60}}},
        {stDirectRight, 100, 60, {{4, 4}, {100, 32}, {4, 60}, {5, 5}, {99, 32}, {5, 59}}},
        {stDirectDown, 100, 60, {{4, 4}, {100, 4}, {52, 60}, {5, 5}, {99, 5}, {52, 60}}},
        {stDirectLeft, 100, 60, {{100, 4}, {4, 32}, {100, 60}, {99, 5}, {5, 32}, {99, 59}}},
        {stDiamond, 100, 60, {{52, 4}, {100, 32}, {52, 60}, {4, 32}, {52, 5}, {99, 32}, {52, 59}, {5, 32}}},
        {stComb, 100, 60, {{52, 4}, {100, 15}, {100, 48}, {52, 60}, {4, 48}, {4, 15},
                           {52, 5}, {99, 16}, {99, 49}, {52, 59}, {5, 49}, {5, 16}}},
        {stOctagon, 100, 60, {{32, 4}, {72, 4}, {100, 20}, {100, 43}, {72, 60}, {32, 60}, {4, 43}, {4, 20},
                              {33, 5}, {73, 5}, {99, 21}, {99, 44}, {73, 59}, {33, 59}, {5, 44}, {5, 21}}},
        {stStar, 100, 60, {{52, 4}, {66, 25}, {100, 25}, {71, 38}, {86, 60}, {52, 46}, {18, 60}, {33, 38}, {4, 25},
                           {38, 25}, {52, 5}, {66, 26}, {99, 26}, {71, 37}, {85, 59}, {52, 45}, {19, 59}, {33, 37},
                           {5, 26}, {38, 26}}},
        // 41 x 23, no shadow, bevel 4, corners 50 %
        {stEllipse, 41, 23, {{0, 0}, {41, 23}, {2, 2}, {40, 22}}},
        {stRectangle, 41, 23, {{0, 0}, {41, 23}, {2, 2}, {40, 22}}},
        {stRoundRect, 41, 23, {{0, 0}, {41, 23}, {11, 11}, {2, 2}, {41, 23}, {11, 11}}},
        {stDirectUp, 41, 23, {{20, 0}, {41, 23}, {0, 23}, {20, 2}, {40, 22}, {4, 23}}},
        {stDirectRight, 41, 23, {{0, 0}, {41, 11}, {0, 23}, {2, 2}, {40, 11}, {2, 22}}},
        {stDirectDown, 41, 23, {{0, 0}, {41, 0}, {20, 23}, {2, 2}, {40, 2}, {20, 23}}},
        {stDirectLeft, 41, 23, {{41, 0}, {0, 11}, {41, 23}, {40, 2}, {2, 11}, {40, 22}}},
        {stDiamond, 41, 23, {{20, 0}, {41, 11}, {20, 23}, {0, 11}, {20, 2}, {40, 11}, {20, 22}, {2, 11}}},
        {stComb, 41, 23, {{20, 0}, {41, 5}, {41, 20}, {20, 23}, {0, 20}, {0, 5},
                          {20, 2}, {40, 7}, {40, 22}, {20, 22}, {2, 22}, {2, 7}}},
        {stOctagon, 41, 23, {{12, 0}, {29, 0}, {41, 7}, {41, 17}, {29, 23}, {12, 23}, {0, 17}, {0, 7},
                             {14, 2}, {31, 2}, {40, 9}, {40, 19}, {31, 22}, {14, 22}, {2, 19}, {2, 9}}},
        {stStar, 41, 23, {{20, 0}, {27, 9}, {41, 9}, {29, 14}, {35, 23}, {20, 17}, {6, 23}, {12, 14}, {0, 9},
                          {14, 9}, {20, 2}, {26, 10}, {40, 10}, {28, 14}, {34, 22}, {20, 17}, {7, 22}, {13, 14},
                          {1, 10}, {15, 10}}},
    };
    for (const auto& c : cases) {
        const bool big = c.w == 100;
        const auto points = Outline(c.w, c.h, c.type, big ? &shadow : nullptr, big ? &bevel3 : &bevel4, big ? 33 : 50);
        EXPECT_EQ(points, c.points) << "shape " << int(c.type) << " at " << c.w << " x " << c.h;
    }
}

TEST(ShapeOutline, BoxRoomAndSquare)
{
    // No shadow object, or a shadow of style hssNone: the box starts at
    // (0, 0); without a bevel the half widths are 0.
    TGfxShadow none;
    none.SetStyle(hssNone);
    none.SetDepth(9);
    const std::vector<TPoint> plain = {{0, 0}, {100, 60}, {0, 0}, {100, 60}};
    EXPECT_EQ(Outline(100, 60, stRectangle, nullptr, nullptr, 0), plain);
    EXPECT_EQ(Outline(100, 60, stRectangle, &none, nullptr, 0), plain);
    // The square flag centres a 60 x 60 box in 100 x 60, and 30 x 30 in 30 x 50.
    EXPECT_EQ(Outline(100, 60, stRectangle, nullptr, nullptr, 0, true),
              (std::vector<TPoint>{{20, 0}, {80, 60}, {20, 0}, {80, 60}}));
    EXPECT_EQ(Outline(30, 50, stEllipse, nullptr, nullptr, 0, true),
              (std::vector<TPoint>{{0, 10}, {30, 40}, {0, 10}, {30, 40}}));
    // A bevel of width 0 insets by nothing.
    TGfxSimpleBevel flat;
    flat.SetWidth(0);
    EXPECT_EQ(Outline(100, 60, stRectangle, nullptr, &flat, 0), plain);
}

TEST(ShapeOutline, TeethPerCount)
{
    // Count 10 on a 200-pixel bottom edge: 20 steps of 10 pixels, each
    // zigzag point Height (5) deep in turn; the step is kept in Width.
    TGfxTeeth teeth;
    teeth.SetDirection(tdDown);
    teeth.SetHeight(5);
    int changes = 0;
    teeth.OnChange = [&](TObject*) { ++changes; };
    const auto points = Outline(200, 50, stRectangle, nullptr, nullptr, 0, false, &teeth);
    EXPECT_EQ(teeth.Width(), 10);
    EXPECT_EQ(changes, 0);
    ASSERT_EQ(points.size(), 26u);  // four corners, 21 zigzag points, the far end
    EXPECT_EQ((std::vector<TPoint>(points.begin(), points.begin() + 4)),
              (std::vector<TPoint>{{200, 50}, {200, 0}, {0, 0}, {0, 50}}));
    for (int i = 0; i <= 20; ++i)
        EXPECT_EQ(points[4 + i], (TPoint{10 * i, i % 2 ? 45 : 50})) << i;
    EXPECT_EQ(points.back(), (TPoint{200, 50}));
}

TEST(ShapeOutline, TeethByPitchOffsetAndNoPitch)
{
    // On the right edge, stepping by Height 8 over 30 pixels: round(30 / 8)
    // * 2 = 8 steps, the last ones held at the far end; starting one depth
    // (Width 4) inward without Offset.
    TGfxTeeth teeth;
    teeth.SetSetPerCount(false);
    teeth.SetOffset(false);
    teeth.SetWidth(4);
    teeth.SetHeight(8);
    const auto points = Outline(20, 30, stRectangle, nullptr, nullptr, 0, false, &teeth);
    const std::vector<TPoint> expected = {
        {16, 30}, {0, 30}, {0, 0}, {16, 0},                    // corners, the toothed edge's inward
        {16, 0}, {20, 8}, {16, 16}, {20, 24}, {16, 30}, {20, 30}, {16, 30}, {20, 30}, {16, 30},
        {16, 30}};
    EXPECT_EQ(points, expected);

    // The default teeth on the right edge step by Height 0 without
    // SetPerCount, and Count 0 gives no steps: no teeth, the plain box.
    const std::vector<TPoint> box = {{20, 30}, {0, 30}, {0, 0}, {20, 0}};
    TGfxTeeth byPitch;
    byPitch.SetSetPerCount(false);
    EXPECT_EQ(Outline(20, 30, stRectangle, nullptr, nullptr, 0, false, &byPitch), box);
    TGfxTeeth none;
    none.SetCount(0);
    EXPECT_EQ(Outline(20, 30, stRectangle, nullptr, nullptr, 0, false, &none), box);
}

TEST(PointList, PackingNotificationsAndOffsets)
{
    TGfxPointList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.AddPoint({3, 4});
    EXPECT_EQ(changes, 2);
    list.AddPoint({32767, -5});
    list.AddPoint({-7, 0});
    EXPECT_EQ(list.GetPoint(0), (TPoint{3, 4}));
    EXPECT_EQ(list.GetPoint(1), (TPoint{32767, -5}));
    EXPECT_EQ(list.GetPoint(2), (TPoint{-7, 0}));
    EXPECT_EQ(TGfxPointList::Pack({3, 4}), 0x00030004u);
    EXPECT_EQ(list.GetPoint(3), (TPoint{}));
    changes = 0;
    list.SetPoint(3, {1, 1});  // past the end: ignored
    EXPECT_EQ(list.Count(), 3);
    GfxOffsetPointList(list, 10, -2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Points(), (std::vector<TPoint>{{13, 2}, {32767, -7}, {3, -2}}));

    std::vector<TPoint> array = {{0, 0}, {1, 1}, {2, 2}};
    GfxOffsetPointArray(array, 2, 5, 7);  // dy, then dx
    EXPECT_EQ(array, (std::vector<TPoint>{{7, 5}, {8, 6}, {2, 2}}));
}

TEST(ShapeObjects, DefaultsLimitsAssignAndDescriptions)
{
    TGfxSimpleBevel bevel;
    EXPECT_EQ(bevel.Width(), 2);
    EXPECT_EQ(bevel.LightColor(), clBtnHighlight);
    EXPECT_EQ(bevel.ShadowColor(), clBtnShadow);
    EXPECT_EQ(bevel.Color(), clBlack);
    bevel.SetWidth(99);
    EXPECT_EQ(bevel.Width(), 50);
    bevel.SetStyle(sbOffset);
    bevel.SetColorIndex(0, clRed);
    TGfxSimpleBevel copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&bevel);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Width(), 50);
    EXPECT_EQ(copy.LightColor(), clRed);
    EXPECT_EQ(copy.GetDescription(), QStringLiteral("{Offset}"));

    TGfxShadow shadow;
    EXPECT_EQ(shadow.GetDescription(), QStringLiteral("{solid, 6}"));
    shadow.SetDepth(41);
    EXPECT_EQ(shadow.Depth(), 40);
    shadow.SetStyle(hssTracing);
    EXPECT_EQ(shadow.GetDescription(), QStringLiteral("{tracing, 40}"));
    shadow.SetStyle(hssNone);
    EXPECT_EQ(shadow.GetDescription(), QStringLiteral("{Disabled}"));

    TGfxTeeth teeth;
    EXPECT_EQ(teeth.Count(), 10);
    EXPECT_TRUE(teeth.Offset());
    EXPECT_TRUE(teeth.SetPerCount());
    EXPECT_EQ(teeth.Width(), 10);
    EXPECT_EQ(teeth.Height(), 0);
    teeth.SetCount(51);
    EXPECT_EQ(teeth.Count(), 50);
}

// ---------------------------------------------------------------- painting

QImage Paint(int w, int h, TGfxShapeType type, const TGfxShadow* shadow, const TGfxSimpleBevel* bevel,
             TColor brush = clRed, TGfxBitmap* bitmap = nullptr, TGfxTeeth* teeth = nullptr, TRect rect = {})
{
    QImage im = Surface(w, h);
    TGfxCanvas canvas(&im);
    TGfxBrush fill;
    fill.SetColor(brush);
    if (rect == TRect{})
        rect = TRect{0, 0, w, h};
    GfxPaintShape(canvas, rect, type, teeth, nullptr, shadow, bevel, 50, fill, bitmap, false);
    canvas.Release();
    return im;
}

TEST(PaintShape, SolidShadowShowsAtTheLowerRight)
{
    TGfxShadow shadow;
    shadow.SetDepth(2);
    shadow.SetColor(clBlue);
    EXPECT_EQ(Picture(Paint(12, 8, stRectangle, &shadow, nullptr), L), Rows(R"(
rrrrrrrrr...
rrrrrrrrr...
rrrrrrrrrbb.
rrrrrrrrrbb.
rrrrrrrrrbb.
..bbbbbbbbb.
..bbbbbbbbb.
............
)"));
    // Without a shadow object the shape is painted as with depth 0.
    TGfxShadow flat;
    flat.SetDepth(0);
    EXPECT_EQ(Paint(12, 8, stEllipse, nullptr, nullptr), Paint(12, 8, stEllipse, &flat, nullptr));
}

TEST(PaintShape, TracingShadowDarkensTheCheckerSquaresOnly)
{
    TGfxLibraryScope library;
    TGfxShadow shadow;
    shadow.SetDepth(4);
    shadow.SetColor(clBlue);
    shadow.SetStyle(hssTracing);
    const QImage im = Paint(16, 12, stRectangle, &shadow, nullptr);
    // The strip right of the body: the blue squares of the checker on the
    // white below.
    for (int y = 4; y < 10; ++y)
        for (int x = 12; x < 14; ++x)
            EXPECT_EQ(At(im, x, y), (x + y) % 2 ? clBlue : clWhite) << x << "," << y;
    EXPECT_EQ(At(im, 0, 0), clRed);
}

TEST(PaintShape, InsetBevelIsSunken)
{
    TGfxSimpleBevel bevel;
    bevel.SetWidth(1);
    bevel.SetStyle(sbInset);
    bevel.SetShadowColor(clBlack);
    bevel.SetLightColor(clLime);
    EXPECT_EQ(Picture(Paint(8, 6, stRectangle, nullptr, &bevel), L), Rows(R"(
#######g
#rrrrrrg
#rrrrrrg
#rrrrrrg
#rrrrrrg
#ggggggg
)"));
    // sbNormal strokes the outline in the bevel's colour instead.
    bevel.SetStyle(sbNormal);
    EXPECT_EQ(Picture(Paint(8, 6, stRectangle, nullptr, &bevel), L), Rows(R"(
########
#rrrrrr#
#rrrrrr#
#rrrrrr#
#rrrrrr#
########
)"));
}

TEST(PaintShape, BevelLinesFollowTheUpperLeftAndLowerRightHalves)
{
    TGfxSimpleBevel bevel;
    bevel.SetWidth(1);
    bevel.SetStyle(sbOffset);  // raised: light upper-left, shadow lower-right
    bevel.SetShadowColor(clBlack);
    bevel.SetLightColor(clLime);
    for (TGfxShapeType type : {stEllipse, stDiamond, stOctagon, stRoundRect, stComb}) {
        const QImage im = Paint(31, 21, type, nullptr, &bevel);
        int light = 0, dark = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 31; ++x) {
                // Which side of the box's diagonal from the lower left to the
                // upper right the pixel lies on (negative: upper left), with
                // room for the lower-right lines lying a pixel inside.
                const double side = x / 31.0 + y / 21.0 - 1.0;
                if (At(im, x, y) == clLime) {
                    ++light;
                    EXPECT_LT(side, 0.1) << int(type) << " light at " << x << "," << y;
                } else if (At(im, x, y) == clBlack) {
                    ++dark;
                    EXPECT_GT(side, -0.15) << int(type) << " dark at " << x << "," << y;
                }
            }
        EXPECT_GT(light, 15) << int(type);
        EXPECT_GT(dark, 15) << int(type);
    }
}

// The halves are those of the box asked for, whichever boxes were asked for
// before (a shape's last box is kept between paints).
TEST(PaintShape, DiagonalHalvesFollowTheBoxAskedFor)
{
    const TRect boxes[] = {{0, 0, 31, 21}, {100, 50, 120, 90}, {0, 0, 31, 21}, {-40, 10, -10, 12}, {-40, 10, -10, 12},
                           {100, 50, 120, 90}};
    for (const TRect& b : boxes) {
        const TPoint topLeft{b.Left, b.Top}, bottomRight{b.Right - 1, b.Bottom - 1};
        const TGfxRgn upper = GfxDiagonalHalf(b, true), lower = GfxDiagonalHalf(b, false);
        EXPECT_TRUE(upper.Contains(topLeft)) << b.Left << "," << b.Top;
        EXPECT_FALSE(upper.Contains(bottomRight)) << b.Left << "," << b.Top;
        EXPECT_TRUE(lower.Contains(bottomRight)) << b.Left << "," << b.Top;
        EXPECT_FALSE(lower.Contains(topLeft)) << b.Left << "," << b.Top;
    }
}

// An inset bevel closes round the fill of every polygon shape (and of
// teeth): no pixel of the fill touches the background, the lower-right
// lines lie on the shape's own last pixels, not one pixel further in nor
// outside the shape's rectangle.
TEST(PaintShape, InsetBevelOfPolygonsLeavesNoFillOutside)
{
    TGfxTeeth teeth;
    teeth.SetDirection(tdRight);
    teeth.SetCount(3);
    struct Case {
        TGfxShapeType type;
        TGfxTeeth* teeth;
    };
    const Case cases[] = {{stDirectUp, nullptr}, {stDirectRight, nullptr}, {stDirectDown, nullptr},
                          {stDirectLeft, nullptr}, {stDiamond, nullptr}, {stComb, nullptr},
                          {stOctagon, nullptr}, {stStar, nullptr}, {stRectangle, &teeth}};
    TGfxSimpleBevel bevel;
    bevel.SetStyle(sbInset);
    bevel.SetShadowColor(clBlack);
    bevel.SetLightColor(clLime);
    for (const Case& c : cases)
        for (const TGfxSize size : {TGfxSize{21, 19}, TGfxSize{40, 27}})
            for (int width : {1, 2, 3}) {
                SCOPED_TRACE(testing::Message() << "shape " << int(c.type) << (c.teeth ? " with teeth" : "") << ", "
                                                << size.cx << " x " << size.cy << ", bevel " << width);
                bevel.SetWidth(width);
                const QImage im = Paint(size.cx + 4, size.cy + 4, c.type, nullptr, &bevel, clRed, nullptr, c.teeth,
                                        TRect{0, 0, size.cx, size.cy});
                const TRect lowerRight = BoundsOf(im, clLime);
                EXPECT_LE(lowerRight.Right, size.cx);
                EXPECT_LE(lowerRight.Bottom, size.cy);
                int fill = 0, dark = 0;
                std::vector<TPoint> exposed;
                for (int y = 0; y < im.height(); ++y)
                    for (int x = 0; x < im.width(); ++x) {
                        dark += At(im, x, y) == clLime;
                        if (At(im, x, y) != clRed)
                            continue;
                        ++fill;
                        for (const TPoint n : {TPoint{x - 1, y}, TPoint{x + 1, y}, TPoint{x, y - 1}, TPoint{x, y + 1}})
                            if (n.X < 0 || n.Y < 0 || At(im, n.X, n.Y) == clWhite) {
                                exposed.push_back(TPoint{x, y});
                                break;
                            }
                    }
                EXPECT_TRUE(exposed.empty()) << exposed.size() << " pixels of fill touch the background, the first at "
                                             << exposed.front().X << "," << exposed.front().Y << "\n"
                                             << Picture(im, L).toStdString();
                EXPECT_GT(fill, 10);
                EXPECT_GT(dark, size.cx / 2);
            }
}

// A bevel of width w is the shape's own pixels within w of its outside,
// across or along the rows: each edge w pixels thick in either colour, the
// upper-left colour on its side of the box's diagonal and the lower-right
// one on the other, and no pixel outside the shape's rectangle. The ellipse
// and the rounded rectangle are held to the rectangle only.
TEST(PaintShape, BevelEdgesAreAsThickAsTheBevelWithinTheShape)
{
    TGfxTeeth teeth;
    teeth.SetDirection(tdDown);
    teeth.SetCount(3);
    struct Case {
        TGfxShapeType type;
        TGfxTeeth* teeth;
        bool rim;  // the bevel is the rim of the shape's pixels
    };
    const Case cases[] = {{stDirectUp, nullptr, true},  {stDirectRight, nullptr, true}, {stDirectDown, nullptr, true},
                          {stDirectLeft, nullptr, true}, {stDiamond, nullptr, true},     {stComb, nullptr, true},
                          {stOctagon, nullptr, true},    {stStar, nullptr, true},        {stRectangle, nullptr, true},
                          {stRectangle, &teeth, true},   {stEllipse, nullptr, false},    {stRoundRect, nullptr, false}};
    const TRect rect{2, 2, 29, 21};  // 27 x 19, with room all round
    const int W = 31, H = 23;
    TGfxSimpleBevel bevel;
    bevel.SetShadowColor(clBlack);
    bevel.SetLightColor(clLime);
    for (const Case& c : cases)
        for (TGfxSimpleBevelStyle style : {sbInset, sbOffset})
            for (int width : {1, 2}) {
                SCOPED_TRACE(testing::Message() << "shape " << int(c.type) << (c.teeth ? " with teeth" : "")
                                                << (style == sbInset ? ", inset" : ", offset") << ", bevel " << width);
                bevel.SetStyle(style);
                bevel.SetWidth(width);
                const TColor upperLeft = style == sbInset ? clBlack : clLime;
                const QImage im = Paint(W, H, c.type, nullptr, &bevel, clRed, nullptr, c.teeth, rect);
                const auto shape = [&](int x, int y) {
                    return x >= 0 && y >= 0 && x < W && y < H && At(im, x, y) != clWhite;
                };
                // Steps from the pixel to the nearest outside pixel in its row
                // or column.
                const auto depth = [&](int x, int y) {
                    int k = 1;
                    while (shape(x - k, y) && shape(x + k, y) && shape(x, y - k) && shape(x, y + k))
                        ++k;
                    return k;
                };
                int wrong = 0, outside = 0, misplaced = 0;
                std::map<TColor, int> count;
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        if (!shape(x, y))
                            continue;
                        const TColor colour = At(im, x, y);
                        const bool bevelled = colour == clBlack || colour == clLime;
                        ++count[colour];
                        outside += !(x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom);
                        if (c.rim)
                            wrong += bevelled != (depth(x, y) <= width);
                        // Which side of the diagonal from the lower left to the
                        // upper right (negative: upper left).
                        const double side =
                            (x - rect.Left + 0.5) / rect.Width() + (y - rect.Top + 0.5) / rect.Height() - 1.0;
                        if (bevelled)
                            misplaced += colour == upperLeft ? side > 0.15 : side < -0.15;
                    }
                const std::string picture = Picture(im, L).toStdString();
                EXPECT_EQ(outside, 0) << picture;
                EXPECT_EQ(wrong, 0) << "pixels not within the bevel's width of the outside\n" << picture;
                EXPECT_EQ(misplaced, 0) << picture;
                EXPECT_GT(count[clBlack], 10) << picture;
                EXPECT_GT(count[clLime], 10) << picture;
            }
}

TEST(PaintShape, FillBitmapShowsOnlyInsideTheShape)
{
    // Painting through a lime bitmap gives the pixels of a lime brush.
    TGfxBitmap bitmap(14, 10, pf24bit);
    bitmap.Canvas().Brush.SetColor(clLime);
    bitmap.Canvas().FillRect(TRect{0, 0, 14, 10});
    for (TGfxShapeType type : {stEllipse, stStar, stRoundRect}) {
        const QImage through = Paint(14, 10, type, nullptr, nullptr, clRed, &bitmap);
        const QImage plain = Paint(14, 10, type, nullptr, nullptr, clLime);
        EXPECT_EQ(Picture(through, L), Picture(plain, L)) << int(type);
        EXPECT_EQ(At(through, 0, 0), clWhite) << int(type);
    }
}

TEST(PaintShape, RectangleOffsetMovesTheShapeNotItsCorners)
{
    const QImage at0 = Paint(20, 12, stRoundRect, nullptr, nullptr);
    const QImage moved = Paint(26, 16, stRoundRect, nullptr, nullptr, clRed, nullptr, nullptr, TRect{5, 3, 25, 15});
    EXPECT_EQ(Picture(moved, L, QRect(5, 3, 20, 12)), Picture(at0, L));
    EXPECT_EQ(InkBounds(moved), (TRect{5, 3, 24, 14}));
}

TEST(PaintShape, TeethArePainted)
{
    TGfxTeeth teeth;
    teeth.SetDirection(tdUp);
    teeth.SetCount(2);
    teeth.SetHeight(3);
    // Two teeth on the top edge of a 16 x 8 box: steps of 4 pixels,
    // alternately on the edge and 3 deep, so a tip every 8 pixels.
    const QImage im = Paint(16, 8, stRectangle, nullptr, nullptr, clRed, nullptr, &teeth);
    EXPECT_EQ(Picture(im, L), Rows(R"(
r.......r.......
rr.....rrr.....r
rrr...rrrrr...rr
rrrrrrrrrrrrrrrr
rrrrrrrrrrrrrrrr
rrrrrrrrrrrrrrrr
rrrrrrrrrrrrrrrr
rrrrrrrrrrrrrrrr
)"));
}


// ------------------------------------------------ fills through the shape

// A fill whose every pixel differs from its neighbours.
void PaintPattern(TGfxBitmap& bitmap, int salt)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Canvas().SetPixel(x, y, GfxRGB((x * 9 + salt) & 0xFF, (y * 13 + salt) & 0xFF, ((x + y) * 5) & 0xFF));
    bitmap.Canvas().Release();
}

// Where the body of the shape lies (painted in lime without a fill), the
// fill's own pixels from the rectangle's top-left (white past the fill's
// size); everywhere else the same pixels as without a fill.
void ExpectFillThroughTheShape(const QImage& through, const QImage& plain, const TGfxBitmap& fill, const TRect& rect,
                               const std::string& what)
{
    const QImage fillPixels = fill.ToImage();
    int inside = 0, wrong = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            QRgb want = plain.pixel(x, y);
            if (At(plain, x, y) == clLime) {
                ++inside;
                const int fx = x - rect.Left, fy = y - rect.Top;
                want = fx < fill.Width() && fy < fill.Height() ? fillPixels.pixel(fx, fy) : qRgb(255, 255, 255);
            }
            wrong += (through.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF);
        }
    EXPECT_GT(inside, 20) << what;
    EXPECT_EQ(wrong, 0) << what;
}

// Every shape, with and without teeth, at two places, with a fill of the
// rectangle's size and a smaller one, each painted twice (the second time
// from what the first kept).
TEST(PaintShape, TheFillShowsItsOwnPixelsThroughEveryShape)
{
    GfxDropShapeFillCache();
    TGfxShadow shadow;
    shadow.SetDepth(3);
    TGfxTeeth teeth;
    teeth.SetDirection(tdRight);
    teeth.SetCount(3);
    TGfxBitmap full(30, 20), small(17, 11, pf24bit);
    PaintPattern(full, 0);
    PaintPattern(small, 40);
    for (int type = stEllipse; type <= stStar; ++type)
        for (TGfxTeeth* t : {static_cast<TGfxTeeth*>(nullptr), &teeth})
            for (const TRect& rect : {TRect{0, 0, 30, 20}, TRect{4, 3, 34, 23}})
                for (TGfxBitmap* fill : {&full, &small})
                    for (int pass = 0; pass < 2; ++pass) {
                        const auto shape = static_cast<TGfxShapeType>(type);
                        const QImage plain = Paint(36, 25, shape, &shadow, nullptr, clLime, nullptr, t, rect);
                        const QImage through = Paint(36, 25, shape, &shadow, nullptr, clRed, fill, t, rect);
                        ExpectFillThroughTheShape(through, plain, *fill, rect,
                                                  "type " + std::to_string(type) + (t ? " teeth" : "") + " at " +
                                                      std::to_string(rect.Left) + " fill " +
                                                      std::to_string(fill->Width()) + " pass " + std::to_string(pass));
                    }
}

// What is kept follows the fill: new pixels drawn on the same bitmap, or
// written into its rows, show at the next paint; so does a new shape or
// size; and a repaint with nothing changed gives the same pixels.
TEST(PaintShape, AFillThatChangesShowsAtTheNextPaint)
{
    TGfxSimpleBevel bevel;
    bevel.SetStyle(sbInset);
    TGfxBitmap fill(24, 16);
    PaintPattern(fill, 0);
    const TRect rect{0, 0, 24, 16};
    const QImage plain = Paint(24, 16, stDiamond, nullptr, nullptr, clLime, nullptr, nullptr, rect);
    const QImage first = Paint(24, 16, stRoundRect, nullptr, &bevel, clRed, &fill);
    EXPECT_EQ(Paint(24, 16, stRoundRect, nullptr, &bevel, clRed, &fill), first);

    PaintPattern(fill, 99);  // drawn anew on its canvas
    ExpectFillThroughTheShape(Paint(24, 16, stDiamond, nullptr, nullptr, clRed, &fill, nullptr, rect), plain, fill,
                              rect, "drawn");
    auto* row = static_cast<std::uint8_t*>(fill.ScanLine(8));
    row[12 * 4] = 7;  // the blue of pixel (12, 8), in its row
    row[12 * 4 + 1] = 200;
    ExpectFillThroughTheShape(Paint(24, 16, stDiamond, nullptr, nullptr, clRed, &fill, nullptr, rect), plain, fill,
                              rect, "written in its row");
    EXPECT_EQ((fill.PixelAt(12, 8) >> 8) & 0xFF, 200u);
    EXPECT_EQ(At(Paint(24, 16, stDiamond, nullptr, nullptr, clRed, &fill, nullptr, rect), 12, 8), fill.PixelAt(12, 8));
    EXPECT_NE(Paint(24, 16, stRoundRect, nullptr, &bevel, clRed, &fill), first);
    const QImage smaller = Paint(24, 16, stDiamond, nullptr, nullptr, clLime, nullptr, nullptr, TRect{0, 0, 20, 12});
    ExpectFillThroughTheShape(Paint(24, 16, stDiamond, nullptr, nullptr, clRed, &fill, nullptr, TRect{0, 0, 20, 12}),
                              smaller, fill, TRect{0, 0, 20, 12}, "smaller");
}

}  // namespace

