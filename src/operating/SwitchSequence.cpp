#include "SwitchSequence.h"

#include "link/AccessoryJobs.h"

bool SwitchSequence::add(int address, bool green) {
    if (!m_jobs.accepting())
        return false;
    m_waiting.push_back({address, green});
    if (m_phase == Phase::Idle)
        startNext();
    return true;
}

void SwitchSequence::startNext() {
    if (m_waiting.empty()) {
        m_phase = Phase::Idle;
        return;
    }
    switchCurrent(true, Phase::SwitchingOn);
}

// A line closed meanwhile refuses the command: the sequence is dropped, as
// nothing of it may go out at the next connect.
void SwitchSequence::switchCurrent(bool on, Phase next) {
    const Switching& current = m_waiting.front();
    m_ticket = requestAccessory(m_jobs, current.address, current.green, on);
    if (m_ticket == 0) {
        m_waiting.clear();
        m_phase = Phase::Idle;
        return;
    }
    if (!on)
        m_waiting.pop_front();
    m_phase = next;
}

// The off command of one accessory is only asked for once the on command
// has been carried out, and the next accessory only once the off command has.
void SwitchSequence::step(double now) {
    if (m_phase != Phase::Idle && m_phase != Phase::Holding && m_jobs.pending(m_ticket))
        return;
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::SwitchingOn:
        m_onSince = now;
        m_phase = Phase::Holding;
        return;
    case Phase::Holding:
        if (now - m_onSince >= HoldTime)
            switchCurrent(false, Phase::SwitchingOff);
        return;
    case Phase::SwitchingOff:
        startNext();
        return;
    }
}
