#include "link/Connection.h"
#include "support/LinkHarness.h"
#include "support/RecordingConnectionView.h"
#include "support/ScriptedStation.h"

#include <QFile>
#include <QTest>

namespace {
// The connection between a scripted station and the real link, with the
// main timer and the receive poll running only when the connection says so.
struct ConnectionHarness {
    explicit ConnectionHarness(int interfaceType) : h(interfaceType, StationSlots::UnknownStation) {
        h.port.opened = false;
        h.core.setTimer1Running(true);
        station.textMode = interfaceType == 1;
    }

    void step() {
        connection.advance();
        if (h.core.timer1Running())
            h.core.ReceiveBytes();
        if (h.core.mainTimerRunning())
            h.core.MainTick();
        h.clock.advance(0.01);
        station.respond();
    }
    // Steps while the connect runs; false when it does not come to an end.
    bool settle(int maxSteps = 3000) {
        for (int i = 0; i < maxSteps && connection.connecting(); ++i)
            step();
        return !connection.connecting();
    }
    bool connectAndSettle(int com) {
        connection.connectPort(com);
        return settle();
    }
    QByteArray confDat() {
        QFile file(h.confDir.filePath("conf.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QList<QByteArray> heardLocoNet() const { return station.heard; }

    LinkHarness h;
    ScriptedStation station{h.port};
    RecordingConnectionView view;
    QList<int> usbPorts;
    Connection connection{h.s, h.core.jobs, view,
                          h.core.connectionHooks([this] { return usbPorts; })};
};

} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void stationsOwnPortIsSwitchedByItsTextCommands() {
        ConnectionHarness c(1);
        c.h.port.cts = true;
        c.connection.connectPort(1);
        QCOMPARE(c.h.port.breakHistory, QList<bool>{true});
        QCOMPARE(c.view.state, ConnectionView::PortState::Opening);
        QVERIFY(!c.h.core.timer1Running());
        const double start = c.h.clock.now();
        while (c.station.textCommands.isEmpty() && c.h.clock.now() - start < 3)
            c.step();
        const double firstCommand = c.h.clock.now() - start;
        QCOMPARE(c.h.port.breakHistory, (QList<bool>{true, false}));
        QVERIFY2(firstCommand > 1.3 && firstCommand < 1.35,
                 qPrintable(QString::number(firstCommand)));
        QCOMPARE(c.h.port.outputClears, 1);
        QVERIFY(c.settle());
        QCOMPARE(c.station.textCommands,
                 (QList<QByteArray>{"xB19200\r", "xRT255\r", "x&LN$55AA\r"}));
        QCOMPARE(c.h.port.outputClears, 3);
        QVERIFY(c.connection.connected());
        QVERIFY(c.h.core.timer1Running());
    }

    // The text port paces the PC with CTS: a character goes out only while
    // it is held.
    void textCommandWaitsForCts() {
        ConnectionHarness c(1);
        c.h.port.cts = false;
        c.connection.connectPort(1);
        for (int i = 0; i < 200; ++i)
            c.step();
        QVERIFY(c.station.textCommands.isEmpty());
        c.h.port.cts = true;
        QVERIFY(c.settle());
        QVERIFY(c.connection.connected());
    }

    // A text command fails five seconds after it began, 1.3 s after the
    // connect: without CTS or without the station's prompt.
    void textCommandFailsAfterFiveSeconds_data() {
        QTest::addColumn<bool>("cts");
        QTest::newRow("no CTS") << false;
        QTest::newRow("no prompt") << true;
    }
    void textCommandFailsAfterFiveSeconds() {
        QFETCH(bool, cts);
        ConnectionHarness c(1);
        c.h.port.cts = cts;
        c.station.answersText = false;
        const double start = c.h.clock.now();
        c.connection.connectPort(1);
        while (c.h.messages.messages.isEmpty() && c.h.clock.now() - start < 10)
            c.step();
        const double waited = c.h.clock.now() - start;
        QVERIFY2(waited > 6.3 && waited < 6.36, qPrintable(QString::number(waited)));
        QCOMPARE(c.h.messages.messages, QStringList{"Zeichenübertragung nicht möglich!"});
        QCOMPARE(c.h.messages.titles, QStringList{"Gantrex 1:"});
        QCOMPARE(c.h.messages.icons, QList<MessageIcon>{MessageIcon::None});
    }

    void failures_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("com");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<QByteArray>>("sent");
        const QStringList portGone{"No such file or directory"};
        QTest::newRow("type 1: no prompt")
            << 1 << 1 << "no text" << QStringList{"Zeichenübertragung nicht möglich!"}
            << QStringList{"Gantrex 1:"} << QList<QByteArray>{};
        for (int type = 1; type <= 3; ++type)
            QTest::addRow("type %d: port missing", type)
                << type << 1 << "no port" << portGone << QStringList{"Verbindungsfehler:"}
                << QList<QByteArray>{};
        for (int type = 1; type <= 3; ++type)
            QTest::addRow("type %d: no slot 0 answer", type)
                << type << 2 << "no slot 0"
                << QStringList{"Keine Antwort auf Slot 0 Anfrage erhalten!"}
                << QStringList{"Fehler"} << QList<QByteArray>{msg("BB 00 00")};
    }
    // A connect that fails leaves the program as it was: port closed, no
    // tick, the menus locked, conf.dat untouched.
    void failures() {
        QFETCH(int, type);
        QFETCH(int, com);
        QFETCH(QString, fault);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, titles);
        QFETCH(QList<QByteArray>, sent);
        ConnectionHarness c(type);
        c.station.answersText = fault != "no text";
        c.station.answersSlot0 = fault != "no slot 0";
        c.h.port.failOpen = fault == "no port";
        c.h.port.error = "No such file or directory";
        c.h.operating.busy = true;

        QVERIFY(c.connectAndSettle(com));
        QVERIFY(!c.connection.connected());
        QCOMPARE(c.h.messages.messages, messages);
        QCOMPARE(c.h.messages.titles, titles);
        QCOMPARE(c.heardLocoNet(), sent);
        QVERIFY(!c.h.port.opened);
        QVERIFY(!c.h.core.mainTimerRunning());
        QVERIFY(c.h.core.timer1Running());
        QVERIFY(c.h.operating.busy);
        QCOMPARE(c.view.state, ConnectionView::PortState::Closed);
        QCOMPARE(c.h.s.station.StationType, int(StationSlots::UnknownStation));
        QCOMPARE(c.view.stationInfo, QString("unbekannt"));
        QVERIFY(c.confDat().isEmpty());
    }

    // Without a serial number the station still works; the connect ends
    // after the message.
    void missingSerialNumberStillConnects() {
        ConnectionHarness c(3);
        c.station.answersSerialNumber = false;
        QVERIFY(c.connectAndSettle(1));
        QVERIFY(c.connection.connected());
        QCOMPARE(c.h.messages.messages,
                 QStringList{"Keine Antwort Anfrage Seriennummer erhalten!"});
        QCOMPARE(c.confDat(), QByteArray("3\r\n1\r\n"));
    }

    // "Trennen" while the station is still being asked stops the sequence:
    // nothing more goes out.
    void disconnectWhileConnecting() {
        ConnectionHarness c(1);
        c.connection.connectPort(1);
        for (int i = 0; i < 50; ++i)
            c.step();
        c.connection.disconnectPort(1);
        QVERIFY(!c.connection.connecting());
        QVERIFY(c.h.core.timer1Running());
        for (int i = 0; i < 700; ++i)
            c.step();
        QVERIFY(c.station.textCommands.isEmpty());
        QVERIFY(c.h.messages.messages.isEmpty());
        QCOMPARE(c.view.state, ConnectionView::PortState::Closed);
    }

    void noInterfaceChosenOpensNothing() {
        ConnectionHarness c(7);
        c.connection.connectPort(1);
        QVERIFY(!c.connection.connecting());
        QCOMPARE(c.h.port.openedCom, 0);
        QCOMPARE(c.h.messages.titles, QStringList{"Achtung"});
    }

    void usbSearch_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("found");
        QTest::addColumn<int>("portField");
        QTest::addColumn<QString>("message");
        QTest::newRow("two") << 3 << QList<int>{3, 5} << 0
                             << "Es gibt mehrere mögliche ComPorts mit einem Dornquist-USB-"
                                "Interface!\n\nListe der möglichen ComPortNr.: 3, 5";
        QTest::newRow("other interface") << 1 << QList<int>{7} << 0 << "";
    }
    void usbSearch() {
        QFETCH(int, type);
        QFETCH(QList<int>, found);
        QFETCH(int, portField);
        QFETCH(QString, message);
        ConnectionHarness c(1);
        c.usbPorts = found;
        c.connection.chooseInterface(type, {});
        QCOMPARE(c.h.s.link.InterfaceType, type);
        QCOMPARE(c.view.portNumber, portField);
        QCOMPARE(c.h.messages.last(), message);
        if (!message.isEmpty())
            QCOMPARE(c.h.messages.titles, QStringList{"Achtung"});
        QCOMPARE(c.view.interfaceInfo, QString(type == 1 ? "ComPort->GX" : "USB->GX/41780"));
    }
};

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_connection.moc"
