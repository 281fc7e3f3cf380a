#pragma once

#include "link/LocoNetMessage.h"

#include <QByteArray>
#include <array>

// An LNCV message E5 0F <3 address bytes> 1F <high bits> <article> <LNCV>
// <value> <flags> (each low byte first) with its checksum, as a module or a
// handheld throttle sends it.
inline QByteArray lncvMessage(const std::array<quint8, 3>& address, int article, int lncv,
                              int value, int flags) {
    const int data[7] = {article & 0xFF, (article >> 8) & 0xFF, lncv & 0xFF, (lncv >> 8) & 0xFF,
                         value & 0xFF,   (value >> 8) & 0xFF,   flags};
    QByteArray m;
    m += char(0xE5);
    m += char(0x0F);
    for (const quint8 b : address)
        m += char(b);
    m += char(0x1F);
    int high = 0;
    for (int k = 0; k < 7; ++k)
        high |= (data[k] & 0x80) ? 1 << k : 0;
    m += char(high);
    for (const int b : data)
        m += char(b & 0x7F);
    return loconet::withChecksum(m);
}

// A module's answer to the PC.
inline QByteArray moduleAnswer(int article, int lncv, int value, int flags = 0) {
    return lncvMessage({0x05, 0x49, 0x4B}, article, lncv, value, flags);
}

// A handheld throttle asks the PC for a locomotive.
inline QByteArray throttleAnnouncement(int number) {
    return lncvMessage({0x00, 0x00, 0x00}, 4750, 5, number, 0);
}
