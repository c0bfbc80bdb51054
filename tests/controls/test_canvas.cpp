// The canvas's drawing rules, read back from the pixels of a QImage.
#include "paint_helpers.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <array>

using namespace painttest;

namespace {

const Legend L = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

TEST(Canvas, LinesLeaveOutTheEndPoint)
{
    QImage im = Surface(8, 6);
    TGfxCanvas c(&im);
    c.MoveTo(1, 1);
    c.LineTo(6, 1);   // right
    c.MoveTo(6, 4);
    c.LineTo(1, 4);   // left
    c.MoveTo(0, 5);
    c.LineTo(0, 0);   // up
    c.MoveTo(2, 2);
    c.LineTo(5, 5);   // diagonal
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
........
######..
#.#.....
#..#....
#.#####.
#.......
)"));
    EXPECT_EQ(c.PenPos(), (TPoint{5, 5}));
}

TEST(Canvas, DashedLinesAndTheirGaps)
{
    QImage im = Surface(30, 3);
    TGfxCanvas c(&im);
    c.Pen.SetStyle(psDot);  // 3 on, 3 off
    c.Brush.SetStyle(bsClear);  // transparent background: the gaps stay
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    c.Brush.SetColor(clRed);  // a solid brush: opaque, gaps in its colour
    c.MoveTo(0, 2);
    c.LineTo(12, 2);
    c.Release();
    EXPECT_EQ(Picture(im, L, QRect(0, 0, 13, 3)), Rows(R"(
###...###....
.............
###rrr###rrr.
)"));
}

TEST(Canvas, ShapesWithAndWithoutAPen)
{
    QImage im = Surface(12, 12);
    TGfxCanvas c(&im);
    c.Brush.SetColor(clRed);
    c.Rectangle({1, 1, 6, 5});    // pen: the whole rectangle
    c.Pen.SetStyle(psClear);
    c.Rectangle({7, 1, 12, 5});   // no pen: one pixel less right and bottom
    c.Pen.SetStyle(psSolid);
    c.Rectangle({4, 3, 4, 1});    // no width: nothing
    c.Release();
    EXPECT_EQ(Picture(im, L, QRect(0, 0, 12, 6)), Rows(R"(
............
.#####.rrrr.
.#rrr#.rrrr.
.#rrr#.rrrr.
.#####......
............
)"));
    // An ellipse with a pen reaches the edges of its box, without one it
    // stays a pixel inside at the right and bottom.
    for (bool pen : {true, false}) {
        QImage e = Surface(14, 12);
        TGfxCanvas ec(&e);
        ec.Brush.SetColor(clRed);
        ec.Pen.SetStyle(pen ? psSolid : psClear);
        ec.Ellipse({1, 1, 13, 11});
        ec.Release();
        const TRect ink = InkBounds(e);
        EXPECT_EQ(ink, pen ? (TRect{1, 1, 13, 11}) : (TRect{1, 1, 12, 10})) << pen;
    }
}

TEST(Canvas, PolygonsFillByTheTopLeftRule)
{
    QImage im = Surface(12, 10);
    TGfxCanvas c(&im);
    c.Brush.SetColor(clRed);
    c.Pen.SetStyle(psClear);
    const std::array<TPoint, 3> triangle = {TPoint{1, 8}, TPoint{5, 0}, TPoint{9, 8}};
    c.Polygon(triangle);
    c.Release();
    // The bottom edge (y = 8) and the right edge stay out.
    EXPECT_EQ(Picture(im, L), Rows(R"(
............
.....r......
....rr......
....rrr.....
...rrrr.....
...rrrrr....
..rrrrrr....
..rrrrrrr...
............
............
)"));
}

TEST(Canvas, AlternateAndWindingFill)
{
    // A five-pointed star: its centre is outside with the alternate rule
    // and inside with the winding rule.
    const std::array<TPoint, 5> star = {TPoint{10, 0}, TPoint{16, 19}, TPoint{0, 7}, TPoint{20, 7}, TPoint{4, 19}};
    for (int mode : {ALTERNATE, WINDING}) {
        QImage im = Surface(21, 21);
        TGfxCanvas c(&im);
        c.Brush.SetColor(clRed);
        c.Pen.SetStyle(psClear);
        c.SetPolyFillMode(mode);
        c.Polygon(star);
        c.Release();
        EXPECT_EQ(At(im, 10, 10), mode == WINDING ? clRed : clWhite) << mode;
        EXPECT_EQ(At(im, 10, 3), clRed) << mode;
    }
}

TEST(Canvas, FillRectAndFrameRect)
{
    QImage im = Surface(8, 6);
    TGfxCanvas c(&im);
    c.Brush.SetColor(clRed);
    c.FillRect({1, 1, 4, 5});
    c.Brush.SetColor(clBlue);
    c.FrameRect({4, 1, 8, 5});
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
........
.rrrbbbb
.rrrb..b
.rrrb..b
.rrrbbbb
........
)"));
}

TEST(Canvas, ArcsRunCounterClockwise)
{
    QImage im = Surface(12, 12);
    TGfxCanvas c(&im);
    // From the right (3 o'clock) to the top (12 o'clock): the upper-right
    // quarter only.
    c.Arc({0, 0, 12, 12}, {12, 6}, {6, 0});
    c.Release();
    const TRect ink = BoundsOf(im, clBlack);
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Bottom, 7);
    EXPECT_EQ(ink.Right, 12);
    EXPECT_EQ(ink.Top, 0);
}

TEST(Canvas, PenModeMaskLetsOnlyColouredSquaresDarken)
{
    // The checker pattern (white and grey) with the mask mode over red:
    // white squares keep red, grey ones give red AND grey.
    TGfxBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Canvas().SetPixel(x, y, (x + y) % 2 ? clGray : clWhite);
    QImage im = Surface(8, 8, clRed);
    TGfxCanvas c(&im);
    c.Pen.SetStyle(psClear);
    c.Pen.SetMode(pmMask);
    c.Brush.SetBitmap(&pattern);
    c.Rectangle({0, 0, 9, 9});
    c.Release();
    EXPECT_EQ(At(im, 0, 0), clRed);
    EXPECT_EQ(At(im, 1, 0), clRed & clGray);
    EXPECT_EQ(At(im, 2, 0), clRed);
}

TEST(Canvas, PenModes)
{
    const struct { TGfxPenMode mode; TColor expected; } cases[] = {
        {pmCopy, clBlue},
        {pmNop, clRed},
        {pmNot, clRed ^ 0xFFFFFF},
        {pmMerge, clRed | clBlue},
        {pmXor, clRed ^ clBlue},
        {pmBlack, clBlack},
        {pmWhite, clWhite},
        {pmNotCopy, clBlue ^ 0xFFFFFF},
    };
    for (const auto& cs : cases) {
        QImage im = Surface(4, 4, clRed);
        TGfxCanvas c(&im);
        c.Pen.SetColor(clBlue);
        c.Pen.SetMode(cs.mode);
        c.MoveTo(0, 1);
        c.LineTo(4, 1);
        c.Release();
        EXPECT_EQ(At(im, 2, 1), cs.expected) << int(cs.mode);
        EXPECT_EQ(At(im, 2, 2), clRed);
    }
}

TEST(Canvas, TextColoursFollowFontAndBrushUntilOverridden)
{
    QImage im = Surface(4, 4);
    TGfxCanvas c(&im);
    c.Font.SetColor(clRed);
    c.Brush.SetColor(clBlue);
    EXPECT_EQ(c.TextColor(), clRed);
    EXPECT_EQ(c.BkColor(), clBlue);
    EXPECT_EQ(c.BkMode(), OPAQUE);
    c.SetTextColor(clLime);
    c.SetBkMode(TRANSPARENT);
    EXPECT_EQ(c.TextColor(), clLime);
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    c.Font.SetColor(clBlack);  // a font change selects the font again
    EXPECT_EQ(c.TextColor(), clBlack);
    c.Brush.SetStyle(bsClear);
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    c.Brush.SetColor(clRed);  // a colour makes a clear brush solid
    EXPECT_EQ(c.Brush.Style(), bsSolid);
    EXPECT_EQ(c.BkMode(), OPAQUE);
}

TEST(Canvas, TextOutPlacesTextByTheAlignment)
{
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    const QFontMetrics fm(m.Font.ToQFont());
    const int ascent = fm.ascent();
    const TGfxSize extent = m.TextExtent("H");
    const struct { unsigned align; int x, y; TRect cell; } cases[] = {
        {TA_LEFT | TA_TOP, 10, 10, {10, 10, 10 + extent.cx, 10 + extent.cy}},
        {TA_LEFT | TA_BASELINE, 10, 30, {10, 30 - ascent, 10 + extent.cx, 30 - ascent + extent.cy}},
        {TA_RIGHT | TA_BOTTOM, 40, 40, {40 - extent.cx, 40 - extent.cy, 40, 40}},
    };
    for (const auto& cs : cases) {
        QImage im = Surface(60, 60);
        TGfxCanvas c(&im);
        c.Brush.SetColor(clLime);  // opaque: the cell is filled
        c.SetTextAlign(cs.align);
        c.TextOut(cs.x, cs.y, "H");
        c.Release();
        EXPECT_EQ(BoundsOf(im, clLime), cs.cell) << cs.align;
    }
}

TEST(Canvas, CharacterExtraWidensEveryCharacter)
{
    QImage im = Surface(1, 1);
    TGfxCanvas c(&im);
    const int plain = c.TextWidth("abcd");
    c.SetTextCharacterExtra(3);
    EXPECT_EQ(c.TextWidth("abcd"), plain + 4 * 3);
}

TEST(Canvas, EscapementTurnsTextCounterClockwise)
{
    QImage im = Surface(40, 60);
    TGfxCanvas c(&im);
    c.Brush.SetStyle(bsClear);
    const TGfxSize extent = c.TextExtent("HHHH");
    c.Font.SetEscapement(900);
    c.TextOut(5, 50, "HHHH");  // upwards from (5, 50), the tops to the left
    c.Release();
    const TRect ink = BoundsOf(im, clBlack);
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Right, 5 + extent.cy);
    EXPECT_LE(ink.Bottom, 50);
    EXPECT_GE(ink.Top, 50 - extent.cx);
    EXPECT_GT(ink.Height(), ink.Width());
}

TEST(Canvas, DrawTextLayout)
{
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    const int lineH = m.TextHeight("W");
    const int w = m.TextWidth("one two");
    const struct { const char* text; unsigned flags; int width; int lines; int right; } cases[] = {
        {"one two", DT_CALCRECT, 100, 1, w},
        {"one two", DT_CALCRECT | DT_WORDBREAK, w - 1, 2, std::max(m.TextWidth("one"), m.TextWidth("two"))},
        {"one\ntwo three", DT_CALCRECT, 500, 2, std::max(m.TextWidth("one"), m.TextWidth("two three"))},
        {"one\ntwo", DT_CALCRECT | DT_SINGLELINE, 500, 1, m.TextWidth("one\ntwo")},
        {"&File", DT_CALCRECT, 500, 1, m.TextWidth("File")},
        {"&File", DT_CALCRECT | DT_NOPREFIX, 500, 1, m.TextWidth("&File")},
        {"a&&b", DT_CALCRECT, 500, 1, m.TextWidth("a&b")},
    };
    for (const auto& cs : cases) {
        TRect r{0, 0, cs.width, 0};
        const int h = m.DrawText(cs.text, r, cs.flags);
        EXPECT_EQ(h, cs.lines * lineH) << cs.text;
        EXPECT_EQ(r, (TRect{0, 0, cs.right, cs.lines * lineH})) << cs.text;
    }
}

TEST(Canvas, DrawTextAlignsAndClips)
{
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    const TGfxSize ext = m.TextExtent("Hi");
    const struct { unsigned flags; int left, top; } cases[] = {
        {DT_LEFT | DT_TOP, 0, 0},
        {DT_RIGHT, 60 - ext.cx, 0},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, (60 - ext.cx) / 2, (40 - ext.cy) / 2},
        {DT_BOTTOM | DT_SINGLELINE, 0, 40 - ext.cy},
    };
    for (const auto& cs : cases) {
        QImage im = Surface(80, 60);
        TGfxCanvas c(&im);
        c.Brush.SetColor(clLime);
        TRect r{10, 10, 70, 50};
        c.DrawText("Hi", r, cs.flags);
        c.Release();
        EXPECT_EQ(BoundsOf(im, clLime), (TRect{10 + cs.left, 10 + cs.top, 10 + cs.left + ext.cx,
                                               10 + cs.top + ext.cy}))
            << cs.flags;
    }
    // Clipped to the rectangle unless DT_NOCLIP.
    for (bool clip : {true, false}) {
        QImage im = Surface(80, 30);
        TGfxCanvas c(&im);
        c.Brush.SetColor(clLime);
        TRect r{10, 5, 14, 25};
        c.DrawText("Wide text", r, clip ? 0u : DT_NOCLIP);
        c.Release();
        EXPECT_EQ(BoundsOf(im, clLime).Right, clip ? 14 : 10 + m.TextWidth("Wide text")) << clip;
    }
}

TEST(Canvas, PrefixUnderlinesItsCharacter)
{
    QImage plain = Surface(60, 20);
    QImage marked = Surface(60, 20);
    for (QImage* im : {&plain, &marked}) {
        TGfxCanvas c(im);
        c.Brush.SetStyle(bsClear);
        TRect r{0, 0, 60, 20};
        c.DrawText(im == &plain ? "ab" : "a&b", r, 0);
        c.Release();
    }
    // Only the pixels under "b" differ: its underline.
    QImage probe = Surface(1, 1);
    TGfxCanvas m(&probe);
    QImage changed = Surface(60, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (plain.pixel(x, y) != marked.pixel(x, y))
                changed.setPixel(x, y, 0xFF000000u);
    const TRect diff = BoundsOf(changed, clBlack);
    EXPECT_EQ(diff.Left, m.TextWidth("a"));
    EXPECT_EQ(diff.Right, m.TextWidth("ab"));
    EXPECT_GE(diff.Top, QFontMetrics(m.Font.ToQFont()).ascent());
}

TEST(Canvas, CopyRectRasterOperations)
{
    TGfxBitmap source(4, 4);
    source.Canvas().Brush.SetColor(GfxRGB(0xF0, 0x0F, 0x55));
    source.Canvas().FillRect({0, 0, 4, 4});
    const TColor s = GfxRGB(0xF0, 0x0F, 0x55);
    const TColor d = GfxRGB(0x33, 0x3C, 0xAA);
    const struct { TGfxCopyMode mode; TColor expected; } cases[] = {
        {cmSrcCopy, s},
        {cmSrcAnd, s & d},
        {cmSrcPaint, s | d},
        {cmSrcInvert, s ^ d},
        {cmSrcErase, s & (~d & 0xFFFFFF)},
        {cmNotSrcCopy, ~s & 0xFFFFFF},
        {cmNotSrcErase, ~(s | d) & 0xFFFFFF},
        {cmMergePaint, (~s & 0xFFFFFF) | d},
        {cmDstInvert, ~d & 0xFFFFFF},
        {cmBlackness, clBlack},
        {cmWhiteness, clWhite},
    };
    for (const auto& cs : cases) {
        QImage im = Surface(6, 6, d);
        TGfxCanvas c(&im);
        c.CopyMode = cs.mode;
        c.CopyRect({1, 1, 3, 3}, source.Canvas(), {0, 0, 2, 2});
        c.Release();
        EXPECT_EQ(At(im, 1, 1), cs.expected) << std::hex << cs.mode;
        EXPECT_EQ(At(im, 3, 3), d);
    }
}

TEST(Canvas, MonochromeCopiesUseTextAndBackgroundColours)
{
    // Colour to monochrome: the source's background colour becomes white.
    TGfxBitmap colour(3, 1);
    colour.Canvas().SetPixel(0, 0, clRed);
    colour.Canvas().SetPixel(1, 0, clBlue);
    colour.Canvas().SetPixel(2, 0, clRed);
    colour.Canvas().SetBkColor(clRed);
    TGfxBitmap mono(3, 1, pf1bit);
    mono.Canvas().CopyRect({0, 0, 3, 1}, colour.Canvas(), {0, 0, 3, 1});
    EXPECT_EQ(mono.PixelAt(0, 0), clWhite);
    EXPECT_EQ(mono.PixelAt(1, 0), clBlack);
    EXPECT_EQ(mono.PixelAt(2, 0), clWhite);

    // Monochrome to colour: black takes the text colour, white the
    // background colour of the destination.
    QImage im = Surface(3, 1);
    TGfxCanvas c(&im);
    c.SetTextColor(clLime);
    c.SetBkColor(clBlue);
    c.CopyRect({0, 0, 3, 1}, mono.Canvas(), {0, 0, 3, 1});
    c.Release();
    EXPECT_EQ(Picture(im, L), "bgb\n");
}

TEST(Canvas, StretchDrawPicksWholePixels)
{
    TGfxBitmap b(2, 1);
    b.Canvas().SetPixel(0, 0, clRed);
    b.Canvas().SetPixel(1, 0, clBlue);
    QImage im = Surface(6, 2);
    TGfxCanvas c(&im);
    c.StretchDraw({1, 0, 5, 2}, b);
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
.rrbb.
.rrbb.
)"));
}

TEST(Canvas, ClipRegionAndWindowOrigin)
{
    QImage im = Surface(8, 4);
    TGfxCanvas c(&im);
    const TGfxRgn clip = TGfxRgn::Rect({2, 0, 5, 4});
    c.SelectClipRgn(&clip);
    c.SetWindowOrg(-1, 0);  // logical x lands one pixel to the right
    c.Brush.SetColor(clRed);
    c.FillRect({0, 1, 7, 2});
    EXPECT_EQ(c.ClipRect(), (TRect{1, 0, 4, 4}));
    c.SelectClipRgn(nullptr);
    c.FillRect({0, 3, 2, 4});
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
........
..rrr...
........
.rr.....
)"));
}

TEST(Canvas, AComplexClipSelectedAgainAfterNoneClips)
{
    // Clipping to a region, then to none, then to the same region again
    // while drawing goes on: the second selection clips as the first did.
    QImage im = Surface(4, 2);
    TGfxCanvas c(&im);
    TGfxRgn clip;
    clip.Combine(TGfxRgn::Rect({0, 0, 2, 1}), TGfxRgn::Rect({0, 1, 1, 2}), RGN_OR);
    c.Brush.SetColor(clRed);
    c.SelectClipRgn(&clip);
    c.FillRect({0, 0, 4, 2});
    c.SelectClipRgn(nullptr);
    c.SelectClipRgn(&clip);
    c.Brush.SetColor(clBlue);
    c.FillRect({0, 0, 4, 2});
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
bb..
b...
)"));
}

TEST(Canvas, PathsBecomeRegionsAndWidenWithThePen)
{
    QImage im = Surface(20, 20);
    TGfxCanvas c(&im);
    c.BeginPath();
    c.Rectangle({2, 2, 10, 8});
    c.EndPath();
    const TGfxRgn area = c.PathToRegion();
    EXPECT_EQ(area.Box(), (TRect{2, 2, 10, 8}));
    EXPECT_EQ(area.QtRegion().rectCount(), 1);

    c.BeginPath();
    c.MoveTo(2, 10);
    c.LineTo(18, 10);
    c.EndPath();
    c.Pen.SetWidth(4);
    c.WidenPath();
    const TGfxRgn wide = c.PathToRegion();
    EXPECT_TRUE(wide.Contains({10, 9}));
    EXPECT_TRUE(wide.Contains({10, 11}));
    EXPECT_FALSE(wide.Contains({10, 14}));
    EXPECT_EQ(BoundsOf(im, clBlack), TRect{});  // nothing was drawn
}

TEST(Canvas, FillAndFrameRegions)
{
    QImage im = Surface(8, 6);
    TGfxCanvas c(&im);
    TGfxRgn region = TGfxRgn::Rect({1, 1, 4, 5});
    region.Combine(region, TGfxRgn::Rect({4, 3, 7, 5}), RGN_OR);
    TGfxBrush red;
    red.SetColor(clRed);
    c.FillRgn(region, red);
    TGfxBrush blue;
    blue.SetColor(clBlue);
    c.FrameRgn(region, blue, 1, 1);
    c.Release();
    EXPECT_EQ(Picture(im, L), Rows(R"(
........
.bbb....
.brb....
.brbbbb.
.bbbbbb.
........
)"));
}

TEST(Canvas, EdgeColourTable)
{
    // Outer ring, then inner ring; top-left, then bottom-right.
    const struct { unsigned edge, flags; TColor outerTL, outerBR, innerTL, innerBR; } cases[] = {
        {EDGE_RAISED, 0, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {EDGE_RAISED, BF_SOFT, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
        {EDGE_SUNKEN, 0, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_SUNKEN, BF_SOFT, cl3DDkShadow, clBtnHighlight, clBtnShadow, cl3DLight},
        {EDGE_ETCHED, 0, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
        {EDGE_BUMP, 0, cl3DLight, cl3DDkShadow, cl3DDkShadow, cl3DLight},
        {BDR_RAISEDINNER, 0, clNone, clNone, clBtnHighlight, clBtnShadow},
        {EDGE_RAISED, BF_FLAT, clBtnShadow, clBtnShadow, clBtnFace, clBtnFace},
        {EDGE_SUNKEN, BF_MONO, clWindowFrame, clWindowFrame, clWindowFrame, clWindowFrame},
    };
    for (const auto& cs : cases) {
        EXPECT_EQ(GfxEdgeColor(cs.edge, cs.flags, true, true), cs.outerTL);
        EXPECT_EQ(GfxEdgeColor(cs.edge, cs.flags, true, false), cs.outerBR);
        EXPECT_EQ(GfxEdgeColor(cs.edge, cs.flags, false, true), cs.innerTL);
        EXPECT_EQ(GfxEdgeColor(cs.edge, cs.flags, false, false), cs.innerBR);
    }
}

TEST(Canvas, DrawEdgeSidesAdjustAndMiddle)
{
    const Legend E = {{clRed, '.'},        {clBtnHighlight, 'H'}, {cl3DLight, 'l'},
                      {cl3DDkShadow, 'd'}, {clBtnShadow, 's'}};
    QImage im = Surface(8, 7, clRed);
    TGfxCanvas c(&im);
    TRect r{1, 1, 7, 6};
    c.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    c.Release();
    EXPECT_EQ(r, (TRect{3, 3, 5, 4}));
    // The bottom-right sides own the top-right and bottom-left corners; the
    // middle is button face (the same colour as the 3-D light here).
    EXPECT_EQ(Picture(im, E), Rows(R"(
........
.llllld.
.lHHHsd.
.lHllsd.
.lssssd.
.dddddd.
........
)"));
    // Only the chosen sides, and no adjustment without BF_ADJUST.
    QImage half = Surface(6, 5, clRed);
    TGfxCanvas h(&half);
    TRect hr{0, 0, 6, 5};
    h.DrawEdge(hr, BDR_SUNKENOUTER, BF_LEFT | BF_BOTTOM);
    h.Release();
    EXPECT_EQ(hr, (TRect{0, 0, 6, 5}));
    EXPECT_EQ(Picture(half, E), Rows(R"(
s.....
s.....
s.....
s.....
HHHHHH
)"));
}

TEST(Canvas, DiagonalEdgeRunsToItsEndCorner)
{
    QImage im = Surface(6, 6, clRed);
    TGfxCanvas c(&im);
    TRect r{0, 0, 6, 6};
    c.DrawEdge(r, BDR_RAISEDOUTER, BF_DIAGONAL_ENDTOPRIGHT);
    c.Release();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(At(im, i, 5 - i), GfxColorToRGB(cl3DLight)) << i;
    EXPECT_EQ(At(im, 0, 0), clRed);
}

}  // namespace
