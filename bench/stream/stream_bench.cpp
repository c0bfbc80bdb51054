// Reading a stored bitmap list of 100 items of 64 x 64 in 24 bits, from
// its list file raw and with compressed items, beside a plain copy of the
// raw file's bytes in the same run. Every figure is megabytes of the raw
// list file per second (the same pictures whichever way they are stored),
// from the median of many reads.
#include "bench_quiet.h"
#include "bench_median.h"
#include "gfx_bitmaplist.h"
#include "platform/gfx_canvas.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int Items = 100;
constexpr int Side = 64;
constexpr int Runs = 101;

// A picture with the structure of a real one: a gradient background, a
// few shapes and some noise, different for every item.
void Picture(TGfxBitmap& b, int seed)
{
    b.SetPixelFormat(pf24bit);
    b.SetSize(Side, Side);
    TGfxCanvas& c = b.Canvas();
    for (int y = 0; y < Side; ++y) {
        c.Brush.SetColor(static_cast<TColor>((seed * 40 + y * 3) % 256 | ((128 + y) % 256) << 8 | (seed * 7 % 256) << 16));
        c.FillRect(TRect{0, y, Side, y + 1});
    }
    c.Brush.SetColor(static_cast<TColor>(0x3060F0 + seed * 0x010203));
    c.Ellipse(TRect{8 + seed % 10, 8, 40, 40 + seed % 20});
    c.Brush.SetColor(static_cast<TColor>(0xF0A020 ^ (seed * 0x0F0F)));
    c.Rectangle(TRect{30, 30 - seed % 15, 60, 58});
    unsigned noise = static_cast<unsigned>(seed) * 2654435761u;
    for (int i = 0; i < 200; ++i) {
        noise = noise * 1103515245u + 12345u;
        c.SetPixel(static_cast<int>(noise >> 8) % Side, static_cast<int>(noise >> 16) % Side, noise & 0xFFFFFF);
    }
}

QByteArray ListFile(bool compressed)
{
    TGfxBitmapList list;
    list.SetDefaultCompressed(compressed);
    for (int i = 0; i < Items; ++i) {
        list.AddItem();
        TGfxBitmap b;
        Picture(b, i);
        list.Items(i)->SetBitmap(&b);
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    list.SaveToListFile(out);
    return out.data();
}

double ReadMs(QByteArray& file)
{
    return medianMs(Runs, [&](int) {
        QBuffer in(&file);
        in.open(QIODevice::ReadOnly);
        TGfxBitmapList list;
        list.LoadFromListFile(in, QString());
        if (list.Count() != Items)
            std::abort();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QByteArray raw = ListFile(false);
    QByteArray compressed = ListFile(true);
    const double rawMs = ReadMs(raw);
    const double compressedMs = ReadMs(compressed);
    // The baseline: the raw file's bytes copied into a new buffer.
    std::unique_ptr<char[]> copy(new char[static_cast<std::size_t>(raw.size())]);
    const double copyMs = medianMs(Runs, [&](int i) {
        std::memcpy(copy.get(), raw.constData(), static_cast<std::size_t>(raw.size()));
        copy[static_cast<std::size_t>(i) % static_cast<std::size_t>(raw.size())] ^= 1;
    });

    const double mb = static_cast<double>(raw.size()) / 1e6;
    std::printf("stream_read_MBps_raw: %.1f\n", mb / (rawMs / 1e3));
    std::printf("stream_read_MBps_compressed: %.1f\n", mb / (compressedMs / 1e3));
    std::printf("stream_read_MBps_copy: %.1f\n", mb / (copyMs / 1e3));
    std::printf("stream_list_kB_raw: %.1f\n", static_cast<double>(raw.size()) / 1e3);
    std::printf("stream_list_kB_compressed: %.1f\n", static_cast<double>(compressed.size()) / 1e3);
    return 0;
}
