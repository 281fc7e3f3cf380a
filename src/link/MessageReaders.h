#pragma once

#include "Opcode.h"

#include <QtGlobal>
#include <array>

// Readers of the messages the program acts on: the fields each carries, as
// the program counts them (addresses and contacts 0-based).
namespace messages {

// 0xB0 (and the 0xB1 report): an accessory, its direction (0 red, 1 green)
// and whether the output is switched on.
struct AccessoryCommand {
    int address = 0;
    int direction = 0;
    bool on = false;
};
inline AccessoryCommand readAccessoryCommand(const quint8* m) {
    return {(m[2] & 0x0F) * 128 + m[1], (m[2] >> 5) & 1, (m[2] & 0x10) != 0};
}

// 0xB2: a feedback contact (0..4095) and its state (1 occupied, 0 free).
struct FeedbackReport {
    int contact = 0;
    int state = 0;
};
inline FeedbackReport readFeedbackReport(const quint8* m) {
    return {(m[2] & 0x0F) * 256 + m[1] * 2 + ((m[2] >> 5) & 1), (m[2] >> 4) & 1};
}

// 0xB4: the opcode answered, without bit 7, and the answer's code.
struct LongAck {
    quint8 answered = 0;
    quint8 code = 0;
};
inline LongAck readLongAck(const quint8* m) {
    return {m[1], m[2]};
}

// 0xE7 0x0E: slot data.
struct SlotData {
    int slot = 0;
    int status = 0;
    int address = 0;
    int speed = 0;
    int dirF = 0;
    int track = 0;
    int snd = 0;
};
inline bool isSlotData(const quint8* m) {
    return m[0] == loconet::SlotData && m[1] == loconet::SlotDataCount;
}
inline SlotData readSlotData(const quint8* m) {
    return {m[2], m[3], m[9] * 128 + m[4], m[5], m[6], m[7], m[10]};
}

// 0xE6 0x15 0x00: the expanded slot data of the newer stations; the raw
// bytes 9..15 go into the slot record as they are.
inline bool isExtendedSlotData(const quint8* m) {
    return m[0] == loconet::ExtendedSlotData && m[1] == 0x15 && m[2] == 0x00;
}
inline int extendedSlot(const quint8* m) {
    return m[3];
}
inline int extendedSlotAddress(const quint8* m) {
    return m[6] * 128 + m[5];
}

// The seven data bytes that follow the high-bit byte m[highBit], each with
// bit 7 put back from bit k of that byte: the reverse of request15's packing.
inline std::array<int, 7> restoreHighBits(const quint8* m, int highBit) {
    std::array<int, 7> data{};
    for (int k = 0; k < 7; ++k)
        data[k] = m[highBit + 1 + k] | (((m[highBit] >> k) & 1) << 7);
    return data;
}

// 0xE5 0x0F: a 15-byte peer transfer with bit 7 of data bytes 7..13 put back
// from byte 6. Byte 5 is the kind of answer (loconet::PeerAnswerKind).
using PeerBytes = std::array<quint8, 15>;
inline bool isPeer15(const quint8* m) {
    return m[0] == loconet::PeerTransfer && m[1] == loconet::Request15Count;
}
inline PeerBytes readPeer15(const quint8* m) {
    PeerBytes bytes{};
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = m[i];
    const std::array<int, 7> data = restoreHighBits(m, 6);
    for (size_t k = 0; k < data.size(); ++k)
        bytes[7 + k] = static_cast<quint8>(data[k]);
    return bytes;
}

// 0xED 0x0F 0x01 0x47 0x58 0x15: the station turned a slot's direction round.
inline bool isDirectionReport(const quint8* m) {
    return m[0] == loconet::StationRequest && m[1] == loconet::Request15Count && m[2] == 0x01 &&
           m[3] == loconet::StationAddress1 && m[4] == loconet::StationAddress2 &&
           m[5] == loconet::DirectionReport;
}
inline int directionReportSlot(const quint8* m) {
    return m[7] + 128 * (m[6] & 1);
}

} // namespace messages
