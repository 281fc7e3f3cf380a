#pragma once

#include "link/ConnectionView.h"

// Remembers what the connection showed.
struct RecordingConnectionView : ConnectionView {
    void ShowInterfaceInfo(const QString& text) override { interfaceInfo = text; }
    void ShowStationInfo(const QString& text) override { stationInfo = text; }
    void ShowPortState(PortState s) override { state = s; }
    void ShowPortNumber(int n) override { portNumber = n; }

    QString interfaceInfo = "Info";
    QString stationInfo = "Info";
    PortState state = PortState::Closed;
    int portNumber = 0;
};
