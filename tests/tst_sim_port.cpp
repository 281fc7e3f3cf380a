#include "platform/Clock.h"
#include "sim/BusFramer.h"
#include "sim/DemoLayout.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"
#include "support/Hex.h"

#include <QTest>
#include <functional>

namespace {

const QByteArray Slot0OfType1 = msg("E7 0E 00 00 00 02 00 07 00 00 00 47 58");

// Reads the port for a while, in steps of the program's poll, and frames
// what came in.
QList<QByteArray> readFor(ManualClock& clock, SerialPort& port, double seconds) {
    BusFramer framer;
    QList<QByteArray> messages;
    for (double t = 0; t < seconds; t += 0.1) {
        clock.advance(0.1);
        messages += framer.receive(port.readAll());
    }
    return messages;
}

} // namespace

class SimPortTest : public QObject {
    Q_OBJECT

    ManualClock clock;

private slots:
    void deliversOnlyWhatHasArrivedAtTheBitRate_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("customRate");
        QTest::addColumn<int>("bitRate");
        QTest::newRow("station port during the switch-over") << "2400,n,8,2" << 0 << 2400;
        QTest::newRow("station port") << "19200,n,8,2" << 0 << 19200;
        QTest::newRow("interface 41770") << "19200,n,8,1" << 16457 << 16457;
        QTest::newRow("USB interface") << "115200,n,8,1" << 0 << 115200;
    }
    void deliversOnlyWhatHasArrivedAtTheBitRate() {
        QFETCH(QString, settings);
        QFETCH(int, customRate);
        QFETCH(int, bitRate);
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QVERIFY(port.setSettings(settings));
        if (customRate > 0)
            QVERIFY(port.setCustomBitRate(customRate));
        QVERIFY(port.open(1));
        const double byte = 10.0 / bitRate;

        port.write(msg("BB 00 00"));
        QCOMPARE(port.bytesWaiting(), 0);
        clock.advance(3.5 * byte);
        QCOMPARE(port.bytesWaiting(), 3);
        clock.advance(0.5 * byte);
        QCOMPARE(port.readAll(), msg("BB 00 00"));
        clock.advance(13.5 * byte);
        QCOMPARE(port.readAll(), Slot0OfType1.left(13));
        clock.advance(0.5 * byte);
        QCOMPARE(port.readAll(), Slot0OfType1.right(1));
    }

    void refusesSettingsItCannotRead() {
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QVERIFY(!port.setSettings("fast"));
        QVERIFY(port.errorText().contains("fast"));
        QVERIFY(!port.setCustomBitRate(0));
    }

    void closedPortNeitherHearsNorSpeaks() {
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        port.write(msg("BB 00 00"));
        clock.advance(1);
        QCOMPARE(port.bytesWaiting(), 0);
        QVERIFY(port.open(1));
        QCOMPARE(port.readAll(), QByteArray());
        QVERIFY(port.ctsHolding());
        // What is still on its way when the port closes is lost.
        port.write(msg("BB 00 00"));
        port.close();
        QVERIFY(!port.ctsHolding());
        QVERIFY(port.open(1));
        clock.advance(1);
        QCOMPARE(port.readAll(), QByteArray());
    }

    // Whichever use of the line comes first after the cable is pulled finds
    // it gone: the port closes and says so once.
    void pulledCableLosesTheLineUntilPluggedIn_data() {
        QTest::addColumn<int>("firstUse");
        QTest::newRow("write") << 0;
        QTest::newRow("bytes waiting") << 1;
        QTest::newRow("read") << 2;
        QTest::newRow("clear to send") << 3;
    }
    void pulledCableLosesTheLineUntilPluggedIn() {
        QFETCH(int, firstUse);
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QStringList lost;
        port.onLineLost = [&](const QString& reason) { lost.append(reason); };
        QVERIFY(port.open(1));
        station.faults.cablePulled = true;
        const std::function<bool()> uses[] = {
            [&] { return port.write(msg("BB 00 00")); },
            [&] { return port.bytesWaiting() > 0; },
            [&] { return !port.readAll().isEmpty(); },
            [&] { return port.ctsHolding(); },
        };
        QVERIFY(!uses[firstUse]());
        QCOMPARE(lost, QStringList{"Die Verbindung zur Zentrale über virtuelle Zentrale ist "
                                   "unterbrochen.\n\nBitte Kabel und Interface prüfen und dann "
                                   "neu verbinden."});
        QVERIFY(!port.isOpen());
        for (const auto& use : uses)
            QVERIFY(!use());
        QVERIFY(!port.open(3));
        QVERIFY(port.errorText().startsWith("ComPort 3 (virtuelle Zentrale) ist nicht vorhanden."));
        QCOMPARE(lost.size(), 1);

        station.faults.cablePulled = false;
        QVERIFY(port.open(3));
        port.write(msg("BB 00 00"));
        clock.advance(1);
        QVERIFY(port.readAll().startsWith(msg("BB 00 00")));
    }

    void textModeAnswersUnknownCommandsAndStaysSilentWhenToldTo() {
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QVERIFY(port.open(1));
        port.setBreak(true);
        port.write("xZZ\r");
        clock.advance(1);
        const QByteArray answer = port.readAll();
        QVERIFY(answer.contains("?"));
        QVERIFY(answer.endsWith(']'));
        QVERIFY(station.inTextMode());

        station.faults.silent = true;
        port.write("xB19200\r");
        clock.advance(1);
        QCOMPARE(port.readAll(), QByteArray());
    }

    void demoLayoutReportsContactsAndAThrottleThatDrives() {
        VirtualStation station;
        station.setDemo(true);
        VirtualSerialPort port(clock, station);
        QVERIFY(port.open(1));

        const QList<QByteArray> first = readFor(clock, port, DemoLayout::ThrottleAfter - 0.5);
        QVERIFY(first.size() >= 2);
        for (const QByteArray& m : first) {
            QCOMPARE(quint8(m[0]), quint8(0xB2));
            QVERIFY((m[1] & 0x7F) < DemoLayout::Contacts / 2 && (m[2] & 0x0F) == 0);
        }

        const QList<QByteArray> later = readFor(clock, port, 1.0);
        QVERIFY(later.contains(msg("E5 0F 00 00 00 1F 01 0E 12 05 00 01 00 00")));

        // The PC gives the throttle locomotive 3; from then on it drives it.
        port.write(msg("ED 0F 01 05 00 20 01 0E 12 0A 00 03 00 00"));
        const QList<QByteArray> driving = readFor(clock, port, 30);
        QVERIFY(driving.contains(msg("BF 00 03")));
        const bool drives = std::any_of(driving.begin(), driving.end(), [](const QByteArray& m) {
            return quint8(m[0]) == 0xA0 && m[1] == 1;
        });
        QVERIFY(drives);
    }
};

QTEST_GUILESS_MAIN(SimPortTest)
#include "tst_sim_port.moc"
