#include "gfx_gradient.h"

#include <algorithm>
#include <array>

TGfxGradient::TGfxGradient() { Recompute(); }

TGfxGradient::~TGfxGradient() = default;

void TGfxGradient::SetColorCount(int v)
{
    SetProp(colorCount_, std::clamp(v, MinColorCount, MaxColorCount));
}

void TGfxGradient::SetColor(TColor v)
{
    if (v == color_)
        return;
    color_ = v;
    Recompute();
    DoChange();
}

void TGfxGradient::Recompute()
{
    palette_.reset();
    bands_.clear();
    if (twoColors_) {
        GfxGradientColors(color_, endColor_, colorCount_, true, bands_);
    } else if (colorList_.size() >= 2) {
        const int n = colorCount_ / static_cast<int>(colorList_.size());
        GfxGradientColors(colorList_[0], colorList_[1], n, true, bands_);
        for (std::size_t i = 1; i + 1 < colorList_.size(); ++i)
            GfxGradientColors(colorList_[i], colorList_[i + 1], n, false, bands_);
    }
    if (paletteRealize_)
        palette_ = GfxCreateGradientPalette(bands_);
}

void TGfxGradient::DoChange()
{
    Recompute();
    TGfxObject::DoChange();
}

void TGfxGradient::PaintTo(TGfxCanvas& canvas, const TRect& rect) const
{
    GfxGradientFill(canvas, rect, style_, nullptr, paletteRealize_ ? gdbPalette : 0, palette_.get(), bands_);
}

void TGfxGradient::RealizePalette(TGfxCanvas& canvas) const
{
    if (!paletteRealize_)
        return;
    canvas.SelectPalette(palette_.get(), false);
    canvas.RealizePalette();
}

std::vector<std::int32_t> TGfxGradient::WriteColorList() const
{
    std::vector<std::int32_t> values;
    for (TColor c : colorList_)
        values.push_back(static_cast<std::int32_t>(c));
    return values;
}

void TGfxGradient::ReadColorList(std::span<const std::int32_t> values)
{
    BeginUpdate();
    for (std::int32_t v : values)
        colorList_.push_back(static_cast<TColor>(v));
    EndUpdate(true);
}

void TGfxGradient::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxGradient*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetColorCount(src->colorCount_);
    SetColor(src->color_);
    SetStyle(src->style_);
    SetEndColor(src->endColor_);
    SetPaletteRealize(src->paletteRealize_);
    SetTwoColors(src->twoColors_);
    colorList_ = src->colorList_;
    EndUpdate(true);
}

QString TGfxGradient::GetDescription() const
{
    static constexpr std::array<const char*, 10> names = {
        "horizontal", "vertical", "square", "elliptic", "top left", "top right", "bottom left", "bottom right",
        "top left diag", "top right diag"};
    return QString::fromLatin1(names[style_]) + QStringLiteral(", Col: ") + QString::number(colorCount_) +
           (twoColors_ ? QStringLiteral(", 2 col mode") : QStringLiteral(", mult. col mode"));
}
