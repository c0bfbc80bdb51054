#pragma once
// TGfxGlobalHotKey: a non-visual component that owns a system-wide hot key.
// While it is active and its HotKey is not 0, pressing the combination
// anywhere on the desktop fires OnKeyDown on the main thread.

#include "gfx_component.h"

#include <cstdint>
#include <functional>

// A key shortcut: bits 0 to 12 the virtual key code, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt.
using TShortCut = uint16_t;
enum : uint16_t { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

// TShiftState (Shift, Alt, Ctrl) comes with the component roots.
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;

// Splits a shortcut into its key code and its shift state.
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// The service's modifiers for a shift state (Ctrl 2, Alt 1, Shift 4).
unsigned ShiftStateToModifiers(TShiftState shift);

// Virtual key codes used by the panel.
enum : uint16_t { VK_F1 = 0x70, VK_F12 = 0x7B };

class TGfxGlobalHotKey : public TGfxCustomComponent {
public:
    explicit TGfxGlobalHotKey(QObject* AOwner = nullptr);
    ~TGfxGlobalHotKey() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    TShortCut HotKey() const { return hotKey_; }
    void SetHotKey(TShortCut value);
    TKeyEvent OnKeyDown;

    // The identifier of the platform registration (a per-instance atom).
    uint16_t Identifier() const { return id_; }

    // The hot-key message of this instance's sink: runs OnKeyDown with the
    // current HotKey split into key and shift state. Exceptions from the
    // handler go to the application's error report and stop here.
    void WndProc();

private:
    void registerKey(TShortCut value);

    bool active_ = false;
    uint16_t id_ = 0;
    TShortCut hotKey_ = 0;
};
