#include "model_layout.h"

#include "zeph350_main.h"

ModelLayoutController::ModelLayoutController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::ModelLayout), w_(w) {}

void ModelLayoutController::relayout()
{
    ++relayoutRequests_;
}
