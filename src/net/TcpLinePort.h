#pragma once

#include "LineSplitter.h"
#include "platform/SerialPort.h"

#include <QTcpSocket>
#include <QTimer>

// The line to a LocoNet-over-TCP server. Each message the link writes goes
// out as "SEND <hex>"; every message the server saw on the bus ("RECEIVE
// <hex>", our own included, which is their echo) comes in as received
// bytes. Connecting runs in the event loop; a server that cannot be reached
// within ConnectTimeout, refuses or goes away is reported through
// onLineLost.
class TcpLinePort final : public SerialPort {
public:
    static constexpr int ConnectTimeout = 5000; // ms

    TcpLinePort();
    ~TcpLinePort() override;

    // A server line has no COM number: this always fails.
    bool open(int comNumber) override;
    bool openServer(const ServerAddress& server) override;
    void close() override;
    bool isOpen() const override;
    QString errorText() const override { return m_error; }
    QString lineName() const override { return m_server.text(); }

    // The bit rate is the server's business.
    bool setSettings(const QString&) override { return true; }
    bool setCustomBitRate(int) override { return true; }

    qint64 bytesWaiting() const override { return m_received.size(); }
    QByteArray readAll() override;
    // One whole message, checksum included, as the transmitter writes it.
    bool write(const QByteArray& message) override;
    qint64 bytesToWrite() const override { return m_socket.bytesToWrite(); }
    // What has gone to the server cannot be called back.
    void clearOutput() override {}

    bool ctsHolding() const override { return isOpen(); }
    void setBreak(bool) override {}
    void setDtr(bool) override {}
    void setRts(bool) override {}

private:
    void readLines();
    void take(const QByteArray& line);
    void lose(const QString& reason);
    QString reasonFor(QAbstractSocket::SocketError error) const;

    QTcpSocket m_socket;
    QTimer m_connectTimer;
    ServerAddress m_server;
    // Between openServer() and close() or the loss of the line.
    bool m_active = false;
    LineSplitter m_lines;
    QByteArray m_received;
    QString m_error;
};
