#include "gfx_graphiccontrol.h"

#include "gfx_customcontrol.h"
#include "widgets/gfx_formshape.h"

// -------------------------------------------------- TGfxBaseGraphicControl
TGfxBaseGraphicControl::TGfxBaseGraphicControl(QWidget* AParent) : TGfxBaseControl(AParent)
{
    SetControlStyle((ControlStyle() & ~csOpaque) | csReplicatable);
    SetBounds(Left(), Top(), 30, 30);
}

TGfxBaseGraphicControl::~TGfxBaseGraphicControl() { Destroying(); }

void TGfxBaseGraphicControl::SetTransparent(bool Value)
{
    if (transparent_ == Value)
        return;
    SetControlStyle(Value ? (ControlStyle() & ~csOpaque) : (ControlStyle() | csOpaque));
    transparent_ = Value;
    Perform(GFX_TRANSPARENTCHANGED);
}

void TGfxBaseGraphicControl::InitOpaque()
{
    transparent_ = false;
    SetControlStyle(ControlStyle() | csOpaque);
}

void TGfxBaseGraphicControl::RepaintRequest()
{
    if (updateCount_ > 0)
        return;
    if (transparent_)
        Invalidate();
    else
        Repaint();
}

bool TGfxBaseGraphicControl::BackgroundRepaint() const
{
    if (!transparent_)
        return false;
    const QWidget* parent = parentWidget();
    if (const auto* custom = dynamic_cast<const TGfxCustomControl*>(parent))
        return custom->HandleAllocated() && custom->HasOwnBackground();
    if (!parent || !parent->isWindow() || !parent->testAttribute(Qt::WA_WState_Created))
        return false;
    const int at = TGfxCustomControl::FindFormComponent(
        parent, [](const QObject* o) { return dynamic_cast<const TGfxFormShape*>(o) != nullptr; });
    return at >= 0 && static_cast<const TGfxFormShape*>(parent->children().at(at))->HasOwnBackground();
}

void TGfxBaseGraphicControl::Paint()
{
    if (IsDesigning())
        DrawDesignFrame();
}

void TGfxBaseGraphicControl::WndProc(TMessage& Message)
{
    if (Message.Msg == GFX_TRANSPARENTCHANGED) {
        if (Visible())
            RepaintRequest();
        return;
    }
    TGfxBaseControl::WndProc(Message);
}

// ------------------------------------------------------ TGfxGraphicControl
TGfxGraphicControl::TGfxGraphicControl(QWidget* AParent)
    : TGfxBaseGraphicControl(AParent), bevel_(std::make_unique<TGfxBevel>())
{
    bevel_->OnChange = [this](TObject*) { RepaintRequest(); };
}

TGfxGraphicControl::~TGfxGraphicControl()
{
    Destroying();
    bevel_->OnChange = nullptr;
}

void TGfxGraphicControl::SetBevel(const TGfxBevel& Value)
{
    bevel_->Assign(&Value);
    Perform(GFX_BEVELCHANGED);
}

void TGfxGraphicControl::Paint()
{
    if (IsLoading())
        return;
    if (ShowDesignFrame() && bevel_->TotalWidth() == 0) {
        TGfxBaseGraphicControl::Paint();
        return;
    }
    if (TGfxCanvas* canvas = Canvas())
        bevel_->Paint(*canvas, ClientRect(), Transparent());
}
