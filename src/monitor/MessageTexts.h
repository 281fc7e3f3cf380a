#pragma once

#include "MonitorMessage.h"

#include <QString>
#include <array>

// Pieces of text and numbers several families of messages share.
namespace monitor {

// "7F"
QString hexByte(quint8 b);
// "B0 12 30 6D"
QString hexBytes(const Message& m);

// Bit 5 of a DIRF byte set means backward.
QString directionText(int dirf);
// 0 stop, 1 emergency stop, 2..127 running.
QString speedText(int speed);
// "F1–F4 aus", "F1–F4 ein: F2, F4": bit k of bits is function first + k.
QString functionsText(int bits, int first, int count);
// "Lok 3 (Slot 5)", or "Slot 5" while the locomotive is not known.
QString slotText(int slot, int locoAddress);
// A slot's STAT1 byte: in use or free, speed steps, consist.
QString slotStatusText(int stat);
// Direction, light and F1..F4 of a DIRF byte.
QString dirfText(int dirf);
// The track status byte of slot data: power, and the programming track.
QString trackText(int trk);

// Two data bytes of messages::restoreHighBits, low first, as one number.
inline int word(const std::array<int, 7>& data, int low) {
    return data[low] | (data[low + 1] << 8);
}

} // namespace monitor
