// A 200 x 200 gradient fill and a 100 x 30 bevel through the library's
// drawing layer, each beside a plain QPainter::fillRect of the same area
// on the same image, in the same run. Each figure is the median of many
// paints, in microseconds, canvas or painter set up and finished each time.
#include "gfx_draw.h"
#include "gfx_gradient.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 2000;

template <class Paint>
double MedianUs(Paint paint)
{
    std::vector<double> t;
    t.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        paint(i);
        t.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    std::nth_element(t.begin(), t.begin() + Runs / 2, t.end());
    return t[Runs / 2];
}

double FillRectUs(QImage& image)
{
    return MedianUs([&](int i) {
        QPainter p(&image);
        p.fillRect(image.rect(), QColor::fromRgb(i % 2 ? 0xFF336699u : 0xFF996633u));
    });
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QImage square(200, 200, QImage::Format_RGB32);
    TGfxGradient gradient;  // 16 bands, blue to black, top to bottom
    const double gradientUs = MedianUs([&](int) {
        TGfxCanvas canvas(&square);
        gradient.PaintTo(canvas, {0, 0, 200, 200});
    });
    TGfxGradient elliptic;
    elliptic.SetStyle(gstElliptic);
    const double ellipticUs = MedianUs([&](int) {
        TGfxCanvas canvas(&square);
        elliptic.PaintTo(canvas, {0, 0, 200, 200});
    });
    const double squareFillUs = FillRectUs(square);

    QImage strip(100, 30, QImage::Format_RGB32);
    const double bevelUs = MedianUs([&](int) {
        TGfxCanvas canvas(&strip);
        TRect r{0, 0, 100, 30};
        GfxDrawBevel(canvas, r, bvRaised, 2, clBtnShadow, clBtnHighlight);
    });
    const double stripFillUs = FillRectUs(strip);

    std::printf("paint_gradient_us: %.1f\n", gradientUs);
    std::printf("paint_gradient_elliptic_us: %.1f\n", ellipticUs);
    std::printf("paint_gradient_fillrect_us: %.1f\n", squareFillUs);
    std::printf("paint_bevel_us: %.1f\n", bevelUs);
    std::printf("paint_bevel_fillrect_us: %.1f\n", stripFillUs);
    return 0;
}
