#include "effects_controller.h"

#include "conversion.h"
#include "device_button.h"
#include "gfx_shapecontrol.h"
#include "zeph350_main.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

namespace {

using Event = TZEPH350_d::Event;
using zeph::Reg::FADDUR, zeph::Reg::SHVPO, zeph::Reg::SHVSZ;
using regctl::EntryForm;
using regctl::ScrollForm;

// The page's register rows: the fade duration (seconds with one decimal in
// the edit) and the title shadow's position and size (echo-paced, shown
// raw).
struct Row {
    regctl::Definition def;
    const char* label;
    const char* caption;
    int top;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

const Row kRows[] = {
    {{FADDUR, "ScrollBar_faddur", "Edit_FDUR", nullptr, nullptr, 0, 255, 0, 0, ScrollForm::Standard, EntryForm::Unchecked},
     "Label_fade_duration", "Fade duration", 24, "ScrollBar_faddurScroll", "Edit_FDURKeyPress", "ZEPH350_d1FADDURchange",
     Event::OnFADDURchange},
    {{SHVPO, "ScrollBar_title_vertical_position", "Edit_title_vertical_position", nullptr, nullptr, 0, 255, 0, 0,
      ScrollForm::EchoPaced, EntryForm::Unchecked},
     "Label_title_vertical_position", "Shadow vertical position", 150, "ScrollBar_title_vertical_positionScroll",
     "Edit_title_vertical_positionKeyPress", "ZEPH350_d1SHVPOchange", Event::OnSHVPOchange},
    {{SHVSZ, "ScrollBar_title_vertical_size", "Edit_title_vertical_size", nullptr, nullptr, 0, 255, 0, 0,
      ScrollForm::EchoPaced, EntryForm::Unchecked},
     "Label_title_vertical_size", "Shadow vertical size", 180, "ScrollBar_title_vertical_sizeScroll",
     "Edit_title_vertical_sizeKeyPress", "ZEPH350_d1SHVSZchange", Event::OnSHVSZchange},
};

// Page layout: caption, bar and edit of a row.
constexpr int RowLeft = 16, CaptionWidth = 150;
constexpr int BarLeft = 170, BarWidth = 255, BarHeight = 17;
constexpr int EditLeft = 435, EditWidth = 60, EditHeight = 21;

// The row between the top panel and the pages: the effect buttons in their
// frame, right of the transition label and left of the master volume (the
// model layout shows them and moves the row with the top panel).
constexpr int EffectsLeft = 208, EffectsTop = 44, EffectsWidth = 190, EffectsHeight = 23;

// The fade duration as the edit shows it: seconds, at most three
// significant digits, the locale's decimal separator, then "s".
QString fadeText(uint32_t tenths)
{
    return QLocale().toString(double(tenths) / 10.0, 'g', 3) + QStringLiteral("s");
}

QToolButton* effectButton(QWidget* parent, const char* name, const char* caption, int left)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromLatin1(caption));
    b->setToolTip(QStringLiteral("Output switching mode must be seamless"));
    b->setGeometry(left, EffectsTop + 2, 44, EffectsHeight - 4);
    return b;
}

// Selects the whole text of an edit when it is clicked.
class SelectAllOnClick : public QObject {
public:
    SelectAllOnClick(QObject* parent, std::function<void(QObject*)> onClick)
        : QObject(parent), onClick_(std::move(onClick))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            // After the edit has placed its cursor.
            QTimer::singleShot(0, watched, [this, watched] { onClick_(watched); });
        }
        return false;
    }

private:
    std::function<void(QObject*)> onClick_;
};

}  // namespace

EffectsController::EffectsController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Effects), w_(w)
{
    // The row above the pages, the transition label beside it, the page,
    // then the menus' switches.
    buildEffectButtons();
    transition_ = std::make_unique<TransitionController>(w);
    buildPage();
    switches_ = std::make_unique<MenuSwitchesController>(w);
    bindEvents();
}

EffectsController::~EffectsController() = default;

RegisterControl* EffectsController::control(int reg) const
{
    return controls_.find(reg);
}

void EffectsController::buildEffectButtons()
{
    QWidget* area = w_.centralWidget();
    GfxShapeControl_effects = new TGfxShapeControl(area);
    GfxShapeControl_effects->setObjectName(QStringLiteral("GfxShapeControl_effects"));
    GfxShapeControl_effects->setGeometry(EffectsLeft, EffectsTop, EffectsWidth, EffectsHeight);
    // The frame takes the row's whole height: a shadow would leave a body
    // lower than the buttons, which would hang out of it over the shadow.
    GfxShapeControl_effects->Shadow().SetStyle(hssNone);

    StaticText_effect = new QLabel(QStringLiteral("Effect"), area);
    StaticText_effect->setObjectName(QStringLiteral("StaticText_effect"));
    // Inside the frame's body, left of the buttons, centred on them (12
    // high from FormCreate on).
    StaticText_effect->setGeometry(EffectsLeft + 5, EffectsTop + 5, 36, 12);
    StaticText_effect->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Its text whole in those 12 pixels.
    QFont small = StaticText_effect->font();
    if (small.pixelSize() <= 0) small.setPixelSize(11);
    while (small.pixelSize() > 7 && StaticText_effect->sizeHint().height() > 12) {
        small.setPixelSize(small.pixelSize() - 1);
        StaticText_effect->setFont(small);
    }

    SpeedButton_cut = effectButton(area, "SpeedButton_cut", "CUT", EffectsLeft + 44);
    SpeedButton_fade = effectButton(area, "SpeedButton_fade", "FADE", EffectsLeft + 90);
    SpeedButton_title = effectButton(area, "SpeedButton_title", "TITLE", EffectsLeft + 136);
    const struct {
        QToolButton* button;
        void (EffectsController::*click)(QObject*);
    } buttons[] = {{SpeedButton_cut, &EffectsController::SpeedButton_cutClick},
                   {SpeedButton_fade, &EffectsController::SpeedButton_fadeClick},
                   {SpeedButton_title, &EffectsController::SpeedButton_titleClick}};
    for (const auto& b : buttons) {
        effectButtons.add(b.button, 444, true);
        QToolButton* button = b.button;
        const auto click = b.click;
        connect(button, &QToolButton::clicked, this, [this, button, click] {
            effectButtons.click(button);
            (this->*click)(button);
        });
    }
    // Shown by the model layout on the models that have effects.
    for (QWidget* c : std::initializer_list<QWidget*>{GfxShapeControl_effects, StaticText_effect, SpeedButton_cut,
                                                      SpeedButton_fade, SpeedButton_title})
        c->hide();
}

void EffectsController::buildPage()
{
    QWidget* page = w_.effectsPage;
    for (const Row& r : kRows) {
        const regctl::Definition& d = r.def;
        auto* label = new QLabel(QString::fromLatin1(r.caption), page);
        label->setObjectName(QString::fromLatin1(r.label));
        label->setGeometry(RowLeft, r.top, CaptionWidth, BarHeight);
        auto* bar = regctl::makeBar(page, d.bar, d, QRect(BarLeft, r.top, BarWidth, BarHeight));
        auto* edit = regctl::makeEdit(page, d.edit, QRect(EditLeft, r.top - 2, EditWidth, EditHeight));
        RegisterControl& c = controls_.add(dev_, d);
        c.add(bar, edit);
        const int reg = d.reg;
        regctl::wire(
            bar, edit, this, [this, reg](QObject* s, int code, int& pos) { Scroll(reg, s, code, pos); },
            [this, reg](QObject* s, QChar& k) { KeyPress(reg, s, k); });
        if (reg == FADDUR) {
            c.setTextForm(fadeText, SecondsInTenths);
            Label_fade_duration = label;
            edit->setText(fadeText(0));
            edit->installEventFilter(new SelectAllOnClick(edit, [this](QObject* s) { Edit_FDURClick(s); }));
        } else {
            edit->setText(QStringLiteral("0"));
            (reg == SHVPO ? Label_title_vertical_position : Label_title_vertical_size) = label;
        }
    }

    GroupBox_Shadow_title = new QGroupBox(QStringLiteral("Shadow title"), page);
    GroupBox_Shadow_title->setObjectName(QStringLiteral("GroupBox_Shadow_title"));
    GroupBox_Shadow_title->setGeometry(RowLeft, 70, 200, 52);
    // The marks show the device's SHACT: a click (or Space) only asks.
    RadioButton_off = new DeviceButton<QRadioButton>(QStringLiteral("Off"), GroupBox_Shadow_title);
    RadioButton_off->setObjectName(QStringLiteral("RadioButton_off"));
    RadioButton_off->setGeometry(16, 22, 60, 19);
    RadioButton_on = new DeviceButton<QRadioButton>(QStringLiteral("On"), GroupBox_Shadow_title);
    RadioButton_on->setObjectName(QStringLiteral("RadioButton_on"));
    RadioButton_on->setGeometry(100, 22, 60, 19);
    for (QRadioButton* r : {RadioButton_off, RadioButton_on}) r->setAutoExclusive(false);
    connect(RadioButton_off, &QRadioButton::clicked, this, [this] { RadioButton_offMouseUp(RadioButton_off); });
    connect(RadioButton_on, &QRadioButton::clicked, this, [this] { RadioButton_onMouseUp(RadioButton_on); });

    SpeedButton_take = new QToolButton(page);
    SpeedButton_take->setObjectName(QStringLiteral("SpeedButton_take"));
    SpeedButton_take->setText(QStringLiteral("Take"));
    SpeedButton_take->setGeometry(EditLeft + 90, 24, 60, 22);
    SpeedButton_take->hide();
    effectButtons.add(SpeedButton_take, 0);
}

void EffectsController::bindEvents()
{
    for (const Row& r : kRows) {
        const int reg = r.def.reg;
        on(r.event, r.change, [this, reg](TZEPH350_d*, int) { Change(reg); });
    }
    ZEPH_ON(OnEFFAVchange, EffectsController, ZEPH350_d1EFFAVchange);
    ZEPH_ON(OnEFFOUTchange, EffectsController, ZEPH350_d1EFFOUTchange);
    ZEPH_ON(OnSHACTchange, EffectsController, ZEPH350_d1SHACTchange);
    ZEPH_ON(OnTITAchange, EffectsController, ZEPH350_d1TITAchange);
}

// --- effects ----------------------------------------------------------------

void EffectsController::ZEPH350_d1EFFAVchange(TZEPH350_d*, int)
{
    const bool on = dev_.EFFAV();
    std::vector<QWidget*> controls = {StaticText_effect, SpeedButton_cut,       SpeedButton_fade,
                                      SpeedButton_title, GroupBox_Shadow_title, RadioButton_off,
                                      RadioButton_on,    Label_fade_duration,   Label_title_vertical_position,
                                      Label_title_vertical_size};
    for (const Row& r : kRows) {
        const RegisterControl* c = control(r.def.reg);
        for (auto* b : c->bars()) controls.push_back(b);
        for (auto* e : c->edits()) controls.push_back(e);
    }
    for (QWidget* c : controls) c->setEnabled(on);
}

void EffectsController::SpeedButton_cutClick(QObject*)
{
    dev_.SetEFFOUT(0);
}

void EffectsController::SpeedButton_fadeClick(QObject*)
{
    dev_.SetEFFOUT(1);
}

void EffectsController::SpeedButton_titleClick(QObject*)
{
    dev_.SetEFFOUT(2);
}

void EffectsController::ZEPH350_d1EFFOUTchange(TZEPH350_d*, int)
{
    QToolButton* const buttons[3] = {SpeedButton_cut, SpeedButton_fade, SpeedButton_title};
    const uint32_t v = dev_.EFFOUT();
    if (v > 2) return;
    effectButtons.setDown(buttons[v], true);
    effectButtons.setAllowAllUp(SpeedButton_take, v == 2);
}

void EffectsController::Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    control(reg)->Scroll(Sender, ScrollCode, ScrollPos);
}

void EffectsController::KeyPress(int reg, QObject* Sender, QChar& Key)
{
    control(reg)->KeyPress(Sender, Key);
}

void EffectsController::Change(int reg)
{
    control(reg)->Change();
}

void EffectsController::Edit_FDURClick(QObject* Sender)
{
    if (auto* edit = qobject_cast<QLineEdit*>(Sender)) edit->selectAll();
}

// --- title ------------------------------------------------------------------

void EffectsController::RadioButton_offMouseUp(QObject*)
{
    dev_.SetSHACT(false);
}

void EffectsController::RadioButton_onMouseUp(QObject*)
{
    dev_.SetSHACT(true);
}

void EffectsController::ZEPH350_d1SHACTchange(TZEPH350_d*, int)
{
    const bool on = dev_.SHACT();
    for (QRadioButton* r : {RadioButton_off, RadioButton_on}) {
        const QSignalBlocker block(r);
        r->setChecked((r == RadioButton_on) == on);
    }
}

void EffectsController::ZEPH350_d1TITAchange(TZEPH350_d*, int)
{
    for (QToolButton* b : w_.label_input) w_.inputButtons.setGroupIndex(b, 1);
    const uint32_t input = dev_.ICHM();
    if (input >= 1 && input <= 8) w_.inputButtons.setDown(w_.label_input[input - 1], true);
    strike_radiogroupe();
}

void EffectsController::strike_radiogroupe()
{
    if (!dev_.TITA()) return;
    QToolButton* button = nullptr;
    switch (dev_.REFSTA()) {
    case 9: button = w_.label_input[0]; break;
    case 10: button = w_.label_input[7]; break;
    default: return;
    }
    // Alone in its group, it shows down beside the input on the output.
    w_.inputButtons.setGroupIndex(button, 11);
    w_.inputButtons.setDown(button, true);
}
