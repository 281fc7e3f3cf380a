#pragma once

#include "AnswerBook.h"
#include "HandheldTable.h"
#include "JobRequest.h"
#include "Link.h"
#include "LinkHooks.h"
#include "StationSlots.h"

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
    LinkState(const Clock& clock, SerialPort& port, LinkView& messages, OperatingView& operating);

    double now() const;
    // "Keine Antwort …" and the like: title "Fehler", critical icon.
    void showError(const QString& text) const;
    // Refusals and bad answers of the command station.
    void showLocoNetError(const QString& text) const;

    // The start values every run begins with.
    void resetToStartValues();

    const Clock& clock;
    LinkView& messages;
    OperatingView& operating;
    Link link;
    // The job the job machine is working on.
    JobRequest job;
    AnswerBook answers;
    LinkHooks hooks;

    StationSlots station;
    FeedbackContacts feedback;
    PanelPages pages;
    HandheldTable handhelds;
};
