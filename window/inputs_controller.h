#pragma once
// The inputs family: the eight rows of the "Input" page (used, VCR, signal
// type, standard, impedance), the per-input caches and their display, the
// input buttons and the hourglass while the device takes a switch; with
// two pieces that share the device and the window state:
// - InputStatusController (input_status_controller.*): the description of
//   the input signal on the output (status boxes and the "Image" page's
//   groups);
// - InputReferenceController (input_reference_controller.*): the
//   seamless-switching reference on the "Output" page.

#include "families.h"
#include "input_reference_controller.h"
#include "input_status_controller.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <memory>

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
    InputStatusController& status() { return *status_; }
    const InputStatusController& status() const { return *status_; }
    InputReferenceController& reference() { return *reference_; }

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
    void ZEPH350_d1PROCchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1TAKEchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1Connected(TZEPH350_d* Sender, int nroZeph);
    bool hourglass() const { return hourglass_; }

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

private:
    void buildRows();
    void bindDevice();
    void drawRow(int what, int row, uint32_t p);

    TZEPH350_main& w_;
    std::unique_ptr<InputStatusController> status_;
    std::unique_ptr<InputReferenceController> reference_;
    bool hourglass_ = false;
};
