#pragma once

#include "JobRequest.h"
#include "Link.h"
#include "LinkHooks.h"
#include "PeerAnswers.h"
#include "SlotRecord.h"
#include "SpeedStepTable.h"
#include "ZeltronEntry.h"

#include <QString>
#include <array>

class Clock;
class LinkView;
class OperatingView;
class SerialPort;

// Everything the link shares with the rest of the program: the line, the job
// request, what the command station reported, and where to show it.
class LinkState {
public:
    static constexpr int FeedbackContacts = 2049;
    static constexpr int ZeltronSlots = 130;
    static constexpr int UnknownStation = 99;

    LinkState(const Clock& clock, SerialPort& port, LinkView& messages, OperatingView& operating);

    double now() const;
    // "Keine Antwort …" and the like: title "Fehler", critical icon.
    void showError(const QString& text) const;
    // Refusals and bad answers of the command station.
    void showLocoNetError(const QString& text) const;
    // The station answered the last request with a refusal; the dispatcher
    // has told the user, so the job ends without a second box.
    bool stationRefused() const;

    // The start values every run begins with.
    void resetToStartValues();

    const Clock& clock;
    LinkView& messages;
    OperatingView& operating;
    Link link;
    // The job the job machine is working on.
    JobRequest job;
    PeerAnswers answers;
    LinkHooks hooks;

    // -1 while identifying, 1, 2, 3, or 99 = unknown / not connected.
    int StationType = UnknownStation;

    bool AnswerExpected = false;
    int AnswerToOpcode = 0;
    int AnswerToEdCommand = 0;
    int AnswerValue = -1;
    int TrackStatus = 0;

    SlotTableType SlotTable{};
    std::array<SlotRecord, 3> ThrottleData{};
    std::array<int, 3> ThrottleSlot{-1, -1, -1};

    std::array<qint16, FeedbackContacts> FeedbackState{};
    int KeyboardBase = 0;
    int FeedbackBase = 0;

    ZeltronTable ZeltronWindows{};
    std::array<int, ZeltronSlots> SlotOnZeltron{};

    SpeedStepTable SpeedSteps;
};
