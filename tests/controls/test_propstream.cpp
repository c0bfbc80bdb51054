// The binary property stream: plain values, the raw and compressed object
// forms byte for byte, bitmaps at every depth and string lists, and what
// corrupt stored data gives.
#include "gfx_lzrw.h"
#include "gfx_propstream.h"
#include "stream_helpers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

using namespace streamtest;

namespace {

QByteArray Compressed(const QByteArray& source)
{
    return Written([&](QIODevice& out) {
        auto in = Over(source);
        GfxCompressStream(*in, out, source.size());
    });
}

QByteArray Expanded(const QByteArray& stored)
{
    auto in = Over(stored);
    return Written([&](QIODevice& out) { GfxDecompressStream(*in, out); });
}

// Bytes that compress a little: runs and copies among noise.
QByteArray Mixed(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray b;
    while (b.size() < n) {
        const int kind = static_cast<int>(rng() % 3);
        if (kind == 0)
            b += QByteArray(static_cast<int>(rng() % 40), static_cast<char>(rng()));
        else if (kind == 1 && b.size() > 20)
            b += b.mid(b.size() - 20, 10);
        else
            b.append(static_cast<char>(rng()));
    }
    return b.left(n);
}

TEST(PropStream, PlainValues)
{
    const QByteArray bytes = Written([](QIODevice& s) {
        GfxWriteByte(s, 0xAB);
        GfxWriteInteger(s, -2);
        GfxWriteShortString(s, QStringLiteral("abc"));
        GfxWriteShortString(s, QString());
    });
    EXPECT_EQ(bytes, Bytes({0xAB, 0xFE, 0xFF, 0xFF, 0xFF, 3, 'a', 'b', 'c', 0}));
    auto in = Over(bytes);
    EXPECT_EQ(GfxReadByte(*in), 0xAB);
    EXPECT_EQ(GfxReadInteger(*in), -2);
    EXPECT_EQ(GfxReadShortString(*in), QStringLiteral("abc"));
    EXPECT_EQ(GfxReadShortString(*in), QString());
    EXPECT_THROW(GfxReadByte(*in), EReadError);
}

TEST(PropStream, ShortStringsStopAt255BytesOnACharacterBoundary)
{
    // 254 letters and a two-byte character: the character does not fit.
    const QString text = QString(254, QLatin1Char('a')) + QChar(0xE9);
    const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteShortString(s, text); });
    ASSERT_EQ(bytes.size(), 255);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 254);
    auto in = Over(Written([](QIODevice& s) { GfxWriteShortString(s, QString(300, QLatin1Char('x'))); }));
    EXPECT_EQ(GfxReadShortString(*in), QString(255, QLatin1Char('x')));
    // A length byte beyond the stream's end.
    EXPECT_THROW(GfxReadShortString(*Over(Bytes({5, 'a', 'b'}))), EReadError);
}

TEST(PropStream, RawObjectFormIsTheLengthThenTheImage)
{
    const QByteArray bytes = Written([](QIODevice& s) {
        GfxWriteByte(s, 9);  // the form is written where the stream stands
        GfxWriteObject(s, false, [](QIODevice& image) { GfxWriteBuffer(image, "hello", 5); });
        GfxWriteByte(s, 7);  // and the stream goes on after it
    });
    EXPECT_EQ(bytes, Bytes({9}) + Int(5) + "hello" + Bytes({7}));
    auto in = Over(bytes);
    GfxReadByte(*in);
    EXPECT_EQ(GfxReadObject(*in, false), QByteArray("hello"));
    EXPECT_EQ(GfxReadByte(*in), 7);
}

TEST(PropStream, CompressedFormVectors)
{
    // An empty source writes only the total 0, and the reader reads nothing
    // more.
    EXPECT_EQ(Compressed(QByteArray()), Int(0));
    auto in = Over(Int(0) + "tail");
    EXPECT_EQ(Written([&](QIODevice& out) { GfxDecompressStream(*in, out); }), QByteArray());
    EXPECT_EQ(in->pos(), 4);

    // 100 equal bytes: one chunk holding the 7-byte run block.
    EXPECT_EQ(Compressed(QByteArray(100, 'A')), Int(11) + Int(7) + Bytes({64, 0x80, 0x00, 0, 0, 84, 'A'}));
}

TEST(PropStream, ChunksHoldAtMost32781SourceBytes)
{
    struct Case {
        int size;
        int chunks;
    };
    for (const Case c : {Case{32781, 1}, Case{32782, 2}, Case{3 * 32781 + 5, 4}}) {
        SCOPED_TRACE(c.size);
        const QByteArray source = Mixed(c.size, static_cast<unsigned>(c.size));
        const QByteArray stored = Compressed(source);
        // Walk the chunks: the total counts every size field and block.
        const std::int32_t total = IntAt(stored, 0);
        EXPECT_EQ(total, stored.size() - 4);
        int chunks = 0;
        for (qsizetype at = 4; at < stored.size(); ++chunks)
            at += 4 + IntAt(stored, at);
        EXPECT_EQ(chunks, c.chunks);
        EXPECT_EQ(Expanded(stored), source);
    }
}

TEST(PropStream, StringListsRoundTripAndSplitAtAnyLineEnd)
{
    const QStringList lists[] = {{}, {QString()}, {QStringLiteral("one"), QString(), QStringLiteral("caf\u00e9 \u00fc")}};
    for (const QStringList& list : lists)
        for (bool compressed : {false, true}) {
            const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteStrings(s, list, compressed); });
            QStringList back = {QStringLiteral("old")};
            GfxReadStrings(*Over(bytes), back, compressed);
            EXPECT_EQ(back, list) << compressed;
        }
    EXPECT_EQ(Written([](QIODevice& s) { GfxWriteStrings(s, {QStringLiteral("a"), QStringLiteral("b")}, false); }),
              Int(6) + "a\r\nb\r\n");
    QStringList split;
    GfxReadStrings(*Over(Int(8) + "x\ry\nz\r\n\n"), split, false);
    EXPECT_EQ(split, QStringList({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"), QString()}));
}

// ---------------------------------------------------------------- bitmaps

TEST(PropStream, FourBitBitmapRawInItsOwnFormat)
{
    // The About box's pictures: [integer 2166] and the 2166-byte image.
    TGfxBitmap b;
    Pattern(b, 64, 64, pf4bit);
    const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteBitmap(s, b, false, GfxOwnImage); });
    ASSERT_EQ(bytes.size(), 4 + 2166);
    EXPECT_EQ(IntAt(bytes, 0), 2166);
    EXPECT_EQ(bytes.mid(4), Written([&](QIODevice& s) { b.SaveToStream(s); }));
    TGfxBitmap back;
    GfxReadBitmap(*Over(bytes), back, false);
    EXPECT_EQ(back.PixelFormat(), pf4bit);
    EXPECT_TRUE(SamePixels(back, b));
}

TEST(PropStream, FileImageHeaderAndSizes)
{
    struct Case {
        TGfxPixelFormat format;
        std::uint32_t colours;
        int bits;
    };
    const Case cases[] = {
        {pf24bit, 2, 1},  {pf24bit, 16, 4},  {pf24bit, 256, 8}, {pf24bit, 0, 24}, {pf32bit, 0, 24},
        {pfDevice, 0, 24}, {pf8bit, 0, 8},   {pf4bit, 0, 4},    {pf4bit, 7, 4},
        // A monochrome bitmap is always written with 2 colours.
        {pf1bit, 256, 1}, {pf1bit, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << int(c.format) << " colours " << c.colours);
        TGfxBitmap b;
        Pattern(b, 13, 5, c.format);
        TGfxBitmapInfoHeader h;
        GfxInitBitmapInfoHeader(b, h, c.colours);
        int infoSize = 0, imageSize = 0;
        GfxGetDIBSizes(b, c.colours, infoSize, imageSize);
        const int rowBytes = ((13 * c.bits + 31) / 32) * 4;
        EXPECT_EQ(h.biBitCount, c.bits);
        EXPECT_EQ(h.biSizeImage, static_cast<std::uint32_t>(rowBytes * 5));
        EXPECT_EQ(imageSize, rowBytes * 5);
        EXPECT_EQ(infoSize, 40 + (c.bits <= 8 ? 4 << c.bits : 0));

        const QByteArray file = GfxWriteBitmapFile(&b, nullptr, c.colours);
        EXPECT_EQ(file.left(2), QByteArray("BM"));
        EXPECT_EQ(IntAt(file, 2), file.size());
        EXPECT_EQ(IntAt(file, 6), 0);
        EXPECT_EQ(IntAt(file, 10), 14 + infoSize);
        EXPECT_EQ(file.size(), 14 + infoSize + imageSize);
        EXPECT_EQ(IntAt(file, 14), 40);
        EXPECT_EQ(IntAt(file, 18), 13);
        EXPECT_EQ(IntAt(file, 22), 5);
        EXPECT_EQ(IntAt(file, 26), 1 | (c.bits << 16));  // planes, bits
        EXPECT_EQ(IntAt(file, 30), 0);                    // no compression
        EXPECT_EQ(IntAt(file, 34), imageSize);
        for (int at = 38; at < 54; at += 4)
            EXPECT_EQ(IntAt(file, at), 0);

        // With its size in front, as the raw form has it.
        const QByteArray sized = Written([&](QIODevice& s) { GfxWriteBitmapToStream(s, &b, nullptr, c.colours, true); });
        EXPECT_EQ(sized, Int(static_cast<std::int32_t>(file.size())) + file);
    }
}

TEST(PropStream, BitmapsRoundTripAtEveryDepthRawAndCompressed)
{
    const TGfxPixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit, pfDevice};
    const std::uint32_t depths[] = {GfxOwnImage, 0, 2, 16, 256};
    for (TGfxPixelFormat format : formats)
        for (std::uint32_t colours : depths)
            for (bool compressed : {false, true}) {
                SCOPED_TRACE(testing::Message() << "format " << int(format) << " colours " << colours
                                                << (compressed ? " compressed" : " raw"));
                TGfxBitmap b;
                Pattern(b, 21, 9, format);
                const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteBitmap(s, b, compressed, colours); });
                TGfxBitmap back;
                auto in = Over(bytes);
                GfxReadBitmap(*in, back, compressed);
                EXPECT_TRUE(in->atEnd());
                // What the depth keeps: the reduced bits of the original.
                const int bits = colours == GfxOwnImage ? b.BitsPerPixel() : GfxBitsForColours(b, colours);
                TGfxBitmap expected;
                expected.SetDIB(b.GetDIB(bits));
                EXPECT_EQ(back.BitsPerPixel(), bits);
                EXPECT_TRUE(SamePixels(back, expected));
            }
}

TEST(PropStream, EmptyBitmapsAndNoBitmap)
{
    TGfxBitmap empty;
    for (bool compressed : {false, true}) {
        const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteBitmap(s, empty, compressed, GfxOwnImage); });
        EXPECT_EQ(bytes, Int(0));
        TGfxBitmap back;
        Pattern(back, 2, 2, pf24bit);
        GfxReadBitmap(*Over(bytes), back, compressed);
        EXPECT_TRUE(back.Empty());
    }
    try {
        GfxWriteBitmapFile(nullptr, nullptr, 16);
        FAIL() << "no error";
    } catch (const EGfxError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Bitmap image is not valid"));
    }
    EXPECT_THROW(GfxWriteBitmapFile(&empty, nullptr, 16), EGfxError);
}

TEST(PropStream, FileImageTakesThePalette)
{
    TGfxBitmap b;
    Pattern(b, 4, 4, pf24bit);
    TGfxPalette palette;
    palette.Entries = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}};
    std::vector<QRgb> table;
    QByteArray bits;
    TGfxBitmapInfoHeader h;
    ASSERT_TRUE(GfxGetDIB(b, &palette, h, 16, table, bits));
    ASSERT_EQ(table.size(), 16u);
    EXPECT_EQ(table[1] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(table[2] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(table[3], 0u);  // the rest of the table is zero
    EXPECT_EQ(bits.size(), 4 * 4);
    EXPECT_FALSE(GfxGetDIB(TGfxBitmap(), nullptr, h, 16, table, bits));
}

// ---------------------------------------------------------- corrupt input

struct Corrupt {
    const char* name;
    QByteArray stored;
    bool compressed;
};

// Each is refused with the read error, or the LZRW error where a block
// does not expand, and none of them hangs.
TEST(PropStream, CorruptObjectFormsAreRefused)
{
    const QByteArray run = Bytes({64, 0x80, 0x00, 0, 0, 84, 'A'});  // 100 x 'A'
    const Corrupt cases[] = {
        {"raw length negative", Int(-1), false},
        {"raw length past the end", Int(6) + "hello", false},
        {"raw length huge", Int(0x7FFFFFFF) + "x", false},
        {"total negative", Int(-4) + Int(7) + run, true},
        {"total past the end", Int(12) + Int(7) + run, true},
        {"chunk size -4", Int(8) + Int(-4) + Int(0), true},
        {"chunk size 0", Int(4) + Int(0), true},
        {"chunk size past the total", Int(11) + Int(8) + run, true},
        {"chunk size past the longest block", Int(40004) + Int(40000) + QByteArray(40000, 0), true},
        {"total too small for a size field", Int(2) + Bytes({1, 0}), true},
        {"total ends inside a chunk", Int(10) + Int(7) + run, true},
    };
    for (const Corrupt& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(GfxReadObject(*Over(c.stored), c.compressed), EReadError);
    }

    struct Block {
        const char* name;
        QByteArray block;
    };
    const Block blocks[] = {
        {"copy before the start", Bytes({64, 0x80, 0x00, 0x00, 0x10})},
        {"item cut short", Bytes({64, 0x80, 0x00, 0x00})},
        // A run of 4095 + 16 twice passes the 32781 bytes a chunk expands to
        // at most.
        {"expands past a chunk", Bytes({64, 0xFF, 0xFF}) + QByteArray(1, 0) + Bytes({0x0F, 0xFF, 'z'}) +
                                     [] {
                                         QByteArray more;
                                         for (int i = 0; i < 15; ++i)
                                             more += Bytes({0, 0x0F, 0xFF, 'z'});
                                         return more;
                                     }()},
    };
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.name);
        try {
            GfxReadObject(*Over(Int(4 + b.block.size()) + Int(b.block.size()) + b.block), true);
            FAIL() << "no error";
        } catch (const EInvalidPointer& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("LZRW Error!"));
        }
    }
}

TEST(PropStream, ExpansionHasALimit)
{
    // Seven bytes of block make 4111; the limit stops a stored object that
    // would expand beyond it.
    const QByteArray run = Bytes({64, 0x80, 0x00, 0, 0x0F, 0xFF, 'r'});
    QByteArray stored = Int(3 * 11);
    for (int i = 0; i < 3; ++i)
        stored += Int(7) + run;
    auto in = Over(stored);
    EXPECT_EQ(Written([&](QIODevice& out) { GfxDecompressStream(*in, out, 3 * 4111); }).size(), 3 * 4111);
    in = Over(stored);
    EXPECT_THROW(Written([&](QIODevice& out) { GfxDecompressStream(*in, out, 3 * 4111 - 1); }), EReadError);
}

TEST(PropStream, EveryTruncationOfAStoredBitmapFails)
{
    TGfxBitmap b;
    Pattern(b, 9, 7, pf8bit);
    for (bool compressed : {false, true}) {
        const QByteArray whole = Written([&](QIODevice& s) { GfxWriteBitmap(s, b, compressed, GfxOwnImage); });
        for (qsizetype n = 0; n < whole.size(); ++n) {
            SCOPED_TRACE(testing::Message() << (compressed ? "compressed " : "raw ") << n);
            TGfxBitmap back;
            try {
                GfxReadBitmap(*Over(whole.left(n)), back, compressed);
                ADD_FAILURE() << "no error";
            } catch (const EReadError&) {
            } catch (const EInvalidPointer&) {
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

TEST(PropStream, ASourceThatCannotSupplyTheCountFails)
{
    auto in = Over("short");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_THROW(GfxCompressStream(*in, out, 100), EReadError);
}

}  // namespace
