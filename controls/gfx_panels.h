#pragma once
// The windowed containers between the custom control and the library's
// buttons and button groups:
// - TGfxCustomPanel: a panel that can hand its transparent children the
//   picture behind them (the four background hooks);
// - TGfxCustomBevelPanel: a bevel frame (TGfxBevel) that also shrinks the
//   client area the children are aligned in;
// - TGfxCustomParentPanel: a cached picture of its own background, of its
//   size, kept current after every move, resize, load and background
//   change, from which it paints and answers its children;
// - TGfxCustomGroupBox: a caption set into the frame on any of the four
//   sides, turned with its side, with its own font and 3-D look.
//
// Qt composites a transparent child over what its parent paints, so the
// children need no copy of the parent's picture to look right; the hooks
// answer the library code that asks for it (a parent panel paints from
// its cache, a group box fills the gap behind its caption from it).
//
// A caption's accelerator ("&x") is offered to the control as
// CM_DIALOGCHAR when the operator presses Alt and the key (a window-wide
// shortcut of the control's own, present while the caption has one).

#include "gfx_bevel.h"
#include "gfx_captions.h"
#include "gfx_customcontrol.h"
#include "platform/gfx_bitmap.h"

#include <QPointer>

#include <memory>

class QShortcut;

// The character marked by "&" in a caption ("&&" is a plain ampersand);
// a null character when there is none.
QChar GfxAccelChar(const QString& Caption);
// The caption as shown: each "&&" becomes "&", any other "&" is dropped.
QString GfxStripAccel(const QString& Caption);
// Whether a CM_DIALOGCHAR key is the caption's accelerator (case aside).
bool GfxIsAccel(std::uintptr_t Key, const QString& Caption);

// Offers the caption's accelerator to its control: while the caption has
// one and it is enabled, Alt + the key performs CM_DIALOGCHAR (the
// character as WParam) on the control.
class TGfxAcceleratorKey {
public:
    explicit TGfxAcceleratorKey(TControl& Control) : control_(Control) {}
    ~TGfxAcceleratorKey();
    TGfxAcceleratorKey(const TGfxAcceleratorKey&) = delete;
    TGfxAcceleratorKey& operator=(const TGfxAcceleratorKey&) = delete;
    void Update(const QString& Caption, bool Enabled);

private:
    TControl& control_;
    QPointer<QShortcut> shortcut_;
    QChar key_;
};

class TGfxCustomPanel : public TGfxCustomControl {
public:
    explicit TGfxCustomPanel(QWidget* AParent = nullptr);

    // The background hooks, answered for a transparent panel: its parent's
    // answer when the parent is a library panel, the form shape's bitmap
    // when the parent is a form with a form shape, else none.
    virtual TGfxBitmap* GetBackgroundBitmap();
    virtual bool BackgroundAvailable() { return GetBackgroundBitmap() != nullptr; }
    // Copies the part of the background behind Rect (this control's
    // coordinates) onto the canvas at Rect; false when there is none.
    virtual bool PaintBackgroundPart(TGfxCanvas& Canvas, const TRect& Rect);
    // Where the control's (0, 0) lies in the background bitmap: its place
    // in the parent's background, moved by half of what a window border
    // takes (none here).
    virtual TPoint BackgroundOffset();

protected:
    // The first steps of every panel's Paint: nothing while the control
    // loads (null); else its background drawn, and the canvas to paint the
    // rest on (null without one).
    TGfxCanvas* PaintBackground();
};

class TGfxCustomBevelPanel : public TGfxCustomPanel {
public:
    explicit TGfxCustomBevelPanel(QWidget* AParent = nullptr);
    ~TGfxCustomBevelPanel() override;

    TGfxBevel& Bevel() { return *bevel_; }
    const TGfxBevel& Bevel() const { return *bevel_; }
    // Copies the bevel and performs the bevel-changed message.
    void SetBevel(const TGfxBevel& Value);
    int BevelWidth() const { return bevel_->TotalWidth(); }
    int BevelExtent() const { return 2 * bevel_->TotalWidth(); }

    // The bevel has no width and is not the window-like border.
    virtual bool HasDesignFrame() const;
    void GetChange(TObject* Sender) override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    // The flat frame of a Flat control without the focus: the button
    // face twice (once without the 3-D look).
    void PaintFlatFrame(TGfxCanvas& Canvas);

private:
    std::unique_ptr<TGfxBevel> bevel_;
};

class TGfxCustomParentPanel : public TGfxCustomBevelPanel {
public:
    explicit TGfxCustomParentPanel(QWidget* AParent = nullptr);
    ~TGfxCustomParentPanel() override;

    // True while a background picture exists, or when transparent.
    bool IsTransparent() const override;
    bool HasDesignFrame() const override;
    void GetChange(TObject* Sender) override;

    // Answered from the picture (whatever Transparent says), brought up to
    // date first.
    TGfxBitmap* GetBackgroundBitmap() override
    {
        RebuildBackground(false);
        EnsureBackground();
        return cache_.get();
    }
    bool PaintBackgroundPart(TGfxCanvas& Canvas, const TRect& Rect) override;
    TPoint BackgroundOffset() override { return TPoint{0, 0}; }

    // Rebuilds the picture of the panel's background: its Color, or when
    // transparent the part of its library parent's picture behind it (on
    // any other parent there is none: Qt paints the parent first). Without
    // Force, only when there is none of the panel's size. The picture is
    // drawn when it is next asked for.
    virtual void RebuildBackground(bool Force);
    // Tells the children that what lies behind them changed.
    void BackgroundChanged();
    // Paints from the picture while there is one.
    bool CopyParentBackground(TGfxCanvas& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset) override;

protected:
    void Loaded() override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    // Draws the picture that RebuildBackground asked for, if not yet drawn.
    void EnsureBackground();

    std::unique_ptr<TGfxBitmap> cache_;
    bool wanted_ = false;            // the panel has a picture (drawn or to draw)
    bool cacheTransparent_ = false;  // what the picture was made for
};

// Where a group box's caption sits: the side, then the place along it.
enum TGfxGroupCaptionAlign : std::uint8_t {
    gcaTopLeft, gcaTopCenter, gcaTopRight,
    gcaLeftBottom, gcaLeftCenter, gcaLeftTop,
    gcaBottomLeft, gcaBottomCenter, gcaBottomRight,
    gcaRightTop, gcaRightCenter, gcaRightBottom
};

class TGfxCustomGroupBox : public TGfxCustomParentPanel {
public:
    explicit TGfxCustomGroupBox(QWidget* AParent = nullptr);
    ~TGfxCustomGroupBox() override;

    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    TGfxGroupCaptionAlign Alignment() const { return alignment_; }
    void SetAlignment(TGfxGroupCaptionAlign Value);
    int CaptionOffset() const { return captionOffset_; }
    void SetCaptionOffset(int Value);
    TGfxFont& CaptionFont() { return captionFont_; }
    // Assigned; a font of its own stops following the control's.
    void SetCaptionFont(const TGfxFont& Value) { captionFont_.Assign(Value); }
    bool CaptionParentFont() const { return captionParentFont_; }
    void SetCaptionParentFont(bool Value);
    TGfx3DCaption& CaptionFont3D() { return captionFont3D_; }
    void SetCaptionFont3D(const TGfx3DCaption& Value) { captionFont3D_.Assign(&Value); }

    // The height of the caption in its font and 3-D look (reserved on the
    // caption's side when there is a caption).
    int CaptionExtent() const { return captionExtent_; }
    // The caption as drawn (accelerator processed when ShowAccelChar).
    QString ShownCaption() const;
    // The angle the caption is turned by for its side: 0, 90 or 270.
    TGfxAngle CaptionAngle() const { return fxCaption_.Angle(); }
    // Where the caption and the frame went at the last paint.
    TRect CaptionRect() const { return captionRect_; }
    TRect FrameRect() const { return frameRect_; }

    bool SupportsThemes() const override { return true; }
    void GetChange(TObject* Sender) override;

    QAccessible::Role AccessibleRole() const override { return QAccessible::Grouping; }
    QString AccessibleText(QAccessible::Text Kind) const override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    // Recomputes the caption's angle and extent.
    void UpdateCaptionLook();
    // Gives the focus to the first control inside that takes it, in tab
    // order; false when there is none.
    bool FocusFirstChild();

private:
    // The caption's side: 0 top, 1 left, 2 bottom, 3 right.
    int Side() const { return int(alignment_) / 3; }
    void FollowFont();
    void PaintFrame(TGfxCanvas& Canvas, const TRect& Rect);

    bool showAccelChar_ = true;
    TGfxGroupCaptionAlign alignment_ = gcaTopLeft;
    int captionOffset_ = 8;
    TGfxFont captionFont_;
    bool captionParentFont_ = true;
    bool followingFont_ = false;
    TGfx3DCaption captionFont3D_;
    int captionExtent_ = 0;
    TGfxFxCaption fxCaption_;
    TRect captionRect_{};
    TRect frameRect_{};
    TGfxAcceleratorKey accel_;
};
