// The binary property stream's readers under the sanitizers: any stored
// object form, bitmap, string list or wave is read or refused with the
// library's read, LZRW, picture or wave error, and what is read writes a
// form that reads back to the same thing.
//
// Input: a mode byte (bits 0-1: 0 an object's stream image, 1 a bitmap, 2
// a string list, 3 a wave; bit 2: the compressed form), then the stream.
#include "gfx_propstream.h"
#include "gfx_wave.h"
#include "platform/gfx_exceptions.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <functional>

namespace {

// Reads with `read`; false when the stored data is refused as it may be.
bool Refused(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EReadError&) {
        return true;
    } catch (const EInvalidPointer&) {
        return true;
    } catch (const EInvalidGraphic&) {
        return true;
    } catch (const EInvalidWave&) {
        return true;
    }
    return false;
}

QByteArray Written(const std::function<void(QIODevice&)>& write)
{
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    write(out);
    return out.data();
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int kind = data[0] & 3;
    const bool compressed = (data[0] & 4) != 0;
    QByteArray body(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QBuffer in(&body);
    in.open(QIODevice::ReadOnly);

    switch (kind) {
    case 0: {
        QByteArray image;
        if (Refused([&] { image = GfxReadObject(in, compressed); }))
            return 0;
        QByteArray again = Written([&](QIODevice& s) { GfxWriteObject(s, compressed, [&](QIODevice& i) { i.write(image); }); });
        QBuffer back(&again);
        back.open(QIODevice::ReadOnly);
        Check(GfxReadObject(back, compressed) == image && back.atEnd());
        break;
    }
    case 1: {
        TGfxBitmap b;
        if (Refused([&] { GfxReadBitmap(in, b, compressed); }))
            return 0;
        QByteArray again = Written([&](QIODevice& s) { GfxWriteBitmap(s, b, compressed, GfxOwnImage); });
        QBuffer back(&again);
        back.open(QIODevice::ReadOnly);
        TGfxBitmap c;
        GfxReadBitmap(back, c, compressed);
        Check(c.Width() == b.Width() && c.Height() == b.Height() && c.PixelFormat() == b.PixelFormat());
        for (int y = 0; y < b.Height(); y += 1 + b.Height() / 8)
            for (int x = 0; x < b.Width(); x += 1 + b.Width() / 8)
                Check(c.PixelAt(x, y) == b.PixelAt(x, y));
        break;
    }
    case 2: {
        QStringList strings;
        if (Refused([&] { GfxReadStrings(in, strings, compressed); }))
            return 0;
        QByteArray again = Written([&](QIODevice& s) { GfxWriteStrings(s, strings, compressed); });
        QBuffer back(&again);
        back.open(QIODevice::ReadOnly);
        QStringList read;
        GfxReadStrings(back, read, compressed);
        Check(read == strings);
        break;
    }
    default: {
        TGfxWave w;
        if (Refused([&] { GfxReadWave(in, w, compressed); }))
            return 0;
        QByteArray again = Written([&](QIODevice& s) { GfxWriteWave(s, w, compressed); });
        QBuffer back(&again);
        back.open(QIODevice::ReadOnly);
        TGfxWave c;
        GfxReadWave(back, c, compressed);
        Check(c.Size() == w.Size() && (w.Empty() || c.Data()->data() == w.Data()->data()));
        break;
    }
    }
    return 0;
}
