// The gradient sub-object: its band table, notifications, palette, Assign,
// stored colour list and painting.
#include "gfx_gradient.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

using namespace painttest;

namespace {

TEST(Gradient, DefaultsAreSixteenBandsBlueToBlackTopToBottom)
{
    TGfxGradient g;
    ASSERT_EQ(g.Bands().size(), 16u);
    EXPECT_EQ(g.Bands().front(), clBlue);
    EXPECT_EQ(g.Bands().back(), clBlack);
    EXPECT_EQ(g.Bands()[1], GfxRGB(0, 0, 238));  // 255 - 255 * 1 / 15, rounded
    EXPECT_EQ(g.Style(), gstVertical);
    EXPECT_TRUE(g.TwoColors());
    EXPECT_EQ(g.Palette(), nullptr);

    QImage im = Surface(4, 32);
    TGfxCanvas c(&im);
    g.PaintTo(c, {0, 0, 4, 32});
    c.Release();
    EXPECT_EQ(At(im, 0, 0), clBlue);
    EXPECT_EQ(At(im, 3, 1), clBlue);
    EXPECT_EQ(At(im, 0, 31), clBlack);
}

TEST(Gradient, BandTables)
{
    const TColor red = clRed, lime = clLime, blue = clBlue;
    const struct {
        const char* what;
        bool two;
        int count;
        std::vector<TColor> list;
        std::vector<TColor> bands;
    } cases[] = {
        {"two bands", true, 2, {}, {red, blue}},
        {"three bands", true, 3, {}, {red, GfxRGB(127, 0, 128), blue}},
        {"three colours, 16 bands: 5 + 4", false, 16, {red, lime, blue},
         // halves of the multiply-divide go away from zero: -127.5 -> -128
         {red, GfxRGB(191, 64, 0), GfxRGB(127, 128, 0), GfxRGB(64, 191, 0), lime, GfxRGB(0, 191, 64),
          GfxRGB(0, 127, 128), GfxRGB(0, 64, 191), blue}},
        {"one colour: nothing", false, 16, {red}, {}},
        {"more colours than bands: one step each", false, 3, {red, lime, blue}, {red}},
    };
    for (const auto& c : cases) {
        TGfxGradient g;
        g.SetColor(red);
        g.SetEndColor(blue);
        g.ColorList() = c.list;
        g.SetColorCount(c.count);
        g.SetTwoColors(c.two);
        g.Change();
        EXPECT_EQ(g.Bands(), c.bands) << c.what;
    }
}

TEST(Gradient, ColorCountStaysInItsRange)
{
    TGfxGradient g;
    g.SetColorCount(256);
    EXPECT_EQ(g.ColorCount(), 236);
    EXPECT_EQ(g.Bands().size(), 236u);
    g.SetColorCount(1);
    EXPECT_EQ(g.ColorCount(), 2);
    g.SetColorCount(-5);
    EXPECT_EQ(g.ColorCount(), 2);
}

TEST(Gradient, EveryChangeRecomputesAndNotifiesOnce)
{
    TGfxGradient g;
    int changes = 0;
    std::size_t bandsSeen = 0;
    g.OnChange = [&](TObject*) {
        ++changes;
        bandsSeen = g.Bands().size();
    };
    g.SetColorCount(4);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bandsSeen, 4u);  // recomputed before the owner hears of it
    g.SetColor(clRed);
    EXPECT_EQ(g.Bands().front(), clRed);
    g.SetColor(clRed);
    g.SetStyle(gstElliptic);
    g.SetEndColor(clLime);
    g.SetTwoColors(false);
    EXPECT_EQ(changes, 5);
    EXPECT_TRUE(g.Bands().empty());
}

TEST(Gradient, PaletteOfTheBands)
{
    TGfxGradient g;
    g.SetColorCount(3);
    g.SetColor(clRed);
    g.SetEndColor(clBlue);
    g.SetPaletteRealize(true);
    ASSERT_NE(g.Palette(), nullptr);
    EXPECT_EQ(g.Palette()->Version, 0x300);
    ASSERT_EQ(g.Palette()->Entries.size(), 3u);
    EXPECT_EQ(g.Palette()->Entries[1], (TGfxPaletteEntry{127, 0, 128, PC_NOCOLLAPSE}));
    QImage im = Surface(2, 2);
    TGfxCanvas c(&im);
    g.RealizePalette(c);
    EXPECT_EQ(c.SelectedPalette(), g.Palette());
    g.SetPaletteRealize(false);
    EXPECT_EQ(g.Palette(), nullptr);
}

TEST(Gradient, AssignCopiesEverythingWithOneNotification)
{
    TGfxGradient source;
    source.SetColorCount(5);
    source.SetColor(clRed);
    source.SetEndColor(clLime);
    source.SetStyle(gstSquare);
    source.SetPaletteRealize(true);
    source.ColorList() = {clRed, clBlue};
    source.SetTwoColors(false);
    TGfxGradient target;
    target.ColorList() = {clWhite, clWhite, clWhite};
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.ColorList(), source.ColorList());
    EXPECT_EQ(target.Bands(), source.Bands());
    EXPECT_EQ(target.Style(), gstSquare);
    EXPECT_NE(target.Palette(), nullptr);
    EXPECT_EQ(target.GetDescription(), QStringLiteral("square, Col: 5, mult. col mode"));
    EXPECT_EQ(TGfxGradient().GetDescription(), QStringLiteral("vertical, Col: 16, 2 col mode"));
}

TEST(Gradient, StoredColourListAppends)
{
    TGfxGradient g;
    EXPECT_FALSE(g.ColorListStored());
    g.ColorList() = {clRed};
    int changes = 0;
    g.OnChange = [&](TObject*) { ++changes; };
    const std::vector<std::int32_t> stored = {0x00FF00, 0xFF0000};
    g.SetTwoColors(false);
    changes = 0;
    g.ReadColorList(stored);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(g.ColorList(), (std::vector<TColor>{clRed, clLime, clBlue}));
    EXPECT_TRUE(g.ColorListStored());
    EXPECT_EQ(g.WriteColorList(), (std::vector<std::int32_t>{0x0000FF, 0x00FF00, 0xFF0000}));
    EXPECT_EQ(g.Bands().size(), 9u);  // the read list is in effect
}

}  // namespace
