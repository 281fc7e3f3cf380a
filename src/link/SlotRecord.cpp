#include "SlotRecord.h"

namespace {
constexpr DataFormat Formats[] = {
    {192, "Motorola alt", 14}, {193, "Motorola neu", 14}, {208, "DCC - 14", 14},
    {209, "DCC - 27", 27},     {210, "DCC - 28", 28},     {211, "DCC - 128", 128},
    {200, "Selectrix", 31},    {216, "FMZ", 15},
};
} // namespace

DataFormat dataFormatOfCode(int code) {
    for (const DataFormat& f : Formats) {
        if (f.code == code)
            return f;
    }
    return {code, " - ", 0};
}

void SetFormat(SlotRecord& record, int code) {
    const DataFormat f = dataFormatOfCode(code);
    record[SlotRecord::FormatCode] = code;
    record.FormatName = QString::fromLatin1(f.name);
    record[SlotRecord::SpeedSteps] = f.speedSteps;
}
