// The panel against the simulated device over loopback UDP, from a LAN
// customisation file: probe, connected display, LMODE 3 after the dump, and
// the not-connected display once the device falls silent. The link timer is
// ticked by hand so that the run takes well under a second.

#include "gfx_radiogroup.h"
#include "inputs_controller.h"
#include "logos_controller.h"
#include "qt_wait.h"
#include "simdevice.h"
#include "standby_dialog.h"
#include "store_timing.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
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
    // The device on a free UDP port, and the panel started from a LAN
    // customisation file that points at it; gives the panel's local port.
    quint16 startOnUdp()
    {
        EXPECT_TRUE(sim.startUdp(0));
        const quint16 local = freeUdpPort();
        writeFile(QStringLiteral("zeph350.ini"),
                  settingsFile({QStringLiteral("IP_ENABLE=1"), QStringLiteral("REMOTE_IP=127.0.0.1"),
                                QStringLiteral("REMOTE_PORT_ENTRY=%1").arg(sim.udpPort()),
                                QStringLiteral("LOCAL_PORT_ENTRY=%1").arg(local)}));
        start();
        return local;
    }
    zeph::SimDevice sim;
};

TEST_F(EndToEnd, LanFileFindsTheDeviceAndLosesItOnSilence)
{
    const quint16 local = startOnUdp();
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

// A whole logo store: the operator picks "Record logo", stores into logo 3,
// the device takes its time and reports the end; the storing window closes
// and the measured speed is written once.
TEST_F(EndToEnd, LogoStoreAgainstTheDevice)
{
    // A 180 x 192 logo of the 640 x 480 output: 450 x 360 pixels.
    sim.setValue(zeph::Reg::LHSIZ, 180);
    sim.setValue(zeph::Reg::LVSIZ, 192);
    sim.setLogoStoreMs(300, 1000);
    writeFile(QString::fromLatin1(StoreTimingFile), "777\r\n");
    startOnUdp();
    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    ASSERT_TRUE(zephtest::waitFor([&] { return z().LMODE() == 3; }));
    // The dump's LSTORE false measured nothing.
    EXPECT_EQ(readFile(QString::fromLatin1(StoreTimingFile)), QByteArray("777\r\n"));

    LogosController& logos = w().logos();
    logos.TabControl_logo->setCurrentIndex(2);
    ASSERT_TRUE(zephtest::waitFor([&] { return z().LMODE() == 1; }));
    logos.new_SpeedButton_store->click();
    QComboBox* list = logos.ComboBox_lstore;
    ASSERT_TRUE(list->isVisibleTo(w().logoFramePage));
    list->hidePopup();
    list->setCurrentIndex(2);
    emit list->activated(2);

    Tstatus* status = windows->status.get();
    ASSERT_TRUE(zephtest::waitFor([&] { return status->isVisible(); }));
    ASSERT_TRUE(zephtest::waitFor([&] { return z().LPIXELSIZ() == 450 && z().LLINESIZ() == 360; }));
    EXPECT_EQ(status->Gauge_store->maximum(), store_timing::calcul_temps(450, 360));
    link().Timer1Timer();
    link().Timer1Timer();
    ASSERT_TRUE(zephtest::waitFor([&] { return !z().LSTORE(); }, 5000));

    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(logos.new_SpeedButton_store->text(), QStringLiteral("STORE"));
    EXPECT_EQ(z().lemptyEntry(4), false);
    EXPECT_FALSE(logos.slotEmpty(4));
    EXPECT_EQ(logos.assignment().new_Combologo[0]->itemText(4), QStringLiteral("Logo 3"));
    const int ticks = w().state.storeTicks;
    EXPECT_GE(ticks, 2);
    const QByteArray measured = QByteArray::number(*store_timing::measuredSpeed(ticks, 450, 360)) + "\r\n";
    EXPECT_EQ(readFile(QString::fromLatin1(StoreTimingFile)), measured);
    EXPECT_EQ(sim.commandCount(zeph::Reg::LSTORE), 1);

    // Another dump reports LSTORE false again: the file stays.
    writeFile(QString::fromLatin1(StoreTimingFile), "777\r\n");
    int reports = 0;
    z().setHandler(TZEPH350_d::Event::OnLSTOREchange, [&](TZEPH350_d*, int) { ++reports; });
    z().QueryAll();
    ASSERT_TRUE(zephtest::waitFor([&] { return reports > 0; }));
    EXPECT_FALSE(z().LSTORE());
    EXPECT_EQ(readFile(QString::fromLatin1(StoreTimingFile)), QByteArray("777\r\n"));
    z().SetConType(CON_NONE);
}

// A message recorded in the stand-by dialog reaches the simulated device
// byte by byte, in order, each byte in its own datagram after the echo of
// the one before.
TEST_F(EndToEnd, RecordedMessageReachesTheDeviceByteByByte)
{
    startOnUdp();
    w().show();
    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    QList<QByteArray> incoming;
    sim.onTraffic = [&](const char*, bool in, const QByteArray& data) {
        if (in) incoming << data;
    };
    sim.clearCommands();

    action("MessageON1")->trigger();
    auto* dialog = w().state.win.Form_register_code_standby_projector;
    ASSERT_TRUE(dialog->isVisible());
    QTest::keyClicks(dialog->Memo_register_code_standby_projector, QStringLiteral("PWR"));
    QTest::keyClick(dialog->Memo_register_code_standby_projector, Qt::Key_Return);
    QTest::mouseClick(dialog->BitBtn_ok, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());

    const QList<uint32_t> message{'P', 'W', 'R', 13, 10};
    QList<uint32_t> arrived;
    const auto done = [&] {
        arrived.clear();
        for (const zeph::SimCommand& c : sim.commands())
            if (c.reg == zeph::Reg::MESSON && c.hasValue) arrived << c.value;
        return arrived.size() >= message.size() && z().MESSON() == message.back();
    };
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(arrived, message);
    EXPECT_EQ(sim.value(zeph::Reg::MESSCTRL), 1u);
    int bytesIn = 0;
    for (const QByteArray& d : incoming) {
        const int n = int(d.count("wo"));
        EXPECT_LE(n, 1) << d.toStdString();
        bytesIn += n;
    }
    EXPECT_EQ(bytesIn, message.size());
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

// The four-input device lays the window out for four inputs; a lost link
// keeps that layout under the family's name, and the device found again
// lays it out once more without cutting the reference list further.
TEST_F(EndToEnd, FourInputDeviceFoundLostAndFoundAgain)
{
    sim.setModel(26);
    startOnUdp();
    auto* refreq = w().findChild<QComboBox*>(QStringLiteral("combo_refreq"));
    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    EXPECT_EQ(tail(), QStringLiteral("Zeph-Oak remote control  UDP"));
    EXPECT_TRUE(w().label_input[4]->isHidden());
    EXPECT_EQ(w().label_input[3]->geometry(), QRect(516, 5, 140, 33));
    EXPECT_EQ(refreq->count(), 5);

    sim.setSilent(true);
    ASSERT_TRUE(tickUntil([&] { return z().DEV() == 0; }));
    EXPECT_EQ(tail(), QStringLiteral("Zeph-Cedar remote control  UDP"));
    EXPECT_TRUE(w().label_input[4]->isHidden());

    sim.setSilent(false);
    ASSERT_TRUE(tickUntil([&] { return z().DEV() == 26; }));
    EXPECT_EQ(tail(), QStringLiteral("Zeph-Oak remote control  UDP"));
    EXPECT_EQ(refreq->count(), 5);
    EXPECT_EQ(refreq->itemText(4), QStringLiteral("Follow  Input 4"));
    z().SetConType(CON_NONE);
}

// The demo's device answers per input: after the register dump each input
// shows its own "Used" box, impedance, signal type and standard, inputs 2
// to 8 included.
TEST_F(EndToEnd, EveryInputShowsItsOwnValuesAfterTheDump)
{
    sim.setValue(zeph::Reg::PCHAN, 1);
    startOnUdp();
    ASSERT_TRUE(tickUntil([&] { return z().Ready(); }));
    InputsController& in = w().inputs();
    for (int i = 1; i <= 8; ++i) {
        const size_t row = size_t(i - 1);
        EXPECT_TRUE(in.Label_input_[row]->isChecked()) << "Used " << i;
        EXPECT_EQ(in.GfxRadioButton_HiZ[row]->ItemIndex(), int(sim.perInput(zeph::Reg::PLOAD, i))) << "load " << i;
        auto* type = w().findChild<QComboBox*>(QStringLiteral("ComboBox_signaltype%1").arg(i));
        EXPECT_EQ(type->currentIndex(), int(sim.perInput(zeph::Reg::PRGBI, i))) << "type " << i;
        auto* standard = w().findChild<QComboBox*>(QStringLiteral("ComboBox_standard%1").arg(i));
        EXPECT_EQ(standard->currentIndex(), int(sim.perInput(zeph::Reg::PISTD, i))) << "standard " << i;
    }
    // Both loads are seen among the inputs, and the pointer ends where the
    // device has it.
    EXPECT_EQ(in.GfxRadioButton_HiZ[4]->ItemIndex(), 0);
    EXPECT_EQ(in.GfxRadioButton_HiZ[1]->ItemIndex(), 1);
    EXPECT_EQ(z().PCHAN(), 1u);
}
