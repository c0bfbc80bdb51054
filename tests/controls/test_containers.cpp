// Containers and bitmap lists: the stored item and container forms byte
// for byte, list files, round trips of every list kind, the current index,
// change links and free notification, loading on first use, and corrupt
// stored lists.
#include "gfx_draw.h"
#include "gfx_lists.h"
#include "stream_helpers.h"

#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace streamtest;

namespace {

std::unique_ptr<TGfxBitmapListItem> BitmapItem(int w, int h, TGfxPixelFormat format,
                                               const QString& description = QString(), std::uint16_t ident = 0)
{
    auto item = std::make_unique<TGfxBitmapListItem>();
    TGfxBitmap b;
    Pattern(b, w, h, format);
    item->SetBitmap(&b);
    item->SetDescription(description);
    item->SetIdent(ident);
    return item;
}

QByteArray ItemBytes(const TGfxListItem& item)
{
    return Written([&](QIODevice& s) { item.WriteData(s); });
}

QByteArray ListFile(const TGfxCustomContainer& list)
{
    return Written([&](QIODevice& s) { list.SaveToListFile(s); });
}

// A bitmap list of n items of w x h in the format.
void FillBitmaps(TGfxBitmapList& list, int n, int w, int h, TGfxPixelFormat format)
{
    for (int i = 0; i < n; ++i)
        list.AddItem(BitmapItem(w + i % 3, h, format, QStringLiteral("item %1").arg(i), static_cast<std::uint16_t>(i)));
}

// Bitmap items that count how many of them live at once.
struct Alive {
    static inline int now = 0;
    static inline int most = 0;
    static void Reset() { most = now; }
};

class CountedItem : public TGfxBitmapListItem {
public:
    explicit CountedItem(QObject* AOwner = nullptr) : TGfxBitmapListItem(AOwner) { Alive::most = std::max(Alive::most, ++Alive::now); }
    ~CountedItem() override { --Alive::now; }
};

class CountedList : public TGfxBitmapList {
public:
    void Add(int n)
    {
        for (int i = 0; i < n; ++i) {
            std::unique_ptr<TGfxBitmapListItem> item(new CountedItem);
            TGfxBitmap b;
            Pattern(b, 4, 3, pf8bit);
            item->SetBitmap(&b);
            AddItem(std::move(item));
        }
    }

protected:
    TGfxListItem* CreateItem() override { return new CountedItem(this); }
};

// A bitmap list file of n copies of one stored item.
QByteArray ListFileOf(const QByteArray& item, int n)
{
    QByteArray file = Bytes({8}) + "GfxBML30" + Int(n);
    const qsizetype first = file.size() + 4 * qsizetype{n};
    for (int i = 0; i < n; ++i)
        file += Int(static_cast<std::int32_t>(first + i * item.size()));
    for (int i = 0; i < n; ++i)
        file += item;
    return file;
}

// A stream over given bytes that can neither seek nor tell its size, as a
// pipe.
class SequentialBytes : public QIODevice {
public:
    explicit SequentialBytes(QByteArray bytes) : bytes_(std::move(bytes)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 n = std::min(max, bytes_.size() - at_);
        std::memcpy(data, bytes_.constData() + at_, static_cast<std::size_t>(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};

// Runs `step` in a forked child whose address space may grow by at most
// `headroom` bytes beyond what it holds when it starts (an allocation past
// it fails); true when the child ran it to its end and it returned true.
bool RunWithinMemory(rlim_t headroom, const std::function<bool()>& step)
{
    const pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return false;
    }
    if (pid == 0) {
        rlim_t pages = 0;
        std::ifstream statm("/proc/self/statm");
        if (!(statm >> pages))
            ::_exit(3);
        const rlim_t size = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + headroom;
        const rlimit limit{size, size};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(3);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status)) << "the child died by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_NE(WEXITSTATUS(status), 3) << "no memory limit could be set";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// ------------------------------------------------------------ stored items

TEST(BitmapItem, StoredBytes)
{
    const auto plain = BitmapItem(64, 64, pf4bit);
    const QByteArray image = Written([&](QIODevice& s) { plain->Bitmap()->SaveToStream(s); });
    ASSERT_EQ(image.size(), 2166);
    // The About box's items: flag 8, then [integer 2166] and the image.
    EXPECT_EQ(ItemBytes(*plain), Bytes({8}) + Int(2166) + image);
    // A one-character Description and Ident 7: flag 14.
    const auto named = BitmapItem(64, 64, pf4bit, QStringLiteral("d"), 7);
    EXPECT_EQ(ItemBytes(*named), Bytes({14, 1, 'd'}) + Int(7) + Int(2166) + image);
    // An empty bitmap: the flag byte only, and back as empty.
    TGfxBitmapListItem empty;
    EXPECT_EQ(ItemBytes(empty), Bytes({0}));
    TGfxBitmapListItem back;
    back.SetBitmap(plain->Bitmap());
    back.SetDescription(QStringLiteral("old"));
    back.ReadData(*Over(Bytes({0})));
    EXPECT_TRUE(back.Bitmap()->Empty());
    EXPECT_EQ(back.Description(), QString());
}

TEST(BitmapItem, FlagsCarryCompressionAndPixelFormat)
{
    struct Case {
        bool compressed;
        TGfxSavePixelFormat format;
        int flags;
        int bits;
    };
    const Case cases[] = {
        {false, spfDefault, 8, 24}, {true, spfDefault, 9, 24}, {false, spfMono, 8 | 16, 1},
        {true, spf4bit, 9 | 32, 4}, {false, spf8bit, 8 | 64, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        auto item = BitmapItem(10, 6, pf24bit);
        item->SetCompressed(c.compressed);
        item->SetPixelFormat(c.format);
        const QByteArray bytes = ItemBytes(*item);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), c.flags);
        TGfxBitmapListItem back;
        auto in = Over(bytes);
        back.ReadData(*in);
        EXPECT_TRUE(in->atEnd());
        EXPECT_EQ(back.Compressed(), c.compressed);
        EXPECT_EQ(back.PixelFormat(), c.format);
        EXPECT_EQ(back.Bitmap()->BitsPerPixel(), c.bits);
        EXPECT_EQ(back.Bitmap()->Width(), 10);
    }
}

// ---------------------------------------------------- containers and files

TEST(BitmapList, ContainerStreamWithAndWithoutOffsets)
{
    TGfxBitmapList list;
    FillBitmaps(list, 3, 5, 4, pf8bit);
    const QByteArray bare = Written([&](QIODevice& s) { list.SaveToStream(s, false); });
    const QByteArray items = ItemBytes(*list.Items(0)) + ItemBytes(*list.Items(1)) + ItemBytes(*list.Items(2));
    EXPECT_EQ(bare, Int(3) + items);

    // With offsets, written after a prefix: each offset is the item's start
    // in the whole stream.
    const QByteArray with = Written([&](QIODevice& s) {
        GfxWriteBuffer(s, "pre", 3);
        list.SaveToStream(s, true);
    });
    const int first = 3 + 4 + 3 * 4;
    const int second = first + ItemBytes(*list.Items(0)).size();
    const int third = second + ItemBytes(*list.Items(1)).size();
    EXPECT_EQ(with, "pre" + Int(3) + Int(first) + Int(second) + Int(third) + items);
    // An empty list: the count alone, with or without offsets.
    TGfxBitmapList empty;
    EXPECT_EQ(Written([&](QIODevice& s) { empty.SaveToStream(s, true); }), Int(0));

    TGfxBitmapList back;
    auto in = Over(with.mid(3));
    back.LoadFromStream(*in, true);
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.Items(i)->Description(), QStringLiteral("item %1").arg(i));
        EXPECT_TRUE(SamePixels(*back.Items(i)->Bitmap(), *list.Items(i)->Bitmap()));
    }
}

TEST(BitmapList, ListFilesAndOneBitmapFromAFile)
{
    TGfxBitmapList list;
    FillBitmaps(list, 4, 8, 8, pf4bit);
    const QByteArray file = ListFile(list);
    EXPECT_EQ(file.left(9), Bytes({8}) + "GfxBML30");

    TGfxBitmap one;
    GfxLoadListFileBitmap(*Over(file), QStringLiteral("f"), 2, one);
    EXPECT_TRUE(SamePixels(one, *list.Items(2)->Bitmap()));
    for (int bad : {-1, 4}) {
        try {
            GfxLoadListFileBitmap(*Over(file), QStringLiteral("f"), bad, one);
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (%1)").arg(bad));
        }
    }
    // A list file of another kind.
    TGfxStringList strings;
    for (auto load : {std::function<void()>([&] { strings.LoadFromListFile(*Over(file), QStringLiteral("a.bmp")); }),
                      std::function<void()>([&] {
                          GfxLoadListFileBitmap(*Over(ListFile(strings)), QStringLiteral("a.bmp"), 0, one);
                      })}) {
        try {
            load();
            ADD_FAILURE() << "no error";
        } catch (const EListError&) {
            ADD_FAILURE() << "wrong error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Cannot open file %s: a.bmp"));
        }
    }

    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("pictures") + GfxListFileExt(lkBitmapList, true));
    EXPECT_TRUE(name.endsWith(QStringLiteral(".bmp")));
    list.SaveToFile(name);
    TGfxBitmapList back;
    back.LoadFromFile(name);
    EXPECT_EQ(ListFile(back), file);
    EXPECT_THROW(back.LoadFromFile(dir.filePath(QStringLiteral("missing"))), EFOpenError);
}

TEST(ListFiles, HeadersAndExtensions)
{
    const char* headers[] = {"GfxIML30", "GfxBML30", "GfxWVL30", "GfxSLL30", "GfxGLL50", "GfxRTL50"};
    const char* exts[] = {"iml", "bmp", "wav", "txt", "*", "rtf"};
    for (int k = 0; k < lkUnknown; ++k) {
        const auto kind = static_cast<TGfxListKind>(k);
        EXPECT_EQ(GfxListFileHeader(kind), QLatin1String(headers[k]));
        EXPECT_EQ(GfxListFileExt(kind, false), QLatin1String(exts[k]));
        EXPECT_EQ(GfxListFileExt(kind, true), QLatin1Char('.') + QLatin1String(exts[k]));
        int count = -1;
        std::vector<std::int32_t> offsets;
        const QByteArray file = Bytes({8}) + headers[k] + Int(1) + Int(13) + Bytes({0});
        EXPECT_EQ(GfxReadListHeader(*Over(file), count, &offsets), kind);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(offsets, std::vector<std::int32_t>{13});
    }
    int count = -1;
    EXPECT_EQ(GfxReadListHeader(*Over(Bytes({8}) + "GfxXXX30" + Int(1)), count, nullptr), lkUnknown);
    EXPECT_EQ(count, 0);
}

// Every stored kind survives its list file: raw and compressed, each pixel
// format, empty items and lists, and a long list.
TEST(Lists, RoundTripsOfEveryKind)
{
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "raw");
        TGfxBitmapList bitmaps;
        bitmaps.SetDefaultCompressed(compressed);
        for (TGfxSavePixelFormat f : {spfDefault, spfMono, spf4bit, spf8bit}) {
            bitmaps.SetDefaultPixelFormat(f);
            bitmaps.AddItem();
            bitmaps.Items(bitmaps.Count() - 1)->SetBitmap(BitmapItem(11, 7, pf24bit)->Bitmap());
        }
        bitmaps.AddItem();  // empty
        EXPECT_TRUE(bitmaps.Items(0)->Compressed() == compressed);
        EXPECT_EQ(bitmaps.Items(2)->PixelFormat(), spf4bit);

        TGfxStringList strings;
        strings.SetDefaultCompressed(compressed);
        auto s = std::make_unique<TGfxStringListItem>();
        s->SetItems({QStringLiteral("alpha"), QString(), QStringLiteral("gamma")});
        s->SetCompressed(compressed);
        s->SetIdent(3);
        strings.AddItem(std::move(s));
        strings.AddItem();  // no strings

        TGfxWaveList waves;
        auto w = std::make_unique<TGfxWaveListItem>();
        w->Wave().LoadFromStream(*Over(Wave(1, 8000, 500)));
        w->SetCompressed(compressed);
        w->SetDescription(QStringLiteral("beep"));
        waves.AddItem(std::move(w));
        waves.AddItem();  // no sound

        const TGfxCustomContainer* lists[] = {&bitmaps, &strings, &waves};
        for (const TGfxCustomContainer* list : lists) {
            const QByteArray file = ListFile(*list);
            std::unique_ptr<TGfxCustomContainer> back;
            if (list == &bitmaps)
                back = std::make_unique<TGfxBitmapList>();
            else if (list == &strings)
                back = std::make_unique<TGfxStringList>();
            else
                back = std::make_unique<TGfxWaveList>();
            back->LoadFromListFile(*Over(file), QStringLiteral("x"));
            EXPECT_EQ(back->Count(), list->Count());
            EXPECT_EQ(ListFile(*back), file);
        }
        TGfxBitmapList back;
        back.LoadFromListFile(*Over(ListFile(bitmaps)), QString());
        EXPECT_TRUE(back.Items(4)->IsEmpty());
        EXPECT_EQ(back.Items(1)->Bitmap()->BitsPerPixel(), 1);
        EXPECT_EQ(back.Items(3)->Bitmap()->BitsPerPixel(), 8);
        TGfxStringList sback;
        sback.LoadFromListFile(*Over(ListFile(strings)), QString());
        EXPECT_EQ(sback.Items(0)->Items(), strings.Items(0)->Items());
        EXPECT_EQ(sback.Items(0)->Ident(), 3);
        EXPECT_TRUE(sback.Items(1)->IsEmpty());
        TGfxWaveList wback;
        wback.LoadFromListFile(*Over(ListFile(waves)), QString());
        EXPECT_EQ(wback.Items(0)->Wave().Data()->data(), Wave(1, 8000, 500));
        EXPECT_TRUE(wback.Items(1)->Wave().Empty());
    }

    TGfxBitmapList empty, emptyBack;
    FillBitmaps(emptyBack, 2, 3, 3, pf8bit);
    emptyBack.LoadFromListFile(*Over(ListFile(empty)), QString());
    EXPECT_EQ(emptyBack.Count(), 0);

    TGfxBitmapList longList, longBack;
    FillBitmaps(longList, 300, 6, 5, pf24bit);
    longBack.LoadFromListFile(*Over(ListFile(longList)), QString());
    ASSERT_EQ(longBack.Count(), 300);
    EXPECT_TRUE(SamePixels(*longBack.Items(299)->Bitmap(), *longList.Items(299)->Bitmap()));
    EXPECT_EQ(longBack.Items(299)->Ident(), 299);
}

TEST(Lists, AssignCopiesItemsAndDefaults)
{
    TGfxBitmapList a, b;
    FillBitmaps(a, 3, 4, 4, pf8bit);
    a.SetDefaultCompressed(true);
    a.SetDefaultPixelFormat(spf4bit);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(b.Count(), 3);
    EXPECT_TRUE(b.DefaultCompressed());
    EXPECT_EQ(b.DefaultPixelFormat(), spf4bit);
    EXPECT_NE(b.Items(0), a.Items(0));
    EXPECT_EQ(ItemBytes(*b.Items(1)), ItemBytes(*a.Items(1)));
    TGfxStringList other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
    EXPECT_EQ(b.Count(), 3);
}

// ------------------------------------------------------------ current item

TEST(BitmapList, ListIndexStepsThroughTheItems)
{
    TGfxBitmapList list;
    for (int i = 0; i < 5; ++i)
        list.AddItem(BitmapItem(64, 64, pf4bit, QString(), static_cast<std::uint16_t>(i + 1)));
    for (int index : {0, 1, 2, 3, 4, 0}) {
        list.SetListIndex(index);
        EXPECT_EQ(list.ListIndex(), index);
        EXPECT_EQ(list.CurrentBitmap(), list.Items(index)->Bitmap());
        EXPECT_EQ(list.CurrentBitmap()->Width(), 64);
    }
    list.SetListIndex(4);
    for (int bad : {5, -1, 1000}) {
        try {
            list.SetListIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (%d)"));
        }
        EXPECT_EQ(list.ListIndex(), 4);
    }
    for (int bad : {-1, 5}) {
        try {
            list.Items(bad);
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (%1)").arg(bad));
        }
    }
    // The current item gone: the list's own bounds check.
    list.Clear();
    EXPECT_THROW(list.CurrentBitmap(), EListError);
}

TEST(BitmapList, ImagesOfTheItems)
{
    TGfxBitmapList list;
    list.AddItem(BitmapItem(6, 4, pf24bit));
    list.AddItem();
    const TGfxBitmap& first = *list.Items(0)->Bitmap();
    EXPECT_EQ(list.GetDimension(0, 0), 6);
    EXPECT_EQ(list.GetDimension(0, 1), 4);
    EXPECT_EQ(list.GetImageRect(0, 0), (TRect{0, 0, 6, 4}));
    EXPECT_EQ(list.GetImageCount(0), 1);
    EXPECT_EQ(list.GetImageCount(1), 0);
    EXPECT_TRUE(list.IsValidImage(0, 0));
    EXPECT_FALSE(list.IsValidImage(1, 0));
    EXPECT_FALSE(list.GetMasked(0));
    EXPECT_EQ(list.GetTransparentColor(0, 0), first.PixelAt(0, 3));
    EXPECT_EQ(list.GetPixel(TPoint{2, 1}, 0, 0), first.PixelAt(2, 1));
    EXPECT_EQ(list.GetCanvas(0), &list.Items(0)->Bitmap()->Canvas());
    TGfxBitmap copy;
    list.GetBitmap(0, 0, &copy);
    EXPECT_TRUE(SamePixels(copy, first));

    // Indexes outside the list give the fallbacks.
    for (int bad : {2, -1}) {
        EXPECT_EQ(list.GetCanvas(bad), nullptr);
        EXPECT_EQ(list.GetDimension(bad, 0), 0);
        EXPECT_EQ(list.GetImageCount(bad), 0);
        EXPECT_FALSE(list.IsValidImage(bad, 0));
        EXPECT_EQ(list.GetTransparentColor(bad, 0), 0xFFFFFFu);
        EXPECT_EQ(list.GetPixel(TPoint{0, 0}, bad, 0), 0xFFFFFFu);
        EXPECT_TRUE(list.GetPalette(bad).Entries.empty());
    }

    // Drawn in its own size at (X, Y).
    TGfxBitmap target(12, 10, pf24bit);
    target.Canvas().Brush.SetColor(clWhite);
    target.Canvas().FillRect(TRect{0, 0, 12, 10});
    list.Draw(target.Canvas(), 3, 2, 0, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 3 && x < 9 && y >= 2 && y < 6;
            EXPECT_EQ(target.PixelAt(x, y), inside ? first.PixelAt(x - 3, y - 2) : clWhite) << x << "," << y;
        }
    TRect drawn;
    list.DrawExt(target.Canvas(), TRect{0, 0, 12, 10}, drawn, 0, 0, gdbCenter);
    EXPECT_EQ(drawn, (TRect{3, 3, 9, 7}));
    list.DrawClipped(target.Canvas(), TRect{0, 0, 12, 10}, drawn, 5, 0, 0);
    EXPECT_EQ(drawn, TRect{});
}

// ------------------------------------------------- links and notification

TEST(Containers, ChangeLinksFollowTheList)
{
    auto list = std::make_unique<TGfxBitmapList>();
    std::vector<QString> calls;
    TGfxChangeLink a, b;
    a.OnChange = [&](TObject* s) { calls.push_back(s == list.get() ? "a" : "a?"); };
    b.OnChange = [&](TObject*) { calls.push_back("b"); };
    list->OnChange = [&](TObject*) { calls.push_back("list"); };
    list->RegisterChanges(&a);
    list->RegisterChanges(&b);
    EXPECT_EQ(a.Sender(), list.get());
    list->AddItem();
    EXPECT_EQ(calls, (std::vector<QString>{"a", "b", "list"}));

    // Updating holds the list's own event back, not the links.
    calls.clear();
    list->Updating = true;
    list->Change();
    list->Updating = false;
    EXPECT_EQ(calls, (std::vector<QString>{"a", "b"}));

    // An item's change reaches the list's event with the item as Sender,
    // even while the list is updating.
    TObject* sender = nullptr;
    list->OnChange = [&](TObject* s) { sender = s; };
    list->Updating = true;
    list->Items(0)->SetDescription(QStringLiteral("x"));
    EXPECT_EQ(sender, list->Items(0));
    list->Updating = false;

    list->UnRegisterChanges(&a);
    EXPECT_EQ(a.Sender(), nullptr);
    calls.clear();
    list->Change();
    EXPECT_EQ(calls, (std::vector<QString>{"b"}));

    // A destroyed list leaves no link behind, and the link can go later.
    list.reset();
    EXPECT_EQ(b.Sender(), nullptr);
}

TEST(Containers, ALinkMovedToAnotherListLeavesTheFirst)
{
    TGfxBitmapList first;
    int calls = 0;
    {
        TGfxBitmapList second;
        TGfxChangeLink link;
        link.OnChange = [&](TObject*) { ++calls; };
        first.RegisterChanges(&link);
        second.RegisterChanges(&link);
        first.RegisterChanges(&link);
        first.RegisterChanges(&link);
        EXPECT_EQ(first.Links().size(), 1u);
        EXPECT_TRUE(second.Links().empty());
        second.RegisterChanges(&link);
    }
    // The link and its second list are gone; the first must not call it.
    EXPECT_TRUE(first.Links().empty());
    first.AddItem();
    EXPECT_EQ(calls, 0);
}

class Follower : public TComponent {
public:
    TGfxBitmapList* list = nullptr;

protected:
    void Notification(TComponentBase* c, TOperation op) override
    {
        if (op == opRemove && c == list)
            list = nullptr;
    }
};

TEST(Containers, FreeNotificationClearsAFollowersPointer)
{
    Follower follower;
    auto list = std::make_unique<TGfxBitmapList>();
    list->SetName(QStringLiteral("GfxBitmapList1"));
    EXPECT_EQ(list->Name(), QStringLiteral("GfxBitmapList1"));
    follower.list = list.get();
    list->FreeNotification(&follower);
    list->FreeNotification(&follower);
    list.reset();
    EXPECT_EQ(follower.list, nullptr);
    // And the other way round: a follower that goes first is forgotten.
    TGfxBitmapList kept;
    {
        Follower gone;
        gone.list = &kept;
        kept.FreeNotification(&gone);
    }
}

TEST(Containers, ItemsBelongToTheirList)
{
    TGfxBitmapList list;
    list.AddItem();
    list.AddItem();
    TGfxBitmapListItem* first = list.Items(0);
    EXPECT_EQ(first->Container(), &list);
    EXPECT_EQ(first->parent(), &list);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    delete first;  // an item freed on its own leaves the list
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(changes, 1);
    std::vector<TComponent*> children;
    list.GetChildren([&](TComponent* c) { children.push_back(c); });
    EXPECT_EQ(children, std::vector<TComponent*>{list.Items(0)});
    TGfxContainer container;
    int containerChanges = 0;
    container.OnChange = [&](TObject*) { ++containerChanges; };
    container.WaveList()->AddItem();
    container.StringList()->Clear();
    EXPECT_EQ(containerChanges, 2);
}

// ----------------------------------------------------- loading on first use

TEST(BitmapList, StorageModesLoadOnFirstUse)
{
    QTemporaryDir dir;
    TGfxBitmapList source;
    FillBitmaps(source, 3, 5, 5, pf8bit);
    const QString listFile = dir.filePath(QStringLiteral("shapes.bmp"));
    source.SaveToFile(listFile);
    QFile numbered(dir.filePath(QStringLiteral("sha2.bmp")));
    ASSERT_TRUE(numbered.open(QIODevice::WriteOnly));
    source.Items(1)->Bitmap()->SaveToStream(numbered);
    numbered.close();

    struct Case {
        std::uint8_t mode;
        const TGfxBitmap* expected;  // none: nothing loaded
    };
    const Case cases[] = {{0, nullptr}, {1, source.Items(2)->Bitmap()}, {3, nullptr}, {4, source.Items(1)->Bitmap()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        TGfxBitmapList list;
        list.SetStorageMode(c.mode);
        list.SetDirectoryKind(ppFixed);
        list.SetFileName(listFile);
        list.AddItem();
        list.Items(0)->SetIdent(2);
        int changes = 0;
        list.OnChange = [&](TObject*) { ++changes; };
        const TGfxBitmap* b = list.Items(0)->Bitmap();
        if (c.expected)
            EXPECT_TRUE(SamePixels(*b, *c.expected));
        else
            EXPECT_TRUE(b->Empty());
        EXPECT_EQ(changes, 0);  // the load does not notify
    }
    TGfxBitmapList missing;
    missing.SetStorageMode(4);
    missing.SetDirectoryKind(ppFixed);
    missing.SetFileName(dir.filePath(QStringLiteral("nothing")));
    missing.AddItem();
    EXPECT_THROW(missing.Items(0)->Bitmap(), EFOpenError);
    missing.SetDesigning(true);
    missing.Items(0)->SetDesigning(true);
    EXPECT_TRUE(missing.Items(0)->Bitmap()->Empty());
}

// ---------------------------------------------------------- corrupt lists

TEST(Lists, CorruptStoredListsFailAndKeepTheList)
{
    TGfxBitmapList good;
    FillBitmaps(good, 3, 4, 3, pf4bit);
    const QByteArray file = ListFile(good);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray hugeOffset = file;
    hugeOffset.replace(13, 4, Int(1 << 30));
    QByteArray negativeOffset = file;
    negativeOffset.replace(17, 4, Int(-5));
    const Case cases[] = {
        {"count negative", file.left(9) + Int(-1)},
        {"count beyond the stream", file.left(9) + Int(1000) + file.mid(13)},
        {"count that overflows the table", file.left(9) + Int(0x7FFFFFFF) + file.mid(13)},
        {"item with a raw length past the end", file.left(9) + Int(1) + Int(0) + Bytes({8}) + Int(100000)},
        {"item with a chunk size of -4", file.left(9) + Int(1) + Int(0) + Bytes({9}) + Int(8) + Int(-4) + Int(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGfxBitmapList list;
        FillBitmaps(list, 2, 3, 3, pf8bit);
        EXPECT_THROW(list.LoadFromListFile(*Over(c.bytes), QString()), EReadError);
        EXPECT_EQ(list.Count(), 2);
    }
    TGfxBitmap b;
    EXPECT_THROW(GfxLoadListFileBitmap(*Over(hugeOffset), QString(), 0, b), EReadError);
    EXPECT_THROW(GfxLoadListFileBitmap(*Over(negativeOffset), QString(), 1, b), EReadError);

    // Truncated at every offset.
    for (qsizetype n = 0; n < file.size(); ++n) {
        TGfxBitmapList list;
        try {
            list.LoadFromListFile(*Over(file.left(n)), QString());
            ADD_FAILURE() << n;
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        } catch (const Exception& e) {
            // A header cut short is no bitmap list at all.
            EXPECT_LT(n, 9) << e.Message().toStdString();
        }
        EXPECT_EQ(list.Count(), 0);
    }
}

// A stream that cannot tell its size gives no bound for the count it
// stores: the items are held as they arrive, and a count of 0x7FFFFFFF in
// four bytes fails at the end of the stream, within a few megabytes (room
// reserved for every item claimed would be 16 GiB).
TEST(Lists, ACountFromAStreamOfUnknownSizeReservesLittle)
{
    TGfxBitmapList source;
    FillBitmaps(source, 200, 2, 2, pf8bit);
    const QByteArray stored = Written([&](QIODevice& s) { source.SaveToStream(s, false); });
    TGfxBitmapList list;
    SequentialBytes whole(stored);
    list.LoadFromStream(whole, false);
    EXPECT_EQ(list.Count(), 200);
    EXPECT_EQ(Written([&](QIODevice& s) { list.SaveToStream(s, false); }), stored);

    EXPECT_TRUE(RunWithinMemory(rlim_t{64} << 20, [] {
        TGfxBitmapList claimed;
        SequentialBytes count(Int(0x7FFFFFFF));
        try {
            claimed.LoadFromStream(count, false);
        } catch (const EReadError&) {
            return claimed.Count() == 0;
        } catch (...) {
        }
        return false;
    }));
}

// A load holds the old items or the new ones, never both: one that
// succeeds replaces the old items before it reads the new, one that fails
// has held the old ones and one new item at a time.
TEST(Lists, ALoadNeverHoldsTheOldAndTheNewItemsTogether)
{
    TGfxBitmapList source;
    FillBitmaps(source, 5, 8, 8, pf4bit);
    const QByteArray file = ListFile(source);
    CountedList list;
    list.Add(3);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    Alive::Reset();
    list.LoadFromListFile(*Over(file), QStringLiteral("five"));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(ListFile(list), file);
    EXPECT_EQ(Alive::most, 5) << "three old items and five new";
    EXPECT_EQ(changes, 1);

    Alive::Reset();
    changes = 0;
    EXPECT_THROW(list.LoadFromListFile(*Over(file.left(file.size() - 3)), QStringLiteral("cut")), EReadError);
    EXPECT_EQ(list.Count(), 5) << "the list is kept";
    EXPECT_EQ(ListFile(list), file);
    EXPECT_EQ(Alive::most, 5 + 1);
    EXPECT_EQ(changes, 0);
}

// A list is bounded as a whole: a file the library itself writes, a few
// kilobytes of pictures of the largest size a bitmap may have (4 MB each in
// memory at one bit per pixel), loads as long as its items together stay
// within GfxMaxListMemory. One more is refused while it is read, and the
// list keeps its items.
TEST(Lists, AListIsBoundedAsAWhole)
{
    TGfxBitmapListItem big;
    big.SetCompressed(true);
    big.SetPixelFormat(spfMono);
    big.Bitmap()->SetPixelFormat(pf1bit);
    big.Bitmap()->SetSize(5792, 5792);
    const qint64 each = big.MemorySize();
    ASSERT_GT(each, 4'000'000);
    const QByteArray item = ItemBytes(big);
    const int fit = static_cast<int>(GfxMaxListMemory / each);
    ASSERT_LT(ListFileOf(item, fit + 1).size(), qint64{1} << 20) << "small files";

    CountedList list;
    list.Add(2);
    Alive::Reset();
    EXPECT_THROW(list.LoadFromListFile(*Over(ListFileOf(item, fit + 1)), QStringLiteral("big")), EReadError);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Alive::most, 2 + 1) << "one picture read at a time";

    list.LoadFromListFile(*Over(ListFileOf(item, fit)), QStringLiteral("big"));
    ASSERT_EQ(list.Count(), fit);
    qint64 memory = 0;
    for (int i = 0; i < fit; ++i)
        memory += list.Items(i)->MemorySize();
    EXPECT_LE(memory, GfxMaxListMemory);
    EXPECT_EQ(list.Items(fit - 1)->StoredBitmap().Width(), 5792);
}

// A list's own bound can be set lower, never higher; texts and pictures
// count alike.
TEST(Lists, AListsOwnBoundIsLowerOnly)
{
    TGfxBitmapList pictures;
    FillBitmaps(pictures, 3, 64, 64, pf8bit);
    TGfxStringList texts;
    for (int i = 0; i < 3; ++i) {
        auto item = std::make_unique<TGfxStringListItem>();
        item->SetItems({QString(100, QLatin1Char('x'))});
        item->SetCompressed(i % 2 == 0);
        texts.AddItem(std::move(item));
    }
    for (TGfxCustomContainer* source : {static_cast<TGfxCustomContainer*>(&pictures), static_cast<TGfxCustomContainer*>(&texts)}) {
        qint64 total = 0;
        for (int i = 0; i < source->Count(); ++i)
            total += source->Items(i)->MemorySize();
        ASSERT_GT(total, 0);
        const QByteArray file = ListFile(*source);
        for (const qint64 bound : {total - 1, total}) {
            std::unique_ptr<TGfxCustomContainer> list;
            if (source == &pictures)
                list = std::make_unique<TGfxBitmapList>();
            else
                list = std::make_unique<TGfxStringList>();
            list->SetMaxMemory(bound);
            if (bound < total) {
                EXPECT_THROW(list->LoadFromListFile(*Over(file), QString()), EReadError);
                EXPECT_EQ(list->Count(), 0);
            } else {
                list->LoadFromListFile(*Over(file), QString());
                EXPECT_EQ(list->Count(), 3);
            }
        }
    }
    TGfxBitmapList list;
    list.SetMaxMemory(GfxMaxListMemory * 2);
    EXPECT_EQ(list.MaxMemory(), GfxMaxListMemory);
}

// What one object read may take is bounded by the innermost read limit, in
// the raw form and in the compressed one, and the limit ends with its
// scope.
TEST(Lists, ReadLimitsBoundEachObject)
{
    const QByteArray text(1000, 'a');
    for (const bool compressed : {false, true}) {
        SCOPED_TRACE(compressed);
        const QByteArray stored = Written([&](QIODevice& s) {
            GfxWriteObject(s, compressed, [&](QIODevice& image) { GfxWriteBuffer(image, text.constData(), 1000); });
        });
        {
            TGfxReadLimit limit(999);
            EXPECT_THROW(GfxReadObject(*Over(stored), compressed), EReadError);
            {
                TGfxReadLimit wider(1000);
                EXPECT_EQ(GfxReadObject(*Over(stored), compressed), text);
            }
            EXPECT_THROW(GfxReadObject(*Over(stored), compressed), EReadError);
        }
        EXPECT_EQ(GfxReadObject(*Over(stored), compressed), text);
    }
}

// Only a regular file of a bounded size is read as a list: a pipe is
// refused at once instead of waiting for a writer, and so are a directory
// and a file past GfxMaxListFileSize; the list keeps its items. A link to a
// list file is read.
TEST(Lists, OnlyRegularListFilesOfABoundedSizeAreRead)
{
    QTemporaryDir dir;
    TGfxBitmapList source;
    FillBitmaps(source, 2, 8, 8, pf4bit);
    const QString good = dir.filePath(QStringLiteral("good.bmp"));
    source.SaveToFile(good);
    const QString link = dir.filePath(QStringLiteral("link.bmp"));
    ASSERT_TRUE(QFile::link(good, link));
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("big.bmp"));
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ListFile(source));
        ASSERT_TRUE(f.resize(GfxMaxListFileSize + 1));  // sparse: takes no room
    }
    const QString exact = dir.filePath(QStringLiteral("exact.bmp"));
    ASSERT_TRUE(QFile::copy(big, exact));
    {
        QFile f(exact);
        ASSERT_TRUE(f.resize(GfxMaxListFileSize));
    }

    const struct {
        const char* name;
        QString file;
        bool read;
    } cases[] = {
        {"a list file", good, true},
        {"a link to one", link, true},
        {"a list file of the largest size", exact, true},
        {"a pipe", pipe, false},
        {"a directory", dir.path(), false},
        {"a file one byte larger", big, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGfxBitmapList list;
        FillBitmaps(list, 3, 4, 4, pf8bit);
        // Should the pipe be opened as a file, writers that connect and go
        // at once let the test end.
        std::atomic<bool> done = false;
        std::thread unblock([&] {
            for (int i = 0; i < 100 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            while (!done) {
                const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        bool read = false;
        try {
            list.LoadFromFile(c.file);
            read = true;
        } catch (const EFOpenError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(c.file)))
                << e.Message().toStdString();
        } catch (const Exception& e) {
            ADD_FAILURE() << "not refused as a file: " << e.Message().toStdString();
        }
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(list.Count(), c.read ? 2 : 3);
        TGfxBitmap one;
        if (c.read)
            EXPECT_NO_THROW(GfxLoadListFileBitmap(c.file, 1, one));
        else
            EXPECT_THROW(GfxLoadListFileBitmap(c.file, 1, one), EFOpenError);
        done = true;
        unblock.join();
    }
}

}  // namespace
