#include "gfx_graphics.h"

#include <QFontDatabase>
#include <QFontInfo>

void TGfxPen::Assign(const TGfxPen& source)
{
    if (&source == this)
        return;
    color_ = source.color_;
    width_ = source.width_;
    style_ = source.style_;
    mode_ = source.mode_;
    Changed();
}

void TGfxBrush::SetColor(TColor c)
{
    if (c == color_ && style_ != bsClear)
        return;
    color_ = c;
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TGfxBrush::Assign(const TGfxBrush& source)
{
    if (&source == this)
        return;
    color_ = source.color_;
    style_ = source.style_;
    bitmap_ = source.bitmap_;
    Changed();
}

int TGfxFont::Size() const { return -MulDiv(height_, 72, 96); }

void TGfxFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TGfxFont::Assign(const TGfxFont& source)
{
    if (&source == this)
        return;
    name_ = source.name_;
    height_ = source.height_;
    color_ = source.color_;
    style_ = source.style_;
    escapement_ = source.escapement_;
    Changed();
}

QFont TGfxFont::ToQFont(int characterExtra) const
{
    QFont f(name_);
    // A positive height is the cell height; the character height is about
    // four fifths of it for the faces at hand.
    const int pixels = height_ < 0 ? -height_ : (height_ > 0 ? MulDiv(height_, 4, 5) : -DefaultHeight);
    f.setPixelSize(pixels > 0 ? pixels : 1);
    f.setBold((style_ & fsBold) != 0);
    f.setItalic((style_ & fsItalic) != 0);
    f.setUnderline((style_ & fsUnderline) != 0);
    f.setStrikeOut((style_ & fsStrikeOut) != 0);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setKerning(false);
    if (characterExtra != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, characterExtra);
    return f;
}

bool TGfxFont::IsTrueType() const
{
    const QFontInfo info(ToQFont());
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}
