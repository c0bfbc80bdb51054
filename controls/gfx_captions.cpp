#include "gfx_captions.h"

#include <array>

void TGfxGlyphTextLayout::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxGlyphTextLayout*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    alignment_ = src->alignment_;
    alignText2Glyph_ = src->alignText2Glyph_;
    offset_[0] = src->offset_[0];
    offset_[1] = src->offset_[1];
    spacing_ = src->spacing_;
    DoChange();
}

void TGfx3DCaption::CopyLook(const TGfx3DCaption& source)
{
    disabledStyle_ = source.disabledStyle_;
    depth_[0] = source.depth_[0];
    depth_[1] = source.depth_[1];
    color_[0] = source.color_[0];
    color_[1] = source.color_[1];
    style_ = source.style_;
    tracing_ = source.tracing_;
}

void TGfx3DCaption::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfx3DCaption*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    CopyLook(*src);
    DoChange();
}

QString TGfx3DCaption::GetDescription() const
{
    static constexpr std::array<const char*, 11> names = {
        "Disabled", "sunken", "raised", "sunken shadow", "raised shadow", "PColor sunken",
        "PColor raised", "shadow", "outline", "extrude", "extrude enh"};
    return QLatin1Char('{') + QString::fromLatin1(names[style_]) + QLatin1Char('}');
}

void TGfxFxCaption::SetAngle(TGfxAngle v)
{
    if (v == angle_)
        return;
    angle_ = v == 360 ? 0 : v;
    DoChange();
}

void TGfxFxCaption::SetPos(std::uint16_t x, std::uint16_t y)
{
    BeginUpdate();
    SetPosX(x);
    SetPosY(y);
    EndUpdate(false);
}

void TGfxFxCaption::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxFxCaption*>(Source);
    if (!src) {
        TGfx3DCaption::Assign(Source);
        return;
    }
    CopyLook(*src);
    pos_[0] = src->pos_[0];
    pos_[1] = src->pos_[1];
    angle_ = src->angle_;
    DoChange();
}

QString TGfxFxCaption::GetDescription() const
{
    QString text = TGfx3DCaption::GetDescription();
    if (angle_ == 0)
        return text;
    if (text == QStringLiteral("{Disabled}"))
        text = QStringLiteral("{");
    else
        text.back() = QLatin1Char(',');
    return text + QStringLiteral(" rot: ") + QString::number(angle_) + QLatin1Char('}');
}
