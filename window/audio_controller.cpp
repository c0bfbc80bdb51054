#include "audio_controller.h"

#include "zeph350_main.h"

AudioController::AudioController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Audio), w_(w) {}
