#pragma once
// The audio family: the eight audio buttons, levels and balances, the master volume, mute and "Auto Follow".

#include "families.h"

class TZEPH350_main;

class AudioController : public FamilyController {
public:
    explicit AudioController(TZEPH350_main& w);

private:
    TZEPH350_main& w_;
};
