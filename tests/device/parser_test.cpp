// Reply parsing: line splitting, code matching, value conversion.
#include "device_fixture.h"

#include <cctype>
#include <random>
#include <string>

using namespace zeph;

struct ValueCase {
    const char* line;
    bool recognised;
    uint32_t value;
};

class ValueConversion : public DeviceTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueConversion, BrightnessReply)
{
    const ValueCase& c = GetParam();
    z.receive(QByteArray(c.line) + "\r\n");
    if (c.recognised) {
        ASSERT_EQ(rec.events, (QStringList{"OnRecString", "OnBRGTchange"})) << c.line;
        EXPECT_EQ(z.BRGT(), c.value) << c.line;
        EXPECT_EQ(z.receivedString, QString::fromLatin1(c.line));
    } else {
        EXPECT_TRUE(rec.events.isEmpty()) << c.line;
        EXPECT_TRUE(z.receivedString.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ValueConversion, ::testing::Values(
    ValueCase{"BRG12", true, 12},
    ValueCase{"BRG", true, 0},
    ValueCase{"BRG 12", true, 12},
    ValueCase{"BRG   +7", true, 7},
    ValueCase{"BRG$1F", true, 31},
    ValueCase{"BRGx1f", true, 31},
    ValueCase{"BRGX10", true, 16},
    ValueCase{"BRG0x10", true, 16},
    ValueCase{"BRG0X1a", true, 26},
    ValueCase{"BRG-$10", true, 0xFFFFFFF0u},
    ValueCase{"BRG-1", true, 4294967295u},
    ValueCase{"BRG4294967296", true, 0},
    ValueCase{"BRG9223372036854775807", true, 0xFFFFFFFFu},
    ValueCase{"BRG-9223372036854775808", true, 0},
    ValueCase{"BRG$7FFFFFFFFFFFFFFF", true, 0xFFFFFFFFu},
    ValueCase{"BRG012", true, 12},
    ValueCase{"BRG12 ", false, 0},
    ValueCase{"BRG1 2", false, 0},
    ValueCase{"BRG 12\r", false, 0},
    ValueCase{"BRG-", false, 0},
    ValueCase{"BRG$", false, 0},
    ValueCase{"BRG0x", false, 0},
    ValueCase{"BRG$G", false, 0},
    ValueCase{"BRG9223372036854775808", false, 0},
    ValueCase{"BRG$8000000000000000", false, 0},
    ValueCase{"BRG+-1", false, 0},
    ValueCase{"brg12", false, 0},
    ValueCase{"XBRG12", false, 0}),
    [](const ::testing::TestParamInfo<ValueCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* p = info.param.line; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST_F(DeviceTest, BooleanKeepsLowEightBits)
{
    reply("FRZ256");
    EXPECT_FALSE(z.IFRZ());
    reply("FRZ2");
    EXPECT_TRUE(z.IFRZ());
    EXPECT_EQ(z.value(Reg::IFRZ), 2u);
}

TEST_F(DeviceTest, LineInTwoChunksIsRecognisedOnce)
{
    feed("BR");
    EXPECT_TRUE(rec.events.isEmpty());
    feed("G12\r\n");
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnBRGTchange"}));
    EXPECT_EQ(z.BRGT(), 12u);
}

TEST_F(DeviceTest, CrAndLfSplitAcrossChunks)
{
    feed("CON5\r");
    EXPECT_TRUE(rec.events.isEmpty());
    feed("\nCOL6\r\n");
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnCONTRchange", "OnRecString", "OnCOLORchange"}));
}

TEST_F(DeviceTest, ThreeLinesInOneChunkInOrder)
{
    feed("BRG1\r\nJUNK\r\n\r\nCON2\r\nHUE3\r\n");
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnBRGTchange", "OnRecString", "OnCONTRchange",
                                       "OnRecString", "OnHUEchange"}));
    EXPECT_EQ(z.receivedString, "HUE3");
}

TEST_F(DeviceTest, LoneCrOrLfIsAnOrdinaryCharacter)
{
    feed("BRG1\nCON2\r\n");  // one line "BRG1\nCON2": its value does not convert
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(DeviceTest, UnfinishedLineKeepsItsLastTenCharacters)
{
    feed("0123456789A");
    EXPECT_EQ(z.receiveBuffer(), "123456789A");
    feed("BRG5");
    EXPECT_EQ(z.receiveBuffer(), "56789ABRG5");
    feed("\r\n");
    EXPECT_TRUE(rec.events.isEmpty());  // the line is "56789ABRG5"
    // A long reply line arriving whole is still recognised.
    feed("LPIX123456789\r\n");
    EXPECT_EQ(z.LPIXELSIZ(), 123456789u);
}

// The parser keeps the result of the plain rule (drop the first character
// while eleven or more remain without CR LF) on any chunking.
namespace {
struct NaiveParser {
    QByteArray buf;
    QList<QByteArray> lines;
    void feed(const QByteArray& chunk)
    {
        buf += chunk;
        for (;;) {
            const int i = int(buf.indexOf("\r\n"));
            if (i >= 0) {
                lines << buf.left(i);
                buf.remove(0, i + 2);
            } else if (buf.size() >= 11) {
                buf.remove(0, 1);
            } else {
                break;
            }
        }
    }
};
}  // namespace

TEST_F(DeviceTest, SameLinesAsThePlainRuleOnRandomChunks)
{
    std::mt19937 rng(1234);
    const char alphabet[] = "BRGCON0123\r\n $x-";
    for (int round = 0; round < 200; ++round) {
        TZEPH350_d d;
        QList<QByteArray> seen;
        d.setHandler(TZEPH350_d::Event::OnRecString, [&](TZEPH350_d* s, int) { seen << s->receivedString.toLatin1(); });
        NaiveParser naive;
        QByteArray all;
        for (int c = 0; c < 20; ++c) {
            QByteArray chunk;
            const int n = int(rng() % 30);
            for (int i = 0; i < n; ++i) chunk += alphabet[rng() % (sizeof alphabet - 1)];
            d.receive(chunk);
            naive.feed(chunk);
            ASSERT_EQ(d.receiveBuffer(), naive.buf);
        }
        QList<QByteArray> expected;
        for (const QByteArray& l : naive.lines) {
            uint32_t v;
            if (matchReply(std::string_view(l.constData(), size_t(l.size())), v) >= 0) expected << l;
        }
        ASSERT_EQ(seen, expected);
    }
}

TEST_F(DeviceTest, EightKilobytesOfNoiseLeaveTenCharacters)
{
    feed(QByteArray(8192, 'Z'));
    EXPECT_EQ(z.receiveBuffer(), QByteArray(10, 'Z'));
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(DeviceTest, OrderOfRecStringStoreAndChange)
{
    QStringList log;
    z.setHandler(TZEPH350_d::Event::OnRecString, [&](TZEPH350_d* s, int n) {
        log << QString("rec %1 %2 reg %3 val %4 stored %5 tag %6")
                   .arg(s->receivedString).arg(s == &z).arg(s->receivedRegister())
                   .arg(s->receivedValue()).arg(s->BRGT()).arg(n);
    });
    z.setHandler(TZEPH350_d::Event::OnBRGTchange, [&](TZEPH350_d* s, int) {
        log << QString("change stored %1").arg(s->BRGT());
    });
    z.SetTag(7);
    reply("BRG$1F");
    EXPECT_EQ(log, (QStringList{"rec BRG$1F 1 reg 30 val 31 stored 0 tag 7", "change stored 31"}));
}

TEST_F(DeviceTest, RepeatedValueStillRaisesChange)
{
    reply("BRG9");
    reply("BRG9");
    EXPECT_EQ(rec.events.count("OnBRGTchange"), 2);
}

TEST_F(DeviceTest, EventWithoutHandlerIsSkipped)
{
    TZEPH350_d bare;
    bare.receive("BRG5\r\nDEV24\r\n");
    EXPECT_EQ(bare.BRGT(), 5u);
    EXPECT_EQ(bare.DEV(), 24u);
}
