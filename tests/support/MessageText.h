#pragma once

#include "link/HexText.h"
#include "link/LocoNetMessage.h"
#include "link/Transmitter.h"

#include <QByteArray>
#include <QList>

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

// Places a typed message on the transmitter, as a job would.
inline bool placeText(Transmitter& tx, const QString& text) {
    const QByteArray bytes = parseHexText(text).bytes;
    return tx.place(reinterpret_cast<const quint8*>(bytes.constData()), int(bytes.size()));
}
