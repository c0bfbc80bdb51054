#include "gfx_bevel.h"

#include <algorithm>

namespace {

// The platform edge of each edge style.
constexpr unsigned EdgeOf[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                               EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};

unsigned EdgeSideFlags(TGfxFrameSides sides)
{
    unsigned flags = 0;
    if (sides & fsBottom)
        flags |= BF_BOTTOM;
    if (sides & fsTop)
        flags |= BF_TOP;
    if (sides & fsRight)
        flags |= BF_RIGHT;
    if (sides & fsLeft)
        flags |= BF_LEFT;
    return flags;
}

// The width one custom bevel takes: its width, and one more for the frame
// styles.
int BevelTakes(TGfxBevelStyle style, int width)
{
    if (style == bvNone)
        return 0;
    return width + ((style == bvFrameLowered || style == bvFrameRaised) ? 1 : 0);
}

void Shrink(TRect& r, int by)
{
    r.Left += by;
    r.Top += by;
    r.Right -= by;
    r.Bottom -= by;
}

}  // namespace

void TGfxBevel::SetStyle(TGfxBevelStyle& field, TGfxBevelStyle& other, TGfxBevelStyle Value)
{
    if (field == Value)
        return;
    if (field == bvShadow)
        other = bvNone;
    if (Value == bvShadow)
        other = bvShadow;
    field = Value;
    DoChange();
}

void TGfxBevel::SetColor(int Index, TColor Value)
{
    if (Index < 0 || Index > 2)
        return;
    SetProp(colors_[Index], Value);
}

void TGfxBevel::SetMode(TGfxBevelMode Value)
{
    if (mode_ == Value)
        return;
    if (windowBorder_ && (mode_ == bmWindows || Value == bmWindows))
        windowBorderChanged_ = true;
    mode_ = Value;
    DoChange();
}

void TGfxBevel::SetStandardStyle(TGfxBorderStyle Value)
{
    if (standardStyle_ == Value)
        return;
    standardStyle_ = Value;
    if (mode_ == bmStandard)
        DoChange();
    else
        Recompute();
}

bool TGfxBevel::WindowBorderChanged()
{
    const bool result = windowBorderChanged_ || (mode_ == bmWindows && windowBorder_);
    windowBorderChanged_ = false;
    return result;
}

void TGfxBevel::Recompute()
{
    switch (mode_) {
    case bmCustom:
        if (styleInner_ == bvShadow) {
            totalWidth_ = widthInner_ + borderInnerWidth_;
        } else {
            totalWidth_ = borderWidth_ + borderInnerWidth_;
            if (styleInner_ != bvNone || styleOuter_ != bvNone)
                totalWidth_ += BevelTakes(styleOuter_, widthOuter_) + BevelTakes(styleInner_, widthInner_);
        }
        break;
    case bmStandard: totalWidth_ = GfxBorderWidth(standardStyle_) + borderInnerWidth_; break;
    case bmEdge: totalWidth_ = (borderSides_ ? 2 : 0) + borderInnerWidth_; break;
    case bmWindows: totalWidth_ = windowBorder_ ? 0 : borderInnerWidth_ + 2; break;
    }
    shadowExtent_ = IsShadow() ? widthInner_ + widthOuter_ + borderInnerWidth_ : totalWidth_;
}

void TGfxBevel::DoChange()
{
    Recompute();
    TGfxObject::DoChange();
}

TRect TGfxBevel::InnerRect(const TRect& Rect) const
{
    TRect r = Rect;
    if (IsShadow()) {
        r.Left += widthInner_ + borderInnerWidth_;
        r.Top += widthInner_ + borderInnerWidth_;
        r.Right -= shadowExtent_;
        r.Bottom -= shadowExtent_;
    } else {
        Shrink(r, totalWidth_);
    }
    return r;
}

void TGfxBevel::Ring(TGfxCanvas& Canvas, TRect& Rect, int w, bool Transparent) const
{
    if (w <= 0)
        return;
    if (Transparent) {
        Shrink(Rect, w);
        return;
    }
    Canvas.Brush.SetStyle(bsSolid);
    Canvas.Brush.SetColor(BorderColor());
    for (int i = 0; i < w; ++i) {
        Canvas.FrameRect(Rect);
        Shrink(Rect, 1);
    }
}

TRect TGfxBevel::Paint(TGfxCanvas& Canvas, const TRect& Rect, bool Transparent) const
{
    TRect r = Rect;
    if (totalWidth_ == 0)
        return r;
    switch (mode_) {
    case bmCustom:
        if (styleOuter_ == bvShadow) {
            // The shadow in ShadowColor, its two uncovered corners in
            // BorderColor (left alone when transparent), the frame of
            // WidthInner rings in LightColor.
            GfxDrawShadowFrame(Canvas, r, LightColor(), Transparent, widthInner_, widthOuter_, BorderColor(),
                               ShadowColor());
        } else {
            GfxDrawBevel(Canvas, r, styleOuter_, widthOuter_, ShadowColor(), LightColor());
            Ring(Canvas, r, borderWidth_, Transparent);
            GfxDrawBevel(Canvas, r, styleInner_, widthInner_, ShadowColor(), LightColor());
        }
        break;
    case bmStandard: GfxDrawBorder(Canvas, r, standardStyle_, 0); break;
    case bmEdge:
        if (borderSides_) {
            Canvas.DrawEdge(r, EdgeOf[edgeStyle_], EdgeSideFlags(borderSides_));
            Shrink(r, 2);
        }
        break;
    case bmWindows: GfxDrawBorder(Canvas, r, lsLoweredExt, 0); break;
    }
    Ring(Canvas, r, borderInnerWidth_, Transparent);
    return r;
}

void TGfxBevel::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxBevel*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    styleInner_ = src->styleInner_;
    styleOuter_ = src->styleOuter_;
    widthInner_ = src->widthInner_;
    widthOuter_ = src->widthOuter_;
    std::copy(std::begin(src->colors_), std::end(src->colors_), std::begin(colors_));
    borderInnerWidth_ = src->borderInnerWidth_;
    borderWidth_ = src->borderWidth_;
    borderSides_ = src->borderSides_;
    edgeStyle_ = src->edgeStyle_;
    mode_ = src->mode_;
    standardStyle_ = src->standardStyle_;
    windowBorder_ = src->windowBorder_;
    EndUpdate(true);
}

QString TGfxBevel::GetDescription() const
{
    static const char* const names[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
    return QStringLiteral("{%1}").arg(QLatin1String(names[mode_]));
}
