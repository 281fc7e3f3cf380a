#pragma once

#include "platform/SerialPort.h"

class Clock;
class VirtualStation;

// The virtual command station behind the program's serial port, in the same
// process. Bytes written reach the station at once; what it says back can be
// read as soon as the clock has reached the time it arrives on the line.
// With the station's cable pulled, the line fails as a real one does.
class VirtualSerialPort final : public SerialPort {
public:
    VirtualSerialPort(const Clock& clock, VirtualStation& station);

    bool open(int comNumber) override;
    // The station is behind every interface, a server's too.
    bool openServer(const ServerAddress&) override { return open(0); }
    void close() override;
    bool isOpen() const override { return m_open; }
    QString errorText() const override { return m_error; }
    QString lineName() const override { return QStringLiteral("virtuelle Zentrale"); }

    bool setSettings(const QString& settings) override;
    bool setCustomBitRate(int bitsPerSecond) override;

    qint64 bytesWaiting() const override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return 0; }
    // Written bytes are with the station at once; nothing waits to go out.
    void clearOutput() override {}

    // The virtual line has no modem lines; it is ready unless told otherwise.
    bool ctsHolding() const override;
    void setBreak(bool on) override;
    void setDtr(bool) override {}
    void setRts(bool) override {}

private:
    // False when the line is closed, or has just been lost to a pulled cable.
    bool lineUp() const;

    const Clock& m_clock;
    VirtualStation& m_station;
    mutable bool m_open = false;
    QString m_error;
};
