#pragma once
// The voice-over family: the microphone's tone, compression, noise gate and
// level on the "Audio" page, and the voice-over depth, trigger level and
// release time on the "Voice over" page. Raw values throughout; the edits
// send what is typed.

#include "families.h"
#include "regctl/register_control.h"

class QFrame;
class QLabel;
class RadioGroup;
class TZEPH350_main;

class VoiceOverController : public FamilyController {
public:
    explicit VoiceOverController(TZEPH350_main& w);
    ~VoiceOverController() override;

    // The four register rows (ATONE, AMIC, ADEPTH, ADLEV): their handlers
    // are the register control's forms, named by the rows of the table
    // ("ScrollBar_toneScroll", "Edit_toneKeyPress", "ZEPH350_d1ATONEchange").
    RegisterControl* control(int reg) const { return controls_.find(reg); }

    // ItemIndex: the item the operator clicked.
    void RadioGroup_mic_compressionClick(int ItemIndex);
    void RadioGroup_mic_noise_gateClick(int ItemIndex);
    void RadioGroup_releaseClick(int ItemIndex);
    void ZEPH350_d1ACMPchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1AGATchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ARELEASEchange(TZEPH350_d* Sender, int nroZeph);

    RadioGroup* RadioGroup_mic_compression = nullptr;
    RadioGroup* RadioGroup_mic_noise_gate = nullptr;
    RadioGroup* RadioGroup_release = nullptr;

private:
    void buildRegisters();
    void buildGroups();
    void bindEvents();

    TZEPH350_main& w_;
    RegisterRows controls_;
};
