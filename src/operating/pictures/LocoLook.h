#pragma once

// What a locomotive picture shows: its light, F1, F2 and which way it runs.
struct LocoLook {
    bool light = false;
    bool f1 = false;
    bool f2 = false;
    bool backward = false;

    bool operator==(const LocoLook&) const = default;
};
