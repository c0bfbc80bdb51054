#pragma once
// TGfxLED: text drawn as 16-segment display digits, the clock's digital
// part. Each character cell has seven bars, two centre verticals, four
// diagonals and three dots; the segments a character lights come from its
// mask, the others show dimmed (a 50 % checker of the inactive colour over
// the cell background).
//
// The geometry of a cell follows from three sizes (t = Thickness, h =
// Horzsize, v = Vertsize): a cell is h + 5t wide and 2v + 7t high. Every
// segment is a polygon of six points; a diagonal whose horizontal or
// vertical extent is 0 is empty (it draws nothing) rather than left over
// from the sizes before.

#include "gfx_object.h"
#include "platform/gfx_bitmap.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_types.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

// The segments of a cell, by bit of the mask.
enum TGfxLEDSegment : int {
    lsgTop, lsgUpperLeft, lsgUpperRight, lsgMiddle, lsgLowerLeft, lsgLowerRight, lsgBottom, lsgUpperCentre,
    lsgLowerCentre, lsgUpperLeftDiagonal, lsgUpperRightDiagonal, lsgLowerLeftDiagonal, lsgLowerRightDiagonal,
    lsgCentreDot, lsgTopDot, lsgBottomDot
};
constexpr int GfxLEDSegmentCount = 16;

struct TGfxLEDPolygon {
    std::array<TPoint, 6> Points{};
    bool Empty = false;  // draws nothing
    friend bool operator==(const TGfxLEDPolygon&, const TGfxLEDPolygon&) = default;
};
using TGfxLEDGeometry = std::array<TGfxLEDPolygon, GfxLEDSegmentCount>;

// The segments a character lights (letters in either case alike); 0 for a
// character the display has no picture for, the space included.
std::uint16_t GfxLEDSegmentMask(QChar c);
// The sixteen segment polygons of a cell, relative to its top-left corner.
TGfxLEDGeometry GfxLEDSegments(int Thickness, int Horzsize, int Vertsize);

class TGfxLED : public TGfxObject {
public:
    TGfxLED();
    ~TGfxLED() override;

    // The colour writer by index: 0 ActiveColor, 1 InActiveColor, 2 the
    // cell background. A change rebuilds the cell and notifies.
    TColor ActiveColor() const { return colors_[0]; }
    TColor InActiveColor() const { return colors_[1]; }
    TColor CellColor() const { return colors_[2]; }
    void SetColor(int Index, TColor Value);
    void SetActiveColor(TColor Value) { SetColor(0, Value); }
    void SetInActiveColor(TColor Value) { SetColor(1, Value); }
    void SetCellColor(TColor Value) { SetColor(2, Value); }

    // The size writer by index: 1 Horzsize, 2 Thickness, 3 Vertsize. A
    // change rebuilds the cell and notifies.
    std::uint8_t Horzsize() const { return sizes_[0]; }
    std::uint8_t Thickness() const { return sizes_[1]; }
    std::uint8_t Vertsize() const { return sizes_[2]; }
    void SetSize(int Index, std::uint8_t Value);
    void SetHorzsize(std::uint8_t Value) { SetSize(1, Value); }
    void SetThickness(std::uint8_t Value) { SetSize(2, Value); }
    void SetVertsize(std::uint8_t Value) { SetSize(3, Value); }

    // When set, a disabled owner shows no lit segment.
    bool DisabledDigits() const { return disabledDigits_; }
    void SetDisabledDigits(bool Value) { SetProp(disabledDigits_, Value); }

    // While flashing, every second text drawn shows unlit cells only.
    virtual void StartFlash() { flashing_ = true; }
    virtual void StopFlash();
    bool Flashing() const { return flashing_; }

    int CellWidth() const { return Horzsize() + 5 * Thickness(); }
    int CellHeight() const { return 2 * Vertsize() + 7 * Thickness(); }
    // Of the last text: its rows and the longest row in characters.
    int LineCount() const { return lineCount_; }
    int ColCount() const { return colCount_; }
    QString Text() const { return text_; }
    const TGfxLEDGeometry& Segments() const { return geometry_; }

    // Draws the text from the rectangle's top-left, one cell per character
    // (32 and above), a CR starting the next row; other control characters
    // take no cell. With Paint false only the row and column counts are
    // computed.
    void DrawText(TGfxCanvas& Canvas, const TRect& Rect, const QString& Text, bool Paint, bool Enabled);

    // From another display: the sizes, DisabledDigits and the two segment
    // colours (not the cell background), then a rebuild and one notification.
    void Assign(const TObject* Source) override;

private:
    void Rebuild();

    TColor colors_[3] = {clLime, clGreen, clBlack};
    std::uint8_t sizes_[3] = {9, 2, 7};  // Horzsize, Thickness, Vertsize
    bool flashing_ = false;
    bool flashPhase_ = false;
    bool disabledDigits_ = true;
    int lineCount_ = 0;
    int colCount_ = 0;
    TGfxLEDGeometry geometry_{};
    std::unique_ptr<TGfxBitmap> cell_;
    QString text_;
};
