// 10,000 recognised replies through the device component's parser, in
// chunks of 100 lines with the event loop running between them (as a
// transport hands them over), with the service console hooked and shown and
// its traffic view already at its line limit, so that every line also
// drops the oldest one. The same run with the console unhooked and hidden
// alternates with it, so both medians see the same load on the machine:
// the difference is the console's cost.
#include "bench_quiet.h"
#include "families.h"
#include "form_debug.h"
#include "registers.h"
#include "traffic_view.h"
#include "widgets/gfx_wndproc.h"
#include "windows.h"
#include "zeph350_d.h"
#include "zeph350_main.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Replies = 10000;
constexpr int ChunkLines = 100;
constexpr int Runs = 15;

// Replies of every register in turn, with values that change.
std::vector<QByteArray> chunks()
{
    std::vector<QByteArray> out;
    QByteArray chunk;
    for (int i = 0; i < Replies; ++i) {
        const zeph::RegisterInfo& r = zeph::Registers[size_t(i) % zeph::Registers.size()];
        chunk += QByteArray(r.reply.data(), qsizetype(r.reply.size())) + QByteArray::number(i % 70000) + "\r\n";
        if ((i + 1) % ChunkLines == 0) {
            out.push_back(chunk);
            chunk.clear();
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;  // the windows' files stay out of the caller's folder
    QDir::setCurrent(dir.path());

    TGfxWidgetLibraryScope library;  // the control library, as the program has it
    ZephWindows windows;
    TZEPH350_d& z = windows.ZEPH350_main->ZEPH350_d1;
    z.SetConType(CON_NONE);  // nothing leaves the computer
    TForm_debug& console = *windows.Form_debug;
    console.show();
    app.processEvents();

    const std::vector<QByteArray> stream = chunks();
    const auto flood = [&] {
        for (const QByteArray& c : stream) {
            z.receive(c);
            app.processEvents();  // the view scrolls and repaints
        }
    };
    flood();  // the view at its limit from here on
    const int shownBefore = console.Memo_recu->lineCount();
    const auto timed = [&] {
        QElapsedTimer t;
        t.start();
        flood();
        return double(t.nsecsElapsed()) / 1e6;
    };
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + ptrdiff_t(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    std::vector<double> withConsole, bare;
    int shownAfter = 0;
    for (int run = 0; run < Runs; ++run) {
        withConsole.push_back(timed());
        shownAfter = console.Memo_recu->lineCount();
        console.hide();
        z.unsubscribe(TZEPH350_d::Event::OnRecString, int(Family::Console));
        app.processEvents();
        bare.push_back(timed());
        bindEvent(z, TZEPH350_d::Event::OnRecString, Family::Console, "RecString", &console, &TForm_debug::RecString);
        console.show();
        app.processEvents();
    }
    const double consoleMs = median(withConsole);
    const double bareMs = median(bare);

    std::printf("console_flood_ms: %.3f\n", consoleMs);
    std::printf("console_flood_bare_ms: %.3f\n", bareMs);
    std::printf("console_per_line_us: %.2f\n", (consoleMs - bareMs) * 1e3 / Replies);
    std::fflush(stdout);
    std::fprintf(stderr, "(median of %d runs of %d replies in chunks of %d; view held %d then %d lines, limit %d)\n",
                 Runs, Replies, ChunkLines, shownBefore, shownAfter, console.Memo_recu->limit());
    return shownBefore == TrafficView::DefaultLimit && shownAfter == TrafficView::DefaultLimit ? 0 : 1;
}
