#include "gfx_fill.h"

#include "gfx_draw.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

// ------------------------------------------------------------- shape fill

TGfxShapeFill::TGfxShapeFill()
    : bitmap_(std::make_unique<TGfxBitmap>()),
      gradient_(std::make_unique<TGfxGradient>()),
      listBitmap_(std::make_unique<TGfxBitmap>())
{
    bitmap_->OnChange = [this](TObject*) { Change(); };
    gradient_->OnChange = [this](TObject*) { Change(); };
}

TGfxShapeFill::~TGfxShapeFill()
{
    bitmap_->OnChange = nullptr;
    gradient_->OnChange = nullptr;
}

void TGfxShapeFill::SetStyle(TGfxFillStyle Value) { SetProp(style_, Value); }

void TGfxShapeFill::SetTileMode(TGfxTileMode Value) { SetProp(tileMode_, Value); }

TGfxBitmap* TGfxShapeFill::CurrentBitmap() const
{
    switch (style_) {
    case sfBitmap: return bitmap_.get();
    case sfBitmapList: return listBitmap_.get();
    default: return nullptr;
    }
}

bool TGfxShapeFill::IsEmpty() const
{
    if (style_ == sfNone)
        return true;
    if (const TGfxBitmap* b = CurrentBitmap())
        return b->Empty();
    return false;
}

std::optional<TGfxPalette> TGfxShapeFill::GetPalette() const
{
    switch (style_) {
    case sfBrushBitmap:
    case sfBitmap: return bitmap_->Palette();
    case sfBitmapList: return listBitmap_->Palette();
    case sfGradient:
        if (gradient_->Palette())
            return *gradient_->Palette();
        return std::nullopt;
    default: return std::nullopt;
    }
}

void TGfxShapeFill::CopyFill(const TGfxShapeFill& source)
{
    bitmap_->Assign(source.bitmap_.get());
    listBitmap_->Assign(source.listBitmap_.get());
    gradient_->Assign(source.gradient_.get());
    SetStyle(source.style_);
    SetTileMode(source.tileMode_);
}

void TGfxShapeFill::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxShapeFill*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    CopyFill(*src);
    EndUpdate(true);
}

QString TGfxShapeFill::GetDescription() const
{
    static constexpr std::array<const char*, 6> names = {"Disabled", "", "Brush", "Bitmap", "BitmapList", "Gradient"};
    return QStringLiteral("{") + QString::fromLatin1(names[style_]) + QStringLiteral("}");
}

// ------------------------------------------------------------- fill object

TGfxFillObject::TGfxFillObject() : brush_(std::make_unique<TGfxBrush>())
{
    InitStyle(sfNone);
    brush_->OnChange = [this](TObject*) { Change(); };
}

TGfxFillObject::~TGfxFillObject() { brush_->OnChange = nullptr; }

bool TGfxFillObject::PlacementShows() const
{
    return (Style() == sfBitmap || Style() == sfBitmapList) && TileMode() == tmNone;
}

void TGfxFillObject::SetAlignment(TGfxAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    if (PlacementShows())
        Change();
}

void TGfxFillObject::SetOffset(int Index, int Value)
{
    int& field = offset_[Index == 0 ? 0 : 1];
    if (Value == field)
        return;
    field = Value;
    if (PlacementShows())
        Change();
}

void TGfxFillObject::SetOptions(TGfxFillOptions Value) { SetProp(options_, Value); }

void TGfxFillObject::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxFillObject*>(Source);
    if (!src) {
        TGfxShapeFill::Assign(Source);
        return;
    }
    BeginUpdate();
    brush_->Assign(*src->brush_);
    SetOptions(src->options_);
    CopyFill(*src);
    EndUpdate(true);
}

void TGfxFillObject::InnerFill(TGfxCanvas& Canvas, const TRect& Rect, TColor Colour) const
{
    if (!(options_ & foFillInner))
        return;
    Canvas.Brush.SetStyle(bsSolid);
    Canvas.Brush.SetColor(Colour);
    Canvas.FillRect(Rect);
}

bool TGfxFillObject::FillRect(TGfxCanvas& Canvas, const TRect& Rect, TColor Colour)
{
    switch (Style()) {
    case sfNone: return false;
    case sfBrushBitmap:
        // The platform line this runs on takes brush patterns of any size,
        // so the whole bitmap is the pattern.
        if (!Bitmap().Empty())
            Canvas.Brush.SetBitmap(&Bitmap());
        Canvas.FillRect(Rect);
        Canvas.Brush.SetBitmap(nullptr);
        return true;
    case sfBrush:
        Canvas.Brush.Assign(*brush_);
        if (brush_->Style() != bsSolid && !brush_->Bitmap()) {
            // The gaps of a hatch take the base colour.
            Canvas.SetBkColor(Colour);
            Canvas.SetBkMode(OPAQUE);
        }
        Canvas.FillRect(Rect);
        return true;
    case sfBitmap:
    case sfBitmapList: {
        TGfxBitmap* bitmap = CurrentBitmap();
        if (!bitmap || bitmap->Empty()) {
            InnerFill(Canvas, Rect, Colour);
            return false;
        }
        const unsigned palette = (options_ & foQuickDraw) ? 0 : gdbPalette;
        if (TileMode() == tmNone || TileMode() == tmCenter)
            InnerFill(Canvas, Rect, Colour);
        // An unscaled or centred bitmap larger than the rectangle is cut at
        // its edges: a fill never paints outside its rectangle.
        TGfxClipScope clip(Canvas);
        Canvas.IntersectClipRect(Rect);
        TRect drawn;
        switch (TileMode()) {
        case tmNone: {
            TRect placed;
            GfxAlignTextRect(alignment_, Rect, TRect{0, 0, bitmap->Width(), bitmap->Height()}, placed);
            GfxOffsetRect(placed, offset_[0], offset_[1]);
            GfxDrawBitmapTiled(Canvas, placed, *bitmap, drawn, clNone, palette);
            break;
        }
        case tmCenter: GfxDrawBitmapTiled(Canvas, Rect, *bitmap, drawn, clNone, palette | gdbCenter); break;
        case tmStretch: GfxDrawBitmapTiled(Canvas, Rect, *bitmap, drawn, clNone, palette | gdbStretch); break;
        case tmTile: GfxDrawBitmapTiled(Canvas, Rect, *bitmap, drawn, clNone, palette | gdbTile); break;
        }
        return true;
    }
    case sfGradient: {
        const TGfxGradient& g = Gradient();
        unsigned flags = 0;
        if (options_ & foGrUseBitmap)
            flags |= gdbOffscreen;
        if (g.PaletteRealize())
            flags |= gdbPalette;
        GfxGradientFill(Canvas, Rect, g.Style(), nullptr, flags, g.Palette(), g.Bands());
        return true;
    }
    }
    return false;
}

// ------------------------------------------------------------ alpha object

TGfxAlphaObject::TGfxAlphaObject()
    : imageList_([this](TObject*) { UpdateFromList(); }), fillObject_(std::make_unique<TGfxFillObject>())
{
    fillObject_->OnChange = [this](TObject*) { Change(); };
}

TGfxAlphaObject::~TGfxAlphaObject() { fillObject_->OnChange = nullptr; }

void TGfxAlphaObject::SetStrength(float Value) { SetProp(strength_, Value); }

bool TGfxAlphaObject::StrengthStored() const { return GfxRound(double{strength_} * 1000000.0) != 600000; }

void TGfxAlphaObject::SetIndex(int Index, int Value)
{
    index_[Index == 0 ? 0 : 1] = Value;
    UpdateFromList();
}

void TGfxAlphaObject::SetImageList(TGfxCustomImageList* Value)
{
    imageList_.SetList(Value);
    UpdateFromList();
}

void TGfxAlphaObject::UpdateFromList()
{
    TGfxCustomImageList* list = imageList_.List();
    if (list && list->IsValidImage(index_[1], index_[0])) {
        TGfxBitmap image;
        list->GetBitmap(index_[1], index_[0], &image);
        fillObject_->SetListBitmap(&image);
    } else {
        fillObject_->SetListBitmap(nullptr);
    }
    Change();
}

void TGfxAlphaObject::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxAlphaObject*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    fillObject_->Assign(src->fillObject_.get());
    Flag = src->Flag;
    imageList_.HoldList(src->imageList_.List());
    strength_ = src->strength_;
    index_[0] = src->index_[0];
    index_[1] = src->index_[1];
    EndUpdate(true);
}

QString TGfxAlphaObject::GetDescription() const
{
    const TGfxFillStyle style = fillObject_->Style();
    if (style == sfNone)
        return QStringLiteral("{Disabled}");
    const char* kind = style == sfGradient ? "grad" : (style == sfBitmap || style == sfBitmapList) ? "bmp" : "brush";
    return QStringLiteral("{Enabled (") + QString::fromLatin1(kind) + QStringLiteral("), strength: ") +
           QString::number(double{strength_}, 'f', 3) + QStringLiteral("}");
}

// ----------------------------------------------------------- effect object

TGfxBitmapEffectObject::TGfxBitmapEffectObject() : alphaBlend_(std::make_unique<TGfxAlphaObject>())
{
    alphaBlend_->OnChange = [this](TObject*) { Change(); };
}

TGfxBitmapEffectObject::~TGfxBitmapEffectObject() { alphaBlend_->OnChange = nullptr; }

void TGfxBitmapEffectObject::SetFlag(int Index, bool Value)
{
    const int i = std::clamp(Index, 0, 4);
    if (flags_[i] == Value)
        return;
    flags_[i] = Value;
    if (i == 4) {
        bufferValid_ = false;
        if (Value)
            buffer_ = std::make_unique<TGfxBitmap>();
        else
            buffer_.reset();
    }
    Change();
}

void TGfxBitmapEffectObject::SetBrightness(int Value)
{
    SetProp(brightness_, static_cast<TGfxBrightness>(std::clamp(Value, -255, 255)));
}

void TGfxBitmapEffectObject::DoChange()
{
    ResetBuffer();
    TGfxObject::DoChange();
}

void TGfxBitmapEffectObject::Apply(TGfxBitmap& Source, const TRect& SourceRect, const TRect& EffectRect,
                                   TGfxBitmap& Target)
{
    if (Buffered() && bufferValid_ && buffer_) {
        Target.Canvas().Draw(0, 0, *buffer_);
        return;
    }
    const int w = SourceRect.Width();
    const int h = SourceRect.Height();
    TGfxCanvas& canvas = Target.Canvas();
    const TGfxCopyMode mode = std::exchange(canvas.CopyMode, cmSrcCopy);
    canvas.CopyRect(TRect{0, 0, w, h}, Source.Canvas(), SourceRect);
    canvas.CopyMode = mode;

    const TPoint at{EffectRect.Left, EffectRect.Top};
    if (FlipVertical())
        GfxEffectMirrorColumns(Target, EffectRect, Target, at);
    if (FlipHorizontal())
        GfxEffectMirrorRows(Target, EffectRect, Target, at);
    if (GrayScale())
        GfxEffectGrayScale(Target, EffectRect, Target, at);
    if (Invert())
        GfxEffectInvert(Target, EffectRect, Target, at);
    if (brightness_ != 0)
        GfxEffectBrightness(Target, EffectRect, Target, at, brightness_);
    if (AlphaActive()) {
        TGfxBitmap fill(w + 2, h + 2, pf24bit);
        alphaBlend_->FillObject().FillRect(fill.Canvas(), TRect{0, 0, fill.Width(), fill.Height()}, clWhite);
        GfxEffectAlphaBlend(Target, fill, EffectRect, Target, at, alphaBlend_->Strength());
    }
    if (Buffered() && !bufferValid_ && buffer_) {
        buffer_->Assign(&Target);
        bufferValid_ = true;
    }
}

QString TGfxBitmapEffectObject::GetDescription() const
{
    QStringList parts;
    if (AlphaActive())
        parts << QStringLiteral("alpha");
    static constexpr std::array<const char*, 4> names = {"FV", "FH", "GS", "INV"};
    for (int i = 0; i < 4; ++i)
        if (flags_[i])
            parts << QString::fromLatin1(names[i]);
    if (brightness_ != 0)
        parts << QStringLiteral("B");
    if (parts.isEmpty())
        return QStringLiteral("{Disabled}");
    return QStringLiteral("{") + parts.join(QStringLiteral(", ")) + QStringLiteral("}");
}

// ----------------------------------------------------------- pixel effects

void GfxCheckPixelFormat(const TGfxBitmap& Bitmap, const char* Role)
{
    if (Bitmap.PixelFormat() != pf24bit)
        throw EGfxWrongPixelFormat(QStringLiteral("Wrong PixelFormat in ") + QString::fromLatin1(Role) +
                                   QStringLiteral(" bitmap!"));
}

namespace {

// The part of an effect that lies inside every bitmap: w x h pixels read at
// (sx, sy) of the sources and written at (tx, ty) of the target.
struct EffectArea {
    int sx = 0, sy = 0, tx = 0, ty = 0, w = 0, h = 0;
};

std::optional<EffectArea> ClipArea(const TGfxBitmap& source, const TGfxBitmap* source2, const TRect& rect,
                                   const TGfxBitmap& target, TPoint at)
{
    // The rectangle in source coordinates, cut to the sources and to what
    // the target can take at the point.
    int left = std::max({rect.Left, 0, rect.Left - at.X});
    int top = std::max({rect.Top, 0, rect.Top - at.Y});
    int right = std::min({rect.Right, source.Width(), rect.Left - at.X + target.Width()});
    int bottom = std::min({rect.Bottom, source.Height(), rect.Top - at.Y + target.Height()});
    if (source2) {
        right = std::min(right, source2->Width());
        bottom = std::min(bottom, source2->Height());
    }
    if (right <= left || bottom <= top)
        return std::nullopt;
    return EffectArea{left, top, at.X + (left - rect.Left), at.Y + (top - rect.Top), right - left, bottom - top};
}

// Rows of a source as an effect reads them. When the source is the target
// and the areas do not coincide (or the effect moves rows about), the rows
// come from a copy taken first, so no row is read after it was written.
class SourceRows {
public:
    SourceRows(const TGfxBitmap& source, const TGfxBitmap& target, const EffectArea& a, bool forceCopy)
        : source_(source), a_(a)
    {
        const bool alias = &source == &target && (forceCopy || a.sx != a.tx || a.sy != a.ty);
        if (!alias)
            return;
        const int rowBytes = a.w * 3;
        copy_.resize(qsizetype{rowBytes} * a.h);
        for (int y = 0; y < a.h; ++y)
            std::memcpy(copy_.data() + qsizetype{y} * rowBytes, source.ScanLine(a.sy + y) + a.sx * 3,
                        static_cast<std::size_t>(rowBytes));
    }
    // Row y of the area (0 = its top), from its first pixel.
    const std::uint8_t* Row(int y) const
    {
        if (!copy_.isEmpty())
            return reinterpret_cast<const std::uint8_t*>(copy_.constData()) + qsizetype{y} * a_.w * 3;
        return source_.ScanLine(a_.sy + y) + a_.sx * 3;
    }

private:
    const TGfxBitmap& source_;
    EffectArea a_;
    QByteArray copy_;
};

// Runs op(in, out, byteCount) over each row of the area.
template <class Op>
void ByteEffect(const TGfxBitmap& source, const TRect& rect, TGfxBitmap& target, TPoint at, Op op)
{
    GfxCheckPixelFormat(source, "Source 1");
    GfxCheckPixelFormat(target, "Target");
    const auto area = ClipArea(source, nullptr, rect, target, at);
    if (!area)
        return;
    const SourceRows rows(source, target, *area, false);
    for (int y = 0; y < area->h; ++y) {
        // The target row first: taking it may detach the picture, which
        // would leave a source row taken before it behind.
        std::uint8_t* out = target.ScanLine(area->ty + y) + area->tx * 3;
        op(rows.Row(y), out, area->w * 3);
    }
}

}  // namespace

void GfxEffectGrayScale(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At)
{
    static const auto tables = [] {
        std::array<std::array<std::uint8_t, 256>, 3> t{};  // red, green, blue
        for (int i = 0; i < 256; ++i) {
            t[0][i] = static_cast<std::uint8_t>(GfxRound(i * 0.3));
            t[1][i] = static_cast<std::uint8_t>(GfxRound(i * 0.59));
            t[2][i] = static_cast<std::uint8_t>(GfxRound(i * 0.11));
        }
        return t;
    }();
    ByteEffect(Source, Rect, Target, At, [](const std::uint8_t* in, std::uint8_t* out, int n) {
        for (int i = 0; i < n; i += 3) {
            const auto v = static_cast<std::uint8_t>(tables[2][in[i]] + tables[1][in[i + 1]] + tables[0][in[i + 2]]);
            out[i] = out[i + 1] = out[i + 2] = v;
        }
    });
}

void GfxEffectInvert(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At)
{
    ByteEffect(Source, Rect, Target, At, [](const std::uint8_t* in, std::uint8_t* out, int n) {
        for (int i = 0; i < n; ++i)
            out[i] = static_cast<std::uint8_t>(255 - in[i]);
    });
}

void GfxEffectBrightness(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At, int Value)
{
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<std::uint8_t>(std::clamp(i + Value, 0, 255));
    ByteEffect(Source, Rect, Target, At, [&table](const std::uint8_t* in, std::uint8_t* out, int n) {
        for (int i = 0; i < n; ++i)
            out[i] = table[in[i]];
    });
}

void GfxEffectMirrorColumns(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At)
{
    // Each row goes through a buffer, so a row mirrors onto itself safely.
    std::vector<std::uint8_t> row;
    ByteEffect(Source, Rect, Target, At, [&row](const std::uint8_t* in, std::uint8_t* out, int n) {
        row.assign(in, in + n);
        for (int i = 0; i < n; i += 3)
            std::memcpy(out + (n - 3 - i), row.data() + i, 3);
    });
}

void GfxEffectMirrorRows(const TGfxBitmap& Source, const TRect& Rect, TGfxBitmap& Target, TPoint At)
{
    GfxCheckPixelFormat(Source, "Source 1");
    GfxCheckPixelFormat(Target, "Target");
    const auto area = ClipArea(Source, nullptr, Rect, Target, At);
    if (!area)
        return;
    const SourceRows rows(Source, Target, *area, true);
    for (int y = 0; y < area->h; ++y) {
        std::uint8_t* out = Target.ScanLine(area->ty + area->h - 1 - y) + area->tx * 3;
        std::memcpy(out, rows.Row(y), static_cast<std::size_t>(area->w) * 3);
    }
}

void GfxEffectAlphaBlend(const TGfxBitmap& Source1, const TGfxBitmap& Source2, const TRect& Rect, TGfxBitmap& Target,
                         TPoint At, float Strength)
{
    GfxCheckPixelFormat(Source1, "Source 1");
    GfxCheckPixelFormat(Source2, "Source 2");
    GfxCheckPixelFormat(Target, "Target");
    const auto area = ClipArea(Source1, &Source2, Rect, Target, At);
    if (!area)
        return;
    // table[d + 255] = round(d * strength) for d = -255..255.
    std::array<int, 511> table{};
    for (int d = -255; d <= 255; ++d)
        table[d + 255] = GfxRound(d * double{Strength});
    const SourceRows rows1(Source1, Target, *area, false);
    const SourceRows rows2(Source2, Target, *area, false);
    for (int y = 0; y < area->h; ++y) {
        std::uint8_t* out = Target.ScanLine(area->ty + y) + area->tx * 3;
        const std::uint8_t* s1 = rows1.Row(y);
        const std::uint8_t* s2 = rows2.Row(y);
        for (int i = 0; i < area->w * 3; ++i)
            out[i] = static_cast<std::uint8_t>(std::clamp(s2[i] + table[s1[i] - s2[i] + 255], 0, 255));
    }
}
