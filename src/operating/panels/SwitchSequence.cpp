#include "SwitchSequence.h"

#include "PanelActions.h"
#include "link/JobRequest.h"

void SwitchSequence::add(int address, bool green) {
    m_waiting.push_back({address, green});
    if (m_phase == Phase::Idle)
        startNext();
}

void SwitchSequence::startNext() {
    if (m_waiting.empty()) {
        m_phase = Phase::Idle;
        return;
    }
    const Switching& next = m_waiting.front();
    panel::switchAccessory(m_job, next.address, next.green, true);
    m_phase = Phase::SwitchingOn;
}

// The job request holds one job: the off command of one accessory is only
// written once the on command has been taken, and the next accessory only
// once the off command has.
void SwitchSequence::step(double now) {
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::SwitchingOn:
        if (m_job.idle()) {
            m_onSince = now;
            m_phase = Phase::Holding;
        }
        return;
    case Phase::Holding:
        if (now - m_onSince >= HoldTime) {
            const Switching& current = m_waiting.front();
            panel::switchAccessory(m_job, current.address, current.green, false);
            m_waiting.pop_front();
            m_phase = Phase::SwitchingOff;
        }
        return;
    case Phase::SwitchingOff:
        if (m_job.idle())
            startNext();
        return;
    }
}
