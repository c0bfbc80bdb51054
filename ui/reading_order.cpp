#include "reading_order.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QRect>
#include <QStyleHints>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// Tab reaches every control that takes the focus by Tab, or only those
// that take it strongly, as the platform says.
Qt::FocusPolicy tabFocus()
{
    return QGuiApplication::styleHints()->tabFocusBehavior() == Qt::TabFocusAllControls ? Qt::TabFocus
                                                                                           : Qt::StrongFocus;
}

// A control that may take Tab for itself, now or later (a radio button is
// its group's tab stop only while it has the focus): not one that passes
// the focus on to another (a page control to its tabs, a list's edit to
// the list), which is placed instead.
bool mayTakeTab(const QWidget* w)
{
    if (w->isWindow() || w->focusProxy()) return false;
    return (w->focusPolicy() & Qt::TabFocus) || qobject_cast<const QAbstractButton*>(w);
}

bool takesTabNow(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & tabFocus()) == tabFocus();
}

struct Placed {
    QWidget* widget;
    QRect at;  // in the root's coordinates
    double middle() const { return at.top() + at.height() / 2.0; }
};

}  // namespace

ReadingTabOrder::ReadingTabOrder(QWidget* root) : root_(root) {}

void ReadingTabOrder::refresh()
{
    QWidget* const window = root_->window();
    if (moved_) {
        controls_.clear();
        for (QWidget* w : root_->findChildren<QWidget*>())
            if (w->window() == window && mayTakeTab(w)) controls_ << w;
    }
    QList<QWidget*> shown;
    for (const QPointer<QWidget>& w : controls_)
        if (w && w->isVisible()) shown << w;
    if (!moved_ && shown == shown_) return;
    moved_ = false;
    shown_ = shown;

    std::vector<Placed> placed;
    for (QWidget* w : shown) placed.push_back({w, QRect(w->mapTo(root_, QPoint(0, 0)), w->size())});
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.middle() < b.middle(); });
    // Cut into rows, then each row from left to right.
    auto row = placed.begin();
    while (row != placed.end()) {
        auto end = row + 1;
        while (end != placed.end() &&
               end->middle() - (end - 1)->middle() < std::min(end->at.height(), (end - 1)->at.height()) / 2.0)
            ++end;
        std::stable_sort(row, end, [](const Placed& a, const Placed& b) { return a.at.left() < b.at.left(); });
        row = end;
    }
    order_.clear();
    for (const Placed& p : placed) order_ << p.widget;
}

QList<QWidget*> ReadingTabOrder::order()
{
    refresh();
    return order_;
}

bool ReadingTabOrder::focusNextPrevChild(bool next)
{
    QWidget* const focus = QApplication::focusWidget();
    if (!focus || !root_->isAncestorOf(focus)) return false;
    refresh();
    const qsizetype at = order_.indexOf(focus);
    if (at < 0) return false;
    const qsizetype n = order_.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* w = order_[(at + (next ? step : n - step)) % n];
        if (takesTabNow(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}
