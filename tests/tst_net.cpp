#include "link/SerialNumberJob.h"
#include "net/TcpLinePort.h"
#include "operating/ThrottleControl.h"
#include "platform/ChosenLine.h"
#include "sim/SharedBus.h"
#include "sim/TcpBusServer.h"
#include "support/FakeSerialPort.h"
#include "support/SimRig.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

namespace {
const QString Loopback = QStringLiteral("127.0.0.1");

// The loopback hands on what one socket wrote as soon as the event loop
// looks: this looks until nothing is left to hand on. No sleep.
void pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

template <typename Done> bool pumpUntil(Done done) {
    for (int i = 0; i < 100 && !done(); ++i)
        pump();
    return done();
}

// A LocoNet-over-TCP server of version 1, written from the protocol's public
// description alone: VERSION on connect; a SEND goes on the bus, comes back
// to every client as RECEIVE, the sender first, and is answered by SENT OK;
// what else is heard on the bus follows as RECEIVE. Its lines end in LF
// alone. The bus behind it is the virtual core, told not to echo, as the
// server repeats what it is sent.
struct VersionOneServer {
    VersionOneServer(const Clock& clock, VirtualStation& bus) : clock(clock), bus(bus) {
        bus.faults.noEcho = true;
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* client = server.nextPendingConnection();
            client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            clients.append(client);
            client->write("VERSION test server 1.0\n");
            QObject::connect(client, &QTcpSocket::readyRead, [this, client] {
                while (client->canReadLine()) {
                    const QByteArray line = client->readLine().trimmed();
                    if (!line.startsWith("SEND "))
                        continue;
                    sends.append(QByteArray::fromHex(line.mid(5)));
                    sendRaw("RECEIVE " + line.mid(5) + "\n");
                    client->write("SENT OK\n");
                    this->bus.receive(sends.last(), this->clock.now());
                }
            });
        });
    }

    quint16 port() const { return server.serverPort(); }
    // Bytes to every client as they are: the test cuts the lines.
    void sendRaw(const QByteArray& bytes) {
        for (QTcpSocket* client : clients) {
            client->write(bytes);
            client->flush();
        }
    }
    // What the station has said by now.
    void poll() {
        for (const QByteArray& message : framer.receive(bus.line().take(clock.now())))
            sendRaw("RECEIVE " + hexText(message).toLatin1() + "\n");
    }

    const Clock& clock;
    VirtualStation& bus;
    QTcpServer server;
    QList<QTcpSocket*> clients;
    BusFramer framer;
    QList<QByteArray> sends;
};

// The program's core and connection on the line main() gives it, here to a LocoNet server;
// after every step the server looks at the bus and the event loop runs.
struct TcpLine {
    FakeSerialPort serial;
    TcpLinePort tcp;
    ChosenLine line{serial, tcp};
};
struct ProgramOnTcp : TcpLine, LineRig {
    ProgramOnTcp() : LineRig(&line) {
        afterStep = [this] {
            serverStep();
            pump();
        };
    }
    bool connectTo(quint16 server) {
        s.link.InterfaceType = Link::ServerInterface;
        s.link.Server = {Loopback, server};
        return connect();
    }

    std::function<void()> serverStep = [] {};
};

// The project's server on the program's virtual station.
struct ServedLayout {
    explicit ServedLayout(ProgramOnTcp& p)
        : bus(p.clock, p.layout), server(p.clock, p.layout, bus) {
        server.listen(0);
        p.serverStep = [this] { bus.deliverDue(); };
    }

    SharedBus bus;
    TcpBusServer server;
};
} // namespace

class NetTest : public QObject {
    Q_OBJECT

private slots:
    // What a server's lines make of the client line, however TCP cut them (the segments are
    // parted by "|"): the messages, and how many came damaged and how many sends were refused.
    void clientReadsServerLines_data() {
        QTest::addColumn<QByteArray>("segments");
        QTest::addColumn<QString>("received");
        QTest::addColumn<int>("damaged");
        QTest::addColumn<int>("refused");
        const auto row = [](const char* name, const char* segments, const char* received,
                            int damaged = 0, int refused = 0) {
            QTest::newRow(name) << QByteArray(segments) << received << damaged << refused;
        };
        row("CR", "RECEIVE B0 12 30 6D\r", "B0 12 30 6D");
        row("CR LF, empty lines", "\r\n\r\nRECEIVE 83 7C\r\n\n\rRECEIVE 82 7D\r\n", "83 7C 82 7D");
        row("split", "RECEI|VE B0 12 |30 6D\r|\nRECEIVE 83 7C\n", "B0 12 30 6D 83 7C");
        row("other words", "TIMESTAMP 1234\nBREAK\nSENT OK\nHELLO you\nRECEIVE 83 7C\n", "83 7C");
        row("damaged", "ERROR CHECKSUM B0 12 30 6C\nERROR LINE\nRECEIVE B0 1Z\n", "", 3);
        row("refused", "SENT ERROR no message\n", "", 0, 1);
    }
    void clientReadsServerLines() {
        QFETCH(QByteArray, segments);
        ManualClock clock;
        VirtualStation bus;
        VersionOneServer server(clock, bus);
        TcpLinePort client;
        int damaged = 0, refused = 0;
        client.onDamagedMessage = [&] { ++damaged; };
        client.onSendRefused = [&] { ++refused; };
        QVERIFY(client.openServer({Loopback, server.port()}));
        QVERIFY(pumpUntil([&] { return client.isOpen(); }));
        for (const QByteArray& segment : segments.split('|')) {
            server.sendRaw(segment);
            pump();
        }
        QTEST(hexText(client.readAll()), "received");
        QTEST(damaged, "damaged");
        QTEST(refused, "refused");
    }

    // The program on the project's server: the connect sequence as on a serial line, a
    // throttle's speed heard by a second client on the bus; a message the server refuses fails
    // at once and reaches nobody.
    void programOnTheServer() {
        ProgramOnTcp p;
        ServedLayout served(p);
        TcpLinePort watcher;
        QVERIFY(watcher.openServer({Loopback, served.server.port()}));
        QVERIFY(p.connectTo(served.server.port()));
        QCOMPARE(p.s.station.StationType, p.layout.profile.type);
        QCOMPARE(p.view.interfaceInfo, QString("TCP->LocoNet"));
        QCOMPARE(p.confDat(),
                 "4\r\n1\r\n127.0.0.1\r\n" + QByteArray::number(served.server.port()) + "\r\n");
        QCOMPARE(BusFramer().receive(p.port.takeWritten()), startUpMessages());

        ThrottleControl throttle(0, p.s.station, p.core.jobs);
        throttle.setAddressText(u"3");
        QVERIFY(throttle.enterAddress());
        p.steps(50);
        watcher.readAll();
        p.port.takeWritten();
        QVERIFY(throttle.moveSlider(60));
        p.steps(5);
        const QByteArray speed = p.port.takeWritten();
        QCOMPARE(quint8(speed.at(0)), quint8(0xA0));
        QCOMPARE(hexText(watcher.readAll()), hexText(speed));

        p.s.link.Tx.place({0xB0, 0x12});
        p.steps(5);
        QCOMPARE(p.messages.messages, QStringList{"Message kann nicht gesendet werden!"});
        QVERIFY(p.s.link.Tx.isFree());
        QCOMPARE(hexText(watcher.readAll()), QString());

        // A COM port chosen closes the server's line, and the other way round.
        QVERIFY(p.line.open(4));
        QVERIFY(!p.tcp.isOpen());
        QCOMPARE(p.serial.openedCom, 4);
        QVERIFY(p.line.openServer({Loopback, served.server.port()}));
        QVERIFY(!p.serial.opened);
    }

    // A server that refuses, or goes away while a job waits for its answer:
    // the program is back to not connected, says why naming the server, and
    // neither ticks nor writes any more.
    void lineFails_data() {
        QTest::addColumn<bool>("connectedFirst");
        QTest::addColumn<QString>("reason");
        QTest::newRow("refused") << false << "Der LocoNet-Server %1 lehnt die Verbindung ab.";
        QTest::newRow("gone mid-job")
            << true << "Der LocoNet-Server %1 hat die Verbindung beendet.";
    }
    void lineFails() {
        QFETCH(bool, connectedFirst);
        QFETCH(QString, reason);
        ProgramOnTcp p;
        auto served = std::make_unique<ServedLayout>(p);
        const quint16 port = served->server.port();
        if (connectedFirst) {
            QVERIFY(p.connectTo(port));
            requestSerialNumberAndVersion(p.core.jobs);
            p.step();
            QVERIFY(!p.s.link.Tx.isFree());
        }
        p.serverStep = [] {};
        served.reset();
        if (!connectedFirst)
            QVERIFY(!p.connectTo(port));
        for (int i = 0; i < 100 && p.connection.connected(); ++i)
            p.step();
        QCOMPARE(p.view.state, ConnectionView::PortState::Closed);
        QCOMPARE(p.s.station.StationType, int(StationSlots::UnknownStation));
        QVERIFY(!p.core.mainTimerRunning());
        QCOMPARE(p.messages.messages,
                 QStringList{reason.arg("127.0.0.1:" + QString::number(port))});
        QCOMPARE(p.messages.titles, QStringList{"Verbindungsfehler:"});
        p.port.takeWritten();
        p.steps(400);
        QVERIFY(!p.core.mainTimerRunning());
        QVERIFY(p.port.written.isEmpty());
        QCOMPARE(p.messages.messages.size(), 1);
    }

    // Another program's server of version 1: no TIMESTAMP, no ERROR, its
    // echo before SENT OK and LF alone at the line ends.
    void connectsToAVersionOneServer() {
        ProgramOnTcp p;
        VersionOneServer server(p.clock, p.layout);
        p.serverStep = [&] { server.poll(); };
        QVERIFY(p.connectTo(server.port()));
        QCOMPARE(p.s.station.StationType, p.layout.profile.type);
        QCOMPARE(server.sends, startUpMessages());
        QVERIFY(p.messages.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(NetTest)
#include "tst_net.moc"
