#pragma once
// The caption sub-objects: how a caption sits beside its glyph
// (TGfxGlyphTextLayout), its three-dimensional look (TGfx3DCaption) and,
// for rotated captions, its angle and drawing position (TGfxFxCaption).
// They hold settings only; gfx_draw draws with them.

#include "gfx_object.h"
#include "platform/gfx_types.h"

#include <cstdint>

// Side of the glyph on which the text stands.
enum TGfxTextArrange : std::uint8_t { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };

// Place of a block inside a rectangle: row (top, centre, bottom) by column
// (left, centre, right).
enum TGfxAlignment : std::uint8_t {
    agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight, agBottomLeft, agBottomCenter, agBottomRight
};

enum TGfxDisabledStyle : std::uint8_t { dsAuto, dsStandard, ds3d, dsNone };

enum TGfxThreeDStyle : std::uint8_t {
    tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised, tdShadow,
    tdOutline, tdExtrude, tdExtrudeEnh
};

// Direction of the shadow and extrusion.
enum TGfxThreeDOrientation : std::uint8_t { toBottomLeft, toBottomRight, toTopLeft, toTopRight };

using TGfxAngle = std::int16_t;  // degrees, counter-clockwise

class TGfxGlyphTextLayout : public TGfxObject {
public:
    TGfxTextArrange AlignText2Glyph() const { return alignText2Glyph_; }
    int OffsetX() const { return offset_[0]; }
    int OffsetY() const { return offset_[1]; }
    int Spacing() const { return spacing_; }
    TGfxAlignment Alignment() const { return alignment_; }

    void SetAlignText2Glyph(TGfxTextArrange v) { SetProp(alignText2Glyph_, v); }
    // Index 0 OffsetX, 1 OffsetY.
    void SetOffset(int index, int v) { SetProp(offset_[index == 0 ? 0 : 1], v); }
    void SetOffsetX(int v) { SetOffset(0, v); }
    void SetOffsetY(int v) { SetOffset(1, v); }
    void SetSpacing(int v) { SetProp(spacing_, v); }
    void SetAlignment(TGfxAlignment v) { SetProp(alignment_, v); }

    // From another layout: the five settings, then one notification.
    void Assign(const TObject* Source) override;

private:
    TGfxTextArrange alignText2Glyph_ = taRight;
    int offset_[2] = {0, 0};
    int spacing_ = 2;
    TGfxAlignment alignment_ = agTopLeft;
};

class TGfx3DCaption : public TGfxObject {
public:
    TGfxDisabledStyle DisabledStyle() const { return disabledStyle_; }
    std::uint8_t LightDepth() const { return depth_[0]; }
    std::uint8_t ShadowDepth() const { return depth_[1]; }
    TColor LightColor() const { return color_[0]; }
    TColor ShadowColor() const { return color_[1]; }
    TGfxThreeDStyle Style() const { return style_; }
    TGfxThreeDOrientation Orientation() const { return orientation_; }
    int Tracing() const { return tracing_; }

    void SetDisabledStyle(TGfxDisabledStyle v) { SetProp(disabledStyle_, v); }
    // Index 0 LightDepth, 1 ShadowDepth.
    void SetDepth(int index, std::uint8_t v) { SetProp(depth_[index == 0 ? 0 : 1], v); }
    void SetLightDepth(std::uint8_t v) { SetDepth(0, v); }
    void SetShadowDepth(std::uint8_t v) { SetDepth(1, v); }
    // Index 0 LightColor, 1 ShadowColor.
    void SetColor(int index, TColor v) { SetProp(color_[index == 0 ? 0 : 1], v); }
    void SetLightColor(TColor v) { SetColor(0, v); }
    void SetShadowColor(TColor v) { SetColor(1, v); }
    void SetStyle(TGfxThreeDStyle v) { SetProp(style_, v); }
    void SetOrientation(TGfxThreeDOrientation v) { SetProp(orientation_, v); }
    void SetTracing(int v) { SetProp(tracing_, v); }

    // From another 3D caption (a rotated one included): every setting but
    // Orientation, then one notification.
    void Assign(const TObject* Source) override;
    // "{" + the style's name + "}".
    QString GetDescription() const override;

protected:
    void CopyLook(const TGfx3DCaption& source);

private:
    TGfxDisabledStyle disabledStyle_ = dsAuto;
    std::uint8_t depth_[2] = {1, 1};
    TColor color_[2] = {clBtnHighlight, clBtnShadow};
    TGfxThreeDStyle style_ = tdNone;
    TGfxThreeDOrientation orientation_ = toTopLeft;
    int tracing_ = 0;
};

class TGfxFxCaption : public TGfx3DCaption {
public:
    TGfxAngle Angle() const { return angle_; }
    std::uint16_t PosX() const { return pos_[0]; }
    std::uint16_t PosY() const { return pos_[1]; }

    // 360 is stored as 0; any other value as given.
    void SetAngle(TGfxAngle v);
    // Index 0 PosX, 1 PosY; these notify.
    void SetPosIndex(int index, std::uint16_t v) { SetProp(pos_[index == 0 ? 0 : 1], v); }
    void SetPosX(std::uint16_t v) { SetPosIndex(0, v); }
    void SetPosY(std::uint16_t v) { SetPosIndex(1, v); }
    // Where the rotated text was drawn: stored without any notification.
    void SetPos(std::uint16_t x, std::uint16_t y);

    // From another rotated caption: the 3D look, position and angle; from a
    // plain 3D caption: its look only.
    void Assign(const TObject* Source) override;
    // The 3D description, with ", rot: <angle>}" when rotated.
    QString GetDescription() const override;

private:
    TGfxAngle angle_ = 0;
    std::uint16_t pos_[2] = {0, 0};
};
