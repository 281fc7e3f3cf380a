#include "ThrottleDisplay.h"

#include "link/Colours.h"
#include "link/SlotRecord.h"
#include "link/SpeedStepTable.h"

namespace {
int lampColour(const SlotRecord& r, int n) {
    return functionOn(r, n) ? colour::Yellow : colour::White;
}
bool bit(int bits, int n) {
    return (bits >> n) & 1;
}
bool isDccFormat(int code) {
    return code >= 208 && code <= 211;
}
// Only these stations report F9..F12 back.
bool reportsHighFunctions(int stationType) {
    return stationType == 2 || stationType == 3;
}
} // namespace

bool functionOn(const SlotRecord& r, int n) {
    if (n == 0)
        return bit(r[SlotRecord::DirF], 4);
    if (n <= 4)
        return bit(r[SlotRecord::DirF], n - 1);
    if (n <= 8)
        return bit(r[SlotRecord::Snd], n - 5);
    if (n <= 11)
        return bit(r.ExtFn(7), n - 5);
    if (n == 12)
        return bit(r.ExtFn(5), 4);
    return bit(r.ExtFn(8), n - 13);
}

ThrottleDisplay throttleDisplay(const SlotRecord& r, int stationType, const SpeedStepTable& steps) {
    ThrottleDisplay d;
    const int dirF = r[SlotRecord::DirF];
    const int code = r[SlotRecord::FormatCode];
    d.lamps[0] = lampColour(r, 0);
    if (code == 200 || code == 216) {
        d.lamps[1] = lampColour(r, 1);
    } else if (code == 193 || isDccFormat(code)) {
        for (int n = 1; n <= 4; ++n)
            d.lamps[n] = lampColour(r, n);
    }
    if (isDccFormat(code)) {
        const int last = reportsHighFunctions(stationType) ? 12 : 8;
        for (int n = 5; n <= last; ++n)
            d.lamps[n] = lampColour(r, n);
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
