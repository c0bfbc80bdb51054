#pragma once
// TGfxClock: the time as a dial with hands, as segment-display text
// (TGfxLED), or both, with date, stopwatch, countdown and alarm modes. It
// takes one shared 1000 ms timer from the application object's timer pool
// when it is created, repaints once a second from it, and gives it back
// when it is destroyed. The main window shows one of 30 x 30 with the
// default options: a dial with hour, minute and second hands.
//
// The dial, its background and the bevel are drawn once into a cache and
// reused every second; only the hands and the digital part are drawn per
// tick, into an off-screen bitmap copied to the control in one piece. A
// tick asks for the pixels that change only (the old and new places of the
// hands that moved, the digit cells whose character changed), and for none
// when the face shows the same thing as before (a face without seconds
// within a minute).
//
// Also here: TGfxClockHand (one hand), TGfxTimeInterval (the countdown
// interval) and TGfxTimeOffset (an offset added to the time shown).

#include "gfx_datetime.h"
#include "gfx_fill.h"
#include "gfx_graphiccontrol.h"
#include "gfx_led.h"
#include "gfx_object.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_graphics.h"

#include <QRegion>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

constexpr TColor clTeal = 0x808000;
constexpr TColor clAqua = 0xFFFF00;

class TGfxClockHand : public TGfxObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { SetProp(color_, Value); }
    std::uint8_t Thickness() const { return thickness_; }
    void SetThickness(std::uint8_t Value) { SetProp(thickness_, Value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool Value) { SetProp(visible_, Value); }

private:
    TColor color_ = 0;
    std::uint8_t thickness_ = 2;
    bool visible_ = true;
};

// The countdown: the interval and the moment it ends. Hour, Minute and
// Second set the end to now plus the interval; a new end in the future
// sets the interval to what remains, and an end that is not in the future
// sets the interval to one minute from now. Each writer updates the other
// side's fields directly, so no writer calls another.
class TGfxTimeInterval : public TGfxObject {
public:
    // 0:01:00, ending a minute from now.
    TGfxTimeInterval();

    int Hour() const { return parts_[0]; }
    int Minute() const { return parts_[1]; }
    int Second() const { return parts_[2]; }
    // Index 1 Hour, 2 Minute, 3 Second. A part that names no time of day
    // is stored, then EConvertError is raised.
    void SetPart(int Index, std::uint16_t Value);
    void SetHour(std::uint16_t Value) { SetPart(1, Value); }
    void SetMinute(std::uint16_t Value) { SetPart(2, Value); }
    void SetSecond(std::uint16_t Value) { SetPart(3, Value); }
    bool Enabled() const { return enabled_; }
    // A change restarts the end from now.
    void SetEnabled(bool Value);
    TDateTime EndTime() const { return endTime_; }
    void SetEndTime(TDateTime Value);

private:
    void EndFromNow();

    std::uint16_t parts_[3] = {0, 1, 0};
    bool enabled_ = false;
    TDateTime endTime_ = 0;
};

class TGfxTimeOffset : public TGfxObject {
public:
    int Days = 0;
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;
    // The time moved by the offset.
    TDateTime AddTo(TDateTime Value) const
    {
        return Value + Days + Hours / 24.0 + Minutes / 1440.0 + Seconds / 86400.0;
    }
    void Assign(const TObject* Source) override;
};

using TGfxClockOptions = unsigned;
constexpr TGfxClockOptions coShowDigital = 0x01;
constexpr TGfxClockOptions coShowAnalog = 0x02;
constexpr TGfxClockOptions coEnableAlarm = 0x04;
constexpr TGfxClockOptions co24Hour = 0x08;
constexpr TGfxClockOptions coFixed = 0x10;
constexpr TGfxClockOptions coOffset = 0x20;
constexpr TGfxClockOptions coShowSecCircle = 0x40;

enum TGfxClockMode : std::uint8_t { cmNormal, cmDate, cmStopwatch, cmCountdown, cmAlarm };
enum TGfxClockStyle : std::uint8_t { csSimple, csWin95 };
enum TGfxClockFill : std::uint8_t { fmControl, fmClock };

// The dial's centre and radius for a control of the size, and a point on
// it: A degrees clockwise from 12 o'clock at length L.
struct TGfxClockGeometry {
    int cx = 0;
    int cy = 0;
    int r = 0;
    TPoint At(double A, int L) const;
    // The hand's line: from the tail (d behind the centre) to length L.
    void Hand(double A, int L, TPoint& From, TPoint& To) const;
    // Tail, hour, minute and second lengths.
    int Tail() const;
    int HourLength() const;
    int MinuteLength() const;
    int SecondLength() const;
};
// Margin 2 x the bevel width when that is above 1, else 4, plus the
// second circle's pen width when it shows.
TGfxClockGeometry GfxClockGeometry(int Width, int Height, int BevelWidth, int SecondCirclePen);
// The hands' angles in degrees: hour x 30 + minute / 2, minute x 6,
// second x 6.
void GfxClockHandAngles(TDateTime Time, double& Hour, double& Minute, double& Second);

// What a paint draws over the dial at one moment: the hands' lines, the
// second circle's second and the digital text with its place.
struct TGfxClockFace {
    bool handVisible[3] = {false, false, false};
    TPoint handFrom[3]{};
    TPoint handTo[3]{};
    int handWidth[3] = {0, 0, 0};
    bool circle = false;  // the second circle shows
    int second = 0;
    TRect circleBox{};    // the pixels the second circle may cover
    bool digits = false;  // the digital part shows
    QString text;
    TPoint textAt{};
    int cellWidth = 0;
    int cellHeight = 0;
    bool flashing = false;  // the digits change on every paint
};

class TGfxClock : public TGfxGraphicControl {
public:
    // Takes a shared 1000 ms timer; EOutOfResources "Not enough timers
    // available" when the pool has none (or there is no application object).
    explicit TGfxClock(QWidget* AParent = nullptr);
    ~TGfxClock() override;

    TGfxClockOptions Options() const { return options_; }
    // Exception "One clock style must be active!" for options without a
    // dial and without digits (the old ones stay).
    void SetOptions(TGfxClockOptions Value);
    TGfxClockMode Mode() const { return mode_; }
    void SetMode(TGfxClockMode Value);
    TGfxClockStyle Style() const { return style_; }
    void SetStyle(TGfxClockStyle Value) { SetProp(style_, Value); }
    TGfxClockFill FillMode() const { return fillMode_; }
    void SetFillMode(TGfxClockFill Value) { SetProp(fillMode_, Value); }

    // Index 0 ColorSmallTick, 1 ColorSmallTickShade, 2 ColorBigTick,
    // 3 ColorBigTickShade, 4 DigitalColor.
    TColor ColorIndex(int Index) const { return colors_[Index]; }
    void SetColorIndex(int Index, TColor Value);
    TColor DigitalColor() const { return colors_[4]; }

    // Index 0 DigitalOnly, 1 DigitalShowSecs, 2 UseCustomDateTime.
    bool DigitalOnly() const { return digitalFlags_[0]; }
    bool DigitalShowSecs() const { return digitalFlags_[1]; }
    bool UseCustomDateTime() const { return digitalFlags_[2]; }
    void SetDigitalFlag(int Index, bool Value);
    QString CustomDateTimeFormat() const { return customFormat_; }
    void SetCustomDateTimeFormat(const QString& Value);
    // Index 0 X, 1 Y; -1 places the digits automatically.
    int DigitalPos(int Index) const { return digitalPos_[Index == 0 ? 0 : 1]; }
    void SetDigitalPos(int Index, int Value) { SetProp(digitalPos_[Index == 0 ? 0 : 1], Value); }

    TGfxLED& Digital() { return *digital_; }
    void SetDigital(const TGfxLED& Value) { digital_->Assign(&Value); }
    TGfxClockHand& HourHand() { return *hands_[0]; }
    TGfxClockHand& MinuteHand() { return *hands_[1]; }
    TGfxClockHand& SecondHand() { return *hands_[2]; }
    TGfxPen& SecondCircle() { return *secondCircle_; }
    void SetSecondCircle(const TGfxPen& Value) { secondCircle_->Assign(Value); }
    TGfxFillObject& FillObject() { return *fill_; }
    void SetFillObject(const TGfxFillObject& Value) { fill_->Assign(&Value); }
    TGfxDateTime& FixedTime() { return *fixedTime_; }
    void SetFixedTime(const TGfxDateTime& Value) { fixedTime_->Assign(&Value); }
    TGfxTimeOffset& TimeOffset() { return *offset_; }
    void SetTimeOffset(const TGfxTimeOffset& Value) { offset_->Assign(&Value); }
    TGfxTimeInterval& Interval() { return *interval_; }
    std::uint16_t RepeatAlarm() const { return repeatAlarm_; }
    // Also the count of the next alarm, unless one rings (no stored form
    // loads the count here).
    void SetRepeatAlarm(std::uint16_t Value)
    {
        repeatAlarm_ = Value;
        if (!ringing_)
            repeatCounter_ = Value;
    }
    TDateTime AlarmTime() const { return alarmTime_; }
    void SetAlarmTime(TDateTime Value) { alarmTime_ = Value; }
    TDateTime Stopwatch() const { return stopwatch_; }
    bool Ringing() const { return ringing_; }

    // The shared timer the clock holds (0xFD01 .. 0xFDFA).
    std::uint16_t TimerIdent() const { return timerIdent_; }

    TNotifyEvent OnAlarm;
    TNotifyEvent OnCountdownStart;
    TNotifyEvent OnCountdownEnd;
    TNotifyEvent OnStopWatchStart;
    TNotifyEvent OnStopWatchEnd;

    // Now, or FixedTime with coFixed, moved by TimeOffset with coOffset.
    virtual TDateTime GetCurrentTime() const;
    // The digital part's text for the mode ("--- NA ---" when disabled).
    virtual void GetDigitalText(QString& Text) const;
    // Starts ringing: the digits flash and OnAlarm fires.
    virtual void Alarm();
    // One second: ends a countdown that is due, rings an alarm that is due,
    // repaints.
    void Tick();
    // The geometry of the dial at the control's size.
    TGfxClockGeometry Geometry() const;

    // Marks the dial stale (for the fill, the bevel, a hand or none) and
    // paints at once.
    void RepaintRequest() override;
    void RepaintRequestFrom(TObject* Sender);
    void BoundsChanged(TGfxBoundsFlags Flags) override;
    void ImageListChanged(TObject* Sender) override;

    // A clock; its value is the time it shows.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Clock; }
    QString AccessibleText(QAccessible::Text Kind) const override;

protected:
    void Loaded() override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    bool event(QEvent* e) override;

private:
    void PropertyChanged() override { RepaintRequestFrom(nullptr); }
    void SetDigitalFormat();
    void PaintDial(TGfxCanvas& Canvas, const TGfxClockGeometry& G);
    void PaintHands(TGfxCanvas& Canvas, const TGfxClockGeometry& G, const TGfxClockFace& Face);
    void PaintDigital(TGfxCanvas& Canvas, const TGfxClockFace& Face);
    // The face at the current time (hands at 12 when disabled or designing).
    TGfxClockFace CurrentFace(const TGfxClockGeometry& G) const;
    // The pixels of the face's parts, and those that differ between two faces.
    QRegion FaceArea(const TGfxClockFace& Face) const;
    QRegion ChangedArea(const TGfxClockFace& From, const TGfxClockFace& To) const;
    // Keeps track of what the screen shows after a paint of the region.
    void PaintedOnScreen(const QRegion& Painted, const TGfxClockFace& Face, bool DialRebuilt);
    void StopAlarm();
    // The tick's paint: the pixels that change, or none.
    void PaintTick();

    TGfxClockOptions options_ = coShowAnalog | co24Hour;
    TGfxClockMode mode_ = cmNormal;
    TGfxClockStyle style_ = csWin95;
    TGfxClockFill fillMode_ = fmControl;
    TColor colors_[5] = {clWhite, clBtnFace, clTeal, clAqua, clBlack};
    bool digitalFlags_[3] = {false, true, false};
    QString customFormat_ = QStringLiteral("hh:mm:ss");
    QString digitalFormat_ = QStringLiteral("hh:mm:ss");
    int digitalPos_[2] = {-1, -1};
    std::unique_ptr<TGfxLED> digital_;
    std::unique_ptr<TGfxClockHand> hands_[3];
    std::unique_ptr<TGfxPen> secondCircle_;
    std::unique_ptr<TGfxFillObject> fill_;
    std::unique_ptr<TGfxDateTime> fixedTime_;
    std::unique_ptr<TGfxTimeOffset> offset_;
    std::unique_ptr<TGfxTimeInterval> interval_;
    std::unique_ptr<TGfxBitmap> dialCache_;
    // The image a paint composes before it goes to the screen, kept from
    // tick to tick: every paint covers all of it.
    std::unique_ptr<TGfxBitmap> paintBuffer_;
    std::uint16_t repeatAlarm_ = 10;
    int repeatCounter_ = 10;
    bool ringing_ = false;
    bool dialStale_ = true;
    bool painting_ = false;
    TDateTime alarmTime_ = 0;
    TDateTime stopwatch_ = 0;
    bool stopwatchRunning_ = false;
    int secondPhase_ = 0;
    int lastSecond_ = -1;
    std::uint16_t timerIdent_ = 0;
    bool constructed_ = false;
    // The face a tick computed, for the paint it asks for (so that the
    // pixels asked for are the pixels that change).
    std::optional<TGfxClockFace> tickFace_;
    // The paint under way: its region, and whether it goes to the window
    // (a grab paints into an image of its own and leaves the screen as it
    // was).
    QRegion paintRegion_;
    bool paintOnScreen_ = false;
    // What the window shows: outside screenArea_ only the dial; when
    // screenKnown_, exactly the dial with screenFace_.
    QRegion screenArea_{0, 0, 1 << 20, 1 << 20};
    TGfxClockFace screenFace_;
    bool screenKnown_ = false;
};
