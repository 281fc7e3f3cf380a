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

// The handheld throttles the program serves: each window's locomotive and
// slot, and which window shows a slot.
struct HandheldTable {
    // Slots 0..129 can be shown on a handheld throttle.
    static constexpr int Slots = 130;

    ZeltronTable ZeltronWindows{};
    std::array<int, Slots> SlotOnZeltron{};
};
