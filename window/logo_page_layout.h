#pragma once
// The layout of the "Logo && Frame" page (about 780 x 400), shared by the
// pieces of the logos family: a strip with the tabs on top, one column of
// register rows (caption, bar, edit), the store strip below.

#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QString>

namespace logopage {

constexpr int CaptionLeft = 10, CaptionWidth = 120;
constexpr int BarLeft = 135, BarWidth = 190, BarHeight = 17;
constexpr int EditLeft = 332, EditWidth = 45, EditHeight = 21;
constexpr int UnitLeft = 382;
constexpr int BevelLeft = 4, BevelWidth = 385;
// The separator bevels frame two rows each when shown.
constexpr int BevelHidden = 32, BevelShown = 65;
constexpr int FirstBevelTop = 64, SecondBevelTop = 132;
constexpr int Row0 = 70, Row1 = 98, Row2 = 138, Row3 = 166;
constexpr int KeyRow = 210, BackgroundRow = 242;
constexpr int FadeRow0 = 154, FadeRow1 = 182;

inline QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

inline QFrame* bevel(QWidget* parent, const char* name, const QRect& geometry, QFrame::Shape shape = QFrame::Box)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    f->lower();
    return f;
}

inline QRect captionAt(int top)
{
    return QRect(CaptionLeft, top + 1, CaptionWidth, BarHeight);
}

inline QRect barAt(int top)
{
    return QRect(BarLeft, top, BarWidth, BarHeight);
}

inline QRect editAt(int top)
{
    return QRect(EditLeft, top - 2, EditWidth, EditHeight);
}

}  // namespace logopage
