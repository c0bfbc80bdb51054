#pragma once
// The inputs family's seamless-switching reference on the "Output" page:
// the reference the operator asks for (REFREQ: 0 the internal reference, 1
// to 8 an input followed, 9 and 10 the computer references), the reference
// in force (REFSTA) with its family and frame rate, and the switching mode
// FAST or SEAMLESS.

#include "families.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TZEPH350_main;

class InputReferenceController : public FamilyController {
public:
    explicit InputReferenceController(TZEPH350_main& w);
    ~InputReferenceController() override;

    void ZEPH350_d1REFFAMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFFRQchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFREQchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1REFSTAchange(TZEPH350_d* Sender, int nroZeph);
    void RadioGroup_fast_seamClick();
    void combo_refreqChange();
    void ComboBox_seamless_computerChange();
    void input_ref();
    // Also run by the output family when OFMT changes.
    void Comp_refsta_refreq();
    // 0 FAST, 1 SEAMLESS, -1 none.
    int fastSeamIndex() const;

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
    void buildReference();
    void setFastSeamIndex(int index);
    void showReferenceLists();

    TZEPH350_main& w_;
    QButtonGroup* fastSeam_ = nullptr;
};
