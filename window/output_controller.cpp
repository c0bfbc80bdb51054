#include "output_controller.h"

#include "about.h"
#include "cadre_logo.h"
#include "device_button.h"
#include "image_controller.h"
#include "inputs_controller.h"
#include "model_layout.h"
#include "radio_group.h"
#include "shown_pages.h"
#include "zeph350_main.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

using Event = TZEPH350_d::Event;
using zeph::Reg::MHPOS, zeph::Reg::MHSIZ, zeph::Reg::MVPOS, zeph::Reg::MVSIZ;

// The status names by OFMT: master mode, then follow mode.
struct FormatNames {
    const char* master;
    const char* follow;
};
const FormatNames kFormatNames[OutputController::FormatCount] = {
    {"VGA       60Hz  4/3", "640x480   L"},
    {"SVGA      60Hz  4/3", "800x600   L"},
    {"XGA       60Hz  4/3", "1024x768  L"},
    {"SXGA      60Hz  4/3", "1280x1024 L"},
    {"SXGA+     60Hz  4/3", "1400x1050 L"},
    {"VGA       75Hz  4/3", "640x480   L"},
    {"SVGA      75Hz  4/3", "800x600   L"},
    {"XGA       75Hz  4/3", "1024x768  L"},
    {"SXGA      75Hz  4/3", "1280x1024 L"},
    {"DILA      75Hz  4/3", "1365x1024 L"},
    {"DILA      75Hz 16/9", "1365x768  L"},
    {"HDTV      480 p", "HDTV 480 p"},
    {"HDTV      720 p", "HDTV 720 p"},
    {"DILA      60Hz\t4/3", "1365x1024 L"},
    {"DILA      60Hz\t16/9", "1365x768\t L"},
    {"SXGAP     75Hz\t4/3", "1400x1050 L"},
};

// The follow list position of each OFMT.
const int kFollowPosition[OutputController::FormatCount] = {0, 1, 2, 3, 6, 0, 1, 2, 3, 4, 5, 7, 8, 4, 5, 6};

// The two lists, in position order.
const char* const kMasterItems[16] = {
    "VGA           640x480      60Hz   4/3",  "SVGA         800x600      60Hz   4/3",
    "XGA           1024x768    60Hz   4/3",   "SXGA         1280x1024  60Hz   5/4",
    "SXGA+       1400x1050  60Hz   4/3",      "DILA 4/3    1365x1024  60Hz   4/3",
    "DILA 16/9  1365x768    60Hz   16/9",     "VGA           640x480      75Hz   4/3",
    "SVGA         800x600      75Hz   4/3",   "XGA           1024x768    75Hz   4/3",
    "SXGA         1280x1024  75Hz   5/4",     "SXGA+       1400x1050  75Hz   4/3",
    "DILA 4/3    1365x1024  75Hz   4/3",      "DILA 16/9  1365x768    75Hz   16/9",
    "480p           852x480      60Hz   16/9", "720p           1280x720    60Hz   16/9",
};
const char* const kFollowItems[9] = {
    "640x480     L", "800x600     L", "1024x768   L", "1280x1024 L", "1365x1024 L",
    "1365x768   L",  "1400x1050 L",  "480p",         "720p",
};

// The index a reported value selects in a list of `count` items: the value
// itself, or none (-1) for a value the list does not hold.
int itemOf(uint32_t value, int count)
{
    return value < uint32_t(count) ? int(value) : -1;
}

void select(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

// One row of the test-pattern panel: the register control (raw values,
// echo-paced drag, Enter sends the text as it is) with its caption and the
// names of its three handlers.
struct PatternRow {
    regctl::Definition def;
    const char* caption;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

constexpr auto Paced = regctl::ScrollForm::EchoPaced;
constexpr auto AsTyped = regctl::EntryForm::Unchecked;
const PatternRow kPatternRows[] = {
    {{MHPOS, "ScrollBar_MHPOS", "Edit_MHPOS", nullptr, nullptr, 0, 255, 128, 0, Paced, AsTyped},
     "Horizontal position", "ScrollBar_MHPOSScroll", "Edit_MHPOSKeyPress", "ZEPH350_d1MHPOSchange", Event::OnMHPOSchange},
    {{MHSIZ, "ScrollBar_MHSIZ", "Edit_MHSIZ", nullptr, nullptr, 0, 255, 128, 0, Paced, AsTyped},
     "Horizontal size", "ScrollBar_MHSIZScroll", "Edit_MHSIZKeyPress", "ZEPH350_d1MHSIZchange", Event::OnMHSIZchange},
    {{MVPOS, "ScrollBar_MVPOS", "Edit_MVPOS", nullptr, nullptr, 0, 63, 32, 0, Paced, AsTyped},
     "Vertical position", "ScrollBar_MVPOSScroll", "Edit_MVPOSKeyPress", "ZEPH350_d1MVPOSchange", Event::OnMVPOSchange},
    {{MVSIZ, "ScrollBar_MVSIZ", "Edit_MVSIZ", nullptr, nullptr, 0, 63, 32, 0, Paced, AsTyped},
     "Vertical size", "ScrollBar_MVSIZScroll", "Edit_MVSIZKeyPress", "ZEPH350_d1MVSIZchange", Event::OnMVSIZchange},
};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

QComboBox* list(QWidget* parent, const char* name, const char* const* items, int count, const QRect& geometry)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < count; ++i) box->addItem(QString::fromLatin1(items[i]));
    box->setGeometry(geometry);
    return box;
}

}  // namespace

const std::array<int, 16> OutputController::MasterTable = {0, 1, 2, 3, 4, 13, 14, 5, 6, 7, 8, 15, 9, 10, 11, 12};
const std::array<int, 9> OutputController::FollowTable = {0, 1, 2, 3, 13, 14, 4, 11, 12};

int OutputController::Position_INDEX_master_par_rapport_OFMT(uint32_t OFMT)
{
    for (size_t p = 0; p < MasterTable.size(); ++p)
        if (uint32_t(MasterTable[p]) == OFMT) return int(p);
    return -1;
}

int OutputController::followPosition(uint32_t OFMT)
{
    return OFMT < uint32_t(FormatCount) ? kFollowPosition[OFMT] : -1;
}

QString OutputController::masterName(uint32_t OFMT)
{
    return OFMT < uint32_t(FormatCount) ? QString::fromLatin1(kFormatNames[OFMT].master) : QString();
}

QString OutputController::followName(uint32_t OFMT)
{
    return OFMT < uint32_t(FormatCount) ? QString::fromLatin1(kFormatNames[OFMT].follow) : QString();
}

OutputController::OutputController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Output), w_(w)
{
    buildFormats();
    buildGroups();
    buildPatternPanel();
    buildSmoothing();

    // One slide timer for the window's life; the direction is its state.
    slideTimer_ = new QTimer(&w_);
    slideTimer_->setObjectName(QStringLiteral("Timer_mire_glissade"));
    slideTimer_->setInterval(1);
    connect(slideTimer_, &QTimer::timeout, this, [this] { mire_glissade(); });

    // The voice-over page waits for the device's option bit.
    setPageShown(w_.PageControl1, w_.voiceOverPage, false);

    bindEvents();
}

OutputController::~OutputController() = default;

void OutputController::buildFormats()
{
    QWidget* page = w_.outputPage;
    label(page, "Label_output_format", QStringLiteral("Output format :"), QRect(290, 34, 200, 17));
    const QRect place(290, 52, 330, 22);
    output_format_master = list(page, "output_format_master", kMasterItems, 16, place);
    output_format_follow = list(page, "output_format_follow", kFollowItems, 9, place);
    output_format_follow->hide();
    ComboBox_out_seam = new QComboBox(page);
    ComboBox_out_seam->setObjectName(QStringLiteral("ComboBox_out_seam"));
    ComboBox_out_seam->setEditable(true);  // a text box that shows what the device makes
    ComboBox_out_seam->lineEdit()->setReadOnly(true);
    ComboBox_out_seam->setGeometry(place);
    ComboBox_out_seam->hide();
    connect(output_format_master, &QComboBox::activated, this, [this](int p) { output_formatChange(p); });
    connect(output_format_follow, &QComboBox::activated, this, [this](int p) { output_format_followChange(p); });

    label(page, "Label_outformat_caption", QStringLiteral("Output format :"), QRect(8, 212, 100, 17));
    Label_outformat = label(page, "Label_outformat", QString(), QRect(110, 212, 330, 17));
    label(page, "Label_outsync_caption", QStringLiteral("Output sync :"), QRect(8, 232, 100, 17));
    Label_outsync = label(page, "Label_outsync", QString(), QRect(110, 232, 200, 17));
}

void OutputController::buildGroups()
{
    QWidget* page = w_.outputPage;
    RadioGroup_osyn = new RadioGroup(QStringLiteral("Output Sync:"),
                                     {QStringLiteral("H && V"), QStringLiteral("Comp"), QStringLiteral("SOG")}, 1, page);
    RadioGroup_osyn->setObjectName(QStringLiteral("RadioGroup_osyn"));
    RadioGroup_osyn->setGeometry(8, 110, 170, 84);
    RadioGroup_typeofscreen =
        new RadioGroup(QStringLiteral("Type of screen:"), {QStringLiteral("4/3"), QStringLiteral("16/9")}, 1, page);
    RadioGroup_typeofscreen->setObjectName(QStringLiteral("RadioGroup_typeofscreen"));
    RadioGroup_typeofscreen->setGeometry(190, 110, 150, 84);
    RadioGroup_test_pattern = new RadioGroup(
        QStringLiteral("Test pattern:"),
        {QStringLiteral("OFF"), QStringLiteral("Centring pattern"), QStringLiteral("Color bar pattern")}, 1, page);
    RadioGroup_test_pattern->setObjectName(QStringLiteral("RadioGroup_test_pattern"));
    RadioGroup_test_pattern->setGeometry(352, 110, 190, 84);
    connect(RadioGroup_osyn, &RadioGroup::itemClicked, this, [this](int i) { RadioGroup_osynClick(i); });
    connect(RadioGroup_typeofscreen, &RadioGroup::itemClicked, this, [this](int i) { RadioGroup_typeofscreenClick(i); });
    connect(RadioGroup_test_pattern, &RadioGroup::itemClicked, this, [this](int i) { RadioGroup_test_patternClick(i); });

    // "Position && Size": the group's popup and the button beside it. The
    // model layout shows them or takes them away by model and OPAT.
    PopupMenu_mireseamles = new QMenu(&w_);
    PopupMenu_mireseamles->setObjectName(QStringLiteral("PopupMenu_mireseamles"));
    PositionTaillemire1 = PopupMenu_mireseamles->addAction(QStringLiteral("Position && Size"));
    PositionTaillemire1->setObjectName(QStringLiteral("PositionTaillemire1"));
    connect(PositionTaillemire1, &QAction::triggered, this, [this] { PositionTaillemire1Click(); });
    RadioGroup_test_pattern->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RadioGroup_test_pattern, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (RadioGroup_test_pattern->contextMenuPolicy() == Qt::CustomContextMenu)
            PopupMenu_mireseamles->popup(RadioGroup_test_pattern->mapToGlobal(at));
    });
    BitBtn_cadrage_pattern = new QPushButton(QStringLiteral("Position && Size"), page);
    BitBtn_cadrage_pattern->setObjectName(QStringLiteral("BitBtn_cadrage_pattern"));
    BitBtn_cadrage_pattern->setGeometry(552, 140, 130, 26);
    connect(BitBtn_cadrage_pattern, &QPushButton::clicked, this, [this] { PositionTaillemire1Click(); });
}

void OutputController::buildPatternPanel()
{
    Panel_mire_en_seamless = new QFrame(w_.outputPage);
    Panel_mire_en_seamless->setObjectName(QStringLiteral("Panel_mire_en_seamless"));
    Panel_mire_en_seamless->setFrameShape(QFrame::Panel);
    Panel_mire_en_seamless->setFrameShadow(QFrame::Raised);
    Panel_mire_en_seamless->setAutoFillBackground(true);
    Panel_mire_en_seamless->setGeometry(4, 0, 772, 180);
    Panel_mire_en_seamless->hide();
    QFrame* panel = Panel_mire_en_seamless;

    QLabel* title = label(panel, "Label_pattern_position", QStringLiteral("Pattern position"), QRect(12, 6, 300, 17));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    int y = 32;
    for (const PatternRow& r : kPatternRows) {
        const regctl::Definition& d = r.def;
        label(panel, qPrintable(QStringLiteral("Label_") + QString::fromLatin1(d.edit).mid(5)),
              QString::fromLatin1(r.caption), QRect(16, y + 1, 130, 17));
        regctl::addPair(pattern_.add(dev_, d), panel, QRect(150, y, 400, 17), QRect(560, y - 2, 50, 21), this);
        y += 28;
    }
    BitBtn2 = new QPushButton(QStringLiteral("&Fermer"), panel);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(680, 140, 80, 28);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void OutputController::buildSmoothing()
{
    // Beside the picture page's buttons.
    QWidget* page = w_.imagePage;
    const struct {
        QToolButton** button;
        const char* name;
        const char* text;
        int left;
        void (OutputController::*click)();
    } buttons[] = {
        {&SpeedButton_H_smooth, "SpeedButton_H_smooth", "H smoothing", 410, &OutputController::SpeedButton_H_smoothClick},
        {&SpeedButton_V_smooth, "SpeedButton_V_smooth", "V smoothing", 530, &OutputController::SpeedButton_V_smoothClick},
    };
    for (const auto& b : buttons) {
        auto* t = new DeviceButton<QToolButton>(page);
        t->setObjectName(QString::fromLatin1(b.name));
        t->setText(QString::fromLatin1(b.text));
        t->setCheckable(true);
        t->setGeometry(b.left, 288, 110, 28);
        *b.button = t;
        const auto click = b.click;
        connect(t, &QToolButton::clicked, this, [this, click] { (this->*click)(); });
    }
}

void OutputController::bindEvents()
{
    ZEPH_ON(OnOFMTchange, OutputController, ZEPH350_d1OFMTchange);
    ZEPH_ON(OnOSYNCchange, OutputController, ZEPH350_d1OSYNCchange);
    ZEPH_ON(OnOSCREENchange, OutputController, ZEPH350_d1OSCREENchange);
    ZEPH_ON(OnOPATchange, OutputController, ZEPH350_d1OPATchange);
    for (const PatternRow& r : kPatternRows) {
        RegisterControl* c = pattern_.find(r.def.reg);
        on(r.event, r.change, [c](TZEPH350_d*, int) { c->Change(); });
    }
    ZEPH_ON(OnOVERchange, OutputController, ZEPH350_d1OVERchange);
    ZEPH_ON(OnIASPchange, OutputController, ZEPH350_d1IASPchange);
    ZEPH_ON(OnHSMTchange, OutputController, ZEPH350_d1HSMTchange);
    ZEPH_ON(OnVSMTchange, OutputController, ZEPH350_d1VSMTchange);
    ZEPH_ON(OnVERIchange, OutputController, ZEPH350_d1VERIchange);
    ZEPH_ON(OnVERKchange, OutputController, ZEPH350_d1VERKchange);
    ZEPH_ON(OnVERSchange, OutputController, ZEPH350_d1VERSchange);
    ZEPH_ON(OnVERFchange, OutputController, ZEPH350_d1VERFchange);
    ZEPH_ON(OnVERVchange, OutputController, ZEPH350_d1VERVchange);
    ZEPH_ON(OnVERUPDchange, OutputController, ZEPH350_d1VERUPDchange);
    ZEPH_ON(OnOPTchange, OutputController, ZEPH350_d1OPTchange);
}

// --- output format ----------------------------------------------------------

bool OutputController::seamless() const
{
    // The switching mode the inputs family shows; before it shows one, the
    // reference the device was asked for.
    const int shown = w_.inputs().reference().fastSeamIndex();
    if (shown == 0 || shown == 1) return shown == 1;
    return dev_.REFREQ() >= 9;
}

void OutputController::ZEPH350_d1OFMTchange(TZEPH350_d*, int)
{
    const uint32_t ofmt = dev_.OFMT();
    QWidget* aspectTabs = w_.image().aspectTabs();
    if (seamless()) {
        // The format comes from the reference: shown, not chosen.
        output_format_master->hide();
        output_format_follow->hide();
        ComboBox_out_seam->show();
        if (aspectTabs) aspectTabs->show();
    } else {
        const bool following = dev_.REFSTA() != 0;
        output_format_follow->setVisible(following);
        output_format_master->setVisible(!following);
        ComboBox_out_seam->hide();
        if (aspectTabs) aspectTabs->hide();
        Label_outformat->setText(following ? followName(ofmt) : masterName(ofmt));
        select(output_format_follow, followPosition(ofmt));
        select(output_format_master, Position_INDEX_master_par_rapport_OFMT(ofmt));
    }
    w_.inputs().reference().Comp_refsta_refreq();
}

void OutputController::output_formatChange(int position)
{
    if (position >= 0 && position < int(MasterTable.size())) dev_.SetOFMT(uint32_t(MasterTable[size_t(position)]));
}

void OutputController::output_format_followChange(int position)
{
    if (position >= 0 && position < int(FollowTable.size())) dev_.SetOFMT(uint32_t(FollowTable[size_t(position)]));
}

// --- sync, screen, test pattern -------------------------------------------------

void OutputController::RadioGroup_osynClick(int ItemIndex)
{
    if (ItemIndex >= 0) dev_.SetOSYNC(uint32_t(ItemIndex));
}

void OutputController::RadioGroup_typeofscreenClick(int ItemIndex)
{
    if (ItemIndex >= 0) dev_.SetOSCREEN(uint32_t(ItemIndex));
}

void OutputController::RadioGroup_test_patternClick(int ItemIndex)
{
    if (ItemIndex >= 0) dev_.SetOPAT(uint32_t(ItemIndex));
}

void OutputController::ZEPH350_d1OSYNCchange(TZEPH350_d*, int)
{
    const uint32_t sync = dev_.OSYNC();
    RadioGroup_osyn->SetItemIndex(itemOf(sync, RadioGroup_osyn->count()));
    // The label shows its text as it stands ("H && V" of the group reads
    // "H & V" there); other values leave it as it was.
    static const char* const names[] = {"H & V", "Composite TTL", "SOG"};
    if (sync < 3) Label_outsync->setText(QString::fromLatin1(names[sync]));
}

void OutputController::ZEPH350_d1OSCREENchange(TZEPH350_d*, int)
{
    RadioGroup_typeofscreen->SetItemIndex(itemOf(dev_.OSCREEN(), RadioGroup_typeofscreen->count()));
}

void OutputController::ZEPH350_d1OPATchange(TZEPH350_d*, int)
{
    RadioGroup_test_pattern->SetItemIndex(itemOf(dev_.OPAT(), RadioGroup_test_pattern->count()));
    // The position button and popup depend on OPAT.
    w_.modelLayout().relayout();
}

// --- the sliding test-pattern panel -----------------------------------------------

void OutputController::PositionTaillemire1Click()
{
    // Pressed again during a slide: the same timer goes on, upwards.
    slideDirection_ = SlideUp;
    Panel_mire_en_seamless->show();
    Panel_mire_en_seamless->raise();
    if (!slideTimer_->isActive()) slideTimer_->start();
}

void OutputController::mire_glissade()
{
    QFrame* panel = Panel_mire_en_seamless;
    const int top = panel->y();
    if (slideDirection_ == SlideUp && top >= RisesWhileFrom) {
        panel->move(panel->x(), top - SlideStep);
    } else if (slideDirection_ == SlideDown && top < ParkedTop) {
        panel->move(panel->x(), top + SlideStep);
    } else {
        slideTimer_->stop();
    }
}

void OutputController::BitBtn2Click()
{
    slideDirection_ = SlideDown;
    if (!slideTimer_->isActive()) slideTimer_->start();
}

// --- scan, input aspect, smoothing ---------------------------------------------------

void OutputController::ZEPH350_d1OVERchange(TZEPH350_d*, int)
{
    if (auto* scan = w_.image().overUnderScanList())
        select(scan, itemOf(dev_.OVER() ? 1 : 0, scan->count()));
}

void OutputController::ZEPH350_d1IASPchange(TZEPH350_d*, int)
{
    if (auto* aspect = w_.image().aspectList())
        select(aspect, itemOf(dev_.IASP(), aspect->count()));
    // The logo frame drawn over the picture follows the aspect.
    if (auto* frame = w_.state.win.Cadre_logo) frame->ZEPH350_d1IASPchange();
}

void OutputController::ZEPH350_d1HSMTchange(TZEPH350_d*, int)
{
    const QSignalBlocker block(SpeedButton_H_smooth);
    SpeedButton_H_smooth->setChecked(dev_.HSMT());
}

void OutputController::ZEPH350_d1VSMTchange(TZEPH350_d*, int)
{
    const QSignalBlocker block(SpeedButton_V_smooth);
    SpeedButton_V_smooth->setChecked(dev_.VSMT());
}

void OutputController::SpeedButton_H_smoothClick()
{
    dev_.SetHSMT(!dev_.HSMT());
}

void OutputController::SpeedButton_V_smoothClick()
{
    dev_.SetVSMT(!dev_.VSMT());
}

// --- versions and options ----------------------------------------------------------

void OutputController::setVersion(QLabel* TAbout_zeph_350::*label, const char* prefix, uint32_t value)
{
    TAbout_zeph_350* about = w_.state.win.About_zeph_350;
    if (!about) return;
    about->ensureContent();
    (about->*label)->setText(QString::fromLatin1(prefix) + QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper());
}

void OutputController::ZEPH350_d1VERIchange(TZEPH350_d*, int)
{
    setVersion(&TAbout_zeph_350::label_I, "I = ", dev_.VERI());
    // Some models' controls depend on the identifier.
    w_.modelLayout().relayout();
}

void OutputController::ZEPH350_d1VERKchange(TZEPH350_d*, int)
{
    setVersion(&TAbout_zeph_350::label_k, "K = ", dev_.VERK());
}

void OutputController::ZEPH350_d1VERSchange(TZEPH350_d*, int)
{
    setVersion(&TAbout_zeph_350::label_s, "S = ", dev_.VERS());
}

void OutputController::ZEPH350_d1VERFchange(TZEPH350_d*, int)
{
    setVersion(&TAbout_zeph_350::label_f, "F = ", dev_.VERF());
}

void OutputController::ZEPH350_d1VERVchange(TZEPH350_d*, int)
{
    setVersion(&TAbout_zeph_350::label_v, "V = ", dev_.VERV());
}

void OutputController::ZEPH350_d1VERUPDchange(TZEPH350_d*, int)
{
    TAbout_zeph_350* about = w_.state.win.About_zeph_350;
    if (!about) return;
    about->ensureContent();
    const uint32_t v = dev_.VERUPD();
    about->label_verupd->setText(QStringLiteral("Version : %1.%2").arg(v / 100).arg(v % 100));
}

void OutputController::ZEPH350_d1OPTchange(TZEPH350_d*, int)
{
    const uint32_t opt = dev_.OPT();
    setVersion(&TAbout_zeph_350::label_opt, "OPT = ", opt);
    setPageShown(w_.PageControl1, w_.voiceOverPage, (opt & 1u) != 0);
    const bool lan = (opt & 16u) != 0;
    w_.MLanSetup->setVisible(lan);
    w_.MLanSeparator->setVisible(lan);
}
