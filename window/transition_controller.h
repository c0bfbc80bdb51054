#pragma once
// The effects family's transition type: the label that shows it (and opens
// the colour dialog, the frame-fade panel or the clean-cut popup), the
// arrow beside it with its popup, the "&Transition" menu, and the fade
// colour the label is painted in.

#include "families.h"
#include "menu_checks.h"

#include <array>
#include <cstdint>

class QAction;
class QMenu;
class QPushButton;
class TGfxDrawEdge;
class TGfxGraphicLabel;
class TZEPH350_main;

class TransitionController : public FamilyController {
public:
    explicit TransitionController(TZEPH350_main& w);
    ~TransitionController() override;

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

private:
    void buildTransition();
    void connectMenus();
    void writeCleanCut(uint32_t kind);
    void setFadeItemsUnchecked();
    void popupAtMouse(QMenu* menu);

    TZEPH350_main& w_;
    MenuChecks checks_;
    QAction* Color1 = nullptr;
    QAction* Frame1 = nullptr;
    QAction* CleanCut1 = nullptr;
    uint32_t cleanCutStyle_ = 2;
};
