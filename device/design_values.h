#pragma once
// The device component's values as the main window stores them: applied
// through the write accessors, in this order, while the window is being
// built and before it reads its customisation file.

class TZEPH350_d;

// The remote address the window starts with, before a customisation file
// replaces it.
inline constexpr const char* DesignRemoteAddress = "192.168.0.100";

void applyDesignValues(TZEPH350_d& z);
