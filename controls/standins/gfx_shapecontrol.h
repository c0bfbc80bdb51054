#pragma once
// TGfxShapeControl, a stand-in until the graphic control library brings the
// real shape control (which replaces this file without touching the
// pages). The main window only places it around the effect buttons and
// shows or hides it; it draws a plain rounded frame.

#include "platform/gfx_object_base.h"

#include <QWidget>

class TGfxShapeControl : public QWidget, public TObject {
public:
    explicit TGfxShapeControl(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
