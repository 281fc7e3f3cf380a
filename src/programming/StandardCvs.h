#pragma once

#include <QString>
#include <array>

struct ProgrammingState;

// The standard CVs as the DCC window's fields show them: the address (CV 1,
// or the long address of CVs 17 and 18 while CV 29 bit 5 is set), CVs 2..6,
// the version CV 7, and the eight bits of CV 29.
struct StandardFields {
    static constexpr int LongAddressBit = 5;
    static constexpr int MaxShortAddress = 255;
    static constexpr int MaxLongAddress = 10239;

    // CVTxt(1..6); entry 0 is not used.
    std::array<QString, 7> CVTxt;
    QString version;
    std::array<bool, 8> CV29Bit{};

    static StandardFields of(const ProgrammingState& prog);
    // CVTxt(1) for the address form; "-" while a CV it needs is unknown.
    static QString addressText(const ProgrammingState& prog, bool longAddress);

    // "Decoder pogrammieren": the fields into CvValue. A long address goes
    // into CVs 17 and 18 and leaves CV 1. A field showing "-" or nothing
    // makes its CV unknown, so that the write passes it over.
    void copyTo(ProgrammingState& prog) const;
};

// A line of CVListe: "CV", the number and the value right-aligned in three.
QString cvListLine(int cv, int value);
