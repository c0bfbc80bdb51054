#include "speed_buttons.h"

#include <QAbstractButton>
#include <QSignalBlocker>

void SpeedButtons::add(QAbstractButton* button, int group, bool allowAllUp)
{
    button->setCheckable(true);
    states_.push_back({button, group, allowAllUp, false});
    show(states_.back());
}

SpeedButtons::State* SpeedButtons::find(const QAbstractButton* button)
{
    for (State& s : states_)
        if (s.button == button) return &s;
    return nullptr;
}

const SpeedButtons::State* SpeedButtons::find(const QAbstractButton* button) const
{
    for (const State& s : states_)
        if (s.button == button) return &s;
    return nullptr;
}

int SpeedButtons::groupIndex(const QAbstractButton* button) const
{
    const State* s = find(button);
    return s ? s->group : 0;
}

bool SpeedButtons::allowAllUp(const QAbstractButton* button) const
{
    const State* s = find(button);
    return s && s->allowAllUp;
}

bool SpeedButtons::down(const QAbstractButton* button) const
{
    const State* s = find(button);
    return s && s->down;
}

void SpeedButtons::updateExclusive(const State& s)
{
    if (s.group == 0) return;
    for (State& other : states_) {
        if (other.button == s.button || other.group != s.group) continue;
        if (s.down) other.down = false;
        other.allowAllUp = s.allowAllUp;
    }
}

void SpeedButtons::setGroupIndex(QAbstractButton* button, int group)
{
    State* s = find(button);
    if (!s || s->group == group) return;
    s->group = group;
    if (group == 0) s->down = false;
    updateExclusive(*s);
    showAll();
}

void SpeedButtons::setAllowAllUp(QAbstractButton* button, bool allow)
{
    State* s = find(button);
    if (!s || s->allowAllUp == allow) return;
    s->allowAllUp = allow;
    updateExclusive(*s);
    showAll();
}

void SpeedButtons::setDown(QAbstractButton* button, bool down)
{
    State* s = find(button);
    if (!s) return;
    if (s->group == 0) down = false;
    if (down != s->down && !(s->down && !s->allowAllUp)) {
        s->down = down;
        if (down) updateExclusive(*s);
    }
    showAll();
}

void SpeedButtons::click(QAbstractButton* button)
{
    State* s = find(button);
    if (!s) return;
    if (s->group != 0)
        setDown(button, !s->down);
    else
        showAll();
}

void SpeedButtons::show(const State& s) const
{
    if (s.button->isChecked() == s.down) return;
    const QSignalBlocker block(s.button);
    s.button->setChecked(s.down);
}

void SpeedButtons::showAll() const
{
    for (const State& s : states_) show(s);
}
