#include "connection_controller.h"

#include "about.h"
#include "form_debug.h"
#include "ipconfigdlg.h"
#include "look.h"
#include "prompter.h"
#include "rs232landlg.h"
#include "status.h"
#include "zeph350_main.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using Ev = TZEPH350_d::Event;

namespace {

void setBold(QWidget* w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

QColor buttonTextColour(const QWidget* w)
{
    return w->palette().color(QPalette::Active, QPalette::ButtonText);
}

void setButtonTextColour(QWidget* w, const QColor& c)
{
    setTextColour(w, QPalette::ButtonText, c);
}

}  // namespace

ConnectionController::ConnectionController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Connection), w_(w)
{
    // The port items check themselves as they must. "&LAN Setup" is checked
    // only once its dialog is accepted: its own check is taken back first.
    using Click = void (ConnectionController::*)(QObject*);
    const Click clicks[10] = {&ConnectionController::com1Click, &ConnectionController::COM2Click,
                              &ConnectionController::COM3Click, &ConnectionController::COM4Click,
                              &ConnectionController::COM5Click, &ConnectionController::COM6Click,
                              &ConnectionController::COM7Click, &ConnectionController::COM8Click,
                              &ConnectionController::COM9Click, &ConnectionController::COM10Click};
    for (size_t i = 0; i < w_.comItems.size(); ++i) {
        QAction* item = w_.comItems[i];
        const Click click = clicks[i];
        connect(item, &QAction::triggered, this, [this, click, item] { (this->*click)(item); });
    }
    connect(w_.MIPConfig, &QAction::triggered, this, [this] {
        checkLinkItem(checkedLinkItem_);
        MIPConfigClick();
    });
    connect(w_.MLanSetup, &QAction::triggered, this, [this] { MLanSetupClick(); });
    connect(w_.MLink->menuAction(), &QAction::triggered, this, [this] { Refresh_selection_port(); });
    connect(w_.Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(w_.BitBtn_freeze, &QPushButton::clicked, this, [this] { BitBtn_freezeClick(); });
    connect(w_.Label__black, &QToolButton::clicked, this, [this] { Button_oblkClick(); });
    w_.connection->setMouseTracking(true);
    w_.connection->installEventFilter(this);
    setButtonTextColour(w_.BitBtn_freeze, classic::WindowText);
    bindDevice();
}

void ConnectionController::bindDevice()
{
    TZEPH350_d& z = w_.ZEPH350_d1;
    ZEPH_ON(OnConnected, ConnectionController, ZEPH350_d1Connected);
    ZEPH_ON(OnReady, ConnectionController, ZEPH350_d1Ready);
    ZEPH_ON(OnDEVchange, ConnectionController, ZEPH350_d1DEVchange);
    ZEPH_ON(ONRS232busy, ConnectionController, ZEPH350_d1RS232busy);
    ZEPH_ON(OnLOCAL_IPchange, ConnectionController, ZEPH350_d1LOCAL_IPchange);
    ZEPH_ON(OnREMOTE_IPchange, ConnectionController, ZEPH350_d1REMOTE_IPchange);
    ZEPH_ON(OnGATEWAY_IPchange, ConnectionController, ZEPH350_d1GATEWAY_IPchange);
    ZEPH_ON(OnLOCAL_PORTchange, ConnectionController, ZEPH350_d1LOCAL_PORTchange);
    ZEPH_ON(OnREMOTE_PORTchange, ConnectionController, ZEPH350_d1REMOTE_PORTchange);
    ZEPH_ON(OnNETMASKchange, ConnectionController, ZEPH350_d1NETMASKchange);
    ZEPH_ON(OnIFRZchange, ConnectionController, ZEPH350_d1IFRZchange);
    ZEPH_ON(OnOBLKchange, ConnectionController, ZEPH350_d1OBLKchange);
    z.onUdpSendError = [this](const QString& message) {
        prompter().message(&w_, QApplication::applicationName(), message, Prompter::Icon::Error);
    };
}

bool ConnectionController::recognisedModel(uint32_t dev)
{
    return dev == 18 || (dev >= 21 && dev <= 26);
}

QString ConnectionController::portName(int n)
{
    return n == 10 ? QStringLiteral("\\\\.\\COM10") : QStringLiteral("COM%1").arg(n);
}

void ConnectionController::checkLinkItem(QObject* item)
{
    checkedLinkItem_ = item;
    for (QAction* a : w_.comItems) a->setChecked(a == item);
    w_.MIPConfig->setChecked(w_.MIPConfig == item);
}

void ConnectionController::COMClick(int n, QObject* Sender)
{
    if (n < 1 || n > 10) return;
    QAction* item = w_.comItems[size_t(n - 1)];
    TZEPH350_d& z = w_.ZEPH350_d1;
    const QString name = portName(n);
    const bool fromOperator = Sender == item;
    if (z.Port() != name && fromOperator) gamme_zeph_refresh_quelb_s_plug_and_play();
    z.SetPort(name);
    z.SetConType(CON_RS232);
    checkLinkItem(item);
    w_.setLinkCaption(QStringLiteral("Port: ") + item->text());
}

void ConnectionController::gamme_zeph_refresh_quelb_s_plug_and_play()
{
    w_.BitBtn_initial_please->setEnabled(true);
    w_.BitBtn_initial_please->setVisible(true);
    w_.ZEPH350_d1.SetQuelb_s_plug_and_play(true);
}

void ConnectionController::MIPConfigClick()
{
    TIPConfigDlg* dlg = w_.state.win.IPConfigDlg;
    if (!dlg) return;
    TZEPH350_d& z = w_.ZEPH350_d1;
    dlg->SetConnectionMode(z.ConType());
    dlg->SetRemoteAddr(z.IpRemoteAddress());
    dlg->SetRemotePort(z.IpRemotePort());
    dlg->SetLocalPort(z.IpLocalPort());
    prompter().execDialog(dlg);
    if (dlg->Accepted != 1) return;
    z.SetIpRemoteAddress(dlg->RemoteAddr);
    z.SetIpRemotePort(dlg->RemotePort);
    z.SetIpLocalPort(dlg->LocalPort);
    z.SetConType(tConnectionType(dlg->ConnectionMode));
    checkLinkItem(w_.MIPConfig);
    w_.setLinkCaption(z.ConType() == CON_TCP ? QStringLiteral("TCP") : QStringLiteral("UDP"));
}

void ConnectionController::MLanSetupClick()
{
    TRs232LanDlg* dlg = w_.state.win.Rs232LanDlg;
    if (!dlg) return;
    prompter().execDialog(dlg);
    if (dlg->Accepted == 1) {
        TZEPH350_d& z = w_.ZEPH350_d1;
        z.SetLOCAL_IP(dlg->LocalAddr);
        z.SetREMOTE_IP(dlg->RemoteAddr);
        z.SetGATEWAY_IP(dlg->GatewayAddr);
        z.SetLOCAL_PORT(int32_t(dlg->LocalPort));
        z.SetREMOTE_PORT(int32_t(dlg->RemotePort));
        z.SetNETMASK(dlg->NetMask);
    }
}

void ConnectionController::ZEPH350_d1Connected(TZEPH350_d*, int)
{
    const bool on = w_.ZEPH350_d1.Connected();
    w_.MLanSetup->setEnabled(on);
    w_.BitBtn_initial_please->setEnabled(on);
    w_.BitBtn_initial_please->setVisible(on);
}

void ConnectionController::ZEPH350_d1Ready(TZEPH350_d*, int)
{
    if (!w_.ZEPH350_d1.Ready()) return;
    w_.ZEPH350_d1.SetLMODE(3);
    w_.BitBtn_initial_please->setVisible(false);
    w_.BitBtn_initial_please->setEnabled(false);
}

void ConnectionController::ZEPH350_d1DEVchange(TZEPH350_d*, int)
{
    const uint32_t dev = w_.ZEPH350_d1.DEV();
    if (recognisedModel(dev)) {
        w_.connection->setText(QStringLiteral("    Device connected"));
        setBold(w_.connection, false);
    } else {
        if (!w_.Timer1->isActive()) w_.Timer1->start();  // enabling a running timer changes nothing
        w_.connection->setText(QString::fromLatin1(DeviceNotConnectedText));
        setBold(w_.connection, true);
    }
    // The model layout comes next, in the model-layout family's handler of
    // the same event (that family follows this one).
}

void ConnectionController::ZEPH350_d1RS232busy(TZEPH350_d*, int) {}

void ConnectionController::ZEPH350_d1LOCAL_IPchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetLocalAddr(w_.ZEPH350_d1.LOCAL_IP());
}

void ConnectionController::ZEPH350_d1REMOTE_IPchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetRemoteAddr(w_.ZEPH350_d1.REMOTE_IP());
}

void ConnectionController::ZEPH350_d1GATEWAY_IPchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetGatewayAddr(w_.ZEPH350_d1.GATEWAY_IP());
}

void ConnectionController::ZEPH350_d1LOCAL_PORTchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetLocalPort(uint32_t(w_.ZEPH350_d1.LOCAL_PORT()));
}

void ConnectionController::ZEPH350_d1REMOTE_PORTchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetRemotePort(uint32_t(w_.ZEPH350_d1.REMOTE_PORT()));
}

void ConnectionController::ZEPH350_d1NETMASKchange(TZEPH350_d*, int)
{
    if (auto* d = w_.state.win.Rs232LanDlg) d->SetNetMask(w_.ZEPH350_d1.NETMASK());
}

void ConnectionController::Timer1Timer()
{
    TZEPH350_d& z = w_.ZEPH350_d1;
    if (!recognisedModel(z.DEV())) {
        z.RS232busy = true;
        setBold(w_.connection, !w_.connection->font().bold());
        if (auto* about = w_.state.win.About_zeph_350) about->ShowPicture(w_.state.aboutPicture);
        w_.state.aboutPicture = (w_.state.aboutPicture + 1) % TAbout_zeph_350::PictureCount;
    }
    if (z.IFRZ()) clignotantfreeze();
    if (z.OBLK()) {
        QToolButton* black = w_.Label__black;
        const QSignalBlocker block(black);
        if (!black->font().bold()) {
            setBold(black, true);
            black->setChecked(false);
        } else {
            setBold(black, false);
            black->setChecked(true);
        }
    }
    if (z.LSTORE()) {
        if (auto* st = w_.state.win.status) st->StepGauge();
        ++w_.state.storeTicks;
    }
    if (z.LSTATUS() == 3) {
        w_.StaticText1->setText(z.LSTYLE() != 0 ? QStringLiteral("Logo format mismatch output format")
                                                : QStringLiteral("Frame format mismatch output format"));
        w_.StaticText1->setVisible(!w_.StaticText1->isVisibleTo(w_.StaticText1->parentWidget()));
    } else {
        w_.StaticText1->setVisible(false);
    }
}

void ConnectionController::clignotantfreeze()
{
    QPushButton* b = w_.BitBtn_freeze;
    QFont f = b->font();
    if (buttonTextColour(b) == classic::Red) {
        f.setBold(true);
        f.setItalic(false);
        setButtonTextColour(b, classic::WindowText);
    } else {
        f.setBold(false);
        f.setItalic(true);
        setButtonTextColour(b, classic::Red);
    }
    b->setFont(f);
}

void ConnectionController::ZEPH350_d1IFRZchange(TZEPH350_d*, int)
{
    if (w_.ZEPH350_d1.IFRZ()) {
        if (!w_.Timer1->isActive()) w_.Timer1->start();  // enabling a running timer changes nothing
        return;
    }
    QPushButton* b = w_.BitBtn_freeze;
    QFont f = b->font();
    f.setBold(false);
    f.setItalic(false);
    b->setFont(f);
    setButtonTextColour(b, classic::WindowText);
}

void ConnectionController::ZEPH350_d1OBLKchange(TZEPH350_d*, int)
{
    QToolButton* black = w_.Label__black;
    const QSignalBlocker block(black);
    if (w_.ZEPH350_d1.OBLK()) {
        if (!w_.Timer1->isActive()) w_.Timer1->start();  // enabling a running timer changes nothing
        setBold(black, true);
        black->setCheckable(true);  // in its group: it can stay down
    } else {
        black->setChecked(false);
        setBold(black, false);
        black->setCheckable(false);
    }
}

void ConnectionController::BitBtn_freezeClick()
{
    w_.ZEPH350_d1.SetIFRZ(!w_.ZEPH350_d1.IFRZ());
}

void ConnectionController::Button_oblkClick()
{
    // The click itself must not leave the button down: the device's report
    // decides how it looks.
    QToolButton* black = w_.Label__black;
    {
        const QSignalBlocker block(black);
        if (black->isCheckable()) black->setChecked(!black->isChecked());
    }
    w_.ZEPH350_d1.SetOBLK(!w_.ZEPH350_d1.OBLK());
}

void ConnectionController::connectionMouseMove()
{
    w_.state.Mouse_over_connection = true;
}

void ConnectionController::connectionMouseLeave()
{
    w_.state.Mouse_over_connection = false;
}

void ConnectionController::dbg()
{
    if (!w_.state.Mouse_over_connection) return;
    // An open console, behind other windows, comes to the front.
    if (auto* console = w_.state.win.Form_debug) {
        console->show();
        console->raise();
        console->activateWindow();
    }
}

bool ConnectionController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == w_.connection) {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) connectionMouseMove();
        else if (event->type() == QEvent::Leave) connectionMouseLeave();
    }
    return QObject::eventFilter(watched, event);
}
