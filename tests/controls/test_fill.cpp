// Fills by style, the alpha and bitmap-effect objects and the 24-bit pixel
// effects, checked on pixels.
#include "gfx_fill.h"
#include "gfx_library.h"
#include "gfx_lists.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace painttest;

namespace {

constexpr TColor Yellow = GfxRGB(255, 255, 0);
const Legend L = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}, {Yellow, 'y'}};

// A bitmap of the format whose pixels are given by rows of legend letters.
TGfxBitmap* MakeBitmap(TGfxBitmap& b, const std::vector<std::string>& rows, TGfxPixelFormat format = pf24bit)
{
    b.SetPixelFormat(format);
    b.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            for (const auto& [colour, ch] : L)
                if (ch == rows[y][x])
                    b.Canvas().SetPixel(x, y, colour);
    b.Canvas().Release();
    return &b;
}

QString PictureOf(TGfxBitmap& b) { return Picture(b.ToImage(), L); }

// The three bytes (blue, green, red) of a 24-bit pixel.
std::vector<int> Bytes(const TGfxBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * 3;
    return {p[0], p[1], p[2]};
}

void SetBytes(TGfxBitmap& b, int x, int y, int blue, int green, int red)
{
    std::uint8_t* p = b.ScanLine(y) + x * 3;
    p[0] = static_cast<std::uint8_t>(blue);
    p[1] = static_cast<std::uint8_t>(green);
    p[2] = static_cast<std::uint8_t>(red);
}

// ------------------------------------------------------------------ fills

TEST(Fill, DefaultsAndTheNotificationsThatDependOnTheStyle)
{
    TGfxShapeFill shapeFill;
    EXPECT_EQ(shapeFill.Style(), sfBrush);
    EXPECT_EQ(shapeFill.TileMode(), tmTile);
    TGfxFillObject fill;
    EXPECT_EQ(fill.Style(), sfNone);
    EXPECT_EQ(fill.Options(), 5u);
    EXPECT_TRUE(fill.IsEmpty());

    int changes = 0;
    fill.OnChange = [&](TObject*) { ++changes; };
    // While tiling the alignment and offsets do not show: stored silently.
    fill.SetAlignment(agCenter);
    fill.SetOffsetX(3);
    EXPECT_EQ(fill.Alignment(), agCenter);
    EXPECT_EQ(fill.OffsetX(), 3);
    EXPECT_EQ(changes, 0);
    fill.SetStyle(sfBitmap);
    fill.SetTileMode(tmNone);
    EXPECT_EQ(changes, 2);
    fill.SetAlignment(agBottomRight);
    fill.SetOffsetY(-1);
    EXPECT_EQ(changes, 4);
    fill.SetOffsetY(-1);
    EXPECT_EQ(changes, 4);
    // The owned bitmap, gradient and brush notify through the fill.
    fill.Bitmap().SetSize(2, 2);
    fill.Gradient().SetColor(clRed);
    fill.Brush().SetColor(clBlue);
    EXPECT_EQ(changes, 7);
}

TEST(Fill, EmptinessCurrentBitmapAndPalette)
{
    TGfxFillObject fill;
    TGfxBitmap pic;
    MakeBitmap(pic, {"rg"}, pf8bit);
    fill.SetStyle(sfBitmap);
    EXPECT_TRUE(fill.IsEmpty());
    EXPECT_EQ(fill.CurrentBitmap(), &fill.Bitmap());
    fill.SetBitmap(&pic);
    EXPECT_FALSE(fill.IsEmpty());
    EXPECT_TRUE(fill.GetPalette().has_value());
    fill.SetStyle(sfBitmapList);
    EXPECT_TRUE(fill.IsEmpty());
    fill.SetListBitmap(&pic);
    EXPECT_EQ(fill.CurrentBitmap()->Width(), 2);
    fill.SetStyle(sfGradient);
    EXPECT_FALSE(fill.IsEmpty());
    EXPECT_EQ(fill.CurrentBitmap(), nullptr);
    EXPECT_FALSE(fill.GetPalette().has_value());  // the gradient realises no palette
    fill.Gradient().SetPaletteRealize(true);
    EXPECT_TRUE(fill.GetPalette().has_value());
    fill.SetStyle(sfBrush);
    EXPECT_FALSE(fill.GetPalette().has_value());
}

struct FillCase {
    const char* what;
    std::function<void(TGfxFillObject&, TGfxBitmap&)> setup;
    bool painted;
    const char* picture;  // 8 x 6 surface, the fill rectangle (1, 1, 7, 5), base colour yellow
};

TEST(Fill, ByStyle)
{
    const FillCase cases[] = {
        {"none paints nothing", [](TGfxFillObject&, TGfxBitmap&) {}, false, R"(
........
........
........
........
........
........
)"},
        {"solid brush", [](TGfxFillObject& f, TGfxBitmap&) {
             f.SetStyle(sfBrush);
             f.Brush().SetColor(clRed);
         }, true, R"(
........
.rrrrrr.
.rrrrrr.
.rrrrrr.
.rrrrrr.
........
)"},
        {"brush bitmap repeats as a pattern", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBrushBitmap);
             f.SetBitmap(MakeBitmap(b, {"rb", "gr"}));
         }, true, nullptr},
        {"unscaled, aligned bottom right and moved, on the inner fill", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetTileMode(tmNone);
             f.SetAlignment(agBottomRight);
             f.SetOffsetX(-1);
             f.SetBitmap(MakeBitmap(b, {"rb", "gr"}));
         }, true, R"(
........
.yyyyyy.
.yyyyyy.
.yyyrby.
.yyygry.
........
)"},
        {"without the inner fill only the bitmap paints", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetTileMode(tmNone);
             f.SetOptions(foGrUseBitmap);
             f.SetBitmap(MakeBitmap(b, {"rb", "gr"}));
         }, true, R"(
........
.rb.....
.gr.....
........
........
........
)"},
        {"a larger unscaled bitmap stays inside the rectangle", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetTileMode(tmNone);
             f.SetOffsetX(-2);
             f.SetOffsetY(-1);
             f.SetBitmap(MakeBitmap(b, {"rrrrrrrrrr", "bbbbbbbbbb", "gggggggggg", "rrrrrrrrrr", "bbbbbbbbbb",
                                        "gggggggggg", "rrrrrrrrrr"}));
         }, true, R"(
........
.bbbbbb.
.gggggg.
.rrrrrr.
.bbbbbb.
........
)"},
        {"centred", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetTileMode(tmCenter);
             f.SetBitmap(MakeBitmap(b, {"rb", "gr"}));
         }, true, R"(
........
.yyyyyy.
.yyrbyy.
.yygryy.
.yyyyyy.
........
)"},
        {"stretched", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetTileMode(tmStretch);
             f.SetBitmap(MakeBitmap(b, {"rb", "gr"}));
         }, true, R"(
........
.rrrbbb.
.rrrbbb.
.gggrrr.
.gggrrr.
........
)"},
        {"tiled", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmap);
             f.SetBitmap(MakeBitmap(b, {"rbg"}));
         }, true, R"(
........
.rbgrbg.
.rbgrbg.
.rbgrbg.
.rbgrbg.
........
)"},
        {"the list bitmap", [](TGfxFillObject& f, TGfxBitmap& b) {
             f.SetStyle(sfBitmapList);
             f.SetListBitmap(MakeBitmap(b, {"g"}));
         }, true, R"(
........
.gggggg.
.gggggg.
.gggggg.
.gggggg.
........
)"},
        {"an empty bitmap paints the inner fill and answers false", [](TGfxFillObject& f, TGfxBitmap&) {
             f.SetStyle(sfBitmap);
         }, false, R"(
........
.yyyyyy.
.yyyyyy.
.yyyyyy.
.yyyyyy.
........
)"},
        {"gradient of two bands, top to bottom", [](TGfxFillObject& f, TGfxBitmap&) {
             f.SetStyle(sfGradient);
             f.Gradient().SetColorCount(2);
             f.Gradient().SetColor(clRed);
             f.Gradient().SetEndColor(clBlue);
         }, true, R"(
........
.rrrrrr.
.rrrrrr.
.bbbbbb.
.bbbbbb.
........
)"},
    };
    for (const FillCase& c : cases) {
        TGfxFillObject fill;
        TGfxBitmap pic;
        c.setup(fill, pic);
        QImage im = Surface(8, 6);
        TGfxCanvas canvas(&im);
        EXPECT_EQ(fill.FillRect(canvas, TRect{1, 1, 7, 5}, Yellow), c.painted) << c.what;
        canvas.Release();
        if (c.picture) {
            EXPECT_EQ(Picture(im, L), Rows(c.picture)) << c.what;
            continue;
        }
        // The brush pattern: the rectangle in the bitmap's colours only,
        // repeating every two pixels.
        EXPECT_EQ(InkBounds(im), (TRect{1, 1, 7, 5})) << c.what;
        const QString p = Picture(im, L, QRect(1, 1, 6, 4));
        EXPECT_FALSE(p.contains(QLatin1Char('.')) || p.contains(QLatin1Char('?'))) << p.toStdString();
        for (int y = 1; y < 3; ++y)
            for (int x = 1; x < 5; ++x) {
                EXPECT_EQ(At(im, x, y), At(im, x + 2, y)) << x << "," << y;
                EXPECT_EQ(At(im, x, y), At(im, x, y + 2)) << x << "," << y;
            }
    }
}

TEST(Fill, HatchGapsTakeTheBaseColour)
{
    TGfxFillObject fill;
    fill.SetStyle(sfBrush);
    fill.Brush().SetColor(clBlue);
    fill.Brush().SetStyle(bsCross);
    QImage im = Surface(24, 24);
    TGfxCanvas canvas(&im);
    EXPECT_TRUE(fill.FillRect(canvas, TRect{2, 2, 22, 22}, Yellow));
    canvas.Release();
    EXPECT_EQ(InkBounds(im), (TRect{2, 2, 22, 22}));
    const QString p = Picture(im, L, QRect(2, 2, 20, 20));
    EXPECT_EQ(p.count(QLatin1Char('.')) + p.count(QLatin1Char('?')), 0) << p.toStdString();
    EXPECT_GT(p.count(QLatin1Char('b')), 20);
    EXPECT_GT(p.count(QLatin1Char('y')), 200);
}

TEST(Fill, AssignCopiesTheFillButNotThePlacement)
{
    TGfxFillObject source;
    source.SetStyle(sfBitmap);
    source.SetTileMode(tmStretch);
    source.SetOptions(foQuickDraw);
    source.Brush().SetColor(clRed);
    source.Bitmap().SetSize(3, 2);
    source.Gradient().SetColorCount(7);
    source.SetAlignment(agCenter);
    source.SetOffsetX(5);
    TGfxFillObject copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Style(), sfBitmap);
    EXPECT_EQ(copy.TileMode(), tmStretch);
    EXPECT_EQ(copy.Options(), foQuickDraw);
    EXPECT_EQ(copy.Brush().Color(), clRed);
    EXPECT_EQ(copy.Bitmap().Width(), 3);
    EXPECT_EQ(copy.Gradient().ColorCount(), 7);
    EXPECT_EQ(copy.Alignment(), agTopLeft);
    EXPECT_EQ(copy.OffsetX(), 0);

    // A plain shape fill takes a fill object's fill, and the reverse.
    TGfxShapeFill shapeFill;
    shapeFill.Assign(&source);
    EXPECT_EQ(shapeFill.Style(), sfBitmap);
    EXPECT_EQ(shapeFill.Bitmap().Height(), 2);
    TGfxFillObject fromShape;
    fromShape.Assign(&shapeFill);
    EXPECT_EQ(fromShape.TileMode(), tmStretch);
    TGfxGradient gradient;
    EXPECT_THROW(copy.Assign(&gradient), EConvertError);
}

TEST(Fill, Descriptions)
{
    TGfxShapeFill fill;
    const struct { TGfxFillStyle style; const char* text; const char* alpha; } cases[] = {
        {sfNone, "{Disabled}", "{Disabled}"},
        {sfBrushBitmap, "{}", "{Enabled (brush), strength: 0.600}"},
        {sfBrush, "{Brush}", "{Enabled (brush), strength: 0.600}"},
        {sfBitmap, "{Bitmap}", "{Enabled (bmp), strength: 0.600}"},
        {sfBitmapList, "{BitmapList}", "{Enabled (bmp), strength: 0.600}"},
        {sfGradient, "{Gradient}", "{Enabled (grad), strength: 0.600}"},
    };
    TGfxAlphaObject alpha;
    for (const auto& c : cases) {
        fill.SetStyle(c.style);
        alpha.FillObject().SetStyle(c.style);
        EXPECT_EQ(fill.GetDescription(), QString::fromLatin1(c.text));
        EXPECT_EQ(alpha.GetDescription(), QString::fromLatin1(c.alpha));
    }
    alpha.SetStrength(0.25f);
    EXPECT_EQ(alpha.GetDescription(), QStringLiteral("{Enabled (grad), strength: 0.250}"));

    TGfxBitmapEffectObject effects;
    EXPECT_EQ(effects.GetDescription(), QStringLiteral("{Disabled}"));
    effects.SetFlipHorizontal(true);
    effects.SetInvert(true);
    effects.SetBrightness(-3);
    effects.AlphaBlend().FillObject().SetStyle(sfBrush);
    EXPECT_EQ(effects.GetDescription(), QStringLiteral("{alpha, FH, INV, B}"));
}

TEST(Fill, AlphaObjectStrengthIndexesAndAssign)
{
    TGfxAlphaObject alpha;
    EXPECT_FLOAT_EQ(alpha.Strength(), 0.6f);
    EXPECT_FALSE(alpha.StrengthStored());
    alpha.SetStrength(0.6000004f);  // still 600000 millionths
    EXPECT_FALSE(alpha.StrengthStored());
    alpha.SetStrength(0.6000006f);
    EXPECT_TRUE(alpha.StrengthStored());

    int changes = 0;
    alpha.OnChange = [&](TObject*) { ++changes; };
    TGfxBitmap pic(2, 2);
    alpha.FillObject().SetListBitmap(&pic);
    // Without a list an index write clears the list bitmap and notifies.
    alpha.SetImageIndex(3);
    EXPECT_EQ(alpha.ImageIndex(), 3);
    EXPECT_TRUE(alpha.FillObject().ListBitmap().Empty());
    EXPECT_EQ(changes, 1);
    alpha.FillObject().SetStyle(sfGradient);
    EXPECT_EQ(changes, 2);

    alpha.Flag = true;
    alpha.SetListIndex(2);
    TGfxAlphaObject copy;
    copy.Assign(&alpha);
    EXPECT_TRUE(copy.Flag);
    EXPECT_EQ(copy.ImageIndex(), 3);
    EXPECT_EQ(copy.ListIndex(), 2);
    EXPECT_FLOAT_EQ(copy.Strength(), alpha.Strength());
    EXPECT_EQ(copy.FillObject().Style(), sfGradient);
}

TEST(Fill, AlphaObjectFollowsItsImageList)
{
    TGfxBitmapList list;
    TGfxBitmap red, blue;
    MakeBitmap(red, {"rr"});
    MakeBitmap(blue, {"b"});
    list.AddItem();
    list.AddItem();
    list.Items(1)->SetBitmap(&red);

    TGfxAlphaObject alpha;
    alpha.SetListIndex(1);
    EXPECT_EQ(list.Links().size(), 0u);
    alpha.SetImageList(&list);
    EXPECT_EQ(list.Links().size(), 1u);
    EXPECT_EQ(alpha.FillObject().ListBitmap().Width(), 2);
    EXPECT_TRUE(alpha.ImageListLink().ListStored());
    EXPECT_FALSE(alpha.ImageListLink().InternalStored());

    // A change of the list reaches the fill through the change link.
    int changes = 0;
    alpha.OnChange = [&](TObject*) { ++changes; };
    list.Items(1)->SetBitmap(&blue);
    list.Change();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(alpha.FillObject().ListBitmap().Width(), 1);
    // An index the list has no image for clears the list bitmap.
    alpha.SetListIndex(0);
    EXPECT_TRUE(alpha.FillObject().ListBitmap().Empty());

    // A copy takes the list without following it.
    TGfxAlphaObject copy;
    copy.Assign(&alpha);
    EXPECT_EQ(copy.ImageList(), &list);
    EXPECT_EQ(list.Links().size(), 1u);

    // Another list: the first one is left.
    TGfxBitmapList other;
    alpha.SetImageList(&other);
    EXPECT_TRUE(list.Links().empty());
    EXPECT_EQ(other.Links().size(), 1u);
    alpha.SetImageList(nullptr);
    EXPECT_TRUE(other.Links().empty());
}

TEST(Fill, AlphaObjectOutlivesItsListAndStoresGlobalListsByTag)
{
    TGfxAlphaObject alpha;
    {
        TGfxBitmapList list;
        alpha.SetImageList(&list);
    }
    EXPECT_EQ(alpha.ImageList(), nullptr);
    alpha.UpdateFromList();  // nothing to read from a freed list
    alpha.SetImageList(nullptr);

    TGfxLibraryScope library;
    alpha.ReadInternal(QStringLiteral("GfxIML30"));
    EXPECT_EQ(alpha.ImageList(), GfxContainer->ImageList());
    EXPECT_TRUE(alpha.ImageListLink().InternalStored());
    EXPECT_FALSE(alpha.ImageListLink().ListStored());
    EXPECT_EQ(alpha.ImageListLink().WriteInternal(), QStringLiteral("GfxIML30"));
    alpha.ReadInternal(QStringLiteral("GfxBML30"));
    EXPECT_EQ(alpha.ImageList(), GfxContainer->BitmapList());
    alpha.ReadInternal(QStringLiteral("other"));
    EXPECT_EQ(alpha.ImageList(), nullptr);
    EXPECT_FALSE(alpha.ImageListLink().InternalStored());
}

// ---------------------------------------------------------- pixel effects

TEST(PixelEffects, GreyInvertAndBrightnessOnBytes)
{
    TGfxBitmap b(3, 1, pf24bit);
    SetBytes(b, 0, 0, 0, 0, 255);     // pure red
    SetBytes(b, 1, 0, 230, 30, 100);
    SetBytes(b, 2, 0, 255, 255, 255);
    TGfxBitmap grey(3, 1, pf24bit);
    GfxEffectGrayScale(b, TRect{0, 0, 3, 1}, grey, TPoint{0, 0});
    EXPECT_EQ(Bytes(grey, 0, 0), (std::vector<int>{76, 76, 76}));  // round(76.5), halves to even
    // round(30) + round(17.7) + round(25.3) = 30 + 18 + 25
    EXPECT_EQ(Bytes(grey, 1, 0), (std::vector<int>{73, 73, 73}));
    EXPECT_EQ(Bytes(grey, 2, 0), (std::vector<int>{254, 254, 254}));  // 76 + 150 + 28

    TGfxBitmap inv(3, 1, pf24bit);
    GfxEffectInvert(b, TRect{0, 0, 3, 1}, inv, TPoint{0, 0});
    EXPECT_EQ(Bytes(inv, 1, 0), (std::vector<int>{25, 225, 155}));

    TGfxBitmap up(3, 1, pf24bit), down(3, 1, pf24bit);
    GfxEffectBrightness(b, TRect{0, 0, 3, 1}, up, TPoint{0, 0}, 40);
    GfxEffectBrightness(b, TRect{0, 0, 3, 1}, down, TPoint{0, 0}, -40);
    EXPECT_EQ(Bytes(up, 1, 0), (std::vector<int>{255, 70, 140}));
    EXPECT_EQ(Bytes(down, 1, 0), (std::vector<int>{190, 0, 60}));
    EXPECT_EQ(Bytes(down, 0, 0), (std::vector<int>{0, 0, 215}));
}

TEST(PixelEffects, MirrorsReachTheLastColumnAndRow)
{
    TGfxBitmap b;
    MakeBitmap(b, {"rbgy.", "gry#.", "by#r.", "....."});
    // The whole width: the first and last columns change places.
    TGfxBitmap cols;
    MakeBitmap(cols, {"rbgy.", "gry#.", "by#r.", "....."});
    GfxEffectMirrorColumns(cols, TRect{0, 0, 4, 3}, cols, TPoint{0, 0});
    EXPECT_EQ(PictureOf(cols), Rows(R"(
ygbr.
#yrg.
r#yb.
.....
)"));
    // A rectangle inside the bitmap, mirrored in place.
    TGfxBitmap rows;
    MakeBitmap(rows, {"rbgy.", "gry#.", "by#r.", "....."});
    GfxEffectMirrorRows(rows, TRect{1, 0, 4, 3}, rows, TPoint{1, 0});
    EXPECT_EQ(PictureOf(rows), Rows(R"(
ry#r.
gry#.
bbgy.
.....
)"));
    // Into another bitmap at a point.
    TGfxBitmap out;
    MakeBitmap(out, {"....", "....", "...."});
    GfxEffectMirrorColumns(b, TRect{0, 0, 2, 2}, out, TPoint{2, 1});
    EXPECT_EQ(PictureOf(out), Rows(R"(
....
..br
..rg
)"));
}

TEST(PixelEffects, AlphaBlendWeighsSourceOneAgainstSourceTwo)
{
    TGfxBitmap s1(2, 1, pf24bit), s2(2, 1, pf24bit), t(2, 1, pf24bit);
    SetBytes(s1, 0, 0, 200, 0, 255);
    SetBytes(s2, 0, 0, 100, 255, 0);
    SetBytes(s1, 1, 0, 10, 20, 30);
    SetBytes(s2, 1, 0, 10, 20, 30);
    GfxEffectAlphaBlend(s1, s2, TRect{0, 0, 2, 1}, t, TPoint{0, 0}, 0.6f);
    // 100 + round(60) = 160; 255 + round(-153) = 102; 0 + round(153) = 153
    EXPECT_EQ(Bytes(t, 0, 0), (std::vector<int>{160, 102, 153}));
    EXPECT_EQ(Bytes(t, 1, 0), (std::vector<int>{10, 20, 30}));
    GfxEffectAlphaBlend(s1, s2, TRect{0, 0, 1, 1}, t, TPoint{0, 0}, 1.0f);
    EXPECT_EQ(Bytes(t, 0, 0), (std::vector<int>{200, 0, 255}));
    GfxEffectAlphaBlend(s1, s2, TRect{0, 0, 1, 1}, t, TPoint{0, 0}, 0.0f);
    EXPECT_EQ(Bytes(t, 0, 0), (std::vector<int>{100, 255, 0}));
}

TEST(PixelEffects, RectanglesAreClippedToEveryBitmap)
{
    // A rectangle that does not start at (0, 0) and reaches past the second
    // source: only the part inside all three bitmaps is blended (the rest of
    // the target keeps its pixels), and nothing outside them is read.
    TGfxBitmap s1, s2, t;
    MakeBitmap(s1, {"rrrr", "rrrr", "rrrr"});
    MakeBitmap(s2, {"bb", "bb"});
    MakeBitmap(t, {"....", "....", "...."});
    GfxEffectAlphaBlend(s1, s2, TRect{1, 1, 4, 3}, t, TPoint{1, 1}, 0.0f);
    EXPECT_EQ(PictureOf(t), Rows(R"(
....
.b..
....
)"));
    // Rectangles past every edge, negative ones, and target points outside.
    const TRect rects[] = {{-5, -5, 50, 50}, {3, 2, 9, 9}, {2, 2, 1, 1}, {-9, -9, -1, -1}};
    const TPoint points[] = {{0, 0}, {-2, -1}, {3, 2}, {100, 0}};
    for (const TRect& r : rects)
        for (const TPoint& p : points) {
            GfxEffectGrayScale(s1, r, t, p);
            GfxEffectInvert(s1, r, t, p);
            GfxEffectBrightness(s1, r, t, p, 9);
            GfxEffectMirrorColumns(s1, r, t, p);
            GfxEffectMirrorRows(s1, r, t, p);
            GfxEffectAlphaBlend(s1, s2, r, t, p, 0.5f);
            GfxEffectMirrorRows(t, r, t, p);  // onto itself, moved
        }
    SUCCEED();  // under the sanitizers: no access outside a bitmap
}

TEST(PixelEffects, EveryEffectRefusesOtherPixelFormats)
{
    TGfxBitmap good(2, 2, pf24bit), wide(2, 2, pf32bit), indexed(2, 2, pf8bit);
    const TRect r{0, 0, 2, 2};
    const TPoint at{0, 0};
    using Effect = std::function<void(const TGfxBitmap&, TGfxBitmap&)>;
    const Effect effects[] = {
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectGrayScale(s, r, t, at); },
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectInvert(s, r, t, at); },
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectBrightness(s, r, t, at, 5); },
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectMirrorColumns(s, r, t, at); },
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectMirrorRows(s, r, t, at); },
        [&](const TGfxBitmap& s, TGfxBitmap& t) { GfxEffectAlphaBlend(s, good, r, t, at, 0.5f); },
    };
    auto message = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const EGfxWrongPixelFormat& e) {
            return e.Message();
        }
        return QString();
    };
    for (const Effect& e : effects) {
        EXPECT_EQ(message([&] { e(wide, good); }), QStringLiteral("Wrong PixelFormat in Source 1 bitmap!"));
        EXPECT_EQ(message([&] { e(good, indexed); }), QStringLiteral("Wrong PixelFormat in Target bitmap!"));
        EXPECT_EQ(message([&] { e(good, good); }), QString());
    }
    EXPECT_EQ(message([&] { GfxEffectAlphaBlend(good, wide, r, good, at, 0.5f); }),
              QStringLiteral("Wrong PixelFormat in Source 2 bitmap!"));
}

// ---------------------------------------------------------- effect object

TEST(EffectObject, AppliesTheEffectsInOrderOverTheEffectRectangle)
{
    TGfxBitmap source;
    MakeBitmap(source, {"......", ".rbgy.", ".gry#.", "......"});
    TGfxBitmapEffectObject fx;
    fx.SetFlipVertical(true);
    fx.SetInvert(true);
    TGfxBitmap target(4, 2, pf24bit);
    // The source's inner 4 x 2 pixels are copied to (0, 0); the effects run
    // over the right three columns only.
    fx.Apply(source, TRect{1, 1, 5, 3}, TRect{1, 0, 4, 2}, target);
    // Mirrored: r y g b / g # y r; then inverted: yellow <-> blue,
    // red <-> cyan (not in the legend), lime <-> magenta, black <-> white.
    const QImage im = target.ToImage();
    EXPECT_EQ(At(im, 0, 0), clRed);  // outside the effect rectangle
    EXPECT_EQ(At(im, 1, 0), clBlue);
    EXPECT_EQ(At(im, 2, 0), GfxRGB(255, 0, 255));
    EXPECT_EQ(At(im, 3, 0), Yellow);
    EXPECT_EQ(At(im, 1, 1), clWhite);
    EXPECT_EQ(At(im, 3, 1), GfxRGB(0, 255, 255));
}

TEST(EffectObject, AlphaBlendWithTheFill)
{
    TGfxBitmap source;
    MakeBitmap(source, {"###", "###"});
    TGfxBitmapEffectObject fx;
    fx.AlphaBlend().FillObject().SetStyle(sfBrush);
    fx.AlphaBlend().FillObject().Brush().SetColor(GfxRGB(100, 200, 250));
    fx.AlphaBlend().SetStrength(0.6f);
    TGfxBitmap target(3, 2, pf24bit);
    // An effect rectangle that does not start at (0, 0), reaching past the
    // copied image into the fill's margin.
    fx.Apply(source, TRect{0, 0, 3, 2}, TRect{1, 1, 4, 3}, target);
    EXPECT_EQ(Bytes(target, 0, 0), (std::vector<int>{0, 0, 0}));
    // fill + round((0 - fill) * 0.6): 250 - 150, 200 - 120, 100 - 60
    EXPECT_EQ(Bytes(target, 1, 1), (std::vector<int>{100, 80, 40}));
    EXPECT_EQ(Bytes(target, 2, 1), (std::vector<int>{100, 80, 40}));
    EXPECT_EQ(Bytes(target, 1, 0), (std::vector<int>{0, 0, 0}));
}

TEST(EffectObject, BufferedResultLastsUntilTheNextChange)
{
    TGfxBitmap source;
    MakeBitmap(source, {"rb"});
    TGfxBitmapEffectObject fx;
    fx.SetInvert(true);
    fx.SetBuffered(true);
    TGfxBitmap target(2, 1, pf24bit);
    fx.Apply(source, TRect{0, 0, 2, 1}, TRect{0, 0, 2, 1}, target);
    EXPECT_TRUE(fx.BufferValid());
    EXPECT_EQ(At(target.ToImage(), 0, 0), GfxRGB(0, 255, 255));

    // A new source does not show while the buffer holds: the effects ran once.
    MakeBitmap(source, {"gg"});
    MakeBitmap(target, {".."});
    fx.Apply(source, TRect{0, 0, 2, 1}, TRect{0, 0, 2, 1}, target);
    EXPECT_EQ(At(target.ToImage(), 0, 0), GfxRGB(0, 255, 255));

    // Any change runs them again, and the buffer is already invalid when
    // the owner hears of the change.
    bool validInNotification = true;
    fx.OnChange = [&](TObject*) { validInNotification = fx.BufferValid(); };
    fx.AlphaBlend().SetStrength(0.5f);
    EXPECT_FALSE(validInNotification);
    fx.Apply(source, TRect{0, 0, 2, 1}, TRect{0, 0, 2, 1}, target);
    EXPECT_EQ(At(target.ToImage(), 0, 0), GfxRGB(255, 0, 255));

    // Switching buffering off frees the buffer: every call applies anew.
    fx.SetBuffered(false);
    EXPECT_FALSE(fx.BufferValid());
    MakeBitmap(source, {"##"});
    fx.Apply(source, TRect{0, 0, 2, 1}, TRect{0, 0, 2, 1}, target);
    EXPECT_EQ(At(target.ToImage(), 0, 0), clWhite);
}

TEST(EffectObject, BrightnessIsLimitedAndAppliesToTheTarget)
{
    TGfxBitmapEffectObject fx;
    fx.SetBrightness(300);
    EXPECT_EQ(fx.Brightness(), 255);
    fx.SetBrightness(-999);
    EXPECT_EQ(fx.Brightness(), -255);
    fx.SetBrightness(40);
    TGfxBitmap source(1, 1, pf24bit), target(1, 1, pf24bit);
    SetBytes(source, 0, 0, 230, 30, 0);
    fx.Apply(source, TRect{0, 0, 1, 1}, TRect{0, 0, 1, 1}, target);
    EXPECT_EQ(Bytes(target, 0, 0), (std::vector<int>{255, 70, 40}));
    // A target the caller did not make 24-bit is refused.
    TGfxBitmap wrong(1, 1, pf32bit);
    EXPECT_THROW(fx.Apply(source, TRect{0, 0, 1, 1}, TRect{0, 0, 1, 1}, wrong), EGfxWrongPixelFormat);
}

}  // namespace
