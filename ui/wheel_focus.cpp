#include "wheel_focus.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QTabBar>
#include <QWidget>

#include <algorithm>

namespace {

// One filter for the controls of a root, owned by the root.
class FocusedWheel : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel) return false;
        if (static_cast<QWidget*>(watched)->hasFocus()) return false;
        event->ignore();  // on to the parent
        return true;
    }
};

// The kinds of control whose value the wheel changes.
bool turnsWithWheel(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTabBar*>(w);
}

}  // namespace

void wheelOnlyWhenFocused(QWidget* root, std::initializer_list<const QWidget*> except)
{
    auto* filter = new FocusedWheel(root);
    // Only the root's window: a list's drop-down is a window of its own,
    // whose scroll bars the wheel over the list turns.
    const QWidget* window = root->window();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->window() != window || !turnsWithWheel(w)) continue;
        if (std::find(except.begin(), except.end(), w) != except.end()) continue;
        w->installEventFilter(filter);
        if ((w->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) w->setFocusPolicy(Qt::StrongFocus);
    }
}
