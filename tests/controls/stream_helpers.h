#pragma once
// Helpers for the stored-form tests: bytes written through a stream,
// streams over given bytes, byte builders, a small wave and test pictures.

#include "gfx_propstream.h"
#include "gfx_wave.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_stream.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

namespace streamtest {

// What the writer puts into a fresh seekable stream.
inline QByteArray Written(const std::function<void(QIODevice&)>& write)
{
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    write(buf);
    return buf.data();
}

// A read-only stream over a copy of the bytes.
inline std::unique_ptr<QBuffer> Over(const QByteArray& bytes)
{
    auto buf = std::make_unique<QBuffer>();
    buf->setData(bytes);
    buf->open(QIODevice::ReadOnly);
    return buf;
}

inline QByteArray Int(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    const char b[4] = {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                       static_cast<char>(u >> 24)};
    return QByteArray(b, 4);
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

inline std::int32_t IntAt(const QByteArray& d, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(d.constData() + at);
    return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24));
}

// A complete RIFF/WAVE image: 16-bit PCM with a data chunk of `samples`
// bytes; `form` replaces "WAVE", `formatSize` the format chunk's size.
inline QByteArray Wave(int channels = 2, std::uint32_t rate = 44100, int samples = 8, const char* form = "WAVE",
                       std::int32_t formatSize = 16)
{
    const std::uint16_t align = static_cast<std::uint16_t>(channels * 2);
    QByteArray w = "RIFF" + Int(4 + 8 + 16 + 8 + samples) + QByteArray(form, 4) + "fmt " + Int(formatSize);
    w += Bytes({1, 0, channels, 0}) + Int(static_cast<std::int32_t>(rate)) +
         Int(static_cast<std::int32_t>(rate * align)) + Bytes({align, 0, 16, 0});
    w += "data" + Int(samples);
    for (int i = 0; i < samples; ++i)
        w.append(static_cast<char>(i * 37));
    return w;
}

// A picture with every pixel set from its coordinates, in the format, so
// that no two rows or columns are alike.
inline void Pattern(TGfxBitmap& b, int w, int h, TGfxPixelFormat format)
{
    b.SetPixelFormat(format);
    b.SetSize(w, h);
    static const TColor colours[] = {clBlack, clMaroon, clGreen, clNavy, clGray, clSilver, clRed, clLime, clBlue,
                                     clWhite, 0x808000, 0x008080};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.Canvas().SetPixel(x, y, colours[(x * 7 + y * 3 + (x / 5) * (y / 3)) % 12]);
}

inline bool SamePixels(const TGfxBitmap& a, const TGfxBitmap& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() && a.ToImage() == b.ToImage();
}

}  // namespace streamtest
