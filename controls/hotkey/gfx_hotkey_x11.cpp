// The X11 hot-key service: the combination is grabbed on the root window,
// so the X server hands its presses to this program whichever window has
// the keyboard. A grab matches the modifier state exactly, so each
// combination is grabbed four times: plain, with CapsLock, with NumLock and
// with both.

#include "gfx_hotkey_platform.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t XK_Num_Lock = 0xFF7F;

class X11HotKeyService : public GfxHotKeyService, public QAbstractNativeEventFilter {
public:
    X11HotKeyService(xcb_connection_t* c, xcb_window_t root) : c_(c), root_(root)
    {
        numLockMask_ = findNumLockMask();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~X11HotKeyService() override
    {
        if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool Register(uint16_t id, unsigned modifiers, unsigned key) override
    {
        Unregister(id);  // one combination per identifier
        const uint32_t sym = GfxVirtualKeyToKeysym(key);
        const xcb_keycode_t code = sym ? keycodeOf(sym) : 0;
        if (code == 0) return false;
        uint16_t mods = 0;
        if (modifiers & GFX_MOD_SHIFT) mods |= XCB_MOD_MASK_SHIFT;
        if (modifiers & GFX_MOD_CONTROL) mods |= XCB_MOD_MASK_CONTROL;
        if (modifiers & GFX_MOD_ALT) mods |= XCB_MOD_MASK_1;
        Grab g{code, mods};
        bool ok = true;
        for (uint16_t lock : lockVariants()) {
            xcb_void_cookie_t ck = xcb_grab_key_checked(c_, 1, root_, uint16_t(mods | lock), code,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* err = xcb_request_check(c_, ck)) {
                ok = false;  // taken by another client
                std::free(err);
            }
        }
        xcb_flush(c_);
        grabs_[id] = g;
        return ok;
    }

    void Unregister(uint16_t id) override
    {
        const auto it = grabs_.find(id);
        if (it == grabs_.end()) return;
        for (uint16_t lock : lockVariants())
            xcb_ungrab_key(c_, it->second.code, root_, uint16_t(it->second.mods | lock));
        xcb_flush(c_);
        grabs_.erase(it);
    }

    QString Kind() const override { return QStringLiteral("x11"); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t") return false;
        auto* ev = static_cast<xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7F) != XCB_KEY_PRESS) return false;
        auto* kp = reinterpret_cast<xcb_key_press_event_t*>(ev);
        const uint16_t state =
            kp->state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4);
        for (const auto& [id, g] : grabs_) {
            if (g.code == kp->detail && g.mods == state) {
                Deliver(id);
                return true;
            }
        }
        return false;
    }

private:
    struct Grab {
        xcb_keycode_t code;
        uint16_t mods;
    };

    std::vector<uint16_t> lockVariants() const
    {
        return {0, uint16_t(XCB_MOD_MASK_LOCK), numLockMask_, uint16_t(XCB_MOD_MASK_LOCK | numLockMask_)};
    }

    // The keycode of the first key whose mapping holds `sym`.
    xcb_keycode_t keycodeOf(uint32_t sym) const
    {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        const int first = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* r = xcb_get_keyboard_mapping_reply(
            c_, xcb_get_keyboard_mapping(c_, xcb_keycode_t(first), uint8_t(count)), nullptr);
        if (!r) return 0;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(r);
        const int per = r->keysyms_per_keycode;
        xcb_keycode_t found = 0;
        for (int k = 0; k < count && !found; ++k)
            for (int j = 0; j < per; ++j)
                if (syms[k * per + j] == sym) {
                    found = xcb_keycode_t(first + k);
                    break;
                }
        std::free(r);
        return found;
    }

    // The modifier bit the server gives NumLock (Mod2 on nearly every setup).
    uint16_t findNumLockMask() const
    {
        const xcb_keycode_t numLock = keycodeOf(XK_Num_Lock);
        uint16_t mask = XCB_MOD_MASK_2;
        if (numLock == 0) return mask;
        xcb_get_modifier_mapping_reply_t* r =
            xcb_get_modifier_mapping_reply(c_, xcb_get_modifier_mapping(c_), nullptr);
        if (!r) return mask;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(r);
        const int per = r->keycodes_per_modifier;
        for (int m = 0; m < 8; ++m)
            for (int j = 0; j < per; ++j)
                if (codes[m * per + j] == numLock) mask = uint16_t(1u << m);
        std::free(r);
        return mask;
    }

    xcb_connection_t* c_;
    xcb_window_t root_;
    uint16_t numLockMask_ = XCB_MOD_MASK_2;
    std::map<uint16_t, Grab> grabs_;
};

}  // namespace

std::unique_ptr<GfxHotKeyService> GfxMakeX11HotKeyService()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return nullptr;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen) return nullptr;
    return std::make_unique<X11HotKeyService>(c, screen->root);
}
