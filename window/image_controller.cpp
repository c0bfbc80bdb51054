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

struct Row {
    regctl::Definition def;
    const char* caption;
    int column;
    int row;
    void (ImageController::*scroll)(QObject*, int, int&);
    void (ImageController::*key)(QObject*, QChar&);
    void (ImageController::*change)(TZEPH350_d*, int);
    Event event;
};

const Row kRows[] = {
#define ZEPH_ROW(REG, bar, edit, twin, max, start, offset, caption, column, row)                        \
    {{zeph::Reg::REG, "ScrollBar_" #bar, "Edit_" #edit, twin ? "new_ScrollBar_" #bar : nullptr,          \
      twin ? "new_Edit_" #edit : nullptr, 0, max, start, offset},                                        \
     caption, column, row, &ImageController::ScrollBar_##bar##Scroll, &ImageController::Edit_##edit##KeyPress, \
     &ImageController::ZEPH350_d1##REG##change, Event::On##REG##change},
    ZEPH_IMAGE_REGISTERS(ZEPH_ROW)
#undef ZEPH_ROW
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
                                 QWidget* waitStoringWindow, QWidget* mainWindow)
    : QObject(nullptr),
      dev_(dev),
      devAlive_(&dev),
      mainWindow_(mainWindow),
      waitWindow_(waitStoringWindow)
{
    buildRegisters(imagePage, logoFramePage);
    buildSelectors(imagePage);
    buildButtons(imagePage);
    buildTabs(outputPage);
    if (!waitWindow_) {
        // Plain contents: the caption and one bold line.
        ownWaitWindow_ = std::make_unique<QWidget>(
            nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        ownWaitWindow_->setObjectName(QStringLiteral("Form_wait_storing_settings"));
        ownWaitWindow_->setWindowTitle(QStringLiteral("WAIT STORING SETTING"));
        auto* label = new QLabel(QStringLiteral("WAIT STORING SETTING"), ownWaitWindow_.get());
        QFont f = label->font();
        f.setBold(true);
        f.setPixelSize(16);
        label->setFont(f);
        auto* layout = new QVBoxLayout(ownWaitWindow_.get());
        layout->addWidget(label);
        ownWaitWindow_->adjustSize();
        waitWindow_ = ownWaitWindow_.get();
    }
    bindEvents();
}

ImageController::~ImageController()
{
    // A device that outlives the controller must not call into it.
    if (!devAlive_) return;  // the device went first
    for (const Row& r : kRows) dev_.setHandler(r.event, nullptr);
    dev_.setHandler(Event::OnSTOREchange, nullptr);
    dev_.setHandler(Event::OnIASPRchange, nullptr);
    dev_.setHandler(Event::OnDIVIDERchange, nullptr);
}

RegisterControl* ImageController::control(int reg) const
{
    for (const auto& c : controls_)
        if (c->reg() == reg) return c.get();
    return nullptr;
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
        auto c = std::make_unique<RegisterControl>(dev_, s);
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
        for (auto [bar, edit] : pairs) {
            edit->setText(start);
            c->add(bar, edit);
            const auto scroll = r.scroll;
            const auto key = r.key;
            regctl::wire(
                bar, edit, this, [this, scroll](QObject* s, int code, int& pos) { (this->*scroll)(s, code, pos); },
                [this, key](QObject* s, QChar& k) { (this->*key)(s, k); });
        }
        controls_.push_back(std::move(c));
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
    };
    const B buttons[] = {
        {"BitBtn1", "Recall", &ImageController::ToolButton_recallClick},
        {"BitBtn_Store", "Store", &ImageController::BitBtn_StoreClick},
        {"BitBtn_preset", "Preset", &ImageController::BitBtn_presetClick},
        {"BitBtn_alignment", "Centering", &ImageController::BitBtn_alignmentClick},
    };
    int x = ColumnX[0];
    const int y = rowY(9) + 24;
    for (const B& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), page);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(x, y, 90, 28);
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
    TabSet_IASPR->setGeometry(400, 300, 220, 24);
    // Code changes the tab only under a signal blocker, so this reports the
    // operator's choice.
    connect(TabSet_IASPR, &QTabBar::currentChanged, this, [this](int tab) {
        bool allow = true;
        TabSet_IASPRChange(TabSet_IASPR, tab, allow);
    });
}

void ImageController::bindEvents()
{
    for (const Row& r : kRows) dev_.bind(r.event, this, r.change);
    dev_.bind(Event::OnSTOREchange, this, &ImageController::ZEPH350_d1STOREchange);
    dev_.bind(Event::OnIASPRchange, this, &ImageController::ZEPH350_d1IASPRchange);
    dev_.bind(Event::OnDIVIDERchange, this, &ImageController::ZEPH350_d1DIVIDERchange);
}

// --- register handlers ------------------------------------------------------
// The picture registers' handlers serve both pairs: Sender tells which bar
// moved or which edit holds the text.

#define ZEPH_DEFINE_HANDLERS(REG, bar, edit, ...)                                                  \
    void ImageController::ScrollBar_##bar##Scroll(QObject* Sender, int ScrollCode, int& ScrollPos) \
    {                                                                                              \
        ctl(zeph::Reg::REG).Scroll(Sender, ScrollCode, ScrollPos);                                 \
    }                                                                                              \
    void ImageController::Edit_##edit##KeyPress(QObject* Sender, QChar& Key)                       \
    {                                                                                              \
        ctl(zeph::Reg::REG).KeyPress(Sender, Key);                                                 \
    }                                                                                              \
    void ImageController::ZEPH350_d1##REG##change(TZEPH350_d*, int)                                \
    {                                                                                              \
        ctl(zeph::Reg::REG).Change();                                                              \
    }
ZEPH_IMAGE_REGISTERS(ZEPH_DEFINE_HANDLERS)
#undef ZEPH_DEFINE_HANDLERS

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
