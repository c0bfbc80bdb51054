#pragma once
// The effects family: the effect buttons above the pages and the "Effects"
// page (fade duration, title shadow, titles), with two pieces that share
// the device and the window state:
// - TransitionController (transition_controller.h): the transition type,
//   its label, popups and menu items, and the fade colour;
// - MenuSwitchesController (menu_switches.h): the remaining switches of the
//   "&Controls" and "&About" menus.

#include "families.h"
#include "menu_switches.h"
#include "regctl/register_control.h"
#include "speed_buttons.h"
#include "transition_controller.h"

#include <memory>

class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;
class TGfxShapeControl;
class TZEPH350_main;

class EffectsController : public FamilyController {
public:
    explicit EffectsController(TZEPH350_main& w);
    ~EffectsController() override;

    TransitionController& transition() { return *transition_; }
    MenuSwitchesController& switches() { return *switches_; }

    // --- effect buttons (shown by the model layout on the models that have
    // effects) -----------------------------------------------------------
    QLabel* StaticText_effect = nullptr;  // "Effect"
    TGfxShapeControl* GfxShapeControl_effects = nullptr;
    QToolButton* SpeedButton_cut = nullptr;
    QToolButton* SpeedButton_fade = nullptr;
    QToolButton* SpeedButton_title = nullptr;
    QToolButton* SpeedButton_take = nullptr;  // hidden
    // CUT, FADE and TITLE in group 444 with all-up allowed; "Take" alone.
    SpeedButtons effectButtons;

    // --- the "Effects" page ----------------------------------------------
    QGroupBox* GroupBox_Shadow_title = nullptr;
    QRadioButton* RadioButton_off = nullptr;
    QRadioButton* RadioButton_on = nullptr;

    RegisterControl* control(int reg) const;

    // --- handlers --------------------------------------------------------
    void ZEPH350_d1EFFAVchange(TZEPH350_d* Sender, int nroZeph);
    void SpeedButton_cutClick(QObject* Sender);
    void SpeedButton_fadeClick(QObject* Sender);
    void SpeedButton_titleClick(QObject* Sender);
    void ZEPH350_d1EFFOUTchange(TZEPH350_d* Sender, int nroZeph);
    // The fade duration and the shadow bars: one table row each.
    void Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos);
    void KeyPress(int reg, QObject* Sender, QChar& Key);
    void Change(int reg);
    void Edit_FDURClick(QObject* Sender);
    void RadioButton_offMouseUp(QObject* Sender);
    void RadioButton_onMouseUp(QObject* Sender);
    void ZEPH350_d1SHACTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1TITAchange(TZEPH350_d* Sender, int nroZeph);
    // Shows the title's reference input pressed beside the input on the
    // output; the input handlers run it too.
    void strike_radiogroupe();

private:
    void buildEffectButtons();
    void buildPage();
    void bindEvents();

    TZEPH350_main& w_;
    std::unique_ptr<TransitionController> transition_;
    std::unique_ptr<MenuSwitchesController> switches_;
    RegisterRows controls_;
    QLabel* Label_fade_duration = nullptr;
    QLabel* Label_title_vertical_position = nullptr;
    QLabel* Label_title_vertical_size = nullptr;
};
