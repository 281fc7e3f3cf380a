#pragma once

#include "SerialPort.h"

// The line to the command station: a serial port, or a LocoNet server
// reached over the network. Opening a COM port chooses the one, opening a
// server the other; everything else goes to the line chosen last, and what
// a line reports comes out here.
class ChosenLine final : public SerialPort {
public:
    ChosenLine(SerialPort& serial, SerialPort& server);

    bool open(int comNumber) override;
    bool openServer(const ServerAddress& server) override;
    void close() override { m_line->close(); }
    bool isOpen() const override { return m_line->isOpen(); }
    QString errorText() const override { return m_line->errorText(); }
    QString lineName() const override { return m_line->lineName(); }

    bool setSettings(const QString& settings) override { return m_line->setSettings(settings); }
    bool setCustomBitRate(int bitsPerSecond) override {
        return m_line->setCustomBitRate(bitsPerSecond);
    }

    qint64 bytesWaiting() const override { return m_line->bytesWaiting(); }
    QByteArray readAll() override { return m_line->readAll(); }
    bool write(const QByteArray& bytes) override { return m_line->write(bytes); }
    qint64 bytesToWrite() const override { return m_line->bytesToWrite(); }
    void clearOutput() override { m_line->clearOutput(); }

    bool ctsHolding() const override { return m_line->ctsHolding(); }
    void setBreak(bool on) override { m_line->setBreak(on); }
    void setDtr(bool on) override { m_line->setDtr(on); }
    void setRts(bool on) override { m_line->setRts(on); }

private:
    void choose(SerialPort& line);

    SerialPort& m_serial;
    SerialPort& m_server;
    SerialPort* m_line;
};
