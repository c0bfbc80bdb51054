// A canvas on a widget, used from the widget's paint handling.
#include "platform/gfx_canvas.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class EdgeWidget : public QWidget {
public:
    TColor seenPixel = clNone;

protected:
    void paintEvent(QPaintEvent*) override
    {
        TGfxCanvas canvas(this);
        canvas.Brush.SetColor(clRed);
        canvas.FillRect({0, 0, width(), height()});
        TRect r{2, 2, 10, 8};
        canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        seenPixel = canvas.Pixel(0, 0);  // a widget cannot be read back
    }
};

TEST(WidgetCanvas, DrawsDuringPaintWithTheSameRules)
{
    EdgeWidget w;
    w.resize(12, 10);
    const QImage image = w.grab().toImage();
    auto at = [&](int x, int y) { return GfxColorFromQRgb(image.pixel(x, y)); };
    EXPECT_EQ(at(0, 0), clRed);
    EXPECT_EQ(at(2, 2), GfxColorToRGB(clBtnShadow));   // outer top-left
    EXPECT_EQ(at(9, 7), GfxColorToRGB(clBtnHighlight));  // outer bottom-right
    EXPECT_EQ(at(3, 3), GfxColorToRGB(cl3DDkShadow));  // inner top-left
    EXPECT_EQ(at(5, 5), clRed);
    EXPECT_EQ(w.seenPixel, GfxInvalidColor);
}

}  // namespace
