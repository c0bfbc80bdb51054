// Repainting a 200 x 100 transparent windowless control over a parent that
// paints a gradient (the parent's painting behind it is redone each time),
// beside an opaque control of the same size on the same parent, which
// paints only its own colour, in the same run. Each figure is the median of
// many synchronous repaints, in microseconds.
#include "bench_quiet.h"
#include "gfx_gradient.h"
#include "gfx_graphiccontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 2000;

class GradientParent : public QWidget {
public:
    GradientParent()
    {
        gradient.SetStyle(gstHorizontal);
        gradient.SetColorCount(64);
    }
    TGfxGradient gradient;

protected:
    void paintEvent(QPaintEvent*) override
    {
        TGfxCanvas canvas(this);
        gradient.PaintTo(canvas, {0, 0, width(), height()});
    }
};

class OpaqueBox : public TGfxGraphicControl {
public:
    explicit OpaqueBox(QWidget* parent) : TGfxGraphicControl(parent) { InitOpaque(); }

protected:
    void Paint() override
    {
        FillBackground();
        TGfxGraphicControl::Paint();
    }
};

double MedianRepaintUs(TControl& control)
{
    std::vector<double> t;
    t.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        control.Repaint();
        t.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    std::nth_element(t.begin(), t.begin() + Runs / 2, t.end());
    return t[Runs / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    GradientParent form;
    form.resize(440, 140);
    auto* transparent = new TGfxGraphicControl(&form);
    transparent->SetBounds(10, 20, 200, 100);
    auto* opaque = new OpaqueBox(&form);
    opaque->SetBounds(230, 20, 200, 100);
    opaque->SetColor(clBtnFace);
    form.show();
    QApplication::processEvents();

    const double transparentUs = MedianRepaintUs(*transparent);
    const double opaqueUs = MedianRepaintUs(*opaque);
    std::printf("paint_transparent_us: %.1f\n", transparentUs);
    std::printf("paint_opaque_us: %.1f\n", opaqueUs);
    return 0;
}
