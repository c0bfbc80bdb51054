#pragma once
// The two thin classes between TGfxBaseControl and the library's graphic
// controls:
// - TGfxBaseGraphicControl adds Transparent: a transparent control paints no
//   background, so its parent's painting shows through, and it repaints
//   when that background changes (when the parent paints one of its own).
// - TGfxGraphicControl adds a bevel (TGfxBevel) that frames the control;
//   the graphic label, the clock and the technical line derive from it.

#include "gfx_bevel.h"
#include "gfx_control.h"

#include <memory>

class TGfxBaseGraphicControl : public TGfxBaseControl {
public:
    explicit TGfxBaseGraphicControl(QWidget* AParent = nullptr);
    ~TGfxBaseGraphicControl() override;

    bool Transparent() const { return transparent_; }
    // Sets the opaque style by the value and performs the
    // transparency-changed message on the control.
    void SetTransparent(bool Value);

    // Nothing while updating; a transparent control invalidates (so that
    // the parent paints the background first), an opaque one paints now.
    void RepaintRequest() override;
    // True for a transparent control whose parent paints a background of
    // its own: a library windowed control that says so, or a form whose
    // first form shape does (false before the window exists).
    bool BackgroundRepaint() const override;

protected:
    // For the constructors of descendants that are opaque by default: not
    // transparent, opaque style, no message.
    void InitOpaque();
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    bool transparent_ = true;
};

class TGfxGraphicControl : public TGfxBaseGraphicControl {
public:
    explicit TGfxGraphicControl(QWidget* AParent = nullptr);
    ~TGfxGraphicControl() override;

    TGfxBevel& Bevel() { return *bevel_; }
    const TGfxBevel& Bevel() const { return *bevel_; }
    // Copies the bevel into the owned one and performs the bevel-changed
    // message (the repaint comes from the bevel's own change).
    void SetBevel(const TGfxBevel& Value);
    int BevelWidth() const { return bevel_->TotalWidth(); }
    int BevelExtent() const { return 2 * bevel_->TotalWidth(); }

protected:
    // The bevel around the client area; the designer's frame for a control
    // without one.
    void Paint() override;

private:
    std::unique_ptr<TGfxBevel> bevel_;
};
