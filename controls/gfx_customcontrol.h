#pragma once
// TGfxCustomControl: the windowed root of the library. Every library control
// that owns a window (panels, group boxes, button groups, radio groups, the
// button control and the radio button) derives from it. It adds:
// - transparency: a transparent control paints no background of its own,
//   so what its parent paints shows behind it;
// - visual styles: the themed background and border when the theme
//   service is there and active and CtlXP is set, the classic drawing
//   otherwise (the theme service reports "not loaded" on this platform);
// - a flat border that shows its 3-D look only while the control has the
//   focus;
// - mouse enter and exit events, and focus events that fire after the focus
//   has finished moving (the focus messages are posted to the control);
// - a link to one of the library's image lists, and a bitmap-effect object.
//
// The border is the window's own: the platform draws it on the window's
// device context outside any paint. Here the control keeps the border it
// last drew and draws it at the end of every paint, after the Paint of
// whatever class the control is (the paint handler draws it, so no
// override of Paint can lose it).

#include "gfx_imagelink.h"
#include "gfx_themes.h"
#include "widgets/gfx_controlmodel.h"

class TGfxCustomControl : public TCustomControl {
public:
    explicit TGfxCustomControl(QWidget* AParent = nullptr);
    ~TGfxCustomControl() override;

    // Published by descendants.
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool CtlXP() const { return ctlXP_; }
    void SetCtlXP(bool Value);

    TGfxCustomImageList* ImageList() const { return imageLink_.ImageList(); }
    void SetImageList(TGfxCustomImageList* Value) { imageLink_.SetImageList(Value); }
    int ImageIndex() const { return imageLink_.ImageIndex(); }
    int ListIndex() const { return imageLink_.ListIndex(); }
    // Index 0 ImageIndex, 1 ListIndex; a negative value is ignored.
    void SetIndex(int Index, int Value) { imageLink_.SetIndex(Index, Value); }
    void SetImageIndex(int Value) { SetIndex(0, Value); }
    void SetListIndex(int Value) { SetIndex(1, Value); }
    bool ListBitmapMissing() const { return imageLink_.ListBitmapMissing(); }
    const TGfxImageListLink& ImageLink() const { return imageLink_.Link(); }
    void ReadInternal(const QString& Tag) { imageLink_.ReadInternal(Tag); }
    // The effects applied to the control's image; a change goes to
    // GetChange. Its buffered result is dropped whenever the background
    // changes.
    TGfxBitmapEffectObject& BitmapEffects() { return effects_.Object(); }

    TNotifyEvent OnFocusGained;
    TNotifyEvent OnFocusLost;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    bool MouseIn() const { return mouseIn_; }
    bool HasFocus() const { return hasFocus_; }

    // ------------------------------------------------- virtual operations
    // Invalidates and tells every child that the theme changed.
    virtual void ThemeChanged();
    virtual bool CanDrawParentTheme() const { return true; }
    virtual bool SupportsThemes() const { return false; }
    // Transparent, themes on and active, CtlXP, and no background of its own.
    virtual bool ThemedParentBackground() const;
    virtual void LookHook() {}
    virtual void FlatHook() {}
    virtual bool IsTransparent() const { return transparent_ && !HasOwnBackground(); }
    // Paints the background: nothing when the parent's was drawn by the
    // theme service or what the parent paints shows through; else Color.
    virtual void DrawBackground();
    // A sub-object changed: invalidates while the change-invalidates flag is set.
    virtual void GetChange(TObject* Sender);
    virtual bool ShowDesignFrame() const { return true; }
    virtual bool IsReadOnly() const { return false; }
    virtual void ImageListChanged(TObject* Sender) { GetChange(Sender); }
    virtual void MouseEnter();
    virtual void MouseExit();
    // The object that describes the control's own background fill (none).
    virtual TObject* BackFillObject() const { return nullptr; }
    // Whether the control paints a background of its own (a panel with its
    // own fill or picture).
    virtual bool HasOwnBackground() const { return false; }
    // Copies what this control shows behind its children onto the canvas at
    // the offset; false when it cannot (here).
    virtual bool CopyParentBackground(TGfxCanvas& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset);
    virtual void MapPoint(const TPoint& Point, TPoint& Result) const { Result = Point; }
    // The parent's fill object when the parent is a library windowed control
    // and this one has no background of its own.
    virtual TObject* ParentBackFill() const;

    // Themes on and active, SupportsThemes and CtlXP.
    bool UseThemedDrawing() const;
    // The themed border's class, part and state.
    virtual void ThemedBorderPart(const wchar_t*& ClassName, int& Part, int& State) const;

    // The border the control shows now: none (never drawn), flat or active.
    enum TBorderLook { blNone, blFlat, blActive };
    TBorderLook BorderLook() const { return borderLook_; }

    // The first component of the class among a form's components (its
    // child objects), or -1 when the owner is no form or holds none.
    static int FindFormComponent(const QObject* Form, const std::function<bool(const QObject*)>& IsOfClass);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // Paint, then the border the control keeps.
    void PaintHandler(TMessage& Message) override;
    void DoEnter() override;
    void DoExit() override;
    void Loaded() override;
    void Notification(TComponentBase* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;

    // The flat (inactive) border: only while not focused, Flat and the mouse
    // out. The active (3-D or themed) border.
    virtual void DrawFlatBorder();
    virtual void DrawActiveBorder();
    // Fills a rectangle as DrawBackground fills the client area; nothing
    // while themed drawing is in use.
    void DrawBackgroundRect(const TRect& Rect);
    // Draws a border look on the canvas (the window's own border).
    void PaintBorder(TGfxCanvas& Canvas, TBorderLook Look);

    bool descendantFlag_ = false;  // for descendants
    bool changeInvalidates_ = true;

private:
    void EraseBackground(TMessage& Message);
    void FillBackground(const TRect& Rect);
    // Runs the border drawing on the window's surface: now while the
    // control paints, else it is kept and drawn by the next paint.
    void ShowBorder(TBorderLook Look);
    void PaintThemedBorder(TGfxCanvas& Canvas, const TRect& Rect);

    bool parentPainted_ = false;
    bool mouseIn_ = false;
    bool hasFocus_ = false;
    bool flat_ = false;
    bool transparent_ = false;
    bool ctlXP_ = true;
    TBorderLook borderLook_ = blNone;
    TGfxControlImageLink imageLink_;
    TGfxControlEffects effects_;
};
