#include "model_layout.h"

#include "about.h"
#include "audio_controller.h"
#include "effects_controller.h"
#include "gfx_drawedge.h"
#include "hd15.h"
#include "image_controller.h"
#include "inputs_controller.h"
#include "reading_order.h"
#include "regctl/scroll_bar.h"
#include "shown_pages.h"
#include "zeph350_main.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QLayout>
#include <QPoint>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <array>
#include <stdexcept>
#include <string>

namespace {

using Kind = ModelLayoutController::Kind;
using Model = ModelLayoutController::Model;

// The model table.
const Model kModels[] = {
    {18, "Zeph-Fir", 0, "HD15 PIN ASSIGNMENT (INPUT #1 to #8)"},
    {21, "Zeph-Elm", 1, "HD15 PIN ASSIGNMENT (INPUT #1 to #8)"},
    {22, "Zeph-Birch", 2, "HD15 PIN ASSIGNMENT (INPUT #1 to #8)"},
    {23, "Zeph-Ash", 3, "HD15 PIN ASSIGNMENT (INPUT #1 to #8)"},
    {25, "Zeph-Fir", 0, "HD15 PIN ASSIGNMENT (INPUT #1 to #8)"},
    {26, "Zeph-Oak", 4, "HD15 PIN ASSIGNMENT (INPUT #1 to #4)"},
};
// Any other code only renames the product and the HD15 window.
const Model kAnyOther{0, "Zeph-Cedar", -1, "HD15 PIN ASSIGNMENT (INPUT)"};

// The columns of the table of shown controls, in this order.
constexpr std::array<uint32_t, 6> kColumns = {18, 21, 22, 23, 25, 26};

int columnOf(uint32_t model)
{
    for (size_t i = 0; i < kColumns.size(); ++i)
        if (kColumns[i] == model) return int(i);
    return -1;
}

bool fourInputModel(uint32_t model)
{
    return model == 26;
}
// The logo assignment rows open the 63-pixel band below the input buttons.
bool logoModel(uint32_t model)
{
    return model == 21 || model == 23;
}
// The effect buttons take the space left of the master volume.
bool effectsModel(uint32_t model)
{
    return model == 22 || model == 23;
}

// One cell of the table of shown controls.
enum class Shown {
    Keep,  // the control keeps its state
    No,
    Yes,
    T,     // shown while the test pattern OPAT is 1
    TStar, // as T while the identifier VERI is 32768 or more, else hidden
};
constexpr Shown k = Shown::Keep, o = Shown::No, I = Shown::Yes, T = Shown::T, TS = Shown::TStar;

struct Target {
    Kind kind;
    const char* name;
};
constexpr Target W(const char* name)
{
    return {Kind::Widget, name};
}
constexpr Target A(const char* name)
{
    return {Kind::Action, name};
}
constexpr Target P(const char* name)
{
    return {Kind::Page, name};
}

struct ShownRow {
    std::array<Shown, 6> shown;  // models 18, 21, 22, 23, 25, 26
    std::vector<Target> controls;
};

// Which controls each model shows.
const std::vector<ShownRow>& shownTable()
{
    static const std::vector<ShownRow> rows = {
        // Inputs 5 to 8: the input buttons, the rows of the "Input" page and the renaming items.
        {{I, I, I, I, I, o},
         {W("label_input5"), W("label_input6"), W("label_input7"), W("label_input8"),
          W("Label_input_5"), W("Label_input_6"), W("Label_input_7"), W("Label_input_8"),
          W("CheckBox_PProc_pchan_5"), W("CheckBox_PProc_pchan_6"), W("CheckBox_PProc_pchan_7"),
          W("CheckBox_PProc_pchan_8"), W("ComboBox_signaltype5"), W("ComboBox_signaltype6"),
          W("ComboBox_signaltype7"), W("ComboBox_signaltype8"), W("ComboBox_standard5"), W("ComboBox_standard6"),
          W("ComboBox_standard7"), W("ComboBox_standard8"), W("GfxRadioButton_HiZ5"), W("GfxRadioButton_HiZ6"),
          W("GfxRadioButton_HiZ7"), W("GfxRadioButton_HiZ8"), A("Input5"), A("Input6"), A("Input7"), A("Input8")}},
        // Audio inputs 5 to 8.
        {{I, I, I, I, I, o},
         {W("Label_audio5"), W("Label_audio6"), W("Label_audio7"), W("Label_audio8"), W("ScrollBar_audio5"),
          W("ScrollBar_audio6"), W("ScrollBar_audio7"), W("ScrollBar_audio8"), W("Edit_audio_5"), W("Edit_audio_6"),
          W("Edit_audio_7"), W("Edit_audio_8"), W("ScrollBar_balance_5"), W("ScrollBar_balance_6"),
          W("ScrollBar_balance_7"), W("ScrollBar_balance_8"), W("Edit_balance_5"), W("Edit_balance_6"),
          W("Edit_balance_7"), W("Edit_balance_8"), A("Audio5"), A("Audio6"), A("Audio7"), A("Audio8")}},
        // The microphone's extras on the "Audio" page.
        {{I, I, I, I, I, o},
         {W("Label18"), W("Bevel9"), W("Label1"), W("ScrollBar_tone"), W("Edit_tone"), W("RadioGroup_mic_compression"),
          W("RadioGroup_mic_noise_gate")}},
        // The switching mode, the computer reference and the input reference.
        {{I, I, I, I, I, o}, {W("RadioGroup_fast_seam")}},
        {{k, k, k, k, k, o}, {W("ComboBox_seamless_computer")}},
        {{k, k, k, k, k, I}, {W("combo_refreq")}},
        // Renaming the logo slots.
        {{I, I, I, I, I, o},
         {A("Logo1"), A("Logo2"), A("Logo3"), A("Logo4"), A("Logo5"), A("Logo6"), A("Logo7"), A("Logo8"), A("Frame")}},
        {{o, I, o, I, o, o}, {A("vide1"), A("vide2"), A("vide3"), A("vide4"), A("vide5")}},
        // Logos and frames.
        {{o, I, o, I, o, o},
         {P("new_logos"), W("new_Panel1"), W("Label_output_format_logo"), W("Label_outformat_logo"), A("Frame1"),
          A("AutoFrame1")}},
        // Effects.
        {{o, o, I, I, o, o},
         {P("Effects"), W("GfxShapeControl_effects"), W("StaticText_effect"), W("SpeedButton_cut"),
          W("SpeedButton_fade"), W("SpeedButton_title")}},
        {{o, I, I, I, I, I}, {W("BitBtn_alignment")}},
        // The test pattern's position and size.
        {{o, TS, T, T, T, o}, {W("BitBtn_cadrage_pattern"), {Kind::PatternHint, "RadioGroup_test_pattern"}}},
        // Projector stand-by.
        {{o, o, o, o, o, I}, {A("N12"), A("Standbymode")}},
        // What every model has.
        {{I, I, I, I, I, I},
         {P("TabSheet_input"), P("TabSheet_output"), P("TabSheet_image"), P("TabSheet_audio"),
          A("FadeColor_et_Frame"), A("Color1"), A("CleanCut1")}},
    };
    return rows;
}

// The test-pattern group's hint, shown while its popup is attached.
const char* const PatternHintText = "Position & Size";

// Input buttons: eight of 76 by 33, or four of 140 on the four-input model.
constexpr std::array<int, 8> kEightLefts = {4, 86, 169, 252, 334, 417, 500, 583};
constexpr std::array<int, 4> kFourLefts = {4, 174, 345, 516};
constexpr int ButtonTop = 5, ButtonHeight = 33, EightWidth = 76, FourWidth = 140;

// The audio rows of inputs 1 to 4 (bar tops; the edits level with them but
// the first, 2 higher, clear of the second), 60 lower on the four-input
// model, as is their group box.
constexpr std::array<int, 4> kAudioRowTops = {54, 74, 95, 116};
constexpr int AudioFourShift = 60;
// "Level", "Balance" and "Auto Follow" above the rows; on the four-input
// model the group's frame leaves no room there, and they share the line of
// the group's title ("Auto Follow" at its right end).
constexpr int AudioCaptionTop = 34, AudioCaptionFourTop = 81;
constexpr QPoint AutoFollowAt(10, 22), AutoFollowFourAt(520, 1);

}  // namespace

ModelLayoutController::ModelLayoutController(TZEPH350_main& w)
    : FamilyController(w.ZEPH350_d1, Family::ModelLayout), w_(w)
{
    // The input buttons' hints are shown only where the model says so.
    for (QToolButton* b : w_.label_input) b->installEventFilter(this);
    ZEPH_ON(OnDEVchange, ModelLayoutController, ZEPH350_d1DEVchange);
}

const ModelLayoutController::Model& ModelLayoutController::model(uint32_t dev)
{
    for (const Model& m : kModels)
        if (m.dev == dev) return m;
    return kAnyOther;
}

std::vector<ModelLayoutController::Named> ModelLayoutController::tableNames()
{
    std::vector<Named> names;
    for (const ShownRow& row : shownTable())
        for (const Target& t : row.controls) names.push_back({t.kind, QString::fromLatin1(t.name)});
    return names;
}

namespace {

// Every name of the window and the control it names, from one walk of the
// window: the model table names a few hundred controls, and a findChild
// per name walked the whole window each time. The walks keep findChild's
// and findChildren's orders, so that a name given twice finds the one
// those would.
class NameIndex {
public:
    using Kind = ModelLayoutController::Kind;

    explicit NameIndex(const TZEPH350_main& w) : pages_(*w.PageControl1)
    {
        // Widgets of the main window only: the dialogs it owns have names
        // of their own ("Label1"); menu items anywhere outside a dialog.
        widgetsBelow(w.centralWidget());
        actionsBelow(&w, false);
    }

    QObject* find(Kind kind, const QString& name) const
    {
        switch (kind) {
        case Kind::Widget:
        case Kind::PatternHint: return widgets_.value(name);
        case Kind::Action: return actions_.value(name);
        case Kind::Page:
            for (int i = 0; i < pages_.count(); ++i)
                if (pages_.widget(i)->objectName() == name) return pages_.widget(i);
            return nullptr;
        }
        return nullptr;
    }

private:
    static void first(QHash<QString, QObject*>& names, QObject* c)
    {
        const QString name = c->objectName();
        if (!names.contains(name)) names.insert(name, c);
    }
    void widgetsBelow(const QObject* parent)
    {
        // findChild looks at all the children first, then into each.
        for (QObject* c : parent->children())
            if (c->isWidgetType()) first(widgets_, c);
        for (QObject* c : parent->children()) widgetsBelow(c);
    }
    void actionsBelow(const QObject* parent, bool inDialog)
    {
        for (QObject* c : parent->children()) {
            if (!inDialog && qobject_cast<QAction*>(c)) first(actions_, c);
            actionsBelow(c, inDialog || qobject_cast<QDialog*>(c) != nullptr);
        }
    }

    const QTabWidget& pages_;
    QHash<QString, QObject*> widgets_, actions_;
};

}  // namespace

QObject* ModelLayoutController::find(const Named& n) const
{
    return NameIndex(w_).find(n.kind, n.name);
}

void ModelLayoutController::attachControls()
{
    controls_.clear();
    const NameIndex index(w_);
    for (const ShownRow& row : shownTable()) {
        std::vector<QObject*>& found = controls_.emplace_back();
        for (const Target& t : row.controls) {
            QObject* c = index.find(t.kind, QString::fromLatin1(t.name));
            if (!c) throw std::logic_error(std::string("the model table names no control ") + t.name);
            found.push_back(c);
        }
    }
}

void ModelLayoutController::ZEPH350_d1DEVchange(TZEPH350_d*, int)
{
    visible_or_not_visible(dev_.DEV());
}

void ModelLayoutController::relayout()
{
    const uint32_t model = w_.state.Last_model;
    w_.state.Last_model = 0;
    visible_or_not_visible(model);
}

void ModelLayoutController::visible_or_not_visible(uint32_t model)
{
    // The keep-alive answers DEV every 2 s: the same model lays out nothing.
    if (model == w_.state.Last_model) return;

    const Model& m = ModelLayoutController::model(model);
    w_.state.productName = QString::fromLatin1(m.name);
    if (m.aboutPicture >= 0) {
        if (auto* about = w_.state.win.About_zeph_350) about->ShowPicture(m.aboutPicture);
    }
    if (auto* hd15 = w_.state.win.Form_HD15_PIN_ASSIGNEMENT) hd15->setWindowTitle(QString::fromLatin1(m.hd15Caption));

    const int column = columnOf(model);
    if (column >= 0) {
        applyShownControls(column);
        applyTexts(model);
        applyPositions(model);
        // Tab follows the controls where they now stand.
        w_.tabOrder().update();
    }
    rebuildCaption();
    w_.state.Last_model = model;
}

void ModelLayoutController::applyShownControls(int column)
{
    const bool pattern = dev_.OPAT() == 1;
    const bool identified = dev_.VERI() >= 32768;
    std::vector<std::pair<QWidget*, bool>> tabs;
    const std::vector<ShownRow>& table = shownTable();
    for (size_t r = 0; r < table.size() && r < controls_.size(); ++r) {
        const ShownRow& row = table[r];
        const Shown rule = row.shown[size_t(column)];
        if (rule == Shown::Keep) continue;
        const bool on = rule == Shown::Yes || (rule == Shown::T && pattern) || (rule == Shown::TStar && pattern && identified);
        for (size_t i = 0; i < row.controls.size(); ++i) {
            const Target& t = row.controls[i];
            QObject* c = controls_[r][i];
            switch (t.kind) {
            case Kind::Widget: static_cast<QWidget*>(c)->setVisible(on); break;
            case Kind::Action: static_cast<QAction*>(c)->setVisible(on); break;
            case Kind::Page: tabs.emplace_back(static_cast<QWidget*>(c), on); break;
            case Kind::PatternHint: {
                // The output family pops "Position && Size" up only while
                // the group asks for a custom menu; without the popup the
                // group offers none.
                auto* group = static_cast<QWidget*>(c);
                group->setToolTip(on ? QString::fromLatin1(PatternHintText) : QString());
                group->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::PreventContextMenu);
                break;
            }
            }
        }
    }
    showTabs(tabs);
}

void ModelLayoutController::showTabs(const std::vector<std::pair<QWidget*, bool>>& tabs)
{
    // Hiding the page in view is not the operator leaving it: no handler of
    // the page control's change runs. The page control's signals are held,
    // and when the page in view goes, the first page that stays is put in
    // view first, on purpose.
    QTabWidget* pages = w_.PageControl1;
    const QSignalBlocker block(pages);
    auto shownAfter = [&](int index) {
        for (const auto& [page, on] : tabs)
            if (pages->indexOf(page) == index) return on;
        return pages->isTabVisible(index);
    };
    const int current = pages->currentIndex();
    if (current >= 0 && !shownAfter(current)) {
        for (int i = 0; i < pages->count(); ++i) {
            if (shownAfter(i)) {
                pages->setCurrentIndex(i);
                break;
            }
        }
    }
    for (const auto& [page, on] : tabs) setPageShown(pages, page, on);
}

void ModelLayoutController::applyTexts(uint32_t model)
{
    const bool four = fourInputModel(model);

    // The aspect tabs are wider on the four-input model: their texts are
    // padded with blanks to fill them.
    QTabBar* aspect = w_.image().aspectTabs();
    {
        const QString texts[2] = {QStringLiteral("Output   4/3"), QStringLiteral("Output 16/9")};
        const int widths[2] = {27, 26};
        for (int i = 0; i < 2 && i < aspect->count(); ++i)
            aspect->setTabText(i, four ? texts[i].leftJustified(widths[i]) : texts[i]);
    }

    // The reference list: "Follow  " and inputs 5 to 8 go on the four-input
    // model and come back on the others. Items are cut only while they are
    // there and put back only where they are missing, so that laying out
    // the four-input model again (after a lost link, say) never deletes
    // another entry or reaches past the list.
    {
        QComboBox* refreq = w_.inputs().reference().combo_refreq;
        const QSignalBlocker block(refreq);
        if (four) {
            refreq->setMaxVisibleItems(5);
            for (int i = 0; i < 4 && refreq->count() > 5; ++i) refreq->removeItem(5);
            w_.state.fourInputs = true;
        } else {
            refreq->setMaxVisibleItems(16);
            if (w_.state.fourInputs) {
                w_.state.fourInputs = false;
                for (int k = 5; k <= 8; ++k)
                    if (refreq->count() == k)
                        refreq->insertItem(k, QStringLiteral("Follow  ") + w_.label_input[size_t(k - 1)]->text());
            }
        }
    }

    // The input buttons tell their logo assignments where the model has logos.
    inputHints_ = logoModel(model);
}

void ModelLayoutController::applyPositions(uint32_t model)
{
    const bool four = fourInputModel(model);
    const bool effectsRow = effectsModel(model);
    InputsController& inputs = w_.inputs();
    AudioController& audio = w_.audio();
    EffectsController& effects = w_.effects();
    auto setTop = [](QWidget* c, int top) { c->move(c->x(), top); };

    // Input buttons.
    for (size_t i = 0; i < w_.label_input.size(); ++i) {
        if (!four)
            w_.label_input[i]->setGeometry(kEightLefts[i], ButtonTop, EightWidth, ButtonHeight);
        else if (i < kFourLefts.size())
            w_.label_input[i]->setGeometry(kFourLefts[i], ButtonTop, FourWidth, ButtonHeight);
    }

    // The top panel, with the band of the logo assignment rows open or
    // closed; everything below it follows.
    setPanelHeight(logoModel(model) ? PanelHeight + Band : PanelHeight);

    // Output page: the reference lists and the aspect tabs.
    const int listLeft = four ? 24 : 104, listWidth = four ? 249 : 169;
    inputs.reference().combo_refreq->setGeometry(listLeft, 52, listWidth, 21);
    inputs.reference().ComboBox_seamless_computer->setGeometry(listLeft, 52, listWidth, 21);
    w_.image().aspectTabs()->setGeometry(listLeft, 72, listWidth, 17);

    // Input page: the five columns, eight rows or four.
    for (QGroupBox* g : inputs.columns) g->setGeometry(g->x(), four ? 81 : 8, g->width(), four ? 157 : 314);

    // Audio page: the group of the audio buttons and the rows of inputs 1
    // to 4; the buttons in the group stay level with their rows.
    const int groupTop = four ? 80 : 11;
    const int shift = four ? AudioFourShift : 0;
    QGroupBox* group = audio.GroupBox7;
    group->setGeometry(group->x(), groupTop, group->width(), four ? 126 : 222);
    for (size_t i = 0; i < kAudioRowTops.size(); ++i) {
        const int top = kAudioRowTops[i] + shift;
        setTop(audio.ScrollBar_audio[i], top);
        setTop(audio.ScrollBar_balance[i], top);
        const int editTop = i == 0 ? top - 2 : top;
        setTop(audio.Edit_audio[i], editTop);
        setTop(audio.Edit_balance[i], editTop);
        setTop(w_.Label_audio[i], top - groupTop - 1);
    }
    audio.RadioButton->move(four ? AutoFollowFourAt : AutoFollowAt);
    setTop(audio.Label_audio_level, four ? AudioCaptionFourTop : AudioCaptionTop);
    setTop(audio.Label_audio_balance, four ? AudioCaptionFourTop : AudioCaptionTop);

    // The master volume, shorter where the effect buttons sit to its left.
    audio.Label17->move(effectsRow ? 404 : 208, audio.Label17->y());
    ScrollBarEx* master = audio.ScrollBar_AMAST;
    master->setGeometry(effectsRow ? 456 : 260, master->y(), effectsRow ? 137 : 333, master->height());

    // The please-wait panel, and the transition button level with its edge.
    setTop(w_.BitBtn_initial_please, logoModel(model) ? 261 : 217);
    setTop(effects.transition().BitBtn_effect_color_frame_cleancut, effects.transition().GfxDrawEdge1->y());
}

void ModelLayoutController::setPanelHeight(int height)
{
    QWidget* panel = w_.Panel_ichmp;
    QWidget* client = w_.centralWidget();
    const int old = panel->height();
    const int delta = height - old;
    if (delta == 0) return;
    // The window sizes itself to its controls: the client area grows or
    // shrinks by the band, and every control below the panel moves with it.
    for (QObject* o : client->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c == panel || c->isWindow()) continue;
        if (c->y() >= old) c->move(c->x(), c->y() + delta);
    }
    panel->resize(panel->width(), height);
    client->setFixedSize(client->width(), client->height() + delta);
    if (QLayout* l = w_.layout()) l->activate();
}

void ModelLayoutController::rebuildCaption()
{
    const TZEPH350_d& z = w_.ZEPH350_d1;
    if (z.ConType() == CON_TCP)
        w_.setLinkCaption(QStringLiteral("TCP"));
    else if (z.ConType() == CON_UDP)
        w_.setLinkCaption(QStringLiteral("UDP"));
    else
        w_.setLinkCaption(QStringLiteral("Port: ") + z.Port());
}

bool ModelLayoutController::eventFilter(QObject* watched, QEvent* event)
{
    // An input button's hint stays in its tool tip; it is only not shown.
    if (event->type() == QEvent::ToolTip && !inputHints_) return true;
    return FamilyController::eventFilter(watched, event);
}
