#include "gfx_types.h"

#include <QCoreApplication>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The classic desktop colour scheme, by system colour index. This table is
// the only source of system colours in the library, so drawing looks the same
// on every desktop and offscreen.
constexpr std::array<TColor, GfxSystemColorCount> kClassicColors = {
    GfxRGB(212, 208, 200),  // 0 scroll bar
    GfxRGB(58, 110, 165),   // 1 desktop background
    GfxRGB(10, 36, 106),    // 2 active caption
    GfxRGB(128, 128, 128),  // 3 inactive caption
    GfxRGB(212, 208, 200),  // 4 menu
    GfxRGB(255, 255, 255),  // 5 window
    GfxRGB(0, 0, 0),        // 6 window frame
    GfxRGB(0, 0, 0),        // 7 menu text
    GfxRGB(0, 0, 0),        // 8 window text
    GfxRGB(255, 255, 255),  // 9 caption text
    GfxRGB(212, 208, 200),  // 10 active border
    GfxRGB(212, 208, 200),  // 11 inactive border
    GfxRGB(128, 128, 128),  // 12 application workspace
    GfxRGB(10, 36, 106),    // 13 highlight
    GfxRGB(255, 255, 255),  // 14 highlight text
    GfxRGB(212, 208, 200),  // 15 button face
    GfxRGB(128, 128, 128),  // 16 button shadow
    GfxRGB(128, 128, 128),  // 17 grey text
    GfxRGB(0, 0, 0),        // 18 button text
    GfxRGB(212, 208, 200),  // 19 inactive caption text
    GfxRGB(255, 255, 255),  // 20 button highlight
    GfxRGB(64, 64, 64),     // 21 3-D dark shadow
    GfxRGB(212, 208, 200),  // 22 3-D light
    GfxRGB(0, 0, 0),        // 23 tooltip text
    GfxRGB(255, 255, 225),  // 24 tooltip background
    GfxRGB(0, 0, 0),        // 25 (unused index)
    GfxRGB(0, 0, 128),      // 26 hot light
    GfxRGB(166, 202, 240),  // 27 gradient of the active caption
    GfxRGB(192, 192, 192),  // 28 gradient of the inactive caption
    GfxRGB(49, 106, 197),   // 29 menu highlight
    GfxRGB(212, 208, 200),  // 30 menu bar
};

}  // namespace

TColor GfxColorToRGB(TColor c)
{
    if (!GfxIsSystemColor(c))
        return c;
    const unsigned index = c & 0xFFFFFF;
    return index < kClassicColors.size() ? kClassicColors[index] : clBlack;
}

unsigned GfxColorToQRgb(TColor c)
{
    const TColor rgb = GfxColorToRGB(c);
    return 0xFF000000u | (GfxGetRValue(rgb) << 16) | (GfxGetGValue(rgb) << 8) | GfxGetBValue(rgb);
}

bool GfxPtInRect(const TRect& r, const TPoint& p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

void GfxOffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}

bool IsEmptyRect(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

QRect GfxToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect GfxFromQRect(const QRect& r)
{
    return TRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

namespace {

template <class F>
int RoundHalfEven(F x)
{
    if (std::isnan(x))
        return 0;
    F f = std::floor(x);
    const F diff = x - f;
    if (diff > F(0.5) || (diff == F(0.5) && std::fmod(f, F(2)) != 0))
        f += 1;
    if (f >= static_cast<F>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (f <= static_cast<F>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(f);
}

}  // namespace

int GfxRound(double x) { return RoundHalfEven(x); }

int GfxRoundExt(long double x) { return RoundHalfEven(x); }

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long num = static_cast<long long>(a) * b;
    long long q = num / c;
    const long long rem = num % c;
    // Halves and more go away from zero: compare twice the remainder with c.
    if (rem != 0 && 2 * std::llabs(rem) >= std::llabs(static_cast<long long>(c)))
        q += ((num < 0) != (c < 0)) ? -1 : 1;
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(q);
}

QEvent::Type GfxMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

std::intptr_t GfxSendMessage(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam,
                             std::intptr_t lParam)
{
    if (!receiver)
        return 0;
    GfxMessageEvent ev(TMessage{msg, wParam, lParam, 0});
    QCoreApplication::sendEvent(receiver, &ev);
    return ev.Message.Result;
}

std::intptr_t GfxPerform(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam,
                         std::intptr_t lParam)
{
    if (!receiver)
        return 0;
    GfxMessageEvent ev(TMessage{msg, wParam, lParam, 0});
    receiver->event(&ev);
    return ev.Message.Result;
}

void GfxPostMessage(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (!receiver)
        return;
    QCoreApplication::postEvent(receiver, new GfxMessageEvent(TMessage{msg, wParam, lParam, 0}));
}
