// The LAN setup and LAN status dialogs, alone and from the connection menu.

#include "window_fixture.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

class LanSetup : public ::testing::Test {
protected:
    void SetUp() override { setPrompter(&prompts); }
    void TearDown() override { setPrompter(nullptr); }
    void fill(const char* local, const char* remote, const char* address)
    {
        d.show();
        d.ELocalPort->setText(QString::fromLatin1(local));
        d.ERemotePort->setText(QString::fromLatin1(remote));
        d.ERemoteAddr->setText(QString::fromLatin1(address));
    }
    FakePrompter prompts;
    TIPConfigDlg d;
};

struct ApplyCase {
    const char* local;
    const char* remote;
    const char* address;
    const char* warning;  // nullptr: accepted
    const char* stored;   // address stored when accepted
};

class ApplyTable : public LanSetup, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyTable, ValidatesInOrder)
{
    const ApplyCase& c = GetParam();
    d.SetConnectionMode(CON_UDP);
    fill(c.local, c.remote, c.address);
    d.BOkClick();
    if (c.warning) {
        ASSERT_EQ(prompts.messages.size(), 1) << c.local << " " << c.remote << " " << c.address;
        EXPECT_EQ(prompts.messages[0].text, QString::fromLatin1(c.warning));
        EXPECT_EQ(prompts.messages[0].icon, Prompter::Icon::Warning);
        EXPECT_EQ(d.Accepted, 0);
        EXPECT_TRUE(d.isVisible());
    } else {
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
        EXPECT_EQ(d.Accepted, 1);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.RemoteAddr, QString::fromLatin1(c.stored));
        EXPECT_EQ(d.ERemoteAddr->text(), QString::fromLatin1(c.stored));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApplyTable,
    ::testing::Values(
        ApplyCase{"65535", "1000", "10.0.0.5", nullptr, "10.0.0.5"},
        ApplyCase{"0", "1", "0.0.0.0", nullptr, "0.0.0.0"},
        ApplyCase{"0", "0", "10.0.0.5", "Choose a Remote Port <1-65535>", nullptr},
        ApplyCase{"10000", "00000", "10.0.0.5", "Choose a Remote Port <1-65535>", nullptr},
        ApplyCase{"10000", "10100", "255.255.255.255", nullptr, "255.255.255.255"},
        ApplyCase{"10000", "10100", "010.0.0.5", nullptr, "10.0.0.5"},
        ApplyCase{"10000", "10100", "$0A.0.0.5", nullptr, "10.0.0.5"},
        ApplyCase{"10000", "10100", " 10.0.0.5", nullptr, "10.0.0.5"},
        ApplyCase{"65536", "1000", "10.0.0.5", "Choose a Local Port <0-65535>", nullptr},
        ApplyCase{"-1", "1000", "10.0.0.5", "Choose a Local Port <0-65535>", nullptr},
        ApplyCase{"", "1000", "10.0.0.5", "Choose a Local Port <0-65535>", nullptr},
        ApplyCase{"100a", "1000", "10.0.0.5", "Choose a Local Port <0-65535>", nullptr},
        ApplyCase{"$10", "1000", "10.0.0.5", "Choose a Local Port <0-65535>", nullptr},
        ApplyCase{"10000", "70000", "10.0.0.5", "Choose a Remote Port <1-65535>", nullptr},
        ApplyCase{"10000", "", "bad", "Choose a Remote Port <1-65535>", nullptr},
        ApplyCase{"10000", "1000", "10.0.0.256", "Remote IP address not Valid", nullptr},
        ApplyCase{"10000", "1000", "10.0.0", "Remote IP address not Valid", nullptr},
        ApplyCase{"10000", "1000", "10.0.0.5.6", "Remote IP address not Valid", nullptr},
        ApplyCase{"10000", "1000", "10.0.0.5.", "Remote IP address not Valid", nullptr},
        ApplyCase{"10000", "1000", "10.-1.0.5", "Remote IP address not Valid", nullptr}));

TEST_F(LanSetup, LocalPortIsStoredCanonicallyBeforeALaterFailure)
{
    d.SetConnectionMode(CON_UDP);
    fill("00123", "x", "10.0.0.5");
    d.BOkClick();
    EXPECT_EQ(d.LocalPort, 123);
    EXPECT_EQ(d.ELocalPort->text(), QStringLiteral("123"));
    EXPECT_EQ(d.Accepted, 0);
}

TEST_F(LanSetup, ModeButtonsAndTheLocalPortEdit)
{
    d.SetConnectionMode(CON_RS232);
    // Ticking Tcp from the setter runs its click: the mode becomes TCP.
    EXPECT_EQ(d.ConnectionMode, CON_TCP);
    EXPECT_TRUE(d.RBTcp->isChecked());
    EXPECT_FALSE(d.ELocalPort->isEnabled());
    EXPECT_EQ(d.ELocalPort->palette().color(QPalette::Base), classic::InactiveCaptionText);
    d.RBUdp->click();
    EXPECT_EQ(d.ConnectionMode, CON_UDP);
    EXPECT_TRUE(d.ELocalPort->isEnabled());
    EXPECT_EQ(d.ELocalPort->palette().color(QPalette::Base), classic::Window);
    d.RBTcp->click();
    EXPECT_EQ(d.ConnectionMode, CON_TCP);
    EXPECT_FALSE(d.ELocalPort->isEnabled());
}

TEST_F(LanSetup, ShowTurnsASerialModeIntoTcp)
{
    d.ensureContent();
    d.RBTcp->setChecked(true);
    d.SetConnectionMode(CON_NONE);  // Tcp already ticked: no click
    EXPECT_EQ(d.ConnectionMode, CON_NONE);
    d.show();
    EXPECT_EQ(d.ConnectionMode, CON_TCP);
}

// Accepted across Apply, Cancel and the frame's close, show after show.
TEST_F(LanSetup, AcceptedBelongsToOneShow)
{
    d.SetConnectionMode(CON_UDP);
    fill("10000", "10100", "10.0.0.5");
    d.BOkClick();
    EXPECT_EQ(d.Accepted, 1);
    d.show();
    EXPECT_EQ(d.Accepted, 0);
    d.close();  // frame or Escape
    EXPECT_EQ(d.Accepted, 0);
    fill("10000", "10100", "10.0.0.5");
    d.BCancelClick();
    EXPECT_EQ(d.Accepted, 0);
    fill("1", "x", "10.0.0.5");  // a failed Apply stores the local port...
    d.BOkClick();
    d.close();
    EXPECT_EQ(d.Accepted, 0);  // ...but the show is not accepted
}

TEST_F(WindowTest, LanSetupMenuAppliesOnlyWhatWasAccepted)
{
    start();
    link().COMClick(2, &w());
    const quint16 local = 0;
    prompts.dialogScript = [&](QDialog* dlg) {
        auto* d = static_cast<TIPConfigDlg*>(dlg);
        EXPECT_TRUE(d->RBTcp->isChecked());  // serial link: TCP offered
        d->RBUdp->click();
        d->ELocalPort->setText(QString::number(local));
        d->ERemotePort->setText(QStringLiteral("10100"));
        d->ERemoteAddr->setText(QStringLiteral("127.000.0.1"));
        d->BOk->click();
    };
    QStringList order;
    for (auto e : {TZEPH350_d::Event::OnIpRemoteAddresschange, TZEPH350_d::Event::OnIpRemotePortchange,
                   TZEPH350_d::Event::OnIpLocalPortchange, TZEPH350_d::Event::OnConTypechange})
        z().setHandler(e, [&order, e](TZEPH350_d*, int) { order << QString::fromLatin1(TZEPH350_d::eventName(e)); });
    w().MIPConfig->trigger();
    EXPECT_EQ(order, (QStringList{QStringLiteral("OnIpRemoteAddresschange"), QStringLiteral("OnIpRemotePortchange"),
                                  QStringLiteral("OnIpLocalPortchange"), QStringLiteral("OnConTypechange")}));
    EXPECT_EQ(z().ConType(), CON_UDP);
    EXPECT_EQ(z().IpRemoteAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(w().MIPConfig->isChecked());
    EXPECT_FALSE(w().comItems[1]->isChecked());
    EXPECT_TRUE(tail().endsWith(QStringLiteral("  UDP")));

    // A later show closed by the frame after a failed Apply changes nothing.
    order.clear();
    prompts.dialogScript = [](QDialog* dlg) {
        auto* d = static_cast<TIPConfigDlg*>(dlg);
        d->RBTcp->click();
        d->ERemotePort->setText(QStringLiteral("x"));
        d->BOk->click();
    };
    w().MIPConfig->trigger();
    EXPECT_TRUE(order.isEmpty());
    EXPECT_EQ(z().ConType(), CON_UDP);
    EXPECT_TRUE(w().MIPConfig->isChecked());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Choose a Remote Port <1-65535>"));
}

TEST_F(WindowTest, LanSetupCancelledFromSerialKeepsThePortChecked)
{
    start();
    link().COMClick(4, &w());
    prompts.dialogScript = [](QDialog* dlg) { static_cast<TIPConfigDlg*>(dlg)->BCancel->click(); };
    w().MIPConfig->trigger();
    EXPECT_FALSE(w().MIPConfig->isChecked());
    EXPECT_TRUE(w().comItems[3]->isChecked());
    EXPECT_EQ(z().ConType(), CON_RS232);
}

TEST_F(WindowTest, LanStatusDialogIsReadOnlyInUse)
{
    start();
    TRs232LanDlg& d = *windows->Rs232LanDlg;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("ZEPH LAN Status"));
    d.ensureContent();
    EXPECT_FALSE(d.BOk->isVisibleTo(&d));
    for (QLineEdit* e : {d.ELocalAddr, d.ELocalPort, d.EGatewayAddr, d.ENetMask, d.ERemoteAddr, d.ERemotePort})
        EXPECT_TRUE(e->isReadOnly());
    d.SetLocalPort(4000000000u);
    EXPECT_EQ(d.ELocalPort->text(), QStringLiteral("4000000000"));
    connect();
    QStringList sent;
    z().setHandler(TZEPH350_d::Event::OnSentString, [&sent](TZEPH350_d* s, int) { sent << s->sentString; });
    d.Accepted = 1;  // left over: every show clears it
    w().MLanSetup->setEnabled(true);
    w().MLanSetup->trigger();
    EXPECT_EQ(d.Accepted, 0);
    EXPECT_TRUE(sent.isEmpty());
}

}  // namespace
