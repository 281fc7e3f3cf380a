#pragma once

#include "ReceiveRing.h"
#include "Transmitter.h"
#include "platform/ServerAddress.h"

class Clock;
class LinkView;
class MessageTap;
class SerialPort;

// The line to the command station: what came in, framed into the ring, and
// the one message going out.
class Link {
public:
    Link(const Clock& clock, SerialPort& port, LinkView& view);

    // Takes everything the port holds into the ring; nothing while closed.
    void ReceiveBytes();
    void TransmitPending();

    SerialPort& port() { return m_port; }

    // 1 = the station's own port, 2 = interface 41770, 3 = USB interface,
    // 4 = a LocoNet server over TCP.
    static constexpr int UsbInterface = 3;
    static constexpr int ServerInterface = 4;
    int InterfaceType = 1;
    int ComPortNumber = 1;
    ServerAddress Server;
    // The bus monitor, when one listens.
    MessageTap* tap = nullptr;
    // The clock's time when the last connect began; the monitor counts
    // from it.
    double ConnectTime = 0;

private:
    SerialPort& m_port;

public:
    ReceiveRing Rx;
    Transmitter Tx;
};
