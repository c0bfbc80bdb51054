#include "inputs_controller.h"

#include "zeph350_main.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

// The signal type list: the PRGBI code is the item index.
const char* const SignalTypes[] = {
    "SDTV Composite", "SDTV S. Video",   "SDTV YUV",       "SDTV RGB/s TTL", "SDTV RGsB SOG",
    "SDTV RGB/s ana.", "Computer SOG", "Computer H&V/C", "HDTV",           "Audio",
};

// The standard list: the PISTD code is the item index.
const char* const Standards[] = {
    "Auto PAL/SECAM/NTSC", "NTSC",  "NTSC 4.43 60Hz", "PAL", "PAL 4.43 60Hz",
    "SECAM",               "Black & White 50 Hz / 60 Hz",
};

constexpr int RowTop = 40, RowStep = 34;
constexpr int SignalLeft = 200, SignalWidth = 150;
constexpr int StandardLeft = 370, StandardWidth = 200;

}  // namespace

InputsController::InputsController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Inputs), w_(w)
{
    buildRows();
}

void InputsController::buildRows()
{
    QWidget* page = w_.inputPage;
    for (int i = 0; i < 8; ++i) {
        const int top = RowTop + i * RowStep;
        auto* type = new QComboBox(page);
        type->setObjectName(QStringLiteral("ComboBox_signaltype%1").arg(i + 1));
        type->setGeometry(SignalLeft, top, SignalWidth, 22);
        ComboBox_signaltype[size_t(i)] = type;
        auto* standard = new QComboBox(page);
        standard->setObjectName(QStringLiteral("ComboBox_standard%1").arg(i + 1));
        standard->setGeometry(StandardLeft, top, StandardWidth, 22);
        ComboBox_standard[size_t(i)] = standard;
    }
    // Designed on input 1 only.
    for (const char* t : SignalTypes) ComboBox_signaltype[0]->addItem(QString::fromLatin1(t));
    for (const char* t : Standards) ComboBox_standard[0]->addItem(QString::fromLatin1(t));
}

void InputsController::copyDesignedItems()
{
    QStringList types, standards;
    for (int k = 0; k < ComboBox_signaltype[0]->count(); ++k) types << ComboBox_signaltype[0]->itemText(k);
    for (int k = 0; k < ComboBox_standard[0]->count(); ++k) standards << ComboBox_standard[0]->itemText(k);
    for (size_t i = 1; i < 8; ++i) {
        const QSignalBlocker b1(ComboBox_signaltype[i]);
        const QSignalBlocker b2(ComboBox_standard[i]);
        ComboBox_signaltype[i]->clear();
        ComboBox_signaltype[i]->addItems(types);
        ComboBox_standard[i]->clear();
        ComboBox_standard[i]->addItems(standards);
    }
}
