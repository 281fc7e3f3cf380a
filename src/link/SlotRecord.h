#pragma once

#include <QString>
#include <array>

// One locomotive slot as the program keeps it: 25 numbered fields, of which
// field 23 is the format's name and lives in FormatName.
struct SlotRecord {
    enum Field {
        Address = 0,
        Speed = 2,
        DirF = 3,
        Snd = 4,
        SpeedSteps = 22,
        FormatCode = 24,
    };
    static constexpr int Fields = 25;

    std::array<int, Fields> field{};
    QString FormatName;

    int& operator[](int i) { return field.at(i); }
    int operator[](int i) const { return field.at(i); }
    // The value of the last function message of type k = 5..12 (field 5 + k).
    int& ExtFn(int k) { return field.at(5 + k); }
    int ExtFn(int k) const { return field.at(5 + k); }

    bool operator==(const SlotRecord&) const = default;
};

struct DataFormat {
    int code;
    const char* name;
    int speedSteps;
};

// The format of a station code; unknown codes give " - " and 0 steps.
DataFormat dataFormatOfCode(int code);
void SetFormat(SlotRecord& record, int code);

// Slots 0..130 by number; 130 is never a real slot and stays blank.
constexpr int SlotCount = 131;
constexpr int BlankSlot = 130;
using SlotTableType = std::array<SlotRecord, SlotCount>;
