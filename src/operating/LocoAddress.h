#pragma once

#include <QStringView>
#include <optional>

constexpr int HighestLocoAddress = 16383;

// The locomotive address in a throttle's address field: a whole number
// 1..16383 (the 14 bits a loco request carries), blanks around it allowed.
// Anything else is no address, so nothing with it goes on the wire.
std::optional<int> locoAddressOf(QStringView text);

// Whether the field's text is to be painted red: neither an address, nor
// empty, nor the blank mark "-".
bool isBadAddressText(QStringView text);
