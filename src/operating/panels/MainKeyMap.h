#pragma once

// What a key pressed in the main window means, by the tab shown: the two
// throttle tabs drive their locomotive, the panel tabs open a key popup.
struct MainKey {
    enum Action {
        None,
        PowerButton,  // as the STOP/GO button
        Function,     // value: 0 light, 1..12 F1..F12
        SetDirection, // value: 0 forward, 1 backward
        ChangeDirection,
        SpeedDigit, // value: 0..9
        FocusAddress,
        NextTab,   // value: the tab to show
        OpenPopup, // value: the digit typed
    };
    Action action = None;
    int value = 0;

    bool operator==(const MainKey&) const = default;
};

namespace mainkeys {
constexpr int Tabs = 5;
constexpr int KeyboardTab = 2;
constexpr int FeedbackTab = 3;
constexpr int MemoryTab = 4;
} // namespace mainkeys

// tab 0..4; key a Qt key code; hasLocomotive: the throttle of a throttle
// tab has an address.
MainKey mainKeyDown(int tab, int key, bool hasLocomotive);
