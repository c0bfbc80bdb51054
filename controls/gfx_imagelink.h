#pragma once
// TGfxControlImageLink: how a control follows one of the library's image lists
// (TGfxCustomImageList). The windowless and the windowed control bases both
// hold one: the list (not owned), ImageIndex and ListIndex, and a change
// link registered with the list. The owner hears every change of the list
// and every change of the link through one callback, and asks to be told
// when the list is freed (its Notification passes that on to ListFreed).
//
// Stored form: a list of the library's global container travels as the
// property "Internal", the tag of the global list ("GfxBML30" for the
// bitmap list, "GfxIML30" for the image list); any other list is stored as
// the published ImageList.

#include "gfx_bitmaplist.h"
#include "gfx_containers.h"

#include <QString>

#include <functional>

class TGfxControlImageLink {
public:
    // Changed(Sender): the list (Sender) changed, or the link or an index
    // did (Sender none).
    TGfxControlImageLink(TComponentBase& Owner, std::function<void(TObject* Sender)> Changed);
    ~TGfxControlImageLink();
    TGfxControlImageLink(const TGfxControlImageLink&) = delete;
    TGfxControlImageLink& operator=(const TGfxControlImageLink&) = delete;

    TGfxCustomImageList* ImageList() const { return list_; }
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
    // The owner's Notification: a freed list that is the linked one is
    // unlinked (and the change reported); true when it was.
    bool ListFreed(TComponentBase* Component);

    // The stored form.
    bool IsGlobalList() const;
    bool ImageListStored() const { return list_ && !IsGlobalList(); }
    bool InternalStored() const { return list_ && IsGlobalList(); }
    QString InternalTag() const;
    // Links the global list of that tag; any other tag unlinks.
    void ReadInternal(const QString& Tag);

private:
    TComponentBase& owner_;
    std::function<void(TObject*)> changed_;
    TGfxCustomImageList* list_ = nullptr;
    int index_[2] = {0, 0};
    TGfxChangeLink link_;
};
