#pragma once

#include "BusFramer.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <list>

class Clock;
class QTcpSocket;
class SharedBus;
class VirtualStation;

// Serves the virtual station's bus to any number of LocoNet-over-TCP
// clients at once. Each is greeted with VERSION, hears every message on the
// bus as RECEIVE (the other clients' and its own included), and has each
// SEND answered by SENT OK, or by SENT ERROR when it is no valid LocoNet
// message, which then never reaches the bus.
class TcpBusServer : public QObject {
    Q_OBJECT
public:
    // A client that reads less than this behind the bus is cut off rather
    // than kept in memory without end.
    static constexpr qint64 MaxUnsent = 1024 * 1024;

    TcpBusServer(const Clock& clock, VirtualStation& station, SharedBus& bus);
    ~TcpBusServer() override;

    // Listens on every interface; port 0 takes a free one. False with the
    // reason in errorText().
    bool listen(quint16 port);
    quint16 port() const { return m_server.serverPort(); }
    QString errorText() const { return m_server.errorString(); }

private:
    struct Client;

    void accept();
    void readFrom(Client& client);
    QByteArray answer(const QByteArray& line);
    void sendToAll(const QByteArray& bytes);
    void drop(QTcpSocket* socket);

    const Clock& m_clock;
    VirtualStation& m_station;
    SharedBus& m_bus;
    QTcpServer m_server;
    std::list<Client> m_clients;
    BusFramer m_busMessages;
};
