#pragma once

#include "link/OperatingView.h"

#include <functional>

// The program core is made before the main window that shows what the link
// reports; this hands each call on once the window is there.
class OperatingRelay final : public OperatingView {
public:
    void setTarget(OperatingView* target) { m_target = target; }
    // The handheld-throttle windows are not the main window's.
    void setZeltronWindows(std::function<void(int)> show) { m_zeltronShow = std::move(show); }

    void SetLinkBusy(bool busy) override { forward(&OperatingView::SetLinkBusy, busy); }
    void ShowPowerState(int on) override { forward(&OperatingView::ShowPowerState, on); }
    void ShowThrottle(int t) override { forward(&OperatingView::ShowThrottle, t); }
    void ShowLocoPicture(int t) override { forward(&OperatingView::ShowLocoPicture, t); }
    void ShowKeyLamp(int key, int colour) override {
        forward(&OperatingView::ShowKeyLamp, key, colour);
    }
    void ShowFeedback(int contact) override { forward(&OperatingView::ShowFeedback, contact); }
    void ZeltronShow(int window) override {
        if (m_zeltronShow)
            m_zeltronShow(window);
    }

private:
    template <typename... Args, typename... Values>
    void forward(void (OperatingView::*call)(Args...), Values... values) {
        if (m_target)
            (m_target->*call)(values...);
    }

    OperatingView* m_target = nullptr;
    std::function<void(int)> m_zeltronShow;
};
