#pragma once
// The drawing tools of a canvas: pen, brush, font and logical palette, with
// the platform's conventions the library was written for.
//
// Each tool is a small object with a change notification (OnChange), so a
// control can own one as a property and repaint when it changes, and a
// canvas knows when to select it again. Assign copies another tool's
// settings and notifies once.
//
// - Pen: colour, width in pixels (0 and 1 both draw one pixel), style and
//   raster mode. Wider pens draw solid with round ends; dashed styles are
//   one pixel wide.
// - Brush: colour and style; a pattern bitmap (not owned) takes precedence
//   over the style. A monochrome pattern draws its 0 bits in the canvas's
//   text colour and its 1 bits in its background colour.
// - Font: face name, height in pixels (negative: the character height,
//   positive: the cell height), size in points at 96 dots per inch
//   (Size = -Height * 72 / 96), colour, style and escapement (tenths of a
//   degree, counter-clockwise). Fonts draw without antialiasing, so text
//   pixels take exactly the font colour.
// - Palette: the entries of a logical palette. On this machine every
//   surface has true colour, so selecting and realising a palette changes no
//   pixel; colours are never mapped through it.

#include "gfx_object_base.h"
#include "gfx_types.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

class TGfxBitmap;

enum TGfxPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Raster modes of pen and brush drawing (what a shape does to the pixels
// below it), in the platform's order.
enum TGfxPenMode : std::uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

enum TGfxBrushStyle : std::uint8_t {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

enum TGfxFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TGfxFontStyles = unsigned;

// The base of the three tools: a change notification and the write pattern.
class TGfxGraphicsObject : public TObject {
public:
    TNotifyEvent OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    template <class T, class U>
    void SetProp(T& field, const U& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
};

class TGfxPen : public TGfxGraphicsObject {
public:
    TColor Color() const { return color_; }
    int Width() const { return width_; }
    TGfxPenStyle Style() const { return style_; }
    TGfxPenMode Mode() const { return mode_; }
    void SetColor(TColor c) { SetProp(color_, c); }
    void SetWidth(int w) { SetProp(width_, w < 0 ? 0 : w); }
    void SetStyle(TGfxPenStyle s) { SetProp(style_, s); }
    void SetMode(TGfxPenMode m) { SetProp(mode_, m); }
    void Assign(const TGfxPen& source);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TGfxPenStyle style_ = psSolid;
    TGfxPenMode mode_ = pmCopy;
};

class TGfxBrush : public TGfxGraphicsObject {
public:
    TColor Color() const { return color_; }
    TGfxBrushStyle Style() const { return style_; }
    const TGfxBitmap* Bitmap() const { return bitmap_; }
    // A colour makes a clear brush solid, as on the platform.
    void SetColor(TColor c);
    void SetStyle(TGfxBrushStyle s) { SetProp(style_, s); }
    void SetBitmap(const TGfxBitmap* b) { SetProp(bitmap_, b); }
    void Assign(const TGfxBrush& source);

private:
    TColor color_ = clWhite;
    TGfxBrushStyle style_ = bsSolid;
    const TGfxBitmap* bitmap_ = nullptr;
};

class TGfxFont : public TGfxGraphicsObject {
public:
    QString Name() const { return name_; }
    int Height() const { return height_; }
    int Size() const;
    TColor Color() const { return color_; }
    TGfxFontStyles Style() const { return style_; }
    int Escapement() const { return escapement_; }
    void SetName(const QString& n) { SetProp(name_, n); }
    void SetHeight(int h) { SetProp(height_, h); }
    void SetSize(int points);
    void SetColor(TColor c) { SetProp(color_, c); }
    void SetStyle(TGfxFontStyles s) { SetProp(style_, s); }
    void SetEscapement(int tenths) { SetProp(escapement_, tenths); }
    void Assign(const TGfxFont& source);

    // The Qt font of these settings (without escapement), pixel-sized, no
    // antialiasing, with the extra spacing after every character.
    QFont ToQFont(int characterExtra = 0) const;
    // True when the face the name resolves to is an outline (TrueType or
    // other scalable) font.
    bool IsTrueType() const;

    static constexpr const char* DefaultName = "DejaVu Sans";
    static constexpr int DefaultHeight = -11;  // 8 points

private:
    QString name_ = QString::fromLatin1(DefaultName);
    int height_ = DefaultHeight;
    TColor color_ = clWindowText;
    TGfxFontStyles style_ = 0;
    int escapement_ = 0;
};

// A logical palette: version and entries (red, green, blue, flags).
struct TGfxPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Flags = 0;
    friend bool operator==(const TGfxPaletteEntry&, const TGfxPaletteEntry&) = default;
};
constexpr std::uint8_t PC_NOCOLLAPSE = 4;

struct TGfxPalette {
    std::uint16_t Version = 0x300;
    std::vector<TGfxPaletteEntry> Entries;
};

// A palette-relative colour (PALETTERGB): drawn as its red, green and blue.
constexpr TColor GfxPaletteRGB(unsigned r, unsigned g, unsigned b) { return 0x02000000u | GfxRGB(r, g, b); }
