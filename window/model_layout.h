#pragma once
// The model layout: the model table and the window fitted to the model the device reports.

#include "families.h"

class TZEPH350_main;

class ModelLayoutController : public FamilyController {
public:
    explicit ModelLayoutController(TZEPH350_main& w);

private:
    TZEPH350_main& w_;
};
