#include "gfx_hotkey_platform.h"

#include <QGuiApplication>
#include <QKeyEvent>

GfxAppHotKeyService::GfxAppHotKeyService() = default;

bool GfxAppHotKeyService::Register(uint16_t id, unsigned modifiers, unsigned key)
{
    const int qtKey = GfxVirtualKeyToQtKey(key);
    if (qtKey == 0) {
        combos_.erase(id);
        return false;
    }
    Qt::KeyboardModifiers m;
    if (modifiers & GFX_MOD_SHIFT) m |= Qt::ShiftModifier;
    if (modifiers & GFX_MOD_CONTROL) m |= Qt::ControlModifier;
    if (modifiers & GFX_MOD_ALT) m |= Qt::AltModifier;
    combos_[id] = Combo{qtKey, m};
    if (!installed_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(this);
        installed_ = true;
    }
    return installed_;
}

void GfxAppHotKeyService::Unregister(uint16_t id)
{
    combos_.erase(id);
}

bool GfxAppHotKeyService::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || combos_.empty()) return QObject::eventFilter(watched, event);
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->isAutoRepeat()) return QObject::eventFilter(watched, event);
    const Qt::KeyboardModifiers m =
        k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    for (const auto& [id, c] : combos_) {
        if (c.qtKey == k->key() && c.modifiers == m) {
            // The press is the hot key's, as a system grab would take it.
            Deliver(id);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<GfxHotKeyService> GfxMakePlatformHotKeyService()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto x11 = GfxMakeX11HotKeyService()) return x11;
    }
    return std::make_unique<GfxAppHotKeyService>();
}
