#pragma once
// The logos family's register rows: the logo's position and size (with
// their twins in the capture group), the luma key, the background colour,
// the frame and logo fade durations, and the floating frame-fade panel that
// the effects family shows and hides.

#include "families.h"
#include "regctl/register_control.h"

#include <QStringList>

#include <cstdint>

class QFrame;
class QLineEdit;
class ScrollBarEx;
class TZEPH350_main;

class LogoRegistersController : public FamilyController {
public:
    explicit LogoRegistersController(TZEPH350_main& w);
    ~LogoRegistersController() override;

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
    void ZEPH350_d1LFRAMEDURchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LLOGODURchange(TZEPH350_d* Sender, int nroZeph);

    static QString Conv_fade_frame_en_seconde(uint32_t value);
    static QString Conv_fade_logo_en_seconde(uint32_t value);

    RegisterControl* control(int reg) const { return rows_.find(reg); }
    // The picture registers' twins (built with the image page) that the
    // capture group places, by design name.
    static QStringList twinNames();

    // --- controls ---------------------------------------------------------------
    ScrollBarEx* ScrollBar_Frame_Fade_duration = nullptr;
    QLineEdit* Edit_Frame_Fade_duration = nullptr;
    ScrollBarEx* ScrollBar_Logo_Fade_duration = nullptr;
    QLineEdit* Edit_Logo_Fade_duration = nullptr;
    // The floating frame-fade panel that the effects family shows and hides.
    QFrame* Panel_fade_frame_duration = nullptr;
    ScrollBarEx* ScrollBar_frame2_fade_duration = nullptr;
    QLineEdit* Edit_Frame2_Fade_duration = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRegisters();
    void buildFades();
    void buildFloatingPanel();
    void bindEvents();

    TZEPH350_main& w_;
    RegisterRows rows_;
};
