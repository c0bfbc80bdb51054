#pragma once
// The model layout: the model table and the window fitted to the model the device reports.

#include "families.h"

class TZEPH350_main;

class ModelLayoutController : public FamilyController {
public:
    explicit ModelLayoutController(TZEPH350_main& w);

    // Lays the window out again for the model laid out last, because a
    // value the layout depends on changed (the test pattern OPAT, the
    // identifier VERI): the remembered model is forgotten first, so the
    // layout runs even though the model is the same. The layout itself
    // comes with the model table; until then a request is only counted.
    void relayout();
    int relayoutRequests() const { return relayoutRequests_; }

private:
    TZEPH350_main& w_;
    int relayoutRequests_ = 0;
};
