#pragma once
// Menu items whose check marks show what the device reported. Qt checks a
// checkable item the moment it is triggered; here the operator's choice
// only writes a register, and the device's report moves the mark. So a
// trigger first takes its own flip back (on the whole radio group), then
// runs the page's handler.

#include <QHash>

#include <functional>

class QAction;
class QObject;

class MenuChecks {
public:
    // Follows `item` from its present check state on; a trigger of the item
    // restores the marks of its group, then runs `handler`.
    void onTrigger(QAction* item, QObject* context, std::function<void()> handler);

    // Sets a check mark from code (no signal) and remembers the marks of
    // its group as they stand afterwards.
    void set(QAction* item, bool checked);

private:
    void remember(QAction* item);
    void restore(QAction* item);

    QHash<QAction*, bool> shown_;
};
