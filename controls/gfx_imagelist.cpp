#include "gfx_imagelist.h"

#include "gfx_draw.h"
#include "gfx_propstream.h"

#include <algorithm>

namespace {

[[noreturn]] void InvalidSize() { throw EInvalidGraphicOperation(QStringLiteral("Invalid image size")); }

// A bitmap of the left `width` pixels of the source.
void LeftPart(const TGfxBitmap& source, int width, TGfxBitmap& target)
{
    target.Assign(&source);
    if (target.Width() != width)
        target.SetWidth(width);
}

// Copies a cell of one bitmap's canvas into another.
void CopyCell(TGfxBitmap& target, const TRect& to, TGfxBitmap& source, const TRect& from)
{
    TGfxCanvas& c = target.Canvas();
    c.CopyMode = cmSrcCopy;
    c.CopyRect(to, source.Canvas(), from);
}

}  // namespace

// -------------------------------------------------------------- image item

TGfxImageListItem::TGfxImageListItem(QObject* AOwner) : TGfxListItem(AOwner) {}

void TGfxImageListItem::SetAllocBy(int Value)
{
    if (Value < 1 || Value == allocBy_)
        return;
    allocBy_ = Value;
    Change();
}

void TGfxImageListItem::SetWidth(int Value) { SetSide(width_, Value); }

void TGfxImageListItem::SetHeight(int Value) { SetSide(height_, Value); }

void TGfxImageListItem::SetSide(int& side, int value)
{
    if (value < 1 || value > MaxStripWidth || value == side)
        return;
    side = value;
    ResetStrip();
    Change();
}

void TGfxImageListItem::SetMasked(bool Value)
{
    if (Value == masked_)
        return;
    masked_ = Value;
    if (masked_) {
        // No transparency known yet: every pixel opaque (black).
        mask_.SetMonochrome(true);
        mask_.SetSize(image_.Width(), image_.Height());
        if (!mask_.Empty()) {
            mask_.Canvas().Brush.SetColor(clBlack);
            mask_.Canvas().FillRect(TRect{0, 0, mask_.Width(), mask_.Height()});
        }
    } else {
        mask_.Assign(nullptr);
    }
    RebuildEntries(ImageCount());
    Change();
}

void TGfxImageListItem::RebuildEntries(int count)
{
    entries_.clear();
    for (int i = 0; i < count; ++i)
        entries_.push_back(TGfxImageEntry{static_cast<std::uint16_t>(i * width_), masked_});
}

void TGfxImageListItem::ResetStrip()
{
    image_.Assign(nullptr);
    mask_.Assign(nullptr);
    if (masked_)
        mask_.SetMonochrome(true);
    entries_.clear();
}

void TGfxImageListItem::Clear()
{
    ResetStrip();
    Change();
}

void TGfxImageListItem::AddImages(TGfxImageListItem& Source)
{
    if (Source.width_ != width_ || Source.height_ != height_)
        InvalidSize();
    const int n = Source.ImageCount();
    if (n == 0)
        return;
    const int used = UsedWidth();
    const int added = n * width_;
    if (used + added > MaxStripWidth)
        throw EInvalidGraphicOperation(QStringLiteral("Too many images"));
    if (used == 0) {
        LeftPart(Source.image_, added, image_);
    } else {
        if (used + added > image_.Width()) {
            const int step = std::min(allocBy_, MaxStripWidth / width_) * width_;
            image_.SetWidth(std::min(MaxStripWidth, (used + added + step - 1) / step * step));
        }
        CopyCell(image_, TRect{used, 0, used + added, height_}, Source.image_, TRect{0, 0, added, height_});
    }
    if (masked_) {
        if (mask_.Width() != image_.Width() || mask_.Height() != height_) {
            mask_.SetMonochrome(true);
            mask_.SetSize(image_.Width(), height_);
        }
        const TRect to{used, 0, used + added, height_};
        if (Source.masked_ && !Source.mask_.Empty()) {
            CopyCell(mask_, to, Source.mask_, TRect{0, 0, added, height_});
        } else {
            mask_.Canvas().Brush.SetColor(clBlack);
            mask_.Canvas().FillRect(to);
        }
    }
    RebuildEntries(ImageCount() + n);
    Change();
}

void TGfxImageListItem::GetImage(int Index, TGfxBitmap& Target)
{
    if (Index < 0 || Index >= ImageCount())
        return;
    LeftPart(image_, width_, Target);
    CopyCell(Target, TRect{0, 0, width_, height_}, image_, ImageRect(Index));
}

void TGfxImageListItem::Draw(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int Index, unsigned Flags,
                             bool Enabled)
{
    DrawnRect = TRect{};
    if (Index < 0 || Index >= ImageCount())
        return;
    const TRect cell = ImageRect(Index);
    const TGfxPalette palette = image_.Palette();
    const TGfxPalette* p = palette.Entries.empty() ? nullptr : &palette;
    Flags &= ~(gdbDrawBitmap | gdbMasked);
    if (masked_ && entries_[static_cast<std::size_t>(Index)].Masked && !mask_.Empty())
        GfxDrawBitmapEx(Canvas, Rect, &image_.Canvas(), DrawnRect, &mask_, p, clWhite,
                        (Flags & ~gdbTransparent) | gdbMasked, cell);
    else
        GfxDrawBitmapEx(Canvas, Rect, &image_.Canvas(), DrawnRect, nullptr, p,
                        image_.PixelAt(cell.Left, height_ - 1), Flags, cell);
    if (Enabled || BlendColor == GfxNoColor)
        return;
    const TRect area = (Flags & gdbTile) ? Rect : DrawnRect;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left + ((area.Left + y) & 1); x < area.Right; x += 2)
            Canvas.SetPixel(x, y, BlendColor);
}

void TGfxImageListItem::ReadImages(QIODevice& Stream, int width, int height, bool masked, bool compressed,
                                   Images& out)
{
    const std::int32_t count = GfxReadInteger(Stream);
    if (count < 0 || count > MaxStripWidth / width)
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    out.count = count;
    if (count == 0)
        return;
    GfxReadBitmap(Stream, out.strip, compressed);
    if (out.strip.Width() != count * width || out.strip.Height() != height)
        InvalidSize();
    if (!masked)
        return;
    GfxReadBitmap(Stream, out.mask, compressed);
    if (out.mask.Width() != out.strip.Width() || out.mask.Height() != height)
        InvalidSize();
    out.mask.SetMonochrome(true);
}

void TGfxImageListItem::TakeImages(Images& images)
{
    image_.Assign(images.count > 0 ? &images.strip : nullptr);
    mask_.Assign(masked_ && images.count > 0 ? &images.mask : nullptr);
    if (masked_ && images.count == 0)
        mask_.SetMonochrome(true);
    RebuildEntries(images.count);
}

void TGfxImageListItem::ReadContent(QIODevice& Stream, std::uint8_t)
{
    const std::int32_t height = GfxReadInteger(Stream);
    const std::int32_t width = GfxReadInteger(Stream);
    const std::int32_t allocBy = GfxReadInteger(Stream);
    const bool masked = GfxReadByte(Stream) != 0;
    if (height < 1 || height > MaxStripWidth || width < 1 || width > MaxStripWidth)
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    Images images;
    ReadImages(Stream, width, height, masked, Compressed(), images);
    height_ = height;
    width_ = width;
    allocBy_ = std::max(1, allocBy);
    masked_ = masked;
    TakeImages(images);
}

void TGfxImageListItem::ReadBitmapProperty(QIODevice& Stream)
{
    Images images;
    ReadImages(Stream, width_, height_, masked_, Compressed(), images);
    TakeImages(images);
    Change();
}

void TGfxImageListItem::WriteContent(QIODevice& Stream, std::uint8_t) const
{
    GfxWriteInteger(Stream, height_);
    GfxWriteInteger(Stream, width_);
    GfxWriteInteger(Stream, allocBy_);
    GfxWriteByte(Stream, masked_ ? 1 : 0);
    GfxWriteInteger(Stream, ImageCount());
    if (ImageCount() == 0)
        return;
    TGfxBitmap used;
    LeftPart(image_, UsedWidth(), used);
    GfxWriteBitmap(Stream, used, Compressed(), GfxSavePixelFormatColours(PixelFormat()));
    if (masked_) {
        LeftPart(mask_, UsedWidth(), used);
        GfxWriteBitmap(Stream, used, Compressed(), 2);
    }
}

void TGfxImageListItem::Assign(const TObject* Source)
{
    TGfxListItem::Assign(Source);
    const auto* item = static_cast<const TGfxImageListItem*>(Source);
    allocBy_ = item->allocBy_;
    height_ = item->height_;
    width_ = item->width_;
    BkColor = item->BkColor;
    BlendColor = item->BlendColor;
    masked_ = item->masked_;
    image_.Assign(&item->image_);
    mask_.Assign(&item->mask_);
    entries_ = item->entries_;
    Change();
}

// -------------------------------------------------------------- image list

TGfxImageList::TGfxImageList(QObject* AOwner) : TGfxItemList(AOwner, lkImageList) {}

TGfxImageListItem* TGfxImageList::ImageItem(int ListIndex, int ImageIndex) const
{
    if (!InList(ListIndex))
        return nullptr;
    TGfxImageListItem* item = Items(ListIndex);
    return ImageIndex >= 0 && ImageIndex < item->ImageCount() ? item : nullptr;
}

TGfxCanvas* TGfxImageList::GetCanvas(int ListIndex)
{
    return InList(ListIndex) ? &Items(ListIndex)->Image().Canvas() : nullptr;
}

TRect TGfxImageList::GetImageRect(int ListIndex, int ImageIndex) const
{
    const TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex);
    return item ? item->ImageRect(ImageIndex) : TRect{};
}

int TGfxImageList::GetDimension(int ListIndex, int Which) const
{
    if (!InList(ListIndex))
        return 0;
    const TGfxImageListItem* item = Items(ListIndex);
    return Which == 0 ? item->Width() : item->Height();
}

int TGfxImageList::GetImageCount(int ListIndex) const { return InList(ListIndex) ? Items(ListIndex)->ImageCount() : -1; }

bool TGfxImageList::IsValidImage(int ListIndex, int ImageIndex) const { return ImageItem(ListIndex, ImageIndex); }

void TGfxImageList::GetBitmap(int ListIndex, int ImageIndex, TGfxBitmap* Target)
{
    if (TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex); item && Target)
        item->GetImage(ImageIndex, *Target);
}

bool TGfxImageList::GetMasked(int ListIndex) const { return InList(ListIndex) && Items(ListIndex)->Masked(); }

TGfxPalette TGfxImageList::GetPalette(int ListIndex) const
{
    return InList(ListIndex) ? Items(ListIndex)->Image().Palette() : TGfxPalette{};
}

TColor TGfxImageList::GetTransparentColor(int ListIndex, int ImageIndex) const
{
    TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex);
    return item ? item->Image().PixelAt(item->ImageRect(ImageIndex).Left, item->Height() - 1) : TColor{0xFFFFFF};
}

TColor TGfxImageList::GetPixel(TPoint Point, int ListIndex, int ImageIndex) const
{
    TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex);
    if (!item || Point.X < 0 || Point.Y < 0 || Point.X >= item->Width() || Point.Y >= item->Height())
        return 0xFFFFFF;
    return item->Image().PixelAt(item->ImageRect(ImageIndex).Left + Point.X, Point.Y);
}

void TGfxImageList::Draw(TGfxCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex)
{
    if (TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex)) {
        TRect drawn;
        item->Draw(Canvas, TRect{X, Y, X + item->Width(), Y + item->Height()}, drawn, ImageIndex, 0, true);
    }
}

void TGfxImageList::DrawExt(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int ImageIndex,
                            unsigned Flags)
{
    DrawnRect = TRect{};
    if (TGfxImageListItem* item = ImageItem(ListIndex, ImageIndex))
        item->Draw(Canvas, Rect, DrawnRect, ImageIndex, Flags, true);
}

void TGfxImageList::DrawClipped(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex,
                                int ImageIndex, unsigned Flags)
{
    GfxDrawClippedBy(Canvas, Rect, Flags, [&] { DrawExt(Canvas, Rect, DrawnRect, ListIndex, ImageIndex, Flags); });
}
