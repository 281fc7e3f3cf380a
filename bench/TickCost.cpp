#include "BenchRig.h"
#include "BusTraffic.h"
#include "Figures.h"
#include "link/AccessoryJobs.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace {
constexpr int Ticks = 10000;
constexpr int Runs = 3;
constexpr int AccessoryAddresses = 2048;
// Other devices keep the bus this busy; the rest carries the program's
// messages and their echoes.
constexpr double BusShare = 0.8;

// Accessories, a feedback report on a contact no trigger names, and a
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

// Every route requested from the start and full of commands; its contact
// turning occupied requests it again, turning free dissolves it.
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

struct Run {
    std::vector<double> tickSeconds;
    long dispatched = 0;
    long jobs = 0;
    int routesEstablished = 0;
};

Run runOnce() {
    BenchRig rig;
    RouteTable& table = rig.core.routes.table;
    fillRoutes(table);
    Run run;
    QObject::connect(&table, &RouteTable::cellChanged, [&](int row, int column) {
        if (column == RouteTable::EstablishedColumn && table.isSet(row, column))
            ++run.routesEstablished;
    });
    BusTraffic traffic(RouteTable::LastRoute, BusShare);
    JobMachine& jobs = rig.core.jobs;
    while (rig.ticks < Ticks) {
        traffic.keepLineBusy(rig.layout, rig.clock.now(), std::numeric_limits<long>::max());
        if (jobs.idle()) {
            requestAccessory(jobs, int(run.jobs % AccessoryAddresses), run.jobs % 2, true);
            ++run.jobs;
        }
        rig.step();
    }
    run.tickSeconds = rig.tickSeconds;
    run.dispatched = rig.dispatched;
    return run;
}
} // namespace

// The whole main tick with every part busy: the job machine, the route
// engine over a full table, the transmitter and the dispatcher. The runs are
// alike tick for tick on the manual clock, so each tick counts with the
// least it cost: what other programs on the machine add to a tick now and
// then is not the program's.
Figure tickCost() {
    const Run first = runOnce();
    std::vector<double> least = first.tickSeconds;
    for (int i = 1; i < Runs; ++i) {
        const Run again = runOnce();
        if (again.dispatched != first.dispatched || again.jobs != first.jobs)
            return {QStringLiteral("tick cost"), QStringLiteral("the runs went differently"),
                    false};
        for (std::size_t t = 0; t < least.size(); ++t)
            least[t] = std::min(least[t], again.tickSeconds[t]);
    }
    const double mean =
        std::accumulate(least.begin(), least.end(), 0.0) / Ticks / BenchRig::TickSeconds;
    const double worst = *std::max_element(least.begin(), least.end()) / BenchRig::TickSeconds;
    const QString text =
        QStringLiteral("%1 ticks over %2 routes with triggers and %3 commands each (%4 routes "
                       "established), %5 switching jobs, other devices %6 of the bus, %7 messages "
                       "dispatched: mean %8, worst %9 of the 10 ms tick, each tick the least of "
                       "%10 identical runs (target < 5 %)")
            .arg(Ticks)
            .arg(RouteTable::LastRoute)
            .arg(RouteTable::Commands)
            .arg(first.routesEstablished)
            .arg(first.jobs)
            .arg(QStringLiteral("%1 %").arg(BusShare * 100))
            .arg(first.dispatched)
            .arg(percent(mean))
            .arg(percent(worst))
            .arg(Runs);
    return {QStringLiteral("tick cost"), text, worst < 0.05};
}
