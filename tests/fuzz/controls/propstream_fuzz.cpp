// The binary property stream's readers under the sanitizers: any stored
// object form, bitmap, string list or wave is read or refused with the
// library's own errors, and what is read writes a form that reads back to
// the same thing.
//
// Input: a mode byte (bits 0-1: 0 an object's stream image, 1 a bitmap, 2
// a string list, 3 a wave; bit 2: the compressed form), then the stream.
#include "gfx_propstream.h"
#include "gfx_wave.h"
#include "stored_refusals.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Reads a T; when that succeeds, writes it, reads the written form and
// checks that it is the same.
template <class T, class Read, class Write, class Same>
void RoundTrip(QIODevice& in, Read read, Write write, Same same)
{
    T value;
    try {
        read(in, value);
    } catch (const Exception& e) {
        Check(StoredDataRefusal(e));
        return;
    }
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    write(out, value);
    out.seek(0);
    T back;
    read(out, back);
    Check(same(value, back) && out.atEnd());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const bool compressed = (data[0] & 4) != 0;
    QByteArray body(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QBuffer in(&body);
    in.open(QIODevice::ReadOnly);

    switch (data[0] & 3) {
    case 0:
        RoundTrip<QByteArray>(
            in, [&](QIODevice& s, QByteArray& v) { v = GfxReadObject(s, compressed); },
            [&](QIODevice& s, const QByteArray& v) { GfxWriteObject(s, compressed, [&](QIODevice& i) { i.write(v); }); },
            [](const QByteArray& a, const QByteArray& b) { return a == b; });
        break;
    case 1:
        RoundTrip<TGfxBitmap>(
            in, [&](QIODevice& s, TGfxBitmap& v) { GfxReadBitmap(s, v, compressed); },
            [&](QIODevice& s, const TGfxBitmap& v) { GfxWriteBitmap(s, v, compressed, GfxOwnImage); },
            [](const TGfxBitmap& a, const TGfxBitmap& b) {
                if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
                    return false;
                for (int y = 0; y < a.Height(); y += 1 + a.Height() / 8)
                    for (int x = 0; x < a.Width(); x += 1 + a.Width() / 8)
                        if (a.PixelAt(x, y) != b.PixelAt(x, y))
                            return false;
                return true;
            });
        break;
    case 2:
        RoundTrip<QStringList>(
            in, [&](QIODevice& s, QStringList& v) { GfxReadStrings(s, v, compressed); },
            [&](QIODevice& s, const QStringList& v) { GfxWriteStrings(s, v, compressed); },
            [](const QStringList& a, const QStringList& b) { return a == b; });
        break;
    default:
        RoundTrip<TGfxWave>(
            in, [&](QIODevice& s, TGfxWave& v) { GfxReadWave(s, v, compressed); },
            [&](QIODevice& s, const TGfxWave& v) { GfxWriteWave(s, v, compressed); },
            [](const TGfxWave& a, const TGfxWave& b) {
                return a.Size() == b.Size() && (a.Empty() || a.Data()->data() == b.Data()->data());
            });
        break;
    }
    return 0;
}
