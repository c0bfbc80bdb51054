#include "gfx_control.h"

void GfxDrawDesignFrame(TGfxCanvas& Canvas, const TRect& Rect)
{
    Canvas.Pen.SetColor(clBlack);
    Canvas.Pen.SetWidth(1);
    Canvas.Pen.SetStyle(psDash);
    Canvas.Pen.SetMode(pmCopy);
    Canvas.Brush.SetStyle(bsClear);
    Canvas.Rectangle(Rect);
}

// ------------------------------------------------------------- TGfxControl
TGfxControl::TGfxControl(QWidget* AParent) : TGraphicControl(AParent) {}

TGfxControl::~TGfxControl() { Destroying(); }

void TGfxControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldLeft = Left(), oldTop = Top(), oldWidth = Width(), oldHeight = Height();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    TGfxBoundsFlags flags = 0;
    if (Left() != oldLeft || Top() != oldTop)
        flags |= gbcMoved;
    if (Width() != oldWidth || Height() != oldHeight)
        flags |= gbcResized;
    if (flags && !IsLoading())
        BoundsChanged(flags);
}

void TGfxControl::FillBackground()
{
    if (TGfxCanvas* canvas = Canvas()) {
        canvas->Brush.SetStyle(bsSolid);
        canvas->Brush.SetColor(Color());
        canvas->Pen.SetStyle(psClear);
        canvas->FillRect(ClientRect());
    }
}

void TGfxControl::DrawDesignFrame()
{
    if (TGfxCanvas* canvas = Canvas())
        GfxDrawDesignFrame(*canvas, ClientRect());
}

void TGfxControl::ThemeChanged()
{
    if (UsesThemes())
        Invalidate();
}

void TGfxControl::BoundsChanged(TGfxBoundsFlags Flags)
{
    if (OnBoundsChange)
        OnBoundsChange(this, Flags);
}

void TGfxControl::MouseEnter()
{
    if (Enabled() && OnMouseEnter)
        OnMouseEnter(this);
}

void TGfxControl::MouseExit()
{
    if (Enabled() && OnMouseExit)
        OnMouseExit(this);
}

void TGfxControl::RepaintRequest()
{
    if (updateCount_ < 1 && !IsLoading())
        Invalidate();
}

void TGfxControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(Message);
        if (!IsDesigning())
            MouseEnter();
        break;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(Message);
        if (!IsDesigning())
            MouseExit();
        break;
    case GFX_THEMECHANGED: ThemeChanged(); break;
    default: TGraphicControl::WndProc(Message); break;
    }
}

// --------------------------------------------------------- TGfxBaseControl
TGfxBaseControl::TGfxBaseControl(QWidget* AParent)
    : TGfxControl(AParent), imageLink_(*this, this, [this](TObject* Sender) { ImageListChanged(Sender); }),
      effects_(*this, this, [this](TObject*) { RepaintRequest(); })
{
}

TGfxBaseControl::~TGfxBaseControl() { Destroying(); }

void TGfxBaseControl::ImageListChanged(TObject*) { RepaintRequest(); }

void TGfxBaseControl::TakeListBitmap(TGfxShapeFill& Fill) const
{
    if (ListBitmapMissing()) {
        Fill.SetListBitmap(nullptr);
        return;
    }
    TGfxBitmap image;
    ImageList()->GetBitmap(ListIndex(), ImageIndex(), &image);
    Fill.SetListBitmap(&image);
}

void TGfxBaseControl::Loaded()
{
    TGfxControl::Loaded();
    if (imageLink_.ImageList())
        ImageListChanged(nullptr);
}

void TGfxBaseControl::Notification(TComponentBase* AComponent, TOperation Operation)
{
    TGfxControl::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        imageLink_.ListFreed(AComponent);
        effects_.ListFreed(AComponent, IsDestroying());
    }
}

void TGfxBaseControl::WndProc(TMessage& Message)
{
    if (Message.Msg != GFX_PARENTBKGNDCHANGED) {
        TGfxControl::WndProc(Message);
        return;
    }
    if (!Visible())
        return;
    if (!IsLoading() && BackgroundRepaint())
        RepaintRequest();
    effects_.Object().ResetBuffer();
}
