#include "effects_controller.h"

#include "zeph350_main.h"

#include <QLabel>

EffectsController::EffectsController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Effects), w_(w)
{
    // Shown by the model layout on the models that have effects.
    StaticText_effect = new QLabel(QStringLiteral("Effect"), w_.centralWidget());
    StaticText_effect->setObjectName(QStringLiteral("StaticText_effect"));
    StaticText_effect->setGeometry(440, 44, 40, 17);
    StaticText_effect->hide();
}
