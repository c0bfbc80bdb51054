// Projector stand-by: the "&Stand by" menu, the delay panel, the stand-by
// message dialog and the sequencer that sends a recorded message to the
// device byte by byte, paced by its echo.
#include "window_fixture.h"

#include "regctl/scroll_bar.h"
#include "standby_controller.h"
#include "standby_dialog.h"

#include <QActionGroup>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

using Ev = TZEPH350_d::Event;

namespace {

class StandbyTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        connect();
        z().setHandler(Ev::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
        dialog()->beep = [this] { ++beeps; };
    }
    StandbyController& sb() { return w().standby(); }
    StandbyMessageState& state() { return w().state.standby; }
    TForm_register_code_standby_projector* dialog() { return w().state.win.Form_register_code_standby_projector; }
    QPlainTextEdit* memo() { return dialog()->Memo_register_code_standby_projector; }
    // Opens the dialog from the menu for the ON (or OFF) message.
    void openDialog(bool on = true)
    {
        action(on ? "MessageON1" : "MessageOFF1")->trigger();
        ASSERT_TRUE(dialog()->isVisible());
    }
    std::vector<int> recorded() const
    {
        const StandbyMessageState& s = windows->ZEPH350_main->state.standby;
        return std::vector<int>(s.current().begin(), s.current().begin() + s.Standby_code_count);
    }
    void typeText(const QString& text)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(memo(), &e);
    }
    QStringList sent;
    int beeps = 0;
};

}  // namespace

// "On" and "Off" write STDBY, the baud items MESSRATE; their marks follow
// the device only.
TEST_F(StandbyTest, StandbyAndBaudRateItems)
{
    struct Write {
        const char* item;
        const char* sent;
    };
    const Write writes[] = {{"On_stdby", "1ws"},     {"Off_stdby", "0ws"},    {"N19200bauds1", "3wr"},
                            {"N9600bauds1", "0wr"},  {"N2400bauds1", "1wr"},  {"N1200bauds1", "2wr"}};
    for (const Write& c : writes) {
        sent.clear();
        action(c.item)->trigger();
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(c.sent)}) << c.item;
        EXPECT_FALSE(action(c.item)->isChecked()) << c.item;
    }
    struct Report {
        const char* line;
        const char* checked;  // the one mark of its group
    };
    const Report reports[] = {{"STDB1", "On_stdby"},     {"STDB0", "Off_stdby"},   {"RATE0", "N9600bauds1"},
                              {"RATE1", "N2400bauds1"},  {"RATE2", "N1200bauds1"}, {"RATE3", "N19200bauds1"},
                              {"RATE4", "N19200bauds1"}};
    for (const Report& r : reports) {
        reply(r.line);
        EXPECT_TRUE(action(r.checked)->isChecked()) << r.line;
        for (QAction* other : action(r.checked)->actionGroup()->actions()) {
            if (other != action(r.checked)) {
                EXPECT_FALSE(other->isChecked()) << r.line;
            }
        }
    }
}

// The delay label while the bar moves; only the end of the action writes.
TEST_F(StandbyTest, DelayBarWritesAtTheEnd)
{
    struct Case {
        int pos;
        const char* label;
    };
    const Case cases[] = {{0, "Off"}, {90, "1h : 30min"}, {125, "2h : 5min"}, {60, "1h : 0min"}, {59, "0h : 59min"}};
    ScrollBarEx* bar = sb().GfxScrollBar_delay;
    for (const Case& c : cases) {
        sent.clear();
        int pos = c.pos;
        sb().GfxScrollBar_delayScroll(bar, ScrollBarEx::ThumbTrack, pos);
        EXPECT_EQ(sb().Label_delay->text(), QString::fromLatin1(c.label)) << c.pos;
        EXPECT_TRUE(sent.isEmpty()) << c.pos;
        sb().GfxScrollBar_delayScroll(bar, ScrollBarEx::EndScroll, pos);
        EXPECT_EQ(sent, QStringList{QStringLiteral("%1wp").arg(c.pos)}) << c.pos;
    }
}

// The reported delay moves the label and the bar, but not a bar being
// dragged; an arrow click then steps from the device's delay.
TEST_F(StandbyTest, DelayBarFollowsTheDevice)
{
    action("DelayStandby1")->trigger();
    ASSERT_TRUE(sb().Panel_panelstby->isVisibleTo(w().centralWidget()));
    ScrollBarEx* bar = sb().GfxScrollBar_delay;
    reply("STBE125");
    EXPECT_EQ(sb().Label_delay->text(), QStringLiteral("2h : 5min"));
    EXPECT_EQ(bar->value(), 125);
    EXPECT_TRUE(sent.isEmpty());

    w().show();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(sent, QStringList{"126wp"});

    // While the operator drags, a report moves the label only.
    int pos = 200;
    sb().GfxScrollBar_delayScroll(bar, ScrollBarEx::ThumbTrack, pos);
    bar->setSliderPosition(200);
    reply("STBE30");
    EXPECT_EQ(sb().Label_delay->text(), QStringLiteral("0h : 30min"));
    EXPECT_EQ(bar->sliderPosition(), 200);
    sb().GfxScrollBar_delayScroll(bar, ScrollBarEx::EndScroll, pos);
    reply("STBE200");
    EXPECT_EQ(bar->value(), 200);

    QTest::mouseClick(sb().BitBtn3, Qt::LeftButton);
    EXPECT_FALSE(sb().Panel_panelstby->isVisibleTo(w().centralWidget()));
}

// Showing the dialog starts a new recording of the chosen message.
TEST_F(StandbyTest, ShowStartsARecording)
{
    state().Code_off.fill(7);
    state().Standby_code_count = 9;
    openDialog(false);
    EXPECT_EQ(sent, QStringList{"8wt"});
    EXPECT_FALSE(state().Standby_message_on);
    EXPECT_EQ(state().Standby_code_count, 0);
    EXPECT_TRUE(std::all_of(state().Code_off.begin(), state().Code_off.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(dialog()->windowTitle(),
              QStringLiteral("Register code stand by projector: Message OFF  (50 Characters maximum)"));
    // The other message chosen while it is open starts over.
    typeText(QStringLiteral("x"));
    openDialog(true);
    EXPECT_EQ(sent, (QStringList{"8wt", "4wt"}));
    EXPECT_EQ(state().Standby_code_count, 0);
    EXPECT_TRUE(memo()->toPlainText().isEmpty());
    EXPECT_EQ(dialog()->windowTitle(),
              QStringLiteral("Register code stand by projector: Message ON  (50 Characters maximum)"));
}

// The memo's keys: what each records, the echo, and what the memo shows.
TEST_F(StandbyTest, MemoKeys)
{
    struct Key {
        Qt::Key key;
        const char* text;
        Qt::KeyboardModifiers mods = Qt::NoModifier;
    };
    struct Case {
        std::vector<Key> keys;
        std::vector<int> bytes;
        const char* echo;
        const char* memo;
        int beeps;
    };
    const Case cases[] = {
        {{{Qt::Key_A, "A"}, {Qt::Key_Tab, ""}, {Qt::Key_Return, ""}},
         {65, 9, 13, 10},
         "A + <Htab> + <CR> + <LF>",
         "A\t\n",
         0},
        {{{Qt::Key_Enter, ""}}, {13, 10}, " <CR> + <LF>", "\n", 0},
        {{{Qt::Key_A, "a"}, {Qt::Key_B, "b"}, {Qt::Key_Backspace, ""}}, {97, 98, 8}, "a + b + <Backspace>", "a", 0},
        {{{Qt::Key_Space, " "}, {Qt::Key_unknown, "\x02"}}, {32, 2}, "  + \x02", " ", 0},
        // Ctrl and a letter: its control byte, whatever the text.
        {{{Qt::Key_B, "b", Qt::ControlModifier}, {Qt::Key_C, "", Qt::ControlModifier}}, {2, 3}, "\x02 + \x03", "", 0},
        // Not one byte the device can be sent: refused, three beeps each.
        {{{Qt::Key_unknown, "\xc3\xa9"}, {Qt::Key_unknown, "\xe2\x82\xac"}, {Qt::Key_unknown, "\xf0\x9f\x98\x80"}},
         {},
         "",
         "",
         9},
        // Keys that only move the cursor record nothing; typing goes on at
        // the end.
        {{{Qt::Key_A, "A"}, {Qt::Key_Home, ""}, {Qt::Key_B, "B"}, {Qt::Key_Delete, ""}}, {65, 66}, "A + B", "AB", 0},
    };
    for (const Case& c : cases) {
        openDialog();
        beeps = 0;
        for (const Key& k : c.keys) {
            QKeyEvent e(QEvent::KeyPress, k.key, k.mods, QString::fromUtf8(k.text));
            QCoreApplication::sendEvent(memo(), &e);
        }
        EXPECT_EQ(recorded(), c.bytes) << c.echo;
        EXPECT_EQ(dialog()->Edit_recopy_to_see->text(), QString::fromUtf8(c.echo));
        EXPECT_EQ(memo()->toPlainText(), QString::fromUtf8(c.memo)) << c.echo;
        EXPECT_EQ(beeps, c.beeps) << c.echo;
        dialog()->hide();
    }
}

// At 50 recorded bytes a key beeps three times and changes nothing; an
// Enter at 49 still records CR and LF.
TEST_F(StandbyTest, MemoLimit)
{
    for (int at : {50, 49}) {
        openDialog();
        beeps = 0;
        for (int i = 0; i < at; ++i) typeText(QStringLiteral("x"));
        if (at == 49) QTest::keyClick(memo(), Qt::Key_Return);
        ASSERT_EQ(beeps, 0);
        const int count = state().Standby_code_count;
        EXPECT_EQ(count, at == 50 ? 50 : 51);
        const QString echo = dialog()->Edit_recopy_to_see->text();
        const QString shown = memo()->toPlainText();
        const auto buffer = state().Code_on;
        typeText(QStringLiteral("y"));
        EXPECT_EQ(beeps, 3);
        EXPECT_EQ(state().Standby_code_count, count);
        EXPECT_EQ(dialog()->Edit_recopy_to_see->text(), echo);
        EXPECT_EQ(memo()->toPlainText(), shown);
        EXPECT_EQ(state().Code_on, buffer);
        dialog()->hide();
    }
}

// Text that would enter without being recorded stays out: paste, drops
// and input methods.
TEST_F(StandbyTest, MemoTakesOnlyKeys)
{
    openDialog();
    w().show();
    typeText(QStringLiteral("A"));
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    memo()->paste();
    QTest::keyClick(memo(), Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent ime(QString(), {});
    ime.setCommitString(QStringLiteral("IME"));
    QCoreApplication::sendEvent(memo(), &ime);
    QMimeData mime;
    mime.setText(QStringLiteral("DROPPED"));
    const QPoint at = memo()->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memo()->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memo()->viewport(), &drop);
    const QString text = memo()->toPlainText();
    EXPECT_FALSE(text.contains(QStringLiteral("PASTED")));
    EXPECT_FALSE(text.contains(QStringLiteral("IME")));
    EXPECT_FALSE(text.contains(QStringLiteral("DROPPED")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("A")));
    // Whatever was recorded is what the echo shows.
    QString echo;
    for (int b : recorded()) TForm_register_code_standby_projector::appendToken(echo, uint8_t(b));
    EXPECT_EQ(dialog()->Edit_recopy_to_see->text(), echo);
    // Ctrl+V is the byte 22, not a paste.
    EXPECT_EQ(recorded(), (std::vector<int>{65, 22}));
}

// Tab alone is typed into the memo; Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab
// record nothing and take the focus out of it, as in a multi-line edit that
// takes Tab. The keys go to the widget that has the focus.
TEST_F(StandbyTest, MemoTabKeys)
{
    openDialog();
    QApplication::setActiveWindow(dialog());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QWidget* focus;  // after the key
        std::vector<int> bytes;
    };
    const Case cases[] = {
        {Qt::Key_Tab, Qt::NoModifier, memo(), {9}},
        {Qt::Key_Backtab, Qt::ShiftModifier, dialog()->BitBtn1, {}},
        {Qt::Key_Tab, Qt::ShiftModifier, dialog()->BitBtn1, {}},
        {Qt::Key_Tab, Qt::ControlModifier, dialog()->Edit_recopy_to_see, {}},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, dialog()->BitBtn1, {}},
        {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, dialog()->BitBtn1, {}},
    };
    for (const Case& c : cases) {
        const QString name = QKeySequence(c.key | c.mods).toString();
        dialog()->BitBtn_clearClick();
        // Into the memo as the operator goes there: a click.
        QTest::mouseClick(memo()->viewport(), Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), memo()) << name.toStdString();
        QTest::keyClick(QApplication::focusWidget(), c.key, c.mods);
        EXPECT_EQ(recorded(), c.bytes) << name.toStdString();
        EXPECT_EQ(memo()->toPlainText(), c.bytes.empty() ? QString() : QStringLiteral("\t")) << name.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), c.focus) << name.toStdString();
    }
}

// A keyboard alone types a message and reaches OK: Return or Space there
// starts the sequencer and leaves the window open; Space on Cancel closes.
TEST_F(StandbyTest, KeyboardReachesTheButtons)
{
    openDialog();
    QApplication::setActiveWindow(dialog());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    ASSERT_EQ(QApplication::focusWidget(), memo());
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Tab}) QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dialog()->BitBtn_ok);
    EXPECT_EQ(recorded(), (std::vector<int>{int('a'), 9}));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        sent.clear();
        state().Sequencer_state = 0;
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(sent, QStringList{"1wt"}) << QKeySequence(key).toString().toStdString();
        EXPECT_EQ(state().Sequencer_state, 1);
        EXPECT_TRUE(dialog()->isVisible());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), memo());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), dialog()->BitBtn1);
    sent.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(sent.isEmpty());
}

// OK by mouse starts the sequencer and closes; from the keyboard it leaves
// the window open; Cancel closes and writes nothing.
TEST_F(StandbyTest, OkAndCancel)
{
    w().show();
    openDialog();
    typeText(QStringLiteral("A"));
    sent.clear();
    QTest::mouseClick(dialog()->BitBtn_ok, Qt::LeftButton);
    EXPECT_EQ(sent, QStringList{"1wt"});
    EXPECT_EQ(state().Sequencer_state, 1);
    EXPECT_FALSE(dialog()->isVisible());

    openDialog(false);
    state().Sequencer_state = 0;
    sent.clear();
    dialog()->BitBtn_ok->setFocus();
    QTest::keyClick(dialog()->BitBtn_ok, Qt::Key_Space);
    EXPECT_EQ(sent, QStringList{"2wt"});
    EXPECT_EQ(state().Sequencer_state, 1);
    EXPECT_TRUE(dialog()->isVisible());

    sent.clear();
    QTest::mouseClick(dialog()->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_FALSE(dialog()->isVisible());
}

// Clear zeroes what was recorded (and the byte after it), empties both
// texts and ends the recording on the device.
TEST_F(StandbyTest, Clear)
{
    for (bool on : {true, false}) {
        openDialog(on);
        for (const char* k : {"a", "b", "c"}) typeText(QString::fromLatin1(k));
        state().current()[3] = 9;
        state().current()[4] = 9;
        sent.clear();
        dialog()->BitBtn_clear->click();
        EXPECT_EQ(sent, (on ? QStringList{"1wt", "0wo"} : QStringList{"2wt", "0wf"}));
        EXPECT_EQ(state().Standby_code_count, 0);
        for (int i = 0; i <= 3; ++i) EXPECT_EQ(state().current()[size_t(i)], 0) << i;
        EXPECT_EQ(state().current()[4], 9);
        EXPECT_TRUE(dialog()->Edit_recopy_to_see->text().isEmpty());
        EXPECT_TRUE(memo()->toPlainText().isEmpty());
        dialog()->hide();
    }
}

// While the device records (MESSCTRL bit 2 or 3), the bytes it reports
// are recorded alone (a CR without LF) and their tokens appended to the
// memo; at the limit, nothing is shown for a refused byte.
TEST_F(StandbyTest, DeviceBytesAreRecorded)
{
    openDialog();
    reply("MCTR4");
    reply("MESO9");
    EXPECT_EQ(recorded(), std::vector<int>{9});
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral(" <Htab>"));
    EXPECT_EQ(dialog()->Edit_recopy_to_see->text(), QStringLiteral(" <Htab>"));
    reply("MESO13");
    reply("MESO321");  // the low byte: "A"
    EXPECT_EQ(recorded(), (std::vector<int>{9, 13, 65}));
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral(" <Htab> + <CR> + A"));
    // Bytes of the other message, or when the device does not record, are
    // not recorded.
    reply("MESF66");
    reply("MCTR1");
    reply("MESO67");
    EXPECT_EQ(recorded(), (std::vector<int>{9, 13, 65}));

    reply("MCTR4");
    for (int i = 3; i < 50; ++i) reply("MESO120");
    ASSERT_EQ(state().Standby_code_count, 50);
    const QString shown = memo()->toPlainText();
    beeps = 0;
    reply("MESO121");
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(memo()->toPlainText(), shown);
    EXPECT_EQ(state().Standby_code_count, 50);
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), [](const QString& s) { return s.endsWith("wo"); }));

    // Closed, the dialog records nothing more (the device may still be in
    // recording mode).
    openDialog();
    dialog()->BitBtn1->click();
    reply("MCTR4");
    reply("MESO65");
    EXPECT_EQ(state().Standby_code_count, 0);
}

// The sequencer with a three-byte ON message: each right echo sends the
// next byte, a wrong echo holds, the last echo sends nothing.
TEST_F(StandbyTest, SequencerIsPacedByTheEcho)
{
    openDialog();
    typeText(QStringLiteral("A"));
    QTest::keyClick(memo(), Qt::Key_Return);
    ASSERT_EQ(recorded(), (std::vector<int>{65, 13, 10}));
    dialog()->BitBtn_okClick();
    struct Step {
        const char* line;
        QStringList sent;
        int state;
    };
    const Step steps[] = {
        {"MCTR2", {}, 1},  // the other message's bit: no start
        {"MCTR1", {"65wo"}, 2},   {"MESO66", {}, 2},        {"MESO65", {"13wo"}, 2},
        {"MESF13", {}, 2},        {"MESO13", {"10wo"}, 2},  {"MESO10", {}, 2},
        {"MESO10", {}, 2},
    };
    for (const Step& s : steps) {
        sent.clear();
        reply(s.line);
        EXPECT_EQ(sent, s.sent) << s.line;
        EXPECT_EQ(state().Sequencer_state, s.state) << s.line;
    }
    EXPECT_EQ(sb().sequencerIndex(), 3);
}

// The OFF message goes through MESSOFF; a start with nothing recorded sends
// byte 0 once and then returns to idle.
TEST_F(StandbyTest, SequencerOffMessageAndCountZero)
{
    openDialog(false);
    typeText(QStringLiteral("z"));
    dialog()->BitBtn_okClick();
    sent.clear();
    reply("MCTR2");
    reply("MESF122");
    EXPECT_EQ(sent, QStringList{"122wf"});
    EXPECT_EQ(state().Sequencer_state, 2);

    openDialog(false);
    dialog()->BitBtn_okClick();
    sent.clear();
    reply("MCTR2");
    EXPECT_EQ(sent, QStringList{"0wf"});
    EXPECT_EQ(state().Sequencer_state, 2);
    reply("MESF0");
    EXPECT_EQ(sent, QStringList{"0wf"});
    EXPECT_EQ(state().Sequencer_state, 0);
}

// A burst of every report the family follows writes nothing while the
// sequencer is idle.
TEST_F(StandbyTest, BurstOfReportsWritesNothing)
{
    const char* const lines[] = {"STDB1", "STBE90", "RATE2", "MCTR1", "MESO65", "MESF66",
                                 "MCTR4", "MESO9",  "MCTR8", "MESF13", "STDB0", "MCTR2"};
    for (int round = 0; round < 3; ++round)
        for (const char* l : lines) reply(l);
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

// The window is measured when first shown: as wide as designed, as high as
// its memo, echo line and buttons need, every button inside it.
TEST_F(StandbyTest, TheDialogIsShownAtItsMeasuredSize)
{
    openDialog();
    EXPECT_EQ(dialog()->width(), 785);
    EXPECT_EQ(dialog()->height(), dialog()->sizeHint().height());
    EXPECT_EQ(dialog()->minimumSize(), dialog()->maximumSize()) << "a fixed size";
    for (QWidget* b : {static_cast<QWidget*>(dialog()->BitBtn_ok), static_cast<QWidget*>(dialog()->BitBtn_clear),
                       static_cast<QWidget*>(dialog()->BitBtn1), static_cast<QWidget*>(memo())})
        EXPECT_TRUE(dialog()->rect().contains(b->geometry())) << b->objectName().toStdString();
}
