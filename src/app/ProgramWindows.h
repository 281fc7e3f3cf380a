#pragma once

#include "programming/lncv/ZeltronManager.h"

class MainWin;
class OperatingRelay;
class Station;

// Puts the windows of every area behind the main window's menu items and
// the handheld-throttle windows behind the link's announcements.
class ProgramWindows {
public:
    ProgramWindows(Station& station, MainWin& window, OperatingRelay& operating);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    OperatingRelay& m_operating;
    ZeltronManager m_zeltron;
};
