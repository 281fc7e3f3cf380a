#pragma once

#include "AddressLabel.h"
#include "SwitchSequence.h"

class RouteTable;

// The three small windows in which the user types a number and then a
// letter: switch an accessory, send a feedback report, request or dissolve
// a route.
enum class PopupKind { Accessory, Feedback, Route };

class KeyPopupLogic {
public:
    // The popup's two keys, in the order they stand in it.
    enum Button { FirstButton, SecondButton };
    enum class KeyOutcome { Ignored, Typed, Hide, Pressed };
    struct Key {
        KeyOutcome outcome = KeyOutcome::Ignored;
        Button button = FirstButton; // when Pressed
    };

    KeyPopupLogic(PopupKind kind, JobMachine& jobs, RouteTable& routes);

    PopupKind kind() const { return m_kind; }
    const QString& label() const { return m_label.text(); }

    // The digit key that opens the popup.
    void open(int digit);
    // A key pressed in the popup (Qt key code). Digits and erasing change
    // the label; Esc hides; the popup's letters press its buttons.
    Key keyDown(int key);
    // Acts on the number typed when it names an accessory, contact or
    // route; the popup hides in any case. False when the line is closed
    // and an accessory or contact was asked for: nothing is sent.
    bool press(Button button);

    // The accessory popup's output-off, 0.2 s after its output-on.
    void step(double now) { m_switching.step(now); }
    bool switching() const { return !m_switching.idle(); }

private:
    bool numberInRange(int n) const;

    PopupKind m_kind;
    JobMachine& m_jobs;
    RouteTable& m_routes;
    AddressLabel m_label;
    SwitchSequence m_switching;
};
