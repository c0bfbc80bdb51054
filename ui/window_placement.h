#pragma once
// Centres a secondary window on the main window (or on the screen when the
// main window is not known).

class QWidget;

void centreOn(QWidget* window, const QWidget* mainWindow);
