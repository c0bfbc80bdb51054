#include "tab_control.h"

#include <QSignalBlocker>
#include <QStyleOptionTab>
#include <QStylePainter>

TabControl::TabControl(QWidget* parent) : QTabBar(parent)
{
    // The program changes the tab only under a signal blocker, so these
    // report the operator.
    connect(this, &QTabBar::currentChanged, this, [this] {
        none_ = false;
        if (OnChange) OnChange();
    });
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (!none_ || index != currentIndex()) return;
        none_ = false;
        update();
        if (OnChange) OnChange();
    });
}

void TabControl::SetTabIndex(int index)
{
    const QSignalBlocker block(this);
    none_ = index < 0 || index >= count();
    if (!none_) setCurrentIndex(index);
    update();
}

void TabControl::paintEvent(QPaintEvent* event)
{
    if (!none_) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab tab;
        initStyleOption(&tab, i);
        tab.state &= ~QStyle::State_Selected;
        p.drawControl(QStyle::CE_TabBarTab, tab);
    }
}
