#pragma once
// Buttons that stay down, in groups: the classic "group index / all up
// allowed / down" model that an exclusive QButtonGroup cannot show. Code
// can release every button of a group, move a button to a group of its own
// (where it shows down beside the down button of its old group), and the
// operator's click goes down or, where all-up is allowed, back up.
//
// The model keeps the state and drives the checkable buttons from it: a
// button shows checked exactly while it is down here.
//
// The rules, per button (buttons of one model are siblings):
// - group 0 is no group: such a button is never down;
// - going down releases the other down buttons of its group;
// - a down button goes up only when its group allows all-up;
// - changing a button's group or all-up setting applies them to its group
//   at once: a down button releases the others of its new group, and the
//   group takes over its all-up setting.

#include <QList>

class QAbstractButton;

class SpeedButtons {
public:
    // Adds a checkable button (made checkable here), up.
    void add(QAbstractButton* button, int group, bool allowAllUp = false);

    int groupIndex(const QAbstractButton* button) const;
    bool allowAllUp(const QAbstractButton* button) const;
    bool down(const QAbstractButton* button) const;

    void setGroupIndex(QAbstractButton* button, int group);
    void setAllowAllUp(QAbstractButton* button, bool allow);
    void setDown(QAbstractButton* button, bool down);

    // The operator's click: an up button of a group goes down, a down one
    // goes up where all-up is allowed. Connect it to the button's clicked
    // signal before the page's handler; it also takes back the check that
    // the button gave itself.
    void click(QAbstractButton* button);

private:
    struct State {
        QAbstractButton* button;
        int group;
        bool allowAllUp;
        bool down;
    };
    State* find(const QAbstractButton* button);
    const State* find(const QAbstractButton* button) const;
    // Releases the other down buttons of s's group (when s is down) and
    // gives them s's all-up setting.
    void updateExclusive(const State& s);
    void show(const State& s) const;
    void showAll() const;

    QList<State> states_;
};
