// Rendering the whole main window into an image, with every library
// control in place (the fade-colour label, its drawn edge, the effects
// shape and the clock, on the model that shows them all), median of 50
// renders; beside it, in the same run, the same window with those controls
// hidden. The goal is one frame (16 ms).
#include "bench_quiet.h"
#include "bench_median.h"
#include "effects_controller.h"
#include "gfx_clock.h"
#include "gfx_drawedge.h"
#include "gfx_graphiclabel.h"
#include "gfx_shapecontrol.h"
#include "widgets/gfx_wndproc.h"
#include "windows.h"
#include "zeph350_main.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Runs = 50;

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    TGfxWidgetLibraryScope library;
    ZephWindows windows;
    TZEPH350_main& main = *windows.ZEPH350_main;
    TZEPH350_d& z = main.ZEPH350_d1;
    z.SetConType(CON_NONE);
    z.SetForceConn(true);
    z.LinkTimerTick();
    z.receive("DEV23\r\nLFAD0\r\nBFCR200\r\nBFCG60\r\nBFCB20\r\n");  // effects, logos, the fade colour
    main.PageControl1->setCurrentWidget(main.effectsPage);
    main.show();
    app.processEvents();

    EffectsController& fx = main.effects();
    const QList<QWidget*> libraryControls = {fx.transition().GfxGraphicLabel1, fx.transition().GfxDrawEdge1, fx.GfxShapeControl_effects,
                                             main.GfxClock1};
    for (QWidget* c : libraryControls)
        if (!c->isVisible()) std::fprintf(stderr, "%s is not shown\n", qPrintable(c->objectName()));

    QImage image(main.size(), QImage::Format_RGB32);
    const double withControls = medianMs(Runs, [&](int) { main.render(&image); });
    for (QWidget* c : libraryControls) c->hide();
    app.processEvents();
    const double without = medianMs(Runs, [&](int) { main.render(&image); });

    std::printf("paint_main_window_ms: %.3f\n", withControls);
    std::printf("paint_main_window_without_library_ms: %.3f\n", without);
    std::fprintf(stderr, "(%d x %d, median of %d renders)\n", main.width(), main.height(), Runs);
    return 0;
}
