// The "Output" page: output formats in both switching modes, sync, screen
// and test pattern, the sliding test-pattern panel and its echo-paced bars,
// scan, aspect and smoothing, the versions in the About box and the option
// bits; and that device reports never write.
#include "page_fixture.h"

#include "about.h"
#include "inputs_controller.h"
#include "model_layout.h"
#include "output_controller.h"
#include "qt_wait.h"
#include "radio_group.h"
#include "simdevice.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using zephtest::waitFor;
namespace Reg = zeph::Reg;

namespace {

// What the device's format means on the page: its place in the master and
// follow lists and its status names in master and follow mode.
struct Format {
    uint32_t ofmt;
    int master;
    int follow;
    const char* masterName;
    const char* followName;
};

const Format kFormats[] = {
    {0, 0, 0, "VGA       60Hz  4/3", "640x480   L"},
    {1, 1, 1, "SVGA      60Hz  4/3", "800x600   L"},
    {2, 2, 2, "XGA       60Hz  4/3", "1024x768  L"},
    {3, 3, 3, "SXGA      60Hz  4/3", "1280x1024 L"},
    {4, 4, 6, "SXGA+     60Hz  4/3", "1400x1050 L"},
    {5, 7, 0, "VGA       75Hz  4/3", "640x480   L"},
    {6, 8, 1, "SVGA      75Hz  4/3", "800x600   L"},
    {7, 9, 2, "XGA       75Hz  4/3", "1024x768  L"},
    {8, 10, 3, "SXGA      75Hz  4/3", "1280x1024 L"},
    {9, 12, 4, "DILA      75Hz  4/3", "1365x1024 L"},
    {10, 13, 5, "DILA      75Hz 16/9", "1365x768  L"},
    {11, 14, 7, "HDTV      480 p", "HDTV 480 p"},
    {12, 15, 8, "HDTV      720 p", "HDTV 720 p"},
    {13, 5, 4, "DILA      60Hz\t4/3", "1365x1024 L"},
    {14, 6, 5, "DILA      60Hz\t16/9", "1365x768\t L"},
    {15, 11, 6, "SXGAP     75Hz\t4/3", "1400x1050 L"},
    // No format of the device: nothing selected, nothing named.
    {16, -1, -1, "", ""},
    {255, -1, -1, "", ""},
};

class OutputPage : public PageTest {
protected:
    OutputController& out() { return w().output(); }
    QWidget* aspectTabs() { return find<QWidget>("TabSet_IASPR"); }
};

}  // namespace

// Every format in FAST mode without and with a reference, and in SEAMLESS
// mode: which lists show, what they select and what the status label reads.
TEST_F(OutputPage, FormatFollowsTheDeviceInEveryMode)
{
    // Every format report ends with the inputs family's reference check,
    // which rewrites the status box.
    QLineEdit* status = w().inputs().reference().Edit_status;
    const struct {
        const char* mode;
        uint32_t refreq, refsta;
    } modes[] = {{"FAST", 0, 0}, {"FAST following input 4", 4, 4}, {"SEAMLESS", 9, 9}, {"SEAMLESS, no reference", 10, 0}};
    for (const auto& m : modes) {
        reply(Reg::REFREQ, m.refreq);
        reply(Reg::REFSTA, m.refsta);
        const bool seamless = m.refreq >= 9, following = m.refsta != 0;
        for (const Format& f : kFormats) {
            SCOPED_TRACE(std::string(m.mode) + ", OFMT " + std::to_string(f.ofmt));
            out().Label_outformat->setText(QStringLiteral("before"));
            status->setText(QStringLiteral("before"));
            reply(Reg::OFMT, f.ofmt);
            EXPECT_NE(status->text(), QStringLiteral("before"));
            EXPECT_EQ(out().ComboBox_out_seam->isHidden(), !seamless);
            EXPECT_EQ(aspectTabs()->isHidden(), !seamless);
            if (seamless) {
                // The format comes from the reference: shown, not chosen.
                EXPECT_TRUE(out().output_format_master->isHidden());
                EXPECT_TRUE(out().output_format_follow->isHidden());
                // A computer reference names the format itself (the inputs
                // family writes it); otherwise it stays as it was.
                if (m.refsta < 9) { EXPECT_EQ(out().Label_outformat->text(), "before"); }
                continue;
            }
            EXPECT_EQ(out().output_format_master->isHidden(), following);
            EXPECT_EQ(out().output_format_follow->isHidden(), !following);
            EXPECT_EQ(out().Label_outformat->text(), QString::fromLatin1(following ? f.followName : f.masterName));
            EXPECT_EQ(out().output_format_master->currentIndex(), f.master);
            EXPECT_EQ(out().output_format_follow->currentIndex(), f.follow);
        }
    }
    EXPECT_TRUE(sent.isEmpty());
}

// The operator's pick in either list writes the format it stands for, and
// the device's answer selects the same place again.
TEST_F(OutputPage, ListPositionsWriteTheirFormat)
{
    QComboBox* master = out().output_format_master;
    QComboBox* follow = out().output_format_follow;
    ASSERT_EQ(master->count(), 16);
    ASSERT_EQ(follow->count(), 9);
    EXPECT_EQ(master->itemText(5), "DILA 4/3    1365x1024  60Hz   4/3");
    EXPECT_EQ(master->itemText(15), "720p           1280x720    60Hz   16/9");
    EXPECT_EQ(follow->itemText(3), "1280x1024 L");
    EXPECT_EQ(follow->itemText(7), "480p");

    const struct {
        QComboBox* list;
        uint32_t refsta;
        std::vector<uint32_t> formats;  // by position
    } lists[] = {
        {master, 0, {0, 1, 2, 3, 4, 13, 14, 5, 6, 7, 8, 15, 9, 10, 11, 12}},
        {follow, 3, {0, 1, 2, 3, 13, 14, 4, 11, 12}},
    };
    for (const auto& l : lists) {
        reply(Reg::REFSTA, l.refsta);
        for (int p = 0; p < l.list->count(); ++p) {
            SCOPED_TRACE(l.list->objectName().toStdString() + " " + std::to_string(p));
            sent.clear();
            l.list->setCurrentIndex(-1);
            emit l.list->activated(p);
            EXPECT_EQ(sent, QStringList{command(Reg::OFMT, l.formats[size_t(p)])});
            reply(Reg::OFMT, l.formats[size_t(p)]);
            EXPECT_EQ(l.list->currentIndex(), p);
        }
    }
}

// The three groups write what the operator clicks and show only what the
// device reports; a value no item stands for checks none.
TEST_F(OutputPage, SyncScreenAndPatternGroups)
{
    const struct {
        const char* group;
        int reg;
        int items;
    } groups[] = {{"RadioGroup_osyn", Reg::OSYNC, 3},
                  {"RadioGroup_typeofscreen", Reg::OSCREEN, 2},
                  {"RadioGroup_test_pattern", Reg::OPAT, 3}};
    for (const auto& g : groups) {
        SCOPED_TRACE(g.group);
        auto* group = find<RadioGroup>(g.group);
        ASSERT_EQ(group->count(), g.items);
        for (int i = 0; i < g.items; ++i) {
            sent.clear();
            reply(g.reg, uint32_t((i + 1) % g.items));
            group->button(i)->click();
            EXPECT_EQ(sent, QStringList{command(g.reg, uint32_t(i))});
            EXPECT_EQ(group->ItemIndex(), (i + 1) % g.items) << "the click alone changes nothing";
            reply(g.reg, uint32_t(i));
            EXPECT_EQ(group->ItemIndex(), i);
            for (int k = 0; k < g.items; ++k) EXPECT_EQ(group->button(k)->isChecked(), k == i);
        }
        for (uint32_t wild : {uint32_t(g.items), 9u, 0xFFFFFFFFu}) {
            reply(g.reg, wild);
            EXPECT_EQ(group->ItemIndex(), -1) << wild;
        }
    }
    EXPECT_EQ(out().RadioGroup_osyn->button(0)->text(), "H && V");

    // The sync status label: the three names, anything else leaves it.
    const struct {
        uint32_t sync;
        const char* text;
    } labels[] = {{0, "H & V"}, {1, "Composite TTL"}, {2, "SOG"}, {9, "SOG"}, {0, "H & V"}, {3, "H & V"}};
    for (const auto& l : labels) {
        reply(Reg::OSYNC, l.sync);
        EXPECT_EQ(out().Label_outsync->text(), l.text) << l.sync;
    }

    // The test pattern lays the model out again (the position button
    // follows it), also for a value no item stands for.
    reply(Reg::DEV, 23);
    reply(Reg::OPAT, 1);
    EXPECT_FALSE(out().BitBtn_cadrage_pattern->isHidden());
    reply(Reg::OPAT, 7);
    EXPECT_TRUE(out().BitBtn_cadrage_pattern->isHidden());
}

// "Position && Size" slides the panel up to 136 and "&Fermer" back to 340,
// 17 pixels a tick; pressing either again during a slide keeps the one
// timer the window owns.
TEST_F(OutputPage, PanelSlidesWithOneTimer)
{
    QFrame* panel = out().Panel_mire_en_seamless;
    QTimer* timer = out().slideTimer();
    ASSERT_EQ(panel->y(), 340);
    EXPECT_TRUE(panel->isHidden());
    const qsizetype timers = w().findChildren<QTimer*>().size();
    // Every place the panel stops at on the way: 340 - 17 k.
    QList<int> tops;
    QObject::connect(timer, &QTimer::timeout, panel, [&] { tops << panel->y(); });

    // "&Fermer" before any slide: nothing to close, nothing freed.
    out().BitBtn2->click();
    ASSERT_TRUE(waitFor([&] { return !timer->isActive(); }));
    EXPECT_EQ(panel->y(), 340);

    out().BitBtn_cadrage_pattern->click();
    EXPECT_FALSE(panel->isHidden());
    ASSERT_TRUE(waitFor([&] { return panel->y() < 300; }));
    out().PositionTaillemire1->trigger();  // the group's popup item, mid-slide
    out().BitBtn_cadrage_pattern->click();
    ASSERT_TRUE(waitFor([&] { return !timer->isActive(); }));
    EXPECT_EQ(panel->y(), 136);
    EXPECT_EQ(w().findChildren<QTimer*>().size(), timers);

    out().BitBtn2->click();
    ASSERT_TRUE(waitFor([&] { return panel->y() > 200; }));
    out().BitBtn2->click();
    ASSERT_TRUE(waitFor([&] { return !timer->isActive(); }));
    EXPECT_EQ(panel->y(), 340);
    EXPECT_FALSE(panel->isHidden()) << "parked, still shown";
    EXPECT_EQ(w().findChildren<QTimer*>().size(), timers);
    for (int top : tops) EXPECT_EQ((340 - top) % 17, 0) << top;
    EXPECT_TRUE(sent.isEmpty());
}

// The pattern edits send the number as typed, without offset or bounds; a
// report puts the value in the edit and the bar.
TEST_F(OutputPage, PatternEditsSendTheNumberAsTyped)
{
    const struct {
        const char* bar;
        const char* edit;
        int reg;
        int max, start;
    } rows[] = {{"ScrollBar_MHPOS", "Edit_MHPOS", Reg::MHPOS, 255, 128},
                {"ScrollBar_MHSIZ", "Edit_MHSIZ", Reg::MHSIZ, 255, 128},
                {"ScrollBar_MVPOS", "Edit_MVPOS", Reg::MVPOS, 63, 32},
                {"ScrollBar_MVSIZ", "Edit_MVSIZ", Reg::MVSIZ, 63, 32}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bar);
        ASSERT_EQ(bar(r.bar)->maximum(), r.max);
        EXPECT_EQ(bar(r.bar)->value(), r.start);
        EXPECT_EQ(edit(r.edit)->text(), QString::number(r.start));
        EXPECT_EQ(bar(r.bar)->parentWidget(), out().Panel_mire_en_seamless);
        sent.clear();
        enter(r.edit, QStringLiteral("300"));
        enter(r.edit, QStringLiteral("x"));
        EXPECT_EQ(sent, QStringList{command(r.reg, 300)});
        reply(r.reg, 20);
        EXPECT_EQ(bar(r.bar)->value(), 20);
        EXPECT_EQ(edit(r.edit)->text(), "20");
    }
    ASSERT_EQ(prompts.messages.size(), 4);
    EXPECT_EQ(prompts.messages.front().text, "'x' is not a valid integer value");
}

// Scan, input aspect and the two smoothing buttons: the lists follow the
// device (a value they do not hold selects nothing), the buttons write the
// negation of the stored value and show only what the device reports.
TEST_F(OutputPage, ScanAspectAndSmoothing)
{
    auto* scan = find<QComboBox>("RadioGroup_over_under_scan");
    auto* aspect = find<QComboBox>("RadioGroup_IASP");
    const struct {
        QComboBox* list;
        int reg;
        uint32_t value;
        int index;
    } lists[] = {{scan, Reg::OVER, 1, 1}, {scan, Reg::OVER, 0, 0}, {aspect, Reg::IASP, 2, 2},
                 {aspect, Reg::IASP, 3, -1}, {aspect, Reg::IASP, 1, 1}, {aspect, Reg::IASP, 0xFFFFFFFFu, -1}};
    for (const auto& l : lists) {
        reply(l.reg, l.value);
        EXPECT_EQ(l.list->currentIndex(), l.index) << l.list->objectName().toStdString() << " " << l.value;
    }

    const struct {
        QToolButton* button;
        int reg;
    } buttons[] = {{out().SpeedButton_H_smooth, Reg::HSMT}, {out().SpeedButton_V_smooth, Reg::VSMT}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.button->objectName().toStdString());
        EXPECT_EQ(b.button->parentWidget(), w().imagePage);
        sent.clear();
        b.button->click();
        EXPECT_FALSE(b.button->isChecked()) << "the device decides";
        reply(b.reg, 1);
        EXPECT_TRUE(b.button->isChecked());
        b.button->click();
        EXPECT_EQ(sent, QStringList({command(b.reg, 1), command(b.reg, 0)}));
        reply(b.reg, 0);
        EXPECT_FALSE(b.button->isChecked());
    }
}

// The device's versions in the About box, and the identifier asking for the
// model layout again.
TEST_F(OutputPage, VersionsReachTheAboutBox)
{
    TAbout_zeph_350* about = windows->About_zeph_350.get();
    // The box has not been opened: each report reaches it all the same.
    using Label = QLabel* TAbout_zeph_350::*;
    const struct {
        int reg;
        uint32_t value;
        Label label;
        const char* text;
    } cases[] = {
        {Reg::VERI, 0x1A, &TAbout_zeph_350::label_I, "I = 001A"},
        {Reg::VERK, 0xBEEF, &TAbout_zeph_350::label_k, "K = BEEF"},
        {Reg::VERS, 5, &TAbout_zeph_350::label_s, "S = 0005"},
        {Reg::VERF, 0x12345, &TAbout_zeph_350::label_f, "F = 12345"},
        {Reg::VERV, 0xabc, &TAbout_zeph_350::label_v, "V = 0ABC"},
        {Reg::OPT, 17, &TAbout_zeph_350::label_opt, "OPT = 0011"},
        {Reg::VERUPD, 105, &TAbout_zeph_350::label_verupd, "Version : 1.5"},
        {Reg::VERUPD, 120, &TAbout_zeph_350::label_verupd, "Version : 1.20"},
        {Reg::VERUPD, 7, &TAbout_zeph_350::label_verupd, "Version : 0.7"},
    };
    for (const auto& c : cases) {
        reply(c.reg, c.value);
        ASSERT_NE(about->*c.label, nullptr) << c.text;
        EXPECT_EQ((about->*c.label)->text(), c.text);
    }
    // On a model whose position button needs a recent identifier, the
    // identifier lays the model out again.
    reply(Reg::DEV, 21);
    reply(Reg::OPAT, 1);
    EXPECT_TRUE(out().BitBtn_cadrage_pattern->isHidden());
    reply(Reg::VERI, 32768);
    EXPECT_FALSE(out().BitBtn_cadrage_pattern->isHidden());

    // Without the About box (as while the program ends) the reports are
    // taken and nothing fails.
    w().setCompanions(Companions{});
    reply(Reg::VERI, 1);
    reply(Reg::VERUPD, 1);
    EXPECT_EQ(about->label_I->text(), "I = 8000");
}

// Bit 0 of OPT shows the "Voice over" page, bit 4 the LAN status item and
// its separator.
TEST_F(OutputPage, OptionBitsShowVoiceOverAndLanStatus)
{
    QTabWidget* pages = w().PageControl1;
    const int voiceOver = pages->indexOf(w().voiceOverPage);
    EXPECT_FALSE(pages->isTabVisible(voiceOver)) << "hidden until the device reports the option";
    for (uint32_t opt : {0u, 1u, 16u, 17u, 0u}) {
        reply(Reg::OPT, opt);
        EXPECT_EQ(pages->isTabVisible(voiceOver), (opt & 1) != 0) << opt;
        EXPECT_EQ(w().MLanSetup->isVisible(), (opt & 16) != 0) << opt;
        EXPECT_EQ(w().MLanSeparator->isVisible(), (opt & 16) != 0) << opt;
    }
}

// A burst of every report the page follows, in and out of range, writes
// nothing.
TEST_F(OutputPage, BurstOfReportsWritesNothing)
{
    const int regs[] = {Reg::OFMT,  Reg::OSYNC, Reg::OSCREEN, Reg::OPAT, Reg::MHPOS, Reg::MHSIZ, Reg::MVPOS,
                        Reg::MVSIZ, Reg::OVER,  Reg::IASP,    Reg::HSMT, Reg::VSMT,  Reg::VERI,  Reg::VERK,
                        Reg::VERS,  Reg::VERF,  Reg::VERV,    Reg::VERUPD, Reg::OPT, Reg::REFREQ, Reg::REFSTA};
    for (uint32_t v : {0u, 1u, 2u, 9u, 15u, 16u, 63u, 64u, 255u, 0xFFFFFFFFu})
        for (int r : regs) reply(r, v);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

namespace {

// The page against the simulated device over loopback UDP, each echo some
// milliseconds late.
class OutputPageDevice : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        sim.setReplyDelayMs(EchoDelayMs);
        ASSERT_TRUE(sim.startUdp(0));
        start();
        z().SetIpRemoteAddress(QStringLiteral("127.0.0.1"));
        z().SetIpRemotePort(sim.udpPort());
        z().SetIpLocalPort(0);
        z().SetConType(CON_UDP);
        z().SetForceConn(true);
        z().LinkTimerTick();
        z().LinkTimerTick();
        ASSERT_TRUE(z().Connected());
        // The link asks for every register once up: let that dump pass.
        const QByteArray dump = sim.dump();
        const QByteArray last = dump.mid(dump.lastIndexOf('\n', dump.size() - 2) + 1);
        ASSERT_TRUE(waitFor([&] { return z().receivedString.toLatin1() + "\r\n" == last; }));
    }
    void TearDown() override
    {
        z().SetConType(CON_NONE);
        WindowTest::TearDown();
    }
    static constexpr int EchoDelayMs = 20;
    zeph::SimDevice sim;
};

}  // namespace

// Dragging each pattern bar faster than the device echoes: at most one value
// on its way, one value per echo, and the device ends at the final position.
TEST_F(OutputPageDevice, PatternBarsArePacedByTheEcho)
{
    w().output().PositionTaillemire1Click();
    const struct {
        const char* bar;
        int reg;
        const char* echo;
    } rows[] = {{"ScrollBar_MHPOS", Reg::MHPOS, "MHPO"},
                {"ScrollBar_MHSIZ", Reg::MHSIZ, "MHSZ"},
                {"ScrollBar_MVPOS", Reg::MVPOS, "MVPO"},
                {"ScrollBar_MVSIZ", Reg::MVSIZ, "MVSZ"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bar);
        auto* b = w().findChild<ScrollBarEx*>(QString::fromLatin1(r.bar));
        ASSERT_NE(b, nullptr);
        int echoed = 0, maxInFlight = 0;
        sim.clearCommands();
        sim.onTraffic = [&](const char*, bool incoming, const QByteArray& data) {
            if (!incoming) echoed += int(data.count(r.echo));
            maxInFlight = std::max(maxInFlight, sim.commandCount(r.reg) - echoed);
        };
        // The operator's drag: 25 steps, 3 ms apart.
        int pos = b->value();
        const int steps = 25;
        for (int i = 0; i < steps; ++i) {
            pos = std::max(0, pos - 1 - (i % 2));
            b->setSliderPosition(pos);
            emit b->scrolled(ScrollBarEx::ThumbTrack, pos);
            zephtest::spin(3);
        }
        emit b->scrolled(ScrollBarEx::ThumbPosition, pos);
        emit b->scrolled(ScrollBarEx::EndScroll, pos);
        EXPECT_TRUE(waitFor([&] { return sim.value(r.reg) == uint32_t(pos) && echoed == sim.commandCount(r.reg); }))
            << "device holds " << sim.value(r.reg) << ", final " << pos;
        EXPECT_EQ(sim.value(r.reg), uint32_t(pos));
        EXPECT_LE(maxInFlight, 2) << "one paced value, and the final one";
        EXPECT_LT(sim.commandCount(r.reg), steps / 2) << "the echoes paced the drag";
        EXPECT_TRUE(waitFor([&] { return b->value() == pos; })) << "the last echo leaves the thumb at the end";
        sim.onTraffic = nullptr;
    }
}
