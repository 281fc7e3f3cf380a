#pragma once

#include "platform/SerialPort.h"

#include <QList>
#include <QStringList>
#include <functional>

// A serial line a test plays the far end of: it hands bytes to the program
// and records what the program writes and does to the line.
class FakeSerialPort final : public SerialPort {
public:
    bool open(int comNumber) override {
        if (failOpen)
            return false;
        openedCom = comNumber;
        opened = true;
        return true;
    }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    QString errorText() const override { return error; }
    QString lineName() const override { return QStringLiteral("/dev/ttyFAKE"); }

    bool setSettings(const QString& settings) override {
        settingsHistory.append(settings);
        return true;
    }
    bool setCustomBitRate(int bitsPerSecond) override {
        customBitRate = bitsPerSecond;
        return true;
    }

    qint64 bytesWaiting() const override { return opened ? incoming.size() : 0; }
    QByteArray readAll() override {
        QByteArray all;
        all.swap(incoming);
        return all;
    }
    bool write(const QByteArray& bytes) override {
        written += bytes;
        writes.append(bytes);
        if (afterWrite)
            afterWrite();
        return true;
    }
    qint64 bytesToWrite() const override { return queued; }
    void clearOutput() override { ++outputClears; }

    bool ctsHolding() const override { return cts; }
    void setBreak(bool on) override { breakHistory.append(on); }
    void setDtr(bool on) override { dtr = on; }
    void setRts(bool on) override { rts = on; }

    // The far end sends bytes.
    void deliver(const QByteArray& bytes) {
        incoming += bytes;
        if (onBytesArrived)
            onBytesArrived();
    }
    QByteArray takeWritten() {
        QByteArray all;
        all.swap(written);
        writes.clear();
        return all;
    }

    bool opened = false;
    bool failOpen = false;
    int openedCom = 0;
    QString error;
    bool cts = true;
    // Bytes the port still holds to send.
    qint64 queued = 0;
    std::function<void()> afterWrite;
    bool dtr = false;
    bool rts = false;
    int customBitRate = 0;
    int outputClears = 0;
    QStringList settingsHistory;
    QList<bool> breakHistory;
    QByteArray incoming;
    QByteArray written;
    QList<QByteArray> writes;
};
