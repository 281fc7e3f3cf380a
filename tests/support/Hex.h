#pragma once

#include <QByteArray>
#include <QList>
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

// What a connect sends once the line speaks LocoNet: the slot 0 request,
// the 16 accessories of the keyboard page, serial number and version.
inline QList<QByteArray> startUpMessages() {
    QList<QByteArray> all{msg("BB 00 00")};
    for (int a = 0; a < 16; ++a)
        all.append(loconet::withChecksum(QByteArray("\xBC") + char(a) + char(0)));
    all.append(msg("ED 0F 01 47 58 07 00 00 00 00 00 00 00 00"));
    all.append(msg("ED 0F 01 47 58 06 00 00 00 00 00 00 00 00"));
    return all;
}
