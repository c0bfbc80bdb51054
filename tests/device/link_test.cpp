// The link state machine, driven tick by tick; a UDP socket on loopback
// stands in for the device where the test must see what goes out.
#include "device_fixture.h"
#include "qt_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

using namespace zeph;

namespace {

// A peer on loopback that the component sends to.
struct Peer {
    QUdpSocket socket;
    Peer() { socket.bind(QHostAddress::LocalHost, 0); }

    void connect(TZEPH350_d& z)
    {
        z.SetIpLocalPort(0);  // ephemeral, so parallel runs never collide
        z.SetIpRemoteAddress("127.0.0.1");
        z.SetIpRemotePort(socket.localPort());
        z.SetConType(CON_UDP);
    }
    // Every datagram that arrives within a short wait.
    QList<QByteArray> take()
    {
        QList<QByteArray> got;
        socket.waitForReadyRead(50);
        while (socket.hasPendingDatagrams()) got << socket.receiveDatagram().data();
        return got;
    }
};

struct Timer {
    int interval;
    bool active;
};
Timer timerOf(const TZEPH350_d& z) { return {z.linkTimer().interval(), z.linkTimer().isActive()}; }

}  // namespace

TEST(LinkStateMachine, NormalCourse)
{
    TZEPH350_d z;
    Recorder rec;
    rec.attach(z);
    Peer peer;
    EXPECT_EQ(timerOf(z).interval, 3000);
    EXPECT_FALSE(timerOf(z).active);
    peer.connect(z);
    EXPECT_EQ(timerOf(z).interval, 3000);  // first tick 3 s after the first opening
    EXPECT_TRUE(timerOf(z).active);
    EXPECT_EQ(z.linkState(), 0);

    struct Step { const char* reply; uint8_t state; int interval; QList<QByteArray> sent; bool connected; bool ready; };
    // Each row is one tick, or one reply fed to the parser; then the state,
    // the timer and the traffic.
    const Step steps[] = {
        {nullptr, 1, 2000, {}, false, false},
        {nullptr, 1, 2000, {"?"}, false, false},
        {"DEV24", 2, 1, {}, false, false},
        {nullptr, 3, 2000, {}, true, false},
        {nullptr, 4, 2000, {"#\r\n"}, true, false},
        {"BRG1", 4, 2000, {}, true, false},  // dump data restarts the 2 s
        {nullptr, 5, 1, {}, true, true},
        {nullptr, 6, 2000, {"?"}, true, true},
        {"DEV24", 5, 2000, {}, true, true},  // answered: back to alive
        {nullptr, 6, 2000, {"?"}, true, true},
        {nullptr, 0, 1, {}, true, true},  // unanswered: lost
        {nullptr, 1, 2000, {}, false, false},
    };
    for (const Step& s : steps) {
        if (s.reply)
            z.receive(QByteArray(s.reply) + "\r\n");
        else
            z.LinkTimerTick();
        const char* what = s.reply ? s.reply : "tick";
        EXPECT_EQ(z.linkState(), s.state) << what;
        EXPECT_EQ(timerOf(z).interval, s.interval) << what << int(s.state);
        EXPECT_TRUE(timerOf(z).active);
        EXPECT_EQ(peer.take(), s.sent) << what << int(s.state);
        EXPECT_EQ(z.Connected(), s.connected) << what << int(s.state);
        EXPECT_EQ(z.Ready(), s.ready) << what << int(s.state);
    }
    // Loss reset DEV, Ready and Connected, in that order, with their events.
    const int i = int(rec.events.lastIndexOf("OnDEVchange"));
    ASSERT_GE(i, 0);
    EXPECT_EQ(rec.events.mid(i, 3), (QStringList{"OnDEVchange", "OnReady", "OnConnected"}));
    EXPECT_EQ(z.DEV(), 0u);
}

TEST(LinkStateMachine, AnyDataPostponesLossOnlyDeviceTypeAnswers)
{
    TZEPH350_d z;
    z.setLinkState(6);
    z.receive("BRG1\r\n");
    EXPECT_EQ(z.linkState(), 6);
    EXPECT_EQ(timerOf(z).interval, 2000);
    z.receive("garbage\r\n");
    EXPECT_EQ(timerOf(z).interval, 2000);
    EXPECT_TRUE(timerOf(z).active);
    z.receive("DEV22\r\n");
    EXPECT_EQ(z.linkState(), 5);
}

TEST(LinkStateMachine, DataRestartsTimerOnlyInWaitingStates)
{
    for (uint8_t state = 0; state <= 7; ++state) {
        TZEPH350_d z;
        z.setLinkState(state);
        z.receive("x");
        const bool restarts = state == 1 || (state >= 3 && state <= 6);
        EXPECT_EQ(timerOf(z).active, restarts) << int(state);
        EXPECT_EQ(timerOf(z).interval, restarts ? 2000 : 3000) << int(state);
    }
}

// On the real timer: data that comes while the 2 s wait runs moves the
// tick to 2 s after that data, however often it comes, also once the
// timer has already come early and is waiting out the rest.
TEST(LinkStateMachine, DataMovesTheRunningTickOnTheRealTimer)
{
    TZEPH350_d z;
    z.setLinkState(5);
    z.LinkTimerTick();  // the keep-alive query; 2 s to the loss
    ASSERT_EQ(z.linkState(), 6);
    QElapsedTimer sinceData;
    for (const int pause : {600, 1700}) {  // the second comes after the first 2 s ran out
        zephtest::spin(pause);
        ASSERT_EQ(z.linkState(), 6);
        z.receive("x");
        sinceData.start();
    }
    EXPECT_EQ(z.linkInterval(), 2000);
    ASSERT_TRUE(zephtest::waitFor([&] { return z.linkState() != 6; }, 5000));
    EXPECT_GE(sinceData.elapsed(), 1990);
    // Lost (state 0, and 1 ms later probing), and the machine goes on at
    // its own periods.
    EXPECT_LE(z.linkState(), 1);
    ASSERT_TRUE(zephtest::waitFor([&] { return z.linkState() == 1; }, 1000));
    EXPECT_EQ(z.linkInterval(), 2000);
    EXPECT_EQ(timerOf(z).interval, 2000);
}

TEST(LinkStateMachine, StateSevenOrMoreBecomesZeroWithTimerUnchanged)
{
    TZEPH350_d z;
    for (uint8_t s : {7, 8, 255}) {
        z.setLinkState(s);
        z.LinkTimerTick();
        EXPECT_EQ(z.linkState(), 0);
        EXPECT_FALSE(timerOf(z).active);
        EXPECT_EQ(timerOf(z).interval, 3000);
    }
}

TEST(LinkStateMachine, ForceConnWithoutTransport)
{
    TZEPH350_d z;
    Recorder rec;
    rec.attach(z);
    z.SetConType(CON_NONE);
    EXPECT_FALSE(timerOf(z).active);
    z.SetForceConn(true);
    EXPECT_EQ(z.linkState(), 2);
    EXPECT_EQ(timerOf(z).interval, 1);
    EXPECT_TRUE(timerOf(z).active);
    z.LinkTimerTick();
    EXPECT_TRUE(z.Connected());
    // Never lost: 6 goes back to 5.
    z.setLinkState(6);
    z.LinkTimerTick();
    EXPECT_EQ(z.linkState(), 5);
    // A reset in state 0 with ForceConn goes straight to 2.
    z.setLinkState(0);
    z.LinkTimerTick();
    EXPECT_EQ(z.linkState(), 2);
    EXPECT_TRUE(z.Connected());
    // Writing the same value does nothing; False goes to 0 with a 1 ms tick.
    z.setLinkState(4);
    z.SetForceConn(true);
    EXPECT_EQ(z.linkState(), 4);
    z.SetForceConn(false);
    EXPECT_EQ(z.linkState(), 0);
    EXPECT_EQ(timerOf(z).interval, 1);
    z.LinkTimerTick();
    EXPECT_FALSE(z.Connected());
    EXPECT_EQ(z.linkState(), 1);
}

TEST(LinkStateMachine, PlugAndPlayRestartsHandshake)
{
    TZEPH350_d z;
    z.setLinkState(5);
    z.SetQuelb_s_plug_and_play(false);
    EXPECT_EQ(z.linkState(), 5);
    z.SetQuelb_s_plug_and_play(true);
    EXPECT_EQ(z.linkState(), 0);
    EXPECT_FALSE(timerOf(z).active);
}

TEST(LinkStateMachine, ConTypeSwitchKeepsTimerAndResetsLink)
{
    TZEPH350_d z;
    Recorder rec;
    rec.attach(z);
    Peer peer;
    peer.connect(z);
    z.LinkTimerTick();  // 0 -> 1, 2000 ms
    z.receive("DEV24\r\n");
    z.LinkTimerTick();  // connected
    ASSERT_TRUE(z.Connected());
    z.SetIpRemoteAddress("127.0.0.2");  // TCP attempt goes to a closed loopback port
    rec.clear();
    z.SetConType(CON_TCP);
    EXPECT_FALSE(z.udpActive());
    EXPECT_TRUE(timerOf(z).active);
    EXPECT_EQ(timerOf(z).interval, 2000);  // not restarted
    EXPECT_EQ(z.linkState(), 0);
    EXPECT_FALSE(z.Connected());
    EXPECT_EQ(rec.events, (QStringList{"OnDEVchange", "OnConnected", "OnConTypechange"}));
    rec.clear();
    z.SetConType(CON_TCP);
    EXPECT_EQ(rec.events, QStringList{"OnConTypechange"});
    z.SetConType(CON_NONE);
    EXPECT_FALSE(timerOf(z).active);
}

// One run on the real timer: ForceConn connects on its own within the 1 ms
// tick, and the next tick is then 2 s away.
TEST(LinkStateMachine, RealTimeForcedConnection)
{
    TZEPH350_d z;
    bool connected = false;
    z.setHandler(TZEPH350_d::Event::OnConnected, [&](TZEPH350_d* s, int) { connected = s->Connected(); });
    z.SetForceConn(true);
    QElapsedTimer t;
    t.start();
    while (!connected && t.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_TRUE(connected);
    EXPECT_LT(t.elapsed(), 500);
    EXPECT_EQ(z.linkState(), 3);
    EXPECT_EQ(timerOf(z).interval, 2000);
}

// The loss is measured: two seconds of silence after a keep-alive, never
// less (a coarse timer may fire 5 % early) and not much more.
TEST(LinkStateMachine, RealTimeLossComesTwoSecondsAfterTheKeepAlive)
{
    TZEPH350_d z;
    Peer peer;
    peer.connect(z);
    z.receive("DEV24\r\n");  // a device type is held until the loss resets it
    ASSERT_EQ(z.DEV(), 24u);
    QElapsedTimer t;
    qint64 lostAfterMs = -1;
    z.setHandler(TZEPH350_d::Event::OnDEVchange, [&](TZEPH350_d* s, int) {
        if (s->DEV() == 0 && lostAfterMs < 0) lostAfterMs = t.nsecsElapsed() / 1000000;
    });
    z.setLinkState(5);
    z.LinkTimerTick();  // the keep-alive goes out; nothing will answer
    t.start();
    EXPECT_EQ(peer.take(), QList<QByteArray>{"?"});
    while (lostAfterMs < 0 && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    ASSERT_GE(lostAfterMs, 0) << "the link was never declared lost";
    EXPECT_GE(lostAfterMs, 1999);
    EXPECT_LE(lostAfterMs, 2150);
}
