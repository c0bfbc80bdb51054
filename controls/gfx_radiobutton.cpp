#include "gfx_radiobutton.h"

#include "gfx_bitmaplist.h"
#include "gfx_draw.h"
#include "gfx_themes.h"
#include "platform/gfx_framecontrol.h"

#include <QAccessibleActionInterface>
#include <QAction>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace {

// The themed radio glyph: the "BUTTON" class, radio-button part, and its
// states.
constexpr int BP_RADIOBUTTON = 2;
enum RadioState {
    RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT, RBS_UNCHECKEDPRESSED, RBS_UNCHECKEDDISABLED,
    RBS_CHECKEDNORMAL, RBS_CHECKEDHOT, RBS_CHECKEDPRESSED, RBS_CHECKEDDISABLED
};

// The themed strip: normal and pressed, each unchecked, unchecked disabled,
// checked and checked disabled; with Flat the four hot cells first.
constexpr int ThemedCells[8] = {
    RBS_UNCHECKEDNORMAL,  RBS_UNCHECKEDDISABLED, RBS_CHECKEDNORMAL,  RBS_CHECKEDDISABLED,
    RBS_UNCHECKEDPRESSED, RBS_UNCHECKEDDISABLED, RBS_CHECKEDPRESSED, RBS_CHECKEDDISABLED,
};
constexpr int ThemedHotCells[4] = {RBS_UNCHECKEDHOT, RBS_UNCHECKEDDISABLED, RBS_CHECKEDHOT, RBS_CHECKEDDISABLED};

// The drawn (unthemed) strips, shared by every radio button that draws the
// same one: a panel holds a few hundred buttons of a handful of looks, and
// drawing a strip pixel by pixel for each of them, again after each paint
// has dropped it, is most of what building the buttons costs. A strip is
// named by everything it is drawn from (the system colours are fixed).
struct StripKey {
    int size;
    int cells;
    int lead;
    bool flat;
    TColor transparent;
    auto tie() const { return std::tie(size, cells, lead, flat, transparent); }
    bool operator<(const StripKey& o) const { return tie() < o.tie(); }
};

std::map<StripKey, std::unique_ptr<TGfxBitmap>>& drawnStrips()
{
    static std::map<StripKey, std::unique_ptr<TGfxBitmap>> strips;
    return strips;
}

// Enough for every look a window shows; past it the oldest looks are
// simply drawn again.
constexpr std::size_t MaxDrawnStrips = 64;

}  // namespace

// ------------------------------------------------------- TGfxButtonActionLink
TGfxButtonActionLink::~TGfxButtonActionLink() { QObject::disconnect(changed_); }

void TGfxButtonActionLink::SetAction(QAction* Value)
{
    if (Value == action_)
        return;
    QObject::disconnect(changed_);
    action_ = Value;
    if (!Value)
        return;
    changed_ = QObject::connect(Value, &QAction::changed, &client_, [this] {
        if (action_)
            client_.ActionChange(action_, false);
    });
    client_.ActionChange(Value, false);
}

bool TGfxButtonActionLink::IsCheckedLinked() const { return action_ && client_.Checked() == action_->isChecked(); }

void TGfxButtonActionLink::SetChecked(bool Value)
{
    const bool old = client_.clicksDisabled_;
    client_.clicksDisabled_ = true;
    client_.SetChecked(Value);
    client_.clicksDisabled_ = old;
}

// ----------------------------------------------------------- TGfxButtonControl
TGfxButtonControl::TGfxButtonControl(QWidget* AParent)
    : TGfxCustomPanel(AParent), accel_(*this), alignment_(std::make_unique<TGfxGlyphTextLayout>()),
      font3D_(std::make_unique<TGfx3DCaption>()), actionLink_(*this)
{
    SetControlStyle((ControlStyle() | csSetCaption | csOpaque) & ~(csAcceptsControls | csDoubleClicks));
    alignment_->SetSpacing(4);
    alignment_->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    font3D_->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    SetTabStop(true);
    SetBounds(Left(), Top(), 105, 17);
}

TGfxButtonControl::~TGfxButtonControl()
{
    Destroying();
    alignment_->OnChange = nullptr;
    font3D_->OnChange = nullptr;
}

void TGfxButtonControl::SetAutoSize(bool Value)
{
    if (autoSize_ == Value)
        return;
    autoSize_ = Value;
    AutoSizeLayout();
}

void TGfxButtonControl::SetUseBitmap(bool Value)
{
    if (useBitmap_ == Value)
        return;
    useBitmap_ = Value;
    Invalidate();
}

void TGfxButtonControl::SetGlyphFlat(bool Value)
{
    if (glyphFlat_ == Value)
        return;
    glyphFlat_ = Value;
    if (!ImageList()) {
        NewGlyphBitmap();
        GetChange(this);
    }
}

void TGfxButtonControl::SetFocusStyle(TGfxGlyphTextFocusStyle Value)
{
    if (focusStyle_ == Value)
        return;
    focusStyle_ = Value;
    if (Focused())
        Invalidate();
}

void TGfxButtonControl::SetFocusColor(TColor Value)
{
    if (focusColor_ == Value)
        return;
    focusColor_ = Value;
    if (Focused())
        Invalidate();
}

void TGfxButtonControl::SetUseFocusColor(bool Value)
{
    if (useFocusColor_ == Value)
        return;
    useFocusColor_ = Value;
    if (Focused())
        Invalidate();
}

void TGfxButtonControl::SetGlyphSize(std::uint8_t Value)
{
    if (glyphSize_ == Value)
        return;
    glyphSize_ = Value;
    NewGlyphBitmap();
    if (!updating_)
        Invalidate();
}

void TGfxButtonControl::SetGlyphTransparentColor(TColor Value)
{
    if (glyphTransparentColor_ == Value)
        return;
    glyphTransparentColor_ = Value;
    NewGlyphBitmap();
    if (!updating_)
        Invalidate();
}

void TGfxButtonControl::SetGlyphTransparent(bool Value)
{
    if (glyphTransparent_ == Value)
        return;
    glyphTransparent_ = Value;
    if (!updating_)
        Invalidate();
}

void TGfxButtonControl::NewGlyphBitmap()
{
    glyph_ = std::make_unique<TGfxBitmap>();
    cellWidth_ = 0;
    DrawGlyph();
}

void TGfxButtonControl::ThemeChanged()
{
    glyph_.reset();
    TGfxCustomPanel::ThemeChanged();
}

void TGfxButtonControl::GetChange(TObject*)
{
    if (IsLoading() || IsDestroying())
        return;
    AutoSizeLayout();
    Relayout();
    if (!updating_)
        Invalidate();
}

void TGfxButtonControl::ActionChange(QAction* Sender, bool CheckDefaults)
{
    if (!Sender)
        return;
    if (!CheckDefaults || Caption().isEmpty())
        SetCaption(Sender->text());
    if (!CheckDefaults || Enabled())
        SetEnabled(Sender->isEnabled());
    if (!CheckDefaults || !Checked())
        actionLink_.SetChecked(Sender->isChecked());
}

QString TGfxButtonControl::AccessibleText(QAccessible::Text Kind) const
{
    if (Kind == QAccessible::Name && !Caption().isEmpty())
        return GfxStripAccel(Caption());
    return TGfxCustomPanel::AccessibleText(Kind);
}

void TGfxButtonControl::AccessibleState(QAccessible::State& State) const
{
    State.checkable = true;
    State.checked = Checked();
    State.pressed = pressed_;
    State.readOnly = !OperatorCanChange();
}

QStringList TGfxButtonControl::AccessibleActionNames() const
{
    return {QAccessibleActionInterface::toggleAction()};
}

bool TGfxButtonControl::DoAccessibleAction(const QString& Name)
{
    if (Name != QAccessibleActionInterface::toggleAction())
        return false;
    // A left click: the press chooses, the release clicks.
    ChooseWithoutClick();
    Click();
    return true;
}

void TGfxButtonControl::ChooseWithoutClick()
{
    const bool old = clicksDisabled_;
    clicksDisabled_ = true;
    Choose();
    clicksDisabled_ = old;
}

void TGfxButtonControl::SetUpdating(bool Value)
{
    updating_ = Value;
    if (Value || !layoutPending_)
        return;
    layoutPending_ = false;
    AutoSizeLayout();
    Relayout();
}

void TGfxButtonControl::AutoSizeLayout()
{
    if (!autoSize_ || IsLoading() || autoSizing_)
        return;
    if (updating_) {
        layoutPending_ = true;
        return;
    }
    autoSizing_ = true;
    const TGfxAlignment old = alignment_->Alignment();
    alignment_->BeginUpdate();
    alignment_->SetAlignment(agTopLeft);
    LayoutGlyphText(TRect{1, 0, std::max(Width(), 1000), std::max(Height(), 1000)});
    alignment_->SetAlignment(old);
    alignment_->EndUpdate(false);
    SetBounds(Left(), Top(), layoutRect_.Right + 1, layoutRect_.Bottom);
    autoSizing_ = false;
}

void TGfxButtonControl::Relayout()
{
    if (updating_)
        layoutPending_ = true;
    else if (!autoSizing_)
        LayoutGlyphText(ContentRect());
}

void TGfxButtonControl::GlyphTextLayout(TGfxCanvas& Canvas, unsigned DrawFlags, const TGfxGlyph& Glyph,
                                        const TRect& Rect)
{
    Canvas.Font.Assign(Font());
    TGfxGlyphTextRects rects;
    unsigned flags = DrawFlags;
    if (focusStyle_ == fcText)
        flags |= gdfFocusText;
    else if (focusStyle_ == fcGlyphText)
        flags |= gdfFocusBoth;
    GfxDrawGlyphTextLayout(Canvas, rects, flags, *alignment_, Glyph, TGfxGlyphArrow{}, font3D_.get(), Caption(),
                           DT_SINGLELINE, Rect);
    layoutRect_ = rects.Union;
    textRect_ = rects.Text;
    glyphRect_ = rects.Glyph;
    focusRect_ = rects.Focus;
}

void TGfxButtonControl::DrawFocusMark(TGfxCanvas& Canvas)
{
    if (!Focused() || focusStyle_ == fcNone)
        return;
    TRect r = focusRect_;
    if (focusStyle_ == fcControl) {
        r = ClientRect();
    } else if (focusStyle_ == fcGlyph) {
        r = glyphRect_;
        InflateRect(r, 1, 1);
    }
    if (IsEmptyRect(r))
        return;
    if (useFocusColor_) {
        Canvas.Pen.SetStyle(psDot);
        Canvas.Pen.SetWidth(1);
        Canvas.Pen.SetColor(focusColor_);
        Canvas.Brush.SetStyle(bsClear);
        Canvas.Rectangle(r);
        Canvas.Pen.SetStyle(psSolid);
    } else {
        Canvas.DrawFocusRect(r);
    }
}

void TGfxButtonControl::Loaded()
{
    TGfxCustomPanel::Loaded();
    Relayout();
}

void TGfxButtonControl::CreateParams(TCreateParams& Params)
{
    TGfxCustomPanel::CreateParams(Params);
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TGfxButtonControl::Paint()
{
    TGfxCanvas* canvas = PaintBackground();
    if (!canvas)
        return;
    if (useBitmap_ && Width() > 0 && Height() > 0) {
        TGfxBitmap offscreen(Width(), Height());
        TGfxCanvas& off = offscreen.Canvas();
        if (!(Transparent() && PaintBackgroundPart(off, ClientRect()))) {
            off.Brush.SetStyle(bsSolid);
            off.Brush.SetColor(Color());
            off.FillRect(ClientRect());
        }
        DrawGlyphText(off, ContentRect());
        off.Release();
        canvas->Draw(0, 0, offscreen);
    } else {
        DrawGlyphText(*canvas, ContentRect());
    }
    if (dropGlyph_)
        glyph_.reset();
}

void TGfxButtonControl::DoExit()
{
    TGfxCustomPanel::DoExit();
    Invalidate();
}

void TGfxButtonControl::Click()
{
    // The click of a press that only took the focus is not the operator's.
    if (clicksDisabled_)
        return;
    TGfxCustomPanel::Click();
}

void TGfxButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    pressed_ = true;
    if (UseThemedDrawing())
        Invalidate();
    TGfxCustomPanel::MouseDown(Button, Shift, X, Y);
}

void TGfxButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    pressed_ = false;
    if (UseThemedDrawing())
        Invalidate();
    TGfxCustomPanel::MouseUp(Button, Shift, X, Y);
}

bool TGfxButtonControl::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton || IsDesigning() || IsDestroying())
            break;
        if (!hasFocus()) {
            const bool old = clicksDisabled_;
            clicksDisabled_ = true;
            setFocus(Qt::MouseFocusReason);
            clicksDisabled_ = old;
            if (!hasFocus()) {
                e->accept();  // the press of a window that cannot take the focus
                return true;
            }
        }
        // Qt gives the focus for a press of any button; only the left one
        // that brought it chooses.
        if (pressChooses_) {
            pressChooses_ = false;
            ChooseWithoutClick();
        }
        break;
    case QEvent::FocusOut: pressChooses_ = false; break;
    case QEvent::FocusIn:
        focusReason_ = static_cast<QFocusEvent*>(e)->reason();
        pressChooses_ = focusReason_ == Qt::MouseFocusReason;
        // Qt gives a clicked control the focus before the press arrives.
        if (focusReason_ == Qt::MouseFocusReason) {
            const bool old = clicksDisabled_;
            clicksDisabled_ = true;
            const bool r = TGfxCustomPanel::event(e);
            clicksDisabled_ = old;
            return r;
        }
        break;
    default: break;
    }
    return TGfxCustomPanel::event(e);
}

void TGfxButtonControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TGfxCustomPanel::WndProc(Message);
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        TGfxCustomPanel::WndProc(Message);
        accel_.Update(Caption(), Enabled());
        GetChange(this);
        break;
    case CM_FONTCHANGED:
        TGfxCustomPanel::WndProc(Message);
        GetChange(this);
        break;
    case CM_TEXTCHANGED:
        TGfxCustomPanel::WndProc(Message);
        accel_.Update(Caption(), Enabled());
        AutoSizeLayout();
        Relayout();
        Invalidate();
        break;
    case WM_SIZE:
        TGfxCustomPanel::WndProc(Message);
        Relayout();
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // A flat glyph shows its other look under the mouse.
        TGfxCustomPanel::WndProc(Message);
        if (Flat() && !(Focused() && UseThemedDrawing()))
            Invalidate();
        break;
    default: TGfxCustomPanel::WndProc(Message); break;
    }
}

// -------------------------------------------------------------- TGfxRadioButton
TGfxRadioButton::TGfxRadioButton(QWidget* AParent) : TGfxButtonControl(AParent)
{
    SetControlStyle(ControlStyle() | csDoubleClicks);
    SetGlyphSize(13);
    SetGlyphTransparent(true);
}

TGfxRadioButton::~TGfxRadioButton() { Destroying(); }

bool TGfxRadioButton::ListGlyph() const { return ImageList() && !ListBitmapMissing(); }

bool TGfxRadioButton::IsSibling(const QWidget* Control) const
{
    return Control != this && dynamic_cast<const TGfxRadioButton*>(Control) != nullptr;
}

void TGfxRadioButton::SetChecked(bool Value)
{
    if (Value == checked_)
        return;
    checked_ = Value;
    if (Value) {
        if (QWidget* parent = parentWidget()) {
            for (QObject* o : parent->children()) {
                auto* sibling = dynamic_cast<TGfxRadioButton*>(o);
                if (sibling && IsSibling(sibling) && !sibling->IsDestroying())
                    sibling->SetChecked(false);
            }
        }
        if (!clicksDisabled_)
            Click();
    }
    UpdateLook();
    QAccessible::State changed;
    changed.checked = true;
    NotifyAccessibleState(changed);
}

int TGfxRadioButton::GlyphCellCount() const
{
    const int base = UseThemedDrawing() && !ListGlyph() ? 8 : 4;
    return Flat() ? base + 4 : base;
}

int TGfxRadioButton::GlyphCellIndex() const
{
    int index = 2 * (checked_ ? 1 : 0) + (Enabled() ? 0 : 1);
    const bool themed = UseThemedDrawing();
    const bool list = ListGlyph();
    const bool hot = MouseIn();
    if (Pressed() && ((themed && !list) || (list && GetDownGlyph()))) {
        index += 4;
        if (Flat())
            index += 4;
    } else if (Flat()) {
        if (!hot && !Focused())
            index += 4;
        if (themed && Focused() && !hot)
            index += 4;
    }
    return index;
}

void TGfxRadioButton::NewGlyphBitmap()
{
    if (!ListGlyph()) {
        TGfxButtonControl::NewGlyphBitmap();
        return;
    }
    glyph_ = std::make_unique<TGfxBitmap>();
    ImageList()->GetBitmap(ListIndex(), ImageIndex(), glyph_.get());
    cellWidth_ = glyph_->Width() / (Flat() ? 8 : 4);
}

void TGfxRadioButton::DrawGlyph()
{
    const int size = GlyphSize();
    const int cells = GlyphCellCount();
    cellWidth_ = size;
    const int lead = Flat() ? 4 : 0;
    const bool themed = UseThemedDrawing();
    std::optional<StripKey> key;
    if (!themed) {
        key = StripKey{size,
                       cells,
                       lead,
                       GlyphFlat() || Flat(),
                       GfxColorToRGB(GlyphTransparentColor())};
        if (const auto found = drawnStrips().find(*key); found != drawnStrips().end()) {
            glyph_->Assign(found->second.get());
            return;
        }
    }
    glyph_->SetSize(size * cells, size);
    TGfxCanvas& canvas = glyph_->Canvas();
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(GlyphTransparentColor());
    canvas.FillRect(TRect{0, 0, size * cells, size});
    if (themed) {
        const TGfxOpenThemeData open = GfxThemeOpenThemeData();
        const TGfxDrawThemeBackground draw = GfxThemeDrawThemeBackground();
        const TGfxCloseThemeData close = GfxThemeCloseThemeData();
        if (open && draw && close) {
            if (HTHEME theme = open(this, L"BUTTON")) {
                for (int k = 0; k < cells; ++k) {
                    const int state = k < lead ? ThemedHotCells[k] : ThemedCells[k - lead];
                    const TRect cell{k * size, 0, (k + 1) * size, size};
                    draw(theme, canvas.Painter(), BP_RADIOBUTTON, state, &cell, nullptr);
                }
                close(theme);
            }
        }
        canvas.Release();
        return;
    }
    // Normal, inactive, checked, checked and inactive. With Flat the first
    // four (shown under the mouse or with the focus) keep the 3-D look and
    // the others are flat.
    for (int k = 0; k < cells; ++k) {
        const int s = k < lead ? k : k - lead;
        unsigned state = DFCS_BUTTONRADIO;
        if (s & 1)
            state |= DFCS_INACTIVE;
        if (s & 2)
            state |= DFCS_CHECKED;
        if (k >= lead && (GlyphFlat() || Flat()))
            state |= DFCS_FLAT;
        GfxDrawFrameControl(canvas, TRect{k * size, 0, (k + 1) * size, size}, DFC_BUTTON, state);
    }
    canvas.Release();
    auto& strips = drawnStrips();
    if (strips.size() >= MaxDrawnStrips)
        strips.clear();
    auto copy = std::make_unique<TGfxBitmap>();
    copy->Assign(glyph_.get());
    strips.emplace(*key, std::move(copy));
}

void TGfxRadioButton::FlatHook()
{
    // A Flat strip has twice the cells.
    if (!glyph_)
        return;
    if (Flat())
        cellWidth_ /= 2;
    else
        cellWidth_ *= 2;
    if (!ListGlyph()) {
        NewGlyphBitmap();
        Invalidate();
    }
}

void TGfxRadioButton::LookHook()
{
    NewGlyphBitmap();
    GetChange(this);
}

void TGfxRadioButton::LayoutGlyphText(const TRect& Rect)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    TGfxGlyph glyph;
    TGfxBitmap cell(GlyphSize(), GlyphSize());
    glyph.Bitmap = &cell;
    GlyphTextLayout(canvas, gdfMeasure, glyph, Rect);
}

void TGfxRadioButton::DrawGlyphText(TGfxCanvas& Canvas, const TRect& Rect)
{
    if (!glyph_)
        NewGlyphBitmap();
    const int cells = std::max(1, cellWidth_ > 0 ? glyph_->Width() / cellWidth_ : 1);
    // Never past the strip, whatever the state asks for.
    const int index = std::clamp(GlyphCellIndex(), 0, cells - 1);
    TGfxGlyph glyph;
    glyph.Bitmap = glyph_.get();
    glyph.Cell = TRect{index * cellWidth_, 0, (index + 1) * cellWidth_, glyph_->Height()};
    glyph.Transparency = GlyphTransparent() ? gtByColor : gtOpaque;
    glyph.TransparentColor = GlyphTransparentColor();
    GlyphTextLayout(Canvas, Enabled() ? gdfEnabled : 0u, glyph, Rect);
    DrawFocusMark(Canvas);
}

void TGfxRadioButton::UpdateLook()
{
    if (!Updating())
        Invalidate();
}

void TGfxRadioButton::Choose()
{
    if (!checked_ && CanModify())
        SetChecked(true);
}

void TGfxRadioButton::DoEnter()
{
    TGfxButtonControl::DoEnter();
    // A radio button that receives the focus is chosen.
    if (!checked_ && FocusChooses(FocusReason()))
        SetChecked(true);
    Invalidate();
}

void TGfxRadioButton::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space) {
        // The click comes with the release, as a button's does; a held key
        // repeats nothing.
        if (!e->isAutoRepeat())
            spaceDown_ = true;
        e->accept();
        return;
    }
    TGfxButtonControl::keyPressEvent(e);
}

void TGfxRadioButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space) {
        e->accept();
        if (e->isAutoRepeat() || !spaceDown_)
            return;
        spaceDown_ = false;
        Click();
        return;
    }
    TGfxButtonControl::keyReleaseEvent(e);
}

void TGfxRadioButton::focusOutEvent(QFocusEvent* e)
{
    spaceDown_ = false;  // a release elsewhere is no click of this button
    TGfxButtonControl::focusOutEvent(e);
}

void TGfxRadioButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR) {
        if (GfxIsAccel(Message.WParam, Caption()) && isVisible() && Enabled()) {
            SetFocus();
            Message.Result = 1;
            return;
        }
    }
    TGfxButtonControl::WndProc(Message);
}
