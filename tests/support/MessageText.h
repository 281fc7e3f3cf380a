#pragma once

#include "link/LocoNetMessage.h"

#include <QByteArray>

// Messages as the tests write them: hex bytes, "|" between messages. A
// variable-length message (opcode E0..FF) may leave out its trailing zero
// bytes; they are filled in up to its count byte. Each gets its checksum.
inline QByteArray wire(const QByteArray& text) {
    QByteArray all;
    for (const QByteArray& part : text.split('|')) {
        QByteArray bytes = QByteArray::fromHex(part);
        if (bytes.isEmpty())
            continue;
        if (quint8(bytes[0]) >= 0xE0 && bytes.size() > 1 && quint8(bytes[1]) - 1 > bytes.size())
            bytes.append(quint8(bytes[1]) - 1 - bytes.size(), '\0');
        all += loconet::withChecksum(bytes);
    }
    return all;
}
