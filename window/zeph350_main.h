#pragma once
// TZEPH350_main: the main window. A thin shell: the menus, the pages, the
// top panel and the shared state; each family of handlers lives in its own
// controller.

#include "speed_buttons.h"
#include "window_state.h"
#include "zeph350_d.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;
class AudioController;
class ConnectionController;
class CustomFiles;
class EffectsController;
class ImageController;
class InputsController;
class LogosController;
class ModelLayoutController;
class NamesController;
class OutputController;
class StandbyController;
class VoiceOverController;
class ReadingTabOrder;
class TGfxClock;
class TGfxGlobalHotKey;

class TZEPH350_main : public QMainWindow {
    Q_OBJECT
public:
    explicit TZEPH350_main(QWidget* parent = nullptr);
    ~TZEPH350_main() override;

    // The device component, owned by the window; design values applied
    // before FormCreate.
    TZEPH350_d ZEPH350_d1;
    ZephWindowState state;

    // Gives the window the nine windows created after it (all null when
    // they go away again).
    void setCompanions(const Companions& windows);

    // One controller per family of handlers, all built before FormCreate.
    ConnectionController& connectionCtl() { return *connection_; }
    CustomFiles& files() { return *files_; }
    ModelLayoutController& modelLayout() { return *modelLayout_; }
    InputsController& inputs() { return *inputs_; }
    NamesController& names() { return *names_; }
    OutputController& output() { return *output_; }
    ImageController& image() { return *image_; }
    AudioController& audio() { return *audio_; }
    VoiceOverController& voiceOver() { return *voiceOver_; }
    LogosController& logos() { return *logos_; }
    EffectsController& effects() { return *effects_; }
    StandbyController& standby() { return *standby_; }
    TGfxGlobalHotKey* debugHotKey() const { return hotKey_; }
    // Tab in the order the controls are read on screen; taken again by
    // whatever moves them.
    ReadingTabOrder& tabOrder() { return *tabOrder_; }

    void FormCreate();
    void FormShow();
    void FormClose();
    void Exit1Click();

    // Window caption: the product name, " remote control", two blanks and
    // the link part.
    void setLinkCaption(const QString& tail);

    // The debug hot key: Ctrl+Shift+F12.
    static constexpr uint16_t DebugHotKey = 0x4000 | 0x2000 | 0x7B;

    // The menu items the families act on, by design name, set as the menus
    // are built (before any controller exists).
    struct MenuItems {
        // "&Files"
        QAction* New1 = nullptr;
        QAction* Open1 = nullptr;
        QAction* Save1 = nullptr;
        QAction* Saveas1 = nullptr;
        QAction* Exit1 = nullptr;
        // "&Controls"
        QAction* activated1 = nullptr;    // 2:2 pull-down "Auto"
        QAction* dsactivated1 = nullptr;  // 2:2 pull-down "Off"
        QMenu* AutoFrame1 = nullptr;
        QAction* ON1 = nullptr;
        QAction* Off1 = nullptr;
        QAction* menuitem_On = nullptr;
        QAction* menuitem_Off = nullptr;
        QAction* FadeColor_et_Frame = nullptr;
        QAction* Cleancutinfo = nullptr;
        QAction* From_Computer = nullptr;
        QAction* From_Video = nullptr;
        QAction* From_ALL = nullptr;
        QAction* Menus1 = nullptr;
        QAction* Input9 = nullptr;
        QAction* AllLock1 = nullptr;
        QAction* Eraseallmemories1 = nullptr;
        QAction* Defaultvalues1 = nullptr;
        // "&Stand by"
        QAction* On_stdby = nullptr;
        QAction* Off_stdby = nullptr;
        QAction* DelayStandby1 = nullptr;
        QAction* N19200bauds1 = nullptr;
        QAction* N9600bauds1 = nullptr;
        QAction* N2400bauds1 = nullptr;
        QAction* N1200bauds1 = nullptr;
        QAction* MessageON1 = nullptr;
        QAction* MessageOFF1 = nullptr;
        // "C&ustomize": Input1 .. Input8, Audio1 .. Audio8, Logo1 .. Logo8.
        std::array<QAction*, 8> Input{};
        std::array<QAction*, 8> Audio{};
        std::array<QAction*, 8> Logo{};
        QAction* Frame = nullptr;
        QAction* Default1 = nullptr;
        // "&About"
        QAction* HD15Pinassignment1 = nullptr;
        QAction* AboutZEPH1 = nullptr;
    };
    MenuItems menu;

    // Menus and items used by several controllers.
    QMenu* MLink = nullptr;
    std::array<QAction*, 10> comItems{};  // com1, COM2 ... COM10
    QAction* MIPConfig = nullptr;
    QActionGroup* linkGroup = nullptr;  // COM1 .. COM10 and "&LAN Setup"
    QAction* MLanSetup = nullptr;
    QAction* MLanSeparator = nullptr;

    // The top panel, the pages and the status controls.
    QWidget* Panel_ichmp = nullptr;
    std::array<QToolButton*, 8> label_input{};
    // Which input buttons are down: all in group 1, one at a time moved to
    // a group of its own to show down beside the input on the output.
    SpeedButtons inputButtons;
    QToolButton* Label__black = nullptr;
    QPushButton* BitBtn_freeze = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* inputPage = nullptr;
    QWidget* outputPage = nullptr;
    QWidget* imagePage = nullptr;
    QWidget* audioPage = nullptr;
    QWidget* voiceOverPage = nullptr;
    QWidget* logoFramePage = nullptr;
    QWidget* effectsPage = nullptr;
    std::array<QRadioButton*, 8> Label_audio{};  // built by the audio family
    QLabel* connection = nullptr;
    QPushButton* BitBtn_initial_please = nullptr;
    QLabel* StaticText1 = nullptr;
    QTimer* Timer1 = nullptr;
    // The clock at the right end of the menu bar.
    TGfxClock* GfxClock1 = nullptr;
    // The logo tab control's popup with its one item "Mouse" (FormCreate).
    QMenu* logoPopup = nullptr;
    QAction* Mouse1 = nullptr;

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab and Shift+Tab go through the controls in reading order.
    bool focusNextPrevChild(bool next) override;

private:
    void buildMenus();
    void buildFrame();
    void buildClock();

    void buildControllers();

    std::unique_ptr<ConnectionController> connection_;
    std::unique_ptr<CustomFiles> files_;
    std::unique_ptr<ModelLayoutController> modelLayout_;
    std::unique_ptr<InputsController> inputs_;
    std::unique_ptr<NamesController> names_;
    std::unique_ptr<OutputController> output_;
    std::unique_ptr<ImageController> image_;
    std::unique_ptr<AudioController> audio_;
    std::unique_ptr<VoiceOverController> voiceOver_;
    std::unique_ptr<LogosController> logos_;
    std::unique_ptr<EffectsController> effects_;
    std::unique_ptr<StandbyController> standby_;
    TGfxGlobalHotKey* hotKey_ = nullptr;
    std::unique_ptr<ReadingTabOrder> tabOrder_;
    bool shownOnce_ = false;
    bool closed_ = false;
};
