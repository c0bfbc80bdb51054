#pragma once
// The bases of the library's list components (bitmap, image, string and
// wave lists): change links that let other objects follow a list, the
// container with its owned items, the item with its stored header, and the
// list files that hold a whole list.
//
// Stored forms (integers 32-bit little-endian, see gfx_propstream.h):
//   item       a flag byte (gifCompressed, gifDescription, gifIdent,
//              gifData, and one of gifMono, gif4bit, gif8bit for the pixel
//              format), the Description as a short string when
//              gifDescription is set, the Ident as an integer when gifIdent
//              is set, then the item's own data
//   container  the item count, with offsets a table of one integer per item
//              (each item's start position in the stream), then the items
//   list file  a short string of 8 characters naming the kind ("GfxBML30"
//              for a bitmap list), then the container with offsets
//
// Stored data is untrusted: counts and offsets are checked against what
// the stream still holds (EReadError "Stream read error"), an item index
// outside a list is EListError "List index out of bounds (<index>)", and a
// list that fails to load from a stream that can seek (a file, a buffer)
// keeps the items it had. A list is bounded as a
// whole: its items may take at most GfxMaxListMemory bytes in memory
// (pictures, sound and texts together; no object read for it may take
// more either), and a list file is read only when
// it is a regular file of at most GfxMaxListFileSize bytes (EFOpenError
// otherwise). A load never holds the old items and the new ones at once:
// the stream is read through and checked first, item by item, each freed
// again, and only then are the old items replaced.
//
// Items are owned by their container (their QObject parent) and freed by
// it; an item freed on its own leaves its container's list. A container
// that is destroyed unregisters every change link first, so no link points
// to a freed list; a component that keeps a pointer to a list asks for the
// list's free notification (TComponent::FreeNotification).

#include "gfx_component.h"
#include "gfx_geometry.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The most a list's items may take in memory, and the largest list file
// read. Far above any real list (the About window's five pictures take
// 20 KB).
constexpr qint64 GfxMaxListMemory = qint64{64} << 20;
constexpr qint64 GfxMaxListFileSize = qint64{16} << 20;

class TGfxBaseContainer;
class TGfxCustomContainer;

enum TGfxSavePixelFormat : std::uint8_t { spfDefault, spfMono, spf4bit, spf8bit };

// The list kinds, in the order of the list-file headers; lkUnknown for a
// header that is none of them.
enum TGfxListKind : std::uint8_t { lkImageList, lkBitmapList, lkWaveList, lkStringList, lkGLL, lkRTL, lkUnknown };

// The flag byte of a stored item.
constexpr std::uint8_t gifCompressed = 0x01;
constexpr std::uint8_t gifDescription = 0x02;
constexpr std::uint8_t gifIdent = 0x04;
constexpr std::uint8_t gifData = 0x08;
constexpr std::uint8_t gifMono = 0x10;
constexpr std::uint8_t gif4bit = 0x20;
constexpr std::uint8_t gif8bit = 0x40;

// The colours argument of GfxWriteBitmap for a pixel format.
std::uint32_t GfxSavePixelFormatColours(TGfxSavePixelFormat format);
// The pixel format of an item header's flags, and the flags of one.
TGfxSavePixelFormat GfxFlagsPixelFormat(std::uint8_t flags);
std::uint8_t GfxPixelFormatFlags(TGfxSavePixelFormat format);

// ------------------------------------------------------------ change link
class TGfxChangeLink : public TObject {
public:
    TGfxChangeLink() = default;
    // Unregisters from the container it is registered with.
    ~TGfxChangeLink() override;
    TGfxChangeLink(const TGfxChangeLink&) = delete;
    TGfxChangeLink& operator=(const TGfxChangeLink&) = delete;

    // The container the link is registered with, or none.
    TGfxBaseContainer* Sender() const { return sender_; }
    TNotifyEvent OnChange;
    // OnChange(Sender) when set.
    virtual void Change();

private:
    friend class TGfxBaseContainer;
    TGfxBaseContainer* sender_ = nullptr;
};

// ------------------------------------------------------------ containers
class TGfxBaseContainer : public TGfxCustomComponent {
public:
    explicit TGfxBaseContainer(QObject* AOwner = nullptr);
    // Unregisters every link, from the last.
    ~TGfxBaseContainer() override;

    // Sets the link's Sender and appends it. A link registered with another
    // container leaves that one first; a link already here stays once.
    void RegisterChanges(TGfxChangeLink* Link);
    // Removes the link and clears its Sender.
    void UnRegisterChanges(TGfxChangeLink* Link);
    const std::vector<TGfxChangeLink*>& Links() const { return links_; }

    // Every link's Change in order, then the container's own OnChange
    // unless it is updating.
    void DoChange() override;

private:
    std::vector<TGfxChangeLink*> links_;
};

class TGfxListItem;

class TGfxCustomContainer : public TGfxBaseContainer {
public:
    ~TGfxCustomContainer() override;

    TGfxListKind ListKind() const { return kind_; }

    bool DefaultCompressed() const { return defaultCompressed_; }
    void SetDefaultCompressed(bool Value) { defaultCompressed_ = Value; }
    // Where items of storage modes 1 to 4 are found (see
    // TGfxBitmapListItem::Bitmap): the directory kind (a TGfxPathPrefix;
    // ppFixed means the directory of FileName), the mode and the file name.
    std::uint8_t DirectoryKind() const { return directoryKind_; }
    void SetDirectoryKind(std::uint8_t Value) { directoryKind_ = Value; }
    std::uint8_t StorageMode() const { return storageMode_; }
    void SetStorageMode(std::uint8_t Value) { storageMode_ = Value; }
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& Value) { fileName_ = Value; }
    // The directory of the directory kind, with a trailing separator.
    QString Directory() const;

    // The most the list's items may take in memory when it loads:
    // GfxMaxListMemory, or less when set lower (never more).
    qint64 MaxMemory() const { return maxMemory_; }
    void SetMaxMemory(qint64 Value) { maxMemory_ = std::clamp<qint64>(Value, 0, GfxMaxListMemory); }

    virtual int Count() const { return static_cast<int>(items_.size()); }
    virtual bool IsEmpty() const { return items_.empty(); }
    // EListError "List index out of bounds (<index>)" outside the list.
    TGfxListItem* Items(int Index) const;
    // Frees every item and notifies.
    void Clear();

    // The container stream. Loading clears the list and reads the items
    // inside one update that ends with one notification; a stream that
    // fails, or whose items would take more than MaxMemory, leaves
    // the list as it was (EReadError). A stream that can seek is read
    // twice, first only to check it; from one that cannot, the old items
    // are cleared before the new ones are read.
    virtual void LoadFromStream(QIODevice& Stream, bool SkipOffsets);
    virtual void SaveToStream(QIODevice& Stream, bool WithOffsets) const;
    // The list file. A file of another kind is Exception "Cannot open file
    // %s: <name>" (the library's own wording).
    void LoadFromListFile(QIODevice& Stream, const QString& Name);
    void SaveToListFile(QIODevice& Stream) const;
    // Only a regular file of at most GfxMaxListFileSize bytes is read.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;

    // From a list of the same class: inside one update, clears, copies the
    // defaults and adds a copy of every item. None clears.
    virtual void Assign(const TObject* Source);
    // Hands every item to the form writer, in order (items are stored as
    // the list's child components).
    void GetChildren(const std::function<void(TComponent*)>& Proc) const;

protected:
    TGfxCustomContainer(QObject* AOwner, TGfxListKind Kind);
    // A new item of the list's item class, owned by the container but not
    // yet in its list.
    virtual TGfxListItem* CreateItem() = 0;
    // The pixel format of the items AddItem makes.
    virtual TGfxSavePixelFormat DefaultItemPixelFormat() const { return spfDefault; }
    // Appends the item (taken over), or a new default item when none is
    // given; returns its index; notifies.
    int AddListItem(TGfxListItem* Item);
    // The defaults that Assign copies beside the items.
    virtual void AssignDefaults(const TGfxCustomContainer& Source);

private:
    friend class TGfxListItem;
    void Detach(TGfxListItem* Item);
    // A new item with the container's defaults, for AddItem without one.
    TGfxListItem* CreateDefaultItem();
    // Reads the count, the offset table when asked, and the items, within
    // the list's memory bound; the items are given back only with Keep.
    std::vector<std::unique_ptr<TGfxListItem>> ReadItems(QIODevice& Stream, bool SkipOffsets, bool Keep);

    bool defaultCompressed_ = false;
    qint64 maxMemory_ = GfxMaxListMemory;
    std::vector<TGfxListItem*> items_;
    std::uint8_t directoryKind_ = ppProgram;
    std::uint8_t storageMode_ = 0;
    QString fileName_;
    TGfxListKind kind_;
};

// ----------------------------------------------------------------- items
class TGfxListItem : public TGfxCustomComponent {
public:
    explicit TGfxListItem(QObject* AOwner = nullptr);
    // Leaves its container's list (which then notifies).
    ~TGfxListItem() override;

    QString Description() const { return description_; }
    void SetDescription(const QString& Value);
    std::uint16_t Ident() const { return ident_; }
    void SetIdent(std::uint16_t Value);
    // Whether the item's data is stored compressed.
    bool Compressed() const { return compressed_; }
    void SetCompressed(bool Value);
    // The depth the item's pictures are stored at (a header field; string
    // and wave items only carry it).
    TGfxSavePixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TGfxSavePixelFormat Value);
    // The container whose list holds the item, or none.
    TGfxCustomContainer* Container() const { return container_; }

    virtual void Clear() {}
    virtual bool IsEmpty() const { return false; }
    // The bytes the item's content takes in memory (pictures, sound,
    // texts); what bounds a list as a whole.
    virtual qint64 MemorySize() const { return 0; }
    // The binary property "Internal": the header, then the item's data
    // (ReadContent, WriteContent). Reading notifies once, at the end.
    virtual void ReadData(QIODevice& Stream);
    virtual void WriteData(QIODevice& Stream) const;
    // The header's flag byte: gifDescription with a Description, gifIdent
    // with an Ident, gifCompressed from the flag, the pixel format's flag,
    // gifData for an item with data that is not empty.
    virtual std::uint8_t GetFlags() const;
    // From an item of the same class: the header fields and the data.
    virtual void Assign(const TObject* Source);

    // The item's own OnChange, then its container's OnChange with the item
    // as Sender (whether or not the container is updating); neither while
    // the item is updating.
    void DoChange() override;

protected:
    // The item's data after the header, read with notification held back.
    virtual void ReadContent(QIODevice& Stream, std::uint8_t Flags)
    {
        (void)Stream;
        (void)Flags;
    }
    virtual void WriteContent(QIODevice& Stream, std::uint8_t Flags) const
    {
        (void)Stream;
        (void)Flags;
    }
    // Items with data set gifData when they are not empty.
    virtual bool HasData() const { return false; }
    // Runs the step with the item's notification held back (also when it
    // throws); the caller notifies afterwards as it sees fit.
    void Quietly(const std::function<void()>& step);

private:
    friend class TGfxCustomContainer;
    QString description_;
    std::uint16_t ident_ = 0;
    bool compressed_ = false;
    TGfxSavePixelFormat pixelFormat_ = spfDefault;
    TGfxCustomContainer* container_ = nullptr;
};

// A list class's typed face: items of one class, added as owned pointers.
template <class Base, class Item>
class TGfxItemList : public Base {
public:
    Item* Items(int Index) const { return static_cast<Item*>(Base::Items(Index)); }
    int AddItem(std::unique_ptr<Item> NewItem = nullptr) { return this->AddListItem(NewItem.release()); }

protected:
    using Base::Base;
    TGfxListItem* CreateItem() override { return new Item(this); }
};

// ------------------------------------------------------------- list files
// The header text of a kind ("GfxBML30"); empty for lkUnknown.
QString GfxListFileHeader(TGfxListKind Kind);
// The file extension of a kind ("bmp" for a bitmap list), with "." in
// front when asked.
QString GfxListFileExt(TGfxListKind Kind, bool WithDot);
// Reads the 9-byte header; lkUnknown for none of the six.
TGfxListKind GfxReadListKind(QIODevice& Stream);
// Reads the header and, for a known kind, the item count and (when
// offsets is given) the offset table, each offset checked to lie in the
// stream.
TGfxListKind GfxReadListHeader(QIODevice& Stream, int& Count, std::vector<std::int32_t>* Offsets);
