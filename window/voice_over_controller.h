#pragma once
// The voice-over family: the microphone tone, compression, noise gate, level and the voice-over depth, level and release.

#include "families.h"

class TZEPH350_main;

class VoiceOverController : public FamilyController {
public:
    explicit VoiceOverController(TZEPH350_main& w);

private:
    TZEPH350_main& w_;
};
