#pragma once

#include "sim/LncvModules.h"

// A module's answer to the PC.
inline QByteArray moduleAnswer(int article, int lncv, int value, int flags = 0) {
    return lncvMessage({0x05, 0x49, 0x4B}, article, lncv, value, flags);
}

// A handheld throttle asks the PC for a locomotive.
inline QByteArray throttleAnnouncement(int number) {
    return lncvMessage({0x00, 0x00, 0x00}, 4750, 5, number, 0);
}
