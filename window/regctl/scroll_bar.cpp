#include "regctl/scroll_bar.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

ScrollBarEx::ScrollBarEx(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    // The built-in menu moves the bar outside any press, so no end scroll
    // would follow and the drag mark would stay set.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &ScrollBarEx::onAction);
    connect(this, &QAbstractSlider::sliderReleased, this, &ScrollBarEx::onSliderReleased);
}

void ScrollBarEx::onAction(int action)
{
    int code = -1;
    switch (action) {
    case SliderSingleStepSub: code = LineUp; break;
    case SliderSingleStepAdd: code = LineDown; break;
    case SliderPageStepSub: code = PageUp; break;
    case SliderPageStepAdd: code = PageDown; break;
    case SliderToMinimum: code = Top; break;
    case SliderToMaximum: code = Bottom; break;
    case SliderMove:
        if (isSliderDown() || mouseDown_)
            code = ThumbTrack;
        else if (inWheel_)
            code = sliderPosition() < wheelFrom_ ? LineUp : LineDown;
        // Otherwise the move came from code (setSliderPosition): no
        // operator action, nothing to report.
        break;
    default: break;
    }
    if (code < 0) return;
    inAction_ = true;
    emit scrolled(code, sliderPosition());
}

void ScrollBarEx::onSliderReleased()
{
    inAction_ = true;
    emit scrolled(ThumbPosition, sliderPosition());
    endAction();
}

void ScrollBarEx::endAction()
{
    if (!inAction_) return;
    inAction_ = false;
    emit scrolled(EndScroll, sliderPosition());
}

void ScrollBarEx::mousePressEvent(QMouseEvent* e)
{
    mouseDown_ = true;
    QScrollBar::mousePressEvent(e);
}

void ScrollBarEx::mouseReleaseEvent(QMouseEvent* e)
{
    QScrollBar::mouseReleaseEvent(e);  // a thumb release ends here already
    if (e->buttons() == Qt::NoButton) {
        mouseDown_ = false;
        endAction();  // the end of an arrow or page press
    }
}

void ScrollBarEx::hideEvent(QHideEvent* e)
{
    // A bar hidden under the operator's hand never sees the release: the
    // action ends here, so the drag mark does not stay set.
    mouseDown_ = false;
    if (isSliderDown())
        setSliderDown(false);  // releases: thumb position, then end scroll
    else
        endAction();
    QScrollBar::hideEvent(e);
}

void ScrollBarEx::keyPressEvent(QKeyEvent* e)
{
    // Right and Down step towards the maximum, Left and Up towards the
    // minimum, whatever the wheel's inverted controls would make of them.
    switch (e->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
    case Qt::Key_Left:
    case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
    case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
    default: QScrollBar::keyPressEvent(e); return;
    }
    e->accept();
}

void ScrollBarEx::keyReleaseEvent(QKeyEvent* e)
{
    QScrollBar::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) endAction();
}

void ScrollBarEx::wheelEvent(QWheelEvent* e)
{
    inWheel_ = true;
    wheelFrom_ = sliderPosition();
    QScrollBar::wheelEvent(e);
    inWheel_ = false;
    endAction();  // each notch is one whole action
}
