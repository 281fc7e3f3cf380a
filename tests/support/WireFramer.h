#pragma once

#include "link/LocoNetMessage.h"

#include <QByteArray>
#include <QList>

// Cuts what went over the line into whole LocoNet messages, skipping text
// and stray bytes before an opcode.
class WireFramer {
public:
    QList<QByteArray> feed(const QByteArray& bytes) {
        QList<QByteArray> messages;
        for (const char c : bytes) {
            const auto b = static_cast<quint8>(c);
            if (m_pending.isEmpty() && !(b & 0x80))
                continue;
            m_pending += c;
            int length = loconet::lengthOfOpcode(static_cast<quint8>(m_pending[0]));
            if (length < 0 && m_pending.size() >= 2)
                length = static_cast<quint8>(m_pending[1]);
            if (length > 0 && m_pending.size() >= length) {
                messages.append(m_pending);
                m_pending.clear();
            }
        }
        return messages;
    }

private:
    QByteArray m_pending;
};

// What a connect sends once the line speaks LocoNet: the slot 0 request,
// the 16 accessories of the keyboard page, serial number and version.
inline QList<QByteArray> startUpMessages() {
    QList<QByteArray> all{loconet::withChecksum(QByteArray::fromHex("BB0000"))};
    for (int a = 0; a < 16; ++a)
        all.append(loconet::withChecksum(QByteArray("\xBC") + char(a) + char(0)));
    all.append(loconet::withChecksum(QByteArray::fromHex("ED0F014758070000000000000000")));
    all.append(loconet::withChecksum(QByteArray::fromHex("ED0F014758060000000000000000")));
    return all;
}
