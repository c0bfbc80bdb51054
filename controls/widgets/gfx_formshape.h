#pragma once
// TGfxFormShape: a component dropped on a form that gives the form the
// outline of its Region, paints the form's background from its fill (or
// from the region mask's bitmap) and lets the user drag the form by any
// empty spot of its client area.
//
// It works as an event filter on its form while hooked (from loading on,
// while Enabled): a resize re-applies the outline and repaints; each paint
// first paints the background; a left press on an empty spot (no control
// of the form under it) starts moving the form, through the window
// system's own move where it has one, else by following the mouse.
//
// On this platform the window system keeps the frame and the caption: the
// outline shapes the client area (QWidget::setMask), and the frame and
// caption sizes count as 0. ShowFormCaption is stored and re-applies the
// shape but changes nothing else. Right-button presses on the frame never
// reach a form here, so they play no part in the drag test.
//
// The graphic controls ask the first form shape of their form whether it
// paints a background of its own (HasOwnBackground).

#include "gfx_bitmaplist.h"
#include "gfx_fill.h"
#include "gfx_regions.h"
#include "widgets/gfx_wndproc.h"

#include <QPoint>

#include <memory>

class QEvent;
class QWidget;

class TGfxFormShape : public TGfxWndProcComponent {
public:
    // The answers of the drag test.
    enum THitTest { htClient, htCaption };

    explicit TGfxFormShape(QObject* AOwner = nullptr);
    ~TGfxFormShape() override;

    TGfxBorderRegion& Region() { return *region_; }
    void SetRegion(const TGfxRegion& Value) { region_->Assign(&Value); }
    TGfxFillObject& FillObject() { return *fillObject_; }
    void SetFillObject(const TGfxFillObject& Value) { fillObject_->Assign(&Value); }
    // Stores a changed value and re-applies the shape.
    bool UseRgnBitmap() const { return useRgnBitmap_; }
    void SetUseRgnBitmap(bool Value);
    bool ShowFormCaption() const { return showFormCaption_; }
    void SetShowFormCaption(bool Value);
    // Only stored: read by the drag test.
    bool FormDragable = true;
    // Only stored: the image of an sfBitmapList fill.
    int ListIndex = 0;
    int ImageIndex = 0;
    TGfxCustomImageList* ImageList() const { return imageList_.List(); }
    // Follows the list's changes (a repaint) and forgets it when it is freed.
    void SetImageList(TGfxCustomImageList* Value);
    // The link with its stored form ("Internal" or ImageList).
    const TGfxImageListLink& ImageListLink() const { return imageList_; }
    void ReadInternal(const QString& Tag) { SetImageList(GfxGlobalListOfTag(Tag)); }

    // True when the shape paints the form's background: UseRgnBitmap with
    // an rsBitmap region, or a fill style other than sfNone (outside the
    // designer).
    bool HasOwnBackground() const;
    // The mask's bitmap in the first case, the background bitmap in the
    // second, else none.
    TGfxBitmap* GetBackgroundBitmap();

    // The drag test at a point of the form's client area.
    THitTest HitTest(const QPoint& ClientPoint) const;
    // Builds the region for the form's client area and sets it as the
    // form's outline; an rsBitmap region first sizes the form to the mask
    // bitmap. Nothing while loading.
    void ApplyShape();
    // The background on the canvas of the form (while it paints).
    void PaintBackground(TGfxCanvas& Canvas);

protected:
    void Loaded() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Form() const;
    void Repaint();
    bool HandleMouse(QWidget* form, QEvent* event);

    std::unique_ptr<TGfxBorderRegion> region_;
    bool useRgnBitmap_ = true;
    bool showFormCaption_ = true;
    std::unique_ptr<TGfxFillObject> fillObject_;
    TGfxBitmap background_;
    TGfxImageListLink imageList_;
    bool applying_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};
