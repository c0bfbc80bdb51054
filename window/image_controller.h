#pragma once
// The "Image" page: picture position and size, black level, hue, clock and
// phase trims, brightness, contrast, colour and the three colour levels as
// register controls; the sharpness, aspect-ratio and scan lists; the recall,
// store, preset and centring buttons; the picture controls' twins on the
// "Logo && Frame" page; the output aspect tabs on the "Output" page; and
// the wait window shown while the device stores the image settings.

#include "regctl/register_control.h"
#include "zeph350_d.h"

#include <QObject>
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

// The page's register rows: register, bar and edit name parts, whether the
// controls have twins, maximum, start, offset, caption, column and row.
#define ZEPH_IMAGE_REGISTERS(X)                                                     \
    X(HPOS, hpos_video, hpos, true, 255, 128, 128, "Horizontal position", 0, 0)     \
    X(VPOS, vpos_video, vpos, true, 255, 128, 128, "Vertical position", 0, 1)       \
    X(HSIZ, hsiz_video, hsize, true, 255, 128, 128, "Horizontal size", 0, 2)        \
    X(VSIZ, vsiz_video, vsize, true, 255, 128, 128, "Vertical size", 0, 3)          \
    X(BLKLV, blacklevel, blacklevel, false, 255, 128, 128, "Black level", 0, 4)     \
    X(HUE, hue, hue, false, 255, 128, 128, "Hue (NTSC)", 0, 5)                      \
    X(OPTI, Optimize, Optimize, false, 255, 128, 128, "Optimize", 0, 6)             \
    X(DDIVIDER, ddivider, ddivider, false, 127, 64, 64, "Clock", 0, 7)              \
    X(DPHASE, dphase, dphase, false, 31, 16, 16, "Phase", 0, 8)                     \
    X(BRGT, brightness, brightness, false, 255, 128, 128, "Brightness", 1, 0)       \
    X(CONTR, contrast, contrast, false, 255, 128, 128, "Contrast", 1, 1)            \
    X(COLOR, color, color, false, 255, 128, 128, "Color", 1, 2)                     \
    X(RLV, redlevel, redlevel, false, 127, 64, 64, "Red level", 1, 3)               \
    X(GLV, greenlevel, greenlevel, false, 127, 64, 64, "Green level", 1, 4)         \
    X(BLV, bluelevel, bluelevel, false, 127, 64, 64, "Blue level", 1, 5)

class ImageController : public QObject {
    Q_OBJECT
public:
    // Builds the controls as children of the pages and binds the device's
    // change events of the page. `waitStoringWindow` may be null: the
    // controller then makes a plain wait window of its own.
    ImageController(TZEPH350_d& dev, QWidget* imagePage, QWidget* logoFramePage, QWidget* outputPage,
                    QWidget* waitStoringWindow, QWidget* mainWindow);
    ~ImageController() override;

    // The input signal description, run when the device reports the clock
    // divider its frequency search found. Empty until the inputs controller
    // provides it.
    std::function<void()> signal;

    RegisterControl* control(int reg) const;
    QWidget* waitWindow() const { return waitWindow_; }

    // --- handlers -------------------------------------------------------
#define ZEPH_DECLARE_HANDLERS(REG, bar, edit, ...)                      \
    void ScrollBar_##bar##Scroll(QObject* Sender, int ScrollCode, int& ScrollPos); \
    void Edit_##edit##KeyPress(QObject* Sender, QChar& Key);            \
    void ZEPH350_d1##REG##change(TZEPH350_d* Sender, int nroZeph);
    ZEPH_IMAGE_REGISTERS(ZEPH_DECLARE_HANDLERS)
#undef ZEPH_DECLARE_HANDLERS

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

    TZEPH350_d& dev_;
    QPointer<TZEPH350_d> devAlive_;
    QWidget* mainWindow_;
    QWidget* waitWindow_;
    std::unique_ptr<QWidget> ownWaitWindow_;  // only when none was given

    std::vector<std::unique_ptr<RegisterControl>> controls_;
    QComboBox* ComboBox_process = nullptr;
    QComboBox* RadioGroup_IASP = nullptr;
    QComboBox* RadioGroup_over_under_scan = nullptr;
    QTabBar* TabSet_IASPR = nullptr;
};
