#include "VirtualDecoder.h"

namespace {

constexpr int SpeedTableFirst = 67;
constexpr int SpeedTableLast = 94;

bool exists(int cv) {
    return cv >= 1 && cv <= VirtualDecoder::Cvs;
}

} // namespace

std::optional<int> VirtualDecoder::read(int cv) const {
    if (!exists(cv))
        return std::nullopt;
    return m_cvs[cv];
}

bool VirtualDecoder::write(int cv, int value) {
    if (!exists(cv) || value < 0 || value > 255 || cv == VersionCv)
        return false;
    if (cv == ManufacturerCv) {
        if (value != ResetValue)
            return false;
        restoreDefaults();
        return true;
    }
    m_cvs[cv] = value;
    return true;
}

void VirtualDecoder::restoreDefaults() {
    m_cvs.fill(0);
    m_cvs[1] = 3;   // short address
    m_cvs[2] = 1;   // start voltage
    m_cvs[3] = 5;   // acceleration
    m_cvs[4] = 5;   // deceleration
    m_cvs[5] = 255; // top speed
    m_cvs[6] = 128; // middle speed
    m_cvs[VersionCv] = 12;
    m_cvs[ManufacturerCv] = 13; // a do-it-yourself decoder
    m_cvs[17] = 192;            // long address 100, not in use
    m_cvs[18] = 100;
    m_cvs[29] = 0x16; // speed table, 28 steps, analogue operation
    // A gentle curve from 8 up to full speed.
    const int steps = SpeedTableLast - SpeedTableFirst;
    for (int i = 0; i <= steps; ++i)
        m_cvs[SpeedTableFirst + i] = 8 + (i * i * (255 - 8) + steps * steps / 2) / (steps * steps);
}
