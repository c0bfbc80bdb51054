// The device link against the simulated device on loopback:
//   rtt_*     a register write (SetBRGT) to its change event (OnBRGTchange),
//             1,000 writes per transport, median and 99th percentile;
//   raw_*     a bare socket sending the same command to a device of its
//             own, for comparison: for UDP a plain datagram socket read on
//             its notifier in the same event loop as the link; for TCP a Qt
//             socket blocking for its reply. Its round trips alternate with
//             the link's in blocks of 50, so that both figures see the same
//             load on the machine;
//   idle_link_cpu_ms    CPU time of this process over 10 s of a connected,
//                       ready UDP link doing only its keep-alive;
//   tcp_refused_cpu_ms  CPU time over 10 s with ConType TCP and nothing
//                       listening on the port.
// The simulated device runs in a child process, so its CPU time is not in
// the figures; all traffic stays on 127.0.0.1 and a pseudo-terminal.
#include "bench_quiet.h"
#include "qt_wait.h"
#include "simdevice.h"
#include "zeph350_d.h"
#include "serial/comport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Writes = 1000;
constexpr int Warmup = 50;

using Clock = std::chrono::steady_clock;

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double usSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

void runFor(int ms) { zephtest::spin(ms); }
using zephtest::waitFor;


struct Stats {
    double p50 = 0, p99 = 0;
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty()) return {};
    const size_t i99 = std::min(v.size() - 1, size_t(double(v.size()) * 0.99 + 0.5) - 1);
    return {v[v.size() / 2], v[i99]};
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bench_link: %s\n", what);
    std::exit(1);
}

// The devices in a child process: one for the link, one for the bare
// sockets (a device takes one TCP client at a time). It reports
// "udp tcp pty rawudp rawtcp" on the pipe.
struct Child {
    pid_t pid = -1;
    quint16 udp = 0, tcp = 0;
    std::string pty;
    quint16 rawUdp = 0, rawTcp = 0;
};

Child startDevice(int argc, char** argv)
{
    int fds[2];
    if (::pipe(fds) != 0) fail("pipe");
    Child c;
    c.pid = ::fork();
    if (c.pid < 0) fail("fork");
    if (c.pid == 0) {
        ::close(fds[0]);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        QCoreApplication app(argc, argv);
        zeph::SimDevice sim, raw;
        if (!sim.startUdp(0) || !sim.startTcp(0) || !sim.openPty() || !raw.startUdp(0) || !raw.startTcp(0)) _exit(1);
        const std::string line = std::to_string(sim.udpPort()) + " " + std::to_string(sim.tcpPort()) + " " +
                                 sim.ptyPath().toStdString() + " " + std::to_string(raw.udpPort()) + " " +
                                 std::to_string(raw.tcpPort()) + "\n";
        if (::write(fds[1], line.data(), line.size()) != ssize_t(line.size())) _exit(1);
        ::close(fds[1]);
        app.exec();
        _exit(0);
    }
    ::close(fds[1]);
    char buf[256] = {};
    size_t got = 0;
    while (got < sizeof buf - 1) {
        const ssize_t n = ::read(fds[0], buf + got, sizeof buf - 1 - got);
        if (n <= 0) break;
        got += size_t(n);
        if (buf[got - 1] == '\n') break;
    }
    ::close(fds[0]);
    unsigned udp = 0, tcp = 0, rawUdp = 0, rawTcp = 0;
    char pty[200] = {};
    if (std::sscanf(buf, "%u %u %199s %u %u", &udp, &tcp, pty, &rawUdp, &rawTcp) != 5)
        fail("the simulated device did not start");
    c.udp = quint16(udp);
    c.tcp = quint16(tcp);
    c.pty = pty;
    c.rawUdp = quint16(rawUdp);
    c.rawTcp = quint16(rawTcp);
    return c;
}

// Probe, connect, dump and Ready, with the ticks driven by hand so that no
// second of waiting is spent on the timer's intervals.
void bringUp(TZEPH350_d& z, int& dphaseSeen)
{
    z.LinkTimerTick();  // reset
    z.LinkTimerTick();  // "?"
    if (!waitFor([&] { return z.Connected(); }, 2000)) fail("no connection");
    const int before = dphaseSeen;
    z.LinkTimerTick();  // "#"
    if (!waitFor([&] { return dphaseSeen > before; }, 2000)) fail("no dump");
    z.LinkTimerTick();  // Ready
    if (!z.Ready()) fail("not ready");
}

// One register write to its change event.
double linkTrip(TZEPH350_d& z, int& brgtSeen, uint32_t v)
{
    const int before = brgtSeen;
    const auto t0 = Clock::now();
    z.SetBRGT(v);
    while (brgtSeen == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double dt = usSince(t0);
    if (z.BRGT() != v) fail("wrong echo");
    return dt;
}

// A bare datagram socket to its own device, on the same event loop as the
// link: the command out with one sendto, then the loop runs until the
// socket's notifier has read the reply with one recvfrom. That is the least
// any UDP client on this loop does for a reply (a blocking wait beside the
// loop would leave out the loop's own pass, which the link cannot skip).
struct RawUdp {
    int fd = -1;
    sockaddr_in to{};
    std::unique_ptr<QSocketNotifier> notifier;
    int replies = 0;
    explicit RawUdp(quint16 port)
    {
        fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) fail("raw udp bind");
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        notifier = std::make_unique<QSocketNotifier>(qintptr(fd), QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
            char buf[8192];
            if (::recvfrom(fd, buf, sizeof buf, 0, nullptr, nullptr) > 0) ++replies;
        });
    }
    ~RawUdp()
    {
        notifier.reset();
        if (fd >= 0) ::close(fd);
    }
    double trip()
    {
        const int before = replies;
        const auto t0 = Clock::now();
        if (::sendto(fd, "128B", 4, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 4) fail("raw udp send");
        // Waited for as the link's reply is (loopback does not lose it).
        while (replies == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return usSince(t0);
    }
};

struct RawTcp {
    QTcpSocket s;
    QByteArray got;
    explicit RawTcp(quint16 port)
    {
        s.connectToHost(QHostAddress::LocalHost, port);
        if (!s.waitForConnected(1000)) fail("raw tcp connect");
        s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    }
    ~RawTcp() { s.abort(); }
    double trip()
    {
        const auto t0 = Clock::now();
        s.write("128B");
        s.flush();
        got.clear();
        while (!got.endsWith("\r\n")) {
            if (!s.waitForReadyRead(1000)) fail("raw tcp: no reply");
            got += s.readAll();
        }
        return usSince(t0);
    }
};

struct Pair {
    Stats link, raw;
};

// The link's round trips and the bare socket's, in alternating blocks.
template <class Raw>
Pair roundTrips(TZEPH350_d& z, int& brgtSeen, Raw* raw)
{
    constexpr int Block = 50;
    std::vector<double> link, bare;
    link.reserve(Writes);
    bare.reserve(Writes);
    for (int i = 0; i < Warmup; ++i) {
        linkTrip(z, brgtSeen, uint32_t(i % 256));
        if (raw) raw->trip();
    }
    for (int i = 0; i < Writes; i += Block) {
        for (int k = i; k < i + Block; ++k) link.push_back(linkTrip(z, brgtSeen, uint32_t(k % 256)));
        if (raw)
            for (int k = 0; k < Block; ++k) bare.push_back(raw->trip());
    }
    return {stats(link), stats(bare)};
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    const Child dev = startDevice(argc, argv);
    QCoreApplication app(argc, argv);

    TZEPH350_d z;
    int brgtSeen = 0, dphaseSeen = 0;
    z.setHandler(TZEPH350_d::Event::OnBRGTchange, [&](TZEPH350_d*, int) { ++brgtSeen; });
    z.setHandler(TZEPH350_d::Event::OnDPHASEchange, [&](TZEPH350_d*, int) { ++dphaseSeen; });

    // Loopback only: the address is set before any network transport opens.
    z.SetIpLocalPort(0);
    z.SetIpRemoteAddress("127.0.0.1");

    z.SetIpRemotePort(dev.udp);
    z.SetConType(CON_UDP);
    bringUp(z, dphaseSeen);
    RawUdp rawUdp(dev.rawUdp);
    const Pair udp = roundTrips(z, brgtSeen, &rawUdp);

    z.SetConType(CON_NONE);
    z.SetIpRemotePort(dev.tcp);
    z.SetConType(CON_TCP);
    if (!waitFor([&] { return z.tcpActive(); }, 2000)) fail("tcp connect");
    bringUp(z, dphaseSeen);
    Pair tcp;
    {
        RawTcp rawTcp(dev.rawTcp);
        tcp = roundTrips(z, brgtSeen, &rawTcp);
    }

    z.SetConType(CON_NONE);
    z.SetPort(QString::fromStdString(dev.pty));
    z.SetConType(CON_RS232);
    if (!z.comPort()->Opened()) fail("pty open");
    bringUp(z, dphaseSeen);
    const Stats pty = roundTrips<RawUdp>(z, brgtSeen, nullptr).link;

    // Idle: a ready UDP link, keep-alive only, for 10 s.
    z.SetConType(CON_NONE);
    z.SetIpRemotePort(dev.udp);
    z.SetConType(CON_UDP);
    bringUp(z, dphaseSeen);
    double c0 = cpuMs();
    runFor(10000);
    const double idle = cpuMs() - c0;
    if (!z.Connected()) fail("the idle link was lost");

    // A TCP port that nobody listens on: taken from the system, then freed.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) fail("no free port");
        closedPort = probe.serverPort();
    }
    z.SetConType(CON_NONE);
    z.SetIpRemotePort(closedPort);
    z.SetConType(CON_TCP);
    c0 = cpuMs();
    runFor(10000);
    const double refused = cpuMs() - c0;
    z.SetConType(CON_NONE);

    ::kill(dev.pid, SIGTERM);
    ::waitpid(dev.pid, nullptr, 0);

    std::printf("rtt_udp_p50_us: %.1f\n", udp.link.p50);
    std::printf("rtt_udp_p99_us: %.1f\n", udp.link.p99);
    std::printf("rtt_tcp_p50_us: %.1f\n", tcp.link.p50);
    std::printf("rtt_tcp_p99_us: %.1f\n", tcp.link.p99);
    std::printf("rtt_pty_p50_us: %.1f\n", pty.p50);
    std::printf("rtt_pty_p99_us: %.1f\n", pty.p99);
    std::printf("raw_udp_p50_us: %.1f\n", udp.raw.p50);
    std::printf("raw_tcp_p50_us: %.1f\n", tcp.raw.p50);
    std::printf("rtt_udp_vs_raw: %.3f\n", udp.link.p50 / udp.raw.p50);
    std::printf("rtt_tcp_vs_raw: %.3f\n", tcp.link.p50 / tcp.raw.p50);
    std::printf("idle_link_cpu_ms: %.1f\n", idle);
    std::printf("tcp_refused_cpu_ms: %.1f\n", refused);
    return 0;
}
