#include "SharedBus.h"

#include "VirtualStation.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cmath>

namespace {
// Even with nothing on the line, the demo layout needs a look now and then.
constexpr int IdleInterval = 50;
} // namespace

SharedBus::SharedBus(const Clock& clock, VirtualStation& station)
    : m_clock(clock), m_station(station) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SharedBus::deliverDue);
}

void SharedBus::listen(std::function<void(const QByteArray&)> listener) {
    m_listeners.push_back(std::move(listener));
}

void SharedBus::deliverDue() {
    const double now = m_clock.now();
    m_station.advance(now);
    if (const QByteArray due = m_station.line().take(now); !due.isEmpty()) {
        for (const auto& listener : m_listeners)
            listener(due);
    }
    const double next = m_station.line().nextArrival(now);
    const int wait =
        next < 0 ? IdleInterval
                 : std::clamp(static_cast<int>(std::ceil((next - now) * 1000)), 0, IdleInterval);
    m_timer.start(wait);
}
