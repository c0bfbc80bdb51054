#include "gfx_imagelink.h"

#include <QMetaObject>

TGfxControlImageLink::TGfxControlImageLink(TComponentBase& Owner, QObject* Context,
                                           std::function<void(TObject*)> Changed)
    : owner_(Owner), context_(Context), changed_(std::move(Changed)), link_([this](TObject* Sender) {
          if (changed_)
              changed_(Sender);
      })
{
}

TGfxControlImageLink::~TGfxControlImageLink()
{
    changed_ = nullptr;
    if (TGfxCustomImageList* list = link_.List()) {
        link_.SetList(nullptr);
        list->RemoveFreeNotification(&owner_);
    }
}

void TGfxControlImageLink::SetImageList(TGfxCustomImageList* Value)
{
    if (TGfxCustomImageList* old = link_.List(); old && old != Value)
        old->RemoveFreeNotification(&owner_);
    link_.SetList(Value);
    linked_ = Value;
    if (Value)
        Value->FreeNotification(&owner_);
    if (changed_)
        changed_(nullptr);
}

void TGfxControlImageLink::SetIndex(int Index, int Value)
{
    if (Index < 0 || Index > 1 || Value < 0 || index_[Index] == Value)
        return;
    index_[Index] = Value;
    if (link_.List() && changed_)
        changed_(nullptr);
}

bool TGfxControlImageLink::ListBitmapMissing() const
{
    const TGfxCustomImageList* list = link_.List();
    return !list || !list->IsValidImage(index_[1], index_[0]);
}

bool TGfxControlImageLink::ListFreed(TComponentBase* Component)
{
    if (!Component || Component != linked_)
        return false;
    linked_ = nullptr;
    // The link lets go of the list by itself once the list is gone.
    QMetaObject::invokeMethod(
        context_,
        [this] {
            if (!link_.List() && changed_)
                changed_(nullptr);
        },
        Qt::QueuedConnection);
    return true;
}

TGfxControlEffects::TGfxControlEffects(TComponentBase& Owner, QObject* Context,
                                       std::function<void(TObject*)> Changed)
    : owner_(Owner), context_(Context), changed_(std::move(Changed)),
      effects_(std::make_unique<TGfxBitmapEffectObject>())
{
    effects_->OnChange = [this](TObject* Sender) {
        FollowAlphaList();
        if (changed_)
            changed_(Sender);
    };
}

TGfxControlEffects::~TGfxControlEffects()
{
    effects_->OnChange = nullptr;
    changed_ = nullptr;
    if (followed_)
        followed_->RemoveFreeNotification(&owner_);
}

void TGfxControlEffects::FollowAlphaList()
{
    TGfxCustomImageList* list = effects_->AlphaBlend().ImageList();
    if (list == followed_)
        return;
    if (followed_)
        followed_->RemoveFreeNotification(&owner_);
    followed_ = list;
    followedAs_ = list;
    if (list)
        list->FreeNotification(&owner_);
}

void TGfxControlEffects::ListFreed(TComponentBase* Component, bool OwnerDestroying)
{
    if (!Component || Component != followedAs_)
        return;
    followed_ = nullptr;
    followedAs_ = nullptr;
    if (OwnerDestroying)
        return;
    QMetaObject::invokeMethod(
        context_,
        [this] {
            // The alpha object's link has let go of the list by now: setting
            // it to none clears the image it took from the list.
            if (!effects_->AlphaBlend().ImageList())
                effects_->AlphaBlend().SetImageList(nullptr);
        },
        Qt::QueuedConnection);
}
