#pragma once

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <initializer_list>

class Clock;
class LinkView;
class SerialPort;

// The one outgoing message: built into TxBuffer, sent with its checksum, and
// held until the dispatcher has seen its echo or three seconds have passed.
class Transmitter {
public:
    static constexpr double EchoTimeout = 3.0;
    static constexpr double CtsTimeout = 5.0;

    Transmitter(const Clock& clock, LinkView& view) : m_clock(clock), m_view(view) {}

    bool isFree() const { return TxLastIndex == -1; }
    // Places a message (without checksum). Only while the buffer is free.
    void place(std::initializer_list<quint8> bytes);
    template <size_t N> void place(const std::array<quint8, N>& bytes) {
        std::copy(bytes.begin(), bytes.end(), TxBuffer.begin());
        TxLastIndex = static_cast<int>(N) - 1;
    }

    // interfaceType 1 writes byte by byte while CTS is held; the others
    // write the whole message at once, which a LocoNet server needs.
    void TransmitPending(SerialPort& port, int interfaceType);
    // The line will not carry the message sent: it fails as when its echo
    // does not come.
    void sendRefused();

    // True when the received message is the sent one, checksum included.
    bool isEcho(const quint8* message) const;
    void release();

    std::array<quint8, 65> TxBuffer{};
    int TxLastIndex = -1;
    bool EchoPending = false;
    double TxSentTime = 0;

private:
    void fail();

    const Clock& m_clock;
    LinkView& m_view;
    // Bytes of the current message already written while waiting for CTS.
    int m_written = 0;
    double m_ctsWaitSince = -1;
};
