// The device link against the simulated device over UDP, TCP and a
// pseudo-terminal, in real time on loopback.
//
// The link timer's first tick comes 3 s after a transport opens and the
// first probe 2 s after that. Tests that are about something else start the
// machine by hand (two LinkTimerTick calls: reset, then the first probe);
// from there on the timer runs by itself, so the device-type reply, the
// query of all registers, Ready, the keep-alive and the loss all happen on
// the component's own intervals. One test per transport also waits for the
// very first tick.
#include "qt_wait.h"
#include "simdevice.h"
#include "zeph350_d.h"
#include "serial/comport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUdpSocket>

#include <map>
#include <vector>
#include <string>

using namespace zeph;
using Ev = TZEPH350_d::Event;

namespace {

using zephtest::spin;
using zephtest::waitFor;

enum class Via { Udp, Tcp, Pty };

const char* name(Via v)
{
    switch (v) {
    case Via::Udp: return "udp";
    case Via::Tcp: return "tcp";
    case Via::Pty: return "pty";
    }
    return "";
}

// A component and a simulated device joined by one transport, with the
// component's events and the device's input counted.
class Link {
public:
    Link()
    {
        for (Ev e : {Ev::OnConnected, Ev::OnReady, Ev::OnBRGTchange, Ev::OnDEVchange, Ev::OnPENAchange,
                     Ev::OnDPHASEchange})
            z.setHandler(e, [this, e](TZEPH350_d*, int) {
                ++events[e];
                if (!at.count(e)) at[e] = clock.elapsed();
                if (e == Ev::OnConnected) connectedLog += z.Connected() ? '1' : '0';
                // The keep-alive goes out right after Ready: its baseline is
                // taken here, not when a test gets round to looking.
                if (e == Ev::OnReady && z.Ready()) probesAtReady = probes;
            });
        sim.onTraffic = [this](const char* transport, bool incoming, const QByteArray& data) {
            if (!incoming) return;
            received[transport] += data;
            for (qsizetype n = data.count('?'); n > 0; --n) {
                ++probes[transport];
                probeAt[transport].push_back(clock.elapsed());
            }
        };
        clock.start();
    }

    // The component's peer is the device on loopback: the remote address is
    // set to 127.0.0.1 before any network transport opens.
    void open(Via v)
    {
        switch (v) {
        case Via::Udp:
            ASSERT_TRUE(sim.startUdp(0));
            z.SetIpLocalPort(0);
            z.SetIpRemoteAddress("127.0.0.1");
            z.SetIpRemotePort(sim.udpPort());
            z.SetConType(CON_UDP);
            ASSERT_TRUE(z.udpActive());
            ASSERT_NE(z.udpBoundPort(), 0);
            break;
        case Via::Tcp:
            ASSERT_TRUE(sim.startTcp(0));
            z.SetIpRemoteAddress("127.0.0.1");
            z.SetIpRemotePort(sim.tcpPort());
            z.SetConType(CON_TCP);
            ASSERT_TRUE(waitFor([&] { return z.tcpActive() && sim.tcpClientConnected(); }, 2000));
            break;
        case Via::Pty:
            ASSERT_TRUE(sim.openPty());
            z.SetPort(sim.ptyPath());
            z.SetConType(CON_RS232);
            ASSERT_TRUE(z.comPort()->Opened());
            break;
        }
        ASSERT_TRUE(z.linkTimer().isActive());
        ASSERT_EQ(z.linkState(), 0);
    }

    // Reset and first probe by hand; the reply connects on the timer.
    void connectNow()
    {
        z.LinkTimerTick();  // state 0: reset, probing from now on
        ASSERT_EQ(z.linkState(), 1);
        z.LinkTimerTick();  // state 1: "?"
        ASSERT_TRUE(waitFor([&] { return z.Connected(); }, 1000));
    }

    SimDevice sim;
    TZEPH350_d z;
    std::map<Ev, int> events;
    std::string connectedLog;  // Connected after each OnConnected
    std::map<std::string, QByteArray> received;
    std::map<std::string, int> probes;
    // When things happened, in ms on `clock`, taken as they happen: the
    // first of each event, and every probe the device received.
    QElapsedTimer clock;
    std::map<Ev, qint64> at;
    std::map<std::string, std::vector<qint64>> probeAt;
    std::map<std::string, int> probesAtReady;
};

class SimLink : public ::testing::TestWithParam<Via> {
protected:
    Link l;
};

std::string viaName(const ::testing::TestParamInfo<Via>& info)
{
    return name(info.param);
}

}  // namespace

TEST_P(SimLink, FirstTickThenProbeConnects)
{
    ASSERT_NO_FATAL_FAILURE(l.open(GetParam()));
    QElapsedTimer t;
    t.start();
    // Nothing goes out before the 3 s tick and the 2 s probe after it.
    ASSERT_TRUE(waitFor([&] { return l.z.Connected(); }, 6500));
    EXPECT_GE(t.elapsed(), 4700);  // coarse timers may fire up to 5% early
    EXPECT_EQ(l.probes[name(GetParam())], 1);
    EXPECT_EQ(l.z.DEV(), 24u);
    EXPECT_EQ(l.connectedLog, "1");
}

TEST_P(SimLink, QueryReadyAndKeepAlive)
{
    ASSERT_NO_FATAL_FAILURE(l.open(GetParam()));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    EXPECT_EQ(l.z.linkState(), 3);
    EXPECT_EQ(l.z.Ready(), false);

    // "#" CR LF 2 s after connecting; Ready 2 s after the last dump line.
    // Intervals are measured between the moments the events came, so a
    // slow test only waits longer.
    ASSERT_TRUE(waitFor([&] { return l.events[Ev::OnDPHASEchange] > 0; }, 3000));
    EXPECT_GE(l.at[Ev::OnDPHASEchange] - l.at[Ev::OnConnected], 1750);
    EXPECT_EQ(l.sim.commandCount(Reg::queryall), 1);
    EXPECT_FALSE(l.z.Ready());
    ASSERT_TRUE(waitFor([&] { return l.z.Ready(); }, 3000));
    EXPECT_GE(l.at[Ev::OnReady] - l.at[Ev::OnConnected], 3600);

    // The dump filled the mirror with the device's values.
    struct Check {
        int reg;
        uint32_t expected;
    } checks[] = {{Reg::BRGT, 128}, {Reg::RLV, 64}, {Reg::GLV, 64}, {Reg::DPHASE, 16}, {Reg::PCHAN, 1},
                  {Reg::PENA, 1},   {Reg::ALEV, 32}, {Reg::DEV, 24}};
    for (const Check& c : checks) {
        EXPECT_EQ(l.z.value(c.reg), c.expected) << Registers[size_t(c.reg)].name;
        EXPECT_EQ(l.z.value(c.reg), l.sim.value(c.reg)) << Registers[size_t(c.reg)].name;
    }
    EXPECT_EQ(l.z.LOCAL_IP(), "192.168.0.20");
    EXPECT_EQ(l.z.NETMASK(), "255.255.255.0");
    EXPECT_EQ(l.z.LOCAL_PORT(), 10100);

    // Keep-alive: "?" right after Ready, then one every 2 s while answered.
    const std::string via = name(GetParam());
    ASSERT_EQ(l.probesAtReady.count(via), 1u);
    const int before = l.probesAtReady[via];
    ASSERT_TRUE(waitFor([&] { return l.probes[via] >= before + 2; }, 5000));
    const std::vector<qint64>& probeAt = l.probeAt[via];
    ASSERT_GE(probeAt.size(), size_t(before + 2));
    // The first at once (well before the 2 s period), the next a period on.
    EXPECT_LT(probeAt[size_t(before)] - l.at[Ev::OnReady], 1000);
    EXPECT_GE(probeAt[size_t(before + 1)] - l.at[Ev::OnReady], 1750);
    EXPECT_TRUE(l.z.Connected());
    EXPECT_TRUE(l.z.Ready());
    EXPECT_EQ(l.connectedLog, "1");
    EXPECT_EQ(l.sim.commandCount(Reg::queryall), 1);
}

TEST_P(SimLink, SilenceLosesTheLinkAndProbingFindsItAgain)
{
    ASSERT_NO_FATAL_FAILURE(l.open(GetParam()));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    // Straight to the keep-alive cycle: the query and Ready by hand.
    l.z.LinkTimerTick();  // state 3: "#"
    ASSERT_TRUE(waitFor([&] { return l.events[Ev::OnDPHASEchange] > 0; }, 1000));
    l.z.LinkTimerTick();  // state 4: Ready
    ASSERT_TRUE(l.z.Ready());

    l.sim.setSilent(true);
    QElapsedTimer t;
    t.start();
    // One "?" goes unanswered; 2 s later the link is lost.
    ASSERT_TRUE(waitFor([&] { return !l.z.Connected(); }, 3000));
    EXPECT_GE(t.elapsed(), 1750);
    EXPECT_FALSE(l.z.Ready());
    EXPECT_EQ(l.z.DEV(), 0u);
    EXPECT_EQ(l.connectedLog, "10");
    EXPECT_EQ(l.z.linkState(), 1);

    // Probing goes on every 2 s; the device answers again and connects.
    l.sim.setSilent(false);
    const int before = l.probes[name(GetParam())];
    t.restart();
    ASSERT_TRUE(waitFor([&] { return l.z.Connected(); }, 3000));
    EXPECT_GE(t.elapsed(), 1750);
    EXPECT_EQ(l.probes[name(GetParam())], before + 1);
    EXPECT_EQ(l.connectedLog, "101");
}

struct EchoCase {
    Via via;
    bool noise;
    int chunk;
};

class SimEcho : public ::testing::TestWithParam<EchoCase> {
protected:
    Link l;
};

TEST_P(SimEcho, WriteReachesTheDeviceAndItsEchoRaisesTheChange)
{
    const EchoCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(l.open(c.via));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    l.sim.setNoise(c.noise);
    l.sim.setChunkSize(c.chunk);

    l.z.SetBRGT(77);
    EXPECT_EQ(l.z.BRGT(), 0u) << "the stored value waits for the echo";
    ASSERT_TRUE(waitFor([&] { return l.events[Ev::OnBRGTchange] == 1; }, 1000));
    EXPECT_EQ(l.z.BRGT(), 77u);
    EXPECT_EQ(l.sim.value(Reg::BRGT), 77u);

    // A per-input write after its PCHAN lands on that input only.
    l.z.SetPCHAN(3);
    ASSERT_TRUE(waitFor([&] { return l.z.PCHAN() == 3; }, 1000));
    l.z.SetPENA(false);
    ASSERT_TRUE(waitFor([&] { return l.events[Ev::OnPENAchange] == 1; }, 1000));
    EXPECT_FALSE(l.z.GetPENA());
    EXPECT_EQ(l.sim.perInput(Reg::PENA, 3), 0u);
    EXPECT_EQ(l.sim.perInput(Reg::PENA, 2), 1u);
    EXPECT_EQ(l.events[Ev::OnBRGTchange], 1);
}

INSTANTIATE_TEST_SUITE_P(Transports, SimLink, ::testing::Values(Via::Udp, Via::Tcp, Via::Pty), viaName);
INSTANTIATE_TEST_SUITE_P(Transports, SimEcho,
                         ::testing::Values(EchoCase{Via::Udp, false, 0}, EchoCase{Via::Tcp, false, 0},
                                           EchoCase{Via::Pty, false, 0}, EchoCase{Via::Udp, true, 3},
                                           EchoCase{Via::Tcp, true, 2}, EchoCase{Via::Pty, true, 1}),
                         [](const ::testing::TestParamInfo<EchoCase>& i) {
                             return std::string(name(i.param.via)) + (i.param.noise ? "_noise_chunk" + std::to_string(i.param.chunk) : "");
                         });

TEST(SimLinkUdp, DatagramFromAnotherPortIsIgnored)
{
    Link l;
    ASSERT_NO_FATAL_FAILURE(l.open(Via::Udp));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    QUdpSocket stranger;  // the device's address, not its port
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
    ASSERT_NE(stranger.localPort(), l.sim.udpPort());
    stranger.writeDatagram("BRG5\r\n", QHostAddress::LocalHost, l.z.udpBoundPort());
    spin(100);
    EXPECT_EQ(l.events[Ev::OnBRGTchange], 0);
    EXPECT_EQ(l.z.BRGT(), 0u);
    // The device itself is still heard.
    l.z.SetBRGT(9);
    ASSERT_TRUE(waitFor([&] { return l.events[Ev::OnBRGTchange] == 1; }, 1000));
    EXPECT_EQ(l.z.BRGT(), 9u);
}

TEST(SimLinkTcp, PeerRestartIsRecoveredAfterThePause)
{
    Link l;
    ASSERT_NO_FATAL_FAILURE(l.open(Via::Tcp));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    const quint16 port = l.sim.tcpPort();

    l.sim.stopTcp();
    ASSERT_TRUE(l.sim.startTcp(port));
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(waitFor([&] { return !l.z.tcpActive(); }, 1000));
    EXPECT_EQ(l.z.linkState(), 0);
    // The listener is back at once, yet the component waits its pause
    // before trying again: no storm of connects.
    ASSERT_TRUE(waitFor([&] { return l.z.tcpActive() && l.sim.tcpClientConnected(); }, 2500));
    EXPECT_GE(t.elapsed(), TZEPH350_d::TcpRetryMs - 100);
    EXPECT_EQ(l.sim.tcpConnections(), 2);

    // The link comes back through the ordinary reset and probe.
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    EXPECT_EQ(l.connectedLog, "101");
    l.z.SetBRGT(55);
    ASSERT_TRUE(waitFor([&] { return l.z.BRGT() == 55; }, 1000));
}

TEST(SimLinkSwitch, ConTypeClosesTheOldTransportFirst)
{
    Link l;
    // One device on all three: TCP on the same port number as UDP, so the
    // component's one remote port serves both.
    ASSERT_TRUE(l.sim.startUdp(0));
    bool tcp = l.sim.startTcp(l.sim.udpPort());
    for (int i = 0; i < 20 && !tcp; ++i) tcp = l.sim.startUdp(0) && l.sim.startTcp(l.sim.udpPort());
    ASSERT_TRUE(tcp);
    ASSERT_TRUE(l.sim.openPty());
    l.z.SetIpLocalPort(0);
    l.z.SetIpRemoteAddress("127.0.0.1");
    l.z.SetIpRemotePort(l.sim.udpPort());
    l.z.SetPort(l.sim.ptyPath());
    ASSERT_FALSE(l.z.comPort()->Opened()) << "the port opens only with CON_RS232";

    l.z.SetConType(CON_UDP);
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    EXPECT_EQ(l.probes["udp"], 1);

    l.z.SetConType(CON_TCP);
    EXPECT_FALSE(l.z.udpActive());
    EXPECT_FALSE(l.z.Connected());
    ASSERT_TRUE(waitFor([&] { return l.z.tcpActive() && l.sim.tcpClientConnected(); }, 2000));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    EXPECT_EQ(l.probes["tcp"], 1);

    l.z.SetConType(CON_RS232);
    EXPECT_FALSE(l.z.tcpActive());
    EXPECT_TRUE(l.z.comPort()->Opened());
    ASSERT_TRUE(waitFor([&] { return !l.sim.tcpClientConnected(); }, 1000));
    ASSERT_NO_FATAL_FAILURE(l.connectNow());
    EXPECT_EQ(l.probes["pty"], 1);

    // Each probe went out on the transport of its time only.
    EXPECT_EQ(l.probes["udp"], 1);
    EXPECT_EQ(l.probes["tcp"], 1);
    EXPECT_EQ(l.connectedLog, "10101");

    l.z.SetConType(CON_NONE);
    EXPECT_FALSE(l.z.comPort()->Opened());
    EXPECT_FALSE(l.z.linkTimer().isActive());
}
