#pragma once

#include <QtGlobal>
#include <array>

// Builders of the messages several parts of the program send, without the
// checksum (the transmitter adds it). Addresses and contacts are 0-based.
namespace messages {

using Three = std::array<quint8, 3>;

// 0xB0: switch an accessory; direction 0 = red, 1 = green.
inline Three accessoryCommand(int address, int direction, bool on) {
    return {
        0xB0, static_cast<quint8>(address & 0x7F),
        static_cast<quint8>(((address / 128) & 0x0F) + 0x20 * (direction & 1) + (on ? 0x10 : 0))};
}

// 0xB2: report a feedback contact occupied or free.
inline Three feedbackReport(int contact, bool occupied) {
    return {0xB2, static_cast<quint8>((contact / 2) & 0x7F),
            static_cast<quint8>(((contact / 256) & 0x0F) + 0x20 * (contact & 1) +
                                (occupied ? 0x10 : 0) + 0x40)};
}

} // namespace messages
