#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The operations the link needs of a serial line, and nothing more. The real
// port and the virtual command station both implement it.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens COM n. On failure returns false and errorText() says why, in the
    // words of the operating system.
    virtual bool open(int comNumber) = 0;
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
};
