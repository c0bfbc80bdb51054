// The drawing procedures: their geometry and colours as data, checked on
// the pixels they paint.
#include "gfx_draw.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>

using namespace painttest;

namespace {

const Legend L = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'},
                  {clGray, 's'}, {cl3DDkShadow, 'd'}};

// ------------------------------------------------------------------ frames

TEST(Bevel, RaisedBevelsOfWidthOneAndTwo)
{
    // Raised: the second colour (blue) top-left, the first (red)
    // bottom-right. The wide bevel is the two polygons as given; their
    // corners leave the pixel right of the top edge and the one above the
    // bottom-left corner unpainted.
    const struct { int width; TRect inside; const char* picture; } cases[] = {
        {1, {2, 2, 10, 7}, R"(
............
.bbbbbbbbbr.
.b........r.
.b........r.
.b........r.
.b........r.
.b........r.
.brrrrrrrrr.
............
)"},
        {2, {3, 3, 9, 6}, R"(
............
.bbbbbbbbb..
.bbbbbbbb.r.
.bb......rr.
.bb......rr.
.bbrrrrrrrr.
.b.rrrrrrrr.
..rrrrrrrrr.
............
)"},
    };
    for (const auto& c : cases) {
        QImage im = Surface(12, 9);
        TGfxCanvas canvas(&im);
        TRect r{1, 1, 11, 8};
        EXPECT_TRUE(GfxDrawBevel(canvas, r, bvRaised, c.width, clRed, clBlue));
        canvas.Release();
        EXPECT_EQ(r, c.inside) << c.width;
        EXPECT_EQ(Picture(im, L), Rows(c.picture)) << c.width;
    }
}

TEST(Bevel, FramesNormalAndNothing)
{
    QImage im = Surface(12, 9);
    TGfxCanvas canvas(&im);
    TRect r{1, 1, 11, 8};
    EXPECT_TRUE(GfxDrawBevel(canvas, r, bvFrameLowered, 1, clRed, clBlue));
    canvas.Release();
    EXPECT_EQ(r, (TRect{3, 3, 9, 6}));  // width + 1 from every side
    EXPECT_EQ(Picture(im, L), Rows(R"(
............
.bbbbbbbbb..
.brrrrrrrbr.
.br......br.
.br......br.
.br......br.
.bbbbbbbbbr.
..rrrrrrrrr.
............
)"));
    QImage normal = Surface(5, 4);
    TGfxCanvas n(&normal);
    TRect nr{0, 0, 5, 4};
    GfxDrawBevel(n, nr, bvNormal, 1, clRed, clBlue);
    n.Release();
    EXPECT_EQ(BoundsOf(normal, clBlack), (TRect{0, 0, 5, 4}));
    for (auto style : {bvNone, bvShadow}) {
        QImage blank = Surface(5, 4);
        TGfxCanvas b(&blank);
        TRect br{0, 0, 5, 4};
        EXPECT_FALSE(GfxDrawBevel(b, br, style, 2, clRed, clBlue));
        EXPECT_EQ(br, (TRect{0, 0, 5, 4}));
        b.Release();
        EXPECT_EQ(InkBounds(blank), TRect{});
    }
    TRect zero{0, 0, 5, 4};
    EXPECT_FALSE(GfxDrawBevel(n, zero, bvRaised, 0, clRed, clBlue));
    // A frame wider than the rectangle paints it and stops there.
    QImage wide = Surface(6, 5);
    TGfxCanvas w(&wide);
    TRect wr{0, 0, 6, 5};
    EXPECT_TRUE(GfxDrawBevel(w, wr, bvFrameRaised, std::numeric_limits<int>::max(), clRed, clBlue));
    w.Release();
    EXPECT_EQ(InkBounds(wide), (TRect{0, 0, 6, 5}));
}

TEST(Bevel, ShadowFrame)
{
    QImage im = Surface(12, 9);
    TGfxCanvas canvas(&im);
    TRect r{1, 1, 11, 8};
    EXPECT_TRUE(GfxDrawShadowFrame(canvas, r, clBlack, false, 1, 2, clLime, clGray));
    canvas.Release();
    EXPECT_EQ(r, (TRect{2, 2, 8, 5}));
    EXPECT_EQ(Picture(im, L), Rows(R"(
............
.########gg.
.#......#gg.
.#......#ss.
.#......#ss.
.########ss.
.ggssssssss.
.ggssssssss.
............
)"));
    // With the background flag the two corners are left alone.
    QImage keep = Surface(6, 6);
    TGfxCanvas k(&keep);
    TRect kr{0, 0, 6, 6};
    GfxDrawShadowFrame(k, kr, clBlack, true, 0, 2, clLime, clGray);
    k.Release();
    EXPECT_EQ(BoundsOf(keep, clLime), TRect{});
}

TEST(Border, WidthsAndTheRectangleInside)
{
    const struct { TGfxBorderStyle style; int width; TRect inside; } cases[] = {
        {lsNone, 0, {1, 1, 9, 7}},
        {lsSingle, 1, {2, 2, 9, 7}},
        {lsLowered, 2, {3, 3, 7, 5}},
        {lsRaised, 2, {3, 3, 7, 5}},
        {lsRaisedspb, 2, {2, 2, 7, 5}},
        {lsLoweredspb, 2, {3, 3, 8, 6}},
        {lsRaisedExt, 2, {1, 1, 7, 5}},
        {lsLoweredExt, 2, {3, 3, 7, 5}},
        {lsFrameInset, 2, {3, 3, 7, 5}},
        {lsFrameOffset, 2, {3, 3, 7, 5}},
        {lsWindowBorder, 2, {1, 1, 7, 5}},
        {lsSingleRaised, 1, {2, 2, 8, 6}},
        {lsSingleLowered, 1, {2, 2, 8, 6}},
        {lsDoubleRaised, 2, {3, 3, 7, 5}},
        {lsDoubleLowered, 2, {3, 3, 7, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GfxBorderWidth(c.style), c.width) << int(c.style);
        QImage im = Surface(10, 8);
        TGfxCanvas canvas(&im);
        TRect r{1, 1, 9, 7};
        EXPECT_TRUE(GfxDrawBorder(canvas, r, c.style, 0));
        EXPECT_EQ(r, c.inside) << int(c.style);
    }
}

TEST(Border, LoweredIsTheSoftSunkenEdgeAndTakesTheExtraFlags)
{
    const Legend E = {{clRed, '.'}, {clBtnHighlight, 'H'}, {cl3DLight, 'l'}, {cl3DDkShadow, 'd'},
                      {clBtnShadow, 's'}, {clWindowFrame, '#'}};
    QImage im = Surface(8, 6, clRed);
    TGfxCanvas canvas(&im);
    TRect r{1, 1, 7, 6};
    GfxDrawBorder(canvas, r, lsLowered, 0);
    canvas.Release();
    EXPECT_EQ(Picture(im, E), Rows(R"(
........
.dddddH.
.dssslH.
.ds..lH.
.dllllH.
.HHHHHH.
)"));
    QImage mono = Surface(8, 6, clRed);
    TGfxCanvas m(&mono);
    TRect mr{1, 1, 7, 6};
    GfxDrawBorder(m, mr, lsLowered, BF_MONO | BF_MIDDLE);
    m.Release();
    EXPECT_EQ(At(mono, 1, 1), clBlack);
    EXPECT_EQ(At(mono, 6, 5), clBlack);
    EXPECT_EQ(At(mono, 3, 3), GfxColorToRGB(clWindow));
}

TEST(Arrow, PointsOfEachDirection)
{
    const struct { bool down; const char* picture; } cases[] = {
        {true, R"(
.........
.#######.
..#####..
...###...
....#....
.........
)"},
        {false, R"(
....#....
...###...
..#####..
.#######.
.........
.........
)"},
    };
    for (const auto& c : cases) {
        QImage im = Surface(9, 6);
        TGfxCanvas canvas(&im);
        GfxDrawArrow(canvas, c.down ? 1 : 2, c.down ? 1 : 0, true, c.down, clBlack, 4);
        canvas.Release();
        EXPECT_EQ(Picture(im, L), Rows(c.picture)) << c.down;
    }
    for (int size : {1, 16, -3}) {
        QImage im = Surface(20, 20);
        TGfxCanvas canvas(&im);
        GfxDrawArrow(canvas, 1, 1, true, true, clBlack, size);
        canvas.Release();
        EXPECT_EQ(InkBounds(im), TRect{}) << size;
    }
}

TEST(Arrow, DisabledArrowIsEmbossed)
{
    QImage im = Surface(8, 6, clRed);
    TGfxCanvas canvas(&im);
    GfxDrawArrow(canvas, 1, 1, false, true, clBlack, 3);
    canvas.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
rrrrrrrr
rsssssrr
rrsss..r
rrrs..rr
rrrr.rrr
rrrrrrrr
)"));
}

// ----------------------------------------------------------------- bitmaps

// A 4 x 3 source: red at (0, 0), lime at the bottom-left, blue elsewhere.
void Source(TGfxBitmap& b)
{
    b.SetSize(4, 3);
    b.Canvas().Brush.SetColor(clBlue);
    b.Canvas().FillRect({0, 0, 4, 3});
    b.Canvas().SetPixel(0, 0, clRed);
    b.Canvas().SetPixel(0, 2, clLime);
}

TEST(BitmapDrawing, PlacementModes)
{
    TGfxBitmap src;
    Source(src);
    const TRect dest{10, 10, 30, 26};  // 20 x 16
    const struct { unsigned flags; TRect placed; } cases[] = {
        {0, {10, 10, 14, 13}},
        {gdbCenter, {18, 16, 22, 19}},
        {gdbStretch, {10, 10, 30, 26}},
        {gdbStretch | gdbScaleWidth | gdbScaleHeight, {10, 10, 30, 25}},  // 4:3 fitted: 20 x 15
        {gdbStretch | gdbScaleWidth, {10, 10, 30, 25}},                      // height 3 * 20 / 4
        {gdbStretch | gdbScaleHeight, {10, 10, 31, 26}},                     // width 4 * 16 / 3 = 21.33
    };
    for (const auto& c : cases) {
        QImage im = Surface(40, 30);
        TGfxCanvas canvas(&im);
        TRect drawn;
        GfxDrawBitmapEx(canvas, dest, &src.Canvas(), drawn, nullptr, nullptr, clNone, c.flags, {0, 0, 4, 3});
        canvas.Release();
        EXPECT_EQ(drawn, c.placed) << c.flags;
        EXPECT_EQ(InkBounds(im), c.placed) << c.flags;
        EXPECT_EQ(At(im, c.placed.Left, c.placed.Top), clRed) << c.flags;
        EXPECT_EQ(At(im, c.placed.Left, c.placed.Bottom - 1), clLime) << c.flags;
    }
}

TEST(BitmapDrawing, TilesRepeatAndStayInsideTheDestination)
{
    TGfxBitmap src;
    Source(src);
    for (unsigned clip : {0u, gdbClip}) {
        QImage im = Surface(40, 30);
        TGfxCanvas canvas(&im);
        TRect drawn;
        GfxDrawBitmapClipped(canvas, {10, 10, 29, 21}, src, drawn, clNone, gdbTile | clip);
        canvas.Release();
        EXPECT_EQ(drawn, (TRect{10, 10, 29, 21}));
        EXPECT_EQ(InkBounds(im), (TRect{10, 10, 29, 21})) << clip;
        for (int ty = 0; ty < 4; ++ty)
            for (int tx = 0; tx < 5; ++tx)
                EXPECT_EQ(At(im, 10 + 4 * tx, 10 + 3 * ty), clRed) << tx << "," << ty;
    }
}

TEST(BitmapDrawing, TransparentByColourAndByMask)
{
    TGfxBitmap src;
    Source(src);
    // By colour: lime is left out.
    QImage byColour = Surface(6, 5);
    TGfxCanvas c1(&byColour);
    TRect drawn;
    GfxDrawBitmapEx(c1, {1, 1, 5, 4}, &src.Canvas(), drawn, nullptr, nullptr, clLime, gdbTransparent, {0, 0, 4, 3});
    c1.Release();
    EXPECT_EQ(Picture(byColour, L), Rows(R"(
......
.rbbb.
.bbbb.
..bbb.
......
)"));
    // Through a prepared mask: the same picture.
    TGfxBitmap mask, image;
    GfxPrepareMask(src.Canvas(), {0, 0, 4, 3}, mask, clLime, image);
    EXPECT_TRUE(mask.Monochrome());
    EXPECT_EQ(mask.PixelAt(0, 2), clWhite);
    EXPECT_EQ(mask.PixelAt(1, 2), clBlack);
    EXPECT_EQ(image.PixelAt(0, 2), clBlack);  // transparent pixels black
    EXPECT_EQ(image.PixelAt(0, 0), clRed);
    // The same mask and image again, for another colour: the monochrome
    // mask of the first call does not colour the second copy.
    GfxPrepareMask(src.Canvas(), {0, 0, 4, 3}, mask, clRed, image);
    EXPECT_EQ(mask.PixelAt(0, 0), clWhite);
    EXPECT_EQ(mask.PixelAt(0, 2), clBlack);
    EXPECT_EQ(image.PixelAt(0, 2), clLime);
    GfxPrepareMask(src.Canvas(), {0, 0, 4, 3}, mask, clLime, image);
    QImage byMask = Surface(6, 5);
    TGfxCanvas c2(&byMask);
    GfxDrawBitmapEx(c2, {1, 1, 5, 4}, &image.Canvas(), drawn, &mask, nullptr, clNone, gdbMasked, {0, 0, 4, 3});
    c2.Release();
    EXPECT_EQ(byMask, byColour);
    // A mask that is not monochrome is refused: nothing drawn.
    QImage refused = Surface(6, 5);
    TGfxCanvas c3(&refused);
    GfxDrawBitmapEx(c3, {1, 1, 5, 4}, &image.Canvas(), drawn, &src, nullptr, clNone, gdbMasked, {0, 0, 4, 3});
    c3.Release();
    EXPECT_EQ(drawn, TRect{});
    EXPECT_EQ(InkBounds(refused), TRect{});
}

TEST(BitmapDrawing, TransparentBitmapLeavesOutBothColours)
{
    TGfxBitmap src;
    Source(src);
    src.Canvas().SetPixel(3, 2, clRed);  // red is the background colour
    TGfxBitmap work;
    QImage im = Surface(6, 5, clBlack);
    TGfxCanvas canvas(&im);
    GfxDrawTransparentBitmap(canvas, {1, 1, 5, 4}, src, clRed, clLime, work);
    canvas.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
######
##bbb#
#bbbb#
##bb##
######
)"));
    EXPECT_EQ(work.Width(), 4);

    // The same work bitmap for a second picture of the same size that is
    // all transparent: nothing of the first one shows.
    TGfxBitmap clear;
    clear.SetSize(4, 3);
    clear.Canvas().Brush.SetColor(clLime);
    clear.Canvas().FillRect({0, 0, 4, 3});
    QImage second = Surface(6, 5, clBlack);
    TGfxCanvas again(&second);
    GfxDrawTransparentBitmap(again, {1, 1, 5, 4}, clear, clRed, clLime, work);
    again.Release();
    EXPECT_EQ(Picture(second, L), Picture(Surface(6, 5, clBlack), L));
}

TEST(BitmapDrawing, EmptyInputsDrawNothing)
{
    TGfxBitmap src;
    Source(src);
    TGfxBitmap empty;
    QImage im = Surface(10, 10);
    TGfxCanvas canvas(&im);
    TRect drawn{1, 1, 2, 2};
    GfxDrawBitmapEx(canvas, {5, 5, 5, 9}, &src.Canvas(), drawn, nullptr, nullptr, clNone, 0, {0, 0, 4, 3});
    EXPECT_EQ(drawn, TRect{});
    GfxDrawBitmapEx(canvas, {0, 0, 9, 9}, &src.Canvas(), drawn, nullptr, nullptr, clNone, gdbTile, {0, 0, 0, 3});
    GfxDrawBitmapTiled(canvas, {0, 0, 9, 9}, empty, drawn, clNone, gdbTile);
    GfxDrawBitmapEx(canvas, {0, 0, 9, 9}, nullptr, drawn, nullptr, nullptr, clNone, gdbStretch, {0, 0, 4, 3});
    canvas.Release();
    EXPECT_EQ(InkBounds(im), TRect{});
}

TEST(BitmapDrawing, FillBitmapRect)
{
    TGfxBitmap b;
    GfxFillBitmapRect(b, {3, 3, 8, 5}, clRed);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.PixelAt(4, 1), clRed);
    GfxFillBitmapRect(b, {3, 3, 1, 5}, clRed);
    EXPECT_TRUE(b.Empty());
}

// --------------------------------------------------------------- gradients

TEST(GradientColours, StepsAndBlends)
{
    std::vector<TColor> list = {clWhite};
    GfxGradientColors(clRed, clBlue, 2, true, list);
    EXPECT_EQ(list, (std::vector<TColor>{clRed, clBlue}));
    GfxGradientColors(clBlue, clLime, 3, false, list);  // continued: leaves blue out
    EXPECT_EQ(list, (std::vector<TColor>{clRed, clBlue, GfxRGB(0, 128, 127), clLime}));
    GfxGradientColors(clRed, clBlue, 1, true, list);     // one step: A
    EXPECT_EQ(list, (std::vector<TColor>{clRed}));
    GfxGradientColors(clRed, clBlue, 256, true, list);   // a byte: 256 is 0 steps
    EXPECT_TRUE(list.empty());
    GfxGradientColors(clBlack, clWhite, 255, true, list);
    ASSERT_EQ(list.size(), 255u);
    EXPECT_EQ(list[127], GfxRGB(128, 128, 128));
    EXPECT_EQ(list.back(), clWhite);
    GfxGradientColors(clBtnFace, clBtnFace, 2, true, list);  // system colours resolved
    EXPECT_EQ(list.front(), GfxColorToRGB(clBtnFace));

    const struct { TColor a, b; int pos, total; TColor expected; } blends[] = {
        {clBlack, clWhite, 1, 2, GfxRGB(128, 128, 128)},  // 127.5 rounds to even
        {clBlack, clWhite, 1, 3, GfxRGB(85, 85, 85)},
        {clWhite, clBlack, 2, 3, GfxRGB(85, 85, 85)},
        {clRed, clBlue, 5, 0, clRed},                     // no total: A
        {clBtnShadow, clWhite, 0, 4, GfxRGB(128, 128, 128)},
    };
    for (const auto& b : blends)
        EXPECT_EQ(GfxBlendColor(b.a, b.b, b.pos, b.total), b.expected);
    EXPECT_EQ(GfxCreateGradientPalette({}), nullptr);
}

TEST(GradientFill, VerticalTwoBandsSplitTenRows)
{
    QImage im = Surface(3, 10);
    TGfxCanvas canvas(&im);
    GfxGradientFill(canvas, {0, 0, 3, 10}, gstVertical, nullptr, 0, nullptr, {clRed, clBlue});
    canvas.Release();
    EXPECT_EQ(Picture(im, L), Rows("\nrrr\nrrr\nrrr\nrrr\nrrr\nbbb\nbbb\nbbb\nbbb\nbbb\n"));
}

TEST(GradientFill, HorizontalBandsByMultiplyDivide)
{
    QImage im = Surface(10, 1);
    TGfxCanvas canvas(&im);
    GfxGradientFill(canvas, {0, 0, 10, 1}, gstHorizontal, nullptr, 0, nullptr, {clRed, clLime, clBlue});
    canvas.Release();
    EXPECT_EQ(Picture(im, L), "rrrggggbbb\n");  // 10/3 -> 3, 20/3 -> 7
}

TEST(GradientFill, FirstColourAtTheNamedPlace)
{
    const std::vector<TColor> bands = {clRed, clLime, clBlue};
    const struct { TGfxGradientStyle style; TPoint first, last; } cases[] = {
        {gstSquare, {15, 10}, {0, 0}},
        {gstElliptic, {15, 10}, {0, 0}},
        {gstTopLeft, {0, 0}, {29, 19}},
        {gstTopRight, {29, 0}, {0, 19}},
        {gstBottomLeft, {0, 19}, {29, 0}},
        {gstBottomRight, {29, 19}, {0, 0}},
        {gstTopLeftDiagonal, {0, 0}, {29, 19}},
        {gstTopRightDiagonal, {29, 0}, {0, 19}},
    };
    for (const auto& c : cases) {
        QImage im = Surface(40, 30);
        TGfxCanvas canvas(&im);
        GfxGradientFill(canvas, {5, 5, 35, 25}, c.style, nullptr, 0, nullptr, bands);
        canvas.Release();
        EXPECT_EQ(At(im, 5 + c.first.X, 5 + c.first.Y), clRed) << int(c.style);
        EXPECT_EQ(At(im, 5 + c.last.X, 5 + c.last.Y), clBlue) << int(c.style);
        // The bands never leave the rectangle.
        EXPECT_EQ(InkBounds(im), (TRect{5, 5, 35, 25})) << int(c.style);
    }
}

TEST(GradientFill, EllipseSemiAxesAreTheBandSizeOverOnePointFour)
{
    // Two bands over 56 x 28: the first band's ellipse has the semi-axes
    // round(28 / 1.4) = 20 and round(14 / 1.4) = 10 around (28, 14); without
    // a pen it covers its box less a pixel at the right and bottom.
    QImage im = Surface(60, 32);
    TGfxCanvas canvas(&im);
    GfxGradientFill(canvas, {2, 2, 58, 30}, gstElliptic, nullptr, 0, nullptr, {clRed, clBlue});
    canvas.Release();
    EXPECT_EQ(BoundsOf(im, clRed), (TRect{2 + 8, 2 + 4, 2 + 47, 2 + 23}));
    // One band: its ellipse (semi-axes 40 and 20) covers the whole
    // rectangle and nothing beyond it.
    QImage one = Surface(60, 32);
    TGfxCanvas c1(&one);
    GfxGradientFill(c1, {2, 2, 58, 30}, gstElliptic, nullptr, 0, nullptr, {clRed});
    c1.Release();
    EXPECT_EQ(BoundsOf(one, clRed), (TRect{2, 2, 58, 30}));
    EXPECT_EQ(InkBounds(one), (TRect{2, 2, 58, 30}));
}

TEST(GradientFill, ClipOffsetOffscreenAndPalette)
{
    const std::vector<TColor> bands = {clRed, clBlue};
    // The clip rectangle moved by the offset: only its overlap is painted.
    QImage clipped = Surface(20, 10);
    TGfxCanvas c1(&clipped);
    const TPoint offset{5, 0};
    GfxGradientFill(c1, {0, 0, 10, 10}, gstVertical, &offset, gdbClip, nullptr, bands);
    c1.Release();
    EXPECT_EQ(InkBounds(clipped), (TRect{5, 0, 10, 10}));
    // Off-screen and through the palette: the same pixels as directly.
    auto palette = GfxCreateGradientPalette(bands);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->Entries[0], (TGfxPaletteEntry{255, 0, 0, PC_NOCOLLAPSE}));
    QImage direct = Surface(30, 20);
    QImage buffered = Surface(30, 20);
    TGfxCanvas c2(&direct);
    TGfxCanvas c3(&buffered);
    GfxGradientFill(c2, {3, 2, 27, 18}, gstTopRightDiagonal, nullptr, 0, nullptr, bands);
    GfxGradientFill(c3, {3, 2, 27, 18}, gstTopRightDiagonal, nullptr, gdbOffscreen | gdbPalette, palette.get(),
                    bands);
    EXPECT_EQ(c3.SelectedPalette(), nullptr);  // put back afterwards
    c2.Release();
    c3.Release();
    EXPECT_EQ(buffered, direct);
    // No bands or no area: nothing.
    QImage none = Surface(5, 5);
    TGfxCanvas c4(&none);
    GfxGradientFill(c4, {0, 0, 5, 5}, gstVertical, nullptr, 0, nullptr, {});
    GfxGradientFill(c4, {0, 0, 0, 5}, gstVertical, nullptr, 0, nullptr, bands);
    c4.Release();
    EXPECT_EQ(InkBounds(none), TRect{});
}

// -------------------------------------------------------------------- text

// The ink of one colour after drawing "I" with the caption into a rectangle.
struct FxRun {
    QImage image = Surface(80, 60);
    FxRun(const TGfx3DCaption* caption, unsigned flags, TColor font = clBlack, TColor brush = clWhite)
    {
        TGfxCanvas c(&image);
        c.Font.SetColor(font);
        c.Brush.SetColor(brush);
        c.Brush.SetStyle(bsClear);
        GfxDrawFxTextEx(c, "I", caption, nullptr, flags, 0, {10, 10, 70, 50});
        c.Release();
    }
    TRect Ink(TColor colour) const { return BoundsOf(image, colour); }
};

TRect Moved(TRect r, int dx, int dy)
{
    GfxOffsetRect(r, dx, dy);
    return r;
}

TEST(FxText, ThreeDCopiesAtTheirOffsets)
{
    const TRect plain = FxRun(nullptr, gdfEnabled).Ink(clBlack);
    ASSERT_NE(plain, TRect{});
    const int Ld = 5, Sd = 11;
    // Each copy as its offset from the rectangle's corner (none: absent).
    const struct { TGfxThreeDStyle style; TPoint face; std::optional<TPoint> light, shadow; } cases[] = {
        {tdNone, {0, 0}, {}, {}},
        {tdSunken, {0, 0}, TPoint{Ld, Ld}, {}},
        {tdRaised, {Ld, Ld}, TPoint{0, 0}, {}},
        {tdSunkenShadow, {Sd, Sd}, TPoint{Ld + Sd, Ld + Sd}, TPoint{0, 0}},
        {tdRaisedShadow, {Ld, Ld}, TPoint{0, 0}, TPoint{Ld + Sd, Ld + Sd}},
        {tdShadow, {0, 0}, {}, TPoint{Sd, Sd}},
    };
    for (const auto& c : cases) {
        TGfx3DCaption caption;
        caption.SetStyle(c.style);
        caption.SetLightDepth(Ld);
        caption.SetShadowDepth(Sd);
        caption.SetLightColor(clLime);
        caption.SetShadowColor(clRed);
        const FxRun run(&caption, gdfEnabled);
        EXPECT_EQ(run.Ink(clBlack), Moved(plain, c.face.X, c.face.Y)) << int(c.style);
        EXPECT_EQ(run.Ink(clLime), c.light ? Moved(plain, c.light->X, c.light->Y) : TRect{}) << int(c.style);
        EXPECT_EQ(run.Ink(clRed), c.shadow ? Moved(plain, c.shadow->X, c.shadow->Y) : TRect{}) << int(c.style);
    }
}

TEST(FxText, ParentColourStylesUseTheBrushColour)
{
    TGfx3DCaption caption;
    caption.SetStyle(tdPColorRaised);
    caption.SetLightDepth(5);
    caption.SetShadowDepth(11);
    caption.SetLightColor(clLime);
    caption.SetShadowColor(clRed);
    const FxRun run(&caption, gdfEnabled, clBlack, clBlue);
    EXPECT_NE(run.Ink(clBlue), TRect{});
    EXPECT_EQ(run.Ink(clBlack), TRect{});
}

TEST(FxText, Extrusions)
{
    const TRect plain = FxRun(nullptr, gdfEnabled).Ink(clBlack);
    const struct { TGfxThreeDOrientation orientation; TPoint first, face; } cases[] = {
        {toTopLeft, {0, 0}, {3, 3}},
        {toBottomLeft, {0, 4}, {3, 1}},
        {toBottomRight, {4, 4}, {1, 1}},
        {toTopRight, {4, 0}, {1, 3}},
    };
    for (const auto& c : cases) {
        TGfx3DCaption caption;
        caption.SetStyle(tdExtrudeEnh);
        caption.SetShadowDepth(3);
        caption.SetShadowColor(clBlack);
        caption.SetLightColor(clWhite);
        caption.SetOrientation(c.orientation);
        const FxRun run(&caption, gdfEnabled, clRed);
        EXPECT_EQ(run.Ink(clRed), Moved(plain, c.face.X, c.face.Y)) << int(c.orientation);
        // The first copy is the lightest: blend(shadow, light, 2, 3).
        const TRect first = run.Ink(GfxRGB(170, 170, 170));
        EXPECT_EQ(first.Left, plain.Left + c.first.X) << int(c.orientation);
        EXPECT_NE(run.Ink(clBlack), TRect{});  // the copy next to the face is the shadow itself
    }
}

TEST(FxText, DisabledStyles)
{
    const struct { TGfxDisabledStyle disabled; unsigned flags; bool grey, sunken; } cases[] = {
        {dsAuto, 0, true, false},
        {dsAuto, gdfDisabled3D, true, true},
        {ds3d, 0, true, true},
        {dsStandard, gdfDisabled3D, true, false},
        {dsNone, 0, false, false},
        {ds3d, gdfEnabled, false, false},
    };
    for (const auto& c : cases) {
        TGfx3DCaption caption;
        caption.SetDisabledStyle(c.disabled);
        caption.SetLightDepth(5);
        caption.SetLightColor(clLime);
        const FxRun run(&caption, c.flags);
        EXPECT_EQ(run.Ink(GfxColorToRGB(clGrayText)) != TRect{}, c.grey) << int(c.disabled) << " " << c.flags;
        EXPECT_EQ(run.Ink(clLime) != TRect{}, c.sunken) << int(c.disabled) << " " << c.flags;
    }
}

TEST(FxText, TracingAndClip)
{
    TGfx3DCaption caption;
    QImage plain = Surface(80, 30), traced = Surface(80, 30);
    for (QImage* im : {&plain, &traced}) {
        caption.SetTracing(im == &traced ? 3 : 0);
        TGfxCanvas c(im);
        c.Brush.SetStyle(bsClear);
        GfxDrawFxTextEx(c, "IIII", &caption, nullptr, gdfEnabled, 0, {2, 2, 78, 28});
        EXPECT_EQ(c.TextCharacterExtra(), 0);  // reset afterwards
        c.Release();
    }
    EXPECT_EQ(InkBounds(traced).Width(), InkBounds(plain).Width() + 3 * 3);

    QImage clipped = Surface(80, 30);
    TGfxCanvas c(&clipped);
    c.Brush.SetStyle(bsClear);
    const TRect clip{0, 0, 6, 30};
    GfxDrawFxTextEx(c, "IIII", &caption, &clip, gdfEnabled | gdfClip, 0, {2, 2, 78, 28});
    EXPECT_FALSE(c.ClipRegion().has_value());  // clipping put back
    c.Release();
    EXPECT_LE(InkBounds(clipped).Right, 6);
}

TEST(FxText, OutlineStrokesTheFaceOnly)
{
    TGfx3DCaption caption;
    caption.SetStyle(tdOutline);
    caption.SetShadowDepth(2);
    caption.SetShadowColor(clRed);
    const FxRun run(&caption, gdfEnabled);
    EXPECT_NE(run.Ink(clBlack), TRect{});
    EXPECT_EQ(run.Ink(clRed), TRect{});
}

TEST(FxText, RotatedTextStaysInItsMeasuredRectangle)
{
    for (int angle : {0, 30, 45, 90, 135, 180, 270, -60}) {
        TGfxFxCaption caption;
        caption.SetAngle(static_cast<TGfxAngle>(angle));
        caption.SetStyle(tdShadow);
        caption.SetShadowDepth(2);
        caption.SetShadowColor(clRed);
        int changes = 0;
        caption.OnChange = [&](TObject*) { ++changes; };
        TGfxFont font;
        font.SetHeight(-16);
        TRect r{20, 10, 200, 200};
        GfxCalcFxTextRect(font, &caption, "Rotated", 0, false, false, 0, r);
        if (angle == 0) {
            EXPECT_EQ(changes, 0);
        }
        QImage im = Surface(r.Right + 20, r.Bottom + 20);
        TGfxCanvas c(&im);
        c.Font.Assign(font);
        c.Brush.SetStyle(bsClear);
        GfxDrawFxTextEx(c, "Rotated", &caption, nullptr, gdfEnabled, 0, r);
        c.Release();
        const TRect ink = InkBounds(im);
        EXPECT_GE(ink.Left, r.Left) << angle;
        EXPECT_GE(ink.Top, r.Top) << angle;
        EXPECT_LE(ink.Right, r.Right) << angle;
        EXPECT_LE(ink.Bottom, r.Bottom) << angle;
        // Not much room to spare either: the ink fills most of it.
        EXPECT_GE(ink.Width() + ink.Height(), (r.Width() + r.Height()) * 2 / 3) << angle;
    }
}

TEST(FxText, MeasuredRectangleGrowsByTheLookAndTheBorder)
{
    TGfxFont font;
    const TGfxSize plain = [&] {
        TRect r{0, 0, 500, 0};
        GfxCalcFxTextRect(font, nullptr, "Text", 0, false, false, 0, r);
        return TGfxSize{r.Width(), r.Height()};
    }();
    const struct { TGfxThreeDStyle style; int grow; } cases[] = {
        {tdNone, 0}, {tdSunken, 3}, {tdRaised, 3}, {tdSunkenShadow, 8}, {tdPColorRaised, 8},
        {tdShadow, 5}, {tdOutline, 5}, {tdExtrudeEnh, 5},
    };
    for (const auto& c : cases) {
        TGfxFxCaption caption;
        caption.SetStyle(c.style);
        caption.SetLightDepth(3);
        caption.SetShadowDepth(5);
        caption.SetPosX(40);
        int changes = 0;
        caption.OnChange = [&](TObject*) { ++changes; };
        TRect r{10, 10, 500, 10};
        GfxCalcFxTextRect(font, &caption, "Text", 2, false, false, 0, r);
        EXPECT_EQ(r.Width(), plain.cx + c.grow + 4) << int(c.style);  // (2 + 1) * 2 less the plain 2
        EXPECT_EQ(r.Height(), plain.cy + c.grow + 4) << int(c.style);
        EXPECT_EQ(caption.PosX(), 0);  // reset, silently
        EXPECT_EQ(changes, 0);
    }
    // An empty text is measured as one blank; word wrap uses the width.
    TRect blank{0, 0, 100, 0};
    GfxCalcFxTextRect(font, nullptr, "", -1, false, false, 0, blank);
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    EXPECT_EQ(blank.Width(), m.TextWidth(" "));
    TRect wrapped{0, 0, m.TextWidth("one two") - 1, 0};
    GfxCalcFxTextRect(font, nullptr, "one two", -1, false, true, 0, wrapped);
    EXPECT_EQ(wrapped.Height(), 2 * m.TextHeight("W"));
}

TEST(FxText, AlignTextRect)
{
    const TRect rect{10, 20, 110, 60};
    const TRect text{0, 0, 30, 10};
    const TPoint at[9] = {{10, 20}, {45, 20}, {80, 20}, {10, 35}, {45, 35}, {80, 35}, {10, 50}, {45, 50}, {80, 50}};
    for (int a = 0; a < 9; ++a) {
        TRect r;
        GfxAlignTextRect(static_cast<TGfxAlignment>(a), rect, text, r);
        EXPECT_EQ(r, (TRect{at[a].X, at[a].Y, at[a].X + 30, at[a].Y + 10})) << a;
    }
    TGfxFont font;
    TRect placed;
    GfxAlignFxTextRect(agBottomRight, font, nullptr, "Hi", placed, -1, false, false, 0, rect);
    EXPECT_EQ(placed.Right, rect.Right);
    EXPECT_EQ(placed.Bottom, rect.Bottom);
}

TEST(FxText, TextHeightAndTrueType)
{
    TGfxFont font;
    const int w = GfxTextHeight(nullptr, font);
    const struct { TGfxThreeDStyle style; int extra; } cases[] = {
        {tdNone, 0}, {tdSunken, 2}, {tdRaised, 2}, {tdSunkenShadow, 5}, {tdPColorRaised, 5}, {tdShadow, 3},
        {tdOutline, 0}, {tdExtrude, 0},
    };
    for (const auto& c : cases) {
        TGfx3DCaption caption;
        caption.SetStyle(c.style);
        caption.SetLightDepth(2);
        caption.SetShadowDepth(3);
        EXPECT_EQ(GfxTextHeight(&caption, font), w + c.extra) << int(c.style);
    }
    EXPECT_TRUE(GfxIsTrueTypeFont(font));
    QImage probe = Surface(1, 1);
    TGfxCanvas c(&probe);
    EXPECT_TRUE(GfxIsTrueTypeFont(c));

    // The height a canvas measures for any text in that font, for fonts of
    // other sizes and styles.
    const struct { int height; TGfxFontStyles style; } fonts[] = {
        {0, 0}, {-11, 0}, {13, fsBold}, {-20, fsItalic}, {-8, fsBold | fsUnderline}, {40, 0},
    };
    for (const auto& f : fonts) {
        TGfxFont other;
        other.SetHeight(f.height);
        other.SetStyle(f.style);
        c.Font.Assign(other);
        EXPECT_EQ(GfxTextHeight(nullptr, other), c.TextHeight(QStringLiteral("W"))) << f.height;
        EXPECT_EQ(GfxTextHeight(nullptr, other), c.TextHeight(QStringLiteral("gy"))) << f.height;
    }
}

// ------------------------------------------------------- glyph and caption

TEST(GlyphTextLayout, SideBySideStackedAlignedAndOffset)
{
    TGfxBitmap glyph(13, 13);
    GfxFillBitmapRect(glyph, {0, 0, 13, 13}, clRed);
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    TRect measured{0, 0, 200, 100};
    GfxCalcFxTextRect(m.Font, nullptr, "Auto", 0, true, false, 0, measured);
    const int tw = measured.Width(), th = measured.Height();

    TGfxGlyphTextLayout layout;
    layout.SetSpacing(4);
    TGfxGlyph g;
    g.Bitmap = &glyph;
    TGfxGlyphTextRects rects;
    // Text right of the glyph, the smaller centred on the other.
    layout.SetAlignText2Glyph(taRight);
    GfxDrawGlyphTextLayout(m, rects, gdfEnabled | gdfMeasure | gdfFocusText, layout, g, {}, nullptr, "Auto", 0,
                           {0, 0, 100, 40});
    const int h = std::max(13, th);
    EXPECT_EQ(rects.Glyph, (TRect{0, (h - 13) / 2, 13, (h - 13) / 2 + 13}));
    EXPECT_EQ(rects.Text, (TRect{17, (h - th) / 2, 17 + tw, (h - th) / 2 + th}));
    EXPECT_EQ(rects.Focus, (TRect{16, rects.Text.Top - 1, 18 + tw, rects.Text.Bottom + 1}));
    // Text below, both at the left edge; the block centred, then offset.
    layout.SetAlignText2Glyph(taBottomLeft);
    layout.SetAlignment(agCenter);
    layout.SetOffsetX(3);
    GfxDrawGlyphTextLayout(m, rects, gdfMeasure | gdfFocusBoth, layout, g, {}, nullptr, "Auto", 0, {0, 0, 100, 60});
    const int bw = std::max(13, tw), bh = 13 + 4 + th;
    const int left = (100 - bw) / 2 + 3, top = (60 - bh) / 2;
    EXPECT_EQ(rects.Glyph, (TRect{left, top, left + 13, top + 13}));
    EXPECT_EQ(rects.Text, (TRect{left, top + 17, left + tw, top + 17 + th}));
    EXPECT_EQ(rects.Union, (TRect{left, top, left + bw, top + bh}));
    EXPECT_EQ(rects.Focus, (TRect{left - 1, top - 1, left + bw + 1, top + bh + 1}));
    EXPECT_EQ(InkBounds(probe), TRect{});  // measuring draws nothing
}

TEST(GlyphTextLayout, DrawsGlyphTextAndArrow)
{
    TGfxBitmap glyph(6, 6);
    GfxFillBitmapRect(glyph, {0, 0, 6, 6}, clRed);
    glyph.Canvas().SetPixel(0, 0, clLime);  // transparent by colour
    TGfxGlyph g{&glyph, {}, gtByColor, clLime, nullptr};
    TGfxGlyphTextLayout layout;
    TGfxGlyphArrow arrow;
    arrow.Position = apRight;
    arrow.Size = 3;
    arrow.Color = clBlue;
    QImage im = Surface(100, 30);
    TGfxCanvas c(&im);
    c.Brush.SetStyle(bsClear);
    TGfxGlyphTextRects rects;
    GfxDrawGlyphTextLayout(c, rects, gdfEnabled, layout, g, arrow, nullptr, "Hi", 0, {2, 2, 98, 28});
    c.Release();
    EXPECT_EQ(BoundsOf(im, clRed), rects.Glyph);
    EXPECT_EQ(At(im, rects.Glyph.Left, rects.Glyph.Top), clWhite);
    const TRect ink = BoundsOf(im, clBlack);
    EXPECT_GE(ink.Left, rects.Text.Left);
    EXPECT_LE(ink.Right, rects.Text.Right - (2 * 3 - 1 + arrow.Spacing));
    const TRect blue = BoundsOf(im, clBlue);
    EXPECT_EQ(blue.Right, rects.Text.Right);
    EXPECT_EQ(blue.Width(), 5);
    EXPECT_EQ(blue.Height(), 3);
}

}  // namespace
