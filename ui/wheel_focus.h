#pragma once
// The wheel changes a control's value only while the control has the
// keyboard focus: a page scrolled across with the wheel never writes to the
// device. Over an unfocused list, tab bar, scroll bar, slider or spin box a
// notch is ignored and goes on to the parents, as Qt passes on every wheel
// event a widget ignores; the wheel does not give such a control the focus
// either (a list takes it from the wheel by default), so the next notch is
// ignored too. Over the focused control the wheel works as Qt's does.

#include <initializer_list>

class QWidget;

// Every such control below `root` as it stands now, except those named
// (the page control's own tabs, where the wheel changes the page).
void wheelOnlyWhenFocused(QWidget* root, std::initializer_list<const QWidget*> except = {});
