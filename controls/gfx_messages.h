#pragma once
// The library's private messages between its controls. They travel like
// the platform's messages (GfxMessageEvent): sent, performed or posted.

#include <cstdint>

// A graphic control's Transparent changed (performed on the control itself).
constexpr std::uint32_t GFX_TRANSPARENTCHANGED = 0xB0CD;
// What a control shows behind its children changed: windowed controls send
// it to their children when they are sized or moved and when their
// background changes.
constexpr std::uint32_t GFX_PARENTBKGNDCHANGED = 0xB0CE;
// A windowed control gained or lost the focus: posted to the control itself,
// so the focus events fire after the focus has finished moving.
constexpr std::uint32_t GFX_FOCUSGAINED = 0xB0CF;
constexpr std::uint32_t GFX_FOCUSLOST = 0xB0D0;
// A bevel was assigned (nothing handles it: the bevel's own change repaints).
constexpr std::uint32_t GFX_BEVELCHANGED = 0xB0D1;
// Asks a transparent windowed control to tell its children that their
// background changed (no sender in the library).
constexpr std::uint32_t GFX_NOTIFYCHILDBKGND = 0xB0D4;
// The theme changed. WParam names the theme change (see GfxNewThemeWave in
// widgets/gfx_controlmodel.h), so that a control that hears of one change
// by several roads reacts once.
constexpr std::uint32_t GFX_THEMECHANGED = 0xB0D6;
