// The segment display: masks, the cell geometry as data, texts drawn on
// pixels (rows, flashing, disabled owners, short bars); the date-time
// sub-object and the date-time helpers.
#include "gfx_datetime.h"
#include "gfx_led.h"
#include "paint_helpers.h"
#include "platform/gfx_exceptions.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QImage>

#include <ctime>

using namespace painttest;

namespace {

// The text drawn from (0, 0) on a white image of two rows of ten cells.
QImage Drawn(TGfxLED& led, const QString& text, bool enabled = true)
{
    QImage image = Surface(10 * led.CellWidth(), 2 * led.CellHeight());
    TGfxCanvas canvas(&image);
    led.DrawText(canvas, TRect{0, 0, image.width(), image.height()}, text, true, enabled);
    canvas.Release();
    return image;
}

// The lit pixels of one cell, relative to the cell.
TRect LitIn(const TGfxLED& led, const QImage& image, int column, int row = 0)
{
    const QImage cell = image.copy(column * led.CellWidth(), row * led.CellHeight(), led.CellWidth(), led.CellHeight());
    return BoundsOf(cell, led.ActiveColor());
}

int Count(const QImage& image, TColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) == colour;
    return n;
}

std::array<TPoint, 6> Points(std::initializer_list<TPoint> p)
{
    std::array<TPoint, 6> out{};
    std::copy(p.begin(), p.end(), out.begin());
    return out;
}

}  // namespace

TEST(LedSegments, MasksOfCharacters)
{
    const struct {
        char c;
        std::uint16_t mask;
    } cases[] = {{'"', 0x0082}, {'(', 0x1400}, {'<', 0x1400}, {'*', 0x1F80}, {'.', 0x8000}, {'0', 0x1277},
                 {'1', 0x0180}, {'i', 0x0180}, {'5', 0x006B}, {'s', 0x006B}, {'6', 0x007B}, {'g', 0x007B},
                 {':', 0xA000}, {'[', 0x0053}, {'k', 0x141A}, {'W', 0x1836}, {'x', 0x1E00}, {'Z', 0x0C41},
                 {' ', 0},      {'#', 0},      {'?', 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GfxLEDSegmentMask(QLatin1Char(c.c)), c.mask) << c.c;
    // Characters outside the table have no picture, also those whose
    // Unicode capital is a table letter (dotless i, long s) and accented
    // letters of the Latin-1 range.
    for (const char16_t c : {u'\u0131', u'\u017F', u'\u00E9', u'\u00C9', u'\u00FF', u'\u00B5', u'\u00DF',
                             u'\u212A', u'\uFF41'})
        EXPECT_EQ(GfxLEDSegmentMask(QChar(c)), 0u) << int(c);
    // No character lights the top dot.
    for (int c = 32; c < 128; ++c)
        EXPECT_EQ(GfxLEDSegmentMask(QChar(c)) & (1u << lsgTopDot), 0u) << c;
}

// Thickness 2, Horzsize 9, Vertsize 7: w = 1, c = 8.
TEST(LedSegments, CellGeometry)
{
    const TGfxLEDGeometry g = GfxLEDSegments(2, 9, 7);
    const struct {
        int segment;
        std::array<TPoint, 6> points;
    } cases[] = {
        {lsgTop, Points({{4, 3}, {5, 2}, {14, 2}, {15, 3}, {14, 4}, {5, 4}})},
        {lsgUpperLeft, Points({{3, 4}, {4, 5}, {4, 12}, {3, 13}, {2, 12}, {2, 5}})},
        {lsgUpperRight, Points({{16, 4}, {17, 5}, {17, 12}, {16, 13}, {15, 12}, {15, 5}})},
        {lsgBottom, Points({{4, 25}, {5, 24}, {14, 24}, {15, 25}, {14, 26}, {5, 26}})},
        {lsgLowerCentre, Points({{9, 15}, {10, 16}, {10, 23}, {9, 24}, {8, 23}, {8, 16}})},
        {lsgUpperLeftDiagonal, Points({{7, 11}, {6, 11}, {5, 7}, {5, 6}, {6, 6}, {7, 10}})},
        {lsgUpperRightDiagonal, Points({{11, 11}, {12, 11}, {13, 7}, {13, 6}, {12, 6}, {11, 10}})},
        {lsgLowerLeftDiagonal, Points({{7, 17}, {6, 17}, {5, 21}, {5, 22}, {6, 22}, {7, 18}})},
        {lsgCentreDot, Points({{9, 12}, {9, 14}, {7, 14}, {7, 12}, {7, 12}, {7, 12}})},
        {lsgBottomDot, Points({{9, 23}, {9, 25}, {7, 25}, {7, 23}, {7, 23}, {7, 23}})},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(g[size_t(c.segment)].Empty) << c.segment;
        EXPECT_EQ(g[size_t(c.segment)].Points, c.points) << c.segment;
    }
    TGfxLED led;
    EXPECT_EQ(led.CellWidth(), 19);
    EXPECT_EQ(led.CellHeight(), 28);
}

// A diagonal without extent (h div 2 = t, or v = t) is empty: it draws
// nothing rather than keeping the points of the sizes before.
TEST(LedSegments, DiagonalWithoutExtentIsEmpty)
{
    TGfxLED led;
    const QImage before = Drawn(led, QStringLiteral("X"));
    EXPECT_NE(LitIn(led, before, 0), TRect{}) << "the four diagonals of an X";

    led.SetHorzsize(4);  // h div 2 = 2 = t
    for (int s : {lsgUpperLeftDiagonal, lsgUpperRightDiagonal, lsgLowerLeftDiagonal, lsgLowerRightDiagonal})
        EXPECT_TRUE(led.Segments()[size_t(s)].Empty) << s;
    EXPECT_EQ(LitIn(led, Drawn(led, QStringLiteral("X")), 0), TRect{});

    led.SetHorzsize(9);
    led.SetVertsize(2);  // v = t
    EXPECT_TRUE(led.Segments()[lsgUpperLeftDiagonal].Empty);
    led.SetVertsize(7);
    EXPECT_FALSE(led.Segments()[lsgUpperLeftDiagonal].Empty);
    EXPECT_EQ(led.Segments(), GfxLEDSegments(2, 9, 7));
}

// "12:30": five cells; the colon lights the centre and bottom dots only;
// unlit segments show as the inactive colour's checker.
TEST(LedText, TimeText)
{
    TGfxLED led;
    const QImage image = Drawn(led, QStringLiteral("12:30"));
    EXPECT_EQ(led.ColCount(), 5);
    EXPECT_EQ(led.LineCount(), 1);
    EXPECT_EQ(InkBounds(image), (TRect{0, 0, 5 * 19, 28}));
    // The dots: columns 7 to 9, rows 12 to 14 and 23 to 25.
    const TRect colon = LitIn(led, image, 2);
    EXPECT_EQ(colon, (TRect{7, 12, 10, 26}));
    const QImage colonCell = image.copy(2 * 19, 0, 19, 28);
    for (int y = 15; y < 22; ++y)
        for (int x = 0; x < 19; ++x)
            EXPECT_NE(At(colonCell, x, y), clLime) << x << "," << y;
    // The "1" lights the two centre verticals.
    EXPECT_EQ(LitIn(led, image, 0), (TRect{8, 4, 11, 25}));
    // Unlit segments: the checker of green over the black cell.
    EXPECT_GT(Count(colonCell, clGreen), 0);
    EXPECT_GT(Count(colonCell, clBlack), 0);
}

TEST(LedText, CasesUnknownCharactersAndShortBars)
{
    TGfxLED led;
    const QImage upper = Drawn(led, QStringLiteral("AB"));
    const QImage lower = Drawn(led, QStringLiteral("ab"));
    EXPECT_EQ(upper, lower);
    // "#" has no picture: an unlit cell, and control characters take none.
    const QImage hash = Drawn(led, QStringLiteral("#\x01"));
    EXPECT_EQ(led.ColCount(), 1);
    EXPECT_EQ(LitIn(led, hash, 0), TRect{});
    EXPECT_EQ(At(hash, 19, 5), clWhite) << "no second cell";
    // A dotless i and a long s are cells without lit segments, not I and S.
    const QImage foreign = Drawn(led, QStringLiteral(u"\u0131\u017F"));
    EXPECT_EQ(led.ColCount(), 2);
    EXPECT_EQ(LitIn(led, foreign, 0), TRect{});
    EXPECT_EQ(LitIn(led, foreign, 1), TRect{});
    EXPECT_NE(LitIn(led, Drawn(led, QStringLiteral("is")), 1), TRect{});
    // With Horzsize 3 only the seven bars can light: an X shows unlit.
    led.SetHorzsize(3);
    EXPECT_EQ(LitIn(led, Drawn(led, QStringLiteral("X")), 0), TRect{});
    EXPECT_NE(LitIn(led, Drawn(led, QStringLiteral("8")), 0), TRect{});
}

TEST(LedText, RowsFlashingAndDisabledOwners)
{
    TGfxLED led;
    const QImage rows = Drawn(led, QStringLiteral("AB\rCDE"));
    EXPECT_EQ(led.LineCount(), 2);
    EXPECT_EQ(led.ColCount(), 3);
    EXPECT_NE(LitIn(led, rows, 2, 1), TRect{});
    EXPECT_EQ(At(rows, 2 * 19 + 5, 5), clWhite) << "the first row has two cells";

    // While flashing every second text is unlit.
    led.StartFlash();
    EXPECT_EQ(LitIn(led, Drawn(led, QStringLiteral("8")), 0), TRect{});
    EXPECT_NE(LitIn(led, Drawn(led, QStringLiteral("8")), 0), TRect{});
    EXPECT_EQ(LitIn(led, Drawn(led, QStringLiteral("8")), 0), TRect{});
    int changes = 0;
    led.OnChange = [&](TObject*) { ++changes; };
    led.StopFlash();
    EXPECT_EQ(changes, 1);
    EXPECT_NE(LitIn(led, Drawn(led, QStringLiteral("8")), 0), TRect{});

    // A disabled owner shows unlit cells, unless DisabledDigits is off.
    EXPECT_EQ(LitIn(led, Drawn(led, QStringLiteral("8"), false), 0), TRect{});
    led.SetDisabledDigits(false);
    EXPECT_NE(LitIn(led, Drawn(led, QStringLiteral("8"), false), 0), TRect{});
    // Counting only.
    QImage untouched = Surface(40, 40);
    TGfxCanvas canvas(&untouched);
    led.DrawText(canvas, TRect{0, 0, 40, 40}, QStringLiteral("1\r22\r333"), false, true);
    canvas.Release();
    EXPECT_EQ(led.LineCount(), 3);
    EXPECT_EQ(led.ColCount(), 3);
    EXPECT_EQ(InkBounds(untouched), TRect{});
}

TEST(LedWriters, ChangesRebuildAndNotifyOnce)
{
    TGfxLED led;
    int changes = 0;
    led.OnChange = [&](TObject*) { ++changes; };
    led.SetThickness(2);
    led.SetActiveColor(clLime);
    EXPECT_EQ(changes, 0);
    led.SetThickness(3);
    led.SetCellColor(clNavy);
    led.StartFlash();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(led.CellWidth(), 9 + 15);
    TGfxLED copy;
    copy.SetCellColor(clMaroon);
    copy.Assign(&led);
    EXPECT_EQ(copy.Thickness(), 3);
    EXPECT_EQ(copy.CellColor(), clMaroon) << "the cell background is not copied";
    EXPECT_EQ(copy.Segments(), led.Segments());
}

// ------------------------------------------------------------- date-time

TEST(DateTime, EncodeDecodeAndFormat)
{
    const TDateTime t = GfxEncodeDate(1990, 1, 31) + GfxEncodeTime(15, 30, 5, 250);
    EXPECT_DOUBLE_EQ(GfxEncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(GfxEncodeDate(1900, 1, 1), 2.0);
    int h = 0, m = 0, s = 0, ms = 0;
    GfxDecodeTime(t, h, m, s, ms);
    EXPECT_EQ((std::array{h, m, s, ms}), (std::array{15, 30, 5, 250}));
    EXPECT_EQ(GfxFormatDateTime(QStringLiteral("hh:mm:ss"), t), QStringLiteral("15:30:05"));
    EXPECT_EQ(GfxFormatDateTime(QStringLiteral("hh:mm:ss a/p"), t), QStringLiteral("03:30:05 p"));
    EXPECT_EQ(GfxFormatDateTime(QStringLiteral("h:nn AM/PM"), GfxEncodeTime(0, 5, 0, 0)), QStringLiteral("12:05 AM"));
    EXPECT_EQ(GfxFormatDateTime(QStringLiteral("dd/mm/yyyy 'at' hh"), t), QStringLiteral("31/01/1990 at 15"));
    EXPECT_THROW(GfxEncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(GfxEncodeDate(1990, 2, 30), EConvertError);
    EXPECT_TRUE(GfxTimeReached(t, t));
    EXPECT_TRUE(GfxTimeReached(t - 1.5, t));
    EXPECT_FALSE(GfxTimeReached(t + GfxEncodeTime(0, 0, 1, 0), t));
}

TEST(DateTime, PartsKeepTheOthers)
{
    TGfxDateTime d;
    EXPECT_EQ((std::array{d.Day(), d.Month(), d.Year(), d.Hour(), d.Minute(), d.Second()}),
              (std::array{1, 1, 1990, 0, 0, 0}));
    d.SetValue(GfxEncodeDate(1990, 1, 31) + GfxEncodeTime(8, 15, 20, 500));
    // 31 February names no date: the error, and the value stays.
    const TDateTime before = d.Value();
    EXPECT_THROW(d.SetMonth(2), EConvertError);
    EXPECT_DOUBLE_EQ(d.Value(), before);
    EXPECT_THROW(d.SetHour(24), EConvertError);
    EXPECT_DOUBLE_EQ(d.Value(), before);
    // A time part keeps the date and the milliseconds; a date part drops
    // the milliseconds.
    d.SetMinute(45);
    int h = 0, m = 0, s = 0, ms = 0;
    GfxDecodeTime(d.Value(), h, m, s, ms);
    EXPECT_EQ((std::array{d.Day(), h, m, s, ms}), (std::array{31, 8, 45, 20, 500}));
    d.SetDay(2);
    GfxDecodeTime(d.Value(), h, m, s, ms);
    EXPECT_EQ((std::array{d.Day(), d.Month(), h, m, s, ms}), (std::array{2, 1, 8, 45, 20, 0}));
    int changes = 0;
    d.OnChange = [&](TObject*) { ++changes; };
    d.SetYear(2001);
    EXPECT_EQ(changes, 0) << "no writer notifies";
}

// The zone is set through TZ for the test's length (a rule of its own, so
// that no zone file is needed).
class ZoneForTest {
public:
    explicit ZoneForTest(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ")) { Set(zone); }
    ~ZoneForTest()
    {
        if (had_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }
    static void Set(const char* zone)
    {
        qputenv("TZ", zone);
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

TEST(DateTime, LocalTimeFollowsTheZoneOnTheMinuteItChanges)
{
    ZoneForTest zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const auto utc = [](int y, int mo, int d, int h, int mi, int s, int ms) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC).toMSecsSinceEpoch();
    };
    const auto local = [](int y, int mo, int d, int h, int mi, int s, int ms) {
        return GfxEncodeDate(y, mo, d) + GfxEncodeTime(h, mi, s, ms);
    };
    constexpr double HalfMSec = 0.5 / GfxMSecsPerDay;
    // In this order: the offset found for one minute must not outlive it.
    struct Case {
        const char* what;
        qint64 utc;
        TDateTime local;
    } const cases[] = {
        {"last winter moment", utc(2026, 3, 29, 0, 59, 59, 999), local(2026, 3, 29, 1, 59, 59, 999)},
        {"first summer moment", utc(2026, 3, 29, 1, 0, 0, 0), local(2026, 3, 29, 3, 0, 0, 0)},
        {"later in that minute", utc(2026, 3, 29, 1, 0, 30, 500), local(2026, 3, 29, 3, 0, 30, 500)},
        {"last summer moment", utc(2026, 10, 25, 0, 59, 59, 0), local(2026, 10, 25, 2, 59, 59, 0)},
        {"first winter moment", utc(2026, 10, 25, 1, 0, 0, 0), local(2026, 10, 25, 2, 0, 0, 0)},
        {"a day before, same minute of the day", utc(2026, 10, 24, 1, 0, 10, 0), local(2026, 10, 24, 3, 0, 10, 0)},
        {"before 1970", utc(1969, 12, 31, 22, 59, 59, 500), local(1969, 12, 31, 23, 59, 59, 500)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(GfxLocalFromUtcMSecs(c.utc), c.local, HalfMSec) << c.what;

    // A zone changed by the system is seen from the next minute on.
    const qint64 at = utc(2026, 6, 1, 12, 0, 0, 0);
    EXPECT_NEAR(GfxLocalFromUtcMSecs(at), local(2026, 6, 1, 14, 0, 0, 0), HalfMSec);
    ZoneForTest::Set("UTC0");
    EXPECT_NEAR(GfxLocalFromUtcMSecs(at + 60 * 1000), local(2026, 6, 1, 12, 1, 0, 0), HalfMSec);

    // The system clock read so is the local time Qt gives.
    const QDateTime qt = QDateTime::currentDateTime();
    const TDateTime now = GfxNow();
    EXPECT_NEAR(now, GfxEncodeDate(qt.date().year(), qt.date().month(), qt.date().day()) +
                         qt.time().msecsSinceStartOfDay() / GfxMSecsPerDay,
                2000 / GfxMSecsPerDay);
}
