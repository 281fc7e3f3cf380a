#pragma once

#include "KeyPopupLogic.h"

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

// tab 0..4: the two throttles, "Keyboard", "Rückmelder", "Memory"; key a
// Qt key code; hasLocomotive: the throttle of a throttle tab has an address.
MainKey mainKeyDown(int tab, int key, bool hasLocomotive);
// The popup a digit opens on panel tab 2, 3 or 4.
PopupKind popupOfTab(int tab);
