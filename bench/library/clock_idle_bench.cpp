// The CPU the running clock takes: a shown form with the 30 x 30 clock for
// 10 s of the event loop (the clock ticking once a second from the timer
// pool), beside the same form without a clock for 10 s, and beside the form
// with a plain 30 x 30 widget that a timer repaints once a second (one fill,
// no drawing of its own): what any once-a-second repaint of that area costs
// on this machine, the floor under the clock's figure. All are process CPU
// time in milliseconds of this one process, measured in turns (form, clock,
// plain, form, ...) so that a slow moment of the machine falls on one run
// and not on one figure; each figure is the median of its runs.
#include "bench_quiet.h"
#include "bench_median.h"
#include "gfx_clock.h"
#include "widgets/gfx_wndproc.h"

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int Seconds = 10;
constexpr int Turns = 3;

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

// Repaints itself once a second with one fill.
class PlainSecond : public QWidget {
public:
    explicit PlainSecond(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { repaint(); });
        timer_.start(1000);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), (++ticks_ & 1) ? Qt::white : Qt::lightGray);
    }

private:
    QTimer timer_;
    int ticks_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TGfxWidgetLibraryScope library;
    QWidget form;
    form.resize(100, 60);
    form.show();
    app.processEvents();
    {
        // The first paint of a clock loads what every later one reuses
        // (the time zone, the drawing code); it is not part of either run.
        TGfxClock warm(&form);
        warm.SetBounds(10, 10, 30, 30);
        warm.show();
        app.processEvents();
    }
    app.processEvents();

    std::vector<double> idle, running, plain;
    for (int turn = 0; turn < Turns; ++turn) {
        idle.push_back(IdleCpuMs());
        auto clock = std::make_unique<TGfxClock>(&form);
        clock->SetBounds(10, 10, 30, 30);
        clock->show();
        app.processEvents();
        // Its first paint builds the dial, once: it belongs to showing the
        // clock, not to its running. processEvents alone does not always
        // reach it, and then it fell inside the run.
        clock->repaint();
        app.processEvents();
        running.push_back(IdleCpuMs());
        clock.reset();
        app.processEvents();

        auto second = std::make_unique<PlainSecond>(&form);
        second->setGeometry(10, 10, 30, 30);
        second->show();
        app.processEvents();
        second->repaint();
        app.processEvents();
        plain.push_back(IdleCpuMs());
        second.reset();
        app.processEvents();
    }

    std::printf("clock_idle_cpu_ms: %.1f\n", medianOf(running));
    std::printf("idle_form_cpu_ms: %.1f\n", medianOf(idle));
    std::printf("repaint_floor_cpu_ms: %.1f\n", medianOf(plain));
    std::fprintf(stderr, "(process CPU time over %d s, median of %d runs each, in turns)\n", Seconds, Turns);
    return 0;
}
