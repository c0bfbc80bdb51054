#include "gfx_radiobutton.h"

#include <QMouseEvent>

TGfxRadioButton::TGfxRadioButton(QWidget* parent) : QRadioButton(parent)
{
    // Its state is its own: no Qt radio button of the same parent unchecks it.
    setAutoExclusive(false);
}

void TGfxRadioButton::SetChecked(bool value)
{
    if (value == isChecked()) return;
    setChecked(value);
}

void TGfxRadioButton::mouseReleaseEvent(QMouseEvent* e)
{
    QRadioButton::mouseReleaseEvent(e);
    if (!OnMouseUp) return;
    TMouseButton button = mbLeft;
    if (e->button() == Qt::RightButton) button = mbRight;
    else if (e->button() == Qt::MiddleButton) button = mbMiddle;
    const QPoint at = e->position().toPoint();
    OnMouseUp(this, button, e->modifiers(), at.x(), at.y());
}
