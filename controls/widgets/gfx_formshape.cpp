#include "gfx_formshape.h"

#include "gfx_application.h"
#include "platform/gfx_canvas.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

TGfxFormShape::TGfxFormShape(QObject* AOwner)
    : TGfxWndProcComponent(AOwner),
      region_(std::make_unique<TGfxBorderRegion>(AOwner)),
      fillObject_(std::make_unique<TGfxFillObject>()),
      imageList_([this](TObject*) { Repaint(); })
{
    const TNotifyEvent reapply = [this](TObject*) {
        ApplyShape();
        Repaint();
    };
    region_->OnChange = reapply;
    fillObject_->OnChange = reapply;
}

TGfxFormShape::~TGfxFormShape()
{
    Destroying();
    region_->OnChange = nullptr;
    fillObject_->OnChange = nullptr;
    SetImageList(nullptr);
}

QWidget* TGfxFormShape::Form() const { return qobject_cast<QWidget*>(Owner()); }

void TGfxFormShape::Repaint()
{
    if (QWidget* form = Form(); form && !IsDestroying())
        form->update();
}

void TGfxFormShape::SetUseRgnBitmap(bool Value)
{
    if (Value == useRgnBitmap_)
        return;
    useRgnBitmap_ = Value;
    ApplyShape();
}

void TGfxFormShape::SetShowFormCaption(bool Value)
{
    if (Value == showFormCaption_)
        return;
    showFormCaption_ = Value;
    ApplyShape();
}

void TGfxFormShape::SetImageList(TGfxCustomImageList* Value)
{
    if (Value == imageList_.List())
        return;
    imageList_.SetList(Value);
    Repaint();
}

bool TGfxFormShape::HasOwnBackground() const
{
    return (useRgnBitmap_ && region_->Shape() == rsBitmap) || (fillObject_->Style() != sfNone && !IsDesigning());
}

TGfxBitmap* TGfxFormShape::GetBackgroundBitmap()
{
    if (useRgnBitmap_ && region_->Shape() == rsBitmap)
        return &region_->Mask().BorderBitmap(bbBorder);
    if (fillObject_->Style() != sfNone)
        return &background_;
    return nullptr;
}

TGfxFormShape::THitTest TGfxFormShape::HitTest(const QPoint& ClientPoint) const
{
    const QWidget* form = Form();
    if (!form || !FormDragable || !form->rect().contains(ClientPoint) || form->childAt(ClientPoint))
        return htClient;
    return htCaption;
}

void TGfxFormShape::ApplyShape()
{
    QWidget* form = Form();
    if (!form || applying_ || IsLoading() || IsDestroying())
        return;
    applying_ = true;
    try {
        // An rsBitmap outline takes the size of its bitmap and the shadow.
        const TGfxBitmap& bitmap = region_->Mask().BorderBitmap(bbBorder);
        if (!form->isMaximized() && region_->Shape() == rsBitmap && !bitmap.Empty()) {
            const int depth = region_->Shadow().Room();
            form->resize(bitmap.Width() + depth, bitmap.Height() + depth);
        }
        region_->Designing = IsDesigning();
        const std::optional<TGfxRgn>& region = region_->BuildRegion(TRect{0, 0, form->width(), form->height()});
        if (!IsDesigning()) {
            form->clearMask();
            if (region && !region->IsEmpty())
                form->setMask(region->QtRegion());
        }
    } catch (...) {
        applying_ = false;
        throw;
    }
    applying_ = false;
}

void TGfxFormShape::PaintBackground(TGfxCanvas& Canvas)
{
    QWidget* form = Form();
    if (!form)
        return;
    if (useRgnBitmap_ && region_->Shape() == rsBitmap) {
        if (!IsDesigning()) {
            Canvas.Draw(0, 0, region_->Mask().BorderBitmap(bbBorder));
        } else if (const auto outline = TGfxRgn::FromData(region_->Mask().RegionData())) {
            Canvas.FrameRgn(*outline, Canvas.Brush, 1, 1);
        }
        return;
    }
    if (fillObject_->Style() == sfNone)
        return;
    const TRect client{0, 0, form->width(), form->height()};
    background_.SetSize(client.Right, client.Bottom);
    if (background_.Empty())
        return;
    TGfxCustomImageList* list = imageList_.List();
    if (fillObject_->Style() == sfBitmapList && list && list->IsValidImage(ListIndex, ImageIndex)) {
        TGfxBitmap image;
        list->GetBitmap(ListIndex, ImageIndex, &image);
        fillObject_->SetListBitmap(&image);
    }
    fillObject_->FillRect(background_.Canvas(), client, clWhite);
    if (!IsDesigning())
        Canvas.Draw(0, 0, background_);
}

void TGfxFormShape::Loaded()
{
    TGfxWndProcComponent::Loaded();
    if (IsDesigning() &&
        GfxCheckOneInstance(Owner(), [](const QObject* o) { return dynamic_cast<const TGfxFormShape*>(o); }, false))
        throw GfxEOneInstError::CreateKind(ClassName(), 0);
    if (Enabled())
        ApplyShape();
}

bool TGfxFormShape::HandleMouse(QWidget* form, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton || HitTest(mouse->position().toPoint()) != htCaption)
            return false;
        // The window system moves the window where it can; elsewhere the
        // form follows the mouse until the button goes up.
        if (QWindow* window = form->windowHandle(); window && window->startSystemMove())
            return true;
        dragging_ = true;
        dragOffset_ = global - form->pos();
        return true;
    case QEvent::MouseMove:
        if (!dragging_)
            return false;
        form->move(global - dragOffset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging_ || mouse->button() != Qt::LeftButton)
            return false;
        dragging_ = false;
        return true;
    default: return false;
    }
}

bool TGfxFormShape::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* form = Form();
    if (!form || watched != form || watched != HookedWindow())
        return TGfxWndProcComponent::eventFilter(watched, event);
    try {
        switch (event->type()) {
        case QEvent::Resize:
            ApplyShape();
            form->update();
            return false;
        case QEvent::Paint: {
            TGfxCanvas canvas(form);
            PaintBackground(canvas);
            canvas.Release();
            return false;  // the form paints its own content on top
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: return HandleMouse(form, event);
        default: break;
        }
    } catch (...) {
        GfxHandleException();
        return false;
    }
    return TGfxWndProcComponent::eventFilter(watched, event);
}
