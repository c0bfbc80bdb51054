#pragma once
// The panel's look: the Fusion style, one pixel-sized application font and
// the classic system colours, the same on every desktop and offscreen.

#include "platform/gfx_types.h"

#include <QColor>

#include <QPalette>

class QApplication;
class QFont;
class QWidget;

// The library's one table of classic system colours, as QColor.
namespace classic {
inline QColor fromTColor(TColor c)
{
    const TColor rgb = GfxColorToRGB(c);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}
inline const QColor ButtonFace = fromTColor(clBtnFace);
inline const QColor ButtonShadow = fromTColor(clBtnShadow);
inline const QColor ButtonHighlight = fromTColor(clBtnHighlight);
inline const QColor Window = fromTColor(clWindow);
inline const QColor WindowText = fromTColor(clWindowText);
inline const QColor MenuText = fromTColor(clMenuText);
inline const QColor InactiveCaptionText = fromTColor(clInactiveCaptionText);
inline const QColor GrayText = fromTColor(clGrayText);
inline const QColor HotLight = fromTColor(clHotLight);
inline const QColor Highlight = fromTColor(clHighlight);
inline const QColor HighlightText = fromTColor(clHighlightText);
inline const QColor Red = fromTColor(clRed);
inline const QColor Green = fromTColor(clGreen);
inline const QColor Black = fromTColor(clBlack);
}  // namespace classic

// Fusion, DejaVu Sans at 11 px, the classic palette. A disabled control
// writes its text in the classic grey.
void applyLook(QApplication& app);
// The classic palette itself.
QPalette classicPalette();

// Gives a control's text (role WindowText, ButtonText or Text) a colour of
// its own while it is enabled: disabled, it keeps the grey text of the
// look, like every other control.
void setTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour);

// The fixed-pitch font of texts laid out in columns: DejaVu Sans Mono at the
// application font's size.
QFont fixedFont();
