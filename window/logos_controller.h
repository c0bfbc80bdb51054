#pragma once
// The logos family: the "Logo && Frame" page, in three pieces that share
// the device and the window state:
// - this controller: the mode switching (tabs, erase button, leaving the
//   page) and the store sequence (store list, progress window, store-timing
//   file, empty slots), and the mouse placement of the logo;
// - LogoAssignmentController (logo_assignment.h): the per-input assignment
//   lists and display buttons below the input buttons;
// - LogoRegistersController (logo_registers.h): the position, size, key,
//   background and fade rows.
//
// The device's LMODE drives the page: the operator's tab, erase button and
// page changes only write LMODE, and every report of it lays the page out.

#include "families.h"
#include "logo_assignment.h"
#include "logo_registers.h"
#include "speed_buttons.h"
#include "tab_control.h"
#include "zeph350_d.h"

#include <QList>
#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;
class RadioGroup;
class TZEPH350_main;

class LogosController : public FamilyController {
public:
    explicit LogosController(TZEPH350_main& w);
    ~LogosController() override;

    LogoAssignmentController& assignment() { return *assignment_; }
    const LogoAssignmentController& assignment() const { return *assignment_; }
    LogoRegistersController& registers() { return *registers_; }

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

    // --- device reports -----------------------------------------------------
    void ZEPH350_d1LMODEchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LSTOREchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LEMPTYchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LPIXEL_LLINE_SIZchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LSTATUSchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LOFMTchange(TZEPH350_d* Sender, int nroZeph);
    // The link went or came back: a store the device can no longer report
    // the end of is given up.
    void ZEPH350_d1Connected(TZEPH350_d* Sender, int nroZeph);

    // --- routines -------------------------------------------------------------
    // Enables placing the logo with the mouse when the mode allows it; the
    // inputs family runs it too.
    void cacheropenclose_cadrelogo();
    // The expected store duration in seconds, from the store-timing file.
    int calcul_temps();

    // Slot flagged empty by the device (1 to 9).
    bool slotEmpty(int slot) const { return slot >= 1 && slot <= 9 && emptyFlags_[size_t(slot)]; }
    // A store reported started since the link came up, not yet ended.
    bool storeRunning() const { return storeRunning_; }

    // --- controls ---------------------------------------------------------------
    QWidget* Panel2 = nullptr;  // the strip with the tabs and the erase button
    TabControl* TabControl_logo = nullptr;
    QToolButton* SpeedButton_erase_mode = nullptr;
    QWidget* Panel1 = nullptr;                      // the strip with the store button
    QToolButton* new_SpeedButton_store = nullptr;
    QComboBox* ComboBox_lstore = nullptr;           // the slot a logo is stored in or erased
    QToolButton* BitBtn_mouse_menuitem_cadrelogo = nullptr;
    QFrame* Bevel_bar_recording_separation = nullptr;
    QFrame* new_Bevel10 = nullptr;
    QFrame* new_Bevel2 = nullptr;
    QLabel* Label_output_format_logo = nullptr;
    QLabel* Label_outformat_logo = nullptr;
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

private:
    void buildPage();
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
    // Ends the store display: the window closed, the button back up.
    void endStoreDisplay();

    TZEPH350_main& w_;
    std::unique_ptr<LogoAssignmentController> assignment_;
    std::unique_ptr<LogoRegistersController> registers_;
    QMenu* popup_ = nullptr;
    QAction* mouseItem_ = nullptr;
    // The erase button (two states) and the store button (down while
    // storing).
    static constexpr int EraseGroup = 52, StoreGroup = 51;
    SpeedButtons buttons_;
    std::array<QList<QWidget*>, GroupCount> groups_;
    std::array<bool, 10> emptyFlags_{};  // slots 1 to 9
    QPointer<QWidget> pageInView_;      // the page the page control shows
    bool storeRunning_ = false;
};
