#pragma once

#include "Hex.h"
#include "RecordingConnectionView.h"
#include "RecordingOperatingView.h"
#include "RecordingView.h"
#include "TappedPort.h"
#include "core/ProgramCore.h"
#include "platform/Clock.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>

// The program's core and its connection on a tapped line: the virtual
// command station in the same process unless the test gives another. Time
// is a manual clock; step() runs the timers as the program runs them.
struct LineRig {
    explicit LineRig(SerialPort* line = nullptr) : port(line ? *line : sim) {
        core.setTimer1Running(true);
    }

    void step() {
        connection.advance();
        if (core.timer1Running())
            core.ReceiveBytes();
        if (core.mainTimerRunning())
            core.MainTick();
        clock.advance(0.01);
        afterStep();
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i)
            step();
    }
    // Steps while a connect runs; whether it ended connected.
    bool settle() {
        for (int i = 0; i < 3000 && connection.connecting(); ++i)
            step();
        return connection.connected();
    }
    bool connect(int com = 1) {
        connection.connectPort(com);
        return settle();
    }
    QByteArray confDat() const {
        QFile file(confDir.filePath("conf.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ManualClock clock;
    VirtualStation layout;
    VirtualSerialPort sim{clock, layout};
    TappedPort port;
    RecordingView messages;
    RecordingOperatingView operating;
    QTemporaryDir confDir;
    ProgramCore core{clock, port, messages, operating, confDir.path()};
    LinkState& s = core.state;
    RecordingConnectionView view;
    QList<int> usbPorts;
    Connection connection{s, core.jobs, view, core.connectionHooks([this] { return usbPorts; })};
    std::function<void()> afterStep = [] {};
};

// The whole program on the virtual command station, already connected
// through the USB interface: the real tick, the real receiver, and a line
// paced at its bit rate.
struct SimRig : LineRig {
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
