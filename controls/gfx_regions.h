#pragma once
// Shaped regions: TGfxRegion turns a rectangle into a platform region
// (TGfxRgn) of one of eighteen shapes and paints a border along it;
// TGfxBorderRegion is the same with its border settings published. The form
// shape (widgets/gfx_formshape.h) gives a form such an outline.
//
// Shapes for a rectangle (L, T, R, B), W = R - L, H = B - T, integer
// division truncating, other products rounded to nearest (halves to even),
// polygons filled by the alternate rule; every shape stays inside its
// rectangle:
//   rsRect, rsRoundRect (corner ellipse RoundX x RoundY), rsElliptic
//   rsBitmap        the mask's stored region data, moved to (L, T); none
//                   without valid data
//   rsNoseRect, rsRoundNoseRect
//                   the rectangle less a nose of W div 10 at the side and
//                   end named by ExtPos, united with the nose triangle
//   rsStar, rsDiamond, rsOctagon, rsComb
//                   polygons of the rectangle's points
//   rsRoundShield, rsSharpShield
//                   a shield with a scalloped top edge
//   rsHalfRound     the lower half of an ellipse twice the rectangle's
//                   height, centred on its top edge
//   rsUserRegion    the stored region data, moved to (L, T); none without
//                   it (the rectangle while designing)
//   rsThinkBubble, rsRoundThinkBubble, rsEllipticThinkBubble
//                   a rectangle, round rectangle or ellipse less a tail
//                   strip of W div 6, with a tail of BubbleCount + 2
//                   shrinking circles along a quarter circle in the corner
//                   named by ExtPos
//   rsPointList     the polygon of Points (moved to (L, T)); the points'
//                   region is kept as the stored region data
// An active shadow takes its depth at the right and bottom: the outline is
// built for the smaller rectangle and the region holds it and its copy
// moved by the depth. The offset moves the whole region. A rectangle with
// no room left gives an empty region.

#include "gfx_object.h"
#include "gfx_regionmask.h"
#include "gfx_shape.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_region.h"

#include <QByteArray>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Bounds on a stored point list and on the region made of it: at most
// GfxMaxStoredPoints points, and a polygon whose scan (the rows it spans
// times its edges) takes at most GfxMaxPointListWork steps and gives at
// most GfxMaxPointListRects rectangles (1 MB of region data). An outline
// drawn by hand, a few hundred points round a form of a few thousand rows,
// gives a few thousand rectangles; past the bounds reading the list is
// refused as other bad stored data is (EReadError), and a list that code
// changes past them gives no region.
constexpr int GfxMaxStoredPoints = 4096;
constexpr long long GfxMaxPointListWork = 2'000'000;
constexpr int GfxMaxPointListRects = 65536;

enum TGfxRegionBorderStyle : std::uint8_t {
    rbNone, rbLowered, rbRaised, rbSingle, rbSingleRaised, rbSingleLowered, rbRaisedpsb, rbLoweredpsb
};

enum TGfxRegionShape : std::uint8_t {
    rsRect, rsRoundRect, rsBitmap, rsNoseRect, rsRoundNoseRect, rsElliptic, rsStar, rsRoundShield, rsSharpShield,
    rsDiamond, rsOctagon, rsComb, rsHalfRound, rsUserRegion, rsThinkBubble, rsRoundThinkBubble,
    rsEllipticThinkBubble, rsPointList
};

// The side and the end of that side at which a nose or a bubble tail sits.
enum TGfxExtPos : std::uint8_t {
    epLeftTop, epTopLeft, epTopRight, epRightTop, epRightBottom, epBottomRight, epBottomLeft, epLeftBottom
};

// The border drawn along a region's outline, two pixels wide:
//   rbSingle         SingleColor
//   rbRaised         upper-left half LightColor, lower-right half ShadowColor
//   rbSingleRaised   SingleColor, and the raised border one pixel inside
//   rbRaisedpsb      the raised border with SingleColor as its dark half,
//                    and ShadowColor one pixel inside that half
// The lowered styles exchange LightColor and ShadowColor.
class TGfxRegionBorder : public TGfxObject {
public:
    TGfxRegionBorderStyle Style() const { return style_; }
    void SetStyle(TGfxRegionBorderStyle Value) { SetProp(style_, Value); }
    TColor LightColor() const { return colors_[0]; }
    TColor ShadowColor() const { return colors_[1]; }
    TColor SingleColor() const { return colors_[2]; }
    // Index 0 LightColor, 1 ShadowColor, 2 SingleColor.
    void SetColorIndex(int Index, TColor Value);
    void SetLightColor(TColor Value) { SetColorIndex(0, Value); }
    void SetShadowColor(TColor Value) { SetColorIndex(1, Value); }
    void SetSingleColor(TColor Value) { SetColorIndex(2, Value); }

    void Assign(const TObject* Source) override;

private:
    TGfxRegionBorderStyle style_ = rbSingle;
    TColor colors_[3] = {clBtnHighlight, clBtnShadow, clBlack};
};

class TGfxRegion : public TGfxObject {
public:
    // The form whose client area the region shapes (none).
    explicit TGfxRegion(QObject* OwnerForm = nullptr);
    ~TGfxRegion() override;

    TGfxRegionShape Shape() const { return shape_; }
    // Setting rsPointList rebuilds the stored region from Points first.
    void SetShape(TGfxRegionShape Value);
    TGfxRegionBorder& Border() { return border_; }
    const TGfxRegionBorder& Border() const { return border_; }
    TGfxRegionMask& Mask() { return mask_; }
    const TGfxRegionMask& Mask() const { return mask_; }
    void SetMask(const TGfxRegionMask& Value) { mask_.Assign(&Value); }
    int BubbleCount() const { return bubbleCount_; }
    // At least 0.
    void SetBubbleCount(int Value);
    int RoundX() const { return round_[0]; }
    int RoundY() const { return round_[1]; }
    // Index 0 RoundX, 1 RoundY. A change notifies only for the shapes with
    // round corners (rsRoundRect, rsRoundNoseRect, rsRoundThinkBubble).
    void SetRound(int Index, int Value);
    void SetRoundX(int Value) { SetRound(0, Value); }
    void SetRoundY(int Value) { SetRound(1, Value); }
    TGfxExtPos ExtPos() const { return extPos_; }
    void SetExtPos(TGfxExtPos Value) { SetProp(extPos_, Value); }
    TGfxRgnShadow& Shadow() { return shadow_; }
    const TGfxRgnShadow& Shadow() const { return shadow_; }
    void SetShadow(const TGfxShadow& Value) { shadow_.Assign(&Value); }
    TPoint Offset() const { return offset_; }
    void SetOffset(TPoint Value) { SetProp(offset_, Value); }
    // Suppresses the painting of the shadow.
    bool NoShadowFill = false;
    // While designing, rsUserRegion shows its rectangle.
    bool Designing = false;
    TGfxPointList& Points() { return points_; }
    const TGfxPointList& Points() const { return points_; }

    QObject* OwnerForm() const { return ownerForm_; }
    void SetOwnerForm(QObject* Form) { ownerForm_ = Form; }
    // The stored region data (of Points, for rsPointList and rsUserRegion).
    const QByteArray& RegionData() const { return regionData_; }
    void SetRegionData(const QByteArray& Data) { regionData_ = Data; }

    // Builds the shape's region for the rectangle and keeps it as Region;
    // none when the shape has no region (rsBitmap or rsUserRegion without
    // data).
    const std::optional<TGfxRgn>& BuildRegion(const TRect& Rect);
    // The last region built.
    const std::optional<TGfxRgn>& Region() const { return region_; }
    // Replaces the kept region with the rectangle, unless the owner form is
    // gone.
    void SetRectRegion(const TRect& Rect);
    // The shape's outline for the rectangle, without shadow and offset.
    std::optional<TGfxRgn> Outline(const TRect& Rect) const;

    // The shadow (unless NoShadowFill) and the border along the outline for
    // the rectangle. rsBitmap and rsUserRegion draw no border. Leaves the
    // canvas with a hollow brush, a solid two-pixel pen and pen mode copy.
    void PaintBorder(TGfxCanvas& Canvas, const TRect& Rect);

    // The stored property "PointList": the points as pairs x, y; written
    // only when there are points; reading appends the pairs. A list that
    // would pass the bounds above is EReadError "Stream read error", and
    // the points stay as they were.
    bool PointListStored() const { return points_.Count() > 0; }
    std::vector<std::int32_t> WritePointList() const;
    void ReadPointList(std::span<const std::int32_t> Values);

    // Shape, RoundX, RoundY, Shadow, ExtPos, the border and the mask; one
    // notification.
    void Assign(const TObject* Source) override;

private:
    bool RoundShape() const;
    void RebuildFromPoints();
    // The stored region data of the points; none past the bounds.
    static std::optional<QByteArray> StoredRegionOf(const std::vector<TPoint>& Points);

    TGfxRegionShape shape_ = rsRoundRect;
    TGfxRegionBorder border_;
    TGfxRegionMask mask_;
    int bubbleCount_ = 4;
    int round_[2] = {20, 20};
    std::optional<TGfxRgn> region_;
    QPointer<QObject> ownerForm_;
    QByteArray regionData_;
    TGfxExtPos extPos_ = epLeftTop;
    TGfxRgnShadow shadow_;
    TPoint offset_{};
    TGfxPointList points_;
    // The region data of a list just read, built once while checking it.
    std::optional<QByteArray> readData_;
};

class TGfxBorderRegion : public TGfxRegion {
public:
    using TGfxRegion::TGfxRegion;
};
