#include "gfx_graphiclabel.h"

#include "gfx_draw.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_exceptions.h"

#include <QFontMetrics>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using Tt = TGfxTransLabelTypes;
constexpr double Pi = std::numbers::pi;

TPoint Along(TPoint from, double degrees, double length)
{
    const double a = degrees * Pi / 180.0;
    return TPoint{from.X + GfxRound(std::cos(a) * length), from.Y + GfxRound(std::sin(a) * length)};
}

bool EqualCellApplies(const TGfxTextTransform& t)
{
    return (t.Attributes & taEqualLetters) && (t.Transform == Tt::tmWave || t.Transform == Tt::tmNone);
}

// The widest and the tallest single character in the canvas's font.
TGfxSize EqualCellOf(TGfxCanvas& canvas, const QString& text)
{
    TGfxSize cell;
    for (const QChar c : text) {
        const TGfxSize e = canvas.TextExtent(QString(c));
        cell.cx = std::max(cell.cx, e.cx);
        cell.cy = std::max(cell.cy, e.cy);
    }
    return cell;
}

// The line the characters stand on: its height across the baseline, and
// how far the baseline lies above its bottom.
struct TLineBox {
    int Height = 0;
    int Descent = 0;
};

// With the canvas's font set to the label's.
TLineBox LineBoxOf(TGfxCanvas& canvas, const QString& text, const TGfxFxCaption& fx, const TGfxTextTransform& t)
{
    const int textHeight = canvas.TextHeight(text);
    const int F = t.Factor;
    TLineBox box{textHeight, textHeight / 4};
    switch (t.Transform) {
    case Tt::tmWave: box.Height += GfxRound(F / 5.0); break;
    case Tt::tmHalfcircle:
    case Tt::tmArrow:
    case Tt::tmEnterprise:
    case Tt::tmLNoseUp:
    case Tt::tmLNoseDown:
    case Tt::tmRNoseUp:
    case Tt::tmRNoseDown:
    case Tt::tmHalfmoon: box.Height += GfxRound(F / 10.0); break;
    default: break;
    }
    if (t.Transform == Tt::tmWave || t.Transform == Tt::tmLNoseUp || t.Transform == Tt::tmRNoseUp ||
        t.Transform == Tt::tmHalfmoon)
        box.Descent += F / 10;
    if (t.Attributes & taPerspective) {
        box.Height += t.PerspectiveDepth;
        if (t.Perspective == tpBird)
            box.Descent += t.PerspectiveDepth;
    }
    const TGfxThreeDStyle style = fx.Style();
    if (style == tdSunkenShadow || style == tdRaisedShadow || style == tdShadow) {
        box.Height += fx.ShadowDepth();
        if (style == tdShadow)
            box.Descent += fx.ShadowDepth();
    }
    return box;
}

// The copies of a character in drawing order, as offsets from its point
// and colours: the perspective copies, the 3D copies of the style, and the
// character itself last.
struct TCharCopy {
    int Dx = 0;
    int Dy = 0;
    TColor Colour = clBlack;
};

std::vector<TCharCopy> CopiesOf(const TGfxFont& font, const TGfxFxCaption& fx, const TGfxTextTransform& t)
{
    std::vector<TCharCopy> out;
    if (t.Attributes & taPerspective)
        for (int k = 1; k <= t.PerspectiveDepth; ++k)
            out.push_back({0, t.Perspective == tpFrog ? -k : k, clBlack});
    const int d = fx.LightDepth();
    const int e = fx.ShadowDepth();
    switch (fx.Style()) {
    case tdSunken: out.push_back({d, d, fx.LightColor()}); break;
    case tdRaised: out.push_back({-d, -d, fx.LightColor()}); break;
    case tdSunkenShadow:
    case tdPColorSunken:
        out.push_back({-e - d, -e - d, fx.ShadowColor()});
        out.push_back({d, d, fx.LightColor()});
        break;
    case tdRaisedShadow:
    case tdPColorRaised:
        out.push_back({e - d, e - d, fx.ShadowColor()});
        out.push_back({-d, -d, fx.LightColor()});
        break;
    case tdShadow: out.push_back({e, e, fx.ShadowColor()}); break;
    default: break;
    }
    out.push_back({0, 0, font.Color()});
    return out;
}

// Hands over the corners of the cells of one placed character: for each of
// its copies, the character's advance along its own direction by the
// line's height across it, the baseline the line's descent above the
// bottom, each side grown to the character's ink where that reaches
// further. The canvas's font is the character's own.
void CellReach(TGfxCanvas& canvas, const TGfxCharPlacement& p, QChar ch, const TLineBox& line,
               const std::vector<TCharCopy>& copies, const std::function<void(double, double)>& take)
{
    const QRect ink = QFontMetrics(canvas.Font.ToQFont()).boundingRect(ch);
    const double back = std::min(0, ink.left());
    const double along = std::max(p.CellWidth, ink.right() + 1);
    const double above = std::max(line.Height - line.Descent, -ink.top());
    const double below = std::max(line.Descent, ink.bottom() + 1);
    const double turn = -p.Escapement / 10.0 * Pi / 180.0;
    const double ux = std::cos(turn), uy = std::sin(turn);  // along the character
    const double nx = uy, ny = -ux;                           // up from its baseline
    for (const TCharCopy& c : copies)
        for (const double a : {back, along})
            for (const double h : {above, -below})
                take(p.At.X + c.Dx + a * ux + h * nx, p.At.Y + c.Dy + a * uy + h * ny);
}

// Runs the characters of the text from the start point that places the
// transformed text in the rectangle; each is handed over with the canvas's
// font set to its own. The line the characters stand on is a box of the
// summed advances by the line's height, turned by the angle; it is placed
// with its leftmost corner at the rectangle's left and its lowest at the
// rectangle's bottom (only those two edges of the rectangle count), and
// its corners are given when asked for. Where a character's cells reach
// further left or down than the box (a turned letter at the line's far
// end, a shadow or perspective copy under a steep angle), the whole text
// moves in by that much, so that nothing is drawn outside those two edges.
void RunCharacters(TGfxCanvas& canvas, const TRect& rect, const TGfxFont& font, const TGfxFxCaption& fx,
                   const QString& original, const TGfxTextTransform& t,
                   const std::function<void(const TGfxCharPlacement&, QChar)>& each,
                   std::array<TPoint, 4>* corners = nullptr)
{
    const int n = static_cast<int>(original.size());
    QString text = original;
    if (t.InvertCaption)
        std::reverse(text.begin(), text.end());
    canvas.Font.Assign(font);
    canvas.SetTextAlign(TA_BASELINE);
    canvas.SetTextCharacterExtra(fx.Tracing());
    const TLineBox box = LineBoxOf(canvas, text, fx, t);
    const int H = box.Height;
    const int D = box.Descent;
    const double a = -fx.Angle();  // the baseline's direction on screen, in degrees
    TPoint start{rect.Left, rect.Bottom};
    const int e = fx.ShadowDepth();
    const TGfxThreeDStyle style = fx.Style();
    const bool shiftedShadow = style == tdSunkenShadow || style == tdRaisedShadow;
    if (shiftedShadow)
        start = Along(start, a, e);
    const TGfxSize equal = EqualCellOf(canvas, text);
    int W = 0;
    for (int i = 1; i <= n; ++i)
        W += GfxTransformCharPos(canvas, font, fx, t, text[i - 1], i, n, TPoint{}, equal).CellWidth;
    const TPoint c1 = Along(start, a, W);
    const TPoint c2 = Along(c1, a - 90, H);
    const TPoint c3 = Along(c2, a - 180, W);
    const TPoint c4 = Along(c3, a - 270, H);
    TPoint pen = Along(c4, a - 90, D);
    int minX = start.X, maxY = start.Y;
    for (const TPoint& c : {c1, c2, c3}) {
        minX = std::min(minX, c.X);
        maxY = std::max(maxY, c.Y);
    }
    TPoint moved{};  // what the placement adds to the start point
    if (minX < rect.Left)
        moved.X += rect.Left - minX;
    if (shiftedShadow) {
        const int hx = GfxRound(std::cos(a * Pi / 180.0) * e);
        if (rect.Left >= pen.X + moved.X - hx)
            moved.X += hx;
    }
    moved.Y += rect.Bottom - maxY;
    pen.X += moved.X;
    pen.Y += moved.Y;
    const double phi = a * Pi / 180.0;
    if (n >= 2) {
        const std::vector<TCharCopy> copies = CopiesOf(font, fx, t);
        int left = rect.Left, bottom = rect.Bottom;
        TPoint at = pen;
        for (int i = 1; i <= n; ++i) {
            const TGfxCharPlacement p = GfxTransformCharPos(canvas, font, fx, t, text[i - 1], i, n, at, equal);
            CellReach(canvas, p, text[i - 1], box, copies, [&](double x, double y) {
                left = std::min(left, static_cast<int>(std::floor(x)));
                bottom = std::max(bottom, static_cast<int>(std::ceil(y)));
            });
            at.X += GfxRound(std::cos(phi) * p.CellWidth);
            at.Y += GfxRound(std::sin(phi) * p.CellWidth);
        }
        moved.X += rect.Left - left;
        moved.Y += rect.Bottom - bottom;
        pen.X += rect.Left - left;
        pen.Y += rect.Bottom - bottom;
    }
    if (corners)
        *corners = {TPoint{start.X + moved.X, start.Y + moved.Y}, TPoint{c1.X + moved.X, c1.Y + moved.Y},
                    TPoint{c2.X + moved.X, c2.Y + moved.Y}, TPoint{c3.X + moved.X, c3.Y + moved.Y}};
    if (n < 2)
        return;  // the curves divide by the length less one
    for (int i = 1; i <= n; ++i) {
        const TGfxCharPlacement p = GfxTransformCharPos(canvas, font, fx, t, text[i - 1], i, n, pen, equal);
        each(p, text[i - 1]);
        pen.X += GfxRound(std::cos(phi) * p.CellWidth);
        pen.Y += GfxRound(std::sin(phi) * p.CellWidth);
    }
}

}  // namespace

TGfxCharPlacement GfxTransformCharPos(TGfxCanvas& Canvas, const TGfxFont& Font, const TGfxFxCaption& FontFX,
                                      const TGfxTextTransform& T, QChar Ch, int I, int N, TPoint Pen,
                                      TGfxSize EqualCell)
{
    Canvas.Font.Assign(Font);
    Canvas.Font.SetEscapement(0);
    const int S = Font.Size();
    const int m = S / 4;
    const double F = T.Factor;
    const int A = FontFX.Angle();
    const double theta = A * Pi / 180.0 + Pi / 2.0;
    const double psi = N > 1 ? Pi / (N - 1) * (I - 1) : 0.0;
    const double n = N;
    const int half = N / 2;
    TGfxCharPlacement p;
    p.At = Pen;
    p.Size = S;
    bool shift = false;
    // The curve offsets: sign 1 along the curve's side, -1 across it.
    auto curve = [&](double s, int sign) {
        p.At.X = Pen.X + sign * GfxRound(s * std::cos(theta) * F / 10.0);
        p.At.Y = Pen.Y - sign * GfxRound(s * std::sin(theta) * F / 10.0);
    };
    const double rising = (S - m) / n * I + m;        // smallest first
    const double falling = (S - m) / n * (n + 1 - I) + m;  // largest first
    const double enterprise = I <= half ? S / n * 2 * I : S / n * 2 * (N - I);
    switch (T.Transform) {
    case Tt::tmWave:
        p.Rotation = GfxRound(std::cos(static_cast<double>(I)) * F);
        curve(std::sin(static_cast<double>(I)), 1);
        break;
    case Tt::tmNone: break;
    case Tt::tmHalfcircle:
        p.Rotation = GfxRound(std::cos(psi) * 100);
        curve(std::sin(psi), 1);
        break;
    case Tt::tmEnterprise:
    case Tt::tmHalfmoon:
        // The last character's size would be 0: never below the smallest.
        p.Size = std::max(GfxRound(enterprise), m);
        p.Rotation = GfxRound(std::cos(psi) * 100);
        curve(std::sin(psi), T.Transform == Tt::tmHalfmoon ? -1 : 1);
        break;
    case Tt::tmArrow: p.At.Y = n / I > 2 ? Pen.Y - I * T.Factor : Pen.Y - (N - I) * T.Factor; break;
    case Tt::tmSpeaker:
        p.Size = GfxRound(falling);
        shift = true;
        break;
    case Tt::tmInvSpeaker:
        p.Size = GfxRound(rising);
        shift = true;
        break;
    case Tt::tmFly:
        p.Size = std::max(I <= half ? S - GfxRound(S / n * (I - 1)) : S - GfxRound(S / n * (N - I)), m);
        shift = true;
        break;
    case Tt::tmCube:
        p.Size = GfxRound(S / 3 + (S - S / 3.0) / (n / 2) * (I <= half ? I - 1 : N - I));
        shift = true;
        break;
    case Tt::tmChair:
        p.Size = 2 * GfxRound(I <= half ? (S - m) / (2 * n) * (n + 1 - I) + m : (S - m) / (2 * n) * I + m);
        break;
    case Tt::tmBuckled:
        p.Size = 2 * GfxRound(I <= half ? (S - m) / (2 * n) * I + m : (S - m) / (2 * n) * (n + 1 - I) + m);
        break;
    case Tt::tmStairs: p.Size = GfxRound(falling); break;
    case Tt::tmInvStairs: p.Size = GfxRound(rising); break;
    case Tt::tmLNoseUp:
    case Tt::tmRNoseUp:
        p.Size = GfxRound(T.Transform == Tt::tmLNoseUp ? rising : falling);
        p.Rotation = GfxRound(std::cos(psi) * 100);
        curve(std::sin(psi), -1);
        break;
    case Tt::tmLNoseDown:
    case Tt::tmRNoseDown:
        p.Size = GfxRound(T.Transform == Tt::tmLNoseDown ? rising : falling);
        p.Rotation = GfxRound(std::cos(psi) * 100);
        curve(std::sin(psi), 1);
        break;
    }
    if (shift) {
        // The smaller letter centred on the line.
        const int centre = (S - p.Size) / 2;
        p.At.X = Pen.X - GfxRound(std::cos(theta) * centre);
        p.At.Y = Pen.Y - GfxRound(std::sin(theta) * centre);
    }
    p.Escapement = 0;
    if (T.Attributes & taAutoToggled)
        p.Escapement = p.Rotation + A * 10;
    if (T.Attributes & taToggled)
        p.Escapement += T.Toggle * 10;
    Canvas.Font.SetSize(p.Size);
    Canvas.Font.SetEscapement(p.Escapement);
    const TGfxSize cell = EqualCellApplies(T) ? EqualCell : Canvas.TextExtent(QString(Ch));
    p.CellWidth = cell.cx;
    p.CellHeight = cell.cy;
    if (T.Attributes & taPerspective)
        p.CellWidth += T.PerspectiveDepth;
    if (p.Escapement != A * 10) {
        // A turned letter steps along the line by what its turn takes.
        const double delta = (p.Escapement - A * 10) / 10.0;
        const int k = std::abs(GfxRound(std::cos(delta * Pi / 180.0 + Pi / 2.0) * p.CellHeight / 2.5));
        const double phi = -(theta - Pi / 2.0);
        p.At.X += GfxRound(std::cos(phi) * k);
        p.At.Y += GfxRound(std::sin(phi) * k);
    }
    return p;
}

std::vector<TGfxCharPlacement> GfxTransformedLayout(TGfxCanvas& Canvas, const TRect& Rect, const TGfxFont& Font,
                                                    const TGfxFxCaption& FontFX, const QString& Text,
                                                    const TGfxTextTransform& T)
{
    std::vector<TGfxCharPlacement> out;
    RunCharacters(Canvas, Rect, Font, FontFX, Text, T, [&](const TGfxCharPlacement& p, QChar) { out.push_back(p); });
    return out;
}

void GfxDrawTransformedText(TGfxCanvas& Canvas, const TRect& Rect, const TGfxFont& Font, const TGfxFxCaption& FontFX,
                            const QString& Text, const TGfxTextTransform& T)
{
    const std::vector<TCharCopy> copies = CopiesOf(Font, FontFX, T);
    Canvas.Brush.SetStyle(bsClear);
    RunCharacters(Canvas, Rect, Font, FontFX, Text, T, [&](const TGfxCharPlacement& p, QChar ch) {
        for (const TCharCopy& c : copies) {
            Canvas.Font.SetColor(c.Colour);
            Canvas.ExtTextOut(p.At.X + c.Dx, p.At.Y + c.Dy, 0, nullptr, QString(ch));
        }
    });
    Canvas.Font.Assign(Font);
    Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    Canvas.SetTextCharacterExtra(0);
}

TRect GfxTransformTextExtent(const TGfxFont& Font, const TGfxFxCaption& FontFX, const QString& Text,
                             const TGfxTextTransform& T)
{
    // The text is laid out as it is drawn, into a rectangle whose left and
    // bottom edges are at 0: the placement depends only on those. The
    // extent reaches from there to the far right and top of the line's box
    // and of every character's cells (and those of its 3D and perspective
    // copies). So an angled baseline's rise counts from the starting line,
    // as do the curves' offsets and the letters' turns.
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    canvas.Font.Assign(Font);
    const TLineBox line = LineBoxOf(canvas, Text, FontFX, T);
    const std::vector<TCharCopy> copies = CopiesOf(Font, FontFX, T);
    int right = 0, top = 0;
    auto take = [&](double x, double y) {
        right = std::max(right, static_cast<int>(std::ceil(x)));
        top = std::min(top, static_cast<int>(std::floor(y)));
    };
    std::array<TPoint, 4> corners{};
    RunCharacters(
        canvas, TRect{}, Font, FontFX, Text, T,
        [&](const TGfxCharPlacement& p, QChar ch) { CellReach(canvas, p, ch, line, copies, take); }, &corners);
    for (const TPoint& c : corners)
        take(c.X, c.Y);
    return TRect{0, 0, right, -top};
}

// --------------------------------------------------- TGfxCustomGraphicLabel
TGfxCustomGraphicLabel::TGfxCustomGraphicLabel(QWidget* AParent)
    : TGfxGraphicControl(AParent), fontFX_(std::make_unique<TGfxFxCaption>()),
      fill_(std::make_unique<TGfxFillObject>())
{
    InitOpaque();
    fontFX_->OnChange = [this](TObject*) { RepaintRequest(); };
    fill_->OnChange = [this](TObject*) { RepaintRequest(); };
    // Painting stays off while the font is set.
    Font().SetName(QStringLiteral("Arial"));
    Font().SetSize(24);
    constructing_ = false;
}

TGfxCustomGraphicLabel::~TGfxCustomGraphicLabel()
{
    Destroying();
    fontFX_->OnChange = nullptr;
    fill_->OnChange = nullptr;
}

void TGfxCustomGraphicLabel::SetToggle(int Value)
{
    const auto v = static_cast<TGfxToggle>(std::clamp(Value, -180, 180));
    if (toggle_ == v)
        return;
    toggle_ = v;
    if (attributes_ & taToggled)
        RepaintRequest();
}

void TGfxCustomGraphicLabel::SetIndexValue(int Index, int Value)
{
    if (Index == 2) {
        SetProp(factor_, Value);
        return;
    }
    // An unbounded depth would draw that many copies of every letter.
    const int depth = std::clamp(Value, 0, MaxPerspectiveDepth);
    if (perspectiveDepth_ == depth)
        return;
    perspectiveDepth_ = depth;
    if (attributes_ & taPerspective)
        RepaintRequest();
}

TGfxTextTransform TGfxCustomGraphicLabel::TextTransform() const
{
    TGfxTextTransform t;
    t.Transform = transform_;
    t.Toggle = toggle_;
    t.Factor = factor_;
    t.InvertCaption = InvertCaption();
    t.Perspective = perspective_;
    t.PerspectiveDepth = perspectiveDepth_;
    t.Attributes = attributes_;
    return t;
}

void TGfxCustomGraphicLabel::Assign(const TObject* Source)
{
    const auto* src = dynamic_cast<const TGfxCustomGraphicLabel*>(Source);
    if (!src)
        GfxAssignError(Source, this);
    if (src == this)
        return;
    constructing_ = true;  // one repaint, at the end
    flags_[0] = false;
    fontFX_->Assign(src->fontFX_.get());
    Font().Assign(src->Font());
    fill_->Assign(src->fill_.get());
    attributes_ = src->attributes_;
    perspective_ = src->perspective_;
    transform_ = src->transform_;
    perspectiveDepth_ = src->perspectiveDepth_;
    toggle_ = src->toggle_;
    factor_ = src->factor_;
    flags_[0] = src->flags_[0];
    constructing_ = false;
    RepaintRequest();
}

void TGfxCustomGraphicLabel::RepaintRequest()
{
    if (constructing_ || IsDestroying())
        return;
    if (!IsLoading() && parentWidget() && AutoSize()) {
        const TRect extent = GfxTransformTextExtent(Font(), *fontFX_, GetLabelText(), TextTransform());
        SetBounds(Left(), Top(), extent.Width() + BevelExtent(), extent.Height() + BevelExtent());
    }
    TGfxGraphicControl::RepaintRequest();
}

void TGfxCustomGraphicLabel::ImageListChanged(TObject* Sender)
{
    TakeListBitmap(*fill_);
    if (!IsLoading())
        TGfxGraphicControl::ImageListChanged(Sender);
}

void TGfxCustomGraphicLabel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_FONTCHANGED:
        TGfxGraphicControl::WndProc(Message);
        RepaintRequest();
        break;
    case CM_TEXTCHANGED: RepaintRequest(); break;
    default: TGfxGraphicControl::WndProc(Message); break;
    }
}

void TGfxCustomGraphicLabel::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || constructing_ || IsLoading())
        return;
    if (!Transparent())
        FillBackground();
    const TRect textRect = Bevel().Paint(*canvas, ClientRect(), Transparent() || Bevel().BorderColor() == Color());
    const QString text = GetLabelText();
    const TGfxTextTransform t = TextTransform();
    if (fill_->IsEmpty()) {
        canvas->Font.Assign(Font());
        GfxDrawTransformedText(*canvas, textRect, Font(), *fontFX_, text, t);
        return;
    }
    const int w = textRect.Width(), h = textRect.Height();
    if (w <= 0 || h <= 0)
        return;
    const TRect area{0, 0, w, h};
    // The letters in the font colour on the mask's background; the fill
    // shows only where the mask holds the font colour.
    TGfxBitmap letters(w, h, pf32bit);
    GfxFillBitmapRect(letters, area, brushBackColor_);
    GfxDrawTransformedText(letters.Canvas(), area, Font(), *fontFX_, text, t);
    TGfxBitmap filled(w, h, pf32bit);
    fill_->FillRect(filled.Canvas(), area, fill_->Style() == sfBrush ? brushBackColor_ : Font().Color());
    TGfxBitmap mask(w, h, pf1bit);
    TGfxBitmap image(w, h, pf32bit);
    const TColor ink = GfxColorToRGB(Font().Color());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* l = letters.ScanLine(y);
        const std::uint8_t* f = filled.ScanLine(y);
        std::uint8_t* m = mask.ScanLine(y);
        std::uint8_t* out = image.ScanLine(y);
        std::fill(m, m + (w + 7) / 8, std::uint8_t{0});
        for (int x = 0; x < w; ++x) {
            const TColor c = GfxRGB(l[4 * x + 2], l[4 * x + 1], l[4 * x]);
            const bool inkHere = c == ink;
            if (!inkHere)
                m[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));  // white: the canvas stays
            for (int k = 0; k < 4; ++k)
                out[4 * x + k] = inkHere ? f[4 * x + k] : 0;
        }
    }
    TRect drawn;
    GfxDrawBitmapEx(*canvas, textRect, &image.Canvas(), drawn, &mask, nullptr, clNone, gdbMasked, area);
}
