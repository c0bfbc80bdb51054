// End to end: the console against the simulated device on loopback. A
// typed command over UDP comes back as a reply in the traffic view; a text
// script goes out one datagram per character, the final LF held back; over
// TCP a script line longer than the link carries is refused whole and the
// lines around it still go.
#include "console_fixture.h"

#include "qt_wait.h"
#include "simdevice.h"

namespace {

class ConsoleEndToEnd : public WindowTest {
protected:
    TForm_debug& c() { return *windows->Form_debug; }
    zeph::SimDevice sim;
    // What reached the device, datagram by datagram (or TCP chunk).
    QList<QByteArray> incoming;
    void SetUp() override
    {
        WindowTest::SetUp();
        sim.onTraffic = [this](const char*, bool in, const QByteArray& data) {
            // The link's own probes are not the console's.
            if (in && data != "?" && data != "#\r\n") incoming << data;
        };
    }
    void runScript(const QByteArray& content)
    {
        writeFile(QStringLiteral("script.txt"), content);
        prompts.openAnswer = scratch.path(QStringLiteral("script.txt"));
        c().ensureContent();  // the delay bar and the menu of a console not shown
        c().ScrollBar_duration->setValue(0);
        c().Envoyeruntexte1->trigger();
        ASSERT_TRUE(c().scriptSender().running());
        ASSERT_TRUE(zephtest::waitFor([&] { return !c().scriptSender().running(); }, 5000));
    }
};

TEST_F(ConsoleEndToEnd, TypedCommandAndTextScriptOverUdp)
{
    ASSERT_TRUE(sim.startUdp(0));
    start();
    z().SetIpLocalPort(0);
    z().SetIpRemoteAddress(QStringLiteral("127.0.0.1"));
    z().SetIpRemotePort(sim.udpPort());
    z().SetConType(CON_UDP);
    ASSERT_TRUE(z().udpActive());
    c().show();

    QTest::keyClicks(c().Memo_env, QStringLiteral("128B"));
    QTest::keyClick(c().Memo_env, Qt::Key_Return);
    const QString echo = QStringLiteral("BRG128   0080h   0000.0000.1000.0000b");
    ASSERT_TRUE(zephtest::waitFor([&] { return c().Memo_recu->lineCount() > 0; }));
    EXPECT_EQ(c().Memo_recu->line(c().Memo_recu->lineCount() - 1), echo);
    EXPECT_EQ(sim.value(zeph::Reg::BRGT), 128u);
    EXPECT_EQ(incoming, QList<QByteArray>{"128B"});

    // The first line is longer than nine characters: a text, sent one
    // character at a time. The device takes the lone "B" as a query.
    incoming.clear();
    c().Button_clearClick();
    runScript("0123456789\nB\n");
    const QList<QByteArray> chars{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\r", "\n", "B", "\r"};
    ASSERT_TRUE(zephtest::waitFor([&] { return incoming.size() >= chars.size() && c().Memo_recu->lineCount() > 0; }));
    zephtest::spin(30);
    EXPECT_EQ(incoming, chars);
    EXPECT_EQ(c().Memo_recu->line(c().Memo_recu->lineCount() - 1), echo);
    EXPECT_TRUE(c().windowTitle().endsWith(QStringLiteral("  script.txt")));
    z().SetConType(CON_NONE);
}

TEST_F(ConsoleEndToEnd, ScriptLineTooLongForTcpIsRefusedWhole)
{
    ASSERT_TRUE(sim.startTcp(0));
    start();
    z().SetIpRemoteAddress(QStringLiteral("127.0.0.1"));
    z().SetIpRemotePort(sim.tcpPort());
    z().SetConType(CON_TCP);
    ASSERT_TRUE(zephtest::waitFor([&] { return z().tcpActive(); }));

    const QByteArray tooLong(TZEPH350_d::IoBufferSize + 1, '7');
    runScript("128B\n" + tooLong + "\n5D\n");
    ASSERT_TRUE(zephtest::waitFor([&] { return sim.commandCount(zeph::Reg::CONTR) == 1; }));
    zephtest::spin(30);
    EXPECT_EQ(incoming.join(), QByteArray("128B5D"));
    EXPECT_EQ(sim.value(zeph::Reg::BRGT), 128u);
    EXPECT_EQ(sim.value(zeph::Reg::CONTR), 5u);
    z().SetConType(CON_NONE);
}

}  // namespace
