// The image page: its register rows, lists, buttons, output aspect tabs,
// wait window and clock-divider hook, and that device reports never write.
#include "regctl_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabBar>

using namespace zeph;

namespace {

struct PageRow {
    int reg;
    const char* bar;
    const char* edit;
    const char* twinBar;  // on the "Logo && Frame" page
    const char* twinEdit;
    int max, start, offset;
};

const PageRow kPage[] = {
    {Reg::HPOS, "ScrollBar_hpos_video", "Edit_hpos", "new_ScrollBar_hpos_video", "new_Edit_hpos", 255, 128, 128},
    {Reg::VPOS, "ScrollBar_vpos_video", "Edit_vpos", "new_ScrollBar_vpos_video", "new_Edit_vpos", 255, 128, 128},
    {Reg::HSIZ, "ScrollBar_hsiz_video", "Edit_hsize", "new_ScrollBar_hsiz_video", "new_Edit_hsize", 255, 128, 128},
    {Reg::VSIZ, "ScrollBar_vsiz_video", "Edit_vsize", "new_ScrollBar_vsiz_video", "new_Edit_vsize", 255, 128, 128},
    {Reg::BLKLV, "ScrollBar_blacklevel", "Edit_blacklevel", nullptr, nullptr, 255, 128, 128},
    {Reg::HUE, "ScrollBar_hue", "Edit_hue", nullptr, nullptr, 255, 128, 128},
    {Reg::OPTI, "ScrollBar_Optimize", "Edit_Optimize", nullptr, nullptr, 255, 128, 128},
    {Reg::BRGT, "ScrollBar_brightness", "Edit_brightness", nullptr, nullptr, 255, 128, 128},
    {Reg::CONTR, "ScrollBar_contrast", "Edit_contrast", nullptr, nullptr, 255, 128, 128},
    {Reg::COLOR, "ScrollBar_color", "Edit_color", nullptr, nullptr, 255, 128, 128},
    {Reg::RLV, "ScrollBar_redlevel", "Edit_redlevel", nullptr, nullptr, 127, 64, 64},
    {Reg::GLV, "ScrollBar_greenlevel", "Edit_greenlevel", nullptr, nullptr, 127, 64, 64},
    {Reg::BLV, "ScrollBar_bluelevel", "Edit_bluelevel", nullptr, nullptr, 127, 64, 64},
    {Reg::DDIVIDER, "ScrollBar_ddivider", "Edit_ddivider", nullptr, nullptr, 127, 64, 64},
    {Reg::DPHASE, "ScrollBar_dphase", "Edit_dphase", nullptr, nullptr, 31, 16, 16},
};

}  // namespace

// Every row: the controls by name on their page with the design range and
// start, the bar and the edit writing their own register through the
// offset, and the reply reaching every control of the row.
TEST_F(ImagePageTest, EveryRowDrivesItsRegisterAndFollowsIt)
{
    for (const PageRow& r : kPage) {
        SCOPED_TRACE(r.bar);
        std::vector<std::pair<const char*, const char*>> pairs{{r.bar, r.edit}};
        if (r.twinBar) pairs.emplace_back(r.twinBar, r.twinEdit);
        for (auto [barName, editName] : pairs) {
            SCOPED_TRACE(barName);
            ScrollBarEx* b = bar(barName);
            QLineEdit* e = edit(editName);
            ASSERT_NE(b, nullptr);
            ASSERT_NE(e, nullptr);
            const bool twin = barName == r.twinBar;
            EXPECT_EQ(b->parentWidget(), twin ? logoPage : imagePage);
            EXPECT_EQ(e->parentWidget(), twin ? logoPage : imagePage);
            EXPECT_EQ(b->isHidden(), twin) << "twins wait for frame-recording mode";
            EXPECT_EQ(e->isHidden(), twin);
            EXPECT_EQ(b->minimum(), 0);
            EXPECT_EQ(b->maximum(), r.max);
            EXPECT_EQ(b->value(), r.start);
            EXPECT_EQ(e->text(), "0");

            sent.clear();
            emit b->scrolled(ScrollBarEx::EndScroll, 3);
            emit b->scrolled(ScrollBarEx::EndScroll, r.max);
            enter(editName, "1");
            EXPECT_EQ(sent, QStringList({command(r.reg, 3), command(r.reg, uint32_t(r.max)),
                                         command(r.reg, uint32_t(r.offset + 1))}));
        }
        reply(r.reg, 2);
        for (auto [barName, editName] : pairs) {
            EXPECT_EQ(bar(barName)->value(), 2);
            EXPECT_EQ(edit(editName)->text(), QString::number(2 - r.offset));
        }
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ImagePageTest, ListsWriteTheirRegisterFromTheOperatorOnly)
{
    auto* proc = find<QComboBox>("ComboBox_process");
    auto* iasp = find<QComboBox>("RadioGroup_IASP");
    auto* over = find<QComboBox>("RadioGroup_over_under_scan");
    ASSERT_TRUE(proc && iasp && over);
    EXPECT_EQ(proc->count(), 8);
    EXPECT_EQ(proc->itemText(0), "Sharpness Disable");
    EXPECT_EQ(proc->itemText(7), "Sharpness Level 7");
    EXPECT_EQ(iasp->itemText(2), "WS Anamorphic");
    EXPECT_EQ(over->itemText(1), "Over   scan");

    // Code moving a list writes nothing.
    proc->setCurrentIndex(5);
    iasp->setCurrentIndex(1);
    over->setCurrentIndex(1);
    EXPECT_TRUE(sent.isEmpty());

    const struct {
        QComboBox* box;
        int index;
        QStringList expected;
    } cases[] = {
        {proc, 3, {"3QP"}}, {proc, 0, {"0QP"}}, {iasp, 2, {"2QA"}},
        {over, 0, {"0QO"}}, {over, 1, {"1QO"}}, {over, -1, {}},
    };
    for (const auto& c : cases) {
        sent.clear();
        c.box->setCurrentIndex(c.index);
        emit c.box->activated(c.index);
        EXPECT_EQ(sent, c.expected) << c.box->objectName().toStdString() << " " << c.index;
    }
}

TEST_F(ImagePageTest, RecallAndPresetAskFirstStoreAndCenteringDoNot)
{
    const struct {
        const char* button;
        bool answer;
        QStringList expected;
        const char* question;
    } cases[] = {
        {"BitBtn1", true, {"1R"}, "Are you sure you want to recall the last image settings stored ?"},
        {"BitBtn1", false, {}, "Are you sure you want to recall the last image settings stored ?"},
        {"BitBtn_preset", true, {"1yp"}, "Are you sure you want to set all image parameters to the factory settings ?"},
        {"BitBtn_preset", false, {}, "Are you sure you want to set all image parameters to the factory settings ?"},
        {"BitBtn_Store", false, {"1M"}, nullptr},
        {"BitBtn_alignment", false, {"1yC"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        sent.clear();
        prompt.questions.clear();
        prompt.answer = c.answer;
        auto* b = find<QPushButton>(c.button);
        ASSERT_NE(b, nullptr);
        b->click();
        EXPECT_EQ(sent, c.expected);
        EXPECT_EQ(prompt.questions, c.question ? QStringList{QString::fromLatin1(c.question)} : QStringList{});
    }
    EXPECT_EQ(find<QPushButton>("BitBtn1")->text(), "Recall");
    EXPECT_EQ(find<QPushButton>("BitBtn_alignment")->text(), "Centering");
}

TEST_F(ImagePageTest, AspectTabsWriteZeroOrTwoAndFollowTheDevice)
{
    auto* tabs = find<QTabBar>("TabSet_IASPR");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->parentWidget(), outputPage);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Output   4/3");
    EXPECT_EQ(tabs->tabText(1), "Output 16/9");

    tabs->setCurrentIndex(1);  // as a click does
    tabs->setCurrentIndex(0);
    EXPECT_EQ(sent, QStringList({"2XI", "0XI"}));

    sent.clear();
    const struct {
        uint32_t value;
        int tab;
    } replies[] = {{2, 1}, {1, 1}, {0, 0}, {7, 0}, {2, 1}};
    for (const auto& r : replies) {
        reply(Reg::IASPR, r.value);
        EXPECT_EQ(tabs->currentIndex(), r.tab) << r.value;
    }
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(ImagePageTest, WaitWindowFollowsStoreCentredOnTheMainWindow)
{
    main.setGeometry(100, 80, 788, 503);
    QWidget* w = ctl->waitWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), "Form_wait_storing_settings");
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->isWindow());

    reply(Reg::STORE, 1);
    EXPECT_TRUE(w->isVisible());
    const QPoint d = w->frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(d.manhattanLength(), 4) << d.x() << "," << d.y();
    reply(Reg::STORE, 1);  // every report raises the event; still shown
    EXPECT_TRUE(w->isVisible());
    reply(Reg::STORE, 0);
    EXPECT_FALSE(w->isVisible());
    reply(Reg::STORE, 256);  // a Boolean keeps the low 8 bits: false
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(sent.isEmpty());
}

// The wait window is created after the main window: a store reported
// before it exists, or after it is gone, shows nothing and breaks nothing.
TEST_F(ImagePageTest, StoreWithoutWaitWindowIsHarmless)
{
    ctl->setWaitWindow(nullptr);
    reply(Reg::STORE, 1);
    reply(Reg::STORE, 0);
    auto gone = std::make_unique<QWidget>();
    ctl->setWaitWindow(gone.get());
    gone.reset();
    reply(Reg::STORE, 1);
    EXPECT_EQ(ctl->waitWindow(), nullptr);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(ImagePageTest, ClockDividerReportRunsTheSignalDescription)
{
    reply(Reg::DIVIDER, 70);  // no description yet: nothing happens
    int runs = 0;
    ctl->signal = [&] { ++runs; };
    reply(Reg::DIVIDER, 70);
    reply(Reg::DIVIDER, 71);
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(sent.isEmpty());
}

// Device reports only bring the page up to date: a full dump of every
// register, and then each register of the page at its extremes, send
// nothing.
TEST_F(ImagePageTest, BurstOfReportsWritesNothing)
{
    int described = 0;
    ctl->signal = [&] { ++described; };
    QByteArray dump;
    for (const RegisterInfo& r : Registers) dump += replyLine(r.number, 1);
    z.receive(dump);
    for (const PageRow& r : kPage)
        for (uint32_t v : {0u, uint32_t(r.offset), uint32_t(r.max), 0xFFFFFFFFu}) reply(r.reg, v);
    for (int reg : {Reg::PROC, Reg::IASP, Reg::OVER, Reg::IASPR, Reg::STORE, Reg::DIVIDER})
        for (uint32_t v : {2u, 1u, 0u}) reply(reg, v);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
    EXPECT_GE(described, 4);
    EXPECT_FALSE(ctl->waitWindow()->isVisible());
}

TEST_F(ImagePageTest, ControllerGoneDeviceEventsAreHarmless)
{
    ctl.reset();
    reply(Reg::BRGT, 5);
    reply(Reg::STORE, 1);
    EXPECT_TRUE(sent.isEmpty());
}
