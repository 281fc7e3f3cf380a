#pragma once

class Transmitter;

// The command station's own requests for its settings. Numbers outside what
// the message carries are the caller's fault; SettingsJobs checks them.
namespace settings {

constexpr int MaxOptionNumber = 0x3FF;
constexpr int MaxOptionValue = 0xFF;
constexpr int MaxLocoAddress = 0x3FFF;

enum class ResetKind { Configuration = 0, LocoFormats = 1 };

void placeOptionRead(Transmitter& tx, int number);
void placeOptionWrite(Transmitter& tx, int number, int value);
void placeLocoFormatRead(Transmitter& tx, int address);
void placeLocoFormatWrite(Transmitter& tx, int address, int code, int extra);
void placeReset(Transmitter& tx, ResetKind kind);

} // namespace settings
