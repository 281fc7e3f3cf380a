#pragma once

#include "monitor/MonitorLog.h"
#include "operating/ZeltronManager.h"

class MainWin;
class OperatingRelay;
class ProgramCore;

// Puts the windows of every area behind the main window's menu items and
// the handheld-throttle windows behind the link's announcements. The bus
// monitor's log listens from the start, so the monitor shows what happened
// before it was opened.
class ProgramWindows {
public:
    ProgramWindows(ProgramCore& core, MainWin& window, OperatingRelay& operating);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    ProgramCore& m_core;
    OperatingRelay& m_operating;
    ZeltronManager m_zeltron;
    MonitorLog m_monitorLog;
};
