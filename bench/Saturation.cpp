#include "BenchRig.h"
#include "BusTraffic.h"
#include "Figures.h"
#include "Measures.h"

#include <numeric>

namespace {
constexpr long Messages = 20000;

// Contacts whose stored state is not the one last reported.
int staleContacts(const BusTraffic& traffic, const LinkState& s) {
    int stale = 0;
    for (int contact = 0; contact < int(traffic.lastContactState.size()); ++contact) {
        const int sent = traffic.lastContactState[contact];
        if (sent != -1 && s.feedback.FeedbackState[contact] != sent)
            ++stale;
    }
    return stale;
}
} // namespace

SaturationRun runSaturation(BenchRig& rig) {
    BusTraffic traffic(FeedbackContacts::Count - 1);
    LinkHooks& hooks = rig.core.state.hooks;
    SaturationRun run;
    hooks.OnFeedbackForRoutes = [&, routes = hooks.OnFeedbackForRoutes](int contact, int state) {
        ++run.feedbackSeen;
        routes(contact, state);
    };
    hooks.OnAccessoryForRoutes = [&, routes = hooks.OnAccessoryForRoutes](int address, int dir) {
        ++run.accessoriesSeen;
        routes(address, dir);
    };

    const double start = rig.clock.now();
    while (traffic.sent < Messages || traffic.lineBusy(rig.clock.now())) {
        traffic.keepLineBusy(rig.layout, rig.clock.now(), Messages);
        rig.step();
    }
    run.busSeconds = rig.clock.now() - start;
    // What arrived with the last byte is dispatched by the next tick.
    rig.runTicks(1);

    run.sent = traffic.sent;
    run.lost = traffic.sent - rig.dispatched;
    run.feedbackReports = traffic.feedbackReports;
    run.accessoryCommands = traffic.accessoryCommands;
    run.staleContacts = staleContacts(traffic, rig.core.state);
    run.allActedOn = run.feedbackSeen == traffic.feedbackReports &&
                     rig.views.feedbackShown == traffic.feedbackReports &&
                     run.accessoriesSeen == traffic.accessoryCommands && run.staleContacts == 0;
    return run;
}

// A bus that never rests, against the program's receiver, ring and
// dispatcher.
Figure saturation() {
    BenchRig rig;
    const SaturationRun run = runSaturation(rig);
    const double cpuShare = (rig.receiveSeconds +
                             std::accumulate(rig.tickSeconds.begin(), rig.tickSeconds.end(), 0.0)) /
                            run.busSeconds;
    const QString text =
        QStringLiteral("%1 messages in %2 bus seconds at %3 bit/s, lost %4 (target 0), "
                       "dropped as damaged %13 (target 0 on a clean line), "
                       "feedback reports acted on %5 of %6 (%7 contacts stored wrong), "
                       "accessory commands %8 of %9, highest ring fill %10 of %11, "
                       "CPU %12 of one core per bus-second (target < 1 %)")
            .arg(run.sent)
            .arg(run.busSeconds, 0, 'f', 1)
            .arg(rig.layout.line().bitRate())
            .arg(run.lost)
            .arg(run.feedbackSeen)
            .arg(run.feedbackReports)
            .arg(run.staleContacts)
            .arg(run.accessoriesSeen)
            .arg(run.accessoryCommands)
            .arg(rig.highestRingFill)
            .arg(ReceiveRing::Slots)
            .arg(percent(cpuShare))
            .arg(rig.core.link.Rx.damagedCount());
    return {QStringLiteral("saturation"), text,
            run.lost == 0 && rig.core.link.Rx.damagedCount() == 0 && run.allActedOn &&
                cpuShare < 0.01};
}
