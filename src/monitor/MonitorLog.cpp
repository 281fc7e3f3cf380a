#include "MonitorLog.h"

#include "link/Link.h"
#include "platform/Clock.h"

#include <QDateTime>
#include <algorithm>

MonitorLog::MonitorLog(const Clock& clock, const Link& link)
    : m_clock(clock), m_link(link), m_clockAnchor(clock.now()),
      m_wallAnchorMs(QDateTime::currentMSecsSinceEpoch()) {}

void MonitorLog::tapMessage(Origin origin, const quint8* bytes, int length) {
    MessageRing::Entry& entry = m_ring.add();
    entry.time = m_clock.now();
    entry.sinceConnect = entry.time - m_link.ConnectTime;
    entry.origin = origin;
    entry.length = static_cast<quint8>(std::clamp(length, 0, loconet::MaxMessageLength));
    std::copy_n(bytes, entry.length, entry.bytes.begin());
}

qint64 MonitorLog::wallClockMs(const MessageRing::Entry& entry) const {
    return m_wallAnchorMs + qRound64((entry.time - m_clockAnchor) * 1000.0);
}

MonitorLog::BusLoad MonitorLog::busLoad() const {
    const double since = m_clock.now() - 1.0;
    BusLoad load;
    long bits = 0;
    for (qint64 n = m_ring.end() - 1; n >= m_ring.first(); --n) {
        const MessageRing::Entry* entry = m_ring.at(n);
        if (entry->time <= since)
            break;
        if (entry->origin == Origin::Sent)
            continue;
        ++load.messagesPerSecond;
        bits += entry->length * BitsPerByte;
    }
    load.share = bits / BusBitsPerSecond;
    return load;
}

int MonitorLog::damagedCount() const {
    return m_link.Rx.damagedCount();
}
