// A full dump of every register, as the device answers "#", fed to the
// device component: once with the window's handlers bound (every handler
// runs, every control is updated and repainted) and once with no handler,
// in the same run. The difference is the window's cost of a dump.
#include "bench_quiet.h"
#include "bench_median.h"
#include "simdevice.h"
#include "zeph350_d.h"

#include "widgets/gfx_wndproc.h"
#include "windows.h"
#include "zeph350_main.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zeph;

namespace {

constexpr int Runs = 200;

// Dumps whose values change from one to the next, so that every control
// really has something new to show.
std::vector<QByteArray> dumps()
{
    SimDevice sim;
    // A model with logos and effects: the dump's DEV, OPAT and VERI lay the
    // whole window out.
    sim.setModel(23);
    std::vector<QByteArray> out;
    for (int i = 0; i < 8; ++i) {
        for (const RegisterInfo& r : Registers)
            if (r.kind == StoreKind::Plain && r.type == RegType::U32) sim.setValue(r.number, uint32_t((r.number * 7 + i * 13) % 128));
        out.push_back(sim.dump());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The main window reads and writes its customisation files in the
    // working directory: keep them out of the caller's.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    const std::vector<QByteArray> d = dumps();
    int lines = 0;
    for (char c : d.front()) lines += c == '\n';

    TGfxWidgetLibraryScope library;  // the control library, as the program has it
    ZephWindows windows;
    TZEPH350_main& main = *windows.ZEPH350_main;
    TZEPH350_d& z = main.ZEPH350_d1;
    z.SetConType(CON_NONE);  // nothing leaves the computer
    // The picture page in front: its controls repaint as the dump arrives.
    main.PageControl1->setCurrentWidget(main.imagePage);
    const char* what = "main window";
    z.SetForceConn(true);
    z.LinkTimerTick();
    main.show();
    app.processEvents();

    long sent = 0;
    z.setHandler(TZEPH350_d::Event::OnSentString, [&](TZEPH350_d*, int) { ++sent; });

    const double windowMs = medianMs(Runs, [&](int i) {
        z.receive(d[size_t(i) % d.size()]);
        app.processEvents();  // the repaints the dump asked for
    });

    TZEPH350_d bare;
    const double parseMs = medianMs(Runs, [&](int i) { bare.receive(d[size_t(i) % d.size()]); });

    std::printf("window_dump_ms: %.3f\n", windowMs);
    std::printf("parse_dump_ms: %.3f\n", parseMs);
    std::printf("window_dump_lines: %d\n", lines);
    std::printf("window_per_line_us: %.2f\n", (windowMs - parseMs) * 1e3 / std::max(lines, 1));
    std::fflush(stdout);
    if (!z.hasSubscribers(TZEPH350_d::Event::OnBRGTchange)) std::fprintf(stderr, "no picture page bound\n");
    std::fprintf(stderr, "(%s, median of %d dumps; %ld commands sent during the dumps)\n", what, Runs, sent);
    return sent == 0 ? 0 : 1;
}
