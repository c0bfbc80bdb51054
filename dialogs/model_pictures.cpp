#include "model_pictures.h"

#include <QPainter>
#include <QPolygon>

#include <array>

namespace about_pictures {

namespace {

// The classic 16-colour palette.
const std::array<QRgb, 16> Palette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

enum Colour { Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver, Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White };

QColor c(Colour k)
{
    return QColor(Palette[size_t(k)]);
}

void fill(QPainter& p, Colour k)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c(k));
}

// The device: a dark case with a front panel, its input buttons, a status
// lamp and the model's initial.
void drawDevice(QPainter& p, int inputs, char initial)
{
    fill(p, Black);
    p.drawRect(2, 40, 60, 20);
    fill(p, Grey);
    p.drawRect(3, 41, 58, 18);
    fill(p, Silver);
    p.drawRect(3, 41, 58, 2);
    const int pitch = inputs == 8 ? 5 : 10;
    for (int i = 0; i < inputs; ++i) {
        fill(p, i == 0 ? Lime : White);
        p.drawRect(6 + i * pitch, 49, 3, 4);
    }
    fill(p, Red);
    p.drawRect(48, 45, 2, 2);
    p.setPen(c(Yellow));
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(46, 47, 14, 12), Qt::AlignCenter, QString(QLatin1Char(initial)));
}

void trunk(QPainter& p, Colour k, int x, int top, int width)
{
    fill(p, k);
    p.drawRect(x, top, width, 38 - top);
}

void drawFir(QPainter& p)
{
    trunk(p, Maroon, 30, 30, 4);
    fill(p, Green);
    for (int tier = 0; tier < 3; ++tier) {
        const int top = 2 + tier * 8, half = 6 + tier * 4;
        p.drawPolygon(QPolygon({QPoint(32, top), QPoint(32 + half, top + 14), QPoint(32 - half, top + 14)}));
    }
}

void drawElm(QPainter& p)
{
    // A vase: the branches spread from a narrow base into a wide crown.
    trunk(p, Maroon, 30, 22, 4);
    fill(p, Green);
    p.drawPolygon(QPolygon({QPoint(30, 24), QPoint(12, 10), QPoint(18, 3), QPoint(46, 3), QPoint(52, 10), QPoint(34, 24)}));
    fill(p, Lime);
    p.drawRect(22, 6, 4, 3);
    p.drawRect(38, 8, 4, 3);
}

void drawBirch(QPainter& p)
{
    // The white trunk with its black bands under a light crown.
    fill(p, Lime);
    p.drawEllipse(QRect(20, 2, 24, 22));
    trunk(p, White, 30, 14, 4);
    fill(p, Black);
    for (int y = 17; y < 37; y += 5) p.drawRect(y % 2 ? 30 : 32, y, 2, 1);
}

void drawAsh(QPainter& p)
{
    // A rounded crown of leaflet clusters on a grey trunk.
    trunk(p, Grey, 30, 20, 4);
    fill(p, Olive);
    p.drawEllipse(QRect(12, 6, 40, 22));
    fill(p, Green);
    const QPoint clusters[] = {{18, 10}, {28, 5}, {38, 9}, {22, 17}, {36, 17}};
    for (const QPoint& at : clusters) p.drawEllipse(QRect(at, QSize(9, 7)));
}

void drawOak(QPainter& p)
{
    // A broad crown on a thick trunk, and an acorn.
    trunk(p, Maroon, 28, 22, 8);
    fill(p, Green);
    p.drawEllipse(QRect(4, 4, 56, 24));
    fill(p, Olive);
    p.drawEllipse(QRect(46, 28, 6, 7));
    fill(p, Maroon);
    p.drawRect(45, 27, 8, 3);
}

}  // namespace

QImage modelPicture(int index)
{
    if (index < 0 || index >= Count) return {};
    QImage canvas(Side, Side, QImage::Format_RGB32);
    canvas.fill(c(Silver));
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        static const int inputs[Count] = {8, 8, 8, 8, 4};
        static const char initials[Count] = {'F', 'E', 'B', 'A', 'O'};
        switch (index) {
        case 0: drawFir(p); break;
        case 1: drawElm(p); break;
        case 2: drawBirch(p); break;
        case 3: drawAsh(p); break;
        default: drawOak(p); break;
        }
        drawDevice(p, inputs[index], initials[index]);
    }
    // Every colour drawn is one of the sixteen, so the conversion is exact
    // wherever no text was drawn, and the nearest entry where it was.
    const QList<QRgb> table(Palette.begin(), Palette.end());
    return canvas.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace about_pictures
