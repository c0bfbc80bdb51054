// Seamless switching: the reference the operator asks for (REFREQ: 0 the
// internal reference, 1 to 8 an input followed, 9 and 10 the computer
// references), the reference in force (REFSTA) with its family and frame
// rate, and the switching mode FAST or SEAMLESS, on the "Output" page.
#include "input_status.h"
#include "input_reference_controller.h"
#include "input_status_controller.h"
#include "inputs_controller.h"
#include "look.h"
#include "output_controller.h"
#include "zeph350_main.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace inputstatus;

namespace {

QLabel* label(QWidget* parent, const char* name, const QRect& at)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    return l;
}

// Item `index` of a list; none when the list has no such item.
std::optional<QString> item(const QComboBox* list, uint32_t index)
{
    if (!list || index >= uint32_t(list->count())) return std::nullopt;
    return list->itemText(int(index));
}

QString itemOrEmpty(const QComboBox* list, int index)
{
    return list && index >= 0 && index < list->count() ? list->itemText(index) : QString();
}

}  // namespace

InputReferenceController::InputReferenceController(TZEPH350_main& w)
    : FamilyController(w.ZEPH350_d1, Family::Inputs), w_(w)
{
    buildReference();
    ZEPH_ON(OnREFFAMchange, InputReferenceController, ZEPH350_d1REFFAMchange);
    ZEPH_ON(OnREFFRQchange, InputReferenceController, ZEPH350_d1REFFRQchange);
    ZEPH_ON(OnREFREQchange, InputReferenceController, ZEPH350_d1REFREQchange);
    ZEPH_ON(OnREFSTAchange, InputReferenceController, ZEPH350_d1REFSTAchange);
}

InputReferenceController::~InputReferenceController() = default;

void InputReferenceController::buildReference()
{
    QWidget* page = w_.outputPage;
    RadioGroup_fast_seam = new QGroupBox(page);
    RadioGroup_fast_seam->setObjectName(QStringLiteral("RadioGroup_fast_seam"));
    RadioGroup_fast_seam->setGeometry(104, 6, 169, 42);
    fastSeam_ = new QButtonGroup(RadioGroup_fast_seam);
    const char* const modes[] = {"FAST", "SEAMLESS"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(modes[i]), RadioGroup_fast_seam);
        b->setGeometry(8 + i * 70, 14, i == 0 ? 62 : 90, 20);
        fastSeam_->addButton(b, i);
    }
    connect(fastSeam_, &QButtonGroup::idClicked, this, [this] { RadioGroup_fast_seamClick(); });

    // The reference list's items come from the input names (rename).
    combo_refreq = new QComboBox(page);
    combo_refreq->setObjectName(QStringLiteral("combo_refreq"));
    combo_refreq->setGeometry(104, 52, 169, 21);
    combo_refreq->setMaxVisibleItems(16);
    connect(combo_refreq, &QComboBox::activated, this, [this] { combo_refreqChange(); });

    ComboBox_seamless_computer = new QComboBox(page);
    ComboBox_seamless_computer->setObjectName(QStringLiteral("ComboBox_seamless_computer"));
    ComboBox_seamless_computer->setGeometry(104, 52, 169, 21);
    ComboBox_seamless_computer->addItems({QStringLiteral("Computer 1"), QStringLiteral("Computer 8")});
    connect(ComboBox_seamless_computer, &QComboBox::activated, this, [this] { ComboBox_seamless_computerChange(); });

    // The reference in force, its family and frame rate, and whether it is
    // the one asked for: at the right, clear of the output format list.
    Label_refsta = label(page, "Label_refsta", QRect(630, 8, 150, 17));
    Label_reffam = label(page, "Label_reffam", QRect(630, 28, 80, 17));
    Label_reffrq = label(page, "Label_reffrq", QRect(712, 28, 70, 17));
    Edit_status = new QLineEdit(page);
    Edit_status->setObjectName(QStringLiteral("Edit_status"));
    Edit_status->setReadOnly(true);
    Edit_status->setFocusPolicy(Qt::NoFocus);
    Edit_status->setGeometry(630, 50, 60, 21);
    Label_freq_trame = label(page, "Label_freq_trame", QRect(696, 52, 80, 17));
    Label_reffam->hide();
    Label_reffrq->hide();

    setFastSeamIndex(0);
    showReferenceLists();
}

int InputReferenceController::fastSeamIndex() const
{
    return fastSeam_->checkedId();
}

void InputReferenceController::setFastSeamIndex(int index)
{
    // An exclusive group cannot show "none": the exclusion is dropped
    // while the checks are set.
    fastSeam_->setExclusive(false);
    for (QAbstractButton* b : fastSeam_->buttons()) {
        const QSignalBlocker block(b);
        b->setChecked(fastSeam_->id(b) == index);
    }
    fastSeam_->setExclusive(true);
}

// SEAMLESS: the computer reference list; FAST: the input reference list.
// The four-input model has no seamless switching: its layout shows the
// input reference list only, whatever mode the device reports.
void InputReferenceController::showReferenceLists()
{
    const bool seamless = fastSeamIndex() == 1 && !w_.state.fourInputs;
    ComboBox_seamless_computer->setVisible(seamless);
    combo_refreq->setVisible(!seamless);
}

void InputReferenceController::RadioGroup_fast_seamClick()
{
    showReferenceLists();
    if (fastSeamIndex() == 1)
        ComboBox_seamless_computerChange();
    else
        combo_refreqChange();
}

void InputReferenceController::combo_refreqChange()
{
    if (combo_refreq->isHidden()) return;
    dev_.SetREFREQ(uint32_t(std::max(combo_refreq->currentIndex(), 0)));
}

void InputReferenceController::ComboBox_seamless_computerChange()
{
    dev_.SetREFREQ(uint32_t(std::max(ComboBox_seamless_computer->currentIndex(), 0) + 9));
}

void InputReferenceController::ZEPH350_d1REFREQchange(TZEPH350_d*, int)
{
    const uint32_t refreq = dev_.REFREQ();
    auto select = [](QComboBox* list, uint32_t index) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(index < uint32_t(list->count()) ? int(index) : -1);
    };
    if (refreq < 9)
        select(combo_refreq, refreq);
    else if (refreq <= 10)
        select(ComboBox_seamless_computer, refreq - 9);
    // The list in view on the four-input model has no item for a computer
    // reference (nor for one above 10): it shows none, as it does for an
    // input the model lacks.
    if (refreq >= 9 && w_.state.fourInputs) select(combo_refreq, uint32_t(-1));
    // The mode follows the device; showing it writes nothing back.
    setFastSeamIndex(refreq >= 9 ? 1 : 0);
    showReferenceLists();
    w_.output().ZEPH350_d1OFMTchange(&dev_, dev_.Tag());
    Comp_refsta_refreq();
}

void InputReferenceController::ZEPH350_d1REFSTAchange(TZEPH350_d*, int)
{
    const bool reference = dev_.REFSTA() != 0;
    Label_reffam->setVisible(reference);
    Label_reffrq->setVisible(reference);
    input_ref();
    w_.inputs().status().afichoupalmenimag();
    Comp_refsta_refreq();
    w_.output().ZEPH350_d1OFMTchange(&dev_, dev_.Tag());
}

void InputReferenceController::ZEPH350_d1REFFAMchange(TZEPH350_d*, int)
{
    Comp_refsta_refreq();
    input_ref();
}

void InputReferenceController::ZEPH350_d1REFFRQchange(TZEPH350_d*, int)
{
    input_ref();
}

void InputReferenceController::input_ref()
{
    const uint32_t refsta = dev_.REFSTA();
    std::optional<QString> text;
    if (refsta == 0)
        text = QStringLiteral("Internal reference");
    else if (refsta <= 8)
        text = item(combo_refreq, refsta);  // none for inputs the model lacks
    else if (refsta <= 10)
        text = item(ComboBox_seamless_computer, refsta - 9);
    else if (refsta == 11)
        text = QStringLiteral("Error");
    if (text) Label_refsta->setText(*text);
    Label_reffam->setText(labelText(shortFamilyName(dev_.REFFAM())));
    const QString rate = QString::number(dev_.REFFRQ()) + QStringLiteral(" Hz");
    Label_reffrq->setText(rate);
    Label_freq_trame->setText(rate);
}

void InputReferenceController::Comp_refsta_refreq()
{
    const uint32_t refsta = dev_.REFSTA();
    const bool ok = refsta == dev_.REFREQ();
    Edit_status->setText(ok ? QStringLiteral("OK") : QStringLiteral("Error"));
    QPalette p = Edit_status->palette();
    p.setColor(QPalette::Base, ok ? classic::ButtonFace : classic::Red);
    Edit_status->setPalette(p);
    QFont f = Edit_status->font();
    f.setBold(!ok);
    Edit_status->setFont(f);

    // What the output shows in seamless switching; left as it is for a
    // reference that names nothing (an input the model lacks, 11 and up).
    const uint32_t ofmt = dev_.OFMT();
    const OutputController& output = w_.output();
    std::optional<QString> seamless;
    bool computer = false;
    if (refsta == 0) {
        seamless = itemOrEmpty(combo_refreq, 0) + QStringLiteral("    ") +
                   itemOrEmpty(output.output_format_master, OutputController::Position_INDEX_master_par_rapport_OFMT(ofmt));
    } else if (refsta <= 8) {
        if (const std::optional<QString> followed = item(combo_refreq, refsta))
            seamless = *followed + QStringLiteral("    ") +
                       itemOrEmpty(output.output_format_follow, OutputController::followPosition(ofmt));
    } else if (refsta <= 10) {
        computer = true;
        seamless = itemOrEmpty(ComboBox_seamless_computer, int(refsta - 9)) + QLatin1Char(' ') +
                   referenceOutputName(dev_.REFFAM());
    }
    if (!seamless) return;
    {
        QComboBox* box = output.ComboBox_out_seam;
        const QSignalBlocker block(box);
        box->clear();
        box->addItem(*seamless);
        box->setCurrentIndex(0);
    }
    if (computer) output.Label_outformat->setText(*seamless);
}
