#pragma once

#include <bitset>
#include <optional>

// What a handheld throttle's window shows of its locomotive.
struct ZeltronLoco {
    static constexpr int Functions = 15;

    int address = 0;
    // None when the locomotive's speed steps are not known: the step shown
    // stays as it is.
    std::optional<int> step;
    std::bitset<Functions> functions; // F0..F14
    bool backward = false;
    // The address is confirmed; the field and OK are locked.
    bool locked = false;
};

// One handheld throttle's window, as the window manager drives it.
class ZeltronWindowView {
public:
    virtual ~ZeltronWindowView() = default;
    // Shows the window for a throttle that has just announced itself: no
    // locomotive yet, and the address field waits for the user.
    virtual void Open(int throttleId) = 0;
    // The throttle asked again: the address field waits for the user anew.
    virtual void AwaitAddress() = 0;
    // The address is on its way to the throttle.
    virtual void AddressSent() = 0;
    virtual void ShowLoco(const ZeltronLoco& loco) = 0;
};
