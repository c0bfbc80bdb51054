#pragma once
// The library's owner-drawn check-style buttons.
//
// TGfxButtonControl draws a glyph (a small picture of the button's state,
// one cell of a cached strip) beside its caption, takes the focus on a
// mouse press, shows a focus mark, and can be bound to an action
// (TGfxButtonActionLink over a QAction).
//
// TGfxRadioButton makes it a radio button: Checked, the radio glyphs
// drawn by the platform (classic) or by the visual-styles service, the
// unchecking of every other radio button of the same parent, checking on
// focus, and its caption's accelerator.
//
// The click rules, which the radio groups and the main window rely on:
// - setting Checked true unchecks the siblings and raises OnClick, unless
//   clicks are disabled; unchecking raises nothing;
// - a radio button that receives the focus is checked (when it can be
//   modified): from the keyboard with a click; the focus of a mouse press
//   checks nothing itself, the left press that brought it checks the
//   button without a click, and the release of that press raises the
//   click. A right or middle press may take the focus but checks nothing;
// - a press on a window that cannot take the focus is dropped;
// - Space, pressed and released on the focused button, raises the click as
//   the mouse's click does. A read-only button is never checked by the
//   focus, so a window that drives its check (from a device's report)
//   hears the operator's mouse and Space and shows only what it is told.

#include "gfx_captions.h"
#include "gfx_panels.h"
#include "platform/gfx_bitmap.h"

#include <QMetaObject>
#include <QPointer>

#include <cstdint>
#include <memory>

class QAction;

// Where a button shows its focus mark.
enum TGfxGlyphTextFocusStyle : std::uint8_t { fcControl, fcText, fcGlyph, fcGlyphText, fcNone };

class TGfxButtonControl;

// Keeps a button in step with an action: its caption, enabled state and
// check. A check that comes from the action never raises the button's click.
class TGfxButtonActionLink {
public:
    explicit TGfxButtonActionLink(TGfxButtonControl& Client) : client_(Client) {}
    ~TGfxButtonActionLink();
    TGfxButtonActionLink(const TGfxButtonActionLink&) = delete;
    TGfxButtonActionLink& operator=(const TGfxButtonActionLink&) = delete;

    QAction* Action() const { return action_.data(); }
    void SetAction(QAction* Value);
    // An action is linked and the client's check equals the action's.
    bool IsCheckedLinked() const;
    // The client's set-checked with its clicks disabled.
    void SetChecked(bool Value);

private:
    TGfxButtonControl& client_;
    QPointer<QAction> action_;
    QMetaObject::Connection changed_;
};

class TGfxButtonControl : public TGfxCustomPanel {
public:
    explicit TGfxButtonControl(QWidget* AParent = nullptr);
    ~TGfxButtonControl() override;

    // ---------------------------------------------------------- properties
    TGfxGlyphTextLayout& Alignment() { return *alignment_; }
    void SetAlignment(const TGfxGlyphTextLayout& Value) { alignment_->Assign(&Value); }
    bool DownGlyph() const { return downGlyph_; }
    void SetDownGlyph(bool Value) { downGlyph_ = Value; }
    // Frees the glyph strip after every paint (it is rebuilt on the next).
    bool DropGlyph() const { return dropGlyph_; }
    void SetDropGlyph(bool Value) { dropGlyph_ = Value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    // Paints through an off-screen bitmap of the control's size.
    bool UseBitmap() const { return useBitmap_; }
    void SetUseBitmap(bool Value);
    bool GlyphFlat() const { return glyphFlat_; }
    void SetGlyphFlat(bool Value);
    TGfx3DCaption& Font3D() { return *font3D_; }
    void SetFont3D(const TGfx3DCaption& Value) { font3D_->Assign(&Value); }
    TGfxGlyphTextFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TGfxGlyphTextFocusStyle Value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value);
    bool UseFocusColor() const { return useFocusColor_; }
    void SetUseFocusColor(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    int GlyphSize() const { return glyphSize_; }
    void SetGlyphSize(std::uint8_t Value);
    TColor GlyphTransparentColor() const { return glyphTransparentColor_; }
    void SetGlyphTransparentColor(TColor Value);
    bool GlyphTransparent() const { return glyphTransparent_; }
    void SetGlyphTransparent(bool Value);
    // While set, property changes do not repaint, and the caption and glyph
    // are laid out once, when it is cleared, not after every change.
    bool Updating() const { return updating_; }
    void SetUpdating(bool Value);

    QAction* Action() const { return actionLink_.Action(); }
    void SetAction(QAction* Value) { actionLink_.SetAction(Value); }

    bool Checked() const { return GetChecked(); }
    // Between a mouse press and its release.
    bool Pressed() const { return pressed_; }
    bool ClicksDisabled() const { return clicksDisabled_; }

    // The glyph strip (none until the next paint when it was dropped) and
    // the width of one of its cells.
    const TGfxBitmap* GlyphBitmap() const { return glyph_.get(); }
    int GlyphCellWidth() const { return cellWidth_; }
    // The rectangles of the last layout: the whole control, the text and
    // the glyph.
    TRect LayoutRect() const { return layoutRect_; }
    TRect TextRect() const { return textRect_; }
    TRect GlyphRect() const { return glyphRect_; }

    // ------------------------------------------------- virtual operations
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool Value) { (void)Value; }
    virtual bool CanModify() const { return !readOnly_; }
    virtual bool GetDownGlyph() const { return downGlyph_; }
    // Frees the strip, makes an empty one and draws the glyph into it.
    virtual void NewGlyphBitmap();
    // Drops the strip and repaints.
    void ThemeChanged() override;
    bool SupportsThemes() const override { return true; }
    // Unless loading: re-layout and, unless updating, repaint.
    void GetChange(TObject* Sender) override;
    // Takes the action's caption, enabled state and (unless defaults are
    // being checked and the button is already checked) its check.
    virtual void ActionChange(QAction* Sender, bool CheckDefaults);

    // Whether the operator can change the button: it can be modified, or
    // its window hears its click or mouse-up (and drives its check).
    virtual bool OperatorCanChange() const { return CanModify() || OnClick || OnMouseUp; }

    // The text and the checked state for assistive tools; read-only only
    // where the operator cannot change the button. The toggle action, as
    // Qt gives its check and radio buttons, does what a left click does.
    QAccessible::Role AccessibleRole() const override { return QAccessible::CheckBox; }
    QString AccessibleText(QAccessible::Text Kind) const override;
    void AccessibleState(QAccessible::State& State) const override;
    QStringList AccessibleActionNames() const override;
    bool DoAccessibleAction(const QString& Name) override;

protected:
    friend class TGfxButtonActionLink;

    // Draws the glyph strip (nothing here).
    virtual void DrawGlyph() {}
    // What the operator's left press does to the state, run with clicks
    // disabled (nothing here; a radio button is checked).
    virtual void Choose() {}
    // The reason of the focus that arrived last.
    Qt::FocusReason FocusReason() const { return focusReason_; }
    // With AutoSize and not loading: lays out with a top-left alignment and
    // takes the size of the result.
    virtual void AutoSizeLayout();
    // The three operations each kind of button gives (nothing here: the
    // base can be laid out and sized before its kind exists).
    // Lays the glyph and the text out in the rectangle (drawing nothing).
    virtual void LayoutGlyphText(const TRect& Rect) { (void)Rect; }
    // Draws the glyph and the text into the rectangle.
    virtual void DrawGlyphText(TGfxCanvas& Canvas, const TRect& Rect) { (void)Canvas, (void)Rect; }
    // Shows a change of state.
    virtual void UpdateLook() {}

    // The glyph and text laid out (or drawn) by the library's routine with
    // the control's font, alignment and 3-D caption; the rectangles are
    // kept.
    void GlyphTextLayout(TGfxCanvas& Canvas, unsigned DrawFlags, const TGfxGlyph& Glyph, const TRect& Rect);
    // The focus mark of FocusStyle around the last layout.
    void DrawFocusMark(TGfxCanvas& Canvas);
    // The rectangle the glyph and the text are laid out in.
    TRect ContentRect() const { return TRect{1, 0, Width() - 1, Height()}; }

    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void DoExit() override;
    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    // Focus on a mouse press: the press takes the focus with clicks
    // disabled, and is dropped when the focus does not come; the left
    // press that brought the focus chooses.
    bool event(QEvent* e) override;

    std::unique_ptr<TGfxBitmap> glyph_;
    int cellWidth_ = 0;
    bool clicksDisabled_ = false;
    TGfxAcceleratorKey accel_;

private:
    void Relayout();
    void ChooseWithoutClick();

    std::unique_ptr<TGfxGlyphTextLayout> alignment_;
    bool downGlyph_ = false;
    bool pressed_ = false;
    bool dropGlyph_ = true;
    bool autoSize_ = false;
    bool useBitmap_ = false;
    bool glyphFlat_ = false;
    std::unique_ptr<TGfx3DCaption> font3D_;
    TGfxGlyphTextFocusStyle focusStyle_ = fcText;
    TColor focusColor_ = clGray;
    bool useFocusColor_ = false;
    bool readOnly_ = false;
    std::uint8_t glyphSize_ = 0;
    TColor glyphTransparentColor_ = GfxRGB(128, 128, 0);
    bool updating_ = false;
    bool layoutPending_ = false;  // a layout asked for while updating
    bool glyphTransparent_ = false;
    bool autoSizing_ = false;
    TRect layoutRect_{};
    TRect textRect_{};
    TRect glyphRect_{};
    TRect focusRect_{};
    TGfxButtonActionLink actionLink_;
    Qt::FocusReason focusReason_ = Qt::OtherFocusReason;
    bool pressChooses_ = false;  // the focus came with a mouse press; no left press has chosen yet
};

class TGfxRadioButton : public TGfxButtonControl {
public:
    explicit TGfxRadioButton(QWidget* AParent = nullptr);
    ~TGfxRadioButton() override;

    bool GetChecked() const override { return checked_; }
    // Stores a changed value. Checking unchecks every sibling radio button
    // and raises the click unless clicks are disabled; unchecking raises
    // nothing. The look follows.
    void SetChecked(bool Value) override;

    // The glyph strip's cell for the present state.
    int GlyphCellIndex() const;
    // The number of cells of the strip being built.
    int GlyphCellCount() const;
    void NewGlyphBitmap() override;

    QAccessible::Role AccessibleRole() const override { return QAccessible::RadioButton; }

protected:
    // Another radio button (of any kind) of the same parent.
    virtual bool IsSibling(const QWidget* Control) const;
    void FlatHook() override;
    void LookHook() override;
    void DrawGlyph() override;
    void LayoutGlyphText(const TRect& Rect) override;
    void DrawGlyphText(TGfxCanvas& Canvas, const TRect& Rect) override;
    void UpdateLook() override;
    // Whether the focus arriving for Reason checks the button: when it can
    // be modified, unless a mouse press brought it (the left press itself
    // chooses).
    virtual bool FocusChooses(Qt::FocusReason Reason) const
    {
        return CanModify() && Reason != Qt::MouseFocusReason;
    }
    // Checks the button when it can be modified.
    void Choose() override;
    void DoEnter() override;
    void WndProc(TMessage& Message) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // The glyph comes from the image list.
    bool ListGlyph() const;
    bool checked_ = false;
    bool spaceDown_ = false;  // Space pressed on the button, not yet released
};
