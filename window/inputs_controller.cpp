#include "inputs_controller.h"

#include "effects_controller.h"
#include "gfx_radiogroup.h"
#include "image_controller.h"
#include "logos_controller.h"
#include "look.h"
#include "names.h"
#include "zeph350_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

using Ev = TZEPH350_d::Event;

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

// One row of the "Input" page: its controls and the design names of their
// operator handlers (only the first standard list reacts on "Click").
struct InputRow {
    const char* used;
    const char* vcr;
    const char* type;
    const char* typeHandler;
    const char* standard;
    const char* standardHandler;
    const char* hiz;
    const char* hizHandler;
};
const InputRow kRows[8] = {
    {"Label_input_1", "CheckBox_PProc_pchan_1", "ComboBox_signaltype1", "ComboBox_signaltype1Click", "ComboBox_standard1",
     "ComboBox_standard1Click", "GfxRadioButton_HiZ1", "GfxRadioButton_HiZ1Change"},
    {"Label_input_2", "CheckBox_PProc_pchan_2", "ComboBox_signaltype2", "ComboBox_signaltype2Click", "ComboBox_standard2",
     "ComboBox_standard2Change", "GfxRadioButton_HiZ2", "GfxRadioButton_HiZ2Change"},
    {"Label_input_3", "CheckBox_PProc_pchan_3", "ComboBox_signaltype3", "ComboBox_signaltype3Click", "ComboBox_standard3",
     "ComboBox_standard3Change", "GfxRadioButton_HiZ3", "GfxRadioButton_HiZ3Change"},
    {"Label_input_4", "CheckBox_PProc_pchan_4", "ComboBox_signaltype4", "ComboBox_signaltype4Click", "ComboBox_standard4",
     "ComboBox_standard4Change", "GfxRadioButton_HiZ4", "GfxRadioButton_HiZ4Change"},
    {"Label_input_5", "CheckBox_PProc_pchan_5", "ComboBox_signaltype5", "ComboBox_signaltype5Click", "ComboBox_standard5",
     "ComboBox_standard5Change", "GfxRadioButton_HiZ5", "GfxRadioButton_HiZ5Change"},
    {"Label_input_6", "CheckBox_PProc_pchan_6", "ComboBox_signaltype6", "ComboBox_signaltype6Click", "ComboBox_standard6",
     "ComboBox_standard6Change", "GfxRadioButton_HiZ6", "GfxRadioButton_HiZ6Change"},
    {"Label_input_7", "CheckBox_PProc_pchan_7", "ComboBox_signaltype7", "ComboBox_signaltype7Click", "ComboBox_standard7",
     "ComboBox_standard7Change", "GfxRadioButton_HiZ7", "GfxRadioButton_HiZ7Change"},
    {"Label_input_8", "CheckBox_PProc_pchan_8", "ComboBox_signaltype8", "ComboBox_signaltype8Click", "ComboBox_standard8",
     "ComboBox_standard8Change", "GfxRadioButton_HiZ8", "GfxRadioButton_HiZ8Change"},
};

// The logo rows' ON/OFF buttons, input 1 to 8.
const char* const kDisplayButtons[8] = {"BitBtn_Input_1", "BitBtn_Input_2", "BitBtn_Input_3", "BitBtn_Input_4",
                                        "BitBtn_Input_5", "BitBtn_Input_6", "BitBtn_Input_7", "BitBtn_Input_8"};

// The page's five group boxes, side by side; one row per input inside each.
struct Column {
    const char* name;
    const char* caption;
    int left, width;
};
const Column kColumns[] = {
    {"GroupBox1", "Used", 8, 110},          {"GroupBox8", "VCR", 122, 60},
    {"GroupBox2", "Signal Type", 186, 170}, {"GroupBox3", "Standard", 360, 230},
    {"GroupBox9", "Impedance", 594, 170},
};
constexpr int GroupTop = 8, GroupHeight = 314;
constexpr int RowTop = 22, RowStep = 36, RowHeight = 22;

// Colours by PENA (0 not used, 1 used).
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
QColor impedanceText(bool used)
{
    return used ? classic::Black : Grey;
}
QColor listBackground(bool used)
{
    return used ? classic::Window : Silver;
}
// The standard list applies to the first two signal types only.
QColor standardBackground(bool used, uint32_t type)
{
    return type < 2 ? listBackground(used) : classic::InactiveCaptionText;
}

void setColour(QWidget* w, std::initializer_list<QPalette::ColorRole> roles, const QColor& c)
{
    QPalette p = w->palette();
    for (QPalette::ColorRole r : roles) p.setColor(r, c);
    w->setPalette(p);
}

void setListColour(QComboBox* list, const QColor& c)
{
    setColour(list, {QPalette::Button, QPalette::Base}, c);
}

// An item index from a register value; none when the list has no such item.
void selectItem(QComboBox* list, uint32_t value)
{
    const QSignalBlocker block(list);
    list->setCurrentIndex(value < uint32_t(list->count()) ? int(value) : -1);
}

void setChecked(QAbstractButton* b, bool on)
{
    const QSignalBlocker block(b);
    b->setChecked(on);
}

}  // namespace

// --- construction -------------------------------------------------------------

InputsController::InputsController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Inputs), w_(w)
{
    buildRows();
    status_ = std::make_unique<InputStatusController>(w);
    reference_ = std::make_unique<InputReferenceController>(w);
    bindDevice();
}

InputsController::~InputsController()
{
    if (hourglass_) QGuiApplication::restoreOverrideCursor();
}

void InputsController::buildRows()
{
    std::array<QGroupBox*, 5>& boxes = columns;
    for (size_t c = 0; c < boxes.size(); ++c) {
        auto* box = new QGroupBox(QString::fromLatin1(kColumns[c].caption), w_.inputPage);
        box->setObjectName(QString::fromLatin1(kColumns[c].name));
        box->setGeometry(kColumns[c].left, GroupTop, kColumns[c].width, GroupHeight);
        boxes[c] = box;
    }
    for (int i = 0; i < 8; ++i) {
        const InputRow& r = kRows[i];
        const size_t k = size_t(i);
        const int top = RowTop + i * RowStep;
        const int input = i + 1;

        auto* used = new QCheckBox(QStringLiteral("Input%1").arg(input), boxes[0]);
        used->setObjectName(QString::fromLatin1(r.used));
        used->setGeometry(10, top, 95, RowHeight);
        Label_input_[k] = used;

        auto* vcr = new QCheckBox(boxes[1]);
        vcr->setObjectName(QString::fromLatin1(r.vcr));
        vcr->setGeometry(20, top, 30, RowHeight);
        CheckBox_PProc_pchan[k] = vcr;

        auto* type = new QComboBox(boxes[2]);
        type->setObjectName(QString::fromLatin1(r.type));
        type->setGeometry(8, top, 154, RowHeight);
        ComboBox_signaltype[k] = type;
        connect(type, &QComboBox::activated, this, [this, input] { ComboBox_signaltypeClick(input); });

        auto* standard = new QComboBox(boxes[3]);
        standard->setObjectName(QString::fromLatin1(r.standard));
        standard->setGeometry(8, top, 214, RowHeight);
        ComboBox_standard[k] = standard;
        connect(standard, &QComboBox::activated, this, [this, input] { ComboBox_standardChange(input); });

        auto* hiz = new TGfxRadioGroup(boxes[4]);
        hiz->setObjectName(QString::fromLatin1(r.hiz));
        // 150 wide rather than the design's 130: the design's font is
        // narrower than ours, and at 130 "75 Ohms" would lose its last
        // letter.
        hiz->setGeometry(8, top + 1, 150, 20);
        hiz->Bevel().SetStandardStyle(lsNone);  // no frame (and no caption)
        hiz->SetTransparent(true);              // on the group box's own face
        hiz->SetColumns(2);
        hiz->SetItems({QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")});
        // No caption of its own: assistive tools read it by its row.
        hiz->setAccessibleName(QStringLiteral("Input%1 impedance").arg(input));
        hiz->OnChange = [this, input](TObject*, int index) { GfxRadioButton_HiZChange(input, index); };
        GfxRadioButton_HiZ[k] = hiz;
    }
    // Designed on input 1 only.
    for (const char* t : SignalTypes) ComboBox_signaltype[0]->addItem(QString::fromLatin1(t));
    for (const char* t : Standards) ComboBox_standard[0]->addItem(QString::fromLatin1(t));
}

void InputsController::buildLogoDisplayButtons(QWidget* panel)
{
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(Text_bitbtn_of_pchan(true), panel);
        b->setObjectName(QString::fromLatin1(kDisplayButtons[i]));
        b->setGeometry(w_.label_input[size_t(i)]->x(), 42, 76, 20);
        setTextColour(b, QPalette::ButtonText, Color_bitbtn_of_pchan(true));
        BitBtn_Input[size_t(i)] = b;
    }
}

void InputsController::bindDevice()
{
    ZEPH_ON(OnPENAchange, InputsController, ZEPH350_d1PENAchange);
    ZEPH_ON(OnPLOADchange, InputsController, ZEPH350_d1PLOADchange);
    ZEPH_ON(OnPRGBIchange, InputsController, ZEPH350_d1PRGBIchange);
    ZEPH_ON(OnPISTDchange, InputsController, ZEPH350_d1PISTDchange);
    ZEPH_ON(OnICHMchange, InputsController, ZEPH350_d1ICHMchange);
    ZEPH_ON(OnICHPchange, InputsController, ZEPH350_d1ICHPchange);
    ZEPH_ON(OnPROCchange, InputsController, ZEPH350_d1PROCchange);
    ZEPH_ON(OnTAKEchange, InputsController, ZEPH350_d1TAKEchange);
    ZEPH_ON(OnConnected, InputsController, ZEPH350_d1Connected);
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

// --- the per-input caches and their display -------------------------------------

QString InputsController::Text_bitbtn_of_pchan(bool flag)
{
    return flag ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QColor InputsController::Color_bitbtn_of_pchan(bool flag)
{
    return flag ? classic::MenuText : classic::Red;
}

void InputsController::Tableau_input(int what)
{
    const uint32_t p = dev_.PCHAN();
    if (p <= 8 && what >= 45 && what <= 51) {
        if (p == 0) {
            for (int row = 1; row <= 8; ++row) drawRow(what, row, 0);
        } else {
            drawRow(what, int(p), p);
        }
    }
    w_.names().hinthinthint();
    w_.logos().cacheropenclose_cadrelogo();
}

// Redraws row `row` (1 to 8) from cache entry `p` (0: the entry for all
// inputs, which leaves the standard lists' colour to the signal type alone).
void InputsController::drawRow(int what, int row, uint32_t p)
{
    const InputCaches& c = w_.state.perInput;
    const size_t i = size_t(row - 1);
    const bool all = p == 0;
    const bool used = c.PENA[p] != 0;
    switch (what) {
    case 45:
        setChecked(Label_input_[i], used);
        w_.label_input[i]->setEnabled(used);
        setTextColour(GfxRadioButton_HiZ[i], QPalette::WindowText, impedanceText(used));
        setListColour(ComboBox_signaltype[i], listBackground(used));
        if (!all) setListColour(ComboBox_standard[i], standardBackground(used, c.PRGBI[p]));
        break;
    case 46:
        GfxRadioButton_HiZ[i]->SetItemIndex(c.PLOAD[p] != 0 ? 1 : 0);
        break;
    case 47:
        selectItem(ComboBox_signaltype[i], c.PRGBI[p]);
        setListColour(ComboBox_standard[i], all ? (c.PRGBI[p] < 2 ? classic::Window : classic::InactiveCaptionText)
                                                : standardBackground(used, c.PRGBI[p]));
        break;
    case 48:
        selectItem(ComboBox_standard[i], c.PISTD[p]);
        break;
    case 49:
        setChecked(CheckBox_PProc_pchan[i], c.PPROC[p] == 1);
        break;
    case 50: {
        const uint32_t layer = dev_.LINDEX();
        LogoAssignmentController& logos = w_.logos().assignment();
        if (layer == 0) selectItem(logos.new_Combologo[i], c.LPLOGO.at(p, 0));
        if (layer == 1) selectItem(logos.LINDEX2_Combologo[i], c.LPLOGO.at(p, 1));
        break;
    }
    case 51: {
        QPushButton* b = BitBtn_Input[i];
        const bool on = c.LDYSPLAY[p] != 0;
        b->setText(Text_bitbtn_of_pchan(on));
        setTextColour(b, QPalette::ButtonText, Color_bitbtn_of_pchan(on));
        break;
    }
    default: break;
    }
}

void InputsController::ZEPH350_d1PENAchange(TZEPH350_d*, int)
{
    w_.state.perInput.PENA.store(dev_.PCHAN(), dev_.PENA() ? 1 : 0);
    Tableau_input(45);
}

void InputsController::ZEPH350_d1PLOADchange(TZEPH350_d*, int)
{
    w_.state.perInput.PLOAD.store(dev_.PCHAN(), dev_.PLOAD() ? 1 : 0);
    Tableau_input(46);
}

void InputsController::ZEPH350_d1PRGBIchange(TZEPH350_d*, int)
{
    w_.state.perInput.PRGBI.store(dev_.PCHAN(), dev_.PRGBI());
    Tableau_input(47);
    if (!dev_.IPSIGM() || dev_.IOORM()) status_->prgbi_et_ifamm();
    status_->affichage_sync();
    status_->afichoupalmenimag();
}

void InputsController::ZEPH350_d1PISTDchange(TZEPH350_d*, int)
{
    w_.state.perInput.PISTD.store(dev_.PCHAN(), dev_.PISTD());
    Tableau_input(48);
}

// --- the operator's choices: the input first, then its register ------------------

void InputsController::ComboBox_signaltypeClick(int input)
{
    const int index = ComboBox_signaltype[size_t(input - 1)]->currentIndex();
    if (index < 0) return;
    dev_.SetPCHAN(uint32_t(input));
    dev_.SetPRGBI(uint32_t(index));
}

void InputsController::ComboBox_standardChange(int input)
{
    const int index = ComboBox_standard[size_t(input - 1)]->currentIndex();
    if (index < 0) return;
    dev_.SetPCHAN(uint32_t(input));
    dev_.SetPISTD(uint32_t(index));
}

void InputsController::GfxRadioButton_HiZChange(int input, int ButtonIndex)
{
    dev_.SetPCHAN(uint32_t(input));
    dev_.SetPLOAD(ButtonIndex == 1);
}

// --- the input buttons ---------------------------------------------------------------

void InputsController::ZEPH350_d1ICHMchange(TZEPH350_d*, int)
{
    // The input buttons' down state lives in the shell's model (buttons of
    // group 1; the effects family may hold one down in a group of its own):
    // every button back in group 1, the input on the output down.
    // (A button of no group is never down: that releases them all.)
    const uint32_t ichm = dev_.ICHM();
    for (QToolButton* b : w_.label_input) {
        w_.inputButtons.setGroupIndex(b, 0);
        w_.inputButtons.setGroupIndex(b, 1);
    }
    if (ichm >= 1 && ichm <= 8) w_.inputButtons.setDown(w_.label_input[ichm - 1], true);
    if (!dev_.IPSIGM() || dev_.IOORM()) status_->prgbi_et_ifamm();
    status_->afichoupalmenimag();
    status_->affichage_sync();
    names::rename(w_);
    w_.logos().cacheropenclose_cadrelogo();
    w_.logos().assignment().logo_light_ichm_lindex();
    w_.effects().strike_radiogroupe();
}

void InputsController::ZEPH350_d1ICHPchange(TZEPH350_d*, int)
{
    // The preselected input reads green; a button another family held down
    // in a group of its own returns to the others, and only the input on
    // the output stays down there.
    const uint32_t ichp = dev_.ICHP();
    for (int i = 0; i < 8; ++i) {
        const bool preselected = ichp == uint32_t(i + 1);
        setTextColour(w_.label_input[size_t(i)], QPalette::ButtonText, preselected ? classic::Green : classic::WindowText);
    }
    const uint32_t ichm = dev_.ICHM();
    QToolButton* onOutput = ichm >= 1 && ichm <= 8 ? w_.label_input[ichm - 1] : nullptr;
    const bool keep = onOutput && w_.inputButtons.down(onOutput);
    for (QToolButton* b : w_.label_input) {
        w_.inputButtons.setGroupIndex(b, 0);
        w_.inputButtons.setGroupIndex(b, 1);
    }
    if (onOutput && keep) w_.inputButtons.setDown(onOutput, true);
    w_.effects().strike_radiogroupe();
}

void InputsController::ZEPH350_d1PROCchange(TZEPH350_d*, int)
{
    selectItem(w_.image().processList(), dev_.PROC());
}

// --- the hourglass while the device takes a switch --------------------------------------

void InputsController::ZEPH350_d1TAKEchange(TZEPH350_d*, int)
{
    if (dev_.TAKE() == hourglass_) return;
    hourglass_ = dev_.TAKE();
    if (hourglass_)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void InputsController::ZEPH350_d1Connected(TZEPH350_d*, int)
{
    // A link that drops while the device takes a switch never reports the
    // end of it.
    if (!dev_.Connected() && hourglass_) {
        hourglass_ = false;
        QGuiApplication::restoreOverrideCursor();
    }
}
