#pragma once

#include <QtGlobal>
#include <array>

class Transmitter;

using RequestData = std::array<int, 7>;

// Places a 15-byte request 0xED 0x0F 0x01 <to> <to> <command> <high bits>
// <7 data bytes>; bit 7 of each data byte travels in the high-bit byte.
void placeRequest15(Transmitter& tx, quint8 to1, quint8 to2, quint8 command,
                    const RequestData& data);

// A request to the command station itself (0x47 0x58).
void placeStationRequest(Transmitter& tx, quint8 command, const RequestData& data = {});
