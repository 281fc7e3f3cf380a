#pragma once

// What the command station's settings requests can carry.
namespace settings {

constexpr int MaxOptionNumber = 0x3FF;
constexpr int MaxOptionValue = 0xFF;
constexpr int MaxLocoAddress = 0x3FFF;

enum class ResetKind { Configuration = 0, LocoFormats = 1 };

} // namespace settings
