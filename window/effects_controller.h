#pragma once
// The effects family: the effect buttons above the pages, the "Effects"
// page (fade duration, title shadow, titles), the transition types and the
// remaining switches of the menus.

#include "families.h"

class QLabel;
class TZEPH350_main;

class EffectsController : public FamilyController {
public:
    explicit EffectsController(TZEPH350_main& w);

    // "Effect", above the pages beside the effect buttons.
    QLabel* StaticText_effect = nullptr;

private:
    TZEPH350_main& w_;
};
