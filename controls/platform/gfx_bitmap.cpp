#include "gfx_bitmap.h"

#include "gfx_canvas.h"
#include "gfx_exceptions.h"
#include "gfx_stream.h"

#include <QIODevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

// Pixel counts beyond this are refused on loading (a 32-bit picture of this
// size takes 128 MB).
constexpr long long MaxPixels = 1LL << 25;
constexpr int MaxSide = 65535;

QImage::Format QtFormat(TGfxPixelFormat f)
{
    switch (f) {
    case pf1bit: return QImage::Format_Mono;
    case pf4bit:
    case pf8bit: return QImage::Format_Indexed8;
    case pf24bit: return QImage::Format_BGR888;
    default: return QImage::Format_RGB32;
    }
}

int BitCountOf(TGfxPixelFormat f)
{
    switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
    }
}

TGfxPixelFormat FormatOfBits(int bits)
{
    switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(QString::fromLatin1(GfxInvalidBitmapText)); }

int NearestIndex(const std::vector<QRgb>& table, QRgb c)
{
    int best = 0;
    long long bestDist = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const long long dr = qRed(table[i]) - qRed(c);
        const long long dg = qGreen(table[i]) - qGreen(c);
        const long long db = qBlue(table[i]) - qBlue(c);
        const long long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

QList<QRgb> ToQList(const std::vector<QRgb>& v) { return QList<QRgb>(v.begin(), v.end()); }

// Each pixel as the index of its nearest colour in the table.
QImage ToIndexes(const QImage& image, const std::vector<QRgb>& table)
{
    return image.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, ToQList(table), Qt::ThresholdDither | Qt::AvoidDither);
}

// The picture of the format from one index byte per pixel.
QImage FromIndexes(const QImage& indexes, TGfxPixelFormat format, const std::vector<QRgb>& table)
{
    if (format != pf1bit) {
        QImage image = indexes;
        image.setColorTable(ToQList(table));
        return image;
    }
    QImage mono(indexes.width(), indexes.height(), QImage::Format_Mono);
    std::vector<QRgb> two = table;
    two.resize(2, qRgb(0, 0, 0));
    mono.setColorTable(ToQList(two));
    mono.fill(0);
    for (int y = 0; y < indexes.height(); ++y) {
        const std::uint8_t* in = indexes.constScanLine(y);
        std::uint8_t* out = mono.scanLine(y);
        for (int x = 0; x < indexes.width(); ++x)
            if (in[x])
                out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
    return mono;
}

// A blank picture of the format: white, or the table's nearest to white.
QImage BlankImage(int w, int h, TGfxPixelFormat format, const std::vector<QRgb>& table)
{
    QImage image(w, h, QtFormat(format));
    if (format == pf1bit || format == pf4bit || format == pf8bit) {
        image.setColorTable(ToQList(table));
        image.fill(static_cast<uint>(NearestIndex(table, 0xFFFFFFFFu)));
    } else {
        image.fill(Qt::white);
    }
    return image;
}

}  // namespace

const std::vector<QRgb>& GfxStandardColorTable(int bitCount)
{
    static const std::vector<QRgb> mono = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    static const std::vector<QRgb> classic16 = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    static const std::vector<QRgb> standard256 = [] {
        std::vector<QRgb> t = {qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),
                               qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128),
                               qRgb(0, 128, 128),   qRgb(192, 192, 192), qRgb(192, 220, 192),
                               qRgb(166, 202, 240)};
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    t.push_back(qRgb(r * 51, g * 51, b * 51));
        for (int i = 1; i <= 20; ++i)
            t.push_back(qRgb(i * 12, i * 12, i * 12));
        for (QRgb c : {qRgb(255, 251, 240), qRgb(160, 160, 164), qRgb(128, 128, 128), qRgb(255, 0, 0),
                       qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 255),
                       qRgb(0, 255, 255), qRgb(255, 255, 255)})
            t.push_back(c);
        return t;
    }();
    if (bitCount <= 1)
        return mono;
    return bitCount <= 4 ? classic16 : standard256;
}

TGfxBitmap::TGfxBitmap() = default;

TGfxBitmap::TGfxBitmap(int width, int height, TGfxPixelFormat format) : format_(format)
{
    if (width > 0 && height > 0)
        image_ = BlankImage(width, height, format, GfxStandardColorTable(BitCountOf(format)));
}

TGfxBitmap::~TGfxBitmap() { canvas_.reset(); }

void TGfxBitmap::Changed()
{
    if (OnChange)
        OnChange(this);
}

QImage* TGfxBitmap::PaintSurface()
{
    if (image_.isNull())
        return nullptr;
    if (!Indexed())
        return &image_;
    if (work_.isNull())
        work_ = image_.convertToFormat(QImage::Format_RGB32);
    return &work_;
}

void TGfxBitmap::Settle() const
{
    if (canvas_)
        canvas_->Release();
    if (work_.isNull())
        return;
    const QList<QRgb> own = image_.colorTable();
    const std::vector<QRgb> table(own.begin(), own.end());
    image_ = FromIndexes(ToIndexes(work_, table), format_, table);
    work_ = QImage();
}

void TGfxBitmap::TakeImage(QImage image, TGfxPixelFormat format)
{
    Settle();
    image_ = std::move(image);
    format_ = format;
    Changed();
}

TGfxCanvas& TGfxBitmap::Canvas()
{
    if (!canvas_) {
        canvas_.reset(new TGfxCanvas(this));
        canvas_->OnChange = [this] { Changed(); };
    }
    return *canvas_;
}

void TGfxBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    Settle();
    if (width == 0 || height == 0) {
        TakeImage(QImage(), format_);
        return;
    }
    std::vector<QRgb> table = ColorTable();
    if (Indexed() && table.empty())
        table = GfxStandardColorTable(BitCountOf(format_));
    QImage next = BlankImage(width, height, format_, table);
    const int w = std::min(width, Width());
    const int h = std::min(height, Height());
    if (Indexed()) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                next.setPixel(x, y, static_cast<uint>(image_.pixelIndex(x, y)));
    } else if (w > 0 && h > 0) {
        QPainter p(&next);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), image_, QRect(0, 0, w, h));
    }
    TakeImage(std::move(next), format_);
}

int TGfxBitmap::BitsPerPixel() const { return BitCountOf(format_); }

bool TGfxBitmap::Monochrome() const
{
    if (format_ != pf1bit)
        return false;
    const QList<QRgb> t = image_.colorTable();
    return image_.isNull() || (t.size() == 2 && (t[0] & 0xFFFFFF) == 0 && (t[1] & 0xFFFFFF) == 0xFFFFFF);
}

void TGfxBitmap::SetMonochrome(bool on)
{
    if (on == Monochrome())
        return;
    if (!on) {
        SetPixelFormat(pfDevice);
        return;
    }
    Settle();
    const std::vector<QRgb>& bw = GfxStandardColorTable(1);
    if (image_.isNull()) {
        format_ = pf1bit;
        Changed();
        return;
    }
    TakeImage(FromIndexes(ToIndexes(image_, bw), pf1bit, bw), pf1bit);
}

void TGfxBitmap::SetPixelFormat(TGfxPixelFormat format)
{
    if (format == format_)
        return;
    Settle();
    if (image_.isNull()) {
        format_ = format;
        Changed();
        return;
    }
    QImage next;
    if (format == pf1bit || format == pf4bit || format == pf8bit) {
        const int bits = BitCountOf(format);
        std::vector<QRgb> table = ColorTable();
        if (table.empty() || table.size() > (std::size_t{1} << bits))
            table = GfxStandardColorTable(bits);
        next = FromIndexes(ToIndexes(image_, table), format, table);
    } else {
        next = image_.convertToFormat(QtFormat(format));
    }
    TakeImage(std::move(next), format);
}

std::vector<QRgb> TGfxBitmap::ColorTable() const
{
    if (!Indexed())
        return {};
    Settle();
    const QList<QRgb> t = image_.colorTable();
    if (image_.isNull())
        return GfxStandardColorTable(BitCountOf(format_));
    return std::vector<QRgb>(t.begin(), t.end());
}

void TGfxBitmap::SetColorTable(const std::vector<QRgb>& colors)
{
    if (!Indexed() || image_.isNull())
        return;
    Settle();
    const std::size_t size = std::size_t{1} << BitCountOf(format_);
    std::vector<QRgb> table(colors.begin(), colors.begin() + std::min(colors.size(), size));
    table.resize(std::max<std::size_t>(table.size(), image_.colorCount()), qRgb(0, 0, 0));
    image_.setColorTable(ToQList(table));
    Changed();
}

TGfxPalette TGfxBitmap::Palette() const
{
    TGfxPalette palette;
    for (QRgb c : ColorTable())
        palette.Entries.push_back(TGfxPaletteEntry{static_cast<std::uint8_t>(qRed(c)),
                                                   static_cast<std::uint8_t>(qGreen(c)),
                                                   static_cast<std::uint8_t>(qBlue(c)), 0});
    return palette;
}

std::uint8_t* TGfxBitmap::ScanLine(int y)
{
    Settle();
    if (y < 0 || y >= Height())
        return nullptr;
    return image_.scanLine(y);
}

const std::uint8_t* TGfxBitmap::ScanLine(int y) const
{
    Settle();
    if (y < 0 || y >= Height())
        return nullptr;
    return image_.constScanLine(y);
}

void TGfxBitmap::Assign(const TGfxBitmap* source)
{
    if (source == this)
        return;
    if (!source) {
        TakeImage(QImage(), pfDevice);
        return;
    }
    source->Settle();
    QImage copy = source->image_;
    copy.detach();
    TakeImage(std::move(copy), source->format_);
}

void TGfxBitmap::Mask(TColor transparentColor)
{
    Settle();
    if (image_.isNull()) {
        format_ = pf1bit;
        return;
    }
    const QImage rgb = image_.convertToFormat(QImage::Format_RGB32);
    const QRgb key = GfxColorToQRgb(transparentColor) & 0xFFFFFF;
    QImage mask(rgb.width(), rgb.height(), QImage::Format_Mono);
    mask.setColorTable(ToQList(GfxStandardColorTable(1)));
    mask.fill(0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* out = mask.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            if ((in[x] & 0xFFFFFF) == key)
                out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
    TakeImage(std::move(mask), pf1bit);
}

TColor TGfxBitmap::TransparentColor() const
{
    if (Monochrome() || image_.isNull())
        return clWhite;
    return PixelAt(0, Height() - 1);
}

TColor TGfxBitmap::PixelAt(int x, int y) const
{
    Settle();
    if (!image_.valid(x, y))
        return GfxInvalidColor;
    return GfxColorFromQRgb(image_.pixel(x, y));
}

qint64 TGfxBitmap::ContentKey() const
{
    // Every write to a QImage goes through its detach, which renews the key;
    // ending the canvas's drawing makes the next drawing begin (and detach)
    // again.
    Settle();
    return image_.cacheKey();
}

QImage TGfxBitmap::Snapshot(const QRect& area) const
{
    Settle();
    if (image_.isNull())
        return QImage(area.size(), QImage::Format_RGB32);
    return image_.copy(area).convertToFormat(QImage::Format_RGB32);
}

// --------------------------------------------------- device-independent bits

TGfxDIB TGfxBitmap::GetDIB(int bitCount, const TGfxPalette* palette) const
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        throw EInvalidGraphicOperation(GfxFormat(QStringLiteral("Invalid bit count %d"), {bitCount}));
    Settle();
    TGfxDIB dib;
    dib.Width = Width();
    dib.Height = Height();
    dib.BitCount = bitCount;
    if (image_.isNull())
        return dib;
    const int rowBytes = TGfxDIB::RowBytes(dib.Width, bitCount);
    dib.Bits = QByteArray(qsizetype{rowBytes} * dib.Height, '\0');
    auto row = [&](int y) { return reinterpret_cast<std::uint8_t*>(dib.Bits.data()) + qsizetype{dib.Height - 1 - y} * rowBytes; };

    if (bitCount == 24 || bitCount == 32) {
        const QImage src = image_.convertToFormat(bitCount == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
        for (int y = 0; y < dib.Height; ++y) {
            std::memcpy(row(y), src.constScanLine(y), static_cast<std::size_t>(dib.Width) * (bitCount / 8));
            if (bitCount == 32)
                for (int x = 0; x < dib.Width; ++x)
                    row(y)[x * 4 + 3] = 0;
        }
        return dib;
    }

    const std::size_t limit = std::size_t{1} << bitCount;
    std::vector<QRgb> table;
    if (palette && !palette->Entries.empty()) {
        for (const TGfxPaletteEntry& e : palette->Entries)
            if (table.size() < limit)
                table.push_back(qRgb(e.Red, e.Green, e.Blue));
    } else if (Indexed() && static_cast<std::size_t>(image_.colorCount()) <= limit) {
        table = ColorTable();
    } else {
        table = GfxStandardColorTable(bitCount);
    }
    const QList<QRgb> own = image_.colorTable();
    const bool sameTable = Indexed() && std::equal(own.begin(), own.end(), table.begin(), table.end());
    const QImage indexes =
        sameTable ? image_.convertToFormat(QImage::Format_Indexed8) : ToIndexes(image_, table);
    dib.Colors = table;
    for (int y = 0; y < dib.Height; ++y) {
        const std::uint8_t* in = indexes.constScanLine(y);
        std::uint8_t* out = row(y);
        for (int x = 0; x < dib.Width; ++x) {
            const std::uint8_t v = in[x];
            if (bitCount == 8)
                out[x] = v;
            else if (bitCount == 4)
                out[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? (v & 0x0F) : (v << 4));
            else if (v)
                out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
    return dib;
}

void TGfxBitmap::SetDIB(const TGfxDIB& dib)
{
    const int bits = dib.BitCount;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) || dib.Width <= 0 || dib.Height <= 0 ||
        dib.Width > MaxSide || dib.Height > MaxSide ||
        static_cast<long long>(dib.Width) * dib.Height > MaxPixels)
        InvalidBitmap();
    const int rowBytes = TGfxDIB::RowBytes(dib.Width, bits);
    if (dib.Bits.size() < qsizetype{rowBytes} * dib.Height)
        InvalidBitmap();
    auto row = [&](int y) {
        return reinterpret_cast<const std::uint8_t*>(dib.Bits.constData()) + qsizetype{dib.Height - 1 - y} * rowBytes;
    };
    const TGfxPixelFormat format = FormatOfBits(bits);
    QImage image(dib.Width, dib.Height, QtFormat(format));
    if (bits <= 8) {
        const std::size_t limit = std::size_t{1} << bits;
        if (dib.Colors.size() > limit)
            InvalidBitmap();
        std::vector<QRgb> table = dib.Colors.empty() ? GfxStandardColorTable(bits) : dib.Colors;
        for (QRgb& c : table)
            c |= 0xFF000000u;
        int highest = 0;
        for (int y = 0; y < dib.Height; ++y) {
            const std::uint8_t* in = row(y);
            std::uint8_t* out = image.scanLine(y);
            if (bits == 1) {
                std::memcpy(out, in, static_cast<std::size_t>((dib.Width + 7) / 8));
                continue;
            }
            for (int x = 0; x < dib.Width; ++x) {
                const std::uint8_t v = bits == 8 ? in[x] : ((x & 1) ? (in[x >> 1] & 0x0F) : (in[x >> 1] >> 4));
                out[x] = v;
                highest = std::max<int>(highest, v);
            }
        }
        // Indexes past the table draw black.
        if (bits == 1)
            highest = 1;
        table.resize(std::max<std::size_t>(table.size(), static_cast<std::size_t>(highest) + 1), qRgb(0, 0, 0));
        image.setColorTable(ToQList(table));
    } else {
        for (int y = 0; y < dib.Height; ++y) {
            if (bits == 24) {
                std::memcpy(image.scanLine(y), row(y), static_cast<std::size_t>(dib.Width) * 3);
            } else {
                const std::uint8_t* in = row(y);
                auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < dib.Width; ++x)
                    out[x] = qRgb(in[x * 4 + 2], in[x * 4 + 1], in[x * 4]);
            }
        }
    }
    TakeImage(std::move(image), format);
}

// ------------------------------------------------------------ stream image

void TGfxBitmap::LoadFromStream(QIODevice& stream)
{
    if (stream.atEnd()) {
        TakeImage(QImage(), format_);
        return;
    }
    char magic[2];
    GfxReadBuffer(stream, magic, 2);
    if (magic[0] != 'B' || magic[1] != 'M')
        InvalidBitmap();
    GfxReadU32(stream);  // file size
    GfxReadU32(stream);  // reserved
    const std::uint32_t offBits = GfxReadU32(stream);
    const std::uint32_t headerSize = GfxReadU32(stream);
    TGfxDIB dib;
    int planes = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    bool topDown = false;
    qint64 consumed = 14 + 4;
    if (headerSize == 12) {
        dib.Width = GfxReadU16(stream);
        dib.Height = GfxReadU16(stream);
        planes = GfxReadU16(stream);
        dib.BitCount = GfxReadU16(stream);
        consumed += 8;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        dib.Width = static_cast<std::int32_t>(GfxReadU32(stream));
        std::int32_t height = static_cast<std::int32_t>(GfxReadU32(stream));
        if (height == std::numeric_limits<std::int32_t>::min())
            InvalidBitmap();
        topDown = height < 0;
        dib.Height = topDown ? -height : height;
        planes = GfxReadU16(stream);
        dib.BitCount = GfxReadU16(stream);
        compression = GfxReadU32(stream);
        for (int i = 0; i < 3; ++i)
            GfxReadU32(stream);  // image size, resolution
        colorsUsed = GfxReadU32(stream);
        GfxReadU32(stream);  // important colours
        GfxSkipBuffer(stream, headerSize - 40);
        consumed += headerSize - 4;
        if (compression == 3 && headerSize == 40) {
            const std::uint32_t r = GfxReadU32(stream), g = GfxReadU32(stream), b = GfxReadU32(stream);
            if (r != 0xFF0000 || g != 0xFF00 || b != 0xFF)
                InvalidBitmap();
            consumed += 12;
        }
    } else {
        InvalidBitmap();
    }
    const int bits = dib.BitCount;
    if (planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) ||
        !(compression == 0 || (compression == 3 && bits == 32)) || dib.Width <= 0 || dib.Height <= 0 ||
        dib.Width > MaxSide || dib.Height > MaxSide || static_cast<long long>(dib.Width) * dib.Height > MaxPixels)
        InvalidBitmap();
    std::size_t colors = 0;
    if (bits <= 8) {
        colors = colorsUsed ? colorsUsed : (std::size_t{1} << bits);
        if (colors > (std::size_t{1} << bits))
            InvalidBitmap();
    } else if (colorsUsed > 256) {
        InvalidBitmap();
    } else {
        colors = colorsUsed;  // a table the true-colour pixels do not use
    }
    const int entry = headerSize == 12 ? 3 : 4;
    for (std::size_t i = 0; i < colors; ++i) {
        unsigned char c[4] = {0, 0, 0, 0};
        GfxReadBuffer(stream, c, entry);
        if (bits <= 8)
            dib.Colors.push_back(qRgb(c[2], c[1], c[0]));
    }
    consumed += static_cast<qint64>(colors) * entry;
    if (offBits != 0) {
        if (offBits < consumed)
            InvalidBitmap();
        GfxSkipBuffer(stream, offBits - consumed);
    }
    const qsizetype rowBytes = TGfxDIB::RowBytes(dib.Width, bits);
    // A stream that cannot hold the rows fails before they are allocated.
    if (!stream.isSequential() && stream.size() - stream.pos() < rowBytes * dib.Height)
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    dib.Bits = QByteArray(rowBytes * dib.Height, '\0');
    GfxReadBuffer(stream, dib.Bits.data(), dib.Bits.size());
    if (topDown) {
        QByteArray flipped(dib.Bits.size(), '\0');
        for (int y = 0; y < dib.Height; ++y)
            std::memcpy(flipped.data() + (dib.Height - 1 - y) * rowBytes, dib.Bits.constData() + y * rowBytes,
                        static_cast<std::size_t>(rowBytes));
        dib.Bits = flipped;
    }
    SetDIB(dib);
}

void TGfxBitmap::SaveToStream(QIODevice& stream) const
{
    if (Empty())
        return;
    GfxWriteDIBFile(stream, GetDIB(BitsPerPixel()));
}

void GfxWriteDIBFile(QIODevice& stream, const TGfxDIB& dib)
{
    const std::uint32_t colors = dib.BitCount <= 8 ? (1u << dib.BitCount) : 0;
    const std::uint32_t offBits = 14 + 40 + colors * 4;
    const std::uint32_t imageSize =
        static_cast<std::uint32_t>(TGfxDIB::RowBytes(dib.Width, dib.BitCount)) * static_cast<std::uint32_t>(dib.Height);
    GfxWriteBuffer(stream, "BM", 2);
    GfxWriteU32(stream, offBits + imageSize);
    GfxWriteU32(stream, 0);
    GfxWriteU32(stream, offBits);
    GfxWriteU32(stream, 40);
    GfxWriteU32(stream, static_cast<std::uint32_t>(dib.Width));
    GfxWriteU32(stream, static_cast<std::uint32_t>(dib.Height));
    GfxWriteU16(stream, 1);
    GfxWriteU16(stream, static_cast<std::uint16_t>(dib.BitCount));
    GfxWriteU32(stream, 0);
    GfxWriteU32(stream, imageSize);
    for (int i = 0; i < 4; ++i)
        GfxWriteU32(stream, 0);
    for (std::uint32_t i = 0; i < colors; ++i) {
        const QRgb c = i < dib.Colors.size() ? dib.Colors[i] : 0;
        const unsigned char quad[4] = {static_cast<unsigned char>(qBlue(c)), static_cast<unsigned char>(qGreen(c)),
                                       static_cast<unsigned char>(qRed(c)), 0};
        GfxWriteBuffer(stream, quad, 4);
    }
    GfxWriteBuffer(stream, dib.Bits.constData(), dib.Bits.size());
}
