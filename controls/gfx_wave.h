#pragma once
// TGfxWave: the bytes of one sound in the RIFF/WAVE format, held in memory,
// checked when loaded, and stored in a window description as the binary
// property "Data" ([integer size][size bytes]).
//
// Nothing plays sound on this machine (see GfxStopMemorySound): a wave is
// stored, loaded, checked and handed out. Replacing or freeing its data
// still asks for a sound playing from memory to stop.

#include "gfx_object.h"
#include "platform/gfx_exceptions.h"

#include <QBuffer>
#include <QString>

#include <cstdint>
#include <memory>

// Data that is not a valid wave; the message begins with the wave's class
// name and ": ".
class EInvalidWave : public Exception {
public:
    using Exception::Exception;
};
// The check could not be made at all (its stream cannot be read).
class EErrorCheckingWave : public Exception {
public:
    using Exception::Exception;
};

// What the format check reads.
struct TGfxWaveInfo {
    std::uint32_t RiffSize = 0;
    std::uint32_t SampleRate = 0;
    std::uint8_t Channels = 0;  // 1 mono, 2 stereo, 0 any other count
    std::uint8_t Pcm = 0;       // 1 when the format tag is 1
    std::uint16_t BlockAlign = 0;  // the field after the byte rate
};

// Checks the whole stream from its start: "RIFF", the RIFF size, "WAVE",
// "fmt ", the format chunk's size, then format tag, channel count, sample
// rate, byte rate and block alignment. The RIFF size is only read (it may
// claim more than the stream holds); the format chunk must hold those
// fields and lie inside the stream. Rewinds the stream; false for anything else (an
// empty stream included). A stream not open for reading is
// EErrorCheckingWave.
bool GfxCheckWave(QIODevice& stream, TGfxWaveInfo* info = nullptr);

class TGfxWave : public TGfxObject {
public:
    TGfxWave() = default;
    ~TGfxWave() override;

    // A new wave holding the file.
    static std::unique_ptr<TGfxWave> CreateFromFile(const QString& FileName);

    bool Empty() const { return !data_ || data_->size() == 0; }
    qint64 Size() const { return data_ ? data_->size() : 0; }
    // The complete file image, or none.
    const QBuffer* Data() const { return data_.get(); }
    // Stops a sound playing from memory when data exists, takes the stream
    // (none clears) rewound, and notifies.
    void SetData(std::unique_ptr<QBuffer> Stream);
    void Clear() { SetData(nullptr); }

    // Loads from the position to the end. No bytes clear the wave; bytes
    // that fail the check leave the old data and raise EInvalidWave.
    void LoadFromStream(QIODevice& Stream);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice& Stream) const;
    void SaveToFile(const QString& FileName) const;

    // The binary property "Data", stored when data exists.
    bool HasData() const { return !Empty(); }
    void ReadData(QIODevice& Stream);
    void WriteData(QIODevice& Stream) const;

    // From another wave, a copy of its data; none clears.
    void Assign(const TObject* Source) override;

private:
    void LoadBytes(QIODevice& Stream, qint64 Count);

    std::unique_ptr<QBuffer> data_;
};

// A wave's data in raw ([integer size][bytes]) or compressed form.
void GfxWriteWave(QIODevice& stream, const TGfxWave& wave, bool compressed);
void GfxReadWave(QIODevice& stream, TGfxWave& wave, bool compressed);
