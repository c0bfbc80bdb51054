#pragma once
// The stand-by family: projector stand-by on and off, its delay, the
// projector link's baud rate, the stand-by message dialog's menu items, and
// the sequencer that sends a recorded message to the device one byte at a
// time, each byte after the device has echoed the one before.

#include "families.h"
#include "menu_checks.h"

#include <cstdint>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class ScrollBarEx;
class TZEPH350_main;

class StandbyController : public FamilyController {
public:
    explicit StandbyController(TZEPH350_main& w);

    // The floating "Stand by Timer" panel: the delay in hours and minutes,
    // its bar (0 to 255 minutes) and OK.
    QFrame* Panel_panelstby = nullptr;
    QLabel* Label_delay = nullptr;
    ScrollBarEx* GfxScrollBar_delay = nullptr;
    QPushButton* BitBtn3 = nullptr;

    // The sequencer's position: the next byte to send and the last byte sent.
    int32_t sequencerIndex() const { return index_; }

    // --- handlers --------------------------------------------------------
    void On_stdbyClick(QObject* Sender);
    void Off_stdbyClick(QObject* Sender);
    void ZEPH350_d1STDBYchange(TZEPH350_d* Sender, int nroZeph);
    void DelayStandby1Click(QObject* Sender);
    void GfxScrollBar_delayScroll(QObject* Sender, int ScrollCode, int& ScrollPos);
    void BitBtn3Click(QObject* Sender);
    void ZEPH350_d1STDBYENchange(TZEPH350_d* Sender, int nroZeph);
    void Nbauds1Click(QObject* Sender);
    void ZEPH350_d1MESSRATEchange(TZEPH350_d* Sender, int nroZeph);
    void Entercodetostandbyprojector1Click(QObject* Sender);
    void Sequenceur_Envoie_MESSO();
    void ZEPH350_d1MESSCTRLchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1MESSONchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1MESSOFFchange(TZEPH350_d* Sender, int nroZeph);

private:
    void buildPanel();
    void connectMenus();
    // A byte reported while the dialog records (MESSCTRL `recordBit`).
    void recordReported(uint32_t recordBit, uint32_t value);

    TZEPH350_main& w_;
    MenuChecks checks_;
    int32_t index_ = 0;
    int32_t last_ = 0;
};
