// What an idle panel costs: build/zeph350, offscreen, connected over
// loopback UDP to the simulated device (the model with the logo rows and the
// effects, with both options, as ./run starts it), left alone for 10 s once
// it has read all registers, taken its ready step and settled; beside it the bare Qt window
// program left alone for the same 10 s once shown. Both figures are the
// process's CPU time over those 10 s (the run time of all its threads as
// the scheduler counts it), in milliseconds. The device's traffic is read
// all the while, and the panel must have kept its link alive through the
// 10 s for the figure to count.

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int IdleSeconds = 10;

struct Child {
    pid_t pid = -1;
    int out = -1;  // its standard output
    std::string pending;

    // Reads what the child wrote within `ms` and hands each complete line to
    // `line`, which returns true to stop reading. False when the time ran
    // out or the child closed its output.
    bool readLines(int ms, const std::function<bool(const std::string&)>& line)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0) return false;
            pollfd p{out, POLLIN, 0};
            if (poll(&p, 1, int(left)) <= 0) continue;
            char buf[4096];
            const ssize_t n = read(out, buf, sizeof buf);
            if (n <= 0) return false;
            pending.append(buf, size_t(n));
            for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
                const std::string l = pending.substr(0, eol);
                pending.erase(0, eol + 1);
                if (line(l)) return true;
            }
        }
    }
    // Keeps reading (the child must never block on a full pipe) for `ms`.
    void drain(int ms, const std::function<void(const std::string&)>& line = {})
    {
        readLines(ms, [&](const std::string& l) {
            if (line) line(l);
            return false;
        });
    }
    void stop()
    {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        close(out);
        pid = -1;
    }
};

Child spawn(const char* program, std::vector<std::string> args, const std::string& dir)
{
    Child c;
    int out[2];
    if (pipe(out) != 0) return c;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.emplace_back(*e);
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.emplace_back("ZEPH_BENCH_REPORT_SHOW=1");
    std::vector<char*> envp;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd) || chdir(dir.c_str()) != 0) return c;
    const int rc = posix_spawn(&c.pid, program, &actions, nullptr, argv.data(), envp.data());
    if (chdir(cwd) != 0) {}
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        c.pid = -1;
        close(out[0]);
        return c;
    }
    c.out = out[0];
    return c;
}

// The run time of every thread of the process so far, in milliseconds.
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* d = opendir(tasks.c_str());
    if (!d) return -1;
    double ns = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + e->d_name + "/schedstat");
        double run = 0;
        if (stat >> run) ns += run;
    }
    closedir(d);
    return ns / 1e6;
}

bool waitShown(Child& c)
{
    return c.readLines(20000, [](const std::string& l) { return l == "shown"; });
}

// The panel connected to the simulated device, idle; -1 when it did not
// connect or lost the link.
double panelIdleMs(const std::string& dir)
{
    Child sim = spawn(ZEPH_SIM, {"--udp", "0", "--model", "23", "--opt", "17", "--verbose"}, dir);
    if (sim.pid <= 0) return -1;
    std::string port;
    sim.readLines(5000, [&](const std::string& l) {
        if (l.rfind("udp 127.0.0.1:", 0) != 0) return false;
        port = l.substr(14);
        return true;
    });
    if (port.empty()) {
        sim.stop();
        return -1;
    }
    {
        std::ofstream ini(dir + "/zeph350.ini", std::ios::binary);
        ini << "0=COM1\r\n";
        for (int i = 1; i <= 8; ++i) ini << i << "=Input " << i << "\r\n";
        for (int i = 1; i <= 8; ++i) ini << i + 8 << "=Audio " << i << "\r\n";
        ini << "17=None\r\n18=Frame\r\n";
        for (int i = 1; i <= 8; ++i) ini << i + 18 << "=Logo " << i << "\r\n";
        ini << "IP_ENABLE=1\r\nREMOTE_IP=127.0.0.1\r\nREMOTE_PORT_ENTRY=" << port << "\r\nLOCAL_PORT_ENTRY=0\r\n";
    }
    Child panel = spawn(ZEPH_PANEL, {}, dir);
    double ms = -1;
    if (panel.pid > 0 && waitShown(panel)) {
        // Connected once the device was asked for all its registers, ready
        // once the panel has written what its ready step writes (the logo
        // mode); then it settles.
        const bool dumped = sim.readLines(15000, [](const std::string& l) { return l == "udp < #\\r\\n"; }) &&
                            sim.readLines(15000, [](const std::string& l) { return l == "udp < 3LM"; });
        sim.drain(1500);
        int probes = 0;
        const double start = cpuMs(panel.pid);
        sim.drain(IdleSeconds * 1000, [&](const std::string& l) {
            if (l == "udp < ?") ++probes;
        });
        const double end = cpuMs(panel.pid);
        // The link asks for the device type every 2 s while it is alive.
        if (dumped && probes >= IdleSeconds / 2 - 1 && start >= 0 && end >= 0) ms = end - start;
        else std::fprintf(stderr, "idle panel: not connected (dump %d, %d probes)\n", dumped, probes);
    }
    panel.stop();
    sim.stop();
    return ms;
}

double bareIdleMs(const std::string& dir)
{
    Child bare = spawn(ZEPH_BARE_WINDOW, {}, dir);
    double ms = -1;
    if (bare.pid > 0 && waitShown(bare)) {
        bare.drain(2000);
        const double start = cpuMs(bare.pid);
        bare.drain(IdleSeconds * 1000);
        const double end = cpuMs(bare.pid);
        if (start >= 0 && end >= 0) ms = end - start;
    }
    bare.stop();
    return ms;
}

}  // namespace

int main()
{
    char tmpl[] = "/tmp/zeph_idle_XXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (!dir) return 1;
    {
        std::ofstream map(std::string(dir) + "/comports.ini");
        for (int n = 1; n <= 10; ++n) map << "COM" << n << "=/nonexistent/ttyZ" << n << "\n";
    }
    const double panel = panelIdleMs(dir);
    const double bare = bareIdleMs(dir);
    std::printf("idle_panel_cpu_ms: %.1f\n", panel);
    std::printf("idle_bare_cpu_ms: %.1f\n", bare);
    std::fflush(stdout);
    std::fprintf(stderr, "(process CPU time over %d s each)\n", IdleSeconds);
    std::string cleanup = std::string("rm -rf '") + dir + "'";
    if (std::system(cleanup.c_str()) != 0) {}
    return panel >= 0 && bare >= 0 ? 0 : 1;
}
