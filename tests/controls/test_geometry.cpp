// Rectangle, point and value helpers and the prefix directories.
#include "gfx_geometry.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

TEST(Geometry, RotatedRectBounds)
{
    const struct { TRect in; int angle; TRect expected; } cases[] = {
        {{0, 0, 100, 50}, 90, {0, 0, 50, 100}},
        {{10, 20, 110, 70}, 0, {10, 20, 110, 70}},  // unchanged, not moved
        {{10, 20, 110, 70}, 180, {0, 0, 100, 50}},
        {{0, 0, 100, 100}, 45, {0, 0, 142, 142}},
        {{0, 0, 100, 50}, -90, {0, 0, 50, 100}},
        // b * sin 30 is exactly 1.5 in extended precision (rounds to 2) but
        // just below it in double (rounds to 1).
        {{0, 0, 1, 6}, 30, {0, 0, 4, 6}},
    };
    for (const auto& c : cases) {
        TRect r = c.in;
        GfxRotatedRectBounds(r, c.angle);
        EXPECT_EQ(r, c.expected) << "angle " << c.angle;
    }
}

TEST(Geometry, ScaleRectToFit)
{
    const struct { TRect source, target, expected; } cases[] = {
        {{0, 0, 200, 100}, {10, 20, 110, 220}, {10, 20, 110, 70}},
        {{0, 0, 4, 1}, {0, 0, 10, 100}, {0, 0, 10, 2}},    // 2.5 rounds to 2
        {{0, 0, 2, 3}, {0, 0, 3, 100}, {0, 0, 3, 4}},      // 4.5 rounds to 4
        {{0, 0, 0, 10}, {5, 5, 105, 25}, {5, 5, 5, 25}},   // no width: height decides
        {{0, 0, 0, 0}, {5, 5, 105, 25}, {5, 5, 5, 5}},
        // 27 * (7 / 6) lies just below 31.5 in extended precision; rounded
        // through double it would become 31.5 and then 32.
        {{0, 0, 6, 27}, {0, 0, 7, 36}, {0, 0, 7, 31}},
        {{0, 0, 14, 21}, {0, 0, 5, 8}, {0, 0, 5, 7}},
    };
    for (const auto& c : cases) {
        TRect r;
        GfxScaleRectToFit(c.source, c.target, r);
        EXPECT_EQ(r, c.expected);
    }
}

TEST(Geometry, RectInRectExcludesRightAndBottomEdges)
{
    const TRect outer{0, 0, 10, 10};
    const struct { TRect inner; bool expected; } cases[] = {
        {{1, 1, 5, 5}, true}, {{0, 0, 9, 9}, true}, {{0, 0, 10, 10}, false},
        {{0, 0, 10, 9}, false}, {{-1, 0, 5, 5}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxRectInRect(c.inner, outer), c.expected);
    int w = 0, h = 0;
    GfxRectSize({3, 4, 10, 20}, w, h);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 16);
}

TEST(Geometry, MinMaxStayInsideTheArray)
{
    const std::vector<int> v = {5, -3, 9, 1};
    const struct { int high, max, min; } cases[] = {
        {3, 9, -3}, {1, 5, -3}, {0, 5, 5}, {-1, 5, 5}, {100, 9, -3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GfxMaxIntValue(v, c.high), c.max) << c.high;
        EXPECT_EQ(GfxMinIntValue(v, c.high), c.min) << c.high;
    }
    EXPECT_EQ(GfxMaxIntValue({}, 3), 0);
    const std::vector<long double> e = {2.5L, -1.25L, 0.0L};
    EXPECT_EQ(GfxMinExtValue(e, 2), -1.25L);
    EXPECT_EQ(GfxMinExtValue(e, 0), 2.5L);
}

TEST(Geometry, OffsetPointsUpToTheHighestIndex)
{
    std::vector<TPoint> p = {{0, 0}, {1, 1}, {2, 2}};
    GfxOffsetPoints(p, 1, 10, -1);
    EXPECT_EQ(p, (std::vector<TPoint>{{10, -1}, {11, 0}, {2, 2}}));
    GfxOffsetPoints(p, 7, 1, 1);  // beyond the end: the whole array
    EXPECT_EQ(p[2], (TPoint{3, 3}));
}

TEST(Geometry, IntPowerAndIncrementWrapExplicitly)
{
    const struct { int base, exp, expected; } cases[] = {
        {2, 10, 1024}, {3, 0, 1}, {5, -1, 1}, {-2, 3, -8},
        {2, 31, std::numeric_limits<int>::min()}, {2, 32, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxIntPower(c.base, c.exp), c.expected) << c.base << "^" << c.exp;
    int counter = 5;
    EXPECT_EQ(GfxIncrement(counter), 6);
    EXPECT_EQ(counter, 6);
    counter = std::numeric_limits<int>::max();
    EXPECT_EQ(GfxIncrement(counter), std::numeric_limits<int>::min());
}

TEST(Geometry, PrefixDirectories)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(GfxGetPrefixDir(ppFixed, true), QString());
    EXPECT_EQ(GfxGetPrefixDir(ppProgram, false), programDir);
    EXPECT_EQ(GfxGetPrefixDir(ppProgram, true), programDir + "/");
    EXPECT_TRUE(GfxGetPrefixDir(ppSystem, true).endsWith('/'));
    EXPECT_FALSE(GfxGetPrefixDir(ppWindows, false).endsWith('/'));
}

}  // namespace
