#pragma once
// The connection family: the port and LAN items, the link status display,
// the LAN status values, the status timer, the freeze and blanking toggles
// and the debug hot key's handler.

#include "families.h"

#include <QString>

#include <cstdint>

class TZEPH350_d;
class TZEPH350_main;

class ConnectionController : public FamilyController {
public:
    explicit ConnectionController(TZEPH350_main& w);

    // Port item n (1 to 10). `Sender` is the menu item for an operator's
    // click, the window for a call from the program.
    void COMClick(int n, QObject* Sender);
    void com1Click(QObject* s) { COMClick(1, s); }
    void COM2Click(QObject* s) { COMClick(2, s); }
    void COM3Click(QObject* s) { COMClick(3, s); }
    void COM4Click(QObject* s) { COMClick(4, s); }
    void COM5Click(QObject* s) { COMClick(5, s); }
    void COM6Click(QObject* s) { COMClick(6, s); }
    void COM7Click(QObject* s) { COMClick(7, s); }
    void COM8Click(QObject* s) { COMClick(8, s); }
    void COM9Click(QObject* s) { COMClick(9, s); }
    void COM10Click(QObject* s) { COMClick(10, s); }
    // The device's name of port n: "COM1" ... "COM9", "\\.\COM10".
    static QString portName(int n);

    void gamme_zeph_refresh_quelb_s_plug_and_play();
    void Refresh_selection_port() {}
    void MIPConfigClick();
    void MLanSetupClick();

    // Checks one item of the port and LAN radio group (nullptr: none).
    void checkLinkItem(QObject* item);

    void ZEPH350_d1Connected(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1Ready(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1DEVchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1RS232busy(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LOCAL_IPchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REMOTE_IPchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1GATEWAY_IPchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LOCAL_PORTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REMOTE_PORTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1NETMASKchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IFRZchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1OBLKchange(TZEPH350_d* Sender, int nroZeph);

    void Timer1Timer();
    void clignotantfreeze();
    void BitBtn_freezeClick();
    void Button_oblkClick();

    void connectionMouseMove();
    void connectionMouseLeave();
    void dbg();

    // DEV 18, 21 to 26: a device that answers.
    static bool recognisedModel(uint32_t dev);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindDevice();

    TZEPH350_main& w_;
    QObject* checkedLinkItem_ = nullptr;  // the item the handlers checked last
};
