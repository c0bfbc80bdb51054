#include "gfx_wave.h"

#include "gfx_propstream.h"
#include "platform/gfx_platform.h"
#include "platform/gfx_stream.h"

#include <QFile>

namespace {

// The fields the check reads lie in the first 34 bytes: the RIFF header
// (12), the format chunk's header (8) and its first 14 bytes.
constexpr qint64 FormatFieldsEnd = 34;
constexpr std::uint32_t FormatFieldsSize = 14;

bool Tag(const QByteArray& data, qsizetype at, const char* tag) { return data.mid(at, 4) == QByteArray(tag, 4); }

std::uint32_t U32(const QByteArray& data, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
}

std::uint16_t U16(const QByteArray& data, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

}  // namespace

bool GfxCheckWave(QIODevice& stream, TGfxWaveInfo* info)
{
    if (!stream.isReadable() || stream.isSequential() || !stream.seek(0))
        throw EErrorCheckingWave(QStringLiteral("Cannot read the wave to check it"));
    const qint64 size = stream.size();
    const QByteArray head = stream.read(FormatFieldsEnd);
    stream.seek(0);
    if (head.size() < FormatFieldsEnd)
        return false;
    const std::uint32_t riffSize = U32(head, 4);
    const std::uint32_t formatSize = U32(head, 16);
    // The RIFF size is reported, not held against the stream: recorders that
    // stream their output, or stop before they patch the header, leave a
    // size larger than the data, and such a sound still plays.
    if (!Tag(head, 0, "RIFF") || !Tag(head, 8, "WAVE") || !Tag(head, 12, "fmt ") ||
        formatSize < FormatFieldsSize || formatSize > size - 20)
        return false;
    if (info) {
        const std::uint16_t channels = U16(head, 22);
        info->RiffSize = riffSize;
        info->Pcm = U16(head, 20) == 1 ? 1 : 0;
        info->Channels = channels == 1 || channels == 2 ? static_cast<std::uint8_t>(channels) : 0;
        info->SampleRate = U32(head, 24);
        info->BlockAlign = U16(head, 32);
    }
    return true;
}

TGfxWave::~TGfxWave()
{
    if (data_)
        GfxStopMemorySound();
}

std::unique_ptr<TGfxWave> TGfxWave::CreateFromFile(const QString& FileName)
{
    auto wave = std::make_unique<TGfxWave>();
    wave->LoadFromFile(FileName);
    return wave;
}

void TGfxWave::SetData(std::unique_ptr<QBuffer> Stream)
{
    if (data_)
        GfxStopMemorySound();
    data_ = std::move(Stream);
    if (data_) {
        if (!data_->isOpen())
            data_->open(QIODevice::ReadWrite);
        data_->seek(0);
    }
    DoChange();
}

void TGfxWave::LoadBytes(QIODevice& Stream, qint64 Count)
{
    // Nothing to load clears the wave (an empty wave's stored form is a
    // size of 0, and must read back as empty).
    if (Count <= 0) {
        if (Count < 0)
            throw EReadError(QString::fromLatin1(GfxReadErrorText));
        Clear();
        return;
    }
    auto bytes = std::make_unique<QBuffer>();
    bytes->setData(GfxReadBlock(Stream, Count));
    bytes->open(QIODevice::ReadWrite);
    if (!GfxCheckWave(*bytes))
        throw EInvalidWave(ClassName() + QStringLiteral(": not a RIFF/WAVE sound"));
    SetData(std::move(bytes));
}

void TGfxWave::LoadFromStream(QIODevice& Stream)
{
    if (Stream.isSequential()) {
        QByteArray all = Stream.readAll();
        QBuffer buffer(&all);
        buffer.open(QIODevice::ReadOnly);
        LoadBytes(buffer, all.size());
        return;
    }
    LoadBytes(Stream, GfxStreamRemaining(Stream));
}

void TGfxWave::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    GfxOpenFile(file);
    LoadFromStream(file);
}

void TGfxWave::SaveToStream(QIODevice& Stream) const
{
    if (data_)
        GfxWriteBuffer(Stream, data_->data().constData(), data_->size());
}

void TGfxWave::SaveToFile(const QString& FileName) const
{
    QFile file(FileName);
    GfxCreateFile(file);
    SaveToStream(file);
}

void TGfxWave::ReadData(QIODevice& Stream) { LoadBytes(Stream, GfxReadInteger(Stream)); }

void TGfxWave::WriteData(QIODevice& Stream) const
{
    GfxWriteInteger(Stream, static_cast<std::int32_t>(Size()));
    SaveToStream(Stream);
}

void TGfxWave::Assign(const TObject* Source)
{
    if (!Source) {
        Clear();
        return;
    }
    if (const auto* wave = dynamic_cast<const TGfxWave*>(Source)) {
        if (wave == this)
            return;
        std::unique_ptr<QBuffer> copy;
        if (wave->data_) {
            copy = std::make_unique<QBuffer>();
            copy->setData(wave->data_->data());
            wave->data_->seek(0);
        }
        SetData(std::move(copy));
        return;
    }
    TGfxObject::Assign(Source);
}

void GfxWriteWave(QIODevice& stream, const TGfxWave& wave, bool compressed)
{
    GfxWriteObject(stream, compressed, [&](QIODevice& image) { wave.SaveToStream(image); });
}

void GfxReadWave(QIODevice& stream, TGfxWave& wave, bool compressed)
{
    QByteArray image = GfxReadObject(stream, compressed);
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    wave.LoadFromStream(buffer);
}
