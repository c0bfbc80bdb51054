#pragma once
// TGfxTechnicalLine: a connector line drawn inside the control's bounds,
// with an optional sign at its start or end.
//
// Stand-in: the library's technical line replaces this class. It keeps the
// library's properties, construction values and enumerations, but draws
// only what the windows use: the route lsTopLeftEdge with its pen and the
// signs leCircle and leNothing, without shadow or bevel. Other routes and
// signs draw nothing, and there is no hit region.

#include "platform/gfx_types.h"

#include <QPen>
#include <QWidget>

enum TGfxTechnicalLineTypes {
    lsStraightLeftToRight,
    lsStraightTopToBottom,
    lsTopLeftToBottomRight,
    lsBottomLeftToTopRight,
    lsTopLeftEdge,
    lsBottomLeftEdge,
    lsTopRightEdge,
    lsBottomRightEdge,
    lsTopLeftCurve,
    lsBottomLeftCurve,
    lsTopRightCurve,
    lsBottomRightCurve,
};

enum TGfxLineEndings {
    leNothing,
    leOpenArrowUp,
    leOpenArrowDown,
    leOpenArrowRight,
    leOpenArrowLeft,
    leClosedArrowUp,
    leClosedArrowDown,
    leClosedArrowLeft,
    leClosedArrowRight,
    leDiamond,
    leCircle,
    leRectangle,
    leRoundRect,
    leParallelogramm,
    leComb,
    leHalfCircleLeft,
    leHalfCircleRight,
    leHalfCircleUp,
    leHalfCircleDown,
};

enum TGfxSignPlaces { spEnd, spStart, spBoth, spNoWhere };

class TGfxTechnicalLine : public QWidget {
public:
    explicit TGfxTechnicalLine(QWidget* parent = nullptr);

    TGfxTechnicalLineTypes LineType() const { return lineType_; }
    void SetLineType(TGfxTechnicalLineTypes v);
    TGfxLineEndings LineEndingsign() const { return endSign_; }
    void SetLineEndingsign(TGfxLineEndings v);
    TGfxLineEndings LineStartSign() const { return startSign_; }
    void SetLineStartSign(TGfxLineEndings v);
    // The line's pen; a pen style of Qt::NoPen is the library's clear pen.
    QPen LineSettings() const { return pen_; }
    void SetLineSettings(const QPen& v);
    int SignSize() const { return signSize_; }
    void SetSignSize(int v);
    TGfxSignPlaces SignPlaces() const { return signPlaces_; }
    void SetSignPlaces(TGfxSignPlaces v);
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor v);

    // The drawing rectangle: the client area shrunk by pen width div 2 + 1.
    QRect DrawingRect() const;
    // The box of the end sign in control coordinates (right and bottom
    // excluded), for the routes this stand-in draws.
    QRect EndSignBox() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <class T>
    void store(T& field, T v)
    {
        if (field == v) return;
        field = v;
        update();
    }
    void drawSign(QPainter& p, TGfxLineEndings sign, const QRect& box) const;

    TGfxTechnicalLineTypes lineType_ = lsStraightLeftToRight;
    TGfxLineEndings endSign_ = leClosedArrowRight;
    TGfxLineEndings startSign_ = leNothing;
    QPen pen_;
    int signSize_ = 40;
    TGfxSignPlaces signPlaces_ = spEnd;
    TColor fillColor_ = clNone;
};
