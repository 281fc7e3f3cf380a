#include "BenchRig.h"
#include "BusTraffic.h"
#include "Figures.h"
#include "operating/panels/PanelActions.h"

#include <limits>

namespace {
constexpr int Ticks = 10000;
constexpr int AccessoryAddresses = 2048;
// Other devices keep the bus this busy; the rest carries the program's
// messages and their echoes.
constexpr double BusShare = 0.8;

// AccessoryAddresses, a feedback report on a contact no trigger names, and a
// request of the next route, so the engine never runs out of work.
QString command(int route, int c) {
    const int n = route * RouteTable::Commands + c;
    switch (c % 4) {
    case 0:
        return QStringLiteral("Ma%1-g").arg(1 + n % AccessoryAddresses);
    case 1:
        return QStringLiteral("Ma%1-r").arg(1 + n % AccessoryAddresses);
    case 2:
        return QStringLiteral("Rm%1-b").arg(RouteTable::LastRoute + 1 + n % AccessoryAddresses);
    default:
        return QStringLiteral("Fs%1-an").arg(1 + route % RouteTable::LastRoute);
    }
}

// Every route requested, with all its commands, requested by its contact
// turning occupied and dissolved by it turning free.
void fillRoutes(RouteTable& table) {
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        table.setText(route, RouteTable::RequestTriggerColumn, QStringLiteral("Rm%1-b").arg(route));
        table.setText(route, RouteTable::DissolveTriggerColumn,
                      QStringLiteral("Rm%1-f").arg(route));
        table.setStatus(route, RouteTable::RequestedColumn, true);
        for (int c = 0; c < RouteTable::Commands; ++c)
            table.setText(route, RouteTable::FirstCommandColumn + c, command(route, c));
    }
}
} // namespace

// The whole main tick with every part busy: the job machine, the route
// engine over a full table, the transmitter and the dispatcher.
Figure tickCost() {
    BenchRig rig;
    RouteTable& table = rig.station.routes.table;
    fillRoutes(table);
    int routesEstablished = 0;
    QObject::connect(&table, &RouteTable::cellChanged, [&](int row, int column) {
        if (column == RouteTable::EstablishedColumn && table.isSet(row, column))
            ++routesEstablished;
    });
    BusTraffic traffic(RouteTable::LastRoute, BusShare);
    JobRequest& job = rig.station.state.job;
    long jobs = 0;

    while (rig.ticks < Ticks) {
        traffic.keepLineBusy(rig.layout, rig.clock.now(), std::numeric_limits<long>::max());
        if (job.idle()) {
            panel::switchAccessory(job, int(jobs % AccessoryAddresses), jobs % 2, true);
            ++jobs;
        }
        rig.step();
    }

    const double mean = rig.tickSeconds / rig.ticks / BenchRig::TickSeconds;
    const double worst = rig.worstTickSeconds / BenchRig::TickSeconds;
    const QString text =
        QStringLiteral("%1 ticks over %2 routes with triggers and %3 commands each (%4 routes "
                       "established), %5 switching jobs, other devices %6 of the bus, %7 messages "
                       "dispatched: mean %8, worst %9 of the 10 ms tick (target < 5 %)")
            .arg(rig.ticks)
            .arg(RouteTable::LastRoute)
            .arg(RouteTable::Commands)
            .arg(routesEstablished)
            .arg(jobs)
            .arg(QStringLiteral("%1 %").arg(BusShare * 100))
            .arg(rig.dispatched)
            .arg(percent(mean))
            .arg(percent(worst));
    return {QStringLiteral("tick cost"), text, worst < 0.05};
}
