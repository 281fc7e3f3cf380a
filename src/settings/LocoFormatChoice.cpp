#include "LocoFormatChoice.h"

#include <algorithm>
#include <array>

namespace locoformat {
namespace {
// Motorola old and new, DCC with 14, 28 and 128 steps.
constexpr std::array<int, UnknownEntry> Codes = {0xC0, 0xC1, 0xD0, 0xD2, 0xD3};
} // namespace

int entryOfCode(int code) {
    return static_cast<int>(std::find(Codes.begin(), Codes.end(), code) - Codes.begin());
}

std::optional<int> codeOfEntry(int entry) {
    if (entry < 0 || entry >= UnknownEntry)
        return std::nullopt;
    return Codes[entry];
}

} // namespace locoformat
