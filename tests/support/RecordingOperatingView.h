#pragma once

#include "link/OperatingView.h"

#include <QList>

// Remembers what the link asked the operating windows to show, and passes
// the refreshes on to real windows when a test sets windows.
class RecordingOperatingView : public OperatingView {
public:
    void SetLinkBusy(bool on) override { busy = on; }
    void ShowThrottle(int t) override { pass(&OperatingView::ShowThrottle, t); }
    void ShowLocoPicture(int t) override { pass(&OperatingView::ShowLocoPicture, t); }
    void ShowKeyLamp(int key, int colour) override {
        pass(&OperatingView::ShowKeyLamp, key, colour);
    }
    void ShowFeedback(int contact) override { pass(&OperatingView::ShowFeedback, contact); }
    void ZeltronShow(int window) override { zeltronShows.append(window); }

    OperatingView* windows = nullptr;
    bool busy = false;
    QList<int> zeltronShows;

private:
    template <typename... Args> void pass(void (OperatingView::*show)(Args...), Args... values) {
        if (windows)
            (windows->*show)(values...);
    }
};
