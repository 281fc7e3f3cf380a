#include "link/Connection.h"
#include "support/SimRig.h"

#include <QTest>

namespace {
struct Rig : LineRig {
    explicit Rig(int interfaceType) { core.link.InterfaceType = interfaceType; }
};
} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

private slots:
    // The station's own port is talked into LocoNet after a break of a second
    // and a pause; its text port paces the PC with CTS, so the first command
    // goes out only once CTS is held.
    void stationsOwnPortIsSwitchedByItsTextCommands_data() {
        QTest::addColumn<double>("ctsFrom");
        QTest::addColumn<double>("firstCommand");
        QTest::newRow("CTS held") << 0.0 << 1.3;
        QTest::newRow("CTS after 3 s") << 3.0 << 3.0;
    }
    void stationsOwnPortIsSwitchedByItsTextCommands() {
        QFETCH(double, ctsFrom);
        QFETCH(double, firstCommand);
        Rig r(1);
        r.layout.faults.ctsOff = ctsFrom > 0;
        const double start = r.clock.now();
        r.connection.connectPort(1);
        QCOMPARE(r.port.breaks, QList<bool>{true});
        QCOMPARE(r.view.state, ConnectionView::PortState::Opening);
        QVERIFY(!r.core.timer1Running());
        while (r.port.written.isEmpty() && r.clock.now() - start < 4) {
            r.layout.faults.ctsOff = r.clock.now() - start < ctsFrom;
            r.step();
        }
        const double sent = r.clock.now() - start;
        QVERIFY2(sent > firstCommand && sent < firstCommand + 0.05,
                 qPrintable(QString::number(sent)));
        QCOMPARE(r.port.breaks, (QList<bool>{true, false}));
        QCOMPARE(r.port.outputClears, 1);
        QVERIFY(r.settle());
        QVERIFY(r.port.written.startsWith("xB19200\rxRT255\rx&LN$55AA\r"));
        QCOMPARE(r.port.outputClears, 3);
        QVERIFY(r.core.timer1Running());
    }

    // A connect whose text commands fail leaves the program as it was:
    // port closed, no tick, the receive poll on, the menus locked, conf.dat
    // untouched. A text command fails five seconds after it began.
    void textPortFailures_data() {
        QTest::addColumn<bool>("silent");
        QTest::newRow("no prompt") << true;
        QTest::newRow("no CTS") << false;
    }
    void textPortFailures() {
        QFETCH(bool, silent);
        Rig r(1);
        r.layout.faults.silent = silent;
        r.layout.faults.ctsOff = !silent;
        r.operating.busy = true;
        const double start = r.clock.now();
        QVERIFY(!r.connect());
        const double failed = r.clock.now() - start;
        QVERIFY2(failed > 6.3 && failed < 6.36, qPrintable(QString::number(failed)));
        QCOMPARE(r.messages.messages, QStringList{"Zeichenübertragung nicht möglich!"});
        QCOMPARE(r.messages.titles, QStringList{"Gantrex 1:"});
        QVERIFY(!r.port.isOpen());
        QVERIFY(!r.core.mainTimerRunning());
        QVERIFY(r.core.timer1Running());
        QVERIFY(r.operating.busy);
        QCOMPARE(r.view.state, ConnectionView::PortState::Closed);
        QCOMPARE(r.s.station.StationType, int(StationSlots::UnknownStation));
        QCOMPARE(r.view.stationInfo, QString("unbekannt"));
        QVERIFY(r.confDat().isEmpty());
    }

    // Without a serial number the station still works: the connect ends
    // after the message. "Trennen" while a job runs lets it end with its end
    // message before the line closes: the programming track is left.
    void connectWithoutSerialNumberThenDisconnectMidJob() {
        Rig r(3);
        r.layout.faults.unanswered = {0xED};
        QVERIFY(r.connect());
        QCOMPARE(r.messages.messages, QStringList{"Keine Antwort Anfrage Seriennummer erhalten!"});
        QCOMPARE(r.confDat(), QByteArray("3\r\n1\r\n"));
        QVERIFY(r.core.programming.startListJob(ProgrammingState::StandardList, false));
        r.steps(20);
        QVERIFY(r.layout.programming.active());
        r.connection.disconnectPort(1);
        r.steps(100);
        QVERIFY(!r.port.isOpen());
        QVERIFY(!r.layout.programming.active());
    }

    // "Trennen" while the station is still being asked stops the sequence:
    // nothing more goes out.
    void disconnectWhileConnecting() {
        Rig r(1);
        r.connection.connectPort(1);
        r.steps(50);
        r.connection.disconnectPort(1);
        QVERIFY(!r.connection.connecting());
        QVERIFY(r.core.timer1Running());
        r.steps(700);
        QVERIFY(r.port.written.isEmpty());
        QVERIFY(r.messages.messages.isEmpty());
        QCOMPARE(r.view.state, ConnectionView::PortState::Closed);
    }

    // Without an interface to open nothing is opened, and of several USB
    // interfaces found none is taken; the user is told which.
    void noInterfaceOpensNothing() {
        Rig r(7);
        r.connection.connectPort(1);
        QVERIFY(!r.connection.connecting());
        QCOMPARE(r.port.openedCom, 0);
        r.usbPorts = {3, 5};
        r.connection.chooseInterface(3, {});
        QCOMPARE(r.s.link.InterfaceType, 3);
        QCOMPARE(r.view.portNumber, 0);
        QCOMPARE(r.messages.last(), QString("Es gibt mehrere mögliche ComPorts mit einem "
                                            "Dornquist-USB-Interface!\n\nListe der möglichen "
                                            "ComPortNr.: 3, 5"));
        QCOMPARE(r.messages.titles, (QStringList{"Achtung", "Achtung"}));
    }
};

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_connection.moc"
