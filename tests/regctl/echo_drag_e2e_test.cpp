// End to end: the operator drags an echo-paced bar with the mouse while the
// simulated device, over UDP on loopback, echoes every value after a delay.
// At most one value is on its way while the thumb moves, nothing goes out
// while it stands still, and the device ends holding the final position.
#include "regctl/register_control.h"
#include "simdevice.h"
#include "zeph350_d.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWidget>

#include <QElapsedTimer>

#include <algorithm>
#include <functional>

using namespace zeph;

namespace {

constexpr int EchoDelayMs = 25;

struct Bar : ScrollBarEx {
    using ScrollBarEx::ScrollBarEx;
    QPoint thumb()
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        return style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this).center();
    }
};

// Runs the event loop until `done` holds or `ms` have passed.
bool waitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(2);
    }
    return true;
}

}  // namespace

TEST(EchoPacedDrag, AgainstTheSimulatedDeviceWithDelayedEchoes)
{
    SimDevice sim;
    sim.setReplyDelayMs(EchoDelayMs);
    ASSERT_TRUE(sim.startUdp(0));
    // The device's commands in, its echoes out, counted as they pass.
    int sentCount = 0, echoed = 0, maxInFlight = 0;
    sim.onTraffic = [&](const char*, bool incoming, const QByteArray& data) {
        if (incoming) sentCount += int(data.count("mH"));
        else echoed += int(data.count("MHPO"));
        maxInFlight = std::max(maxInFlight, sentCount - echoed);
    };

    TZEPH350_d z;
    z.SetIpRemoteAddress(QStringLiteral("127.0.0.1"));
    z.SetIpRemotePort(sim.udpPort());
    z.SetIpLocalPort(0);  // any free port
    z.SetConType(CON_UDP);
    ASSERT_TRUE(z.udpActive());
    z.SetForceConn(true);
    z.LinkTimerTick();
    z.LinkTimerTick();
    ASSERT_TRUE(z.Connected());
    // The link asks for every register once it is up; let that dump pass
    // before the drag is counted.
    const QByteArray dump = sim.dump();
    const QByteArray lastLine = dump.mid(dump.lastIndexOf('\n', dump.size() - 2) + 1);
    ASSERT_TRUE(waitUntil([&] { return z.receivedString.toLatin1() + "\r\n" == lastLine; }, 2000));
    sentCount = echoed = maxInFlight = 0;
    sim.clearCommands();

    QWidget page;
    page.resize(320, 60);
    const regctl::Definition def{Reg::MHPOS, "ScrollBar_MHPOS", "Edit_MHPOS", nullptr, nullptr, 0, 255, 128, 0,
                            regctl::ScrollForm::EchoPaced, regctl::EntryForm::Unchecked};
    RegisterControl rc(z, def);
    auto* bar = new Bar(Qt::Horizontal, &page);
    bar->setObjectName(def.bar);
    bar->setRange(0, 255);
    bar->setValue(128);
    bar->setGeometry(0, 0, 300, 17);
    auto* edit = regctl::makeEdit(&page, def.edit, QRect(0, 30, 50, 21));
    rc.add(bar, edit);
    int scrollEvents = 0;
    regctl::wire(
        bar, edit, &page,
        [&](QObject* s, int c, int& p) {
            ++scrollEvents;
            rc.Scroll(s, c, p);
        },
        [&](QObject* s, QChar& k) { rc.KeyPress(s, k); });
    z.setHandler(TZEPH350_d::Event::OnMHPOSchange, [&](TZEPH350_d*, int) { rc.Change(); });
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    // The drag: a step every 4 ms, far faster than the echoes come back.
    const QPoint start = bar->thumb();
    QTest::mousePress(bar, Qt::LeftButton, {}, start);
    int dx = 0;
    for (int i = 0; i < 40; ++i) {
        dx += 2;
        QTest::mouseMove(bar, start + QPoint(dx, 0));
        QTest::qWait(4);
    }
    const int held = bar->sliderPosition();
    ASSERT_GT(held, 128);
    // The thumb stands still: the one value in flight is echoed (and the
    // latest position after it), then nothing more goes out.
    QTest::qWait(6 * EchoDelayMs);
    const int settled = sentCount;
    QTest::qWait(6 * EchoDelayMs);
    EXPECT_EQ(sentCount, settled) << "writes while the thumb stands still";
    EXPECT_EQ(sim.value(Reg::MHPOS), uint32_t(held));
    EXPECT_TRUE(rc.dragFlag());

    // A last move and the release: the final position goes out.
    QTest::mouseMove(bar, start + QPoint(dx + 20, 0));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(dx + 20, 0));
    const int final = bar->value();
    ASSERT_GT(final, held);
    EXPECT_FALSE(rc.dragFlag());
    EXPECT_TRUE(waitUntil([&] { return sim.value(Reg::MHPOS) == uint32_t(final) && echoed == sentCount; }, 2000))
        << "device holds " << sim.value(Reg::MHPOS) << ", final " << final << ", sent " << sentCount
        << ", echoed " << echoed;
    EXPECT_EQ(sim.value(Reg::MHPOS), uint32_t(final));

    EXPECT_EQ(bar->value(), final) << "the last echo leaves the thumb at the final position";
    EXPECT_EQ(edit->text(), QString::number(final));
    EXPECT_LE(maxInFlight, 2) << "one paced value, plus the final one on release";
    EXPECT_LT(sentCount, scrollEvents / 2) << "the echoes paced the drag";
    EXPECT_GE(sentCount, 3);
    EXPECT_EQ(sim.commandCount(Reg::MHPOS), sentCount);
}
