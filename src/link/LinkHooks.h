#pragma once

#include "ReceiveRing.h"

#include <functional>

// Where the dispatcher hands on what other parts of the program act upon.
// An unset hook means nobody listens yet.
struct LinkHooks {
    // 0-based accessory address, direction bit (0 red, 1 green).
    std::function<void(int address, int direction)> OnAccessoryForRoutes;
    // 0-based contact, state (1 occupied, 0 free).
    std::function<void(int contact, int state)> OnFeedbackForRoutes;
    // Slot data of the programming track (slot 124), the whole ring row.
    std::function<void(const ReceiveRing::Row& message)> OnProgrammingTrackSlot;
    // A handheld throttle asks for a locomotive; value = its number.
    std::function<void(int value)> ZeltronRequest;
    // Job 47 has read the serial number and the software version.
    std::function<void()> OnVersionRead;
};
