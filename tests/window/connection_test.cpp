// The connection menu, the link status display and the status timer.

#include "window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {

struct PortItemCase {
    int item;
    bool fromOperator;
    const char* portBefore;
    bool pleaseWait;
    const char* port;
    const char* captionTail;
};

class PortItems : public WindowTest, public ::testing::WithParamInterface<PortItemCase> {};

TEST_P(PortItems, SetPortLinkAndCaption)
{
    const PortItemCase& c = GetParam();
    start();
    z().SetPort(QString::fromLatin1(c.portBefore));
    w().BitBtn_initial_please->setVisible(false);
    z().setLinkState(4);
    QAction* item = w().comItems[size_t(c.item - 1)];
    if (c.fromOperator)
        item->trigger();
    else
        link().COMClick(c.item, &w());
    EXPECT_EQ(w().BitBtn_initial_please->isVisibleTo(&w()), c.pleaseWait);
    EXPECT_EQ(z().linkState() == 0, c.pleaseWait) << "handshake restarted";
    EXPECT_EQ(z().Port(), QString::fromLatin1(c.port));
    EXPECT_EQ(z().ConType(), CON_RS232);
    EXPECT_TRUE(item->isChecked());
    for (QAction* other : w().comItems) {
        if (other != item) {
            EXPECT_FALSE(other->isChecked());
        }
    }
    EXPECT_FALSE(w().MIPConfig->isChecked());
    EXPECT_EQ(tail(), QStringLiteral("Zeph-Cedar remote control  ") + QLatin1String(c.captionTail));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PortItems,
    ::testing::Values(PortItemCase{2, true, "COM1", true, "COM2", "Port: COM2"},
                      PortItemCase{2, true, "COM2", false, "COM2", "Port: COM2"},
                      PortItemCase{2, false, "COM1", false, "COM2", "Port: COM2"},
                      PortItemCase{1, true, "COM3", true, "COM1", "Port: COM1"},
                      PortItemCase{10, true, "COM1", true, "\\\\.\\COM10", "Port: COM10"},
                      PortItemCase{10, true, "\\\\.\\COM10", false, "\\\\.\\COM10", "Port: COM10"}));

struct DevCase {
    uint32_t dev;
    bool connected;
};

class DevTable : public WindowTest, public ::testing::WithParamInterface<DevCase> {};

TEST_P(DevTable, ConnectionLabel)
{
    start();
    connect();
    reply(qPrintable(QStringLiteral("DEV%1").arg(GetParam().dev)));
    EXPECT_EQ(w().connection->text(),
              GetParam().connected ? QStringLiteral("    Device connected") : QStringLiteral("Device NOT connected"));
    EXPECT_EQ(w().connection->font().bold(), !GetParam().connected);
}

INSTANTIATE_TEST_SUITE_P(Table, DevTable,
                         ::testing::Values(DevCase{18, true}, DevCase{21, true}, DevCase{24, true}, DevCase{26, true},
                                           DevCase{0, false}, DevCase{19, false}, DevCase{20, false},
                                           DevCase{27, false}));

TEST_F(WindowTest, ConnectedAndReadyDriveThePleaseWaitPanel)
{
    start();
    w().MLanSetup->setVisible(true);  // as the device's LAN option shows it
    EXPECT_FALSE(w().MLanSetup->isEnabled());
    connect();  // raises OnConnected with Connected true
    EXPECT_TRUE(w().BitBtn_initial_please->isVisibleTo(&w()));
    EXPECT_TRUE(w().MLanSetup->isEnabled());
    QStringList sent;
    z().setHandler(TZEPH350_d::Event::OnSentString, [&sent](TZEPH350_d* s, int) { sent << s->sentString; });
    link().ZEPH350_d1Ready(&z(), 0);  // not ready yet: nothing
    EXPECT_TRUE(sent.isEmpty());
    // Two silent seconds after the dump the link is ready.
    for (int i = 0; i < 4 && !z().Ready(); ++i) z().LinkTimerTick();
    ASSERT_TRUE(z().Ready());
    EXPECT_TRUE(sent.contains(QStringLiteral("3LM")));
    EXPECT_FALSE(w().BitBtn_initial_please->isVisibleTo(&w()));
}

TEST_F(WindowTest, TimerBlinksWhileNoDeviceAnswers)
{
    start();
    const bool bold = w().connection->font().bold();
    z().RS232busy = false;
    link().Timer1Timer();
    EXPECT_TRUE(z().RS232busy);
    EXPECT_NE(w().connection->font().bold(), bold);
    EXPECT_EQ(windows->About_zeph_350->ShownPicture(), 0);
    for (int i = 1; i <= 5; ++i) link().Timer1Timer();
    // 0, 1, 2, 3, 4, then 0 again.
    EXPECT_EQ(windows->About_zeph_350->ShownPicture(), 0);
    link().Timer1Timer();
    EXPECT_EQ(windows->About_zeph_350->ShownPicture(), 1);

    connect();
    reply("DEV22");
    z().RS232busy = false;
    const bool steady = w().connection->font().bold();
    link().Timer1Timer();
    EXPECT_FALSE(z().RS232busy);
    EXPECT_EQ(w().connection->font().bold(), steady);
    // The model's picture (laid out with DEV 22) stays.
    EXPECT_EQ(windows->About_zeph_350->ShownPicture(), 2);
}

TEST_F(WindowTest, FreezeAndBlackAlternateWhileSet)
{
    start();
    connect();
    reply("DEV24");
    reply("FRZ1");
    reply("OBLK1");
    QPushButton* freeze = w().BitBtn_freeze;
    QToolButton* black = w().Label__black;
    link().Timer1Timer();
    EXPECT_EQ(freeze->palette().color(QPalette::ButtonText), classic::Red);
    EXPECT_TRUE(freeze->font().italic());
    EXPECT_FALSE(black->font().bold());
    EXPECT_TRUE(black->isChecked());
    link().Timer1Timer();
    EXPECT_EQ(freeze->palette().color(QPalette::ButtonText), classic::WindowText);
    EXPECT_TRUE(freeze->font().bold());
    EXPECT_TRUE(black->font().bold());
    EXPECT_FALSE(black->isChecked());

    reply("FRZ0");
    reply("OBLK0");
    EXPECT_FALSE(freeze->font().bold());
    EXPECT_FALSE(freeze->font().italic());
    EXPECT_EQ(freeze->palette().color(QPalette::ButtonText), classic::WindowText);
    EXPECT_FALSE(black->isChecked());
    EXPECT_FALSE(black->isCheckable());
    link().Timer1Timer();
    EXPECT_FALSE(freeze->font().italic());
    EXPECT_FALSE(black->font().bold());
}

TEST_F(WindowTest, TogglesWriteTheNegationOfTheStoredValue)
{
    start();
    connect();
    QStringList sent;
    z().setHandler(TZEPH350_d::Event::OnSentString, [&sent](TZEPH350_d* s, int) { sent << s->sentString; });
    w().BitBtn_freeze->click();
    w().Label__black->click();
    reply("FRZ1");
    reply("OBLK1");
    w().BitBtn_freeze->click();
    w().Label__black->click();
    EXPECT_EQ(sent, (QStringList{QStringLiteral("1Z"), QStringLiteral("1o"), QStringLiteral("0Z"), QStringLiteral("0o")}));
    // Clicking does not change the look: the device's report does.
    EXPECT_TRUE(w().Label__black->isChecked() == false || w().Label__black->font().bold());
}

TEST_F(WindowTest, StoreGaugeAndFormatMismatchText)
{
    start();
    connect();
    reply("DEV24");
    QProgressBar* gauge = windows->status->Gauge_store;
    gauge->setValue(10);
    // A 720 x 576 logo: 44 s expected at the default speed; the store's
    // start sets the progress back to 0.
    reply("LPIX720");
    reply("LLIN576");
    reply("LSTO1");
    link().Timer1Timer();
    link().Timer1Timer();
    EXPECT_EQ(gauge->maximum(), 44);
    EXPECT_EQ(gauge->value(), 2);
    EXPECT_EQ(w().state.storeTicks, 2);

    reply("LSTY0");
    reply("LSTA3");
    QLabel* text = w().StaticText1;
    link().Timer1Timer();
    EXPECT_EQ(text->text(), QStringLiteral("Frame format mismatch output format"));
    const bool first = text->isVisibleTo(text->parentWidget());
    link().Timer1Timer();
    EXPECT_NE(text->isVisibleTo(text->parentWidget()), first);
    reply("LSTY2");
    link().Timer1Timer();
    EXPECT_EQ(text->text(), QStringLiteral("Logo format mismatch output format"));
    reply("LSTA1");
    link().Timer1Timer();
    EXPECT_FALSE(text->isVisibleTo(text->parentWidget()));
}

TEST_F(WindowTest, DeviceLanReportsReachTheStatusDialog)
{
    start();
    connect();
    TRs232LanDlg& d = *windows->Rs232LanDlg;
    // ADIP 1 (local), then its four octets, the way the device reports them.
    reply("ADIP1");
    reply("IPD10");
    reply("IPC1");
    reply("IPB2");
    reply("IPA3");
    EXPECT_EQ(z().LOCAL_IP(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(d.LocalAddr, QStringLiteral("10.1.2.3"));
    EXPECT_EQ(d.ELocalAddr->text(), QStringLiteral("10.1.2.3"));
}

TEST_F(WindowTest, DebugHotKeyNeedsTheMouseOnTheConnectionLabel)
{
    start();
    TGfxGlobalHotKey* key = w().debugHotKey();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->HotKey(), TZEPH350_main::DebugHotKey);
    key->WndProc();
    EXPECT_FALSE(windows->Form_debug->isVisible());
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(w().connection, &enter);
    key->WndProc();
    EXPECT_TRUE(windows->Form_debug->isVisible());
    // It opens with its controls.
    ASSERT_NE(windows->Form_debug->BitBtn_ADBG[0], nullptr);
    EXPECT_TRUE(windows->Form_debug->BitBtn_ADBG[0]->isVisible());
    windows->Form_debug->hide();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w().connection, &leave);
    key->WndProc();
    EXPECT_FALSE(windows->Form_debug->isVisible());
}

// The hot key brings an open console that lies behind the main window to
// the front, with the keyboard.
TEST_F(WindowTest, DebugHotKeyRaisesAnOpenConsole)
{
    start();
    TGfxGlobalHotKey* key = w().debugHotKey();
    TForm_debug* console = windows->Form_debug.get();
    console->show();
    w().show();
    QApplication::setActiveWindow(&w());
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    ASSERT_NE(QApplication::activeWindow(), console);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(w().connection, &enter);
    key->WndProc();
    EXPECT_TRUE(console->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(console)) << "the open console stayed behind";
}

TEST_F(WindowTest, UdpSendErrorIsShownWithTheErrorIcon)
{
    start();
    ASSERT_TRUE(z().onUdpSendError);
    z().onUdpSendError(QStringLiteral("Network unreachable"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Network unreachable"));
    EXPECT_EQ(prompts.messages[0].icon, Prompter::Icon::Error);
}

TEST_F(WindowTest, LogoNamesOpenedAtRunTimeReachTheLogoLists)
{
    start();
    // FormCreate filled the sixteen logo lists and the store list.
    QList<QComboBox*> lists;
    for (const char* prefix : {"new_Combologo", "LINDEX2_Combologo"})
        for (int i = 1; i <= 8; ++i) {
            auto* c = w().findChild<QComboBox*>(QString::fromLatin1(prefix) + QString::number(i));
            ASSERT_NE(c, nullptr);
            ASSERT_EQ(c->count(), 10);
            c->setCurrentIndex(4);
            lists << c;
        }
    auto* store = w().findChild<QComboBox*>(QStringLiteral("ComboBox_lstore"));
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->count(), 8);

    writeFile(scratch.path(QStringLiteral("brands.ini")),
              settingsFile({QStringLiteral("18=Border"), QStringLiteral("21=Sponsor")}));
    prompts.openAnswer = scratch.path(QStringLiteral("brands.ini"));
    action("Open1")->trigger();
    for (QComboBox* c : lists) {
        EXPECT_EQ(c->itemText(1), QStringLiteral("Border"));
        EXPECT_EQ(c->itemText(4), QStringLiteral("Sponsor"));
        EXPECT_EQ(c->currentIndex(), 4);
    }
    EXPECT_EQ(store->itemText(2), QStringLiteral("Sponsor"));
}

TEST_F(WindowTest, FrameAndMenus)
{
    start();
    EXPECT_EQ(w().centralWidget()->size(), QSize(788, 503));
    EXPECT_EQ(w().PageControl1->count(), 7);
    const QStringList tabs = {"Input", "Output", "Image", "Audio", "Voice over", "Logo && Frame", "Effects"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(w().PageControl1->tabText(i), tabs[i]);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w().label_input[size_t(i)]->text(), QStringLiteral("Input %1").arg(i + 1));
        EXPECT_EQ(w().Label_audio[size_t(i)]->text(), QStringLiteral("Audio %1").arg(i + 1));
    }
    for (const char* name : {"New1", "Open1", "Save1", "Saveas1", "Exit1", "com1", "COM10", "MIPConfig", "MLanSetup",
                             "activated1", "ON1", "menuitem_On", "FadeColor_et_Frame", "From_ALL", "AllLock1",
                             "On_stdby", "DelayStandby1", "Input8", "Audio8", "Logo8", "Frame", "vide5", "Default1",
                             "AboutZEPH1"})
        EXPECT_NE(action(name), nullptr) << name;
    EXPECT_FALSE(w().MLanSetup->isVisible());
    EXPECT_FALSE(w().MLanSetup->isEnabled());
    EXPECT_EQ(w().Timer1->interval(), 1000);
    EXPECT_TRUE(w().Timer1->isActive());
}

}  // namespace
