// The program entry: the look, the application title, the ten windows in
// their order, then the message loop until the main window closes.
//
// SIGTERM and SIGINT close the main window as its frame would (so the
// settings are saved): the handler only writes a byte into a pipe that the
// main thread watches. A file-size limit (a shell's "ulimit -f") does not
// end the program: a write past it fails as on a full disk, and the save
// says so or leaves the old file as it was.

#include "platform/gfx_exceptions.h"
#include "look.h"
#include "prompter.h"
#include "text_lines.h"
#include "widgets/gfx_wndproc.h"
#include "windows.h"
#include "zeph350_main.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    failWritesPastSizeLimit();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeph-Cedar remote control"));
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    applyLook(app);
    // The control library (its application object, theme state and timer
    // pool) stands before the first window; its errors reach the operator
    // through the application's error report.
    TGfxWidgetLibraryScope library;  // freed after the windows are gone
    GfxSetErrorReporter([](const QString&, const QString& message) { reportError(message); });

    ZephWindows windows;
    TZEPH350_main& main = *windows.ZEPH350_main;
    QObject::connect(&main, &TZEPH350_main::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    if (::pipe(signalPipe) == 0) {
        ::fcntl(signalPipe[0], F_SETFD, FD_CLOEXEC);
        ::fcntl(signalPipe[1], F_SETFD, FD_CLOEXEC);
        ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &main, [&main] {
            char buf[16];
            [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], buf, sizeof buf);
            main.close();
        });
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &sa, nullptr);
        ::sigaction(SIGINT, &sa, nullptr);
    }

    main.show();
    // Start-up measurement only (bench/startup): the offscreen platform gives
    // no outside sign of a shown window, so with ZEPH_BENCH_REPORT_SHOW=1 the
    // program prints "shown" once the event loop has taken the first show
    // (the tests that run the program wait for it too). It is no setting of
    // the panel.
    if (qEnvironmentVariableIntValue("ZEPH_BENCH_REPORT_SHOW") == 1)
        QTimer::singleShot(0, &app, [] {
            std::puts("shown");
            std::fflush(stdout);
        });
    return app.exec();
}
