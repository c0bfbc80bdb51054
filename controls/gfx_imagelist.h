#pragma once
// TGfxImageList: a list of strips of equally sized images.
//
// Each item holds its images side by side in one strip bitmap, image i at
// x = i * Width, with a monochrome mask strip beside it when the item is
// Masked (white where the image is transparent, the image black there).
//
// An item's binary property "Internal" is the item header (see
// gfx_containers.h), then Height, Width and AllocBy as integers, Masked as
// a byte, the image count as an integer and, when there are images, the
// strip (count * Width wide, at the depth of the item's pixel format) and,
// when Masked, the mask at 2 colours, each in the object form of
// gfx_propstream.h. Stored sizes are checked: a side outside 1 to 32768, a
// count whose strip would pass 32768 pixels or a strip or mask of another
// size than the numbers say is refused.

#include "gfx_bitmaplist.h"

#include <vector>

// The colour value that stands for no colour.
constexpr TColor GfxNoColor = 0x1FFFFFFF;

struct TGfxImageEntry {
    std::uint16_t Left = 0;  // index * Width
    bool Masked = false;
};

class TGfxImageListItem : public TGfxListItem {
public:
    // The widest strip.
    static constexpr int MaxStripWidth = 32768;

    explicit TGfxImageListItem(QObject* AOwner = nullptr);

    // The strip grows by AllocBy images at a time.
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int Value);
    // A different size of at least 1 clears the images and notifies.
    int Width() const { return width_; }
    void SetWidth(int Value);
    int Height() const { return height_; }
    void SetHeight(int Value);
    // Rebuilds the entries with the new flag.
    bool Masked() const { return masked_; }
    void SetMasked(bool Value);
    // The background colour and the colour of the disabled look (a
    // checkerboard over the image); GfxNoColor for none.
    TColor BkColor = GfxNoColor;
    TColor BlendColor = GfxNoColor;

    int ImageCount() const { return static_cast<int>(entries_.size()); }
    const std::vector<TGfxImageEntry>& Entries() const { return entries_; }
    // The strip's used width (the bitmap itself may be wider).
    int UsedWidth() const { return ImageCount() * width_; }
    TGfxBitmap& Image() { return image_; }
    TGfxBitmap& MaskBitmap() { return mask_; }
    // The cell of image Index in the strip.
    TRect ImageRect(int Index) const { return TRect{Index * width_, 0, (Index + 1) * width_, height_}; }

    // Appends the images of another item of the same Width and Height (else
    // EInvalidGraphicOperation "Invalid image size"); a strip that would
    // pass 32768 pixels is "Too many images". Notifies once.
    void AddImages(TGfxImageListItem& Source);
    // Copies image Index into the target (its own size and format).
    void GetImage(int Index, TGfxBitmap& Target);
    // Draws image Index into Rect with the placement flags of the drawing
    // procedures: a masked item through its mask ("and" from the mask, then
    // "paint" from the strip), else by colour when Flags asks for it. A
    // disabled look lays a checkerboard of BlendColor over the placed image
    // unless BlendColor is GfxNoColor.
    void Draw(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int Index, unsigned Flags, bool Enabled);

    void Clear() override;
    bool IsEmpty() const override { return entries_.empty(); }
    qint64 MemorySize() const override { return image_.MemorySize() + mask_.MemorySize(); }
    void Assign(const TObject* Source) override;
    // The read-only binary property "Bitmap" of older streams: the image
    // part of "Internal" (count, strip and mask) at the item's current
    // sizes.
    void ReadBitmapProperty(QIODevice& Stream);

protected:
    bool HasData() const override { return true; }
    void ReadContent(QIODevice& Stream, std::uint8_t Flags) override;
    void WriteContent(QIODevice& Stream, std::uint8_t Flags) const override;

private:
    struct Images {
        TGfxBitmap strip, mask;
        int count = 0;
    };
    // Reads the image part for those sizes (checked against them).
    static void ReadImages(QIODevice& Stream, int width, int height, bool masked, bool compressed, Images& out);
    void TakeImages(Images& images);
    void ResetStrip();
    // SetWidth and SetHeight.
    void SetSide(int& side, int value);
    void RebuildEntries(int count);

    int allocBy_ = 4;
    int height_ = 16;
    int width_ = 16;
    TGfxBitmap image_;
    TGfxBitmap mask_;
    std::vector<TGfxImageEntry> entries_;
    bool masked_ = false;
};

class TGfxImageList : public TGfxItemList<TGfxCustomImageList, TGfxImageListItem> {
public:
    explicit TGfxImageList(QObject* AOwner = nullptr);

    TGfxCanvas* GetCanvas(int ListIndex) override;
    TRect GetImageRect(int ListIndex, int ImageIndex) const override;
    int GetDimension(int ListIndex, int Which) const override;
    // -1 outside the list.
    int GetImageCount(int ListIndex) const override;
    bool IsValidImage(int ListIndex, int ImageIndex) const override;
    void GetBitmap(int ListIndex, int ImageIndex, TGfxBitmap* Target) override;
    bool GetMasked(int ListIndex) const override;
    TGfxPalette GetPalette(int ListIndex) const override;
    TColor GetTransparentColor(int ListIndex, int ImageIndex) const override;
    TColor GetPixel(TPoint Point, int ListIndex, int ImageIndex) const override;
    void Draw(TGfxCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) override;
    void DrawExt(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int ImageIndex,
                 unsigned Flags) override;
    void DrawClipped(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int ImageIndex,
                     unsigned Flags) override;

private:
    // The item when ListIndex and ImageIndex name an image, else none.
    TGfxImageListItem* ImageItem(int ListIndex, int ImageIndex) const;
};
