#pragma once

#include "MonitorMessage.h"
#include "link/LocoNetMessage.h"
#include "link/MessageTap.h"

#include <array>
#include <vector>

// The last messages that crossed the line, numbered from 0 as they came:
// a message keeps its number while the ring holds it, and the oldest goes
// when a new one comes to a full ring. It never holds more than its
// capacity, so its memory is bounded however long the program runs.
class MessageRing {
public:
    struct Entry {
        // The program's clock when the message was seen, and the seconds
        // since the connect began.
        double time = 0;
        double sinceConnect = 0;
        MessageTap::Origin origin = MessageTap::Origin::Bus;
        quint8 length = 0;
        std::array<quint8, loconet::MaxMessageLength> bytes;

        monitor::Message message() const { return {bytes.data(), length}; }
    };

    explicit MessageRing(int capacity) : m_capacity(capacity) { m_entries.reserve(capacity); }

    // The place for the next message, which then counts as held. Longer
    // messages are cut to the bytes an entry holds.
    Entry& add();
    // Forgets every message held; numbering goes on.
    void clear() { m_first = m_end; }

    qint64 first() const { return m_first; }
    qint64 end() const { return m_end; }
    int capacity() const { return m_capacity; }
    // Null when the message is not, or no longer, held.
    const Entry* at(qint64 number) const;

private:
    int m_capacity;
    std::vector<Entry> m_entries;
    qint64 m_first = 0;
    qint64 m_end = 0;
};
