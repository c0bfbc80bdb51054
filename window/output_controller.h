#pragma once
// The output family: output formats in both switching modes, sync, screen
// type, test pattern with its sliding panel, the picture registers of the
// output (scan, input aspect, smoothing), the versions and the device's
// option bits.

#include "families.h"
#include "regctl/register_control.h"

#include <QString>

#include <array>
#include <cstdint>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class RadioGroup;
class TAbout_zeph_350;
class TZEPH350_main;

class OutputController : public FamilyController {
public:
    explicit OutputController(TZEPH350_main& w);
    ~OutputController() override;

    // --- the format tables ---------------------------------------------------
    // OFMT takes 0 to 15. Master list position p selects OFMT MasterTable[p];
    // follow list position p selects FollowTable[p].
    static constexpr int FormatCount = 16;
    static const std::array<int, 16> MasterTable;
    static const std::array<int, 9> FollowTable;
    // The master list position of OFMT (a search of the master table), -1
    // for a value without an entry.
    static int Position_INDEX_master_par_rapport_OFMT(uint32_t OFMT);
    // The follow list position of OFMT, -1 for a value without an entry.
    static int followPosition(uint32_t OFMT);
    // The status names of OFMT in master and follow mode; empty for a value
    // without an entry.
    static QString masterName(uint32_t OFMT);
    static QString followName(uint32_t OFMT);

    // SEAMLESS is item 1 of the inputs family's switching-mode group
    // RadioGroup_fast_seam. While that group shows no mode, the mode the
    // device was last asked for: REFREQ 9 and above are the computer
    // references of SEAMLESS mode.
    bool seamless() const;

    // --- handlers -------------------------------------------------------------
    // Also run by the reference handlers of the inputs family.
    void ZEPH350_d1OFMTchange(TZEPH350_d* Sender, int nroZeph);
    void output_formatChange(int position);
    void output_format_followChange(int position);

    void RadioGroup_osynClick(int ItemIndex);
    void RadioGroup_typeofscreenClick(int ItemIndex);
    void RadioGroup_test_patternClick(int ItemIndex);
    void ZEPH350_d1OSYNCchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1OSCREENchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1OPATchange(TZEPH350_d* Sender, int nroZeph);

    // The test-pattern panel slides up into view and back to its parked
    // place, one 17-pixel step per tick of the window's one slide timer.
    enum SlideDirection { SlideUp = 1, SlideDown = 2 };
    // Up while the top is 137 or more (from 340: up to 136), down while it
    // is below 340.
    static constexpr int ParkedTop = 340;
    static constexpr int RisesWhileFrom = 137;
    static constexpr int SlideStep = 17;
    void PositionTaillemire1Click();
    void mire_glissade();
    void BitBtn2Click();
    QTimer* slideTimer() const { return slideTimer_; }
    int slideDirection() const { return slideDirection_; }

    // The four pattern bars (MHPOS, MHSIZ, MVPOS, MVSIZ): their handlers are
    // the register control's forms, named by the rows of the panel's table
    // ("ScrollBar_MHPOSScroll", "Edit_MHPOSKeyPress", "ZEPH350_d1MHPOSchange").
    RegisterControl* control(int reg) const { return pattern_.find(reg); }

    void ZEPH350_d1OVERchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IASPchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1HSMTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VSMTchange(TZEPH350_d* Sender, int nroZeph);
    void SpeedButton_H_smoothClick();
    void SpeedButton_V_smoothClick();

    // The device's versions, shown in the About box.
    void ZEPH350_d1VERIchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VERKchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VERSchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VERFchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VERVchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1VERUPDchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1OPTchange(TZEPH350_d* Sender, int nroZeph);

    // --- controls ---------------------------------------------------------------
    QComboBox* output_format_master = nullptr;  // FAST mode without a reference
    QComboBox* output_format_follow = nullptr;  // FAST mode following a reference
    QComboBox* ComboBox_out_seam = nullptr;     // SEAMLESS mode: read-only, its text set by the inputs family
    QLabel* Label_outformat = nullptr;
    QLabel* Label_outsync = nullptr;
    RadioGroup* RadioGroup_osyn = nullptr;
    RadioGroup* RadioGroup_typeofscreen = nullptr;
    RadioGroup* RadioGroup_test_pattern = nullptr;
    QPushButton* BitBtn_cadrage_pattern = nullptr;
    QMenu* PopupMenu_mireseamles = nullptr;  // "Position && Size" on the test-pattern group
    QAction* PositionTaillemire1 = nullptr;
    // The test-pattern panel: hidden at design, parked at top 340 by
    // FormCreate, slid into view by "Position && Size".
    QFrame* Panel_mire_en_seamless = nullptr;
    QPushButton* BitBtn2 = nullptr;  // "&Fermer"
    QToolButton* SpeedButton_H_smooth = nullptr;  // on the "Image" page
    QToolButton* SpeedButton_V_smooth = nullptr;

private:
    void buildFormats();
    void buildGroups();
    void buildPatternPanel();
    void buildSmoothing();
    void bindEvents();
    // Writes `prefix` and the value as four upper-case hexadecimal digits
    // into the About box's label `label` (nothing while the box does not
    // exist).
    void setVersion(QLabel* TAbout_zeph_350::*label, const char* prefix, uint32_t value);

    TZEPH350_main& w_;
    RegisterRows pattern_;
    QTimer* slideTimer_ = nullptr;
    int slideDirection_ = SlideUp;
};
