#pragma once

#include <QByteArray>
#include <deque>
#include <vector>

// The line from the station back to the PC. Every byte takes ten bit times
// (start, eight data bits, stop), one after another, so the PC reads what the
// station says at the pace of a real line. A message may be held back until a
// given time; messages then go out in the order of those times.
class PacedLine {
public:
    void setBitRate(int bitsPerSecond);
    int bitRate() const { return m_bitRate; }
    double byteTime() const { return 10.0 / m_bitRate; }

    // Puts a message on the line; its first byte starts no earlier than notBefore.
    void send(const QByteArray& bytes, double notBefore);

    // Bytes that have arrived by now.
    qint64 ready(double now);
    QByteArray take(double now);
    // When the next byte will have arrived; a negative value when nothing is under way.
    double nextArrival(double now);

    // Drops everything not yet read, as closing a port does.
    void clear();

private:
    struct Held {
        double notBefore;
        QByteArray bytes;
    };
    struct Byte {
        double arrival;
        char value;
    };
    // Gives every byte of a message whose time has come its arrival time.
    void schedule(double now);

    int m_bitRate = 19200;
    std::vector<Held> m_held; // ordered by notBefore, equal times in sending order
    std::deque<Byte> m_bytes;
    double m_lineFree = 0;
};
