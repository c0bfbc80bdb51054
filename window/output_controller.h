#pragma once
// The output family: output formats in both switching modes, sync, screen
// type, test pattern with its sliding panel, the picture registers of the
// output, the versions and the device's option bits.

#include "families.h"

class QFrame;
class TZEPH350_main;

class OutputController : public FamilyController {
public:
    explicit OutputController(TZEPH350_main& w);

    // The test-pattern panel: hidden at design, parked at top 340 by
    // FormCreate, slid into view by "Position && Size".
    QFrame* Panel_mire_en_seamless = nullptr;

private:
    TZEPH350_main& w_;
};
