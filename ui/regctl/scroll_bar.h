#pragma once
// The panel's scroll bar: it reports the operator's actions with the classic
// scroll codes and the new position, and ends every action with one end
// scroll. Programmatic moves (setValue) report nothing.
//
// Like a classic scroll bar it takes the keyboard focus (Tab and click),
// and a page click held down walks page by page until the thumb reaches the
// pointer, then stops there.

#include <QBasicTimer>
#include <QPoint>
#include <QScrollBar>
#include <QStyle>

class ScrollBarEx : public QScrollBar {
    Q_OBJECT
    // The drag mark of the register controls: 1 while the operator moves the
    // bar, 0 otherwise.
    Q_PROPERTY(int Tag MEMBER Tag)
public:
    enum Code : int {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
        EndScroll = 8,
    };

    explicit ScrollBarEx(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    int Tag = 0;

signals:
    // One operator step: a scroll code and the bar's position after it.
    void scrolled(int code, int pos);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    void onAction(int action);
    void onSliderReleased();
    // Sends the end scroll of the action in progress, once.
    void endAction();

    QStyle::SubControl hitTest(const QPoint& pos) const;
    // One page towards the pointer, while the pointer is still beyond the
    // thumb on the side that was pressed; false once the walk is over.
    bool pageTowardsPointer();
    void stopPaging();

    // Paging held down: the page area pressed and where the pointer is.
    QBasicTimer pageTimer_;
    QStyle::SubControl pagePressed_ = QStyle::SC_None;
    QPoint pointer_;

    bool inAction_ = false;  // an operator action has reported a step
    bool mouseDown_ = false;
    bool inWheel_ = false;
    int wheelFrom_ = 0;
};
