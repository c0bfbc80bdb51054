#pragma once
// What the library's control bases link to beside their children, shared by
// the windowless and the windowed base:
// - TGfxControlImageLink: one of the library's image lists with ImageIndex
//   and ListIndex. The list link and its stored form are TGfxImageListLink
//   (gfx_bitmaplist.h); the control also asks for the list's free
//   notification, so that a freed list is dropped and the control repaints.
// - TGfxControlEffects: the control's bitmap-effect object (gfx_fill.h),
//   with the free notification of its alpha object's image list.
//
// A freed list is reported once it is gone (a queued call on the control):
// while the list's destruction runs, nothing of it may be touched.

#include "gfx_bitmaplist.h"
#include "gfx_fill.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TGfxControlImageLink {
public:
    // Changed(Sender): the list (Sender) changed, or the link or an index
    // did (Sender none). Owner is the control; Context the same control as
    // an object, for the report of a freed list.
    TGfxControlImageLink(TComponentBase& Owner, QObject* Context, std::function<void(TObject* Sender)> Changed);
    ~TGfxControlImageLink();
    TGfxControlImageLink(const TGfxControlImageLink&) = delete;
    TGfxControlImageLink& operator=(const TGfxControlImageLink&) = delete;

    TGfxCustomImageList* ImageList() const { return link_.List(); }
    // Leaves the old list, links the new one (and asks for its free
    // notification), then reports the change.
    void SetImageList(TGfxCustomImageList* Value);
    int ImageIndex() const { return index_[0]; }
    int ListIndex() const { return index_[1]; }
    // Index 0 ImageIndex, 1 ListIndex. A negative or unchanged value is
    // ignored; the change is reported only while a list is linked.
    void SetIndex(int Index, int Value);

    // No list, or the list has no image ListIndex, ImageIndex.
    bool ListBitmapMissing() const;
    // The owner's Notification: the linked list is being freed; the change
    // is reported once it is gone. True when it was the linked list.
    bool ListFreed(TComponentBase* Component);

    // The stored form: ImageList, or "Internal" for a global list.
    const TGfxImageListLink& Link() const { return link_; }
    void ReadInternal(const QString& Tag) { SetImageList(GfxGlobalListOfTag(Tag)); }

private:
    TComponentBase& owner_;
    QObject* context_;
    std::function<void(TObject*)> changed_;
    TGfxImageListLink link_;
    // The list as a component, taken while it was whole: a list that is
    // being destroyed is only compared with it, never looked at.
    const TComponentBase* linked_ = nullptr;
    int index_[2] = {0, 0};
};

class TGfxControlEffects {
public:
    // Changed: the effect object changed (its buffer is already dropped).
    TGfxControlEffects(TComponentBase& Owner, QObject* Context, std::function<void(TObject* Sender)> Changed);
    ~TGfxControlEffects();
    TGfxControlEffects(const TGfxControlEffects&) = delete;
    TGfxControlEffects& operator=(const TGfxControlEffects&) = delete;

    TGfxBitmapEffectObject& Object() { return *effects_; }
    const TGfxBitmapEffectObject& Object() const { return *effects_; }
    // The owner's Notification: the alpha object's list is being freed;
    // unless the owner is being destroyed, the alpha object is set to no
    // list once it is gone.
    void ListFreed(TComponentBase* Component, bool OwnerDestroying);

private:
    // Asks for the free notification of the alpha object's current list.
    void FollowAlphaList();

    TComponentBase& owner_;
    QObject* context_;
    std::function<void(TObject*)> changed_;
    std::unique_ptr<TGfxBitmapEffectObject> effects_;
    TGfxCustomImageList* followed_ = nullptr;
    const TComponentBase* followedAs_ = nullptr;  // the same, as a component
};
