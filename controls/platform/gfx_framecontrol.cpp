#include "platform/gfx_framecontrol.h"

#include <algorithm>

namespace {

// The radio glyph, 12 x 12: the outer ring in the button shadow (top and
// left, S) and highlight (bottom and right, H), the inner ring in the 3-D
// dark shadow (D) and 3-D light (L), the interior (W) and the bullet (B).
constexpr int RadioSize = 12;
constexpr const char* RadioPicture[RadioSize] = {
    "....SSSS....",
    "..SSDDDDSS..",
    ".SDDWWWWDDH.",
    ".SDWWWWWWLH.",
    "SDWWWBBWWWLH",
    "SDWWBBBBWWLH",
    "SDWWBBBBWWLH",
    "SDWWWBBWWWLH",
    ".SDWWWWWWLH.",
    ".HLLWWWWLLH.",
    "..HHLLLLHH..",
    "....HHHH....",
};

bool RadioColour(char part, unsigned State, TColor& out)
{
    const bool flat = (State & DFCS_FLAT) != 0;
    const bool face = (State & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    switch (part) {
    case 'S': out = clBtnShadow; return true;
    case 'H': out = flat ? clBtnShadow : clBtnHighlight; return true;
    case 'D': out = flat ? (face ? clBtnFace : clWindow) : cl3DDkShadow; return true;
    case 'L': out = flat ? (face ? clBtnFace : clWindow) : cl3DLight; return true;
    case 'W': out = face ? clBtnFace : clWindow; return true;
    case 'B':
        if (State & DFCS_CHECKED) {
            out = (State & DFCS_INACTIVE) ? clGrayText : clWindowText;
            return true;
        }
        out = face ? clBtnFace : clWindow;
        return true;
    default: return false;  // outside the glyph: left as it is
    }
}

}  // namespace

bool GfxDrawFrameControl(TGfxCanvas& Canvas, const TRect& Rect, unsigned Type, unsigned State)
{
    if (Type != DFC_BUTTON || (State & 0xFF) != DFCS_BUTTONRADIO)
        return false;
    const int square = std::min(Rect.Width(), Rect.Height());
    if (square <= 0)
        return true;
    const int n = square == RadioSize + 1 ? RadioSize : square;
    for (int y = 0; y < n; ++y) {
        const char* row = RadioPicture[y * RadioSize / n];
        for (int x = 0; x < n; ++x) {
            TColor c = clNone;
            if (RadioColour(row[x * RadioSize / n], State, c))
                Canvas.SetPixel(Rect.Left + x, Rect.Top + y, c);
        }
    }
    return true;
}
