// The bitmap type: pixel formats and colour tables, the stream image,
// device-independent bits, masks and colour-depth reduction.
#include "paint_helpers.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_exceptions.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstring>

using namespace painttest;

namespace {

QByteArray Saved(const TGfxBitmap& b)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    b.SaveToStream(buf);
    return buf.data();
}

void Load(TGfxBitmap& b, const QByteArray& data)
{
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    b.LoadFromStream(buf);
}

std::uint32_t U32(const QByteArray& d, int at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, d.constData() + at, 4);
    return v;
}

// A 3 x 2 picture of four colours, drawn through the canvas.
void Paint(TGfxBitmap& b)
{
    b.SetSize(3, 2);
    b.Canvas().SetPixel(0, 0, clRed);
    b.Canvas().SetPixel(1, 0, clLime);
    b.Canvas().SetPixel(2, 0, clBlue);
    b.Canvas().SetPixel(0, 1, clWhite);
    b.Canvas().SetPixel(1, 1, clBlack);
    b.Canvas().SetPixel(2, 1, clWhite);
}

TEST(Bitmap, FourBitStreamImageHasTheStoredSize)
{
    TGfxBitmap b(64, 64, pf4bit);
    b.Canvas().Brush.SetColor(clRed);
    b.Canvas().FillRect({0, 0, 32, 64});
    const QByteArray image = Saved(b);
    ASSERT_EQ(image.size(), 2166);  // 14 + 40 + 16 colours + 64 rows of 32 bytes
    EXPECT_EQ(image.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(image, 2), 2166u);
    EXPECT_EQ(U32(image, 10), 14u + 40u + 64u);
    EXPECT_EQ(U32(image, 14), 40u);
    TGfxBitmap back;
    Load(back, image);
    EXPECT_EQ(back.PixelFormat(), pf4bit);
    EXPECT_EQ(back.PixelAt(0, 0), clRed);
    EXPECT_EQ(back.PixelAt(40, 63), clWhite);
    EXPECT_EQ(Saved(back), image);
}

TEST(Bitmap, EveryFormatSurvivesItsStreamImage)
{
    const struct { TGfxPixelFormat format; int bits; int size; } cases[] = {
        {pf1bit, 1, 14 + 40 + 8 + 2 * 4},
        {pf4bit, 4, 14 + 40 + 64 + 2 * 4},
        {pf8bit, 8, 14 + 40 + 1024 + 2 * 4},
        {pf24bit, 24, 14 + 40 + 2 * 12},
        {pf32bit, 32, 14 + 40 + 2 * 12},
    };
    for (const auto& c : cases) {
        TGfxBitmap b(1, 1, c.format);
        Paint(b);
        EXPECT_EQ(b.BitsPerPixel(), c.bits);
        const QByteArray image = Saved(b);
        EXPECT_EQ(image.size(), c.size) << c.bits;
        TGfxBitmap back;
        Load(back, image);
        EXPECT_EQ(back.PixelFormat(), c.format);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(back.PixelAt(x, y), b.PixelAt(x, y)) << c.bits << " " << x << "," << y;
    }
}

TEST(Bitmap, DrawingOnFewColoursTakesTheNearestTableColour)
{
    TGfxBitmap b(4, 1, pf4bit);
    b.Canvas().SetPixel(0, 0, GfxRGB(250, 12, 8));    // near red
    b.Canvas().SetPixel(1, 0, GfxRGB(120, 130, 125)); // near grey
    EXPECT_EQ(b.PixelAt(0, 0), clRed);
    EXPECT_EQ(b.PixelAt(1, 0), clGray);
    TGfxBitmap mono(2, 1, pf1bit);
    mono.Canvas().SetPixel(0, 0, GfxRGB(200, 200, 200));
    mono.Canvas().SetPixel(1, 0, GfxRGB(60, 60, 60));
    EXPECT_TRUE(mono.Monochrome());
    EXPECT_EQ(mono.PixelAt(0, 0), clWhite);
    EXPECT_EQ(mono.PixelAt(1, 0), clBlack);
}

TEST(Bitmap, ColourDepthReduction)
{
    TGfxBitmap b(2, 1, pf24bit);
    b.Canvas().SetPixel(0, 0, GfxRGB(10, 10, 200));
    b.Canvas().SetPixel(1, 0, GfxRGB(230, 230, 20));
    b.SetPixelFormat(pf4bit);
    EXPECT_EQ(b.ColorTable().size(), 16u);
    EXPECT_EQ(b.PixelAt(0, 0), clBlue);
    EXPECT_EQ(b.PixelAt(1, 0), GfxRGB(255, 255, 0));
    b.SetMonochrome(true);
    EXPECT_EQ(b.PixelAt(0, 0), clBlack);
    EXPECT_EQ(b.PixelAt(1, 0), clWhite);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.PixelAt(1, 0), clWhite);
    EXPECT_EQ(b.ScanLine(0)[3], 0xFF);  // blue, green, red bytes
}

TEST(Bitmap, DeviceIndependentBits)
{
    TGfxBitmap b;
    Paint(b);
    // Rows bottom-up, padded to 4 bytes; the top row's red comes last.
    const TGfxDIB d24 = b.GetDIB(24);
    ASSERT_EQ(d24.Bits.size(), 2 * 12);
    EXPECT_EQ(static_cast<unsigned char>(d24.Bits[12 + 2]), 0xFF);  // red of (0, 0)
    EXPECT_EQ(static_cast<unsigned char>(d24.Bits[12 + 0]), 0x00);
    // One bit: black and white by the nearest colour.
    const TGfxDIB d1 = b.GetDIB(1);
    ASSERT_EQ(d1.Colors.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(d1.Bits[0]), 0xA0);  // bottom row: white, black, white
    // Four bits through a given palette.
    TGfxPalette palette;
    palette.Entries = {{0, 0, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    const TGfxDIB d4 = b.GetDIB(4, &palette);
    EXPECT_EQ(d4.Colors.size(), 3u);
    EXPECT_EQ(static_cast<unsigned char>(d4.Bits[4]), 0x10);  // top row: red (1), lime -> black (0)
    EXPECT_THROW(b.GetDIB(16), EInvalidGraphicOperation);
    // And back.
    TGfxBitmap c;
    c.SetDIB(d24);
    EXPECT_EQ(c.PixelFormat(), pf24bit);
    EXPECT_EQ(c.PixelAt(2, 0), clBlue);
}

TEST(Bitmap, MaskAndTransparentColour)
{
    TGfxBitmap b;
    Paint(b);
    EXPECT_EQ(b.TransparentColor(), clWhite);  // the bottom-left pixel
    b.Canvas().SetPixel(0, 1, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.Mask(clLime);
    EXPECT_TRUE(b.Monochrome());
    EXPECT_EQ(b.PixelAt(0, 1), clWhite);
    EXPECT_EQ(b.PixelAt(1, 0), clWhite);  // lime too
    EXPECT_EQ(b.PixelAt(2, 0), clBlack);
    EXPECT_EQ(b.TransparentColor(), clWhite);
    EXPECT_EQ(TGfxBitmap().TransparentColor(), clWhite);
}

TEST(Bitmap, SizeKeepsPixelsAndNotifies)
{
    TGfxBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &b);
        ++changes;
    };
    Paint(b);
    const int afterPaint = changes;
    EXPECT_GE(afterPaint, 7);  // the size and every pixel
    b.SetSize(4, 3);
    EXPECT_EQ(b.PixelAt(2, 0), clBlue);
    EXPECT_EQ(b.PixelAt(3, 2), clWhite);
    b.SetSize(4, 3);
    EXPECT_EQ(changes, afterPaint + 1);
    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(Saved(b), QByteArray());  // nothing for an empty bitmap
    TGfxBitmap copy;
    Paint(b);
    copy.Assign(&b);
    EXPECT_EQ(copy.PixelAt(1, 0), clLime);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

// Builds a bitmap file image from its header fields.
QByteArray File(int width, int height, int bits, std::uint32_t colorsUsed, const QByteArray& colours,
                const QByteArray& pixels, std::uint32_t headerSize = 40, int planes = 1, std::uint32_t compression = 0)
{
    QByteArray header;
    auto u32 = [&](std::uint32_t v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    u32(headerSize);
    u32(static_cast<std::uint32_t>(width));
    u32(static_cast<std::uint32_t>(height));
    u16(static_cast<std::uint16_t>(planes));
    u16(static_cast<std::uint16_t>(bits));
    u32(compression);
    for (int i = 0; i < 3; ++i)
        u32(0);
    u32(colorsUsed);
    u32(0);
    header.append(QByteArray(static_cast<int>(headerSize) - 40, '\0'));
    QByteArray file("BM");
    const std::uint32_t off = 14 + header.size() + colours.size();
    const std::uint32_t total = off + pixels.size();
    file.append(reinterpret_cast<const char*>(&total), 4);
    file.append(4, '\0');
    file.append(reinterpret_cast<const char*>(&off), 4);
    return file + header + colours + pixels;
}

TEST(Bitmap, LoadsTopDownAndShortTables)
{
    // 2 x 2 at 8 bits with a table of two colours, rows top-down.
    const QByteArray colours("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);  // red, blue
    const QByteArray pixels("\x00\x01\x00\x00\x01\x00\x00\x00", 8);
    TGfxBitmap b;
    Load(b, File(2, -2, 8, 2, colours, pixels));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.ColorTable().size(), 2u);
    EXPECT_EQ(b.PixelAt(0, 0), clRed);
    EXPECT_EQ(b.PixelAt(1, 0), clBlue);
    EXPECT_EQ(b.PixelAt(0, 1), clBlue);
}

TEST(Bitmap, InvalidStreamImagesAreRefused)
{
    const QByteArray pixels(8, '\0');
    const struct { const char* what; QByteArray data; bool readError; } cases[] = {
        {"not BM", QByteArray("XM") + File(2, 2, 24, 0, {}, pixels).mid(2), false},
        {"16 bits", File(2, 2, 16, 0, {}, pixels), false},
        {"two planes", File(2, 2, 24, 0, {}, pixels, 40, 2), false},
        {"compressed", File(2, 2, 8, 0, QByteArray(1024, '\0'), pixels, 40, 1, 1), false},
        {"no width", File(0, 2, 24, 0, {}, pixels), false},
        {"huge", File(60000, 60000, 1, 0, QByteArray(8, '\0'), pixels), false},
        {"too many colours", File(2, 2, 4, 17, QByteArray(68, '\0'), pixels), false},
        {"header size 7", File(2, 2, 24, 0, {}, pixels).left(14) + QByteArray("\x07\0\0\0", 4), false},
        {"short pixels", File(2, 2, 24, 0, {}, pixels).left(14 + 40 + 10), true},
        {"short header", File(2, 2, 24, 0, {}, pixels).left(20), true},
        {"pixels far past the end", [&] {
             QByteArray d = File(2, 2, 24, 0, {}, pixels);
             d[10] = 0;
             d[11] = 0;
             d[12] = 0;
             d[13] = 0x30;  // offset 0x30000000
             return d;
         }(), true},
        {"more rows than the stream holds", File(8000, 4000, 32, 0, {}, pixels), true},
    };
    for (const auto& c : cases) {
        TGfxBitmap b(1, 1);
        b.Canvas().SetPixel(0, 0, clRed);
        try {
            Load(b, c.data);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EReadError& e) {
            EXPECT_TRUE(c.readError) << c.what;
            EXPECT_EQ(e.Message(), QStringLiteral("Stream read error"));
        } catch (const EInvalidGraphic& e) {
            EXPECT_FALSE(c.readError) << c.what;
            EXPECT_EQ(e.Message(), QStringLiteral("Bitmap image is not valid"));
        }
        EXPECT_EQ(b.PixelAt(0, 0), clRed) << c.what;  // the old picture stays
    }
    TGfxBitmap empty(1, 1);
    Load(empty, QByteArray());
    EXPECT_TRUE(empty.Empty());
}

}  // namespace
