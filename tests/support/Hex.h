#pragma once

#include <QByteArray>
#include <QString>

// "B0 12 30" as bytes and back, for readable expectations.
inline QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
inline QString hexText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

#include "link/LocoNetMessage.h"

// A message as it goes on the wire: the bytes and their checksum.
inline QByteArray msg(const char* text) {
    return loconet::withChecksum(hex(text));
}
