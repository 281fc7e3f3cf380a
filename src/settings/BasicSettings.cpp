#include "BasicSettings.h"

#include "platform/DigitText.h"

namespace basic {
namespace {
// Option 10 counts 0, 1, 2 for the first three entries, then 4 and 6.
constexpr int FirstEvenFormatEntry = 3;
constexpr int FirstEvenFormatValue = 4;

int locoFormatEntry(int value) {
    if (value >= 0 && value < FirstEvenFormatEntry)
        return value;
    if (value == 4 || value == 6)
        return (value - FirstEvenFormatValue) / 2 + FirstEvenFormatEntry;
    return -1;
}

int locoFormatValue(int entry) {
    if (entry < FirstEvenFormatEntry)
        return entry;
    return (entry - FirstEvenFormatEntry) * 2 + FirstEvenFormatValue;
}

Check stopCheck(int value) {
    switch (value) {
    case 0:
        return Check::On;
    case 1:
        return Check::Off;
    default:
        return Check::Unknown;
    }
}
} // namespace

std::vector<int> optionNumbers() {
    return {10, 12, 13, 14, 35, 97};
}

Fields fieldsOf(const Values& values) {
    Fields fields;
    fields.locoFormat = locoFormatEntry(values[LocoFormat]);
    const int accessory = values[AccessoryFormat];
    fields.accessoryFormat = accessory == 0 || accessory == 1 ? accessory : -1;
    fields.switchTimes[0] = QString::number(values[MinSwitchTime] * SwitchTimeStepMs);
    fields.switchTimes[1] = QString::number(values[MaxSwitchTime] * SwitchTimeStepMs);
    fields.packets = QString::number(values[AccessoryPackets]);
    fields.stopAtStart = stopCheck(values[StopAtStart]);
    return fields;
}

std::optional<Values> valuesOf(const Fields& fields, const Values& asRead) {
    const FieldValue minTime = readSwitchTime(fields.switchTimes[0]);
    const FieldValue maxTime = readSwitchTime(fields.switchTimes[1]);
    const FieldValue packets = readPackets(fields.packets);
    if (!minTime.isNumber() || !maxTime.isNumber() || !packets.isNumber())
        return std::nullopt;
    Values values = asRead;
    if (fields.locoFormat >= 0)
        values[LocoFormat] = locoFormatValue(fields.locoFormat);
    if (fields.accessoryFormat >= 0)
        values[AccessoryFormat] = fields.accessoryFormat;
    values[MinSwitchTime] = switchTimeSteps(minTime.value);
    values[MaxSwitchTime] = switchTimeSteps(maxTime.value);
    values[AccessoryPackets] = packets.value;
    if (fields.stopAtStart != Check::Unknown)
        values[StopAtStart] = fields.stopAtStart == Check::On ? 0 : 1;
    return values;
}

FieldValue readSwitchTime(QStringView text) {
    return readField(text, MaxSwitchTimeMs);
}

FieldValue readPackets(QStringView text) {
    return readField(text, MaxPackets);
}

std::optional<QString> clampedPackets(QStringView text) {
    if (readPackets(text).isWrong() && isDigitsOnly(text))
        return QString::number(MaxPackets);
    return std::nullopt;
}

int switchTimeSteps(int ms) {
    const int steps = ms / SwitchTimeStepMs;
    const int rest = ms % SwitchTimeStepMs;
    const int half = SwitchTimeStepMs / 2;
    if (rest > half || (rest == half && steps % 2 == 1))
        return steps + 1;
    return steps;
}

} // namespace basic
