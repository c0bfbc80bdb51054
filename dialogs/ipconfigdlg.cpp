#include "ipconfigdlg.h"

#include "lan_fields.h"
#include "look.h"
#include "prompter.h"
#include "zeph350_d.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace {

void setBase(QLineEdit* edit, const QColor& colour)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, colour);
    edit->setPalette(p);
}

}  // namespace

TIPConfigDlg::TIPConfigDlg(QWidget* parent) : LazyDialog(parent)
{
    setObjectName(QStringLiteral("IPConfigDlg"));
    setWindowTitle(QStringLiteral("LAN Setup"));
    // The controls wait for ensureContent(): the window is seldom opened.
}

void TIPConfigDlg::buildContent()
{
    RGMode = new QGroupBox(QStringLiteral("Connection Mode"), this);
    RGMode->setObjectName(QStringLiteral("RGMode"));
    RBTcp = new QRadioButton(QStringLiteral("Tcp"), RGMode);
    RBTcp->setObjectName(QStringLiteral("RBTcp"));
    RBUdp = new QRadioButton(QStringLiteral("Udp"), RGMode);
    RBUdp->setObjectName(QStringLiteral("RBUdp"));
    auto* modes = new QHBoxLayout(RGMode);
    modes->addWidget(RBTcp);
    modes->addWidget(RBUdp);

    auto* grid = new QGridLayout(this);
    grid->addWidget(RGMode, 0, 0, 1, 2);
    int row = 1;
    ELocalPort = lanfields::add(grid, row, "Local Port :", "ELocalPort", "10100");
    ERemoteAddr = lanfields::add(grid, row, "Remote IP Address :", "ERemoteAddr", "192.168.0.100");
    ERemotePort = lanfields::add(grid, row, "Remote Port :", "ERemotePort", "1000");
    BOk = new QPushButton(QStringLiteral("Apply"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setAutoDefault(false);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));
    BCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(RBTcp, &QRadioButton::clicked, this, [this] { RBTcpClick(); });
    connect(RBUdp, &QRadioButton::clicked, this, [this] { RBUdpClick(); });
    connect(BOk, &QPushButton::clicked, this, [this] { BOkClick(); });
    connect(BCancel, &QPushButton::clicked, this, [this] { BCancelClick(); });
}

void TIPConfigDlg::SetConnectionMode(uint8_t mode)
{
    ensureContent();
    ConnectionMode = mode;
    // Ticking a button that was not ticked raises its click, as the
    // operator's click does.
    QRadioButton* button = mode == CON_UDP ? RBUdp : RBTcp;
    const bool wasTicked = button->isChecked();
    {
        const QSignalBlocker block(button);
        button->setChecked(true);
    }
    if (!wasTicked) {
        if (mode == CON_UDP)
            RBUdpClick();
        else
            RBTcpClick();
    }
    if (mode == CON_UDP) {
        ELocalPort->setEnabled(true);
        setBase(ELocalPort, classic::Window);
    } else {
        ELocalPort->setEnabled(false);
        setBase(ELocalPort, classic::InactiveCaptionText);
    }
}

void TIPConfigDlg::SetRemoteAddr(const QString& text)
{
    ensureContent();
    lanfields::show(RemoteAddr, ERemoteAddr, text);
}

void TIPConfigDlg::SetRemotePort(int32_t port)
{
    ensureContent();
    lanfields::show(RemotePort, ERemotePort, port);
}

void TIPConfigDlg::SetLocalPort(int32_t port)
{
    ensureContent();
    lanfields::show(LocalPort, ELocalPort, port);
}

void TIPConfigDlg::RBTcpClick()
{
    SetConnectionMode(CON_TCP);
}

void TIPConfigDlg::RBUdpClick()
{
    SetConnectionMode(CON_UDP);
}

std::optional<int32_t> TIPConfigDlg::PortFromText(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    // Judged on the whole number, however many digits it has.
    qsizetype first = 0;
    while (first < text.size() - 1 && text[first] == QLatin1Char('0')) ++first;
    const QStringView significant = QStringView(text).mid(first);
    if (significant.size() > 5) return std::nullopt;
    const int v = significant.toInt();
    if (v > 65535) return std::nullopt;
    return v;
}

void TIPConfigDlg::BOkClick()
{
    ensureContent();
    const auto warn = [this](const char* text) {
        prompter().message(this, QStringLiteral("Warning"), QString::fromLatin1(text), Prompter::Icon::Warning);
    };
    const std::optional<int32_t> local = PortFromText(ELocalPort->text());
    if (!local) {
        warn("Choose a Local Port <0-65535>");
        return;
    }
    SetLocalPort(*local);
    // Port 0 is no destination: every datagram to it would fail.
    const std::optional<int32_t> remote = PortFromText(ERemotePort->text());
    if (!remote || *remote == 0) {
        warn("Choose a Remote Port <1-65535>");
        return;
    }
    const IpAddress address = ParseIpAddress(ERemoteAddr->text());
    if (!address.valid) {
        warn("Remote IP address not Valid");
        return;
    }
    SetRemotePort(*remote);
    // The link takes replies only from a sender whose dotted text equals
    // the stored address, so the address is kept in its canonical form.
    SetRemoteAddr(address.dotted());
    Accepted = 1;
    close();
}

void TIPConfigDlg::BCancelClick()
{
    Accepted = 0;
    close();
}

void TIPConfigDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TIPConfigDlg::FormShow()
{
    // Every show starts unaccepted: closing by the frame or Escape then
    // cancels, whatever an earlier show applied.
    Accepted = 0;
    if (ConnectionMode != CON_UDP && ConnectionMode != CON_TCP) SetConnectionMode(CON_TCP);
}
