// The caption sub-objects: defaults, indexed accessors, the angle rule,
// silent positions, Assign between the classes and the descriptions.
#include "gfx_captions.h"
#include "gfx_gradient.h"
#include "platform/gfx_exceptions.h"

#include <gtest/gtest.h>

namespace {

template <class T>
struct Counted {
    Counted()
    {
        obj.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &obj);
            ++changes;
        };
    }
    T obj;
    int changes = 0;
};

TEST(Captions, Defaults)
{
    TGfxGlyphTextLayout layout;
    EXPECT_EQ(layout.AlignText2Glyph(), taRight);
    EXPECT_EQ(layout.Spacing(), 2);
    EXPECT_EQ(layout.Alignment(), agTopLeft);
    TGfxFxCaption fx;
    EXPECT_EQ(fx.DisabledStyle(), dsAuto);
    EXPECT_EQ(fx.LightDepth(), 1);
    EXPECT_EQ(fx.ShadowDepth(), 1);
    EXPECT_EQ(static_cast<std::int32_t>(fx.LightColor()), -16777196);  // button highlight
    EXPECT_EQ(static_cast<std::int32_t>(fx.ShadowColor()), -16777200);  // button shadow
    EXPECT_EQ(fx.Style(), tdNone);
    EXPECT_EQ(fx.Orientation(), toTopLeft);
    EXPECT_EQ(fx.Angle(), 0);
}

TEST(Captions, IndexedAccessorsWriteTheirOwnField)
{
    Counted<TGfxFxCaption> c;
    c.obj.SetDepth(1, 4);
    c.obj.SetColor(0, clRed);
    c.obj.SetPosIndex(1, 7);
    c.obj.SetPosIndex(1, 7);  // unchanged: nothing
    EXPECT_EQ(c.obj.LightDepth(), 1);
    EXPECT_EQ(c.obj.ShadowDepth(), 4);
    EXPECT_EQ(c.obj.LightColor(), clRed);
    EXPECT_EQ(c.obj.PosX(), 0);
    EXPECT_EQ(c.obj.PosY(), 7);
    EXPECT_EQ(c.changes, 3);
    Counted<TGfxGlyphTextLayout> l;
    l.obj.SetOffset(0, -3);
    l.obj.SetOffsetY(5);
    EXPECT_EQ(l.obj.OffsetX(), -3);
    EXPECT_EQ(l.obj.OffsetY(), 5);
    EXPECT_EQ(l.changes, 2);
}

TEST(Captions, AngleOf360IsStoredAsZero)
{
    Counted<TGfxFxCaption> c;
    c.obj.SetAngle(0);
    EXPECT_EQ(c.changes, 0);
    c.obj.SetAngle(360);
    EXPECT_EQ(c.obj.Angle(), 0);
    EXPECT_EQ(c.changes, 1);
    c.obj.SetAngle(90);
    c.obj.SetAngle(360);
    EXPECT_EQ(c.obj.Angle(), 0);
    EXPECT_EQ(c.changes, 3);
}

TEST(Captions, SetPosNeverNotifies)
{
    Counted<TGfxFxCaption> c;
    c.obj.SetPos(12, 34);
    EXPECT_EQ(c.obj.PosX(), 12);
    EXPECT_EQ(c.obj.PosY(), 34);
    EXPECT_EQ(c.changes, 0);
    c.obj.SetStyle(tdRaised);  // and notifications work again afterwards
    EXPECT_EQ(c.changes, 1);
}

TEST(Captions, AssignCopiesTheLookOnce)
{
    TGfxFxCaption source;
    source.SetStyle(tdExtrude);
    source.SetDisabledStyle(ds3d);
    source.SetLightDepth(3);
    source.SetShadowDepth(5);
    source.SetShadowColor(clRed);
    source.SetTracing(2);
    source.SetOrientation(toBottomRight);
    source.SetAngle(45);
    source.SetPos(9, 8);

    Counted<TGfx3DCaption> plain;
    plain.obj.Assign(&source);
    EXPECT_EQ(plain.changes, 1);
    EXPECT_EQ(plain.obj.Style(), tdExtrude);
    EXPECT_EQ(plain.obj.DisabledStyle(), ds3d);
    EXPECT_EQ(plain.obj.ShadowDepth(), 5);
    EXPECT_EQ(plain.obj.ShadowColor(), clRed);
    EXPECT_EQ(plain.obj.Tracing(), 2);
    EXPECT_EQ(plain.obj.Orientation(), toTopLeft);  // not copied

    Counted<TGfxFxCaption> rotated;
    rotated.obj.Assign(&source);
    EXPECT_EQ(rotated.changes, 1);
    EXPECT_EQ(rotated.obj.Angle(), 45);
    EXPECT_EQ(rotated.obj.PosX(), 9);
    EXPECT_EQ(rotated.obj.PosY(), 8);

    // From a plain 3D caption a rotated one takes the look only.
    Counted<TGfxFxCaption> fromPlain;
    fromPlain.obj.SetAngle(30);
    fromPlain.changes = 0;
    fromPlain.obj.Assign(&plain.obj);
    EXPECT_EQ(fromPlain.obj.Style(), tdExtrude);
    EXPECT_EQ(fromPlain.obj.Angle(), 30);
    EXPECT_EQ(fromPlain.changes, 1);

    rotated.obj.Assign(&rotated.obj);  // itself: nothing
    EXPECT_EQ(rotated.changes, 1);

    Counted<TGfxGlyphTextLayout> layout;
    TGfxGlyphTextLayout other;
    other.SetAlignment(agBottomRight);
    other.SetAlignText2Glyph(taTopLeft);
    other.SetOffsetX(4);
    other.SetSpacing(9);
    layout.obj.Assign(&other);
    EXPECT_EQ(layout.changes, 1);
    EXPECT_EQ(layout.obj.Alignment(), agBottomRight);
    EXPECT_EQ(layout.obj.AlignText2Glyph(), taTopLeft);
    EXPECT_EQ(layout.obj.OffsetX(), 4);
    EXPECT_EQ(layout.obj.Spacing(), 9);
}

TEST(Captions, AssignFromAnotherClassIsAConversionError)
{
    TGfx3DCaption caption;
    TGfxGradient gradient;
    const struct { TGfxObject* target; const TObject* source; const char* message; } cases[] = {
        {&caption, &gradient, "Cannot assign a TGfxGradient to a TGfx3DCaption"},
        {&caption, nullptr, "Cannot assign a nil to a TGfx3DCaption"},
        {&gradient, &caption, "Cannot assign a TGfx3DCaption to a TGfxGradient"},
    };
    for (const auto& c : cases) {
        try {
            c.target->Assign(c.source);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
            EXPECT_EQ(e.ClassName(), QStringLiteral("EConvertError"));
        }
    }
}

TEST(Captions, Descriptions)
{
    const struct { TGfxThreeDStyle style; int angle; const char* text; } cases[] = {
        {tdNone, 0, "{Disabled}"},
        {tdSunken, 0, "{sunken}"},
        {tdPColorSunken, 0, "{PColor sunken}"},
        {tdExtrudeEnh, 0, "{extrude enh}"},
        {tdShadow, 45, "{shadow, rot: 45}"},
        {tdNone, 90, "{ rot: 90}"},
    };
    for (const auto& c : cases) {
        TGfxFxCaption fx;
        fx.SetStyle(c.style);
        fx.SetAngle(static_cast<TGfxAngle>(c.angle));
        EXPECT_EQ(fx.GetDescription(), QString::fromLatin1(c.text));
    }
    TGfx3DCaption plain;
    plain.SetStyle(tdOutline);
    EXPECT_EQ(plain.GetDescription(), QStringLiteral("{outline}"));
    EXPECT_EQ(TGfxGlyphTextLayout().GetDescription(), QString());
}

}  // namespace
