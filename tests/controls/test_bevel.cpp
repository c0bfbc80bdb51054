// The bevel sub-object: the width it takes by mode, its notifications, and
// each of its four modes on the pixels it paints.
#include "gfx_bevel.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

using namespace painttest;

namespace {

TEST(GfxBevel, TotalWidthAndInnerRectByMode)
{
    struct Case {
        const char* what;
        void (*set)(TGfxBevel&);
        int total;
        TRect inner;  // of (0, 0, 20, 20)
    };
    const Case cases[] = {
        {"default: no bevel", [](TGfxBevel&) {}, 0, {0, 0, 20, 20}},
        {"frame style takes one more", [](TGfxBevel& b) { b.SetStyleInner(bvFrameRaised); }, 2, {2, 2, 18, 18}},
        {"outer, ring, inner",
         [](TGfxBevel& b) {
             b.SetStyleOuter(bvRaised);
             b.SetWidthOuter(2);
             b.SetBorderWidth(3);
             b.SetStyleInner(bvLowered);
             b.SetBorderInnerWidth(1);
         },
         7, {7, 7, 13, 13}},
        {"rings only count without bevels",
         [](TGfxBevel& b) {
             b.SetBorderWidth(3);
             b.SetBorderInnerWidth(1);
         },
         4, {4, 4, 16, 16}},
        {"shadow: more at the right and bottom",
         [](TGfxBevel& b) {
             b.SetStyleOuter(bvShadow);
             b.SetWidthInner(2);
             b.SetWidthOuter(3);
             b.SetBorderInnerWidth(1);
         },
         3, {3, 3, 14, 14}},
        {"standard style", [](TGfxBevel& b) { b.SetMode(bmStandard); }, 1, {1, 1, 19, 19}},
        {"standard style and inner ring",
         [](TGfxBevel& b) {
             b.SetMode(bmStandard);
             b.SetStandardStyle(lsLowered);
             b.SetBorderInnerWidth(2);
         },
         4, {4, 4, 16, 16}},
        {"edge", [](TGfxBevel& b) { b.SetMode(bmEdge); }, 2, {2, 2, 18, 18}},
        {"edge without sides",
         [](TGfxBevel& b) {
             b.SetMode(bmEdge);
             b.SetBorderSides(0);
         },
         0, {0, 0, 20, 20}},
        {"windows", [](TGfxBevel& b) { b.SetMode(bmWindows); }, 2, {2, 2, 18, 18}},
        {"windows drawn by the window",
         [](TGfxBevel& b) {
             b.SetWindowBorder(true);
             b.SetMode(bmWindows);
         },
         0, {0, 0, 20, 20}},
    };
    for (const Case& c : cases) {
        TGfxBevel b;
        c.set(b);
        EXPECT_EQ(b.TotalWidth(), c.total) << c.what;
        EXPECT_EQ(b.InnerRect({0, 0, 20, 20}), c.inner) << c.what;
    }
}

TEST(GfxBevel, ShadowIsSetAndLeftAsAPair)
{
    TGfxBevel b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetStyleOuter(bvShadow);
    EXPECT_EQ(b.StyleInner(), bvShadow);
    EXPECT_EQ(changes, 1);
    b.SetStyleInner(bvRaised);  // leaving the shadow on one side
    EXPECT_EQ(b.StyleOuter(), bvNone);
    EXPECT_EQ(b.StyleInner(), bvRaised);
    b.SetStyleInner(bvShadow);
    EXPECT_EQ(b.StyleOuter(), bvShadow);
    b.SetStyleOuter(bvLowered);
    EXPECT_EQ(b.StyleInner(), bvNone);
    EXPECT_EQ(b.StyleOuter(), bvLowered);
}

TEST(GfxBevel, NotificationsAndWindowBorderQuery)
{
    TGfxBevel b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetStandardStyle(lsRaised);  // not shown in bmCustom
    b.SetWidthInner(1);            // unchanged
    EXPECT_EQ(changes, 0);
    b.SetMode(bmStandard);
    EXPECT_EQ(b.TotalWidth(), 2) << "the style stored quietly counts once shown";
    b.SetStandardStyle(lsSingle);
    b.SetLightColor(clRed);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(b.WindowBorderChanged());

    b.SetWindowBorder(true);
    b.SetMode(bmWindows);
    EXPECT_TRUE(b.WindowBorderChanged());
    b.SetMode(bmEdge);
    EXPECT_TRUE(b.WindowBorderChanged()) << "leaving bmWindows";
    EXPECT_FALSE(b.WindowBorderChanged()) << "the switch is cleared by the query";

    TGfxBevel copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Assign(&b);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Mode(), bmEdge);
    EXPECT_EQ(copy.LightColor(), clRed);
    EXPECT_TRUE(copy.WindowBorder());
    EXPECT_EQ(copy.TotalWidth(), b.TotalWidth());
    EXPECT_EQ(copy.GetDescription(), QStringLiteral("{Edged style}"));
    EXPECT_EQ(TGfxBevel().GetDescription(), QStringLiteral("{Custom style}"));
}

// The four modes on pixels, painted on green: h highlight, s shadow, d dark
// shadow, l 3-D light, f face, r the border colour, b the light colour of
// the shadow frame, . untouched.
const Legend Colours = {{clLime, '.'},
                        {GfxColorToRGB(clBtnHighlight), 'h'},
                        {GfxColorToRGB(clBtnShadow), 's'},
                        {GfxColorToRGB(cl3DDkShadow), 'd'},
                        {GfxColorToRGB(cl3DLight), 'l'},
                        {GfxColorToRGB(clBtnFace), 'f'},
                        {clRed, 'r'},
                        {clBlue, 'b'},
                        {clBlack, '#'}};

TEST(GfxBevel, EachModeOnPixels)
{
    struct Case {
        const char* what;
        void (*set)(TGfxBevel&);
        bool transparent;
        TRect inner;
        const char* picture;
    };
    const Case cases[] = {
        {"custom: raised outer, border ring, lowered inner",
         [](TGfxBevel& b) {
             b.SetStyleOuter(bvRaised);
             b.SetBorderWidth(1);
             b.SetBorderColor(clRed);
             b.SetStyleInner(bvLowered);
         },
         false, {3, 3, 7, 7}, R"(
hhhhhhhhhs
hrrrrrrrrs
hrssssshrs
hrs....hrs
hrs....hrs
hrs....hrs
hrs....hrs
hrshhhhhrs
hrrrrrrrrs
hsssssssss
)"},
        {"custom, transparent: the ring is left alone",
         [](TGfxBevel& b) {
             b.SetStyleOuter(bvRaised);
             b.SetBorderWidth(1);
             b.SetBorderColor(clRed);
             b.SetStyleInner(bvLowered);
         },
         true, {3, 3, 7, 7}, R"(
hhhhhhhhhs
h........s
h.sssssh.s
h.s....h.s
h.s....h.s
h.s....h.s
h.s....h.s
h.shhhhh.s
h........s
hsssssssss
)"},
        {"custom shadow: frame in the light colour, shadow, corners in the border colour",
         [](TGfxBevel& b) {
             b.SetStyleOuter(bvShadow);
             b.SetWidthInner(1);
             b.SetWidthOuter(2);
             b.SetBorderColor(clRed);
             b.SetLightColor(clBlue);
         },
         false, {1, 1, 7, 7}, R"(
bbbbbbbbrr
b......brr
b......bss
b......bss
b......bss
b......bss
b......bss
bbbbbbbbss
rrssssssss
rrssssssss
)"},
        {"standard: single lowered",
         [](TGfxBevel& b) { b.SetMode(bmStandard); }, false, {1, 1, 9, 9}, nullptr},
        {"edge: sunken on the top and left only",
         [](TGfxBevel& b) {
             b.SetMode(bmEdge);
             b.SetEdgeStyle(etSunken);
             b.SetBorderSides(fsTop | fsLeft);
         },
         false, {2, 2, 8, 8}, R"(
ssssssssss
sddddddddd
sd........
sd........
sd........
sd........
sd........
sd........
sd........
sd........
)"},
        {"windows: the sunken outer ring, the inner at the top and left",
         [](TGfxBevel& b) { b.SetMode(bmWindows); }, false, {2, 2, 8, 8}, R"(
sssssssssh
sddddddddh
sd.......h
sd.......h
sd.......h
sd.......h
sd.......h
sd.......h
sd.......h
hhhhhhhhhh
)"},
    };
    for (const Case& c : cases) {
        TGfxBevel b;
        c.set(b);
        QImage im = Surface(10, 10, clLime);
        TGfxCanvas canvas(&im);
        EXPECT_EQ(b.Paint(canvas, {0, 0, 10, 10}, c.transparent), c.inner) << c.what;
        canvas.Release();
        if (c.picture) {
            EXPECT_EQ(Picture(im, Colours), Rows(c.picture)) << c.what;
            continue;
        }
        // The standard style is the border procedure's: the same pixels.
        QImage expected = Surface(10, 10, clLime);
        TGfxCanvas direct(&expected);
        TRect r{0, 0, 10, 10};
        GfxDrawBorder(direct, r, lsSingleLowered, 0);
        direct.Release();
        EXPECT_EQ(Picture(im, Colours), Picture(expected, Colours)) << c.what;
        EXPECT_NE(InkBounds(im, clLime), TRect{}) << c.what;
    }
}

TEST(GfxBevel, NothingIsDrawnWithoutWidth)
{
    TGfxBevel b;
    b.SetMode(bmEdge);
    b.SetBorderSides(0);
    QImage im = Surface(10, 10);
    TGfxCanvas canvas(&im);
    EXPECT_EQ(b.Paint(canvas, {0, 0, 10, 10}, false), (TRect{0, 0, 10, 10}));
    canvas.Release();
    EXPECT_EQ(InkBounds(im), TRect{});
}

}  // namespace
