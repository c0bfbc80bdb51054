#include "logos_controller.h"

#include "cadre_logo.h"
#include "conversion.h"
#include "look.h"
#include "names.h"
#include "radio_group.h"
#include "required_child.h"
#include "inputs_controller.h"
#include "output_controller.h"
#include "prompter.h"
#include "status.h"
#include "store_timing.h"
#include "tab_control.h"
#include "zeph350_main.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

using Event = TZEPH350_d::Event;
using regctl::EntryForm;
using regctl::ScrollForm;

// The store list: it tells when its drop-down closes. The close is reported
// after the event that closed it, so that a choice made by that event (the
// list reports it right after closing) is seen first.
class StoreList : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> OnCloseUp;
    bool quiet = false;  // the program closes it: no report

    void hidePopup() override
    {
        const bool wasOpen = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (!wasOpen || quiet) return;
        QTimer::singleShot(0, this, [this] {
            if (OnCloseUp) OnCloseUp();
        });
    }
};

// Layout of the page (about 780 x 400): a strip with the tabs on top, one
// column of register rows (caption, bar, edit), the store strip below.
constexpr int CaptionLeft = 10, CaptionWidth = 120;
constexpr int BarLeft = 135, BarWidth = 190, BarHeight = 17;
constexpr int EditLeft = 332, EditWidth = 45, EditHeight = 21;
constexpr int UnitLeft = 382;
constexpr int BevelLeft = 4, BevelWidth = 385;
// The separator bevels frame two rows each when shown.
constexpr int BevelHidden = 32, BevelShown = 65;
constexpr int FirstBevelTop = 64, SecondBevelTop = 132;
constexpr int Row0 = 70, Row1 = 98, Row2 = 138, Row3 = 166;
constexpr int KeyRow = 210, BackgroundRow = 242;
constexpr int FadeRow0 = 154, FadeRow1 = 182;
constexpr int StoreListWidth = 150;
constexpr int StoreListLeftInPanel1 = 227, EraseListLeftInPanel2 = 472;

// A logo register row: its controls (the twin on the capture group), its
// caption and places, and the names of its three handlers.
struct Row {
    regctl::Definition def;
    const char* label;
    const char* caption;
    int top;
    const char* twinLabel;
    int twinTop;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

// The logo position and size edits show the raw register value (0 to 255)
// and Enter sends what was typed, 0 to 255, unchanged: the same number in
// both directions, the one the logo position window draws with. The luma key
// and the background colour are raw as well.
const Row kRows[] = {
    {{zeph::Reg::LHPOS, "ScrollBar_hpos_logo", "Edit_lhpos", "new_ScrollBar_hpos_logo", "new_Edit_lhpos", 0, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_lhpos", "H. pos", Row0, "new_Label_lhpos", Row0, "ScrollBar_hpos_logoScroll", "Edit_hpos_logo_KeyPress",
     "ZEPH350_d1LHPOSchange", Event::OnLHPOSchange},
    {{zeph::Reg::LVPOS, "ScrollBar_vpos_logo", "Edit_lvpos", "new_ScrollBar_vpos_logo", "new_Edit_lvpos", 0, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_lvpos", "V. pos", Row1, "new_Label_lvpos", Row1, "ScrollBar_vpos_logoScroll", "Edit_vpos_logo_KeyPress",
     "ZEPH350_d1LVPOSchange", Event::OnLVPOSchange},
    {{zeph::Reg::LHSIZ, "new_ScrollBar_hsiz_logo", "new_Edit_lhsiz", nullptr, nullptr, 5, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label_lhsiz", "H. size", Row2, nullptr, 0, "ScrollBar_hsiz_logoScroll", "Edit_hsize_logo_KeyPress",
     "ZEPH350_d1LHSIZchange", Event::OnLHSIZchange},
    {{zeph::Reg::LVSIZ, "new_ScrollBar_vsiz_logo", "new_Edit_lvsiz", nullptr, nullptr, 5, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label_lvisz", "V. size", Row3, nullptr, 0, "ScrollBar_vsiz_logoScroll", "Edit_vsize_logo_KeyPress",
     "ZEPH350_d1LVSIZchange", Event::OnLVSIZchange},
    {{zeph::Reg::LLEVEL, "new_ScrollBar_luma_key", "new_Edit_luma_key", nullptr, nullptr, 0, 255, 16, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label23", "Luma Key", KeyRow, nullptr, 0, "ScrollBar_luma_keyScroll", "Edit_luma_keyKeyPress",
     "ZEPH350_d1LLEVELchange", Event::OnLLEVELchange},
    {{zeph::Reg::LBLACKCOL, "ScrollBar_black_logo", "Edit_black_logo", nullptr, nullptr, 0, 7, 7, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_black_logo", "Back ground color", BackgroundRow, nullptr, 0, "ScrollBar_black_logoScroll",
     "Edit_black_logoKeyPress", "ZEPH350_d1LBLACKCOLchange", Event::OnLBLACKCOLchange},
};

// The picture registers' twins (built with the image page) and the captions
// this page gives them, in the capture group's rows.
struct Twin {
    const char* label;
    const char* caption;
    const char* bar;
    const char* edit;
    int top;
};
const Twin kPictureTwins[] = {
    {"new_Label_logo_hpos", "H. position", "new_ScrollBar_hpos_video", "new_Edit_hpos", Row0},
    {"new_Label_logo_hsiz", "H. size", "new_ScrollBar_hsiz_video", "new_Edit_hsize", Row1},
    {"new_Label_logo_vpos", "V. position", "new_ScrollBar_vpos_video", "new_Edit_vpos", Row2},
    {"new_Label_logo_vsiz", "V. size", "new_ScrollBar_vsiz_video", "new_Edit_vsize", Row3},
};

// The groups the mode shows and hides, by design name.
const char* const kGroups[LogosController::GroupCount][12] = {
    {"Label_lhpos", "ScrollBar_hpos_logo", "Edit_lhpos", "Bevel2", "Label_lvpos", "ScrollBar_vpos_logo", "Edit_lvpos",
     "Bevel10"},
    {"new_Label_lhpos", "new_ScrollBar_hpos_logo", "new_Edit_lhpos", "new_Label_lvpos", "new_ScrollBar_vpos_logo",
     "new_Edit_lvpos", "new_Label_lhsiz", "new_ScrollBar_hsiz_logo", "new_Edit_lhsiz", "new_Label_lvisz",
     "new_ScrollBar_vsiz_logo", "new_Edit_lvsiz"},
    {"new_Label23", "new_Bevel11", "new_ScrollBar_luma_key", "new_Edit_luma_key"},
    {"Label_black_logo", "ScrollBar_black_logo", "Edit_black_logo"},
    {"new_Label_logo_hpos", "new_ScrollBar_hpos_video", "new_Edit_hpos", "new_Label_logo_hsiz", "new_ScrollBar_hsiz_video",
     "new_Edit_hsize", "new_Label_logo_vpos", "new_ScrollBar_vpos_video", "new_Edit_vpos", "new_Label_logo_vsiz",
     "new_ScrollBar_vsiz_video", "new_Edit_vsize"},
    {"Label_Frame_Fade_duration", "ScrollBar_Frame_Fade_duration", "Edit_Frame_Fade_duration", "Label_s_frame",
     "Label_Logo_Fade_duration", "ScrollBar_Logo_Fade_duration", "Edit_Logo_Fade_duration", "Label_s_logo",
     "Bevel_fade_duration"},
};

// The assignment lists of inputs 1 to 8: logo layer 0, logo layer 1.
const char* const kAssignmentLists[8][2] = {
    {"new_Combologo1", "LINDEX2_Combologo1"}, {"new_Combologo2", "LINDEX2_Combologo2"},
    {"new_Combologo3", "LINDEX2_Combologo3"}, {"new_Combologo4", "LINDEX2_Combologo4"},
    {"new_Combologo5", "LINDEX2_Combologo5"}, {"new_Combologo6", "LINDEX2_Combologo6"},
    {"new_Combologo7", "LINDEX2_Combologo7"}, {"new_Combologo8", "LINDEX2_Combologo8"},
};

const char* const TabTexts[] = {"        Use        ", "        Record frame        ", "        Record logo        "};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

QFrame* bevel(QWidget* parent, const char* name, const QRect& geometry, QFrame::Shape shape = QFrame::Box)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    f->lower();
    return f;
}

QRect captionAt(int top)
{
    return QRect(CaptionLeft, top + 1, CaptionWidth, BarHeight);
}

QRect barAt(int top)
{
    return QRect(BarLeft, top, BarWidth, BarHeight);
}

QRect editAt(int top)
{
    return QRect(EditLeft, top - 2, EditWidth, EditHeight);
}

// The colour of a logo list, as the lighting sets it.
void setListColour(QComboBox* c, const QColor& colour)
{
    QPalette p = c->palette();
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Base, colour);
    c->setPalette(p);
}

QColor listColour(const QComboBox* c)
{
    return c->palette().color(QPalette::Button);
}

const QColor MoneyGreen(192, 220, 192);

// A reported value on a bar the operator is not dragging; a value outside
// the bar's range puts the thumb at the nearest end.
void showOnBar(ScrollBarEx* b, uint32_t value)
{
    if (b->Tag != 0) return;
    const QSignalBlocker block(b);
    b->setValue(int(std::clamp<uint32_t>(value, uint32_t(b->minimum()), uint32_t(b->maximum()))));
}

// A value in seconds with at most two significant digits, with the
// platform's decimal separator.
QString seconds(double value)
{
    return QLocale().toString(value, 'g', 2);
}

}  // namespace

LogosController::LogosController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Logos), w_(w)
{
    buildPage();
    buildAssignmentPanel();
    buildDisplayButtons();
    buildRegisters();
    buildFades();
    buildFloatingPanel();
    buildAutoFrame();
    collectGroups();
    // Nothing shown until the device tells the mode.
    resetPage();
    bindEvents();
}

LogosController::~LogosController() = default;

// --- building -----------------------------------------------------------------

void LogosController::buildPage()
{
    QWidget* page = w_.logoFramePage;

    TabControl_logo = new TabControl(page);
    TabControl_logo->setObjectName(QStringLiteral("TabControl_logo"));
    for (const char* t : TabTexts) TabControl_logo->addTab(QString::fromLatin1(t));
    TabControl_logo->setToolTip(QStringLiteral("Click right to use or record with mouse"));
    TabControl_logo->setGeometry(4, 4, 600, 26);
    TabControl_logo->OnChange = [this] { TabControl_logoChange(TabControl_logo); };

    // The erase button's strip: the erase list opens beside the button.
    Panel2 = new QWidget(page);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 34, 780, 26);
    SpeedButton_erase_mode = new QToolButton(Panel2);
    SpeedButton_erase_mode->setObjectName(QStringLiteral("SpeedButton_erase_mode"));
    SpeedButton_erase_mode->setText(QStringLiteral("Erase"));
    SpeedButton_erase_mode->setToolTip(QStringLiteral("TO ERASE FRAME OR LOGO"));
    SpeedButton_erase_mode->setGeometry(400, 1, 64, 24);
    // Two states: its own group, all-up allowed.
    buttons_.add(SpeedButton_erase_mode, EraseGroup, true);
    connect(SpeedButton_erase_mode, &QToolButton::clicked, this, [this] {
        buttons_.click(SpeedButton_erase_mode);
        SpeedButton_erase_modeClick(SpeedButton_erase_mode);
    });

    Label_output_format_logo = label(page, "Label_output_format_logo", QStringLiteral("Output format :"),
                                     QRect(400, Row0 + 1, 100, BarHeight));
    Label_outformat_logo = label(page, "Label_outformat_logo", QString(), QRect(500, Row0 + 1, 270, BarHeight));

    BitBtn_mouse_menuitem_cadrelogo = new QToolButton(page);
    BitBtn_mouse_menuitem_cadrelogo->setObjectName(QStringLiteral("BitBtn_mouse_menuitem_cadrelogo"));
    BitBtn_mouse_menuitem_cadrelogo->setText(QStringLiteral("Mouse"));
    BitBtn_mouse_menuitem_cadrelogo->setGeometry(400, Row2, 90, 28);
    connect(BitBtn_mouse_menuitem_cadrelogo, &QToolButton::clicked, this, [this] { Logo_by_mouse(); });
    BitBtn_mouse_menuitem_cadrelogo->hide();  // until a mode allows placing the logo

    new_Bevel10 = bevel(page, "new_Bevel10", QRect(BevelLeft, FirstBevelTop, BevelWidth, BevelHidden));
    new_Bevel2 = bevel(page, "new_Bevel2", QRect(BevelLeft, SecondBevelTop, BevelWidth, BevelHidden));
    Bevel_bar_recording_separation =
        bevel(page, "Bevel_bar_recording_separation", QRect(BevelLeft, 282, 772, 2), QFrame::HLine);

    Panel1 = new QWidget(page);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 290, 780, 40);
    new_SpeedButton_store = new QToolButton(Panel1);
    new_SpeedButton_store->setObjectName(QStringLiteral("new_SpeedButton_store"));
    new_SpeedButton_store->setText(QStringLiteral("STORE"));
    new_SpeedButton_store->setGeometry(120, 6, 100, 28);
    buttons_.add(new_SpeedButton_store, 0, true);
    connect(new_SpeedButton_store, &QToolButton::clicked, this, [this] {
        buttons_.click(new_SpeedButton_store);
        new_SpeedButton_storeClick(new_SpeedButton_store);
    });

    auto* store = new StoreList(page);
    store->setObjectName(QStringLiteral("ComboBox_lstore"));
    store->setGeometry(StoreListLeftInPanel1, Panel1->y(), StoreListWidth, 22);
    store->hide();  // until used
    store->OnCloseUp = [this] { ComboBox_lstoreCloseUp(ComboBox_lstore); };
    ComboBox_lstore = store;
    connect(ComboBox_lstore, &QComboBox::activated, this, [this] { ComboBox_lstoreClick(ComboBox_lstore); });

    // Leaving the page, however the page control changed page: a click on
    // another tab, Ctrl+Tab, Ctrl+Shift+Tab, the arrows on the focused tab
    // bar, the wheel over it. The page control reports the new page; the
    // page that was current is the one it showed until then.
    QTabWidget* pages = w_.PageControl1;
    pageInView_ = pages->currentWidget();
    connect(pages, &QTabWidget::currentChanged, this, [this, pages] {
        QWidget* left = pageInView_;
        pageInView_ = pages->currentWidget();
        if (left == w_.logoFramePage && pageInView_ != w_.logoFramePage) {
            bool allow = true;
            PageControl1Changing(pages, allow);
        }
    });
    // The program changes the page with the page control's signals held
    // (the model layout hiding the page in view): that is no leaving, but
    // the page in view is followed all the same, through the tab bar, which
    // reports after the page control.
    connect(pages->tabBar(), &QTabBar::currentChanged, this, [this, pages] { pageInView_ = pages->currentWidget(); });
}

void LogosController::buildAssignmentPanel()
{
    // The assignment rows sit in the 63-pixel band below the input buttons,
    // in the top panel: one column per input button, the label on the right.
    new_Panel1 = new QWidget(w_.Panel_ichmp);
    new_Panel1->setObjectName(QStringLiteral("new_Panel1"));
    new_Panel1->setGeometry(0, 44, 788, 63);
    new_Label_nmbr_logos = label(new_Panel1, "new_Label_nmbr_logos",
                                 QStringLiteral("Logo / frame\nassignment:\n\nLogo display"), QRect(666, 0, 118, 63));
    new_Label_nmbr_logos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 8; ++i) {
        const int left = w_.label_input[size_t(i)]->x();
        for (int layer = 0; layer < 2; ++layer) {
            auto* list = new QComboBox(new_Panel1);
            list->setObjectName(QString::fromLatin1(kAssignmentLists[i][layer]));
            list->setGeometry(left, 2 + layer * 20, 76, 20);
            // The list serves input Tag on logo layer Hint.
            list->setProperty("Tag", i + 1);
            list->setProperty("Hint", QString::number(layer));
            setListColour(list, classic::ButtonFace);
            list->installEventFilter(this);
            connect(list, &QComboBox::activated, this, [this, list] { new_CombologoChange(list); });
            (layer == 0 ? new_Combologo : LINDEX2_Combologo)[size_t(i)] = list;
        }
    }
}

void LogosController::buildDisplayButtons()
{
    // The eight ON/OFF buttons below the lists: the inputs family draws
    // them from its cache, this page sends their clicks.
    InputsController& inputs = w_.inputs();
    inputs.buildLogoDisplayButtons(new_Panel1);
    for (QPushButton* b : inputs.BitBtn_Input)
        connect(b, &QPushButton::clicked, this, [this, b] { BitBtn_Input_Click(b); });
}

void LogosController::buildRegisters()
{
    QWidget* page = w_.logoFramePage;
    for (const Row& r : kRows) {
        const regctl::Definition& d = r.def;
        RegisterControl& c = rows_.add(dev_, d);
        const int reg = d.reg;
        const regctl::ScrollHandler onScroll = [this, reg](QObject* s, int code, int& pos) { Scroll(reg, s, code, pos); };
        const regctl::KeyHandler onKey = [this, reg](QObject* s, QChar& k) { KeyPress(reg, s, k); };
        label(page, r.label, QString::fromLatin1(r.caption), captionAt(r.top));
        regctl::addPair(c, page, barAt(r.top), editAt(r.top), this, onScroll, onKey);
        if (!d.twinBar) continue;
        label(page, r.twinLabel, QString::fromLatin1(r.caption), captionAt(r.twinTop));
        ScrollBarEx* bar = regctl::makeBar(page, d.twinBar, d, barAt(r.twinTop));
        QLineEdit* edit = regctl::makeEdit(page, d.twinEdit, editAt(r.twinTop));
        edit->setText(regctl::displayText(uint32_t(d.start), d.offset));
        c.add(bar, edit);
        regctl::wire(bar, edit, this, onScroll, onKey);
    }
    bevel(page, "Bevel2", QRect(BevelLeft, Row0 - 6, BevelWidth, 28));
    bevel(page, "Bevel10", QRect(BevelLeft, Row1 - 6, BevelWidth, 28));
    bevel(page, "new_Bevel11", QRect(BevelLeft, KeyRow - 6, BevelWidth, 30));

    // The picture registers' twins join the capture rows, with captions.
    for (const Twin& t : kPictureTwins) {
        label(page, t.label, QString::fromLatin1(t.caption), captionAt(t.top));
        requiredChild<QWidget>(page, t.bar)->setGeometry(barAt(t.top));
        requiredChild<QWidget>(page, t.edit)->setGeometry(editAt(t.top));
    }
}

void LogosController::buildFades()
{
    QWidget* page = w_.logoFramePage;
    // Frame fade: 0.5 to 5 s in tenths; logo fade: 15 to 255.
    const regctl::Definition frame{zeph::Reg::LFRAMEDUR, "ScrollBar_Frame_Fade_duration", "Edit_Frame_Fade_duration",
                                   "ScrollBar_frame2_fade_duration", "Edit_Frame2_Fade_duration", 5, 50, 10, 0};
    const regctl::Definition logo{zeph::Reg::LLOGODUR, "ScrollBar_Logo_Fade_duration", "Edit_Logo_Fade_duration",
                                  nullptr, nullptr, 15, 255, 50, 0};
    label(page, "Label_Frame_Fade_duration", QStringLiteral("Frame fade"), captionAt(FadeRow0));
    ScrollBar_Frame_Fade_duration = regctl::makeBar(page, frame.bar, frame, barAt(FadeRow0));
    Edit_Frame_Fade_duration = regctl::makeEdit(page, frame.edit, editAt(FadeRow0));
    label(page, "Label_s_frame", QStringLiteral("s"), QRect(UnitLeft, FadeRow0 + 1, 10, BarHeight));
    label(page, "Label_Logo_Fade_duration", QStringLiteral("Logo fade"), captionAt(FadeRow1));
    ScrollBar_Logo_Fade_duration = regctl::makeBar(page, logo.bar, logo, barAt(FadeRow1));
    Edit_Logo_Fade_duration = regctl::makeEdit(page, logo.edit, editAt(FadeRow1));
    label(page, "Label_s_logo", QStringLiteral("s"), QRect(UnitLeft, FadeRow1 + 1, 10, BarHeight));
    bevel(page, "Bevel_fade_duration", QRect(BevelLeft, FadeRow0 - 6, BevelWidth, 62));
    Edit_Frame_Fade_duration->setText(Conv_fade_frame_en_seconde(uint32_t(frame.start)));
    Edit_Logo_Fade_duration->setText(Conv_fade_logo_en_seconde(uint32_t(logo.start)));

    regctl::wire(
        ScrollBar_Frame_Fade_duration, Edit_Frame_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Frame_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Frame_Fade_durationKeyPress(s, k); });
    regctl::wire(
        ScrollBar_Logo_Fade_duration, Edit_Logo_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Logo_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Logo_Fade_durationKeyPress(s, k); });
    Edit_Frame_Fade_duration->installEventFilter(this);
    Edit_Logo_Fade_duration->installEventFilter(this);
}

void LogosController::buildFloatingPanel()
{
    const regctl::Definition frame{zeph::Reg::LFRAMEDUR, "ScrollBar_frame2_fade_duration", "Edit_Frame2_Fade_duration",
                                   nullptr, nullptr, 5, 50, 10, 0};
    Panel_fade_frame_duration = new QFrame(w_.centralWidget());
    Panel_fade_frame_duration->setObjectName(QStringLiteral("Panel_fade_frame_duration"));
    Panel_fade_frame_duration->setFrameShape(QFrame::Panel);
    Panel_fade_frame_duration->setFrameShadow(QFrame::Raised);
    Panel_fade_frame_duration->setAutoFillBackground(true);
    Panel_fade_frame_duration->setGeometry(244, 190, 300, 96);
    label(Panel_fade_frame_duration, "Label_frame2_fade", QStringLiteral("Frame fade"), QRect(8, 6, 200, BarHeight));
    label(Panel_fade_frame_duration, "Label_frame2_fade_duration", QStringLiteral(" Frame fade duration (s)"),
          QRect(8, 28, 200, BarHeight));
    ScrollBar_frame2_fade_duration = regctl::makeBar(Panel_fade_frame_duration, frame.bar, frame, QRect(8, 52, 200, BarHeight));
    Edit_Frame2_Fade_duration = regctl::makeEdit(Panel_fade_frame_duration, frame.edit, QRect(216, 50, EditWidth, EditHeight));
    Edit_Frame2_Fade_duration->setText(Conv_fade_frame_en_seconde(uint32_t(frame.start)));
    auto* close = new QToolButton(Panel_fade_frame_duration);
    close->setObjectName(QStringLiteral("BitBtn_close_frame_fade_duration"));
    close->setText(QStringLiteral("Close"));
    close->setGeometry(216, 6, 70, 24);
    connect(close, &QToolButton::clicked, this, [this, close] { BitBtn_close_frame_fade_durationClick(close); });
    regctl::wire(
        ScrollBar_frame2_fade_duration, Edit_Frame2_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Frame_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Frame_Fade_durationKeyPress(s, k); });
    Panel_fade_frame_duration->hide();
    Panel_fade_frame_duration->raise();
}

void LogosController::buildAutoFrame()
{
    // The effects family follows its clicks and sets its item; the mode
    // shows it.
    RadioGroup_auto_frame = new RadioGroup(QStringLiteral("Auto frame"), {QStringLiteral("On"), QStringLiteral("Off")}, 1,
                                           w_.logoFramePage);
    RadioGroup_auto_frame->setObjectName(QStringLiteral("RadioGroup_auto_frame"));
    RadioGroup_auto_frame->setGeometry(16, 300, 130, 60);
}

void LogosController::collectGroups()
{
    for (int g = 0; g < GroupCount; ++g) {
        for (const char* name : kGroups[g]) {
            if (!name) break;
            groups_[size_t(g)] << requiredChild<QWidget>(w_.logoFramePage, name);
        }
    }
}

QStringList LogosController::groupNames()
{
    QStringList names;
    for (const auto& group : kGroups)
        for (const char* name : group)
            if (name) names << QString::fromLatin1(name);
    for (const Twin& t : kPictureTwins) names << QString::fromLatin1(t.bar) << QString::fromLatin1(t.edit);
    return names;
}

void LogosController::bindEvents()
{
    for (const Row& r : kRows) {
        const int reg = r.def.reg;
        on(r.event, r.change, [this, reg](TZEPH350_d*, int) { Change(reg); });
    }
    ZEPH_ON(OnLMODEchange, LogosController, ZEPH350_d1LMODEchange);
    ZEPH_ON(OnLSTOREchange, LogosController, ZEPH350_d1LSTOREchange);
    ZEPH_ON(OnLEMPTYchange, LogosController, ZEPH350_d1LEMPTYchange);
    // One handler for both picture dimensions.
    ZEPH_ON(OnLPIXELSIZchange, LogosController, ZEPH350_d1LPIXEL_LLINE_SIZchange);
    ZEPH_ON(OnLLINESIZchange, LogosController, ZEPH350_d1LPIXEL_LLINE_SIZchange);
    ZEPH_ON(OnLSTATUSchange, LogosController, ZEPH350_d1LSTATUSchange);
    ZEPH_ON(OnLOFMTchange, LogosController, ZEPH350_d1LOFMTchange);
    ZEPH_ON(OnLINDEXchange, LogosController, ZEPH350_d1LINDEXchange);
    ZEPH_ON(OnLPLOGOchange, LogosController, ZEPH350_d1LPLOGOchange);
    ZEPH_ON(OnLDYSPLAYchange, LogosController, ZEPH350_d1LDYSPLAYchange);
    ZEPH_ON(OnLFRAMEDURchange, LogosController, ZEPH350_d1LFRAMEDURchange);
    ZEPH_ON(OnLLOGODURchange, LogosController, ZEPH350_d1LLOGODURchange);
    ZEPH_ON(OnConnected, LogosController, ZEPH350_d1Connected);
}

void LogosController::attachPopup(QMenu* popup, QAction* mouse)
{
    popup_ = popup;
    mouseItem_ = mouse;
    TabControl_logo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TabControl_logo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(TabControl_logo->mapToGlobal(at)); });
}

bool LogosController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* list = qobject_cast<QComboBox*>(watched)) Combologo_Enter_lind(list);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == Edit_Frame_Fade_duration || watched == Edit_Logo_Fade_duration)) {
        // After the edit has placed its cursor for the click.
        QTimer::singleShot(0, this, [this, watched] { Edit_Logo_Fade_durationClick(watched); });
    }
    return FamilyController::eventFilter(watched, event);
}

// --- helpers --------------------------------------------------------------------

QList<QComboBox*> LogosController::logoLists() const
{
    QList<QComboBox*> lists;
    for (QComboBox* c : new_Combologo) lists << c;
    for (QComboBox* c : LINDEX2_Combologo) lists << c;
    return lists;
}

void LogosController::showGroup(Group g, bool shown)
{
    for (QWidget* widget : groups_[g]) widget->setVisible(shown);
}

void LogosController::setStoreButton(bool storing)
{
    // Storing: the button stays down in a group without all-up and reads
    // "STORING"; otherwise it is in no group, up.
    if (storing) {
        buttons_.setGroupIndex(new_SpeedButton_store, StoreGroup);
        buttons_.setAllowAllUp(new_SpeedButton_store, false);
        buttons_.setDown(new_SpeedButton_store, true);
    } else {
        buttons_.setGroupIndex(new_SpeedButton_store, 0);
        buttons_.setAllowAllUp(new_SpeedButton_store, true);
        buttons_.setDown(new_SpeedButton_store, false);
    }
    new_SpeedButton_store->setText(storing ? QStringLiteral("STORING") : QStringLiteral("STORE"));
}

void LogosController::closeStoreList()
{
    auto* store = static_cast<StoreList*>(ComboBox_lstore);
    store->quiet = true;
    store->hidePopup();
    store->quiet = false;
    store->hide();
}

bool LogosController::hasEraseItems() const
{
    return ComboBox_lstore->count() > 8;
}

void LogosController::dropEraseItems()
{
    // A report during the erase question may have removed them already.
    if (!hasEraseItems()) return;
    const QSignalBlocker block(ComboBox_lstore);
    ComboBox_lstore->removeItem(1);
    ComboBox_lstore->removeItem(0);
}

void LogosController::showSlot(int slot, bool empty)
{
    emptyFlags_[size_t(slot)] = empty;
    const QString text = empty ? QStringLiteral("Empty") : w_.state.Logo_names[size_t(slot)];
    for (QComboBox* c : logoLists()) {
        const QSignalBlocker block(c);
        if (slot < c->count()) c->setItemText(slot, text);
    }
    // The store list holds the logos (slots 2 to 9), after the two erase
    // items while they are there (the second of them is the frame).
    const int front = hasEraseItems() ? 2 : 0;
    const int row = slot >= 2 ? slot - 2 + front : (front ? 1 : -1);
    if (row >= 0 && row < ComboBox_lstore->count()) {
        const QSignalBlocker block(ComboBox_lstore);
        ComboBox_lstore->setItemText(row, text);
    }
}

void LogosController::endStoreDisplay()
{
    setStoreButton(false);
    if (Tstatus* st = w_.state.win.status; st && st->isVisible()) st->close();
}

// --- mode -----------------------------------------------------------------------

void LogosController::resetPage()
{
    new_Label_nmbr_logos->setEnabled(false);
    for (QComboBox* c : logoLists()) c->setEnabled(false);
    for (int g = 0; g < GroupCount; ++g) showGroup(Group(g), false);
    new_SpeedButton_store->hide();
    for (QFrame* b : {new_Bevel10, new_Bevel2}) {
        b->resize(b->width(), BevelHidden);
        b->hide();
    }
    for (QPushButton* on : w_.inputs().BitBtn_Input) on->setEnabled(false);
    Bevel_bar_recording_separation->hide();
    RadioGroup_auto_frame->hide();
}

void LogosController::TabControl_logoChange(QObject*)
{
    switch (TabControl_logo->TabIndex()) {
    case 0: dev_.SetLMODE(0); break;
    case 1: dev_.SetLMODE(2); break;
    case 2: dev_.SetLMODE(1); break;
    default: TabControl_logo->SetTabIndex(0); break;
    }
}

void LogosController::SpeedButton_erase_modeClick(QObject*)
{
    dev_.SetLMODE(buttons_.down(SpeedButton_erase_mode) ? 4 : 0);
    // The device's report sets the button.
    buttons_.setDown(SpeedButton_erase_mode, dev_.LMODE() == 4);
}

void LogosController::PageControl1Changing(QObject*, bool&)
{
    // Run as the page control leaves the logo page: the device goes back to
    // use mode (and out of any capture).
    dev_.SetLMODE(0);
}

void LogosController::ZEPH350_d1LMODEchange(TZEPH350_d*, int)
{
    const uint32_t mode = dev_.LMODE();
    TCadre_logo* cadre = w_.state.win.Cadre_logo;

    // 1.
    new_Panel1->setEnabled(true);
    control(zeph::Reg::LHPOS)->edits().front()->setEnabled(true);
    control(zeph::Reg::LVPOS)->edits().front()->setEnabled(true);
    // 2. Leaving frame capture recalls the image settings changed for it.
    if (mode != 2 && TabControl_logo->TabIndex() == 1) dev_.SetRECALL(true);
    // 3. Tabs and erase button.
    int tab = 0;
    switch (mode) {
    case 1: tab = 2; break;
    case 2: tab = 1; break;
    case 4: tab = -1; break;
    default: break;
    }
    TabControl_logo->SetTabIndex(tab);
    buttons_.setDown(SpeedButton_erase_mode, mode == 4);
    if ((mode == 2 || mode == 4) && cadre) cadre->close();
    // 4. Everything off.
    resetPage();
    // 5.
    dropEraseItems();
    // 6.
    switch (mode) {
    case 0: {
        for (QComboBox* c : logoLists()) c->setEnabled(true);
        showGroup(U, true);
        showGroup(F, true);
        for (QPushButton* on : w_.inputs().BitBtn_Input) on->setEnabled(true);
        Bevel_bar_recording_separation->show();
        cacheropenclose_cadrelogo();
        closeStoreList();
        RadioGroup_auto_frame->setVisible(w_.menu.AutoFrame1->menuAction()->isVisible());
        break;
    }
    case 1:
        showGroup(R, true);
        for (QFrame* b : {new_Bevel10, new_Bevel2}) {
            b->resize(b->width(), BevelShown);
            b->show();
        }
        showGroup(K, true);
        new_SpeedButton_store->setText(QStringLiteral("STORE"));
        new_SpeedButton_store->show();
        new_Panel1->setEnabled(false);
        control(zeph::Reg::LHPOS)->edits().front()->setEnabled(false);
        control(zeph::Reg::LVPOS)->edits().front()->setEnabled(false);
        showGroup(B, true);
        Bevel_bar_recording_separation->show();
        cacheropenclose_cadrelogo();
        closeStoreList();
        if (cadre) cadre->PaintBox1Paint();
        break;
    case 2:
        new_SpeedButton_store->show();
        for (QFrame* b : {new_Bevel10, new_Bevel2}) {
            b->resize(b->width(), BevelShown);
            b->show();
        }
        showGroup(P, true);
        cacheropenclose_cadrelogo();
        closeStoreList();
        break;
    case 3: closeStoreList(); break;
    case 4:
        cacheropenclose_cadrelogo();
        new_SpeedButton_storeClick(new_SpeedButton_store);
        break;
    default: break;
    }
}

// --- store and erase ---------------------------------------------------------------

void LogosController::new_SpeedButton_storeClick(QObject*)
{
    QComboBox* store = ComboBox_lstore;
    switch (dev_.LMODE()) {
    case 1:
        store->move(StoreListLeftInPanel1, Panel1->y());
        break;
    case 4: {
        store->move(EraseListLeftInPanel2, Panel2->y());
        const QSignalBlocker block(store);
        if (!hasEraseItems()) {
            // The list reads "ALL erase", frame, logo 1 ... logo 8: the item
            // index is the slot to erase.
            store->insertItem(0, slotEmpty(1) ? QStringLiteral("Empty") : w_.state.Logo_names[1]);
            store->insertItem(0, QStringLiteral("ALL erase"));
        }
        break;
    }
    default:
        dev_.SetLCURRENT(1);
        dev_.SetLSTORE(true);
        return;
    }
    {
        const QSignalBlocker block(store);
        store->setCurrentIndex(-1);  // nothing chosen until the operator picks
    }
    store->show();
    store->raise();
    store->showPopup();
}

void LogosController::ComboBox_lstoreClick(QObject*)
{
    const int i = ComboBox_lstore->currentIndex();
    if (i < 0) return;
    switch (dev_.LMODE()) {
    case 1:
        dev_.SetLCURRENT(uint32_t(i + 2));
        ComboBox_lstore->hide();
        dev_.SetLSTORE(true);
        break;
    case 4: {
        const QString item = ComboBox_lstore->itemText(i);
        const QString text = i == 0 ? QStringLiteral("Confirm ") + item : QStringLiteral("Confirm erase ") + item;
        const bool ok = prompter().confirm(&w_, QStringLiteral("Warning"), text, Prompter::Icon::Warning);
        // Device reports may have laid the page out anew meanwhile.
        dropEraseItems();
        if (ok) {
            dev_.SetLCURRENT(uint32_t(i));
            ComboBox_lstore->hide();
            dev_.SetLSTORE(true);
        } else {
            dev_.SetLMODE(0);
        }
        break;
    }
    default: break;
    }
}

void LogosController::ComboBox_lstoreCloseUp(QObject*)
{
    if (dev_.LMODE() == 4 && ComboBox_lstore->currentIndex() < 0) {
        dropEraseItems();
        dev_.SetLMODE(0);
    }
    ComboBox_lstore->hide();
}

void LogosController::ZEPH350_d1LSTOREchange(TZEPH350_d*, int)
{
    Tstatus* st = w_.state.win.status;
    if (dev_.LSTORE()) {
        storeRunning_ = true;
        w_.state.storeTicks = 0;
        if (st) st->SetGaugeMaximum(calcul_temps());
        setStoreButton(true);
        if (st) {
            st->SetGaugeProgress(0);
            st->show();
        }
        return;
    }
    setStoreButton(false);
    // The end of a store this session saw begin is handled whatever became
    // of its window meanwhile (the operator may have closed it by the
    // window manager): an erase still ends in use mode.
    if (st && st->isVisible()) st->close();
    if (storeRunning_ && dev_.LMODE() == 4) dev_.SetLMODE(0);
    // Only a store this session saw start is measured: the register dump
    // after every connection reports LSTORE false as well.
    const uint32_t mode = dev_.LMODE();
    if (storeRunning_ && (mode == 1 || mode == 2) && !dev_.LABORT()) {
        if (const auto speed = store_timing::measuredSpeed(w_.state.storeTicks, dev_.LPIXELSIZ(), dev_.LLINESIZ()))
            store_timing::write(*speed);
    }
    storeRunning_ = false;
}

void LogosController::ZEPH350_d1Connected(TZEPH350_d*, int)
{
    if (dev_.Connected()) return;
    // No end of the store can be reported any more: the always-on-top
    // window without a close icon would stay, and its gauge run on.
    endStoreDisplay();
    storeRunning_ = false;
    w_.state.storeTicks = 0;
}

int LogosController::calcul_temps()
{
    return store_timing::calcul_temps(dev_.LPIXELSIZ(), dev_.LLINESIZ());
}

void LogosController::ZEPH350_d1LPIXEL_LLINE_SIZchange(TZEPH350_d*, int)
{
    if (Tstatus* st = w_.state.win.status) st->SetGaugeMaximum(calcul_temps());
}

void LogosController::ZEPH350_d1LEMPTYchange(TZEPH350_d*, int)
{
    const uint32_t current = dev_.LCURRENT();
    if (current > 9) return;  // no slot
    const QList<QComboBox*> lists = logoLists();
    QList<int> kept;
    for (QComboBox* c : lists) kept << c->currentIndex();
    const bool empty = dev_.LEMPTY();
    if (current == 0)
        for (int s = 1; s <= 9; ++s) showSlot(s, empty);
    else
        showSlot(int(current), empty);
    for (qsizetype i = 0; i < lists.size(); ++i) {
        const QSignalBlocker block(lists[i]);
        lists[i]->setCurrentIndex(kept[i]);
    }
}

void LogosController::ZEPH350_d1LSTATUSchange(TZEPH350_d*, int)
{
    // The status timer blinks the mismatch text while LSTATUS stays 3.
    if (dev_.LSTATUS() == 3 && !w_.Timer1->isActive()) w_.Timer1->start();
}

void LogosController::ZEPH350_d1LOFMTchange(TZEPH350_d*, int)
{
    const uint32_t format = dev_.LOFMT();
    const QString name =
        dev_.REFSTA() == 0 ? OutputController::masterName(format) : OutputController::followName(format);
    if (!name.isEmpty()) Label_outformat_logo->setText(name);  // a format without a name leaves it
}

// --- per-input assignment ----------------------------------------------------------

void LogosController::new_CombologoChange(QObject* Sender)
{
    auto* list = qobject_cast<QComboBox*>(Sender);
    if (!list || list->currentIndex() < 0) return;
    dev_.SetPCHAN(list->property("Tag").toUInt());
    dev_.SetLINDEX(list->property("Hint").toString().toUInt());
    dev_.SetLPLOGO(uint32_t(list->currentIndex()));
    w_.names().hinthinthint();
}

void LogosController::Combologo_Enter_lind(QObject* Sender)
{
    auto* list = qobject_cast<QComboBox*>(Sender);
    if (!list || listColour(list) == classic::ButtonFace) return;  // not the input on the output
    setListColour(list, MoneyGreen);
    dev_.SetLINDEX(list->property("Hint").toString().toUInt());
}

void LogosController::BitBtn_Input_Click(QObject* Sender)
{
    const auto& buttons = w_.inputs().BitBtn_Input;
    const auto at = std::find(buttons.begin(), buttons.end(), Sender);
    if (at == buttons.end()) return;
    const uint32_t input = uint32_t(at - buttons.begin()) + 1;
    dev_.SetPCHAN(input);
    dev_.SetLDYSPLAY(w_.state.perInput.LDYSPLAY[input] == 0);
}

void LogosController::ZEPH350_d1LPLOGOchange(TZEPH350_d*, int)
{
    w_.state.perInput.LPLOGO.store(dev_.PCHAN(), dev_.LINDEX(), dev_.LPLOGO());
    w_.inputs().Tableau_input(50);
}

void LogosController::ZEPH350_d1LDYSPLAYchange(TZEPH350_d*, int)
{
    w_.state.perInput.LDYSPLAY.store(dev_.PCHAN(), dev_.LDYSPLAY() ? 1 : 0);
    w_.inputs().Tableau_input(51);
}

void LogosController::ZEPH350_d1LINDEXchange(TZEPH350_d*, int)
{
    logo_light_ichm_lindex();
}

void LogosController::logo_light_ichm_lindex()
{
    for (QComboBox* c : logoLists()) setListColour(c, classic::ButtonFace);
    const uint32_t k = dev_.ICHM();
    if (k >= 1 && k <= 8) {
        QComboBox* layers[2] = {new_Combologo[k - 1], LINDEX2_Combologo[k - 1]};
        for (QComboBox* c : layers) setListColour(c, classic::Window);
        const uint32_t layer = dev_.LINDEX();
        if (layer <= 1) setListColour(layers[layer], MoneyGreen);
    }
    cacheropenclose_cadrelogo();
}

// --- mouse placement ------------------------------------------------------------------

bool LogosController::outputInputHasLogo() const
{
    const uint32_t k = dev_.ICHM();
    return k >= 1 && k <= 8 && w_.state.perInput.LPLOGO.at(k, dev_.LINDEX()) > 1;
}

void LogosController::cacheropenclose_cadrelogo()
{
    const uint32_t mode = dev_.LMODE();
    const bool allowed = mode == 1 || (mode == 0 && outputInputHasLogo());
    if (mouseItem_) mouseItem_->setEnabled(allowed);  // the popup comes with FormCreate
    if (allowed) {
        BitBtn_mouse_menuitem_cadrelogo->setEnabled(true);
        BitBtn_mouse_menuitem_cadrelogo->show();
        for (QWidget* widget : groups_[U]) widget->setEnabled(true);
        return;
    }
    if (mode < 2) {
        BitBtn_mouse_menuitem_cadrelogo->show();
        BitBtn_mouse_menuitem_cadrelogo->setEnabled(false);
        for (QWidget* widget : groups_[U]) widget->setEnabled(false);
    } else {
        BitBtn_mouse_menuitem_cadrelogo->hide();
    }
    if (TCadre_logo* cadre = w_.state.win.Cadre_logo; cadre && cadre->isVisible()) cadre->close();
}

void LogosController::Logo_by_mouse()
{
    if (TCadre_logo* cadre = w_.state.win.Cadre_logo) cadre->show();
}

// --- position, size, key and background -----------------------------------------------

void LogosController::Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    control(reg)->Scroll(Sender, ScrollCode, ScrollPos);
}

void LogosController::KeyPress(int reg, QObject* Sender, QChar& Key)
{
    control(reg)->KeyPress(Sender, Key);
}

void LogosController::Change(int reg)
{
    control(reg)->Change();
    // The logo position window sends its next mouse value on the report of
    // the previous one.
    TCadre_logo* cadre = w_.state.win.Cadre_logo;
    if (!cadre || !cadre->isVisible()) return;
    switch (reg) {
    case zeph::Reg::LHPOS: cadre->ZEPH350_d1LHPOSchange(); break;
    case zeph::Reg::LVPOS: cadre->ZEPH350_d1LVPOSchange(); break;
    case zeph::Reg::LHSIZ:
        if (dev_.LMODE() == 1) cadre->ZEPH350_d1LHSIZchange();
        break;
    case zeph::Reg::LVSIZ:
        if (dev_.LMODE() == 1) cadre->ZEPH350_d1LVSIZchange();
        break;
    default: break;
    }
}

// --- fades ----------------------------------------------------------------------------

QString LogosController::Conv_fade_frame_en_seconde(uint32_t value)
{
    return seconds(value / 10.0);
}

QString LogosController::Conv_fade_logo_en_seconde(uint32_t value)
{
    return seconds(value * 0.02);
}

void LogosController::ScrollBar_Frame_Fade_durationScroll(QObject* Sender, int ScrollCode, int& ScrollPos)
{
    dev_.SetLFRAMEDUR(uint32_t(ScrollPos));
    auto* bar = qobject_cast<ScrollBarEx*>(Sender);
    if (ScrollCode == ScrollBarEx::EndScroll) {
        if (bar) bar->Tag = 0;
        Panel_fade_frame_duration->hide();
    } else if (bar) {
        bar->Tag = 1;
    }
}

void LogosController::ScrollBar_Logo_Fade_durationScroll(QObject*, int ScrollCode, int& ScrollPos)
{
    dev_.SetLLOGODUR(uint32_t(ScrollPos));
    ScrollBar_Logo_Fade_duration->Tag = ScrollCode == ScrollBarEx::EndScroll ? 0 : 1;
}

void LogosController::Edit_Frame_Fade_durationKeyPress(QObject* Sender, QChar& Key)
{
    if (Key != QChar(13)) return;
    auto* edit = qobject_cast<QLineEdit*>(Sender);
    if (!edit) return;
    // Seconds with an optional point: "1.5" is 15 tenths, "2" is 20. The
    // locale's decimal separator, which the edit itself shows, counts as
    // the point.
    QString digits = edit->text();
    const QString separator = QLocale().decimalPoint();
    const bool point = digits.contains(QLatin1Char('.')) || (!separator.isEmpty() && digits.contains(separator));
    digits.remove(QLatin1Char('.'));
    if (!separator.isEmpty()) digits.remove(separator);
    const std::optional<int32_t> v = StrToIntOrReport(digits);
    if (!v) return;
    // Whole seconds are counted in tenths without overflow; a count no
    // register holds sends the stored value again, and the device's answer
    // puts the edit right.
    const int64_t tenths = point ? int64_t(*v) : int64_t(*v) * 10;
    if (tenths > int64_t(UINT32_MAX) || tenths < int64_t(INT32_MIN)) {
        dev_.SetLFRAMEDUR(dev_.LFRAMEDUR());
        return;
    }
    dev_.SetLFRAMEDUR(uint32_t(tenths));  // a negative count goes as its 32-bit pattern
}

void LogosController::Edit_Logo_Fade_durationKeyPress(QObject*, QChar& Key)
{
    if (Key != QChar(13)) return;
    const std::optional<int32_t> v = StrToIntOrReport(Edit_Logo_Fade_duration->text());
    if (!v) return;
    if (*v >= 1 && *v <= 5)
        dev_.SetLLOGODUR(uint32_t(*v * 60 - 45));
    else
        dev_.SetLLOGODUR(dev_.LLOGODUR());  // the device's answer puts the edit right
}

void LogosController::Edit_Logo_Fade_durationClick(QObject* Sender)
{
    if (auto* edit = qobject_cast<QLineEdit*>(Sender)) edit->selectAll();
}

void LogosController::BitBtn_close_frame_fade_durationClick(QObject*)
{
    Panel_fade_frame_duration->hide();
}

void LogosController::ZEPH350_d1LFRAMEDURchange(TZEPH350_d*, int)
{
    const uint32_t value = dev_.LFRAMEDUR();
    const QString text = Conv_fade_frame_en_seconde(value);
    for (QLineEdit* e : {Edit_Frame_Fade_duration, Edit_Frame2_Fade_duration}) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
    for (ScrollBarEx* b : {ScrollBar_Frame_Fade_duration, ScrollBar_frame2_fade_duration}) showOnBar(b, value);
}

void LogosController::ZEPH350_d1LLOGODURchange(TZEPH350_d*, int)
{
    const uint32_t value = dev_.LLOGODUR();
    {
        const QSignalBlocker block(Edit_Logo_Fade_duration);
        Edit_Logo_Fade_duration->setText(Conv_fade_logo_en_seconde(value));
    }
    showOnBar(ScrollBar_Logo_Fade_duration, value);
}
