// Start-up of build/zeph350 to its first shown main window, offscreen, beside
// two bare Qt window programs, measured in the same run; and the resident
// memory of each once shown. The bare window links Qt Widgets only; the
// linked window also links what the panel links besides its own code, so
// startup_own_ms (the panel minus the linked window) is what the panel's own
// code costs. Each program runs in a scratch working directory (zeph350
// writes its settings there) and is ended with SIGTERM once it has reported
// the show. The runs of the three programs take turns, so that a change in
// the machine's load falls on all of them; the figures are medians.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double ms = -1;
    long rssKb = -1;
};

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

Sample runOnce(const char* program, const std::string& dir)
{
    int out[2];
    if (pipe(out) != 0) return {};
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
    char* argv[] = {const_cast<char*>(program), nullptr};

    // The child starts in the scratch directory.
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd) || chdir(dir.c_str()) != 0) return {};
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    if (chdir(cwd) != 0) {}
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Sample s;
    if (rc == 0) {
        std::string got;
        char c;
        while (read(out[0], &c, 1) == 1) {
            if (c == '\n') {
                if (got == "shown") break;
                got.clear();
            } else {
                got += c;
            }
        }
        if (got == "shown") {
            s.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            s.rssKb = residentKb(pid);
        }
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    close(out[0]);
    return s;
}

Sample median(std::vector<Sample> samples)
{
    std::vector<double> ms;
    std::vector<long> kb;
    for (const Sample& s : samples) {
        if (s.ms < 0) continue;
        ms.push_back(s.ms);
        kb.push_back(s.rssKb);
    }
    if (ms.empty()) return {};
    std::sort(ms.begin(), ms.end());
    std::sort(kb.begin(), kb.end());
    return {ms[ms.size() / 2], kb[kb.size() / 2]};
}

}  // namespace

int main()
{
    char tmpl[] = "/tmp/zeph_startup_XXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (!dir) return 1;
    // No serial line is opened from the scratch directory.
    {
        std::ofstream map(std::string(dir) + "/comports.ini");
        for (int n = 1; n <= 10; ++n) map << "COM" << n << "=/nonexistent/ttyZ" << n << "\n";
    }
    constexpr int runs = 9;
    const char* const programs[] = {ZEPH_BARE_WINDOW, ZEPH_LINKED_WINDOW, ZEPH_PANEL};
    // A warm-up round so that every program finds the libraries cached.
    for (const char* program : programs) runOnce(program, dir);
    std::vector<Sample> samples[3];
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < 3; ++p) samples[p].push_back(runOnce(programs[p], dir));
    const Sample bare = median(samples[0]);
    const Sample linked = median(samples[1]);
    const Sample panel = median(samples[2]);
    std::printf("startup_ms: %.1f\n", panel.ms);
    std::printf("bare_startup_ms: %.1f\n", bare.ms);
    std::printf("startup_ratio: %.2f\n", bare.ms > 0 ? panel.ms / bare.ms : 0.0);
    std::printf("linked_startup_ms: %.1f\n", linked.ms);
    std::printf("startup_own_ms: %.1f\n", panel.ms - linked.ms);
    std::printf("rss_kb: %ld\n", panel.rssKb);
    std::printf("bare_rss_kb: %ld\n", bare.rssKb);
    std::printf("linked_rss_kb: %ld\n", linked.rssKb);
    std::string cleanup = std::string("rm -rf '") + dir + "'";
    if (std::system(cleanup.c_str()) != 0) {}
    return panel.ms > 0 && bare.ms > 0 && linked.ms > 0 ? 0 : 1;
}
