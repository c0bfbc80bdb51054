#include "gfx_propstream.h"

#include "gfx_lzrw.h"
#include "platform/gfx_stream.h"

#include <QBuffer>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

[[noreturn]] void ReadError() { throw EReadError(QString::fromLatin1(GfxReadErrorText)); }

// The part of the text that fits a short string: at most 255 bytes of
// UTF-8, never half a character.
QByteArray ShortStringBytes(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    if (bytes.size() <= 255)
        return bytes;
    qsizetype n = 255;
    while (n > 0 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80)
        --n;
    bytes.truncate(n);
    return bytes;
}

}  // namespace

// ------------------------------------------------------------ plain values

void GfxWriteByte(QIODevice& stream, std::uint8_t value) { GfxWriteBuffer(stream, &value, 1); }

void GfxWriteInteger(QIODevice& stream, std::int32_t value) { GfxWriteU32(stream, static_cast<std::uint32_t>(value)); }

void GfxWriteShortString(QIODevice& stream, const QString& value)
{
    const QByteArray bytes = ShortStringBytes(value);
    GfxWriteByte(stream, static_cast<std::uint8_t>(bytes.size()));
    GfxWriteBuffer(stream, bytes.constData(), bytes.size());
}

std::uint8_t GfxReadByte(QIODevice& stream)
{
    std::uint8_t value = 0;
    GfxReadBuffer(stream, &value, 1);
    return value;
}

std::int32_t GfxReadInteger(QIODevice& stream) { return static_cast<std::int32_t>(GfxReadU32(stream)); }

QString GfxReadShortString(QIODevice& stream)
{
    const std::uint8_t n = GfxReadByte(stream);
    return QString::fromUtf8(GfxReadBlock(stream, n));
}

// ------------------------------------------------------- compressed form

void GfxCompressStream(QIODevice& source, QIODevice& destination, qint64 count)
{
    const qint64 start = destination.pos();
    GfxWriteInteger(destination, 0);
    // The two work buffers, once per call: a chunk of source and the room
    // the compressor needs beyond it.
    std::vector<std::uint8_t> in(GfxCompressChunkSource);
    std::vector<std::uint8_t> out(GfxCompressChunkSource + GfxCompressSlack);
    qint64 total = 0;
    while (count > 0) {
        const int n = static_cast<int>(std::min<qint64>(count, GfxCompressChunkSource));
        GfxReadBuffer(source, in.data(), n);
        const std::uint16_t c = GfxCompress(in.data(), out.data(), static_cast<std::uint16_t>(n));
        GfxWriteInteger(destination, c);
        GfxWriteBuffer(destination, out.data(), c);
        total += c + 4;
        if (total > std::numeric_limits<std::int32_t>::max())
            throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
        count -= n;
    }
    const qint64 end = destination.pos();
    if (!destination.seek(start))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
    GfxWriteInteger(destination, static_cast<std::int32_t>(total));
    if (!destination.seek(end))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
}

void GfxDecompressStream(QIODevice& source, QIODevice& destination, qint64 maxSize)
{
    qint64 total = GfxReadInteger(source);
    const qint64 remaining = GfxStreamRemaining(source);
    if (total < 0 || (remaining >= 0 && total > remaining))
        ReadError();
    std::vector<std::uint8_t> block(GfxCompressChunkMax);
    std::vector<std::uint8_t> expanded(GfxCompressChunkSource);
    qint64 produced = 0;
    while (total > 0) {
        // Each chunk lies wholly inside the total: a size field, then a
        // block of 1 to the longest a chunk of source gives.
        if (total < 4)
            ReadError();
        const std::int32_t c = GfxReadInteger(source);
        total -= 4;
        if (c < 1 || c > GfxCompressChunkMax || c > total)
            ReadError();
        GfxReadBuffer(source, block.data(), c);
        total -= c;
        const std::size_t n = GfxDecompress(block.data(), expanded.data(), static_cast<std::uint16_t>(c),
                                            expanded.size());
        produced += static_cast<qint64>(n);
        if (produced > maxSize)
            ReadError();
        GfxWriteBuffer(destination, expanded.data(), static_cast<qint64>(n));
    }
}

// --------------------------------------------------------- object forms

void GfxWriteObject(QIODevice& destination, bool compressed, const std::function<void(QIODevice&)>& writeImage)
{
    if (compressed) {
        QBuffer image;
        image.open(QIODevice::ReadWrite);
        writeImage(image);
        image.seek(0);
        GfxCompressStream(image, destination, image.size());
        return;
    }
    const qint64 start = destination.pos();
    GfxWriteInteger(destination, 0);
    writeImage(destination);
    const qint64 end = destination.pos();
    const qint64 length = end - start - 4;
    if (length > std::numeric_limits<std::int32_t>::max() || !destination.seek(start))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
    GfxWriteInteger(destination, static_cast<std::int32_t>(length));
    if (!destination.seek(end))
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
}

namespace {
thread_local qint64 readLimit = GfxMaxExpandedSize;
}  // namespace

TGfxReadLimit::TGfxReadLimit(qint64 MaxSize) : previous_(readLimit)
{
    readLimit = std::clamp<qint64>(MaxSize, 0, GfxMaxExpandedSize);
}

TGfxReadLimit::~TGfxReadLimit() { readLimit = previous_; }

qint64 TGfxReadLimit::Current() { return readLimit; }

QByteArray GfxReadObject(QIODevice& source, bool compressed)
{
    if (!compressed) {
        const std::int32_t length = GfxReadInteger(source);
        if (length > readLimit)
            ReadError();
        return GfxReadBlock(source, length);
    }
    QBuffer image;
    image.open(QIODevice::WriteOnly);
    GfxDecompressStream(source, image, readLimit);
    return image.data();
}

// ------------------------------------------------------------ strings

void GfxWriteStrings(QIODevice& destination, const QStringList& strings, bool compressed)
{
    GfxWriteObject(destination, compressed, [&](QIODevice& image) {
        for (const QString& line : strings) {
            const QByteArray bytes = line.toUtf8() + "\r\n";
            GfxWriteBuffer(image, bytes.constData(), bytes.size());
        }
    });
}

void GfxReadStrings(QIODevice& source, QStringList& strings, bool compressed)
{
    const QByteArray image = GfxReadObject(source, compressed);
    strings.clear();
    qsizetype start = 0;
    const qsizetype n = image.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && image[end] != '\r' && image[end] != '\n')
            ++end;
        strings.append(QString::fromUtf8(image.constData() + start, end - start));
        // CR LF, CR or LF ends the line.
        if (end < n && image[end] == '\r') {
            ++end;
            if (end < n && image[end] == '\n')
                ++end;
        } else if (end < n) {
            ++end;
        }
        start = end;
    }
}

// ------------------------------------------------------------ bitmaps

int GfxBitsForColours(const TGfxBitmap& bitmap, std::uint32_t colours)
{
    if (bitmap.Monochrome())
        return 1;
    switch (colours) {
    case 2: return 1;
    case 16: return 4;
    case 256: return 8;
    default: break;
    }
    const int own = bitmap.BitsPerPixel();
    return own == 16 || own == 32 ? 24 : own;
}

void GfxInitBitmapInfoHeader(const TGfxBitmap& bitmap, TGfxBitmapInfoHeader& header, std::uint32_t colours)
{
    const int bits = GfxBitsForColours(bitmap, colours);
    header = TGfxBitmapInfoHeader{};
    header.biSize = 40;
    header.biWidth = bitmap.Width();
    header.biHeight = bitmap.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bits);
    header.biCompression = 0;
    header.biSizeImage =
        static_cast<std::uint32_t>(TGfxDIB::RowBytes(bitmap.Width(), bits)) * static_cast<std::uint32_t>(bitmap.Height());
}

void GfxGetDIBSizes(const TGfxBitmap& bitmap, std::uint32_t colours, int& infoSize, int& imageSize)
{
    TGfxBitmapInfoHeader header;
    GfxInitBitmapInfoHeader(bitmap, header, colours);
    infoSize = 40 + (header.biBitCount <= 8 ? 4 << header.biBitCount : 0);
    imageSize = static_cast<int>(header.biSizeImage);
}

bool GfxGetDIB(const TGfxBitmap& bitmap, const TGfxPalette* palette, TGfxBitmapInfoHeader& header,
               std::uint32_t colours, std::vector<QRgb>& colorTable, QByteArray& bits)
{
    GfxInitBitmapInfoHeader(bitmap, header, colours);
    if (bitmap.Empty())
        return false;
    TGfxDIB dib = bitmap.GetDIB(header.biBitCount, palette);
    colorTable = std::move(dib.Colors);
    if (header.biBitCount <= 8)
        colorTable.resize(std::size_t{1} << header.biBitCount, 0);
    bits = std::move(dib.Bits);
    return true;
}

QByteArray GfxWriteBitmapFile(const TGfxBitmap* bitmap, const TGfxPalette* palette, std::uint32_t colours)
{
    if (!bitmap || bitmap->Empty())
        throw EGfxError(QString::fromLatin1(GfxInvalidBitmapText));
    TGfxBitmapInfoHeader header;
    TGfxDIB dib;
    GfxGetDIB(*bitmap, palette, header, colours, dib.Colors, dib.Bits);
    dib.Width = header.biWidth;
    dib.Height = header.biHeight;
    dib.BitCount = header.biBitCount;
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    GfxWriteDIBFile(file, dib);
    return file.data();
}

void GfxWriteBitmapToStream(QIODevice& stream, const TGfxBitmap* bitmap, const TGfxPalette* palette,
                            std::uint32_t colours, bool withSize)
{
    const QByteArray file = GfxWriteBitmapFile(bitmap, palette, colours);
    if (withSize)
        GfxWriteInteger(stream, static_cast<std::int32_t>(file.size()));
    GfxWriteBuffer(stream, file.constData(), file.size());
}

void GfxWriteBitmap(QIODevice& destination, const TGfxBitmap& bitmap, bool compressed, std::uint32_t colours)
{
    if (!bitmap.Empty() && bitmap.Monochrome())
        colours = 2;
    if (colours == GfxOwnImage) {
        GfxWriteObject(destination, compressed, [&](QIODevice& image) { bitmap.SaveToStream(image); });
        return;
    }
    if (compressed) {
        GfxWriteObject(destination, true,
                       [&](QIODevice& image) { GfxWriteBitmapToStream(image, &bitmap, nullptr, colours, false); });
        return;
    }
    GfxWriteBitmapToStream(destination, &bitmap, nullptr, colours, true);
}

void GfxReadBitmap(QIODevice& source, TGfxBitmap& bitmap, bool compressed)
{
    QByteArray image = GfxReadObject(source, compressed);
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    bitmap.LoadFromStream(buffer);
}
