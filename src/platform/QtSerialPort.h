#pragma once

#include "ComPortNames.h"
#include "SerialPort.h"
#include "SerialSettings.h"

#include <QSerialPort>
#include <optional>

// The real serial line. What has arrived is read when the program asks for
// it, all at once, rather than a few bytes at every wake-up of the event
// loop; only bytes that come to a line found quiet are announced
// (onBytesArrived). A line that fails is closed at once and reported lost,
// so that nothing is retried against a device that has gone.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(ComPortNames names);

    bool open(int comNumber) override;
    void close() override;
    bool isOpen() const override;
    QString errorText() const override;
    QString lineName() const override;

    bool setSettings(const QString& settings) override;
    bool setCustomBitRate(int bitsPerSecond) override;

    qint64 bytesWaiting() const override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override;
    void clearOutput() override;

    bool ctsHolding() const override;
    void setBreak(bool on) override;
    void setDtr(bool on) override;
    void setRts(bool on) override;

private:
    bool apply(const SerialSettings& settings);
    QString openFailure() const;
    void onError(QSerialPort::SerialPortError error);
    // Closes the failed line and tells onLineLost, once.
    void loseLine() const;
    void closePort() const;
#ifdef Q_OS_UNIX
    // Bytes the driver holds in one of its queues (TIOCINQ, TIOCOUTQ); -1
    // when the device no longer answers, which loses the line.
    qint64 driverQueue(unsigned long request) const;
#endif

    ComPortNames m_names;
    QString m_device;
    int m_comNumber = 0;
    mutable QSerialPort m_port;
    SerialSettings m_settings;
    QString m_error;
    std::optional<bool> m_dtr;
    std::optional<bool> m_rts;
    // Counts the opens: a failure Qt reported belongs to one of them.
    int m_openings = 0;
    // Found out at open: a pseudo-terminal has none, and CTS counts as held.
    bool m_hasModemLines = false;
    // The byte in Qt's buffer has been handed on; it stays there.
    mutable bool m_heldByteTaken = false;
    mutable bool m_readSinceLook = false;
    // Errors while the modem lines are probed or the port closes are expected.
    mutable bool m_quiet = false;
};
