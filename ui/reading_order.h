#pragma once
// Tab visits a window's controls in the order they are read on screen: top
// to bottom, and left to right within a row, whatever order they were
// created in. The controls shown are taken by the height of their middles;
// the next one stands in the same row when its middle is less than half a
// control's height (the smaller of the two) below the previous one's: an
// edit two pixels above its bar, a list beside a check box, the staggered
// items of radio groups side by side.
//
// The order is taken from the geometry as laid out, again when the controls
// shown are no longer those it was taken from (another page in view, a
// group shown by a device report), or when a layout moved them (the model
// layout says so); it is taken at the first Tab after that, when the
// window is shown and its pages have placed their controls.
//
// Qt's own focus chain is left as it is (splicing a page control's tabs
// out of it breaks the chain); the window hands its Tab and Shift+Tab here.

#include <QList>
#include <QPointer>

class QWidget;

class ReadingTabOrder {
public:
    explicit ReadingTabOrder(QWidget* root);

    // The controls have moved: the order is taken again at the next Tab.
    void update() { moved_ = true; }

    // Moves the focus from the focused control to the next (or previous)
    // one in reading order that is enabled and takes Tab at the moment;
    // false when the focus is not on a control below the root, for the
    // window's own handling.
    bool focusNextPrevChild(bool next);

    // The controls shown that may take Tab, in reading order.
    QList<QWidget*> order();

private:
    void refresh();

    QWidget* root_;
    bool moved_ = true;
    // Every control below the root that may take Tab, shown or not.
    QList<QPointer<QWidget>> controls_;
    // Those shown when the order was taken, and the order.
    QList<QWidget*> shown_;
    QList<QWidget*> order_;
};
