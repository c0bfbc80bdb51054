// The CPU the running clock takes: a shown form with the 30 x 30 clock for
// 10 s of the event loop (the timer pool ticking every 50 ms, the clock
// painting once a second), beside the same form without a clock for 10 s,
// measured in the same run as process CPU time in milliseconds.
#include "gfx_clock.h"
#include "widgets/gfx_wndproc.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

constexpr int Seconds = 10;

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double IdleCpuMs()
{
    QEventLoop loop;
    QTimer::singleShot(Seconds * 1000, &loop, &QEventLoop::quit);
    const double start = CpuMs();
    loop.exec();
    return CpuMs() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TGfxWidgetLibraryScope library;
    QWidget form;
    form.resize(100, 60);
    form.show();
    app.processEvents();

    const double idle = IdleCpuMs();
    auto clock = std::make_unique<TGfxClock>(&form);
    clock->SetBounds(10, 10, 30, 30);
    clock->show();
    app.processEvents();
    const double running = IdleCpuMs();
    clock.reset();

    std::printf("clock_idle_cpu_ms: %.1f\n", running);
    std::printf("idle_form_cpu_ms: %.1f\n", idle);
    std::fprintf(stderr, "(process CPU time over %d s each)\n", Seconds);
    return 0;
}
