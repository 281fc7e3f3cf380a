#pragma once

#include <optional>

// The entries of the per-loco window's format combo and the station's codes
// for them; the last entry, "-", stands for any code the window does not know.
namespace locoformat {

constexpr int Entries = 6;
constexpr int UnknownEntry = Entries - 1;

int entryOfCode(int code);
// Nothing for "-" or no entry.
std::optional<int> codeOfEntry(int entry);

} // namespace locoformat
