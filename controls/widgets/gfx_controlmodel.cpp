#include "gfx_controlmodel.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QSet>

#include <algorithm>
#include <utility>
#include <vector>

std::uintptr_t GfxNewThemeWave()
{
    static std::uintptr_t last = 0;
    return ++last;
}

// ------------------------------------------------------------ accessibility
namespace {

// The accessible face of a library control: Qt's widget interface, with the
// role, texts and states the control gives.
class GfxAccessibleControl : public QAccessibleWidget {
public:
    explicit GfxAccessibleControl(TControl* c) : QAccessibleWidget(c, c->AccessibleRole()), control_(c) {}

    QAccessible::Role role() const override { return control_->AccessibleRole(); }
    QString text(QAccessible::Text t) const override
    {
        const QString own = control_->AccessibleText(t);
        return own.isNull() ? QAccessibleWidget::text(t) : own;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        control_->AccessibleState(s);
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (control_->isEnabled())
            names = control_->AccessibleActionNames();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override
    {
        if (control_->isEnabled() && control_->AccessibleActionNames().contains(name) &&
            control_->DoAccessibleAction(name))
            return;
        QAccessibleWidget::doAction(name);
    }

private:
    TControl* control_;
};

QAccessibleInterface* AccessibleFactory(const QString&, QObject* object)
{
    if (auto* control = dynamic_cast<TControl*>(object))
        return new GfxAccessibleControl(control);
    return nullptr;
}

void InstallAccessibleFactory()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(&AccessibleFactory);
        installed = true;
    }
}

GfxAccessibleListener accessibleListener = nullptr;

bool AccessibleListening() { return accessibleListener || QAccessible::isActive(); }

void TellAccessible(QAccessibleEvent& Event)
{
    if (accessibleListener)
        accessibleListener(&Event);
    QAccessible::updateAccessibility(&Event);
}

// Runs a message handler with a flag raised, lowered again even when it throws.
class CountScope {
public:
    explicit CountScope(int& n) : n_(n) { ++n_; }
    ~CountScope() { --n_; }
    CountScope(const CountScope&) = delete;
    CountScope& operator=(const CountScope&) = delete;

private:
    int& n_;
};

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b)
{
    TShiftState s = 0;
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    if (b & Qt::LeftButton)
        s |= ssLeft;
    if (b & Qt::RightButton)
        s |= ssRight;
    if (b & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

bool ButtonOf(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

// The font of a parent: a library control's Font, else the widget's font.
void FontOf(const QWidget* w, TGfxFont& out)
{
    if (const auto* c = dynamic_cast<const TControl*>(w)) {
        out.Assign(c->Font());
        return;
    }
    const QFont f = w->font();
    TGfxFont font;
    font.SetName(f.family());
    font.SetHeight(f.pixelSize() > 0 ? -f.pixelSize() : -GfxRound(f.pointSizeF() * 96.0 / 72.0));
    TGfxFontStyles style = 0;
    if (f.bold())
        style |= fsBold;
    if (f.italic())
        style |= fsItalic;
    if (f.underline())
        style |= fsUnderline;
    if (f.strikeOut())
        style |= fsStrikeOut;
    font.SetStyle(style);
    out.Assign(font);
}

}  // namespace

GfxAccessibleListener GfxSetAccessibleListener(GfxAccessibleListener Listener)
{
    return std::exchange(accessibleListener, Listener);
}

// --------------------------------------------------------------- alignment
// Lays out the aligned children of a parent (top, bottom, left, right, then
// client, each kind by its position along its side) and moves the anchored
// ones with the parent's size. Children placed here do not count as placed
// by hand, so their anchors keep their reference.
struct GfxAlignment {
    static QSet<const QWidget*>& Aligning()
    {
        static QSet<const QWidget*> parents;
        return parents;
    }
    static bool BeingAligned(const TControl* c) { return c->parentWidget() && Aligning().contains(c->parentWidget()); }

    static QSize ClientSize(const QWidget* parent)
    {
        if (const auto* p = dynamic_cast<const TControl*>(parent))
            return QSize(p->Width(), p->Height());
        return parent->size();
    }

    static std::vector<TControl*> Children(QWidget* parent)
    {
        std::vector<TControl*> out;
        for (QObject* o : parent->children())
            if (auto* c = dynamic_cast<TControl*>(o); c && !c->isWindow() && !c->IsDestroying())
                out.push_back(c);
        return out;
    }

    static void Arrange(QWidget* parent, TRect r)
    {
        if (Aligning().contains(parent))
            return;
        Aligning().insert(parent);
        struct Done {
            QWidget* p;
            ~Done() { Aligning().remove(p); }
        } done{parent};
        const std::vector<TControl*> children = Children(parent);
        for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
            std::vector<TControl*> row;
            for (TControl* c : children)
                if (c->align_ == a && c->Visible())
                    row.push_back(c);
            // Nearest its side first; controls at one place keep their
            // stacking order.
            std::stable_sort(row.begin(), row.end(), [a](const TControl* x, const TControl* y) {
                switch (a) {
                case alTop: return x->Top() < y->Top();
                case alBottom: return x->Top() + x->Height() > y->Top() + y->Height();
                case alLeft: return x->Left() < y->Left();
                case alRight: return x->Left() + x->Width() > y->Left() + y->Width();
                default: return false;
                }
            });
            for (TControl* c : row) {
                const int w = c->Width(), h = c->Height();
                switch (a) {
                case alTop:
                    c->SetBounds(r.Left, r.Top, r.Width(), h);
                    r.Top += h;
                    break;
                case alBottom:
                    c->SetBounds(r.Left, r.Bottom - h, r.Width(), h);
                    r.Bottom -= h;
                    break;
                case alLeft:
                    c->SetBounds(r.Left, r.Top, w, r.Height());
                    r.Left += w;
                    break;
                case alRight:
                    c->SetBounds(r.Right - w, r.Top, w, r.Height());
                    r.Right -= w;
                    break;
                default: c->SetBounds(r.Left, r.Top, r.Width(), r.Height()); break;
                }
            }
        }
        const QSize size = ClientSize(parent);
        for (TControl* c : children)
            if (c->align_ == alNone && c->anchors_ != (akLeft | akTop) && c->anchorValid_)
                Anchor(c, size);
    }

    // One axis: the start and length for the new parent length.
    static void Axis(bool near, bool far, int start, int length, int oldParent, int newParent, int& outStart,
                     int& outLength)
    {
        const int delta = newParent - oldParent;
        outStart = start;
        outLength = length;
        if (near && far)
            outLength = std::max(0, length + delta);
        else if (far)
            outStart = start + delta;
        else if (!near)
            outStart = start + delta / 2;  // neither side: keeps its centre
    }

    static void Anchor(TControl* c, const QSize& size)
    {
        const TRect b = c->anchorBounds_;
        int l, w, t, h;
        Axis(c->anchors_ & akLeft, c->anchors_ & akRight, b.Left, b.Width(), c->anchorParentSize_.width(),
             size.width(), l, w);
        Axis(c->anchors_ & akTop, c->anchors_ & akBottom, b.Top, b.Height(), c->anchorParentSize_.height(),
             size.height(), t, h);
        c->SetBounds(l, t, w, h);
    }
};

namespace {

// Follows the size of a parent that is not a library control, for the
// aligned and anchored controls on it.
class AlignWatcher : public QObject {
public:
    explicit AlignWatcher(QWidget* parent) : QObject(parent)
    {
        setObjectName(QStringLiteral("GfxAlignWatcher"));
        parent->installEventFilter(this);
    }
    static void Ensure(QWidget* parent)
    {
        if (!parent || dynamic_cast<TWinControl*>(parent))
            return;
        if (!parent->findChild<AlignWatcher*>(QStringLiteral("GfxAlignWatcher"), Qt::FindDirectChildrenOnly))
            new AlignWatcher(parent);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == parent() && (e->type() == QEvent::Resize || e->type() == QEvent::ChildRemoved)) {
            auto* p = static_cast<QWidget*>(watched);
            GfxAlignment::Arrange(p, TRect{0, 0, p->width(), p->height()});
        }
        return false;
    }
};

}  // namespace

// ---------------------------------------------------------------- TControl
TControl::TControl(QWidget* AParent, bool Windowed) : QWidget(AParent), windowed_(Windowed)
{
    InstallAccessibleFactory();
    setMouseTracking(true);
    SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    left_ = x();
    top_ = y();
    width_ = QWidget::width();
    height_ = QWidget::height();
    font_.OnChange = [this](TObject*) {
        if (!settingParentFont_)
            parentFont_ = false;
        Perform(CM_FONTCHANGED);
    };
    if (AParent) {
        ParentChanged();
        // A control is visible unless hidden, also on a parent already shown
        // (where Qt leaves a new child hidden). It is shown once it is whole,
        // never from this constructor.
        if (AParent->isVisible())
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!testAttribute(Qt::WA_WState_ExplicitShowHide))
                        setVisible(true);
                },
                Qt::QueuedConnection);
    }
}

TControl::~TControl()
{
    // Nothing reaches the control from here on (Deliver), and every linked
    // component forgets it now, while it is still whole.
    NotifyFreeing();
    font_.OnChange = nullptr;
}

void TControl::SetParent(QWidget* AParent)
{
    if (AParent == parentWidget())
        return;
    const bool visible = Visible();
    setParent(AParent);
    if (AParent && visible)
        setVisible(true);
}

bool TControl::Visible() const { return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide); }

void TControl::SetVisible(bool Value)
{
    if (Value == Visible())
        return;
    setVisible(Value);
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    const bool moved = ALeft != left_ || ATop != top_;
    const bool resized = AWidth != width_ || AHeight != height_;
    if (!moved && !resized)
        return;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (geometry() != QRect(ALeft, ATop, AWidth, AHeight))
        setGeometry(ALeft, ATop, AWidth, AHeight);
    if (windowed_) {
        if (moved)
            Perform(WM_MOVE, 0, (std::intptr_t(ATop) << 16) | (ALeft & 0xFFFF));
        if (resized)
            Perform(WM_SIZE, 0, (std::intptr_t(AHeight) << 16) | (AWidth & 0xFFFF));
    }
    if (!GfxAlignment::BeingAligned(this)) {
        CaptureAnchors();
        if (align_ != alNone)
            RequestAlign();
    }
}

void TControl::GeometryReported()
{
    // A change made through Qt: the same road as SetBounds.
    const QRect g = geometry();
    if (g != QRect(left_, top_, width_, height_))
        SetBounds(g.x(), g.y(), g.width(), g.height());
}

void TControl::SetAlign(TAlign Value)
{
    if (align_ == Value)
        return;
    align_ = Value;
    if (Value != alNone)
        AlignWatcher::Ensure(parentWidget());
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (anchors_ == Value)
        return;
    anchors_ = Value;
    CaptureAnchors();
    if (Value != (akLeft | akTop))
        AlignWatcher::Ensure(parentWidget());
}

void TControl::CaptureAnchors()
{
    if (!parentWidget()) {
        anchorValid_ = false;
        return;
    }
    anchorBounds_ = BoundsRect();
    anchorParentSize_ = GfxAlignment::ClientSize(parentWidget());
    anchorValid_ = true;
}

void TControl::RequestAlign()
{
    QWidget* p = parentWidget();
    if (!p || IsDestroying())
        return;
    if (auto* w = dynamic_cast<TWinControl*>(p))
        w->Realign();
    else
        GfxAlignment::Arrange(p, TRect{0, 0, p->width(), p->height()});
}

TColor TControl::ColorOf(const QWidget* w)
{
    if (!w)
        return clBtnFace;
    if (const auto* c = dynamic_cast<const TControl*>(w))
        return c->Color();
    return GfxColorFromQRgb(w->palette().color(w->backgroundRole()).rgb());
}

void TControl::SetColor(TColor Value)
{
    if (color_ == Value)
        return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (parentColor_ == Value)
        return;
    parentColor_ = Value;
    if (Value && parentWidget() && !IsLoading())
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value)
{
    if (parentFont_ == Value)
        return;
    parentFont_ = Value;
    if (Value && parentWidget() && !IsLoading())
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetControlStyle(TControlStyle Value)
{
    controlStyle_ = Value;
    setAttribute(Qt::WA_OpaquePaintEvent, (Value & csOpaque) != 0);
}

bool TControl::IsPainting() const
{
    for (const QWidget* w = this; w; w = w->parentWidget())
        if (const auto* c = dynamic_cast<const TControl*>(w); c && c->painting_ > 0)
            return true;
    return false;
}

void TControl::Invalidate()
{
    if (IsPainting() || IsDestroying())
        return;
    update();
}

void TControl::Repaint()
{
    if (IsPainting() || IsDestroying())
        return;
    repaint();
}

QString TControl::AccessibleText(QAccessible::Text Kind) const
{
    if (Kind == QAccessible::Name && !caption_.isEmpty())
        return caption_;
    return QString();
}

void TControl::SetCaption(const QString& Value)
{
    if (caption_ == Value)
        return;
    caption_ = Value;
    Perform(CM_TEXTCHANGED);
    if (AccessibleListening() && !IsDestroying()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        TellAccessible(changed);
    }
}

void TControl::NotifyAccessibleState(const QAccessible::State& Changed)
{
    if (!AccessibleListening() || IsDestroying())
        return;
    QAccessibleStateChangeEvent changed(this, Changed);
    TellAccessible(changed);
}

void TControl::NotifyAccessibleValue()
{
    if (!AccessibleListening() || IsDestroying())
        return;
    const QString value = AccessibleText(QAccessible::Value);
    if (value == accessibleValue_)
        return;
    accessibleValue_ = value;
    QAccessibleValueChangeEvent changed(this, value);
    TellAccessible(changed);
}

std::uintptr_t TControl::CurrentThemeWave()
{
    if (!inThemeWave_)
        themeWave_ = GfxNewThemeWave();
    return themeWave_;
}

void TControl::ParentChanged()
{
    if (!parentWidget())
        return;
    if (parentColor_)
        Perform(CM_PARENTCOLORCHANGED);
    if (parentFont_)
        Perform(CM_PARENTFONTCHANGED);
    CaptureAnchors();
    if (align_ != alNone || anchors_ != (akLeft | akTop))
        AlignWatcher::Ensure(parentWidget());
}

void TControl::Deliver(TMessage& Message)
{
    if (IsDestroying())
        return;
    if (Message.Msg == GFX_THEMECHANGED || Message.Msg == WM_THEMECHANGED) {
        if (Message.WParam == 0)
            Message.WParam = GfxNewThemeWave();
        if (Message.WParam == themeWave_)
            return;  // heard of this change already
        themeWave_ = Message.WParam;
        inThemeWave_ = true;
        struct Lower {
            bool& f;
            ~Lower() { f = false; }
        } lower{inThemeWave_};
        WndProc(Message);
        return;
    }
    WndProc(Message);
}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: PaintHandler(Message); break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case CM_VISIBLECHANGED:
        if (align_ != alNone)
            RequestAlign();
        break;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parentWidget()) {
            SetColor(ColorOf(parentWidget()));
            parentColor_ = true;
        }
        break;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parentWidget()) {
            settingParentFont_ = true;
            FontOf(parentWidget(), font_);
            settingParentFont_ = false;
        }
        break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::PaintEventReceived(QPaintEvent*)
{
    TGfxCanvas canvas(this);
    canvas.Font.Assign(font_);
    canvas.Brush.SetColor(color_);
    canvas_ = &canvas;
    struct Reset {
        TGfxCanvas*& c;
        ~Reset() { c = nullptr; }
    } reset{canvas_};
    CountScope painting(painting_);
    const auto dc = reinterpret_cast<std::uintptr_t>(&canvas);
    Perform(WM_ERASEBKGND, dc);
    Perform(WM_PAINT, dc);
}

void TControl::TranslateMouseEnter(bool entering)
{
    if (entering) {
        // The platform gives a disabled window no mouse: it goes to the
        // parent. A windowless control hears of it and decides itself.
        if (mouseInside_ || (windowed_ && !isEnabled()))
            return;
        mouseInside_ = true;
        Perform(CM_MOUSEENTER);
    } else if (mouseInside_) {
        mouseInside_ = false;
        Perform(CM_MOUSELEAVE);
    }
}

void TControl::TranslateMouse(QEvent* e)
{
    auto* me = static_cast<QMouseEvent*>(e);
    const QPoint p = me->position().toPoint();
    TMouseButton button = mbLeft;
    switch (e->type()) {
    case QEvent::MouseMove: MouseMove(ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y()); break;
    case QEvent::MouseButtonPress:
        if (ButtonOf(me->button(), button)) {
            pressed_ = button == mbLeft;
            MouseDown(button, ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (ButtonOf(me->button(), button)) {
            if (button == mbLeft && (controlStyle_ & csDoubleClicks))
                DblClick();
            MouseDown(button, ShiftOf(me->modifiers(), me->buttons()) | ssDouble, p.x(), p.y());
        }
        break;
    case QEvent::MouseButtonRelease:
        if (ButtonOf(me->button(), button)) {
            const bool click = pressed_ && button == mbLeft && rect().contains(p);
            if (button == mbLeft)
                pressed_ = false;
            if (click && (controlStyle_ & csClickEvents))
                Click();
            MouseUp(button, ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
        }
        break;
    default: break;
    }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

// The one place where Qt's events become the platform's messages.
bool TControl::event(QEvent* e)
{
    if (e->type() == GfxMessageEvent::EventType()) {
        Deliver(static_cast<GfxMessageEvent*>(e)->Message);
        return true;
    }
    if (IsDestroying())
        return QWidget::event(e);
    switch (e->type()) {
    case QEvent::Paint: PaintEventReceived(static_cast<QPaintEvent*>(e)); return true;
    case QEvent::Move:
    case QEvent::Resize: GeometryReported(); break;
    case QEvent::Enter: TranslateMouseEnter(true); break;
    case QEvent::Leave: TranslateMouseEnter(false); break;
    case QEvent::EnabledChange:
        if (windowed_ && !isEnabled())
            TranslateMouseEnter(false);
        Perform(CM_ENABLEDCHANGED);
        break;
    case QEvent::ParentChange: ParentChanged(); break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (windowed_) {
            // The form's focused control changes (enter, exit) unless the
            // whole window only loses the activation and gets it back: the
            // control stays the form's active control meanwhile.
            const bool in = e->type() == QEvent::FocusIn;
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            Perform(in ? WM_SETFOCUS : WM_KILLFOCUS);
            if (in && !activeInForm_) {
                activeInForm_ = true;
                Perform(CM_ENTER);
            } else if (!in && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                activeInForm_ = false;
                Perform(CM_EXIT);
            }
        }
        break;
    case QEvent::Show:
        if (windowed_ && static_cast<TWinControl*>(this)->windowsCreated_ == 0)
            static_cast<TWinControl*>(this)->CreateWnd();
        break;
    case QEvent::ChildRemoved:
        if (windowed_)
            static_cast<TWinControl*>(this)->Realign();
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        QWidget::event(e);
        TranslateMouse(e);
        e->accept();  // the control's: the parent does not get it as well
        return true;
    default: break;
    }
    return QWidget::event(e);
}

// --------------------------------------------------------- TGraphicControl
TGraphicControl::TGraphicControl(QWidget* AParent) : TControl(AParent, false) { setFocusPolicy(Qt::NoFocus); }

void TGraphicControl::PaintHandler(TMessage&) { Paint(); }

// ------------------------------------------------------------- TWinControl
TWinControl::TWinControl(QWidget* AParent) : TControl(AParent, true)
{
    setFocusPolicy(Qt::NoFocus);
}

int TWinControl::ControlCount() const
{
    int n = 0;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            ++n;
    return n;
}

QWidget* TWinControl::Controls(int Index) const
{
    int n = 0;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            if (n++ == Index)
                return w;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    // The list as it was when the broadcast began, held by guarded
    // pointers: a child that an earlier child's handling frees (or moves
    // away) is skipped.
    std::vector<QPointer<QWidget>> targets;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            targets.emplace_back(w);
    for (const QPointer<QWidget>& target : targets) {
        QWidget* w = target.data();
        if (!w || w->parentWidget() != this)
            continue;
        if (const auto* c = dynamic_cast<const TControl*>(w); c && c->IsDestroying())
            continue;
        GfxMessageEvent ev(Message);
        QCoreApplication::sendEvent(w, &ev);
        Message.Result = ev.Message.Result;
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(std::uint32_t Msg, std::uintptr_t WParam)
{
    TMessage m{Msg, WParam, 0, 0};
    Broadcast(m);
}

void TWinControl::SetTabStop(bool Value)
{
    tabStop_ = Value;
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

void TWinControl::SetCtl3D(bool Value)
{
    if (ctl3D_ == Value)
        return;
    ctl3D_ = Value;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Style = tabStop_ ? WS_TABSTOP : 0;
    Params.ExStyle = 0;
    Params.WindowClassStyle = CS_HREDRAW | CS_VREDRAW;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    setAttribute(Qt::WA_StaticContents, (params.WindowClassStyle & (CS_HREDRAW | CS_VREDRAW)) == 0);
    ++windowsCreated_;
}

void TWinControl::RecreateWnd()
{
    if (!HandleAllocated())
        return;
    CreateWnd();
    Invalidate();
}

void TWinControl::Realign()
{
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(r);
}

void TWinControl::AlignControls(TRect& Rect) { GfxAlignment::Arrange(this, Rect); }

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE: Realign(); break;
    case WM_ERASEBKGND:
        if (auto* canvas = reinterpret_cast<TGfxCanvas*>(Message.WParam)) {
            canvas->Brush.SetStyle(bsSolid);
            canvas->Brush.SetColor(Color());
            canvas->FillRect(ClientRect());
        }
        Message.Result = 1;
        break;
    case CM_ENTER: DoEnter(); break;
    case CM_EXIT: DoExit(); break;
    case CM_COLORCHANGED:
        TControl::WndProc(Message);
        NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    case CM_FONTCHANGED:
        TControl::WndProc(Message);
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    default: TControl::WndProc(Message); break;
    }
}

// ---------------------------------------------------------- TCustomControl
TCustomControl::TCustomControl(QWidget* AParent) : TWinControl(AParent) {}

void TCustomControl::PaintHandler(TMessage&) { Paint(); }
