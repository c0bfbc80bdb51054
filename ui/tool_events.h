#pragma once
// Updates for assistive tools from the windows' own controls. They go to
// the platform's bridge while one is active, as Qt's widgets' do, and to a
// listener inside the program besides (the tests: a platform without a
// bridge, such as offscreen, takes none). A control that would build
// something costly for an update asks toolsListen() first.

#include <QAccessible>

#include <utility>

using ToolListener = void (*)(QAccessibleEvent* event);

namespace tool_events_detail {
inline ToolListener listener = nullptr;
}

// Returns the listener it replaces; none by default.
inline ToolListener setToolListener(ToolListener listener)
{
    return std::exchange(tool_events_detail::listener, listener);
}

inline bool toolsListen()
{
    return tool_events_detail::listener || QAccessible::isActive();
}

inline void tellTools(QAccessibleEvent& event)
{
    if (tool_events_detail::listener) tool_events_detail::listener(&event);
    QAccessible::updateAccessibility(&event);
}
