#pragma once

#include "link/JobMachine.h"

#include <deque>

// Switches an accessory the way a key held for a moment does: output on,
// and once that job has ended, 0.2 s later output off. It never waits in a
// loop: step() moves it on, called every 10 ms. Accessories switched while
// one is still on queue up behind it, so every output that goes on also
// goes off again.
class SwitchSequence {
public:
    static constexpr double HoldTime = 0.2;

    explicit SwitchSequence(JobMachine& jobs) : m_jobs(jobs) {}

    // 0-based address. False, and nothing is switched, while the line is
    // closed: nothing waits to go out at the next connect.
    bool add(int address, bool green);
    void step(double now);
    bool idle() const { return m_phase == Phase::Idle; }

private:
    enum class Phase { Idle, SwitchingOn, Holding, SwitchingOff };
    struct Switching {
        int address;
        bool green;
    };

    void startNext();
    void switchCurrent(bool on, Phase next);

    JobMachine& m_jobs;
    std::deque<Switching> m_waiting;
    Phase m_phase = Phase::Idle;
    JobMachine::Ticket m_ticket = 0;
    double m_onSince = 0;
};
