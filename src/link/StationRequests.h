#pragma once

#include "Messages.h"

// The command station's own 15-byte requests. A number travels as its low
// byte and the bits above in the next one; numbers beyond what a request
// carries are the caller's to refuse.
namespace messages {

inline int lowByte(int number) {
    return number & 0xFF;
}
inline int highByte(int number) {
    return (number >> 8) & 0xFF;
}

inline Request15 optionRead(int number) {
    return stationRequest(loconet::ReadOption, {lowByte(number), highByte(number)});
}
inline Request15 optionWrite(int number, int value) {
    return stationRequest(loconet::WriteOption, {lowByte(number), highByte(number), value});
}
inline Request15 locoFormatRead(int address) {
    return stationRequest(loconet::ReadLocoFormat, {lowByte(address), highByte(address)});
}
inline Request15 locoFormatWrite(int address, int code, int extra) {
    return stationRequest(loconet::WriteLocoFormat,
                          {lowByte(address), highByte(address), code, extra});
}
// kind 0: the configuration, 1: the loco data formats.
inline Request15 configurationReset(int kind) {
    return stationRequest(loconet::ResetConfiguration, {kind});
}

} // namespace messages
