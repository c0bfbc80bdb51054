#pragma once
// The stand-by family: projector stand-by on and off, its delay, the projector's baud rate and the message sequencer.

#include "families.h"

class TZEPH350_main;

class StandbyController : public FamilyController {
public:
    explicit StandbyController(TZEPH350_main& w);

private:
    TZEPH350_main& w_;
};
