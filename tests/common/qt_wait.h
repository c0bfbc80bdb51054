#pragma once
// Waiting on the event loop without spinning: tests and benchmarks that
// talk to real sockets, ptys and timers.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace zephtest {

// Runs the event loop for `ms`, sleeping while nothing happens.
inline void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done()` holds or `ms` have passed, checking
// every `step` ms; true when done.
template <class Pred>
bool waitFor(Pred done, int ms = 2000, int step = 2)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (done()) return true;
        if (t.elapsed() >= ms) return false;
        spin(step);
    }
}

}  // namespace zephtest
