#pragma once

#include "ComPortNames.h"
#include "SerialPort.h"
#include "SerialSettings.h"

#include <QSerialPort>
#include <optional>

// The real serial line.
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

    ComPortNames m_names;
    QString m_device;
    mutable QSerialPort m_port;
    SerialSettings m_settings;
    QString m_error;
    std::optional<bool> m_dtr;
    std::optional<bool> m_rts;
};
