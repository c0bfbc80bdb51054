#include "gfx_hotkey_service.h"

#include "gfx_hotkey_platform.h"

#include <QGuiApplication>
#include <QHash>

#include <map>
#include <memory>

namespace {

std::function<void(uint16_t)>& sink()
{
    static std::function<void(uint16_t)> s;
    return s;
}

GfxHotKeyService* installed = nullptr;

struct Atom {
    QString name;
    int uses = 0;
};
std::map<uint16_t, Atom>& atoms()
{
    static std::map<uint16_t, Atom> table;
    return table;
}

}  // namespace

void GfxHotKeyService::Deliver(uint16_t id)
{
    if (sink()) sink()(id);
}

void GfxSetHotKeySink(std::function<void(uint16_t)> s)
{
    sink() = std::move(s);
}

GfxHotKeyService& GfxHotKeys()
{
    if (installed) return *installed;
    static std::unique_ptr<GfxHotKeyService> platform = GfxMakePlatformHotKeyService();
    return *platform;
}

void GfxSetHotKeyService(GfxHotKeyService* service)
{
    installed = service;
}

uint16_t GfxGlobalAddAtom(const QString& name)
{
    auto& t = atoms();
    for (auto& [atom, entry] : t) {
        if (entry.name == name) {
            ++entry.uses;
            return atom;
        }
    }
    for (uint32_t a = 0xC000; a <= 0xFFFF; ++a) {
        if (t.find(uint16_t(a)) == t.end()) {
            t[uint16_t(a)] = Atom{name, 1};
            return uint16_t(a);
        }
    }
    return 0;
}

void GfxGlobalDeleteAtom(uint16_t atom)
{
    auto& t = atoms();
    const auto it = t.find(atom);
    if (it != t.end() && --it->second.uses <= 0) t.erase(it);
}

QString GfxGlobalAtomName(uint16_t atom)
{
    const auto it = atoms().find(atom);
    return it == atoms().end() ? QString() : it->second.name;
}

uint32_t GfxVirtualKeyToKeysym(unsigned vk)
{
    if (vk >= 0x70 && vk <= 0x87) return 0xFFBE + (vk - 0x70);  // F1..F24
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= 0x60 && vk <= 0x69) return 0xFFB0 + (vk - 0x60);  // keypad digits
    switch (vk) {
    case 0x08: return 0xFF08;  // back space
    case 0x09: return 0xFF09;  // tab
    case 0x0D: return 0xFF0D;  // return
    case 0x13: return 0xFF13;  // pause
    case 0x1B: return 0xFF1B;  // escape
    case 0x20: return 0x0020;  // space
    case 0x21: return 0xFF55;  // page up
    case 0x22: return 0xFF56;  // page down
    case 0x23: return 0xFF57;  // end
    case 0x24: return 0xFF50;  // home
    case 0x25: return 0xFF51;  // left
    case 0x26: return 0xFF52;  // up
    case 0x27: return 0xFF53;  // right
    case 0x28: return 0xFF54;  // down
    case 0x2D: return 0xFF63;  // insert
    case 0x2E: return 0xFFFF;  // delete
    default: return 0;
    }
}

int GfxVirtualKeyToQtKey(unsigned vk)
{
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + int(vk - 0x70);
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + int(vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + int(vk - '0');
    if (vk >= 0x60 && vk <= 0x69) return Qt::Key_0 + int(vk - 0x60);
    switch (vk) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0D: return Qt::Key_Return;
    case 0x13: return Qt::Key_Pause;
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x21: return Qt::Key_PageUp;
    case 0x22: return Qt::Key_PageDown;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x25: return Qt::Key_Left;
    case 0x26: return Qt::Key_Up;
    case 0x27: return Qt::Key_Right;
    case 0x28: return Qt::Key_Down;
    case 0x2D: return Qt::Key_Insert;
    case 0x2E: return Qt::Key_Delete;
    default: return 0;
    }
}
