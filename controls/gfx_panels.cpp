#include "gfx_panels.h"

#include "gfx_application.h"
#include "gfx_control.h"
#include "gfx_draw.h"
#include "gfx_themes.h"
#include "platform/gfx_region.h"
#include "widgets/gfx_formshape.h"

#include <QKeySequence>
#include <QShortcut>

namespace {

bool ThemesAvailable() { return GfxIsThemeActive(); }

// The face a turned caption or an outline look falls back to when its
// own font is not an outline font.
constexpr const char* DefaultOutlineFont = "Arial";

// The themed group frame: the "BUTTON" class, group-box part.
constexpr int BP_GROUPBOX = 4;
constexpr int GBS_NORMAL = 1;
constexpr int GBS_DISABLED = 2;

// The form shape of the control's form when its parent is that form.
TGfxFormShape* FormShapeOf(QWidget* parent)
{
    if (!parent || !parent->isWindow())
        return nullptr;
    const int at = TGfxCustomControl::FindFormComponent(
        parent, [](const QObject* o) { return dynamic_cast<const TGfxFormShape*>(o) != nullptr; });
    return at < 0 ? nullptr : static_cast<TGfxFormShape*>(parent->children().at(at));
}

}  // namespace

// --------------------------------------------------------- accelerators
QChar GfxAccelChar(const QString& Caption)
{
    for (qsizetype i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != QLatin1Char('&'))
            continue;
        if (Caption[i + 1] != QLatin1Char('&'))
            return Caption[i + 1];
        ++i;  // "&&": a plain ampersand
    }
    return QChar();
}

QString GfxStripAccel(const QString& Caption)
{
    // "&x" shows x, "&&" shows "&", a last lone "&" shows nothing.
    QString out;
    out.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&') && ++i >= Caption.size())
            break;
        out += Caption[i];
    }
    return out;
}

bool GfxIsAccel(std::uintptr_t Key, const QString& Caption)
{
    const QChar c = GfxAccelChar(Caption);
    return !c.isNull() && Key <= 0xFFFF && QChar(char16_t(Key)).toUpper() == c.toUpper();
}

TGfxAcceleratorKey::~TGfxAcceleratorKey() { delete shortcut_.data(); }

void TGfxAcceleratorKey::Update(const QString& Caption, bool Enabled)
{
    const QChar key = Enabled ? GfxAccelChar(Caption).toUpper() : QChar();
    if (key == key_ && (key.isNull() || shortcut_))
        return;
    delete shortcut_.data();
    key_ = key;
    if (key.isNull())
        return;
    auto* s = new QShortcut(QKeySequence(QStringLiteral("Alt+") + key), &control_);
    s->setContext(Qt::WindowShortcut);
    const auto offer = [this] { control_.Perform(CM_DIALOGCHAR, key_.unicode()); };
    QObject::connect(s, &QShortcut::activated, &control_, offer);
    QObject::connect(s, &QShortcut::activatedAmbiguously, &control_, offer);
    shortcut_ = s;
}

// ------------------------------------------------------------ TGfxCustomPanel
TGfxCustomPanel::TGfxCustomPanel(QWidget* AParent) : TGfxCustomControl(AParent)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable);
    SetColor(clBtnFace);
}

TGfxBitmap* TGfxCustomPanel::GetBackgroundBitmap()
{
    if (!Transparent())
        return nullptr;
    if (auto* panel = dynamic_cast<TGfxCustomPanel*>(parentWidget()))
        return panel->GetBackgroundBitmap();
    if (TGfxFormShape* shape = FormShapeOf(parentWidget()))
        return shape->GetBackgroundBitmap();
    return nullptr;
}

TPoint TGfxCustomPanel::BackgroundOffset()
{
    // No window border here: the outer and the client size are the same.
    TPoint at{Left(), Top()};
    if (auto* panel = dynamic_cast<TGfxCustomPanel*>(parentWidget())) {
        const TPoint p = panel->BackgroundOffset();
        at.X += p.X;
        at.Y += p.Y;
    }
    return at;
}

bool TGfxCustomPanel::PaintBackgroundPart(TGfxCanvas& Canvas, const TRect& Rect)
{
    TGfxBitmap* picture = GetBackgroundBitmap();
    if (!picture)
        return false;
    const TPoint at = BackgroundOffset();
    Canvas.CopyRect(Rect, picture->Canvas(),
                    TRect{Rect.Left + at.X, Rect.Top + at.Y, Rect.Right + at.X, Rect.Bottom + at.Y});
    return true;
}

// ------------------------------------------------------- TGfxCustomBevelPanel
TGfxCustomBevelPanel::TGfxCustomBevelPanel(QWidget* AParent)
    : TGfxCustomPanel(AParent), bevel_(std::make_unique<TGfxBevel>())
{
    bevel_->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TGfxCustomBevelPanel::~TGfxCustomBevelPanel()
{
    Destroying();
    bevel_->OnChange = nullptr;
}

void TGfxCustomBevelPanel::SetBevel(const TGfxBevel& Value)
{
    bevel_->Assign(&Value);
    Perform(GFX_BEVELCHANGED);
}

bool TGfxCustomBevelPanel::HasDesignFrame() const
{
    return bevel_->TotalWidth() == 0 && bevel_->Mode() != bmWindows;
}

void TGfxCustomBevelPanel::GetChange(TObject* Sender)
{
    if (Sender == bevel_.get() && !IsDestroying()) {
        // A mode that needs other window styles makes the window again.
        if (bevel_->WindowBorderChanged())
            RecreateWnd();
        Realign();
    }
    TGfxCustomPanel::GetChange(Sender);
}

void TGfxCustomBevelPanel::AdjustClientRect(TRect& Rect)
{
    TGfxCustomPanel::AdjustClientRect(Rect);
    Rect = bevel_->InnerRect(Rect);
}

void TGfxCustomBevelPanel::CreateParams(TCreateParams& Params)
{
    TGfxCustomPanel::CreateParams(Params);
    if (bevel_->Mode() != bmWindows || UseThemedDrawing())
        return;
    if (Ctl3D() && ThemesAvailable())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

TGfxCanvas* TGfxCustomPanel::PaintBackground()
{
    if (IsLoading())
        return nullptr;
    DrawBackground();
    return Canvas();
}

void TGfxCustomBevelPanel::PaintFlatFrame(TGfxCanvas& Canvas) { PaintBorder(Canvas, blFlat); }

void TGfxCustomBevelPanel::Paint()
{
    TGfxCanvas* canvas = PaintBackground();
    if (!canvas)
        return;
    if (IsDesigning() && HasDesignFrame()) {
        GfxDrawDesignFrame(*canvas, ClientRect());
        return;
    }
    // A flat panel shows its bevel only while it has the focus or the
    // mouse (the hot look).
    if (Flat() && !HasFocus() && !MouseIn() && !IsDesigning()) {
        PaintFlatFrame(*canvas);
        return;
    }
    bevel_->Paint(*canvas, ClientRect(), Transparent());
}

void TGfxCustomBevelPanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_CTL3DCHANGED:
        TGfxCustomPanel::WndProc(Message);
        if (bevel_->Mode() == bmWindows && ThemesAvailable() && !UseThemedDrawing())
            RecreateWnd();
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TGfxCustomPanel::WndProc(Message);
        if (Flat())
            Invalidate();
        break;
    default: TGfxCustomPanel::WndProc(Message); break;
    }
}

// ------------------------------------------------------ TGfxCustomParentPanel
TGfxCustomParentPanel::TGfxCustomParentPanel(QWidget* AParent) : TGfxCustomBevelPanel(AParent) {}

TGfxCustomParentPanel::~TGfxCustomParentPanel() { Destroying(); }

bool TGfxCustomParentPanel::IsTransparent() const
{
    return wanted_ || TGfxCustomBevelPanel::IsTransparent();
}

bool TGfxCustomParentPanel::HasDesignFrame() const
{
    return TGfxCustomBevelPanel::HasDesignFrame() && ImageList() == nullptr;
}

void TGfxCustomParentPanel::GetChange(TObject* Sender)
{
    RebuildBackground(true);
    TGfxCustomBevelPanel::GetChange(Sender);
}

void TGfxCustomParentPanel::RebuildBackground(bool Force)
{
    if (IsLoading() || IsDestroying())
        return;
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) {
        wanted_ = false;
        cache_.reset();
        return;
    }
    auto* parentPanel = dynamic_cast<TGfxCustomPanel*>(parentWidget());
    if (Transparent() && !parentPanel) {
        // What lies behind is the parent's own painting, which Qt draws
        // before the panel's: there is no picture of it to keep.
        wanted_ = false;
        cache_.reset();
        return;
    }
    wanted_ = true;
    if (!Force && cache_ && cache_->Width() == w && cache_->Height() == h && cacheTransparent_ == Transparent())
        return;
    // Drawn when it is first asked for (a panel is moved, sized and
    // coloured many times while its window is built, and panels of hidden
    // pages are not painted at all).
    cache_.reset();
}

void TGfxCustomParentPanel::EnsureBackground()
{
    if (!wanted_ || cache_ || IsLoading() || IsDestroying())
        return;
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    auto* parentPanel = dynamic_cast<TGfxCustomPanel*>(parentWidget());
    cacheTransparent_ = Transparent();
    auto picture = std::make_unique<TGfxBitmap>(w, h);
    TGfxCanvas& canvas = picture->Canvas();
    bool copied = false;
    if (Transparent() && parentPanel) {
        // The parent's picture of the place where the panel lies.
        canvas.SetWindowOrg(Left(), Top());
        copied = parentPanel->PaintBackgroundPart(canvas, BoundsRect());
        canvas.SetWindowOrg(0, 0);
    }
    if (!copied) {
        canvas.Brush.SetStyle(bsSolid);
        canvas.Brush.SetColor(Color());
        canvas.FillRect(TRect{0, 0, w, h});
    }
    canvas.Release();
    cache_ = std::move(picture);
}

void TGfxCustomParentPanel::BackgroundChanged() { NotifyControls(GFX_PARENTBKGNDCHANGED); }

bool TGfxCustomParentPanel::PaintBackgroundPart(TGfxCanvas& Canvas, const TRect& Rect)
{
    EnsureBackground();
    if (!cache_)
        return false;
    Canvas.CopyRect(Rect, cache_->Canvas(), Rect);
    return true;
}

bool TGfxCustomParentPanel::CopyParentBackground(TGfxCanvas& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset)
{
    EnsureBackground();
    if (!cache_)
        return TGfxCustomBevelPanel::CopyParentBackground(Canvas, Rect, Flags, Offset);
    Canvas.CopyRect(Rect, cache_->Canvas(),
                    TRect{Rect.Left + Offset.X, Rect.Top + Offset.Y, Rect.Right + Offset.X, Rect.Bottom + Offset.Y});
    return true;
}

void TGfxCustomParentPanel::Loaded()
{
    TGfxCustomBevelPanel::Loaded();
    RebuildBackground(true);
    BackgroundChanged();
}

void TGfxCustomParentPanel::Paint()
{
    if (!IsLoading())
        RebuildBackground(false);
    TGfxCanvas* canvas = PaintBackground();
    if (!canvas)
        return;
    if (IsDesigning() && HasDesignFrame())
        GfxDrawDesignFrame(*canvas, ClientRect());
    else
        Bevel().Paint(*canvas, ClientRect(), true);
}

void TGfxCustomParentPanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        if (!IsLoading())
            RebuildBackground(true);
        TGfxCustomBevelPanel::WndProc(Message);
        break;
    case WM_MOVE:
        if (Transparent()) {
            RebuildBackground(true);
            BackgroundChanged();
        }
        TGfxCustomBevelPanel::WndProc(Message);
        break;
    case GFX_PARENTBKGNDCHANGED:
        if (Transparent())
            RebuildBackground(true);
        TGfxCustomBevelPanel::WndProc(Message);
        break;
    case CM_COLORCHANGED:
        RebuildBackground(true);
        TGfxCustomBevelPanel::WndProc(Message);
        break;
    default: TGfxCustomBevelPanel::WndProc(Message); break;
    }
}

// --------------------------------------------------------- TGfxCustomGroupBox
TGfxCustomGroupBox::TGfxCustomGroupBox(QWidget* AParent) : TGfxCustomParentPanel(AParent), accel_(*this)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks |
                    csReplicatable);
    FollowFont();
    captionFont_.OnChange = [this](TObject* Sender) { GetChange(Sender); };
    captionFont3D_.OnChange = [this](TObject* Sender) { GetChange(Sender); };
    Bevel().SetMode(bmStandard);
    Bevel().SetStandardStyle(lsFrameInset);
    UpdateCaptionLook();
    SetBounds(Left(), Top(), 185, 105);
}

TGfxCustomGroupBox::~TGfxCustomGroupBox()
{
    Destroying();
    captionFont_.OnChange = nullptr;
    captionFont3D_.OnChange = nullptr;
}

QString TGfxCustomGroupBox::ShownCaption() const
{
    return showAccelChar_ ? GfxStripAccel(Caption()) : Caption();
}

void TGfxCustomGroupBox::SetShowAccelChar(bool Value)
{
    if (showAccelChar_ == Value)
        return;
    showAccelChar_ = Value;
    accel_.Update(Caption(), showAccelChar_ && Enabled());
    GetChange(this);
}

void TGfxCustomGroupBox::SetAlignment(TGfxGroupCaptionAlign Value)
{
    if (alignment_ == Value)
        return;
    alignment_ = Value;
    UpdateCaptionLook();
    Realign();
    Invalidate();
}

void TGfxCustomGroupBox::SetCaptionOffset(int Value)
{
    if (captionOffset_ == Value)
        return;
    captionOffset_ = Value;
    GetChange(this);
}

void TGfxCustomGroupBox::SetCaptionParentFont(bool Value)
{
    if (captionParentFont_ == Value)
        return;
    captionParentFont_ = Value;
    if (Value && parentWidget())
        Perform(CM_PARENTFONTCHANGED);
}

void TGfxCustomGroupBox::FollowFont()
{
    if (!captionParentFont_)
        return;
    followingFont_ = true;
    captionFont_.Assign(Font());
    followingFont_ = false;
}

void TGfxCustomGroupBox::UpdateCaptionLook()
{
    static constexpr TGfxAngle angles[4] = {0, 90, 0, 270};
    fxCaption_.SetAngle(angles[Side()]);
    TGfxFont font;
    font.Assign(captionFont_);
    const bool needsOutline = fxCaption_.Angle() != 0 || captionFont3D_.Style() == tdOutline;
    if (needsOutline && !font.IsTrueType())
        font.SetName(QString::fromLatin1(DefaultOutlineFont));
    captionExtent_ = GfxTextHeight(&fxCaption_, font);
}

void TGfxCustomGroupBox::GetChange(TObject* Sender)
{
    if (IsDestroying())
        return;
    if (Sender == &captionFont3D_) {
        fxCaption_.Assign(&captionFont3D_);
        UpdateCaptionLook();
        if (!IsLoading()) {
            Realign();
            Invalidate();
        }
        return;
    }
    if (Sender == &captionFont_) {
        if (!followingFont_)
            captionParentFont_ = false;
        UpdateCaptionLook();
        Realign();
        Invalidate();
        return;
    }
    TGfxCustomParentPanel::GetChange(Sender);
}

QString TGfxCustomGroupBox::AccessibleText(QAccessible::Text Kind) const
{
    if (Kind == QAccessible::Name) {
        const QString shown = ShownCaption();
        return shown.isEmpty() ? QString() : shown;
    }
    return TGfxCustomParentPanel::AccessibleText(Kind);
}

void TGfxCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    if (!ShownCaption().isEmpty()) {
        switch (Side()) {
        case 0: Rect.Top += captionExtent_; break;
        case 1: Rect.Left += captionExtent_; break;
        case 2: Rect.Bottom -= captionExtent_; break;
        default: Rect.Right -= captionExtent_; break;
        }
    }
    TGfxCustomParentPanel::AdjustClientRect(Rect);
}

void TGfxCustomGroupBox::CreateParams(TCreateParams& Params)
{
    TGfxCustomParentPanel::CreateParams(Params);
    if (Bevel().Mode() == bmWindows) {
        Params.Style &= ~WS_BORDER;
        Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    }
}

void TGfxCustomGroupBox::PaintFrame(TGfxCanvas& Canvas, const TRect& Rect)
{
    frameRect_ = Rect;
    if (UseThemedDrawing()) {
        const TGfxOpenThemeData open = GfxThemeOpenThemeData();
        const TGfxDrawThemeBackground draw = GfxThemeDrawThemeBackground();
        const TGfxCloseThemeData close = GfxThemeCloseThemeData();
        if (open && draw && close) {
            if (HTHEME theme = open(this, L"BUTTON")) {
                draw(theme, Canvas.Painter(), BP_GROUPBOX, Enabled() ? GBS_NORMAL : GBS_DISABLED, &Rect, nullptr);
                close(theme);
            }
        }
        return;
    }
    Bevel().Paint(Canvas, Rect, true);
}

void TGfxCustomGroupBox::Paint()
{
    if (!IsLoading())
        RebuildBackground(false);
    TGfxCanvas* canvas = PaintBackground();
    if (!canvas)
        return;
    const int W = Width(), H = Height();
    captionRect_ = TRect{};
    if (ShownCaption().isEmpty()) {
        PaintFrame(*canvas, ClientRect());
        return;
    }
    // The caption's distance from the start or the end of its side; none
    // for a centred caption.
    const int place = int(alignment_) % 3;
    const int s = place == 0 ? captionOffset_ : 0;
    const int f = place == 2 ? captionOffset_ : 0;
    const int e = captionExtent_;
    const int m = e / 2 - 1;
    TRect strip{}, frame{};
    TGfxAlignment at = agTopLeft;
    switch (Side()) {
    case 0:
        strip = TRect{s, 0, W - f, e};
        frame = TRect{0, m, W, H};
        at = place == 0 ? agTopLeft : place == 1 ? agTopCenter : agTopRight;
        break;
    case 1:  // turned by 90: the text starts at the bottom
        strip = TRect{0, f, e, H - s};
        frame = TRect{m, 0, W, H};
        at = place == 0 ? agBottomLeft : place == 1 ? agCenterLeft : agTopLeft;
        break;
    case 2:
        strip = TRect{s, H - e, W - f, H};
        frame = TRect{0, 0, W, H - m};
        at = place == 0 ? agBottomLeft : place == 1 ? agBottomCenter : agBottomRight;
        break;
    default:  // turned by 270: the text starts at the top
        strip = TRect{W - e, s + 2, W, H - f};
        frame = TRect{0, 0, W - m, H};
        at = place == 0 ? agTopLeft : place == 1 ? agCenterLeft : agBottomLeft;
        break;
    }
    TGfxFont font;
    font.Assign(captionFont_);
    if ((fxCaption_.Angle() != 0 || captionFont3D_.Style() == tdOutline) && !font.IsTrueType())
        font.SetName(QString::fromLatin1(DefaultOutlineFont));
    font.SetEscapement(fxCaption_.Angle() * 10);
    canvas->Font.Assign(font);
    const unsigned format = DT_SINGLELINE | (showAccelChar_ ? 0u : DT_NOPREFIX);
    TRect text{};
    GfxAlignFxTextRect(at, font, &fxCaption_, Caption(), text, 0, showAccelChar_, false, format, strip);
    captionRect_ = text;

    // The frame line stops 2 pixels before the start of the text: the
    // background painted first (the parent's, the themed one or Color)
    // stays there.
    TRect gap = text;
    switch (Side()) {
    case 1: gap.Bottom += 2; break;
    case 3: gap.Top -= 2; break;
    default: gap.Left -= 2; break;
    }
    TGfxRgn outside;
    outside.Combine(TGfxRgn::Rect(ClientRect()), TGfxRgn::Rect(gap), RGN_DIFF);
    canvas->SelectClipRgn(&outside);
    PaintFrame(*canvas, frame);
    canvas->SelectClipRgn(nullptr);
    canvas->Brush.SetStyle(bsClear);
    GfxDrawFxTextEx(*canvas, Caption(), &fxCaption_, nullptr, Enabled() ? gdfEnabled : 0u, format, text);
}

bool TGfxCustomGroupBox::FocusFirstChild()
{
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
            w->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return false;
}

void TGfxCustomGroupBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (showAccelChar_ && GfxIsAccel(Message.WParam, Caption()) && isVisible() && Enabled()) {
            FocusFirstChild();
            Message.Result = 1;
        } else {
            TGfxCustomParentPanel::WndProc(Message);
        }
        break;
    case CM_ENABLEDCHANGED:
        TGfxCustomParentPanel::WndProc(Message);
        accel_.Update(Caption(), showAccelChar_ && Enabled());
        Invalidate();
        break;
    case CM_FONTCHANGED:
    case CM_PARENTFONTCHANGED:
        TGfxCustomParentPanel::WndProc(Message);
        FollowFont();
        break;
    case CM_TEXTCHANGED:
        TGfxCustomParentPanel::WndProc(Message);
        accel_.Update(Caption(), showAccelChar_ && Enabled());
        Invalidate();
        Realign();
        break;
    default: TGfxCustomParentPanel::WndProc(Message); break;
    }
}
