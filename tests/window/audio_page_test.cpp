// The "Audio" page and the voice over: audio buttons, "Auto Follow", the
// per-channel levels and balances with their caches, the enabling by mode
// and channel, the master volume, the mute, the microphone and the voice
// over; and that device reports never write.
#include "page_fixture.h"

#include "audio_controller.h"
#include "radio_group.h"
#include "voice_over_controller.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <set>

namespace Reg = zeph::Reg;

namespace {

class AudioPage : public PageTest {
protected:
    AudioController& audio() { return w().audio(); }
    // The channels (1 to 8) whose four controls are usable.
    std::set<int> usableChannels()
    {
        std::set<int> out;
        for (int i = 0; i < 8; ++i) {
            const bool on = audio().ScrollBar_audio[size_t(i)]->isEnabled();
            EXPECT_EQ(audio().ScrollBar_balance[size_t(i)]->isEnabled(), on) << i + 1;
            EXPECT_EQ(audio().Edit_audio[size_t(i)]->isEnabled(), on) << i + 1;
            EXPECT_EQ(audio().Edit_balance[size_t(i)]->isEnabled(), on) << i + 1;
            if (on) out.insert(i + 1);
        }
        return out;
    }
    std::set<int> buttons(bool (QRadioButton::*state)() const)
    {
        std::set<int> out;
        for (int i = 0; i < 8; ++i)
            if ((w().Label_audio[size_t(i)]->*state)()) out.insert(i + 1);
        return out;
    }
};

const std::set<int> All{1, 2, 3, 4, 5, 6, 7, 8};

}  // namespace

// The eight buttons keep their names and their place in the renamable
// list; pressing one asks for that audio input, and only the device's
// report checks it.
TEST_F(AudioPage, AudioButtonsWriteOnMouseDown)
{
    for (int i = 0; i < 8; ++i) {
        QRadioButton* b = w().Label_audio[size_t(i)];
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->objectName(), QStringLiteral("Label_audio%1").arg(i + 1));
        EXPECT_EQ(b->text(), QStringLiteral("Audio %1").arg(i + 1));
        EXPECT_EQ(b->parentWidget(), audio().GroupBox7);
        EXPECT_EQ(w().state.renamable.value(8 + i), b);
    }
    reply(Reg::AMOD, 1);
    reply(Reg::ACHAN, 1);
    sent.clear();
    QRadioButton* third = w().Label_audio[2];
    QTest::mousePress(third, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(sent, QStringList{"3AC"}) << "on the press, before the release";
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(third->isChecked());
    EXPECT_TRUE(w().Label_audio[0]->isChecked());
    reply(Reg::ACHAN, 3);
    EXPECT_EQ(buttons(&QRadioButton::isChecked), std::set<int>{3});
}

// "Auto Follow" toggles the audio mode on a mouse-up, and the device's
// report decides what it shows (the press that gives it the focus checks
// nothing).
TEST_F(AudioPage, AutoFollowTogglesTheModeOnMouseUp)
{
    TGfxRadioButton* follow = audio().RadioButton;
    EXPECT_EQ(follow->Caption(), "Auto Follow");
    for (uint32_t mode : {0u, 1u, 0u, 1u}) {
        reply(Reg::AMOD, mode);
        EXPECT_EQ(follow->Checked(), mode == 0);
        sent.clear();
        operatorClick(w().audioPage, follow, QPoint(5, 8));
        EXPECT_EQ(sent, QStringList{command(Reg::AMOD, mode == 0 ? 1 : 0)});
        EXPECT_EQ(follow->Checked(), mode == 0) << "nothing shown before the device answers";
        reply(Reg::AMOD, mode);  // the device kept its mode
        EXPECT_EQ(follow->Checked(), mode == 0) << "the device decides";
        reply(Reg::AMOD, mode == 0 ? 1 : 0);
        EXPECT_EQ(follow->Checked(), mode != 0);
    }
}

// Only the left button toggles the mode: a right or middle click on
// "Auto Follow" writes nothing and leaves its mark.
TEST_F(AudioPage, AutoFollowIgnoresOtherMouseButtons)
{
    TGfxRadioButton* follow = audio().RadioButton;
    reply(Reg::AMOD, 1);
    operatorClick(w().audioPage, follow, QPoint(5, 8));
    reply(Reg::AMOD, 0);
    sent.clear();
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(follow, b, {}, QPoint(5, 8));
        EXPECT_TRUE(sent.isEmpty()) << b;
        EXPECT_TRUE(follow->Checked()) << b;
    }
}

// The keyboard reaches "Auto Follow" as the mouse does: tabbing onto it
// changes nothing and sends nothing, Space toggles the mode as the
// mouse-up does, and the mark follows the device's report only.
TEST_F(AudioPage, AutoFollowByTheKeyboard)
{
    TGfxRadioButton* follow = audio().RadioButton;
    EXPECT_EQ(follow->size(), QSize(87, 16));
    w().PageControl1->setCurrentWidget(w().audioPage);
    w().show();
    QApplication::setActiveWindow(&w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    // The control before it in the tab order, where Shift+Tab goes.
    follow->setFocus();
    QTest::keyClick(follow, Qt::Key_Backtab, Qt::ShiftModifier);
    QWidget* before = QApplication::focusWidget();
    ASSERT_NE(before, follow);
    for (uint32_t mode : {1u, 0u, 1u}) {
        SCOPED_TRACE(mode);
        reply(Reg::AMOD, mode);
        before->setFocus();
        sent.clear();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(follow->hasFocus());
        EXPECT_EQ(follow->Checked(), mode == 0) << "the focus changes nothing";
        EXPECT_TRUE(sent.isEmpty());
        QTest::keyClick(follow, Qt::Key_Space);
        EXPECT_EQ(sent, QStringList{command(Reg::AMOD, mode == 0 ? 1 : 0)});
        EXPECT_EQ(follow->Checked(), mode == 0) << "until the device answers";
        reply(Reg::AMOD, mode == 0 ? 1 : 0);
        EXPECT_EQ(follow->Checked(), mode != 0);
        EXPECT_EQ(sent.size(), 1) << "the report writes nothing";
    }
}

// A level or balance report goes to the channel PCHAN names: PCHAN 0 sets
// every channel (a bar being dragged too), 1 to 8 one channel (a dragged
// bar keeps its place), and anything beyond the eight channels is kept
// nowhere and changes nothing.
TEST_F(AudioPage, ReportsReachTheChannelPchanNames)
{
    const struct {
        const char* table;
        int reg;
        std::array<ScrollBarEx*, 8>& bars;
        std::array<QLineEdit*, 8>& edits;
        const AudioController::Cache& cache;
        int offset;
    } tables[] = {
        {"level", Reg::ALEV, audio().ScrollBar_audio, audio().Edit_audio, audio().levels(), 0},
        {"balance", Reg::ABALANCE, audio().ScrollBar_balance, audio().Edit_balance, audio().balances(), 32},
    };
    for (const auto& t : tables) {
        for (uint32_t p : {0u, 5u, 9u}) {
            SCOPED_TRACE(std::string(t.table) + ", PCHAN " + std::to_string(p));
            reply(Reg::PCHAN, 0);
            reply(t.reg, 10);
            t.bars[4]->Tag = 1;  // channel 5's bar is being dragged
            reply(Reg::PCHAN, p);
            const auto levels = audio().levels(), balances = audio().balances();
            reply(t.reg, 50);
            if (p > 8) {
                // Kept nowhere: neither table changes, not even past its end.
                EXPECT_EQ(audio().levels(), levels);
                EXPECT_EQ(audio().balances(), balances);
            }
            for (int n = 1; n <= 8; ++n) {
                const bool reached = p == 0 || uint32_t(n) == p;
                const bool moved = p == 0 || (reached && n != 5);
                EXPECT_EQ(t.bars[size_t(n - 1)]->value(), moved ? 50 : 10) << n;
                EXPECT_EQ(t.edits[size_t(n - 1)]->text(), QString::number((reached ? 50 : 10) - t.offset)) << n;
                EXPECT_EQ(t.cache[size_t(n)], reached ? 50u : 10u) << n;
            }
            EXPECT_EQ(t.cache[0], p == 0 ? 50u : 10u);
            t.bars[4]->Tag = 0;
        }
    }
    // A balance of 32 reads 0.
    reply(Reg::PCHAN, 5);
    reply(Reg::ABALANCE, 32);
    EXPECT_EQ(edit("Edit_balance_5")->text(), "0");
    EXPECT_TRUE(sent.isEmpty());
}

// What the operator may use, by audio mode and the channel heard: with the
// audio following the video only the channel heard has a usable button;
// only the channel heard has usable level and balance controls; a channel
// outside 1 to 8 leaves the buttons checked and the controls as they were.
TEST_F(AudioPage, EnablingFollowsModeAndChannel)
{
    reply(Reg::AMOD, 1);
    reply(Reg::ACHAN, 1);
    const struct {
        uint32_t mode, heard;
        bool follow;
        std::set<int> enabledButtons, checked, usable;
    } steps[] = {
        {0, 3, true, {3}, {3}, {3}},     {1, 3, false, All, {3}, {3}}, {1, 0, false, All, {3}, {3}},
        {0, 0, true, {}, {3}, {3}},      {0, 8, true, {8}, {8}, {8}},  {0, 9, true, {}, {8}, {8}},
        {1, 9, false, All, {8}, {8}},    {1, 2, false, All, {2}, {2}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE("AMOD " + std::to_string(s.mode) + ", ACHAN " + std::to_string(s.heard));
        reply(Reg::AMOD, s.mode);
        reply(Reg::ACHAN, s.heard);
        EXPECT_EQ(audio().RadioButton->Checked(), s.follow);
        EXPECT_EQ(buttons(&QRadioButton::isEnabled), s.enabledButtons);
        EXPECT_EQ(buttons(&QRadioButton::isChecked), s.checked);
        EXPECT_EQ(usableChannels(), s.usable);
    }
}

// The master volume writes once, at the end of the drag; the device's
// reports meanwhile change the edit but not the thumb.
TEST_F(AudioPage, MasterVolumeSendsOnceAtTheEnd)
{
    ScrollBarEx* master = audio().ScrollBar_AMAST;
    EXPECT_EQ(master->parentWidget(), w().centralWidget()) << "outside the pages";
    EXPECT_EQ(master->maximum(), 255);
    EXPECT_EQ(master->value(), 128);
    EXPECT_EQ(audio().Label17->text(), "Master\nvolume :");
    for (int pos = 130; pos <= 200; pos += 10) {
        master->setSliderPosition(pos);
        emit master->scrolled(ScrollBarEx::ThumbTrack, pos);
    }
    reply(Reg::AMAST, 90);
    EXPECT_EQ(edit("Edit17")->text(), "90");
    EXPECT_EQ(master->value(), 200);
    emit master->scrolled(ScrollBarEx::ThumbPosition, 200);
    emit master->scrolled(ScrollBarEx::EndScroll, 200);
    EXPECT_EQ(sent, QStringList{"200AV"});
    reply(Reg::AMAST, 90);
    EXPECT_EQ(master->value(), 90);
    sent.clear();
    enter("Edit17", QStringLiteral("300"));
    EXPECT_EQ(sent, QStringList{"300AV"});
}

// The level and balance rows write the channel first, then the value; a
// balance is typed as value - 32; any number goes out as typed.
TEST_F(AudioPage, ChannelRowsWriteTheChannelFirst)
{
    const struct {
        const char* edit;
        const char* text;
        QStringList expected;
    } entries[] = {
        {"Edit_balance_2", "-5", {"2PC", "27AB"}},
        {"Edit_audio_7", "70", {"7PC", "70AL"}},
        {"Edit_balance_1", "-40", {"1PC", "4294967288AB"}},
        {"Edit_audio_3", "x", {}},
    };
    for (const auto& e : entries) {
        sent.clear();
        enter(e.edit, QString::fromLatin1(e.text));
        EXPECT_EQ(sent, e.expected) << e.edit;
    }
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.front().text, "'x' is not a valid integer value");

    const struct {
        const char* bar;
        int code, pos;
        QStringList expected;
        int tag;
    } scrolls[] = {
        {"ScrollBar_audio4", ScrollBarEx::ThumbTrack, 20, {"4PC", "20AL"}, 1},
        {"ScrollBar_audio4", ScrollBarEx::EndScroll, 21, {"4PC", "21AL"}, 0},
        {"ScrollBar_balance_6", ScrollBarEx::LineDown, 40, {"6PC", "40AB"}, 1},
        {"ScrollBar_balance_6", ScrollBarEx::EndScroll, 40, {"6PC", "40AB"}, 0},
    };
    for (const auto& s : scrolls) {
        sent.clear();
        emit bar(s.bar)->scrolled(s.code, s.pos);
        EXPECT_EQ(sent, s.expected) << s.bar;
        EXPECT_EQ(bar(s.bar)->Tag, s.tag) << s.bar;
    }
}

// The mute button asks for the other state and shows the device's.
TEST_F(AudioPage, MuteShowsWhatTheDeviceReports)
{
    QToolButton* mute = audio().SpeedButton_shutamast;
    EXPECT_EQ(mute->text(), "      Audio mute");
    mute->click();
    EXPECT_FALSE(mute->isChecked());
    reply(Reg::AMUTE, 1);
    EXPECT_TRUE(mute->isChecked());
    mute->click();
    reply(Reg::AMUTE, 0);
    EXPECT_FALSE(mute->isChecked());
    EXPECT_EQ(sent, QStringList({"1AM", "0AM"}));
}

// The microphone and voice-over rows: raw values, every scroll event
// writes, Enter sends the number as typed, a report moves the bar unless it
// is being dragged.
TEST_F(AudioPage, MicrophoneAndVoiceOverRows)
{
    const struct {
        const char* bar;
        const char* edit;
        int reg;
        int max;
        QWidget* page;
        bool shown;
    } rows[] = {
        {"ScrollBar_tone", "Edit_tone", Reg::ATONE, 6, w().audioPage, true},
        {"ScrollBar_AMIC", "Edit_AMIC", Reg::AMIC, 64, w().audioPage, false},
        {"ScrollBar_ADEPTH", "Edit_ADEPTH", Reg::ADEPTH, 7, w().voiceOverPage, true},
        {"ScrollBar_ADLEV", "Edit_ADLEV", Reg::ADLEV, 255, w().voiceOverPage, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bar);
        ScrollBarEx* b = bar(r.bar);
        ASSERT_EQ(b->maximum(), r.max);
        EXPECT_EQ(b->value(), 0);
        EXPECT_EQ(b->parentWidget(), r.page);
        EXPECT_EQ(b->isHidden(), !r.shown);
        EXPECT_EQ(edit(r.edit)->isHidden(), !r.shown);
        sent.clear();
        emit b->scrolled(ScrollBarEx::ThumbTrack, 3);
        reply(r.reg, 2);
        EXPECT_EQ(b->value(), 0) << "dragged: the thumb stays";
        EXPECT_EQ(edit(r.edit)->text(), "2");
        emit b->scrolled(ScrollBarEx::EndScroll, 4);
        enter(r.edit, QStringLiteral("9"));
        EXPECT_EQ(sent, QStringList({command(r.reg, 3), command(r.reg, 4), command(r.reg, 9)}));
        reply(r.reg, 9);
        EXPECT_EQ(b->value(), std::min(9, r.max));
        EXPECT_EQ(edit(r.edit)->text(), "9");
    }
}

// The three two-item groups: compression and noise gate take any item but
// the first as true; the release time writes only for its two items.
TEST_F(AudioPage, MicrophoneAndReleaseGroups)
{
    VoiceOverController& vo = w().voiceOver();
    const struct {
        RadioGroup* group;
        int reg;
        void (VoiceOverController::*click)(int);
        QStringList none;  // what a click without an item writes
    } groups[] = {
        {vo.RadioGroup_mic_compression, Reg::ACMP, &VoiceOverController::RadioGroup_mic_compressionClick, {"1AR"}},
        {vo.RadioGroup_mic_noise_gate, Reg::AGAT, &VoiceOverController::RadioGroup_mic_noise_gateClick, {"1AG"}},
        {vo.RadioGroup_release, Reg::ARELEASE, &VoiceOverController::RadioGroup_releaseClick, {}},
    };
    for (const auto& g : groups) {
        SCOPED_TRACE(g.group->objectName().toStdString());
        ASSERT_EQ(g.group->count(), 2);
        sent.clear();
        g.group->button(1)->click();
        g.group->button(0)->click();
        EXPECT_EQ(sent, QStringList({command(g.reg, 1), command(g.reg, 0)}));
        EXPECT_EQ(g.group->ItemIndex(), -1) << "the device decides";
        sent.clear();
        (vo.*g.click)(-1);
        EXPECT_EQ(sent, g.none);
        for (uint32_t v : {1u, 0u, 1u}) {
            reply(g.reg, v);
            EXPECT_EQ(g.group->ItemIndex(), int(v));
        }
    }
    EXPECT_EQ(vo.RadioGroup_mic_compression->button(0)->text(), "2/1");
    EXPECT_EQ(vo.RadioGroup_release->button(1)->text(), "Fast");
}

// A burst of every report the two pages follow writes nothing, also while
// bars are being dragged.
TEST_F(AudioPage, BurstOfReportsWritesNothing)
{
    audio().ScrollBar_audio[0]->Tag = 1;
    audio().ScrollBar_AMAST->Tag = 1;
    const int regs[] = {Reg::PCHAN, Reg::ACHAN, Reg::AMOD,  Reg::ALEV,  Reg::ABALANCE, Reg::AMAST, Reg::AMUTE,
                        Reg::ATONE, Reg::AMIC,  Reg::ADEPTH, Reg::ADLEV, Reg::ACMP,     Reg::AGAT,  Reg::ARELEASE};
    for (uint32_t v : {0u, 1u, 5u, 8u, 9u, 64u, 255u, 0xFFFFFFFFu})
        for (int r : regs) reply(r, v);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}
