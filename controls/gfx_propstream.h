#pragma once
// The binary property stream: how the library's stored objects (bitmap-list
// items, waves, string lists, region masks) write their contents into a
// stream and read them back.
//
// Integers are 32-bit little-endian.
//   byte                one byte
//   integer             four bytes
//   short string        a length byte n, then n bytes (UTF-8; a longer text
//                       is cut to 255 bytes at a character boundary)
//   object, raw         [integer L][L bytes: the object's stream image]
//   object, compressed  [integer T] and chunks [integer C][C bytes: one LZRW
//                       block of at most 32781 source bytes]; T counts every
//                       chunk's size field and bytes
//
// Bitmaps are written at a colour depth (the colours argument):
//   GfxOwnImage (0xFFFFFFFF)  the bitmap's own stream image
//   2, 16, 256                a bitmap file image of 1, 4 or 8 bits
//   0 (or any other value)    a bitmap file image at the bitmap's own
//                             depth, 16 and 32 bits written as 24
// A monochrome bitmap is always written at 2 colours.
//
// Stored data is untrusted. Every length, total and chunk size is checked
// against what remains (in the stream, and in the total) before it is used:
// a stream that does not hold what it claims is EReadError "Stream read
// error", a block that does not expand EInvalidPointer "LZRW Error!".

#include "platform/gfx_bitmap.h"
#include "platform/gfx_exceptions.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// The library's general error.
class EGfxError : public Exception {
public:
    using Exception::Exception;
};

constexpr std::uint32_t GfxOwnImage = 0xFFFFFFFF;
// Source bytes per compressed chunk, and the longest block they give.
constexpr int GfxCompressChunkSource = 32781;
constexpr int GfxCompressChunkMax = GfxCompressChunkSource + 1;
// The most one compressed object may expand to. LZRW runs expand a few
// bytes to thousands; beyond this a stored object is refused (EReadError)
// instead of filling memory.
constexpr qint64 GfxMaxExpandedSize = qint64{256} << 20;

// ------------------------------------------------------------ plain values
void GfxWriteByte(QIODevice& stream, std::uint8_t value);
void GfxWriteInteger(QIODevice& stream, std::int32_t value);
void GfxWriteShortString(QIODevice& stream, const QString& value);
std::uint8_t GfxReadByte(QIODevice& stream);
std::int32_t GfxReadInteger(QIODevice& stream);
QString GfxReadShortString(QIODevice& stream);

// ------------------------------------------------------- compressed form
// Writes the compressed form of the next count bytes of the source at the
// destination's position. A source that cannot supply them is EReadError.
void GfxCompressStream(QIODevice& source, QIODevice& destination, qint64 count);
// Reads one compressed form from the source and appends the expanded bytes
// to the destination; more than maxSize expanded bytes is EReadError.
void GfxDecompressStream(QIODevice& source, QIODevice& destination, qint64 maxSize = GfxMaxExpandedSize);

// While one lives, every object read on its thread (GfxReadObject and the
// readers built on it) takes at most its size, when that is below
// GfxMaxExpandedSize: a reader of many objects bounds them as a whole.
// Past it the read is EReadError. Scopes nest; the innermost counts.
class TGfxReadLimit {
public:
    explicit TGfxReadLimit(qint64 MaxSize);
    ~TGfxReadLimit();
    TGfxReadLimit(const TGfxReadLimit&) = delete;
    TGfxReadLimit& operator=(const TGfxReadLimit&) = delete;
    // The size an object read now may take.
    static qint64 Current();

private:
    qint64 previous_;
};

// --------------------------------------------------------- object forms
// Writes the raw or compressed form around the stream image that
// writeImage puts into the stream it is given. The raw form reserves the
// length, lets the image be written in place, then goes back to fill it in,
// so the destination must be able to seek.
void GfxWriteObject(QIODevice& destination, bool compressed, const std::function<void(QIODevice&)>& writeImage);
// Reads one raw or compressed form and gives the stream image.
QByteArray GfxReadObject(QIODevice& source, bool compressed);

// ------------------------------------------------------------ strings
// The list's stream image is its lines, each ended by CR LF, in UTF-8;
// reading splits at CR LF, CR or LF.
void GfxWriteStrings(QIODevice& destination, const QStringList& strings, bool compressed);
void GfxReadStrings(QIODevice& source, QStringList& strings, bool compressed);

// ------------------------------------------------------------ bitmaps
void GfxWriteBitmap(QIODevice& destination, const TGfxBitmap& bitmap, bool compressed, std::uint32_t colours);
// Loads the bitmap from the expanded image with its own LoadFromStream.
void GfxReadBitmap(QIODevice& source, TGfxBitmap& bitmap, bool compressed);

// The information header of a device-independent bitmap.
struct TGfxBitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// Bits per pixel of the file image at that depth.
int GfxBitsForColours(const TGfxBitmap& bitmap, std::uint32_t colours);
// Size 40, the bitmap's width and height, 1 plane, the bits of the depth,
// no compression, the image size of the padded rows; the rest 0.
void GfxInitBitmapInfoHeader(const TGfxBitmap& bitmap, TGfxBitmapInfoHeader& header, std::uint32_t colours);
// infoSize: 40 and 4 bytes per colour-table entry (none for 24 bits);
// imageSize: the padded rows.
void GfxGetDIBSizes(const TGfxBitmap& bitmap, std::uint32_t colours, int& infoSize, int& imageSize);
// Fills the header, the colour table (2^bits entries for 1, 4 and 8 bits,
// from the palette when one is given) and the rows bottom-up; false for an
// empty bitmap.
bool GfxGetDIB(const TGfxBitmap& bitmap, const TGfxPalette* palette, TGfxBitmapInfoHeader& header,
               std::uint32_t colours, std::vector<QRgb>& colorTable, QByteArray& bits);
// The whole bitmap file image at that depth. No bitmap, or an empty one,
// is EGfxError "Bitmap image is not valid".
QByteArray GfxWriteBitmapFile(const TGfxBitmap* bitmap, const TGfxPalette* palette, std::uint32_t colours);
// The file image, preceded by its size as an integer when withSize is set.
void GfxWriteBitmapToStream(QIODevice& stream, const TGfxBitmap* bitmap, const TGfxPalette* palette,
                            std::uint32_t colours, bool withSize);
