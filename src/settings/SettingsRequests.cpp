#include "SettingsRequests.h"

#include "link/StationRequest.h"

namespace settings {
namespace {
enum Command : quint8 {
    WriteOption = 0x01,
    ReadOption = 0x02,
    WriteLocoFormat = 0x0C,
    ReadLocoFormat = 0x0D,
    Reset = 0x18,
};

// The number travels as its low byte and the bits above in the next one.
int low(int number) {
    return number & 0xFF;
}
int high(int number) {
    return number >> 8;
}
} // namespace

void placeOptionRead(Transmitter& tx, int number) {
    placeStationRequest(tx, ReadOption, {low(number), high(number)});
}

void placeOptionWrite(Transmitter& tx, int number, int value) {
    placeStationRequest(tx, WriteOption, {low(number), high(number), value});
}

void placeLocoFormatRead(Transmitter& tx, int address) {
    placeStationRequest(tx, ReadLocoFormat, {low(address), high(address)});
}

void placeLocoFormatWrite(Transmitter& tx, int address, int code, int extra) {
    placeStationRequest(tx, WriteLocoFormat, {low(address), high(address), code, extra});
}

void placeReset(Transmitter& tx, ResetKind kind) {
    placeStationRequest(tx, Reset, {static_cast<int>(kind)});
}

} // namespace settings
