#include "gfx_led.h"

#include <algorithm>
#include <span>

namespace {

std::array<TPoint, 6> HorizontalBar(int x, int y, int length, int w)
{
    return {{{x, y + w},
             {x + w, y},
             {x + length + w, y},
             {x + length + 2 * w, y + w},
             {x + length + w, y + 2 * w},
             {x + w, y + 2 * w}}};
}

std::array<TPoint, 6> VerticalBar(int x, int y, int length, int w)
{
    return {{{x + w, y},
             {x + 2 * w, y + w},
             {x + 2 * w, y + w + length},
             {x + w, y + 2 * w + length},
             {x, y + w + length},
             {x, y + w}}};
}

// A diagonal without extent along either axis has no area: it is empty.
TGfxLEDPolygon Diagonal(int x, int y, int dx, int dy, int t)
{
    TGfxLEDPolygon p;
    if (dx == 0 || dy == 0) {
        p.Empty = true;
        return p;
    }
    const int ox = GfxRound((dx > 0 ? 1 : -1) * t / 2.0);
    const int oy = GfxRound((dy > 0 ? 1 : -1) * t / 2.0);
    p.Points = {{{x, y}, {x + ox, y}, {x + dx, y + dy - oy}, {x + dx, y + dy}, {x + dx - ox, y + dy}, {x, y + oy}}};
    return p;
}

std::array<TPoint, 6> Dot(int x, int y, int s)
{
    return {{{x + s, y - 1}, {x + s, y + s - 1}, {x, y + s - 1}, {x, y - 1}, {x, y - 1}, {x, y - 1}}};
}

TGfxLEDPolygon Filled(const std::array<TPoint, 6>& points)
{
    TGfxLEDPolygon p;
    p.Points = points;
    return p;
}

// The 8 x 8 checker that shows unlit segments: the cell background where x
// and y differ in parity, the inactive colour elsewhere. One bitmap serves
// every display; it is repainted only for another pair of colours.
const TGfxBitmap& UnlitPattern(TColor background, TColor inactive)
{
    static TGfxBitmap pattern(8, 8, pf32bit);
    static TColor madeFor[2] = {GfxInvalidColor, GfxInvalidColor};
    if (madeFor[0] != background || madeFor[1] != inactive) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.Canvas().SetPixel(x, y, (x % 2) != (y % 2) ? background : inactive);
        pattern.Canvas().Release();
        madeFor[0] = background;
        madeFor[1] = inactive;
    }
    return pattern;
}

void FillPolygon(TGfxCanvas& canvas, const TGfxLEDPolygon& p, int dx, int dy)
{
    if (p.Empty)
        return;
    std::array<TPoint, 6> moved = p.Points;
    for (TPoint& q : moved) {
        q.X += dx;
        q.Y += dy;
    }
    canvas.Polygon(std::span<const TPoint>(moved));
}

}  // namespace

std::uint16_t GfxLEDSegmentMask(QChar c)
{
    // Only the table's own letters fold to their capitals: a full Unicode
    // upper-casing would light 'ı' as I and 'ſ' as S, which have no picture.
    char16_t u = c.unicode();
    if (u >= 'a' && u <= 'z')
        u = static_cast<char16_t>(u - 'a' + 'A');
    switch (u) {
    case '"': return 0x0082;
    case '\'': return 0x0080;
    case '(': case '<': return 0x1400;
    case ')': case '>': return 0x0A00;
    case '*': return 0x1F80;
    case '+': return 0x0188;
    case '-': return 0x0008;
    case '.': return 0x8000;
    case '/': return 0x0C00;
    case '0': return 0x1277;
    case '2': return 0x005D;
    case '3': return 0x006D;
    case '4': return 0x002E;
    case '5': case 'S': return 0x006B;
    case '7': return 0x0025;
    case '8': return 0x007F;
    case '9': return 0x006F;
    case ':': return 0xA000;
    case '=': return 0x0048;
    case '\\': return 0x1200;
    case ']': return 0x0065;
    case '_': return 0x0040;
    case 'A': return 0x003F;
    case 'B': return 0x01ED;
    case 'C': case '[': return 0x0053;
    case 'D': return 0x01E5;
    case 'E': return 0x005B;
    case 'F': return 0x001B;
    case 'G': case '6': return 0x007B;
    case 'H': return 0x003E;
    case 'I': case '1': return 0x0180;
    case 'J': return 0x0074;
    case 'K': return 0x141A;
    case 'L': return 0x0052;
    case 'M': return 0x0636;
    case 'N': return 0x1236;
    case 'O': return 0x0077;
    case 'P': return 0x001F;
    case 'Q': return 0x1077;
    case 'R': return 0x101F;
    case 'T': return 0x0181;
    case 'U': return 0x0076;
    case 'V': return 0x0C12;
    case 'W': return 0x1836;
    case 'X': return 0x1E00;
    case 'Y': return 0x0700;
    case 'Z': return 0x0C41;
    default: return 0;
    }
}

TGfxLEDGeometry GfxLEDSegments(int t, int h, int v)
{
    const int w = t / 2;
    const int c = (4 * t + h) / 2;
    const int right = c + GfxRound(1.5 * t);
    TGfxLEDGeometry g;
    g[lsgTop] = Filled(HorizontalBar(2 * t, t, h, w));
    g[lsgUpperLeft] = Filled(VerticalBar(t, 2 * t, v, w));
    g[lsgUpperRight] = Filled(VerticalBar(3 * t + h, 2 * t, v, w));
    g[lsgMiddle] = Filled(HorizontalBar(2 * t, 3 * t + v, h, w));
    g[lsgLowerLeft] = Filled(VerticalBar(t, 4 * t + v, v, w));
    g[lsgLowerRight] = Filled(VerticalBar(3 * t + h, 4 * t + v, v, w));
    g[lsgBottom] = Filled(HorizontalBar(2 * t, 5 * t + 2 * v, h, w));
    g[lsgUpperCentre] = Filled(VerticalBar(c, 2 * t, v, w));
    g[lsgLowerCentre] = Filled(VerticalBar(c, 4 * t + v, v, w));
    g[lsgUpperLeftDiagonal] = Diagonal(c - w, 2 * t + v, t - h / 2, t - v, t);
    g[lsgUpperRightDiagonal] = Diagonal(right, 2 * t + v, h / 2 - t, t - v, t);
    g[lsgLowerLeftDiagonal] = Diagonal(c - w, 5 * t + v, t - h / 2, v - t, t);
    g[lsgLowerRightDiagonal] = Diagonal(right, 5 * t + v, h / 2 - t, v - t, t);
    g[lsgCentreDot] = Filled(Dot(c - 1, 3 * t + v, t));
    g[lsgTopDot] = Filled(Dot(c - 1, t, t));
    g[lsgBottomDot] = Filled(Dot(c - 1, 5 * t + 2 * v, t));
    return g;
}

// ------------------------------------------------------------------ TGfxLED
TGfxLED::TGfxLED() : cell_(std::make_unique<TGfxBitmap>())
{
    geometry_ = GfxLEDSegments(Thickness(), Horzsize(), Vertsize());
}

TGfxLED::~TGfxLED() = default;

void TGfxLED::SetColor(int Index, TColor Value)
{
    if (Index < 0 || Index > 2 || colors_[Index] == Value)
        return;
    colors_[Index] = Value;
    Rebuild();
    DoChange();
}

void TGfxLED::SetSize(int Index, std::uint8_t Value)
{
    if (Index < 1 || Index > 3 || sizes_[Index - 1] == Value)
        return;
    sizes_[Index - 1] = Value;
    Rebuild();
    DoChange();
}

void TGfxLED::StopFlash()
{
    flashing_ = false;
    DoChange();
}

void TGfxLED::Rebuild()
{
    geometry_ = GfxLEDSegments(Thickness(), Horzsize(), Vertsize());
    cell_->SetPixelFormat(pf32bit);
    cell_->SetSize(CellWidth(), CellHeight());
    if (cell_->Empty())
        return;
    TGfxCanvas& c = cell_->Canvas();
    c.Brush.SetBitmap(nullptr);
    c.Brush.SetStyle(bsSolid);
    c.Brush.SetColor(CellColor());
    c.FillRect(TRect{0, 0, CellWidth(), CellHeight()});
    c.Pen.SetStyle(psClear);
    c.Brush.SetBitmap(&UnlitPattern(CellColor(), InActiveColor()));
    for (const TGfxLEDPolygon& p : geometry_)
        FillPolygon(c, p, 0, 0);
    c.Brush.SetBitmap(nullptr);
    c.Release();
}

void TGfxLED::DrawText(TGfxCanvas& Canvas, const TRect& Rect, const QString& Text, bool Paint, bool Enabled)
{
    text_ = Text;
    lineCount_ = 1;
    colCount_ = 1;
    int column = 0;
    int y = Rect.Top;
    const int lit = Vertsize() > 3 && Horzsize() > 3 ? GfxLEDSegmentCount : lsgBottom + 1;
    const bool showLit = !disabledDigits_ || Enabled;
    if (Paint) {
        Canvas.Pen.SetStyle(psSolid);
        Canvas.Pen.SetMode(pmCopy);
        Canvas.Pen.SetWidth(1);
        Canvas.Pen.SetColor(ActiveColor());
        Canvas.Brush.SetBitmap(nullptr);
        Canvas.Brush.SetStyle(bsSolid);
        Canvas.Brush.SetColor(ActiveColor());
    }
    for (const QChar ch : Text) {
        if (ch.unicode() == 13) {
            ++lineCount_;
            y = Rect.Top + (lineCount_ - 1) * CellHeight();
            column = 0;
            continue;
        }
        if (ch.unicode() < 32)
            continue;
        if (Paint) {
            if (cell_->Empty())
                Rebuild();
            const int x = Rect.Left + column * CellWidth();
            Canvas.Draw(x, y, *cell_);
            if (showLit) {
                const std::uint16_t mask = flashing_ && !flashPhase_ ? 0 : GfxLEDSegmentMask(ch);
                for (int s = 0; s < lit; ++s)
                    if (mask & (1u << s))
                        FillPolygon(Canvas, geometry_[size_t(s)], x, y);
            }
        }
        ++column;
        colCount_ = std::max(colCount_, column);
    }
    if (flashing_)
        flashPhase_ = !flashPhase_;
}

void TGfxLED::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxLED*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    std::copy(std::begin(src->sizes_), std::end(src->sizes_), std::begin(sizes_));
    disabledDigits_ = src->disabledDigits_;
    colors_[0] = src->colors_[0];
    colors_[1] = src->colors_[1];
    Rebuild();
    DoChange();
}
