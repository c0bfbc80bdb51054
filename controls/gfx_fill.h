#pragma once
// How the library's controls fill an area, and how a control's image is
// post-processed:
// - TGfxShapeFill chooses among brush, bitmap, list bitmap and gradient
//   fills (the shape control's fill).
// - TGfxFillObject adds a brush, the placement of an unscaled bitmap and the
//   fill options, and does the filling.
// - TGfxAlphaObject blends a fill over an image with a strength.
// - TGfxBitmapEffectObject mirrors, greys, inverts, brightens and blends a
//   copied image, and can keep the result until its next change.
//
// Every property write stores a value that differs and then calls Change.
//
// The pixel effects work on 24-bit bitmaps only (bytes blue, green, red);
// every one of them checks the pixel format of each bitmap it is given and
// raises EGfxWrongPixelFormat for any other. Each reads a rectangle of a
// source and writes the result into a target at a point; the rectangle is
// clipped to every bitmap involved, so no effect reads or writes outside a
// bitmap. Source and target may be the same bitmap.

#include "gfx_bitmaplist.h"
#include "gfx_captions.h"
#include "gfx_gradient.h"
#include "gfx_object.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_exceptions.h"
#include "platform/gfx_graphics.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

enum TGfxFillStyle : std::uint8_t { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum TGfxTileMode : std::uint8_t { tmNone, tmCenter, tmStretch, tmTile };

// Fill options (a set).
constexpr unsigned foFillInner = 0x1;   // fill the rectangle with the base colour under a bitmap
constexpr unsigned foQuickDraw = 0x2;   // draw a bitmap without selecting its palette
constexpr unsigned foGrUseBitmap = 0x4; // paint a gradient through an off-screen bitmap
using TGfxFillOptions = unsigned;

// A pixel effect was given a bitmap that is not 24 bits per pixel.
class EGfxWrongPixelFormat : public Exception {
public:
    using Exception::Exception;
};

class TGfxShapeFill : public TGfxObject {
public:
    TGfxShapeFill();
    ~TGfxShapeFill() override;

    TGfxBitmap& Bitmap() { return *bitmap_; }
    const TGfxBitmap& Bitmap() const { return *bitmap_; }
    void SetBitmap(const TGfxBitmap* Value) { bitmap_->Assign(Value); }
    TGfxGradient& Gradient() { return *gradient_; }
    const TGfxGradient& Gradient() const { return *gradient_; }
    void SetGradient(const TGfxGradient& Value) { gradient_->Assign(&Value); }
    TGfxFillStyle Style() const { return style_; }
    void SetStyle(TGfxFillStyle Value);
    TGfxTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TGfxTileMode Value);

    // The image copied from an image list (sfBitmapList); none clears it.
    const TGfxBitmap& ListBitmap() const { return *listBitmap_; }
    void SetListBitmap(const TGfxBitmap* Value) { listBitmap_->Assign(Value); }

    // Bitmap for sfBitmap, the list bitmap for sfBitmapList, else none.
    TGfxBitmap* CurrentBitmap() const;
    // True for sfNone; for the bitmap styles, whether that bitmap is empty.
    bool IsEmpty() const;
    // The palette the fill paints with (the bitmap's, the list bitmap's or
    // the gradient's); none for the other styles.
    std::optional<TGfxPalette> GetPalette() const;

    // From another shape fill: Bitmap, list bitmap, Gradient, Style and
    // TileMode, with one notification at the end.
    void Assign(const TObject* Source) override;
    // "{Disabled}", "{Brush}", "{Bitmap}", "{BitmapList}", "{Gradient}";
    // "{}" for sfBrushBitmap.
    QString GetDescription() const override;

protected:
    void CopyFill(const TGfxShapeFill& source);
    // Stores without notification (the fill object's starting style).
    void InitStyle(TGfxFillStyle Value) { style_ = Value; }

private:
    std::unique_ptr<TGfxBitmap> bitmap_;
    std::unique_ptr<TGfxGradient> gradient_;
    TGfxFillStyle style_ = sfBrush;
    TGfxTileMode tileMode_ = tmTile;
    std::unique_ptr<TGfxBitmap> listBitmap_;
};

class TGfxFillObject : public TGfxShapeFill {
public:
    // Style starts as sfNone.
    TGfxFillObject();
    ~TGfxFillObject() override;

    // The placement of an unscaled bitmap (tmNone). A change notifies only
    // while it shows: Style sfBitmap or sfBitmapList with TileMode tmNone.
    TGfxAlignment Alignment() const { return alignment_; }
    void SetAlignment(TGfxAlignment Value);
    int OffsetX() const { return offset_[0]; }
    int OffsetY() const { return offset_[1]; }
    // Index 0 OffsetX, 1 OffsetY.
    void SetOffset(int Index, int Value);
    void SetOffsetX(int Value) { SetOffset(0, Value); }
    void SetOffsetY(int Value) { SetOffset(1, Value); }
    TGfxBrush& Brush() { return *brush_; }
    const TGfxBrush& Brush() const { return *brush_; }
    void SetBrush(const TGfxBrush& Value) { brush_->Assign(Value); }
    TGfxFillOptions Options() const { return options_; }
    void SetOptions(TGfxFillOptions Value);

    // Fills the rectangle by Style; colour is the base colour (the gaps of a
    // hatched brush, the inner fill under a bitmap). True when the style
    // painted: false for sfNone and for a bitmap style whose bitmap is
    // empty (which paints only the inner fill), so a caller can fall back to
    // its own background.
    bool FillRect(TGfxCanvas& Canvas, const TRect& Rect, TColor Colour);

    // From another fill object: Brush, Options, Bitmap, list bitmap,
    // Gradient, then Style and TileMode; not Alignment and the offsets. One
    // notification at the end.
    void Assign(const TObject* Source) override;

private:
    bool PlacementShows() const;
    void InnerFill(TGfxCanvas& Canvas, const TRect& Rect, TColor Colour) const;

    TGfxAlignment alignment_ = agTopLeft;
    int offset_[2] = {0, 0};
    std::unique_ptr<TGfxBrush> brush_;
    TGfxFillOptions options_ = foFillInner | foGrUseBitmap;
};

class TGfxAlphaObject : public TGfxObject {
public:
    static constexpr float DefaultStrength = 0.6f;

    TGfxAlphaObject();
    ~TGfxAlphaObject() override;

    // The weight of the image against the fill: 1 gives the image, 0 the fill.
    float Strength() const { return strength_; }
    void SetStrength(float Value);
    // Stored unless it rounds to the default in millionths.
    bool StrengthStored() const;

    // The list whose image the fill's list bitmap takes (none); its
    // changes run UpdateFromList, and a list that is freed unlinks itself.
    TGfxCustomImageList* ImageList() const { return imageList_.List(); }
    // Leaves the old list, links the new one (or none), then UpdateFromList.
    void SetImageList(TGfxCustomImageList* Value);
    // The link with its stored form ("Internal" or ImageList).
    const TGfxImageListLink& ImageListLink() const { return imageList_; }
    void ReadInternal(const QString& Tag) { SetImageList(GfxGlobalListOfTag(Tag)); }
    int ImageIndex() const { return index_[0]; }
    int ListIndex() const { return index_[1]; }
    // Index 0 ImageIndex, 1 ListIndex; a write stores and runs UpdateFromList.
    void SetIndex(int Index, int Value);
    void SetImageIndex(int Value) { SetIndex(0, Value); }
    void SetListIndex(int Value) { SetIndex(1, Value); }
    // A flag that only Assign copies.
    bool Flag = false;
    TGfxFillObject& FillObject() { return *fillObject_; }
    const TGfxFillObject& FillObject() const { return *fillObject_; }
    void SetFillObject(const TGfxFillObject& Value) { fillObject_->Assign(&Value); }

    // The fill object's list bitmap takes the linked list's image
    // (ListIndex, ImageIndex), or is cleared when there is none; then Change.
    void UpdateFromList();

    // FillObject, the flag, Strength, both indexes and the list (without
    // following its changes).
    void Assign(const TObject* Source) override;
    // "{Enabled (brush|bmp|grad), strength: 0.600}", "{Disabled}" for a fill
    // of style sfNone.
    QString GetDescription() const override;

private:
    TGfxImageListLink imageList_;
    float strength_ = DefaultStrength;
    int index_[2] = {0, 0};
    std::unique_ptr<TGfxFillObject> fillObject_;
};

using TGfxBrightness = std::int16_t;  // -255..255

class TGfxBitmapEffectObject : public TGfxObject {
public:
    TGfxBitmapEffectObject();
    ~TGfxBitmapEffectObject() override;

    TGfxAlphaObject& AlphaBlend() { return *alphaBlend_; }
    const TGfxAlphaObject& AlphaBlend() const { return *alphaBlend_; }
    void SetAlphaBlend(const TGfxAlphaObject& Value) { alphaBlend_->Assign(&Value); }

    // FlipVertical mirrors the columns (left and right change places),
    // FlipHorizontal the rows (top and bottom change places).
    bool FlipVertical() const { return flags_[0]; }
    bool FlipHorizontal() const { return flags_[1]; }
    bool GrayScale() const { return flags_[2]; }
    bool Invert() const { return flags_[3]; }
    bool Buffered() const { return flags_[4]; }
    // Index 0 FlipVertical, 1 FlipHorizontal, 2 GrayScale, 3 Invert,
    // 4 Buffered. Buffered clears the buffer (switching it off frees it).
    void SetFlag(int Index, bool Value);
    void SetFlipVertical(bool Value) { SetFlag(0, Value); }
    void SetFlipHorizontal(bool Value) { SetFlag(1, Value); }
    void SetGrayScale(bool Value) { SetFlag(2, Value); }
    void SetInvert(bool Value) { SetFlag(3, Value); }
    void SetBuffered(bool Value) { SetFlag(4, Value); }
    TGfxBrightness Brightness() const { return brightness_; }
    // Limited to -255..255.
    void SetBrightness(int Value);

    bool BufferValid() const { return bufferValid_; }
    void ResetBuffer() { bufferValid_ = false; }

    // Copies sourceRect of the source onto the target at (0, 0) and applies
    // the active effects over effectRect in place, in this order: the
    // mirrors, grey scale, invert, brightness, then the alpha blend with the
    // alpha object's fill. The target is the caller's 24-bit bitmap, at
    // least as large as sourceRect. While Buffered, the first result is kept
    // and later calls draw it until the next change.
    void Apply(TGfxBitmap& Source, const TRect& SourceRect, const TRect& EffectRect, TGfxBitmap& Target);

    // The buffer is cleared before the owner hears of the change, so a
    // repaint in the notification applies the effects anew.
    void DoChange() override;
    // "{alpha, FV, FH, GS, INV, B}" for the active effects, or "{Disabled}".
    QString GetDescription() const override;

private:
    bool AlphaActive() const { return alphaBlend_->FillObject().Style() != sfNone; }

    std::unique_ptr<TGfxAlphaObject> alphaBlend_;
    bool flags_[5] = {false, false, false, false, false};
    TGfxBrightness brightness_ = 0;
    bool bufferValid_ = false;
    std::unique_ptr<TGfxBitmap> buffer_;
};

// ------------------------------------------------------------ pixel effects

// Raises EGfxWrongPixelFormat "Wrong PixelFormat in <role> bitmap!" unless
// the bitmap is 24 bits per pixel ("Source 1", "Source 2", "Target").
void GfxCheckPixelFormat(const TGfxBitmap& Bitmap, const char* Role);

// Each byte of the three of a pixel becomes round(red * 0.3) +
// round(green * 0.59) + round(blue * 0.11), halves to even.
void GfxEffectGrayScale(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At);
// Each byte becomes 255 - byte.
void GfxEffectInvert(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At);
// Each byte becomes byte + value, limited to 0..255.
void GfxEffectBrightness(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At, int Value);
// Each row of the rectangle reversed: its first and last columns change places.
void GfxEffectMirrorColumns(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At);
// The rows of the rectangle in reverse order: its first and last rows
// change places.
void GfxEffectMirrorRows(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At);
// Each byte becomes s2 + round((s1 - s2) * strength), s1 from source 1 and s2
// from source 2 at the same place of the rectangle.
void GfxEffectAlphaBlend(const TGfxBitmap& Source1, const TGfxBitmap& Source2, const TRect& Rect, TGfxBitmap& Target,
                         TPoint At, float Strength);
