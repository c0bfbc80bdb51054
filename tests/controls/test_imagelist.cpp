// Image lists: the stored strip item, appending images, drawing through the
// mask and the disabled look, and stored sizes that do not add up.
#include "gfx_draw.h"
#include "gfx_imagelist.h"
#include "stream_helpers.h"

#include <gtest/gtest.h>

using namespace streamtest;

namespace {

// A strip of count images of w x h, image i filled with colours[i] and a
// white pixel at its top-left.
void Strip(TGfxBitmap& b, int count, int w, int h, std::initializer_list<TColor> colours)
{
    b.SetPixelFormat(pf24bit);
    b.SetSize(count * w, h);
    int i = 0;
    for (TColor c : colours) {
        b.Canvas().Brush.SetColor(c);
        b.Canvas().FillRect(TRect{i * w, 0, (i + 1) * w, h});
        b.Canvas().SetPixel(i * w, 0, clWhite);
        ++i;
    }
}

// The stored item: header flag, sizes, masked flag, count, strip, mask.
QByteArray StoredItem(int w, int h, int count, const TGfxBitmap* strip, const TGfxBitmap* mask, int allocBy = 4)
{
    return Written([&](QIODevice& s) {
        GfxWriteByte(s, count > 0 ? gifData : 0);
        GfxWriteInteger(s, h);
        GfxWriteInteger(s, w);
        GfxWriteInteger(s, allocBy);
        GfxWriteByte(s, mask ? 1 : 0);
        GfxWriteInteger(s, count);
        if (count > 0)
            GfxWriteBitmap(s, *strip, false, GfxOwnImage);
        if (mask)
            GfxWriteBitmap(s, *mask, false, 2);
    });
}

void Read(TGfxImageListItem& item, const QByteArray& bytes) { item.ReadData(*Over(bytes)); }

// An item of count images w x h in the colours.
void Images(TGfxImageListItem& item, int w, int h, std::initializer_list<TColor> colours)
{
    TGfxBitmap strip;
    Strip(strip, static_cast<int>(colours.size()), w, h, colours);
    Read(item, StoredItem(w, h, static_cast<int>(colours.size()), &strip, nullptr));
}

TEST(ImageList, StoredItemReadsAndWritesTheSameBytes)
{
    TGfxBitmap strip;
    Strip(strip, 3, 4, 2, {clRed, clLime, clBlue});
    const QByteArray stored = StoredItem(4, 2, 3, &strip, nullptr, 2);
    TGfxImageListItem item;
    Read(item, stored);
    EXPECT_EQ(item.ImageCount(), 3);
    EXPECT_EQ(item.Width(), 4);
    EXPECT_EQ(item.Height(), 2);
    EXPECT_EQ(item.AllocBy(), 2);
    ASSERT_EQ(item.Entries().size(), 3u);
    EXPECT_EQ(item.Entries()[2].Left, 8);
    EXPECT_FALSE(item.Entries()[2].Masked);
    EXPECT_EQ(Written([&](QIODevice& s) { item.WriteData(s); }), stored);

    // An empty item keeps its sizes and reads back empty.
    TGfxImageListItem empty;
    empty.SetWidth(7);
    const QByteArray bytes = Written([&](QIODevice& s) { empty.WriteData(s); });
    EXPECT_EQ(bytes, Bytes({0}) + Int(16) + Int(7) + Int(4) + Bytes({0}) + Int(0));
    Read(item, bytes);
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(item.Width(), 7);
}

TEST(ImageList, MaskedItemsRoundTripAndDrawThroughTheMask)
{
    // Image 1 of two: blue with a transparent left column.
    TGfxBitmap strip, mask;
    Strip(strip, 2, 3, 3, {clRed, clBlue});
    mask.SetMonochrome(true);
    mask.SetSize(6, 3);
    mask.Canvas().Brush.SetColor(clBlack);
    mask.Canvas().FillRect(TRect{0, 0, 6, 3});
    mask.Canvas().Brush.SetColor(clWhite);
    mask.Canvas().FillRect(TRect{3, 0, 4, 3});
    strip.Canvas().Brush.SetColor(clBlack);
    strip.Canvas().FillRect(TRect{3, 0, 4, 3});

    for (bool compressed : {false, true}) {
        TGfxImageList list;
        list.AddItem();
        TGfxImageListItem& item = *list.Items(0);
        Read(item, StoredItem(3, 3, 2, &strip, &mask));
        item.SetCompressed(compressed);
        item.SetPixelFormat(spf4bit);
        TGfxImageListItem back;
        Read(back, Written([&](QIODevice& s) { item.WriteData(s); }));
        EXPECT_TRUE(back.Masked());
        EXPECT_TRUE(back.Entries()[1].Masked);
        EXPECT_EQ(back.Image().BitsPerPixel(), 4);
        EXPECT_TRUE(back.MaskBitmap().Monochrome());
        EXPECT_TRUE(list.GetMasked(0));

        TGfxBitmap target(5, 3, pf24bit);
        target.Canvas().Brush.SetColor(clLime);
        target.Canvas().FillRect(TRect{0, 0, 5, 3});
        list.Draw(target.Canvas(), 1, 0, 0, 1);
        EXPECT_EQ(target.PixelAt(0, 1), clLime);
        EXPECT_EQ(target.PixelAt(1, 1), clLime);  // transparent column
        EXPECT_EQ(target.PixelAt(2, 1), clBlue);
        EXPECT_EQ(target.PixelAt(3, 1), clBlue);
        EXPECT_EQ(target.PixelAt(4, 1), clLime);
    }
}

TEST(ImageList, AppendingImages)
{
    TGfxImageListItem a, b, other;
    Images(a, 4, 2, {clRed, clLime});
    Images(b, 4, 2, {clBlue, clNavy, clMaroon});
    Images(other, 5, 2, {clRed});
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.AddImages(b);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.ImageCount(), 5);
    EXPECT_EQ(a.UsedWidth(), 20);
    EXPECT_EQ(a.Image().Width(), 32);  // grown by AllocBy (4) images
    EXPECT_EQ(a.Image().PixelAt(4 * 3 + 1, 1), clNavy);
    EXPECT_EQ(a.Image().PixelAt(4 * 4 + 1, 1), clMaroon);
    TGfxBitmap cell;
    a.GetImage(3, cell);
    EXPECT_EQ(cell.Width(), 4);
    EXPECT_EQ(cell.PixelAt(0, 0), clWhite);
    EXPECT_EQ(cell.PixelAt(2, 1), clNavy);
    // The stored strip is the used width only.
    TGfxImageListItem back;
    Read(back, Written([&](QIODevice& s) { a.WriteData(s); }));
    EXPECT_EQ(back.Image().Width(), 20);
    EXPECT_EQ(back.Image().PixelAt(17, 1), clMaroon);

    try {
        a.AddImages(other);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid image size"));
    }
    TGfxImageListItem wide, more;
    TGfxBitmap strip;
    Strip(strip, 20, 1000, 1, {});
    Read(wide, StoredItem(1000, 1, 20, &strip, nullptr));
    Read(more, StoredItem(1000, 1, 20, &strip, nullptr));
    try {
        wide.AddImages(more);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Too many images"));
    }
    EXPECT_EQ(wide.ImageCount(), 20);
}

TEST(ImageList, SizesMaskAndClear)
{
    TGfxImageListItem item;
    Images(item, 4, 2, {clRed, clLime});
    item.SetMasked(true);
    EXPECT_TRUE(item.Entries()[1].Masked);
    EXPECT_EQ(item.MaskBitmap().PixelAt(1, 1), clBlack);  // opaque until told
    item.SetWidth(4);  // same value: nothing happens
    EXPECT_EQ(item.ImageCount(), 2);
    item.SetHeight(3);
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_TRUE(item.Image().Empty());
    Images(item, 4, 2, {clRed});
    item.Clear();
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(item.Height(), 2);
}

TEST(ImageList, ListOperationsAndTheDisabledLook)
{
    TGfxImageList list;
    list.AddItem();
    Images(*list.Items(0), 3, 2, {clRed, clBlue});
    EXPECT_EQ(list.GetImageCount(0), 2);
    EXPECT_EQ(list.GetImageCount(1), -1);
    EXPECT_TRUE(list.IsValidImage(0, 1));
    EXPECT_FALSE(list.IsValidImage(0, 2));
    EXPECT_FALSE(list.IsValidImage(0, -1));
    EXPECT_EQ(list.GetImageRect(0, 1), (TRect{3, 0, 6, 2}));
    EXPECT_EQ(list.GetDimension(0, 0), 3);
    EXPECT_EQ(list.GetDimension(0, 1), 2);
    EXPECT_EQ(list.GetPixel(TPoint{1, 1}, 0, 1), clBlue);
    EXPECT_EQ(list.GetPixel(TPoint{3, 0}, 0, 1), 0xFFFFFFu);
    EXPECT_EQ(list.GetTransparentColor(0, 1), clBlue);
    TGfxBitmap cell;
    list.GetBitmap(0, 1, &cell);
    EXPECT_EQ(cell.Width(), 3);
    EXPECT_EQ(cell.PixelAt(2, 1), clBlue);

    TGfxImageListItem& item = *list.Items(0);
    item.BlendColor = TColor{0x00FFFF};
    TGfxBitmap target(3, 2, pf24bit);
    TRect drawn;
    item.Draw(target.Canvas(), TRect{0, 0, 3, 2}, drawn, 0, 0, false);
    EXPECT_EQ(drawn, (TRect{0, 0, 3, 2}));
    EXPECT_EQ(target.PixelAt(0, 0), TColor{0x00FFFF});
    EXPECT_EQ(target.PixelAt(1, 0), clRed);
    EXPECT_EQ(target.PixelAt(0, 1), clRed);
    EXPECT_EQ(target.PixelAt(1, 1), TColor{0x00FFFF});
    // Clipped drawing stays inside the rectangle.
    TGfxBitmap clipped(6, 2, pf24bit);
    clipped.Canvas().Brush.SetColor(clWhite);
    clipped.Canvas().FillRect(TRect{0, 0, 6, 2});
    list.DrawClipped(clipped.Canvas(), TRect{0, 0, 2, 2}, drawn, 0, 1, gdbClip);
    EXPECT_EQ(clipped.PixelAt(1, 1), clBlue);
    EXPECT_EQ(clipped.PixelAt(2, 1), clWhite);
}

TEST(ImageList, StoredSizesThatDoNotAddUpAreRefused)
{
    TGfxBitmap strip;
    Strip(strip, 2, 4, 2, {clRed, clLime});
    TGfxBitmap mono;
    mono.SetMonochrome(true);
    mono.SetSize(7, 2);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case readErrors[] = {
        {"width 0", StoredItem(0, 2, 2, &strip, nullptr)},
        {"height negative", StoredItem(4, -2, 2, &strip, nullptr)},
        {"count negative", StoredItem(4, 2, -1, &strip, nullptr)},
        {"count past the widest strip", StoredItem(4, 2, 8193, &strip, nullptr)},
    };
    for (const Case& c : readErrors) {
        SCOPED_TRACE(c.name);
        TGfxImageListItem item;
        EXPECT_THROW(Read(item, c.bytes), EReadError);
    }
    const Case sizeErrors[] = {
        {"strip narrower than the count", StoredItem(4, 2, 3, &strip, nullptr)},
        {"strip of another height", StoredItem(4, 3, 2, &strip, nullptr)},
        {"mask of another size", StoredItem(4, 2, 2, &strip, &mono)},
    };
    for (const Case& c : sizeErrors) {
        SCOPED_TRACE(c.name);
        TGfxImageListItem item;
        Images(item, 4, 2, {clBlue});
        EXPECT_THROW(Read(item, c.bytes), EInvalidGraphicOperation);
        EXPECT_EQ(item.ImageCount(), 1);
    }
}

TEST(ImageList, OlderStreamsBitmapProperty)
{
    TGfxBitmap strip;
    Strip(strip, 2, 16, 16, {clRed, clLime});
    TGfxImageListItem item;
    item.ReadBitmapProperty(*Over(Int(2) + Written([&](QIODevice& s) { GfxWriteBitmap(s, strip, false, GfxOwnImage); })));
    EXPECT_EQ(item.ImageCount(), 2);
    EXPECT_EQ(item.Image().PixelAt(20, 5), clLime);
}

}  // namespace
