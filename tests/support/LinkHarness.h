#pragma once

#include "FakeSerialPort.h"
#include "Hex.h"
#include "RecordingOperatingView.h"
#include "RecordingView.h"
#include "core/ProgramCore.h"
#include "link/LocoNetMessage.h"
#include "platform/Clock.h"

#include <QTemporaryDir>

// Plays the command station byte by byte against the program's link: a fake
// port, a manual clock, and the real 10 ms tick.
struct LinkHarness {
    ManualClock clock;
    FakeSerialPort port;
    RecordingView messages;
    RecordingOperatingView operating;
    QTemporaryDir confDir;
    ProgramCore core{clock, port, messages, operating, confDir.path()};
    LinkState& s = core.state;

    explicit LinkHarness(int interfaceType = 3, int stationType = 1) {
        port.opened = true;
        core.link.InterfaceType = interfaceType;
        s.station.StationType = stationType;
        core.jobs.open();
    }

    // One MainTimer tick, then 10 ms pass.
    void tick() {
        core.MainTick();
        clock.advance(0.01);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    // Ticks until the program writes something (at most n ticks).
    QByteArray nextWritten(int n = 400) {
        for (int i = 0; i < n && port.written.isEmpty(); ++i)
            tick();
        return port.takeWritten();
    }

    // The command station sends a message; the checksum is added here.
    void receive(const char* text) { receiveBytes(loconet::withChecksum(hex(text))); }
    void receiveBytes(const QByteArray& bytes) { port.deliver(bytes); }
    // The bus repeats what the program wrote.
    QByteArray echoNext(int n = 400) {
        const QByteArray sent = nextWritten(n);
        receiveBytes(sent);
        return sent;
    }
};
