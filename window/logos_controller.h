#pragma once
// The logos family: the "Logo && Frame" page (use, record frame, record
// logo), the logo assignment rows of the top panel, and the logo store
// sequence.

#include "families.h"

#include <array>

class QComboBox;
class QMenu;
class QTabBar;
class QWidget;
class TZEPH350_main;

class LogosController : public FamilyController {
public:
    explicit LogosController(TZEPH350_main& w);

    // The "Mouse" item of the logo tab control's popup.
    void Logo_by_mouse();
    // Attaches FormCreate's popup to TabControl_logo.
    void attachPopup(QMenu* popup);

    QTabBar* TabControl_logo = nullptr;
    QWidget* new_Panel1 = nullptr;                   // the assignment rows below the input buttons
    std::array<QComboBox*, 8> new_Combologo{};       // logo slot 0 per input
    std::array<QComboBox*, 8> LINDEX2_Combologo{};   // logo slot 1 per input
    QComboBox* ComboBox_lstore = nullptr;            // the slot a logo is stored in

private:
    TZEPH350_main& w_;
    QMenu* popup_ = nullptr;
};
