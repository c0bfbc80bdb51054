#include "names.h"

#include "custom_files.h"
#include "inputs_controller.h"
#include "logos_controller.h"
#include "prompter.h"
#include "text_lines.h"
#include "zeph350_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace names {

namespace {

// The sixteen assignment lists: layer 0 of inputs 1 to 8, then layer 1.
QList<QComboBox*> logoLists(TZEPH350_main& w)
{
    QList<QComboBox*> lists;
    for (QComboBox* c : w.logos().assignment().new_Combologo) lists << c;
    for (QComboBox* c : w.logos().assignment().LINDEX2_Combologo) lists << c;
    return lists;
}

void setItem(QComboBox* c, int index, const QString& text)
{
    if (index >= 0 && index < c->count()) c->setItemText(index, text);
}

}  // namespace

void rename(TZEPH350_main& w)
{
    // Runs on every report of the input on the output: the controls are
    // reached through the inputs family, not searched for by name.
    InputsController& inputs = w.inputs();
    QComboBox* refreq = inputs.reference().combo_refreq;
    const QSignalBlocker block(refreq);
    const int kept = refreq ? refreq->currentIndex() : -1;
    if (refreq) refreq->clear();
    for (int i = 1; i <= 8; ++i) {
        if (QCheckBox* used = inputs.Label_input_[size_t(i - 1)]) used->setText(w.label_input[size_t(i - 1)]->text());
    }
    const uint32_t ichm = w.ZEPH350_d1.ICHM();
    if (ichm >= 1 && ichm <= 8 && inputs.status().Label_ICHM) inputs.status().Label_ICHM->setText(w.label_input[size_t(ichm - 1)]->text());
    if (refreq) {
        refreq->addItem(QStringLiteral("Internal reference"));
        const int inputs = w.state.fourInputs ? 4 : 8;
        for (int k = 1; k <= inputs; ++k)
            refreq->addItem(QStringLiteral("Follow  ") + w.label_input[size_t(k - 1)]->text());
        refreq->setCurrentIndex(kept);
    }
}

void logorename(TZEPH350_main& w, int slot)
{
    if (slot < 1 || slot > 9) return;
    const QList<QComboBox*> lists = logoLists(w);
    const QComboBox* first = w.logos().assignment().new_Combologo[0];
    const bool empty = slot < first->count() && first->itemText(slot) == QLatin1String("Empty");
    if (!empty) {
        const QString& name = w.state.Logo_names[size_t(slot)];
        for (QComboBox* c : lists) {
            const QSignalBlocker block(c);
            const int kept = c->currentIndex();
            setItem(c, slot, name);
            c->setCurrentIndex(kept);
        }
        if (slot > 1) {
            QComboBox* store = w.logos().ComboBox_lstore;
            const QSignalBlocker block(store);
            setItem(store, slot - 2, name);
        }
    }
    w.names().hinthinthint();
}

void spreadLogoNames(TZEPH350_main& w)
{
    for (int slot = 1; slot <= 9; ++slot) logorename(w, slot);
}

QString unstorableName(const QString& name)
{
    return unstorableMessage(name, QStringLiteral("the customization file")) + QStringLiteral(" Enter another label.");
}

bool acceptableName(const QString& name)
{
    return name.size() <= MaxNameLength && !name.trimmed().isEmpty();
}

std::optional<QString> askName(QWidget* parent, const QString& title, const QString& old)
{
    // Cancel ends the question: the name stays, even one that a file
    // brought in longer than the box accepts.
    for (;;) {
        const std::optional<QString> answer =
            prompter().inputBox(parent, title, QStringLiteral("Enter a new label (10 characters maximum)"), old);
        if (!answer) return std::nullopt;
        if (!acceptableName(*answer)) continue;
        // The customisation file stores single-byte text, a name on its
        // line: a character beyond Latin-1 would come back as "?", a line
        // break would start a line of its own.
        if (storableText(*answer)) return answer;
        prompter().message(parent, QApplication::applicationName(), unstorableName(*answer), Prompter::Icon::Warning);
    }
}

void fillLogoLists(TZEPH350_main& w)
{
    const QList<QComboBox*> lists = logoLists(w);
    QComboBox* store = w.logos().ComboBox_lstore;
    for (size_t i = 0; i < w.state.Logo_names.size(); ++i) {
        for (QComboBox* c : lists) {
            const QSignalBlocker block(c);
            c->addItem(w.state.Logo_names[i]);
            c->setCurrentIndex(0);
        }
        if (i >= 2) {
            const QSignalBlocker block(store);
            store->addItem(w.state.Logo_names[i]);
        }
    }
}

}  // namespace names

namespace {

// The operator handlers of input n's button, "Used" box and "VCR" box, by
// their design names; the constructor connects each row's three controls.
struct InputHandlers {
    int n;
    const char* button;
    const char* used;
    const char* vcr;
};
const InputHandlers kInputHandlers[8] = {
    {1, "label_input1Click", "Label_input_1MouseUp", "CheckBox_PProc_pchan_1MouseUp"},
    {2, "label_input2Click", "Label_input_2MouseUp", "CheckBox_PProc_pchan_2MouseUp"},
    {3, "label_input3Click", "Label_input_3MouseUp", "CheckBox_PProc_pchan_3MouseUp"},
    {4, "label_input4Click", "Label_input_4MouseUp", "CheckBox_PProc_pchan_4MouseUp"},
    {5, "label_input5Click", "Label_input_5MouseUp", "CheckBox_PProc_pchan_5MouseUp"},
    {6, "label_input6Click", "Label_input_6MouseUp", "CheckBox_PProc_pchan_6MouseUp"},
    {7, "label_input7Click", "Label_input_7MouseUp", "CheckBox_PProc_pchan_7MouseUp"},
    {8, "label_input8Click", "Label_input_8MouseUp", "CheckBox_PProc_pchan_8MouseUp"},
};

const QString RenameTitle = QStringLiteral("Change the button' label ");

// A hint line: "1: FRAME : Frame" when the list shows the frame, else
// "1: LOGO : " and the list's text.
QString hintLine(int layer, const QComboBox* list)
{
    const bool frame = list && list->currentIndex() == 1;
    return QString::number(layer) + (frame ? QStringLiteral(": FRAME : ") : QStringLiteral(": LOGO : ")) +
           (list ? list->currentText() : QString());
}

}  // namespace

NamesController::NamesController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Names), w_(w)
{
    // The renaming items of "C&ustomize": item Input3 runs Input3Click,
    // which renames input 3; Frame and Logo1 to Logo8 rename slots 1 to 9.
    const TZEPH350_main::MenuItems& m = w_.menu;
    using Rename = void (NamesController::*)(int);
    const struct {
        QAction* item;
        const char* handler;
        Rename rename;
        int n;
    } renames[] = {
        {m.Input[0], "Input1Click", &NamesController::renameInput, 1},
        {m.Input[1], "Input2Click", &NamesController::renameInput, 2},
        {m.Input[2], "Input3Click", &NamesController::renameInput, 3},
        {m.Input[3], "Input4Click", &NamesController::renameInput, 4},
        {m.Input[4], "Input5Click", &NamesController::renameInput, 5},
        {m.Input[5], "Input6Click", &NamesController::renameInput, 6},
        {m.Input[6], "Input7Click", &NamesController::renameInput, 7},
        {m.Input[7], "Input8Click", &NamesController::renameInput, 8},
        {m.Audio[0], "Audio1Click", &NamesController::renameAudio, 1},
        {m.Audio[1], "Audio2Click", &NamesController::renameAudio, 2},
        {m.Audio[2], "Audio3Click", &NamesController::renameAudio, 3},
        {m.Audio[3], "Audio4Click", &NamesController::renameAudio, 4},
        {m.Audio[4], "Audio5Click", &NamesController::renameAudio, 5},
        {m.Audio[5], "Audio6Click", &NamesController::renameAudio, 6},
        {m.Audio[6], "Audio7Click", &NamesController::renameAudio, 7},
        {m.Audio[7], "Audio8Click", &NamesController::renameAudio, 8},
        {m.Frame, "FrameClick", &NamesController::renameLogo, 1},
        {m.Logo[0], "Logo1Click", &NamesController::renameLogo, 2},
        {m.Logo[1], "Logo2Click", &NamesController::renameLogo, 3},
        {m.Logo[2], "Logo3Click", &NamesController::renameLogo, 4},
        {m.Logo[3], "Logo4Click", &NamesController::renameLogo, 5},
        {m.Logo[4], "Logo5Click", &NamesController::renameLogo, 6},
        {m.Logo[5], "Logo6Click", &NamesController::renameLogo, 7},
        {m.Logo[6], "Logo7Click", &NamesController::renameLogo, 8},
        {m.Logo[7], "Logo8Click", &NamesController::renameLogo, 9},
    };
    for (const auto& r : renames) {
        const Rename rename = r.rename;
        const int n = r.n;
        connect(r.item, &QAction::triggered, this, [this, rename, n] { (this->*rename)(n); });
    }
    connect(m.Default1, &QAction::triggered, this, [this] { Default1Click(); });

    all_PopupMenu = new QMenu(&w_);
    all_PopupMenu->setObjectName(QStringLiteral("all_PopupMenu"));
    all_Used = all_PopupMenu->addAction(QStringLiteral("Input unused"));
    all_Used->setObjectName(QStringLiteral("all_Used"));
    all_PopupMenu->addSeparator();
    all_Rename = all_PopupMenu->addAction(QStringLiteral("Rename"));
    all_Rename->setObjectName(QStringLiteral("all_Rename"));
    connect(all_Used, &QAction::triggered, this, [this] { all_UsedClick(); });
    connect(all_Rename, &QAction::triggered, this, [this] { all_RenameClick(); });

    InputsController& inputs = w_.inputs();
    for (const InputHandlers& h : kInputHandlers) {
        const int n = h.n;
        QToolButton* button = w_.label_input[size_t(n - 1)];
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this, [this, button](const QPoint& at) {
            all_PopupMenuPopup(button);
            all_PopupMenu->popup(button->mapToGlobal(at));
        });
        connect(button, &QToolButton::clicked, this, [this, n] { label_inputClick(n); });
        connect(inputs.Label_input_[size_t(n - 1)], &QCheckBox::clicked, this, [this, n] { Label_input_MouseUp(n); });
        connect(inputs.CheckBox_PProc_pchan[size_t(n - 1)], &QCheckBox::clicked, this,
                [this, n] { CheckBox_PProc_pchan_MouseUp(n); });
    }

    ZEPH_ON(OnPPROCchange, NamesController, ZEPH350_d1PPROCchange);
}

void NamesController::renameInput(int n)
{
    if (n >= 1 && n <= 8) renameButton(w_.label_input[size_t(n - 1)], QStringLiteral("INPUT %1").arg(n));
}

void NamesController::renameAudio(int n)
{
    if (n >= 1 && n <= 8) renameButton(w_.Label_audio[size_t(n - 1)], QStringLiteral("AUDIO %1").arg(n));
}

void NamesController::renameButton(QAbstractButton* button, const QString& what)
{
    const std::optional<QString> name = names::askName(&w_, RenameTitle + what, button->text());
    if (!name) return;
    button->setText(*name);
    names::rename(w_);
}

void NamesController::renameLogo(int slot)
{
    if (slot < 1 || slot > 9) return;
    const QString what = slot == 1 ? QStringLiteral("Frame") : QStringLiteral("Logo %1").arg(slot - 1);
    QString& current = w_.state.Logo_names[size_t(slot)];
    const std::optional<QString> name = names::askName(&w_, RenameTitle + what, current);
    if (!name) return;
    current = *name;
    names::logorename(w_, slot);
}

void NamesController::Default1Click()
{
    // The factory customisation, as the file holds it; the port (key 0)
    // stays as it is.
    QStringList pairs{QStringLiteral("0=com1")};
    for (int i = 1; i <= 8; ++i) pairs << QStringLiteral("%1=Input %1").arg(i);
    for (int i = 1; i <= 8; ++i) pairs << QStringLiteral("%1=Audio %2").arg(i + 8).arg(i);
    pairs << QStringLiteral("17=None") << QStringLiteral("18=Frame");
    for (int i = 1; i <= 8; ++i) pairs << QStringLiteral("%1=Logo %2").arg(i + 18).arg(i);

    for (int key = 1; key <= 16 && key <= w_.state.renamable.size(); ++key)
        w_.state.renamable[key - 1]->setText(CustomFiles::value(pairs, QString::number(key)).value_or(QString()));
    for (int key = 17; key <= 26; ++key)
        w_.state.Logo_names[size_t(key - 17)] = CustomFiles::value(pairs, QString::number(key)).value_or(QString());
    names::rename(w_);
    names::spreadLogoNames(w_);
}

void NamesController::hinthinthint()
{
    const LogoAssignmentController& logos = w_.logos().assignment();
    for (size_t i = 0; i < 8; ++i)
        w_.label_input[i]->setToolTip(hintLine(1, logos.new_Combologo[i]) + QLatin1Char('\n') +
                                      hintLine(2, logos.LINDEX2_Combologo[i]));
}

void NamesController::all_PopupMenuPopup(QObject* opener)
{
    for (int k = 1; k <= 8; ++k)
        if (opener == w_.label_input[size_t(k - 1)]) popupTag_ = k;
}

void NamesController::all_RenameClick()
{
    renameInput(popupTag_);
}

void NamesController::all_UsedClick()
{
    if (popupTag_ < 1 || popupTag_ > 8) return;
    const bool used = w_.state.perInput.PENA[uint32_t(popupTag_)] != 0;
    dev_.SetPCHAN(uint32_t(popupTag_));
    dev_.SetPENA(!used);
}

void NamesController::label_inputClick(int n)
{
    dev_.SetICHP(uint32_t(n));
    // The buttons show what the device reported until it reports the
    // switch.
    w_.inputs().ZEPH350_d1ICHMchange(&dev_, dev_.Tag());
}

void NamesController::Label_input_MouseUp(int n)
{
    dev_.SetPCHAN(uint32_t(n));
    dev_.SetPENA(w_.inputs().Label_input_[size_t(n - 1)]->isChecked());
}

void NamesController::CheckBox_PProc_pchan_MouseUp(int n)
{
    dev_.SetPCHAN(uint32_t(n));
    dev_.SetPPROC(w_.inputs().CheckBox_PProc_pchan[size_t(n - 1)]->isChecked() ? 1 : 0);
}

void NamesController::ZEPH350_d1PPROCchange(TZEPH350_d*, int)
{
    w_.state.perInput.PPROC.store(dev_.PCHAN(), dev_.PPROC());
    w_.inputs().Tableau_input(49);
}
