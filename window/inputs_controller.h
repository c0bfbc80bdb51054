#pragma once
// The inputs family: the eight rows of the "Input" page (used, VCR, signal
// type, standard, impedance), the per-input caches, the input buttons and
// the description of the input signal on the output.

#include "families.h"

#include <array>

class QComboBox;
class TZEPH350_main;

class InputsController : public FamilyController {
public:
    explicit InputsController(TZEPH350_main& w);

    // The item lists are designed once, on input 1; FormCreate copies them
    // to inputs 2 to 8.
    void copyDesignedItems();

    std::array<QComboBox*, 8> ComboBox_signaltype{};  // ComboBox_signaltype1 .. 8
    std::array<QComboBox*, 8> ComboBox_standard{};    // ComboBox_standard1 .. 8

private:
    void buildRows();

    TZEPH350_main& w_;
};
