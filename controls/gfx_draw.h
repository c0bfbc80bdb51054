#pragma once
// The library's drawing procedures: bevels, shadow frames and system
// borders, small arrows, bitmaps with their placement modes and
// transparency, gradient fills, and 3-D and rotated caption text. They keep
// no state between calls; they leave the canvas's pen, brush and copy mode
// as they set them, and put back clipping, palette, text colours and font.
//
// Every procedure checks what it reads before use: an empty rectangle or
// bitmap draws nothing, a mask that is not monochrome is refused, and no
// colour, angle, count or size makes one loop without end or divide by
// zero.

#include "gfx_captions.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_types.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Flags of the bitmap-drawing and gradient procedures.
constexpr unsigned gdbClip = 0x0001;         // clip to the destination (moved by the offset point)
constexpr unsigned gdbOffscreen = 0x0004;    // gradient: paint off-screen, then copy
constexpr unsigned gdbCenter = 0x0008;       // bitmap: centre in the destination
constexpr unsigned gdbStretch = 0x0010;      // bitmap: stretch to the destination
constexpr unsigned gdbTile = 0x0020;         // bitmap: tile the destination
constexpr unsigned gdbTransparent = 0x0040;  // bitmap: transparent by colour
constexpr unsigned gdbDrawBitmap = 0x0080;   // bitmap: draw the bitmap object
constexpr unsigned gdbMasked = 0x0100;       // bitmap: transparent through a prepared mask
constexpr unsigned gdbScaleHeight = 0x0200;  // with stretch: scale to the height
constexpr unsigned gdbScaleWidth = 0x0400;   // with stretch: scale to the width (both: fit)
constexpr unsigned gdbPalette = 0x1000;      // select and realise the palette first

enum TGfxBevelStyle : std::uint8_t { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };

enum TGfxBorderStyle : std::uint8_t {
    lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt, lsFrameInset,
    lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered
};

enum TGfxGradientStyle : std::uint8_t {
    gstHorizontal, gstVertical, gstSquare, gstElliptic, gstTopLeft, gstTopRight, gstBottomLeft, gstBottomRight,
    gstTopLeftDiagonal, gstTopRightDiagonal
};

// ------------------------------------------------------------ frames

// Draws the bevel and shrinks the rectangle to its inside; false (nothing
// drawn, rectangle unchanged) for bvNone, bvShadow and widths below 1.
// Raised bevels draw the second colour top-left and the first bottom-right,
// lowered ones the reverse, bvNormal black on both.
bool GfxDrawBevel(TGfxCanvas& canvas, TRect& rect, TGfxBevelStyle style, int width, TColor first, TColor second);
// A drop shadow of depth pixels at the right and bottom and a frame of
// frameWidth rings; the rectangle shrinks to the inside.
bool GfxDrawShadowFrame(TGfxCanvas& canvas, TRect& rect, TColor frameColor, bool background, int frameWidth,
                        int shadowDepth, TColor backgroundColor, TColor shadowColor);
int GfxBorderWidth(TGfxBorderStyle style);
// The standard border from the platform's edges, each call with the extra
// edge flags; the rectangle shrinks by what the edges take.
bool GfxDrawBorder(TGfxCanvas& canvas, TRect& rect, TGfxBorderStyle style, unsigned extraFlags);
// A filled triangle of size 2..15 with its top-left at (x, y); other sizes
// draw nothing. Disabled arrows are embossed in the system colours.
void GfxDrawArrow(TGfxCanvas& canvas, int x, int y, bool enabled, bool down, TColor colour, int size);

// ----------------------------------------------------------- bitmaps

// Sizes the bitmap to the rectangle and fills it with the colour.
void GfxFillBitmapRect(TGfxBitmap& bitmap, const TRect& rect, TColor colour);
// Copies the canvas's area into image and mask; mask becomes the monochrome
// mask of the transparent colour (white where transparent) and image's
// transparent pixels become black.
void GfxPrepareMask(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& mask, TColor transparentColor,
                    TGfxBitmap& image);
// The bitmap-drawing core. The source is the canvas area sourceRect, or the
// bitmap object (gdbDrawBitmap); with gdbMasked the bitmap is the prepared
// monochrome mask of the source canvas's image. Placement by gdbCenter,
// gdbStretch (with gdbScaleWidth / gdbScaleHeight) or gdbTile (always
// clipped to the destination), else the source size at the destination's
// top-left. drawn receives the placed rectangle (the destination when
// tiling or when nothing could be placed; empty when nothing was drawn).
void GfxDrawBitmapEx(TGfxCanvas& canvas, const TRect& dest, TGfxCanvas* source, TRect& drawn, TGfxBitmap* bitmap,
                     const TGfxPalette* palette, TColor transparentColor, unsigned flags, const TRect& sourceRect);
// The core with the bitmap's whole area, palette and canvas (or the bitmap
// object with gdbDrawBitmap).
void GfxDrawBitmapTiled(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TRect& drawn,
                        TColor transparentColor, unsigned flags);
// Runs the drawing clipped to the rectangle when flags has gdbClip, and
// puts the canvas's clipping back afterwards; else runs it as it is.
void GfxDrawClippedBy(TGfxCanvas& canvas, const TRect& rect, unsigned flags, const std::function<void()>& draw);
// The same, clipped to the rectangle when gdbClip is set.
void GfxDrawBitmapClipped(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TRect& drawn,
                          TColor transparentColor, unsigned flags);
// Two passes: the bitmap without its transparent colour onto the work
// bitmap (sized to the bitmap and filled with the background colour first,
// on every call), then the work bitmap onto the canvas without the
// background colour.
void GfxDrawTransparentBitmap(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TColor background,
                              TColor transparentColor, TGfxBitmap& work);

// ---------------------------------------------------------- gradients

// A + (B - A) * position / total per component, rounded; A when total is 0.
TColor GfxBlendColor(TColor a, TColor b, int position, int total);
// Appends the colour steps from A to B: steps colours (steps taken as a
// byte, none for 0) from A to B inclusive; a new list is cleared first and
// starts with A, a continued one leaves A out (it ends the previous
// segment). One step gives A.
void GfxGradientColors(TColor a, TColor b, int steps, bool newList, std::vector<TColor>& list);
// A palette of the colours (no-collapse entries); none for no colours.
std::unique_ptr<TGfxPalette> GfxCreateGradientPalette(const std::vector<TColor>& colours);
// Paints the bands into the rectangle, the first colour at the left
// (horizontal), top (vertical), centre (square, elliptic) or named corner.
// clipOffset moves the clip rectangle of gdbClip. Without gdbClip or
// gdbOffscreen the bands are still kept inside the rectangle.
void GfxGradientFill(TGfxCanvas& canvas, const TRect& rect, TGfxGradientStyle style, const TPoint* clipOffset,
                     unsigned flags, const TGfxPalette* palette, const std::vector<TColor>& bands);

// --------------------------------------------------------------- text

// Draw flags of the caption text procedures.
constexpr unsigned gdfEnabled = 0x0002;     // drawn enabled
constexpr unsigned gdfDisabled3D = 0x0004;  // with dsAuto, a disabled caption is drawn sunken
constexpr unsigned gdfClip = 0x0008;        // clip to the clip rectangle (or the text rectangle)
constexpr unsigned gdfFocusText = 0x0010;   // layout: the focus rectangle around the text
constexpr unsigned gdfFocusBoth = 0x0020;   // layout: the focus rectangle around glyph and text
constexpr unsigned gdfMeasure = 0x0040;     // layout: compute the rectangles, draw nothing

// Caption text with its 3D look. Without a caption object the text is
// drawn plainly with the format; a rotated caption with an angle draws with
// the font's escapement from (left + PosX, top + PosY).
void GfxDrawFxTextEx(TGfxCanvas& canvas, const QString& text, const TGfx3DCaption* caption, const TRect* clip,
                     unsigned drawFlags, unsigned format, const TRect& rect);
// The rectangle the text needs in the font, with its 3D growth and the
// border ((border + 1) * 2 on the right and bottom). A rotated caption gets
// PosX/PosY (notified) that centre the text in the rotated bounds; an
// unrotated one gets position (0, 0) without notification.
void GfxCalcFxTextRect(const TGfxFont& font, TGfx3DCaption* caption, const QString& text, int border, bool prefix,
                       bool wordWrap, unsigned format, TRect& rect);
// GfxCalcFxTextRect on the rectangle less one pixel on the right, placed in
// the rectangle by the alignment.
void GfxAlignFxTextRect(TGfxAlignment alignment, const TGfxFont& font, TGfx3DCaption* caption, const QString& text,
                        TRect& result, int border, bool prefix, bool wordWrap, unsigned format, const TRect& rect);
// The text rectangle's size placed in the rectangle by the nine alignments.
void GfxAlignTextRect(TGfxAlignment alignment, const TRect& rect, const TRect& textRect, TRect& result);
// The height of "W" in the font with the 3D style's growth.
int GfxTextHeight(const TGfx3DCaption* caption, const TGfxFont& font);
bool GfxIsTrueTypeFont(const TGfxFont& font);
bool GfxIsTrueTypeFont(const TGfxCanvas& canvas);

// ------------------------------------------------- glyph and caption

// An arrow beside the caption (or beside the glyph when there is no text).
enum TGfxArrowPosition : std::uint8_t { apNone, apLeft, apRight, apTop, apBottom };
struct TGfxGlyphArrow {
    TGfxArrowPosition Position = apNone;
    int Size = 4;
    int Spacing = 2;
    bool Down = true;
    TColor Color = clBtnText;
};

enum TGfxGlyphTransparency : std::uint8_t { gtOpaque, gtByColor, gtByMask };
// A button's glyph: the cell of the bitmap (the whole bitmap when the cell
// is empty), drawn opaque, without its transparent colour, or through a
// monochrome mask of the bitmap's size.
struct TGfxGlyph {
    TGfxBitmap* Bitmap = nullptr;
    TRect Cell{};
    TGfxGlyphTransparency Transparency = gtOpaque;
    TColor TransparentColor = clNone;
    TGfxBitmap* Mask = nullptr;
};

struct TGfxGlyphTextRects {
    TRect Glyph;
    TRect Text;   // the text with the arrow's room
    TRect Union;  // glyph and text
    TRect Focus;  // by gdfFocusText / gdfFocusBoth, grown by 1; empty otherwise
};

// Lays out the glyph and the caption by the layout's AlignText2Glyph,
// Spacing, Alignment and offsets inside the rectangle and draws them (text
// with GfxDrawFxTextEx in the canvas's font, glyph with GfxDrawBitmapEx,
// arrow with GfxDrawArrow).
void GfxDrawGlyphTextLayout(TGfxCanvas& canvas, TGfxGlyphTextRects& result, unsigned drawFlags,
                            const TGfxGlyphTextLayout& layout, const TGfxGlyph& glyph, const TGfxGlyphArrow& arrow,
                            TGfx3DCaption* caption, const QString& text, unsigned textFormat, const TRect& rect);
