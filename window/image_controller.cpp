#include "image_controller.h"

#include "prompter.h"
#include "zeph350_d.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>


namespace {

using Event = TZEPH350_d::Event;

using zeph::Reg::HPOS, zeph::Reg::VPOS, zeph::Reg::HSIZ, zeph::Reg::VSIZ, zeph::Reg::BLKLV, zeph::Reg::HUE;
using zeph::Reg::OPTI, zeph::Reg::DDIVIDER, zeph::Reg::DPHASE, zeph::Reg::BRGT, zeph::Reg::CONTR;
using zeph::Reg::COLOR, zeph::Reg::RLV, zeph::Reg::GLV, zeph::Reg::BLV;

// One register row of the page: its controls (bar, edit and, for the
// picture geometry, their twins on the "Logo && Frame" page), its range,
// start and display offset, its caption and place, and the names of its
// three handlers.
struct Row {
    regctl::Definition def;
    const char* caption;
    int column;
    int row;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

const Row kRows[] = {
    {{HPOS, "ScrollBar_hpos_video", "Edit_hpos", "new_ScrollBar_hpos_video", "new_Edit_hpos", 0, 255, 128, 128},
     "Horizontal position", 0, 0, "ScrollBar_hpos_videoScroll", "Edit_hposKeyPress", "ZEPH350_d1HPOSchange", Event::OnHPOSchange},
    {{VPOS, "ScrollBar_vpos_video", "Edit_vpos", "new_ScrollBar_vpos_video", "new_Edit_vpos", 0, 255, 128, 128},
     "Vertical position", 0, 1, "ScrollBar_vpos_videoScroll", "Edit_vposKeyPress", "ZEPH350_d1VPOSchange", Event::OnVPOSchange},
    {{HSIZ, "ScrollBar_hsiz_video", "Edit_hsize", "new_ScrollBar_hsiz_video", "new_Edit_hsize", 0, 255, 128, 128},
     "Horizontal size", 0, 2, "ScrollBar_hsiz_videoScroll", "Edit_hsizeKeyPress", "ZEPH350_d1HSIZchange", Event::OnHSIZchange},
    {{VSIZ, "ScrollBar_vsiz_video", "Edit_vsize", "new_ScrollBar_vsiz_video", "new_Edit_vsize", 0, 255, 128, 128},
     "Vertical size", 0, 3, "ScrollBar_vsiz_videoScroll", "Edit_vsizeKeyPress", "ZEPH350_d1VSIZchange", Event::OnVSIZchange},
    {{BLKLV, "ScrollBar_blacklevel", "Edit_blacklevel", nullptr, nullptr, 0, 255, 128, 128},
     "Black level", 0, 4, "ScrollBar_blacklevelScroll", "Edit_blacklevelKeyPress", "ZEPH350_d1BLKLVchange", Event::OnBLKLVchange},
    {{HUE, "ScrollBar_hue", "Edit_hue", nullptr, nullptr, 0, 255, 128, 128},
     "Hue (NTSC)", 0, 5, "ScrollBar_hueScroll", "Edit_hueKeyPress", "ZEPH350_d1HUEchange", Event::OnHUEchange},
    {{OPTI, "ScrollBar_Optimize", "Edit_Optimize", nullptr, nullptr, 0, 255, 128, 128},
     "Optimize", 0, 6, "ScrollBar_OptimizeScroll", "Edit_OptimizeKeyPress", "ZEPH350_d1OPTIchange", Event::OnOPTIchange},
    {{DDIVIDER, "ScrollBar_ddivider", "Edit_ddivider", nullptr, nullptr, 0, 127, 64, 64},
     "Clock", 0, 7, "ScrollBar_ddividerScroll", "Edit_ddividerKeyPress", "ZEPH350_d1DDIVIDERchange", Event::OnDDIVIDERchange},
    {{DPHASE, "ScrollBar_dphase", "Edit_dphase", nullptr, nullptr, 0, 31, 16, 16},
     "Phase", 0, 8, "ScrollBar_dphaseScroll", "Edit_dphaseKeyPress", "ZEPH350_d1DPHASEchange", Event::OnDPHASEchange},
    {{BRGT, "ScrollBar_brightness", "Edit_brightness", nullptr, nullptr, 0, 255, 128, 128},
     "Brightness", 1, 0, "ScrollBar_brightnessScroll", "Edit_brightnessKeyPress", "ZEPH350_d1BRGTchange", Event::OnBRGTchange},
    {{CONTR, "ScrollBar_contrast", "Edit_contrast", nullptr, nullptr, 0, 255, 128, 128},
     "Contrast", 1, 1, "ScrollBar_contrastScroll", "Edit_contrastKeyPress", "ZEPH350_d1CONTRchange", Event::OnCONTRchange},
    {{COLOR, "ScrollBar_color", "Edit_color", nullptr, nullptr, 0, 255, 128, 128},
     "Color", 1, 2, "ScrollBar_colorScroll", "Edit_colorKeyPress", "ZEPH350_d1COLORchange", Event::OnCOLORchange},
    {{RLV, "ScrollBar_redlevel", "Edit_redlevel", nullptr, nullptr, 0, 127, 64, 64},
     "Red level", 1, 3, "ScrollBar_redlevelScroll", "Edit_redlevelKeyPress", "ZEPH350_d1RLVchange", Event::OnRLVchange},
    {{GLV, "ScrollBar_greenlevel", "Edit_greenlevel", nullptr, nullptr, 0, 127, 64, 64},
     "Green level", 1, 4, "ScrollBar_greenlevelScroll", "Edit_greenlevelKeyPress", "ZEPH350_d1GLVchange", Event::OnGLVchange},
    {{BLV, "ScrollBar_bluelevel", "Edit_bluelevel", nullptr, nullptr, 0, 127, 64, 64},
     "Blue level", 1, 5, "ScrollBar_bluelevelScroll", "Edit_bluelevelKeyPress", "ZEPH350_d1BLVchange", Event::OnBLVchange},
};

// Layout of the page area (about 780 x 440): two columns of rows, each a
// caption, a bar and an edit.
constexpr int ColumnX[2] = {10, 400};
constexpr int RowTop = 12;
constexpr int RowStep = 28;
constexpr int CaptionWidth = 120;
constexpr int BarLeft = 125, BarWidth = 190, BarHeight = 17;
constexpr int EditLeft = 322, EditWidth = 45, EditHeight = 21;
// The twins sit in the lower right of the "Logo && Frame" page.
constexpr int TwinX = 400, TwinTop = 250;

int rowY(int row)
{
    return RowTop + row * RowStep;
}

// Captions are named after the control they describe: "Label_" and the
// edit's (or list's) name part.
QLabel* caption(QWidget* page, const QString& name, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, page);
    l->setObjectName(name);
    l->setGeometry(x, y + 1, CaptionWidth, BarHeight);
    return l;
}

QString confirmTitle()
{
    return QStringLiteral("Confirm");
}

}  // namespace

ImageController::ImageController(TZEPH350_d& dev, QWidget* imagePage, QWidget* logoFramePage, QWidget* outputPage,
                                 QWidget* mainWindow)
    : FamilyController(dev, Family::Image),
      mainWindow_(mainWindow)
{
    buildRegisters(imagePage, logoFramePage);
    buildSelectors(imagePage);
    buildButtons(imagePage);
    buildTabs(outputPage);
    bindEvents();
}

ImageController::~ImageController() = default;

RegisterControl* ImageController::control(int reg) const
{
    return controls_.find(reg);
}

RegisterControl& ImageController::ctl(int reg) const
{
    return *control(reg);
}

void ImageController::buildRegisters(QWidget* imagePage, QWidget* logoFramePage)
{
    int twins = 0;
    for (const Row& r : kRows) {
        const regctl::Definition& s = r.def;
        RegisterControl& c = controls_.add(dev_, s);
        const int x = ColumnX[r.column], y = rowY(r.row);
        const QString start = regctl::displayText(uint32_t(s.start), s.offset);
        caption(imagePage, QStringLiteral("Label_") + QString::fromLatin1(s.edit).mid(5), QString::fromLatin1(r.caption), x,
                y);
        std::vector<std::pair<ScrollBarEx*, QLineEdit*>> pairs;
        pairs.emplace_back(regctl::makeBar(imagePage, s.bar, s, QRect(x + BarLeft, y, BarWidth, BarHeight)),
                           regctl::makeEdit(imagePage, s.edit, QRect(x + EditLeft, y - 2, EditWidth, EditHeight)));
        if (s.twinBar && logoFramePage) {
            const int ty = TwinTop + twins++ * RowStep;
            auto* bar = regctl::makeBar(logoFramePage, s.twinBar, s, QRect(TwinX + BarLeft, ty, BarWidth, BarHeight));
            auto* edit =
                regctl::makeEdit(logoFramePage, s.twinEdit, QRect(TwinX + EditLeft, ty - 2, EditWidth, EditHeight));
            // Shown in frame-recording mode only.
            bar->hide();
            edit->hide();
            pairs.emplace_back(bar, edit);
        }
        const int reg = s.reg;
        for (auto [bar, edit] : pairs) {
            edit->setText(start);
            c.add(bar, edit);
            regctl::wire(
                bar, edit, this, [this, reg](QObject* s, int code, int& pos) { Scroll(reg, s, code, pos); },
                [this, reg](QObject* s, QChar& k) { KeyPress(reg, s, k); });
        }
    }
}

void ImageController::buildSelectors(QWidget* page)
{
    const int x = ColumnX[1];
    auto list = [&](const char* name, const char* label, const char* text, int row, const QStringList& items) {
        caption(page, QString::fromLatin1(label), QString::fromLatin1(text), x, rowY(row));
        auto* box = new QComboBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems(items);
        box->setGeometry(x + BarLeft, rowY(row) - 2, BarWidth, 22);
        return box;
    };
    QStringList sharpness{QStringLiteral("Sharpness Disable")};
    for (int i = 1; i <= 7; ++i) sharpness << QStringLiteral("Sharpness Level %1").arg(i);
    ComboBox_process = list("ComboBox_process", "Label_process", "Sharpness", 6, sharpness);
    RadioGroup_IASP = list("RadioGroup_IASP", "Label_IASP", "Aspect ratio", 7,
                           {QStringLiteral("4/3 standard"), QStringLiteral("Letter box"), QStringLiteral("WS Anamorphic")});
    RadioGroup_over_under_scan = list("RadioGroup_over_under_scan", "Label_over_under_scan", "Under/Over scan", 8,
                                      {QStringLiteral("Under scan"), QStringLiteral("Over   scan")});
    connect(ComboBox_process, &QComboBox::activated, this, [this] { ComboBox_processChange(ComboBox_process); });
    connect(RadioGroup_IASP, &QComboBox::activated, this, [this] { RadioGroup_IASP1Click(RadioGroup_IASP); });
    connect(RadioGroup_over_under_scan, &QComboBox::activated, this,
            [this] { RadioGroup_over_under_scan1Click(RadioGroup_over_under_scan); });
}

void ImageController::buildButtons(QWidget* page)
{
    struct B {
        const char* name;
        const char* text;
        void (ImageController::*click)(QObject*);
        QPushButton** held;  // the button the inputs family relabels
    };
    const B buttons[] = {
        {"BitBtn1", "Recall", &ImageController::ToolButton_recallClick, nullptr},
        {"BitBtn_Store", "Store", &ImageController::BitBtn_StoreClick, nullptr},
        {"BitBtn_preset", "Preset", &ImageController::BitBtn_presetClick, nullptr},
        {"BitBtn_alignment", "Centering", &ImageController::BitBtn_alignmentClick, &BitBtn_alignment},
    };
    int x = ColumnX[0];
    const int y = rowY(9) + 24;
    for (const B& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), page);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(x, y, 90, 28);
        if (b.held) *b.held = button;
        x += 100;
        const auto click = b.click;
        connect(button, &QPushButton::clicked, this, [this, click, button] { (this->*click)(button); });
    }
}

void ImageController::buildTabs(QWidget* outputPage)
{
    if (!outputPage) return;
    TabSet_IASPR = new QTabBar(outputPage);
    TabSet_IASPR->setObjectName(QStringLiteral("TabSet_IASPR"));
    TabSet_IASPR->addTab(QStringLiteral("Output   4/3"));
    TabSet_IASPR->addTab(QStringLiteral("Output 16/9"));
    TabSet_IASPR->setShape(QTabBar::TriangularSouth);
    TabSet_IASPR->setGeometry(104, 72, 169, 17);
    // Two tabs filling the narrow set below the reference list: no scroll
    // buttons, a smaller font.
    TabSet_IASPR->setUsesScrollButtons(false);
    TabSet_IASPR->setExpanding(true);
    TabSet_IASPR->setElideMode(Qt::ElideNone);
    QFont small = TabSet_IASPR->font();
    small.setPixelSize(10);
    TabSet_IASPR->setFont(small);
    // Code changes the tab only under a signal blocker, so this reports the
    // operator's choice.
    connect(TabSet_IASPR, &QTabBar::currentChanged, this, [this](int tab) {
        bool allow = true;
        TabSet_IASPRChange(TabSet_IASPR, tab, allow);
    });
}

void ImageController::bindEvents()
{
    for (const Row& r : kRows) {
        const int reg = r.def.reg;
        on(r.event, r.change, [this, reg](TZEPH350_d*, int) { Change(reg); });
    }
    ZEPH_ON(OnSTOREchange, ImageController, ZEPH350_d1STOREchange);
    ZEPH_ON(OnIASPRchange, ImageController, ZEPH350_d1IASPRchange);
    ZEPH_ON(OnDIVIDERchange, ImageController, ZEPH350_d1DIVIDERchange);
}

// --- register handlers ------------------------------------------------------

void ImageController::Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    ctl(reg).Scroll(Sender, ScrollCode, ScrollPos);
}

void ImageController::KeyPress(int reg, QObject* Sender, QChar& Key)
{
    ctl(reg).KeyPress(Sender, Key);
}

void ImageController::Change(int reg)
{
    ctl(reg).Change();
}

// --- lists, buttons, tabs ---------------------------------------------------

void ImageController::ComboBox_processChange(QObject*)
{
    dev_.SetPROC(uint32_t(ComboBox_process->currentIndex()));
}

void ImageController::RadioGroup_IASP1Click(QObject*)
{
    dev_.SetIASP(uint32_t(RadioGroup_IASP->currentIndex()));
}

void ImageController::RadioGroup_over_under_scan1Click(QObject*)
{
    switch (RadioGroup_over_under_scan->currentIndex()) {
    case 0: dev_.SetOVER(false); break;
    case 1: dev_.SetOVER(true); break;
    default: break;
    }
}

void ImageController::ToolButton_recallClick(QObject*)
{
    if (prompter().question(mainWindow_, confirmTitle(),
                            QStringLiteral("Are you sure you want to recall the last image settings stored ?")))
        dev_.SetRECALL(true);
}

void ImageController::BitBtn_StoreClick(QObject*)
{
    dev_.SetSTORE(true);
}

void ImageController::BitBtn_presetClick(QObject*)
{
    if (prompter().question(mainWindow_, confirmTitle(),
                            QStringLiteral("Are you sure you want to set all image parameters to the factory settings ?")))
        dev_.SetPRESET(true);
}

void ImageController::BitBtn_alignmentClick(QObject*)
{
    dev_.SetACAD(true);
}

void ImageController::TabSet_IASPRChange(QObject*, int NewTab, bool&)
{
    switch (NewTab) {
    case 0: dev_.SetIASPR(0); break;
    case 1: dev_.SetIASPR(2); break;
    default: break;
    }
}

void ImageController::ZEPH350_d1IASPRchange(TZEPH350_d*, int)
{
    if (!TabSet_IASPR) return;
    int tab = -1;
    switch (dev_.IASPR()) {
    case 0: tab = 0; break;
    case 2: tab = 1; break;
    default: return;  // no tab for other values
    }
    const QSignalBlocker block(TabSet_IASPR);
    TabSet_IASPR->setCurrentIndex(tab);
}

void ImageController::ZEPH350_d1STOREchange(TZEPH350_d*, int)
{
    if (!waitWindow_) return;
    if (!dev_.STORE()) {
        waitWindow_->hide();
        return;
    }
    if (mainWindow_) {
        const QRect g = mainWindow_->frameGeometry();
        waitWindow_->move(g.center() - QPoint(waitWindow_->width() / 2, waitWindow_->height() / 2));
    }
    waitWindow_->show();
}

void ImageController::ZEPH350_d1DIVIDERchange(TZEPH350_d*, int)
{
    if (signal) signal();
}
