// The About box's stored bitmap list: five 64 x 64 pictures of 16 colours,
// each item stored as flag 8, the length 2166 and the bitmap's own image,
// and the file the program carries is the one make_about_pictures writes.
#include "about_pictures.h"
#include "stored_pictures.h"
#include "stream_helpers.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace streamtest;

namespace {

QByteArray Resource()
{
    QFile file(QString::fromLatin1(AboutPicturesResource));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(AboutPictures, FiveStoredItemsOf64By64In16Colours)
{
    TGfxBitmapList list;
    LoadAboutPictures(list);
    ASSERT_EQ(list.Count(), AboutPictureCount);
    QSet<QByteArray> distinct;
    for (int i = 0; i < list.Count(); ++i) {
        SCOPED_TRACE(i);
        const TGfxBitmapListItem& item = *list.Items(i);
        const QByteArray stored = Written([&](QIODevice& s) { item.WriteData(s); });
        ASSERT_EQ(stored.size(), 2171);
        EXPECT_EQ(stored.left(5), Bytes({8}) + Int(2166));
        const TGfxBitmap& b = item.StoredBitmap();
        EXPECT_EQ(b.Width(), 64);
        EXPECT_EQ(b.Height(), 64);
        EXPECT_EQ(b.PixelFormat(), pf4bit);
        distinct.insert(stored);
    }
    EXPECT_EQ(distinct.size(), AboutPictureCount);

    // The file: header, five offsets, five items of 2171 bytes.
    const QByteArray file = Resource();
    EXPECT_EQ(file.size(), 9 + 4 + 5 * 4 + 5 * 2171);
    for (int i = 0; i < AboutPictureCount; ++i)
        EXPECT_EQ(IntAt(file, 13 + 4 * i), 33 + 2171 * i);
}

TEST(AboutPictures, TheCarriedFileIsTheGeneratorsOutput)
{
    TGfxBitmapList list;
    FillAboutPictureList(list);
    const QByteArray made = Written([&](QIODevice& s) { list.SaveToListFile(s); });
    EXPECT_EQ(made, Resource()) << "run build/tools/make_about_pictures resources/about/GfxBitmapList1.gfxlist";
}

}  // namespace
