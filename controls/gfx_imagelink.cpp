#include "gfx_imagelink.h"

#include "gfx_imagelist.h"
#include "gfx_lists.h"

TGfxControlImageLink::TGfxControlImageLink(TComponentBase& Owner, std::function<void(TObject*)> Changed)
    : owner_(Owner), changed_(std::move(Changed))
{
    link_.OnChange = [this](TObject* Sender) {
        if (changed_)
            changed_(Sender);
    };
}

TGfxControlImageLink::~TGfxControlImageLink()
{
    link_.OnChange = nullptr;
    changed_ = nullptr;
    if (list_) {
        list_->UnRegisterChanges(&link_);
        list_->RemoveFreeNotification(&owner_);
    }
}

void TGfxControlImageLink::SetImageList(TGfxCustomImageList* Value)
{
    if (list_) {
        list_->UnRegisterChanges(&link_);
        list_->RemoveFreeNotification(&owner_);
    }
    list_ = Value;
    if (list_) {
        list_->RegisterChanges(&link_);
        list_->FreeNotification(&owner_);
    }
    if (changed_)
        changed_(nullptr);
}

void TGfxControlImageLink::SetIndex(int Index, int Value)
{
    if (Index < 0 || Index > 1 || Value < 0 || index_[Index] == Value)
        return;
    index_[Index] = Value;
    if (list_ && changed_)
        changed_(nullptr);
}

bool TGfxControlImageLink::ListBitmapMissing() const
{
    return !list_ || !list_->IsValidImage(index_[1], index_[0]);
}

bool TGfxControlImageLink::ListFreed(TComponentBase* Component)
{
    if (!list_ || Component != list_)
        return false;
    // The list unregisters its links as it goes; forget it without
    // touching it.
    list_ = nullptr;
    if (changed_)
        changed_(nullptr);
    return true;
}

bool TGfxControlImageLink::IsGlobalList() const
{
    return list_ && GfxContainer &&
           (list_ == GfxContainer->BitmapList() || list_ == GfxContainer->ImageList());
}

QString TGfxControlImageLink::InternalTag() const
{
    if (!GfxContainer || !list_)
        return QString();
    if (list_ == GfxContainer->BitmapList())
        return GfxListFileHeader(lkBitmapList);
    if (list_ == GfxContainer->ImageList())
        return GfxListFileHeader(lkImageList);
    return QString();
}

void TGfxControlImageLink::ReadInternal(const QString& Tag)
{
    TGfxCustomImageList* found = nullptr;
    if (GfxContainer) {
        if (Tag == GfxListFileHeader(lkBitmapList))
            found = GfxContainer->BitmapList();
        else if (Tag == GfxListFileHeader(lkImageList))
            found = GfxContainer->ImageList();
    }
    SetImageList(found);
}
