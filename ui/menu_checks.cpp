#include "menu_checks.h"

#include <QAction>
#include <QActionGroup>
#include <QSignalBlocker>

namespace {

QList<QAction*> groupOf(QAction* item)
{
    if (QActionGroup* g = item->actionGroup()) return g->actions();
    return {item};
}

}  // namespace

void MenuChecks::onTrigger(QAction* item, QObject* context, std::function<void()> handler)
{
    remember(item);
    QObject::connect(item, &QAction::triggered, context, [this, item, handler = std::move(handler)] {
        restore(item);
        handler();
    });
}

void MenuChecks::set(QAction* item, bool checked)
{
    // With its signals blocked an item's group cannot uncheck the others:
    // a radio group's other marks go first.
    const QList<QAction*> group = groupOf(item);
    for (QAction* a : group) {
        if (a == item || !checked || !item->actionGroup()->isExclusive()) continue;
        const QSignalBlocker block(a);
        a->setChecked(false);
    }
    {
        const QSignalBlocker block(item);
        item->setChecked(checked);
    }
    remember(item);
}

void MenuChecks::remember(QAction* item)
{
    for (QAction* a : groupOf(item)) shown_[a] = a->isChecked();
}

void MenuChecks::restore(QAction* item)
{
    // Unchecking first, so that an exclusive group ends with the mark it
    // had, or with none.
    const QList<QAction*> group = groupOf(item);
    for (QAction* a : group) {
        const QSignalBlocker block(a);
        if (!shown_.value(a, false)) a->setChecked(false);
    }
    for (QAction* a : group) {
        const QSignalBlocker block(a);
        if (shown_.value(a, false)) a->setChecked(true);
    }
}
