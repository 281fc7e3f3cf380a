#pragma once

#include "SlotRecord.h"
#include "SpeedStepTable.h"

#include <array>

// What the command station's slots say: its own slot 0 (and so its type),
// the track status every slot report carries, the locomotive slots, and
// the copies the two throttles drive.
struct StationSlots {
    static constexpr int UnknownStation = 99;
    static constexpr int Identifying = -1;

    // -1 while identifying, 1, 2, 3, or 99 = unknown / not connected.
    int StationType = UnknownStation;
    int TrackStatus = 0;

    SlotTableType SlotTable{};
    std::array<SlotRecord, 3> ThrottleData{};
    std::array<int, 3> ThrottleSlot{-1, -1, -1};

    SpeedStepTable SpeedSteps;

    // The slot throttle t drives the locomotive at this address in, or -1.
    int slotOf(int t, int address) const {
        return ThrottleData[t][SlotRecord::Address] == address ? ThrottleSlot[t] : -1;
    }
    // The start values: no station known, no throttle holding a locomotive.
    void reset();
};

// The feedback contacts as the bus last reported them: 1 occupied, 0 free,
// -1 never reported. LocoNet counts contacts up to 4095; the program keeps
// 0..2048.
struct FeedbackContacts {
    static constexpr int Count = 2049;

    std::array<qint16, Count> FeedbackState{};

    // False for a contact the program does not keep.
    bool store(int contact, int state);
    void reset() { FeedbackState.fill(-1); }
};

// The first 0-based address of the page the keyboard tab and the feedback
// tab show: 0, 16, 32, ...
struct PanelPages {
    int KeyboardBase = 0;
    int FeedbackBase = 0;
};
