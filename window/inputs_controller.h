#pragma once
// The inputs family: the eight rows of the "Input" page (used, VCR, signal
// type, standard, impedance), the per-input caches and their display, the
// input buttons, the description of the input signal on the output (status
// boxes and the "Image" page's groups), the seamless-switching reference on
// the "Output" page and the hourglass while the device takes a switch.
//
// The methods live in three files: inputs_controller.cpp (rows, caches,
// input buttons), input_status.cpp (the signal description) and
// input_reference.cpp (the reference and switching mode).

#include "families.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TGfxRadioGroup;
class TZEPH350_main;

class InputsController : public FamilyController {
public:
    explicit InputsController(TZEPH350_main& w);
    ~InputsController() override;

    // The item lists are designed once, on input 1; FormCreate copies them
    // to inputs 2 to 8.
    void copyDesignedItems();
    // The logo rows' ON/OFF buttons go into the logo assignment panel,
    // which the logo family builds after this one.
    void buildLogoDisplayButtons(QWidget* panel);
    // Finds the "Image" page's register controls that the signal
    // description shows and hides, once the image family has built them.
    void attachImagePage();
    // Their design names.
    static QStringList imageControlNames();

    // --- per-input rows ------------------------------------------------------
    // Redraws one kind of per-input control (45 PENA, 46 PLOAD, 47 PRGBI, 48
    // PISTD, 49 PPROC, 50 LPLOGO, 51 LDYSPLAY) for the input named by PCHAN
    // (0: every row from the entry for all inputs).
    void Tableau_input(int what);

    // Operator handlers of row `input` (1 to 8); their design names are
    // listed in the rows' table (inputs_controller.cpp).
    void ComboBox_signaltypeClick(int input);
    void ComboBox_standardChange(int input);
    void GfxRadioButton_HiZChange(int input, int ButtonIndex);

    void ZEPH350_d1PENAchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1PLOADchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1PRGBIchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1PISTDchange(TZEPH350_d* Sender, int nroZeph);

    // The look of a logo row's ON/OFF button for its display flag.
    static QString Text_bitbtn_of_pchan(bool flag);
    static QColor Color_bitbtn_of_pchan(bool flag);

    // --- input buttons ---------------------------------------------------------
    void ZEPH350_d1ICHMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ICHPchange(TZEPH350_d* Sender, int nroZeph);

    // --- the input on the output ---------------------------------------------
    void ZEPH350_d1IFAMMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IHPOLMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IVPOLMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IPSIGMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IOORMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ISYNCMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IINTMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ILDMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IFDMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1UNITYchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1PROCchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1TAKEchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1Connected(TZEPH350_d* Sender, int nroZeph);

    void signal();
    void prgbi_et_ifamm();
    void affichage_sync();
    void freq_ligne_trame();
    void afichoupalmenimag();
    // The cached signal type of the input on the output; none while ICHM
    // names no input.
    std::optional<uint32_t> typeOfInputOnOutput() const;
    bool hourglass() const { return hourglass_; }

    // --- reference and switching mode ("Output" page) --------------------------
    void ZEPH350_d1REFFAMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFFRQchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFREQchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFSTAchange(TZEPH350_d* Sender, int nroZeph);
    void RadioGroup_fast_seamClick();
    void combo_refreqChange();
    void ComboBox_seamless_computerChange();
    void input_ref();
    void Comp_refsta_refreq();
    // 0 FAST, 1 SEAMLESS, -1 none.
    int fastSeamIndex() const;

    // --- controls ---------------------------------------------------------------
    // The page's five columns: GroupBox1 "Used", GroupBox8 "VCR", GroupBox2
    // "Signal Type", GroupBox3 "Standard", GroupBox9 "Impedance".
    std::array<QGroupBox*, 5> columns{};
    std::array<QCheckBox*, 8> Label_input_{};             // "Used": Label_input_1 .. 8
    std::array<QCheckBox*, 8> CheckBox_PProc_pchan{};     // "VCR": CheckBox_PProc_pchan_1 .. 8
    std::array<QComboBox*, 8> ComboBox_signaltype{};      // ComboBox_signaltype1 .. 8
    std::array<QComboBox*, 8> ComboBox_standard{};        // ComboBox_standard1 .. 8
    std::array<TGfxRadioGroup*, 8> GfxRadioButton_HiZ{};  // GfxRadioButton_HiZ1 .. 8
    std::array<QPushButton*, 8> BitBtn_Input{};           // BitBtn_Input_1 .. 8 (logo rows)

    // Status of the input on the output.
    QLabel* Label_status_prgbi = nullptr;
    QLabel* Label_status_ifamm = nullptr;
    QLabel* Label_entrelacer_main = nullptr;
    QLabel* label_Freq_ligne_main = nullptr;
    QLabel* label_Freq_trame_main = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label_typeofsync = nullptr;
    QLabel* Label_Hpol = nullptr;
    QLabel* Label_Vpol = nullptr;
    QLabel* Label_ICHM = nullptr;
    QFrame* Panel_cache_status_audio = nullptr;
    QFrame* Panel_notavailble = nullptr;  // the "Image" page's cover
    QLabel* Label_notavailble = nullptr;

    // Reference and switching mode.
    QGroupBox* RadioGroup_fast_seam = nullptr;
    QComboBox* combo_refreq = nullptr;
    QComboBox* ComboBox_seamless_computer = nullptr;
    QLabel* Label_refsta = nullptr;
    QLabel* Label_reffam = nullptr;
    QLabel* Label_reffrq = nullptr;
    QLabel* Label_freq_trame = nullptr;
    QLineEdit* Edit_status = nullptr;

private:
    void buildRows();
    void buildStatus();
    void buildReference();
    void bindDevice();
    void drawRow(int what, int row, uint32_t p);
    void setFastSeamIndex(int index);
    void showReferenceLists();
    void showImageGroups(unsigned parts, bool visible, bool enabled);
    void enableImageExtras(bool overScan, bool sharpness);
    // The "Image" page's register controls by the part of the signal
    // description that shows them (attachImagePage).
    std::vector<std::pair<QWidget*, unsigned>> imageParts_;

    TZEPH350_main& w_;
    QButtonGroup* fastSeam_ = nullptr;
    bool hourglass_ = false;
};
