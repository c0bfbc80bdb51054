// The device link against the simulated device on loopback:
//   rtt_*     a register write (SetBRGT) to its change event (OnBRGTchange),
//             1,000 writes per transport, median and 99th percentile;
//   raw_*     a bare Qt socket sending the same command to the same device
//             and blocking for its reply, for comparison;
//   idle_link_cpu_ms    CPU time of this process over 10 s of a connected,
//                       ready UDP link doing only its keep-alive;
//   tcp_refused_cpu_ms  CPU time over 10 s with ConType TCP and nothing
//                       listening on the port.
// The simulated device runs in a child process, so its CPU time is not in
// the figures; all traffic stays on 127.0.0.1 and a pseudo-terminal.
#include "qt_wait.h"
#include "simdevice.h"
#include "zeph350_d.h"
#include "serial/comport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/prctl.h>
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

// The device in a child process; it reports "udp tcp pty" on the pipe.
struct Child {
    pid_t pid = -1;
    quint16 udp = 0, tcp = 0;
    std::string pty;
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
        zeph::SimDevice sim;
        if (!sim.startUdp(0) || !sim.startTcp(0) || !sim.openPty()) _exit(1);
        const std::string line = std::to_string(sim.udpPort()) + " " + std::to_string(sim.tcpPort()) + " " +
                                 sim.ptyPath().toStdString() + "\n";
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
    unsigned udp = 0, tcp = 0;
    char pty[200] = {};
    if (std::sscanf(buf, "%u %u %199s", &udp, &tcp, pty) != 3) fail("the simulated device did not start");
    c.udp = quint16(udp);
    c.tcp = quint16(tcp);
    c.pty = pty;
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

Stats roundTrips(TZEPH350_d& z, int& brgtSeen)
{
    std::vector<double> us;
    us.reserve(Writes);
    for (int i = 0; i < Warmup + Writes; ++i) {
        const uint32_t v = uint32_t(i % 256);
        const int before = brgtSeen;
        const auto t0 = Clock::now();
        z.SetBRGT(v);
        while (brgtSeen == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double dt = usSince(t0);
        if (z.BRGT() != v) fail("wrong echo");
        if (i >= Warmup) us.push_back(dt);
    }
    return stats(us);
}

double rawUdp(quint16 port)
{
    QUdpSocket s;
    if (!s.bind(QHostAddress::LocalHost, 0)) fail("raw udp bind");
    std::vector<double> us;
    char buf[256];
    for (int i = 0; i < Warmup + Writes; ++i) {
        const auto t0 = Clock::now();
        s.writeDatagram("128B", 4, QHostAddress::LocalHost, port);
        if (!s.waitForReadyRead(1000)) fail("raw udp: no reply");
        s.readDatagram(buf, sizeof buf);
        if (i >= Warmup) us.push_back(usSince(t0));
    }
    return stats(us).p50;
}

double rawTcp(quint16 port)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(1000)) fail("raw tcp connect");
    s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    std::vector<double> us;
    QByteArray got;
    for (int i = 0; i < Warmup + Writes; ++i) {
        const auto t0 = Clock::now();
        s.write("128B");
        s.flush();
        got.clear();
        while (!got.endsWith("\r\n")) {
            if (!s.waitForReadyRead(1000)) fail("raw tcp: no reply");
            got += s.readAll();
        }
        if (i >= Warmup) us.push_back(usSince(t0));
    }
    s.abort();
    return stats(us).p50;
}

}  // namespace

int main(int argc, char** argv)
{
    const Child dev = startDevice(argc, argv);
    QCoreApplication app(argc, argv);

    const double rawU = rawUdp(dev.udp);
    const double rawT = rawTcp(dev.tcp);

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
    const Stats udp = roundTrips(z, brgtSeen);

    z.SetConType(CON_NONE);
    z.SetIpRemotePort(dev.tcp);
    z.SetConType(CON_TCP);
    if (!waitFor([&] { return z.tcpActive(); }, 2000)) fail("tcp connect");
    bringUp(z, dphaseSeen);
    const Stats tcp = roundTrips(z, brgtSeen);

    z.SetConType(CON_NONE);
    z.SetPort(QString::fromStdString(dev.pty));
    z.SetConType(CON_RS232);
    if (!z.comPort()->Opened()) fail("pty open");
    bringUp(z, dphaseSeen);
    const Stats pty = roundTrips(z, brgtSeen);

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

    std::printf("rtt_udp_p50_us: %.1f\n", udp.p50);
    std::printf("rtt_udp_p99_us: %.1f\n", udp.p99);
    std::printf("rtt_tcp_p50_us: %.1f\n", tcp.p50);
    std::printf("rtt_tcp_p99_us: %.1f\n", tcp.p99);
    std::printf("rtt_pty_p50_us: %.1f\n", pty.p50);
    std::printf("rtt_pty_p99_us: %.1f\n", pty.p99);
    std::printf("raw_udp_p50_us: %.1f\n", rawU);
    std::printf("raw_tcp_p50_us: %.1f\n", rawT);
    std::printf("idle_link_cpu_ms: %.1f\n", idle);
    std::printf("tcp_refused_cpu_ms: %.1f\n", refused);
    return 0;
}
