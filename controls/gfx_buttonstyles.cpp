#include "gfx_buttonstyles.h"

const std::array<const char*, 3> GfxButtonStyleNames = {"nbsAutoDetect", "nbsWin31", "nbsWin40"};

std::uint32_t GfxTextStyleFlags(int value)
{
    switch (value) {
    case 1: return 1u << 6;
    case 2: return 1u << 7;
    case 3: return 1u << 8;
    default: return 0;
    }
}
