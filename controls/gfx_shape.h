#pragma once
// The parts of a drawn shape and the two procedures that draw it: the
// bevel (TGfxSimpleBevel), the drop shadow (TGfxShadow), a toothed edge
// (TGfxTeeth) and the outline's points (TGfxPointList); GfxShapeOutline
// computes a shape's points, GfxPaintShape paints its shadow, body and
// bevel.
//
// The outline of a shape without teeth is its outer points followed by the
// same points moved inward by half the bevel width (the inset points, which
// the bevel lines follow). A shadow of depth d moves the shape box to start
// at (d, d); the painter draws the shadow there and the body and bevel d
// pixels up and to the left, so the shadow shows at the lower right. The
// rounded rectangle's third point is its corner size, not a position.

#include "gfx_object.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_graphics.h"
#include "platform/gfx_types.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

enum TGfxShapeType : std::uint8_t {
    stEllipse, stRectangle, stRoundRect, stDirectUp, stDirectRight, stDirectDown, stDirectLeft, stDiamond, stComb,
    stOctagon, stStar
};

using TGfxBevelWidth = std::uint8_t;  // 0..50
enum TGfxSimpleBevelStyle : std::uint8_t { sbNormal, sbInset, sbOffset };

// sbNormal strokes the outline in Color; sbInset draws the upper-left part
// of the inset outline in ShadowColor and the lower-right part in
// LightColor (sunken), sbOffset the reverse (raised).
class TGfxSimpleBevel : public TGfxObject {
public:
    static constexpr int MaxWidth = 50;

    TGfxBevelWidth Width() const { return width_; }
    // Limited to 0..50.
    void SetWidth(int Value);
    TGfxSimpleBevelStyle Style() const { return style_; }
    void SetStyle(TGfxSimpleBevelStyle Value) { SetProp(style_, Value); }
    TColor LightColor() const { return colors_[0]; }
    TColor ShadowColor() const { return colors_[1]; }
    TColor Color() const { return colors_[2]; }
    // Index 0 LightColor, 1 ShadowColor, 2 Color.
    void SetColorIndex(int Index, TColor Value);
    void SetLightColor(TColor Value) { SetColorIndex(0, Value); }
    void SetShadowColor(TColor Value) { SetColorIndex(1, Value); }
    void SetColor(TColor Value) { SetColorIndex(2, Value); }

    // The three colours, Width and Style, then one notification.
    void Assign(const TObject* Source) override;
    // "{Normal}", "{Inset}" or "{Offset}".
    QString GetDescription() const override;

private:
    TGfxBevelWidth width_ = 2;
    TGfxSimpleBevelStyle style_ = sbNormal;
    TColor colors_[3] = {clBtnHighlight, clBtnShadow, clBlack};
};

using TGfxShadowDepth = std::uint8_t;  // 0..40
enum TGfxShadowStyle : std::uint8_t { hssNone, hssSolid, hssTracing };

// hssSolid paints the shadow in Color; hssTracing lays the application's
// 8 x 8 checker of that colour over what lies below (only the coloured
// squares darken it).
class TGfxShadow : public TGfxObject {
public:
    static constexpr int MaxDepth = 40;

    TColor Color() const { return color_; }
    void SetColor(TColor Value) { SetProp(color_, Value); }
    TGfxShadowDepth Depth() const { return depth_; }
    // Limited to 0..40.
    void SetDepth(int Value);
    TGfxShadowStyle Style() const { return style_; }
    void SetStyle(TGfxShadowStyle Value) { SetProp(style_, Value); }
    // The room the shadow takes: Depth unless Style is hssNone.
    int Room() const { return style_ == hssNone ? 0 : depth_; }

    // Color, Depth and Style, then one notification.
    void Assign(const TObject* Source) override;
    // "{Disabled}" for hssNone, else "{solid, 6}" or "{tracing, 6}".
    QString GetDescription() const override;

protected:
    // Stores without notification (a descendant's starting style).
    void InitStyle(TGfxShadowStyle Value) { style_ = Value; }

private:
    TColor color_ = clBtnShadow;
    TGfxShadowDepth depth_ = 6;
    TGfxShadowStyle style_ = hssSolid;
};

using TGfxTeethCount = std::uint8_t;  // 0..50
// The edge of the shape box that carries the teeth.
enum TGfxDirection : std::uint8_t { tdRight, tdDown, tdLeft, tdUp };

// A zigzag along one edge. Width is the horizontal and Height the vertical
// extent of half a tooth: on the right or left edge the teeth step along the
// height by Height and reach Width deep; on the bottom or top edge they step
// along the width by Width and reach Height deep. With SetPerCount the step
// follows from Count (Count teeth, each of two steps). A step of 0, or a
// Count of 0, gives no teeth: the plain box.
class TGfxTeeth : public TGfxObject {
public:
    static constexpr int MaxCount = 50;

    TGfxTeethCount Count() const { return count_; }
    // Limited to 0..50.
    void SetCount(int Value);
    TGfxDirection Direction() const { return direction_; }
    void SetDirection(TGfxDirection Value) { SetProp(direction_, Value); }
    // Offset: the zigzag starts on the edge (true) or one depth inward.
    bool Offset() const { return flags_[0]; }
    bool SetPerCount() const { return flags_[1]; }
    // Index 0 Offset, 1 SetPerCount.
    void SetFlag(int Index, bool Value) { SetProp(flags_[Index == 0 ? 0 : 1], Value); }
    void SetOffset(bool Value) { SetFlag(0, Value); }
    void SetSetPerCount(bool Value) { SetFlag(1, Value); }
    int Width() const { return size_[0]; }
    int Height() const { return size_[1]; }
    // Index 0 Width, 1 Height.
    void SetSize(int Index, int Value) { SetProp(size_[Index == 0 ? 0 : 1], Value); }
    void SetWidth(int Value) { SetSize(0, Value); }
    void SetHeight(int Value) { SetSize(1, Value); }

    // The step computed from Count for the outline, stored without a
    // notification (the outline is being computed for the owner already).
    void StoreStep(int Index, int Value) { size_[Index == 0 ? 0 : 1] = Value; }

    void Assign(const TObject* Source) override;

private:
    TGfxTeethCount count_ = 10;
    TGfxDirection direction_ = tdRight;
    bool flags_[2] = {true, true};
    int size_[2] = {10, 0};
};

// Points packed one per 32-bit item: x in the upper 16 bits, y in the lower
// 16, each a signed 16-bit number (coordinates beyond -32768..32767 are
// taken as the nearest end of that range).
class TGfxPointList : public TObject {
public:
    TNotifyEvent OnChange;

    int Count() const { return static_cast<int>(items_.size()); }
    // (0, 0) for an index outside the list.
    TPoint GetPoint(int Index) const;
    // Ignored outside the list; then Changed.
    void SetPoint(int Index, TPoint Point);
    // Appends an item, SetPoint on it, then Changed again.
    void AddPoint(TPoint Point);
    void Clear();
    std::vector<TPoint> Points() const;

    // Changed fires OnChange only outside an update; the last EndUpdate
    // fires it once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Changed();

    static std::uint32_t Pack(TPoint Point);
    static TPoint Unpack(std::uint32_t Item);

private:
    std::vector<std::uint32_t> items_;
    int updateCount_ = 0;
};

// Adds (dx, dy) to every point (one notification).
void GfxOffsetPointList(TGfxPointList& List, int Dx, int Dy);
// Adds dx to x and dy to y of the first count points of the array (note the
// order of the two offsets).
void GfxOffsetPointArray(std::span<TPoint> Points, int Count, int Dy, int Dx);

// Fills the list with the outline of the shape for the rectangle's size
// (points relative to the rectangle's top-left). Without teeth: the outer
// points, then the inset points. With teeth: the polygon of the shape box
// with the toothed edge (SetPerCount stores the step it computes into the
// teeth). A shadow takes its depth as room at the top-left of the box; the
// square flag centres a square box.
void GfxShapeOutline(const TRect& Rect, TGfxShapeType ShapeType, TGfxTeeth* Teeth, TGfxPointList& List,
                     const TGfxShadow* Shadow, const TGfxSimpleBevel* Bevel, int RoundPercent, bool Square);

// Paints the shape into the rectangle: the shadow, the body in the fill
// brush (outlined in the bevel's colour for sbNormal), the fill bitmap
// through a mask of the shape when one is given, and the bevel lines. A
// missing point list is computed for the call; a missing shadow counts as
// one of depth 0. Leaves the canvas's pen and brush as it set them.
void GfxPaintShape(TGfxCanvas& Canvas, const TRect& Rect, TGfxShapeType ShapeType, TGfxTeeth* Teeth,
                   TGfxPointList* List, const TGfxShadow* Shadow, const TGfxSimpleBevel* Bevel, int RoundPercent,
                   const TGfxBrush& FillBrush, TGfxBitmap* FillBitmap, bool Square);

// GfxPaintShape keeps the last few pictures of fill bitmaps cut to their
// shape, each until its shape, size or fill bitmap's pixels change; this
// frees them.
void GfxDropShapeFillCache();

// The ten points of the five-pointed star in the box (L, T, R, B): the top
// tip (L + W div 2, T), then clockwise, each coordinate rounded from the
// box's width and height, halves to even.
void GfxStarPoints(const TRect& Box, std::vector<TPoint>& Out);

// Runs draw with the canvas clipped, within its own clipping, to the
// region (in logical coordinates); puts the clipping back afterwards.
void GfxWithClip(TGfxCanvas& Canvas, TGfxRgn Region, const std::function<void()>& Draw);

// The pixels on one side of the box's diagonal from its lower-left to its
// upper-right corner (the upper-left or the lower-right half), out to one
// box size beyond the box: how a two-coloured outline is split.
TGfxRgn GfxDiagonalHalf(const TRect& Box, bool UpperLeft);

// The application's 8 x 8 tracing checker in the colour, as a brush
// pattern; empty when the library is not initialised.
void GfxTracingPattern(TColor Colour, TGfxBitmap& Pattern);
