#pragma once
// The "Image" page: picture position and size, black level, hue, clock and
// phase trims, brightness, contrast, colour and the three colour levels as
// register controls; the sharpness, aspect-ratio and scan lists; the recall,
// store, preset and centring buttons; the picture controls' twins on the
// "Logo && Frame" page; the output aspect tabs on the "Output" page; and
// the wait window shown while the device stores the image settings.

#include "families.h"
#include "regctl/register_control.h"
#include "zeph350_d.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;

class ImageController : public FamilyController {
public:
    // Builds the controls as children of the pages and binds the device's
    // change events of the page.
    ImageController(TZEPH350_d& dev, QWidget* imagePage, QWidget* logoFramePage, QWidget* outputPage,
                    QWidget* mainWindow);

    // The wait-storing window exists only after the main window: it is
    // handed over once created. Until then a store shows nothing.
    void setWaitWindow(QWidget* window) { waitWindow_ = window; }
    ~ImageController() override;

    // The input signal description, run when the device reports the clock
    // divider its frequency search found. Empty until the inputs controller
    // provides it.
    std::function<void()> signal;

    RegisterControl* control(int reg) const;
    // The lists and tabs other families bring up to date.
    QComboBox* aspectList() const { return RadioGroup_IASP; }
    QComboBox* overUnderScanList() const { return RadioGroup_over_under_scan; }
    QComboBox* processList() const { return ComboBox_process; }
    QPushButton* alignmentButton() const { return BitBtn_alignment; }
    QTabBar* aspectTabs() const { return TabSet_IASPR; }
    QWidget* waitWindow() const { return waitWindow_; }

    // --- handlers -------------------------------------------------------
    // The fifteen register rows share three handler forms; each row of the
    // page's table names its handlers ("ScrollBar_brightnessScroll",
    // "Edit_brightnessKeyPress", "ZEPH350_d1BRGTchange"). Sender tells which
    // bar moved or which edit holds the text (a row can have twins).
    void Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos);
    void KeyPress(int reg, QObject* Sender, QChar& Key);
    void Change(int reg);

    void ComboBox_processChange(QObject* Sender);
    void RadioGroup_IASP1Click(QObject* Sender);
    void RadioGroup_over_under_scan1Click(QObject* Sender);
    void ToolButton_recallClick(QObject* Sender);
    void BitBtn_StoreClick(QObject* Sender);
    void BitBtn_presetClick(QObject* Sender);
    void BitBtn_alignmentClick(QObject* Sender);
    void TabSet_IASPRChange(QObject* Sender, int NewTab, bool& AllowChange);
    void ZEPH350_d1STOREchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IASPRchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1DIVIDERchange(TZEPH350_d* Sender, int nroZeph);

private:
    void buildRegisters(QWidget* imagePage, QWidget* logoFramePage);
    void buildSelectors(QWidget* imagePage);
    void buildButtons(QWidget* imagePage);
    void buildTabs(QWidget* outputPage);
    void bindEvents();
    RegisterControl& ctl(int reg) const;

    QWidget* mainWindow_;
    QPointer<QWidget> waitWindow_;

    RegisterRows controls_;
    QComboBox* ComboBox_process = nullptr;
    QComboBox* RadioGroup_IASP = nullptr;
    QComboBox* RadioGroup_over_under_scan = nullptr;
    QTabBar* TabSet_IASPR = nullptr;
    QPushButton* BitBtn_alignment = nullptr;
};
