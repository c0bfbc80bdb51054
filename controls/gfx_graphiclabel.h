#pragma once
// TGfxGraphicLabel: a caption drawn one character at a time along one of
// eighteen text transforms (a wave, a half circle, an arrow, growing and
// shrinking letters, stairs, noses...), with optional perspective copies,
// the 3D look of its FontFX, a baseline angle, and an optional fill
// (brush, bitmap or gradient) that shows through the letters. The main
// window's fade-colour label is one: its gradient shows the transition
// colour.
//
// The character engine below works on any canvas: GfxTransformCharPos
// places one character (its point, font size and escapement),
// GfxDrawTransformedText draws a whole text into a rectangle and
// GfxTransformTextExtent measures it. A character's size never drops below
// a quarter of the font size, and the perspective depth is limited, so no
// text draws invisible letters or stalls the paint.

#include "gfx_captions.h"
#include "gfx_fill.h"
#include "gfx_graphiccontrol.h"
#include "platform/gfx_canvas.h"
#include "platform/gfx_graphics.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// (Scoped: the fill's tile modes also have a tmNone.)
enum class TGfxTransLabelTypes : std::uint8_t {
    tmWave, tmNone, tmHalfcircle, tmArrow, tmSpeaker, tmInvSpeaker, tmFly, tmChair, tmStairs, tmInvStairs, tmBuckled,
    tmEnterprise, tmLNoseUp, tmLNoseDown, tmRNoseUp, tmRNoseDown, tmCube, tmHalfmoon
};
constexpr int GfxTransLabelTypeCount = 18;

// The attributes, a set.
using TGfxTransLabelAttr = unsigned;
constexpr TGfxTransLabelAttr taPerspective = 0x1;   // perspective copies behind each letter
constexpr TGfxTransLabelAttr taToggled = 0x2;       // every letter turned by Toggle degrees more
constexpr TGfxTransLabelAttr taAutoToggled = 0x4;   // letters turned by their transform and the baseline
constexpr TGfxTransLabelAttr taEqualLetters = 0x8;  // one cell for every letter (wave and none)

enum TGfxPerspective : std::uint8_t { tpFrog, tpBird };
using TGfxToggle = std::int16_t;  // -180..180

// The settings of a transformed text beside its font and FontFX.
struct TGfxTextTransform {
    TGfxTransLabelTypes Transform = TGfxTransLabelTypes::tmWave;
    int Toggle = 0;
    int Factor = 5;
    bool InvertCaption = false;
    TGfxPerspective Perspective = tpBird;
    int PerspectiveDepth = 5;
    TGfxTransLabelAttr Attributes = taAutoToggled;
};

// Where and how one character is drawn.
struct TGfxCharPlacement {
    TPoint At{};         // the baseline point of the character
    int Size = 0;        // font size in points
    int Rotation = 0;    // the transform's own turn (tenths of a degree)
    int Escapement = 0;  // the turn drawn (tenths of a degree)
    int CellWidth = 0;   // the advance
    int CellHeight = 0;
};

// Character I (1..N) at the pen point: sets the canvas's font to the
// character's and returns its placement. EqualCell is the widest and
// tallest character of the text (taEqualLetters).
TGfxCharPlacement GfxTransformCharPos(TGfxCanvas& Canvas, const TGfxFont& Font, const TGfxFxCaption& FontFX,
                                      const TGfxTextTransform& T, QChar Ch, int I, int N, TPoint Pen,
                                      TGfxSize EqualCell);
// The placements of every character as GfxDrawTransformedText draws them.
std::vector<TGfxCharPlacement> GfxTransformedLayout(TGfxCanvas& Canvas, const TRect& Rect, const TGfxFont& Font,
                                                    const TGfxFxCaption& FontFX, const QString& Text,
                                                    const TGfxTextTransform& T);
// Draws the text in the rectangle, placed by its left and bottom edges; a
// text of fewer than two characters draws nothing. Nothing is drawn left
// of or below the rectangle.
void GfxDrawTransformedText(TGfxCanvas& Canvas, const TRect& Rect, const TGfxFont& Font, const TGfxFxCaption& FontFX,
                            const QString& Text, const TGfxTextTransform& T);
// The size the transformed text needs, as a rectangle at (0, 0): drawn
// into a rectangle of that size, all of it lies inside, at any angle and
// under any transform (the line's rise along an angled baseline, the
// curves, the letters' turns and their 3D and perspective copies).
TRect GfxTransformTextExtent(const TGfxFont& Font, const TGfxFxCaption& FontFX, const QString& Text,
                             const TGfxTextTransform& T);

class TGfxCustomGraphicLabel : public TGfxGraphicControl {
public:
    static constexpr int MaxPerspectiveDepth = 100;

    // Opaque, a wave in "Arial" of 24 points, no fill.
    explicit TGfxCustomGraphicLabel(QWidget* AParent = nullptr);
    ~TGfxCustomGraphicLabel() override;

    // Every writer stores a changed value and repaints, except that
    // Toggle repaints only with taToggled and PerspectiveDepth only with
    // taPerspective.
    TGfxToggle Toggle() const { return toggle_; }
    void SetToggle(int Value);
    TGfxFxCaption& FontFX() { return *fontFX_; }
    const TGfxFxCaption& FontFX() const { return *fontFX_; }
    void SetFontFX(const TGfxFxCaption& Value) { fontFX_->Assign(&Value); }
    int PerspectiveDepth() const { return perspectiveDepth_; }
    int Factor() const { return factor_; }
    // Index 2 Factor, 4 PerspectiveDepth (limited to 0..MaxPerspectiveDepth).
    void SetIndexValue(int Index, int Value);
    void SetFactor(int Value) { SetIndexValue(2, Value); }
    void SetPerspectiveDepth(int Value) { SetIndexValue(4, Value); }
    TGfxTransLabelTypes Transform() const { return transform_; }
    void SetTransform(TGfxTransLabelTypes Value) { SetProp(transform_, Value); }
    TGfxTransLabelAttr Attributes() const { return attributes_; }
    void SetAttributes(TGfxTransLabelAttr Value) { SetProp(attributes_, Value & 0xF); }
    TGfxPerspective Perspective() const { return perspective_; }
    void SetPerspective(TGfxPerspective Value) { SetProp(perspective_, Value); }
    bool AutoSize() const { return flags_[0]; }
    bool InvertCaption() const { return flags_[1]; }
    // Index 1 AutoSize, 2 InvertCaption.
    void SetFlag(int Index, bool Value) { SetProp(flags_[Index == 1 ? 0 : 1], Value); }
    void SetAutoSize(bool Value) { SetFlag(1, Value); }
    void SetInvertCaption(bool Value) { SetFlag(2, Value); }
    TGfxFillObject& FillObject() { return *fill_; }
    const TGfxFillObject& FillObject() const { return *fill_; }
    void SetFillObject(const TGfxFillObject& Value) { fill_->Assign(&Value); }
    // The mask's background and the base colour of an sfBrush fill.
    TColor BrushBackColor() const { return brushBackColor_; }
    void SetBrushBackColor(TColor Value) { SetProp(brushBackColor_, Value); }

    // The settings as the character engine takes them.
    TGfxTextTransform TextTransform() const;

    // From another label: FontFX, Font, FillObject and the transform
    // settings, with one repaint (AutoSize last).
    void Assign(const TObject* Source);

    // Sizes the label to its text (AutoSize), then repaints.
    void RepaintRequest() override;
    void ImageListChanged(TObject* Sender) override;

    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }

protected:
    // The text drawn: the caption.
    virtual QString GetLabelText() const { return Caption(); }
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:

    TGfxToggle toggle_ = 0;
    std::unique_ptr<TGfxFxCaption> fontFX_;
    int perspectiveDepth_ = 5;
    int factor_ = 5;
    TGfxTransLabelTypes transform_ = TGfxTransLabelTypes::tmWave;
    TGfxTransLabelAttr attributes_ = taAutoToggled;
    TGfxPerspective perspective_ = tpBird;
    bool flags_[2] = {false, false};  // AutoSize, InvertCaption
    std::unique_ptr<TGfxFillObject> fill_;
    TColor brushBackColor_ = clBtnFace;
    bool constructing_ = true;
};

class TGfxGraphicLabel : public TGfxCustomGraphicLabel {
public:
    explicit TGfxGraphicLabel(QWidget* AParent = nullptr) : TGfxCustomGraphicLabel(AParent) {}
};
