#include "ThrottleControl.h"

#include "LocoAddress.h"
#include "link/LocoJobs.h"
#include "link/StationSlots.h"

#include <cmath>

namespace {
constexpr int DirectionBit = 0x20;
constexpr int LightBit = 0x10;
} // namespace

ThrottleControl::ThrottleControl(int t, StationSlots& station, JobMachine& jobs)
    : m_t(t), m_station(station), m_jobs(jobs) {}

SlotRecord& ThrottleControl::record() {
    return m_station.ThrottleData[m_t];
}

void ThrottleControl::setAddressText(QStringView text) {
    m_address = locoAddressOf(text);
}

void ThrottleControl::ResetThrottle() {
    record() = m_station.SlotTable[BlankSlot];
    // -1, not the blank record's 0: a free slot reports address 0, and a
    // blank throttle must not take it for its locomotive.
    record()[SlotRecord::Address] = -1;
    m_pointerTarget = 0.0;
}

void ThrottleControl::addressEdited() {
    m_station.ThrottleSlot[m_t] = -1;
    ResetThrottle();
    withdrawUntakenLocoActions(m_jobs, m_t);
}

// The slot goes with the request while the throttle holds the locomotive,
// so the action reaches it even if the throttle lets go before it is sent.
void ThrottleControl::ask(Job action, int value, int extFnType) {
    requestLocoAction(m_jobs, action, m_t, *m_address, m_station.slotOf(m_t, *m_address), value,
                      extFnType);
}

bool ThrottleControl::enterAddress() {
    if (!m_address)
        return false;
    ask(Job::LocoAcquire, 0);
    return true;
}

bool ThrottleControl::moveSlider(int position) {
    if (!m_address)
        return false;
    m_pointerTarget = position / double(TopSliderValue);
    // Position 0 stops; 1..126 are the running speeds 2..127, so the slider
    // never gives the emergency stop 1.
    record()[SlotRecord::Speed] = position >= 1 ? position + 1 : 0;
    ask(Job::LocoSpeed, record()[SlotRecord::Speed]);
    return true;
}

void ThrottleControl::sendDirection(int dirBit) {
    SlotRecord& r = record();
    r[SlotRecord::Speed] = 0;
    r[SlotRecord::DirF] = (r[SlotRecord::DirF] & ~DirectionBit) | dirBit;
    ask(Job::LocoDirectionThenStop, r[SlotRecord::DirF]);
}

void ThrottleControl::setDirection(int d) {
    if (m_address)
        sendDirection(d == 0 ? 0 : DirectionBit);
}

void ThrottleControl::changeDirection() {
    if (m_address)
        sendDirection((record()[SlotRecord::DirF] & DirectionBit) ^ DirectionBit);
}

bool ThrottleControl::reverseAndStop() {
    if (!m_address)
        return false;
    changeDirection();
    m_pointerTarget = 0.0;
    return true;
}

void ThrottleControl::toggleFunction(int n) {
    if (!m_address || n < 0 || n >= FunctionCount)
        return;
    SlotRecord& r = record();
    if (n == 0) {
        r[SlotRecord::DirF] ^= LightBit;
        ask(Job::LocoDirectionAndLight, r[SlotRecord::DirF]);
    } else if (n <= 4) {
        r[SlotRecord::DirF] ^= 1 << (n - 1);
        ask(Job::LocoDirectionAndLight, r[SlotRecord::DirF]);
    } else if (n <= 8) {
        r[SlotRecord::Snd] ^= 1 << (n - 5);
        r.ExtFn(7) = (r.ExtFn(7) & 0xF0) | r[SlotRecord::Snd];
        ask(Job::LocoSoundFunctions, r[SlotRecord::Snd]);
    } else {
        // F9..F12 change the record only when the station reports them.
        const int type = n == 12 ? 5 : 7;
        const int bits = n == 12 ? 0x10 : 1 << (n - 5);
        ask(Job::LocoHighFunctions, locoFunctionValue(m_jobs, m_t, type, r.ExtFn(type), bits),
            type);
    }
}

void ThrottleControl::setSpeedByDigit(int digit) {
    if (!m_address || digit < 0 || digit > 9)
        return;
    record()[SlotRecord::Speed] = static_cast<int>(std::lround(digit * 127.0 / 9.0));
    ask(Job::LocoSpeed, record()[SlotRecord::Speed]);
}

ThrottleDisplay ThrottleControl::ShowThrottle() {
    ThrottleDisplay d = throttleDisplay(record(), m_station.StationType, m_station.SpeedSteps);
    m_pointerTarget = d.pointerTarget;
    return d;
}
