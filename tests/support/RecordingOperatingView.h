#pragma once

#include "link/OperatingView.h"

#include <QList>
#include <QMap>

// Remembers what the link asked the operating windows to show, and passes
// the refreshes on to real windows when a test sets windows.
class RecordingOperatingView : public OperatingView {
public:
    void SetLinkBusy(bool on) override { busy = on; }
    void ShowPowerState(int on) override { power.append(on); }
    void ShowThrottle(int t) override {
        throttleShows.append(t);
        if (windows)
            windows->ShowThrottle(t);
    }
    void ShowLocoPicture(int t) override {
        pictureShows.append(t);
        if (windows)
            windows->ShowLocoPicture(t);
    }
    void ShowKeyLamp(int key, int colour) override {
        lamps[key] = colour;
        if (windows)
            windows->ShowKeyLamp(key, colour);
    }
    void ShowFeedback(int contact) override {
        feedbackShows.append(contact);
        if (windows)
            windows->ShowFeedback(contact);
    }
    void ZeltronShow(int window) override { zeltronShows.append(window); }

    OperatingView* windows = nullptr;
    bool busy = false;
    QList<int> power;
    QList<int> throttleShows;
    QList<int> pictureShows;
    QMap<int, int> lamps;
    QList<int> feedbackShows;
    QList<int> zeltronShows;
};
