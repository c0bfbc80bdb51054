#pragma once
// Pixel checks for the painting tests: a surface to draw on and a picture of
// it as text, one character per pixel by a legend of colours, so that an
// expected drawing can be written down row by row.

#include "platform/gfx_canvas.h"
#include "platform/gfx_types.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

// Readable failures: rectangles and pictures as text.
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << "\n" << s.toStdString(); }

namespace painttest {

// An image of the size, filled with the colour.
inline QImage Surface(int w, int h, TColor fill = clWhite)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(GfxColorToQRgb(fill));
    return image;
}

using Legend = std::vector<std::pair<TColor, char>>;

// Rows of characters, each row ended by "\n"; a colour missing from the
// legend shows as "?".
inline QString Picture(const QImage& image, const Legend& legend, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    QString out;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const unsigned rgb = image.pixel(x, y) & 0xFFFFFF;
            char c = '?';
            for (const auto& [colour, ch] : legend)
                if ((GfxColorToQRgb(colour) & 0xFFFFFF) == rgb) {
                    c = ch;
                    break;
                }
            out += QLatin1Char(c);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

// The expected picture: a raw string that starts with a newline.
inline QString Rows(const char* text)
{
    QString s = QString::fromLatin1(text);
    if (s.startsWith(QLatin1Char('\n')))
        s.remove(0, 1);
    return s;
}

inline TColor At(const QImage& image, int x, int y) { return GfxColorFromQRgb(image.pixel(x, y)); }

// The bounding rectangle of the pixels whose colour passes the test (empty
// when none does).
template <class Test>
TRect BoundsWhere(const QImage& image, Test test)
{
    TRect r{image.width(), image.height(), 0, 0};
    bool any = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y) & 0xFFFFFF)) {
                any = true;
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return any ? r : TRect{};
}

// The pixels of the colour.
inline TRect BoundsOf(const QImage& image, TColor colour)
{
    const unsigned want = GfxColorToQRgb(colour) & 0xFFFFFF;
    return BoundsWhere(image, [want](unsigned rgb) { return rgb == want; });
}

// Every pixel that is not the background colour.
inline TRect InkBounds(const QImage& image, TColor background = clWhite)
{
    const unsigned bg = GfxColorToQRgb(background) & 0xFFFFFF;
    return BoundsWhere(image, [bg](unsigned rgb) { return rgb != bg; });
}

}  // namespace painttest
