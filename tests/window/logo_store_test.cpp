// The logo store sequence: the storing window and its gauge, the
// store-timing file and what a lost link does to a store.
#include "logo_fixture.h"

#include "store_timing.h"

#include <QProgressBar>

namespace {

struct SpeedCase {
    int64_t ticks;
    uint32_t pixels, lines;
    std::optional<int64_t> speed;
};

// (ticks - 1) x 6,553,600 div (pixels x lines x 3), in 64 bits.
TEST(StoreTiming, MeasuredSpeed)
{
    const SpeedCase cases[] = {
        {4, 720, 576, 15},
        {0, 720, 576, std::nullopt},     // ended before the first tick
        {1, 720, 576, 0},
        {400, 720, 576, 2101},           // 399 x 6,553,600 is beyond 32 bits
        {4, 0, 576, std::nullopt},       // no picture
        {4, 65536, 65536, 0},            // a 32-bit byte count would be 0
        {1000000, 1, 1, 2184531148800},  // beyond 32 bits
    };
    for (const SpeedCase& c : cases)
        EXPECT_EQ(store_timing::measuredSpeed(c.ticks, c.pixels, c.lines), c.speed) << c.ticks << " " << c.pixels;
}

TEST(StoreTiming, ExpectedSeconds)
{
    EXPECT_EQ(store_timing::expectedSeconds(256, 256, 240), 8);  // 3 x 240 div 100 + 1
    EXPECT_EQ(store_timing::expectedSeconds(720, 576, 15), 3);
    EXPECT_EQ(store_timing::expectedSeconds(720, 576, 0), 1);
    EXPECT_EQ(store_timing::expectedSeconds(720, 576, -500), -89);
    EXPECT_EQ(store_timing::expectedSeconds(0xFFFFFFFFu, 0xFFFFFFFFu, 2000000000), INT32_MAX);
}

class LogoStore : public LogoTest {
protected:
    QProgressBar* gauge() { return windows->status->Gauge_store; }
    Tstatus* status() { return windows->status.get(); }
    QByteArray timingFile() { return readFile(QString::fromLatin1(StoreTimingFile)); }
    // A store of a 720 x 576 logo that takes `ticks` status-timer ticks.
    void store(int ticks, const char* mode = "LMOD1")
    {
        reply(mode);
        reply("LPIX720");
        reply("LLIN576");
        reply("LSTO1");
        for (int i = 0; i < ticks; ++i) link().Timer1Timer();
        reply("LSTO0");
    }
};

// The reader: a line that is no number gives 240 s; a missing file is
// created with "240".
TEST_F(LogoStore, TimingFileReader)
{
    startConnected();
    reply("LPIX256");
    reply("LLIN256");
    EXPECT_EQ(timingFile(), QByteArray("240\r\n"));
    EXPECT_EQ(logos().calcul_temps(), 8);
    writeFile(QString::fromLatin1(StoreTimingFile), "abc\r\n");
    EXPECT_EQ(logos().calcul_temps(), 240);
    writeFile(QString::fromLatin1(StoreTimingFile), "100");
    EXPECT_EQ(logos().calcul_temps(), 4);
}

// The file is written only when a capture that this session saw start
// ends, took a tick at least and was not aborted.
TEST_F(LogoStore, TimingFileOnlyAfterACompletedCapture)
{
    writeFile(QString::fromLatin1(StoreTimingFile), "777\r\n");
    startConnected();
    reply("LMOD1");
    reply("LPIX720");
    reply("LLIN576");
    reply("LSTO0");  // as in the dump after every connection
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));

    store(0);
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));
    store(4);
    EXPECT_EQ(timingFile(), QByteArray("15\r\n"));
    writeFile(QString::fromLatin1(StoreTimingFile), "777\r\n");
    reply("LSTO0");  // a second end reported
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));

    reply("LABT1");
    store(4);
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));
    reply("LABT0");
    store(4, "LMOD4");
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));
    store(400, "LMOD2");
    EXPECT_EQ(timingFile(), QByteArray("2101\r\n"));
}

// The storing window: shown at the start with its gauge sized, stepped
// every second within its range, closed at the end; an erase ends in use
// mode.
TEST_F(LogoStore, StoringWindowFollowsTheStore)
{
    startConnected();
    w().move(100, 50);
    reply("LMOD1");
    reply("LPIX720");
    reply("LLIN576");
    reply("LSTO1");
    ASSERT_TRUE(status()->isVisible());
    EXPECT_EQ(status()->pos(), QPoint(352, 463));
    EXPECT_EQ(gauge()->maximum(), 44);
    EXPECT_EQ(gauge()->value(), 0);
    EXPECT_EQ(logos().new_SpeedButton_store->text(), QStringLiteral("STORING"));
    EXPECT_TRUE(logos().new_SpeedButton_store->isChecked());
    // A click keeps it down.
    logos().new_SpeedButton_store->click();
    EXPECT_TRUE(logos().new_SpeedButton_store->isChecked());
    link().Timer1Timer();
    EXPECT_EQ(gauge()->value(), 1);

    sent.clear();
    status()->BitBtn1->click();
    EXPECT_EQ(sent, QStringList{"1LA"});
    EXPECT_TRUE(status()->isVisible());
    reply("LSTO0");
    EXPECT_FALSE(status()->isVisible());
    EXPECT_EQ(logos().new_SpeedButton_store->text(), QStringLiteral("STORE"));
    EXPECT_FALSE(logos().new_SpeedButton_store->isChecked());

    reply("LMOD4");
    reply("LSTO1");
    sent.clear();
    reply("LSTO0");
    EXPECT_EQ(sent, QStringList{"0LM"});
}

// A timing file that gives 0 or less seconds still gives a gauge of one
// second, and the progress stays within it.
TEST_F(LogoStore, GaugeMaximumIsAtLeastOne)
{
    startConnected();
    // Written after the start-up check, which would have replaced it.
    writeFile(QString::fromLatin1(StoreTimingFile), "-500\r\n");
    reply("LMOD1");
    reply("LPIX720");
    reply("LLIN576");
    reply("LSTO1");
    EXPECT_EQ(gauge()->maximum(), 1);
    for (int i = 0; i < 3; ++i) link().Timer1Timer();
    EXPECT_EQ(gauge()->value(), 1);
    // A new size during the store sizes the gauge again.
    writeFile(QString::fromLatin1(StoreTimingFile), "240\r\n");
    reply("LPIX1440");
    EXPECT_EQ(gauge()->maximum(), 89);
    EXPECT_EQ(gauge()->value(), 1);
}

// A link lost during a store: the window without a close icon goes, the
// button comes back up, and the ticks counted so far are dropped.
TEST_F(LogoStore, LinkLostDuringAStoreClosesTheWindow)
{
    writeFile(QString::fromLatin1(StoreTimingFile), "777\r\n");
    startConnected();
    reply("LMOD1");
    reply("LPIX720");
    reply("LLIN576");
    reply("LSTO1");
    link().Timer1Timer();
    link().Timer1Timer();
    ASSERT_TRUE(status()->isVisible());
    z().SetForceConn(false);
    z().LinkTimerTick();
    ASSERT_FALSE(z().Connected());
    EXPECT_FALSE(status()->isVisible());
    EXPECT_EQ(logos().new_SpeedButton_store->text(), QStringLiteral("STORE"));
    EXPECT_EQ(w().state.storeTicks, 0);
    EXPECT_FALSE(logos().storeRunning());
    // Back again, the dump's LSTORE false measures nothing.
    connect();
    reply("LSTO0");
    EXPECT_EQ(timingFile(), QByteArray("777\r\n"));
}

}  // namespace
