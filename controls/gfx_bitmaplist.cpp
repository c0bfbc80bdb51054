#include "gfx_bitmaplist.h"

#include "gfx_draw.h"
#include "gfx_propstream.h"
#include "gfx_strings.h"
#include "platform/gfx_stream.h"

#include <QFile>

// ------------------------------------------------------- custom image list

void TGfxCustomImageList::SetListIndex(int Index)
{
    if (Index == listIndex_)
        return;
    if (Index < 0 || Index >= Count())
        throw EInvalidGraphicOperation(QString::fromLatin1(GfxListIndexErrorText));
    listIndex_ = Index;
}

void TGfxCustomImageList::AssignDefaults(const TGfxCustomContainer& Source)
{
    TGfxCustomContainer::AssignDefaults(Source);
    defaultPixelFormat_ = static_cast<const TGfxCustomImageList&>(Source).defaultPixelFormat_;
}

// ------------------------------------------------------------ bitmap item

TGfxBitmapListItem::TGfxBitmapListItem(QObject* AOwner) : TGfxListItem(AOwner)
{
    bitmap_.OnChange = [this](TObject*) { Change(); };
}

TGfxBitmap* TGfxBitmapListItem::Bitmap()
{
    LoadByStorageMode();
    return &bitmap_;
}

void TGfxBitmapListItem::LoadByStorageMode()
{
    const TGfxCustomContainer* list = Container();
    if (!list || list->StorageMode() == 0 || !bitmap_.Empty() || IsDesigning() || IsLoading() ||
        list->IsDesigning() || list->IsLoading())
        return;
    Quietly([&] { LoadFromStorage(*list); });
}

void TGfxBitmapListItem::LoadFromStorage(const TGfxCustomContainer& list)
{
    const QString dir = list.Directory();
    const QString numbered = dir + GfxExtractFileName(list.FileName()).left(3) + QString::number(Ident()) +
                             QStringLiteral(".bmp");
    switch (list.StorageMode()) {
    case 1:
        GfxLoadListFileBitmap(list.DirectoryKind() >= ppFixed ? list.FileName() : dir + list.FileName(), Ident(),
                              bitmap_);
        break;
    case 2: {
        QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(Ident()));
        GfxOpenFile(file);
        bitmap_.LoadFromStream(file);
        break;
    }
    case 3: {
        QFile file(numbered);
        GfxOpenFile(file);
        break;
    }
    case 4: {
        QFile file(numbered);
        GfxOpenFile(file);
        bitmap_.LoadFromStream(file);
        break;
    }
    default: break;
    }
}

void TGfxBitmapListItem::WriteContent(QIODevice& Stream, std::uint8_t Flags) const
{
    if (Flags & gifData)
        GfxWriteBitmap(Stream, bitmap_, Compressed(), GfxSavePixelFormatColours(PixelFormat()));
}

void TGfxBitmapListItem::ReadContent(QIODevice& Stream, std::uint8_t Flags)
{
    if (Flags & gifData)
        GfxReadBitmap(Stream, bitmap_, Compressed());
    else
        bitmap_.Assign(nullptr);
}

void TGfxBitmapListItem::Assign(const TObject* Source)
{
    TGfxListItem::Assign(Source);
    const auto* item = static_cast<const TGfxBitmapListItem*>(Source);
    Quietly([&] { bitmap_.Assign(&item->bitmap_); });
    Change();
}

// ------------------------------------------------------------ bitmap list

TGfxBitmapList::TGfxBitmapList(QObject* AOwner) : TGfxItemList(AOwner, lkBitmapList) {}

TGfxBitmap* TGfxBitmapList::CurrentBitmap() const { return Items(ListIndex())->Bitmap(); }

TGfxBitmap* TGfxBitmapList::ItemBitmap(int ListIndex) const
{
    return InList(ListIndex) ? Items(ListIndex)->Bitmap() : nullptr;
}

TGfxCanvas* TGfxBitmapList::GetCanvas(int ListIndex)
{
    TGfxBitmap* b = ItemBitmap(ListIndex);
    return b ? &b->Canvas() : nullptr;
}

TRect TGfxBitmapList::GetImageRect(int ListIndex, int) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b ? TRect{0, 0, b->Width(), b->Height()} : TRect{};
}

int TGfxBitmapList::GetDimension(int ListIndex, int Which) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    if (!b)
        return 0;
    return Which == 0 ? b->Width() : b->Height();
}

int TGfxBitmapList::GetImageCount(int ListIndex) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b && !b->Empty() ? 1 : 0;
}

bool TGfxBitmapList::IsValidImage(int ListIndex, int) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b && !b->Empty();
}

void TGfxBitmapList::GetBitmap(int ListIndex, int, TGfxBitmap* Target)
{
    TGfxBitmap* b = ItemBitmap(ListIndex);
    if (b && Target)
        Target->Assign(b);
}

bool TGfxBitmapList::GetMasked(int) const { return false; }

TGfxPalette TGfxBitmapList::GetPalette(int ListIndex) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b ? b->Palette() : TGfxPalette{};
}

TColor TGfxBitmapList::GetTransparentColor(int ListIndex, int) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b ? b->TransparentColor() : TColor{0xFFFFFF};
}

TColor TGfxBitmapList::GetPixel(TPoint Point, int ListIndex, int) const
{
    const TGfxBitmap* b = ItemBitmap(ListIndex);
    return b ? b->PixelAt(Point.X, Point.Y) : TColor{0xFFFFFF};
}

void TGfxBitmapList::Draw(TGfxCanvas& Canvas, int X, int Y, int ListIndex, int)
{
    TGfxBitmap* b = ItemBitmap(ListIndex);
    if (!b)
        return;
    TRect drawn;
    GfxDrawBitmapTiled(Canvas, TRect{X, Y, X + b->Width(), Y + b->Height()}, *b, drawn, b->TransparentColor(), 0);
}

void TGfxBitmapList::DrawExt(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int,
                             unsigned Flags)
{
    DrawnRect = TRect{};
    if (TGfxBitmap* b = ItemBitmap(ListIndex))
        GfxDrawBitmapTiled(Canvas, Rect, *b, DrawnRect, b->TransparentColor(), Flags);
}

void TGfxBitmapList::DrawClipped(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int,
                                 unsigned Flags)
{
    DrawnRect = TRect{};
    if (TGfxBitmap* b = ItemBitmap(ListIndex))
        GfxDrawBitmapClipped(Canvas, Rect, *b, DrawnRect, b->TransparentColor(), Flags);
}

// --------------------------------------------------------- list file item

void GfxLoadListFileBitmap(QIODevice& Stream, const QString& Name, int Index, TGfxBitmap& Target)
{
    int count = 0;
    std::vector<std::int32_t> offsets;
    if (GfxReadListHeader(Stream, count, &offsets) != lkBitmapList)
        throw Exception(GfxFormat(QStringLiteral("%s: %s"), {QStringLiteral("Cannot open file %s"), Name}));
    if (Index < 0 || Index >= count)
        throw EListError(GfxFormat(QString::fromLatin1(GfxListIndexErrorText), {Index}));
    if (!Stream.seek(offsets[static_cast<std::size_t>(Index)]))
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    TGfxBitmapListItem item;
    item.ReadData(Stream);
    Target.Assign(&item.StoredBitmap());
}

void GfxLoadListFileBitmap(const QString& FileName, int Index, TGfxBitmap& Target)
{
    QFile file(FileName);
    GfxOpenStoredFile(file, GfxMaxListFileSize);
    GfxLoadListFileBitmap(file, FileName, Index, Target);
}
