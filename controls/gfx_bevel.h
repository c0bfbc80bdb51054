#pragma once
// TGfxBevel: the frame of the library's bevelled controls. It describes one
// of four framing modes, keeps the width the frame takes from each side,
// paints the frame into a rectangle and returns the rectangle inside it.
//
//   bmCustom    an outer and an inner bevel (GfxDrawBevel) with a flat ring
//               of BorderWidth between them, or the shadow bevel
//               (bvShadow, always set on both sides together)
//   bmStandard  a standard border style (GfxDrawBorder)
//   bmEdge      the platform's 3-D edge on the chosen sides
//   bmWindows   the window-like sunken border (lsLoweredExt)
//
// Every mode ends with a flat ring of BorderInnerWidth. A transparent owner
// gets the flat rings as empty space; an opaque one gets them painted in
// BorderColor. Each property write stores a value that differs and then
// runs the change operation, which recomputes the widths before the owner
// hears of it.

#include "gfx_draw.h"
#include "gfx_object.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_types.h"

#include <QString>

#include <cstdint>

using TGfxBevelWidth = std::uint8_t;
using TGfxBorderWidth = std::uint8_t;

enum TGfxFrameSide : unsigned { fsBottom = 1, fsLeft = 2, fsRight = 4, fsTop = 8 };
using TGfxFrameSides = unsigned;
constexpr TGfxFrameSides fsAllSides = fsBottom | fsLeft | fsRight | fsTop;

enum TGfxEdgeStyle : std::uint8_t {
    etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken
};

enum TGfxBevelMode : std::uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };

class TGfxBevel : public TGfxObject {
public:
    TGfxBevel() { Recompute(); }

    TGfxBevelStyle StyleInner() const { return styleInner_; }
    TGfxBevelStyle StyleOuter() const { return styleOuter_; }
    // bvShadow is a pair: setting one side to it sets the other too, and
    // leaving it on one side resets the other to bvNone.
    void SetStyleInner(TGfxBevelStyle Value) { SetStyle(styleInner_, styleOuter_, Value); }
    void SetStyleOuter(TGfxBevelStyle Value) { SetStyle(styleOuter_, styleInner_, Value); }
    TGfxBevelWidth WidthInner() const { return widthInner_; }
    TGfxBevelWidth WidthOuter() const { return widthOuter_; }
    void SetWidthInner(TGfxBevelWidth Value) { SetProp(widthInner_, Value); }
    void SetWidthOuter(TGfxBevelWidth Value) { SetProp(widthOuter_, Value); }

    // The three colours share one accessor: 0 BorderColor, 1 LightColor,
    // 2 ShadowColor.
    TColor BorderColor() const { return colors_[0]; }
    TColor LightColor() const { return colors_[1]; }
    TColor ShadowColor() const { return colors_[2]; }
    void SetColor(int Index, TColor Value);
    void SetBorderColor(TColor Value) { SetColor(0, Value); }
    void SetLightColor(TColor Value) { SetColor(1, Value); }
    void SetShadowColor(TColor Value) { SetColor(2, Value); }

    TGfxBorderWidth BorderInnerWidth() const { return borderInnerWidth_; }
    TGfxBorderWidth BorderWidth() const { return borderWidth_; }
    void SetBorderInnerWidth(TGfxBorderWidth Value) { SetProp(borderInnerWidth_, Value); }
    void SetBorderWidth(TGfxBorderWidth Value) { SetProp(borderWidth_, Value); }
    TGfxFrameSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TGfxFrameSides Value) { SetProp(borderSides_, Value & fsAllSides); }
    TGfxEdgeStyle EdgeStyle() const { return edgeStyle_; }
    void SetEdgeStyle(TGfxEdgeStyle Value) { SetProp(edgeStyle_, Value); }
    TGfxBevelMode Mode() const { return mode_; }
    void SetMode(TGfxBevelMode Value);
    TGfxBorderStyle StandardStyle() const { return standardStyle_; }
    // Notifies only while Mode is bmStandard (the style shows in no other).
    void SetStandardStyle(TGfxBorderStyle Value);

    // The owner draws bmWindows as its window's own border. Nothing in this
    // program sets it; the bevel panels ask WindowBorderChanged.
    bool WindowBorder() const { return windowBorder_; }
    void SetWindowBorder(bool Value) { windowBorder_ = Value; }
    // True when Mode switched to or from bmWindows while WindowBorder was
    // set, or when Mode is bmWindows with WindowBorder set; clears the
    // switch in every case.
    bool WindowBorderChanged();

    // The width the frame takes from each side.
    int TotalWidth() const { return totalWidth_; }
    // WidthInner + WidthOuter + BorderInnerWidth for the shadow bevel (which
    // takes more at the right and bottom), else the total width.
    int ShadowExtent() const { return shadowExtent_; }

    // The rectangle inside the frame.
    TRect InnerRect(const TRect& Rect) const;
    // Draws the frame into the rectangle and returns the rectangle inside
    // it. Nothing is drawn when the total width is 0.
    TRect Paint(TGfxCanvas& Canvas, const TRect& Rect, bool Transparent) const;

    // From another bevel every property and the window-border flag, with
    // one notification; anything else is refused as by TGfxObject.
    void Assign(const TObject* Source) override;
    // "{Custom style}", "{Standard style}", "{Edged style}", "{Windows style}".
    QString GetDescription() const override;
    // Recomputes the widths, then notifies.
    void DoChange() override;

private:
    void SetStyle(TGfxBevelStyle& field, TGfxBevelStyle& other, TGfxBevelStyle Value);
    void Recompute();
    bool IsShadow() const { return mode_ == bmCustom && styleInner_ == bvShadow; }
    // A flat ring of width w in BorderColor (or empty space when transparent).
    void Ring(TGfxCanvas& Canvas, TRect& Rect, int w, bool Transparent) const;

    TGfxBevelStyle styleInner_ = bvNone;
    TGfxBevelStyle styleOuter_ = bvNone;
    TGfxBevelWidth widthInner_ = 1;
    TGfxBevelWidth widthOuter_ = 1;
    TColor colors_[3] = {clBtnFace, clBtnHighlight, clBtnShadow};
    TGfxBorderWidth borderInnerWidth_ = 0;
    TGfxBorderWidth borderWidth_ = 0;
    TGfxFrameSides borderSides_ = fsAllSides;
    TGfxEdgeStyle edgeStyle_ = etEtched;
    int totalWidth_ = 0;
    int shadowExtent_ = 0;
    TGfxBevelMode mode_ = bmCustom;
    TGfxBorderStyle standardStyle_ = lsSingleLowered;
    bool windowBorder_ = false;
    bool windowBorderChanged_ = false;
};
