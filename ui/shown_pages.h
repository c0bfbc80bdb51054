#pragma once
// A page of a page control that the device's model or options lack is
// hidden with its tab. Qt's tab bar steps over disabled tabs only: the wheel
// over the tabs, Left and Right on the focused tab bar and Ctrl+Tab or
// Ctrl+Shift+Tab on the page control would still bring a hidden page into
// view. So a hidden tab is also disabled for as long as it is hidden, and
// every gesture moves between the pages shown. The page itself keeps its
// enabled state: only its tab is out of reach.

class QTabWidget;
class QWidget;

void setPageShown(QTabWidget* pages, QWidget* page, bool shown);

// Ctrl+Tab and Ctrl+Shift+Tab change the page wherever the focus is on the
// page control or its pages. Without this a list with the focus takes them
// as typed text and keeps them; the page control then steps over hidden
// pages as it does for its own keys.
void ctrlTabChangesPage(QTabWidget* pages);
