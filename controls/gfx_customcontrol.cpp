#include "gfx_customcontrol.h"

#include "gfx_application.h"
#include "gfx_control.h"

namespace {

bool ThemesOn() { return GfxApplication && GfxApplication->GetThemed(); }

}  // namespace

TGfxCustomControl::TGfxCustomControl(QWidget* AParent)
    : TCustomControl(AParent), imageLink_(*this, this, [this](TObject* Sender) { ImageListChanged(Sender); }),
      effects_(*this, this, [this](TObject* Sender) { GetChange(Sender); })
{
    SetBounds(Left(), Top(), 100, 40);
    SetTabStop(false);
}

TGfxCustomControl::~TGfxCustomControl() { Destroying(); }

// ------------------------------------------------------------- properties
void TGfxCustomControl::SetFlat(bool Value)
{
    if (flat_ == Value)
        return;
    flat_ = Value;
    FlatHook();
    if (flat_)
        DrawFlatBorder();
    else
        DrawActiveBorder();
}

void TGfxCustomControl::SetTransparent(bool Value)
{
    if (transparent_ == Value)
        return;
    transparent_ = Value;
    SetControlStyle(Value ? (ControlStyle() & ~csOpaque) : (ControlStyle() | csOpaque));
    RecreateWnd();
    Invalidate();
}

void TGfxCustomControl::SetCtlXP(bool Value)
{
    if (ctlXP_ == Value)
        return;
    ctlXP_ = Value;
    ThemeChanged();
}

// ------------------------------------------------------- virtual operations
void TGfxCustomControl::ThemeChanged()
{
    Invalidate();
    NotifyControls(GFX_THEMECHANGED, CurrentThemeWave());
}

bool TGfxCustomControl::ThemedParentBackground() const
{
    return transparent_ && ThemesOn() && ctlXP_ && !HasOwnBackground();
}

bool TGfxCustomControl::UseThemedDrawing() const { return SupportsThemes() && ThemesOn() && ctlXP_; }

void TGfxCustomControl::FillBackground(const TRect& Rect)
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || parentPainted_ || (ThemedParentBackground() && CanDrawParentTheme()))
        return;
    if (IsTransparent()) {
        // What the parent paints already lies behind the control (it paints
        // no background of its own), unless a descendant copies it itself.
        CopyParentBackground(*canvas, Rect, 0, TPoint{0, 0});
        return;
    }
    canvas->Brush.SetStyle(bsSolid);
    canvas->Brush.SetColor(Color());
    canvas->FillRect(Rect);
}

void TGfxCustomControl::DrawBackground() { FillBackground(ClientRect()); }

void TGfxCustomControl::DrawBackgroundRect(const TRect& Rect)
{
    if (!UseThemedDrawing())
        FillBackground(Rect);
}

void TGfxCustomControl::GetChange(TObject*)
{
    if (changeInvalidates_)
        Invalidate();
}

void TGfxCustomControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    mouseIn_ = true;
}

void TGfxCustomControl::MouseExit()
{
    mouseIn_ = false;
    if (!hasFocus_ && flat_)
        DrawFlatBorder();
    if (OnMouseExit)
        OnMouseExit(this);
}

bool TGfxCustomControl::CopyParentBackground(TGfxCanvas&, const TRect&, unsigned, TPoint) { return false; }

TObject* TGfxCustomControl::ParentBackFill() const
{
    if (HasOwnBackground())
        return nullptr;
    if (const auto* parent = dynamic_cast<const TGfxCustomControl*>(parentWidget()))
        return parent->BackFillObject();
    return nullptr;
}

void TGfxCustomControl::ThemedBorderPart(const wchar_t*& ClassName, int& Part, int& State) const
{
    ClassName = L"EDIT";
    Part = 1;  // edit text
    State = 1;  // normal; the last that applies wins
    if (hasFocus_)
        State = 5;
    if (mouseIn_)
        State = 2;
    if (IsReadOnly())
        State = 6;
    if (!Enabled())
        State = 4;
}

int TGfxCustomControl::FindFormComponent(const QObject* Form, const std::function<bool(const QObject*)>& IsOfClass)
{
    const auto* form = qobject_cast<const QWidget*>(Form);
    if (!form || !form->isWindow() || !IsOfClass)
        return -1;
    const QObjectList& children = form->children();
    for (int i = 0; i < children.size(); ++i)
        if (IsOfClass(children[i]))
            return i;
    return -1;
}

// ----------------------------------------------------------------- window
void TGfxCustomControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TGfxCustomControl::Paint()
{
    if (IsLoading())
        return;
    DrawBackground();
    TGfxCanvas* canvas = Canvas();
    if (canvas && IsDesigning() && ShowDesignFrame())
        GfxDrawDesignFrame(*canvas, ClientRect());
}

void TGfxCustomControl::PaintHandler(TMessage& Message)
{
    TCustomControl::PaintHandler(Message);
    TGfxCanvas* canvas = Canvas();
    if (!canvas || IsLoading() || IsDesigning() || IsDestroying())
        return;
    // Over everything the paint drew, whatever it left selected.
    canvas->SelectClipRgn(nullptr);
    DrawFlatBorder();
    PaintBorder(*canvas, borderLook_);
}

void TGfxCustomControl::EraseBackground(TMessage& Message)
{
    parentPainted_ = false;
    if (transparent_ && ThemedParentBackground() && CanDrawParentTheme()) {
        if (const TGfxDrawThemeParentBackground draw = GfxThemeDrawThemeParentBackground()) {
            auto* canvas = reinterpret_cast<TGfxCanvas*>(Message.WParam);
            const TRect r = ClientRect();
            if (canvas && draw(this, canvas->Painter(), &r) == 0)
                parentPainted_ = true;
        }
        Message.Result = 1;
        return;
    }
    if (IsTransparent()) {
        Message.Result = 1;  // the paint draws it
        return;
    }
    TCustomControl::WndProc(Message);
}

// ---------------------------------------------------------------- borders
void TGfxCustomControl::ShowBorder(TBorderLook Look)
{
    borderLook_ = Look;
    // Outside a paint the window's surface cannot be drawn on: the next
    // paint draws the border the control keeps.
    if (!Canvas())
        Invalidate();
}

void TGfxCustomControl::DrawFlatBorder()
{
    if (hasFocus_ || !flat_ || mouseIn_)
        return;
    ShowBorder(blFlat);
}

void TGfxCustomControl::DrawActiveBorder() { ShowBorder(blActive); }

void TGfxCustomControl::PaintThemedBorder(TGfxCanvas& Canvas, const TRect& Rect)
{
    const TGfxOpenThemeData open = GfxThemeOpenThemeData();
    const TGfxDrawThemeBackground draw = GfxThemeDrawThemeBackground();
    const TGfxCloseThemeData close = GfxThemeCloseThemeData();
    if (!open || !draw || !close)
        return;
    const wchar_t* className = nullptr;
    int part = 0, state = 0;
    ThemedBorderPart(className, part, state);
    if (HTHEME theme = open(this, className)) {
        draw(theme, Canvas.Painter(), part, state, &Rect, nullptr);
        close(theme);
    }
}

void TGfxCustomControl::PaintBorder(TGfxCanvas& Canvas, TBorderLook Look)
{
    if (Look == blNone)
        return;
    if (UseThemedDrawing()) {
        PaintThemedBorder(Canvas, ClientRect());
        return;
    }
    TRect r{0, 0, Width(), Height()};
    Canvas.Brush.SetStyle(bsSolid);
    if (Look == blFlat) {
        Canvas.Brush.SetColor(clBtnFace);
        Canvas.FrameRect(r);
        if (Ctl3D()) {
            r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
            Canvas.FrameRect(r);
        }
        return;
    }
    if (!Ctl3D()) {
        Canvas.Brush.SetColor(clWindowFrame);
        Canvas.FrameRect(r);
        return;
    }
    // The sunken look: the dark frame inside the shadow at the top and left,
    // the face inside the highlight at the bottom and right.
    r.Left += 1;
    r.Top += 1;
    Canvas.Brush.SetColor(clWindowFrame);
    Canvas.FrameRect(r);
    r = TRect{r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1};
    Canvas.Brush.SetColor(clBtnFace);
    Canvas.FrameRect(r);
    r.Right += 1;
    r.Bottom += 1;
    Canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

// ------------------------------------------------------------------ focus
void TGfxCustomControl::DoEnter()
{
    TCustomControl::DoEnter();
    hasFocus_ = true;
    if (flat_)
        DrawActiveBorder();
}

void TGfxCustomControl::DoExit()
{
    hasFocus_ = false;
    DrawFlatBorder();
    TCustomControl::DoExit();
}

// ------------------------------------------------------------- components
void TGfxCustomControl::Loaded()
{
    TCustomControl::Loaded();
    if (imageLink_.ImageList())
        ImageListChanged(nullptr);
}

void TGfxCustomControl::Notification(TComponentBase* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        imageLink_.ListFreed(AComponent);
        effects_.ListFreed(AComponent, IsDestroying());
    }
}

// --------------------------------------------------------------- messages
void TGfxCustomControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: EraseBackground(Message); break;
    case WM_SIZE:
        TCustomControl::WndProc(Message);
        effects_.Object().ResetBuffer();
        if (IsTransparent()) {
            Repaint();
            NotifyControls(GFX_PARENTBKGNDCHANGED);
        } else {
            Invalidate();
        }
        break;
    case WM_MOVE:
        TCustomControl::WndProc(Message);
        // The children are repainted with the control.
        if (IsTransparent()) {
            effects_.Object().ResetBuffer();
            Repaint();
        }
        break;
    case WM_SETFOCUS:
        TCustomControl::WndProc(Message);
        GfxPostMessage(this, GFX_FOCUSGAINED);
        break;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        GfxPostMessage(this, GFX_FOCUSLOST);
        break;
    case GFX_FOCUSGAINED:
        if (OnFocusGained)
            OnFocusGained(this);
        break;
    case GFX_FOCUSLOST:
        if (OnFocusLost)
            OnFocusLost(this);
        break;
    case GFX_PARENTBKGNDCHANGED:
        if (IsLoading() || IsDestroying())
            break;
        effects_.Object().ResetBuffer();
        if (IsTransparent()) {
            Repaint();
            NotifyControls(GFX_PARENTBKGNDCHANGED);
        } else {
            Invalidate();
        }
        break;
    case GFX_NOTIFYCHILDBKGND:
        if (IsTransparent())
            NotifyControls(GFX_PARENTBKGNDCHANGED);
        break;
    case GFX_THEMECHANGED: ThemeChanged(); break;
    case WM_THEMECHANGED:
        TCustomControl::WndProc(Message);
        ThemeChanged();
        break;
    case WM_SYSCOLORCHANGE:
        TCustomControl::WndProc(Message);
        if (!transparent_)
            Invalidate();
        break;
    case CM_MOUSEENTER:
        TCustomControl::WndProc(Message);
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(Message);
        MouseExit();
        break;
    default: TCustomControl::WndProc(Message); break;
    }
}
