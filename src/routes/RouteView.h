#pragma once

#include <QString>

// The 16 route indicators (FS_Anz) of the main window's memory page.
class RouteIndicatorView {
public:
    virtual ~RouteIndicatorView() = default;
    // index 0..15 on the page; colour 0xBBGGRR.
    virtual void ShowRouteIndicator(int index, int colour) = 0;
};

// What the route editor shows of the engine's work.
class RouteMonitorView {
public:
    virtual ~RouteMonitorView() = default;
    // FsStatTxt: what the engine is doing.
    virtual void ShowRouteActivity(const QString& text) = 0;
    // BefNrTxt: the number of the command being executed, or "-".
    virtual void ShowCommandNumber(const QString& text) = 0;
};
