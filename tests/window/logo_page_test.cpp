// The "Logo && Frame" page: the LMODE layout, the store and erase choices,
// the empty-slot flags, the logo register rows and the fades.
#include "logo_fixture.h"
#include "real_input.h"

#include "inputs_controller.h"
#include "look.h"
#include "regctl/scroll_bar.h"

#include <QAction>
#include <QFocusEvent>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace {

using G = LogosController::Group;

constexpr unsigned bit(G g)
{
    return 1u << unsigned(g);
}

struct ModeCase {
    uint32_t mode;
    int tab;  // -1: no tab selected
    bool erase;
    unsigned groups;
    bool store;
    int bevel;  // the separator bevels' height (shown at 65)
    bool lists;
    int storeItems;
};

const ModeCase kModes[] = {
    {0, 0, false, bit(G::U) | bit(G::F), false, 32, true, 8},
    {1, 2, false, bit(G::R) | bit(G::K) | bit(G::B), true, 65, false, 8},
    {2, 1, false, bit(G::P), true, 65, false, 8},
    {3, 0, false, 0, false, 32, false, 8},
    {4, -1, true, 0, false, 32, false, 10},
    {5, 0, false, 0, false, 32, false, 8},
};

class LogoPage : public LogoTest {
protected:
    QLineEdit* edit(const char* name) { return w().findChild<QLineEdit*>(QString::fromLatin1(name)); }
    ScrollBarEx* bar(const char* name) { return w().findChild<ScrollBarEx*>(QString::fromLatin1(name)); }
    void enter(QLineEdit* e, const QString& text)
    {
        e->setText(text);
        emit e->returnPressed();
    }
    bool shown(QWidget* widget) { return widget->isVisibleTo(w().logoFramePage); }
};

// Each mode, reached from use and from frame capture, lays the page out;
// leaving frame capture for another mode recalls the image settings.
TEST_F(LogoPage, ModeLaysThePageOut)
{
    for (const ModeCase& c : kModes) {
        for (const bool fromFrame : {false, true}) {
            SCOPED_TRACE(testing::Message() << "LMODE " << c.mode << (fromFrame ? " after frame capture" : ""));
            windows.reset();
            sent.clear();
            startConnected();
            reply(fromFrame ? "LMOD2" : "LMOD0");
            sent.clear();
            z().receive(QByteArray("LMOD") + QByteArray::number(c.mode) + "\r\n");

            EXPECT_EQ(sent.contains(QStringLiteral("1R")), fromFrame && c.mode != 2);
            EXPECT_EQ(logos().TabControl_logo->TabIndex(), c.tab);
            EXPECT_EQ(logos().SpeedButton_erase_mode->isChecked(), c.erase);
            for (int g = 0; g < LogosController::GroupCount; ++g) {
                for (QWidget* widget : logos().group(G(g)))
                    EXPECT_EQ(shown(widget), (c.groups & (1u << g)) != 0) << widget->objectName().toStdString();
            }
            EXPECT_EQ(shown(logos().new_SpeedButton_store), c.store);
            for (QFrame* b : {logos().new_Bevel10, logos().new_Bevel2}) {
                EXPECT_EQ(b->height(), c.bevel);
                EXPECT_EQ(shown(b), c.bevel == 65);
            }
            for (QComboBox* list : logos().assignment().new_Combologo) EXPECT_EQ(list->isEnabled(), c.lists);
            EXPECT_EQ(storeList()->count(), c.storeItems);
            EXPECT_EQ(shown(storeList()), c.mode == 4);
            // Logo capture takes the assignment away.
            EXPECT_EQ(logos().assignment().new_Panel1->isEnabled(), c.mode != 1);
        }
    }
}

// The frame-capture group shows the picture bars of the image page.
TEST_F(LogoPage, FrameCaptureShowsThePictureTwins)
{
    startConnected();
    reply("LMOD2");
    for (const char* name : {"new_ScrollBar_hpos_video", "new_Edit_hpos", "new_ScrollBar_vsiz_video", "new_Edit_vsize"})
        EXPECT_TRUE(shown(w().findChild<QWidget*>(QString::fromLatin1(name)))) << name;
    reply("LMOD0");
    EXPECT_FALSE(shown(w().findChild<QWidget*>(QStringLiteral("new_Edit_hpos"))));
}

// The operator's tabs, erase button and page change only write LMODE.
TEST_F(LogoPage, TabsEraseAndLeavingThePageWriteTheMode)
{
    startConnected();
    reply("LMOD0");
    logos().TabControl_logo->setCurrentIndex(1);
    logos().TabControl_logo->setCurrentIndex(2);
    logos().SpeedButton_erase_mode->click();
    EXPECT_EQ(sent, (QStringList{"2LM", "1LM", "4LM"}));
    // The button shows the device's mode, not the click.
    EXPECT_FALSE(logos().SpeedButton_erase_mode->isChecked());
    reply("LMOD4");
    ASSERT_EQ(logos().TabControl_logo->TabIndex(), -1);
    sent.clear();
    // From erase mode, the tab that was current ("Record logo") is a change
    // as well.
    emit logos().TabControl_logo->tabBarClicked(logos().TabControl_logo->currentIndex());
    logos().SpeedButton_erase_mode->click();  // up
    EXPECT_EQ(sent, (QStringList{"1LM", "0LM"}));

}

// Leaving the page by any gesture a person makes writes LMODE 0 once: a
// click on another tab, Ctrl+Tab and Ctrl+Shift+Tab from a control of the
// page, the arrows on the focused tab bar, the wheel over it. Each lands on
// the neighbouring page shown, never on the hidden "Voice over" page before
// it. A click on the page's own tab, or a gesture that leaves another page,
// writes nothing.
TEST_F(LogoPage, LeavingThePageByAnyGestureWritesUseMode)
{
    startConnected();
    reply("LMOD1");
    QTabWidget* pages = w().PageControl1;
    QTabBar* tabs = pages->tabBar();
    w().show();
    QApplication::setActiveWindow(&w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QLineEdit* onPage = edit("new_Edit_lhpos");  // shown while capturing a logo
    const int logo = pages->indexOf(w().logoFramePage);
    const int audio = pages->indexOf(w().audioPage);
    const int effects = pages->indexOf(w().effectsPage);
    ASSERT_FALSE(pages->isTabVisible(pages->indexOf(w().voiceOverPage)));  // between the audio page and this one
    struct Gesture {
        const char* name;
        QWidget* focus;  // where the keyboard is
        std::function<void()> act;
        int lands;
    };
    const Gesture gestures[] = {
        {"click on another tab", onPage,
         [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(audio).center()); }, audio},
        {"Ctrl+Tab", onPage, [&] { QTest::keyClick(onPage, Qt::Key_Tab, Qt::ControlModifier); }, effects},
        {"Ctrl+Shift+Tab", onPage,
         [&] { QTest::keyClick(onPage, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, audio},
        {"Right on the tab bar", tabs, [&] { QTest::keyClick(tabs, Qt::Key_Right); }, effects},
        {"Left on the tab bar", tabs, [&] { QTest::keyClick(tabs, Qt::Key_Left); }, audio},
        {"wheel down", tabs, [&] { zephtest::wheelNotch(tabs, -120); }, effects},
        {"wheel up", tabs, [&] { zephtest::wheelNotch(tabs, 120); }, audio},
    };
    for (const Gesture& g : gestures) {
        pages->setCurrentIndex(logo);
        g.focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), g.focus) << g.name;
        sent.clear();
        g.act();
        EXPECT_EQ(pages->currentIndex(), g.lands) << g.name;
        EXPECT_EQ(sent, QStringList{"0LM"}) << g.name;
    }

    // The page's own tab: no change, nothing written.
    pages->setCurrentIndex(logo);
    sent.clear();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(logo).center());
    EXPECT_EQ(pages->currentIndex(), logo);
    EXPECT_TRUE(sent.isEmpty());

    // Leaving another page writes nothing, by click or by key.
    pages->setCurrentIndex(audio);
    sent.clear();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_NE(pages->currentIndex(), logo);
    EXPECT_TRUE(sent.isEmpty());
}

// The model layout hiding the logo page in view is the program's change,
// not the operator leaving it; the page control still knows the page in
// view afterwards, so the next gesture writes nothing either.
TEST_F(LogoPage, ModelLayoutHidingThePageWritesNothing)
{
    startConnected();
    reply("DEV23");
    QTabWidget* pages = w().PageControl1;
    pages->setCurrentWidget(w().logoFramePage);
    sent.clear();
    reply("DEV26");  // no logo page on this model
    ASSERT_FALSE(pages->isTabVisible(pages->indexOf(w().logoFramePage)));
    EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
    QTest::keyClick(pages->currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(pages->currentWidget(), w().logoFramePage);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
}

// Storing a logo: the slot chosen in the list, then the store; a frame is
// stored at once.
TEST_F(LogoPage, StoreChoicesSendSlotThenStore)
{
    startConnected();
    reply("LMOD1");
    logos().new_SpeedButton_store->click();
    ASSERT_TRUE(shown(storeList()));
    EXPECT_EQ(storeList()->pos(), QPoint(227, logos().Panel1->y()));
    EXPECT_EQ(storeList()->currentIndex(), -1);
    choose(3);
    EXPECT_EQ(sent, (QStringList{"5LC", "1LS"}));
    EXPECT_FALSE(shown(storeList()));

    sent.clear();
    reply("LMOD2");
    logos().new_SpeedButton_store->click();
    EXPECT_EQ(sent, (QStringList{"1LC", "1LS"}));
}

// Erasing: "ALL erase" and the frame in front of the logos, a warning to
// confirm, and back to use mode when the operator does not go on.
TEST_F(LogoPage, EraseChoices)
{
    startConnected();
    reply("LMOD4");
    ASSERT_EQ(items(storeList()).mid(0, 3), (QStringList{"ALL erase", "Frame", "Logo 1"}));
    EXPECT_EQ(storeList()->pos(), QPoint(472, logos().Panel2->y()));
    prompts.onConfirm = [](const QString&) { return true; };
    choose(0);
    ASSERT_EQ(prompts.confirmations.size(), 1);
    EXPECT_EQ(prompts.confirmations[0].text, QStringLiteral("Confirm ALL erase"));
    EXPECT_EQ(prompts.confirmations[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(sent, (QStringList{"0LC", "1LS"}));
    EXPECT_EQ(storeList()->count(), 8);

    sent.clear();
    reply("LMOD4");
    prompts.onConfirm = [](const QString&) { return false; };
    choose(5);
    EXPECT_EQ(prompts.confirmations.back().text, QStringLiteral("Confirm erase Logo 4"));
    EXPECT_EQ(sent, QStringList{"0LM"});
    EXPECT_EQ(items(storeList()).front(), QStringLiteral("Logo 1"));

    sent.clear();
    reply("LMOD4");
    dismiss();
    EXPECT_EQ(sent, QStringList{"0LM"});
    EXPECT_EQ(storeList()->count(), 8);
    EXPECT_FALSE(shown(storeList()));
}

// A report during the erase question may lay the page out anew and take
// the two erase items away already: the logos' items stay.
TEST_F(LogoPage, EraseQuestionKeepsTheLogosWhenAReportCameMeanwhile)
{
    startConnected();
    reply("LMOD4");
    prompts.onConfirm = [this](const QString&) {
        reply("LMOD0");
        return true;
    };
    choose(2);
    EXPECT_EQ(items(storeList()), (QStringList{"Logo 1", "Logo 2", "Logo 3", "Logo 4", "Logo 5", "Logo 6", "Logo 7",
                                               "Logo 8"}));
    EXPECT_EQ(sent, (QStringList{"2LC", "1LS"}));

    reply("LMOD4");
    prompts.onConfirm = [this](const QString&) {
        reply("LMOD3");
        return false;
    };
    choose(1);
    EXPECT_EQ(storeList()->count(), 8);
    EXPECT_EQ(storeList()->itemText(0), QStringLiteral("Logo 1"));
}

struct EmptyCase {
    int current;
    QList<int> emptySlots;  // the slots reported empty
};

// LEMPTY is the flag of slot LCURRENT; with LCURRENT 0 it is every slot's,
// and above 9 it names no slot.
TEST_F(LogoPage, EmptyFlagsNameTheSlots)
{
    const EmptyCase cases[] = {{0, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {1, {1}}, {5, {5}}, {12, {}}};
    for (const EmptyCase& c : cases) {
        SCOPED_TRACE(c.current);
        windows.reset();
        startConnected();
        w().state.Logo_names[5] = QStringLiteral("Sunrise");
        logos().assignment().new_Combologo[2]->setCurrentIndex(4);
        z().receive(QByteArray("LCUR") + QByteArray::number(c.current) + "\r\nLEMP1\r\n");
        for (int s = 1; s <= 9; ++s) {
            const bool empty = c.emptySlots.contains(s);
            EXPECT_EQ(logos().slotEmpty(s), empty) << s;
            for (QComboBox* list : {logos().assignment().new_Combologo[0], logos().assignment().LINDEX2_Combologo[7]})
                EXPECT_EQ(list->itemText(s) == QLatin1String("Empty"), empty) << s;
            if (s >= 2) {
                EXPECT_EQ(storeList()->itemText(s - 2) == QLatin1String("Empty"), empty) << s;
            }
        }
        EXPECT_EQ(logos().assignment().new_Combologo[2]->currentIndex(), 4);
        // Reported full again, a slot shows its name.
        z().receive("LEMP0\r\n");
        if (c.emptySlots.contains(5)) {
            EXPECT_EQ(logos().assignment().new_Combologo[0]->itemText(5), QStringLiteral("Sunrise"));
            EXPECT_EQ(storeList()->itemText(3), QStringLiteral("Sunrise"));
        }
    }
}

// The logo edits show the raw register value and Enter sends what was
// typed, 0 to 255; anything else sends the stored value again.
TEST_F(LogoPage, LogoEditsAreRawBothWays)
{
    startConnected();
    reply("LHPO40");
    enter(edit("Edit_lhpos"), QStringLiteral("200"));
    enter(edit("new_Edit_lhpos"), QStringLiteral("0"));
    enter(edit("Edit_lhpos"), QStringLiteral("-1"));
    enter(edit("Edit_lhpos"), QStringLiteral("256"));
    enter(edit("new_Edit_luma_key"), QStringLiteral("255"));
    EXPECT_EQ(sent, (QStringList{"200Lh", "0Lh", "40Lh", "40Lh", "255LL"}));

    reply("LHPO200");
    EXPECT_EQ(edit("Edit_lhpos")->text(), QStringLiteral("200"));
    EXPECT_EQ(edit("new_Edit_lhpos")->text(), QStringLiteral("200"));
    EXPECT_EQ(bar("ScrollBar_hpos_logo")->value(), 200);
    reply("LHSZ0");
    EXPECT_EQ(edit("new_Edit_lhsiz")->text(), QStringLiteral("0"));
    EXPECT_EQ(bar("new_ScrollBar_hsiz_logo")->value(), 5);  // the bar's end
    reply("LBKC9");
    EXPECT_EQ(edit("Edit_black_logo")->text(), QStringLiteral("9"));
    EXPECT_EQ(bar("ScrollBar_black_logo")->value(), 7);
}

// Fade durations: the frame fade in seconds with an optional point, the
// logo fade in whole seconds 1 to 5.
TEST_F(LogoPage, FadeConversions)
{
    startConnected();
    QLineEdit* frame = edit("Edit_Frame_Fade_duration");
    QLineEdit* logo = edit("Edit_Logo_Fade_duration");
    enter(frame, QStringLiteral("1.5"));
    enter(frame, QStringLiteral("2"));
    enter(edit("Edit_Frame2_Fade_duration"), QStringLiteral("2.5"));
    reply("LLD75");
    enter(logo, QStringLiteral("3"));
    enter(logo, QStringLiteral("6"));
    EXPECT_EQ(sent, (QStringList{"15Lf", "20Lf", "25Lf", "135Ld", "75Ld"}));

    reply("LFD15");
    EXPECT_EQ(frame->text(), QLocale().toString(1.5));
    EXPECT_EQ(edit("Edit_Frame2_Fade_duration")->text(), frame->text());
    EXPECT_EQ(bar("ScrollBar_frame2_fade_duration")->value(), 15);
    reply("LFD20");
    EXPECT_EQ(frame->text(), QStringLiteral("2"));
    reply("LLD75");  // the answer to the value sent again
    EXPECT_EQ(logo->text(), QLocale().toString(1.5));
    reply("LLD255");
    EXPECT_EQ(logo->text(), QLocale().toString(5.1));
    EXPECT_EQ(bar("ScrollBar_Logo_Fade_duration")->value(), 255);

    // The floating panel's bar hides the panel at the end of a drag.
    logos().registers().Panel_fade_frame_duration->show();
    ScrollBarEx* floating = bar("ScrollBar_frame2_fade_duration");
    sent.clear();
    emit floating->scrolled(ScrollBarEx::ThumbTrack, 30);
    reply("LFD30");
    EXPECT_EQ(floating->value(), 20);  // being dragged
    emit floating->scrolled(ScrollBarEx::EndScroll, 31);
    EXPECT_EQ(sent, (QStringList{"30Lf", "31Lf"}));
    EXPECT_FALSE(logos().registers().Panel_fade_frame_duration->isVisibleTo(&w()));
}

// Whole seconds typed into the frame fade never overflow: a count of
// tenths a register holds is sent as it is, one beyond sends the stored
// value again. The locale's decimal comma, which the edit shows, reads as
// the point.
TEST_F(LogoPage, FrameFadeEntryNeverOverflows)
{
    startConnected();
    reply("LFD20");
    QLineEdit* frame = edit("Edit_Frame_Fade_duration");
    const struct {
        const char* typed;
        const char* sent;
    } cases[] = {
        {"300000000", "3000000000Lf"},  // beyond a signed 32-bit count of tenths
        {"429496729", "4294967290Lf"},
        {"500000000", "20Lf"},          // no register holds 5000000000: the stored value again
        {"2147483647", "20Lf"},
        {"-5", "20Lf"},                 // no count of seconds: the stored value again
        {"30000000.5", "300000005Lf"},
    };
    for (const auto& c : cases) {
        sent.clear();
        enter(frame, QString::fromLatin1(c.typed));
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(c.sent)}) << c.typed;
    }
    EXPECT_TRUE(prompts.messages.isEmpty());

    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    reply("LFD15");
    const QString shown = frame->text();
    sent.clear();
    enter(frame, shown);
    enter(edit("Edit_Frame2_Fade_duration"), QStringLiteral("2,5"));
    QLocale::setDefault(old);
    EXPECT_EQ(shown, QStringLiteral("1,5"));
    EXPECT_EQ(sent, (QStringList{"15Lf", "25Lf"}));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
}

// Choosing a slot for an input writes the input, the layer and the slot;
// the device's reports select it, in the cache and in the list, and the
// input button's hint follows.
TEST_F(LogoPage, AssignmentWritesAndReports)
{
    startConnected();
    reply("LMOD0");
    QComboBox* layer1 = logos().assignment().LINDEX2_Combologo[2];
    layer1->setCurrentIndex(5);
    emit layer1->activated(5);
    EXPECT_EQ(sent, (QStringList{"3PC", "1LI", "5LP"}));
    EXPECT_TRUE(w().label_input[2]->toolTip().endsWith(QStringLiteral("2: LOGO : Logo 4")));

    reply("PCH6");
    reply("LIND0");
    reply("LPLG1");
    EXPECT_EQ(logos().assignment().new_Combologo[5]->currentIndex(), 1);
    EXPECT_EQ(w().state.perInput.LPLOGO.at(6, 0), 1u);
    EXPECT_TRUE(w().label_input[5]->toolTip().startsWith(QStringLiteral("1: FRAME : Frame")));

    // The ON/OFF button sends the opposite of the reported display.
    sent.clear();
    reply("PCH2");
    reply("LDYS0");
    QPushButton* on = w().inputs().BitBtn_Input[1];
    EXPECT_EQ(on->text(), QStringLiteral("OFF"));
    on->click();
    reply("PCH2");
    reply("LDYS1");
    on->click();
    EXPECT_EQ(sent, (QStringList{"2PC", "1LD", "2PC", "0LD"}));
    EXPECT_EQ(on->text(), QStringLiteral("ON"));
}

// The lists of the input on the output are lit, its layer LINDEX money
// green; entering the other one of its lists selects that layer.
TEST_F(LogoPage, ListsOfTheInputOnTheOutputAreLit)
{
    startConnected();
    reply("CH3");
    reply("LIND1");
    const QColor face = classic::ButtonFace, window = classic::Window, green(192, 220, 192);
    const auto colour = [](QComboBox* c) { return c->palette().color(QPalette::Button); };
    EXPECT_EQ(colour(logos().assignment().new_Combologo[2]), window);
    EXPECT_EQ(colour(logos().assignment().LINDEX2_Combologo[2]), green);
    EXPECT_EQ(colour(logos().assignment().new_Combologo[0]), face);
    EXPECT_EQ(colour(logos().assignment().LINDEX2_Combologo[7]), face);

    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(logos().assignment().new_Combologo[0], &in);
    EXPECT_TRUE(sent.isEmpty());
    QCoreApplication::sendEvent(logos().assignment().new_Combologo[2], &in);
    EXPECT_EQ(colour(logos().assignment().new_Combologo[2]), green);
    EXPECT_EQ(sent, QStringList{"0LI"});
}

// In use mode the logo can be placed by mouse only when the input on the
// output shows a logo (not the frame) on the current layer.
TEST_F(LogoPage, MousePlacementNeedsALogoOnTheOutput)
{
    startConnected();
    QAction* item = w().logoPopup->actions().front();
    QToolButton* mouse = logos().BitBtn_mouse_menuitem_cadrelogo;
    for (const char* line : {"CH4", "LIND0", "PCH4", "LPLG1", "LMOD0"}) reply(line);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(mouse->isEnabled());
    EXPECT_FALSE(edit("Edit_lhpos")->isEnabled());
    reply("LPLG3");
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(mouse->isEnabled());
    EXPECT_TRUE(edit("Edit_lhpos")->isEnabled());
    item->trigger();
    EXPECT_TRUE(windows->Cadre_logo->isVisible());
    // The logo on layer 1 is none: the window goes.
    reply("LIND1");
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(windows->Cadre_logo->isVisible());
}

// The output format of the stored picture, by the switching mode.
TEST_F(LogoPage, StoredPictureFormat)
{
    startConnected();
    reply("LOFM9");
    EXPECT_EQ(logos().Label_outformat_logo->text(), QStringLiteral("DILA      75Hz  4/3"));
    reply("REFA3");
    reply("LOFM9");
    EXPECT_EQ(logos().Label_outformat_logo->text(), QStringLiteral("1365x1024 L"));
    reply("LOFM16");
    EXPECT_EQ(logos().Label_outformat_logo->text(), QStringLiteral("1365x1024 L"));
}

// A burst of the page's reports writes nothing.
TEST_F(LogoPage, BurstOfReportsWritesNothing)
{
    startConnected();
    QByteArray burst;
    for (const char* line : {"LMOD3", "LMOD0", "LMOD1", "LMOD4", "LMOD0", "LHPO10", "LVPO20", "LHSZ30", "LVSZ40",
                             "LLEV50", "LBKC3", "LFD25", "LLD135", "LCUR0", "LEMP1", "LCUR3", "LEMP0", "LPIX720",
                             "LLIN576", "LSTA3", "LOFM4", "LIND1", "LSTO0", "CH2", "LIND0", "PCH2", "LPLG4",
                             "LIND1", "LPLG3", "LDYS0", "PCH0", "LDYS1"})
        burst += QByteArray(line) + "\r\n";
    z().receive(burst);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

}  // namespace
