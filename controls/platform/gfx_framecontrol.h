#pragma once
// The platform's drawing of the small state pictures of its standard
// controls (DrawFrameControl). Only what the library draws is here: the
// classic radio-button glyph, in its 3-D or flat look, checked or not,
// active, inactive or pushed.

#include "platform/gfx_canvas.h"

// Frame-control kinds and states.
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
constexpr unsigned DFCS_INACTIVE = 0x0100;  // greyed: face interior, grey bullet
constexpr unsigned DFCS_PUSHED = 0x0200;    // pressed: face interior
constexpr unsigned DFCS_CHECKED = 0x0400;   // the bullet
constexpr unsigned DFCS_FLAT = 0x4000;      // one shadow-coloured ring instead of the 3-D rings

// Draws the control's picture into the rectangle (the largest square at its
// top-left; a 12- or 13-pixel square holds the 12-pixel picture, any other
// size a nearest-pixel scaling of it). False for a kind or style this
// platform layer does not draw.
bool GfxDrawFrameControl(TGfxCanvas& Canvas, const TRect& Rect, unsigned Type, unsigned State);
