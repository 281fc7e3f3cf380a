#include "TcpBusServer.h"

#include "SharedBus.h"
#include "StationMessage.h"
#include "VirtualStation.h"
#include "net/LineSplitter.h"
#include "net/ProtocolLine.h"
#include "platform/Clock.h"

#include <QTcpSocket>

struct TcpBusServer::Client {
    QTcpSocket* socket;
    LineSplitter lines;
};

namespace {
const QByteArray Version = "VERSION GX-Velomat virtuelle Zentrale " GX_VERSION "\r\n";

// Why a SEND's parameter cannot go on the bus; empty when it can.
QByteArray refusal(const std::optional<QByteArray>& message) {
    if (!message)
        return "not hexadecimal bytes";
    BusFramer framer;
    if (framer.receive(*message) != QList<QByteArray>{*message})
        return "not one whole LocoNet message";
    if (!sim::checksumValid(*message))
        return "wrong checksum";
    return {};
}
} // namespace

TcpBusServer::TcpBusServer(const Clock& clock, VirtualStation& station, SharedBus& bus)
    : m_clock(clock), m_station(station), m_bus(bus) {
    connect(&m_server, &QTcpServer::newConnection, this, &TcpBusServer::accept);
    m_bus.listen([this](const QByteArray& bytes) {
        for (const QByteArray& message : m_busMessages.receive(bytes))
            sendToAll("RECEIVE " + hexBytes(message) + "\r\n");
    });
}

// The sockets go quietly: a client cut off now is no longer in the list.
TcpBusServer::~TcpBusServer() {
    for (Client& client : m_clients) {
        client.socket->disconnect(this);
        delete client.socket;
    }
}

bool TcpBusServer::listen(quint16 port) {
    return m_server.listen(QHostAddress::Any, port);
}

void TcpBusServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(nullptr);
        // What is heard on the bus goes out at once, not when the client
        // has acknowledged the line before.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_clients.push_back({socket, {}});
        Client& client = m_clients.back();
        connect(socket, &QTcpSocket::readyRead, this, [this, &client] { readFrom(client); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); });
        socket->write(Version);
    }
}

void TcpBusServer::readFrom(Client& client) {
    QByteArray answers;
    for (const QByteArray& line : client.lines.feed(client.socket->readAll()))
        answers += answer(line);
    client.socket->write(answers);
    m_bus.deliverDue();
}

// What the client is told about one line; nothing for a line that is no
// SEND, as the protocol wants unknown words ignored.
QByteArray TcpBusServer::answer(const QByteArray& line) {
    const ProtocolLine words = ProtocolLine::parse(line);
    if (words.token != "SEND")
        return {};
    const std::optional<QByteArray> message = bytesOfHex(words.parameter);
    if (const QByteArray why = refusal(message); !why.isEmpty())
        return "SENT ERROR " + why + "\r\n";
    const double now = m_clock.now();
    m_station.advance(now);
    m_station.hear(*message, now);
    return "SENT OK\r\n";
}

void TcpBusServer::sendToAll(const QByteArray& bytes) {
    QList<QTcpSocket*> behind;
    for (Client& client : m_clients) {
        if (client.socket->bytesToWrite() > MaxUnsent)
            behind.append(client.socket);
        else
            client.socket->write(bytes);
    }
    for (QTcpSocket* socket : behind)
        drop(socket);
}

void TcpBusServer::drop(QTcpSocket* socket) {
    socket->disconnect(this);
    m_clients.remove_if([socket](const Client& client) { return client.socket == socket; });
    socket->abort();
    socket->deleteLater();
}
