#include "standby_controller.h"

#include "regctl/scroll_bar.h"
#include "standby_dialog.h"
#include "zeph350_main.h"

#include <QAction>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The sequencer sends bytes 0 to 127 only.
bool sendable(uint8_t byte)
{
    return byte < 128;
}

// MESSCTRL bits: sending the ON or the OFF message, recording them.
constexpr uint32_t SendingOn = 1, SendingOff = 2, RecordingOn = 4, RecordingOff = 8;

}  // namespace

StandbyController::StandbyController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Standby), w_(w)
{
    buildPanel();
    connectMenus();
    ZEPH_ON(OnSTDBYchange, StandbyController, ZEPH350_d1STDBYchange);
    ZEPH_ON(OnSTDBYENchange, StandbyController, ZEPH350_d1STDBYENchange);
    ZEPH_ON(OnMESSRATEchange, StandbyController, ZEPH350_d1MESSRATEchange);
    ZEPH_ON(OnMESSCTRLchange, StandbyController, ZEPH350_d1MESSCTRLchange);
    ZEPH_ON(OnMESSONchange, StandbyController, ZEPH350_d1MESSONchange);
    ZEPH_ON(OnMESSOFFchange, StandbyController, ZEPH350_d1MESSOFFchange);
}

void StandbyController::buildPanel()
{
    Panel_panelstby = new QFrame(w_.centralWidget());
    Panel_panelstby->setObjectName(QStringLiteral("Panel_panelstby"));
    Panel_panelstby->setFrameShape(QFrame::Panel);
    Panel_panelstby->setFrameShadow(QFrame::Raised);
    Panel_panelstby->setAutoFillBackground(true);
    Label_delay = new QLabel(QStringLiteral("Off"), Panel_panelstby);
    Label_delay->setObjectName(QStringLiteral("Label_delay"));
    Label_delay->setAlignment(Qt::AlignCenter);
    QFont bold = Label_delay->font();
    bold.setBold(true);
    Label_delay->setFont(bold);
    GfxScrollBar_delay = new ScrollBarEx(Qt::Horizontal, Panel_panelstby);
    GfxScrollBar_delay->setObjectName(QStringLiteral("GfxScrollBar_delay"));
    GfxScrollBar_delay->setRange(0, 255);
    GfxScrollBar_delay->setFixedHeight(17);
    BitBtn3 = new QPushButton(QStringLiteral("OK"), Panel_panelstby);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    auto* box = new QVBoxLayout(Panel_panelstby);
    box->addWidget(Label_delay);
    box->addWidget(GfxScrollBar_delay);
    box->addWidget(BitBtn3, 0, Qt::AlignHCenter);
    Panel_panelstby->setFixedSize(200, 90);
    Panel_panelstby->hide();
    connect(GfxScrollBar_delay, &ScrollBarEx::scrolled, this, [this](int code, int pos) {
        GfxScrollBar_delayScroll(GfxScrollBar_delay, code, pos);
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(BitBtn3); });
}

void StandbyController::connectMenus()
{
    const TZEPH350_main::MenuItems& m = w_.menu;
    auto follow = [this](QAction* item, void (StandbyController::*handler)(QObject*)) {
        checks_.onTrigger(item, this, [this, item, handler] { (this->*handler)(item); });
    };
    auto plain = [this](QAction* item, void (StandbyController::*handler)(QObject*)) {
        connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
    };
    follow(m.On_stdby, &StandbyController::On_stdbyClick);
    follow(m.Off_stdby, &StandbyController::Off_stdbyClick);
    for (QAction* rate : {m.N19200bauds1, m.N9600bauds1, m.N2400bauds1, m.N1200bauds1})
        follow(rate, &StandbyController::Nbauds1Click);
    plain(m.DelayStandby1, &StandbyController::DelayStandby1Click);
    plain(m.MessageON1, &StandbyController::Entercodetostandbyprojector1Click);
    plain(m.MessageOFF1, &StandbyController::Entercodetostandbyprojector1Click);
}

// --- stand-by, delay, baud rate --------------------------------------------

void StandbyController::On_stdbyClick(QObject*)
{
    dev_.SetSTDBY(true);
}

void StandbyController::Off_stdbyClick(QObject*)
{
    dev_.SetSTDBY(false);
}

void StandbyController::ZEPH350_d1STDBYchange(TZEPH350_d*, int)
{
    checks_.set(dev_.STDBY() ? w_.menu.On_stdby : w_.menu.Off_stdby, true);
}

void StandbyController::DelayStandby1Click(QObject*)
{
    // At the mouse, kept inside the window.
    QWidget* area = w_.centralWidget();
    QPoint at = area->mapFromGlobal(QCursor::pos());
    at.setX(std::clamp(at.x(), 0, std::max(0, area->width() - Panel_panelstby->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, area->height() - Panel_panelstby->height())));
    Panel_panelstby->move(at);
    Panel_panelstby->show();
    Panel_panelstby->raise();
}

void StandbyController::GfxScrollBar_delayScroll(QObject* Sender, int ScrollCode, int& ScrollPos)
{
    const int hours = ScrollPos / 60, minutes = ScrollPos % 60;
    Label_delay->setText(hours == 0 && minutes == 0
                             ? QStringLiteral("Off")
                             : QStringLiteral("%1h : %2min").arg(hours).arg(minutes));
    const bool end = ScrollCode == ScrollBarEx::EndScroll;
    // The operator's bar carries the drag mark until the end of the action.
    if (Sender == GfxScrollBar_delay) GfxScrollBar_delay->Tag = end ? 0 : 1;
    if (end) dev_.SetSTDBYEN(uint32_t(ScrollPos));
}

void StandbyController::BitBtn3Click(QObject*)
{
    Panel_panelstby->hide();
}

void StandbyController::ZEPH350_d1STDBYENchange(TZEPH350_d*, int)
{
    const uint32_t delay = dev_.STDBYEN();
    int pos = int(std::min<uint32_t>(delay, uint32_t(INT32_MAX)));
    GfxScrollBar_delayScroll(&w_, ScrollBarEx::ThumbPosition, pos);
    // The bar follows the device too, unless the operator is moving it: a
    // stale thumb would write a wrong delay on the next arrow click.
    if (GfxScrollBar_delay->Tag != 0) return;
    const QSignalBlocker block(GfxScrollBar_delay);
    GfxScrollBar_delay->setValue(std::clamp(pos, GfxScrollBar_delay->minimum(), GfxScrollBar_delay->maximum()));
}

void StandbyController::Nbauds1Click(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender)) dev_.SetMESSRATE(uint32_t(item->data().toInt()));
}

void StandbyController::ZEPH350_d1MESSRATEchange(TZEPH350_d*, int)
{
    // By MESSRATE code.
    const TZEPH350_main::MenuItems& m = w_.menu;
    QAction* const items[4] = {m.N9600bauds1, m.N2400bauds1, m.N1200bauds1, m.N19200bauds1};
    const uint32_t rate = dev_.MESSRATE();
    if (rate < 4) checks_.set(items[rate], true);
}

// --- the message ------------------------------------------------------------

void StandbyController::Entercodetostandbyprojector1Click(QObject* Sender)
{
    auto* item = qobject_cast<QAction*>(Sender);
    w_.state.standby.Standby_message_on = item && item->data().toInt() == 1;
    auto* dialog = w_.state.win.Form_register_code_standby_projector;
    if (!dialog) return;
    // Each show starts a new recording; so does the other message chosen
    // while the dialog is open.
    if (dialog->isVisible())
        dialog->FormShow();
    else
        dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void StandbyController::Sequenceur_Envoie_MESSO()
{
    StandbyMessageState& s = w_.state.standby;
    const bool on = s.Standby_message_on;
    const auto& code = s.current();
    auto send = [&](uint8_t byte) {
        if (on)
            dev_.SetMESSON(byte);
        else
            dev_.SetMESSOFF(byte);
        last_ = byte;
    };
    switch (s.Sequencer_state) {
    case 1:
        index_ = 0;
        if ((dev_.MESSCTRL() & (on ? SendingOn : SendingOff)) && sendable(code[0])) {
            send(code[0]);
            index_ = 1;
            s.Sequencer_state = 2;
        }
        break;
    case 2: {
        const uint32_t echoed = on ? dev_.MESSON() : dev_.MESSOFF();
        if (uint32_t(last_) == echoed && index_ < s.Standby_code_count && index_ >= 0 &&
            index_ < StandbyMessageState::BufferSize && sendable(code[size_t(index_)])) {
            send(code[size_t(index_)]);
            ++index_;
        }
        if (index_ > s.Standby_code_count) s.Sequencer_state = 0;
        break;
    }
    default: break;
    }
}

void StandbyController::ZEPH350_d1MESSCTRLchange(TZEPH350_d*, int)
{
    Sequenceur_Envoie_MESSO();
}

void StandbyController::recordReported(uint32_t recordBit, uint32_t value)
{
    if (!(dev_.MESSCTRL() & recordBit)) return;
    // Recording lasts while the dialog is open: the device stays in
    // recording mode after Cancel, and a query of all registers would
    // otherwise record (and at the limit beep) into the closed dialog.
    auto* dialog = w_.state.win.Form_register_code_standby_projector;
    if (!dialog || !dialog->isVisible()) return;
    const auto byte = uint8_t(value & 0xFF);
    QChar key(byte);
    dialog->Memo_register_code_standby_projectorKeyPress(&w_, key);
    // Only what was recorded shows: a byte refused at the limit leaves the
    // memo as it is.
    if (!key.isNull()) dialog->appendToMemo(byte);
}

void StandbyController::ZEPH350_d1MESSONchange(TZEPH350_d*, int)
{
    Sequenceur_Envoie_MESSO();
    recordReported(RecordingOn, dev_.MESSON());
}

void StandbyController::ZEPH350_d1MESSOFFchange(TZEPH350_d*, int)
{
    Sequenceur_Envoie_MESSO();
    recordReported(RecordingOff, dev_.MESSOFF());
}
