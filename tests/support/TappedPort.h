#pragma once

#include "platform/SerialPort.h"

#include <QByteArray>
#include <QStringList>

// A real port with a tap: everything is passed on, and what the program
// writes and how it sets the line is kept for the test to read.
class TappedPort final : public SerialPort {
public:
    explicit TappedPort(SerialPort& line) : m_line(line) { passOnReports(m_line, *this); }

    bool open(int comNumber) override {
        openedCom = comNumber;
        return m_line.open(comNumber);
    }
    bool openServer(const ServerAddress& server) override { return m_line.openServer(server); }
    void close() override { m_line.close(); }
    bool isOpen() const override { return m_line.isOpen(); }
    QString errorText() const override { return m_line.errorText(); }
    QString lineName() const override { return m_line.lineName(); }
    bool setSettings(const QString& settings) override {
        settingsHistory.append(settings);
        return m_line.setSettings(settings);
    }
    bool setCustomBitRate(int bitsPerSecond) override {
        customBitRate = bitsPerSecond;
        return m_line.setCustomBitRate(bitsPerSecond);
    }
    qint64 bytesWaiting() const override { return m_line.bytesWaiting(); }
    QByteArray readAll() override {
        const QByteArray bytes = m_line.readAll();
        received += bytes;
        return bytes;
    }
    bool write(const QByteArray& bytes) override {
        written += bytes;
        return m_line.write(bytes);
    }
    qint64 bytesToWrite() const override { return m_line.bytesToWrite(); }
    void clearOutput() override {
        ++outputClears;
        m_line.clearOutput();
    }
    bool ctsHolding() const override { return m_line.ctsHolding(); }
    void setBreak(bool on) override {
        breaks.append(on);
        m_line.setBreak(on);
    }
    void setDtr(bool on) override { m_line.setDtr(on); }
    void setRts(bool on) override { m_line.setRts(on); }

    QByteArray takeWritten() {
        QByteArray all;
        all.swap(written);
        return all;
    }

    int openedCom = 0;
    int customBitRate = 0;
    int outputClears = 0;
    QList<bool> breaks;
    QStringList settingsHistory;
    QByteArray written;
    QByteArray received;

private:
    SerialPort& m_line;
};
