#pragma once
// The effects family's menu switches: 2:2 pull-down, auto frame (the menu
// items and the group on the "Logo && Frame" page), the automatic lock
// without input signal, key locking, erasing the memories, the default
// values, and the "&About" menu's two windows.

#include "families.h"
#include "menu_checks.h"

class RadioGroup;
class TZEPH350_main;

class MenuSwitchesController : public FamilyController {
public:
    explicit MenuSwitchesController(TZEPH350_main& w);
    ~MenuSwitchesController() override;

    // "Auto frame" on the "Logo && Frame" page: item 0 "On", item 1 "Off".
    RadioGroup* RadioGroup_auto_frame = nullptr;

    void activated1Click(QObject* Sender);
    void dsactivated1Click(QObject* Sender);
    void ZEPH350_d1EPDchange(TZEPH350_d* Sender, int nroZeph);
    void autoframeClick(QObject* Sender);
    // The operator chose item ItemIndex of the group.
    void RadioGroup_auto_frameClick(QObject* Sender, int ItemIndex);
    void ZEPH350_d1AUTOFRAMEchange(TZEPH350_d* Sender, int nroZeph);
    void menuitem_OnClick(QObject* Sender);
    void menuitem_OffClick(QObject* Sender);
    void ZEPH350_d1EISPchange(TZEPH350_d* Sender, int nroZeph);
    void Menus1Click(QObject* Sender);
    void Input9Click(QObject* Sender);
    void AllLock1Click(QObject* Sender);
    void ZEPH350_d1LOCKchange(TZEPH350_d* Sender, int nroZeph);
    void Eraseallmemories1Click(QObject* Sender);
    void Defaultvalues1Click(QObject* Sender);
    void HD15PinOut1Click(QObject* Sender);
    void AboutZEPHLOGOClick(QObject* Sender);

private:
    void buildAutoFrame();
    void connectMenus();

    TZEPH350_main& w_;
    MenuChecks checks_;
};
