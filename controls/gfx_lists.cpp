#include "gfx_lists.h"

#include "gfx_propstream.h"

TGfxContainer* GfxContainer = nullptr;

// ------------------------------------------------------------ string item

TGfxStringListItem::TGfxStringListItem(QObject* AOwner) : TGfxListItem(AOwner) {}

void TGfxStringListItem::SetItems(const QStringList& Value)
{
    if (items_ == Value)
        return;
    items_ = Value;
    Change();
}

qint64 TGfxStringListItem::MemorySize() const
{
    qint64 bytes = 0;
    for (const QString& line : items_)
        bytes += (line.size() + 1) * qint64{sizeof(QChar)};
    return bytes;
}

void TGfxStringListItem::ReadContent(QIODevice& Stream, std::uint8_t Flags)
{
    if (Flags & gifData)
        GfxReadStrings(Stream, items_, Compressed());
    else
        items_.clear();
}

void TGfxStringListItem::WriteContent(QIODevice& Stream, std::uint8_t Flags) const
{
    if (Flags & gifData)
        GfxWriteStrings(Stream, items_, Compressed());
}

void TGfxStringListItem::Assign(const TObject* Source)
{
    TGfxListItem::Assign(Source);
    items_ = static_cast<const TGfxStringListItem*>(Source)->items_;
    Change();
}

// -------------------------------------------------------------- wave item

TGfxWaveListItem::TGfxWaveListItem(QObject* AOwner) : TGfxListItem(AOwner)
{
    wave_.OnChange = [this](TObject*) { Change(); };
}

void TGfxWaveListItem::ReadContent(QIODevice& Stream, std::uint8_t Flags)
{
    if (Flags & gifData)
        GfxReadWave(Stream, wave_, Compressed());
    else
        wave_.Clear();
}

void TGfxWaveListItem::WriteContent(QIODevice& Stream, std::uint8_t Flags) const
{
    if (Flags & gifData)
        GfxWriteWave(Stream, wave_, Compressed());
}

void TGfxWaveListItem::Assign(const TObject* Source)
{
    TGfxListItem::Assign(Source);
    Quietly([&] { wave_.Assign(&static_cast<const TGfxWaveListItem*>(Source)->wave_); });
    Change();
}

// ------------------------------------------------------------------ lists

TGfxStringList::TGfxStringList(QObject* AOwner) : TGfxItemList(AOwner, lkStringList) {}

TGfxWaveList::TGfxWaveList(QObject* AOwner) : TGfxItemList(AOwner, lkWaveList) {}

TGfxContainer::TGfxContainer(QObject* AOwner)
    : TGfxBaseContainer(AOwner),
      bitmapList_(new TGfxBitmapList(this)),
      imageList_(new TGfxImageList(this)),
      waveList_(new TGfxWaveList(this)),
      stringList_(new TGfxStringList(this))
{
    const TNotifyEvent changed = [this](TObject*) { Change(); };
    bitmapList_->OnChange = changed;
    imageList_->OnChange = changed;
    waveList_->OnChange = changed;
    stringList_->OnChange = changed;
}

QString GfxGlobalListTag(const TGfxCustomImageList* List)
{
    if (!List || !GfxContainer)
        return QString();
    if (List == GfxContainer->BitmapList())
        return GfxListFileHeader(lkBitmapList);
    if (List == GfxContainer->ImageList())
        return GfxListFileHeader(lkImageList);
    return QString();
}

TGfxCustomImageList* GfxGlobalListOfTag(const QString& Tag)
{
    if (!GfxContainer || Tag.isEmpty())
        return nullptr;
    if (Tag == GfxListFileHeader(lkBitmapList))
        return GfxContainer->BitmapList();
    if (Tag == GfxListFileHeader(lkImageList))
        return GfxContainer->ImageList();
    return nullptr;
}

TGfxImageListLink::TGfxImageListLink(TNotifyEvent OnChange) { link_.OnChange = std::move(OnChange); }

void TGfxImageListLink::SetList(TGfxCustomImageList* Value)
{
    if (list_)
        list_->UnRegisterChanges(&link_);
    list_ = Value;
    if (Value)
        Value->RegisterChanges(&link_);
}

void TGfxImageListLink::HoldList(TGfxCustomImageList* Value)
{
    if (list_)
        list_->UnRegisterChanges(&link_);
    list_ = Value;
}
