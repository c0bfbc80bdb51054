#pragma once
// Dates and times as the library keeps them, and TGfxDateTime, the
// sub-object that holds one.
//
// TDateTime counts days since 30 December 1899: its whole part is the date
// and its fraction the time of day (for days before that date the fraction
// is taken as a positive time of day, as the platform's run-time library
// does). The encoders refuse a part that names no date or time with
// EConvertError; the readers split a value into its parts, the time to the
// millisecond.

#include "gfx_object.h"

#include <QString>

#include <cstdint>
#include <functional>

using TDateTime = double;

constexpr double GfxMSecsPerDay = 86400000.0;

// The whole days of a date; EConvertError "Invalid argument to date
// encode" for a year outside 1..9999, a month outside 1..12 or a day the
// month lacks.
TDateTime GfxEncodeDate(int Year, int Month, int Day);
// The fraction of a day of a time; EConvertError "Invalid argument to time
// encode" for an hour above 23, a minute or second above 59 or a
// millisecond above 999 (or any part below 0).
TDateTime GfxEncodeTime(int Hour, int Minute, int Second, int MSec);
void GfxDecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void GfxDecodeTime(TDateTime Value, int& Hour, int& Minute, int& Second, int& MSec);
// 1 Sunday .. 7 Saturday.
int GfxDayOfWeek(TDateTime Value);

// The local date and time. Tests put a clock of their own in its place
// (an empty function restores the system's) and get the previous one back.
using GfxNowFunction = std::function<TDateTime()>;
GfxNowFunction GfxSetNowFunction(GfxNowFunction Now);
TDateTime GfxNow();

// The local date and time at a moment given in milliseconds since 1970 UTC,
// as GfxNow reads the system clock. The zone's offset is asked of the C
// library once per minute of UTC (each asking reads the zone file's status
// from disk, and a running clock asks every second); zones change their
// offset on whole minutes, so the first moment of a new minute sees the
// change.
TDateTime GfxLocalFromUtcMSecs(qint64 UtcMSecs);

// The value formatted by the run-time library's date-time format: d, dd
// (day), ddd, dddd (short and long day name), m, mm (month, or minutes
// right after an hour), mmm, mmmm (month names), yy, yyyy, h, hh, n, nn,
// s, ss, z, zzz, am/pm and a/p (which make the hours run 1 to 12), text in
// quotes kept as it stands, every other character copied.
QString GfxFormatDateTime(const QString& Format, TDateTime Value);
// The locale's short date and long time of the value.
QString GfxShortDate(TDateTime Value);
QString GfxLongTime(TDateTime Value);

// Which of two values comes first, by whole days and then by the time of
// day: true when Target is not later than Now (the day before today, or
// today at a time of day not after Now's).
bool GfxTimeReached(TDateTime Target, TDateTime Now);

// TGfxDateTime: one date and time with its six parts published. The
// constructor sets 1 January 1990, 00:00:00. A date part written keeps the
// other two and the hour, minute and second (milliseconds dropped); a time
// part written keeps the date, the other two and the milliseconds. A write
// that would name no date or time raises EConvertError and keeps the old
// value. No writer notifies.
class TGfxDateTime : public TGfxObject {
public:
    TGfxDateTime();

    TDateTime Value() const { return value_; }
    void SetValue(TDateTime Value) { value_ = Value; }

    int Day() const;
    int Month() const;
    int Year() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    void SetDay(int Value);
    void SetMonth(int Value);
    void SetYear(int Value);
    void SetHour(int Value);
    void SetMinute(int Value);
    void SetSecond(int Value);

    // From another date-time the value; anything else as TGfxObject.
    void Assign(const TObject* Source) override;

private:
    enum Part { pDay, pMonth, pYear, pHour, pMinute, pSecond };
    int Get(Part part) const;
    void Set(Part part, int value);

    TDateTime value_ = 0;
};
