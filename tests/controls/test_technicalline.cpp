// The technical line: sign boxes, routes and sign shapes as data, the pin
// marker on pixels, the hit test on and off the drawn shape, the writers
// that repaint or not, Arrowed, and what it tells assistive tools.
#include "control_helpers.h"
#include "gfx_technicalline.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMouseEvent>

using namespace controltest;

namespace {

class CountingLine : public TGfxTechnicalLine {
public:
    using TGfxTechnicalLine::TGfxTechnicalLine;
    int invalidations = 0;
    void Invalidate() override
    {
        ++invalidations;
        TGfxTechnicalLine::Invalidate();
    }
};

void Press(QWidget* w, QPoint at, Qt::MouseButton button)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

}  // namespace

// W 100, H 60, sign 10 with a shadow of 4: the box side is 14.
TEST(TechnicalLineGeometry, SignBoxesForEachRoute)
{
    const TGfxLineMetrics m{100, 60, 0, 10, 4};
    const TRect topLeft{0, 0, 14, 14}, bottomRight{86, 46, 100, 60}, bottomLeft{0, 46, 14, 60}, topRight{86, 0, 100, 14};
    const struct {
        TGfxTechnicalLineTypes type;
        TRect start, end;
    } cases[] = {
        {lsStraightLeftToRight, {0, 23, 14, 37}, {86, 23, 100, 37}},
        {lsStraightTopToBottom, {43, 0, 57, 14}, {43, 46, 57, 60}},
        {lsTopLeftToBottomRight, topLeft, bottomRight},
        {lsTopRightEdge, topLeft, bottomRight},
        {lsTopRightCurve, topLeft, bottomRight},
        {lsBottomLeftToTopRight, bottomLeft, topRight},
        {lsTopLeftEdge, bottomLeft, topRight},
        {lsTopLeftCurve, bottomLeft, topRight},
        {lsBottomLeftEdge, bottomRight, topLeft},
        {lsBottomLeftCurve, bottomRight, topLeft},
        {lsBottomRightEdge, topRight, bottomLeft},
        {lsBottomRightCurve, topRight, bottomLeft},
    };
    for (const auto& c : cases) {
        TRect start, end;
        GfxTechnicalLineSignBoxes(c.type, m, start, end);
        EXPECT_EQ(start, c.start) << int(c.type);
        EXPECT_EQ(end, c.end) << int(c.type);
    }
}

TEST(TechnicalLineGeometry, RoutesBySignPlace)
{
    const TGfxLineMetrics m{100, 60, 1, 10, 0};
    auto lines = [](std::initializer_list<TPoint> p) {
        TGfxLineRoute r;
        r.Points = p;
        return r;
    };
    auto arc = [](TRect box, TPoint from, TPoint to) {
        TGfxLineRoute r;
        r.IsArc = true;
        r.ArcBox = box;
        r.ArcStart = from;
        r.ArcEnd = to;
        return r;
    };
    const struct {
        TGfxTechnicalLineTypes type;
        TGfxSignPlaces places;
        TGfxLineRoute route;
    } cases[] = {
        {lsStraightLeftToRight, spNoWhere, lines({{1, 30}, {99, 30}})},
        {lsStraightLeftToRight, spEnd, lines({{1, 30}, {90, 30}})},
        {lsStraightLeftToRight, spBoth, lines({{10, 30}, {90, 30}})},
        {lsTopLeftEdge, spNoWhere, lines({{0, 60}, {0, 0}, {100, 0}})},
        {lsTopLeftEdge, spEnd, lines({{0, 60}, {0, 5}, {90, 5}})},
        {lsBottomRightEdge, spStart, lines({{95, 10}, {95, 60}, {0, 60}})},
        {lsTopLeftCurve, spNoWhere, arc({0, 0, 200, 120}, {100, 0}, {0, 60})},
        {lsBottomRightCurve, spNoWhere, arc({-100, -60, 100, 60}, {0, 60}, {100, 0})},
        {lsTopRightCurve, spBoth, arc({-75, 5, 95, 95}, {95, 50}, {10, 5})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxTechnicalLineRoute(c.type, c.places, m), c.route) << int(c.type) << "/" << int(c.places);
}

// Every sign in the box (10, 20, 30, 40): mx 20, my 30, a quarter 5.
TEST(TechnicalLineGeometry, SignShapes)
{
    using S = TGfxSignShape;
    const TRect box{10, 20, 30, 40};
    const struct {
        TGfxLineEndings sign;
        S::TKind kind;
        std::vector<TPoint> points;
    } cases[] = {
        {leNothing, S::skNone, {}},
        {leOpenArrowUp, S::skLines, {{10, 40}, {20, 20}, {30, 40}}},
        {leOpenArrowDown, S::skLines, {{10, 20}, {20, 40}, {30, 20}}},
        {leOpenArrowRight, S::skLines, {{10, 20}, {30, 30}, {10, 40}}},
        {leOpenArrowLeft, S::skLines, {{30, 20}, {10, 30}, {30, 40}}},
        {leClosedArrowUp, S::skPolygon, {{10, 40}, {20, 20}, {30, 40}}},
        {leClosedArrowDown, S::skPolygon, {{10, 20}, {20, 40}, {30, 20}}},
        {leClosedArrowLeft, S::skPolygon, {{30, 20}, {10, 30}, {30, 40}}},
        {leClosedArrowRight, S::skPolygon, {{10, 20}, {30, 30}, {10, 40}}},
        {leDiamond, S::skPolygon, {{20, 20}, {30, 30}, {20, 40}, {10, 30}}},
        {leCircle, S::skEllipse, {}},
        {leRectangle, S::skRectangle, {}},
        {leRoundRect, S::skRoundRect, {}},
        {leParallelogramm, S::skPolygon, {{15, 20}, {30, 20}, {25, 40}, {10, 40}}},
        {leComb, S::skPolygon, {{20, 20}, {30, 25}, {30, 35}, {20, 40}, {10, 35}, {10, 25}}},
        {leHalfCircleLeft, S::skPie, {}},
        {leHalfCircleRight, S::skPie, {}},
        {leHalfCircleUp, S::skPie, {}},
        {leHalfCircleDown, S::skPie, {}},
    };
    for (const auto& c : cases) {
        const S s = GfxTechnicalLineSign(c.sign, box, 1);
        EXPECT_EQ(s.Kind, c.kind) << int(c.sign);
        EXPECT_EQ(s.Points, c.points) << int(c.sign);
        EXPECT_EQ(s.Box, box) << int(c.sign);
    }
    const S round = GfxTechnicalLineSign(leRoundRect, box, 1);
    EXPECT_EQ(round.CornerW, 5);
    const S left = GfxTechnicalLineSign(leHalfCircleLeft, box, 1);
    EXPECT_EQ(left.From, (TPoint{20, 20}));
    EXPECT_EQ(left.To, (TPoint{20, 40}));
    const S down = GfxTechnicalLineSign(leHalfCircleDown, box, 1);
    EXPECT_EQ(down.From, (TPoint{30, 30}));
    EXPECT_EQ(down.To, (TPoint{10, 30}));
    // A wider pen draws inside: the box shrinks by half its width.
    EXPECT_EQ(GfxTechnicalLineSign(leCircle, box, 3).Box, (TRect{11, 21, 29, 39}));
    EXPECT_EQ(GfxTechnicalLineSign(leCircle, box, 0).Box, box);
}

// The HD15 window's marker: 25 x 29, a clear pen, the route lsTopLeftEdge,
// a red circle of 7 at its end. Only the disc shows, in (17, 1)-(24, 8).
TEST(TechnicalLine, PinMarkerShowsOnlyItsRedDisc)
{
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette p = form.palette();
    p.setColor(QPalette::Window, Qt::white);
    form.setPalette(p);
    auto* marker = new TGfxTechnicalLine(&form);
    marker->SetBounds(10, 10, 25, 29);
    marker->SetLineType(lsTopLeftEdge);
    marker->LineSettings().SetStyle(psClear);
    marker->SetLineStartSign(leNothing);
    marker->SetLineEndingsign(leCircle);
    marker->SetSignSize(7);
    marker->SetFillColor(clRed);
    EXPECT_EQ(marker->DrawingRect(), (TRect{1, 1, 24, 28}));
    EXPECT_EQ(marker->EndSignBox(), (TRect{17, 1, 24, 8}));
    Show(form, 60, 60);
    const QImage shown = form.grab().toImage().copy(10, 10, 25, 29);
    // Without a pen the circle keeps to its box less the right and bottom row.
    EXPECT_EQ(painttest::InkBounds(shown), (TRect{17, 1, 23, 7}));
    EXPECT_EQ(painttest::BoundsOf(shown, clRed), (TRect{17, 1, 23, 7}));
    EXPECT_EQ(painttest::At(shown, 20, 4), clRed);

    // With a visible pen the route shows too; spNoWhere shows no sign.
    marker->LineSettings().SetStyle(psSolid);
    marker->SetSignPlaces(spNoWhere);
    QApplication::processEvents();
    const QImage plain = form.grab().toImage().copy(10, 10, 25, 29);
    EXPECT_EQ(painttest::BoundsOf(plain, clRed), TRect{});
    EXPECT_EQ(painttest::BoundsOf(plain, clBlack), (TRect{1, 1, 24, 29}));
}

// With ShapeOnly, once painted, a left button off the line and its signs is
// dropped; on it the events fire; other buttons always pass.
TEST(TechnicalLine, HitTestOnAndOffTheShape)
{
    QWidget form;
    auto* line = new TGfxTechnicalLine(&form);
    line->SetBounds(10, 10, 100, 40);
    line->LineSettings().SetWidth(3);
    line->SetSignPlaces(spEnd);
    line->SetSignSize(20);
    line->SetFillColor(clBlue);
    QStringList events;
    line->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) { events << QStringLiteral("down%1").arg(b); };
    line->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) { events << QStringLiteral("up%1").arg(b); };
    line->OnClick = [&](TObject*) { events << QStringLiteral("click"); };
    line->ShapeOnly = true;
    // Before any paint there is no region: everything counts.
    Press(line, QPoint(30, 3), Qt::LeftButton);
    EXPECT_EQ(events, (QStringList{"down0", "click", "up0"}));
    Show(form, 150, 80);
    (void)form.grab();
    ASSERT_TRUE(line->HitRegion().has_value());
    const struct {
        QPoint at;
        Qt::MouseButton button;
        QStringList expected;
    } cases[] = {
        {{30, 19}, Qt::LeftButton, {"down0", "click", "up0"}},  // on the line (y = H / 2 in the drawing area)
        {{85, 19}, Qt::LeftButton, {"down0", "click", "up0"}},  // inside the end arrow
        {{30, 3}, Qt::LeftButton, {}},                           // above the line
        {{5, 35}, Qt::LeftButton, {}},                           // a corner
        {{30, 3}, Qt::RightButton, {"down1", "up1"}},            // not the left button
    };
    for (const auto& c : cases) {
        events.clear();
        Press(line, c.at, c.button);
        EXPECT_EQ(events, c.expected) << c.at.x() << "," << c.at.y();
    }
    line->ShapeOnly = false;
    events.clear();
    Press(line, QPoint(30, 3), Qt::LeftButton);
    EXPECT_EQ(events.size(), 3);
}

TEST(TechnicalLine, WritersRepaintWhatShows)
{
    QWidget form;
    auto* line = new CountingLine(&form);
    line->SetSignPlaces(spEnd);
    line->invalidations = 0;
    line->SetLineStartSign(leDiamond);  // the start sign does not show
    EXPECT_EQ(line->invalidations, 0);
    EXPECT_EQ(line->LineStartSign(), leDiamond);
    line->SetLineEndingsign(leCircle);
    EXPECT_EQ(line->invalidations, 1);
    line->SetLineEndingsign(leCircle);
    line->SetShadowDepth(6);
    EXPECT_EQ(line->invalidations, 1);
    line->SetSignPlaces(spBoth);
    line->SetLineStartSign(leRectangle);
    EXPECT_EQ(line->invalidations, 3);
}

// With Arrowed, a new route turns arrow signs to point away from the line.
TEST(TechnicalLine, ArrowedTurnsArrows)
{
    QWidget form;
    TGfxTechnicalLine line(&form);
    line.SetArrowed(true);
    line.SetLineStartSign(leClosedArrowLeft);
    line.SetLineEndingsign(leOpenArrowRight);
    line.SetLineType(lsStraightTopToBottom);
    EXPECT_EQ(line.LineStartSign(), leClosedArrowUp);
    EXPECT_EQ(line.LineEndingsign(), leOpenArrowDown);
    line.SetLineType(lsBottomRightCurve);
    EXPECT_EQ(line.LineStartSign(), leClosedArrowUp);
    EXPECT_EQ(line.LineEndingsign(), leOpenArrowLeft);
    line.SetLineEndingsign(leDiamond);
    line.SetLineType(lsTopLeftEdge);
    EXPECT_EQ(line.LineStartSign(), leClosedArrowDown);
    EXPECT_EQ(line.LineEndingsign(), leDiamond) << "not an arrow: left alone";
    line.SetArrowed(false);
    line.SetLineType(lsStraightLeftToRight);
    EXPECT_EQ(line.LineStartSign(), leClosedArrowDown);
}

TEST(TechnicalLine, TellsAssistiveTools)
{
    QWidget form;
    auto* line = new TGfxTechnicalLine(&form);
    line->SetName(QStringLiteral("GfxTechnicalLine1"));
    Show(form, 200, 100);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(line);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Graphic);
    line->SetVisible(false);
    EXPECT_TRUE(face->state().invisible);
}
