#include "standby_controller.h"

#include "zeph350_main.h"

StandbyController::StandbyController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Standby), w_(w) {}
