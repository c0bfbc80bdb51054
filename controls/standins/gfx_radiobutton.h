#pragma once
// TGfxRadioButton, stand-in: the plainest Qt radio button with the
// behaviour the main window's "Auto Follow" relies on. The graphic control
// library's own TGfxRadioButton (owner-drawn glyph strip, themes, focus
// marks, sibling unchecking, action links) replaces this file when it comes;
// the page uses only what is declared here.
//
// What the page relies on: the caption, a Checked state written by the
// program through the virtual SetChecked (a mouse click does not change
// it), and OnMouseUp for every mouse-button release over the control.

#include "platform/gfx_object_base.h"

#include <QRadioButton>

#include <functional>

// Shift: the keyboard modifiers held at the release.
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;

class TGfxRadioButton : public QRadioButton, public TObject {
public:
    explicit TGfxRadioButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    bool Checked() const { return isChecked(); }
    virtual void SetChecked(bool value);

    TMouseEvent OnMouseUp;

protected:
    void nextCheckState() override {}
    void mouseReleaseEvent(QMouseEvent* e) override;
};
