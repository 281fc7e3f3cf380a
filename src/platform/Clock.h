#pragma once

// Monotonic seconds. Nothing in the program reads the time of day, so no
// deadline can hang across midnight.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

class SteadyClock final : public Clock {
public:
    double now() const override;
};

// Time that moves only when a test or the benchmark says so.
class ManualClock final : public Clock {
public:
    explicit ManualClock(double start = 1000.0) : m_now(start) {}
    double now() const override { return m_now; }
    void advance(double seconds) { m_now += seconds; }

private:
    double m_now;
};
