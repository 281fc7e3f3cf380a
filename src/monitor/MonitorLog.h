#pragma once

#include "MessageRing.h"
#include "link/MessageTap.h"

class Clock;
class Link;

// Keeps every message the link shows it in a ring of the last 20,000,
// with when it came. Taking a message in is a copy of its bytes and
// nothing more, so a busy bus costs the link's tick next to nothing.
class MonitorLog : public MessageTap {
public:
    static constexpr int Capacity = 20000;
    // LocoNet runs at 16,660 bit/s; a byte takes ten bit times on the wire.
    static constexpr double BusBitsPerSecond = 16660;
    static constexpr int BitsPerByte = 10;

    struct BusLoad {
        int messagesPerSecond = 0;
        // Of the bus's capacity, 0..1 (more when the line runs faster).
        double share = 0;
    };

    MonitorLog(const Clock& clock, const Link& link);

    void tapMessage(Origin origin, const quint8* bytes, int length) override;

    const MessageRing& ring() const { return m_ring; }
    void clear() { m_ring.clear(); }

    // The time of day when the message came, in ms since the epoch.
    qint64 wallClockMs(const MessageRing::Entry& entry) const;
    // What was on the bus in the second before now: everything but what
    // this program wrote, which comes back as its echo.
    BusLoad busLoad() const;
    // Messages the link dropped as damaged since the program started.
    int damagedCount() const;

private:
    const Clock& m_clock;
    const Link& m_link;
    MessageRing m_ring{Capacity};
    double m_clockAnchor;
    qint64 m_wallAnchorMs;
};
