#pragma once

#include "GaugePointer.h"
#include "ThrottleDisplay.h"

#include <QStringView>
#include <optional>

class JobMachine;
struct StationSlots;
struct SlotRecord;
enum class Job : int;

// What the user's actions on throttle t mean for the link: each writes the
// throttle's copy of the slot record and asks the job machine for the
// message, which goes out after the job running now. Reads the address the
// field holds, kept here by setAddressText.
class ThrottleControl {
public:
    static constexpr int FunctionCount = ThrottleDisplay::Lamps; // light and F1..F12
    static constexpr int TopSliderValue = 126;

    ThrottleControl(int t, StationSlots& station, JobMachine& jobs);

    int throttle() const { return m_t; }

    void setAddressText(QStringView text);
    std::optional<int> address() const { return m_address; }

    // The throttle lets go of its locomotive (blank record, stop target).
    void ResetThrottle();
    // A key in the address field: the slot is forgotten, the throttle blank,
    // and actions for a locomotive it never got hold of are dropped.
    void addressEdited();
    // Enter in the address field; true when the locomotive is requested.
    bool enterAddress();

    // The user moved the slider to position 0..126; false without a
    // locomotive address.
    bool moveSlider(int position);

    void setDirection(int d); // 0 forward, 1 backward
    void changeDirection();
    // Clicking the picture turns the locomotive round and stops it; true
    // when it did (the slider then goes to 0).
    bool reverseAndStop();
    void toggleFunction(int n);
    void setSpeedByDigit(int digit);

    // Refreshes the gauge target from the record and tells what to show.
    ThrottleDisplay ShowThrottle();

    double pointerTarget() const { return m_pointerTarget; }
    const GaugePointer& pointer() const { return m_pointer; }
    void stepPointer() { m_pointer.step(m_pointerTarget); }

private:
    SlotRecord& record();
    void ask(Job action, int value, int extFnType = 0);
    void sendDirection(int dirBit);

    int m_t;
    StationSlots& m_station;
    JobMachine& m_jobs;
    std::optional<int> m_address;
    double m_pointerTarget = 0.0;
    GaugePointer m_pointer;
};
