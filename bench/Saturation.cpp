#include "BenchRig.h"
#include "BusTraffic.h"
#include "Figures.h"

#include <numeric>

namespace {
constexpr long Messages = 20000;

// Contacts whose stored state is not the one last reported.
int staleContacts(const BusTraffic& traffic, const LinkState& s) {
    int stale = 0;
    for (int contact = 0; contact < int(traffic.lastContactState.size()); ++contact) {
        const int sent = traffic.lastContactState[contact];
        if (sent != -1 && s.FeedbackState[contact] != sent)
            ++stale;
    }
    return stale;
}
} // namespace

// A bus that never rests, against the program's receiver, ring and
// dispatcher.
Figure saturation() {
    BenchRig rig;
    BusTraffic traffic(LinkState::FeedbackContacts - 1);
    LinkHooks& hooks = rig.station.state.hooks;
    long feedbackSeen = 0;
    long accessoriesSeen = 0;
    hooks.OnFeedbackForRoutes = [&, routes = hooks.OnFeedbackForRoutes](int contact, int state) {
        ++feedbackSeen;
        routes(contact, state);
    };
    hooks.OnAccessoryForRoutes = [&, routes = hooks.OnAccessoryForRoutes](int address, int dir) {
        ++accessoriesSeen;
        routes(address, dir);
    };

    const double start = rig.clock.now();
    while (traffic.sent < Messages || traffic.lineBusy(rig.clock.now())) {
        traffic.keepLineBusy(rig.layout, rig.clock.now(), Messages);
        rig.step();
    }
    const double busSeconds = rig.clock.now() - start;
    // What arrived with the last byte is dispatched by the next tick.
    rig.runTicks(1);

    const long lost = traffic.sent - rig.dispatched;
    const int stale = staleContacts(traffic, rig.station.state);
    const bool allActedOn = feedbackSeen == traffic.feedbackReports &&
                            rig.views.feedbackShown == traffic.feedbackReports &&
                            accessoriesSeen == traffic.accessoryCommands && stale == 0;
    const double cpuShare = (rig.receiveSeconds +
                             std::accumulate(rig.tickSeconds.begin(), rig.tickSeconds.end(), 0.0)) /
                            busSeconds;
    const QString text =
        QStringLiteral("%1 messages in %2 bus seconds at %3 bit/s, lost %4 (target 0), "
                       "feedback reports acted on %5 of %6 (%7 contacts stored wrong), "
                       "accessory commands %8 of %9, highest ring fill %10 of %11, "
                       "CPU %12 of one core per bus-second (target < 1 %)")
            .arg(traffic.sent)
            .arg(busSeconds, 0, 'f', 1)
            .arg(rig.layout.line().bitRate())
            .arg(lost)
            .arg(feedbackSeen)
            .arg(traffic.feedbackReports)
            .arg(stale)
            .arg(accessoriesSeen)
            .arg(traffic.accessoryCommands)
            .arg(rig.highestRingFill)
            .arg(ReceiveRing::Slots)
            .arg(percent(cpuShare));
    return {QStringLiteral("saturation"), text, lost == 0 && allActedOn && cpuShare < 0.01};
}
