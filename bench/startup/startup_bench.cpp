// Start-up of build/zeph350 to its first shown main window, offscreen, beside
// a bare Qt window program, measured in the same run; and the resident
// memory of each once shown. Each program runs in a scratch working
// directory (zeph350 writes its settings there) and is ended with SIGTERM
// once it has reported the show. The figures are medians of several runs.

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

Sample median(const char* program, const std::string& dir, int runs)
{
    std::vector<double> ms;
    std::vector<long> kb;
    for (int i = 0; i < runs; ++i) {
        const Sample s = runOnce(program, dir);
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
    constexpr int runs = 7;
    // Interleaved warm-up so that both programs find the libraries cached.
    runOnce(ZEPH_BARE_WINDOW, dir);
    runOnce(ZEPH_PANEL, dir);
    const Sample bare = median(ZEPH_BARE_WINDOW, dir, runs);
    const Sample panel = median(ZEPH_PANEL, dir, runs);
    std::printf("startup_ms: %.1f\n", panel.ms);
    std::printf("bare_startup_ms: %.1f\n", bare.ms);
    std::printf("startup_ratio: %.2f\n", bare.ms > 0 ? panel.ms / bare.ms : 0.0);
    std::printf("rss_kb: %ld\n", panel.rssKb);
    std::printf("bare_rss_kb: %ld\n", bare.rssKb);
    std::string cleanup = std::string("rm -rf '") + dir + "'";
    if (std::system(cleanup.c_str()) != 0) {}
    return panel.ms > 0 && bare.ms > 0 ? 0 : 1;
}
