// The reference for the start-up figures: a bare Qt window of the main
// window's client size, built with the same flags, shown the same way, with
// the same "shown" line under ZEPH_BENCH_REPORT_SHOW=1.
//
// Built twice: bench_bare_window links Qt Widgets only; with
// BARE_WINDOW_PANEL_LIBRARIES (bench_linked_window) it also links and uses
// what the panel links besides its own code (Qt Network, the hot key's X11
// connection library), so that the difference to the panel is the cost of
// the panel's own code.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef BARE_WINDOW_PANEL_LIBRARIES
#include <QHostAddress>
#include <xcb/xcb.h>
#endif

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
#ifdef BARE_WINDOW_PANEL_LIBRARIES
    // One use of each library keeps it among the program's needed ones, so
    // the loader maps and initialises it as it does for the panel.
    const QHostAddress loopback(QHostAddress::LocalHost);
    volatile auto keepXcb = &xcb_connect;
    (void)keepXcb;
#endif
    QWidget w;
    w.setFixedSize(788, 503);
    w.setWindowTitle(QStringLiteral("bare"));
    w.show();
    if (qEnvironmentVariableIntValue("ZEPH_BENCH_REPORT_SHOW") == 1)
        QTimer::singleShot(0, &app, [] {
            std::puts("shown");
            std::fflush(stdout);
        });
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    return app.exec();
}
