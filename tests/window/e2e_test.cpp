// The panel against the simulated device over loopback UDP, from a LAN
// customisation file: probe, connected display, LMODE 3 after the dump, and
// the not-connected display once the device falls silent. The link timer is
// ticked by hand so that the run takes well under a second.

#include "simdevice.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QUdpSocket>

namespace {

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

class EndToEnd : public WindowTest {
protected:
    // Ticks the link and lets the replies in until `done` holds.
    template <class F>
    bool tickUntil(F done, int ticks = 12)
    {
        for (int i = 0; i < ticks && !done(); ++i) {
            z().LinkTimerTick();
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 60 && !done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return done();
    }
    zeph::SimDevice sim;
};

TEST_F(EndToEnd, LanFileFindsTheDeviceAndLosesItOnSilence)
{
    ASSERT_TRUE(sim.startUdp(0));
    const quint16 local = freeUdpPort();
    writeFile(QStringLiteral("zeph350.ini"),
              settingsFile({QStringLiteral("IP_ENABLE=1"), QStringLiteral("REMOTE_IP=127.0.0.1"),
                            QStringLiteral("REMOTE_PORT_ENTRY=%1").arg(sim.udpPort()),
                            QStringLiteral("LOCAL_PORT_ENTRY=%1").arg(local)}));
    start();
    ASSERT_EQ(z().ConType(), CON_UDP);
    ASSERT_EQ(z().udpBoundPort(), local);
    EXPECT_TRUE(tail().endsWith(QStringLiteral("  UDP")));
    EXPECT_EQ(w().connection->text(), QStringLiteral("Device NOT connected"));

    ASSERT_TRUE(tickUntil([&] { return w().connection->text() == QLatin1String("    Device connected"); }));
    EXPECT_EQ(z().DEV(), uint32_t(zeph::SimDevice::DefaultModel));
    EXPECT_FALSE(w().connection->font().bold());

    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    EXPECT_TRUE(tickUntil([&] { return sim.value(zeph::Reg::LMODE) == 3; }, 2));
    EXPECT_GE(sim.commandCount(zeph::Reg::LMODE), 1);
    EXPECT_FALSE(w().BitBtn_initial_please->isVisibleTo(&w()));

    sim.setSilent(true);
    ASSERT_TRUE(tickUntil([&] { return z().DEV() == 0; }));
    EXPECT_EQ(w().connection->text(), QStringLiteral("Device NOT connected"));
    EXPECT_TRUE(w().connection->font().bold());
    EXPECT_TRUE(w().Timer1->isActive());
    z().SetConType(CON_NONE);
}

TEST_F(EndToEnd, AddressWithLeadingZerosStillReachesTheDevice)
{
    ASSERT_TRUE(sim.startUdp(0));
    start();
    const quint16 local = freeUdpPort();
    prompts.dialogScript = [&](QDialog* dlg) {
        auto* d = static_cast<TIPConfigDlg*>(dlg);
        d->RBUdp->click();
        d->ELocalPort->setText(QString::number(local));
        d->ERemotePort->setText(QString::number(sim.udpPort()));
        d->ERemoteAddr->setText(QStringLiteral("127.000.000.001"));
        d->BOk->click();
    };
    w().MIPConfig->trigger();
    ASSERT_EQ(z().ConType(), CON_UDP);
    EXPECT_TRUE(tickUntil([&] { return w().connection->text() == QLatin1String("    Device connected"); }));
    z().SetConType(CON_NONE);
}

}  // namespace

// The input page against the device: a row's choice reaches that input
// only, and an input button switches the output, with the hourglass while
// the device takes it and the new input described when it is done.
TEST_F(EndToEnd, InputChoicesAndSwitchReachTheDevice)
{
    ASSERT_TRUE(sim.startUdp(0));
    sim.setValue(zeph::Reg::IFAMM, 19);
    writeFile(QStringLiteral("zeph350.ini"),
              settingsFile({QStringLiteral("IP_ENABLE=1"), QStringLiteral("REMOTE_IP=127.0.0.1"),
                            QStringLiteral("REMOTE_PORT_ENTRY=%1").arg(sim.udpPort()),
                            QStringLiteral("LOCAL_PORT_ENTRY=%1").arg(freeUdpPort())}));
    start();
    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    auto* status = w().findChild<QLabel*>(QStringLiteral("Label_status_ifamm"));
    EXPECT_EQ(status->text(), QStringLiteral("XGA"));

    auto* type2 = w().findChild<QComboBox*>(QStringLiteral("ComboBox_signaltype2"));
    type2->setCurrentIndex(8);
    emit type2->activated(8);
    EXPECT_TRUE(tickUntil([&] { return type2->currentIndex() == 8 && z().PCHAN() == 2; }, 3));
    EXPECT_EQ(sim.perInput(zeph::Reg::PRGBI, 2), 8u);
    EXPECT_EQ(sim.perInput(zeph::Reg::PRGBI, 1), 0u);

    sim.setValue(zeph::Reg::IFAMM, 4);
    w().label_input[2]->click();
    ASSERT_TRUE(tickUntil([&] { return QGuiApplication::overrideCursor() != nullptr; }, 3));
    EXPECT_FALSE(w().label_input[2]->isChecked()) << "until the device reports the switch";
    ASSERT_TRUE(tickUntil([&] { return z().ICHM() == 3 && !z().TAKE(); }, 20));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w().label_input[2]->isChecked());
    EXPECT_FALSE(w().label_input[0]->isChecked());
    EXPECT_EQ(status->text(), QStringLiteral("PAL std (4,43/50)"));
    z().SetConType(CON_NONE);
}
