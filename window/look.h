#pragma once
// The panel's look: the Fusion style, one pixel-sized application font and
// the classic system colours, the same on every desktop and offscreen.

#include <QColor>

class QApplication;

namespace classic {
inline const QColor ButtonFace{0xC0, 0xC0, 0xC0};
inline const QColor ButtonShadow{0x80, 0x80, 0x80};
inline const QColor ButtonHighlight{0xFF, 0xFF, 0xFF};
inline const QColor Window{0xFF, 0xFF, 0xFF};
inline const QColor WindowText{0x00, 0x00, 0x00};
inline const QColor MenuText{0x00, 0x00, 0x00};
inline const QColor InactiveCaptionText{0xC0, 0xC0, 0xC0};
inline const QColor HotLight{0x00, 0x00, 0x80};
inline const QColor Highlight{0x00, 0x00, 0x80};
inline const QColor HighlightText{0xFF, 0xFF, 0xFF};
inline const QColor Red{0xFF, 0x00, 0x00};
inline const QColor Green{0x00, 0x80, 0x00};
inline const QColor Black{0x00, 0x00, 0x00};
}  // namespace classic

// Fusion, DejaVu Sans at 11 px, the classic palette.
void applyLook(QApplication& app);
