#include "gfx_globalhotkey.h"

#include "gfx_hotkey_service.h"

#include "platform/gfx_exceptions.h"

#include <QDebug>

#include <exception>
#include <map>

namespace {

// The live instances by identifier: the hot-key message of an identifier
// reaches the instance that owns it, as the message window of that
// instance would receive it.
std::map<uint16_t, TGfxGlobalHotKey*>& instances()
{
    static std::map<uint16_t, TGfxGlobalHotKey*> map;
    return map;
}

void deliver(uint16_t id)
{
    const auto it = instances().find(id);
    if (it != instances().end()) it->second->WndProc();
}

}  // namespace

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift)
{
    key = uint16_t(shortCut & ~(scShift | scCtrl | scAlt));
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

unsigned ShiftStateToModifiers(TShiftState shift)
{
    unsigned m = 0;
    if (shift & ssCtrl) m |= GFX_MOD_CONTROL;
    if (shift & ssAlt) m |= GFX_MOD_ALT;
    if (shift & ssShift) m |= GFX_MOD_SHIFT;
    return m;
}

TGfxGlobalHotKey::TGfxGlobalHotKey(QObject* AOwner) : TGfxCustomComponent(AOwner)
{
    GfxSetHotKeySink(deliver);
    // Named after the instance's own address: unique among live instances.
    id_ = GfxGlobalAddAtom(QString::number(quintptr(this)));
    instances()[id_] = this;
    active_ = true;  // nothing is registered yet: HotKey is 0
}

TGfxGlobalHotKey::~TGfxGlobalHotKey()
{
    if (hotKey_ != 0) SetHotKey(0);
    instances().erase(id_);
    GfxGlobalDeleteAtom(id_);
}

void TGfxGlobalHotKey::registerKey(TShortCut value)
{
    uint16_t key = 0;
    TShiftState shift = 0;
    ShortCutToKey(value, key, shift);
    // The result is not examined: a refused combination simply never fires.
    GfxHotKeys().Register(id_, ShiftStateToModifiers(shift), key);
}

void TGfxGlobalHotKey::SetActive(bool value)
{
    if (value == active_) return;
    active_ = value;
    if (IsDesigning()) return;
    if (value) {
        // Without a key there is nothing to grab (a call with key code 0
        // would only ask the platform for a combination that never comes).
        if (hotKey_ != 0) registerKey(hotKey_);
    } else if (hotKey_ != 0) {
        GfxHotKeys().Unregister(id_);
    }
}

void TGfxGlobalHotKey::SetHotKey(TShortCut value)
{
    if (value == hotKey_) return;
    if (!IsDesigning() && active_) {
        if (value != 0)
            registerKey(value);
        else if (hotKey_ != 0)
            GfxHotKeys().Unregister(id_);
    }
    hotKey_ = value;
}

void TGfxGlobalHotKey::WndProc()
{
    if (!OnKeyDown) return;  // swallowed
    uint16_t key = 0;
    TShiftState shift = 0;
    ShortCutToKey(hotKey_, key, shift);
    try {
        OnKeyDown(this, key, shift);
    } catch (...) {
        GfxHandleException();  // reaches the application's error report
    }
}
