#pragma once
// TGfxControl: the root of the library's windowless (graphic) controls. It
// adds to the platform's graphic control the bounds changes as flags, mouse
// enter and exit events that respect Enabled, one rule for repaint requests
// and the reaction to the library's theme change.
//
// TGfxBaseControl adds a link to one of the library's image lists with its
// two indexes, and a bitmap-effect object; every graphic control the
// windows use derives from it.

#include "gfx_imagelink.h"
#include "widgets/gfx_controlmodel.h"

#include <functional>

// The bounds-changed flags.
using TGfxBoundsFlags = unsigned;
constexpr TGfxBoundsFlags gbcResized = 1;  // width or height changed
constexpr TGfxBoundsFlags gbcMoved = 2;    // left or top changed
using TGfxBoundsChangeEvent = std::function<void(TObject* Sender, TGfxBoundsFlags Flags)>;

// The dashed black frame a control shows around itself in the designer.
void GfxDrawDesignFrame(TGfxCanvas& Canvas, const TRect& Rect);

class TGfxControl : public TGraphicControl {
public:
    explicit TGfxControl(QWidget* AParent = nullptr);
    ~TGfxControl() override;

    // Published by descendants.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TGfxBoundsChangeEvent OnBoundsChange;

    // Fires BoundsChanged with what moved and what resized (nothing while
    // loading, nothing when nothing changed).
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool IsUpdating() const { return updateCount_ > 0; }

    // While the control paints: the client area in Color.
    void FillBackground();
    // While the control paints: the designer's dashed frame.
    void DrawDesignFrame();

    virtual void ThemeChanged();
    virtual bool UsesThemes() const { return false; }
    virtual void BoundsChanged(TGfxBoundsFlags Flags);
    virtual void MouseEnter();
    virtual void MouseExit();
    // Invalidates unless updating or loading.
    virtual void RepaintRequest();
    // Whether a control without a bevel shows the designer's frame.
    virtual bool ShowDesignFrame() const { return true; }

protected:
    void WndProc(TMessage& Message) override;

    // The write pattern of the controls' properties: a value that differs is
    // stored and the control told through PropertyChanged, a repaint
    // request unless the control needs another.
    template <class T, class U>
    void SetProp(T& field, const U& value)
    {
        if (field == value)
            return;
        field = value;
        PropertyChanged();
    }
    virtual void PropertyChanged() { RepaintRequest(); }

    // Tested by the repaint rule; nothing in the library raises it.
    int updateCount_ = 0;
};

class TGfxBaseControl : public TGfxControl {
public:
    explicit TGfxBaseControl(QWidget* AParent = nullptr);
    ~TGfxBaseControl() override;

    TGfxCustomImageList* ImageList() const { return imageLink_.ImageList(); }
    void SetImageList(TGfxCustomImageList* Value) { imageLink_.SetImageList(Value); }
    int ImageIndex() const { return imageLink_.ImageIndex(); }
    int ListIndex() const { return imageLink_.ListIndex(); }
    // Index 0 ImageIndex, 1 ListIndex; a negative value is ignored.
    void SetIndex(int Index, int Value) { imageLink_.SetIndex(Index, Value); }
    void SetImageIndex(int Value) { SetIndex(0, Value); }
    void SetListIndex(int Value) { SetIndex(1, Value); }
    bool ListBitmapMissing() const { return imageLink_.ListBitmapMissing(); }
    // The list's image at ListIndex, ImageIndex into the fill's list bitmap,
    // or no list bitmap when the list has none.
    void TakeListBitmap(TGfxShapeFill& Fill) const;
    // The stored form of the list link (see gfx_imagelink.h).
    const TGfxImageListLink& ImageLink() const { return imageLink_.Link(); }
    void ReadInternal(const QString& Tag) { imageLink_.ReadInternal(Tag); }
    // The effects applied to the control's image; a change repaints.
    TGfxBitmapEffectObject& BitmapEffects() { return effects_.Object(); }

    // Whether a change of the parent's background needs a repaint.
    virtual bool BackgroundRepaint() const { return false; }
    virtual void ImageListChanged(TObject* Sender);

protected:
    void Loaded() override;
    void Notification(TComponentBase* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;

private:
    TGfxControlImageLink imageLink_;
    TGfxControlEffects effects_;
};
