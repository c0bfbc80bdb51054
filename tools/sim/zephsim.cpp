// zephsim: plays one device of the family for the panel (see --help).
//
// Listens on 127.0.0.1 (every interface with --any); port 0 picks a free
// port. Prints one line per transport it listens on ("udp 127.0.0.1:10100",
// "tcp 127.0.0.1:10100", "pty /dev/pts/3 LINK"), then with --verbose every
// chunk in ("<") and out (">"). SIGUSR1 switches silence on and off; SIGINT
// and SIGTERM end it (and remove LINK).
#include "simdevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int sig)
{
    const char c = char(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

const char* const Help =
    "usage: zephsim [OPTION]...\n"
    "Plays one device of the Zeph-Cedar family for the panel: it keeps every\n"
    "register, echoes every write, answers \"?\" with its model and \"#\" with a\n"
    "dump of all registers. An image-settings store ends by itself, and a\n"
    "requested reference (REFREQ) of 9 or more makes the effects available\n"
    "(EFFAV 1, reported). At least one of --udp, --tcp and --pty is needed.\n"
    "\n"
    "  --udp PORT       listen for UDP datagrams on PORT (0: a free port)\n"
    "  --tcp PORT       accept one TCP client at a time on PORT (0: a free port)\n"
    "  --pty LINK       open a pseudo-terminal and make LINK a link to it, for\n"
    "                   the panel's serial line (see comports.ini in README.md)\n"
    "  --any            listen on every interface instead of 127.0.0.1\n"
    "  --model N        the device type reported for \"?\" (default 24; 18, 21,\n"
    "                   22, 23, 25 and 26 are the other models)\n"
    "  --opt N          the option bits (OPT): 1 voice over, 16 LAN status\n"
    "  --set NAME=N     store N in the register NAME before starting, as a write\n"
    "                   would (per-input registers go to the input in PCHAN, so\n"
    "                   \"--set PCHAN=3 --set PLOAD=1\" sets input 3; PCHAN=0 sets\n"
    "                   them all); repeatable. The input on the output (ICHM)\n"
    "                   is described by IFAMM (family, 0 to 27), IPSIGM (sync\n"
    "                   present), IOORM (out of range), ISYNCM (0 H and V, 1\n"
    "                   TTL composite, 2 SOG, 3 analog composite), IHPOLM,\n"
    "                   IVPOLM, IINTM (interlaced), ILDM and IFDM (line and\n"
    "                   frame durations); it starts as a PAL picture\n"
    "  --store-ms MS    how long an image-settings store lasts (default 1200)\n"
    "  --logo-ms-per-mib MS\n"
    "                   how long a logo or frame store lasts per MiB of picture\n"
    "                   (3 bytes a pixel), after a fixed 300 ms (default 1500)\n"
    "  --delay MS       answer every command MS milliseconds late\n"
    "  --chunk N        send replies in pieces of at most N bytes\n"
    "  --noise          add a junk line after every reply line\n"
    "  --silent         take nothing in and answer nothing (SIGUSR1 toggles it)\n"
    "  --verbose        print every chunk in (<) and out (>)\n"
    "  --help           print this help\n";

[[noreturn]] void usage(const char* message = nullptr)
{
    if (!message) {
        std::fputs(Help, stdout);
        std::exit(0);
    }
    std::fprintf(stderr, "zephsim: %s\n", message);
    std::fputs(Help, stderr);
    std::exit(2);
}

long number(const char* text, long lo, long hi, const char* what)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) {
        const std::string m = std::string("bad ") + what + ": " + text;
        usage(m.c_str());
    }
    return v;
}

// Control characters shown as escapes, so one chunk stays on one line.
std::string printable(const QByteArray& data)
{
    std::string s;
    for (char c : data) {
        if (c == '\r') s += "\\r";
        else if (c == '\n') s += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            s += hex;
        } else s += c;
    }
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    long udpPort = -1, tcpPort = -1, model = zeph::SimDevice::DefaultModel, delay = 0, chunk = 0;
    long opt = -1, storeMs = -1, logoMsPerMiB = -1;
    const char* ptyLink = nullptr;
    bool noise = false, silent = false, verbose = false, any = false;
    std::vector<std::pair<int, uint32_t>> settings;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto arg = [&]() -> const char* {
            if (i + 1 >= argc) usage(("missing value after " + a).c_str());
            return argv[++i];
        };
        if (a == "--udp") udpPort = number(arg(), 0, 65535, "UDP port");
        else if (a == "--tcp") tcpPort = number(arg(), 0, 65535, "TCP port");
        else if (a == "--pty") ptyLink = arg();
        else if (a == "--model") model = number(arg(), 0, 0xFFFFFFFFL, "model code");
        else if (a == "--opt") opt = number(arg(), 0, 0xFFFFFFFFL, "option bits");
        else if (a == "--store-ms") storeMs = number(arg(), 0, 600000, "store time");
        else if (a == "--logo-ms-per-mib") logoMsPerMiB = number(arg(), 0, 600000, "logo store time");
        else if (a == "--set") {
            const std::string s = arg();
            const size_t eq = s.find('=');
            const int reg = eq == std::string::npos ? -1 : zeph::registerByName(s.substr(0, eq));
            if (reg < 0) usage(("bad --set " + s + " (NAME=N with a register name such as OPT)").c_str());
            settings.emplace_back(reg, uint32_t(number(s.c_str() + eq + 1, 0, 0xFFFFFFFFL, "register value")));
        }
        else if (a == "--delay") delay = number(arg(), 0, 60000, "delay");
        else if (a == "--chunk") chunk = number(arg(), 1, 65536, "chunk size");
        else if (a == "--noise") noise = true;
        else if (a == "--silent") silent = true;
        else if (a == "--verbose") verbose = true;
        else if (a == "--any") any = true;
        else if (a == "--help" || a == "-h") usage();
        else usage(("unknown option " + a).c_str());
    }
    if (udpPort < 0 && tcpPort < 0 && !ptyLink) usage("nothing to listen on");

    QCoreApplication app(argc, argv);
    zeph::SimDevice sim;
    sim.setModel(uint32_t(model));
    sim.setReplyDelayMs(int(delay));
    sim.setChunkSize(int(chunk));
    sim.setNoise(noise);
    sim.setSilent(silent);
    if (opt >= 0) sim.setValue(zeph::Reg::OPT, uint32_t(opt));
    if (storeMs >= 0) sim.setStoreMs(int(storeMs));
    if (logoMsPerMiB >= 0) sim.setLogoStoreMs(sim.logoStoreBaseMs(), int(logoMsPerMiB));
    for (const auto& [reg, value] : settings) sim.setValue(reg, value);
    if (verbose)
        sim.onTraffic = [](const char* transport, bool incoming, const QByteArray& data) {
            std::printf("%s %s %s\n", transport, incoming ? "<" : ">", printable(data).c_str());
            std::fflush(stdout);
        };

    const QHostAddress address = any ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(QHostAddress::LocalHost);
    const QByteArray host = address.toString().toLatin1();
    if (udpPort >= 0) {
        if (!sim.startUdp(quint16(udpPort), address)) {
            std::fprintf(stderr, "zephsim: cannot bind UDP port %ld\n", udpPort);
            return 1;
        }
        std::printf("udp %s:%u\n", host.constData(), sim.udpPort());
    }
    if (tcpPort >= 0) {
        if (!sim.startTcp(quint16(tcpPort), address)) {
            std::fprintf(stderr, "zephsim: cannot listen on TCP port %ld\n", tcpPort);
            return 1;
        }
        std::printf("tcp %s:%u\n", host.constData(), sim.tcpPort());
    }
    if (ptyLink) {
        if (!sim.openPty()) {
            std::fprintf(stderr, "zephsim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        // Replace only a link: never a file or a device of somebody else's.
        struct stat st {};
        if (lstat(ptyLink, &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                std::fprintf(stderr, "zephsim: %s exists and is not a link\n", ptyLink);
                return 1;
            }
            ::unlink(ptyLink);
        }
        const QByteArray slave = sim.ptyPath().toLocal8Bit();
        if (::symlink(slave.constData(), ptyLink) != 0) {
            std::fprintf(stderr, "zephsim: cannot create %s: %s\n", ptyLink, std::strerror(errno));
            return 1;
        }
        std::printf("pty %s %s\n", slave.constData(), ptyLink);
    }
    std::fflush(stdout);

    if (::pipe(signalPipe) != 0) return 1;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGUSR1, &sa, nullptr);
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        char c = 0;
        if (::read(signalPipe[0], &c, 1) != 1) return;
        if (c == SIGUSR1) {
            sim.setSilent(!sim.silent());
            std::printf("silent %s\n", sim.silent() ? "on" : "off");
            std::fflush(stdout);
        } else {
            app.quit();
        }
    });

    const int rc = app.exec();
    if (ptyLink) ::unlink(ptyLink);
    return rc;
}
