#include "gfx_containers.h"

#include "gfx_object.h"
#include "gfx_propstream.h"
#include "gfx_strings.h"
#include "platform/gfx_platform.h"
#include "platform/gfx_stream.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

[[noreturn]] void ReadError() { throw EReadError(QString::fromLatin1(GfxReadErrorText)); }

// The items reserved at first when a stream cannot tell how much it holds.
constexpr std::int32_t ItemsReservedUnsized = 64;

struct ListKindName {
    const char* header;
    const char* ext;
};
constexpr std::array<ListKindName, lkUnknown> ListKinds = {{
    {"GfxIML30", "iml"},
    {"GfxBML30", "bmp"},
    {"GfxWVL30", "wav"},
    {"GfxSLL30", "txt"},
    {"GfxGLL50", "*"},
    {"GfxRTL50", "rtf"},
}};

// Holds a component's change notification back for a scope; Change runs
// once at the end, whether the scope ends normally or by an exception.
class UpdateScope {
public:
    explicit UpdateScope(TGfxCustomComponent& c) : c_(c) { c_.Updating = true; }
    ~UpdateScope()
    {
        c_.Updating = false;
        try {
            c_.Change();
        } catch (...) {
            GfxHandleException();
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TGfxCustomComponent& c_;
};

}  // namespace

std::uint32_t GfxSavePixelFormatColours(TGfxSavePixelFormat format)
{
    switch (format) {
    case spfMono: return 2;
    case spf4bit: return 16;
    case spf8bit: return 256;
    default: return GfxOwnImage;
    }
}

TGfxSavePixelFormat GfxFlagsPixelFormat(std::uint8_t flags)
{
    if (flags & gifMono)
        return spfMono;
    if (flags & gif4bit)
        return spf4bit;
    if (flags & gif8bit)
        return spf8bit;
    return spfDefault;
}

std::uint8_t GfxPixelFormatFlags(TGfxSavePixelFormat format)
{
    switch (format) {
    case spfMono: return gifMono;
    case spf4bit: return gif4bit;
    case spf8bit: return gif8bit;
    default: return 0;
    }
}

// ------------------------------------------------------------ change link

TGfxChangeLink::~TGfxChangeLink()
{
    if (sender_)
        sender_->UnRegisterChanges(this);
}

void TGfxChangeLink::Change()
{
    if (OnChange)
        OnChange(sender_);
}

// ------------------------------------------------------------ containers

TGfxBaseContainer::TGfxBaseContainer(QObject* AOwner) : TGfxCustomComponent(AOwner) {}

TGfxBaseContainer::~TGfxBaseContainer()
{
    Destroying();
    while (!links_.empty())
        UnRegisterChanges(links_.back());
}

void TGfxBaseContainer::RegisterChanges(TGfxChangeLink* Link)
{
    if (!Link || Link->sender_ == this)
        return;
    if (Link->sender_)
        Link->sender_->UnRegisterChanges(Link);
    Link->sender_ = this;
    links_.push_back(Link);
}

void TGfxBaseContainer::UnRegisterChanges(TGfxChangeLink* Link)
{
    if (!Link)
        return;
    links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
    if (Link->sender_ == this)
        Link->sender_ = nullptr;
}

void TGfxBaseContainer::DoChange()
{
    if (IsDestroying())
        return;
    // A link's handler may unregister links: walk a copy, and skip those
    // that have left meanwhile.
    const std::vector<TGfxChangeLink*> links = links_;
    for (TGfxChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    TGfxCustomComponent::DoChange();
}

TGfxCustomContainer::TGfxCustomContainer(QObject* AOwner, TGfxListKind Kind) : TGfxBaseContainer(AOwner), kind_(Kind) {}

TGfxCustomContainer::~TGfxCustomContainer()
{
    Destroying();
    for (TGfxListItem* item : std::exchange(items_, {})) {
        item->container_ = nullptr;
        delete item;
    }
}

QString TGfxCustomContainer::Directory() const
{
    if (directoryKind_ >= ppFixed) {
        const QString dir = QFileInfo(fileName_).path();
        return dir.endsWith(GfxPathDelim) ? dir : dir + GfxPathDelim;
    }
    return GfxGetPrefixDir(static_cast<TGfxPathPrefix>(directoryKind_), true);
}

TGfxListItem* TGfxCustomContainer::Items(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(items_.size()))
        throw EListError(GfxFormat(QString::fromLatin1(GfxListIndexErrorText), {Index}));
    return items_[static_cast<std::size_t>(Index)];
}

void TGfxCustomContainer::Clear()
{
    for (TGfxListItem* item : std::exchange(items_, {})) {
        item->container_ = nullptr;
        delete item;
    }
    Change();
}

TGfxListItem* TGfxCustomContainer::CreateDefaultItem()
{
    TGfxListItem* item = CreateItem();
    item->compressed_ = defaultCompressed_;
    item->pixelFormat_ = DefaultItemPixelFormat();
    return item;
}

int TGfxCustomContainer::AddListItem(TGfxListItem* Item)
{
    if (!Item)
        Item = CreateDefaultItem();
    if (Item->container_ == this)
        return static_cast<int>(std::find(items_.begin(), items_.end(), Item) - items_.begin());
    if (Item->container_)
        Item->container_->Detach(Item);
    Item->setParent(this);
    Item->container_ = this;
    items_.push_back(Item);
    Change();
    return static_cast<int>(items_.size()) - 1;
}

void TGfxCustomContainer::Detach(TGfxListItem* Item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
    Item->container_ = nullptr;
    if (!IsDestroying())
        Change();
}

std::vector<std::unique_ptr<TGfxListItem>> TGfxCustomContainer::ReadItems(QIODevice& Stream, bool SkipOffsets,
                                                                         bool Keep)
{
    const std::int32_t count = GfxReadInteger(Stream);
    // Every item takes at least its flag byte, every offset four bytes.
    const qint64 remaining = GfxStreamRemaining(Stream);
    const qint64 least = qint64{count} * (SkipOffsets ? 5 : 1);
    if (count < 0 || (remaining >= 0 && least > remaining))
        ReadError();
    if (SkipOffsets)
        GfxSkipBuffer(Stream, qint64{count} * 4);
    // The count is only what the stream claims: a stream of known size has
    // room for it (checked above); one that cannot tell its size gets a
    // small start, and the list grows as items really arrive.
    std::vector<std::unique_ptr<TGfxListItem>> read;
    if (Keep)
        read.reserve(static_cast<std::size_t>(remaining >= 0 ? count : std::min(count, ItemsReservedUnsized)));
    qint64 memory = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        std::unique_ptr<TGfxListItem> item(CreateItem());
        {
            // No object read for the list may take more than the whole list
            // may (a stream image also holds headers and colour tables, so
            // it is not held to what is left).
            TGfxReadLimit limit(maxMemory_);
            item->ReadData(Stream);
        }
        memory += item->MemorySize();
        if (memory > maxMemory_)
            ReadError();
        if (Keep)
            read.push_back(std::move(item));
    }
    return read;
}

void TGfxCustomContainer::LoadFromStream(QIODevice& Stream, bool SkipOffsets)
{
    // The old items and the new are never held together. A stream that
    // can seek is read through once to check it, each item freed as soon
    // as it is read, so that a stream that fails leaves the list as it
    // was; then the old items go and the new are read.
    if (!Stream.isSequential()) {
        const qint64 start = Stream.pos();
        (void)ReadItems(Stream, SkipOffsets, false);
        if (!Stream.seek(start))
            ReadError();
    }
    UpdateScope update(*this);
    Clear();
    std::vector<std::unique_ptr<TGfxListItem>> read = ReadItems(Stream, SkipOffsets, true);
    for (auto& item : read)
        AddListItem(item.release());
}

void TGfxCustomContainer::SaveToStream(QIODevice& Stream, bool WithOffsets) const
{
    const std::int32_t count = Count();
    GfxWriteInteger(Stream, count);
    if (!WithOffsets || count == 0) {
        for (const TGfxListItem* item : items_)
            item->WriteData(Stream);
        return;
    }
    const qint64 table = Stream.pos();
    for (std::int32_t i = 0; i < count; ++i)
        GfxWriteInteger(Stream, 0);
    std::vector<std::int32_t> offsets;
    for (const TGfxListItem* item : items_) {
        offsets.push_back(static_cast<std::int32_t>(Stream.pos()));
        item->WriteData(Stream);
    }
    const qint64 end = Stream.pos();
    if (!Stream.seek(table))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
    for (std::int32_t offset : offsets)
        GfxWriteInteger(Stream, offset);
    if (!Stream.seek(end))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
}

void TGfxCustomContainer::LoadFromListFile(QIODevice& Stream, const QString& Name)
{
    if (GfxReadListKind(Stream) != kind_)
        throw Exception(GfxFormat(QStringLiteral("%s: %s"), {QStringLiteral("Cannot open file %s"), Name}));
    LoadFromStream(Stream, true);
}

void TGfxCustomContainer::SaveToListFile(QIODevice& Stream) const
{
    GfxWriteShortString(Stream, GfxListFileHeader(kind_));
    SaveToStream(Stream, true);
}

void TGfxCustomContainer::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    GfxOpenStoredFile(file, GfxMaxListFileSize);
    LoadFromListFile(file, FileName);
}

void TGfxCustomContainer::SaveToFile(const QString& FileName) const
{
    QFile file(FileName);
    GfxCreateFile(file);
    SaveToListFile(file);
}

void TGfxCustomContainer::AssignDefaults(const TGfxCustomContainer& Source)
{
    defaultCompressed_ = Source.defaultCompressed_;
}

void TGfxCustomContainer::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        return;
    }
    const auto* list = dynamic_cast<const TGfxCustomContainer*>(Source);
    if (!list || typeid(*list) != typeid(*this))
        GfxAssignError(Source, this);
    // Copies first, so that a copy that fails leaves this list as it was.
    std::vector<std::unique_ptr<TGfxListItem>> copies;
    for (const TGfxListItem* item : list->items_) {
        std::unique_ptr<TGfxListItem> copy(CreateItem());
        copy->Assign(item);
        copies.push_back(std::move(copy));
    }
    UpdateScope update(*this);
    Clear();
    AssignDefaults(*list);
    for (auto& copy : copies)
        AddListItem(copy.release());
}

void TGfxCustomContainer::GetChildren(const std::function<void(TComponent*)>& Proc) const
{
    for (TGfxListItem* item : items_)
        Proc(item);
}

// ----------------------------------------------------------------- items

TGfxListItem::TGfxListItem(QObject* AOwner) : TGfxCustomComponent(AOwner) {}

TGfxListItem::~TGfxListItem()
{
    Destroying();
    if (container_)
        container_->Detach(this);
}

void TGfxListItem::SetDescription(const QString& Value)
{
    if (description_ == Value)
        return;
    description_ = Value;
    Change();
}

void TGfxListItem::SetIdent(std::uint16_t Value)
{
    if (ident_ == Value)
        return;
    ident_ = Value;
    Change();
}

void TGfxListItem::SetCompressed(bool Value)
{
    if (compressed_ == Value)
        return;
    compressed_ = Value;
    Change();
}

void TGfxListItem::SetPixelFormat(TGfxSavePixelFormat Value)
{
    if (pixelFormat_ == Value)
        return;
    pixelFormat_ = Value;
    Change();
}

std::uint8_t TGfxListItem::GetFlags() const
{
    std::uint8_t flags = 0;
    if (compressed_)
        flags |= gifCompressed;
    if (!description_.isEmpty())
        flags |= gifDescription;
    if (ident_ != 0)
        flags |= gifIdent;
    flags |= GfxPixelFormatFlags(pixelFormat_);
    if (HasData() && !IsEmpty())
        flags |= gifData;
    return flags;
}

void TGfxListItem::WriteData(QIODevice& Stream) const
{
    const std::uint8_t flags = GetFlags();
    GfxWriteByte(Stream, flags);
    if (flags & gifDescription)
        GfxWriteShortString(Stream, description_);
    if (flags & gifIdent)
        GfxWriteInteger(Stream, ident_);
    WriteContent(Stream, flags);
}

void TGfxListItem::ReadData(QIODevice& Stream)
{
    const std::uint8_t flags = GfxReadByte(Stream);
    compressed_ = (flags & gifCompressed) != 0;
    pixelFormat_ = GfxFlagsPixelFormat(flags);
    description_ = (flags & gifDescription) ? GfxReadShortString(Stream) : QString();
    // The Ident is stored as an integer; the item keeps its low 16 bits.
    ident_ = (flags & gifIdent) ? static_cast<std::uint16_t>(GfxReadInteger(Stream)) : 0;
    Quietly([&] { ReadContent(Stream, flags); });
    Change();
}

void TGfxListItem::Assign(const TObject* Source)
{
    const auto* item = dynamic_cast<const TGfxListItem*>(Source);
    if (!item || typeid(*item) != typeid(*this))
        GfxAssignError(Source, this);
    description_ = item->description_;
    ident_ = item->ident_;
    compressed_ = item->compressed_;
    pixelFormat_ = item->pixelFormat_;
}

void TGfxListItem::Quietly(const std::function<void()>& step)
{
    Updating = true;
    try {
        step();
    } catch (...) {
        Updating = false;
        throw;
    }
    Updating = false;
}

void TGfxListItem::DoChange()
{
    if (Updating || IsDestroying())
        return;
    TGfxCustomComponent::DoChange();
    if (container_ && !container_->IsDestroying() && container_->OnChange)
        container_->OnChange(this);
}

// ------------------------------------------------------------- list files

QString GfxListFileHeader(TGfxListKind Kind)
{
    return Kind < lkUnknown ? QString::fromLatin1(ListKinds[Kind].header) : QString();
}

QString GfxListFileExt(TGfxListKind Kind, bool WithDot)
{
    if (Kind >= lkUnknown)
        return QString();
    const QString ext = QString::fromLatin1(ListKinds[Kind].ext);
    return WithDot ? QLatin1Char('.') + ext : ext;
}

TGfxListKind GfxReadListKind(QIODevice& Stream)
{
    const QString header = GfxReadShortString(Stream);
    for (std::size_t k = 0; k < ListKinds.size(); ++k)
        if (header == QLatin1String(ListKinds[k].header))
            return static_cast<TGfxListKind>(k);
    return lkUnknown;
}

TGfxListKind GfxReadListHeader(QIODevice& Stream, int& Count, std::vector<std::int32_t>* Offsets)
{
    Count = 0;
    const TGfxListKind kind = GfxReadListKind(Stream);
    if (kind == lkUnknown)
        return kind;
    const std::int32_t count = GfxReadInteger(Stream);
    const qint64 remaining = GfxStreamRemaining(Stream);
    if (count < 0 || (remaining >= 0 && qint64{count} * (Offsets ? 5 : 1) > remaining))
        ReadError();
    Count = count;
    if (!Offsets)
        return kind;
    Offsets->clear();
    const qint64 size = Stream.isSequential() ? -1 : Stream.size();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t offset = GfxReadInteger(Stream);
        if (offset < 0 || (size >= 0 && offset >= size))
            ReadError();
        Offsets->push_back(offset);
    }
    return kind;
}
