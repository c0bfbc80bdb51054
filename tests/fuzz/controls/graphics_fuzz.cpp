// Stored pictures and regions under the sanitizers: any bitmap file image
// loads or fails with the bitmap or stream error, a loaded bitmap writes an
// image that loads back to the same pixels, and any region data is refused
// or gives a region whose data reads back to the same region.
#include "platform/gfx_bitmap.h"
#include "platform/gfx_exceptions.h"
#include "platform/gfx_region.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void Bitmap(const QByteArray& data)
{
    TGfxBitmap b;
    try {
        QBuffer in;
        in.setData(data);
        in.open(QIODevice::ReadOnly);
        b.LoadFromStream(in);
    } catch (const EInvalidGraphic&) {
        return;
    } catch (const EReadError&) {
        return;
    }
    if (b.Empty())
        return;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    b.SaveToStream(out);
    TGfxBitmap back;
    QBuffer again;
    again.setData(out.data());
    again.open(QIODevice::ReadOnly);
    back.LoadFromStream(again);  // must not throw
    if (back.Width() != b.Width() || back.Height() != b.Height() || back.PixelFormat() != b.PixelFormat())
        std::abort();
    for (int y = 0; y < b.Height(); y += 1 + b.Height() / 8)
        for (int x = 0; x < b.Width(); x += 1 + b.Width() / 8)
            if (back.PixelAt(x, y) != b.PixelAt(x, y))
                std::abort();
    for (int bits : {1, 4, 8, 24, 32}) {
        const TGfxDIB dib = b.GetDIB(bits);
        TGfxBitmap c;
        c.SetDIB(dib);
        if (c.Width() != b.Width() || c.Height() != b.Height())
            std::abort();
    }
}

void Region(const QByteArray& data)
{
    const auto region = TGfxRgn::FromData(data);
    if (!region)
        return;
    const auto back = TGfxRgn::FromData(region->Data());
    if (!back || !(*back == *region))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray body(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    if (data[0] & 1)
        Region(body);
    else
        Bitmap(body);
    return 0;
}
