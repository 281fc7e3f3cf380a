#pragma once

#include <array>
#include <vector>

// What the programming windows and the CV jobs share: the last known value
// of every CV, the work lists the list jobs go through, and the answer of
// the programming track.
struct ProgrammingState {
    static constexpr int MaxCv = 1024;
    // A CV whose value has never been read or was reset by a new decoder.
    static constexpr int Unknown = 256;
    static constexpr int FirstSpeedCv = 67;
    static constexpr int SpeedPoints = 28;

    enum List { StandardList = 0, SpeedList = 1, TableList = 2, ListCount = 4 };

    // ProgAnswer while a request is outstanding; 1000 + status for the
    // command station's answer to a write or a failed read.
    static constexpr int ReadOutstanding = -1;
    static constexpr int WriteOutstanding = -2;
    static constexpr int StatusBase = 1000;

    ProgrammingState();

    static bool isCv(int cv) { return cv >= 1 && cv <= MaxCv; }
    static bool isValue(int value) { return value >= 0 && value <= 255; }

    // Every CV unknown again (CV 0 included; it is never shown or sent).
    void forgetValues() { CvValue.fill(Unknown); }
    // The value of a CV, unknown for any number outside 1..1024.
    int value(int cv) const { return isCv(cv) ? CvValue[cv] : Unknown; }
    // Stores a value of 0..256; anything else is not a CV value and is ignored.
    void setValue(int cv, int value);

    int CvListLast(int list) const { return static_cast<int>(CvList[list].size()) - 1; }

    std::array<int, MaxCv + 1> CvValue{};
    std::array<std::vector<int>, ListCount> CvList;
    int ProgAnswer = 0;
};
