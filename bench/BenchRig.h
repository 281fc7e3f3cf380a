#pragma once

#include "core/ProgramCore.h"
#include "link/LinkView.h"
#include "link/OperatingView.h"
#include "net/TcpLinePort.h"
#include "platform/Clock.h"
#include "sim/SharedBus.h"
#include "sim/TcpBusServer.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"
#include "support/TappedPort.h"

#include <vector>

// Nothing is drawn; the feedback the windows would show is counted.
struct CountingViews : LinkView, OperatingView {
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
    void ShowFeedback(int) override { ++feedbackShown; }

    long feedbackShown = 0;
};

// The whole program on the virtual command station behind interface 41770
// at 16457 bit/s, driven as the event loop drives it: the port's receive
// event whenever bytes have come, looked at every millisecond, and the main
// tick every 10 ms. Time is a manual clock; through TCP the loopback runs
// in real time, and the event loop hands on what it carries every
// millisecond. The CPU time of the program's part, receiving and ticking,
// is summed apart from the station's.
class BenchRig {
public:
    static constexpr double Step = 0.001;
    static constexpr int StepsPerTick = 10;
    static constexpr double TickSeconds = Step * StepsPerTick;

    // Tapped: the program writes through a tap that keeps what it wrote.
    // Tcp: the station is served on the loopback, the program is a
    // LocoNet-over-TCP client of it, and a watcher another one.
    enum class Wire { Direct, Tapped, Tcp };
    explicit BenchRig(Wire wire = Wire::Direct);

    // The line is up; through TCP it may not be.
    bool ready() const { return m_wire != Wire::Tcp || (tcp.isOpen() && watcher.isOpen()); }
    // One millisecond.
    void step();
    void runTicks(int ticks);

    // A message the program wrote is out: on the port, or through TCP on
    // the bus and heard by the watcher.
    bool messageOut() const;
    void forgetMessagesOut();

    ManualClock clock;
    VirtualStation layout;
    VirtualSerialPort line{clock, layout};
    TappedPort tap{line};
    SharedBus bus{clock, layout};
    TcpBusServer server{clock, layout, bus};
    TcpLinePort tcp;
    TcpLinePort watcher;
    CountingViews views;
    ProgramCore core;

    int ticks = 0;
    // Messages the dispatcher took out of the ring.
    long dispatched = 0;
    int highestRingFill = 0;
    // CPU time in the receive event, and in each main tick.
    double receiveSeconds = 0;
    std::vector<double> tickSeconds;

private:
    Wire m_wire;
    int m_steps = 0;
};
