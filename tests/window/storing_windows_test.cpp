// The HD15 pin-assignment window, the About box, and Escape in every
// companion window.
#include "window_fixture.h"

#include "logos_controller.h"
#include "standby_dialog.h"
#include "waitstoring.h"

#include "gfx_bitmaplist.h"
#include "gfx_technicalline.h"
#include "platform/gfx_exceptions.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSet>
#include <QTableWidget>

namespace {

// Escape as a person types it: to the widget that has the keyboard in the
// window, shown and active.
void typeEscape(QWidget* window, QWidget* into = nullptr)
{
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    if (into) into->setFocus();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && window->isAncestorOf(target) ? target : window, Qt::Key_Escape);
}

// A window built before its content: its name, title and fixed size, and
// nothing inside it yet.
void expectEmptyFixedWindow(QWidget& w, const char* name, const char* title, QSize size)
{
    EXPECT_EQ(w.objectName(), QString::fromLatin1(name));
    EXPECT_EQ(w.windowTitle(), QString::fromLatin1(title));
    EXPECT_EQ(w.minimumSize(), size);
    EXPECT_EQ(w.maximumSize(), size);
    EXPECT_TRUE(w.findChildren<QObject*>().isEmpty()) << name;
}

// A window closes on Escape only where a Cancel or close button of its own
// does the same; the progress and wait windows, the service console and
// the button-less windows stay.
TEST_F(WindowTest, EscapeClosesOnlyWindowsWithACancelOrCloseButton)
{
    start();
    windows->Form_debug->ensureContent();  // its command box, before it is first shown
    struct Case {
        const char* name;
        QWidget* window;
        QWidget* focus;
        bool closes;
    };
    const Case cases[] = {
        {"storing progress", windows->status.get(), nullptr, false},
        {"wait storing", windows->Form_wait_storing_settings.get(), nullptr, false},
        {"service console", windows->Form_debug.get(), nullptr, false},
        {"service console, command box", windows->Form_debug.get(), windows->Form_debug->Memo_env, false},
        {"logo position", windows->Cadre_logo.get(), nullptr, false},
        {"HD15", windows->Form_HD15_PIN_ASSIGNEMENT.get(), nullptr, false},
        {"About (OK closes)", windows->About_zeph_350.get(), nullptr, true},
        {"LAN setup (Cancel)", windows->IPConfigDlg.get(), nullptr, true},
        {"LAN status (Cancel)", windows->Rs232LanDlg.get(), nullptr, true},
        {"stand-by message (Cancel)", windows->Form_register_code_standby_projector.get(), nullptr, true},
    };
    for (const Case& c : cases) {
        typeEscape(c.window, c.focus);
        EXPECT_EQ(!c.window->isVisible(), c.closes) << c.name;
        c.window->hide();
    }
    // Escape in the LAN dialogs is their Cancel: nothing is applied.
    windows->IPConfigDlg->Accepted = 1;
    typeEscape(windows->IPConfigDlg.get());
    EXPECT_EQ(windows->IPConfigDlg->Accepted, 0);
}

// The end of an erase ends in use mode also when the storing window was
// closed meanwhile (by the window manager, say): the device's report is
// what counts, not the window.
TEST_F(WindowTest, EraseEndsInUseModeWhateverBecameOfTheStoringWindow)
{
    start();
    connect();
    QStringList sent;
    z().setHandler(TZEPH350_d::Event::OnSentString, [&sent](TZEPH350_d* s, int) { sent << s->sentString; });
    reply("LMOD4");
    reply("LSTO1");
    ASSERT_TRUE(windows->status->isVisible());
    typeEscape(windows->status.get());
    EXPECT_TRUE(windows->status->isVisible());
    windows->status->close();
    sent.clear();
    reply("LSTO0");
    EXPECT_EQ(sent, QStringList{"0LM"});
    EXPECT_EQ(w().logos().new_SpeedButton_store->text(), QStringLiteral("STORE"));

    // The register dump's LSTORE false, with no store seen begin, writes
    // nothing.
    sent.clear();
    reply("LSTO0");
    EXPECT_TRUE(sent.isEmpty());
}

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

// The windows the operator does not see at the start are there with their
// names and titles, but build their controls only when first shown.
TEST_F(WindowTest, HiddenWindowsBuildTheirControlsAtTheFirstShow)
{
    start();
    const struct {
        QWidget* window;
        const char* name;
        const char* title;
    } cases[] = {
        {windows->About_zeph_350.get(), "About_zeph_350", "about Zeph-Cedar remote control"},
        {windows->IPConfigDlg.get(), "IPConfigDlg", "LAN Setup"},
        {windows->Rs232LanDlg.get(), "Rs232LanDlg", "ZEPH LAN Status"},
        {windows->Form_register_code_standby_projector.get(), "Form_register_code_standby_projector",
         "Register code stand-by projector"},
        {windows->Form_HD15_PIN_ASSIGNEMENT.get(), "Form_HD15_PIN_ASSIGNEMENT", "HD15 PIN ASSIGNMENT (INPUT #1 to #4)"},
    };
    QApplication::processEvents();
    for (const auto& c : cases) {
        EXPECT_EQ(c.window->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(c.window->windowTitle(), QString::fromLatin1(c.title)) << c.name;
        EXPECT_TRUE(c.window->findChildren<QWidget*>().isEmpty()) << c.name;
    }
    for (const auto& c : cases) {
        c.window->show();
        EXPECT_FALSE(c.window->findChildren<QWidget*>().isEmpty()) << c.name;
        c.window->hide();
    }
}

// The window is there from the start with its name, title and size, and
// takes the model's title while hidden; its content is built by the first
// show, with the texts and places it always had.
TEST_F(WindowTest, Hd15ContentWaitsForTheFirstShow)
{
    start();
    TForm_HD15_PIN_ASSIGNEMENT& hd15 = *windows->Form_HD15_PIN_ASSIGNEMENT;
    expectEmptyFixedWindow(hd15, "Form_HD15_PIN_ASSIGNEMENT", "HD15 PIN ASSIGNMENT (INPUT #1 to #4)", QSize(566, 359));

    connect();
    reply("DEV18");
    QApplication::processEvents();
    EXPECT_EQ(hd15.windowTitle(), QStringLiteral("HD15 PIN ASSIGNMENT (INPUT #1 to #8)"));
    EXPECT_TRUE(hd15.findChildren<QWidget*>().isEmpty()) << "the model's title builds nothing";
    EXPECT_EQ(hd15.StringGrid1, nullptr);

    action("HD15Pinassignment1")->trigger();
    ASSERT_TRUE(hd15.isVisible());
    EXPECT_EQ(hd15.windowTitle(), QStringLiteral("HD15 PIN ASSIGNMENT (INPUT #1 to #8)"));
    EXPECT_EQ(hd15.size(), QSize(566, 359));
    ASSERT_NE(hd15.StringGrid1, nullptr);
    EXPECT_EQ(hd15.findChild<QTableWidget*>(), hd15.StringGrid1);
    EXPECT_TRUE(hd15.StringGrid1->isVisible());
    EXPECT_EQ(hd15.StringGrid1->geometry(), QRect(0, 84, 566, 275));
    EXPECT_EQ(hd15.StringGrid1->rowCount(), 15);
    EXPECT_EQ(hd15.StringGrid1->horizontalHeaderItem(1)->text(), QStringLiteral("Computer(RGBHV...)"));
    EXPECT_EQ(hd15.StringGrid1->item(12, 1)->text(), QStringLiteral("H sync. or C sync."));
    EXPECT_EQ(hd15.Image1->geometry(), QRect(192, 0, 153, 81));
    EXPECT_FALSE(hd15.Image1->pixmap().isNull());
    EXPECT_EQ(hd15.Label1->text(), QStringLiteral("HD15 Female\nConnector"));
    EXPECT_FALSE(hd15.GfxTechnicalLine1->isVisibleTo(&hd15));
}

// Built at the first show, the window shows the same pixels as one whose
// content was built with it: before a pin is chosen, and with the marker.
TEST_F(WindowTest, Hd15BuiltAtShowLooksAsBuiltWithTheWindow)
{
    start();
    TForm_HD15_PIN_ASSIGNEMENT& lazy = *windows->Form_HD15_PIN_ASSIGNEMENT;
    TForm_HD15_PIN_ASSIGNEMENT eager;
    eager.ensureContent();
    const QString title = QStringLiteral("HD15 PIN ASSIGNMENT (INPUT #1 to #8)");
    eager.setWindowTitle(title);
    lazy.setWindowTitle(title);
    const auto shown = [](TForm_HD15_PIN_ASSIGNEMENT& w, int pinRow) {
        w.show();
        if (pinRow >= 0) w.StringGrid1->setCurrentCell(pinRow, 2);
        QApplication::processEvents();
        QImage image = w.grab().toImage();
        w.hide();
        return image;
    };
    const QImage eagerFirst = shown(eager, -1);
    const QImage lazyFirst = shown(lazy, -1);
    ASSERT_EQ(lazyFirst.size(), QSize(566, 359));
    EXPECT_TRUE(lazyFirst == eagerFirst);
    const QImage eagerPin = shown(eager, 4);
    const QImage lazyPin = shown(lazy, 4);
    EXPECT_TRUE(lazyPin == eagerPin);
    EXPECT_FALSE(lazyPin == lazyFirst) << "the marker shows";
    for (int r = 0; r < TForm_HD15_PIN_ASSIGNEMENT::RowCount; ++r)
        for (int c = 0; c < TForm_HD15_PIN_ASSIGNEMENT::ColCount; ++c) EXPECT_EQ(lazy.Cells(c, r), eager.Cells(c, r));
}

// Choosing any cell of a pin's row puts the marker's red dot on that pin.
TEST_F(WindowTest, Hd15MarkerForEachPin)
{
    start();
    TForm_HD15_PIN_ASSIGNEMENT& hd15 = *windows->Form_HD15_PIN_ASSIGNEMENT;
    hd15.ensureContent();
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

// The About box is there from the start with its name, title and size;
// the picture the model layout or a lost link chooses meanwhile is kept,
// and the content built by the first show has it, with the version values
// as the box always started.
TEST_F(WindowTest, AboutContentWaitsForTheFirstShow)
{
    start();
    TAbout_zeph_350& about = *windows->About_zeph_350;
    expectEmptyFixedWindow(about, "About_zeph_350", "about Zeph-Cedar remote control", QSize(289, 289));

    link().Timer1Timer();  // no device: the pictures take turns
    link().Timer1Timer();
    EXPECT_EQ(about.ShownPicture(), 1);
    connect();
    reply("DEV23");
    QApplication::processEvents();
    EXPECT_EQ(about.ShownPicture(), 3);
    EXPECT_TRUE(about.findChildren<QObject*>().isEmpty()) << "choosing a picture builds nothing";
    EXPECT_EQ(about.Image1, nullptr);

    QString version, device;
    QImage picture;
    prompts.dialogScript = [&](QDialog* d) {
        if (d != &about) return;
        version = about.Label_version->text();
        device = about.label_verupd->text() + "|" + about.label_k->text() + "|" + about.label_opt->text();
        picture = about.Image1->pixmap().toImage();
        EXPECT_EQ(about.Image1->geometry(), QRect(8, 8, 64, 64));
    };
    action("AboutZEPH1")->trigger();
    EXPECT_EQ(version, QStringLiteral("Version : ") + QStringLiteral(ZEPH_TEST_PROJECT_VERSION));
    EXPECT_EQ(device, QStringLiteral("Version : ?.?|K =|OPT ="));
    ASSERT_NE(about.GfxBitmapList1, nullptr);
    EXPECT_EQ(about.ShownPicture(), 3);
    EXPECT_EQ(about.GfxBitmapList1->ListIndex(), 3);
    const QImage third = about.GfxBitmapList1->Items(3)->Bitmap()->ToImage();
    EXPECT_EQ(picture, third.convertToFormat(picture.format()));
}

// A picture chosen before the box was built shows as one chosen after.
TEST_F(WindowTest, AboutBuiltAtShowLooksAsBuiltWithTheBox)
{
    start();
    TAbout_zeph_350& lazy = *windows->About_zeph_350;
    TAbout_zeph_350 eager;
    eager.ensureContent();
    eager.ShowPicture(2);
    lazy.ShowPicture(2);
    const auto shown = [](QWidget& w) {
        w.show();
        QApplication::processEvents();
        QImage image = w.grab().toImage();
        w.hide();
        return image;
    };
    const QImage eagerImage = shown(eager);
    const QImage lazyImage = shown(lazy);
    ASSERT_EQ(lazyImage.size(), QSize(289, 289));
    EXPECT_TRUE(lazyImage == eagerImage);
    EXPECT_EQ(lazy.Image1->geometry(), QRect(8, 8, 64, 64));
}

// Five pictures of 64 x 64 in 16 colours, one per model, stepped through
// by the list's index.
TEST_F(WindowTest, AboutPicturesAndVersion)
{
    start();
    TAbout_zeph_350& about = *windows->About_zeph_350;
    about.ensureContent();
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
