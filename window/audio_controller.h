#pragma once
// The audio family: the eight audio buttons, "Auto Follow", the level and
// balance of each audio input, the master volume and the mute.
//
// Level and balance are per-channel registers addressed through PCHAN: the
// window keeps the last value reported for each channel (entry 0 for all
// channels, 1 to 8 one each), and only the channel heard has usable
// controls.

#include "families.h"
#include "gfx_radiobutton.h"
#include "regctl/register_control.h"

#include <array>
#include <cstdint>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class ScrollBarEx;
class TZEPH350_main;

class AudioController : public FamilyController {
public:
    explicit AudioController(TZEPH350_main& w);
    ~AudioController() override;

    // Tableau_sound's selectors: the level table and the balance table.
    static constexpr int LevelTable = 59;
    static constexpr int BalanceTable = 61;
    // Balances are shown and typed as value - 32.
    static constexpr int BalanceOffset = 32;

    // --- operator ---------------------------------------------------------------
    // Channel n is 1 to 8; each row of the channel table names its handlers
    // ("Label_audio1MouseDown", "ScrollBar_audio1Scroll",
    // "Edit_audio_1KeyPress", "ScrollBar_balance_1Scroll",
    // "Edit_balance_1KeyPress").
    void Label_audioMouseDown(int n);
    void levelScroll(int n, QObject* Sender, int ScrollCode, int& ScrollPos);
    void balanceScroll(int n, QObject* Sender, int ScrollCode, int& ScrollPos);
    void levelKeyPress(int n, QObject* Sender, QChar& Key);
    void balanceKeyPress(int n, QObject* Sender, QChar& Key);
    void RadioButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Space on "Auto Follow": what the mouse-up does.
    void RadioButtonClick(TObject* Sender);
    void ScrollBar_AMASTScroll(QObject* Sender, int ScrollCode, int& ScrollPos);
    void Edit17KeyPress(QObject* Sender, QChar& Key);
    void SpeedButton_shutamastClick();

    // --- device -------------------------------------------------------------------
    void ZEPH350_d1ACHANchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1AMODchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ALEVchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ABALANCEchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1AMASTchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1AMUTEchange(TZEPH350_d* Sender, int nroZeph);
    // Brings the level (LevelTable) or balance (BalanceTable) controls of
    // the channel PCHAN names up to date from the cache, then the enabling.
    void Tableau_sound(int what);

    using Cache = std::array<uint32_t, 9>;
    const Cache& levels() const { return levels_; }
    const Cache& balances() const { return balances_; }

    // --- controls -----------------------------------------------------------------
    QGroupBox* GroupBox7 = nullptr;       // the audio buttons (the shell's Label_audio)
    TGfxRadioButton* RadioButton = nullptr;  // "Auto Follow"
    QLabel* Label_audio_level = nullptr;    // "Level" above the rows
    QLabel* Label_audio_balance = nullptr;  // "Balance"
    std::array<ScrollBarEx*, 8> ScrollBar_audio{};
    std::array<QLineEdit*, 8> Edit_audio{};
    std::array<ScrollBarEx*, 8> ScrollBar_balance{};
    std::array<QLineEdit*, 8> Edit_balance{};
    // Outside the pages, always visible.
    QLabel* Label17 = nullptr;
    ScrollBarEx* ScrollBar_AMAST = nullptr;
    QLineEdit* Edit17 = nullptr;
    QToolButton* SpeedButton_shutamast = nullptr;

private:
    void buildButtons();
    void buildChannels();
    void buildMaster();
    void bindEvents();
    void channelScroll(int n, int reg, QObject* Sender, int ScrollCode, int ScrollPos);
    void channelKeyPress(int n, int reg, int offset, QObject* Sender, QChar Key);
    // Keeps a reply for the channel PCHAN names: entry 0 stands for all
    // channels; a PCHAN beyond the eight channels is kept nowhere.
    void keep(Cache& cache, uint32_t value) const;

    TZEPH350_main& w_;
    bool showingMode_ = false;  // "Auto Follow" is being set from a report
    std::unique_ptr<RegisterControl> master_;
    Cache levels_{};
    Cache balances_{};
};
