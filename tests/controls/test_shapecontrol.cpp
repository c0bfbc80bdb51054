// The shape control and its caption: the outline kept across moves and
// recomputed after a resize, the fast modes ignoring the fill, the caption
// in the fill or on top, teeth added and removed, teeth without a pitch,
// the caption's layout flags and notifications, assistive tools.
#include "control_helpers.h"
#include "gfx_shapecontrol.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <QAccessible>

using namespace controltest;
using painttest::BoundsOf;

namespace {

// A white form with a lime rectangle of 60 x 40 at (10, 10), its shadow
// off unless asked for.
struct ShapeForm {
    explicit ShapeForm(bool shadow = false)
    {
        form.setAutoFillBackground(true);
        QPalette p = form.palette();
        p.setColor(QPalette::Window, Qt::white);
        form.setPalette(p);
        shape = new TGfxShapeControl(&form);
        shape->SetBounds(10, 10, 60, 40);
        shape->Brush().SetColor(clLime);
        if (!shadow)
            shape->Shadow().SetStyle(hssNone);
        Show(form, 120, 80);
    }
    QImage Shown()
    {
        QApplication::processEvents();
        return form.grab().toImage();
    }
    QWidget form;
    TGfxShapeControl* shape = nullptr;
};

std::vector<TPoint> Pts(std::initializer_list<TPoint> p) { return p; }

}  // namespace

TEST(ShapeControl, ConstructionValues)
{
    QWidget form;
    TGfxShapeControl shape(&form);
    EXPECT_EQ((std::array{shape.Width(), shape.Height()}), (std::array{30, 30}));
    EXPECT_TRUE(shape.Transparent());
    EXPECT_EQ(shape.Shape(), stRectangle);
    EXPECT_EQ(shape.RoundPercent(), 33);
    EXPECT_EQ(shape.Mode(), scmShapeFast);
    EXPECT_EQ(shape.BrushBackColor(), clBtnFace);
    EXPECT_EQ(shape.Caption().Alignment(), agCenter);
    EXPECT_FALSE(shape.Caption().OwnText());
    EXPECT_EQ(shape.FillCache(), nullptr);
}

// A move keeps the outline; a resize marks it and the next paint
// computes it for the new size.
TEST(ShapeControl, OutlineKeptOnMovesRecomputedAfterResizing)
{
    ShapeForm f(true);
    (void)f.Shown();
    // Shadow 6: the box starts at (6, 6); a bevel of 2 insets by 1.
    const auto first = Pts({{6, 6}, {60, 40}, {7, 7}, {60, 40}});
    EXPECT_EQ(f.shape->Outline().Points(), first);
    f.shape->SetBounds(20, 15, 60, 40);
    EXPECT_FALSE(f.shape->OutlineDirty());
    EXPECT_EQ(f.shape->Outline().Points(), first);
    f.shape->SetBounds(20, 15, 80, 50);
    EXPECT_TRUE(f.shape->OutlineDirty());
    (void)f.Shown();
    EXPECT_FALSE(f.shape->OutlineDirty());
    EXPECT_EQ(f.shape->Outline().Points(), Pts({{6, 6}, {80, 50}, {7, 7}, {80, 50}}));
    // The shadow shows at the lower right, the body at the upper left.
    const QImage shown = f.Shown();
    EXPECT_EQ(painttest::At(shown, 20 + 78, 15 + 48), GfxColorToRGB(clBtnShadow));
    EXPECT_EQ(painttest::At(shown, 20 + 40, 15 + 20), clLime);
}

// The fast modes paint with Brush and ignore the fill; the fill modes show
// the fill inside the shape.
TEST(ShapeControl, FastModesIgnoreTheFill)
{
    ShapeForm f;
    f.shape->ShapeFill().SetStyle(sfGradient);
    f.shape->ShapeFill().Gradient().SetColor(clRed);
    f.shape->ShapeFill().Gradient().SetEndColor(clRed);
    QImage shown = f.Shown();
    EXPECT_EQ(BoundsOf(shown, clRed), TRect{});
    EXPECT_EQ(BoundsOf(shown, clLime), (TRect{11, 11, 68, 48}));
    EXPECT_EQ(painttest::At(shown, 10, 10), clBlack) << "the bevel's outline";
    EXPECT_EQ(f.shape->FillCache(), nullptr);

    f.shape->SetMode(scmShapeFill);
    shown = f.Shown();
    EXPECT_EQ(BoundsOf(shown, clLime), TRect{});
    // The fill covers the shape (and the inner half of its outline).
    EXPECT_EQ(BoundsOf(shown, clRed), (TRect{10, 10, 69, 49}));
    ASSERT_NE(f.shape->FillCache(), nullptr);
    EXPECT_EQ((std::array{f.shape->FillCache()->Width(), f.shape->FillCache()->Height()}), (std::array{60, 40}));
}

// With CaptionClip a fill mode draws the caption into the fill, so an
// ellipse cuts it; the fast modes draw it on top whatever CaptionClip says.
TEST(ShapeControl, CaptionInTheFillOrOnTop)
{
    ShapeForm f;
    f.shape->SetShape(stEllipse);
    f.shape->ShapeFill().SetStyle(sfGradient);
    f.shape->ShapeFill().Gradient().SetColor(clRed);
    f.shape->ShapeFill().Gradient().SetEndColor(clRed);
    f.shape->SetMode(scmShapeFill);
    const QImage filled = f.Shown();  // the red ellipse alone
    f.shape->Caption().SetAlignment(agCenterLeft);
    f.shape->Caption().SetCaption(QStringLiteral("WWWWWWWWWWWW"));
    f.shape->Caption().Font().SetColor(clBlue);
    f.shape->Caption().Font().SetHeight(-28);
    // The caption's line is wider and taller than the ellipse: at its ends
    // it lies outside.
    auto blueOutside = [&](const QImage& shown) {
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (painttest::At(shown, x, y) == clBlue && painttest::At(filled, x, y) != clRed)
                    return true;
        return false;
    };
    auto blueInside = [&](const QImage& shown) { return BoundsOf(shown.copy(30, 25, 20, 10), clBlue) != TRect{}; };
    for (TGfxShapeControlMode mode : {scmShapeFast, scmShapeFill}) {
        for (bool clip : {false, true}) {
            f.shape->SetMode(mode);
            f.shape->SetCaptionClip(clip);
            const QImage shown = f.Shown();
            const bool clipped = clip && mode == scmShapeFill;
            EXPECT_TRUE(blueInside(shown)) << mode << clip;
            EXPECT_EQ(blueOutside(shown), !clipped) << mode << clip;
            if (mode == scmShapeFill) {
                const QImage cache = f.shape->FillCache()->ToImage();
                EXPECT_EQ(BoundsOf(cache, clBlue) != TRect{}, clip) << "the caption in the fill";
            }
        }
    }
}

// Switching between the two fast modes adds or removes the teeth; no fill
// cache either way. Teeth whose pitch comes out as 0 give the plain box.
TEST(ShapeControl, TeethAddedRemovedAndWithoutPitch)
{
    ShapeForm f;
    (void)f.Shown();
    EXPECT_EQ(f.shape->Outline().Count(), 4);
    f.shape->SetMode(scmTeethFast);
    // Count 10 per count on the right edge: 20 steps of 2 pixels.
    EXPECT_EQ(f.shape->Outline().Count(), 4 + 21 + 1);
    EXPECT_EQ(f.shape->Teeth().Height(), 2);
    EXPECT_EQ(f.shape->FillCache(), nullptr);
    (void)f.Shown();
    f.shape->SetMode(scmShapeFast);
    EXPECT_EQ(f.shape->Outline().Count(), 4);

    // No pitch at all, then a pitch that rounds to 0 (40 teeth on a 30
    // pixel edge): the plain box, painted.
    f.shape->SetMode(scmTeethFill);
    f.shape->ShapeFill().SetStyle(sfBrush);
    f.shape->Teeth().SetSetPerCount(false);
    f.shape->Teeth().SetHeight(0);
    EXPECT_EQ(f.shape->Outline().Count(), 4);
    EXPECT_NE(BoundsOf(f.Shown(), clLime), TRect{});
    f.shape->SetBounds(10, 10, 60, 30);
    f.shape->Teeth().SetSetPerCount(true);
    f.shape->Teeth().SetCount(40);
    EXPECT_EQ(f.shape->Outline().Count(), 4);
    EXPECT_EQ(BoundsOf(f.Shown(), clLime), (TRect{11, 11, 69, 39}));
}

TEST(ShapeCaption, FlagsAssignAndDescription)
{
    TGfxCaption caption;
    caption.SetMultiLine(true);
    EXPECT_EQ(caption.TextFlags(false), DT_VCENTER | DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    // A rotated caption is one line whatever MultiLine says.
    caption.FontFX().SetAngle(90);
    EXPECT_TRUE(caption.TextFlags(true) & DT_SINGLELINE);
    EXPECT_FALSE(caption.TextFlags(true) & DT_NOPREFIX);
    EXPECT_EQ(TGfxCaption::AlignmentFlags(agBottomRight), DT_BOTTOM | DT_RIGHT);
    EXPECT_EQ(TGfxCaption::AlignmentFlags(agTopCenter), DT_CENTER);

    TGfxCaption source;
    source.SetCaption(QStringLiteral("Effect"));
    source.SetAlignment(agBottomLeft);
    source.Font().SetSize(14);
    int changes = 0;
    caption.OnChange = [&](TObject*) { ++changes; };
    caption.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(caption.Caption(), QStringLiteral("Effect"));
    EXPECT_EQ(caption.Alignment(), agBottomLeft);
    EXPECT_EQ(caption.Font().Size(), 14);
    EXPECT_EQ(caption.FontFX().Angle(), 0);
    EXPECT_FALSE(caption.MultiLine());
    EXPECT_EQ(caption.GetDescription(), QStringLiteral("{Effect}"));
}

TEST(ShapeControl, TellsAssistiveTools)
{
    ShapeForm f;
    f.shape->SetName(QStringLiteral("GfxShapeControl_effects"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(f.shape);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Graphic);
    f.shape->Caption().SetCaption(QStringLiteral("Effects"));
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Effects"));
}
