// zephshot: pictures of the panel as an operator sees it, for looking at
// layouts without clicking through them. Starts the ten windows in a
// scratch directory against an in-process simulated device over loopback
// UDP, waits until every register is read, then saves one PNG per page of
// the main window (and the other windows that are asked for).
//
//   zephshot [--model N] [--set NAME=N]... [--out DIR] [--windows]
//
// Runs on any Qt platform; under Xvfb (xvfb-run -a) the pictures are the
// real windows' contents.
#include "about.h"
#include "simdevice.h"
#include "widgets/gfx_wndproc.h"
#include "windows.h"
#include "zeph350_main.h"
#include "look.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTabWidget>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void usage(const char* message)
{
    std::fprintf(stderr, "zephshot: %s\nusage: zephshot [--model N] [--set NAME=N]... [--out DIR] [--windows]\n", message);
    std::exit(2);
}

void wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeph-Cedar remote control"));
    applyLook(app);

    uint32_t model = zeph::SimDevice::DefaultModel;
    QString out = QDir::currentPath();
    bool windows = false;
    std::vector<std::pair<int, uint32_t>> settings;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        auto next = [&]() -> QString {
            if (i + 1 >= args.size()) usage("missing value");
            return args[++i];
        };
        if (args[i] == QLatin1String("--model")) model = next().toUInt();
        else if (args[i] == QLatin1String("--out")) out = QDir(next()).absolutePath();
        else if (args[i] == QLatin1String("--windows")) windows = true;
        else if (args[i] == QLatin1String("--set")) {
            const QString s = next();
            const int reg = zeph::registerByName(s.section(QLatin1Char('='), 0, 0).toStdString());
            if (reg < 0) usage("bad --set");
            settings.emplace_back(reg, s.section(QLatin1Char('='), 1).toUInt());
        } else usage("unknown option");
    }

    zeph::SimDevice sim;
    sim.setModel(model);
    sim.setValue(zeph::Reg::OPT, 17);
    for (const auto& [reg, v] : settings) sim.setValue(reg, v);
    if (!sim.startUdp(0)) usage("cannot start the simulated device");

    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    QFile ini(QStringLiteral("zeph350.ini"));
    if (!ini.open(QIODevice::WriteOnly)) usage("cannot write zeph350.ini");
    QByteArray text = "0=COM1\r\n";
    for (int i = 1; i <= 8; ++i) text += QByteArray::number(i) + "=Input " + QByteArray::number(i) + "\r\n";
    for (int i = 1; i <= 8; ++i) text += QByteArray::number(i + 8) + "=Audio " + QByteArray::number(i) + "\r\n";
    text += "17=None\r\n18=Frame\r\n";
    for (int i = 1; i <= 8; ++i) text += QByteArray::number(i + 18) + "=Logo " + QByteArray::number(i) + "\r\n";
    text += "IP_ENABLE=1\r\nREMOTE_IP=127.0.0.1\r\nREMOTE_PORT_ENTRY=" + QByteArray::number(sim.udpPort()) +
            "\r\nLOCAL_PORT_ENTRY=0\r\n";
    ini.write(text);
    ini.close();

    TGfxWidgetLibraryScope library;  // the control library, as the program has it
    ZephWindows w;
    TZEPH350_main& main = *w.ZEPH350_main;
    main.show();
    QElapsedTimer t;
    t.start();
    while (!main.ZEPH350_d1.Ready() && t.elapsed() < 15000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!main.ZEPH350_d1.Ready()) usage("the panel did not connect");
    wait(300);

    auto save = [&](QWidget* widget, const QString& name) {
        const QString file = out + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!widget->grab().save(file)) usage("cannot write a picture");
        std::printf("%s\n", qPrintable(file));
    };
    const QString tag = QStringLiteral("model%1").arg(model);
    for (int i = 0; i < main.PageControl1->count(); ++i) {
        if (!main.PageControl1->isTabVisible(i)) continue;
        main.PageControl1->setCurrentIndex(i);
        wait(100);
        save(&main, tag + QStringLiteral("-") + main.PageControl1->widget(i)->objectName());
    }
    if (windows) {
        auto shoot = [&](QWidget* top) {
            if (top == &main || top->objectName().isEmpty() || top->objectName().startsWith(QLatin1String("qt_")) ||
                !top->isWindow())
                return;
            // The About box shows the panel's version, as "About ZEPH..."
            // writes it before every show.
            if (auto* about = dynamic_cast<TAbout_zeph_350*>(top)) about->ShowProgramVersion();
            top->show();
            // The HD15 window with a pin chosen, so that its marker shows.
            if (auto* grid = top->findChild<QTableWidget*>(QStringLiteral("StringGrid1"))) grid->setCurrentCell(0, 1);
            wait(100);
            save(top, tag + QStringLiteral("-") + top->objectName());
            top->hide();
        };
        // Windows that build their controls when first shown bring their
        // own menus then: the list is taken again until nothing new comes.
        QSet<QWidget*> done;
        for (bool more = true; more;) {
            more = false;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (done.contains(top)) continue;
                done.insert(top);
                more = true;
                shoot(top);
            }
        }
    }
    return 0;
}
