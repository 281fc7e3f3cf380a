#pragma once

#include <QByteArray>
#include <vector>

class VirtualStation;

// Other devices on a busy bus, in turn: feedback reports, slot data of other
// slots, speed, direction and sound of locomotives on other throttles, and
// accessory commands. They are put on the line a little ahead of the clock
// rather than all at once, so the station's queue stays as short as on a
// real bus.
class BusTraffic {
public:
    // Contacts 0..contacts-1 are reported, each occupied and free in turn.
    // share: the part of the line's time the devices take; at 1 they send
    // back to back, below 1 the rest is left for the program's own messages.
    explicit BusTraffic(int contacts, double share = 1.0);

    // Puts messages on the line until the devices' share is taken for a
    // while after now, at most until limit messages have been sent in all.
    void keepLineBusy(VirtualStation& layout, double now, long limit);
    bool lineBusy(double now) const { return m_busyUntil > now; }

    long sent = 0;
    long feedbackReports = 0;
    long accessoryCommands = 0;
    // The state each contact was last reported in; -1 when never.
    std::vector<int> lastContactState;

private:
    QByteArray next();

    int m_contacts;
    double m_share;
    double m_busyUntil = 0;
};
