#include "gfx_draw.h"

#include "gfx_application.h"
#include "gfx_geometry.h"
#include "platform/gfx_platform.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

TRect UnionRect(const TRect& a, const TRect& b)
{
    if (IsEmptyRect(a))
        return b;
    if (IsEmptyRect(b))
        return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

// Selects and realises a palette for the scope, then puts back the old one.
class PaletteScope {
public:
    PaletteScope(TGfxCanvas& canvas, const TGfxPalette* palette, bool on) : canvas_(canvas), on_(on && palette)
    {
        if (on_) {
            old_ = canvas_.SelectPalette(palette, false);
            canvas_.RealizePalette();
        }
    }
    ~PaletteScope()
    {
        if (on_)
            canvas_.SelectPalette(old_, false);
    }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    TGfxCanvas& canvas_;
    bool on_;
    const TGfxPalette* old_ = nullptr;
};

// The palette flag stays only when the application allows it on this display.
unsigned EffectiveFlags(unsigned flags)
{
    const bool restricted = GfxApplication && (GfxApplication->Options & 1) != 0;
    if ((flags & gdbPalette) && restricted && GfxPlatformColorDepth() < 9)
        flags &= ~gdbPalette;
    return flags;
}

}  // namespace

// ------------------------------------------------------------------ frames

bool GfxDrawBevel(TGfxCanvas& canvas, TRect& rect, TGfxBevelStyle style, int width, TColor first, TColor second)
{
    if (style == bvNone || style == bvShadow || width < 1)
        return false;
    width = std::min(width, 0xFFFF);  // beyond any rectangle of 16-bit coordinates
    TColor topLeft = first;
    TColor bottomRight = second;
    if (style == bvRaised || style == bvFrameRaised) {
        topLeft = second;
        bottomRight = first;
    } else if (style == bvNormal) {
        topLeft = bottomRight = clBlack;
    }
    const TRect r = rect;
    if (style == bvFrameLowered || style == bvFrameRaised) {
        canvas.Brush.SetStyle(bsSolid);
        // Past the rectangle's smaller side every further frame is empty.
        const int frames = std::min(width, std::max(0, std::min(r.Width(), r.Height())));
        for (int k = 0; k < frames; ++k) {
            canvas.Brush.SetColor(topLeft);
            canvas.FrameRect(TRect{r.Left + k + 1, r.Top + k + 1, r.Right, r.Bottom});
            canvas.Brush.SetColor(bottomRight);
            canvas.FrameRect(TRect{r.Left, r.Top, r.Right - k - 1, r.Bottom - k - 1});
        }
        InflateRect(rect, -(width + 1), -(width + 1));
        return true;
    }
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom, w = width;
    if (w == 1) {
        canvas.Pen.SetStyle(psSolid);
        canvas.Pen.SetWidth(1);
        canvas.Pen.SetColor(topLeft);
        const std::array<TPoint, 3> upper = {TPoint{L, B - 1}, TPoint{L, T}, TPoint{R - 1, T}};
        canvas.Polyline(upper);
        canvas.Pen.SetColor(bottomRight);
        const std::array<TPoint, 3> lower = {TPoint{R - 1, T}, TPoint{R - 1, B - 1}, TPoint{L, B - 1}};
        canvas.Polyline(lower);
        rect = TRect{L + 1, T + 1, R - 1, B - 1};
        return true;
    }
    canvas.Pen.SetStyle(psClear);
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(bottomRight);
    const std::array<TPoint, 6> lower = {TPoint{L, B},         TPoint{L + w, B - 1 - w}, TPoint{R - w, B - 1 - w},
                                         TPoint{R - w, T + w}, TPoint{R, T},             TPoint{R, B}};
    canvas.Polygon(lower);
    canvas.Brush.SetColor(topLeft);
    const std::array<TPoint, 6> upper = {TPoint{L, B - 1},         TPoint{L + w, B - 1 - w}, TPoint{L + w, T + w},
                                         TPoint{R - w - 1, T + w}, TPoint{R - 1, T},         TPoint{L, T}};
    canvas.Polygon(upper);
    rect = TRect{L + w, T + w, R - w, B - w};
    return true;
}

bool GfxDrawShadowFrame(TGfxCanvas& canvas, TRect& rect, TColor frameColor, bool background, int frameWidth,
                        int shadowDepth, TColor backgroundColor, TColor shadowColor)
{
    const int d = std::max(shadowDepth, 0);
    const TRect r = rect;
    canvas.Brush.SetStyle(bsSolid);
    canvas.Pen.SetStyle(psClear);
    if (d > 0) {
        canvas.Brush.SetColor(shadowColor);
        canvas.FillRect(TRect{r.Right - d, r.Top + d, r.Right, r.Bottom});
        canvas.FillRect(TRect{r.Left + d, r.Bottom - d, r.Right, r.Bottom});
        if (!background) {
            canvas.Brush.SetColor(backgroundColor);
            canvas.FillRect(TRect{r.Right - d, r.Top, r.Right, r.Top + d});
            canvas.FillRect(TRect{r.Left, r.Bottom - d, r.Left + d, r.Bottom});
        }
    }
    rect = TRect{r.Left, r.Top, r.Right - d, r.Bottom - d};
    canvas.Brush.SetColor(frameColor);
    for (int i = 0; i < frameWidth && !IsEmptyRect(rect); ++i) {
        canvas.FrameRect(rect);
        InflateRect(rect, -1, -1);
    }
    return true;
}

int GfxBorderWidth(TGfxBorderStyle style)
{
    switch (style) {
    case lsNone: return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered: return 1;
    default: return 2;
    }
}

bool GfxDrawBorder(TGfxCanvas& canvas, TRect& rect, TGfxBorderStyle style, unsigned extraFlags)
{
    const unsigned R = BF_RECT | BF_ADJUST | extraFlags;
    const unsigned RS = R | BF_SOFT;
    auto edge = [&](unsigned e, unsigned f) { canvas.DrawEdge(rect, e, f | extraFlags); };
    switch (style) {
    case lsNone: break;
    case lsSingle:
        edge(BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | BF_ADJUST);
        edge(BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        break;
    case lsLowered: edge(EDGE_SUNKEN, RS); break;
    case lsRaised: edge(EDGE_RAISED, RS); break;
    case lsRaisedspb:
    case lsRaisedExt:
        edge(BDR_RAISEDOUTER, RS);
        edge(BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
        if (style == lsRaisedExt) {
            --rect.Left;
            --rect.Top;
        }
        break;
    case lsLoweredspb:
    case lsLoweredExt:
        edge(BDR_SUNKENOUTER, R);
        edge(BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
        if (style == lsLoweredExt) {
            --rect.Right;
            --rect.Bottom;
        }
        break;
    case lsFrameInset: edge(EDGE_ETCHED, R); break;
    case lsFrameOffset:
        edge(BDR_RAISEDINNER, R);
        edge(BDR_SUNKENOUTER, R);
        break;
    case lsWindowBorder:
        edge(BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST);
        --rect.Left;
        --rect.Top;
        edge(BDR_RAISEDINNER, R);
        break;
    case lsSingleRaised: edge(BDR_RAISEDINNER, R); break;
    case lsSingleLowered: edge(BDR_SUNKENOUTER, R); break;
    case lsDoubleRaised:
        edge(BDR_RAISEDINNER, R);
        edge(BDR_RAISEDINNER, R);
        break;
    case lsDoubleLowered:
        edge(BDR_SUNKENOUTER, R);
        edge(BDR_SUNKENOUTER, R);
        break;
    }
    return true;
}

void GfxDrawArrow(TGfxCanvas& canvas, int x, int y, bool enabled, bool down, TColor colour, int size)
{
    if (size < 2 || size > 15)
        return;
    canvas.Pen.SetStyle(psSolid);
    canvas.Pen.SetWidth(1);
    auto arrow = [&](int ax, int ay, TColor c) {
        canvas.Pen.SetColor(c);
        if (down) {
            for (int i = 0; i <= size - 2; ++i) {
                canvas.MoveTo(ax + i, ay + i);
                canvas.LineTo(ax + i + 2 * (size - i) - 1, ay + i);
            }
            canvas.SetPixel(ax + size - 1, ay + size - 1, c);
        } else {
            const int h = size / 2;
            for (int i = 0; i <= size - 1; ++i) {
                canvas.MoveTo(ax + h - i, ay + i);
                canvas.LineTo(ax + h + i + 1, ay + i);
            }
        }
    };
    if (!enabled) {
        arrow(x + 1, y + 1, clHighlightText);
        arrow(x, y, clGrayText);
    } else {
        arrow(x, y, colour);
    }
}

// ----------------------------------------------------------------- bitmaps

void GfxFillBitmapRect(TGfxBitmap& bitmap, const TRect& rect, TColor colour)
{
    const int w = std::max(rect.Width(), 0);
    const int h = std::max(rect.Height(), 0);
    bitmap.SetSize(w, h);
    if (bitmap.Empty())
        return;
    TGfxCanvas& c = bitmap.Canvas();
    c.Brush.SetStyle(bsSolid);
    c.Brush.SetColor(colour);
    c.FillRect(TRect{0, 0, w, h});
}

void GfxPrepareMask(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& mask, TColor transparentColor,
                    TGfxBitmap& image)
{
    const int w = std::max(rect.Width(), 0);
    const int h = std::max(rect.Height(), 0);
    // Both start as colour bitmaps, so the copies keep every colour.
    image.SetPixelFormat(pfDevice);
    mask.SetPixelFormat(pfDevice);
    image.SetSize(w, h);
    mask.SetSize(w, h);
    if (image.Empty())
        return;
    const TRect all{0, 0, w, h};
    image.Canvas().CopyMode = cmSrcCopy;
    image.Canvas().CopyRect(all, canvas, rect);
    mask.Canvas().CopyMode = cmSrcCopy;
    mask.Canvas().CopyRect(all, canvas, rect);
    mask.Mask(transparentColor);
    TGfxCanvas& ic = image.Canvas();
    const TColor bk = ic.SetBkColor(clBlack);
    const TColor text = ic.SetTextColor(clWhite);
    ic.CopyMode = cmSrcAnd;
    ic.CopyRect(all, mask.Canvas(), all);
    ic.CopyMode = cmSrcCopy;
    ic.SetBkColor(bk);
    ic.SetTextColor(text);
}

namespace {

// The masked copy: "and" with the mask (white keeps the destination), then
// "paint" with the image whose transparent pixels are black.
void MaskedCopy(TGfxCanvas& canvas, const TRect& placed, TGfxCanvas& mask, TGfxCanvas& image,
                const TRect& sourceRect)
{
    const TColor bk = canvas.SetBkColor(clWhite);
    const TColor text = canvas.SetTextColor(clBlack);
    const TGfxCopyMode mode = canvas.CopyMode;
    canvas.CopyMode = cmSrcAnd;
    canvas.CopyRect(placed, mask, sourceRect);
    canvas.CopyMode = cmSrcPaint;
    canvas.CopyRect(placed, image, sourceRect);
    canvas.CopyMode = mode;
    canvas.SetBkColor(bk);
    canvas.SetTextColor(text);
}

void PlainCopy(TGfxCanvas& canvas, const TRect& placed, TGfxCanvas& source, const TRect& sourceRect)
{
    const TGfxCopyMode mode = std::exchange(canvas.CopyMode, cmSrcCopy);
    canvas.CopyRect(placed, source, sourceRect);
    canvas.CopyMode = mode;
}

// A bitmap of the size filled with the repeated pixels of the area, the
// first copy at the top-left.
void TileInto(TGfxBitmap& target, int w, int h, TGfxCanvas& source, const TRect& area, bool monochrome)
{
    TGfxBitmap one(area.Width(), area.Height());
    one.Canvas().SetTextColor(clBlack);  // a monochrome source stays black and white
    one.Canvas().SetBkColor(clWhite);
    one.Canvas().CopyRect(TRect{0, 0, area.Width(), area.Height()}, source, area);
    target.SetPixelFormat(pfDevice);
    target.SetSize(w, h);
    QPainter* p = target.Canvas().Painter();
    if (!p)
        return;
    p->fillRect(QRect(0, 0, w, h), QBrush(one.ToImage()));
    target.Canvas().Release();
    if (monochrome)
        target.SetMonochrome(true);
}

}  // namespace

void GfxDrawBitmapEx(TGfxCanvas& canvas, const TRect& dest, TGfxCanvas* source, TRect& drawn, TGfxBitmap* bitmap,
                     const TGfxPalette* palette, TColor transparentColor, unsigned flags, const TRect& sourceRect)
{
    drawn = TRect{};
    if (IsEmptyRect(dest))
        return;
    flags = EffectiveFlags(flags);
    const int dW = dest.Width(), dH = dest.Height();
    const int sW = sourceRect.Width(), sH = sourceRect.Height();

    // What is drawn: the bitmap object, a mask and its image, or a canvas.
    const bool drawObject = (flags & gdbDrawBitmap) && bitmap;
    const bool masked = !drawObject && (flags & gdbMasked) && bitmap;
    TGfxCanvas* from = source ? source : (bitmap && !masked ? &bitmap->Canvas() : nullptr);
    if (drawObject)
        from = &bitmap->Canvas();
    if (!from || sW <= 0 || sH <= 0)
        return;
    if (masked && !bitmap->Monochrome())
        return;  // a mask must be monochrome

    PaletteScope paletteScope(canvas, palette, (flags & gdbPalette) != 0);

    // The tiles are one picture of the destination's size, so tiling never
    // paints outside the destination.
    if ((flags & gdbTile) && !(flags & (gdbCenter | gdbStretch))) {
        TGfxBitmap tiles;
        TileInto(tiles, dW, dH, *from, sourceRect, false);
        const TRect all{0, 0, dW, dH};
        if (masked) {
            TGfxBitmap maskTiles;
            TileInto(maskTiles, dW, dH, bitmap->Canvas(), sourceRect, true);
            MaskedCopy(canvas, dest, maskTiles.Canvas(), tiles.Canvas(), all);
        } else if (flags & gdbTransparent) {
            TGfxBitmap mask, image;
            GfxPrepareMask(tiles.Canvas(), all, mask, transparentColor, image);
            MaskedCopy(canvas, dest, mask.Canvas(), image.Canvas(), all);
        } else {
            PlainCopy(canvas, dest, tiles.Canvas(), all);
        }
        drawn = dest;
        return;
    }

    TRect placed{dest.Left, dest.Top, dest.Left + sW, dest.Top + sH};
    if (flags & gdbCenter) {
        placed = TRect{dest.Left + (dW - sW) / 2, dest.Top + (dH - sH) / 2, 0, 0};
        placed.Right = placed.Left + sW;
        placed.Bottom = placed.Top + sH;
    } else if (flags & gdbStretch) {
        canvas.SetStretchBltMode(COLORONCOLOR);
        const unsigned scale = flags & (gdbScaleWidth | gdbScaleHeight);
        if (scale == (gdbScaleWidth | gdbScaleHeight))
            GfxScaleRectToFit(sourceRect, dest, placed);
        else if (scale == gdbScaleWidth)
            placed = TRect{dest.Left, dest.Top, dest.Left + dW,
                           dest.Top + GfxRoundExt(static_cast<long double>(sH) * dW / sW)};
        else if (scale == gdbScaleHeight)
            placed = TRect{dest.Left, dest.Top, dest.Left + GfxRoundExt(static_cast<long double>(sW) * dH / sH),
                           dest.Top + dH};
        else
            placed = dest;
    }
    drawn = IsEmptyRect(placed) ? dest : placed;
    if (IsEmptyRect(placed))
        return;

    if (drawObject) {
        PlainCopy(canvas, placed, bitmap->Canvas(), sourceRect);
    } else if (masked) {
        MaskedCopy(canvas, placed, bitmap->Canvas(), *from, sourceRect);
    } else if (flags & gdbTransparent) {
        TGfxBitmap mask, image;
        GfxPrepareMask(*from, sourceRect, mask, transparentColor, image);
        MaskedCopy(canvas, placed, mask.Canvas(), image.Canvas(), TRect{0, 0, sW, sH});
    } else {
        PlainCopy(canvas, placed, *from, sourceRect);
    }
}

void GfxDrawBitmapTiled(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TRect& drawn,
                        TColor transparentColor, unsigned flags)
{
    drawn = TRect{};
    if (bitmap.Empty())
        return;
    const TGfxPalette palette = bitmap.Palette();
    const TGfxPalette* p = palette.Entries.empty() ? nullptr : &palette;
    const TRect all{0, 0, bitmap.Width(), bitmap.Height()};
    if (flags & gdbDrawBitmap)
        GfxDrawBitmapEx(canvas, rect, nullptr, drawn, &bitmap, p, transparentColor, flags, all);
    else
        GfxDrawBitmapEx(canvas, rect, &bitmap.Canvas(), drawn, nullptr, p, transparentColor, flags, all);
}

void GfxDrawClippedBy(TGfxCanvas& canvas, const TRect& rect, unsigned flags, const std::function<void()>& draw)
{
    if (!(flags & gdbClip)) {
        draw();
        return;
    }
    TGfxClipScope clip(canvas);
    canvas.IntersectClipRect(rect);
    draw();
}

void GfxDrawBitmapClipped(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TRect& drawn,
                          TColor transparentColor, unsigned flags)
{
    GfxDrawClippedBy(canvas, rect, flags,
                     [&] { GfxDrawBitmapTiled(canvas, rect, bitmap, drawn, transparentColor, flags); });
}

void GfxDrawTransparentBitmap(TGfxCanvas& canvas, const TRect& rect, TGfxBitmap& bitmap, TColor background,
                              TColor transparentColor, TGfxBitmap& work)
{
    if (bitmap.Empty() || IsEmptyRect(rect))
        return;
    const TRect all{0, 0, bitmap.Width(), bitmap.Height()};
    // Cleared on every call: a work bitmap kept from an earlier picture of
    // the same size would show that picture wherever this one is
    // transparent.
    GfxFillBitmapRect(work, all, background);
    TGfxBitmap mask(bitmap.Width(), bitmap.Height());
    TGfxBitmap image;
    GfxPrepareMask(bitmap.Canvas(), all, mask, transparentColor, image);
    TRect drawn;
    GfxDrawBitmapEx(work.Canvas(), all, &image.Canvas(), drawn, &mask, nullptr, transparentColor, gdbMasked, all);
    GfxDrawBitmapEx(canvas, rect, &work.Canvas(), drawn, nullptr, nullptr, background, gdbPalette | gdbTransparent,
                    all);
}

// --------------------------------------------------------------- gradients

TColor GfxBlendColor(TColor a, TColor b, int position, int total)
{
    a = GfxColorToRGB(a);
    b = GfxColorToRGB(b);
    if (total == 0)
        return a & 0xFFFFFF;
    auto mix = [&](unsigned ca, unsigned cb) {
        const int v = static_cast<int>(ca) +
                      GfxRound((static_cast<double>(cb) - static_cast<double>(ca)) * position / total);
        return static_cast<unsigned>(std::clamp(v, 0, 255));
    };
    return GfxRGB(mix(GfxGetRValue(a), GfxGetRValue(b)), mix(GfxGetGValue(a), GfxGetGValue(b)),
                  mix(GfxGetBValue(a), GfxGetBValue(b)));
}

void GfxGradientColors(TColor a, TColor b, int steps, bool newList, std::vector<TColor>& list)
{
    const int n = steps & 0xFF;
    if (newList)
        list.clear();
    if (n == 0)
        return;
    a = GfxColorToRGB(a);
    b = GfxColorToRGB(b);
    auto step = [&](unsigned ca, unsigned cb, int k) {
        // One step has no second colour to go to: it is A itself.
        const int delta = n == 1 ? 0 : MulDiv(static_cast<int>(cb) - static_cast<int>(ca), k, n - 1);
        return static_cast<unsigned>(static_cast<int>(ca) + delta) & 0xFF;
    };
    for (int k = newList ? 0 : 1; k < n; ++k)
        list.push_back(GfxRGB(step(GfxGetRValue(a), GfxGetRValue(b), k), step(GfxGetGValue(a), GfxGetGValue(b), k),
                              step(GfxGetBValue(a), GfxGetBValue(b), k)));
}

std::unique_ptr<TGfxPalette> GfxCreateGradientPalette(const std::vector<TColor>& colours)
{
    if (colours.empty())
        return nullptr;
    auto palette = std::make_unique<TGfxPalette>();
    palette->Version = 0x300;
    for (TColor c : colours) {
        const TColor rgb = GfxColorToRGB(c);
        palette->Entries.push_back(TGfxPaletteEntry{static_cast<std::uint8_t>(GfxGetRValue(rgb)),
                                                    static_cast<std::uint8_t>(GfxGetGValue(rgb)),
                                                    static_cast<std::uint8_t>(GfxGetBValue(rgb)), PC_NOCOLLAPSE});
    }
    return palette;
}

void GfxGradientFill(TGfxCanvas& canvas, const TRect& rect, TGfxGradientStyle style, const TPoint* clipOffset,
                     unsigned flags, const TGfxPalette* palette, const std::vector<TColor>& bands)
{
    if (bands.empty() || IsEmptyRect(rect))
        return;
    flags = EffectiveFlags(flags);
    const int W = rect.Width(), H = rect.Height();
    const int N = static_cast<int>(std::min<std::size_t>(bands.size(), 0x7FFF));
    const bool offscreen = (flags & gdbOffscreen) != 0;
    const bool usePalette = (flags & gdbPalette) && palette;

    TRect R;
    switch (style) {
    case gstHorizontal:
    case gstVertical: R = TRect{0, 0, W, H}; break;
    case gstSquare:
    case gstElliptic: R = TRect{W / 2, H / 2, W / 2, H / 2}; break;
    case gstTopLeft:
    case gstTopLeftDiagonal: R = TRect{0, 0, 1, 1}; break;
    case gstTopRight: R = TRect{W, 1, W + 1, 0}; break;
    case gstBottomLeft: R = TRect{1, H, 0, H + 1}; break;
    case gstBottomRight: R = TRect{W, H, W + 1, H + 1}; break;
    case gstTopRightDiagonal: R = TRect{W, 0, W + 1, 0}; break;
    }

    std::optional<TGfxBitmap> buffer;
    TGfxCanvas* target = &canvas;
    std::optional<TGfxClipScope> clip;
    if (offscreen) {
        buffer.emplace(W, H);
        target = &buffer->Canvas();
    } else {
        GfxOffsetRect(R, rect.Left, rect.Top);
        // With the clip flag the (moved) rectangle clips; without it the
        // bands still stay inside the rectangle, which the elliptic,
        // diagonal and corner bands would otherwise overrun.
        TRect clipRect = rect;
        if ((flags & gdbClip) && clipOffset)
            GfxOffsetRect(clipRect, clipOffset->X, clipOffset->Y);
        clip.emplace(canvas);
        canvas.IntersectClipRect(clipRect);
    }
    PaletteScope paletteScope(*target, palette, usePalette);
    auto colour = [&](int i) {
        const TColor rgb = GfxColorToRGB(bands[static_cast<std::size_t>(i)]);
        return usePalette ? GfxPaletteRGB(GfxGetRValue(rgb), GfxGetGValue(rgb), GfxGetBValue(rgb)) : rgb;
    };
    TGfxCanvas& c = *target;
    c.Brush.SetStyle(bsSolid);
    c.Pen.SetStyle(psClear);

    if (style == gstHorizontal) {
        for (int i = 0; i < N; ++i) {
            c.Brush.SetColor(colour(i));
            c.FillRect(TRect{R.Left + MulDiv(i, W, N), R.Top, R.Left + MulDiv(i + 1, W, N), R.Bottom});
        }
    } else {
        for (int i = N - 1; i >= 0; --i) {
            int w = MulDiv(i + 1, W, N);
            int h = MulDiv(i + 1, H, N);
            c.Brush.SetColor(colour(i));
            switch (style) {
            case gstVertical:
                c.FillRect(TRect{R.Left, R.Top + MulDiv(i, H, N), R.Right, R.Top + MulDiv(i + 1, H, N)});
                break;
            case gstSquare:
                c.Rectangle(TRect{R.Left - w / 2, R.Top - h / 2, R.Left + w / 2 + 2, R.Top + h / 2 + 2});
                break;
            case gstElliptic: {
                const int a = GfxRound(w / 1.4);
                const int b = GfxRound(h / 1.4);
                c.Ellipse(TRect{R.Left - a, R.Top - b, R.Left + a, R.Top + b});
                break;
            }
            case gstTopLeft: c.Rectangle(TRect{R.Left, R.Top, R.Right + w, R.Bottom + h}); break;
            case gstTopRight: c.Rectangle(TRect{R.Left - w, R.Top + h, R.Right, R.Bottom}); break;
            case gstBottomLeft: c.Rectangle(TRect{R.Left + w, R.Top - h, R.Right, R.Bottom}); break;
            case gstBottomRight: c.Rectangle(TRect{R.Left - w, R.Top - h, R.Right, R.Bottom}); break;
            case gstTopLeftDiagonal: {
                w *= 2;
                h *= 2;
                const std::array<TPoint, 4> band = {TPoint{R.Left, R.Top}, TPoint{R.Left + w, R.Top},
                                                    TPoint{R.Left, R.Bottom + h}, TPoint{R.Left - w, R.Bottom + h}};
                c.Polygon(band);
                break;
            }
            case gstTopRightDiagonal: {
                w *= 2;
                h *= 2;
                const std::array<TPoint, 4> band = {TPoint{R.Right, R.Top}, TPoint{R.Right - w, R.Top},
                                                    TPoint{R.Right, R.Bottom + h}, TPoint{R.Right + w, R.Bottom + h}};
                c.Polygon(band);
                break;
            }
            case gstHorizontal: break;
            }
        }
    }
    if (offscreen) {
        PaletteScope onTarget(canvas, palette, usePalette);
        canvas.Draw(rect.Left, rect.Top, *buffer);
    }
}

// -------------------------------------------------------------------- text

namespace {

struct Copy {
    int dx;
    int dy;
    TColor colour;
};

// How much the 3D look grows the text's rectangle on the right and bottom.
int LookGrowth(const TGfx3DCaption* caption)
{
    if (!caption)
        return 0;
    const int L = caption->LightDepth();
    const int S = caption->ShadowDepth();
    switch (caption->Style()) {
    case tdSunken:
    case tdRaised: return L;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised: return L + S;
    case tdShadow:
    case tdOutline:
    case tdExtrude:
    case tdExtrudeEnh: return S;
    default: return 0;
    }
}

const TGfxFxCaption* Rotated(const TGfx3DCaption* caption)
{
    const auto* fx = dynamic_cast<const TGfxFxCaption*>(caption);
    return fx && fx->Angle() != 0 ? fx : nullptr;
}

}  // namespace

void GfxDrawFxTextEx(TGfxCanvas& canvas, const QString& text, const TGfx3DCaption* caption, const TRect* clip,
                     unsigned drawFlags, unsigned format, const TRect& rect)
{
    if (text.isEmpty() || IsEmptyRect(rect))
        return;
    if (!caption) {
        TRect r = rect;
        canvas.DrawText(text, r, format);
        return;
    }
    const TGfxFxCaption* rotated = Rotated(caption);
    TGfxThreeDStyle style = caption->Style();
    const TColor fontColour = canvas.Font.Color();
    TColor face = fontColour;
    if ((drawFlags & gdfEnabled) || caption->DisabledStyle() == dsNone) {
        if (style == tdPColorSunken || style == tdPColorRaised)
            face = canvas.Brush.Color();
    } else {
        face = clGrayText;
        if (caption->DisabledStyle() == ds3d || (caption->DisabledStyle() == dsAuto && (drawFlags & gdfDisabled3D)))
            style = tdSunken;
    }
    const int L = caption->LightDepth();
    const int S = caption->ShadowDepth();
    const TColor light = caption->LightColor();
    const TColor shadow = caption->ShadowColor();

    std::vector<Copy> copies;
    switch (style) {
    case tdSunken: copies = {{L, L, light}, {0, 0, face}}; break;
    case tdRaised: copies = {{0, 0, light}, {L, L, face}}; break;
    case tdSunkenShadow:
    case tdPColorSunken: copies = {{0, 0, shadow}, {L + S, L + S, light}, {S, S, face}}; break;
    case tdRaisedShadow:
    case tdPColorRaised: copies = {{L + S, L + S, shadow}, {0, 0, light}, {L, L, face}}; break;
    case tdShadow: copies = {{S, S, shadow}, {0, 0, face}}; break;
    case tdExtrude:
    case tdExtrudeEnh: {
        TPoint at{0, 0}, step{1, 1};
        switch (caption->Orientation()) {
        case toBottomLeft: at = {0, S + 1}, step = {1, -1}; break;
        case toBottomRight: at = {S + 1, S + 1}, step = {-1, -1}; break;
        case toTopLeft: at = {0, 0}, step = {1, 1}; break;
        case toTopRight: at = {S + 1, 0}, step = {-1, 1}; break;
        }
        for (int j = S; j >= 1; --j) {
            const TColor c = style == tdExtrude ? shadow : GfxBlendColor(shadow, light, j - 1, S);
            copies.push_back({at.X, at.Y, c});
            at.X += step.X;
            at.Y += step.Y;
        }
        copies.push_back({at.X, at.Y, face});
        break;
    }
    case tdOutline:
    case tdNone:
    default: copies = {{0, 0, face}}; break;
    }
    int largest = 0;
    for (const Copy& c : copies)
        largest = std::max(largest, c.dx);
    if (style == tdOutline)
        largest = S / 2;

    const int oldMode = canvas.SetBkMode(TRANSPARENT);
    canvas.SetTextCharacterExtra(caption->Tracing());
    const int oldEscapement = canvas.Font.Escapement();
    const unsigned oldAlign = canvas.TextAlign();
    if (rotated) {
        canvas.Font.SetEscapement(rotated->Angle() * 10);
        canvas.SetTextAlign(TA_LEFT | TA_TOP);
    }
    std::optional<TGfxClipScope> clipScope;
    if (drawFlags & gdfClip) {
        clipScope.emplace(canvas);
        canvas.IntersectClipRect(clip ? *clip : rect);
    }
    auto draw = [&](int dx, int dy) {
        if (rotated) {
            canvas.ExtTextOut(rect.Left + rotated->PosX() + dx, rect.Top + rotated->PosY() + dy, 0, nullptr, text);
        } else {
            TRect r = rect;
            r.Right -= largest;
            GfxOffsetRect(r, dx, dy);
            canvas.DrawText(text, r, format);
        }
    };
    if (style == tdOutline) {
        canvas.BeginPath();
        draw(S / 2, S / 2);
        canvas.EndPath();
        canvas.Pen.SetStyle(psSolid);
        canvas.Pen.SetMode(pmCopy);
        canvas.Pen.SetWidth(S);
        canvas.Pen.SetColor(face);
        canvas.StrokePath();
    } else {
        for (const Copy& c : copies) {
            canvas.Font.SetColor(c.colour);
            draw(c.dx, c.dy);
        }
    }
    clipScope.reset();
    canvas.Font.SetColor(fontColour);
    canvas.Font.SetEscapement(oldEscapement);
    canvas.SetTextAlign(oldAlign);
    canvas.SetTextCharacterExtra(0);
    canvas.SetBkMode(oldMode);
}

void GfxCalcFxTextRect(const TGfxFont& font, TGfx3DCaption* caption, const QString& text, int border, bool prefix,
                       bool wordWrap, unsigned format, TRect& rect)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas c(&scratch);
    c.Font.Assign(font);
    c.Font.SetEscapement(0);
    c.SetTextCharacterExtra(caption ? caption->Tracing() : 0);
    const int grow = LookGrowth(caption);
    const QString measured = text.isEmpty() ? QStringLiteral(" ") : text;
    auto* fx = dynamic_cast<TGfxFxCaption*>(caption);
    if (!fx || fx->Angle() == 0) {
        if (fx)
            fx->SetPos(0, 0);
        unsigned flags = format | DT_CALCRECT | DT_EXPANDTABS;
        if (wordWrap)
            flags |= DT_WORDBREAK;
        if (!prefix)
            flags |= DT_NOPREFIX;
        c.DrawText(measured, rect, flags);
        rect.Right += grow;
        rect.Bottom += grow;
    } else {
        const TGfxSize extent = c.TextExtent(measured);
        const int bw = extent.cx + grow;
        const int bh = extent.cy + grow;
        TRect bounds{0, 0, bw, bh};
        GfxRotatedRectBounds(bounds, fx->Angle());
        // The text's top-left corner such that the middle of the rotated
        // text lies in the middle of its bounds (the escapement turns
        // counter-clockwise on screen).
        const long double a = fx->Angle() * std::numbers::pi_v<long double> / 180.0L;
        const long double mx = bw / 2.0L * std::cos(a) + bh / 2.0L * std::sin(a);
        const long double my = -bw / 2.0L * std::sin(a) + bh / 2.0L * std::cos(a);
        const int px = GfxRoundExt(bounds.Width() / 2.0L - mx);
        const int py = GfxRoundExt(bounds.Height() / 2.0L - my);
        fx->SetPosX(static_cast<std::uint16_t>(std::clamp(px, 0, 0xFFFF)));
        fx->SetPosY(static_cast<std::uint16_t>(std::clamp(py, 0, 0xFFFF)));
        rect = TRect{rect.Left, rect.Top, rect.Left + bounds.Width(), rect.Top + bounds.Height()};
    }
    rect.Right += (border + 1) * 2;
    rect.Bottom += (border + 1) * 2;
}

void GfxAlignFxTextRect(TGfxAlignment alignment, const TGfxFont& font, TGfx3DCaption* caption, const QString& text,
                        TRect& result, int border, bool prefix, bool wordWrap, unsigned format, const TRect& rect)
{
    TRect needed = rect;
    needed.Right -= 1;
    GfxCalcFxTextRect(font, caption, text, border, prefix, wordWrap, format, needed);
    GfxAlignTextRect(alignment, rect, needed, result);
}

void GfxAlignTextRect(TGfxAlignment alignment, const TRect& rect, const TRect& textRect, TRect& result)
{
    const int tw = textRect.Width();
    const int th = textRect.Height();
    int x = rect.Left;
    int y = rect.Top;
    switch (alignment % 3) {
    case 1: x = rect.Left + (rect.Width() - tw) / 2; break;
    case 2: x = rect.Right - tw; break;
    default: break;
    }
    switch (alignment / 3) {
    case 1: y = rect.Top + (rect.Height() - th) / 2; break;
    case 2: y = rect.Bottom - th; break;
    default: break;
    }
    result = TRect{x, y, x + tw, y + th};
}

int GfxTextHeight(const TGfx3DCaption* caption, const TGfxFont& font)
{
    // A canvas's text height is its font's ascent plus descent, whatever
    // the text: asked of the font alone, a group box being built lays out
    // no text and paints nothing.
    const QFontMetrics fm(font.ToQFont());
    int h = fm.ascent() + fm.descent();
    if (!caption)
        return h;
    switch (caption->Style()) {
    case tdSunken:
    case tdRaised: h += caption->LightDepth(); break;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised: h += caption->LightDepth() + caption->ShadowDepth(); break;
    case tdShadow: h += caption->ShadowDepth(); break;
    default: break;
    }
    return h;
}

bool GfxIsTrueTypeFont(const TGfxFont& font) { return font.IsTrueType(); }

bool GfxIsTrueTypeFont(const TGfxCanvas& canvas) { return canvas.Font.IsTrueType(); }

// ------------------------------------------------------ glyph and caption

void GfxDrawGlyphTextLayout(TGfxCanvas& canvas, TGfxGlyphTextRects& result, unsigned drawFlags,
                            const TGfxGlyphTextLayout& layout, const TGfxGlyph& glyph, const TGfxGlyphArrow& arrow,
                            TGfx3DCaption* caption, const QString& text, unsigned textFormat, const TRect& rect)
{
    result = TGfxGlyphTextRects{};
    // 1. Sizes: the text as GfxCalcFxTextRect measures it (one pixel of
    // room around it), the glyph's cell.
    int tw = 0, th = 0;
    if (!text.isEmpty()) {
        TRect t{0, 0, std::max(rect.Width(), 1), std::max(rect.Height(), 1)};
        GfxCalcFxTextRect(canvas.Font, caption, text, 0, !(textFormat & DT_NOPREFIX),
                          (textFormat & DT_WORDBREAK) != 0, textFormat, t);
        tw = t.Width();
        th = t.Height();
    }
    TRect cell = glyph.Cell;
    if (glyph.Bitmap && IsEmptyRect(cell))
        cell = TRect{0, 0, glyph.Bitmap->Width(), glyph.Bitmap->Height()};
    const int gw = glyph.Bitmap ? cell.Width() : 0;
    const int gh = glyph.Bitmap ? cell.Height() : 0;

    // 2. The arrow's room beside the text (or the glyph without text).
    const bool hasArrow = arrow.Position != apNone && arrow.Size >= 2 && arrow.Size <= 15;
    const int room = hasArrow ? 2 * arrow.Size - 1 + arrow.Spacing : 0;
    const bool arrowOnText = !text.isEmpty() || !glyph.Bitmap;
    int aw = arrowOnText ? tw : gw;
    int ah = arrowOnText ? th : gh;
    if (hasArrow) {
        if (arrow.Position == apLeft || arrow.Position == apRight)
            aw += room;
        else
            ah += room;
    }
    const int textW = arrowOnText ? aw : tw, textH = arrowOnText ? ah : th;
    const int glyphW = arrowOnText ? gw : aw, glyphH = arrowOnText ? gh : ah;

    // 3. Text and glyph side by side or stacked, Spacing between them.
    const bool both = (textW > 0 || textH > 0) && (glyphW > 0 || glyphH > 0);
    const int sp = both ? layout.Spacing() : 0;
    TRect g{}, t{};
    const TGfxTextArrange arrange = layout.AlignText2Glyph();
    const bool sideBySide = arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
    const bool centred = arrange == taLeft || arrange == taRight || arrange == taTop || arrange == taBottom;
    if (sideBySide) {
        const int h = std::max(glyphH, textH);
        const int gy = centred ? (h - glyphH) / 2 : 0;
        const int ty = centred ? (h - textH) / 2 : 0;
        if (arrange == taRight || arrange == taRightTop) {  // text right of the glyph
            g = TRect{0, gy, glyphW, gy + glyphH};
            t = TRect{glyphW + sp, ty, glyphW + sp + textW, ty + textH};
        } else {
            t = TRect{0, ty, textW, ty + textH};
            g = TRect{textW + sp, gy, textW + sp + glyphW, gy + glyphH};
        }
    } else {
        const int w = std::max(glyphW, textW);
        const int gx = centred ? (w - glyphW) / 2 : 0;
        const int tx = centred ? (w - textW) / 2 : 0;
        if (arrange == taBottom || arrange == taBottomLeft) {  // text below the glyph
            g = TRect{gx, 0, gx + glyphW, glyphH};
            t = TRect{tx, glyphH + sp, tx + textW, glyphH + sp + textH};
        } else {
            t = TRect{tx, 0, tx + textW, textH};
            g = TRect{gx, textH + sp, gx + glyphW, textH + sp + glyphH};
        }
    }

    // 4. The block in the rectangle, then the offsets.
    const TRect block = UnionRect(g, t);
    TRect placed;
    GfxAlignTextRect(layout.Alignment(), rect, TRect{0, 0, block.Right, block.Bottom}, placed);
    const int ox = placed.Left + layout.OffsetX();
    const int oy = placed.Top + layout.OffsetY();
    GfxOffsetRect(g, ox, oy);
    GfxOffsetRect(t, ox, oy);
    result.Glyph = g;
    result.Text = t;
    result.Union = UnionRect(g, t);
    if (drawFlags & (gdfFocusText | gdfFocusBoth)) {
        result.Focus = (drawFlags & gdfFocusBoth) ? result.Union : t;
        InflateRect(result.Focus, 1, 1);
    }
    if (drawFlags & gdfMeasure)
        return;

    // 5. Drawing: the text inside its room (less the arrow), the glyph, the
    // arrow.
    TRect textArea = t;
    TRect glyphArea = g;
    TRect& withArrow = arrowOnText ? textArea : glyphArea;
    TPoint arrowAt{};
    if (hasArrow) {
        const int arrowW = 2 * arrow.Size - 1;
        const int arrowH = arrow.Size;
        switch (arrow.Position) {
        case apRight:
            arrowAt = {withArrow.Right - arrowW, withArrow.Top + (withArrow.Height() - arrowH) / 2};
            withArrow.Right -= room;
            break;
        case apLeft:
            arrowAt = {withArrow.Left, withArrow.Top + (withArrow.Height() - arrowH) / 2};
            withArrow.Left += room;
            break;
        case apBottom:
            arrowAt = {withArrow.Left + (withArrow.Width() - arrowW) / 2, withArrow.Bottom - arrowH};
            withArrow.Bottom -= room;
            break;
        case apTop:
            arrowAt = {withArrow.Left + (withArrow.Width() - arrowW) / 2, withArrow.Top};
            withArrow.Top += room;
            break;
        case apNone: break;
        }
    }
    if (!text.isEmpty()) {
        TRect inner = textArea;
        InflateRect(inner, -1, -1);
        GfxDrawFxTextEx(canvas, text, caption, nullptr, drawFlags & (gdfEnabled | gdfDisabled3D | gdfClip),
                        textFormat | DT_NOCLIP, inner);
    }
    if (glyph.Bitmap && !IsEmptyRect(glyphArea)) {
        TRect drawn;
        const TRect dest{glyphArea.Left, glyphArea.Top, glyphArea.Left + gw, glyphArea.Top + gh};
        switch (glyph.Transparency) {
        case gtOpaque:
            GfxDrawBitmapEx(canvas, dest, &glyph.Bitmap->Canvas(), drawn, nullptr, nullptr, clNone, 0, cell);
            break;
        case gtByColor:
            GfxDrawBitmapEx(canvas, dest, &glyph.Bitmap->Canvas(), drawn, nullptr, nullptr, glyph.TransparentColor,
                            gdbTransparent, cell);
            break;
        case gtByMask:
            if (glyph.Mask)
                GfxDrawBitmapEx(canvas, dest, &glyph.Bitmap->Canvas(), drawn, glyph.Mask, nullptr, clNone,
                                gdbMasked, cell);
            break;
        }
    }
    if (hasArrow)
        GfxDrawArrow(canvas, arrowAt.X, arrowAt.Y, (drawFlags & gdfEnabled) != 0, arrow.Down, arrow.Color,
                     arrow.Size);
}
