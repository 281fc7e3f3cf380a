#pragma once

#include "LocoNetMessage.h"

#include <QtGlobal>
#include <array>
#include <initializer_list>

class Clock;
class LinkView;
class SerialPort;

// The one outgoing message: placed into TxBuffer, sent with its checksum,
// and held until the dispatcher has seen its echo or three seconds have
// passed. Nothing else writes the buffer, and nothing can be placed while a
// message is in flight: one message on the wire at a time.
class Transmitter {
public:
    static constexpr double EchoTimeout = 3.0;
    static constexpr double CtsTimeout = 5.0;
    // The longest message, checksum included.
    static constexpr int Capacity = loconet::MaxMessageLength;

    Transmitter(const Clock& clock, LinkView& view) : m_clock(clock), m_view(view) {}

    bool isFree() const { return TxLastIndex == -1; }
    // Places a message without its checksum. Refused, and false, while a
    // message is in flight, and for an empty one or one that cannot fit.
    bool place(const quint8* bytes, int count);
    bool place(std::initializer_list<quint8> bytes) {
        return place(bytes.begin(), static_cast<int>(bytes.size()));
    }
    template <size_t N> bool place(const std::array<quint8, N>& bytes) {
        return place(bytes.data(), static_cast<int>(N));
    }

    // interfaceType 1 paces the message byte by byte under CTS; the others
    // write it whole, which a LocoNet server needs.
    void TransmitPending(SerialPort& port, int interfaceType);
    // The line will not carry the message sent: it fails as when its echo
    // does not come.
    void sendRefused();

    // True when the received message is the sent one, checksum included.
    bool isEcho(const quint8* message) const;
    void release();

    bool echoPending() const { return EchoPending; }
    // The message in the buffer; its length counts the checksum once sent.
    const quint8* message() const { return TxBuffer.data(); }
    int length() const { return TxLastIndex + 2; }

private:
    void fail();

    const Clock& m_clock;
    LinkView& m_view;
    std::array<quint8, Capacity> TxBuffer{};
    int TxLastIndex = -1;
    bool EchoPending = false;
    double TxSentTime = 0;
    // Bytes of the current message already written while paced by CTS.
    int m_written = 0;
    double m_ctsWaitSince = -1;
};
