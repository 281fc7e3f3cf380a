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

    VirtualStation station;
    double now = 1000;
};

const char* const ReadSlot0 = "BB 00 00";
const char* const Slot0 = "E7 0E 00 00 00 02 00 07 00 00 00 47 58";

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

    // Messages by the bytes after their fixed head: the station's requests, its
    // acknowledged answers, the programming track's requests and LNCV requests.
    static QByteArray station(const char* rest) { return "ED 0F 01 47 58 " + QByteArray(rest); }
    static QByteArray acknowledged(const char* rest) {
        return "B4 6D 7F | E5 0F 00 47 58 " + QByteArray(rest);
    }
    static QByteArray cv(const char* rest) {
        return "ED 1F 01 47 58 " + QByteArray(rest) + " 70 00 00 00 00 10";
    }
    static QByteArray lncv(const char* rest) { return "ED 0F 01 05 00 " + QByteArray(rest); }

private slots:
    void answers_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");

        row("a slot not in use keeps nothing", "A0 01 40", "BF 00 03", "E7 0E 01 30 03 00 00 07");
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
            station("01 00 0A 00 06") + "|" + station("18"), station("02 00 0A"),
            acknowledged("00 00 0A 00 04"));
        row("reset of the loco formats", station("0C 04 03 00 53") + "|" + station("18 00 01"),
            station("0D 00 03"), acknowledged("0B 04 03 00 52"));
        row("the loco format reset leaves the options",
            station("01 00 0A 00 06") + "|" + station("18 00 01"), station("02 00 0A"),
            acknowledged("00 00 0A 00 06"));
        row("unknown command refused", "", station("30"), "B4 6D 00");

        row("CV 200 and CV 300 are different CVs", cv("73 71 48 00 11"), cv("71 72 2C 01 00"),
            "E7 0E 7C 2B 00 00 00 07 10 2B");
        row("read CV 1025: no such CV", "", cv("71 72 01 04 00"), "E7 0E 7C 2B 02 00 00 07 31 7F");
        row("CV 7 cannot be written", "", cv("71 71 07 00 05"), "E7 0E 7C 6B 02 00 00 07 00 06 05");
        row("8 into CV 8 resets the decoder", cv("71 71 1D 00 00") + "|" + cv("71 71 08 00 08"),
            cv("71 72 1D 00 00"), "E7 0E 7C 2B 00 00 00 07 00 1C 16");

        // Article 1234 (0x04D2) at module address 7 (LNCV 0), LNCV 4 up to 10; see the body.
        const QByteArray start = lncv("21 41 52 04 00 00 07");
        row("LNCV start for another article: silence", "", lncv("21 41 53 04 00 00 07"), "");
        row("write a missing LNCV", start, lncv("20 01 52 04 05 00 01"), "B4 6D 01");
        row("write an LNCV value out of range", start, lncv("20 01 52 04 04 00 0B"), "B4 6D 03");
    }
    void answers() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus;
        bus.station.modules.clear();
        bus.station.modules.add({1234, {{0, {7, false, 1, 65534}}, {4, {0, false, 0, 10}}}});
        bus.exchange(before);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void noFreeSlotIsRefused() {
        Bus bus;
        for (int address = 1; address <= LocoSlots::Last; ++address)
            bus.exchange(sim::message({0xBF, address >> 7, address & 0x7F}));
        QCOMPARE(hexText(bus.answerTo(wire("BF 01 00"))), hexText(wire("B4 3F 00")));
        // An address that has its slot still gets it.
        QCOMPARE(bus.answerTo(wire("BF 00 77")).at(2), char(LocoSlots::Last));
    }

    // The station acts only on whole messages with their checksum; and the faults a user can
    // give gx-sim to try the program against.
    void exchanges_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("back");
        const auto with = [](auto fault, auto value) {
            Faults faults;
            faults.*fault = value;
            return faults;
        };
        QTest::newRow("bad checksum: echo, no answer")
            << Faults() << hex("BB 00 00 00") << hex("BB 00 00 00");
        QTest::newRow("cut off by an opcode") << Faults() << hex("BB 00 82 7D") << wire("82");
        QTest::newRow("count byte too small") << Faults() << hex("E5 01 00 00") << QByteArray();
        QTest::newRow("corrupted echo") << with(&Faults::corruptEcho, true) << wire(ReadSlot0)
                                        << hex("BB 00 00 45") + wire(Slot0);
        QTest::newRow("refuse a loco")
            << with(&Faults::refuse, true) << wire("BF 00 03") << wire("BF 00 03 | B4 3F 00");
        QTest::newRow("short circuit on the programming track")
            << with(&Faults::programmingTrack, Faults::ProgrammingTrack::ShortCircuit)
            << wire(cv("71 72 1D 00 00"))
            << wire(cv("71 72 1D 00 00")) + wire("E7 0E 7C 2B 03 00 00 07 00 1C");
    }
    void exchanges() {
        QFETCH(Faults, faults);
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, back);
        Bus bus;
        bus.station.faults = faults;
        QCOMPARE(hexText(bus.exchange(sent)), hexText(back));
    }

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
        QVERIFY(std::any_of(driving.begin(), driving.end(),
                            [](const QByteArray& m) { return quint8(m[0]) == 0xA0 && m[1] == 1; }));
    }
};

QTEST_GUILESS_MAIN(SimTest)
#include "tst_sim.moc"
