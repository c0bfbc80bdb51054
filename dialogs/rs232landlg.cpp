#include "rs232landlg.h"

#include "conversion.h"
#include "lan_fields.h"
#include "look.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TRs232LanDlg::TRs232LanDlg(QWidget* parent) : LazyDialog(parent)
{
    setObjectName(QStringLiteral("Rs232LanDlg"));
    setWindowTitle(QStringLiteral("ZEPH LAN Status"));
    Accepted = 0;  // FormCreate
    // The fields wait for ensureContent(): the window is seldom opened.
}

void TRs232LanDlg::buildContent()
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    // The device's values, shown only.
    const auto field = [&](const char* label, const char* name, const char* text) {
        QLineEdit* edit = lanfields::add(grid, row, label, name, text);
        edit->setReadOnly(true);
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, classic::InactiveCaptionText);
        edit->setPalette(p);
        return edit;
    };
    ELocalAddr = field("Local Address :", "ELocalAddr", "192.168.0.100");
    ELocalPort = field("Local Port :", "ELocalPort", "10100");
    EGatewayAddr = field("Gateway :", "EGatewayAddr", "192.168.0.1");
    ENetMask = field("NetMask :", "ENetMask", "255.255.255.0");
    ERemoteAddr = field("Remote Address :", "ERemoteAddr", "192.168.0.10");
    ERemotePort = field("Remote Port :", "ERemotePort", "1000");

    BOk = new QPushButton(QStringLiteral("Apply"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setVisible(false);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(BOk, &QPushButton::clicked, this, [this] { BOkClick(); });
    connect(BCancel, &QPushButton::clicked, this, [this] { BCancelClick(); });
}

void TRs232LanDlg::SetLocalAddr(const QString& text)
{
    ensureContent();
    lanfields::show(LocalAddr, ELocalAddr, text);
}

void TRs232LanDlg::SetRemoteAddr(const QString& text)
{
    ensureContent();
    lanfields::show(RemoteAddr, ERemoteAddr, text);
}

void TRs232LanDlg::SetGatewayAddr(const QString& text)
{
    ensureContent();
    lanfields::show(GatewayAddr, EGatewayAddr, text);
}

void TRs232LanDlg::SetLocalPort(uint32_t port)
{
    ensureContent();
    lanfields::show(LocalPort, ELocalPort, port);
}

void TRs232LanDlg::SetRemotePort(uint32_t port)
{
    ensureContent();
    lanfields::show(RemotePort, ERemotePort, port);
}

void TRs232LanDlg::SetNetMask(const QString& text)
{
    ensureContent();
    lanfields::show(NetMask, ENetMask, text);
}

void TRs232LanDlg::BOkClick()
{
    ensureContent();
    const std::optional<int32_t> local = StrToIntOrReport(ELocalPort->text());
    if (!local) return;
    const std::optional<int32_t> remote = StrToIntOrReport(ERemotePort->text());
    if (!remote) return;
    LocalAddr = ELocalAddr->text();
    RemoteAddr = ERemoteAddr->text();
    GatewayAddr = EGatewayAddr->text();
    LocalPort = uint32_t(*local);
    RemotePort = uint32_t(*remote);
    NetMask = ENetMask->text();
    Accepted = 1;
    close();
}

void TRs232LanDlg::BCancelClick()
{
    Accepted = 0;
    close();
}

void TRs232LanDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Accepted = 0;  // FormShow
}
