#pragma once

// What the link shows in the operating windows. Every call has a do-nothing
// default so a test fakes only what it watches.
class OperatingView {
public:
    virtual ~OperatingView() = default;

    // The settings and tools menus, the tab control and the power button.
    virtual void SetLinkBusy(bool /*busy*/) {}
    // on = 0: power off ("GO" offered), 1: on ("STOP" offered).
    virtual void ShowPowerState(int /*on*/) {}
    virtual void ShowThrottle(int /*t*/) {}
    virtual void ShowLocoPicture(int /*t*/) {}
    // Lamp of key 0..15 of the keyboard page; colour 0xBBGGRR.
    virtual void ShowKeyLamp(int /*key*/, int /*colour*/) {}
    // A feedback contact on the shown page changed.
    virtual void ShowFeedback(int /*contact*/) {}
    virtual void ZeltronShow(int /*window*/) {}
};
