// The graphic label: the eighteen text transforms as character positions
// and sizes, the letters' turns, the mended sizes and depth, the fill shown
// only through the letters, what repaints, the extent and what it tells
// assistive tools.
#include "control_helpers.h"
#include "gfx_graphiclabel.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <QAccessible>

using namespace controltest;
using Tt = TGfxTransLabelTypes;

namespace {

class CountingLabel : public TGfxGraphicLabel {
public:
    using TGfxGraphicLabel::TGfxGraphicLabel;
    int repaints = 0;
    void RepaintRequest() override
    {
        ++repaints;
        TGfxGraphicLabel::RepaintRequest();
    }
};

// A white form with an opaque label of 200 x 40 at (10, 10) in a big bold
// type, plain (no transform, no turn).
struct LabelForm {
    LabelForm()
    {
        form.setAutoFillBackground(true);
        QPalette p = form.palette();
        p.setColor(QPalette::Window, Qt::white);
        form.setPalette(p);
        label = new CountingLabel(&form);
        label->SetBounds(10, 10, 200, 40);
        label->Font().SetName(QStringLiteral("DejaVu Sans"));
        label->Font().SetHeight(-24);
        label->Font().SetStyle(fsBold);
        label->Font().SetColor(clBlack);
        label->SetTransform(Tt::tmNone);
        label->SetAttributes(0);
        Show(form, 240, 70);
    }
    QImage Shown()
    {
        QApplication::processEvents();
        return form.grab().toImage().copy(10, 10, 200, 40);
    }
    QWidget form;
    CountingLabel* label = nullptr;
};

std::vector<TPoint> Pixels(const QImage& image, TColor colour)
{
    std::vector<TPoint> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (painttest::At(image, x, y) == colour)
                out.push_back(TPoint{x, y});
    return out;
}

// The black pixels of the picture.
int Black(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            n += (line[x] & 0xFFFFFF) == 0;
    }
    return n;
}

}  // namespace

// Four characters at 20 points, Factor 10, no turns, each at the pen point
// (100, 50): the size and the point of each.
TEST(TransformedText, EighteenTransformsAtOneSize)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    TGfxFont font;
    font.SetSize(20);
    const TGfxFxCaption fx;
    const struct {
        Tt transform;
        std::array<int, 4> sizes;
        std::array<int, 4> ys;  // x stays 100
    } cases[] = {
        {Tt::tmWave, {20, 20, 20, 20}, {49, 49, 50, 51}},
        {Tt::tmNone, {20, 20, 20, 20}, {50, 50, 50, 50}},
        {Tt::tmHalfcircle, {20, 20, 20, 20}, {50, 49, 49, 50}},
        {Tt::tmArrow, {20, 20, 20, 20}, {40, 30, 40, 50}},
        {Tt::tmSpeaker, {20, 16, 12, 9}, {50, 48, 46, 45}},
        {Tt::tmInvSpeaker, {9, 12, 16, 20}, {45, 46, 48, 50}},
        {Tt::tmFly, {20, 15, 15, 20}, {50, 48, 48, 50}},
        {Tt::tmChair, {24, 22, 22, 24}, {50, 50, 50, 50}},
        {Tt::tmStairs, {20, 16, 12, 9}, {50, 50, 50, 50}},
        {Tt::tmInvStairs, {9, 12, 16, 20}, {50, 50, 50, 50}},
        {Tt::tmBuckled, {14, 18, 18, 14}, {50, 50, 50, 50}},
        // The last character is never smaller than a quarter of the size.
        {Tt::tmEnterprise, {10, 20, 10, 5}, {50, 49, 49, 50}},
        {Tt::tmLNoseUp, {9, 12, 16, 20}, {50, 51, 51, 50}},
        {Tt::tmLNoseDown, {9, 12, 16, 20}, {50, 49, 49, 50}},
        {Tt::tmRNoseUp, {20, 16, 12, 9}, {50, 51, 51, 50}},
        {Tt::tmRNoseDown, {20, 16, 12, 9}, {50, 49, 49, 50}},
        {Tt::tmCube, {6, 13, 13, 6}, {43, 47, 47, 43}},
        {Tt::tmHalfmoon, {10, 20, 10, 5}, {50, 51, 51, 50}},
    };
    ASSERT_EQ(std::size(cases), size_t(GfxTransLabelTypeCount));
    for (const auto& c : cases) {
        TGfxTextTransform t;
        t.Transform = c.transform;
        t.Factor = 10;
        t.Attributes = 0;
        for (int i = 1; i <= 4; ++i) {
            const TGfxCharPlacement p = GfxTransformCharPos(canvas, font, fx, t, QLatin1Char('A'), i, 4, {100, 50}, {});
            EXPECT_EQ(p.Size, c.sizes[size_t(i - 1)]) << int(c.transform) << " character " << i;
            EXPECT_EQ(p.At, (TPoint{100, c.ys[size_t(i - 1)]})) << int(c.transform) << " character " << i;
            EXPECT_EQ(p.Escapement, 0);
            EXPECT_EQ(canvas.Font.Size(), p.Size) << "the canvas takes the character's font";
        }
    }
}

// The letters' turns: the transform's own with taAutoToggled (plus the
// baseline angle), Toggle more with taToggled; a turned letter steps along
// the line by a part of its height.
TEST(TransformedText, TurnsOfTheLetters)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    TGfxFont font;
    font.SetSize(20);
    TGfxFxCaption fx;
    TGfxTextTransform t;
    t.Factor = 10;
    auto turns = [&] {
        std::array<int, 4> out{};
        for (int i = 1; i <= 4; ++i)
            out[size_t(i - 1)] = GfxTransformCharPos(canvas, font, fx, t, QLatin1Char('A'), i, 4, {}, {}).Escapement;
        return out;
    };
    t.Transform = Tt::tmWave;
    t.Attributes = taAutoToggled;  // round(cos(i) * Factor) tenths of a degree
    EXPECT_EQ(turns(), (std::array{5, -4, -10, -7}));
    t.Transform = Tt::tmHalfcircle;
    EXPECT_EQ(turns(), (std::array{100, 50, -50, -100}));
    t.Toggle = 30;
    t.Attributes = taAutoToggled | taToggled;
    EXPECT_EQ(turns(), (std::array{400, 350, 250, 200}));
    t.Attributes = taToggled;
    EXPECT_EQ(turns(), (std::array{300, 300, 300, 300}));
    t.Attributes = 0;
    EXPECT_EQ(turns(), (std::array{0, 0, 0, 0}));
    fx.SetAngle(15);
    t.Transform = Tt::tmNone;
    t.Attributes = taAutoToggled;
    EXPECT_EQ(turns(), (std::array{150, 150, 150, 150}));

    // 10 degrees more than the baseline: a step of |sin 10 * height / 2.5|.
    fx.SetAngle(0);
    t.Transform = Tt::tmHalfcircle;
    t.Toggle = 0;
    const TGfxCharPlacement first = GfxTransformCharPos(canvas, font, fx, t, QLatin1Char('A'), 1, 4, {100, 50}, {});
    EXPECT_EQ(first.At.X, 100 + GfxRound(std::sin(10 * std::numbers::pi / 180) * first.CellHeight / 2.5));
    EXPECT_GT(first.At.X, 100);
}

// Default attributes and tmWave along a whole text: each letter tilted by
// round(cos(i) * Factor) tenths of a degree; InvertCaption takes the
// letters last to first with the same per-position sizes and places.
TEST(TransformedText, LayoutOfAText)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    TGfxFont font;
    font.SetSize(18);
    const TGfxFxCaption fx;
    TGfxTextTransform wave;  // tmWave, Factor 5, taAutoToggled
    const auto placed = GfxTransformedLayout(canvas, {0, 0, 300, 60}, font, fx, QStringLiteral("Wave"), wave);
    ASSERT_EQ(placed.size(), 4u);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(placed[size_t(i - 1)].Escapement, GfxRound(std::cos(double(i)) * 5)) << i;
    EXPECT_LT(placed[0].At.X, placed[1].At.X);

    TGfxTextTransform speaker;
    speaker.Transform = Tt::tmSpeaker;
    speaker.InvertCaption = true;
    auto inverted = GfxTransformedLayout(canvas, {0, 0, 300, 60}, font, fx, QStringLiteral("mmi"), speaker);
    speaker.InvertCaption = false;
    auto reversed = GfxTransformedLayout(canvas, {0, 0, 300, 60}, font, fx, QStringLiteral("imm"), speaker);
    ASSERT_EQ(inverted.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(inverted[i].At, reversed[i].At) << i;
        EXPECT_EQ(inverted[i].Size, reversed[i].Size) << i;
    }
    EXPECT_GT(inverted[0].Size, inverted[2].Size) << "the speaker shrinks along the line";
    // Fewer than two characters: nothing.
    EXPECT_TRUE(GfxTransformedLayout(canvas, {0, 0, 300, 60}, font, fx, QStringLiteral("W"), wave).empty());
}

// A one-character caption draws nothing; two characters draw.
TEST(GraphicLabel, OneCharacterDrawsNothing)
{
    LabelForm f;
    f.label->SetCaption(QStringLiteral("W"));
    EXPECT_EQ(painttest::InkBounds(f.Shown()), TRect{});
    f.label->SetCaption(QStringLiteral("WW"));
    const TRect ink = painttest::BoundsOf(f.Shown(), clBlack);
    EXPECT_NE(ink, TRect{});
    EXPECT_GE(ink.Left, 0);
    EXPECT_LE(ink.Bottom, 40);
}

// A gradient fill shows exactly where the letters are; a brush fill has
// BrushBackColor between its hatch lines.
TEST(GraphicLabel, FillShowsOnlyThroughTheLetters)
{
    LabelForm f;
    f.label->SetCaption(QStringLiteral("HHH"));
    const auto letters = Pixels(f.Shown(), clBlack);
    ASSERT_GT(letters.size(), 100u);
    f.label->FillObject().SetStyle(sfGradient);
    f.label->FillObject().Gradient().SetColor(clRed);
    f.label->FillObject().Gradient().SetEndColor(clRed);
    QImage shown = f.Shown();
    EXPECT_EQ(Pixels(shown, clRed), letters);
    EXPECT_TRUE(Pixels(shown, clBlack).empty());

    f.label->FillObject().SetStyle(sfBrush);
    f.label->FillObject().Brush().SetStyle(bsCross);
    f.label->FillObject().Brush().SetColor(clBlue);
    f.label->SetBrushBackColor(GfxRGB(255, 255, 0));
    shown = f.Shown();
    const auto blue = Pixels(shown, clBlue);
    const auto yellow = Pixels(shown, GfxRGB(255, 255, 0));
    EXPECT_FALSE(blue.empty());
    EXPECT_FALSE(yellow.empty());
    EXPECT_EQ(blue.size() + yellow.size(), letters.size());
}

// Toggle repaints only with taToggled, PerspectiveDepth only with
// taPerspective; an unbounded depth is limited, so the paint ends.
TEST(GraphicLabel, RepaintsAndTheDepthLimit)
{
    LabelForm f;
    f.label->SetCaption(QStringLiteral("Fade color"));
    f.label->repaints = 0;
    f.label->SetToggle(45);
    f.label->SetPerspectiveDepth(9);
    EXPECT_EQ(f.label->repaints, 0);
    EXPECT_EQ(f.label->Toggle(), 45);
    f.label->SetAttributes(taToggled | taPerspective);
    f.label->SetToggle(-30);
    f.label->SetPerspectiveDepth(12);
    EXPECT_EQ(f.label->repaints, 3);
    f.label->SetToggle(500);
    EXPECT_EQ(f.label->Toggle(), 180);

    f.label->SetPerspectiveDepth(2'000'000'000);
    EXPECT_EQ(f.label->PerspectiveDepth(), TGfxCustomGraphicLabel::MaxPerspectiveDepth);
    f.label->SetPerspectiveDepth(-5);
    EXPECT_EQ(f.label->PerspectiveDepth(), 0);
    // A million copies of each letter would never end; the limited depth
    // paints.
    f.label->SetPerspectiveDepth(1'000'000);
    EXPECT_NE(painttest::BoundsOf(f.Shown(), clBlack), TRect{});
}

// AutoSize: the size of the transformed text (without turns: the sum of
// the advances by the line's height, ascent and descent), plus the bevel
// on both sides.
TEST(GraphicLabel, AutoSizeTakesTheExtent)
{
    LabelForm f;
    f.label->SetCaption(QStringLiteral("Fade color"));
    f.label->Bevel().SetStyleOuter(bvRaised);
    const int bevel = f.label->BevelWidth();
    ASSERT_GT(bevel, 0);
    f.label->SetAutoSize(true);
    QImage scratch(1, 1, QImage::Format_RGB32);
    TGfxCanvas canvas(&scratch);
    canvas.Font.Assign(f.label->Font());
    int advances = 0;
    for (const QChar c : QStringLiteral("Fade color"))
        advances += canvas.TextWidth(QString(c));
    EXPECT_EQ(f.label->Width(), advances + 2 * bevel);
    // Not the font's 24 pixels: the baseline stands a quarter of the line
    // above the bottom, and 24 cut the tops of the tall letters.
    EXPECT_EQ(f.label->Height(), canvas.TextHeight(QStringLiteral("Fade color")) + 2 * bevel);
    EXPECT_EQ(f.label->Left(), 10);
}

// AutoSize at an angle and under every transform: every pixel the text
// draws lies inside the label. The text drawn freely on a large surface
// has as many pixels as the label shows.
TEST(GraphicLabel, AutoSizeHoldsAllTheInkAtAnAngle)
{
    struct Variant {
        const char* name;
        unsigned attributes;
        TGfxThreeDStyle style = tdNone;
        bool invert = false;
        bool bevel = false;
        TGfxPerspective perspective = tpBird;
    };
    const Variant variants[] = {
        {"plain", taAutoToggled},
        {"perspective", taAutoToggled | taPerspective},
        {"sunken shadow", taAutoToggled, tdSunkenShadow},
        {"shadow, perspective from below", taAutoToggled | taPerspective, tdShadow, false, false, tpFrog},
        {"inverted, bevel", taAutoToggled, tdNone, true, true},
        {"equal letters", taAutoToggled | taEqualLetters},
        {"toggled", taAutoToggled | taToggled},
        {"upright letters", 0},
    };
    LabelForm f;
    f.label->SetCaption(QStringLiteral("Fade color"));
    f.label->SetFactor(10);
    f.label->SetToggle(25);
    TGfxFxCaption& fx = f.label->FontFX();
    fx.SetShadowColor(clBlack);
    fx.SetLightColor(clBlack);
    for (const Variant& v : variants)
        for (int transform = 0; transform < GfxTransLabelTypeCount; ++transform)
            for (int angle : {0, 15, 30, 45, 90, 135, 180, -30, -90}) {
                // The variants over a third of the transforms and five angles.
                if (&v != &variants[0] && (transform % 3 != 0 || angle == 15 || angle == 45 || angle == 135 || angle == -90))
                    continue;
                SCOPED_TRACE(testing::Message() << v.name << ", transform " << transform << ", angle " << angle);
                f.label->SetAutoSize(false);
                f.label->SetTransform(Tt(transform));
                f.label->SetAttributes(v.attributes);
                f.label->SetInvertCaption(v.invert);
                f.label->SetPerspective(v.perspective);
                f.label->Bevel().SetStyleOuter(v.bevel ? bvRaised : bvNone);
                fx.SetStyle(v.style);
                fx.SetAngle(angle);
                f.label->SetAutoSize(true);
                const int w = f.label->Width(), h = f.label->Height();
                ASSERT_GT(w, 0);
                ASSERT_GT(h, 0);

                QImage free = painttest::Surface(w + 400, h + 400);
                TGfxCanvas canvas(&free);
                GfxDrawTransformedText(canvas, TRect{200, 200, 200 + w, 200 + h}, f.label->Font(), fx,
                                       f.label->Caption(), f.label->TextTransform());
                canvas.Release();
                const int drawn = Black(free);
                ASSERT_GT(drawn, 200);
                f.form.resize(w + 40, h + 40);
                QApplication::processEvents();
                const int bevel = f.label->BevelWidth();
                const QImage shown = f.form.grab().toImage().copy(10 + bevel, 10 + bevel, w - 2 * bevel, h - 2 * bevel);
                EXPECT_EQ(Black(shown), drawn) << w << " x " << h;
            }
}

TEST(GraphicLabel, TellsAssistiveTools)
{
    LabelForm f;
    f.label->SetName(QStringLiteral("GfxGraphicLabel1"));
    f.label->SetCaption(QStringLiteral("Fade color"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(f.label);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::StaticText);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Fade color"));
    f.label->SetEnabled(false);
    EXPECT_TRUE(face->state().disabled);
}

