#pragma once
// The library's platform conventions, in one place: colours, rectangles,
// rounding and window messages. The control library was written against a
// desktop platform with 32-bit colour values, half-open rectangles, banker's
// rounding and numbered window messages; these small types keep those
// conventions so that the library code reads the same on Qt.

#include <QEvent>
#include <QRect>

#include <cstdint>

// ---------------------------------------------------------------- colours
// A colour is 0x00BBGGRR. A value whose high byte is 0xFF names a system
// colour: its low byte indexes the fixed table of classic colours below.
// Resolve with GfxColorToRGB before any arithmetic on the components.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
// "No colour": a colour value that names nothing; its low 24 bits are white.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor GfxSystemColor(unsigned index) { return 0xFF000000u | index; }
constexpr TColor clScrollBar = GfxSystemColor(0);
constexpr TColor clBackground = GfxSystemColor(1);
constexpr TColor clActiveCaption = GfxSystemColor(2);
constexpr TColor clInactiveCaption = GfxSystemColor(3);
constexpr TColor clMenu = GfxSystemColor(4);
constexpr TColor clWindow = GfxSystemColor(5);
constexpr TColor clWindowFrame = GfxSystemColor(6);
constexpr TColor clMenuText = GfxSystemColor(7);
constexpr TColor clWindowText = GfxSystemColor(8);
constexpr TColor clCaptionText = GfxSystemColor(9);
constexpr TColor clActiveBorder = GfxSystemColor(10);
constexpr TColor clInactiveBorder = GfxSystemColor(11);
constexpr TColor clAppWorkSpace = GfxSystemColor(12);
constexpr TColor clHighlight = GfxSystemColor(13);
constexpr TColor clHighlightText = GfxSystemColor(14);
constexpr TColor clBtnFace = GfxSystemColor(15);
constexpr TColor clBtnShadow = GfxSystemColor(16);
constexpr TColor clGrayText = GfxSystemColor(17);
constexpr TColor clBtnText = GfxSystemColor(18);
constexpr TColor clInactiveCaptionText = GfxSystemColor(19);
constexpr TColor clBtnHighlight = GfxSystemColor(20);
constexpr TColor cl3DDkShadow = GfxSystemColor(21);
constexpr TColor cl3DLight = GfxSystemColor(22);
constexpr TColor clInfoText = GfxSystemColor(23);
constexpr TColor clInfoBk = GfxSystemColor(24);
constexpr TColor clHotLight = GfxSystemColor(26);
constexpr TColor clGradientActiveCaption = GfxSystemColor(27);
constexpr TColor clGradientInactiveCaption = GfxSystemColor(28);
constexpr TColor clMenuHighlight = GfxSystemColor(29);
constexpr TColor clMenuBar = GfxSystemColor(30);
constexpr unsigned GfxSystemColorCount = 31;

constexpr bool GfxIsSystemColor(TColor c) { return (c >> 24) == 0xFF; }
constexpr TColor GfxRGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned GfxGetRValue(TColor c) { return c & 0xFF; }
constexpr unsigned GfxGetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned GfxGetBValue(TColor c) { return (c >> 16) & 0xFF; }

// A system colour becomes its classic RGB value (an index past the table gives
// black); any other value is returned unchanged.
TColor GfxColorToRGB(TColor c);
// The colour as a Qt pixel value (opaque), from its low 24 bits after
// resolving a system colour.
unsigned GfxColorToQRgb(TColor c);
// A Qt pixel value as a colour (0x00BBGGRR); alpha is dropped.
constexpr TColor GfxColorFromQRgb(unsigned rgb)
{
    return GfxRGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// ------------------------------------------------------------- geometry
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Half-open: Right and Bottom lie just outside the rectangle, so
// width = Right - Left and a point on the right or bottom edge is outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect GfxRect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
bool GfxPtInRect(const TRect& r, const TPoint& p);
void GfxOffsetRect(TRect& r, int dx, int dy);
// Grows the rectangle by dx on the left and right and dy at the top and
// bottom (shrinks it for negative values).
void InflateRect(TRect& r, int dx, int dy);
// No width or no height.
bool IsEmptyRect(const TRect& r);
QRect GfxToQRect(const TRect& r);    // same cells: QRect(Left, Top, Width, Height)
TRect GfxFromQRect(const QRect& r);

// Shapes cover a pixel when the pixel's top-left point lies inside them (so
// a polygon's right and bottom edges stay out). Qt samples pixel centres;
// moving a shape by this much before Qt fills it gives the platform's
// pixels, with ties on integer edges going to the top-left (the value is
// exact in Qt's 1/64 fixed point).
constexpr double GfxFillShift = 31.0 / 64.0;

// --------------------------------------------------------------- rounding
// Round to nearest, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), whatever the floating-point rounding mode. Values outside the
// 32-bit range saturate; NaN gives 0.
int GfxRound(double x);
// The same in extended precision, for arithmetic done in long double: the
// value is never rounded through double first (which could turn 31.4999...
// into 31.5 and so round twice).
int GfxRoundExt(long double x);
// a * b / c with a 64-bit intermediate, rounded to nearest with halves away
// from zero; -1 when c is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// --------------------------------------------------------------- messages
// The numbered messages of the library's windows. They travel as a
// GfxMessageEvent through Qt's ordinary event delivery; the receiver writes
// its answer into Result.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_MOVE = 0x0003;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr std::uint32_t WM_NCHITTEST = 0x0084;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_THEMECHANGED = 0x031A;

// The control notifications of the platform's control classes.
constexpr std::uint32_t CM_BASE = 0xB000;
// An accelerator key (WParam: the character) offered to a control.
constexpr std::uint32_t CM_DIALOGCHAR = CM_BASE + 6;
constexpr std::uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr std::uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr std::uint32_t CM_COLORCHANGED = CM_BASE + 13;
constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 14;
constexpr std::uint32_t CM_CTL3DCHANGED = CM_BASE + 16;
constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;  // 0xB013
constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;  // 0xB014
constexpr std::uint32_t CM_ENTER = CM_BASE + 26;
constexpr std::uint32_t CM_EXIT = CM_BASE + 27;

class GfxMessageEvent : public QEvent {
public:
    explicit GfxMessageEvent(const TMessage& m) : QEvent(EventType()), Message(m) {}
    static QEvent::Type EventType();
    TMessage Message;
};

// Sends the message synchronously to the receiver (through its event
// filters) and returns its Result; 0 for no receiver.
std::intptr_t GfxSendMessage(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam = 0,
                             std::intptr_t lParam = 0);
// Hands the message straight to the receiver's own handling, past its event
// filters (and so past any window-procedure hook); returns its Result.
std::intptr_t GfxPerform(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam = 0,
                         std::intptr_t lParam = 0);
// Queues the message for the receiver: it arrives, through the receiver's
// event filters, once control returns to the event loop, after what was
// queued before it. A receiver that is destroyed first never gets it.
void GfxPostMessage(QObject* receiver, std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
