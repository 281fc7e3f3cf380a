#include "BenchRig.h"
#include "Figures.h"
#include "Measures.h"
#include "operating/KeyboardPage.h"
#include "operating/ThrottleControl.h"

#include <QStringList>
#include <functional>

namespace {
constexpr int Locomotive = 3;
constexpr int GiveUpTicks = 500;
constexpr int Rounds = 100;
constexpr int ProgrammingRounds = 10;

struct Action {
    QString name;
    std::function<void(int round)> act;
};

// Ticks until the link is at rest: no job, nothing waiting for its echo.
void settle(BenchRig& rig) {
    const LinkState& s = rig.core.state;
    for (int i = 0; i < GiveUpTicks && !(rig.core.jobs.idle() && s.link.Tx.isFree()); ++i)
        rig.runTicks(1);
}

// From the action, at the given millisecond after a tick, to the tick that
// writes its first byte; the count includes that tick.
int ticksToFirstByte(BenchRig& rig, const Action& action, int round, int phase) {
    settle(rig);
    for (int i = 0; i < phase; ++i)
        rig.step();
    rig.forgetMessagesOut();
    action.act(round);
    const int before = rig.ticks;
    while (!rig.messageOut() && rig.ticks - before < GiveUpTicks)
        rig.step();
    return rig.ticks - before;
}
// A slider moved while the decoder's standard CVs are read waits for the
// whole job: from the tick in which the job has ended on the line (its end
// message out and echoed) to the tick that writes the speed.
int ticksAfterProgramming(BenchRig& rig, ThrottleControl& throttle, int round) {
    settle(rig);
    ProgrammingJobs& programming = rig.core.programming;
    if (!programming.startListJob(ProgrammingState::StandardList, false))
        return GiveUpTicks;
    rig.runTicks(2 + round % 20);
    throttle.moveSlider(1 + round % ThrottleControl::TopSliderValue);
    const Transmitter& tx = rig.core.link.Tx;
    for (int i = 0; i < GiveUpTicks && (programming.running() || !tx.isFree()); ++i)
        rig.runTicks(1);
    rig.forgetMessagesOut();
    const int ended = rig.ticks;
    while (!rig.messageOut() && rig.ticks - ended < GiveUpTicks)
        rig.step();
    return rig.ticks - ended;
}
} // namespace

LatencyRun runLatency(BenchRig& rig) {
    LinkState& s = rig.core.state;
    ThrottleControl throttle(0, s.station, rig.core.jobs);
    KeyboardPage keyboard(s.pages, rig.core.jobs);
    throttle.ResetThrottle();
    throttle.setAddressText(QString::number(Locomotive));
    throttle.enterAddress();
    settle(rig);
    LatencyRun run;
    run.locomotiveTaken = s.station.ThrottleSlot[0] != -1;
    if (!run.locomotiveTaken)
        return run;

    const Action actions[] = {
        {QStringLiteral("slider"),
         [&](int round) { throttle.moveSlider(1 + round % ThrottleControl::TopSliderValue); }},
        {QStringLiteral("function key"),
         [&](int round) { throttle.toggleFunction(round % ThrottleControl::FunctionCount); }},
        {QStringLiteral("accessory key down"),
         [&](int round) { keyboard.keyDown(round % KeyboardPage::Keys, round % 2); }},
        {QStringLiteral("accessory key up"),
         [&](int round) { keyboard.keyUp(round % KeyboardPage::Keys, round % 2); }},
    };
    run.withinOneTick = true;
    for (const Action& action : actions) {
        int ticks = 0;
        for (int round = 0; round < Rounds; ++round)
            ticks = std::max(ticks,
                             ticksToFirstByte(rig, action, round, round % BenchRig::StepsPerTick));
        run.worst.append(QStringLiteral("%1 %2").arg(action.name).arg(ticks));
        run.withinOneTick = run.withinOneTick && ticks <= 1;
    }
    int afterJob = 0;
    for (int round = 0; round < ProgrammingRounds; ++round)
        afterJob = std::max(afterJob, ticksAfterProgramming(rig, throttle, round));
    run.worst.append(QStringLiteral("slider during a CV list read %1 after the job's end, %2 jobs")
                         .arg(afterJob)
                         .arg(ProgrammingRounds));
    run.withinOneTick = run.withinOneTick && afterJob <= 1;
    return run;
}

// A user's action against the tick that carries it onto the line.
Figure latency() {
    BenchRig rig(BenchRig::Wire::Tapped);
    const LatencyRun run = runLatency(rig);
    if (!run.locomotiveTaken)
        return {QStringLiteral("latency"), QStringLiteral("the locomotive could not be taken"),
                false};
    const QString text =
        QStringLiteral("worst ticks from the action to its first byte on the port, "
                       "%1 actions each: %2 (target <= 1 tick)")
            .arg(Rounds)
            .arg(run.worst.join(QStringLiteral(", ")));
    return {QStringLiteral("latency"), text, run.withinOneTick};
}
