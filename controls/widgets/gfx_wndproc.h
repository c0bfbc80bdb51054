#pragma once
// The parts of the library's lowest layer that act on forms:
// - TGfxWndProcComponent puts itself in front of the message handling of the
//   form that owns it, so that a descendant sees every library message
//   (GfxMessageEvent) of that form. Other Qt events pass untouched.
// - TGfxXPThemeManager forwards theme changes to the application object.
// - GfxCheckOneInstance, for form-level components that allow one per form.
// - GfxInitializeWidgetLibrary: the library's initialisation with the theme
//   broadcast to the forms and the global theme manager.

#include "gfx_component.h"
#include "gfx_messages.h"
#include "platform/gfx_types.h"

#include <QMetaObject>
#include <QPointer>

#include <cstdint>
#include <functional>

class QWidget;

class TGfxWndProcComponent : public TGfxCustomComponent {
public:
    // Owner kind: 0 ordinary form, 1 child in a multiple-document area,
    // 2 form whose centre is a multiple-document area.
    explicit TGfxWndProcComponent(QObject* AOwner = nullptr);
    ~TGfxWndProcComponent() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool DesignTimeHook = false;  // when false, never hooked while designing
    bool MainWindowFlag = false;  // also hook the application's window
    bool UseFormHandle = false;   // kind 2: hook the form itself, not its area
    std::uint8_t OwnerKind() const { return ownerKind_; }

    // The window the component hooks (none without an owning form).
    QObject* HookWindow() const;
    QObject* HookedWindow() const { return hooked_; }
    bool Hook();    // when enabled and not hooked yet; false when it cannot
    void Unhook();

protected:
    void Loaded() override;
    // The application-window hook: false passes the message on to later
    // hooks; this base answers true (handled).
    virtual bool MainWindowHook(TMessage& Message);
    virtual void WndProc(TMessage& Message);
    // Gives the message to what handled the window's messages before this
    // component hooked it: the component that hooked the same window
    // earlier, else the window's own handling.
    void CallOldWndProc(TMessage& Message);
    // Called after every change of Enabled; descendants redraw here.
    virtual void EnabledChanged() {}
    // Unhooks when designing without the design-time flag.
    void DesignStateChanged();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool DoHook();
    void OnWindowDestroyed();

    bool enabled_ = true;
    bool mainWindowHooked_ = false;
    int mainWindowHookKey_ = 0;
    std::uint8_t ownerKind_ = 0;
    QObject* hooked_ = nullptr;
    QMetaObject::Connection destroyedConnection_;
    bool destroying_ = false;
};

class TGfxXPThemeManager : public TGfxWndProcComponent {
public:
    using TGfxWndProcComponent::TGfxWndProcComponent;

protected:
    // On the window's creation: the application object's theme state is
    // refreshed; on a theme change while themed: theme use goes off and on
    // again. Every message then goes on to the window.
    void WndProc(TMessage& Message) override;
};

extern TGfxXPThemeManager* GfxThemeManager;

// True when the owner is missing or no form (an owner that is a widget inside
// a form is admitted when allowOther is set), or holds more than one
// component for which isOfClass answers true; false without a class.
bool GfxCheckOneInstance(QObject* owner, const std::function<bool(const QObject*)>& isOfClass,
                         bool allowOther);

// Every visible form: the library's theme-changed message 0xB0D6 to its
// controls, then WM_THEMECHANGED to every widget below it (a widget before
// its children) and last to the form, all naming one new theme change.
void GfxBroadcastThemeToForms();

void GfxInitializeWidgetLibrary();
void GfxFinalizeWidgetLibrary();

// The library with its widget parts for as long as the scope lives: made
// before the first window, freed after the last one.
class TGfxWidgetLibraryScope {
public:
    TGfxWidgetLibraryScope() { GfxInitializeWidgetLibrary(); }
    ~TGfxWidgetLibraryScope() { GfxFinalizeWidgetLibrary(); }
    TGfxWidgetLibraryScope(const TGfxWidgetLibraryScope&) = delete;
    TGfxWidgetLibraryScope& operator=(const TGfxWidgetLibraryScope&) = delete;
};
