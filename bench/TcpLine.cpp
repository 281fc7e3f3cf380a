#include "BenchRig.h"
#include "Figures.h"
#include "Measures.h"

// The saturation run and the latency of user actions with the program on
// the virtual station's LocoNet-over-TCP server on the loopback.
Figure tcpLine() {
    const QString name = QStringLiteral("tcp");
    BenchRig busy(BenchRig::Wire::Tcp);
    BenchRig quiet(BenchRig::Wire::Tcp);
    if (!busy.ready() || !quiet.ready())
        return {name, QStringLiteral("the loopback server could not be reached"), false};
    const SaturationRun saturation = runSaturation(busy);
    const LatencyRun latency = runLatency(quiet);
    if (!latency.locomotiveTaken)
        return {name, QStringLiteral("the locomotive could not be taken"), false};
    const QString text =
        QStringLiteral("through a LocoNet-over-TCP server on the loopback: %1 messages in %2 bus "
                       "seconds, lost %3 (target 0), all acted on: %4; worst ticks from the "
                       "action until another client hears its message: %5 (target <= 1 tick)")
            .arg(saturation.sent)
            .arg(saturation.busSeconds, 0, 'f', 1)
            .arg(saturation.lost)
            .arg(saturation.allActedOn ? QStringLiteral("yes") : QStringLiteral("no"))
            .arg(latency.worst.join(QStringLiteral(", ")));
    return {name, text, saturation.lost == 0 && saturation.allActedOn && latency.withinOneTick};
}
