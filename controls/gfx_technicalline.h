#pragma once
// TGfxTechnicalLine: a connector line drawn inside the control's bounds:
// straight, diagonal, a right-angled edge or a quarter-circle curve, with a
// sign (arrow head, circle, box...) at its start, its end or both, an
// optional drop shadow, and an optional hit test that lets only clicks on
// the drawn shape through. The HD15 window's pin marker is one: a clear
// line and a small red circle at its end.
//
// The geometry is data: the route, the sign boxes and the sign shapes are
// computed by the functions below from the drawing rectangle's size, so
// they can be read without drawing. All coordinates are relative to the
// drawing rectangle (the client area, or the area inside the bevel, shrunk
// by pen width div 2 + 1 on every side); divisions round toward zero.

#include "gfx_graphiccontrol.h"
#include "platform/gfx_graphics.h"
#include "platform/gfx_region.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

enum TGfxTechnicalLineTypes : std::uint8_t {
    lsStraightLeftToRight, lsStraightTopToBottom, lsTopLeftToBottomRight, lsBottomLeftToTopRight, lsTopLeftEdge,
    lsBottomLeftEdge, lsTopRightEdge, lsBottomRightEdge, lsTopLeftCurve, lsBottomLeftCurve, lsTopRightCurve,
    lsBottomRightCurve
};

// The open arrows run Up, Down, Right, Left and the closed ones Up, Down,
// Left, Right.
enum TGfxLineEndings : std::uint8_t {
    leNothing, leOpenArrowUp, leOpenArrowDown, leOpenArrowRight, leOpenArrowLeft, leClosedArrowUp,
    leClosedArrowDown, leClosedArrowLeft, leClosedArrowRight, leDiamond, leCircle, leRectangle, leRoundRect,
    leParallelogramm, leComb, leHalfCircleLeft, leHalfCircleRight, leHalfCircleUp, leHalfCircleDown
};

enum TGfxSignPlaces : std::uint8_t { spEnd, spStart, spBoth, spNoWhere };

// The route: a polyline, or a counter-clockwise arc of the ellipse in
// ArcBox (as computed, possibly with its corners swapped) from the radial
// through ArcStart to the radial through ArcEnd.
struct TGfxLineRoute {
    bool IsArc = false;
    std::vector<TPoint> Points;
    TRect ArcBox{};
    TPoint ArcStart{};
    TPoint ArcEnd{};
    friend bool operator==(const TGfxLineRoute&, const TGfxLineRoute&) = default;
};

// The sizes a drawing works with: W and H of the drawing rectangle, p =
// pen width div 2, S = SignSize and d = the shadow depth (0 without a
// visible shadow).
struct TGfxLineMetrics {
    int W = 0;
    int H = 0;
    int p = 0;
    int S = 0;
    int d = 0;
};

TGfxLineRoute GfxTechnicalLineRoute(TGfxTechnicalLineTypes Type, TGfxSignPlaces Places, const TGfxLineMetrics& M);
// The boxes of the start and end signs (the same for every sign place).
void GfxTechnicalLineSignBoxes(TGfxTechnicalLineTypes Type, const TGfxLineMetrics& M, TRect& Start, TRect& End);

// What a sign draws in its box.
struct TGfxSignShape {
    enum TKind : std::uint8_t { skNone, skLines, skPolygon, skEllipse, skRectangle, skRoundRect, skPie };
    TKind Kind = skNone;
    std::vector<TPoint> Points;  // skLines, skPolygon
    TRect Box{};                 // the box after the pen's shrink
    int CornerW = 0;             // skRoundRect
    int CornerH = 0;
    TPoint From{};  // skPie: counter-clockwise from the radial through From
    TPoint To{};    // to the radial through To
    friend bool operator==(const TGfxSignShape&, const TGfxSignShape&) = default;
};
TGfxSignShape GfxTechnicalLineSign(TGfxLineEndings Sign, const TRect& Box, int PenWidth);

// The signs that point away from the line along a route, as Arrowed turns
// them: an open or closed arrow stays open or closed; any other sign is
// returned as it is.
TGfxLineEndings GfxArrowForRoute(TGfxTechnicalLineTypes Type, TGfxLineEndings Sign, bool AtStart);

class TGfxTechnicalLine : public TGfxGraphicControl {
public:
    // 130 x 45, a straight line from left to right with a closed arrow at
    // its end, transparent.
    explicit TGfxTechnicalLine(QWidget* AParent = nullptr);
    ~TGfxTechnicalLine() override;

    // Writers store a value that differs and invalidate, with the
    // exceptions noted.
    TGfxTechnicalLineTypes LineType() const { return lineType_; }
    // With Arrowed, turns the arrow signs to point away along the new route.
    void SetLineType(TGfxTechnicalLineTypes Value);
    TGfxLineEndings LineEndingsign() const { return endSign_; }
    // Invalidates only while the end sign shows (spEnd, spBoth).
    void SetLineEndingsign(TGfxLineEndings Value);
    TGfxLineEndings LineStartSign() const { return startSign_; }
    // Invalidates only while the start sign shows (spStart, spBoth).
    void SetLineStartSign(TGfxLineEndings Value);
    // The line's pen; a change repaints.
    TGfxPen& LineSettings() { return *pen_; }
    const TGfxPen& LineSettings() const { return *pen_; }
    void SetLineSettings(const TGfxPen& Value) { pen_->Assign(Value); }
    bool Arrowed() const { return arrowed_; }
    void SetArrowed(bool Value) { SetProp(arrowed_, Value); }
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int Value) { SetProp(shadowDepth_, Value); }
    int SignSize() const { return signSize_; }
    void SetSignSize(int Value) { SetProp(signSize_, Value); }
    TGfxSignPlaces SignPlaces() const { return signPlaces_; }
    void SetSignPlaces(TGfxSignPlaces Value) { SetProp(signPlaces_, Value); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor Value) { SetProp(shadowColor_, Value); }
    // clNone: the signs are not filled.
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor Value) { SetProp(fillColor_, Value); }
    bool ShadowVisible() const { return shadowVisible_; }
    void SetShadowVisible(bool Value) { SetProp(shadowVisible_, Value); }
    // A plain field: with it, the next paint builds the hit region, and
    // from then on a left button pressed or released off the drawn shape is
    // dropped (no mouse-down, mouse-up or click).
    bool ShapeOnly = false;

    // The drawing rectangle in control coordinates.
    TRect DrawingRect() const;
    TGfxLineMetrics Metrics() const;
    // The sign boxes in control coordinates.
    TRect StartSignBox() const;
    TRect EndSignBox() const;
    // The hit region of the last paint with ShapeOnly (control coordinates).
    const std::optional<TGfxRgn>& HitRegion() const { return hitRegion_; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }

    bool ShowDesignFrame() const override { return false; }

protected:
    void Paint() override;
    bool event(QEvent* e) override;

private:
    // A property change only invalidates.
    void PropertyChanged() override { Invalidate(); }
    void DrawRoute(TGfxCanvas& canvas, const TRect& area);
    void DrawSign(TGfxCanvas& canvas, TGfxLineEndings sign, const TRect& box, const TGfxLineMetrics& m);
    void Stroke(TGfxCanvas& canvas, const TGfxLineRoute& route, int dx, int dy);

    TGfxTechnicalLineTypes lineType_ = lsStraightLeftToRight;
    TGfxLineEndings endSign_ = leClosedArrowRight;
    TGfxLineEndings startSign_ = leNothing;
    std::unique_ptr<TGfxPen> pen_;
    bool arrowed_ = false;
    int shadowDepth_ = 6;
    int signSize_ = 40;
    TGfxSignPlaces signPlaces_ = spEnd;
    TColor shadowColor_ = clBtnShadow;
    TColor fillColor_ = clNone;
    bool shadowVisible_ = false;
    std::optional<TGfxRgn> hitRegion_;
};
