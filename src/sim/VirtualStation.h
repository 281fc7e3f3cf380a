#pragma once

#include "Accessories.h"
#include "BusFramer.h"
#include "Faults.h"
#include "HandheldThrottles.h"
#include "LncvModules.h"
#include "LocoSlots.h"
#include "PacedLine.h"
#include "ProgrammingTrack.h"
#include "StationProfile.h"
#include "StationSettings.h"
#include "TextCommandMode.h"

#include <QByteArray>
#include <memory>

class DemoLayout;
class Outbox;

// A LocoNet command station in software. What the PC writes goes in; the
// echo of every message and then the station's answers come back on a line
// paced at its bit rate, as on the real bus. It keeps the state a command
// station keeps, so the program sees what it would see on a layout.
class VirtualStation {
public:
    explicit VirtualStation(const StationProfile& profile = StationProfile::forType(1));
    ~VirtualStation();

    // Bytes the PC writes, at time now.
    void receive(const QByteArray& bytes, double now);
    // A whole message from another PC on the bus, such as a LocoNet-over-TCP
    // client: it is framed apart from what the PC's port writes, so neither
    // cuts off a message of the other.
    void hear(const QByteArray& message, double now);
    // Lets the demo layout act up to now.
    void advance(double now);

    PacedLine& line() { return m_line; }

    // A break on the line: the station's own port goes back to its text commands.
    void enterTextMode();
    bool inTextMode() const { return m_text.active(); }

    // Another device on the bus sends a message: it goes out to the PC, and
    // the station acts on it as on everything it hears.
    void deviceSends(const QByteArray& message, double now);
    void reportContact(int contact, bool occupied, double now);
    void announceThrottle(int number, double now);

    void setDemo(bool on);

    bool trackPower() const { return m_power; }
    quint8 trackStatus() const;

    StationProfile profile;
    Faults faults;
    LocoSlots locos;
    Accessories accessories;
    StationSettings settings;
    LncvModules modules;
    ProgrammingTrack programming;
    HandheldThrottles throttles;

private:
    void fromPc(const QByteArray& message, double now);
    // What the station does about a message it hears, and says in return.
    void act(const QByteArray& message, Outbox& out);
    void sendAll(const Outbox& out, double notBefore);
    void put(const QByteArray& message, double notBefore);

    bool m_power = true;
    BusFramer m_framer;
    TextCommandMode m_text;
    PacedLine m_line;
    std::unique_ptr<DemoLayout> m_demo;
};
