#include "voice_over_controller.h"

#include "zeph350_main.h"

VoiceOverController::VoiceOverController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::VoiceOver), w_(w) {}
