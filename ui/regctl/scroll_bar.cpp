#include "regctl/scroll_bar.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QTimerEvent>
#include <QWheelEvent>

namespace {

// The classic repeat: a pause before the walk starts, then a page each tick.
constexpr int PageRepeatDelayMs = 250;
constexpr int PageRepeatMs = 50;

}  // namespace

ScrollBarEx::ScrollBarEx(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    // The built-in menu moves the bar outside any press, so no end scroll
    // would follow and the drag mark would stay set.
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
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

QStyle::SubControl ScrollBarEx::hitTest(const QPoint& pos) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, pos, this);
}

void ScrollBarEx::mousePressEvent(QMouseEvent* e)
{
    mouseDown_ = true;
    const QStyle::SubControl hit = hitTest(e->position().toPoint());
    const bool page = hit == QStyle::SC_ScrollBarAddPage || hit == QStyle::SC_ScrollBarSubPage;
    if (e->button() == Qt::LeftButton && page &&
        !style()->styleHint(QStyle::SH_ScrollBar_LeftClickAbsolutePosition, nullptr, this)) {
        // Paging is walked here rather than by the toolkit, whose repeat
        // may end by jumping the thumb to the place first pressed.
        if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
        pagePressed_ = hit;
        pointer_ = e->position().toPoint();
        if (pageTowardsPointer()) pageTimer_.start(PageRepeatDelayMs, this);
        e->accept();
        return;
    }
    QScrollBar::mousePressEvent(e);
}

bool ScrollBarEx::pageTowardsPointer()
{
    if (pagePressed_ == QStyle::SC_None || hitTest(pointer_) != pagePressed_) return false;
    const int before = sliderPosition();
    triggerAction(pagePressed_ == QStyle::SC_ScrollBarAddPage ? SliderPageStepAdd : SliderPageStepSub);
    return sliderPosition() != before;
}

void ScrollBarEx::stopPaging()
{
    pageTimer_.stop();
    pagePressed_ = QStyle::SC_None;
}

void ScrollBarEx::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != pageTimer_.timerId()) {
        QScrollBar::timerEvent(e);
        return;
    }
    if (!pageTowardsPointer()) {
        // The thumb has reached the pointer (or the end): it stays there
        // until the button is released.
        pageTimer_.stop();
        return;
    }
    pageTimer_.start(PageRepeatMs, this);
}

void ScrollBarEx::mouseMoveEvent(QMouseEvent* e)
{
    if (pagePressed_ != QStyle::SC_None) {
        // The walk goes on towards wherever the pointer now rests.
        pointer_ = e->position().toPoint();
        if (!pageTimer_.isActive() && hitTest(pointer_) == pagePressed_) pageTimer_.start(PageRepeatMs, this);
        e->accept();
        return;
    }
    QScrollBar::mouseMoveEvent(e);
}

void ScrollBarEx::mouseReleaseEvent(QMouseEvent* e)
{
    if (pagePressed_ != QStyle::SC_None) {
        stopPaging();
        if (e->buttons() == Qt::NoButton) {
            mouseDown_ = false;
            endAction();
        }
        e->accept();
        return;
    }
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
    stopPaging();
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
