#pragma once
// The two platform services behind GfxHotKeys(): an X11 grab and an
// application-wide key filter.

#include "gfx_hotkey_service.h"

#include <QObject>

#include <map>
#include <memory>

// The X11 grab when the application runs on xcb, else the application-wide
// filter.
std::unique_ptr<GfxHotKeyService> GfxMakePlatformHotKeyService();

// Watches every key press of the application: a combination registered
// here fires while any window of the program has the keyboard.
class GfxAppHotKeyService : public QObject, public GfxHotKeyService {
public:
    GfxAppHotKeyService();
    bool Register(uint16_t id, unsigned modifiers, unsigned key) override;
    void Unregister(uint16_t id) override;
    QString Kind() const override { return QStringLiteral("application"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Combo {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
    };
    std::map<uint16_t, Combo> combos_;
    bool installed_ = false;
};

// The system-wide grab on an X11 display; null when the grab service cannot
// start there.
std::unique_ptr<GfxHotKeyService> GfxMakeX11HotKeyService();
