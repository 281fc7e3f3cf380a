#pragma once

// Colours as 0xBBGGRR values.
namespace colour {
constexpr int Red = 0x0000FF;
constexpr int Green = 0x00FF00;
constexpr int Yellow = 0x00FFFF;
constexpr int White = 0xFFFFFF;
constexpr int Grey = 0x888888;
constexpr int Orange = 0x0080FF;
constexpr int Black = 0x000000;
} // namespace colour
