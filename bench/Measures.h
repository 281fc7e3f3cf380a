#pragma once

#include <QStringList>

class BenchRig;

// What a saturation run found: the station sends 20,000 mixed messages
// back to back, and each must reach the program.
struct SaturationRun {
    long sent = 0;
    long lost = 0;
    double busSeconds = 0;
    long feedbackReports = 0;
    long feedbackSeen = 0;
    int staleContacts = 0;
    long accessoryCommands = 0;
    long accessoriesSeen = 0;
    // Every report and command reached the route triggers and the display,
    // and every contact ended in the state last reported.
    bool allActedOn = false;
};
SaturationRun runSaturation(BenchRig& rig);

// The worst ticks from a slider move, a function key, and an accessory key
// pressed and released to the message being out, 100 actions each.
struct LatencyRun {
    bool locomotiveTaken = false;
    QStringList worst; // "slider 1", ...
    bool withinOneTick = false;
};
LatencyRun runLatency(BenchRig& rig);
