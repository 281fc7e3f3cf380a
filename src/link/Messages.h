#pragma once

#include "Opcode.h"

#include <QtGlobal>
#include <array>

// Builders of the messages the program sends, without the checksum (the
// transmitter adds it). Addresses and contacts are 0-based; every operand is
// cut to the bits its message carries.
namespace messages {

using Two = std::array<quint8, 1>;
using Four = std::array<quint8, 3>;
using Six = std::array<quint8, 5>;
// The command station's 15-byte request, and the data bytes it carries.
using Request15 = std::array<quint8, 14>;
using RequestData = std::array<int, 7>;

constexpr quint8 low7(int value) {
    return static_cast<quint8>(value & 0x7F);
}

inline Two power(bool on) {
    return {on ? loconet::PowerOn : loconet::PowerOff};
}

// 0xB0: switch an accessory; direction 0 = red, 1 = green.
inline Four accessoryCommand(int address, int direction, bool on) {
    return {
        loconet::SwitchRequest, low7(address),
        static_cast<quint8>(((address / 128) & 0x0F) + 0x20 * (direction & 1) + (on ? 0x10 : 0))};
}

// 0xBC: ask the state of an accessory.
inline Four accessoryStateQuery(int address) {
    return {loconet::SwitchState, low7(address), static_cast<quint8>((address / 128) & 0x0F)};
}

// 0xB2: report a feedback contact occupied or free.
inline Four feedbackReport(int contact, bool occupied) {
    return {loconet::InputReport, low7(contact / 2),
            static_cast<quint8>(((contact / 256) & 0x0F) + 0x20 * (contact & 1) +
                                (occupied ? 0x10 : 0) + 0x40)};
}

// 0xBB: ask for the data of a slot.
inline Four slotDataRequest(int slot) {
    return {loconet::RequestSlotData, low7(slot), 0x00};
}

// 0xBF (or 0xBE for the newer stations): ask for a locomotive's slot.
inline Four locoRequest(loconet::Opcode opcode, int address) {
    return {opcode, low7(address / 128), low7(address)};
}

// 0xA0 speed, 0xA1 direction and F0..F4, 0xA2 F5..F8 of a slot.
inline Four locoMessage(loconet::Opcode opcode, int slot, int value) {
    return {opcode, static_cast<quint8>(slot & 0xFF), static_cast<quint8>(value & 0xFF)};
}

// 0xD4 0x20: one of the function groups above F8.
inline Six extendedFunction(int slot, int type, int value) {
    return {loconet::ExtendedFunction, loconet::ExtendedFunctionGroup,
            static_cast<quint8>(slot & 0xFF), static_cast<quint8>(type & 0xFF),
            static_cast<quint8>(value & 0xFF)};
}

// 0xED 0x0F 0x01 <to> <to> <command> <high bits> <7 data bytes>: bit 7 of
// each data byte travels in the high-bit byte.
Request15 request15(quint8 to1, quint8 to2, quint8 command, const RequestData& data);

// A request to the command station itself.
inline Request15 stationRequest(loconet::StationCommand command, const RequestData& data = {}) {
    return request15(loconet::StationAddress1, loconet::StationAddress2, command, data);
}

// The station's programming-track mode: 0xE5 0x07 0x01 0x47 0x58 0x41 to
// enter it, 0x40 to leave it.
std::array<quint8, 6> programmingTrack(bool enter);

} // namespace messages
