#pragma once
// TGfxDrawEdge, a stand-in until the graphic control library brings the
// real drawn edge (which replaces this file without touching the pages).
// It draws a frame around its rectangle, raised or sunken by its edge
// style, which is all the main window changes: the fade-colour label looks
// pressed while the mouse button is down on it.

#include "platform/gfx_object_base.h"

#include <QWidget>

#include <cstdint>

enum TGfxEdgeStyle : uint8_t {
    etRaisedInner,
    etRaisedOuter,
    etSunkenInner,
    etSunkenOuter,
    etBump,
    etEtched,
    etRaised,
    etSunken,
};

class TGfxDrawEdge : public QWidget, public TObject {
public:
    explicit TGfxDrawEdge(QWidget* parent = nullptr);

    TGfxEdgeStyle EdgeStyle() const { return edgeStyle_; }
    // Repaints only when the style changes.
    void SetEdgeStyle(TGfxEdgeStyle style);
    bool Soft() const { return soft_; }
    void SetSoft(bool soft);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TGfxEdgeStyle edgeStyle_ = etEtched;
    bool soft_ = false;
};
