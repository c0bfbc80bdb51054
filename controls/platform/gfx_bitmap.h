#pragma once
// TGfxBitmap: the platform's bitmap as the library uses it.
//
// Pixel formats 1, 4, 8, 24 and 32 bits per pixel, and the device format
// (32 bits) of a bitmap nobody gave a format. The low formats keep a colour
// table; a monochrome bitmap is 1 bit per pixel with the table black,
// white. Storage is a QImage:
//   pf1bit           Format_Mono, packed bits, most significant first
//   pf4bit, pf8bit   Format_Indexed8, one byte per pixel (a 4-bit row is
//                    unpacked: ScanLine gives one byte per pixel)
//   pf24bit          Format_BGR888, bytes blue, green, red
//   pf32bit, device  Format_RGB32, bytes blue, green, red, unused
// ScanLine(y) is row y from the top.
//
// The bitmap owns a canvas. Drawing on a bitmap of 1, 4 or 8 bits goes to a
// 32-bit working copy that folds back (each pixel to the nearest colour of
// the table) when the pixels are next read, so reads always see the table's
// colours.
//
// Stream image: the platform's bitmap file ("BM" file header, 40-byte
// information header, colour table, rows bottom-up padded to 4 bytes) at
// the bitmap's own depth. Loading takes 1, 4, 8, 24 and 32 bits per pixel
// uncompressed (and 32 bits with the standard masks), top-down or
// bottom-up, with a 12-byte or longer information header; anything else is
// EInvalidGraphic "Bitmap image is not valid", a stream that ends early
// EReadError. An empty bitmap writes nothing, and nothing reads as empty.
//
// Colour-depth reduction (PixelFormat or device-independent bits of fewer
// bits) maps each pixel to the nearest colour of a table: the given
// palette, else the bitmap's own table when it fits, else the standard
// table of that depth (black and white; the 16 colours of the classic
// display; the 20 static colours around a 6 x 6 x 6 colour cube and a grey
// ramp).

#include "gfx_graphics.h"
#include "gfx_object_base.h"
#include "gfx_types.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;
class TGfxCanvas;

enum TGfxPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// Device-independent bits: the rows bottom-up, each padded to 4 bytes, and
// the colour table of 1, 4 and 8 bits.
struct TGfxDIB {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::vector<QRgb> Colors;
    QByteArray Bits;
    static int RowBytes(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }
};

// Writes the bitmap file image of the bits: the 14-byte file header, the
// 40-byte information header (image size from the row size, resolution and
// colour counts 0), a colour table of 2^bits entries for 1, 4 and 8 bits
// (entries the bits lack are zero) and the rows.
void GfxWriteDIBFile(QIODevice& stream, const TGfxDIB& dib);

// The standard colour table of 1, 4 or 8 bits.
const std::vector<QRgb>& GfxStandardColorTable(int bitCount);

class TGfxBitmap : public TObject {
public:
    TGfxBitmap();
    TGfxBitmap(int width, int height, TGfxPixelFormat format = pfDevice);
    ~TGfxBitmap() override;
    TGfxBitmap(const TGfxBitmap&) = delete;
    TGfxBitmap& operator=(const TGfxBitmap&) = delete;

    // Fired after every change of the picture, the canvas's drawing included.
    TNotifyEvent OnChange;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }
    // The bytes its pixels take (with a working copy while drawn on).
    qint64 MemorySize() const { return image_.sizeInBytes() + work_.sizeInBytes(); }
    // Keeps the pixels that still fit; new pixels are white (index 0 of a
    // colour table becomes the nearest to white). Sizes below 1 empty it.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }

    TGfxPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels (colour-depth reduction for fewer bits).
    void SetPixelFormat(TGfxPixelFormat format);
    int BitsPerPixel() const;
    bool Monochrome() const;
    void SetMonochrome(bool on);
    // The colour table of 1, 4 and 8 bits (empty otherwise).
    std::vector<QRgb> ColorTable() const;
    // Replaces the table of an indexed bitmap (pixels keep their indexes;
    // missing entries are black).
    void SetColorTable(const std::vector<QRgb>& colors);
    // The colour table as a logical palette; no entries for 24 and 32 bits.
    TGfxPalette Palette() const;

    TGfxCanvas& Canvas();
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // A copy of the source's picture, format and table; none empties it.
    void Assign(const TGfxBitmap* source);
    // Becomes a monochrome mask: white where the pixel has the colour,
    // black elsewhere.
    void Mask(TColor transparentColor);
    // The colour a transparent drawing leaves out: white for a monochrome
    // bitmap, else the bottom-left pixel (white when empty).
    TColor TransparentColor() const;

    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;
    // The pixels at bitCount 1, 4, 8, 24 or 32 (EInvalidGraphicOperation for
    // any other); palette chooses the table of the low depths.
    TGfxDIB GetDIB(int bitCount, const TGfxPalette* palette = nullptr) const;
    // Takes the format, table and pixels of the bits (EInvalidGraphic when
    // they do not describe a bitmap).
    void SetDIB(const TGfxDIB& dib);

    // The colour of a pixel; GfxInvalidColor outside.
    TColor PixelAt(int x, int y) const;
    // The pixels of area (clipped to the bitmap; black outside) as RGB32.
    QImage Snapshot(const QRect& area) const;
    // The whole picture as RGB32.
    QImage ToImage() const { return Snapshot(QRect(0, 0, Width(), Height())); }
    // A number that names the bitmap's present pixels: it changes with every
    // change of size, format or pixels (drawing, scan lines, loading), and
    // two bitmaps share one only while they share their pixels. For caches
    // of what is made from a bitmap.
    qint64 ContentKey() const;

private:
    friend class TGfxCanvas;
    // What the canvas paints on; nullptr when empty.
    QImage* PaintSurface();
    // Ends the canvas's drawing and folds a working copy back.
    void Settle() const;
    void Changed();
    bool Indexed() const { return format_ == pf1bit || format_ == pf4bit || format_ == pf8bit; }
    void TakeImage(QImage image, TGfxPixelFormat format);

    mutable QImage image_;
    mutable QImage work_;  // 32-bit working copy of an indexed bitmap while drawn on
    TGfxPixelFormat format_ = pfDevice;
    std::unique_ptr<TGfxCanvas> canvas_;
};
