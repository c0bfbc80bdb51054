#pragma once
// TGfxGradient: the description of a colour gradient and the table of band
// colours that the gradient fill paints. Every change recomputes the bands.
//
// Two-colour mode goes from Color to EndColor in ColorCount bands;
// multi-colour mode runs through the colour list, ColorCount div N bands per
// segment (a segment's first band, equal to the previous segment's last,
// is left out); fewer than two colours give no bands.

#include "gfx_draw.h"
#include "gfx_object.h"
#include "platform/gfx_graphics.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TGfxGradient : public TGfxObject {
public:
    static constexpr int MinColorCount = 2;
    static constexpr int MaxColorCount = 236;

    TGfxGradient();
    ~TGfxGradient() override;

    int ColorCount() const { return colorCount_; }
    TColor Color() const { return color_; }
    TColor EndColor() const { return endColor_; }
    bool PaletteRealize() const { return paletteRealize_; }
    TGfxGradientStyle Style() const { return style_; }
    bool TwoColors() const { return twoColors_; }
    const std::vector<TColor>& Bands() const { return bands_; }
    const TGfxPalette* Palette() const { return palette_.get(); }
    // The colours of the multi-colour mode; a change takes effect with the
    // next change notification (Change).
    std::vector<TColor>& ColorList() { return colorList_; }
    const std::vector<TColor>& ColorList() const { return colorList_; }

    // Values outside 2..236 are taken as the nearest end of that range.
    void SetColorCount(int v);
    void SetColor(TColor v);
    void SetEndColor(TColor v) { SetProp(endColor_, v); }
    void SetPaletteRealize(bool v) { SetProp(paletteRealize_, v); }
    void SetStyle(TGfxGradientStyle v) { SetProp(style_, v); }
    void SetTwoColors(bool v) { SetProp(twoColors_, v); }

    // Paints the bands into the rectangle, with the palette when
    // PaletteRealize is set.
    void PaintTo(TGfxCanvas& canvas, const TRect& rect) const;
    // Selects and realises the palette on the canvas when PaletteRealize is
    // set.
    void RealizePalette(TGfxCanvas& canvas) const;

    // The stored property "ColorList": written only when the list is not
    // empty, as one integer per colour; reading appends the integers (the
    // list is not cleared first) inside one update.
    bool ColorListStored() const { return !colorList_.empty(); }
    std::vector<std::int32_t> WriteColorList() const;
    void ReadColorList(std::span<const std::int32_t> values);

    // From another gradient inside one update: ColorCount, Color, Style,
    // EndColor, PaletteRealize, TwoColors and the colour list.
    void Assign(const TObject* Source) override;
    // Recomputes the bands, then notifies.
    void DoChange() override;
    // "<style>, Col: <count>, 2 col mode" (or "mult. col mode").
    QString GetDescription() const override;

private:
    void Recompute();

    int colorCount_ = 16;
    TColor color_ = clBlue;
    std::vector<TColor> bands_;
    TColor endColor_ = clBlack;
    bool paletteRealize_ = false;
    std::unique_ptr<TGfxPalette> palette_;
    TGfxGradientStyle style_ = gstVertical;
    std::vector<TColor> colorList_;
    bool twoColors_ = true;
};
