#include "ThrottleControl.h"

#include "LocoAddress.h"
#include "link/LinkState.h"

#include <cmath>

namespace {
enum LocoJob {
    Acquire = 30,
    DirectionThenStop = 35,
    HighFunctions = 36,
    SoundFunctions = 37,
    DirectionAndLight = 38,
    Speed = 39,
};
constexpr int DirectionBit = 0x20;
constexpr int LightBit = 0x10;
} // namespace

ThrottleControl::ThrottleControl(int t, LinkState& state) : m_t(t), m_state(state) {}

SlotRecord& ThrottleControl::record() {
    return m_state.ThrottleData[m_t];
}

void ThrottleControl::setAddressText(QStringView text) {
    m_address = locoAddressOf(text);
}

void ThrottleControl::ResetThrottle() {
    record() = m_state.SlotTable[BlankSlot];
    // -1, not the blank record's 0: a free slot reports address 0, and a
    // blank throttle must not take it for its locomotive.
    record()[SlotRecord::Address] = -1;
    m_pointerTarget = 0.0;
    m_deferredPosition.reset();
}

void ThrottleControl::addressEdited() {
    m_state.ThrottleSlot[m_t] = -1;
    ResetThrottle();
}

void ThrottleControl::startJob(int code) {
    m_state.job.start(code, *m_address);
    m_state.job.JobThrottle = m_t;
}

bool ThrottleControl::enterAddress() {
    if (!m_address)
        return false;
    startJob(Acquire);
    return true;
}

ThrottleControl::SliderOutcome ThrottleControl::moveSlider(int position) {
    m_deferredPosition.reset();
    if (!m_address)
        return SliderOutcome::NoLocomotive;
    if (m_state.job.LocoJobActive) {
        m_deferredPosition = position;
        return SliderOutcome::Deferred;
    }
    m_pointerTarget = position / double(TopSliderValue);
    // Position 0 stops; 1..126 are the running speeds 2..127, so the slider
    // never gives the emergency stop 1.
    record()[SlotRecord::Speed] = position >= 1 ? position + 1 : 0;
    startJob(Speed);
    return SliderOutcome::Sent;
}

void ThrottleControl::sendDeferredSpeed() {
    if (m_deferredPosition && !m_state.job.LocoJobActive)
        moveSlider(*m_deferredPosition);
}

void ThrottleControl::sendDirection(int dirBit) {
    // The locomotive stops; a speed still waiting must not start it again.
    m_deferredPosition.reset();
    SlotRecord& r = record();
    r[SlotRecord::Speed] = 0;
    r[SlotRecord::DirF] = (r[SlotRecord::DirF] & ~DirectionBit) | dirBit;
    startJob(DirectionThenStop);
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
    JobRequest& job = m_state.job;
    if (n == 0) {
        r[SlotRecord::DirF] ^= LightBit;
        startJob(DirectionAndLight);
    } else if (n <= 4) {
        r[SlotRecord::DirF] ^= 1 << (n - 1);
        startJob(DirectionAndLight);
    } else if (n <= 8) {
        r[SlotRecord::Snd] ^= 1 << (n - 5);
        r.ExtFn(7) = (r.ExtFn(7) & 0xF0) | r[SlotRecord::Snd];
        startJob(SoundFunctions);
    } else {
        // F9..F12 change the record only when the station reports them.
        job.ExtFnType = n == 12 ? 5 : 7;
        job.ExtFnValue = n == 12 ? r.ExtFn(5) ^ 0x10 : r.ExtFn(7) ^ (1 << (n - 5));
        startJob(HighFunctions);
    }
}

void ThrottleControl::setSpeedByDigit(int digit) {
    if (!m_address || digit < 0 || digit > 9)
        return;
    m_deferredPosition.reset();
    record()[SlotRecord::Speed] = static_cast<int>(std::lround(digit * 127.0 / 9.0));
    startJob(Speed);
}

ThrottleDisplay ThrottleControl::ShowThrottle() {
    ThrottleDisplay d = throttleDisplay(record(), m_state.StationType, m_state.SpeedSteps);
    m_pointerTarget = d.pointerTarget;
    return d;
}
