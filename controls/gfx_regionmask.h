#pragma once
// TGfxRegionMask: the outline a region takes from stored region data, and
// the three bitmaps its border can be drawn from; TGfxRgnShadow: a region's
// drop shadow, switched off by default.
//
// Binary properties of the mask (see gfx_propstream.h for the forms):
//   "RegionData"   written when RegionDataSize is not 0: RegionDataSize
//                  bytes, with no length of their own (the reader takes
//                  the published RegionDataSize, read before it)
//   "BorderBmp", "BorderUpBmp", "BorderDnBmp"
//                  written when that bitmap is not empty: the compression
//                  flag as a byte, then the bitmap in the object form,
//                  compressed when the flag says so
//
// Region data is the platform's stored form (gfx_region.h): a 32-byte
// header (size 32, type 1 for rectangles, the rectangle count, ...) and the
// rectangles. Stored data is untrusted: data whose header, type, count or
// rectangles do not make a region is refused with EReadError "Stream read
// error" and leaves the mask without data.

#include "gfx_containers.h"
#include "gfx_object.h"
#include "gfx_shape.h"
#include "platform/gfx_bitmap.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>

enum TGfxBorderBitmap : std::uint8_t { bbBorder, bbBorderUp, bbBorderDown };

class TGfxRegionMask : public TGfxObject {
public:
    TGfxRegionMask() = default;

    // The raw region data; empty without data.
    const QByteArray& RegionData() const { return data_; }
    // Takes the data and its size (empty clears).
    void SetRegionData(const QByteArray& Data);
    void ClearData();
    int RegionDataSize() const { return dataSize_; }
    // Only stores the number (the stored form reads it before the data).
    void SetRegionDataSize(int Value) { dataSize_ = Value; }

    TGfxBitmap& BorderBitmap(TGfxBorderBitmap Which) { return bitmaps_[Which]; }
    const TGfxBitmap& BorderBitmap(TGfxBorderBitmap Which) const { return bitmaps_[Which]; }
    TGfxSavePixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TGfxSavePixelFormat Value) { SetProp(pixelFormat_, Value); }
    bool Compressed() const { return compressed_; }
    void SetCompressed(bool Value) { SetProp(compressed_, Value); }

    // "RegionData".
    bool RegionDataStored() const { return dataSize_ != 0; }
    // Reads RegionDataSize bytes and checks them as region data.
    void ReadRegionData(QIODevice& Stream);
    // Writes RegionDataSize bytes: the data, cut or padded with zeros to
    // that size.
    void WriteRegionData(QIODevice& Stream) const;
    // "BorderBmp", "BorderUpBmp", "BorderDnBmp".
    static const char* BorderPropertyName(TGfxBorderBitmap Which);
    bool BorderStored(TGfxBorderBitmap Which) const { return !bitmaps_[Which].Empty(); }
    // Reads the flag into Compressed, then the bitmap.
    void ReadBorder(QIODevice& Stream, TGfxBorderBitmap Which);
    void WriteBorder(QIODevice& Stream, TGfxBorderBitmap Which) const;

    // From another mask: its own data goes; a source with data gives its
    // data and its three bitmaps (a source without leaves the bitmaps).
    // One notification.
    void Assign(const TObject* Source) override;

    // Header, type, a rectangle count within the size and rectangles inside
    // the platform's coordinate range: what a region can be rebuilt from.
    static bool ValidRegionData(const QByteArray& Data);

private:
    QByteArray data_;
    int dataSize_ = 0;
    TGfxBitmap bitmaps_[3];
    TGfxSavePixelFormat pixelFormat_ = spfDefault;
    bool compressed_ = false;
};

class TGfxRgnShadow : public TGfxShadow {
public:
    TGfxRgnShadow() { InitStyle(hssNone); }
};
