#include "gfx_drawedge.h"

#include "gfx_draw.h"

TGfxDrawEdgeCall GfxDrawEdgeCall(TGfxDrawEdgeStyle Style, TGfxEdgeStyle EdgeStyle, TGfxFrameSides FrameSides,
                                 TGfxDiagonalStyle DiagonalStyle, bool Filled, bool Soft)
{
    TGfxDrawEdgeCall call;
    if (Soft)
        call.Flags |= BF_SOFT;
    if (Filled)
        call.Flags |= BF_MIDDLE;
    if (Style == esStandard)
        return call;
    static constexpr unsigned edges[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                         EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};
    call.Edge = edges[EdgeStyle <= etSunken ? EdgeStyle : etEtched];
    if (Style == esEdge) {
        if (FrameSides & fsBottom)
            call.Flags |= BF_BOTTOM;
        if (FrameSides & fsTop)
            call.Flags |= BF_TOP;
        if (FrameSides & fsRight)
            call.Flags |= BF_RIGHT;
        if (FrameSides & fsLeft)
            call.Flags |= BF_LEFT;
    } else {
        static constexpr unsigned ends[] = {BF_DIAGONAL_ENDBOTTOMLEFT, BF_DIAGONAL_ENDBOTTOMRIGHT,
                                            BF_DIAGONAL_ENDTOPLEFT, BF_DIAGONAL_ENDTOPRIGHT};
        call.Flags |= ends[DiagonalStyle <= dsEndTopRight ? DiagonalStyle : dsEndBottomLeft];
    }
    return call;
}

TGfxDrawEdge::TGfxDrawEdge(QWidget* AParent) : TGfxControl(AParent)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(Left(), Top(), 40, 40);
}

TGfxDrawEdge::~TGfxDrawEdge() { Destroying(); }

void TGfxDrawEdge::AccessibleState(QAccessible::State& State) const
{
    if (edgeStyle_ == etSunken || edgeStyle_ == etSunkenInner || edgeStyle_ == etSunkenOuter)
        State.pressed = true;
}

void TGfxDrawEdge::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas)
        return;
    const TGfxDrawEdgeCall call = GfxDrawEdgeCall(style_, edgeStyle_, frameSides_, diagonalStyle_, Filled(), Soft());
    TRect r = ClientRect();
    if (style_ == esStandard)
        GfxDrawBorder(*canvas, r, standardStyle_, call.Flags);
    else
        canvas->DrawEdge(r, call.Edge, call.Flags);
}
