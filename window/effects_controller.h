#pragma once
// The effects family: the effect buttons above the pages, the "Effects"
// page (fade duration, title shadow, titles), the transition types and the
// remaining switches of the menus.

#include "families.h"
#include "menu_checks.h"
#include "regctl/register_control.h"
#include "speed_buttons.h"

#include <array>
#include <memory>
#include <vector>

class RadioGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QToolButton;
class TGfxDrawEdge;
class TGfxGraphicLabel;
class TGfxShapeControl;
class TZEPH350_main;

class EffectsController : public FamilyController {
public:
    explicit EffectsController(TZEPH350_main& w);
    ~EffectsController() override;

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

    // --- transition type -------------------------------------------------
    TGfxDrawEdge* GfxDrawEdge1 = nullptr;
    TGfxGraphicLabel* GfxGraphicLabel1 = nullptr;
    QPushButton* BitBtn_effect_color_frame_cleancut = nullptr;
    QMenu* PopupMenu_Color_Frame_Cleancut = nullptr;  // "Color", "Frame", "Clean Cut" >
    QMenu* PopupMenu_clean_cut = nullptr;
    // The clean-cut items (from a computer, a video, any source) of the
    // "Cl&ean Cut" menu, of the colour/frame popup and of the clean-cut
    // popup.
    std::array<QAction*, 3> menuCleanCut{};
    std::array<QAction*, 3> popupCleanCut{};
    std::array<QAction*, 3> cleanCutPopup{};
    // The last clean-cut kind chosen (2, 3 or 4).
    uint32_t cleanCutStyle() const { return cleanCutStyle_; }

    // --- the "Effects" page ----------------------------------------------
    QGroupBox* GroupBox_Shadow_title = nullptr;
    QRadioButton* RadioButton_off = nullptr;
    QRadioButton* RadioButton_on = nullptr;
    // "Auto frame" on the "Logo && Frame" page: item 0 "On", item 1 "Off".
    RadioGroup* RadioGroup_auto_frame = nullptr;

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

    void FadeColor_et_FrameClick(QObject* Sender);
    void GfxGraphicLabel1MouseDown(QObject* Sender);
    void GfxGraphicLabel1MouseUp(QObject* Sender);
    void ZEPH350_d1LFADEchange(TZEPH350_d* Sender, int nroZeph);
    void color_fade_CleanCut_Click(QObject* Sender, int Tag);
    void From_ComputerClick(QObject* Sender);
    void From_VideoClick(QObject* Sender);
    void From_ALLClick(QObject* Sender);
    void BitBtn_effect_color_frame_cleancutClick(QObject* Sender);
    // The fade colour of the label, from BFCR, BFCG and BFCB.
    void colorbackground();
    void ZEPH350_d1BFCRchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1BFCGchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1BFCBchange(TZEPH350_d* Sender, int nroZeph);

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
    void buildEffectButtons();
    void buildTransition();
    void buildPage();
    void buildAutoFrame();
    void connectMenus();
    void bindEvents();
    void writeCleanCut(uint32_t kind);
    void setFadeItemsUnchecked();
    void popupAtMouse(QMenu* menu);

    TZEPH350_main& w_;
    MenuChecks checks_;
    RegisterRows controls_;
    QLabel* Label_fade_duration = nullptr;
    QLabel* Label_title_vertical_position = nullptr;
    QLabel* Label_title_vertical_size = nullptr;
    QAction* Color1 = nullptr;
    QAction* Frame1 = nullptr;
    QAction* CleanCut1 = nullptr;
    uint32_t cleanCutStyle_ = 2;
};
