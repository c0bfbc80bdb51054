#pragma once
// TGfxBitmapList: a list of bitmaps with a current item, stored in its
// window's description; and TGfxCustomImageList, the face that the bitmap
// and image lists share (one current item, images drawn by index).
//
// A bitmap item's binary property "Internal" is the item header (see
// gfx_containers.h), then, when the bitmap is not empty, the bitmap in the
// object form of gfx_propstream.h, compressed when the item is, at the
// depth of its pixel format: spfDefault the bitmap's own stream image,
// spfMono 2 colours, spf4bit 16, spf8bit 256. A 64 x 64 bitmap of 16
// colours in its own format is 2171 bytes: flag 8, the length 2166, and the
// bitmap file image.

#include "gfx_containers.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"

#include <QPointer>

#include <memory>

class TGfxCustomImageList : public TGfxCustomContainer {
public:
    int ListIndex() const { return listIndex_; }
    // An index equal to the current one does nothing; one outside the list
    // (negative, or not below the count) is EInvalidGraphicOperation with
    // the text "List index out of bounds (%d)" as it stands, and the index
    // keeps its value.
    void SetListIndex(int Index);
    TGfxSavePixelFormat DefaultPixelFormat() const { return defaultPixelFormat_; }
    void SetDefaultPixelFormat(TGfxSavePixelFormat Value) { defaultPixelFormat_ = Value; }

    // The images of an item. A ListIndex outside the list gives the
    // fallback noted for each.
    virtual TGfxCanvas* GetCanvas(int ListIndex) = 0;                         // none
    virtual TRect GetImageRect(int ListIndex, int ImageIndex) const = 0;      // empty
    virtual int GetDimension(int ListIndex, int Which) const = 0;             // 0 (0 width, 1 height)
    virtual int GetImageCount(int ListIndex) const = 0;
    virtual bool IsValidImage(int ListIndex, int ImageIndex) const = 0;       // false
    virtual void GetBitmap(int ListIndex, int ImageIndex, TGfxBitmap* Target) = 0;
    virtual bool GetMasked(int ListIndex) const = 0;                          // false
    virtual TGfxPalette GetPalette(int ListIndex) const = 0;                  // no entries
    virtual TColor GetTransparentColor(int ListIndex, int ImageIndex) const = 0;  // 0xFFFFFF
    virtual TColor GetPixel(TPoint Point, int ListIndex, int ImageIndex) const = 0;  // 0xFFFFFF
    // In its own size at (X, Y).
    virtual void Draw(TGfxCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) = 0;
    // Into Rect with the placement and transparency flags of the drawing
    // procedures (gfx_draw.h); DrawnRect receives the placed rectangle.
    virtual void DrawExt(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int ImageIndex,
                         unsigned Flags) = 0;
    // The same, clipped to Rect when Flags has gdbClip.
    virtual void DrawClipped(TGfxCanvas& Canvas, const TRect& Rect, TRect& DrawnRect, int ListIndex, int ImageIndex,
                             unsigned Flags) = 0;

protected:
    using TGfxCustomContainer::TGfxCustomContainer;
    bool InList(int Index) const { return Index >= 0 && Index < Count(); }
    void AssignDefaults(const TGfxCustomContainer& Source) override;
    TGfxSavePixelFormat DefaultItemPixelFormat() const override { return defaultPixelFormat_; }

private:
    int listIndex_ = 0;
    TGfxSavePixelFormat defaultPixelFormat_ = spfDefault;
};

// How a link to one of the global container's image lists is stored in a
// window description: as the list's tag in the property "Internal"
// ("GfxBML30" for the bitmap list, "GfxIML30" for the image list). Empty
// for any other list, and none for a tag that names neither.
QString GfxGlobalListTag(const TGfxCustomImageList* List);
TGfxCustomImageList* GfxGlobalListOfTag(const QString& Tag);

// An object's link to an image list: the list (none once it is freed), a
// change link registered with it that calls OnChange, and the stored form
// of the link.
class TGfxImageListLink {
public:
    explicit TGfxImageListLink(TNotifyEvent OnChange);
    TGfxImageListLink(const TGfxImageListLink&) = delete;
    TGfxImageListLink& operator=(const TGfxImageListLink&) = delete;

    TGfxCustomImageList* List() const { return list_; }
    // Leaves the old list and follows the new one (or none).
    void SetList(TGfxCustomImageList* Value);
    // Holds the list without following its changes (what a copy takes).
    void HoldList(TGfxCustomImageList* Value);

    // The published ImageList is stored for a list outside the global
    // container; one of the global container's travels as its tag in the
    // non-published "Internal".
    bool ListStored() const { return list_ && GfxGlobalListTag(list_).isEmpty(); }
    bool InternalStored() const { return !GfxGlobalListTag(list_).isEmpty(); }
    QString WriteInternal() const { return GfxGlobalListTag(list_); }
    void ReadInternal(const QString& Tag) { SetList(GfxGlobalListOfTag(Tag)); }

private:
    QPointer<TGfxCustomImageList> list_;
    TGfxChangeLink link_;
};

class TGfxBitmapListItem : public TGfxListItem {
public:
    explicit TGfxBitmapListItem(QObject* AOwner = nullptr);

    // The bitmap. An empty one is loaded on first use (not while designing
    // or loading) by the container's storage mode, inside an update that
    // ends without notification:
    //   0  stored in the window description: nothing to load
    //   1  item Ident of the bitmap list file Directory + FileName
    //   2  the program's bitmap resource ":/bitmaps/<Ident>.bmp"
    //   3  only checks that the file Directory + the first three characters
    //      of the file name + Ident + ".bmp" can be opened
    //   4  that bitmap file
    TGfxBitmap* Bitmap();
    const TGfxBitmap& StoredBitmap() const { return bitmap_; }
    // Copies the picture (none empties it).
    void SetBitmap(const TGfxBitmap* Value) { bitmap_.Assign(Value); }

    void Clear() override { bitmap_.Assign(nullptr); }
    bool IsEmpty() const override { return bitmap_.Empty(); }
    qint64 MemorySize() const override { return bitmap_.MemorySize(); }
    void Assign(const TObject* Source) override;

protected:
    bool HasData() const override { return true; }
    void ReadContent(QIODevice& Stream, std::uint8_t Flags) override;
    void WriteContent(QIODevice& Stream, std::uint8_t Flags) const override;

private:
    void LoadByStorageMode();
    void LoadFromStorage(const TGfxCustomContainer& list);

    TGfxBitmap bitmap_;
};

class TGfxBitmapList : public TGfxItemList<TGfxCustomImageList, TGfxBitmapListItem> {
public:
    explicit TGfxBitmapList(QObject* AOwner = nullptr);

    // The bitmap of the item at ListIndex (EListError when the list has no
    // such item).
    TGfxBitmap* CurrentBitmap() const;

    TGfxCanvas* GetCanvas(int ListIndex) override;
    TRect GetImageRect(int ListIndex, int ImageIndex) const override;
    int GetDimension(int ListIndex, int Which) const override;
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
    // The item's bitmap (loaded on first use) or none outside the list.
    TGfxBitmap* ItemBitmap(int ListIndex) const;
};

// Loads item Index of a bitmap list file into the target. A file of
// another kind is Exception "Cannot open file %s: <name>"; an index outside
// the file's list EListError "List index out of bounds (<index>)".
void GfxLoadListFileBitmap(QIODevice& Stream, const QString& Name, int Index, TGfxBitmap& Target);
void GfxLoadListFileBitmap(const QString& FileName, int Index, TGfxBitmap& Target);
