// The console's window, its traffic view and the reception filter.
#include "console_fixture.h"

#include "families.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

using Ev = TZEPH350_d::Event;

namespace {

// The view's columns come from the value the parser converted and the code
// it matched, whatever the spelling of the reply.
struct Formatted {
    const char* reply;
    const char* line;
    uint32_t stored;  // BRGT or DEV afterwards: the parser went on as usual
};
const Formatted kFormats[] = {
    {"BRG300", "BRG300   012Ch   0000.0001.0010.1100b", 300},
    {"BRG$1F", "BRG$1F   001Fh   0000.0000.0001.1111b", 31},
    {"BRG-1", "BRG-1   FFFFFFFFh   1111.1111.1111.1111.1111.1111.1111.1111b", 4294967295u},
    {"BRG 12", "BRG 12   000Ch   0000.0000.0000.1100b", 12},
    {"BRG", "BRG   0000h   0000.0000.0000.0000b", 0},
    {"BRG0x10", "BRG0x10   0010h   0000.0000.0001.0000b", 16},
    {"DEV70000", "DEV70000   11170h   0001.0001.0001.0111.0000b", 70000},
};

TEST_F(ConsoleTest, EachReplyIsShownWithItsConvertedValue)
{
    startConsole();
    int changes = 0;
    z().setHandler(Ev::OnBRGTchange, [&](TZEPH350_d*, int) { ++changes; });
    for (const Formatted& f : kFormats) {
        const int before = changes;
        reply(f.reply);
        ASSERT_FALSE(shown().isEmpty()) << f.reply;
        EXPECT_EQ(shown().back(), QString::fromLatin1(f.line)) << f.reply;
        const bool isDev = QByteArray(f.reply).startsWith("DEV");
        EXPECT_EQ(isDev ? z().DEV() : z().BRGT(), f.stored) << f.reply;
        if (!isDev) {
            EXPECT_EQ(changes, before + 1) << f.reply;
        }
    }
    // A line the parser drops is not shown either.
    const int lines = int(shown().size());
    reply("BRG12 ");
    reply("XYZ1");
    EXPECT_EQ(int(shown().size()), lines);
}

// The hidden console keeps the newest lines only; "&Clear" empties the
// view, the command box, the buffer and its label.
TEST_F(ConsoleTest, TrafficViewKeepsTheNewestLinesAndClears)
{
    startConsole();
    ASSERT_FALSE(c().isVisible());
    const int limit = TrafficView::DefaultLimit;
    QByteArray replies;
    for (int i = 0; i < limit + 5; ++i) replies += "BRG" + QByteArray::number(i) + "\r\n";
    z().receive(replies);
    ASSERT_EQ(c().Memo_recu->lineCount(), limit);
    EXPECT_EQ(shownReplies().front(), QStringLiteral("BRG5"));
    EXPECT_EQ(shownReplies().back(), QStringLiteral("BRG%1").arg(limit + 4));

    QTest::keyClicks(c().Memo_env, QStringLiteral("12"));
    ASSERT_EQ(c().Label1->text(), QStringLiteral("12"));
    c().Button_clear->click();
    EXPECT_EQ(c().Memo_recu->lineCount(), 0);
    EXPECT_TRUE(c().Memo_env->toPlainText().isEmpty());
    EXPECT_TRUE(c().commandBuffer().isEmpty());
    EXPECT_TRUE(c().Label1->text().isEmpty());
    reply("CON7");
    EXPECT_EQ(shownReplies(), QStringList{QStringLiteral("CON7")});
}

// A console nobody opened has none of its controls, yet it follows every
// reply from its creation on: when it first opens, the replies are there,
// in order, within the view's limit, and the view stands on the newest.
TEST_F(ConsoleTest, RepliesBeforeTheFirstShowAreThereWhenItOpens)
{
    startLink();
    EXPECT_EQ(c().findChild<QPushButton*>(QStringLiteral("BitBtn_ADBG_1")), nullptr);
    EXPECT_EQ(c().findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(c().findChild<QMenuBar*>(), nullptr);
    EXPECT_EQ(c().BitBtn_ADBG[0], nullptr);
    ASSERT_NE(c().Memo_recu, nullptr);

    // In two batches, the event loop running between them as the link
    // hands them over; a line the parser drops is not shown.
    const int limit = TrafficView::DefaultLimit;
    QByteArray first, second;
    for (int i = 0; i < limit / 2; ++i) first += "BRG" + QByteArray::number(i) + "\r\n";
    first += "XYZ1\r\n";
    for (int i = limit / 2; i < limit + 4; ++i) second += "CON" + QByteArray::number(i) + "\r\n";
    second += "BRG300\r\n";
    z().receive(first);
    QCoreApplication::processEvents();
    z().receive(second);
    QCoreApplication::processEvents();
    EXPECT_EQ(c().findChild<QPushButton*>(QStringLiteral("BitBtn_ADBG_1")), nullptr) << "built while hidden";

    c().show();
    QCoreApplication::processEvents();
    EXPECT_NE(c().findChild<QPushButton*>(QStringLiteral("BitBtn_ADBG_1")), nullptr);
    ASSERT_EQ(c().Memo_recu->lineCount(), limit);
    const QStringList replies = shownReplies();
    EXPECT_EQ(replies.front(), QStringLiteral("BRG5"));
    EXPECT_EQ(replies[limit / 2 - 6], QStringLiteral("BRG%1").arg(limit / 2 - 1));
    EXPECT_EQ(replies[limit / 2 - 5], QStringLiteral("CON%1").arg(limit / 2));
    EXPECT_EQ(replies[limit - 2], QStringLiteral("CON%1").arg(limit + 3));
    EXPECT_EQ(shown().back(), QStringLiteral("BRG300   012Ch   0000.0001.0010.1100b"));
    const QScrollBar* bar = c().Memo_recu->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum()) << "the view opens on the newest line";
}

// The view keeps its place while older lines drop off the top: a selection
// stays on its line (and goes with it), and a view scrolled back stays on
// the same lines while one at the bottom follows the newest.
TEST(TrafficViewTest, PlaceSurvivesLinesDroppingOff)
{
    TrafficView v;
    v.setLimit(100);
    v.resize(200, 10 * v.fontMetrics().lineSpacing() + 2 * v.frameWidth());
    v.show();
    const auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) v.appendLine(QStringLiteral("L%1").arg(i));
        QCoreApplication::processEvents();
    };
    add(0, 50);
    const int page = v.verticalScrollBar()->pageStep();
    ASSERT_GT(page, 3);
    EXPECT_EQ(v.topLine(), 50 - page);
    v.select(2, 0, 2, 2);
    v.verticalScrollBar()->setValue(20);  // line L20 on top
    add(50, 110);                         // L0 to L9 drop off
    EXPECT_EQ(v.line(0), QStringLiteral("L10"));
    EXPECT_EQ(v.line(v.topLine()), QStringLiteral("L20"));
    EXPECT_TRUE(v.selectedText().isEmpty());  // its line is gone
    v.select(5, 1, 6, 3);
    EXPECT_EQ(v.selectedText(), QStringLiteral("15\nL16"));
    add(110, 113);
    EXPECT_EQ(v.selectedText(), QStringLiteral("15\nL16"));
    v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
    add(113, 120);
    EXPECT_EQ(v.line(v.topLine() + page - 1), QStringLiteral("L119"));
}

// "Disable all" down, then two rows ticked: only those two registers are
// shown. A sixth watched register shows everything again.
TEST_F(ConsoleTest, DisableAllThenWatchAFewRegisters)
{
    startConsole();
    EXPECT_EQ(c().watchedCount(), 6);
    reply("BRG1");
    reply("DEV24");
    EXPECT_EQ(shownReplies(), (QStringList{"BRG1", "DEV24"}));
    c().Button_clearClick();

    c().SpeedButton_Disable_all->click();
    ASSERT_TRUE(c().SpeedButton_Disable_all->isChecked());
    EXPECT_TRUE(c().Button_desactiver_reception->isEnabled());
    for (int r = 0; r < ConsoleRowCount; ++r) ASSERT_FALSE(c().rowTicked(r)) << r;
    toggleByHand("BRG");
    toggleByHand("CON");
    EXPECT_EQ(c().SpeedButton_Disable_all->text(), QStringLiteral("Disable all 2 / 5"));
    for (const char* r : {"BRG1", "COL3", "CON2", "DEV24", "HUE4"}) reply(r);
    EXPECT_EQ(shownReplies(), (QStringList{"BRG1", "CON2"}));
    // However the value is spelt, the register is the one matched.
    c().Button_clearClick();
    for (const char* r : {"BRG 12", "BRG$1F", "BRG-1", "BRG", "CON+3"}) reply(r);
    EXPECT_EQ(shownReplies(), (QStringList{"BRG 12", "BRG$1F", "BRG-1", "BRG", "CON+3"}));

    c().Button_clearClick();
    for (const char* m : {"COL", "HUE", "HP"}) toggleByHand(m);
    EXPECT_EQ(c().SpeedButton_Disable_all->text(), QStringLiteral("Disable all 5 / 5"));
    toggleByHand("VP");  // the sixth
    EXPECT_EQ(c().SpeedButton_Disable_all->text(), QStringLiteral("Disable all"));
    EXPECT_FALSE(c().SpeedButton_Disable_all->isChecked());
    EXPECT_FALSE(c().Button_desactiver_reception->isEnabled());
    for (int r = 0; r < ConsoleRowCount; ++r)
        EXPECT_EQ(c().rowTicked(r), c().mnemonicTable()[size_t(r)] != QLatin1String("DEV")) << r;
    for (const char* r : {"BRG1", "OFMT3", "DEV24"}) reply(r);
    EXPECT_EQ(shownReplies(), (QStringList{"BRG1", "OFMT3", "DEV24"}));
}

// Unticking the device-type row hides device-type replies even while
// everything else is shown, until the row is ticked again; releasing
// "Disable all" does not tick it.
TEST_F(ConsoleTest, DeviceTypeRowHidesItsRepliesUntilTickedAgain)
{
    startConsole();
    toggleByHand("DEV");
    const int dev = c().rowOfMnemonic(QStringLiteral("DEV"));
    EXPECT_FALSE(c().rowTicked(dev));
    EXPECT_EQ(c().suppressedMnemonic(), QStringLiteral("DEV"));
    for (const char* r : {"DEV24", "DEV 24", "DEV$18", "BRG1"}) reply(r);
    EXPECT_EQ(shownReplies(), QStringList{"BRG1"});

    c().SpeedButton_Disable_all->click();
    c().SpeedButton_Disable_all->click();
    EXPECT_FALSE(c().rowTicked(dev));
    EXPECT_TRUE(c().rowTicked(c().rowOfMnemonic(QStringLiteral("BRG"))));
    reply("DEV24");
    EXPECT_EQ(shownReplies(), QStringList{"BRG1"});

    toggleByHand("DEV");
    EXPECT_TRUE(c().suppressedMnemonic().isEmpty());
    reply("DEV24");
    EXPECT_EQ(shownReplies(), (QStringList{"BRG1", "DEV24"}));
}

// Replies write nothing: the console only shows them.
TEST_F(ConsoleTest, BurstOfReportsWritesNothing)
{
    startConsole();
    connect();
    int sentStrings = 0;
    z().setHandler(Ev::OnSentString, [&](TZEPH350_d*, int) { ++sentStrings; });
    c().show();
    QByteArray dump;
    for (const zeph::RegisterInfo& r : zeph::Registers) dump += QByteArray(r.reply.data(), qsizetype(r.reply.size())) + "7\r\n";
    for (int i = 0; i < 3; ++i) z().receive(dump);
    c().SpeedButton_Disable_all->click();
    toggleByHand("BRG");
    z().receive(dump);
    EXPECT_EQ(sentStrings, 0);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(shownReplies().back(), QStringLiteral("BRG7"));
}

TEST_F(ConsoleTest, WindowWidthStaysAndListsFollowTheHeight)
{
    startLink();
    EXPECT_EQ(c().windowTitle(), QStringLiteral("DEBUG ZEPH3502"));
    // Before it first opens: the design's size, the width fixed.
    EXPECT_EQ(c().size(), QSize(605, 680));
    EXPECT_EQ(c().minimumSize(), QSize(605, 660));
    EXPECT_EQ(c().maximumWidth(), 605);
    // The first time it opens, it takes the screen's height below its top.
    c().show();
    EXPECT_EQ(c().minimumSize(), QSize(605, 660));
    EXPECT_EQ(c().maximumWidth(), 605);
    const int clear = c().Button_clear->height();
    const int expected = c().screen()->virtualGeometry().height() - (c().y() + clear) - 20;
    EXPECT_EQ(c().height(), std::max(expected, int(TForm_debug::MinimumHeight)));

    const int H = int(TForm_debug::MinimumHeight) + 40;
    c().resize(700, H);
    QCoreApplication::processEvents();  // the platform reports the new size
    EXPECT_EQ(c().width(), 605);
    ASSERT_EQ(c().height(), H);
    const int top = c().Memo_env->y();
    EXPECT_EQ(c().Memo_env->height(), H - (top + clear + 60));
    EXPECT_EQ(c().Memo_recu->height(), H - (top + clear + 60));
    EXPECT_EQ(receptionList().height(), H - (top + clear + 35));
    EXPECT_EQ(c().Button_clear->y(), c().Memo_env->y() + c().Memo_env->height());

    // Only the first time.
    c().hide();
    c().show();
    QCoreApplication::processEvents();
    EXPECT_EQ(c().height(), H);
}

TEST_F(ConsoleTest, ForceConnectMenuFollowsAndSetsForceConn)
{
    startConsole();
    emit c().ForceConnect1->aboutToShow();
    EXPECT_TRUE(c().Off1->isChecked());
    c().On1->trigger();
    EXPECT_TRUE(z().ForceConn());
    emit c().ForceConnect1->aboutToShow();
    EXPECT_TRUE(c().On1->isChecked());
    EXPECT_FALSE(c().Off1->isChecked());
    c().Off1->trigger();
    EXPECT_FALSE(z().ForceConn());
}

// The console unsubscribes when it goes; the device parses on.
TEST_F(ConsoleTest, ConsoleGoneRepliesStillParse)
{
    startConsole();
    ASSERT_EQ(z().subscriptions(Ev::OnRecString).size(), 1u);
    w().setCompanions(Companions{});
    windows->Form_debug.reset();
    EXPECT_TRUE(z().subscriptions(Ev::OnRecString).empty());
    reply("BRG9");
    EXPECT_EQ(z().BRGT(), 9u);
}

}  // namespace
