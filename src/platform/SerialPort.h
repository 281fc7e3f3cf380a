#pragma once

#include "ServerAddress.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The operations the link needs of a serial line, and nothing more. The real
// port, the virtual command station and the line to a LocoNet-over-TCP
// server implement it.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens COM n. On failure returns false and errorText() says why, in the
    // words of the operating system.
    virtual bool open(int comNumber) = 0;
    // Opens the line to a LocoNet-over-TCP server instead of a COM port. It
    // is open once isOpen() says so; until then it connects, and when that
    // fails onLineLost says why. False when it cannot even begin, and
    // errorText() says why. A line that reaches no network cannot.
    virtual bool openServer(const ServerAddress& /*server*/) { return false; }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorText() const = 0;
    // Where the line goes, as the user would recognise it: "/dev/ttyUSB0",
    // "COM3", "rechner:1234".
    virtual QString lineName() const = 0;

    // "19200,n,8,2" and the like; false when the text or the port refuses it.
    virtual bool setSettings(const QString& settings) = 0;
    // A rate no standard setting offers, such as 16457 bit/s.
    virtual bool setCustomBitRate(int bitsPerSecond) = 0;

    virtual qint64 bytesWaiting() const = 0;
    virtual QByteArray readAll() = 0;
    // False when the line did not take the bytes: it is then lost, and
    // onLineLost has been or will be called.
    virtual bool write(const QByteArray& bytes) = 0;
    // Bytes handed to write() that have not left yet.
    virtual qint64 bytesToWrite() const = 0;
    virtual void clearOutput() = 0;

    // Clear to send. A port without modem lines reports it as held.
    virtual bool ctsHolding() const = 0;
    virtual void setBreak(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual void setRts(bool on) = 0;

    // Called when bytes have arrived (the receive event).
    std::function<void()> onBytesArrived;
    // Called once when an open line fails for good (cable pulled, device
    // gone, server gone), with the reason in the user's words. The port is
    // closed by then.
    std::function<void(const QString& reason)> onLineLost;
    // A server line only: the server did not put the message last written
    // on the bus.
    std::function<void()> onSendRefused;
    // A server line only: the server heard a message on the bus that it
    // could not read.
    std::function<void()> onDamagedMessage;
};

// For a line that wraps another: what the other reports comes out of the
// wrapper, to whoever listens there.
inline void passOnReports(SerialPort& inner, SerialPort& wrapper) {
    inner.onBytesArrived = [&wrapper] {
        if (wrapper.onBytesArrived)
            wrapper.onBytesArrived();
    };
    inner.onLineLost = [&wrapper](const QString& reason) {
        if (wrapper.onLineLost)
            wrapper.onLineLost(reason);
    };
    inner.onSendRefused = [&wrapper] {
        if (wrapper.onSendRefused)
            wrapper.onSendRefused();
    };
    inner.onDamagedMessage = [&wrapper] {
        if (wrapper.onDamagedMessage)
            wrapper.onDamagedMessage();
    };
}
