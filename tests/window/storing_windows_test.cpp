// The HD15 pin-assignment window and the About box.
#include "window_fixture.h"

#include "gfx_bitmaplist.h"
#include "gfx_technicalline.h"
#include "platform/gfx_exceptions.h"

#include <QLabel>
#include <QSet>
#include <QTableWidget>

namespace {

TEST_F(WindowTest, Hd15GridTexts)
{
    start();
    TForm_HD15_PIN_ASSIGNEMENT& hd15 = *windows->Form_HD15_PIN_ASSIGNEMENT;
    const QStringList header{"PIN#", "Computer(RGBHV...)", "RGB/S video", "COMPONENT(YUV)", "S.VIDEO(Y/C)", "COMPOSITE"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(hd15.Cells(c, 0), header[c]);
    struct Row {
        int pin;
        QStringList cells;
    };
    const Row rows[] = {
        {1, {"1", "RED", "RED", "U or Pr(R-Y)", "C(chrominance)", ""}},
        {2, {"2", "GREEN", "GREEN", "Y", "Y(luminance)", "NTSC, PAL..."}},
        {4, {"4", "", "", "", "", ""}},
        {7, {"7", "GREEN return", "GREEN return", "Y return", "Y return", "return"}},
        {10, {"10", "GND", "GND", "", "", ""}},
        {13, {"13", "H sync. or C sync.", "C sync. (S)", "", "", ""}},
        {14, {"14", "V sync.", "", "", "", ""}},
        {15, {"15", "", "", "", "", ""}},
    };
    for (const Row& r : rows)
        for (int c = 0; c < 6; ++c) EXPECT_EQ(hd15.Cells(c, r.pin), r.cells[c]) << r.pin << "," << c;
    EXPECT_EQ(hd15.StringGrid1->rowCount(), 15);  // the header is no row: it cannot be chosen
    EXPECT_EQ(hd15.StringGrid1->columnWidth(0), 37);
    EXPECT_EQ(hd15.StringGrid1->columnWidth(5), 104);
    EXPECT_EQ(hd15.StringGrid1->geometry(), QRect(0, 84, 566, 275));
}

// Choosing any cell of a pin's row puts the marker's red dot on that pin.
TEST_F(WindowTest, Hd15MarkerForEachPin)
{
    start();
    TForm_HD15_PIN_ASSIGNEMENT& hd15 = *windows->Form_HD15_PIN_ASSIGNEMENT;
    TGfxTechnicalLine* marker = hd15.GfxTechnicalLine1;
    EXPECT_FALSE(marker->isVisibleTo(&hd15));
    const QPoint expected[15] = {{267, 29}, {258, 29}, {250, 29}, {242, 29}, {233, 29}, {271, 36}, {263, 36}, {255, 36},
                                 {246, 36}, {238, 36}, {267, 44}, {259, 44}, {250, 44}, {242, 44}, {234, 44}};
    for (int pin = 1; pin <= 15; ++pin) {
        hd15.StringGrid1->setCurrentCell(pin - 1, pin % 6);
        EXPECT_TRUE(marker->isVisibleTo(&hd15));
        EXPECT_EQ(marker->pos(), expected[pin - 1]) << pin;
    }
    // Row 13 whatever the column.
    hd15.StringGrid1->setCurrentCell(12, 0);
    EXPECT_EQ(marker->pos(), QPoint(250, 44));

    // Only the red dot in the top right corner shows: the line is clear.
    EXPECT_EQ(marker->size(), QSize(25, 29));
    const QImage with = hd15.grab().toImage();
    // (A hidden window's controls hear of their size when first laid out.)
    EXPECT_EQ(marker->EndSignBox(), (TRect{17, 1, 24, 8}));
    marker->hide();
    const QImage without = hd15.grab().toImage();
    marker->show();
    const QPoint at = marker->pos();
    EXPECT_EQ(with.pixelColor(at + QPoint(20, 4)), QColor(Qt::red));
    const QRect dot(at + QPoint(17, 1), QSize(7, 7));
    int changedOutsideTheDot = 0;
    for (int y = at.y(); y < at.y() + 29; ++y)
        for (int x = at.x(); x < at.x() + 25; ++x)
            if (with.pixel(x, y) != without.pixel(x, y) && !dot.contains(x, y)) ++changedOutsideTheDot;
    EXPECT_EQ(changedOutsideTheDot, 0);
}

// Five pictures of 64 x 64 in 16 colours, one per model, stepped through
// by the list's index.
TEST_F(WindowTest, AboutPicturesAndVersion)
{
    start();
    TAbout_zeph_350& about = *windows->About_zeph_350;
    TGfxBitmapList& list = *about.GfxBitmapList1;
    ASSERT_EQ(list.Count(), 5);
    QSet<QByteArray> distinct;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Items(i)->Bitmap()->BitsPerPixel(), 4);
        const QImage p = list.Items(i)->Bitmap()->ToImage();
        EXPECT_EQ(p.size(), QSize(64, 64));
        distinct.insert(QByteArray(reinterpret_cast<const char*>(p.constBits()), p.sizeInBytes()));
        about.ShowPicture(i);
        EXPECT_EQ(about.Image1->pixmap().toImage(), p.convertToFormat(about.Image1->pixmap().toImage().format()));
    }
    EXPECT_EQ(distinct.size(), 5);
    EXPECT_THROW(list.SetListIndex(5), EInvalidGraphicOperation);
    EXPECT_EQ(list.ListIndex(), 4);

    about.ShowProgramVersion();
    EXPECT_EQ(about.Label_version->text(), QStringLiteral("Version : ") + QStringLiteral(ZEPH_TEST_PROJECT_VERSION));
}

}  // namespace
