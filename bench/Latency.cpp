#include "BenchRig.h"
#include "Figures.h"
#include "operating/panels/KeyboardPage.h"
#include "operating/throttle/ThrottleControl.h"

#include <QStringList>
#include <functional>

namespace {
constexpr int Locomotive = 3;
constexpr int GiveUpTicks = 500;

struct Action {
    QString name;
    std::function<void(int round)> act;
};

// Ticks until the link is at rest: no job, nothing waiting for its echo.
void settle(BenchRig& rig) {
    const LinkState& s = rig.station.state;
    for (int i = 0; i < GiveUpTicks && !(rig.station.jobs.idle() && s.link.Tx.isFree()); ++i)
        rig.runTicks(1);
}

// From the action, at the given millisecond after a tick, to the tick that
// writes its first byte; the count includes that tick.
int ticksToFirstByte(BenchRig& rig, const Action& action, int round, int phase) {
    settle(rig);
    for (int i = 0; i < phase; ++i)
        rig.step();
    rig.tap.takeWritten();
    action.act(round);
    const int before = rig.ticks;
    while (rig.tap.written.isEmpty() && rig.ticks - before < GiveUpTicks)
        rig.step();
    return rig.ticks - before;
}
} // namespace

// A user's action against the tick that carries it onto the line.
Figure latency() {
    BenchRig rig(BenchRig::Wire::Tapped);
    LinkState& s = rig.station.state;
    ThrottleControl throttle(0, s, rig.station.jobs);
    KeyboardPage keyboard(s, rig.station.jobs);
    throttle.ResetThrottle();
    throttle.setAddressText(QString::number(Locomotive));
    throttle.enterAddress();
    settle(rig);
    if (s.ThrottleSlot[0] == -1)
        return {QStringLiteral("latency"), QStringLiteral("the locomotive could not be taken"),
                false};

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
    constexpr int Rounds = 100;
    QStringList worst;
    bool met = true;
    for (const Action& action : actions) {
        int ticks = 0;
        for (int round = 0; round < Rounds; ++round)
            ticks = std::max(ticks,
                             ticksToFirstByte(rig, action, round, round % BenchRig::StepsPerTick));
        worst.append(QStringLiteral("%1 %2").arg(action.name).arg(ticks));
        met = met && ticks <= 1;
    }
    const QString text =
        QStringLiteral("worst ticks from the action to its first byte on the port, "
                       "%1 actions each: %2 (target <= 1 tick)")
            .arg(Rounds)
            .arg(worst.join(QStringLiteral(", ")));
    return {QStringLiteral("latency"), text, met};
}
