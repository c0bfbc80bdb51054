#include "gfx_bitmaplist.h"

#include "platform/gfx_exceptions.h"

TGfxBitmapList::TGfxBitmapList(QObject* AOwner) : TComponent(AOwner) {}

TGfxBitmapList::~TGfxBitmapList() = default;

TGfxBitmapListItem* TGfxBitmapList::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) return nullptr;
    return items_[size_t(Index)].get();
}

int TGfxBitmapList::AddItem(std::unique_ptr<TGfxBitmapListItem> Item)
{
    items_.push_back(Item ? std::move(Item) : std::make_unique<TGfxBitmapListItem>());
    return Count() - 1;
}

void TGfxBitmapList::Clear()
{
    items_.clear();
}

void TGfxBitmapList::SetListIndex(int Index)
{
    if (Index == listIndex_) return;
    if (Index >= Count()) throw EInvalidOperation(QStringLiteral("List index out of bounds (%d)"));
    listIndex_ = Index;
}

QImage TGfxBitmapList::CurrentBitmap() const
{
    const TGfxBitmapListItem* item = Items(listIndex_);
    return item ? item->Bitmap : QImage();
}
