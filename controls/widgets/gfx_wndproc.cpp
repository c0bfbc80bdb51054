#include "gfx_wndproc.h"

#include "gfx_controlmodel.h"

#include "gfx_application.h"
#include "gfx_library.h"
#include "platform/gfx_platform.h"

#include <QApplication>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

TGfxXPThemeManager* GfxThemeManager = nullptr;

namespace {

// The components hooked into each window, in the order they hooked. A
// message reaches the last one first; each passes it on to the one before
// it, and the first to the window's own handling, as a chain of replaced
// window procedures does.
QHash<QObject*, QList<TGfxWndProcComponent*>>& HookChains()
{
    static QHash<QObject*, QList<TGfxWndProcComponent*>> chains;
    return chains;
}

void LeaveChain(QObject* window, TGfxWndProcComponent* component)
{
    auto it = HookChains().find(window);
    if (it == HookChains().end())
        return;
    it->removeAll(component);
    if (it->isEmpty())
        HookChains().erase(it);
}

QMdiArea* MdiAreaOf(QWidget* form)
{
    if (auto* main = qobject_cast<QMainWindow*>(form))
        return qobject_cast<QMdiArea*>(main->centralWidget());
    return nullptr;
}

}  // namespace

TGfxWndProcComponent::TGfxWndProcComponent(QObject* AOwner) : TGfxCustomComponent(AOwner)
{
    if (auto* form = qobject_cast<QWidget*>(AOwner)) {
        if (qobject_cast<QMdiSubWindow*>(form->parentWidget()))
            ownerKind_ = 1;
        else if (MdiAreaOf(form))
            ownerKind_ = 2;
    }
}

TGfxWndProcComponent::~TGfxWndProcComponent() { Unhook(); }

void TGfxWndProcComponent::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (!IsDesigning()) {
        if (on)
            Hook();
        else
            Unhook();
    }
    EnabledChanged();
}

QObject* TGfxWndProcComponent::HookWindow() const
{
    auto* form = qobject_cast<QWidget*>(Owner());
    if (!form)
        return nullptr;
    if (ownerKind_ == 2 && !UseFormHandle)
        if (QMdiArea* area = MdiAreaOf(form))
            return area;
    return form;
}

void TGfxWndProcComponent::Loaded()
{
    TGfxCustomComponent::Loaded();
    if (!(IsDesigning() && !DesignTimeHook))
        Hook();
}

bool TGfxWndProcComponent::Hook()
{
    if (!enabled_ || hooked_)
        return false;
    return DoHook();
}

bool TGfxWndProcComponent::DoHook()
{
    QObject* window = HookWindow();
    if (!window || hooked_ || (IsDesigning() && !DesignTimeHook))
        return false;
    destroying_ = false;
    if (MainWindowFlag) {
        mainWindowHookKey_ = GfxAddApplicationHook([this](TMessage& m) { return MainWindowHook(m); });
        mainWindowHooked_ = true;
    }
    hooked_ = window;
    HookChains()[window].append(this);
    window->installEventFilter(this);
    destroyedConnection_ =
        QObject::connect(window, &QObject::destroyed, this, [this] { OnWindowDestroyed(); });
    return true;
}

void TGfxWndProcComponent::Unhook()
{
    if (hooked_) {
        if (!destroying_)
            hooked_->removeEventFilter(this);
        QObject::disconnect(destroyedConnection_);
        LeaveChain(hooked_, this);
        hooked_ = nullptr;
    }
    if (mainWindowHooked_) {
        GfxRemoveApplicationHook(mainWindowHookKey_);
        mainWindowHooked_ = false;
    }
    destroying_ = false;
}

void TGfxWndProcComponent::DesignStateChanged()
{
    if (IsDesigning() && !DesignTimeHook)
        Unhook();
}

bool TGfxWndProcComponent::MainWindowHook(TMessage&)
{
    // Handled: a component that asks for the application's window and does
    // not override this takes every message of it, and later hooks of that
    // window do not see them.
    return true;
}

void TGfxWndProcComponent::WndProc(TMessage& Message)
{
    if (destroying_)
        return;
    if (Message.Msg == WM_DESTROY) {
        destroying_ = true;
        if (ownerKind_ == 1) {
            Unhook();
            destroying_ = true;  // the window stays dead to this component
            return;
        }
    }
    CallOldWndProc(Message);
}

void TGfxWndProcComponent::CallOldWndProc(TMessage& Message)
{
    if (!hooked_)
        return;
    // The procedure that was in place when this component hooked: the
    // component that hooked before it, else the window's own handling.
    const QList<TGfxWndProcComponent*> chain = HookChains().value(hooked_);
    const qsizetype at = chain.indexOf(this);
    if (at > 0) {
        chain[at - 1]->WndProc(Message);
        return;
    }
    GfxMessageEvent ev(Message);
    hooked_->event(&ev);  // past every filter
    Message.Result = ev.Message.Result;
}

bool TGfxWndProcComponent::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != hooked_ || event->type() != GfxMessageEvent::EventType())
        return TGfxCustomComponent::eventFilter(watched, event);
    // Only the last component of the chain takes the message in; it reaches
    // the others through CallOldWndProc.
    const QList<TGfxWndProcComponent*> chain = HookChains().value(hooked_);
    if (!chain.isEmpty() && chain.constLast() != this)
        return false;
    WndProc(static_cast<GfxMessageEvent*>(event)->Message);
    return true;  // WndProc decided whether the window saw it
}

void TGfxWndProcComponent::OnWindowDestroyed()
{
    // The window is gone: nothing can be passed on to it any more.
    if (!destroying_) {
        destroying_ = true;
        if (ownerKind_ == 1)
            Unhook();
    }
    if (hooked_) {
        QObject::disconnect(destroyedConnection_);
        LeaveChain(hooked_, this);
        hooked_ = nullptr;
    }
}

void TGfxXPThemeManager::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CREATE && GfxApplication) {
        GfxApplication->RefreshThemeState();
    } else if (Message.Msg == WM_THEMECHANGED && GfxApplication && GfxApplication->GetThemed()) {
        GfxApplication->SetThemed(false);
        GfxApplication->SetThemed(true);
    }
    TGfxWndProcComponent::WndProc(Message);
}

bool GfxCheckOneInstance(QObject* owner, const std::function<bool(const QObject*)>& isOfClass,
                         bool allowOther)
{
    auto* widget = qobject_cast<QWidget*>(owner);
    const bool isForm = widget && widget->isWindow();
    if (!isForm && !(allowOther && widget))
        return true;
    if (!isOfClass)
        return false;
    int count = 0;
    for (const QObject* child : owner->children())
        if (isOfClass(child) && ++count > 1)
            return true;
    return false;
}

namespace {

void PerformDepthFirst(QWidget* w, std::uintptr_t wave)
{
    for (QObject* child : w->children())
        if (auto* cw = qobject_cast<QWidget*>(child); cw && !cw->isWindow()) {
            GfxPerform(cw, WM_THEMECHANGED, wave);
            PerformDepthFirst(cw, wave);
        }
}

}  // namespace

void GfxBroadcastThemeToForms()
{
    // One theme change: a control that hears of it from the form and from
    // its parent reacts once.
    const std::uintptr_t wave = GfxNewThemeWave();
    for (QWidget* form : QApplication::topLevelWidgets()) {
        if (!form->isVisible())
            continue;
        for (QObject* child : form->children())
            if (auto* control = qobject_cast<QWidget*>(child); control && !control->isWindow())
                GfxPerform(control, GFX_THEMECHANGED, wave);
        PerformDepthFirst(form, wave);
        GfxPerform(form, WM_THEMECHANGED, wave);
    }
}

void GfxInitializeWidgetLibrary()
{
    GfxInitializeLibrary();
    GfxSetThemeBroadcaster(&GfxBroadcastThemeToForms);
    if (!GfxThemeManager)
        GfxThemeManager = new TGfxXPThemeManager(nullptr);
}

void GfxFinalizeWidgetLibrary()
{
    delete GfxThemeManager;
    GfxThemeManager = nullptr;
    GfxSetThemeBroadcaster({});
    GfxFinalizeLibrary();
}
