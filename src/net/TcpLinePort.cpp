#include "TcpLinePort.h"

#include "ProtocolLine.h"

TcpLinePort::TcpLinePort() {
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeout);
    QObject::connect(&m_connectTimer, &QTimer::timeout, [this] {
        lose(QStringLiteral("Der LocoNet-Server %1 antwortet nicht: nach %2 Sekunden noch "
                            "keine Verbindung.")
                 .arg(m_server.text())
                 .arg(ConnectTimeout / 1000));
    });
    QObject::connect(&m_socket, &QTcpSocket::connected, [this] {
        m_connectTimer.stop();
        // A message is due on the bus at once: its short line must not wait
        // for the server to acknowledge the one before.
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { readLines(); });
    QObject::connect(&m_socket, &QTcpSocket::errorOccurred,
                     [this](QAbstractSocket::SocketError error) { lose(reasonFor(error)); });
    QObject::connect(&m_socket, &QTcpSocket::disconnected,
                     [this] { lose(reasonFor(QAbstractSocket::RemoteHostClosedError)); });
}

// Nobody is told of a line that goes with the program.
TcpLinePort::~TcpLinePort() {
    m_socket.disconnect();
    m_socket.abort();
}

bool TcpLinePort::open(int comNumber) {
    m_error = QStringLiteral("COM %1 ist kein LocoNet-Server.").arg(comNumber);
    return false;
}

bool TcpLinePort::openServer(const ServerAddress& server) {
    if (m_active)
        return true;
    m_server = server;
    if (server.host.isEmpty()) {
        m_error = QStringLiteral("Es ist kein LocoNet-Server angegeben!\n\n"
                                 "Bitte unter Optionen - Interface auswählen eintragen.");
        return false;
    }
    m_active = true;
    m_lines = LineSplitter{};
    m_received.clear();
    m_socket.connectToHost(server.host, static_cast<quint16>(server.port));
    m_connectTimer.start();
    return true;
}

void TcpLinePort::close() {
    m_active = false;
    m_connectTimer.stop();
    m_socket.abort();
    m_received.clear();
}

bool TcpLinePort::isOpen() const {
    return m_active && m_socket.state() == QAbstractSocket::ConnectedState;
}

QByteArray TcpLinePort::readAll() {
    QByteArray all;
    all.swap(m_received);
    return all;
}

bool TcpLinePort::write(const QByteArray& message) {
    if (!isOpen())
        return false;
    if (m_socket.write("SEND " + hexBytes(message) + "\r\n") < 0)
        return false;
    // Out now rather than when the event loop next looks: the message is
    // due on the bus within this tick.
    m_socket.flush();
    return true;
}

void TcpLinePort::readLines() {
    const qsizetype before = m_received.size();
    for (const QByteArray& line : m_lines.feed(m_socket.readAll())) {
        take(line);
        if (!m_active)
            return;
    }
    if (m_received.size() > before && onBytesArrived)
        onBytesArrived();
}

// VERSION, SENT OK, TIMESTAMP, BREAK and whatever a later version adds
// change nothing here.
void TcpLinePort::take(const QByteArray& line) {
    const ProtocolLine words = ProtocolLine::parse(line);
    if (words.token == "RECEIVE") {
        // A message with a wrong checksum is the receiver's to drop and count.
        if (const std::optional<QByteArray> bytes = bytesOfHex(words.parameter))
            m_received += *bytes;
        else if (onDamagedMessage)
            onDamagedMessage();
    } else if (words.token == "ERROR") {
        if (onDamagedMessage)
            onDamagedMessage();
    } else if (words.token == "SENT" && words.parameter.startsWith("ERROR")) {
        if (onSendRefused)
            onSendRefused();
    }
}

// Closed before the user hears of it, so that nothing more is read or
// written on a line that is gone.
void TcpLinePort::lose(const QString& reason) {
    if (!m_active)
        return;
    close();
    m_error = reason;
    if (onLineLost)
        onLineLost(reason);
}

QString TcpLinePort::reasonFor(QAbstractSocket::SocketError error) const {
    const QString server = m_server.text();
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("Der LocoNet-Server %1 lehnt die Verbindung ab.").arg(server);
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("Der Rechner des LocoNet-Servers %1 wurde nicht gefunden.")
            .arg(server);
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("Der LocoNet-Server %1 hat die Verbindung beendet.").arg(server);
    default:
        return QStringLiteral("Die Verbindung zum LocoNet-Server %1 ist unterbrochen: %2")
            .arg(server, m_socket.errorString());
    }
}
