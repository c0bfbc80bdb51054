#pragma once
// TGfxBitmapList: a list of bitmaps with a current item.
//
// Stand-in: the library's bitmap list replaces this class. It keeps only
// what the windows use: items that each hold one bitmap, added in order,
// and the current item `ListIndex` with its bitmap. Nothing is stored in or
// read from window descriptions, and no change links exist.

#include "platform/gfx_object_base.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class TGfxBitmapListItem {
public:
    QImage Bitmap;
    QString Description;
    uint16_t Ident = 0;
};

class TGfxBitmapList : public TComponent {
public:
    explicit TGfxBitmapList(QObject* AOwner = nullptr);
    ~TGfxBitmapList() override;

    int Count() const { return int(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    // The item at `Index` (null outside the list).
    TGfxBitmapListItem* Items(int Index) const;
    // Appends `Item` (taken over), or a new empty item when none is given;
    // gives its index.
    int AddItem(std::unique_ptr<TGfxBitmapListItem> Item = nullptr);
    void Clear();

    int ListIndex() const { return listIndex_; }
    // An index at or beyond the count raises EInvalidOperation with the
    // text "List index out of bounds (%d)" as it stands, and the current
    // index keeps its value.
    void SetListIndex(int Index);
    // The bitmap of the current item (an empty image when there is none).
    QImage CurrentBitmap() const;

private:
    std::vector<std::unique_ptr<TGfxBitmapListItem>> items_;
    int listIndex_ = 0;
};
