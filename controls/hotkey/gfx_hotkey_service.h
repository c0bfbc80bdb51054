#pragma once
// The platform side of the global hot keys: a registry of identifiers
// ("atoms", one per live hot-key component), and the service that grabs a
// key combination for an identifier and reports its presses.
//
// The real services are an X11 grab of the key on the root window (every
// desktop window, with the NumLock and CapsLock variants), and, where the
// platform has no global grab (Wayland, offscreen), an application-wide
// key filter. Tests install their own service.

#include <QString>

#include <cstdint>
#include <functional>

// Modifiers of a registration, as the hot-key service takes them.
enum : unsigned { GFX_MOD_ALT = 1, GFX_MOD_CONTROL = 2, GFX_MOD_SHIFT = 4 };

class GfxHotKeyService {
public:
    virtual ~GfxHotKeyService() = default;
    // Grabs virtual key `key` with `modifiers` (GFX_MOD_*) for `id`. A
    // second registration of the same id replaces the first. False when
    // the platform refused.
    virtual bool Register(uint16_t id, unsigned modifiers, unsigned key) = 0;
    // Releases the grab of `id`; harmless when it holds none.
    virtual void Unregister(uint16_t id) = 0;
    // A short name for logs and tests ("x11", "application").
    virtual QString Kind() const = 0;

protected:
    // The services call this on the main thread when a grabbed combination
    // is pressed.
    static void Deliver(uint16_t id);
};

// The service in use: the one a test installed, else the platform's
// (chosen at the first call, once the application object exists).
GfxHotKeyService& GfxHotKeys();
// Installs `service` (not owned); nullptr returns to the platform's.
void GfxSetHotKeyService(GfxHotKeyService* service);

// A per-name identifier from the process-wide table, 0xC000 upward, with a
// use count; 0 when the table is full.
uint16_t GfxGlobalAddAtom(const QString& name);
void GfxGlobalDeleteAtom(uint16_t atom);
QString GfxGlobalAtomName(uint16_t atom);

// Where a hot-key press goes: set by the hot-key component's unit.
void GfxSetHotKeySink(std::function<void(uint16_t id)> sink);

// Virtual key codes to the platform's key names (X keysyms, Qt keys); 0 when
// the key has no counterpart.
uint32_t GfxVirtualKeyToKeysym(unsigned vk);
int GfxVirtualKeyToQtKey(unsigned vk);
