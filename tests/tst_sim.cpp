#include "platform/Clock.h"
#include "sim/BusFramer.h"
#include "sim/DemoLayout.h"
#include "sim/StationMessage.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"
#include "support/Hex.h"
#include "support/MessageText.h"

#include <QTest>

Q_DECLARE_METATYPE(Faults)

namespace {

// The PC's side of the bus: sends messages and takes everything the station
// put on the line within the next second.
struct Bus {
    QByteArray exchange(const QByteArray& bytes) {
        station.receive(bytes, now);
        now += 1.0;
        return station.line().take(now);
    }
    // What came back after the echo, or "no echo" when the echo is not first.
    QByteArray answerTo(const QByteArray& request) {
        const QByteArray back = exchange(request);
        return back.startsWith(request) ? back.mid(request.size()) : QByteArray("no echo");
    }
    QByteArray answerTo(const char* text) { return answerTo(wire(text)); }
    // What the station sends of its own accord within the next second.
    QByteArray sentOnItsOwn() { return station.line().take(now + 1); }

    VirtualStation station;
    double now = 1000;
};

const char* const ReadSlot0 = "BB 00 00";
const char* const Slot0 = "E7 0E 00 00 00 02 00 07 00 00 00 47 58";

// Messages by the bytes after their fixed head: the station's requests, its
// acknowledged answers, the programming track's requests and LNCV requests.
QByteArray station(const char* rest) {
    return QByteArray("ED 0F 01 47 58 ") + rest;
}
QByteArray acknowledged(const char* rest) {
    return QByteArray("B4 6D 7F | E5 0F 00 47 58 ") + rest;
}
QByteArray cv(const char* rest) {
    return QByteArray("ED 1F 01 47 58 ") + rest + " 70 00 00 00 00 10";
}
QByteArray lncv(const char* rest) {
    return QByteArray("ED 0F 01 05 00 ") + rest;
}
QByteArray then(const QByteArray& first, const QByteArray& second) {
    return first + " | " + second;
}

// A row of the exchange table: what the PC sent before, its request, and
// what the station sends after the echo.
void row(const char* name, const QByteArray& before, const QByteArray& request,
         const QByteArray& answer) {
    QTest::newRow(name) << wire(before) << wire(request) << wire(answer);
}

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

class SimTest : public QObject {
    Q_OBJECT

    ManualClock clock;

private slots:
    void actsOnlyOnWholeMessagesWithTheirChecksum_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("back");
        QTest::newRow("bad checksum: echo, no answer") << hex("BB 00 00 00") << hex("BB 00 00 00");
        QTest::newRow("cut off by an opcode") << hex("BB 00 82 7D") << wire("82");
        QTest::newRow("noise before the opcode") << hex("12 34") + wire("82") << wire("82");
        QTest::newRow("count byte too small") << hex("E5 01 00 00") << QByteArray();
    }
    void actsOnlyOnWholeMessagesWithTheirChecksum() {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, back);
        Bus bus;
        QCOMPARE(hexText(bus.exchange(sent)), hexText(back));
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const char* const free3 = "E7 0E 01 30 03 00 00 07";

        row("a slot not in use keeps nothing", "A0 01 40", "BF 00 03", free3);
        row("128 steps from the data format", station("0C 04 03 00 53"), "BF 00 03",
            "E7 0E 01 33 03 00 00 07");

        row("address 200 is not 72", "B0 48 11", "BC 48 00", "B4 3C 30");

        row("special option 300 is not 44", station("01 00 2C 00 09"), station("02 00 2C 01"),
            acknowledged("00 00 2C 01"));
        row("loco format of address 200 (bit 7 in byte 6)", station("0C 05 48 00 40"),
            station("0D 01 48"), acknowledged("0B 05 48 00 40"));
        row("loco format: the default follows special option 10", station("01 00 0A 00 06"),
            station("0D 00 03"), acknowledged("0B 04 03 00 53"));
        row("loco format unknown to the station is refused", "", station("0C 04 03 00 4D"),
            "B4 6D 00");
        row("configuration reset restores the options",
            then(station("01 00 0A 00 06"), station("18")), station("02 00 0A"),
            acknowledged("00 00 0A 00 04"));
        row("reset of the loco formats", then(station("0C 04 03 00 53"), station("18 00 01")),
            station("0D 00 03"), acknowledged("0B 04 03 00 52"));
        row("the loco format reset leaves the options",
            then(station("01 00 0A 00 06"), station("18 00 01")), station("02 00 0A"),
            acknowledged("00 00 0A 00 06"));
        row("unknown command refused", "", station("30"), "B4 6D 00");

        row("CV 200 and CV 300 are different CVs", cv("73 71 48 00 11"), cv("71 72 2C 01 00"),
            "E7 0E 7C 2B 00 00 00 07 10 2B");
        row("read CV 1025: no such CV", "", cv("71 72 01 04 00"), "E7 0E 7C 2B 02 00 00 07 31 7F");
        row("CV 7 cannot be written", "", cv("71 71 07 00 05"), "E7 0E 7C 6B 02 00 00 07 00 06 05");
        row("8 into CV 8 resets the decoder", then(cv("71 71 1D 00 00"), cv("71 71 08 00 08")),
            cv("71 72 1D 00 00"), "E7 0E 7C 2B 00 00 00 07 00 1C 16");

        // Article 1234 (0x04D2) at module address 7; see the body.
        const QByteArray start = lncv("21 41 52 04 00 00 07");
        const QByteArray readLncv2 = lncv("21 01 52 04 02");
        row("LNCV start at any address, any article", "", lncv("21 73 7F 7F 00 00 7F 7F"),
            "E5 0F 05 49 4B 1F 41 52 04 00 00 07");
        row("LNCV start for another article: silence", "", lncv("21 41 53 04 00 00 07"), "");
        row("LNCV read before start: silence", "", readLncv2, "");
        row("write a missing LNCV", start, lncv("20 01 52 04 05 00 01"), "B4 6D 01");
        row("write an LNCV value out of range", start, lncv("20 01 52 04 04 00 0B"), "B4 6D 03");
    }
    void answers() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus;
        LncvModule module;
        module.article = 1234;
        module.lncvs[0] = {7, false, 1, 65534};
        module.lncvs[4] = {0, false, 0, 10};
        bus.station.modules.clear();
        bus.station.modules.add(module);
        bus.exchange(before);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void noFreeSlotIsRefused() {
        Bus bus;
        for (int address = 1; address <= LocoSlots::Last; ++address)
            bus.exchange(sim::message({0xBF, address >> 7, address & 0x7F}));
        QCOMPARE(hexText(bus.answerTo("BF 01 00")), hexText(wire("B4 3F 00")));
        QCOMPARE(hexText(bus.answerTo("BE 01 00")), hexText(wire("B4 3E 00")));
        // An address that has its slot still gets it.
        QCOMPARE(bus.answerTo("BF 00 77").at(2), char(LocoSlots::Last));
    }

    void directionReportTurnsTheLocoRound() {
        Bus bus;
        bus.exchange(wire("BF 00 03 | A1 01 10"));
        QVERIFY(bus.station.reverseDirection(1, bus.now));
        QCOMPARE(hexText(bus.sentOnItsOwn()), hexText(wire("ED 0F 01 47 58 15 00 01")));
        QCOMPARE(bus.answerTo("BB 01 00").at(6), char(0x30));
        QVERIFY(!bus.station.reverseDirection(2, bus.now));
    }

    // A handheld throttle announces itself, takes the address the PC writes
    // into its LNCV 10 if it is one, and asks for that locomotive.
    void handheldThrottleAsksForItsLocomotive() {
        Bus bus;
        bus.station.announceThrottle(3, bus.now);
        QCOMPARE(hexText(bus.sentOnItsOwn()), hexText(wire("E5 0F 00 00 00 1F 01 0E 12 05 00 03")));
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A")), hexText(wire("B4 6D 03")));
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 2C 01")),
                 hexText(wire("B4 6D 7F | BF 02 2C | E7 0E 01 30 2C 00 00 07 00 02")));
        QCOMPARE(bus.station.throttles.throttle(3)->address, 300);
        // Having its locomotive, it takes no further address.
        QCOMPARE(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 04"), QByteArray());
    }

    void faults_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("back");
        Faults noEcho;
        noEcho.noEcho = true;
        QTest::newRow("no echo") << noEcho << wire(ReadSlot0) << wire(Slot0);
        Faults corrupt;
        corrupt.corruptEcho = true;
        QTest::newRow("corrupted echo")
            << corrupt << wire(ReadSlot0) << hex("BB 00 00 45") + wire(Slot0);
        Faults refuse;
        refuse.refuse = true;
        QTest::newRow("refuse a loco") << refuse << wire("BF 00 03") << wire("BF 00 03 | B4 3F 00");
        Faults shortCircuit;
        shortCircuit.programmingTrack = Faults::ProgrammingTrack::ShortCircuit;
        QTest::newRow("short circuit on the programming track")
            << shortCircuit << wire(cv("71 72 1D 00 00"))
            << wire(cv("71 72 1D 00 00")) + wire("E7 0E 7C 2B 03 00 00 07 00 1C");
    }
    void faults() {
        QFETCH(Faults, faults);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, back);
        Bus bus;
        bus.station.faults = faults;
        QCOMPARE(hexText(bus.exchange(request)), hexText(back));
    }

    // --- The station behind the program's serial port ---

    // Interface 41770's rate, 16457 bit/s, set as the program sets it.
    void deliversOnlyWhatHasArrivedAtTheBitRate() {
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QVERIFY(port.setSettings("19200,n,8,1"));
        QVERIFY(port.setCustomBitRate(16457));
        QVERIFY(port.open(1));
        const double byte = 10.0 / 16457;

        port.write(msg("BB 00 00"));
        QCOMPARE(port.bytesWaiting(), 0);
        clock.advance(3.5 * byte);
        QCOMPARE(port.bytesWaiting(), 3);
        clock.advance(0.5 * byte);
        QCOMPARE(port.readAll(), msg("BB 00 00"));
        clock.advance(13.5 * byte);
        QCOMPARE(port.readAll(), wire(Slot0).left(13));
        clock.advance(0.5 * byte);
        QCOMPARE(port.readAll(), wire(Slot0).right(1));
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

    // With the cable pulled, the next use of the line finds it gone: the
    // port closes, says so once, and opens again only once it is back in.
    void pulledCableLosesTheLineUntilPluggedIn() {
        VirtualStation station;
        VirtualSerialPort port(clock, station);
        QStringList lost;
        port.onLineLost = [&](const QString& reason) { lost.append(reason); };
        QVERIFY(port.open(1));
        station.faults.cablePulled = true;
        QCOMPARE(port.bytesWaiting(), 0);
        QCOMPARE(lost, QStringList{"Die Verbindung zur Zentrale über virtuelle Zentrale ist "
                                   "unterbrochen.\n\nBitte Kabel und Interface prüfen und dann "
                                   "neu verbinden."});
        QVERIFY(!port.isOpen());
        QVERIFY(!port.write(msg("BB 00 00")) && !port.ctsHolding() && port.readAll().isEmpty());
        QVERIFY(!port.open(3));
        QVERIFY(port.errorText().startsWith("ComPort 3 (virtuelle Zentrale) ist nicht vorhanden."));
        QCOMPARE(lost.size(), 1);

        station.faults.cablePulled = false;
        QVERIFY(port.open(3));
        port.write(msg("BB 00 00"));
        clock.advance(1);
        QVERIFY(port.readAll().startsWith(msg("BB 00 00")));
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

QTEST_GUILESS_MAIN(SimTest)
#include "tst_sim.moc"
