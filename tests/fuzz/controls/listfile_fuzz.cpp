// The list-file reader under the sanitizers: any file loads into the list
// of its kind or is refused with the library's own errors, and a list that
// loads saves a file that loads and saves the same bytes again.
//
// A list is bounded as a whole: a list that loads keeps within its memory
// bound, and one past it is refused like other bad data and keeps its
// items. The bound can be set low, so that a short input reaches it.
//
// Input: a mode byte (bits 0-1: the list kind, 0 image, 1 bitmap, 2 wave,
// 3 string list; bit 2: load one bitmap, item <index byte>, instead; bit 3:
// a memory bound of (index byte + 1) x 256 bytes for the list), an index
// byte, then the file.
#include "gfx_lists.h"
#include "stored_refusals.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TGfxCustomContainer> NewList(int kind)
{
    switch (kind) {
    case 0: return std::make_unique<TGfxImageList>();
    case 1: return std::make_unique<TGfxBitmapList>();
    case 2: return std::make_unique<TGfxWaveList>();
    default: return std::make_unique<TGfxStringList>();
    }
}

QByteArray Saved(const TGfxCustomContainer& list)
{
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    list.SaveToListFile(out);
    return out.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int kind = data[0] & 3;
    const bool oneBitmap = (data[0] & 4) != 0;
    const int index = data[1];
    QByteArray file(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    QBuffer in(&file);
    in.open(QIODevice::ReadOnly);

    if (oneBitmap) {
        TGfxBitmap b;
        try {
            GfxLoadListFileBitmap(in, QStringLiteral("fuzz"), index, b);
        } catch (const Exception& e) {
            if (!StoredDataRefusal(e))
                std::abort();
        }
        return 0;
    }

    auto list = NewList(kind);
    if (data[0] & 8)
        list->SetMaxMemory(256 * qint64{index + 1});
    try {
        list->LoadFromListFile(in, QStringLiteral("fuzz"));
    } catch (const Exception& e) {
        if (!StoredDataRefusal(e) || list->Count() != 0)
            std::abort();
        return 0;
    }
    qint64 memory = 0;
    for (int i = 0; i < list->Count(); ++i)
        memory += list->Items(i)->MemorySize();
    if (memory > list->MaxMemory())
        std::abort();
    // What loaded saves and loads again; the second save is the first.
    QByteArray first = Saved(*list);
    QBuffer again(&first);
    again.open(QIODevice::ReadOnly);
    auto back = NewList(kind);
    back->LoadFromListFile(again, QStringLiteral("fuzz"));
    if (back->Count() != list->Count() || Saved(*back) != first)
        std::abort();
    return 0;
}
