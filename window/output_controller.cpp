#include "output_controller.h"

#include "zeph350_main.h"

#include <QFrame>

OutputController::OutputController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Output), w_(w)
{
    Panel_mire_en_seamless = new QFrame(w_.outputPage);
    Panel_mire_en_seamless->setObjectName(QStringLiteral("Panel_mire_en_seamless"));
    Panel_mire_en_seamless->setFrameShape(QFrame::Panel);
    Panel_mire_en_seamless->setFrameShadow(QFrame::Raised);
    Panel_mire_en_seamless->setGeometry(4, 0, 772, 180);
    Panel_mire_en_seamless->hide();
}
