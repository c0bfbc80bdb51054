// The simulated device's reading of commands and its answers, without any
// transport, then its options over a loopback UDP socket.
#include "simdevice.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUdpSocket>

#include <set>
#include <string>
#include <vector>

using namespace zeph;

namespace {

std::vector<std::string> lines(const QByteArray& text)
{
    std::vector<std::string> out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype end = text.indexOf("\r\n", from);
        if (end < 0) break;
        out.push_back(text.mid(from, end - from).toStdString());
        from = end + 2;
    }
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return out;
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class SimParse : public ::testing::Test {
protected:
    QByteArray feed(const QByteArray& bytes) { return sim.respond(stream, bytes); }
    // Separate reads, in order.
    QByteArray feedEach(std::initializer_list<const char*> reads)
    {
        QByteArray out;
        for (const char* r : reads) out += feed(r);
        return out;
    }
    SimDevice sim;
    SimStream stream;
};

}  // namespace

TEST_F(SimParse, ConcatenatedCommandsAreTwoWrites)
{
    EXPECT_EQ(feed("128B3F"), "BRG128\r\nOFMT3\r\n");
    ASSERT_EQ(sim.commands().size(), 2);
    EXPECT_EQ(sim.commands()[0].reg, Reg::BRGT);
    EXPECT_EQ(sim.commands()[1].reg, Reg::OFMT);
    EXPECT_EQ(sim.value(Reg::BRGT), 128u);
    EXPECT_EQ(sim.value(Reg::OFMT), 3u);
}

TEST_F(SimParse, CommandsSplitAnywhereAcrossReads)
{
    // Every cut of "200D0yl17QR" gives the same three writes.
    const QByteArray text = "200D0yl17QR";
    for (qsizetype cut = 1; cut < text.size(); ++cut) {
        SimDevice fresh;
        SimStream s;
        QByteArray out = fresh.respond(s, text.left(cut));
        out += fresh.respond(s, text.mid(cut));
        EXPECT_EQ(out, "CON200\r\nLOCK0\r\nRLV17\r\n") << "cut at " << cut;
        EXPECT_TRUE(s.pending.isEmpty());
    }
}

TEST_F(SimParse, ValueWaitsForItsCode)
{
    EXPECT_EQ(feed("4294967295"), "");
    EXPECT_EQ(feed("B"), "BRG4294967295\r\n");
    // "x" alone is the start of "xi" ... "xu": nothing yet.
    EXPECT_EQ(feed("x"), "");
    EXPECT_EQ(feed("i"), "I_350\r\n");
}

TEST_F(SimParse, StrayBytesAreDroppedWithTheirValue)
{
    // "!" is no command: it and the 5 before it go; CR and LF as well.
    EXPECT_EQ(feed("5!\r\n7K"), "BLK7\r\n");
    EXPECT_EQ(sim.commands().size(), 1);
    // A run of digits that never gets a code does not grow without bound.
    feed(QByteArray(10000, '9'));
    EXPECT_LE(stream.pending.size(), 16);
}

TEST_F(SimParse, DeviceTypeQuery)
{
    EXPECT_EQ(feed("?"), "DEV24\r\n");
    sim.setModel(21);
    EXPECT_EQ(feed("?"), "DEV21\r\n");
    // A value with "?" does not change the model.
    EXPECT_EQ(feed("5?"), "DEV21\r\n");
}

TEST_F(SimParse, ReadOnlyRegisterIgnoresAValue)
{
    EXPECT_EQ(feed("77U"), "UNIT27000000\r\n");
    EXPECT_EQ(feed("3C"), "CH1\r\n");
}

TEST_F(SimParse, BareCodeQueriesOneRegister)
{
    EXPECT_EQ(feed("QR"), "RLV64\r\n");
    EXPECT_EQ(sim.commands().back().hasValue, false);
    EXPECT_EQ(sim.value(Reg::RLV), 64u);
}

// Effects can be used only while the output switches seamlessly: a
// requested computer reference (9, 10) makes them available, any other
// takes them away; each change is reported after the echo.
TEST_F(SimParse, EffectsFollowTheSwitchingMode)
{
    // (The reference's own reports follow; see below.)
    EXPECT_TRUE(feed("9XR").startsWith("REFR9\r\nEFFA1\r\nREFA9\r\n"));
    EXPECT_EQ(sim.value(Reg::EFFAV), 1u);
    EXPECT_TRUE(feed("3XR").startsWith("REFR3\r\nEFFA0\r\nREFA3\r\n"));
    EXPECT_EQ(sim.value(Reg::EFFAV), 0u);
    // A bare query changes nothing.
    EXPECT_EQ(feed("XR"), "REFR3\r\n");
}

TEST_F(SimParse, PerInputWithPchanZeroSetsAllInputs)
{
    const uint32_t input2 = sim.perInput(Reg::PRGBI, 2);
    EXPECT_EQ(feed("3PC"), "PCH3\r\n");
    EXPECT_EQ(feed("9PR"), "PRGB9\r\n");
    EXPECT_EQ(sim.perInput(Reg::PRGBI, 3), 9u);
    EXPECT_EQ(sim.perInput(Reg::PRGBI, 2), input2);
    ASSERT_NE(input2, 9u);
    EXPECT_EQ(feed("5PR"), "PRGB5\r\n");
    EXPECT_EQ(feed("0PC9PR"), "PCH0\r\nPRGB9\r\n");
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(sim.perInput(Reg::PRGBI, i), 9u) << i;
    // The reply of a per-input register reports input PCHAN.
    feed("2PC4PR");
    EXPECT_EQ(feedEach({"6PC", "PR"}), "PCH6\r\nPRGB9\r\n");
    EXPECT_EQ(feedEach({"2PC", "PR"}), "PCH2\r\nPRGB4\r\n");
}

// Levels and balances are kept per audio input; while the audio follows
// the video (AMOD 0) the input heard is the input on the output, whatever
// was asked.
TEST_F(SimParse, AudioByChannelAndFollowingTheInputShown)
{
    EXPECT_EQ(feed("2PC40AL5PC"), "PCH2\r\nALVL40\r\nPCH5\r\n");
    EXPECT_EQ(feedEach({"AL", "2PC", "AL"}), "ALVL32\r\nPCH2\r\nALVL40\r\n");

    sim.setValue(Reg::ICHM, 3);
    const struct {
        const char* cmd;
        const char* reply;
        uint32_t heard;
    } steps[] = {
        {"1AO", "AMOD1\r\n", 1},           // free choice: nothing follows
        {"5AC", "ACH5\r\n", 5},
        {"0AO", "AMOD0\r\nACH3\r\n", 3},  // following: back to the input shown
        {"6AC", "ACH6\r\nACH3\r\n", 3},
        {"AC", "ACH3\r\n", 3},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(feed(s.cmd), s.reply) << s.cmd;
        EXPECT_EQ(sim.value(Reg::ACHAN), s.heard) << s.cmd;
    }
}

TEST_F(SimParse, PointerRegistersKeepOnlyExistingTargets)
{
    struct Case {
        const char* cmd;
        const char* reply;
    } cases[] = {
        {"9PC", "PCH1\r\n"},  {"8PC", "PCH8\r\n"},  {"2LI", "LIND0\r\n"}, {"1LI", "LIND1\r\n"},
        {"10LC", "LCUR1\r\n"}, {"0LC", "LCUR0\r\n"}, {"4na", "ADIP1\r\n"}, {"3na", "ADIP3\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(feed(c.cmd), c.reply) << c.cmd;
}

TEST_F(SimParse, LogoTableByInputAndSlot)
{
    feed("4PC1LI7LP");
    EXPECT_EQ(sim.lplogo(4, 1), 7u);
    EXPECT_EQ(sim.lplogo(4, 0), 0u);
    feed("0PC0LI3LP");
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(sim.lplogo(i, 0), 3u) << i;
    EXPECT_EQ(sim.lplogo(4, 1), 7u);
    EXPECT_EQ(feedEach({"4PC1LI", "LP"}), "PCH4\r\nLIND1\r\nLPLG7\r\n");
}

TEST_F(SimParse, EmptySlotByLcurrent)
{
    sim.setLempty(5, false);
    EXPECT_EQ(feedEach({"5LC", "LE"}), "LCUR5\r\nLEMP0\r\n");
    EXPECT_EQ(feedEach({"6LC", "LE"}), "LCUR6\r\nLEMP1\r\n");
    // Read only: a value leaves the slot as it is.
    EXPECT_EQ(feed("0LE"), "LEMP1\r\n");
}

TEST_F(SimParse, LanTablesByAdip)
{
    // What the panel's SetREMOTE_IP("10.1.2.3") and SetREMOTE_PORT(9) send.
    EXPECT_EQ(feed("2na10nw1nx2ny3nz"), "ADIP2\r\nIPD10\r\nIPC1\r\nIPB2\r\nIPA3\r\n");
    EXPECT_EQ(feed("2na9np"), "ADIP2\r\nPORT9\r\n");
    EXPECT_EQ(sim.remotePort(), 9);
    EXPECT_EQ(sim.localPort(), 10100);
    for (int e : {1, 3}) EXPECT_EQ(sim.octet(Reg::IPD, e), 192u) << e;
    EXPECT_EQ(sim.octet(Reg::IPD, 2), 10u);
    EXPECT_EQ(sim.octet(Reg::IPA, 2), 3u);
    // ADIP 0 writes every entry; the reply shows entry 1.
    EXPECT_EQ(feed("0na172nw"), "ADIP0\r\nIPD172\r\n");
    for (int e = 1; e <= 3; ++e) EXPECT_EQ(sim.octet(Reg::IPD, e), 172u) << e;
    EXPECT_EQ(feed("0na5np"), "ADIP0\r\nPORT5\r\n");
    EXPECT_EQ(sim.localPort(), 5);
    EXPECT_EQ(sim.remotePort(), 5);
    EXPECT_EQ(feed("16nk"), "NTMK16\r\n");
}

TEST_F(SimParse, DumpHoldsEveryRegisterOnceThenEachInput)
{
    feed("3PC42PE");  // input 3's PENA is 42 & 0xFF
    feed("1LI6LP");   // input 3 shows slot 6 on layer 1
    const QByteArray out = feed("#\r\n");
    EXPECT_EQ(out, sim.dump());
    const auto got = lines(out);
    // Every register once (all but the "#" command itself), then eight
    // blocks of PCHAN, the eight per-input registers and two logo layers,
    // then PCHAN and LINDEX again.
    constexpr size_t everyRegister = size_t(RegisterCount - 1), block = 1 + PerInputTables + 4;
    ASSERT_EQ(got.size(), everyRegister + 8 * block + 2);
    std::set<int> seen;
    for (size_t i = 0; i < everyRegister; ++i) {
        uint32_t v = 0;
        const int reg = matchReply(got[i], v);
        ASSERT_GE(reg, 0) << got[i];
        EXPECT_TRUE(seen.insert(reg).second) << "twice: " << got[i];
        EXPECT_EQ(v, sim.value(reg)) << got[i];
    }
    // Pointer registers lead, so the per-input values that follow are read
    // for the right input.
    EXPECT_EQ(got[0], "PCH3");
    EXPECT_EQ(got[1], "LIND1");
    EXPECT_EQ(got[2], "LCUR1");
    EXPECT_EQ(got[3], "ADIP1");
    const std::set<std::string> expected = {"DEV24", "BRG128", "RLV64", "GLV64", "BLV64", "DPHA16", "PEN42", "IPD192"};
    for (const std::string& e : expected)
        EXPECT_NE(std::find(got.begin(), got.begin() + long(everyRegister), e), got.begin() + long(everyRegister)) << e;
    // Each input's own values, after its PCHAN line.
    for (int input = 1; input <= 8; ++input) {
        const size_t at = everyRegister + size_t(input - 1) * block;
        EXPECT_EQ(got[at], "PCH" + std::to_string(input));
        std::set<int> perInput;
        for (size_t k = 1; k <= size_t(PerInputTables); ++k) {
            uint32_t v = 0;
            const int reg = matchReply(got[at + k], v);
            ASSERT_GE(reg, 0) << got[at + k];
            perInput.insert(reg);
            EXPECT_EQ(v, sim.perInput(reg, input)) << got[at + k];
        }
        EXPECT_EQ(perInput.size(), size_t(PerInputTables)) << input;
        for (int slot = 0; slot < 2; ++slot) {
            EXPECT_EQ(got[at + 9 + size_t(slot) * 2], "LIND" + std::to_string(slot));
            EXPECT_EQ(got[at + 10 + size_t(slot) * 2], "LPLG" + std::to_string(sim.lplogo(input, slot)));
        }
    }
    EXPECT_EQ(got[got.size() - 2], "PCH3");
    EXPECT_EQ(got.back(), "LIND1");
    EXPECT_EQ(sim.commandCount(Reg::queryall), 1);
}

// The inputs as they are wired: each used, with its own signal type,
// standard and load.
TEST_F(SimParse, EachInputHasItsOwnValues)
{
    const uint32_t types[8] = {0, 1, 2, 5, 7, 6, 8, 7};
    const uint32_t loads[8] = {1, 1, 1, 1, 0, 0, 1, 0};
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(sim.perInput(Reg::PENA, i), 1u) << i;
        EXPECT_EQ(sim.perInput(Reg::PRGBI, i), types[i - 1]) << i;
        EXPECT_EQ(sim.perInput(Reg::PLOAD, i), loads[i - 1]) << i;
    }
    EXPECT_EQ(sim.perInput(Reg::PISTD, 1), 3u);  // PAL
}

TEST_F(SimParse, NoiseLinesCarryNoKnownCode)
{
    sim.setNoise(true);
    const auto got = lines(feed("12B?"));
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "BRG12");
    EXPECT_EQ(got[2], "DEV24");
    for (size_t i : {size_t(1), size_t(3)}) {
        uint32_t v = 0;
        EXPECT_LT(matchReply(got[i], v), 0) << got[i];
        EXPECT_LE(got[i].size(), 10u) << "a listener cuts longer unfinished lines";
    }
}

TEST_F(SimParse, SilentTakesNothing)
{
    sim.setSilent(true);
    EXPECT_EQ(feed("99B?"), "");
    EXPECT_EQ(sim.value(Reg::BRGT), 128u);
    sim.setSilent(false);
    EXPECT_EQ(feed("?"), "DEV24\r\n");
}

// --- over UDP -------------------------------------------------------------

class SimUdp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.startUdp(0));
        ASSERT_NE(sim.udpPort(), 0);
        ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
    }
    // Datagrams that arrive within `ms`.
    QList<QByteArray> collect(int ms)
    {
        QList<QByteArray> got;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            spin(5);
            while (peer.hasPendingDatagrams()) {
                QByteArray d(qsizetype(peer.pendingDatagramSize()), Qt::Uninitialized);
                peer.readDatagram(d.data(), d.size());
                got << d;
            }
        }
        return got;
    }
    void send(const QByteArray& d) { peer.writeDatagram(d, QHostAddress::LocalHost, sim.udpPort()); }
    SimDevice sim;
    QUdpSocket peer;
};

TEST_F(SimUdp, RepliesToTheSenderInChunks)
{
    sim.setChunkSize(3);
    send("200B");
    const QList<QByteArray> got = collect(150);
    ASSERT_EQ(got.size(), 3);  // "BRG" "200" "\r\n"
    EXPECT_EQ(got.join(), "BRG200\r\n");
    for (const QByteArray& d : got) EXPECT_LE(d.size(), 3);
}

TEST_F(SimUdp, DelayHoldsTheReplyAndKeepsOrder)
{
    sim.setReplyDelayMs(120);
    QElapsedTimer t;
    t.start();
    send("1B");
    send("2B");
    QList<QByteArray> got;
    while (got.size() < 2 && t.elapsed() < 1000) got += collect(5);
    ASSERT_EQ(got.size(), 2);
    EXPECT_GE(t.elapsed(), 110);
    EXPECT_EQ(got[0], "BRG1\r\n");
    EXPECT_EQ(got[1], "BRG2\r\n");
}

// A store of the image settings ends by itself, reported to the panel
// unasked; a second store before the end starts the time again.
TEST_F(SimUdp, StoreEndsByItselfAndIsReported)
{
    sim.setStoreMs(150);
    send("1M");
    QList<QByteArray> got = collect(60);
    EXPECT_EQ(got, QList<QByteArray>{"STO1\r\n"});
    send("1M");  // again, 60 ms later
    got = collect(120);
    EXPECT_EQ(got, QList<QByteArray>{"STO1\r\n"}) << "the first store's end was cancelled";
    got = collect(150);
    EXPECT_EQ(got, QList<QByteArray>{"STO0\r\n"});
    EXPECT_EQ(sim.value(Reg::STORE), 0u);
    send("0M");  // a store written false starts nothing
    EXPECT_EQ(collect(250), QList<QByteArray>{"STO0\r\n"});
}

// A logo store reports the picture's size at once and its end after a time
// that grows with the picture; the slot is then full.
TEST_F(SimUdp, LogoStoreTakesLongerForABiggerPicture)
{
    sim.setLogoStoreMs(50, 200);
    send("1LM100LH128LV3LC");
    collect(40);
    QElapsedTimer t;
    t.start();
    send("1LS");
    QList<QByteArray> got = collect(30);
    // 100 and 128 256ths of the 640 x 480 output.
    EXPECT_EQ(got.join(), "LSTO1\r\nLABT0\r\nLPIX250\r\nLLIN240\r\nLSTY1\r\nLOFM0\r\n");
    while (!got.join().contains("LSTO0") && t.elapsed() < 1000) got += collect(5);
    const qint64 small = t.elapsed();
    EXPECT_TRUE(got.join().endsWith("LEMP0\r\nLSTO0\r\n"));
    EXPECT_FALSE(sim.lempty(3));

    // A frame of the 1280 x 1024 output takes longer.
    send("3F2LM");
    collect(40);
    t.restart();
    send("1LS");
    got = collect(30);
    EXPECT_TRUE(got.join().contains("LPIX1280\r\nLLIN1024\r\nLSTY0\r\n"));
    while (!got.join().contains("LSTO0") && t.elapsed() < 2000) got += collect(5);
    EXPECT_GT(t.elapsed(), small + 400);
}

// Erasing empties the slot, and each input that showed it shows none;
// an abort ends a store at once and leaves the slot as it was.
TEST_F(SimUdp, LogoEraseAndAbort)
{
    sim.setLogoStoreMs(30, 0);
    sim.setLempty(0, false);
    send("2PC1LI5LP4PC0LI5LP7PC0LI6LP1PC0LI");  // inputs 2 and 4 show slot 5 (layers 1, 0), input 7 slot 6
    collect(40);
    send("4LM5LC1LS");
    const QByteArray got = collect(150).join();
    EXPECT_TRUE(got.contains("PCH2\r\nLIND1\r\nLPLG0\r\nPCH4\r\nLIND0\r\nLPLG0\r\nPCH1\r\nLIND0\r\n")) << got.toStdString();
    EXPECT_TRUE(got.endsWith("LEMP1\r\nLSTO0\r\n"));
    EXPECT_TRUE(sim.lempty(5));
    EXPECT_EQ(sim.lplogo(7, 0), 6u);

    sim.setLogoStoreMs(5000, 0);
    send("1LM6LC1LS");
    collect(40);
    send("1LA");
    EXPECT_EQ(collect(60).join(), "LABT1\r\nLSTO0\r\n");
    EXPECT_FALSE(sim.lempty(6));  // as it was
}

// A preselected input is taken onto the output after a moment: TAKE at
// once, then the input on the output with its measurements and the end of
// TAKE, unasked. A later preselection takes over from an unfinished one.
TEST_F(SimUdp, SwitchIsTakenThenDescribed)
{
    sim.setValue(Reg::IFAMM, 19);
    send("3c");
    EXPECT_EQ(collect(100), (QList<QByteArray>{"ch3\r\nTAKE1\r\n"}));
    send("5c");
    QList<QByteArray> got = collect(100);
    EXPECT_EQ(got, (QList<QByteArray>{"ch5\r\nTAKE1\r\n"}));
    got = collect(400);
    ASSERT_EQ(got.size(), 11) << got.join().toStdString();
    EXPECT_EQ(got.front(), "CH5\r\n");
    EXPECT_EQ(got[1], "IFA19\r\n");
    EXPECT_EQ(got.back(), "TAKE0\r\n");
    EXPECT_EQ(sim.value(Reg::ICHM), 5u);
}

// The reference asked for comes into force with its family and rate.
TEST_F(SimParse, RequestedReferenceComesIntoForce)
{
    // The echo, then whether effects are available, then the reference.
    EXPECT_EQ(feed("2XR"), "REFR2\r\nEFFA0\r\nREFA2\r\nREFF4\r\nREFT50\r\n");  // the PAL input at start
    EXPECT_EQ(feed("10XR"), "REFR10\r\nEFFA1\r\nREFA10\r\nREFF17\r\nREFT60\r\n");
    EXPECT_EQ(feed("0XR"), "REFR0\r\nEFFA0\r\nREFA0\r\nREFF0\r\nREFT60\r\n");
}

TEST(SimPorts, EphemeralPortsDoNotCollide)
{
    SimDevice a, b;
    ASSERT_TRUE(a.startUdp(0));
    ASSERT_TRUE(b.startUdp(0));
    ASSERT_TRUE(a.startTcp(0));
    ASSERT_TRUE(b.startTcp(0));
    EXPECT_NE(a.udpPort(), b.udpPort());
    EXPECT_NE(a.tcpPort(), b.tcpPort());
    // A taken port is refused, not shared.
    SimDevice c;
    EXPECT_FALSE(c.startUdp(a.udpPort()));
    EXPECT_EQ(c.udpPort(), 0);
}
