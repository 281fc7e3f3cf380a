#pragma once

#include "platform/SerialPort.h"

#include <QList>
#include <functional>

// A serial line a test plays the far end of: it hands bytes to the program
// and records what the program writes.
class FakeSerialPort final : public SerialPort {
public:
    bool open(int comNumber) override {
        openedCom = comNumber;
        opened = true;
        return true;
    }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    QString errorText() const override { return {}; }
    QString lineName() const override { return QStringLiteral("/dev/ttyFAKE"); }

    bool setSettings(const QString&) override { return true; }
    bool setCustomBitRate(int) override { return true; }

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
    void clearOutput() override {}

    bool ctsHolding() const override { return cts; }
    void setBreak(bool) override {}
    void setDtr(bool) override {}
    void setRts(bool) override {}

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
    int openedCom = 0;
    bool cts = true;
    // Bytes the port still holds to send.
    qint64 queued = 0;
    std::function<void()> afterWrite;
    QByteArray incoming;
    QByteArray written;
    QList<QByteArray> writes;
};
