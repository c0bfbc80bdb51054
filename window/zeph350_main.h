#pragma once
// TZEPH350_main: the main window. A thin shell: the menus, the pages, the
// top panel and the shared state; each family of handlers lives in its own
// controller.

#include "window_state.h"
#include "zeph350_d.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;
class ConnectionController;
class CustomFiles;
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

    // Gives the window the nine windows created after it.
    void setCompanions(const Companions& windows);

    ConnectionController& connectionCtl() { return *connection_; }
    CustomFiles& files() { return *files_; }
    TGfxGlobalHotKey* debugHotKey() const { return hotKey_; }

    void FormCreate();
    void FormShow();
    void FormClose();
    void Exit1Click();

    // Window caption: the product name, " remote control", two blanks and
    // the link part.
    void setLinkCaption(const QString& tail);

    // Controls by design name.
    template <class T>
    T* control(const QString& name) const
    {
        return findChild<T*>(name);
    }

    // The debug hot key: Ctrl+Shift+F12.
    static constexpr uint16_t DebugHotKey = 0x4000 | 0x2000 | 0x7B;

    // Menus and items used by several controllers.
    QMenu* MLink = nullptr;
    std::array<QAction*, 10> comItems{};  // com1, COM2 ... COM10
    QAction* MIPConfig = nullptr;
    QAction* MLanSetup = nullptr;
    QAction* MLanSeparator = nullptr;

    // The top panel, the pages and the status controls.
    QWidget* Panel_ichmp = nullptr;
    std::array<QToolButton*, 8> label_input{};
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
    std::array<QRadioButton*, 8> Label_audio{};
    QLabel* connection = nullptr;
    QPushButton* BitBtn_initial_please = nullptr;
    QLabel* StaticText1 = nullptr;
    QTimer* Timer1 = nullptr;

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildFrame();

    std::unique_ptr<ConnectionController> connection_;
    std::unique_ptr<CustomFiles> files_;
    TGfxGlobalHotKey* hotKey_ = nullptr;
    std::shared_ptr<void> imageController_;  // the picture page's controller, when built
    bool shownOnce_ = false;
    bool closed_ = false;
};
