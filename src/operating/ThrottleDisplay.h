#pragma once

#include "operating/pictures/LocoLook.h"

#include <QString>
#include <array>
#include <optional>

class SpeedStepTable;
struct SlotRecord;

// What a throttle shows for its slot record.
struct ThrottleDisplay {
    static constexpr int Lamps = 13;

    // Colour (0xBBGGRR) of the light and F1..F12 lamps; none = leave it.
    std::array<std::optional<int>, Lamps> lamps;
    LocoLook look;
    // Slider position 0..126 and gauge target 0..1.
    int sliderValue = 0;
    double pointerTarget = 0.0;
    QString formatName;
    // The speed step, none when the format's steps are unknown.
    std::optional<int> speedStep;
};

// Whether function n (0 the light, 1..14 F1..F14) is on in the record.
bool functionOn(const SlotRecord& record, int n);

ThrottleDisplay throttleDisplay(const SlotRecord& record, int stationType,
                                const SpeedStepTable& steps);
