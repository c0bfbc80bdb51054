#include "zeph350_main.h"

#include "connection_controller.h"
#include "custom_files.h"
#include "design_values.h"
#include "gfx_clock.h"
#include "gfx_graphiclabel.h"
#include "gfx_globalhotkey.h"
#include "look.h"
#include "menu_columns.h"
#include "names.h"
#include "prompter.h"
#include "reading_order.h"
#include "shown_pages.h"
#include "wheel_focus.h"

#include "audio_controller.h"
#include "effects_controller.h"
#include "image_controller.h"
#include "inputs_controller.h"
#include "logos_controller.h"
#include "model_layout.h"
#include "output_controller.h"
#include "standby_controller.h"
#include "voice_over_controller.h"
#include "waitstoring.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

QAction* item(QMenu* menu, const char* name, const char* caption)
{
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* radio(QMenu* menu, const char* name, const char* caption)
{
    QAction* a = item(menu, name, caption);
    a->setCheckable(true);
    return a;
}

// Makes the items one radio group: drawn as radio items, checking one
// unchecks the others.
QActionGroup* radioGroup(QObject* owner, std::initializer_list<QAction*> items)
{
    auto* group = new QActionGroup(owner);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : items) {
        a->setCheckable(true);
        group->addAction(a);
    }
    return group;
}

QMenu* submenu(QMenu* parent, const char* name, const char* caption)
{
    QMenu* m = parent->addMenu(QString::fromLatin1(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* separator(QMenu* menu, const char* name = nullptr)
{
    QAction* s = menu->addSeparator();
    if (name) s->setObjectName(QString::fromLatin1(name));
    return s;
}

QWidget* page(QTabWidget* tabs, const char* name, const char* caption)
{
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    tabs->addTab(w, QString::fromLatin1(caption));
    return w;
}

}  // namespace

TZEPH350_main::TZEPH350_main(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ZEPH350_main"));
    setWindowTitle(QStringLiteral("Zeph-Cedar remote control"));
    ZEPH350_d1.setObjectName(QStringLiteral("ZEPH350_d1"));

    buildMenus();
    buildFrame();
    buildClock();
    tabOrder_ = std::make_unique<ReadingTabOrder>(centralWidget());

    // The window's stored values reach the device component while the
    // window is being built, before FormCreate.
    applyDesignValues(ZEPH350_d1);

    buildControllers();
    // Scrolling across the window with the wheel writes nothing: only the
    // focused control turns (the page tabs always turn, between the pages
    // shown).
    wheelOnlyWhenFocused(centralWidget(), {PageControl1->tabBar()});
    FormCreate();
}

TZEPH350_main::~TZEPH350_main()
{
    // No device event may reach a controller that is going away: each
    // controller drops its subscriptions as it goes, the last built first.
    ZEPH350_d1.onUdpSendError = nullptr;
    standby_.reset();
    effects_.reset();
    logos_.reset();
    voiceOver_.reset();
    audio_.reset();
    image_.reset();
    output_.reset();
    names_.reset();
    inputs_.reset();
    modelLayout_.reset();
    files_.reset();
    connection_.reset();
}

void TZEPH350_main::buildControllers()
{
    // Every family exists before FormCreate, which acts on their controls.
    // They subscribe to the device's events as they are built; the order in
    // which families see a shared event is fixed by their Family key, not by
    // the order here.
    connection_ = std::make_unique<ConnectionController>(*this);
    files_ = std::make_unique<CustomFiles>(*this, *connection_);
    modelLayout_ = std::make_unique<ModelLayoutController>(*this);
    inputs_ = std::make_unique<InputsController>(*this);
    names_ = std::make_unique<NamesController>(*this);
    output_ = std::make_unique<OutputController>(*this);
    image_ = std::make_unique<ImageController>(ZEPH350_d1, imagePage, logoFramePage, outputPage, this);
    // The clock divider found by the device re-describes the input.
    image_->signal = [this] { inputs_->status().signal(); };
    inputs_->status().attachImagePage();
    audio_ = std::make_unique<AudioController>(*this);
    voiceOver_ = std::make_unique<VoiceOverController>(*this);
    logos_ = std::make_unique<LogosController>(*this);
    effects_ = std::make_unique<EffectsController>(*this);
    standby_ = std::make_unique<StandbyController>(*this);
    // The model table names controls of every family.
    modelLayout_->attachControls();
}

void TZEPH350_main::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* files = bar->addMenu(QStringLiteral("&Files"));
    files->setObjectName(QStringLiteral("Files1"));
    menu.New1 = item(files, "New1", "New");
    menu.Open1 = item(files, "Open1", "Open");
    menu.Save1 = item(files, "Save1", "Save");
    menu.Saveas1 = item(files, "Saveas1", "Save as");
    separator(files);
    menu.Exit1 = item(files, "Exit1", "Exit");

    QMenu* controls = bar->addMenu(QStringLiteral("&Controls"));
    controls->setObjectName(QStringLiteral("Controls1"));
    MLink = submenu(controls, "MLink", "&RS232/LAN Setup");
    // The port items by design name (the first is "com1") and caption.
    static const char* const portItems[10][2] = {{"com1", "COM1"}, {"COM2", "COM2"}, {"COM3", "COM3"}, {"COM4", "COM4"},
                                                 {"COM5", "COM5"}, {"COM6", "COM6"}, {"COM7", "COM7"}, {"COM8", "COM8"},
                                                 {"COM9", "COM9"}, {"COM10", "COM10"}};
    for (size_t i = 0; i < comItems.size(); ++i) {
        QAction* a = item(MLink, portItems[i][0], portItems[i][1]);
        a->setCheckable(true);
        comItems[i] = a;
    }
    separator(MLink);
    MIPConfig = radio(MLink, "MIPConfig", "&LAN Setup");
    linkGroup = radioGroup(this, {});
    for (QAction* a : comItems) linkGroup->addAction(a);
    linkGroup->addAction(MIPConfig);
    MLanSeparator = separator(controls, "MLanSeparator");
    MLanSetup = item(controls, "MLanSetup", "ZEPH &LAN Status");
    // Shown once the device reports its LAN option; enabled while connected.
    MLanSeparator->setVisible(false);
    MLanSetup->setVisible(false);
    MLanSetup->setEnabled(false);
    separator(controls);
    QMenu* pulldown = submenu(controls, "N22Pulldown1", "2:2 &Pull-down");
    menu.activated1 = radio(pulldown, "activated1", "Auto");
    menu.dsactivated1 = radio(pulldown, "dsactivated1", "Off");
    radioGroup(this, {menu.activated1, menu.dsactivated1});
    menu.dsactivated1->setChecked(true);
    menu.AutoFrame1 = submenu(controls, "AutoFrame1", "Auto Frame");
    menu.ON1 = radio(menu.AutoFrame1, "ON1", "On");
    menu.Off1 = radio(menu.AutoFrame1, "Off1", "Off");
    menu.ON1->setData(1);
    menu.Off1->setData(0);
    radioGroup(this, {menu.ON1, menu.Off1});
    QMenu* autolock = submenu(controls, "Noinputsignalautolock1", "&No input signal autolock");
    menu.menuitem_On = radio(autolock, "menuitem_On", "On");
    menu.menuitem_Off = radio(autolock, "menuitem_Off", "Off");
    radioGroup(this, {menu.menuitem_On, menu.menuitem_Off});
    QMenu* transition = submenu(controls, "Transition1", "&Transition");
    menu.FadeColor_et_Frame = radio(transition, "FadeColor_et_Frame", "Fade &Color");
    QMenu* cleanCut = submenu(transition, "Cleancutinfo", "Cl&ean Cut");
    menu.Cleancutinfo = cleanCut->menuAction();
    radioGroup(this, {menu.FadeColor_et_Frame, menu.Cleancutinfo});
    menu.From_Computer = radio(cleanCut, "From_Computer", "switch from &Computer");
    menu.From_Video = radio(cleanCut, "From_Video", "switch from &Video");
    menu.From_ALL = radio(cleanCut, "From_ALL", "switch from &any");
    radioGroup(this, {menu.From_Computer, menu.From_Video, menu.From_ALL});
    QMenu* keyLock = submenu(controls, "Keylocking1", "&Key locking");
    menu.Menus1 = radio(keyLock, "Menus1", "&Menus");
    menu.Input9 = radio(keyLock, "Input9", "&Input");
    separator(keyLock);
    menu.AllLock1 = radio(keyLock, "AllLock1", "&All Lock");
    menu.Eraseallmemories1 = item(controls, "Eraseallmemories1", "&Erase all memories");
    menu.Defaultvalues1 = item(controls, "Defaultvalues1", "&Default values");
    separator(controls, "N12");
    QMenu* standby = submenu(controls, "Standbymode", "&Stand by");
    QMenu* onOff = submenu(standby, "Standby1", "Stand by");
    menu.On_stdby = radio(onOff, "On_stdby", "On");
    menu.Off_stdby = radio(onOff, "Off_stdby", "Off");
    radioGroup(this, {menu.On_stdby, menu.Off_stdby});
    menu.DelayStandby1 = item(standby, "DelayStandby1", "Stand by Timer");
    QMenu* baud = submenu(standby, "BaudRate1", "Baud Rate");
    // Each item's data is the MESSRATE code it writes.
    menu.N19200bauds1 = radio(baud, "N19200bauds1", "19200 bauds");
    menu.N9600bauds1 = radio(baud, "N9600bauds1", "9600 bauds");
    menu.N2400bauds1 = radio(baud, "N2400bauds1", "2400 bauds");
    menu.N1200bauds1 = radio(baud, "N1200bauds1", "1200 bauds");
    menu.N19200bauds1->setData(3);
    menu.N9600bauds1->setData(0);
    menu.N2400bauds1->setData(1);
    menu.N1200bauds1->setData(2);
    radioGroup(this, {menu.N19200bauds1, menu.N9600bauds1, menu.N2400bauds1, menu.N1200bauds1});
    QMenu* codes = submenu(standby, "Entercodetostandbyprojector1", "Register codes to stand by projector");
    menu.MessageON1 = item(codes, "MessageON1", "Message ON");
    menu.MessageON1->setData(1);
    menu.MessageOFF1 = item(codes, "MessageOFF1", "Message OFF");
    menu.MessageOFF1->setData(2);

    // "Logo 1" starts the menu's second column.
    QMenu* customize = bar->addMenu(QStringLiteral("C&ustomize"));
    customize->setObjectName(QStringLiteral("Customize1"));
    QList<QAction*> items;
    auto add = [&](const char* name, const char* caption) {
        auto* a = new QAction(QString::fromLatin1(caption), customize);
        a->setObjectName(QString::fromLatin1(name));
        items << a;
        return a;
    };
    // The renaming items, each by its design name and caption.
    static const char* const inputItems[8][2] = {{"Input1", "Input 1"}, {"Input2", "Input 2"}, {"Input3", "Input 3"},
                                                 {"Input4", "Input 4"}, {"Input5", "Input 5"}, {"Input6", "Input 6"},
                                                 {"Input7", "Input 7"}, {"Input8", "Input 8"}};
    static const char* const audioItems[8][2] = {{"Audio1", "Audio 1"}, {"Audio2", "Audio 2"}, {"Audio3", "Audio 3"},
                                                 {"Audio4", "Audio 4"}, {"Audio5", "Audio 5"}, {"Audio6", "Audio 6"},
                                                 {"Audio7", "Audio 7"}, {"Audio8", "Audio 8"}};
    static const char* const logoItems[8][2] = {{"Logo1", "Logo 1"}, {"Logo2", "Logo 2"}, {"Logo3", "Logo 3"},
                                                {"Logo4", "Logo 4"}, {"Logo5", "Logo 5"}, {"Logo6", "Logo 6"},
                                                {"Logo7", "Logo 7"}, {"Logo8", "Logo 8"}};
    static const char* const emptyItems[5] = {"vide1", "vide2", "vide3", "vide4", "vide5"};
    for (size_t i = 0; i < 8; ++i) menu.Input[i] = add(inputItems[i][0], inputItems[i][1]);
    for (size_t i = 0; i < 8; ++i) menu.Audio[i] = add(audioItems[i][0], audioItems[i][1]);
    for (size_t i = 0; i < 8; ++i) menu.Logo[i] = add(logoItems[i][0], logoItems[i][1]);
    menu.Frame = add("Frame", "Frame");
    for (const char* name : emptyItems) add(name, "");
    menu.Default1 = add("Default1", "Default");
    new MenuColumns(customize, items, {menu.Logo[0]});

    QMenu* about = bar->addMenu(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    menu.HD15Pinassignment1 = item(about, "HD15Pinassignment1", "HD 15 Pin assignment");
    separator(about);
    menu.AboutZEPH1 = item(about, "AboutZEPH1", "About ZEPH...");
}

void TZEPH350_main::buildFrame()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(788, 503);
    setCentralWidget(client);

    Panel_ichmp = new QWidget(client);
    Panel_ichmp->setObjectName(QStringLiteral("Panel_ichmp"));
    Panel_ichmp->setGeometry(0, 0, 788, 44);
    // The input buttons: design name, caption, left.
    static const struct {
        const char* name;
        const char* caption;
        int left;
    } inputButtonRows[8] = {
        {"label_input1", "Input 1", 4},   {"label_input2", "Input 2", 86},  {"label_input3", "Input 3", 169},
        {"label_input4", "Input 4", 252}, {"label_input5", "Input 5", 334}, {"label_input6", "Input 6", 417},
        {"label_input7", "Input 7", 500}, {"label_input8", "Input 8", 583},
    };
    for (size_t i = 0; i < label_input.size(); ++i) {
        auto* b = new QToolButton(Panel_ichmp);
        b->setObjectName(QString::fromLatin1(inputButtonRows[i].name));
        b->setText(QString::fromLatin1(inputButtonRows[i].caption));
        b->setGeometry(inputButtonRows[i].left, 5, 76, 33);
        label_input[i] = b;
        inputButtons.add(b, 10);  // the design's group; the reports of ICHM put them in group 1
    }
    Label__black = new QToolButton(Panel_ichmp);
    Label__black->setObjectName(QStringLiteral("Label__black"));
    Label__black->setText(QStringLiteral("Black"));
    Label__black->setGeometry(666, 5, 56, 33);
    BitBtn_freeze = new QPushButton(QStringLiteral("Freeze"), Panel_ichmp);
    BitBtn_freeze->setObjectName(QStringLiteral("BitBtn_freeze"));
    BitBtn_freeze->setGeometry(726, 5, 58, 33);

    // Below the top panel, a row of 23 pixels for the transition label, the
    // effect buttons and the master volume; then the pages; then the status
    // line. The model layout opens the 63-pixel band of the logo rows below
    // the panel and moves all of it down.
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 67, 788, 413);
    inputPage = page(PageControl1, "TabSheet_input", "Input");
    outputPage = page(PageControl1, "TabSheet_output", "Output");
    imagePage = page(PageControl1, "TabSheet_image", "Image");
    audioPage = page(PageControl1, "TabSheet_audio", "Audio");
    voiceOverPage = page(PageControl1, "voice_over", "Voice over");
    logoFramePage = page(PageControl1, "new_logos", "Logo && Frame");
    effectsPage = page(PageControl1, "Effects", "Effects");
    ctrlTabChangesPage(PageControl1);

    StaticText1 = new QLabel(logoFramePage);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(16, 370, 400, 17);
    StaticText1->setVisible(false);

    connection = new QLabel(QString::fromLatin1(DeviceNotConnectedText), client);
    connection->setObjectName(QStringLiteral("connection"));
    connection->setGeometry(4, 484, 220, 17);
    QFont bold = connection->font();
    bold.setBold(true);
    connection->setFont(bold);

    BitBtn_initial_please = new QPushButton(QStringLiteral("Connecting to ZEPH"), client);
    BitBtn_initial_please->setObjectName(QStringLiteral("BitBtn_initial_please"));
    BitBtn_initial_please->setToolTip(QStringLiteral("PLEASE WAIT"));
    BitBtn_initial_please->setCursor(Qt::WaitCursor);
    BitBtn_initial_please->setGeometry(294, 217, 200, 41);
    BitBtn_initial_please->setVisible(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->start();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

// The room the menu bar gives a corner widget: its size hint.
class MenuBarCorner : public QWidget {
public:
    MenuBarCorner(QWidget* parent, QSize size) : QWidget(parent), size_(size) { setFixedSize(size); }
    QSize sizeHint() const override { return size_; }

private:
    QSize size_;
};

}  // namespace

void TZEPH350_main::buildClock()
{
    // The library's clock with its default options (a dial with three
    // hands, ticking once a second), at the right end of the menu bar: the
    // window's rows have no free 30 pixels of height.
    // The corner keeps a margin round the dial: it neither touches the top
    // edge nor covers the menu bar's bottom line.
    constexpr int Size = 26, Margin = 4, Above = 2, Below = 3;
    auto* corner = new MenuBarCorner(menuBar(), QSize(Size + Margin, Above + Size + Below));
    corner->setObjectName(QStringLiteral("ClockCorner"));
    GfxClock1 = new TGfxClock(corner);
    GfxClock1->SetName(QStringLiteral("GfxClock1"));
    GfxClock1->SetBounds(0, Above, Size, Size);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
}

void TZEPH350_main::setCompanions(const Companions& windows)
{
    // Controllers reach the companions through the shared state, where a
    // window that does not exist (yet, or any more) is null.
    state.win = windows;
    image_->setWaitWindow(windows.Form_wait_storing_settings);
}

void TZEPH350_main::FormCreate()
{
    // 1. The item lists designed once on input 1 go to inputs 2 to 8.
    inputs_->copyDesignedItems();

    // 2. The renamable label list.
    state.renamable.clear();
    for (QToolButton* b : label_input) state.renamable << b;
    for (QRadioButton* r : Label_audio) state.renamable << r;

    // 3. The customisation file: the link, the captions, the logo names.
    state.Settings_file_name = QString::fromLatin1(DefaultSettingsFile);
    files_->open();

    // 4. The debug hot key: active from creation, then the key, then the
    // handler (a press before the handler exists would be swallowed).
    hotKey_ = new TGfxGlobalHotKey(this);
    hotKey_->setObjectName(QStringLiteral("GfxGlobalHotKey1"));
    hotKey_->SetActive(true);
    hotKey_->SetHotKey(DebugHotKey);
    hotKey_->OnKeyDown = [this](TObject*, uint16_t&, unsigned) { connection_->dbg(); };

    // 5. The logo tab control's popup: "Mouse" places the logo by mouse.
    logoPopup = new QMenu(this);
    logoPopup->setObjectName(QStringLiteral("PopupMenu_logo"));
    Mouse1 = logoPopup->addAction(QStringLiteral("Mouse"));
    Mouse1->setObjectName(QStringLiteral("Mouse1"));
    connect(Mouse1, &QAction::triggered, logos_.get(), [this] { logos_->Logo_by_mouse(); });
    logos_->attachPopup(logoPopup, Mouse1);

    // 6. The logo names fill every list that shows them.
    names::fillLogoLists(*this);

    // 7. The input buttons' hints.
    names_->hinthinthint();

    // 8. The effect caption's height, and the test-pattern panel parked.
    effects_->StaticText_effect->resize(effects_->StaticText_effect->width(), 12);
    output_->Panel_mire_en_seamless->move(output_->Panel_mire_en_seamless->x(), 340);
}

void TZEPH350_main::FormShow()
{
    // The fade-colour label's font falls back when "MS Sans Serif" is
    // missing; the label comes with the effects page.
    if (!QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) {
        effects_->transition().GfxGraphicLabel1->Font().SetName(QFont().defaultFamily());
    }
}

void TZEPH350_main::FormClose()
{
    state.Settings_file_name = QString::fromLatin1(DefaultSettingsFile);
    files_->save(CustomFiles::SaveKind::Exit);
    state.renamable.clear();
}

void TZEPH350_main::Exit1Click()
{
    close();
}

void TZEPH350_main::setLinkCaption(const QString& tail)
{
    setWindowTitle(state.productName + QStringLiteral(" remote control") + QStringLiteral("  ") + tail);
}

void TZEPH350_main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        }
    }
    FormShow();
}

bool TZEPH350_main::focusNextPrevChild(bool next)
{
    return (tabOrder_ && tabOrder_->focusNextPrevChild(next)) || QMainWindow::focusNextPrevChild(next);
}

void TZEPH350_main::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    event->accept();
    emit closed();
}
