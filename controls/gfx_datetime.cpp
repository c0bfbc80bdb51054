#include "gfx_datetime.h"

#include "platform/gfx_exceptions.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include <cmath>
#include <limits>
#include <utility>

namespace {

const QDate& Epoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

GfxNowFunction& NowFunction()
{
    static GfxNowFunction now;
    return now;
}

// The value's date and its time of day in milliseconds (a time that rounds
// to a whole day is the next day's midnight).
void Split(TDateTime value, QDate& date, long long& ms)
{
    double whole = std::trunc(value);
    ms = std::llround(std::fabs(value - whole) * GfxMSecsPerDay);
    if (ms >= static_cast<long long>(GfxMSecsPerDay)) {
        ms -= static_cast<long long>(GfxMSecsPerDay);
        whole += 1;
    }
    date = Epoch().addDays(static_cast<qint64>(whole));
}

QTime TimeOf(TDateTime value)
{
    QDate date;
    long long ms = 0;
    Split(value, date, ms);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDate DateOf(TDateTime value)
{
    QDate date;
    long long ms = 0;
    Split(value, date, ms);
    return date;
}

QString Padded(int v, int width) { return QString::number(v).rightJustified(width, QLatin1Char('0')); }

}  // namespace

TDateTime GfxEncodeDate(int Year, int Month, int Day)
{
    if (Year < 1 || Year > 9999 || !QDate::isValid(Year, Month, Day))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return static_cast<TDateTime>(Epoch().daysTo(QDate(Year, Month, Day)));
}

TDateTime GfxEncodeTime(int Hour, int Minute, int Second, int MSec)
{
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || MSec < 0 || MSec > 999)
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return ((Hour * 60.0 + Minute) * 60.0 + Second + MSec / 1000.0) * 1000.0 / GfxMSecsPerDay;
}

void GfxDecodeDate(TDateTime Value, int& Year, int& Month, int& Day)
{
    const QDate d = DateOf(Value);
    Year = d.year();
    Month = d.month();
    Day = d.day();
}

void GfxDecodeTime(TDateTime Value, int& Hour, int& Minute, int& Second, int& MSec)
{
    const QTime t = TimeOf(Value);
    Hour = t.hour();
    Minute = t.minute();
    Second = t.second();
    MSec = t.msec();
}

int GfxDayOfWeek(TDateTime Value) { return DateOf(Value).dayOfWeek() % 7 + 1; }

GfxNowFunction GfxSetNowFunction(GfxNowFunction Now) { return std::exchange(NowFunction(), std::move(Now)); }

TDateTime GfxNow()
{
    if (NowFunction())
        return NowFunction()();
    return GfxLocalFromUtcMSecs(QDateTime::currentMSecsSinceEpoch());
}

TDateTime GfxLocalFromUtcMSecs(qint64 UtcMSecs)
{
    constexpr qint64 MSecsPerMinute = 60 * 1000;
    constexpr qint64 MSecsPerDay = 24 * 60 * MSecsPerMinute;
    constexpr qint64 DaysBefore1970 = 25569;  // 1899-12-30 to 1970-01-01
    struct Offset {
        qint64 minute = std::numeric_limits<qint64>::min();
        qint64 msecs = 0;
    };
    thread_local Offset offset;
    // Whole units before a moment, also before 1970.
    const auto floorDiv = [](qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); };
    const qint64 minute = floorDiv(UtcMSecs, MSecsPerMinute);
    if (minute != offset.minute) {
        offset.minute = minute;
        offset.msecs = qint64(QDateTime::fromMSecsSinceEpoch(UtcMSecs, Qt::LocalTime).offsetFromUtc()) * 1000;
    }
    const qint64 local = UtcMSecs + offset.msecs;
    const qint64 days = floorDiv(local, MSecsPerDay);
    const qint64 ms = local - days * MSecsPerDay;
    return static_cast<TDateTime>(days + DaysBefore1970) + ms / GfxMSecsPerDay;
}

QString GfxFormatDateTime(const QString& Format, TDateTime Value)
{
    const QDate date = DateOf(Value);
    const QTime time = TimeOf(Value);
    const QLocale locale = QLocale::system();
    const QString lower = Format.toLower();
    const bool twelve = lower.contains(QLatin1String("am/pm")) || lower.contains(QLatin1String("a/p"));
    auto run = [&](qsizetype at, QChar c) {
        qsizetype n = 0;
        while (at + n < Format.size() && Format[at + n].toLower() == c)
            ++n;
        return n;
    };
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < Format.size();) {
        const QChar c = Format[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = Format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? Format.size() : end;
            out += Format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (lc == QLatin1Char('a')) {
            if (Format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
                const bool pm = time.hour() >= 12;
                const QString word = pm ? QStringLiteral("pm") : QStringLiteral("am");
                out += Format[i].isUpper() ? word.toUpper() : word;
                i += 5;
                continue;
            }
            if (Format.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
                const QChar letter = time.hour() >= 12 ? QLatin1Char('p') : QLatin1Char('a');
                out += Format[i].isUpper() ? letter.toUpper() : letter;
                i += 3;
                continue;
            }
        }
        const qsizetype n = run(i, lc);
        switch (lc.unicode()) {
        case 'd':
            if (n <= 2)
                out += n == 1 ? QString::number(date.day()) : Padded(date.day(), 2);
            else
                out += locale.dayName(date.dayOfWeek(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += n == 1 ? QString::number(time.minute()) : Padded(time.minute(), 2);
            else if (n <= 2)
                out += n == 1 ? QString::number(date.month()) : Padded(date.month(), 2);
            else
                out += locale.monthName(date.month(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'y': out += n <= 2 ? Padded(date.year() % 100, 2) : Padded(date.year(), 4); break;
        case 'h': {
            int h = time.hour();
            if (twelve) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += n == 1 ? QString::number(h) : Padded(h, 2);
            break;
        }
        case 'n': out += n == 1 ? QString::number(time.minute()) : Padded(time.minute(), 2); break;
        case 's': out += n == 1 ? QString::number(time.second()) : Padded(time.second(), 2); break;
        case 'z': out += n < 3 ? QString::number(time.msec()) : Padded(time.msec(), 3); break;
        default: out += Format.mid(i, n); break;
        }
        if (lc == QLatin1Char('h'))
            afterHour = true;
        else if (lc.isLetter())
            afterHour = false;
        i += n;
    }
    return out;
}

QString GfxShortDate(TDateTime Value) { return QLocale::system().toString(DateOf(Value), QLocale::ShortFormat); }

QString GfxLongTime(TDateTime Value)
{
    // The locale's long time format names a time zone, which a bare time
    // of day has not: hours, minutes and seconds.
    return GfxFormatDateTime(QStringLiteral("hh:nn:ss"), Value);
}

bool GfxTimeReached(TDateTime Target, TDateTime Now)
{
    const QDate targetDate = DateOf(Target);
    const QDate today = DateOf(Now);
    if (targetDate != today)
        return targetDate < today;
    return TimeOf(Target) <= TimeOf(Now);
}

// ------------------------------------------------------------ TGfxDateTime
TGfxDateTime::TGfxDateTime() : value_(GfxEncodeDate(1990, 1, 1)) {}

int TGfxDateTime::Get(Part part) const
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    GfxDecodeDate(value_, y, mo, d);
    GfxDecodeTime(value_, h, mi, s, ms);
    const int parts[] = {d, mo, y, h, mi, s};
    return parts[part];
}

void TGfxDateTime::Set(Part part, int value)
{
    if (Get(part) == value)
        return;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    GfxDecodeDate(value_, y, mo, d);
    GfxDecodeTime(value_, h, mi, s, ms);
    int* parts[] = {&d, &mo, &y, &h, &mi, &s};
    *parts[part] = value;
    // Both encoders run before anything is stored, so a refused part
    // leaves the value as it was.
    if (part <= pYear)
        value_ = GfxEncodeDate(y, mo, d) + GfxEncodeTime(h, mi, s, 0);
    else
        value_ = std::trunc(value_) + (value_ < 0 ? -1.0 : 1.0) * GfxEncodeTime(h, mi, s, ms);
}

int TGfxDateTime::Day() const { return Get(pDay); }
int TGfxDateTime::Month() const { return Get(pMonth); }
int TGfxDateTime::Year() const { return Get(pYear); }
int TGfxDateTime::Hour() const { return Get(pHour); }
int TGfxDateTime::Minute() const { return Get(pMinute); }
int TGfxDateTime::Second() const { return Get(pSecond); }
void TGfxDateTime::SetDay(int Value) { Set(pDay, Value); }
void TGfxDateTime::SetMonth(int Value) { Set(pMonth, Value); }
void TGfxDateTime::SetYear(int Value) { Set(pYear, Value); }
void TGfxDateTime::SetHour(int Value) { Set(pHour, Value); }
void TGfxDateTime::SetMinute(int Value) { Set(pMinute, Value); }
void TGfxDateTime::SetSecond(int Value) { Set(pSecond, Value); }

void TGfxDateTime::Assign(const TObject* Source)
{
    if (const auto* src = dynamic_cast<const TGfxDateTime*>(Source)) {
        value_ = src->value_;
        return;
    }
    TGfxObject::Assign(Source);
}
