// The effects family: effect buttons, fade duration, title shadow and the
// title's reference input, the transition type with its label, popups and
// colour dialog, and the switches of the menus.
#include "window_fixture.h"

#include "effects_controller.h"
#include "gfx_drawedge.h"
#include "gfx_graphiclabel.h"
#include "platform/gfx_platform.h"
#include "regctl/scroll_bar.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QLabel>
#include <QGroupBox>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

using Ev = TZEPH350_d::Event;

namespace {

class EffectsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        w().show();
        connect();
        z().setHandler(Ev::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
    }
    EffectsController& fx() { return w().effects(); }
    template <class T = QWidget>
    T* find(const char* name)
    {
        return w().findChild<T*>(QString::fromLatin1(name));
    }
    QStringList sent;
};

// The locale in force while a case runs; the one before comes back after.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(old_); }

private:
    QLocale old_;
};

// The items of `names` that are checked, in the order given.
QStringList checkedAmong(const QWidget& w, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names) {
        auto* a = w.findChild<QAction*>(n);
        EXPECT_NE(a, nullptr) << n.toStdString();
        if (a && a->isChecked()) out << n;
    }
    return out;
}

}  // namespace

// EFFAV enables and disables every effect control together; the transition
// label does not depend on it.
TEST_F(EffectsTest, EffavEnablesTheEffectControls)
{
    const char* const controls[] = {
        "StaticText_effect", "SpeedButton_cut", "SpeedButton_fade", "SpeedButton_title", "GroupBox_Shadow_title",
        "RadioButton_off", "RadioButton_on", "Label_fade_duration", "ScrollBar_faddur", "Edit_FDUR",
        "Label_title_vertical_position", "ScrollBar_title_vertical_position", "Edit_title_vertical_position",
        "Label_title_vertical_size", "ScrollBar_title_vertical_size", "Edit_title_vertical_size"};
    for (const char* line : {"EFFA0", "EFFA1", "EFFA0"}) {
        reply(line);
        const bool on = line[4] == '1';
        for (const char* name : controls) {
            QWidget* c = find(name);
            ASSERT_NE(c, nullptr) << name;
            EXPECT_EQ(c->isEnabled(), on) << name << " after " << line;
        }
        EXPECT_TRUE(fx().transition().GfxGraphicLabel1->isEnabled());
    }
}

// EFFOUT puts one effect button down (the others up); "Take" may go all up
// for titles only; other values change nothing.
TEST_F(EffectsTest, EffoutPutsItsButtonDown)
{
    struct Case {
        const char* line;
        bool cut, fade, title, takeAllUp;
    };
    const Case cases[] = {
        {"EFFO1", false, true, false, false}, {"EFFO2", false, false, true, true},
        {"EFFO7", false, false, true, true},  {"EFFO0", true, false, false, false},
    };
    for (const Case& c : cases) {
        reply(c.line);
        EXPECT_EQ(fx().SpeedButton_cut->isChecked(), c.cut) << c.line;
        EXPECT_EQ(fx().SpeedButton_fade->isChecked(), c.fade) << c.line;
        EXPECT_EQ(fx().SpeedButton_title->isChecked(), c.title) << c.line;
        EXPECT_EQ(fx().effectButtons.allowAllUp(fx().SpeedButton_take), c.takeAllUp) << c.line;
    }
    EXPECT_TRUE(sent.isEmpty());
}

// The operator's click writes EFFOUT; the button goes down at once, and a
// second click on the down button lets it up (all up allowed) and writes
// the same value again; the device's echo puts it back down.
TEST_F(EffectsTest, EffectButtonClicksWriteEffout)
{
    reply("EFFA1");
    fx().SpeedButton_cut->show();
    fx().SpeedButton_fade->show();
    fx().SpeedButton_title->show();
    reply("EFFO0");
    QTest::mouseClick(fx().SpeedButton_title, Qt::LeftButton);
    EXPECT_EQ(sent, QStringList{"2tE"});
    EXPECT_TRUE(fx().SpeedButton_title->isChecked());
    EXPECT_FALSE(fx().SpeedButton_cut->isChecked());
    reply("EFFO2");
    QTest::mouseClick(fx().SpeedButton_title, Qt::LeftButton);
    EXPECT_EQ(sent, (QStringList{"2tE", "2tE"}));
    EXPECT_FALSE(fx().SpeedButton_title->isChecked());
    reply("EFFO2");
    EXPECT_TRUE(fx().SpeedButton_title->isChecked());
    QTest::mouseClick(fx().SpeedButton_fade, Qt::LeftButton);
    EXPECT_EQ(sent.last(), "1tE");
}

// Seconds typed into a fade edit: one "." or the locale's separator, at
// most one decimal; anything else sends the stored value again, with no
// message box. The Effects page's fade duration and the two frame-fade
// edits of the logo page answer every entry alike.
TEST_F(EffectsTest, FadeEditsTakeSecondsAlike)
{
    struct Case {
        QLocale::Language language;
        const char* typed;
        int tenths;  // -1: refused
    };
    const Case cases[] = {
        {QLocale::C, "2.5", 25},          {QLocale::C, "3", 30},           {QLocale::C, " 7.0 ", 70},
        {QLocale::C, "0.5", 5},           {QLocale::C, ".5", 5},           {QLocale::C, "2.", 20},
        {QLocale::C, "25.5", 255},        {QLocale::C, "1.25", -1},        {QLocale::C, "1.2.3", -1},
        {QLocale::C, "2,5", -1},          {QLocale::C, "", -1},            {QLocale::C, ".", -1},
        {QLocale::C, "abc", -1},          {QLocale::C, "-1", -1},          {QLocale::C, "1e2", -1},
        {QLocale::C, "429496729.6", -1},  {QLocale::German, "2,5", 25},    {QLocale::German, "2.5", 25},
        {QLocale::German, "1,25", -1},    {QLocale::German, "12", 120},
    };
    const struct {
        const char* edit;
        const char* stored;  // the device's report of the stored 4 s
        const char* command;
    } edits[] = {
        {"Edit_FDUR", "FDUR40", "tD"},
        {"Edit_Frame_Fade_duration", "LFD40", "Lf"},
        {"Edit_Frame2_Fade_duration", "LFD40", "Lf"},
    };
    for (const auto& e : edits) {
        reply(e.stored);
        auto* edit = find<QLineEdit>(e.edit);
        ASSERT_NE(edit, nullptr) << e.edit;
        for (const Case& c : cases) {
            const LocaleScope locale{QLocale(c.language)};
            sent.clear();
            edit->setText(QString::fromUtf8(c.typed));
            QTest::keyClick(edit, Qt::Key_Return);
            const int tenths = c.tenths < 0 ? 40 : c.tenths;
            EXPECT_EQ(sent, QStringList{QString::number(tenths) + QLatin1String(e.command)})
                << e.edit << ": \"" << c.typed << "\" in " << c.language;
        }
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
}

// A FADDUR report shows seconds with the locale's separator and moves the
// bar; a burst of reports writes nothing.
TEST_F(EffectsTest, FadeDurationDisplay)
{
    struct Case {
        QLocale::Language language;
        const char* line;
        const char* shown;
        int bar;
    };
    const Case cases[] = {
        {QLocale::C, "FDUR25", "2.5s", 25},        {QLocale::C, "FDUR30", "3s", 30},
        {QLocale::C, "FDUR0", "0s", 0},            {QLocale::C, "FDUR255", "25.5s", 255},
        {QLocale::German, "FDUR25", "2,5s", 25},   {QLocale::German, "FDUR123", "12,3s", 123},
    };
    auto* edit = find<QLineEdit>("Edit_FDUR");
    auto* bar = find<ScrollBarEx>("ScrollBar_faddur");
    for (const Case& c : cases) {
        const LocaleScope locale{QLocale(c.language)};
        reply(c.line);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.line;
        EXPECT_EQ(bar->value(), c.bar) << c.line;
    }
    EXPECT_TRUE(sent.isEmpty());
}

// TITA, REFSTA and ICHM: the button of the input on the output is down; a
// title keyed on the computer reference (REFSTA 9 or 10) also shows input 1
// or input 8 down, in a group of its own.
TEST_F(EffectsTest, TitleShowsItsReferenceInput)
{
    struct Case {
        const char* tita;
        const char* refsta;
        const char* ichm;
        QList<int> down;  // input numbers shown down
        int strikeInput;  // the input moved to group 11, 0 for none
    };
    const Case cases[] = {
        {"TITA0", "REFA9", "CH3", {3}, 0},       {"TITA1", "REFA9", "CH3", {1, 3}, 1},
        {"TITA1", "REFA10", "CH3", {3, 8}, 8},   {"TITA1", "REFA5", "CH3", {3}, 0},
        {"TITA1", "REFA9", "CH1", {1}, 1},       {"TITA1", "REFA10", "CH0", {8}, 8},
        {"TITA0", "REFA10", "CH6", {6}, 0},
    };
    for (const Case& c : cases) {
        windows.reset();
        start();
        reply(c.ichm);
        reply(c.refsta);
        reply(c.tita);
        QList<int> down;
        for (int i = 1; i <= 8; ++i) {
            QToolButton* b = w().label_input[size_t(i - 1)];
            if (b->isChecked()) down << i;
            EXPECT_EQ(w().inputButtons.groupIndex(b), i == c.strikeInput ? 11 : 1)
                << c.tita << ' ' << c.refsta << ' ' << c.ichm << " input " << i;
        }
        EXPECT_EQ(down, c.down) << c.tita << ' ' << c.refsta << ' ' << c.ichm;
    }
}

// A title ending puts the struck button back in group 1 and up.
TEST_F(EffectsTest, TitleEndReleasesTheReferenceInput)
{
    for (const char* line : {"CH3", "REFA9", "TITA1", "TITA0"}) reply(line);
    for (int i = 1; i <= 8; ++i) {
        QToolButton* b = w().label_input[size_t(i - 1)];
        EXPECT_EQ(b->isChecked(), i == 3) << i;
        EXPECT_EQ(w().inputButtons.groupIndex(b), 1) << i;
    }
    EXPECT_TRUE(sent.isEmpty());
}

// Shadow "Off" and "On" write SHACT, by the mouse and by Space on the
// focused button; only the report moves the mark, a click or a focus change
// leaves it where the device put it.
TEST_F(EffectsTest, ShadowOnOffFollowTheReportOnly)
{
    reply("EFFA1");
    reply("SHAC0");
    QRadioButton* on = fx().RadioButton_on;
    QRadioButton* off = fx().RadioButton_off;
    ASSERT_TRUE(off->isChecked());
    w().PageControl1->setCurrentWidget(w().effectsPage);
    QApplication::setActiveWindow(&w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QTest::mouseClick(on, Qt::LeftButton);
    EXPECT_EQ(sent, QStringList{"1tS"});
    EXPECT_FALSE(on->isChecked()) << "checked itself before the device answered";
    EXPECT_TRUE(off->isChecked());
    sent.clear();
    on->setFocus();
    QTest::keyClick(on, Qt::Key_Space);
    QTest::keyClick(on, Qt::Key_Right);  // the arrows only move the focus
    EXPECT_EQ(sent, QStringList{"1tS"});
    EXPECT_FALSE(on->isChecked());
    reply("SHAC1");
    EXPECT_TRUE(on->isChecked());
    EXPECT_FALSE(off->isChecked());
    sent.clear();
    QTest::mouseClick(off, Qt::LeftButton);
    EXPECT_EQ(sent, QStringList{"0tS"});
    EXPECT_TRUE(on->isChecked());
    EXPECT_FALSE(off->isChecked());
    reply("SHAC0");
    EXPECT_TRUE(off->isChecked());
    EXPECT_FALSE(on->isChecked());
}

// LFADE 0 to 5: the radio marks of the menu and both popups, the label's
// caption, hint and colour, and the menu item's caption.
TEST_F(EffectsTest, LfadeShowsTheTransition)
{
    const QStringList items{"Color1",        "Frame1",         "CleanCut1",           "FadeColor_et_Frame",
                            "Cleancutinfo",  "From_Computer",  "From_Video",          "From_ALL",
                            "switchfromComputer1", "switchfromVideo1", "switchfromany1", "switchfromComputer2",
                            "switchfromVideo2", "switchfromany2"};
    const TColor fade = 0x02000000u | GfxRGB(10, 20, 30);
    struct Case {
        const char* line;
        QStringList checked;
        const char* caption;
        const char* menuCaption;
        const char* hint;
        TColor colour;
    };
    const Case cases[] = {
        {"LFAD0", {"Color1", "FadeColor_et_Frame"}, "Fade color", "Fade color", "Click to choose between several colors", fade},
        {"LFAD1", {"Frame1", "FadeColor_et_Frame"}, "Fade frame", "Fade frame",
         "Click to choose fade frame time between 1s and 10s", clBtnText},
        {"LFAD2", {"CleanCut1", "Cleancutinfo", "From_Computer", "switchfromComputer1", "switchfromComputer2"},
         "Clean Cut", "Fade &Color", "Click to choose style of Clean Cut", clBtnText},
        {"LFAD3", {"CleanCut1", "Cleancutinfo", "From_Video", "switchfromVideo1", "switchfromVideo2"}, "Clean Cut",
         "Fade &Color", "Click to choose style of Clean Cut", clBtnText},
        {"LFAD4", {"CleanCut1", "Cleancutinfo", "From_ALL", "switchfromany1", "switchfromany2"}, "Clean Cut",
         "Fade &Color", "Click to choose style of Clean Cut", clBtnText},
        {"LFAD5", {}, "Fade color", "Fade &Color", "Click to choose between several colors", fade},
    };
    for (const Case& c : cases) {
        windows.reset();
        start();
        reply("BFCR10");
        reply("BFCG20");
        reply("BFCB30");
        reply(c.line);
        EXPECT_EQ(checkedAmong(w(), items), c.checked) << c.line;
        EXPECT_EQ(fx().transition().GfxGraphicLabel1->Caption(), QString::fromLatin1(c.caption)) << c.line;
        EXPECT_EQ(action("FadeColor_et_Frame")->text(), QString::fromLatin1(c.menuCaption)) << c.line;
        EXPECT_EQ(fx().transition().GfxGraphicLabel1->toolTip(), QString::fromLatin1(c.hint)) << c.line;
        EXPECT_EQ(fx().transition().GfxGraphicLabel1->FillObject().Gradient().Color(), c.colour) << c.line;
    }
}

// The fade colour follows each of BFCR, BFCG and BFCB (low 8 bits).
TEST_F(EffectsTest, FadeColourFollowsItsRegisters)
{
    const auto colour = [&] { return fx().transition().GfxGraphicLabel1->FillObject().Gradient().Color(); };
    reply("BFCR300");
    EXPECT_EQ(colour(), 0x02000000u | GfxRGB(44, 0, 0));
    reply("BFCG255");
    EXPECT_EQ(colour(), 0x02000000u | GfxRGB(44, 255, 0));
    reply("BFCB1");
    EXPECT_EQ(colour(), 0x02000000u | GfxRGB(44, 255, 1));
    EXPECT_TRUE(sent.isEmpty());
}

// A click on the label with LFADE 0 opens the colour dialog on the present
// levels; OK writes blue, green, red in this order; Cancel sends the
// levels it opened with, not black. Mouse-down sinks the edge, mouse-up
// raises it.
TEST_F(EffectsTest, LabelClickChoosesTheFadeColour)
{
    reply("BFCR10");
    reply("BFCG20");
    reply("BFCB30");
    reply("LFAD0");
    TGfxGraphicLabel* label = fx().transition().GfxGraphicLabel1;
    const QPoint centre = label->rect().center();

    QMouseEvent press(QEvent::MouseButtonPress, centre, label->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(label, &press);
    EXPECT_EQ(fx().transition().GfxDrawEdge1->EdgeStyle(), etSunken);
    prompts.colorAnswer = QColor(50, 100, 200);
    // The device reports other levels while the dialog is open: a cancel
    // would still send those the dialog opened with.
    prompts.colorScript = [&] { reply("BFCR99"); };
    QMouseEvent release(QEvent::MouseButtonRelease, centre, label->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
    EXPECT_EQ(fx().transition().GfxDrawEdge1->EdgeStyle(), etRaised);
    EXPECT_EQ(prompts.colorsOffered, QList<QColor>{QColor(10, 20, 30)});
    EXPECT_EQ(sent, (QStringList{"200bb", "100bg", "50br"}));

    sent.clear();
    reply("BFCR10");
    prompts.colorAnswer.reset();
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(sent, (QStringList{"30bb", "20bg", "10br"}));
}

// What the label and "Fade &Color" do for each stored LFADE.
TEST_F(EffectsTest, TransitionClickByKind)
{
    // The floating frame-fade panel of the logo page.
    auto* panel = w().findChild<QWidget*>(QStringLiteral("Panel_fade_frame_duration"));
    ASSERT_NE(panel, nullptr);
    ASSERT_FALSE(panel->isVisibleTo(w().centralWidget()));

    reply("LFAD1");
    QTest::mouseClick(fx().transition().GfxGraphicLabel1, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisibleTo(w().centralWidget()));
    action("FadeColor_et_Frame")->trigger();
    EXPECT_FALSE(panel->isVisibleTo(w().centralWidget()));

    reply("LFAD3");
    QTest::mouseClick(fx().transition().GfxGraphicLabel1, Qt::LeftButton);
    EXPECT_TRUE(fx().transition().PopupMenu_clean_cut->isVisible());
    fx().transition().PopupMenu_clean_cut->close();

    reply("LFAD9");
    action("FadeColor_et_Frame")->trigger();
    EXPECT_EQ(sent, QStringList{"0LF"});
    EXPECT_TRUE(prompts.colorsOffered.isEmpty());
    QTest::mouseClick(fx().transition().GfxGraphicLabel1, Qt::LeftButton);
    EXPECT_EQ(prompts.colorsOffered.size(), 1);

    QTest::mouseClick(fx().transition().BitBtn_effect_color_frame_cleancut, Qt::LeftButton);
    EXPECT_TRUE(fx().transition().PopupMenu_Color_Frame_Cleancut->isVisible());
    fx().transition().PopupMenu_Color_Frame_Cleancut->close();
}

// Each operator item writes its register; the item's own mark does not
// move (the device's report does), and the report marks its item.
TEST_F(EffectsTest, MenuSwitchesWriteAndFollowTheDevice)
{
    struct Write {
        const char* item;
        const char* sent;
    };
    const Write writes[] = {
        {"activated1", "1QE"},   {"dsactivated1", "0QE"},        {"ON1", "1af"},
        {"Off1", "0af"},         {"menuitem_On", "0yi"},         {"menuitem_Off", "1yi"},
        {"Color1", "0LF"},       {"Frame1", "1LF"},              {"From_Computer", "2LF"},
        {"From_Video", "3LF"},   {"From_ALL", "4LF"},            {"switchfromComputer1", "2LF"},
        {"switchfromVideo1", "3LF"}, {"switchfromany2", "4LF"},
    };
    for (const Write& c : writes) {
        QAction* a = action(c.item);
        ASSERT_NE(a, nullptr) << c.item;
        const QList<QAction*> group = a->actionGroup() ? a->actionGroup()->actions() : QList<QAction*>{a};
        QList<bool> before;
        for (QAction* g : group) before << g->isChecked();
        sent.clear();
        a->trigger();
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(c.sent)}) << c.item;
        QList<bool> after;
        for (QAction* g : group) after << g->isChecked();
        EXPECT_EQ(after, before) << c.item << ": the marks moved by its own trigger";
    }
    EXPECT_TRUE(action("dsactivated1")->isChecked()) << "the design's mark stays";

    struct Report {
        const char* line;
        const char* checked;
        const char* unchecked;
    };
    const Report reports[] = {
        {"EPD1", "activated1", "dsactivated1"}, {"EPD0", "dsactivated1", "activated1"},
        {"AFRA1", "ON1", "Off1"},               {"AFRA0", "Off1", "ON1"},
        {"AFRA2", "Off1", "ON1"},               {"EISP0", "menuitem_On", "menuitem_Off"},
        {"EISP1", "menuitem_Off", "menuitem_On"},
    };
    for (const Report& r : reports) {
        reply(r.line);
        EXPECT_TRUE(action(r.checked)->isChecked()) << r.line;
        EXPECT_FALSE(action(r.unchecked)->isChecked()) << r.line;
    }
}

// The auto-frame radio group on the "Logo && Frame" page: "On" writes 1,
// "Off" 0; only the report selects the item.
TEST_F(EffectsTest, AutoFrameRadioGroupFollowsTheReportOnly)
{
    auto* group = find<QWidget>("RadioGroup_auto_frame");
    const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    auto chosen = [&items] { return QList<bool>{items[0]->isChecked(), items[1]->isChecked()}; };
    w().PageControl1->setCurrentWidget(w().logoFramePage);
    group->show();
    reply("AFRA1");
    ASSERT_EQ(chosen(), (QList<bool>{true, false}));
    // On the radio indicator.
    const QPoint indicator(6, items[0]->height() / 2);
    QTest::mouseClick(items[1], Qt::LeftButton, {}, indicator);
    EXPECT_EQ(sent, QStringList{"0af"});
    EXPECT_EQ(chosen(), (QList<bool>{true, false})) << "the click chose the item before the device answered";
    reply("AFRA0");
    EXPECT_EQ(chosen(), (QList<bool>{false, true}));
    sent.clear();
    QTest::mouseClick(items[0], Qt::LeftButton, {}, indicator);
    EXPECT_EQ(sent, QStringList{"1af"});
    EXPECT_EQ(chosen(), (QList<bool>{false, true}));
    reply("AFRA1");
    EXPECT_EQ(chosen(), (QList<bool>{true, false}));
    reply("AFRA5");
    EXPECT_EQ(chosen(), (QList<bool>{true, false}));
}

// Key locking: "&Menus" and "&Input" flip their bit of the stored LOCK,
// "&All Lock" locks both unless both are locked; the report marks the items
// by bits.
TEST_F(EffectsTest, KeyLockingXorWrites)
{
    struct Case {
        const char* stored;
        const char* item;
        const char* sent;
    };
    const Case cases[] = {
        {"LOCK0", "Menus1", "1yl"},   {"LOCK1", "Menus1", "0yl"},   {"LOCK2", "Menus1", "3yl"},
        {"LOCK4", "Menus1", "5yl"},   {"LOCK0", "Input9", "2yl"},   {"LOCK3", "Input9", "1yl"},
        {"LOCK1", "AllLock1", "3yl"}, {"LOCK3", "AllLock1", "0yl"}, {"LOCK7", "AllLock1", "0yl"},
    };
    for (const Case& c : cases) {
        reply(c.stored);
        sent.clear();
        action(c.item)->trigger();
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(c.sent)}) << c.stored << ' ' << c.item;
    }
    struct Marks {
        const char* line;
        bool menus, input, all;
    };
    const Marks marks[] = {{"LOCK1", true, false, false},
                           {"LOCK2", false, true, false},
                           {"LOCK3", true, true, true},
                           {"LOCK0", false, false, false}};
    for (const Marks& m : marks) {
        reply(m.line);
        EXPECT_EQ(action("Menus1")->isChecked(), m.menus) << m.line;
        EXPECT_EQ(action("Input9")->isChecked(), m.input) << m.line;
        EXPECT_EQ(action("AllLock1")->isChecked(), m.all) << m.line;
    }
}

// "&Erase all memories" and "&Default values" ask first; only OK writes.
TEST_F(EffectsTest, EraseAndDefaultAskFirst)
{
    for (bool ok : {false, true}) {
        prompts.onConfirm = [ok](const QString&) { return ok; };
        prompts.confirmations.clear();
        sent.clear();
        action("Eraseallmemories1")->trigger();
        action("Defaultvalues1")->trigger();
        EXPECT_TRUE(prompts.questions.isEmpty()) << "asked Yes/No";
        ASSERT_EQ(prompts.confirmations.size(), 2);
        const char* texts[2] = {"Are you sure you want erase all memories ?", "Are you sure you want default value ?"};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(prompts.confirmations[i].text, QString::fromLatin1(texts[i]));
            EXPECT_EQ(prompts.confirmations[i].icon, Prompter::Icon::Question);
        }
        EXPECT_EQ(sent, (ok ? QStringList{"1yc", "1Y"} : QStringList{}));
    }
}

// The clean-cut items of the "&Transition" menu read as the popups' items.
TEST_F(EffectsTest, CleanCutMenuCaptions)
{
    const char* const names[3] = {"From_Computer", "From_Video", "From_ALL"};
    const char* const captions[3] = {"switch from &Computer", "switch from &Video", "switch from &any"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(action(names[i])->text(), QString::fromLatin1(captions[i])) << names[i];
}

// "About ZEPH..." shows the program's version in the About box, modally;
// "HD 15 Pin assignment" shows its window.
TEST_F(EffectsTest, AboutAndHd15)
{
    QString shown;
    prompts.dialogScript = [&](QDialog* d) {
        if (auto* about = dynamic_cast<TAbout_zeph_350*>(d)) shown = about->Label_version->text();
    };
    action("AboutZEPH1")->trigger();
    const TGfxVersionBlock& v = GfxProgramVersionBlock();
    EXPECT_EQ(shown, QStringLiteral("Version : %1.%2.%3.%4").arg(v.Major).arg(v.Minor).arg(v.Release).arg(v.Build));
    action("HD15Pinassignment1")->trigger();
    EXPECT_TRUE(w().state.win.Form_HD15_PIN_ASSIGNEMENT->isVisible());
    w().state.win.Form_HD15_PIN_ASSIGNEMENT->hide();
}

// A burst of every report the family follows writes nothing.
TEST_F(EffectsTest, BurstOfReportsWritesNothing)
{
    const char* const lines[] = {"EFFA1", "EFFO2", "FDUR25", "SHAC1", "SHPO40", "SHSZ7", "TITA1", "REFA9",
                                 "CH4",   "LFAD0", "BFCR1",  "BFCG2", "BFCB3",  "LFAD1", "LFAD3", "EPD1",
                                 "AFRA1", "EISP1", "LOCK3",  "EFFA0", "EFFO0",  "TITA0", "LFAD4", "SHPO41"};
    for (int round = 0; round < 3; ++round)
        for (const char* l : lines) reply(l);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}
