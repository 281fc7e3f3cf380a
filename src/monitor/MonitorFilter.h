#pragma once

#include "MonitorMessage.h"

#include <array>

// Which messages the monitor shows: the kinds ticked, and the addresses
// from..to as the user counts them (NoAddress leaves that end open). With
// an address range, messages that name no address are not shown.
struct MonitorFilter {
    std::array<bool, monitor::KindCount> kinds{true, true, true, true, true, true};
    int from = monitor::NoAddress;
    int to = monitor::NoAddress;

    bool accepts(const monitor::Reading& reading) const;
    bool operator==(const MonitorFilter&) const = default;
};
