#include "ThrottleDisplay.h"

#include "link/Colours.h"
#include "link/SlotRecord.h"
#include "link/SpeedStepTable.h"

namespace {
int lampColour(int bits, int bit) {
    return (bits >> bit) & 1 ? colour::Yellow : colour::White;
}
bool isDccFormat(int code) {
    return code >= 208 && code <= 211;
}
// Only these stations report F9..F12 back.
bool reportsHighFunctions(int stationType) {
    return stationType == 2 || stationType == 3;
}
} // namespace

ThrottleDisplay throttleDisplay(const SlotRecord& r, int stationType, const SpeedStepTable& steps) {
    ThrottleDisplay d;
    const int dirF = r[SlotRecord::DirF];
    const int code = r[SlotRecord::FormatCode];
    d.lamps[0] = lampColour(dirF, 4);
    if (code == 200 || code == 216) {
        d.lamps[1] = lampColour(dirF, 0);
    } else if (code == 193 || isDccFormat(code)) {
        for (int n = 1; n <= 4; ++n)
            d.lamps[n] = lampColour(dirF, n - 1);
    }
    if (isDccFormat(code)) {
        for (int n = 5; n <= 8; ++n)
            d.lamps[n] = lampColour(r[SlotRecord::Snd], n - 5);
        if (reportsHighFunctions(stationType)) {
            for (int n = 9; n <= 11; ++n)
                d.lamps[n] = lampColour(r.ExtFn(7), n - 5);
            d.lamps[12] = lampColour(r.ExtFn(5), 4);
        }
    }
    d.look =
        LocoLook{(dirF & 0x10) != 0, (dirF & 0x01) != 0, (dirF & 0x02) != 0, (dirF & 0x20) != 0};

    // Speed 1 is the emergency stop: the slider and the gauge show a stop.
    const int speed = r[SlotRecord::Speed];
    d.sliderValue = speed > 0 ? speed - 1 : 0;
    d.pointerTarget = d.sliderValue / 126.0;
    d.formatName = r.FormatName;
    d.speedStep = steps.displayStep(speed, r[SlotRecord::SpeedSteps]);
    return d;
}
