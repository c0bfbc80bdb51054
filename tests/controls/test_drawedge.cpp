// The draw edge: the edge and flags it asks of the platform, its pixels
// against the platform's edge drawing, what draws nothing, the writers
// that repaint, and what it tells assistive tools.
#include "control_helpers.h"
#include "gfx_drawedge.h"
#include "paint_helpers.h"

#include <gtest/gtest.h>

#include <QAccessible>

using namespace controltest;

namespace {

class CountingEdge : public TGfxDrawEdge {
public:
    using TGfxDrawEdge::TGfxDrawEdge;
    int invalidations = 0;
    void Invalidate() override
    {
        ++invalidations;
        TGfxDrawEdge::Invalidate();
    }
};

// A white form with the edge at (10, 10), 40 x 30.
struct EdgeForm {
    EdgeForm()
    {
        form.setAutoFillBackground(true);
        QPalette p = form.palette();
        p.setColor(QPalette::Window, Qt::white);
        form.setPalette(p);
        edge = new CountingEdge(&form);
        edge->SetBounds(10, 10, 40, 30);
        Show(form, 80, 60);
    }
    QImage Edge()
    {
        QApplication::processEvents();
        return form.grab().toImage().copy(10, 10, 40, 30);
    }
    QWidget form;
    CountingEdge* edge = nullptr;
};

QImage Reference(unsigned edge, unsigned flags)
{
    QImage image = painttest::Surface(40, 30);
    TGfxCanvas canvas(&image);
    TRect r{0, 0, 40, 30};
    canvas.DrawEdge(r, edge, flags);
    canvas.Release();
    return image;
}

}  // namespace

TEST(DrawEdge, EdgeAndFlagsByStyle)
{
    const struct {
        TGfxDrawEdgeStyle style;
        TGfxEdgeStyle edge;
        TGfxFrameSides sides;
        TGfxDiagonalStyle diagonal;
        bool filled, soft;
        TGfxDrawEdgeCall call;
    } cases[] = {
        {esEdge, etEtched, fsAllSides, dsEndBottomLeft, false, false, {EDGE_ETCHED, BF_RECT}},
        {esEdge, etRaised, fsAllSides, dsEndBottomLeft, false, true, {EDGE_RAISED, BF_RECT | BF_SOFT}},
        {esEdge, etSunken, fsBottom | fsLeft, dsEndTopRight, true, false, {EDGE_SUNKEN, BF_BOTTOM | BF_LEFT | BF_MIDDLE}},
        {esEdge, etRaisedInner, fsTop, dsEndBottomLeft, false, false, {BDR_RAISEDINNER, BF_TOP}},
        {esEdge, etSunkenOuter, fsRight, dsEndBottomLeft, false, false, {BDR_SUNKENOUTER, BF_RIGHT}},
        {esEdge, etBump, 0, dsEndBottomLeft, false, false, {EDGE_BUMP, 0}},
        // The diagonal ignores the sides.
        {esDiagonal, etRaisedOuter, fsAllSides, dsEndBottomLeft, false, false, {BDR_RAISEDOUTER, 0x19}},
        {esDiagonal, etSunkenInner, 0, dsEndBottomRight, false, false, {BDR_SUNKENINNER, 0x1C}},
        {esDiagonal, etEtched, 0, dsEndTopLeft, false, true, {EDGE_ETCHED, 0x13 | BF_SOFT}},
        {esDiagonal, etEtched, 0, dsEndTopRight, true, false, {EDGE_ETCHED, 0x16 | BF_MIDDLE}},
        // The standard border takes only the flags.
        {esStandard, etRaised, fsAllSides, dsEndTopRight, true, true, {0, BF_MIDDLE | BF_SOFT}},
    };
    TGfxDrawEdge plain;
    EXPECT_EQ((std::array{plain.Width(), plain.Height()}), (std::array{40, 40}));
    EXPECT_EQ(plain.StandardStyle(), lsSingleLowered);
    EXPECT_EQ(plain.FrameSides(), fsAllSides);
    for (const auto& c : cases)
        EXPECT_EQ(GfxDrawEdgeCall(c.style, c.edge, c.sides, c.diagonal, c.filled, c.soft), c.call)
            << int(c.style) << "/" << int(c.edge);
}

// The main window's edge (raised, soft) and its pressed look (sunken) are
// the platform's edges; nothing else is painted, not even a background.
TEST(DrawEdge, PixelsAndWhatDrawsNothing)
{
    EdgeForm f;
    EXPECT_EQ(f.Edge(), Reference(EDGE_ETCHED, BF_RECT)) << "etched by default";
    f.edge->SetEdgeStyle(etRaised);
    f.edge->SetSoft(true);
    EXPECT_EQ(f.Edge(), Reference(EDGE_RAISED, BF_RECT | BF_SOFT));
    f.edge->SetEdgeStyle(etSunken);
    EXPECT_EQ(f.Edge(), Reference(EDGE_SUNKEN, BF_RECT | BF_SOFT));
    EXPECT_NE(Reference(EDGE_SUNKEN, BF_RECT | BF_SOFT), Reference(EDGE_RAISED, BF_RECT | BF_SOFT));

    const QImage white = painttest::Surface(40, 30);
    f.edge->SetFrameSides(0);
    EXPECT_EQ(f.edge->FrameSides(), 0u);
    EXPECT_EQ(f.Edge(), white) << "no sides, not filled";
    f.edge->SetFilled(true);
    EXPECT_EQ(painttest::BoundsOf(f.Edge(), clBtnFace), (TRect{0, 0, 40, 30})) << "filled only";
    f.edge->SetStyle(esStandard);
    f.edge->SetFilled(false);
    f.edge->SetStandardStyle(lsNone);
    EXPECT_EQ(f.Edge(), white) << "the standard border lsNone";
    f.edge->SetStandardStyle(lsSingleLowered);
    EXPECT_NE(f.Edge(), white);
}

TEST(DrawEdge, OnlyAChangeRepaints)
{
    EdgeForm f;
    f.edge->invalidations = 0;
    f.edge->SetEdgeStyle(etEtched);
    f.edge->SetFrameSides(fsAllSides);
    f.edge->SetSoft(false);
    f.edge->SetStyle(esEdge);
    EXPECT_EQ(f.edge->invalidations, 0);
    f.edge->SetEdgeStyle(etSunken);
    f.edge->SetDiagonalStyle(dsEndTopLeft);
    f.edge->SetSoft(true);
    EXPECT_EQ(f.edge->invalidations, 3);
}

TEST(DrawEdge, TellsAssistiveTools)
{
    EdgeForm f;
    f.edge->SetName(QStringLiteral("GfxDrawEdge1"));
    f.edge->SetEdgeStyle(etRaised);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(f.edge);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Border);
    EXPECT_FALSE(face->state().pressed);
    f.edge->SetEdgeStyle(etSunken);
    EXPECT_TRUE(face->state().pressed);
}
