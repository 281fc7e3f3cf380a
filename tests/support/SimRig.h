#pragma once

#include "Hex.h"
#include "RecordingOperatingView.h"
#include "RecordingView.h"
#include "core/ProgramCore.h"
#include "platform/Clock.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QTemporaryDir>

// The whole program on the virtual command station in the same process:
// the real tick, the real receiver, and a line paced at its bit rate. Time
// is a manual clock.
struct SimRig {
    ManualClock clock;
    VirtualStation layout;
    VirtualSerialPort port{clock, layout};
    RecordingView messages;
    RecordingOperatingView operating;
    QTemporaryDir confDir;
    ProgramCore core{clock, port, messages, operating, confDir.path()};
    LinkState& s = core.state;

    SimRig() {
        port.open(1);
        port.setSettings(QStringLiteral("115200,n,8,1"));
        core.link.InterfaceType = 3;
        s.station.StationType = layout.profile.type;
        core.jobs.open();
    }

    // 10 ms pass, then the receiver and one MainTimer tick run.
    void tick() {
        clock.advance(0.01);
        core.ReceiveBytes();
        core.MainTick();
    }
    void run(double seconds) {
        for (int i = 0; i < qRound(seconds / 0.01); ++i)
            tick();
    }
};
