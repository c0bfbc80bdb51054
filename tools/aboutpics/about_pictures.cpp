#include "about_pictures.h"

#include "platform/gfx_canvas.h"

#include <array>
#include <memory>
#include <vector>

namespace {

// The colours of the 16-colour table that the pictures use.
constexpr TColor Teal = 0x808000;
constexpr TColor Olive = 0x008080;
constexpr TColor Yellow = 0x00FFFF;

void Fill(TGfxCanvas& c, TColor colour)
{
    c.Pen.SetStyle(psClear);
    c.Brush.SetStyle(bsSolid);
    c.Brush.SetColor(colour);
}

void Outlined(TGfxCanvas& c, TColor fill, TColor outline)
{
    c.Pen.SetStyle(psSolid);
    c.Pen.SetColor(outline);
    c.Brush.SetStyle(bsSolid);
    c.Brush.SetColor(fill);
}

void Polygon(TGfxCanvas& c, std::initializer_list<TPoint> points)
{
    const std::vector<TPoint> p(points);
    c.Polygon(p);
}

// The device: a dark case with a light front panel, its input buttons
// (input 1 lit), a red lamp and a silver ventilation strip.
void Device(TGfxCanvas& c, int inputs)
{
    Outlined(c, clGray, clBlack);
    c.Rectangle(TRect{2, 42, 62, 61});
    Fill(c, clSilver);
    c.FillRect(TRect{3, 43, 61, 45});
    const int pitch = inputs == 8 ? 5 : 10;
    for (int i = 0; i < inputs; ++i) {
        Fill(c, i == 0 ? clLime : clWhite);
        c.FillRect(TRect{6 + i * pitch, 50, 9 + i * pitch, 55});
    }
    Fill(c, clRed);
    c.FillRect(TRect{51, 50, 54, 53});
    Fill(c, clBlack);
    for (int x = 46; x < 60; x += 3)
        c.FillRect(TRect{x, 56, x + 1, 59});
}

void Trunk(TGfxCanvas& c, TColor colour, int left, int top, int width)
{
    Fill(c, colour);
    c.FillRect(TRect{left, top, left + width, 42});
}

void Fir(TGfxCanvas& c)
{
    Trunk(c, clMaroon, 30, 30, 4);
    Outlined(c, clGreen, clBlack);
    for (int tier = 0; tier < 3; ++tier) {
        const int top = 2 + tier * 9;
        const int half = 7 + tier * 5;
        Polygon(c, {{32, top}, {32 + half, top + 14}, {32 - half, top + 14}});
    }
}

void Elm(TGfxCanvas& c)
{
    // The vase: branches spread from a narrow base into a wide crown.
    Trunk(c, clMaroon, 30, 24, 4);
    Outlined(c, clGreen, clBlack);
    Polygon(c, {{30, 26}, {10, 12}, {16, 3}, {48, 3}, {54, 12}, {34, 26}});
    Fill(c, clLime);
    c.Ellipse(TRect{18, 5, 30, 13});
    c.Ellipse(TRect{34, 6, 46, 14});
}

void Birch(TGfxCanvas& c)
{
    Trunk(c, clWhite, 29, 12, 5);
    Fill(c, clBlack);
    for (int y = 16; y < 40; y += 6)
        c.FillRect(TRect{29 + (y / 6) % 3, y, 32 + (y / 6) % 3, y + 1});
    Outlined(c, clLime, clGreen);
    c.Ellipse(TRect{16, 2, 48, 24});
    Fill(c, Yellow);
    c.Ellipse(TRect{22, 8, 26, 12});
    c.Ellipse(TRect{38, 12, 42, 16});
}

void Ash(TGfxCanvas& c)
{
    Trunk(c, clMaroon, 30, 22, 4);
    Outlined(c, Olive, clBlack);
    c.Ellipse(TRect{8, 2, 56, 30});
    // Pinnate leaves: short strokes on either side of a stem.
    c.Pen.SetColor(clLime);
    for (int y = 8; y < 26; y += 4) {
        c.MoveTo(20, y);
        c.LineTo(28, y + 2);
        c.MoveTo(44, y);
        c.LineTo(36, y + 2);
    }
}

void Oak(TGfxCanvas& c)
{
    Trunk(c, clMaroon, 28, 24, 8);
    Outlined(c, clGreen, clBlack);
    c.Ellipse(TRect{4, 6, 30, 30});
    c.Ellipse(TRect{34, 6, 60, 30});
    c.Ellipse(TRect{16, 1, 48, 26});
    Fill(c, Olive);
    c.Ellipse(TRect{14, 20, 18, 25});
    c.Ellipse(TRect{44, 16, 48, 21});
}

}  // namespace

void DrawAboutPicture(int index, TGfxBitmap& target)
{
    target.SetPixelFormat(pf4bit);
    target.SetColorTable(GfxStandardColorTable(4));
    target.SetSize(AboutPictureSide, AboutPictureSide);
    TGfxCanvas& c = target.Canvas();
    Fill(c, Teal);
    c.FillRect(TRect{0, 0, AboutPictureSide, AboutPictureSide});
    Fill(c, clGreen);
    c.FillRect(TRect{0, 40, AboutPictureSide, AboutPictureSide});
    switch (index) {
    case 0: Fir(c); break;
    case 1: Elm(c); break;
    case 2: Birch(c); break;
    case 3: Ash(c); break;
    default: Oak(c); break;
    }
    Device(c, index == 4 ? 4 : 8);
}

void FillAboutPictureList(TGfxBitmapList& list)
{
    list.Clear();
    for (int i = 0; i < AboutPictureCount; ++i) {
        auto item = std::make_unique<TGfxBitmapListItem>();
        TGfxBitmap picture;
        DrawAboutPicture(i, picture);
        item->SetBitmap(&picture);
        list.AddItem(std::move(item));
    }
}
