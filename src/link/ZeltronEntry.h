#pragma once

#include <array>

// What the link knows of one handheld throttle window.
struct ZeltronEntry {
    int InUse = 0;
    int Address = 0;
    int Slot = 0;
    int Waiting = 0;
};

constexpr int ZeltronWindowCount = 20;
// Index 1..20; entry 0 is unused so numbers read as the user sees them.
using ZeltronTable = std::array<ZeltronEntry, ZeltronWindowCount + 1>;
