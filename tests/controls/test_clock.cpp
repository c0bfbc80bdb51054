// The clock: its dial geometry and hands as data and on pixels, its one
// shared timer (taken once, given back), the alarm and countdown ticks, the
// digital texts, the countdown interval's writers and what it tells
// assistive tools.
#include "control_helpers.h"
#include "gfx_application.h"
#include "gfx_clock.h"
#include "gfx_customcontrol.h"
#include "paint_helpers.h"
#include "platform/gfx_exceptions.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPaintEvent>
#include <QScreen>
#include <QWidget>

#include <functional>
#include <memory>

using namespace controltest;

namespace {

// An application object ticking by hand, with a clock that can be set.
struct ClockTest : ::testing::Test {
    ClockTest()
    {
        auto t = std::make_unique<GfxFakeTickSource>();
        ticks = t.get();
        app = std::make_unique<TGfxApplication>(nullptr, std::move(t));
        saved = std::exchange(GfxApplication, app.get());
        previousNow = GfxSetNowFunction([this] { return now; });
    }
    ~ClockTest() override
    {
        GfxSetNowFunction(previousNow);
        GfxApplication = saved;
    }
    int SharedTimers() const { return TGfxApplication::SharedTimerSlots - FreeSlots(); }
    int FreeSlots() const
    {
        int n = 0;
        for (int i = 0; i < TGfxApplication::SharedTimerSlots; ++i)
            n += app->GetTimerItem(static_cast<std::uint16_t>(TGfxApplication::SharedTimerBase + 1 + i)) == nullptr;
        return n;
    }
    // One second of the pool's 50 ms ticks.
    void Second() { ticks->Advance(20); }

    TDateTime now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 30, 0, 0);
    GfxFakeTickSource* ticks = nullptr;
    std::unique_ptr<TGfxApplication> app;
    TGfxApplication* saved = nullptr;
    GfxNowFunction previousNow;
};

QImage Shown(QWidget& form) { return form.grab().toImage(); }

constexpr TColor Yellow = 0x00FFFF;

// A library parent with a background of its own: it hands a yellow
// background to a transparent child each time the child asks for it.
class BackgroundParent : public TGfxCustomControl {
public:
    using TGfxCustomControl::TGfxCustomControl;
    int copies = 0;
    bool HasOwnBackground() const override { return true; }
    bool CopyParentBackground(TGfxCanvas& Canvas, const TRect& Rect, unsigned, TPoint) override
    {
        ++copies;
        Canvas.Brush.SetBitmap(nullptr);
        Canvas.Brush.SetStyle(bsSolid);
        Canvas.Brush.SetColor(Yellow);
        Canvas.FillRect(Rect);
        return true;
    }
};

int CountOf(const QImage& image, TColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += painttest::At(image, x, y) == colour;
    return n;
}

// Whether a pixel of the colour lies within one pixel of (x, y).
bool Near(const QImage& image, int x, int y, TColor colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (painttest::At(image, x + dx, y + dy) == colour)
                return true;
    return false;
}

}  // namespace

// A 30 x 30 clock with no bevel: margin 4, radius 11, tail 1, hands 6, 7, 8.
TEST(ClockGeometry, HandsAtMidnightAndHalfPastThree)
{
    const TGfxClockGeometry g = GfxClockGeometry(30, 30, 0, 0);
    EXPECT_EQ((std::array{g.cx, g.cy, g.r}), (std::array{15, 15, 11}));
    EXPECT_EQ((std::array{g.Tail(), g.HourLength(), g.MinuteLength(), g.SecondLength()}), (std::array{1, 6, 7, 8}));
    EXPECT_EQ(GfxClockGeometry(30, 30, 3, 0).r, 15 - 6) << "a wider bevel: twice its width";
    EXPECT_EQ(GfxClockGeometry(40, 30, 1, 2).r, 15 - 6) << "the second circle's pen adds";

    const struct {
        TDateTime time;
        TPoint hour[2], minute[2], second[2];
    } cases[] = {
        // All three up from one pixel below the centre.
        {GfxEncodeTime(0, 0, 0, 0), {{15, 16}, {15, 9}}, {{15, 16}, {15, 8}}, {{15, 16}, {15, 7}}},
        // The hour hand halfway between 3 and 4 (105 degrees), the minute
        // hand down, the second hand at 45 seconds to the left.
        {GfxEncodeTime(15, 30, 45, 0), {{14, 15}, {21, 17}}, {{15, 14}, {15, 22}}, {{16, 15}, {7, 15}}},
    };
    for (const auto& c : cases) {
        double h = 0, m = 0, s = 0;
        GfxClockHandAngles(c.time, h, m, s);
        TPoint from, to;
        g.Hand(h, g.HourLength(), from, to);
        EXPECT_EQ(from, c.hour[0]);
        EXPECT_EQ(to, c.hour[1]);
        g.Hand(m, g.MinuteLength(), from, to);
        EXPECT_EQ(from, c.minute[0]);
        EXPECT_EQ(to, c.minute[1]);
        g.Hand(s, g.SecondLength(), from, to);
        EXPECT_EQ(from, c.second[0]);
        EXPECT_EQ(to, c.second[1]);
    }
    double h = 0, m = 0, s = 0;
    GfxClockHandAngles(GfxEncodeTime(15, 30, 0, 0), h, m, s);
    EXPECT_DOUBLE_EQ(h, 465.0);  // 105 degrees past 12
}

// The default clock at 15:30:00: a dial of ticks, the minute hand down in
// teal, the second hand up in black, the hour hand towards half past three
// in aqua.
TEST_F(ClockTest, DialAndHandsOnPixels)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(10, 10, 30, 30);
    EXPECT_EQ(clock->Options(), coShowAnalog | co24Hour);
    Show(form, 60, 60);
    const QImage shown = Shown(form);
    auto at = [&](int x, int y) { return painttest::At(shown, 10 + x, 10 + y); };
    EXPECT_EQ(at(15, 20), clTeal) << "minute hand";
    EXPECT_EQ(at(15, 10), clBlack) << "second hand";
    EXPECT_EQ(at(19, 16), clAqua) << "hour hand";
    EXPECT_EQ(at(12, 20), GfxColorToRGB(clock->Color())) << "left of the minute hand";
    // The 3 o'clock tick at (26, 15): a teal box framed in aqua, from
    // (23, 12), its black shade on the right.
    EXPECT_EQ(at(23, 12), clAqua);
    EXPECT_EQ(at(25, 13), clTeal);
    EXPECT_EQ(at(27, 13), clBlack);
    // The ring of small ticks, white with their button-face shade, 2 to 4
    // pixels in from the edge.
    EXPECT_EQ(painttest::BoundsOf(shown.copy(10, 10, 30, 30), clWhite), (TRect{2, 2, 28, 28}));

    now += GfxEncodeTime(0, 0, 15, 0);  // 15:30:15: the second hand right
    Second();
    const QImage later = Shown(form);
    EXPECT_EQ(painttest::At(later, 10 + 21, 10 + 15), clBlack);
    EXPECT_NE(painttest::At(later, 10 + 15, 10 + 10), clBlack);
}

// The clock covers every pixel, transparent or not: a tick paints the
// clock and nothing of the window behind it.
TEST_F(ClockTest, ATickRepaintsNothingBehindTheClock)
{
    struct CountingForm : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    } form;
    struct CountingClock : TGfxClock {
        using TGfxClock::TGfxClock;
        int paints = 0;
        void Paint() override
        {
            ++paints;
            TGfxClock::Paint();
        }
    };
    auto* clock = new CountingClock(&form);
    clock->SetBounds(10, 10, 30, 30);
    Show(form, 60, 60);
    for (bool transparent : {true, false, true}) {
        clock->SetTransparent(transparent);
        QCoreApplication::processEvents();
        form.paints = clock->paints = 0;
        // Five seconds: the second hand moves by whole pixels (one second
        // may leave it on the same pixels of a 30 x 30 face, and a tick
        // that changes nothing paints nothing).
        now += GfxEncodeTime(0, 0, 5, 0);
        Second();
        QCoreApplication::processEvents();
        EXPECT_EQ(clock->paints, 1) << transparent;
        EXPECT_EQ(form.paints, 0) << transparent;
    }
}

// One shared 1000 ms timer per clock, never a second one, given back when
// the clock goes; a disabled clock's timer stops.
TEST_F(ClockTest, OneSharedTimerGivenBack)
{
    EXPECT_EQ(SharedTimers(), 0);
    QWidget form;
    auto clock = std::make_unique<TGfxClock>(&form);
    const std::uint16_t ident = clock->TimerIdent();
    EXPECT_EQ(ident, TGfxApplication::SharedTimerBase + 1);
    ASSERT_NE(app->GetTimerItem(ident), nullptr);
    EXPECT_EQ(app->GetTimerItem(ident)->Interval(), 1000);
    EXPECT_EQ(ticks->LastPeriod, 50);
    Show(form, 60, 60);
    clock->SetOptions(coShowAnalog | coShowDigital);
    clock->SetMode(cmDate);
    clock->SetBounds(0, 0, 60, 60);
    clock->SetEnabled(false);
    EXPECT_FALSE(app->GetTimerItem(ident)->Enabled());
    clock->SetEnabled(true);
    EXPECT_TRUE(app->GetTimerItem(ident)->Enabled());
    EXPECT_EQ(SharedTimers(), 1);

    // A second clock takes the next slot; the first one's slot comes back.
    auto other = std::make_unique<TGfxClock>(&form);
    EXPECT_EQ(SharedTimers(), 2);
    clock.reset();
    EXPECT_EQ(SharedTimers(), 1);
    EXPECT_EQ(app->GetTimerItem(ident), nullptr);
    EXPECT_EQ(app->FindFreeTimerSlot(), 1);
    other.reset();
    EXPECT_EQ(app->TimerPool()->Count(), 0);
    EXPECT_FALSE(ticks->IsActive()) << "no clock, no tick";
}

TEST_F(ClockTest, NoTimerNoClock)
{
    for (int i = 0; i < TGfxApplication::SharedTimerSlots; ++i)
        ASSERT_NE(app->AllocTimer(1000, {}), 0);
    QWidget form;
    try {
        TGfxClock clock(&form);
        FAIL() << "a clock without a timer";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Not enough timers available"));
    }
    EXPECT_EQ(form.findChildren<QWidget*>().size(), 0);
    GfxApplication = nullptr;
    EXPECT_THROW(TGfxClock{&form}, EOutOfResources);
}

// An alarm rings 1 + RepeatAlarm times, once a second, then the clock is
// back in cmNormal; with RepeatAlarm 0 once, normal at the next tick. The
// digits blink meanwhile.
TEST_F(ClockTest, AlarmRepeatsThenStops)
{
    for (int repeat : {0, 3}) {
        QWidget form;
        TGfxClock clock(&form);
        clock.SetRepeatAlarm(static_cast<std::uint16_t>(repeat));
        clock.SetOptions(coShowDigital | coShowAnalog | coEnableAlarm | co24Hour);
        clock.SetAlarmTime(now - GfxEncodeTime(0, 1, 0, 0));
        clock.SetMode(cmAlarm);
        int alarms = 0;
        clock.OnAlarm = [&](TObject*) { ++alarms; };
        Second();
        EXPECT_EQ(alarms, 1);
        EXPECT_TRUE(clock.Digital().Flashing());
        for (int i = 0; i < repeat; ++i) {
            EXPECT_EQ(clock.Mode(), cmAlarm) << repeat;
            Second();
        }
        if (repeat == 0)
            Second();
        EXPECT_EQ(alarms, 1 + repeat) << repeat;
        EXPECT_EQ(clock.Mode(), cmNormal) << repeat;
        EXPECT_FALSE(clock.Ringing());
        EXPECT_FALSE(clock.Digital().Flashing());
        Second();
        EXPECT_EQ(alarms, 1 + repeat) << "not again in cmNormal";
    }
}

TEST_F(ClockTest, CountdownEndsOnceDue)
{
    QWidget form;
    TGfxClock clock(&form);
    clock.SetMode(cmCountdown);
    int ends = 0;
    clock.OnCountdownEnd = [&](TObject*) { ++ends; };
    clock.Interval().SetSecond(2);
    clock.Interval().SetMinute(0);
    clock.Interval().SetEnabled(true);
    QString text;
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("C 00:00:02"));
    now += GfxEncodeTime(0, 0, 1, 0);
    Second();
    EXPECT_EQ(ends, 0);
    now += GfxEncodeTime(0, 0, 1, 0);
    Second();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clock.Mode(), cmNormal);
    EXPECT_FALSE(clock.Interval().Enabled());
    Second();
    EXPECT_EQ(ends, 1);
}

TEST_F(ClockTest, DigitalTexts)
{
    QWidget form;
    TGfxClock clock(&form);
    QString text;
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("15:30:00"));
    clock.SetOptions(coShowAnalog);  // no co24Hour
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("03:30:00 p"));
    clock.SetDigitalFlag(1, false);  // no seconds
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("03:30 p"));
    clock.SetOptions(coShowAnalog | co24Hour | coFixed | coOffset);
    clock.FixedTime().SetValue(GfxEncodeDate(1990, 1, 1) + GfxEncodeTime(23, 0, 0, 0));
    clock.TimeOffset().Hours = 2;
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("01:00"));
    clock.SetMode(cmAlarm);
    clock.SetAlarmTime(GfxEncodeTime(7, 5, 0, 0));
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("NA 07:05"));
    clock.SetEnabled(false);
    clock.GetDigitalText(text);
    EXPECT_EQ(text, QStringLiteral("--- NA ---"));
    // Options with neither a dial nor digits are refused.
    const TGfxClockOptions before = clock.Options();
    try {
        clock.SetOptions(co24Hour);
        FAIL() << "no style";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("One clock style must be active!"));
    }
    EXPECT_EQ(clock.Options(), before);
    // Removing the dial moves the digits to the corner inside the bevel.
    clock.SetOptions(coShowDigital | coShowAnalog);
    clock.SetOptions(coShowDigital);
    EXPECT_EQ(clock.DigitalPos(0), 0);
    EXPECT_EQ(clock.DigitalPos(1), 0);
}

// The interval's writers set the other side directly: each write
// notifies once and returns, an end in the past included.
TEST_F(ClockTest, IntervalWritersEndWithoutCallingEachOther)
{
    TGfxTimeInterval interval;
    EXPECT_EQ((std::array{interval.Hour(), interval.Minute(), interval.Second()}), (std::array{0, 1, 0}));
    EXPECT_DOUBLE_EQ(interval.EndTime(), now + GfxEncodeTime(0, 1, 0, 0));
    int changes = 0;
    interval.OnChange = [&](TObject*) { ++changes; };

    interval.SetHour(2);
    EXPECT_DOUBLE_EQ(interval.EndTime(), now + GfxEncodeTime(2, 1, 0, 0));
    interval.SetEndTime(now + GfxEncodeTime(0, 20, 30, 0));
    EXPECT_EQ((std::array{interval.Hour(), interval.Minute(), interval.Second()}), (std::array{0, 20, 30}));
    interval.SetEndTime(now - 1);  // past: a minute from now
    EXPECT_EQ((std::array{interval.Hour(), interval.Minute(), interval.Second()}), (std::array{0, 1, 30}));
    EXPECT_DOUBLE_EQ(interval.EndTime(), now + GfxEncodeTime(0, 1, 30, 0));
    EXPECT_EQ(changes, 3);
    // A part that names no time is kept, then refused.
    EXPECT_THROW(interval.SetMinute(60), EConvertError);
    EXPECT_EQ(interval.Minute(), 60);
}

TEST_F(ClockTest, TellsAssistiveTools)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetName(QStringLiteral("GfxClock1"));
    Show(form, 60, 60);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(clock);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Clock);
    EXPECT_EQ(face->text(QAccessible::Value), QStringLiteral("15:30:00"));
    clock->SetEnabled(false);
    EXPECT_TRUE(face->state().disabled);
}

// The dial, with its background, is drawn once and then reused: ticking
// repaints only the hands over the kept dial; a resize draws it again.
TEST_F(ClockTest, DialIsDrawnOnceAndReused)
{
    QWidget form;
    auto* parent = new BackgroundParent(&form);
    parent->SetBounds(0, 0, 80, 80);
    auto* clock = new TGfxClock(parent);
    clock->SetBounds(10, 10, 40, 40);
    ASSERT_TRUE(clock->Transparent());
    Show(form, 100, 100);
    QApplication::processEvents();
    const int built = parent->copies;
    ASSERT_GE(built, 1) << "the dial's background comes from the parent";
    const QImage first = Shown(form);
    for (int i = 0; i < 5; ++i) {
        now += GfxEncodeTime(0, 0, 7, 0);
        Second();
    }
    const QImage later = Shown(form);
    EXPECT_EQ(parent->copies, built) << "five ticks and two paints reuse the dial";
    EXPECT_NE(first, later) << "the hands moved";
    EXPECT_EQ(painttest::At(later, 11, 11), Yellow) << "the kept dial holds the background";
    const TGfxClockGeometry g = clock->Geometry();
    const TPoint three = g.At(90, g.r);
    EXPECT_EQ(painttest::At(later, 10 + three.X - 1, 10 + three.Y - 2), clTeal) << "the 3 o'clock tick stays";

    clock->SetBounds(10, 10, 50, 50);
    QApplication::processEvents();
    (void)Shown(form);
    EXPECT_EQ(parent->copies, built + 1) << "a new size draws the dial again, once";
}

// The second circle: up to the second hand the part of the minute still to
// come; after the minute turns, the part already passed.
TEST_F(ClockTest, SecondCircleShowsTheMinute)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(0, 0, 80, 80);
    clock->SetOptions(coShowAnalog | co24Hour | coShowSecCircle);
    clock->SecondCircle().SetColor(clRed);
    for (auto* hand : {&clock->HourHand(), &clock->MinuteHand(), &clock->SecondHand()})
        hand->SetVisible(false);
    now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 30, 15, 0);
    Show(form, 100, 100);
    const TGfxClockGeometry g = clock->Geometry();
    EXPECT_EQ(g.r, 40 - 4 - 1) << "the pen's width is part of the margin";
    const int r2 = g.r + 1 + 2;
    auto red = [&](const QImage& im, double degrees) {
        const TPoint p = g.At(degrees, r2);
        return Near(im, p.X, p.Y, clRed);
    };
    // 15 seconds: from 12 counter-clockwise down to 3 o'clock.
    QImage im = Shown(form);
    for (double a : {120.0, 180.0, 270.0, 330.0})
        EXPECT_TRUE(red(im, a)) << "to come, at " << a;
    for (double a : {20.0, 45.0, 70.0})
        EXPECT_FALSE(red(im, a)) << "passed, at " << a;
    EXPECT_EQ(painttest::BoundsOf(im.copy(0, 0, 80, 80), clRed).Top, g.cy - r2) << "the circle reaches the top";

    // Ten seconds into the next minute: the part passed, 12 to 2 o'clock.
    now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 31, 10, 0);
    Second();
    im = Shown(form);
    for (double a : {15.0, 30.0, 45.0})
        EXPECT_TRUE(red(im, a)) << "passed, at " << a;
    for (double a : {90.0, 180.0, 270.0, 330.0})
        EXPECT_FALSE(red(im, a)) << "to come, at " << a;

    // The next minute's first second: the whole minute is to come.
    now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 32, 0, 0);
    Second();
    im = Shown(form);
    for (double a : {15.0, 45.0, 90.0, 180.0, 270.0, 330.0})
        EXPECT_TRUE(red(im, a)) << "a whole circle, at " << a;
}

// The simple style draws each tick as a black line inwards from the rim,
// the twelve big ones twice as long; nothing of the shaded style's colours.
TEST_F(ClockTest, SimpleTicksAreLines)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(0, 0, 80, 80);
    for (auto* hand : {&clock->HourHand(), &clock->MinuteHand(), &clock->SecondHand()})
        hand->SetVisible(false);
    Show(form, 100, 100);
    EXPECT_GT(CountOf(Shown(form).copy(0, 0, 80, 80), clTeal), 0) << "the shaded style's big ticks";
    clock->SetStyle(csSimple);
    const QImage im = Shown(form).copy(0, 0, 80, 80);
    const TGfxClockGeometry g = clock->Geometry();
    EXPECT_EQ(CountOf(im, clTeal), 0);
    EXPECT_EQ(CountOf(im, clAqua), 0);
    // 12 o'clock: from the rim down to 0.8 r (that end left out); the
    // minute tick at 30 seconds: down to 0.9 r.
    for (int y = g.cy - g.r; y > g.cy - GfxRound(0.8 * g.r); --y)
        EXPECT_EQ(painttest::At(im, g.cx, y), clBlack) << y;
    EXPECT_NE(painttest::At(im, g.cx, g.cy - GfxRound(0.8 * g.r) + 1), clBlack);
    const TPoint small = g.At(36, g.r), beyond = g.At(36, GfxRound(0.8 * g.r));
    EXPECT_EQ(painttest::At(im, small.X, small.Y), clBlack);
    EXPECT_NE(painttest::At(im, beyond.X, beyond.Y), clBlack) << "a small tick is shorter";
    // Sixty ticks of black, nothing inside the ticks' ring.
    EXPECT_EQ(painttest::BoundsOf(im, clBlack), (TRect{g.cx - g.r, g.cy - g.r, g.cx + g.r + 1, g.cy + g.r + 1}));
    EXPECT_EQ(CountOf(im.copy(g.cx - 20, g.cy - 20, 40, 40), clBlack), 0);
}

// Digital only: the clock takes the size of its text (cells and bevel),
// and follows the text when its length changes.
TEST_F(ClockTest, DigitalOnlySizesItselfToTheText)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(5, 5, 30, 30);
    clock->SetOptions(coShowDigital | co24Hour);
    clock->SetDigitalFlag(0, true);
    Show(form, 300, 100);
    QApplication::processEvents();
    const int bw = clock->BevelWidth();
    const int cw = clock->Digital().CellWidth(), ch = clock->Digital().CellHeight();
    EXPECT_EQ(clock->Width(), 8 * cw + 2 * bw) << "15:30:00";
    EXPECT_EQ(clock->Height(), ch + 2 * bw);
    EXPECT_EQ(clock->Left(), 5);
    QImage im = Shown(form).copy(5, 5, clock->Width(), clock->Height());
    EXPECT_EQ(painttest::BoundsOf(im, clLime).Left, bw + 8) << "the 1's centre verticals, from the corner";
    EXPECT_GT(CountOf(im, clLime), 100);

    clock->SetEnabled(false);  // "--- NA ---"
    QApplication::processEvents();
    EXPECT_EQ(clock->Width(), 10 * cw + 2 * bw);
    im = Shown(form).copy(5, 5, clock->Width(), clock->Height());
    EXPECT_EQ(CountOf(im, clLime), 0) << "a disabled clock lights no segment";
    EXPECT_GT(CountOf(im, clGreen), 0) << "but shows its cells";
}

// A disabled clock shows all three hands at 12, whatever the time.
TEST_F(ClockTest, DisabledClockHasItsHandsAtTwelve)
{
    now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 30, 45, 0);
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(0, 0, 80, 80);
    Show(form, 100, 100);
    const TGfxClockGeometry g = clock->Geometry();
    auto up = [&](double part) { return g.cy - GfxRound(part * g.r); };
    QImage im = Shown(form);
    EXPECT_EQ(painttest::At(im, g.cx + 1, g.cy + GfxRound(0.4 * g.r)), clTeal) << "enabled: the minute hand down";
    EXPECT_NE(painttest::At(im, g.cx + 1, up(0.55)), clTeal);

    clock->SetEnabled(false);
    im = Shown(form);
    EXPECT_EQ(painttest::At(im, g.cx, up(0.65)), clBlack) << "second hand";
    EXPECT_EQ(painttest::At(im, g.cx + 1, up(0.55)), clTeal) << "minute hand";
    EXPECT_EQ(painttest::At(im, g.cx + 2, up(0.3)), clAqua) << "hour hand";
    EXPECT_NE(painttest::At(im, g.cx + 1, g.cy + GfxRound(0.4 * g.r)), clTeal) << "nothing down at half past";
    const TPoint fortyFive = g.At(270, GfxRound(0.6 * g.r));
    EXPECT_NE(painttest::At(im, fortyFive.X, fortyFive.Y), clBlack) << "nothing at 45 seconds";
    // Still at 12 a minute later: the disabled clock does not move.
    now += GfxEncodeTime(0, 1, 0, 0);
    Second();
    EXPECT_EQ(Shown(form), im);
}

// While the alarm rings the digits are blank on every other paint.
TEST_F(ClockTest, RingingDigitsAreBlankEveryOtherPaint)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(0, 0, 240, 100);
    clock->SetOptions(coShowDigital | coShowAnalog | coEnableAlarm | co24Hour);
    clock->SetAlarmTime(now - GfxEncodeTime(0, 1, 0, 0));
    clock->SetMode(cmAlarm);
    Show(form, 260, 120);
    const QRect digits(0, 50, 240, clock->Digital().CellHeight());
    auto lit = [&] { return CountOf(Shown(form).copy(digits), clLime); };
    const int before = lit();
    EXPECT_GT(before, 100) << "A 15:29:00";
    EXPECT_GT(lit(), 100) << "not ringing: lit on every paint";
    Second();
    ASSERT_TRUE(clock->Ringing());
    std::vector<bool> shown;
    for (int i = 0; i < 6; ++i)
        shown.push_back(lit() > 0);
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_NE(shown[i], shown[i - 1]) << "paint " << i;
    // A tick paints too and keeps the rhythm.
    const bool last = shown.back();
    Second();
    EXPECT_EQ(lit() > 0, last);
    EXPECT_GT(CountOf(Shown(form).copy(digits), clGreen), 0) << "blank paints show the unlit cells";
}

namespace {

// What the window shows (its backing store), not a fresh paint of it.
QImage OnScreen(QWidget& form, const QRect& area)
{
    return form.screen()->grabWindow(form.winId(), area.x(), area.y(), area.width(), area.height()).toImage();
}

struct ClockSetup {
    const char* name;
    int width, height;
    std::function<void(TGfxClock&)> setup;
    // The face depends on what the clock showed before (the second
    // circle's half turns with each minute): compared with a full paint of
    // the clock itself.
    bool history = false;
};

const ClockSetup ClockSetups[] = {
    {"the main window's clock", 30, 30, [](TGfxClock&) {}},
    {"no second hand", 30, 30, [](TGfxClock& c) { c.SecondHand().SetVisible(false); }},
    {"digits under thick hands", 100, 100,
     [](TGfxClock& c) {
         c.SetOptions(coShowDigital | coShowAnalog | co24Hour);
         c.HourHand().SetThickness(7);
         c.SecondHand().SetThickness(3);
     }},
    {"second circle", 80, 80, [](TGfxClock& c) { c.SetOptions(coShowAnalog | co24Hour | coShowSecCircle); }, true},
    {"digits only", 30, 30,
     [](TGfxClock& c) {
         c.SetOptions(coShowDigital | co24Hour);
         c.SetDigitalFlag(0, true);
     }},
};

// Counts the paints a widget receives and the pixels they ask for.
struct PaintCounter : QObject {
    int paints = 0;
    QRegion asked;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++paints;
            asked |= static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
};

int PixelCount(const QRegion& r)
{
    int n = 0;
    for (const QRect& rect : r)
        n += rect.width() * rect.height();
    return n;
}

}  // namespace

// A tick repaints only the pixels it changes: what the window shows after
// each tick is, pixel for pixel, what a new clock shows at that time. A
// grab between the ticks (a paint into an image of its own, at another
// time) leaves the window's pixels to the next tick as they were.
TEST_F(ClockTest, ATickShowsWhatAFullPaintShows)
{
    // Seconds across midnight, steps of seconds and of minutes, hours.
    const int steps[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 7, 7, 7, 7, 60, 61, 780, 10800, 1, 1, 1};
    for (const ClockSetup& s : ClockSetups) {
        now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(23, 59, 50, 0);
        QWidget form;
        auto* clock = new TGfxClock(&form);
        clock->SetBounds(10, 10, s.width, s.height);
        s.setup(*clock);
        Show(form, s.width + 20, s.height + 20);
        QApplication::processEvents();
        int step = 0;
        for (int seconds : steps) {
            ++step;
            if (step % 4 == 2) {
                now += GfxEncodeTime(0, 0, 3, 0);
                (void)form.grab();
            }
            now += seconds / 86400.0;
            Second();
            const QRect area(10, 10, clock->Width(), clock->Height());
            const QImage ticked = OnScreen(form, area);

            QImage full;
            QWidget fresh;
            if (s.history) {
                full = clock->grab().toImage();
            } else {
                auto* other = new TGfxClock(&fresh);
                other->SetBounds(10, 10, s.width, s.height);
                s.setup(*other);
                Show(fresh, s.width + 20, s.height + 20);
                QApplication::processEvents();
                ASSERT_EQ(other->Width(), clock->Width()) << s.name;
                full = OnScreen(fresh, area);
            }
            ASSERT_EQ(ticked.size(), full.size()) << s.name;
            EXPECT_TRUE(SamePixels(ticked, full, ticked.rect()))
                << s.name << ", step " << step << " at " << GfxFormatDateTime(QStringLiteral("hh:nn:ss"), now).toStdString();
        }
    }
}

// A tick asks for a paint of less than the whole clock (the hands that
// moved, the digit that changed), and for none when nothing it shows
// changes: a face without a second hand within a minute.
TEST_F(ClockTest, ATickAsksForThePixelsThatChangeOnly)
{
    const struct {
        const ClockSetup& setup;
        TDateTime from;
        int seconds;
        bool paints;
    } cases[] = {
        {ClockSetups[0], GfxEncodeTime(15, 30, 0, 0), 15, true},
        {ClockSetups[1], GfxEncodeTime(15, 30, 10, 0), 1, false},
        {ClockSetups[1], GfxEncodeTime(15, 30, 10, 0), 40, false},
        {ClockSetups[1], GfxEncodeTime(15, 30, 59, 0), 1, true},
        {ClockSetups[2], GfxEncodeTime(15, 30, 0, 0), 1, true},
        {ClockSetups[4], GfxEncodeTime(15, 30, 0, 0), 1, true},
    };
    for (const auto& c : cases) {
        now = GfxEncodeDate(2024, 5, 6) + c.from;
        QWidget form;
        auto* clock = new TGfxClock(&form);
        clock->SetBounds(10, 10, c.setup.width, c.setup.height);
        c.setup.setup(*clock);
        Show(form, c.setup.width + 20, c.setup.height + 20);
        QApplication::processEvents();
        PaintCounter counter;
        clock->installEventFilter(&counter);
        now += c.seconds / 86400.0;
        Second();
        QApplication::processEvents();
        clock->removeEventFilter(&counter);
        const int whole = clock->Width() * clock->Height();
        if (!c.paints) {
            EXPECT_EQ(counter.paints, 0) << c.setup.name << " +" << c.seconds << " s";
            continue;
        }
        EXPECT_EQ(counter.paints, 1) << c.setup.name << " +" << c.seconds << " s";
        EXPECT_GT(PixelCount(counter.asked), 0) << c.setup.name;
        EXPECT_LT(PixelCount(counter.asked), whole / 2) << c.setup.name << " +" << c.seconds << " s";
    }
}

// A clock that changes its size paints at the new size what a clock made at
// that size paints, and back again.
TEST_F(ClockTest, AResizedClockPaintsAsOneMadeAtItsSize)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    clock->SetBounds(10, 10, 30, 30);
    Show(form, 120, 120);
    QApplication::processEvents();
    for (const int size : {80, 30}) {
        clock->SetBounds(10, 10, size, size);
        QApplication::processEvents();
        Second();
        const QImage resized = clock->grab().toImage();

        QWidget fresh;
        auto* other = new TGfxClock(&fresh);
        other->SetBounds(10, 10, size, size);
        Show(fresh, 120, 120);
        QApplication::processEvents();
        const QImage made = other->grab().toImage();
        ASSERT_EQ(resized.size(), QSize(size, size));
        EXPECT_TRUE(SamePixels(resized, made, resized.rect())) << size;
    }
}
