#pragma once

#include <array>
#include <optional>

// The DCC decoder on the programming track: CVs 1..1024 with the values of
// a fresh decoder at short address 3, 28 speed steps and its speed table on.
class VirtualDecoder {
public:
    static constexpr int Cvs = 1024;
    static constexpr int VersionCv = 7;
    static constexpr int ManufacturerCv = 8;
    // Writing this value to the manufacturer CV resets every CV.
    static constexpr int ResetValue = 8;

    VirtualDecoder() { restoreDefaults(); }

    // No value for a CV the decoder does not have.
    std::optional<int> read(int cv) const;
    // False when the decoder does not acknowledge the write.
    bool write(int cv, int value);

    void restoreDefaults();

private:
    std::array<int, Cvs + 1> m_cvs{};
};
