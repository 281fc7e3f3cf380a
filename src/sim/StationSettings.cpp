#include "StationSettings.h"

#include <QMap>

namespace {

// Factory values of the options a user is likely to look at; all others are 0.
const QMap<int, int>& defaultOptions() {
    static const QMap<int, int> defaults = {
        {StationSettings::DefaultFormatOption, 4}, // DCC with 28 steps
        {12, 1},                                   // accessories in DCC
        {13, 2},                                   // switching at least 100 ms
        {14, 100},                                 // and at most 5 s
        {35, 2},                                   // packets per accessory command
        {97, 1},                                   // power on at start-up
    };
    return defaults;
}

// The locomotive format that option 10 stands for.
int formatOfOption(int value) {
    static const QMap<int, int> codes = {{0, 192}, {1, 193}, {2, 208}, {4, 210}, {6, 211}};
    return codes.value(value, 210);
}

} // namespace

StationSettings::StationSettings() {
    resetConfiguration();
}

int StationSettings::option(int number) const {
    return number >= 0 && number < Options ? m_options[number] : 0;
}

bool StationSettings::setOption(int number, int value) {
    if (number < 0 || number >= Options || value < 0 || value > 255)
        return false;
    m_options[number] = static_cast<quint8>(value);
    return true;
}

StationSettings::LocoFormat StationSettings::format(int address) const {
    return m_formats.value(address, LocoFormat{formatOfOption(option(DefaultFormatOption)), 0});
}

bool StationSettings::setFormat(int address, LocoFormat format) {
    if (!isKnownFormat(format.code))
        return false;
    m_formats.insert(address, format);
    return true;
}

bool StationSettings::isKnownFormat(int code) {
    switch (code) {
    case 192:
    case 193:
    case 200:
    case 208:
    case 209:
    case 210:
    case 211:
    case 216:
        return true;
    default:
        return false;
    }
}

void StationSettings::resetConfiguration() {
    m_options.fill(0);
    const QMap<int, int>& defaults = defaultOptions();
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        m_options[it.key()] = static_cast<quint8>(it.value());
}
