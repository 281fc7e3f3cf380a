#pragma once

#include <QByteArray>

class Clock;
class LinkView;
class SerialPort;

// Talks the command station's own serial port from its text commands into
// LocoNet: a break, "xB19200" at 2400 bit/s, then "xRT255" and "x&LN$55AA"
// at 19200 bit/s, each answered by a text ending in "]". Advanced every
// 10 ms; it never waits in a loop.
class ConnectionSwitchOver {
public:
    enum class Result { Running, Done, Failed };

    static constexpr double BreakLength = 1.0;
    static constexpr double Pause = 0.3;
    static constexpr double TextTimeout = 5.0;

    ConnectionSwitchOver(const Clock& clock, SerialPort& port, LinkView& messages)
        : m_clock(clock), m_port(port), m_messages(messages) {}

    // The port is open at 2400 bit/s.
    void begin(int comPortNumber);
    // On failure the user has been told why.
    Result advance();

private:
    enum class Phase { Break, Quiet, Command, Answer, Settle };

    void enter(Phase phase);
    void sendCommand(int index);
    Result writeCommand(double elapsed);
    Result readAnswer(double elapsed);
    // Closes and opens the port again with new settings; false after telling why not.
    bool reopen(const char* settings);
    Result textFailed();

    const Clock& m_clock;
    SerialPort& m_port;
    LinkView& m_messages;
    int m_comPortNumber = 0;
    Phase m_phase = Phase::Break;
    double m_since = 0;
    int m_command = 0;
    int m_written = 0;
    QByteArray m_reply;
};
