#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace loconet {

constexpr int MaxMessageLength = 64;

// Length of a message by its opcode: 2, 4 or 6, or -1 when the count byte
// that follows tells it.
int lengthOfOpcode(quint8 opcode);

// Length of a whole framed message: by its opcode, or its count byte.
int lengthOfMessage(const quint8* message);

// The byte that makes the XOR of the whole message 0xFF.
quint8 checksum(const quint8* bytes, int count);

// The message with its checksum appended.
QByteArray withChecksum(QByteArray bytes);

} // namespace loconet
