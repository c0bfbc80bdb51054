#include "gfx_shapecontrol.h"

#include "gfx_draw.h"

// -------------------------------------------------------------- TGfxCaption
TGfxCaption::TGfxCaption() : font_(std::make_unique<TGfxFont>()), fontFX_(std::make_unique<TGfxFxCaption>())
{
    font_->OnChange = [this](TObject*) { FontChanged(false); };
    fontFX_->OnChange = [this](TObject*) { FontChanged(true); };
}

TGfxCaption::~TGfxCaption()
{
    font_->OnChange = nullptr;
    fontFX_->OnChange = nullptr;
}

void TGfxCaption::FontChanged(bool fromLook)
{
    if (fontFX_->Angle() != 0 && !font_->IsTrueType()) {
        if (fromLook)
            font_->SetName(QStringLiteral("Arial"));
        else
            fontFX_->SetAngle(0);
    }
    DoChange();
}

unsigned TGfxCaption::AlignmentFlags(TGfxAlignment Alignment)
{
    switch (Alignment) {
    case agTopLeft: return DT_TOP | DT_LEFT;
    case agTopCenter: return DT_CENTER;
    case agTopRight: return DT_RIGHT;
    case agCenterLeft: return DT_VCENTER;
    case agCenter: return DT_VCENTER | DT_CENTER;
    case agCenterRight: return DT_VCENTER | DT_RIGHT;
    case agBottomLeft: return DT_BOTTOM;
    case agBottomCenter: return DT_BOTTOM | DT_CENTER;
    case agBottomRight: return DT_BOTTOM | DT_RIGHT;
    }
    return 0;
}

unsigned TGfxCaption::TextFlags(bool Prefix) const
{
    unsigned flags = AlignmentFlags(alignment_) | DT_WORDBREAK | DT_EXPANDTABS;
    if (!Prefix)
        flags |= DT_NOPREFIX;
    if (fontFX_->Angle() != 0 || !multiLine_)
        flags |= DT_SINGLELINE;
    return flags;
}

void TGfxCaption::Draw(TGfxCanvas& Canvas, const QString& Text, TColor BackColor, bool Enabled, bool Prefix,
                       const TRect& Rect) const
{
    const QString text = Text.isEmpty() && ownText_ ? caption_ : Text;
    const unsigned format = TextFlags(Prefix);
    const bool rotated = fontFX_->Angle() != 0;
    TRect r = Rect;
    if ((multiLine_ && !rotated && alignment_ >= agCenterLeft) || (rotated && alignment_ != agTopLeft))
        GfxAlignFxTextRect(alignment_, *font_, fontFX_.get(), text, r, 0, Prefix, multiLine_, format, Rect);
    Canvas.Brush.SetColor(BackColor);
    Canvas.Brush.SetStyle(bsClear);
    Canvas.Font.Assign(*font_);
    GfxDrawFxTextEx(Canvas, text, fontFX_.get(), nullptr, Enabled ? gdfEnabled : 0, format, r);
}

void TGfxCaption::Assign(const TObject* Source)
{
    if (Source == this)
        return;
    const auto* src = dynamic_cast<const TGfxCaption*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    BeginUpdate();
    font_->Assign(*src->font_);
    fontFX_->Assign(src->fontFX_.get());
    alignment_ = src->alignment_;
    caption_ = src->caption_;
    multiLine_ = src->multiLine_;
    EndUpdate(true);
}

QString TGfxCaption::GetDescription() const { return QLatin1Char('{') + caption_ + QLatin1Char('}'); }

// ------------------------------------------------------------ TGfxBaseShape
TGfxBaseShape::TGfxBaseShape(QWidget* AParent)
    : TGfxBaseGraphicControl(AParent), bevel_(std::make_unique<TGfxSimpleBevel>()),
      brush_(std::make_unique<TGfxBrush>()), caption_(std::make_unique<TGfxCaption>()),
      outline_(std::make_unique<TGfxPointList>()), shadow_(std::make_unique<TGfxShadow>()),
      teeth_(std::make_unique<TGfxTeeth>()), shapeFill_(std::make_unique<TGfxShapeFill>())
{
    caption_->SetOwnText(false);
    const auto changed = [this](TObject* Sender) { SubObjectChanged(Sender); };
    bevel_->OnChange = changed;
    brush_->OnChange = changed;
    caption_->OnChange = changed;
    shadow_->OnChange = changed;
    shapeFill_->OnChange = changed;
    teeth_->OnChange = changed;
    constructed_ = true;
}

TGfxBaseShape::~TGfxBaseShape()
{
    Destroying();
    bevel_->OnChange = nullptr;
    brush_->OnChange = nullptr;
    caption_->OnChange = nullptr;
    shadow_->OnChange = nullptr;
    shapeFill_->OnChange = nullptr;
    teeth_->OnChange = nullptr;
}

void TGfxBaseShape::SetMode(TGfxShapeControlMode Value)
{
    if (mode_ == Value)
        return;
    mode_ = Value;
    RepaintRequest();
}

QString TGfxBaseShape::AccessibleText(QAccessible::Text Kind) const
{
    if (Kind == QAccessible::Name && !caption_->Caption().isEmpty())
        return caption_->Caption();
    return TGfxBaseGraphicControl::AccessibleText(Kind);
}

void TGfxBaseShape::ComputeOutline()
{
    GfxShapeOutline(ClientRect(), shape_, ActiveTeeth(), *outline_, shadow_.get(), bevel_.get(), roundPercent_,
                    square_);
    outlineDirty_ = false;
}

void TGfxBaseShape::ResetFillCache()
{
    fillCache_.reset();
    if (FillMode())
        fillCache_ = std::make_unique<TGfxBitmap>();
}

void TGfxBaseShape::SubObjectChanged(TObject* Sender)
{
    if (!constructed_ || IsDestroying())
        return;
    if (Sender != caption_.get())
        ComputeOutline();
    ResetFillCache();
    TGfxBaseGraphicControl::RepaintRequest();
}

void TGfxBaseShape::RepaintRequest() { SubObjectChanged(nullptr); }

void TGfxBaseShape::BoundsChanged(TGfxBoundsFlags Flags)
{
    TGfxBaseGraphicControl::BoundsChanged(Flags);
    // A pure move keeps the outline.
    if (Flags != gbcMoved)
        outlineDirty_ = true;
}

void TGfxBaseShape::ImageListChanged(TObject* Sender)
{
    TakeListBitmap(*shapeFill_);
    TGfxBaseGraphicControl::ImageListChanged(Sender);
}

TRect TGfxBaseShape::WithoutTeeth(TRect Rect) const
{
    if (!ActiveTeeth())
        return Rect;
    switch (teeth_->Direction()) {
    case tdRight: Rect.Right -= teeth_->Width(); break;
    case tdDown: Rect.Bottom -= teeth_->Height(); break;
    case tdLeft: Rect.Left += teeth_->Width(); break;
    case tdUp: Rect.Top += teeth_->Height(); break;
    }
    return Rect;
}

void TGfxBaseShape::DrawCaption(TGfxCanvas& Canvas, const TRect& Rect)
{
    const int bw = bevel_->Width();
    const int shadow = shadow_->Room();
    TRect r{Rect.Left + bw, Rect.Top + bw, Rect.Right - bw - shadow, Rect.Bottom - bw - shadow};
    GfxOffsetRect(r, bw - r.Left, bw - r.Top);
    caption_->Draw(Canvas, GetCaptionText(), Color(), Enabled(), false, r);
}

void TGfxBaseShape::RenderFillCache()
{
    const TRect shapeRect = GetShapeRect();
    const TRect area{0, 0, shapeRect.Width(), shapeRect.Height()};
    fillCache_->SetPixelFormat(pfDevice);
    fillCache_->SetSize(area.Width(), area.Height());
    if (fillCache_->Empty())
        return;
    TGfxCanvas& c = fillCache_->Canvas();
    switch (shapeFill_->Style()) {
    case sfBrush:
        GfxPaintShape(c, area, shape_, ActiveTeeth(), nullptr, shadow_.get(), bevel_.get(), roundPercent_, *brush_,
                      nullptr, square_);
        break;
    case sfBitmap:
    case sfBitmapList: {
        GfxFillBitmapRect(*fillCache_, area, Color());
        TGfxBitmap* bitmap = shapeFill_->CurrentBitmap();
        if (bitmap && !bitmap->Empty()) {
            static constexpr unsigned tileFlags[] = {0, gdbCenter, gdbStretch, gdbTile};
            TRect drawn;
            GfxDrawBitmapTiled(c, area, *bitmap, drawn, clNone, tileFlags[shapeFill_->TileMode() & 3]);
        }
        break;
    }
    case sfGradient: shapeFill_->Gradient().PaintTo(c, area); break;
    default: break;
    }
    if (captionClip_)
        DrawCaption(c, WithoutTeeth(area));
    c.Release();
}

void TGfxBaseShape::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || IsLoading())
        return;
    if (outlineDirty_) {
        ComputeOutline();
        ResetFillCache();
    }
    const TRect client = ClientRect();
    if (!FillMode()) {
        if (!Transparent())
            FillBackground();
        fillCache_.reset();
        GfxPaintShape(*canvas, client, shape_, ActiveTeeth(), outline_.get(), shadow_.get(), bevel_.get(),
                      roundPercent_, *brush_, nullptr, square_);
        DrawCaption(*canvas, client);
        return;
    }
    if (!fillCache_)
        fillCache_ = std::make_unique<TGfxBitmap>();
    if (fillCache_->Empty())
        RenderFillCache();
    const TGfxFillStyle style = shapeFill_->Style();
    if (style == sfNone || style == sfBrushBitmap) {
        if (!Transparent())
            FillBackground();
        TGfxBrush brush;
        if (style == sfNone)
            brush.SetStyle(bsClear);
        else
            brush.SetBitmap(&shapeFill_->Bitmap());
        GfxPaintShape(*canvas, client, shape_, ActiveTeeth(), outline_.get(), shadow_.get(), bevel_.get(),
                      roundPercent_, brush, nullptr, square_);
    } else {
        const TColor colour = GfxColorToRGB(Color());
        TGfxBitmap temp;
        GfxFillBitmapRect(temp, client, colour);
        if (!Transparent())
            FillBackground();
        if (style == sfGradient)
            shapeFill_->Gradient().RealizePalette(*canvas);
        TGfxBrush body;
        body.SetColor(colour);
        GfxPaintShape(temp.Canvas(), client, shape_, ActiveTeeth(), outline_.get(), shadow_.get(), bevel_.get(),
                      roundPercent_, body, fillCache_->Empty() ? nullptr : fillCache_.get(), square_);
        TRect drawn;
        GfxDrawBitmapEx(*canvas, client, &temp.Canvas(), drawn, nullptr, nullptr, colour, gdbTransparent, client);
    }
    if (!captionClip_)
        DrawCaption(*canvas, WithoutTeeth(client));
}
