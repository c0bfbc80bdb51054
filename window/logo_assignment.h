#pragma once
// The logos family's assignment rows: below each input button the two
// lists that give the input a logo or the frame on logo layers 0 and 1,
// and the ON/OFF button of its logo display (the inputs family draws both
// from its caches).

#include "families.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QWidget;
class TZEPH350_main;

class LogoAssignmentController : public FamilyController {
public:
    explicit LogoAssignmentController(TZEPH350_main& w);
    ~LogoAssignmentController() override;

    // --- operator ---------------------------------------------------------
    void new_CombologoChange(QObject* Sender);
    void Combologo_Enter_lind(QObject* Sender);
    // The ON/OFF button of an input's logo display.
    void BitBtn_Input_Click(QObject* Sender);

    // --- device reports -----------------------------------------------------
    void ZEPH350_d1LINDEXchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LPLOGOchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1LDYSPLAYchange(TZEPH350_d* Sender, int nroZeph);

    // --- routines -------------------------------------------------------------
    // Colours the logo lists: the input on the output, its layer LINDEX;
    // the inputs family runs it too.
    void logo_light_ichm_lindex();
    // The input on the output (1 to 8) has a logo (slot 2 or above) on layer
    // LINDEX.
    bool outputInputHasLogo() const;
    // The sixteen lists: layer 0 of inputs 1 to 8, then layer 1.
    QList<QComboBox*> logoLists() const;
    // The lists and the display buttons usable or not (the mode decides).
    void setEnabled(bool enabled);
    // Item `slot` of every list reads `text`.
    void showSlot(int slot, const QString& text);

    // --- controls ---------------------------------------------------------------
    QWidget* new_Panel1 = nullptr;                  // the assignment rows below the input buttons
    QLabel* new_Label_nmbr_logos = nullptr;
    std::array<QComboBox*, 8> new_Combologo{};      // logo layer 0 per input
    std::array<QComboBox*, 8> LINDEX2_Combologo{};  // logo layer 1 per input

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAssignmentPanel();
    void buildDisplayButtons();

    TZEPH350_main& w_;
};
