// Wave support: the format check, loading and storing, the "Data"
// property, the stored forms, and the stop requests of the sound stand-in.
#include "gfx_wave.h"
#include "platform/gfx_platform.h"
#include "stream_helpers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace streamtest;

namespace {

void Load(TGfxWave& w, const QByteArray& bytes) { w.LoadFromStream(*Over(bytes)); }

TEST(Wave, CheckReadsTheFormat)
{
    struct Case {
        int channels;
        std::uint32_t rate;
        int kind;
    };
    for (const Case c : {Case{1, 8000, 1}, Case{2, 44100, 2}, Case{6, 48000, 0}}) {
        auto in = Over(Wave(c.channels, c.rate));
        in->seek(10);
        TGfxWaveInfo info;
        ASSERT_TRUE(GfxCheckWave(*in, &info));
        EXPECT_EQ(in->pos(), 0);  // rewound
        EXPECT_EQ(info.RiffSize, 44u);
        EXPECT_EQ(info.SampleRate, c.rate);
        EXPECT_EQ(info.Channels, c.kind);
        EXPECT_EQ(info.Pcm, 1);
        EXPECT_EQ(info.BlockAlign, c.channels * 2);
    }
    QBuffer closed;
    EXPECT_THROW(GfxCheckWave(closed), EErrorCheckingWave);
}

TEST(Wave, BadRiffDataIsRefusedAndTheOldDataStays)
{
    const QByteArray good = Wave();
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray notRiff = good;
    notRiff.replace(0, 4, "RIFX");
    QByteArray noFormat = good;
    noFormat.replace(12, 4, "data");
    const Case cases[] = {
        {"form type not WAVE", Wave(2, 44100, 8, "AVI ")},
        {"not RIFF", notRiff},
        {"no format chunk first", noFormat},
        {"format chunk too short for its fields", Wave(2, 44100, 8, "WAVE", 12)},
        {"format chunk past the end", Wave(2, 44100, 8, "WAVE", 100)},
        {"format chunk size negative", Wave(2, 44100, 8, "WAVE", -1)},
        {"cut inside the format fields", good.left(30)},
        {"only the tag", QByteArray("RIFF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGfxWave w;
        Load(w, good);
        int changes = 0;
        w.OnChange = [&](TObject*) { ++changes; };
        try {
            Load(w, c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidWave& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("TGfxWave: "))) << e.Message().toStdString();
        }
        EXPECT_EQ(w.Data()->data(), good);
        EXPECT_EQ(changes, 0);
    }
}

// The RIFF size is read, not checked against the data: a size one byte
// past the end, a size that a streaming recorder left at its largest, and
// one that claims less than the data are all taken as they are.
TEST(Wave, ARiffSizeOtherThanTheDataIsTaken)
{
    const QByteArray good = Wave();
    for (const std::uint32_t riff : {std::uint32_t(good.size() - 7), 0xFFFFFFFFu, 0x7FFFFFFFu, 4u}) {
        SCOPED_TRACE(riff);
        QByteArray bytes = good;
        bytes.replace(4, 4, Int(static_cast<std::int32_t>(riff)));
        TGfxWaveInfo info;
        ASSERT_TRUE(GfxCheckWave(*Over(bytes), &info));
        EXPECT_EQ(info.RiffSize, riff);
        TGfxWave w;
        Load(w, bytes);
        ASSERT_FALSE(w.Empty());
        EXPECT_EQ(w.Data()->data(), bytes);
    }
}

TEST(Wave, ReplacingOrFreeingDataStopsTheSound)
{
    TGfxWave w;
    int changes = 0;
    w.OnChange = [&](TObject*) { ++changes; };
    const int before = GfxStopMemorySoundRequests();
    Load(w, Wave());  // no data yet: nothing to stop
    EXPECT_EQ(GfxStopMemorySoundRequests(), before);
    Load(w, Wave(1));
    EXPECT_EQ(GfxStopMemorySoundRequests(), before + 1);
    w.Clear();
    EXPECT_EQ(GfxStopMemorySoundRequests(), before + 2);
    EXPECT_TRUE(w.Empty());
    EXPECT_EQ(w.Size(), 0);
    w.Clear();  // already empty
    EXPECT_EQ(GfxStopMemorySoundRequests(), before + 2);
    EXPECT_EQ(changes, 4);
    {
        TGfxWave freed;
        Load(freed, Wave());
    }
    EXPECT_EQ(GfxStopMemorySoundRequests(), before + 3);
}

TEST(Wave, LoadsFromThePositionToTheEnd)
{
    TGfxWave w;
    auto in = Over("head" + Wave());
    in->seek(4);
    w.LoadFromStream(*in);
    EXPECT_EQ(w.Data()->data(), Wave());
    EXPECT_EQ(w.Data()->pos(), 0);
    // Nothing left clears it.
    w.LoadFromStream(*in);
    EXPECT_TRUE(w.Empty());
}

TEST(Wave, DataPropertyAndStoredForms)
{
    TGfxWave w;
    Load(w, Wave(2, 22050, 300));
    const QByteArray data = Written([&](QIODevice& s) { w.WriteData(s); });
    EXPECT_EQ(data, Int(static_cast<std::int32_t>(Wave(2, 22050, 300).size())) + Wave(2, 22050, 300));
    EXPECT_TRUE(w.HasData());
    TGfxWave back;
    back.ReadData(*Over(data));
    EXPECT_EQ(back.Data()->data(), w.Data()->data());
    // The raw stored form is the same bytes.
    EXPECT_EQ(Written([&](QIODevice& s) { GfxWriteWave(s, w, false); }), data);

    TGfxWave empty;
    for (const TGfxWave* source : {&w, &empty})
        for (bool compressed : {false, true}) {
            const QByteArray bytes = Written([&](QIODevice& s) { GfxWriteWave(s, *source, compressed); });
            TGfxWave read;
            Load(read, Wave(1));
            GfxReadWave(*Over(bytes), read, compressed);
            EXPECT_EQ(read.Size(), source->Size());
            EXPECT_EQ(read.Empty() ? QByteArray() : read.Data()->data(),
                      source->Empty() ? QByteArray() : source->Data()->data());
        }
    // A size that the stream does not hold.
    EXPECT_THROW(back.ReadData(*Over(Int(5000) + Wave())), EReadError);
    EXPECT_THROW(back.ReadData(*Over(Int(-3))), EReadError);
}

TEST(Wave, AssignCopiesTheData)
{
    TGfxWave a, b;
    Load(a, Wave(1, 11025));
    b.Assign(&a);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(b.Data()->data(), a.Data()->data());
    EXPECT_NE(b.Data(), a.Data());
    a.Clear();
    EXPECT_FALSE(b.Empty());
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TGfxObject other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(Wave, Files)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("x.wav"));
    TGfxWave w;
    Load(w, Wave());
    w.SaveToFile(name);
    const auto back = TGfxWave::CreateFromFile(name);
    EXPECT_EQ(back->Data()->data(), Wave());
    EXPECT_THROW(TGfxWave::CreateFromFile(dir.filePath(QStringLiteral("missing.wav"))), EFOpenError);
}

}  // namespace
