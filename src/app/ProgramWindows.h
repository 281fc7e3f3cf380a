#pragma once

#include "monitor/MonitorLog.h"
#include "programming/lncv/ZeltronManager.h"

class MainWin;
class OperatingRelay;
class Station;

// Puts the windows of every area behind the main window's menu items and
// the handheld-throttle windows behind the link's announcements. The bus
// monitor's log listens from the start, so the monitor shows what happened
// before it was opened.
class ProgramWindows {
public:
    ProgramWindows(Station& station, MainWin& window, OperatingRelay& operating);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    Station& m_station;
    OperatingRelay& m_operating;
    ZeltronManager m_zeltron;
    MonitorLog m_monitorLog;
};
