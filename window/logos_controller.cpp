#include "logos_controller.h"

#include "cadre_logo.h"
#include "logo_page_layout.h"
#include "output_controller.h"
#include "radio_group.h"
#include "required_child.h"
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
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace logopage;

namespace {

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


// Where the store list opens: in the store strip, or beside the erase
// button.
constexpr int StoreListWidth = 150;
constexpr int StoreListLeftInPanel1 = 227, EraseListLeftInPanel2 = 472;

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


const char* const TabTexts[] = {"        Use        ", "        Record frame        ", "        Record logo        "};

}  // namespace

LogosController::LogosController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Logos), w_(w)
{
    // The page's pieces in the order the operator meets them: the tabs and
    // the store strip, the assignment rows, the register rows, the
    // auto-frame group.
    buildPage();
    assignment_ = std::make_unique<LogoAssignmentController>(w);
    registers_ = std::make_unique<LogoRegistersController>(w);
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
    return names + LogoRegistersController::twinNames();
}

void LogosController::bindEvents()
{
    ZEPH_ON(OnLMODEchange, LogosController, ZEPH350_d1LMODEchange);
    ZEPH_ON(OnLSTOREchange, LogosController, ZEPH350_d1LSTOREchange);
    ZEPH_ON(OnLEMPTYchange, LogosController, ZEPH350_d1LEMPTYchange);
    // One handler for both picture dimensions.
    ZEPH_ON(OnLPIXELSIZchange, LogosController, ZEPH350_d1LPIXEL_LLINE_SIZchange);
    ZEPH_ON(OnLLINESIZchange, LogosController, ZEPH350_d1LPIXEL_LLINE_SIZchange);
    ZEPH_ON(OnLSTATUSchange, LogosController, ZEPH350_d1LSTATUSchange);
    ZEPH_ON(OnLOFMTchange, LogosController, ZEPH350_d1LOFMTchange);
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

// --- helpers --------------------------------------------------------------------

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
    assignment_->showSlot(slot, text);
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
    assignment_->new_Label_nmbr_logos->setEnabled(false);
    assignment_->setEnabled(false);
    for (int g = 0; g < GroupCount; ++g) showGroup(Group(g), false);
    new_SpeedButton_store->hide();
    for (QFrame* b : {new_Bevel10, new_Bevel2}) {
        b->resize(b->width(), BevelHidden);
        b->hide();
    }
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
    assignment_->new_Panel1->setEnabled(true);
    registers_->control(zeph::Reg::LHPOS)->edits().front()->setEnabled(true);
    registers_->control(zeph::Reg::LVPOS)->edits().front()->setEnabled(true);
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
        showGroup(U, true);
        showGroup(F, true);
        assignment_->setEnabled(true);
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
        assignment_->new_Panel1->setEnabled(false);
        registers_->control(zeph::Reg::LHPOS)->edits().front()->setEnabled(false);
        registers_->control(zeph::Reg::LVPOS)->edits().front()->setEnabled(false);
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
    const QList<QComboBox*> lists = assignment_->logoLists();
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

// --- mouse placement ------------------------------------------------------------------

void LogosController::cacheropenclose_cadrelogo()
{
    const uint32_t mode = dev_.LMODE();
    const bool allowed = mode == 1 || (mode == 0 && assignment_->outputInputHasLogo());
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
