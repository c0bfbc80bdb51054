#include "effects_controller.h"

#include "about.h"
#include "device_button.h"
#include "hd15.h"
#include "logos_controller.h"
#include "gfx_drawedge.h"
#include "gfx_graphiclabel.h"
#include "gfx_shapecontrol.h"
#include "platform/gfx_platform.h"
#include "prompter.h"
#include "radio_group.h"
#include "zeph350_main.h"

#include <QActionGroup>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
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

// The row between the top panel and the pages: the transition label in its
// edge with the narrow button at the left (every model shows them), then
// the effect buttons in their frame, left of the master volume (the model
// layout shows them and moves the row with the top panel).
constexpr int EffectsLeft = 208, EffectsTop = 44, EffectsWidth = 190, EffectsHeight = 23;
constexpr int EdgeLeft = 8, EdgeTop = 45, EdgeWidth = 149, EdgeHeight = 21;

// The fade duration as the edit shows it: seconds, at most three
// significant digits, the locale's decimal separator, then "s".
QString fadeText(uint32_t tenths)
{
    return QLocale().toString(double(tenths) / 10.0, 'g', 3) + QStringLiteral("s");
}

// Seconds typed into the fade-duration edit, in tenths: digits, then
// optionally one "." or the locale's decimal separator with at most one
// digit after it ("2.5" gives 25, "3" gives 30). Anything else is refused.
std::optional<uint32_t> fadeEntry(const QString& typed)
{
    const QString text = typed.trimmed();
    const QString localeSeparator = QLocale().decimalPoint();
    uint64_t whole = 0;
    qsizetype i = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
        whole = whole * 10 + uint64_t(text[i].unicode() - '0');
        if (whole > 0xFFFFFFFFull) return std::nullopt;
    }
    uint64_t tenth = 0;
    if (i < text.size()) {
        const QStringView rest = QStringView(text).mid(i);
        qsizetype sepLength = 0;
        if (rest.startsWith(u'.'))
            sepLength = 1;
        else if (!localeSeparator.isEmpty() && rest.startsWith(localeSeparator))
            sepLength = localeSeparator.size();
        if (sepLength == 0) return std::nullopt;
        i += sepLength;
        if (i < text.size()) {
            if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
            tenth = uint64_t(text[i].unicode() - '0');
            ++digits;
            ++i;
        }
        if (i != text.size()) return std::nullopt;  // a second decimal, or anything else
    }
    if (digits == 0) return std::nullopt;
    const uint64_t value = whole * 10 + tenth;
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return uint32_t(value);
}

QString confirmTitle()
{
    return QStringLiteral("Confirm");
}

// The palette-relative colour of three 8-bit levels.
TColor paletteRgb(uint32_t r, uint32_t g, uint32_t b)
{
    return 0x02000000u | GfxRGB(r & 0xFF, g & 0xFF, b & 0xFF);
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
    buildEffectButtons();
    buildTransition();
    buildPage();
    buildAutoFrame();
    connectMenus();
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

void EffectsController::buildTransition()
{
    QWidget* area = w_.centralWidget();
    GfxDrawEdge1 = new TGfxDrawEdge(area);
    GfxDrawEdge1->setObjectName(QStringLiteral("GfxDrawEdge1"));
    GfxDrawEdge1->setGeometry(EdgeLeft, EdgeTop, EdgeWidth, EdgeHeight);
    GfxDrawEdge1->SetEdgeStyle(etRaised);
    GfxDrawEdge1->SetSoft(true);

    GfxGraphicLabel1 = new TGfxGraphicLabel(area);
    GfxGraphicLabel1->setObjectName(QStringLiteral("GfxGraphicLabel1"));
    GfxGraphicLabel1->setGeometry(EdgeLeft + 2, EdgeTop + 2, EdgeWidth - 4, EdgeHeight - 4);
    GfxGraphicLabel1->SetCaption(QStringLiteral("Fade color"));
    // The caption in bold, its letters filled with the transition colour.
    GfxGraphicLabel1->Font().SetName(QStringLiteral("MS Sans Serif"));
    GfxGraphicLabel1->Font().SetHeight(-12);
    GfxGraphicLabel1->Font().SetStyle(fsBold);
    GfxGraphicLabel1->SetTransform(TGfxTransLabelTypes::tmNone);
    GfxGraphicLabel1->FillObject().SetStyle(sfGradient);
    GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose between several colors"));
    GfxGraphicLabel1->setCursor(Qt::PointingHandCursor);
    GfxGraphicLabel1->OnClick = [this](TObject*) { FadeColor_et_FrameClick(GfxGraphicLabel1); };
    GfxGraphicLabel1->OnMouseDown = [this](TObject*, auto, unsigned, int, int) { GfxGraphicLabel1MouseDown(GfxGraphicLabel1); };
    GfxGraphicLabel1->OnMouseUp = [this](TObject*, auto, unsigned, int, int) { GfxGraphicLabel1MouseUp(GfxGraphicLabel1); };

    // Beside the edge, aligned with its top.
    BitBtn_effect_color_frame_cleancut = new QPushButton(area);
    BitBtn_effect_color_frame_cleancut->setObjectName(QStringLiteral("BitBtn_effect_color_frame_cleancut"));
    BitBtn_effect_color_frame_cleancut->setIcon(area->style()->standardIcon(QStyle::SP_ArrowDown));
    BitBtn_effect_color_frame_cleancut->setGeometry(EdgeLeft + EdgeWidth + 3, EdgeTop, 16, EdgeHeight);
    connect(BitBtn_effect_color_frame_cleancut, &QPushButton::clicked, this,
            [this] { BitBtn_effect_color_frame_cleancutClick(BitBtn_effect_color_frame_cleancut); });

    // The two popups. Their items are radio items: the device's report
    // moves the marks.
    const char* const cleanCutCaptions[3] = {"switch from &Computer", "switch from &Video", "switch from &any"};
    const char* const popupNames[3] = {"switchfromComputer1", "switchfromVideo1", "switchfromany1"};
    const char* const cleanCutPopupNames[3] = {"switchfromComputer2", "switchfromVideo2", "switchfromany2"};
    auto radioGroup = [this](std::initializer_list<QAction*> items) {
        auto* g = new QActionGroup(this);
        g->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        for (QAction* a : items) {
            a->setCheckable(true);
            g->addAction(a);
        }
    };
    auto named = [](QAction* a, const char* name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    PopupMenu_Color_Frame_Cleancut = new QMenu(&w_);
    PopupMenu_Color_Frame_Cleancut->setObjectName(QStringLiteral("PopupMenu_Color_Frame_Cleancut"));
    Color1 = named(PopupMenu_Color_Frame_Cleancut->addAction(QStringLiteral("Color")), "Color1");
    Frame1 = named(PopupMenu_Color_Frame_Cleancut->addAction(QStringLiteral("Frame")), "Frame1");
    QMenu* cleanCut = PopupMenu_Color_Frame_Cleancut->addMenu(QStringLiteral("Clean Cut"));
    cleanCut->setObjectName(QStringLiteral("CleanCut1"));
    CleanCut1 = named(cleanCut->menuAction(), "CleanCut1");
    Color1->setData(0);
    Frame1->setData(1);
    CleanCut1->setData(2);
    radioGroup({Color1, Frame1, CleanCut1});
    for (int i = 0; i < 3; ++i)
        popupCleanCut[size_t(i)] = named(cleanCut->addAction(QString::fromLatin1(cleanCutCaptions[i])), popupNames[i]);
    radioGroup({popupCleanCut[0], popupCleanCut[1], popupCleanCut[2]});

    PopupMenu_clean_cut = new QMenu(&w_);
    PopupMenu_clean_cut->setObjectName(QStringLiteral("PopupMenu_clean_cut"));
    for (int i = 0; i < 3; ++i)
        cleanCutPopup[size_t(i)] =
            named(PopupMenu_clean_cut->addAction(QString::fromLatin1(cleanCutCaptions[i])), cleanCutPopupNames[i]);
    radioGroup({cleanCutPopup[0], cleanCutPopup[1], cleanCutPopup[2]});

    menuCleanCut = {w_.menu.From_Computer, w_.menu.From_Video, w_.menu.From_ALL};
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
            c.setTextForm(fadeText, fadeEntry);
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

void EffectsController::buildAutoFrame()
{
    // Built with the "Logo && Frame" page; the item shows the device's
    // AUTOFRAME: a click only asks.
    RadioGroup_auto_frame = w_.logos().RadioGroup_auto_frame;
    connect(RadioGroup_auto_frame, &RadioGroup::itemClicked, this,
            [this](int index) { RadioGroup_auto_frameClick(RadioGroup_auto_frame, index); });
}

void EffectsController::connectMenus()
{
    // Items whose marks follow the device: the trigger takes its own mark
    // back before the handler writes.
    const TZEPH350_main::MenuItems& m = w_.menu;
    auto follow = [this](QAction* item, void (EffectsController::*handler)(QObject*)) {
        checks_.onTrigger(item, this, [this, item, handler] { (this->*handler)(item); });
    };
    follow(m.FadeColor_et_Frame, &EffectsController::FadeColor_et_FrameClick);
    for (QAction* a : {Color1, Frame1, CleanCut1}) {
        checks_.onTrigger(a, this, [this, a] { color_fade_CleanCut_Click(a, a->data().toInt()); });
    }
    for (const auto& items : {menuCleanCut, popupCleanCut, cleanCutPopup}) {
        follow(items[0], &EffectsController::From_ComputerClick);
        follow(items[1], &EffectsController::From_VideoClick);
        follow(items[2], &EffectsController::From_ALLClick);
    }
    follow(m.activated1, &EffectsController::activated1Click);
    follow(m.dsactivated1, &EffectsController::dsactivated1Click);
    follow(m.ON1, &EffectsController::autoframeClick);
    follow(m.Off1, &EffectsController::autoframeClick);
    follow(m.menuitem_On, &EffectsController::menuitem_OnClick);
    follow(m.menuitem_Off, &EffectsController::menuitem_OffClick);
    follow(m.Menus1, &EffectsController::Menus1Click);
    follow(m.Input9, &EffectsController::Input9Click);
    follow(m.AllLock1, &EffectsController::AllLock1Click);

    auto plain = [this](QAction* item, void (EffectsController::*handler)(QObject*)) {
        connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
    };
    plain(m.Eraseallmemories1, &EffectsController::Eraseallmemories1Click);
    plain(m.Defaultvalues1, &EffectsController::Defaultvalues1Click);
    plain(m.HD15Pinassignment1, &EffectsController::HD15PinOut1Click);
    plain(m.AboutZEPH1, &EffectsController::AboutZEPHLOGOClick);
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
    ZEPH_ON(OnLFADEchange, EffectsController, ZEPH350_d1LFADEchange);
    ZEPH_ON(OnBFCRchange, EffectsController, ZEPH350_d1BFCRchange);
    ZEPH_ON(OnBFCGchange, EffectsController, ZEPH350_d1BFCGchange);
    ZEPH_ON(OnBFCBchange, EffectsController, ZEPH350_d1BFCBchange);
    ZEPH_ON(OnEPDchange, EffectsController, ZEPH350_d1EPDchange);
    ZEPH_ON(OnAUTOFRAMEchange, EffectsController, ZEPH350_d1AUTOFRAMEchange);
    ZEPH_ON(OnEISPchange, EffectsController, ZEPH350_d1EISPchange);
    ZEPH_ON(OnLOCKchange, EffectsController, ZEPH350_d1LOCKchange);
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

// --- transition type -------------------------------------------------------

void EffectsController::GfxGraphicLabel1MouseDown(QObject*)
{
    GfxDrawEdge1->SetEdgeStyle(etSunken);
}

void EffectsController::GfxGraphicLabel1MouseUp(QObject*)
{
    GfxDrawEdge1->SetEdgeStyle(etRaised);
}

void EffectsController::FadeColor_et_FrameClick(QObject* Sender)
{
    const bool fromLabel = Sender == GfxGraphicLabel1;
    const uint32_t kind = dev_.LFADE();
    if (kind == 1) {
        QWidget* panel = w_.logos().registers().Panel_fade_frame_duration;
        panel->setVisible(!panel->isVisible());
        if (panel->isVisible()) panel->raise();
        return;
    }
    if (kind >= 2 && kind <= 4) {
        popupAtMouse(PopupMenu_clean_cut);
        return;
    }
    if (kind > 4 && !fromLabel) {
        dev_.SetLFADE(0);
        return;
    }
    // The fade colour. The levels are read before the dialog: a cancelled
    // dialog sends them again as they were, never black.
    const uint32_t r = dev_.BFCR() & 0xFF, g = dev_.BFCG() & 0xFF, b = dev_.BFCB() & 0xFF;
    const QColor initial{int(r), int(g), int(b)};
    const QColor chosen = prompter().color(&w_, initial).value_or(initial);
    dev_.SetBFCB(uint32_t(chosen.blue()));
    dev_.SetBFCG(uint32_t(chosen.green()));
    dev_.SetBFCR(uint32_t(chosen.red()));
}

void EffectsController::popupAtMouse(QMenu* menu)
{
    menu->popup(QCursor::pos());
}

void EffectsController::color_fade_CleanCut_Click(QObject*, int Tag)
{
    switch (Tag) {
    case 0: dev_.SetLFADE(0); break;
    case 1: dev_.SetLFADE(1); break;
    case 2: dev_.SetLFADE(cleanCutStyle_); break;
    default: break;
    }
}

void EffectsController::writeCleanCut(uint32_t kind)
{
    cleanCutStyle_ = kind;
    dev_.SetLFADE(kind);
}

void EffectsController::From_ComputerClick(QObject*)
{
    writeCleanCut(2);
}

void EffectsController::From_VideoClick(QObject*)
{
    writeCleanCut(3);
}

void EffectsController::From_ALLClick(QObject*)
{
    writeCleanCut(4);
}

void EffectsController::BitBtn_effect_color_frame_cleancutClick(QObject*)
{
    popupAtMouse(PopupMenu_Color_Frame_Cleancut);
}

void EffectsController::setFadeItemsUnchecked()
{
    for (QAction* a : menuCleanCut) checks_.set(a, false);
    for (QAction* a : popupCleanCut) checks_.set(a, false);
}

void EffectsController::ZEPH350_d1LFADEchange(TZEPH350_d*, int)
{
    QAction* fadeColour = w_.menu.FadeColor_et_Frame;
    const uint32_t kind = dev_.LFADE();
    switch (kind) {
    case 0:
    case 1: {
        checks_.set(kind == 0 ? Color1 : Frame1, true);
        checks_.set(fadeColour, true);
        setFadeItemsUnchecked();
        const QString caption = kind == 0 ? QStringLiteral("Fade color") : QStringLiteral("Fade frame");
        GfxGraphicLabel1->SetCaption(caption);
        fadeColour->setText(caption);
        if (kind == 0) {
            GfxGraphicLabel1->setEnabled(true);
            GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose between several colors"));
            colorbackground();
        } else {
            GfxGraphicLabel1->FillObject().Gradient().SetColor(clBtnText);
            GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose fade frame time between 1s and 10s"));
        }
        break;
    }
    case 2:
    case 3:
    case 4: {
        checks_.set(CleanCut1, true);
        checks_.set(w_.menu.Cleancutinfo, true);
        const size_t k = kind - 2;
        for (const auto& items : {menuCleanCut, popupCleanCut, cleanCutPopup})
            checks_.set(items[k], true);
        GfxGraphicLabel1->FillObject().Gradient().SetColor(clBtnText);
        GfxGraphicLabel1->SetCaption(QStringLiteral("Clean Cut"));
        GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose style of Clean Cut"));
        break;
    }
    default: break;
    }
}

void EffectsController::colorbackground()
{
    GfxGraphicLabel1->FillObject().Gradient().SetColor(paletteRgb(dev_.BFCR(), dev_.BFCG(), dev_.BFCB()));
}

void EffectsController::ZEPH350_d1BFCRchange(TZEPH350_d*, int)
{
    colorbackground();
}

void EffectsController::ZEPH350_d1BFCGchange(TZEPH350_d*, int)
{
    colorbackground();
}

void EffectsController::ZEPH350_d1BFCBchange(TZEPH350_d*, int)
{
    colorbackground();
}

// --- menu switches ------------------------------------------------------------

void EffectsController::activated1Click(QObject*)
{
    dev_.SetEPD(true);
}

void EffectsController::dsactivated1Click(QObject*)
{
    dev_.SetEPD(false);
}

void EffectsController::ZEPH350_d1EPDchange(TZEPH350_d*, int)
{
    checks_.set(dev_.EPD() ? w_.menu.activated1 : w_.menu.dsactivated1, true);
}

void EffectsController::autoframeClick(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender)) dev_.SetAUTOFRAME(uint32_t(item->data().toInt()));
}

void EffectsController::RadioGroup_auto_frameClick(QObject*, int ItemIndex)
{
    switch (ItemIndex) {
    case 0: dev_.SetAUTOFRAME(1); break;
    case 1: dev_.SetAUTOFRAME(0); break;
    default: break;
    }
}

void EffectsController::ZEPH350_d1AUTOFRAMEchange(TZEPH350_d*, int)
{
    const uint32_t v = dev_.AUTOFRAME();
    if (v > 1) return;
    RadioGroup_auto_frame->SetItemIndex(v == 1 ? 0 : 1);
    checks_.set(v == 1 ? w_.menu.ON1 : w_.menu.Off1, true);
}

void EffectsController::menuitem_OnClick(QObject*)
{
    dev_.SetEISP(false);
}

void EffectsController::menuitem_OffClick(QObject*)
{
    dev_.SetEISP(true);
}

void EffectsController::ZEPH350_d1EISPchange(TZEPH350_d*, int)
{
    checks_.set(dev_.EISP() ? w_.menu.menuitem_Off : w_.menu.menuitem_On, true);
}

void EffectsController::Menus1Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() ^ 1u);
}

void EffectsController::Input9Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() ^ 2u);
}

void EffectsController::AllLock1Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() < 3 ? 3u : 0u);
}

void EffectsController::ZEPH350_d1LOCKchange(TZEPH350_d*, int)
{
    const uint32_t bits = dev_.LOCK();
    checks_.set(w_.menu.Menus1, (bits & 1u) != 0);
    checks_.set(w_.menu.Input9, (bits & 2u) != 0);
    checks_.set(w_.menu.AllLock1, (bits & 3u) == 3u);
}

void EffectsController::Eraseallmemories1Click(QObject*)
{
    // A confirmation with OK and Cancel: OK goes on.
    if (prompter().confirm(&w_, confirmTitle(), QStringLiteral("Are you sure you want erase all memories ?"),
                           Prompter::Icon::Question))
        dev_.SetERAPOS(true);
}

void EffectsController::Defaultvalues1Click(QObject*)
{
    if (prompter().confirm(&w_, confirmTitle(), QStringLiteral("Are you sure you want default value ?"),
                           Prompter::Icon::Question))
        dev_.SetFRESET(true);
}

void EffectsController::HD15PinOut1Click(QObject*)
{
    if (auto* hd15 = w_.state.win.Form_HD15_PIN_ASSIGNEMENT) {
        hd15->show();
        hd15->raise();
    }
}

void EffectsController::AboutZEPHLOGOClick(QObject*)
{
    TAbout_zeph_350* about = w_.state.win.About_zeph_350;
    if (!about) return;
    about->ShowProgramVersion();
    prompter().execDialog(about);
}
