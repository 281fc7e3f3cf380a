#include "FeedbackStream.h"

#include "VirtualStation.h"
#include "platform/Clock.h"

namespace {
constexpr int Contacts = 2048;
constexpr int ReportBytes = 4;
constexpr int Interval = 10; // ms
// Reports are put on the line this far ahead, so that it never runs dry
// between two looks, whatever the terminal's own timer does.
constexpr double Ahead = 0.1;
} // namespace

FeedbackStream::FeedbackStream(const Clock& clock, VirtualStation& station, double seconds)
    : m_clock(clock), m_station(station), m_seconds(seconds) {
    m_timer.setInterval(Interval);
    connect(&m_timer, &QTimer::timeout, this, &FeedbackStream::putDue);
}

void FeedbackStream::start() {
    if (m_end >= 0)
        return;
    m_next = m_clock.now();
    m_end = m_next + m_seconds;
    putDue();
    m_timer.start();
}

void FeedbackStream::putDue() {
    const double now = m_clock.now();
    while (m_next < m_end && m_next <= now + Ahead) {
        m_station.reportContact(m_sent % Contacts, m_sent % 2 == 0, m_next);
        ++m_sent;
        m_next += ReportBytes * m_station.line().byteTime();
    }
    if (m_next >= m_end && m_station.line().nextArrival(now) < 0) {
        m_timer.stop();
        emit finished(m_sent);
    }
}
