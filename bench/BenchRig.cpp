#include "BenchRig.h"

#include "Figure.h"
#include "link/Connection.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
SerialPort& lineOf(BenchRig& rig, BenchRig::Wire wire) {
    switch (wire) {
    case BenchRig::Wire::Tapped:
        return rig.tap;
    case BenchRig::Wire::Tcp:
        return rig.tcp;
    default:
        return rig.line;
    }
}

// Lets the loopback hand on what the sockets wrote, without waiting.
void pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace

BenchRig::BenchRig(Wire wire)
    : core(clock, lineOf(*this, wire), views, views, QString()), m_wire(wire) {
    line.open(1);
    line.setSettings(QStringLiteral("%1,n,8,1").arg(Connection::Interface41770BitRate));
    core.link.InterfaceType = 2;
    core.state.station.StationType = layout.profile.type;
    core.jobs.open();
    if (wire != Wire::Tcp)
        return;
    core.link.InterfaceType = Link::ServerInterface;
    server.listen(0);
    const ServerAddress loopback{QStringLiteral("127.0.0.1"), server.port()};
    tcp.openServer(loopback);
    watcher.openServer(loopback);
    for (int i = 0; i < 1000 && !ready(); ++i)
        pump();
}

void BenchRig::step() {
    clock.advance(Step);
    if (m_wire == Wire::Tcp) {
        // The socket's receive event runs the receiver.
        bus.deliverDue();
        pump();
    } else if (line.bytesWaiting() > 0) {
        const double start = cpuSeconds();
        core.ReceiveBytes();
        receiveSeconds += cpuSeconds() - start;
    }
    highestRingFill = std::max(highestRingFill, core.link.Rx.unreadCount());
    if (++m_steps % StepsPerTick != 0)
        return;
    // The tick takes every message in the ring.
    dispatched += core.link.Rx.unreadCount();
    const double start = cpuSeconds();
    core.MainTick();
    tickSeconds.push_back(cpuSeconds() - start);
    ++ticks;
}

bool BenchRig::messageOut() const {
    return m_wire == Wire::Tcp ? watcher.bytesWaiting() > 0 : !tap.written.isEmpty();
}

void BenchRig::forgetMessagesOut() {
    tap.takeWritten();
    watcher.readAll();
}

void BenchRig::runTicks(int n) {
    const int until = ticks + n;
    while (ticks < until)
        step();
}
