#include "DemoLayout.h"

#include "StationMessage.h"
#include "VirtualStation.h"

double DemoLayout::pause(double shortest, double longest) {
    return shortest + m_random.bounded(longest - shortest);
}

void DemoLayout::run(VirtualStation& station, double now) {
    if (!m_started) {
        m_started = true;
        m_nextContact = now + pause(2, 6);
        m_throttleDue = now + ThrottleAfter;
        m_nextDrive = m_throttleDue;
    }
    while (m_nextContact <= now) {
        const int contact = static_cast<int>(m_random.bounded(Contacts));
        station.reportContact(
            contact, station.accessories.contact(contact) != Accessories::Occupied, m_nextContact);
        m_nextContact += pause(2, 6);
    }
    if (!m_announced && m_throttleDue <= now) {
        m_announced = true;
        station.announceThrottle(ThrottleNumber, m_throttleDue);
    }
    while (m_nextDrive <= now) {
        drive(station, m_nextDrive);
        m_nextDrive += pause(4, 8);
    }
}

// The throttle's driver picks a new speed; stopping, he also turns round.
void DemoLayout::drive(VirtualStation& station, double when) {
    const HandheldThrottles::Throttle* throttle = station.throttles.throttle(ThrottleNumber);
    if (!throttle || throttle->waiting)
        return;
    const int slot = station.locos.slotOf(throttle->address);
    if (slot < 0)
        return;
    const int speed = static_cast<int>(m_random.bounded(6)) * 20;
    station.deviceSends(sim::message({0xA0, slot, speed}), when);
    if (speed == 0)
        station.deviceSends(sim::message({0xA1, slot, station.locos.slot(slot).dirf ^ 0x20}), when);
}
