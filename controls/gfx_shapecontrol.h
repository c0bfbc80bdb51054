#pragma once
// The shape control and its caption:
// - TGfxCaption: a text with its font, 3D look (TGfxFxCaption), alignment
//   and line mode, and the drawing of it into a rectangle.
// - TGfxBaseShape: one of eleven shapes (gfx_shape.h) with a bevel, a drop
//   shadow, a brush or a fill and a caption inside; its outline is kept and
//   recomputed only when the shape's settings or its size change.
// - TGfxShapeControl: the same with teeth along one side and the painting
//   mode published. The main window's effects frame is one, with the
//   library's defaults.
//
// Modes: the fast ones paint the shape with Brush straight onto the
// control; the fill ones render the fill (ShapeFill) into a cache of the
// shape's size once and paint the shape through it. The teeth modes add
// the teeth.

#include "gfx_captions.h"
#include "gfx_fill.h"
#include "gfx_graphiccontrol.h"
#include "gfx_object.h"
#include "gfx_shape.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_graphics.h"

#include <QString>

#include <cstdint>
#include <memory>

class TGfxCaption : public TGfxObject {
public:
    TGfxCaption();
    ~TGfxCaption() override;

    // Alignment, Caption and MultiLine store a changed value and notify.
    TGfxAlignment Alignment() const { return alignment_; }
    void SetAlignment(TGfxAlignment Value) { SetProp(alignment_, Value); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { SetProp(caption_, Value); }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool Value) { SetProp(multiLine_, Value); }
    // A rotated caption needs an outline font: with an angle set, a font
    // that is not one becomes "Arial" when the look changes, and the angle
    // goes back to 0 when the font changes.
    TGfxFont& Font() { return *font_; }
    const TGfxFont& Font() const { return *font_; }
    void SetFont(const TGfxFont& Value) { font_->Assign(Value); }
    TGfxFxCaption& FontFX() { return *fontFX_; }
    const TGfxFxCaption& FontFX() const { return *fontFX_; }
    void SetFontFX(const TGfxFxCaption& Value) { fontFX_->Assign(&Value); }
    // When set, an empty text given to Draw is replaced by Caption.
    bool OwnText() const { return ownText_; }
    void SetOwnText(bool Value) { ownText_ = Value; }

    // The text flags of an alignment (the platform's DT_* layout flags).
    static unsigned AlignmentFlags(TGfxAlignment Alignment);
    // The layout flags Draw uses: the alignment's, word break and tabs, no
    // "&" prefixes unless asked for, one line when rotated or not MultiLine.
    unsigned TextFlags(bool Prefix) const;
    // Draws the text (Caption when empty and OwnText) in the rectangle with
    // the font and the 3D look; centred and bottom layouts of several lines,
    // and rotated ones not at the top left, are laid out first.
    void Draw(TGfxCanvas& Canvas, const QString& Text, TColor BackColor, bool Enabled, bool Prefix,
              const TRect& Rect) const;

    // Font, FontFX, Alignment, Caption and MultiLine, with one notification.
    void Assign(const TObject* Source) override;
    // "{" + Caption + "}".
    QString GetDescription() const override;

private:
    void FontChanged(bool fromLook);

    TGfxAlignment alignment_ = agCenter;
    QString caption_;
    std::unique_ptr<TGfxFont> font_;
    std::unique_ptr<TGfxFxCaption> fontFX_;
    bool multiLine_ = false;
    bool ownText_ = true;
};

enum TGfxShapeControlMode : std::uint8_t { scmShapeFast, scmShapeFill, scmTeethFast, scmTeethFill };

class TGfxBaseShape : public TGfxBaseGraphicControl {
public:
    // 30 x 30, transparent, a rectangle with the sub-objects' defaults.
    explicit TGfxBaseShape(QWidget* AParent = nullptr);
    ~TGfxBaseShape() override;

    // The sub-objects; their changes repaint (and recompute the outline,
    // except the caption's).
    TGfxSimpleBevel& Bevel() { return *bevel_; }
    void SetBevel(const TGfxSimpleBevel& Value) { bevel_->Assign(&Value); }
    TGfxBrush& Brush() { return *brush_; }
    void SetBrush(const TGfxBrush& Value) { brush_->Assign(Value); }
    TGfxCaption& Caption() { return *caption_; }
    const TGfxCaption& Caption() const { return *caption_; }
    void SetCaption(const TGfxCaption& Value) { caption_->Assign(&Value); }
    TGfxShadow& Shadow() { return *shadow_; }
    void SetShadow(const TGfxShadow& Value) { shadow_->Assign(&Value); }
    TGfxShapeFill& ShapeFill() { return *shapeFill_; }
    void SetShapeFill(const TGfxShapeFill& Value) { shapeFill_->Assign(&Value); }
    TGfxTeeth& Teeth() { return *teeth_; }
    void SetTeeth(const TGfxTeeth& Value) { teeth_->Assign(&Value); }

    TColor BrushBackColor() const { return brushBackColor_; }
    void SetBrushBackColor(TColor Value) { SetProp(brushBackColor_, Value); }
    bool CaptionClip() const { return captionClip_; }
    void SetCaptionClip(bool Value) { SetProp(captionClip_, Value); }
    std::uint8_t RoundPercent() const { return roundPercent_; }
    void SetRoundPercent(std::uint8_t Value) { SetProp(roundPercent_, Value); }
    TGfxShapeType Shape() const { return shape_; }
    void SetShape(TGfxShapeType Value) { SetProp(shape_, Value); }
    bool Square() const { return square_; }
    void SetSquare(bool Value) { SetProp(square_, Value); }
    TGfxShapeControlMode Mode() const { return mode_; }
    void SetMode(TGfxShapeControlMode Value);

    // The outline as last computed (points relative to the control).
    const TGfxPointList& Outline() const { return *outline_; }
    bool OutlineDirty() const { return outlineDirty_; }
    // The rendered fill of the fill modes (none in the fast modes).
    const TGfxBitmap* FillCache() const { return fillCache_.get(); }

    // The caption is the accessible name.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }
    QString AccessibleText(QAccessible::Text Kind) const override;

    // Recomputes the outline (unless the caption changed) and drops the
    // fill cache, then repaints.
    void RepaintRequest() override;
    void BoundsChanged(TGfxBoundsFlags Flags) override;
    void ImageListChanged(TObject* Sender) override;

protected:
    void Paint() override;
    // The caption inside the bevel and the shadow.
    virtual void DrawCaption(TGfxCanvas& Canvas, const TRect& Rect);
    virtual TRect GetShapeRect() const { return ClientRect(); }
    virtual QString GetCaptionText() const { return caption_->Caption(); }

private:
    bool FillMode() const { return mode_ == scmShapeFill || mode_ == scmTeethFill; }
    TGfxTeeth* ActiveTeeth() const { return mode_ == scmTeethFast || mode_ == scmTeethFill ? teeth_.get() : nullptr; }
    void SubObjectChanged(TObject* Sender);
    void ComputeOutline();
    void ResetFillCache();
    void RenderFillCache();
    // The caption's rectangle without the side the teeth take.
    TRect WithoutTeeth(TRect Rect) const;

    std::unique_ptr<TGfxSimpleBevel> bevel_;
    std::unique_ptr<TGfxBrush> brush_;
    TColor brushBackColor_ = clBtnFace;
    std::unique_ptr<TGfxCaption> caption_;
    bool captionClip_ = false;
    std::unique_ptr<TGfxPointList> outline_;
    std::uint8_t roundPercent_ = 33;
    std::unique_ptr<TGfxShadow> shadow_;
    TGfxShapeType shape_ = stRectangle;
    bool square_ = false;
    std::unique_ptr<TGfxTeeth> teeth_;
    TGfxShapeControlMode mode_ = scmShapeFast;
    bool outlineDirty_ = true;
    std::unique_ptr<TGfxShapeFill> shapeFill_;
    std::unique_ptr<TGfxBitmap> fillCache_;
    bool constructed_ = false;
};

// The shape control as the windows place it: Mode, Teeth and the image
// list published, nothing of its own.
class TGfxShapeControl : public TGfxBaseShape {
public:
    explicit TGfxShapeControl(QWidget* AParent = nullptr) : TGfxBaseShape(AParent) {}
};
