#include "BenchRig.h"

#include "Figure.h"
#include "link/Connection.h"

#include <algorithm>

BenchRig::BenchRig(Wire wire)
    : station(clock, wire == Wire::Tapped ? static_cast<SerialPort&>(tap) : line, views, views,
              QString()) {
    line.open(1);
    line.setSettings(QStringLiteral("%1,n,8,1").arg(Connection::Interface41770BitRate));
    station.link.InterfaceType = 2;
    station.state.StationType = layout.profile.type;
    station.jobs.open();
}

void BenchRig::step() {
    clock.advance(Step);
    if (line.bytesWaiting() > 0) {
        const double start = cpuSeconds();
        station.ReceiveBytes();
        receiveSeconds += cpuSeconds() - start;
        highestRingFill = std::max(highestRingFill, station.link.Rx.unreadCount());
    }
    if (++m_steps % StepsPerTick != 0)
        return;
    // The tick takes every message in the ring.
    dispatched += station.link.Rx.unreadCount();
    const double start = cpuSeconds();
    station.MainTick();
    tickSeconds.push_back(cpuSeconds() - start);
    ++ticks;
}

void BenchRig::runTicks(int n) {
    const int until = ticks + n;
    while (ticks < until)
        step();
}
