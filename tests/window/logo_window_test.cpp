// The logo position window: what it draws from the registers, the mouse's
// hit tests and cursors, and the values it sends paced by the device.
#include "logo_fixture.h"

#include <QPainter>

namespace {

using Shift = TCadre_logo::TShiftState;
const Shift Left{Qt::LeftButton, Qt::NoModifier};
const Shift Hover{Qt::NoButton, Qt::NoModifier};

struct GeometryCase {
    uint32_t mode, hsiz, vsiz, famm, asp;
    QSize area;
    bool bars;
    QRect top, bottom;  // as corners, right and bottom excluded
};

QRect corners(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1)).normalized();
}

TEST(LogoWindowGeometry, AreaAndBars)
{
    const GeometryCase cases[] = {
        {1, 80, 40, 0, 0, {257, 257}, false, {}, {}},
        {1, 80, 40, 24, 0, {257, 257}, true, corners(0, 0, 257, 33), corners(0, 224, 257, 257)},
        {2, 80, 40, 19, 2, {257, 257}, true, corners(0, 0, 257, 33), corners(0, 224, 257, 257)},
        {1, 80, 40, 19, 1, {257, 257}, false, {}, {}},
        {1, 80, 40, 23, 2, {257, 257}, false, {}, {}},
        {0, 128, 128, 25, 0, {385, 385}, true, corners(0, 0, 385, 48), corners(0, 335, 385, 383)},
        {0, 0, 0, 24, 0, {257, 257}, true, corners(0, 0, 257, 32), corners(0, 223, 257, 255)},
        {0, 128, 128, 0, 0, {385, 385}, false, {}, {}},
        // Sizes beyond a byte are drawn as 255: no window of 100k pixels.
        {0, 100000, 70000, 0, 0, {512, 512}, false, {}, {}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.hsiz << "x" << c.vsiz << " " << c.famm << "/" << c.asp);
        const TCadre_logo::Geometry g = TCadre_logo::layout(c.mode, 10, 20, c.hsiz, c.vsiz, c.famm, c.asp);
        EXPECT_EQ(g.area, c.area);
        EXPECT_EQ(g.bars, c.bars);
        if (c.bars) {
            EXPECT_EQ(g.topBar, c.top);
            EXPECT_EQ(g.bottomBar, c.bottom);
        }
    }
    EXPECT_EQ(TCadre_logo::layout(1, 10, 20, 80, 40, 0, 0).logo, corners(10, 20, 90, 60));
}

class LogoWindow : public LogoTest {
protected:
    TCadre_logo& cadre() { return *windows->Cadre_logo; }
    void move(int x, int y, Shift s = Left) { cadre().PaintBox1MouseMove(cadre().PaintBox1, s, x, y); }
    Qt::CursorShape cursor() { return cadre().PaintBox1->cursor().shape(); }
    // The device's echo of everything sent since the last call.
    void echo()
    {
        const QStringList texts = sent;
        sent.clear();
        for (const QString& t : texts) {
            static const QHash<QString, QByteArray> replies = {
                {"Lh", "LHPO"}, {"Lv", "LVPO"}, {"LH", "LHSZ"}, {"LV", "LVSZ"}};
            const QString code = t.right(2);
            reply((replies.value(code) + t.chopped(2).toLatin1()).constData());
        }
    }
    void logoAt(const char* mode)
    {
        for (const char* line : {mode, "LHPO50", "LVPO60", "LHSZ80", "LVSZ40"}) reply(line);
    }
};

// The window sizes itself to the drawing area, and keeps to 255 when a
// reply asks for more.
TEST_F(LogoWindow, SizesItselfToTheArea)
{
    startConnected();
    logoAt("LMOD0");
    cadre().show();
    EXPECT_EQ(cadre().PaintBox1->size(), QSize(337, 297));
    reply("LHSZ100000");
    cadre().PaintBox1Paint();
    QCoreApplication::processEvents();
    EXPECT_EQ(cadre().PaintBox1->size(), QSize(512, 297));
    EXPECT_EQ(cadre().size(), QSize(512, 297));
    EXPECT_EQ(z().LHSIZ(), 100000u);

    // The logo drawn with a thick outline over the white area, the bars
    // hatched.
    reply("LHSZ80");
    reply("IFA24");
    cadre().PaintBox1Paint();
    const QImage shot = cadre().PaintBox1->grab().toImage();
    EXPECT_EQ(shot.pixelColor(50, 80), QColor(Qt::black));   // the logo's left edge
    EXPECT_EQ(shot.pixelColor(70, 80), QColor(Qt::white));   // inside the logo
    EXPECT_EQ(shot.pixelColor(200, 150), QColor(Qt::white)); // the picture
    int dark = 0;
    for (int x = 100; x < 140; ++x) dark += shot.pixelColor(x, 10) == QColor(Qt::black);
    EXPECT_GE(dark, 3);  // the hatch of the top bar
    EXPECT_LT(dark, 35);
}

struct HitCase {
    int x, y;
    Qt::CursorShape capture;  // LMODE 1
    Qt::CursorShape use;      // LMODE 0
};

// Logo at (50, 60), 80 x 40: three-quarter lines at x 110 and y 90.
TEST_F(LogoWindow, HitTestsAndCursors)
{
    const HitCase cases[] = {
        {53, 63, Qt::SizeAllCursor, Qt::SizeAllCursor},          // the corner
        {51, 70, Qt::PointingHandCursor, Qt::PointingHandCursor},  // inside
        {50, 70, Qt::ArrowCursor, Qt::ArrowCursor},              // the left edge is not inside
        {120, 70, Qt::SizeHorCursor, Qt::ArrowCursor},           // the right band
        {80, 95, Qt::SizeVerCursor, Qt::ArrowCursor},            // the bottom band
        {120, 95, Qt::ArrowCursor, Qt::ArrowCursor},
        {200, 200, Qt::ArrowCursor, Qt::ArrowCursor},
    };
    startConnected();
    for (const char* mode : {"LMOD1", "LMOD0"}) {
        logoAt(mode);
        for (const HitCase& c : cases) {
            cadre().PaintBox1MouseUp(cadre().PaintBox1, Qt::LeftButton, Hover, c.x, c.y);
            move(c.x, c.y, Hover);
            EXPECT_EQ(cursor(), mode[4] == '1' ? c.capture : c.use) << mode << " " << c.x << "," << c.y;
        }
    }
    EXPECT_TRUE(sent.isEmpty());  // hovering sends nothing

    // Only a left press inside grabs the logo.
    cadre().PaintBox1MouseDown(cadre().PaintBox1, Qt::LeftButton, Left, 50, 70);
    EXPECT_FALSE(cadre().moveMode);
    cadre().PaintBox1MouseDown(cadre().PaintBox1, Qt::LeftButton, {Qt::LeftButton, Qt::ShiftModifier}, 51, 70);
    EXPECT_FALSE(cadre().moveMode);
    cadre().PaintBox1MouseDown(cadre().PaintBox1, Qt::LeftButton, Left, 51, 70);
    EXPECT_TRUE(cadre().moveMode);
    EXPECT_EQ(cadre().grabX, 1);
    EXPECT_EQ(cadre().grabY, 10);
    // A drag keeps the grab point: the corner goes where the pointer takes
    // it.
    move(61, 75);
    EXPECT_EQ(sent, (QStringList{"60Lh", "65Lv"}));
}

// Ten moves before the first report: the first value at once, then the
// device's reports take entries 0, 5, 8 and 9, the newest last.
TEST_F(LogoWindow, PositionsArePacedByTheReports)
{
    startConnected();
    logoAt("LMOD0");
    cadre().show();
    for (int i = 0; i < 10; ++i) move(200 + i, 150 + i);
    EXPECT_EQ(sent, (QStringList{"200Lh", "150Lv"}));
    QStringList all;
    for (int report = 0; report < 6 && !sent.isEmpty(); ++report) {
        all << sent;
        echo();
    }
    EXPECT_EQ(all, (QStringList{"200Lh", "150Lv", "200Lh", "150Lv", "205Lh", "155Lv", "208Lh", "158Lv", "209Lh",
                                "159Lv"}));
    EXPECT_EQ(cadre().positionCount, 0u);

    // A full queue takes no more moves until it drains.
    move(10, 10);
    sent.clear();
    for (uint32_t i = 1; i < TCadre_logo::QueueSize + 5; ++i) move(10 + int(i % 100), 10);
    EXPECT_EQ(cadre().positionCount, TCadre_logo::QueueSize);
    EXPECT_TRUE(sent.isEmpty());
}

// In logo capture a drag in the right band sizes the logo, one value per
// two reports, and no position goes out meanwhile.
TEST_F(LogoWindow, SizesAreSentOneAtATime)
{
    startConnected();
    logoAt("LMOD1");
    cadre().show();
    move(120, 70);
    EXPECT_EQ(sent, QStringList{"70LH"});
    EXPECT_TRUE(cadre().resizingH);
    move(125, 70);  // waits for the device
    move(130, 70);
    EXPECT_EQ(sent, QStringList{"70LH"});
    echo();  // the first report sends entry 0 again
    EXPECT_EQ(sent, QStringList{"70LH"});
    echo();
    EXPECT_TRUE(sent.isEmpty());
    move(140, 70);
    EXPECT_EQ(sent, QStringList{"90LH"});
    cadre().PaintBox1MouseUp(cadre().PaintBox1, Qt::LeftButton, Hover, 140, 70);
    EXPECT_FALSE(cadre().resizingH);
}

// The logo page places the logo by mouse only where it can be placed.
TEST_F(LogoWindow, MousePlacementFollowsTheMode)
{
    startConnected();
    reply("LMOD1");
    QToolButton* mouse = logos().BitBtn_mouse_menuitem_cadrelogo;
    EXPECT_TRUE(mouse->isEnabled());
    mouse->click();
    EXPECT_TRUE(cadre().isVisible());
    reply("LMOD2");
    EXPECT_FALSE(cadre().isVisible());
    EXPECT_FALSE(mouse->isVisibleTo(w().logoFramePage));
    reply("LMOD0");  // no logo on the input shown
    EXPECT_TRUE(mouse->isVisibleTo(w().logoFramePage));
    EXPECT_FALSE(mouse->isEnabled());
}

}  // namespace
