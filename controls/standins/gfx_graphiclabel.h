#pragma once
// TGfxGraphicLabel, a stand-in until the graphic control library brings the
// real graphic label (which replaces this file without touching the pages).
// It has exactly what the main window uses: the caption, the fill's
// gradient colour, and the click, mouse-down and mouse-up events. It draws
// the caption plainly, centred, its letters filled with the gradient from
// the gradient's colour (top) to its end colour (bottom).

#include "gfx_object.h"
#include "platform/gfx_types.h"

#include <QWidget>

#include <functional>

class TGfxGraphicLabel : public QWidget, public TObject {
public:
    enum TMouseButton { mbLeft, mbRight, mbMiddle };
    using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, unsigned Shift, int X, int Y)>;

    // The fill's gradient, as far as the window sets it.
    class GradientPart : public TGfxObject {
    public:
        TColor Color() const { return color_; }
        void SetColor(TColor c) { SetProp(color_, c); }
        TColor EndColor() const { return endColor_; }
        void SetEndColor(TColor c) { SetProp(endColor_, c); }

    private:
        TColor color_ = clBlue;
        TColor endColor_ = clBlack;
    };
    class FillPart {
    public:
        GradientPart* Gradient() { return &gradient_; }
        const GradientPart* Gradient() const { return &gradient_; }

    private:
        GradientPart gradient_;
    };

    explicit TGfxGraphicLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& text);
    FillPart* FillObject() { return &fill_; }
    const FillPart* FillObject() const { return &fill_; }

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    FillPart fill_;
    bool pressed_ = false;
};
