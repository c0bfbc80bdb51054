#include "gfx_regionmask.h"

#include "gfx_propstream.h"
#include "platform/gfx_exceptions.h"
#include "platform/gfx_region.h"
#include "platform/gfx_stream.h"

bool TGfxRegionMask::ValidRegionData(const QByteArray& Data) { return TGfxRgn::FromData(Data).has_value(); }

void TGfxRegionMask::SetRegionData(const QByteArray& Data)
{
    data_ = Data;
    dataSize_ = static_cast<int>(Data.size());
}

void TGfxRegionMask::ClearData()
{
    data_.clear();
    dataSize_ = 0;
}

void TGfxRegionMask::ReadRegionData(QIODevice& Stream)
{
    QByteArray data;
    try {
        data = GfxReadBlock(Stream, dataSize_);
    } catch (const EReadError&) {
        ClearData();
        throw;
    }
    if (!ValidRegionData(data)) {
        ClearData();
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    }
    data_ = data;
}

void TGfxRegionMask::WriteRegionData(QIODevice& Stream) const
{
    if (dataSize_ <= 0)
        return;
    QByteArray out = data_.left(dataSize_);
    out.append(dataSize_ - out.size(), '\0');
    GfxWriteBuffer(Stream, out.constData(), out.size());
}

const char* TGfxRegionMask::BorderPropertyName(TGfxBorderBitmap Which)
{
    switch (Which) {
    case bbBorderUp: return "BorderUpBmp";
    case bbBorderDown: return "BorderDnBmp";
    default: return "BorderBmp";
    }
}

void TGfxRegionMask::ReadBorder(QIODevice& Stream, TGfxBorderBitmap Which)
{
    SetCompressed(GfxReadByte(Stream) != 0);
    GfxReadBitmap(Stream, bitmaps_[Which], compressed_);
}

void TGfxRegionMask::WriteBorder(QIODevice& Stream, TGfxBorderBitmap Which) const
{
    GfxWriteByte(Stream, compressed_ ? 1 : 0);
    GfxWriteBitmap(Stream, bitmaps_[Which], compressed_, GfxOwnImage);
}

void TGfxRegionMask::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxRegionMask*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    ClearData();
    if (src->dataSize_ > 0) {
        data_ = src->data_;
        dataSize_ = src->dataSize_;
        for (int i = 0; i < 3; ++i)
            bitmaps_[i].Assign(&src->bitmaps_[i]);
    }
    EndUpdate(true);
}
