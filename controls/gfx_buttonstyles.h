#pragma once
// The native button styles' names and the text-style flags.

#include <array>
#include <cstdint>

extern const std::array<const char*, 3> GfxButtonStyleNames;  // nbsAutoDetect, nbsWin31, nbsWin40

// 1 -> bit 6 (0x40), 2 -> bit 7 (0x80), 3 -> bit 8 (0x100), else no flag.
std::uint32_t GfxTextStyleFlags(int value);
