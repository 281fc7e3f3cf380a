#pragma once

#include <QRandomGenerator>

class VirtualStation;

// A small layout that keeps the program busy when nobody else does: a few
// feedback contacts change now and then, and after a while a handheld
// throttle asks for a locomotive and, once it has one, drives it about.
class DemoLayout {
public:
    static constexpr int Contacts = 8;
    static constexpr int ThrottleNumber = 1;
    static constexpr double ThrottleAfter = 10.0;

    explicit DemoLayout(quint32 seed = 1) : m_random(seed) {}

    // Does everything that was due up to now.
    void run(VirtualStation& station, double now);

private:
    double pause(double shortest, double longest);
    void drive(VirtualStation& station, double when);

    QRandomGenerator m_random;
    bool m_started = false;
    double m_nextContact = 0;
    double m_throttleDue = 0;
    bool m_announced = false;
    double m_nextDrive = 0;
};
