#pragma once
// The platform's control classes, answered on QWidget. The library's
// controls are written against a platform where a control is either
// windowless (painted on its parent, never focused, never a parent) or
// windowed (a window of its own that holds child controls and takes the
// focus), and where everything a control hears arrives as a numbered
// message. This file is that model, once; controls/README.md describes it.
//
// - TControl: the root of both kinds. Bounds through SetBounds (the one
//   call that knows what moved and what resized), Color/ParentColor,
//   Font/ParentFont, Align/Anchors, control styles (csOpaque maps to a
//   widget that paints all its pixels; without it the parent's painting
//   shows behind the control), the repaint rules, mouse enter and leave,
//   the mouse buttons, and the translation of Qt's events into messages.
// - TGraphicControl: windowless; a canvas and Paint.
// - TWinControl: windowed; the child list with Broadcast, the focus (enter
//   and exit, WM_SETFOCUS and WM_KILLFOCUS), window creation parameters and
//   re-creation, the alignment of its children.
// - TCustomControl: windowed with a canvas and Paint.
//
// Every message a control hears, from Qt or from the library, reaches its
// WndProc: a class handles the messages it knows in its override and hands
// the rest to its base (the "inherited" of each handler).

#include "gfx_messages.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_graphics.h"
#include "platform/gfx_object_base.h"
#include "platform/gfx_types.h"

#include <QAccessible>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class QPaintEvent;

// ------------------------------------------------------------ styles
using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 0x001;
constexpr TControlStyle csCaptureMouse = 0x002;
constexpr TControlStyle csClickEvents = 0x004;  // a press and release inside is a click
constexpr TControlStyle csFramed = 0x008;
constexpr TControlStyle csSetCaption = 0x010;
constexpr TControlStyle csOpaque = 0x020;        // paints every pixel: nothing of the parent shows through
constexpr TControlStyle csDoubleClicks = 0x040;  // a double press is a double click
constexpr TControlStyle csReplicatable = 0x080;  // can be painted into an image of its own (PaintTo)

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TAnchors = unsigned;
constexpr TAnchors akLeft = 1;
constexpr TAnchors akTop = 2;
constexpr TAnchors akRight = 4;
constexpr TAnchors akBottom = 8;

// Window styles of TCreateParams.
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr std::uint32_t CS_VREDRAW = 0x0001;
constexpr std::uint32_t CS_HREDRAW = 0x0002;

// A receiver of every update the library's controls send to assistive
// tools, called beside them (and also while none is active): a reader of
// the controls inside the program, such as the tests. Returns the one it
// replaces; none by default.
using GfxAccessibleListener = void (*)(QAccessibleEvent* Event);
GfxAccessibleListener GfxSetAccessibleListener(GfxAccessibleListener Listener);

// A theme change is named by a number, so that a control that hears of one
// change by several roads (the form's broadcast, its parent's) reacts once.
std::uintptr_t GfxNewThemeWave();

class TControl : public QWidget, public TComponentBase {
public:
    using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

    ~TControl() override;

    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    // The parent control (a library control or any widget), or none.
    QWidget* Parent() const { return parentWidget(); }
    // A control keeps its Visible when it changes parent.
    void SetParent(QWidget* AParent);

    // ------------------------------------------------------- bounds
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
    TRect ClientRect() const { return TRect{0, 0, width_, height_}; }
    // Moves and sizes the control. A size below 0 counts as 0. Changes made
    // through Qt (setGeometry, a layout) arrive here too, when the widget
    // reports them.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value);

    // ---------------------------------------------- state and looks
    // The control's own flag (a hidden parent hides it without changing it).
    bool Visible() const;
    void SetVisible(bool Value);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Value) { setEnabled(Value); }

    // The caption (the platform's Text); a change performs CM_TEXTCHANGED.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);

    // The control's topic in the help (0: none of its own).
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value) { helpContext_ = Value; }

    TColor Color() const { return color_; }
    // Stores the colour and stops following the parent's.
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TGfxFont& Font() { return font_; }
    const TGfxFont& Font() const { return font_; }
    // A change of the font stops following the parent's.
    void SetFont(const TGfxFont& Value) { font_.Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value);

    // --------------------------------------------------- repainting
    // Asks for a paint of the whole control. Without csOpaque the parent's
    // painting behind the control is redone first. A request made while the
    // control (or a control it lies on) paints is dropped: that paint is
    // drawing it now, and a new one from inside a paint would never end.
    virtual void Invalidate();
    // The same, painted before it returns.
    virtual void Repaint();
    // True while the control's own paint, or its parent's, is under way.
    bool IsPainting() const;

    // ---------------------------------------------------- messages
    // Hands the message to the control's own handling (past event filters).
    std::intptr_t Perform(std::uint32_t Msg, std::uintptr_t WParam = 0, std::intptr_t LParam = 0)
    {
        return GfxPerform(this, Msg, WParam, LParam);
    }
    // The colour of a parent: a library control's Color, else the widget's
    // background colour.
    static TColor ColorOf(const QWidget* w);

    // Whether the mouse is over the control (between mouse enter and leave).
    bool MouseInControl() const { return mouseInside_; }

    // ------------------------------------------------------ events
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // ------------------------------------------------ accessibility
    // What assistive tools are told of the control. The library's controls
    // override these; the rest of the widget's accessible interface
    // (geometry, children, focus) comes from Qt.
    virtual QAccessible::Role AccessibleRole() const { return QAccessible::Client; }
    // The name is the caption; a null text leaves the answer to Qt.
    virtual QString AccessibleText(QAccessible::Text Kind) const;
    // Adds the control's own states (checked, pressed, ...) to Qt's.
    virtual void AccessibleState(QAccessible::State& State) const { (void)State; }
    // The actions the control offers besides Qt's own (the names of
    // QAccessibleActionInterface), asked only while it is enabled, and the
    // doing of one; false leaves the action to Qt.
    virtual QStringList AccessibleActionNames() const { return {}; }
    virtual bool DoAccessibleAction(const QString& Name)
    {
        (void)Name;
        return false;
    }

protected:
    explicit TControl(QWidget* AParent, bool Windowed);

    // Tell assistive tools that what they read of the control changed: its
    // states (the ones set in Changed), or its value (AccessibleText of
    // Value; sent only when that text differs from the one last told). A
    // caption's change is told as a name change by SetCaption. Nothing is
    // sent while nobody listens, or once the control is going.
    void NotifyAccessibleState(const QAccessible::State& Changed);
    void NotifyAccessibleValue();

    // Each class handles the messages it knows and hands the rest to its
    // base; TControl's handling ends in DefaultHandler.
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message) { (void)Message; }

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();

    // The control's paint: WM_ERASEBKGND and WM_PAINT with the canvas as
    // WParam. Canvas() is valid only while the control paints.
    TGfxCanvas* Canvas() const { return canvas_; }
    // Paints the control; TGraphicControl and TCustomControl call Paint.
    virtual void PaintHandler(TMessage& Message) { (void)Message; }

    // Realigns the children of the parent (after an aligned control moved
    // or changed its Align).
    void RequestAlign();

    bool event(QEvent* e) override;

private:
    friend class TWinControl;
    friend struct GfxAlignment;

    void Deliver(TMessage& Message);
    void PaintEventReceived(QPaintEvent* e);
    void TranslateMouseEnter(bool entering);
    void TranslateMouse(QEvent* e);
    void GeometryReported();
    void CaptureAnchors();
    void ParentChanged();

    const bool windowed_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    // Anchored placement: the bounds and the parent's size when they were
    // last set by hand.
    TRect anchorBounds_{};
    QSize anchorParentSize_;
    bool anchorValid_ = false;
    QString caption_;
    QString accessibleValue_;  // the value last told to assistive tools
    int helpContext_ = 0;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TGfxFont font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    TControlStyle controlStyle_ = 0;
    TGfxCanvas* canvas_ = nullptr;
    int painting_ = 0;
    bool mouseInside_ = false;
    bool activeInForm_ = false;  // the form's focused control (windowed)
    bool pressed_ = false;
    std::uintptr_t themeWave_ = 0;
    bool inThemeWave_ = false;

protected:
    // The theme change the control is handling, or a new one when it is
    // handling none (a control that starts a theme change of its own).
    std::uintptr_t CurrentThemeWave();
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(QWidget* AParent = nullptr);

protected:
    virtual void Paint() {}
    void PaintHandler(TMessage& Message) override;
    using TControl::Canvas;
};

// The window creation parameters: the window and window-class styles of
// the platform. WS_CLIPCHILDREN is what Qt does anyway; a class without
// CS_HREDRAW and CS_VREDRAW repaints only what a resize uncovers.
struct TCreateParams {
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    std::uint32_t WindowClassStyle = CS_HREDRAW | CS_VREDRAW;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(QWidget* AParent = nullptr);

    // The child controls (every child widget that is not a window of its
    // own), bottom to top.
    int ControlCount() const;
    QWidget* Controls(int Index) const;
    // Hands the message to every child in turn until one sets Result. A
    // child freed by an earlier one's handling is skipped, never reached.
    void Broadcast(TMessage& Message);
    void NotifyControls(std::uint32_t Msg, std::uintptr_t WParam = 0);

    // The window exists from the first show on.
    bool HandleAllocated() const { return testAttribute(Qt::WA_WState_Created); }
    // Applies CreateParams again (the platform destroys and creates the
    // window); counts the windows made, for tests.
    void RecreateWnd();
    int WindowsCreated() const { return windowsCreated_; }

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool Value);
    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Lays out the aligned and anchored children in the client area.
    void Realign();

protected:
    virtual void CreateParams(TCreateParams& Params);
    void CreateWnd();
    virtual void DoEnter();
    virtual void DoExit();
    // The client area the children are aligned in.
    virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
    virtual void AlignControls(TRect& Rect);
    void WndProc(TMessage& Message) override;

private:
    friend class TControl;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    int windowsCreated_ = 0;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(QWidget* AParent = nullptr);

protected:
    virtual void Paint() {}
    void PaintHandler(TMessage& Message) override;
    using TControl::Canvas;
};
