// The connection settings and the UDP and TCP transports on loopback.
#include "device_fixture.h"
#include "qt_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include "serial/comport.h"

#include <ctime>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using zephtest::spin;
using zephtest::waitFor;

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class UdpTransport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
        rec.attach(z);
        z.SetIpLocalPort(0);
        z.SetIpRemoteAddress("127.0.0.1");
        z.SetIpRemotePort(peer.localPort());
        z.SetConType(CON_UDP);
        ASSERT_TRUE(z.udpActive());
        rec.clear();
    }
    QHostAddress self() const { return QHostAddress::LocalHost; }
    void sendFrom(QUdpSocket& s, const QByteArray& data) { s.writeDatagram(data, self(), z.udpBoundPort()); }

    TZEPH350_d z;
    Recorder rec;
    QUdpSocket peer;
};

}  // namespace

TEST_F(UdpTransport, TakesOnlyTheDevicesAddressAndPort)
{
    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
    sendFrom(stranger, "BRG1\r\n");  // right address, other port
    sendFrom(peer, "BRG2\r\n");
    ASSERT_TRUE(waitFor([&] { return z.BRGT() == 2; }));
    spin(50);
    EXPECT_EQ(rec.events.count("OnBRGTchange"), 1);
}

TEST_F(UdpTransport, SenderAddressIsComparedAsText)
{
    z.SetIpRemoteAddress("127.000.0.1");
    sendFrom(peer, "BRG7\r\n");
    spin(100);
    EXPECT_EQ(z.BRGT(), 0u);
}

TEST_F(UdpTransport, LongDatagramAndNul)
{
    QByteArray big(10000, 'x');
    big.replace(8192 - 8, 8, "\r\nCON9\r\n");  // the line ends exactly at byte 8,192
    big.replace(8192, 6, "COL1\r\n");           // past the cut: never seen
    sendFrom(peer, big);
    ASSERT_TRUE(waitFor([&] { return z.CONTR() == 9; }));
    sendFrom(peer, QByteArray("HUE4\r\n\0BLK5\r\n", 14));
    ASSERT_TRUE(waitFor([&] { return z.HUE() == 4; }));
    spin(50);
    EXPECT_EQ(z.COLOR(), 0u);
    EXPECT_EQ(z.BLKLV(), 0u);
}

// With a broadcast address as the device's, commands go out as broadcasts
// (here on loopback's own) and no reply is taken: no sender has that
// address.
TEST(UdpBroadcast, CommandsGoOutAndNoReplyIsTaken)
{
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress::AnyIPv4, 0));
    TZEPH350_d z;
    QStringList errors;
    z.onUdpSendError = [&](const QString& m) { errors << m; };
    z.SetIpLocalPort(0);
    z.SetIpRemoteAddress("127.255.255.255");
    z.SetIpRemotePort(peer.localPort());
    z.SetConType(CON_UDP);
    ASSERT_TRUE(z.udpActive());
    z.SendText("?");
    ASSERT_TRUE(waitFor([&] { return peer.hasPendingDatagrams(); }));
    const QNetworkDatagram got = peer.receiveDatagram();
    EXPECT_EQ(got.data(), "?");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(z.udpActive());
    peer.writeDatagram("BRG5\r\n", got.senderAddress(), quint16(got.senderPort()));
    spin(100);
    EXPECT_EQ(z.BRGT(), 0u);
}

// A reply's handler may close the endpoint it came through (here by
// switching the transport off), and open it again.
TEST_F(UdpTransport, HandlerClosesAndReopensTheEndpointItsReplyCameThrough)
{
    int changes = 0;
    z.setHandler(TZEPH350_d::Event::OnBRGTchange, [&](TZEPH350_d* s, int) {
        ++changes;
        s->SetConType(CON_NONE);
        if (changes == 1) s->SetConType(CON_UDP);
    });
    sendFrom(peer, "BRG1\r\n");
    ASSERT_TRUE(waitFor([&] { return changes == 1; }));
    spin(20);
    ASSERT_TRUE(z.udpActive());  // open again, on a port of its own
    sendFrom(peer, "BRG2\r\n");
    ASSERT_TRUE(waitFor([&] { return changes == 2; }));
    spin(20);
    EXPECT_EQ(z.BRGT(), 2u);
    EXPECT_FALSE(z.udpActive());
}

// Datagrams that queue up before the event loop runs are each read and
// parsed, in order.
TEST_F(UdpTransport, QueuedDatagramsAreAllRead)
{
    for (const char* line : {"PCH2\r\n", "PEN1\r\n", "PCH3\r\n", "BRG4\r\n"}) sendFrom(peer, line);
    ASSERT_TRUE(waitFor([&] { return z.BRGT() == 4; }));
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnPCHANchange", "OnRecString", "OnPENAchange", "OnRecString",
                                       "OnPCHANchange", "OnRecString", "OnBRGTchange"}));
    EXPECT_EQ(z.perInputEntry(zeph::Reg::PENA, 2), 1u);
    EXPECT_EQ(z.perInputEntry(zeph::Reg::PENA, 3), 0u);
}

// A text longer than one datagram carries is refused before it is sent:
// the endpoint stays open, no error is reported as a socket error would
// be, and the next command goes out.
TEST_F(UdpTransport, TextLongerThanADatagramIsRefusedAndTheLinkStays)
{
    QStringList errors;
    z.onUdpSendError = [&](const QString& m) { errors << m; };
    EXPECT_FALSE(z.SendText(QByteArray(TZEPH350_d::UdpDatagramMax + 1, '7')));
    EXPECT_TRUE(z.udpActive());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(z.SendText(QByteArray(TZEPH350_d::UdpDatagramMax, '8')));  // the largest that fits goes
    EXPECT_TRUE(z.SendText("128B"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(z.udpActive());
    QList<QByteArray> got;
    waitFor([&] {
        while (peer.hasPendingDatagrams()) got << peer.receiveDatagram().data();
        return got.size() >= 2;
    });
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0], QByteArray(TZEPH350_d::UdpDatagramMax, '8'));
    EXPECT_EQ(got[1], "128B");
}

TEST_F(UdpTransport, LocalPortWriteRebindsEvenWithTheSameValue)
{
    z.SetIpLocalPort(0);
    EXPECT_TRUE(z.udpActive());
    EXPECT_EQ(rec.events, QStringList{"OnIpLocalPortchange"});
    z.setLinkState(5);
    z.SetIpLocalPort(0);
    EXPECT_EQ(z.linkState(), 0);  // closed and opened again
    z.setLinkState(5);
    z.SetIpRemotePort(z.IpRemotePort());  // same value: only the event
    EXPECT_EQ(z.linkState(), 5);
    EXPECT_EQ(rec.events.count("OnIpRemotePortchange"), 1);
    z.SetIpLocalPort(70000);  // not a port: the endpoint stays closed
    EXPECT_FALSE(z.udpActive());
}

TEST_F(UdpTransport, SendErrorClosesAndReachesTheHook)
{
    QStringList errors;
    z.onUdpSendError = [&](const QString& m) { errors << m; };
    z.SetIpRemoteAddress("::1");  // an IPv6 peer for an IPv4 endpoint: the socket refuses
    z.SendText("?");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(errors.first().isEmpty());
    EXPECT_FALSE(z.udpActive());
    z.SetIpRemoteAddress("not an address");
    errors.clear();
    z.SendText("?");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(z.udpActive());
    z.SendText("?");  // later sends do nothing
    EXPECT_EQ(errors.size(), 1);
    z.SetIpRemoteAddress("127.0.0.1");
    EXPECT_TRUE(z.udpActive());
}

// A device port outside 0..65535 is no port: the endpoint stays closed as
// for an unusable local port, rather than sending to the port cut to 16
// bits and never accepting a reply from it.
TEST_F(UdpTransport, RemotePortThatIsNoPortKeepsTheEndpointClosed)
{
    const quint16 good = peer.localPort();
    z.SetIpRemotePort(int32_t(good) + 65536);
    EXPECT_EQ(z.IpRemotePort(), int32_t(good) + 65536);
    EXPECT_FALSE(z.udpActive());
    z.SetBRGT(1);
    spin(30);
    EXPECT_FALSE(peer.hasPendingDatagrams());
    z.SetIpRemotePort(-1);
    EXPECT_FALSE(z.udpActive());
    z.SetIpRemotePort(good);
    ASSERT_TRUE(z.udpActive());
}

TEST(TcpTransport, RemotePortThatIsNoPortNeverConnects)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    TZEPH350_d z;
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetIpRemotePort(int32_t(server.serverPort()) + 65536);
    z.SetConType(CON_TCP);
    spin(100);
    EXPECT_FALSE(server.hasPendingConnections());
    EXPECT_FALSE(z.tcpActive());
    EXPECT_FALSE(z.tcpConnecting());
}

TEST_F(UdpTransport, OneDatagramPerCommand)
{
    z.SetForceConn(true);
    z.LinkTimerTick();
    z.SetBRGT(128);
    z.SetOFMT(3);
    z.SetAUTOFRAME(4294967295u);  // the longest text a register write makes
    z.SendCode(zeph::Reg::DEV);
    QList<QByteArray> got;
    waitFor([&] {
        while (peer.hasPendingDatagrams()) got << peer.receiveDatagram().data();
        return got.size() >= 4;
    });
    EXPECT_EQ(got, (QList<QByteArray>{"128B", "3F", "4294967295af", "?"}));
}

TEST(TcpTransport, ConnectsSendsReceivesAndRefusesLongTexts)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    TZEPH350_d z;
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetIpRemotePort(server.serverPort());
    z.SetConType(CON_TCP);
    EXPECT_TRUE(z.tcpConnecting());
    ASSERT_TRUE(waitFor([&] { return server.hasPendingConnections() && z.tcpActive(); }));
    EXPECT_FALSE(z.tcpConnecting());
    QTcpSocket* peer = server.nextPendingConnection();
    EXPECT_FALSE(z.SendText(QByteArray(8193, 'A')));  // refused whole
    z.SendText("?");
    QByteArray got;
    waitFor([&] {
        got += peer->readAll();
        return got.size() >= 1;
    });
    spin(50);
    got += peer->readAll();
    EXPECT_EQ(got, "?");
    peer->write("BRG3\r\nCO");
    peer->write("N4\r\n");
    ASSERT_TRUE(waitFor([&] { return z.CONTR() == 4; }));
    EXPECT_EQ(z.BRGT(), 3u);
}

// More than one read's worth arriving at once is read to its end, each
// reply once and in order.
TEST(TcpTransport, BurstLongerThanTheBufferIsReadWhole)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    TZEPH350_d z;
    std::vector<uint32_t> seen;
    z.setHandler(TZEPH350_d::Event::OnBRGTchange, [&](TZEPH350_d* s, int) { seen.push_back(s->BRGT()); });
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetIpRemotePort(server.serverPort());
    z.SetConType(CON_TCP);
    ASSERT_TRUE(waitFor([&] { return server.hasPendingConnections() && z.tcpActive(); }));
    QTcpSocket* peer = server.nextPendingConnection();
    QByteArray burst;
    for (int i = 0; i < 3000; ++i) burst += "BRG" + QByteArray::number(i) + "\r\n";
    ASSERT_GT(burst.size(), 3 * TZEPH350_d::IoBufferSize);
    peer->write(burst);
    ASSERT_TRUE(waitFor([&] { return seen.size() >= 3000; }, 5000));
    spin(20);
    ASSERT_EQ(seen.size(), 3000u);
    for (uint32_t i = 0; i < 3000; ++i) ASSERT_EQ(seen[i], i);
}

TEST(TcpTransport, RefusedConnectionRetriesAfterAPauseWithoutSpinning)
{
    // A port that refuses at once: listen, note it, close.
    quint16 port = 0;
    {
        QTcpServer s;
        ASSERT_TRUE(s.listen(QHostAddress::LocalHost, 0));
        port = s.serverPort();
    }
    TZEPH350_d z;
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetIpRemotePort(port);
    const double before = cpuMs();
    z.SetConType(CON_TCP);
    spin(1500);
    const double used = cpuMs() - before;
    EXPECT_LT(used, 300.0);  // a retry loop without a pause burns the whole 1.5 s
    // The listener appears: the next retry connects.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
    EXPECT_TRUE(waitFor([&] { return z.tcpActive(); }, 3000));
    // The peer going away is recovered too.
    QTcpSocket* peer = nullptr;
    ASSERT_TRUE(waitFor([&] { return (peer = server.nextPendingConnection()) != nullptr; }));
    peer->abort();
    EXPECT_TRUE(waitFor([&] { return !z.tcpActive(); }));
    EXPECT_TRUE(waitFor([&] { return z.tcpActive(); }, 3000));
}

TEST(ConnectionSwitch, ClosesTheOldTransportFirst)
{
    TZEPH350_d z;
    Recorder rec;
    rec.attach(z);
    z.SetIpLocalPort(0);
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetConType(CON_UDP);
    ASSERT_TRUE(z.udpActive());
    z.SetConType(CON_RS232);  // no port name: nothing opens
    EXPECT_FALSE(z.udpActive());
    EXPECT_FALSE(z.comPort()->Opened());
    EXPECT_TRUE(z.linkTimer().isActive());
    z.SetConType(CON_NONE);
    EXPECT_FALSE(z.linkTimer().isActive());
    EXPECT_EQ(rec.events.count("OnConTypechange"), 3);
}

TEST(SerialTransport, PseudoTerminalCarriesBothWaysAndSamePortReopens)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString slave = QString::fromLocal8Bit(ptsname(master));
    TZEPH350_d z;
    z.SetConType(CON_RS232);
    z.SetPort(slave);  // a path is used as it is
    ASSERT_TRUE(z.comPort()->Opened());
    ASSERT_EQ(::write(master, "BRG5\r\n", 6), 6);
    EXPECT_TRUE(waitFor([&] { return z.BRGT() == 5; }));
    z.SetForceConn(true);
    z.LinkTimerTick();
    z.SetOFMT(3);
    QByteArray got;
    waitFor([&] {
        char b[64];
        const ssize_t n = ::read(master, b, sizeof b);
        if (n > 0) got.append(b, n);
        return got.size() >= 2;
    });
    EXPECT_EQ(got, "3F");
    z.SetForceConn(false);
    z.setLinkState(5);
    z.SetPort(slave);  // the same name: closed and opened again
    EXPECT_EQ(z.linkState(), 0);
    EXPECT_TRUE(z.comPort()->Opened());
    z.SetIpLocalPort(0);
    z.SetIpRemoteAddress("127.0.0.1");
    z.SetConType(CON_UDP);  // switching away closes the port
    EXPECT_FALSE(z.comPort()->Opened());
    z.SetConType(CON_NONE);
    ::close(master);
}
