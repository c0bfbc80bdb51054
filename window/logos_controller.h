#pragma once
// The logos family: the "Logo && Frame" page (use, record frame, record
// logo, erase), the logo assignment rows of the top panel, and the logo
// store sequence with its progress window and store-timing file.
//
// The device's LMODE drives the page: the operator's tab, erase button and
// page changes only write LMODE, and every report of it lays the page out.

#include "families.h"
#include "regctl/register_control.h"
#include "speed_buttons.h"
#include "tab_control.h"
#include "zeph350_d.h"

#include <QList>
#include <QStringList>
#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class RadioGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QWidget;
class ScrollBarEx;
class TZEPH350_main;

class LogosController : public FamilyController {
public:
    explicit LogosController(TZEPH350_main& w);
    ~LogosController() override;

    // The "Mouse" item of the logo tab control's popup, and the mouse
    // button: shows the logo position window.
    void Logo_by_mouse();
    // Attaches FormCreate's popup to TabControl_logo; `mouse` is its item
    // "Mouse".
    void attachPopup(QMenu* popup, QAction* mouse);

    // --- operator ---------------------------------------------------------
    void TabControl_logoChange(QObject* Sender);
    void SpeedButton_erase_modeClick(QObject* Sender);
    // The page control leaves the "Logo && Frame" page.
    void PageControl1Changing(QObject* Sender, bool& AllowChange);
    void new_SpeedButton_storeClick(QObject* Sender);
    void ComboBox_lstoreClick(QObject* Sender);
    void ComboBox_lstoreCloseUp(QObject* Sender);
    void new_CombologoChange(QObject* Sender);
    void Combologo_Enter_lind(QObject* Sender);
    // The ON/OFF button of an input's logo display.
    void BitBtn_Input_Click(QObject* Sender);
    // The register rows of the page share three handler forms; each row of
    // the table names its handlers ("ScrollBar_hpos_logoScroll",
    // "Edit_hpos_logo_KeyPress", "ZEPH350_d1LHPOSchange").
    void Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos);
    void KeyPress(int reg, QObject* Sender, QChar& Key);
    void Change(int reg);
    void ScrollBar_Frame_Fade_durationScroll(QObject* Sender, int ScrollCode, int& ScrollPos);
    void ScrollBar_Logo_Fade_durationScroll(QObject* Sender, int ScrollCode, int& ScrollPos);
    void Edit_Frame_Fade_durationKeyPress(QObject* Sender, QChar& Key);
    void Edit_Logo_Fade_durationKeyPress(QObject* Sender, QChar& Key);
    void Edit_Logo_Fade_durationClick(QObject* Sender);
    void BitBtn_close_frame_fade_durationClick(QObject* Sender);

    // --- device reports -----------------------------------------------------
    void ZEPH350_d1LMODEchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LSTOREchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LEMPTYchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LPIXEL_LLINE_SIZchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LSTATUSchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LOFMTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LINDEXchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LPLOGOchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LDYSPLAYchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LFRAMEDURchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LLOGODURchange(TZEPH350_d* Sender, int nroZeph);
    // The link went or came back: a store the device can no longer report
    // the end of is given up.
    void ZEPH350_d1Connected(TZEPH350_d* Sender, int nroZeph);

    // --- routines -------------------------------------------------------------
    // Enables placing the logo with the mouse when the mode allows it.
    void cacheropenclose_cadrelogo();
    // Colours the logo lists: the input on the output, its layer LINDEX.
    void logo_light_ichm_lindex();
    // The expected store duration in seconds, from the store-timing file.
    int calcul_temps();
    static QString Conv_fade_frame_en_seconde(uint32_t value);
    static QString Conv_fade_logo_en_seconde(uint32_t value);

    // Slot flagged empty by the device (1 to 9).
    bool slotEmpty(int slot) const { return slot >= 1 && slot <= 9 && emptyFlags_[size_t(slot)]; }
    // A store reported started since the link came up, not yet ended.
    bool storeRunning() const { return storeRunning_; }
    RegisterControl* control(int reg) const { return rows_.find(reg); }

    // --- controls ---------------------------------------------------------------
    QWidget* Panel2 = nullptr;  // the strip with the tabs and the erase button
    TabControl* TabControl_logo = nullptr;
    QToolButton* SpeedButton_erase_mode = nullptr;
    QWidget* new_Panel1 = nullptr;                  // the assignment rows below the input buttons
    QLabel* new_Label_nmbr_logos = nullptr;
    std::array<QComboBox*, 8> new_Combologo{};      // logo layer 0 per input
    std::array<QComboBox*, 8> LINDEX2_Combologo{};  // logo layer 1 per input
    QWidget* Panel1 = nullptr;                      // the strip with the store button
    QToolButton* new_SpeedButton_store = nullptr;
    QComboBox* ComboBox_lstore = nullptr;           // the slot a logo is stored in or erased
    QToolButton* BitBtn_mouse_menuitem_cadrelogo = nullptr;
    QFrame* Bevel_bar_recording_separation = nullptr;
    QFrame* new_Bevel10 = nullptr;
    QFrame* new_Bevel2 = nullptr;
    QLabel* Label_output_format_logo = nullptr;
    QLabel* Label_outformat_logo = nullptr;
    ScrollBarEx* ScrollBar_Frame_Fade_duration = nullptr;
    QLineEdit* Edit_Frame_Fade_duration = nullptr;
    ScrollBarEx* ScrollBar_Logo_Fade_duration = nullptr;
    QLineEdit* Edit_Logo_Fade_duration = nullptr;
    // The floating frame-fade panel that the effects family shows and hides.
    QFrame* Panel_fade_frame_duration = nullptr;
    ScrollBarEx* ScrollBar_frame2_fade_duration = nullptr;
    QLineEdit* Edit_Frame2_Fade_duration = nullptr;
    // "Auto frame" (item 0 "On", item 1 "Off"): the mode shows it, the
    // effects family follows it.
    RadioGroup* RadioGroup_auto_frame = nullptr;

    // The groups the mode shows and hides: U use position, R capture
    // position and size, K luma key, B background, P frame-capture picture,
    // F fades.
    enum Group { U, R, K, B, P, F, GroupCount };
    const QList<QWidget*>& group(Group g) const { return groups_[g]; }
    // The design names of the groups' controls and of the picture twins
    // this page places: the page finds them by these names.
    static QStringList groupNames();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage();
    void buildAssignmentPanel();
    void buildDisplayButtons();
    void buildRegisters();
    void buildFades();
    void buildFloatingPanel();
    void buildAutoFrame();
    void collectGroups();
    void bindEvents();
    void showGroup(Group g, bool shown);
    // Hides every group and disables the assignment (the mode's layout
    // starts from here).
    void resetPage();
    void setStoreButton(bool storing);
    // Closes the store list's drop-down and hides the list.
    void closeStoreList();
    // The two erase items ("ALL erase" and the frame) in front of the store
    // list, removed only while they are there.
    bool hasEraseItems() const;
    void dropEraseItems();
    // Sets the texts of slot `slot` from its empty flag.
    void showSlot(int slot, bool empty);
    QList<QComboBox*> logoLists() const;
    // The input on the output (1 to 8) has a logo (slot 2 or above) on layer
    // LINDEX.
    bool outputInputHasLogo() const;
    // Ends the store display: the window closed, the button back up.
    void endStoreDisplay();

    TZEPH350_main& w_;
    QMenu* popup_ = nullptr;
    QAction* mouseItem_ = nullptr;
    RegisterRows rows_;
    // The erase button (two states) and the store button (down while
    // storing).
    static constexpr int EraseGroup = 52, StoreGroup = 51;
    SpeedButtons buttons_;
    std::array<QList<QWidget*>, GroupCount> groups_;
    std::array<bool, 10> emptyFlags_{};  // slots 1 to 9
    QPointer<QWidget> pageInView_;      // the page the page control shows
    bool storeRunning_ = false;
};
