#pragma once
// TGfxDrawEdge: one of the platform's 3-D edges drawn over the control's
// rectangle: a frame on the chosen sides (esEdge), a diagonal line
// (esDiagonal) or one of the library's standard borders (esStandard), soft
// or not, filled or not. It paints nothing else, not even its background.
// The main window puts one behind the fade-colour label and sinks it while
// the mouse button is down on the label.

#include "gfx_bevel.h"
#include "gfx_control.h"

#include <cstdint>

enum TGfxDiagonalStyle : std::uint8_t { dsEndBottomLeft, dsEndBottomRight, dsEndTopLeft, dsEndTopRight };
enum TGfxDrawEdgeStyle : std::uint8_t { esEdge, esDiagonal, esStandard };

// The edge and the flags one paint passes to the platform's edge drawing
// (the standard border's flags for esStandard, whose edge is 0).
struct TGfxDrawEdgeCall {
    unsigned Edge = 0;
    unsigned Flags = 0;
    friend bool operator==(const TGfxDrawEdgeCall&, const TGfxDrawEdgeCall&) = default;
};
TGfxDrawEdgeCall GfxDrawEdgeCall(TGfxDrawEdgeStyle Style, TGfxEdgeStyle EdgeStyle, TGfxFrameSides FrameSides,
                                 TGfxDiagonalStyle DiagonalStyle, bool Filled, bool Soft);

class TGfxDrawEdge : public TGfxControl {
public:
    // 40 x 40, an etched frame on all four sides.
    explicit TGfxDrawEdge(QWidget* AParent = nullptr);
    ~TGfxDrawEdge() override;

    // Each writer stores a value that differs and invalidates.
    TGfxDiagonalStyle DiagonalStyle() const { return diagonalStyle_; }
    void SetDiagonalStyle(TGfxDiagonalStyle Value) { SetProp(diagonalStyle_, Value); }
    TGfxEdgeStyle EdgeStyle() const { return edgeStyle_; }
    void SetEdgeStyle(TGfxEdgeStyle Value) { SetProp(edgeStyle_, Value); }
    TGfxFrameSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TGfxFrameSides Value) { SetProp(frameSides_, Value & fsAllSides); }
    TGfxBorderStyle StandardStyle() const { return standardStyle_; }
    void SetStandardStyle(TGfxBorderStyle Value) { SetProp(standardStyle_, Value); }
    TGfxDrawEdgeStyle Style() const { return style_; }
    void SetStyle(TGfxDrawEdgeStyle Value) { SetProp(style_, Value); }
    // Index 0 Filled, 1 Soft.
    bool Filled() const { return flags_[0]; }
    bool Soft() const { return flags_[1]; }
    void SetFlag(int Index, bool Value) { SetProp(flags_[Index == 0 ? 0 : 1], Value); }
    void SetFilled(bool Value) { SetFlag(0, Value); }
    void SetSoft(bool Value) { SetFlag(1, Value); }

    // A frame; pressed while its edge is sunken.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Border; }
    void AccessibleState(QAccessible::State& State) const override;

protected:
    void Paint() override;

private:
    // A property change only invalidates.
    void PropertyChanged() override { Invalidate(); }

    TGfxDiagonalStyle diagonalStyle_ = dsEndBottomLeft;
    TGfxEdgeStyle edgeStyle_ = etEtched;
    bool flags_[2] = {false, false};
    TGfxFrameSides frameSides_ = fsAllSides;
    TGfxBorderStyle standardStyle_ = lsSingleLowered;
    TGfxDrawEdgeStyle style_ = esEdge;
};
