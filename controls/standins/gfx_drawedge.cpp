#include "gfx_drawedge.h"

#include <QPainter>
#include <qdrawutil.h>

TGfxDrawEdge::TGfxDrawEdge(QWidget* parent) : QWidget(parent)
{
    resize(40, 40);
}

void TGfxDrawEdge::SetEdgeStyle(TGfxEdgeStyle style)
{
    if (edgeStyle_ == style) return;
    edgeStyle_ = style;
    update();
}

void TGfxDrawEdge::SetSoft(bool soft)
{
    if (soft_ == soft) return;
    soft_ = soft;
    update();
}

void TGfxDrawEdge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const QPalette& pal = palette();
    switch (edgeStyle_) {
    case etRaisedInner:
    case etRaisedOuter: qDrawShadeRect(&p, r, pal, false, 1); break;
    case etSunkenInner:
    case etSunkenOuter: qDrawShadeRect(&p, r, pal, true, 1); break;
    case etBump: qDrawShadeRect(&p, r, pal, false, 1, 1); break;
    case etEtched: qDrawShadeRect(&p, r, pal, true, 1, 1); break;
    case etRaised: qDrawShadePanel(&p, r, pal, false, 2); break;
    case etSunken: qDrawShadePanel(&p, r, pal, true, 2); break;
    }
}
