// The reference for the start-up figures: a bare Qt window of the main
// window's client size, built with the same flags, shown the same way, with
// the same "shown" line under ZEPH_BENCH_REPORT_SHOW=1.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
