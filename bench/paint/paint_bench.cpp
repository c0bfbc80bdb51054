// A 200 x 200 gradient fill, a 100 x 30 bevel and a 100 x 60 shape (round
// rectangle with an inset bevel, a solid shadow and its cached gradient fill
// drawn through the shape) through the library's drawing layer, each beside
// a plain QPainter::fillRect of the same area on the same image, in the same
// run; and a 24-bit grey-scale effect over a 640 x 480 bitmap beside a
// QImage copy of the same pixels. Each figure is the median of many runs:
// paints in microseconds (canvas or painter set up and finished each time),
// effects in megabytes of pixels per second.
#include "bench_quiet.h"
#include "bench_median.h"
#include "gfx_draw.h"
#include "gfx_fill.h"
#include "gfx_gradient.h"
#include "gfx_shape.h"

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
    quietPlatformNotes();
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

    // The shape: its fill is the shape control's cached gradient bitmap.
    QImage shapeImage(100, 60, QImage::Format_RGB32);
    TGfxBitmap gradientFill(100, 60);
    {
        TGfxGradient fill;
        fill.SetStyle(gstHorizontal);
        fill.PaintTo(gradientFill.Canvas(), {0, 0, 100, 60});
    }
    TGfxSimpleBevel bevel;
    bevel.SetStyle(sbInset);
    TGfxShadow shadow;
    shadow.SetDepth(4);
    TGfxPointList outline;
    GfxShapeOutline({0, 0, 100, 60}, stRoundRect, nullptr, outline, &shadow, &bevel, 33, false);
    TGfxBrush brush;
    const double shapeUs = MedianUs([&](int) {
        TGfxCanvas canvas(&shapeImage);
        GfxPaintShape(canvas, {0, 0, 100, 60}, stRoundRect, nullptr, &outline, &shadow, &bevel, 33, brush,
                      &gradientFill, false);
    });
    const double shapeFillUs = FillRectUs(shapeImage);

    // The effect, in place over the whole bitmap, beside a copy of a
    // QImage of the same format and size.
    constexpr int EffectRuns = 200;
    TGfxBitmap picture(640, 480, pf24bit);
    GfxGradientFill(picture.Canvas(), {0, 0, 640, 480}, gstElliptic, nullptr, 0, nullptr, elliptic.Bands());
    const double megabytes = 640.0 * 480.0 * 3.0 / 1e6;
    const double effectMs = medianMs(EffectRuns, [&](int) {
        GfxEffectGrayScale(picture, {0, 0, 640, 480}, picture, {0, 0});
    });
    const QImage plain = picture.ToImage().convertToFormat(QImage::Format_BGR888);
    volatile int sink = 0;
    const double copyMs = medianMs(EffectRuns, [&](int) {
        const QImage copy = plain.copy();
        sink = sink + copy.constBits()[0];
    });

    std::printf("paint_gradient_us: %.1f\n", gradientUs);
    std::printf("paint_gradient_elliptic_us: %.1f\n", ellipticUs);
    std::printf("paint_gradient_fillrect_us: %.1f\n", squareFillUs);
    std::printf("paint_bevel_us: %.1f\n", bevelUs);
    std::printf("paint_bevel_fillrect_us: %.1f\n", stripFillUs);
    std::printf("paint_shape_us: %.1f\n", shapeUs);
    std::printf("paint_shape_fillrect_us: %.1f\n", shapeFillUs);
    std::printf("effect_MBps: %.0f\n", megabytes / (effectMs / 1e3));
    std::printf("effect_qimage_copy_MBps: %.0f\n", megabytes / (copyMs / 1e3));
    return 0;
}
