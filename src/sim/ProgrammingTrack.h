#pragma once

#include "Faults.h"
#include "VirtualDecoder.h"

#include <QByteArray>

class Outbox;

// The programming track: the station's start and end messages
// E5 07 01 47 58 41/40, and its 31-byte CV requests ED 1F 01 47 58, each
// answered with the slot data of slot 124 carrying PSTAT, CVH and DATA7.
class ProgrammingTrack {
public:
    static constexpr int Slot = 0x7C;
    // PSTAT. NoAcknowledge: a read found no such CV, or the decoder did not
    // acknowledge a write.
    enum Status : quint8 { Done = 0, NoAcknowledge = 2, ShortCircuit = 3, NoDecoder = 4 };

    // Start and end messages; false for any other message.
    bool handleStartEnd(const QByteArray& message);
    // A CV request; false when the message is none.
    bool handleRequest(const QByteArray& message, Faults::ProgrammingTrack condition,
                       quint8 trackStatus, Outbox& out);

    // Between the start and the end message.
    bool active() const { return m_active; }

    VirtualDecoder decoder;

private:
    bool m_active = false;
};
