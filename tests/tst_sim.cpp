#include "sim/StationMessage.h"
#include "sim/VirtualStation.h"
#include "support/Hex.h"
#include "support/MessageText.h"

#include <QTest>

Q_DECLARE_METATYPE(Faults)

namespace {

// The PC's side of the bus: sends messages and takes everything the station
// put on the line within the next second.
struct Bus {
    explicit Bus(int type = 1) : station(StationProfile::forType(type)) {}

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
         const QByteArray& answer, int type = 1) {
    QTest::newRow(name) << type << wire(before) << wire(request) << wire(answer);
}

} // namespace

class SimTest : public QObject {
    Q_OBJECT

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
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const char* const free3 = "E7 0E 01 30 03 00 00 07";

        row("power off: echo only", "", "82", "");
        row("power off in a loco slot", "82", "BF 00 03", "E7 0E 01 30 03 00 00 06");
        row("power on again", "82 | 83", "BF 00 03", free3);
        row("programming track in slot 0", "E5 07 01 47 58 41", ReadSlot0,
            "E7 0E 00 00 00 02 00 0F 00 00 00 47 58");
        row("programming track in its answers", "E5 07 01 47 58 41", cv("71 72 1D 00 00"),
            "E7 0E 7C 2B 00 00 00 0F 00 1C 16");
        row("programming track off again", "E5 07 01 47 58 41 | E5 07 01 47 58 40", ReadSlot0,
            Slot0);

        row("first loco request, BF", "", "BF 00 03", free3);
        row("first loco request, BE", "", "BE 00 03", free3);
        row("long address 8500", "", "BF 42 34", "E7 0E 01 30 34 00 00 07 00 42");
        row("same address again", "BF 00 03 | BF 00 04", "BF 00 03", free3);
        row("next address, next slot", "BF 00 03", "BF 00 04", "E7 0E 02 30 04 00 00 07");
        row("speed, direction, F0..F8 kept", "BF 00 03 | A0 01 40 | A1 01 35 | A2 01 0A",
            "BF 00 03", "E7 0E 01 30 03 40 35 07 00 00 0A");
        row("slot read", "BF 00 03 | A0 01 22", "BB 01 00", "E7 0E 01 30 03 22 00 07");
        row("a slot not in use keeps nothing", "A0 01 40", "BF 00 03", free3);
        row("128 steps from the data format", station("0C 04 03 00 53"), "BF 00 03",
            "E7 0E 01 33 03 00 00 07");

        row("switch command: echo only", "", "B0 05 10", "");
        row("never switched: green", "", "BC 05 00", "B4 3C 30");
        row("red on", "B0 05 10", "BC 05 00", "B4 3C 50");
        row("red, then green on", "B0 05 10 | B0 05 30", "BC 05 00", "B4 3C 30");
        row("output off changes nothing", "B0 05 10 | B0 05 20", "BC 05 00", "B4 3C 50");
        row("another address untouched", "B0 05 10", "BC 06 00", "B4 3C 30");
        row("address 2047", "B0 7F 1F", "BC 7F 0F", "B4 3C 50");
        row("address 200 is not 72", "B0 48 11", "BC 48 00", "B4 3C 30");

        row("special option 10: acknowledge, then its value", "", station("02 00 0A"),
            acknowledged("00 00 0A 00 04"));
        row("special option 200: bit 7 of the number", station("01 01 48 00 09"),
            station("02 01 48"), acknowledged("00 01 48 00 09"));
        row("special option 300 is not 44", station("01 00 2C 00 09"), station("02 00 2C 01"),
            acknowledged("00 00 2C 01"));
        row("loco format: the default, DCC 28", "", station("0D 00 03"),
            acknowledged("0B 04 03 00 52"));
        row("loco format written per address, extra byte kept", station("0C 0C 03 00 53 05"),
            station("0D 00 03"), acknowledged("0B 0C 03 00 53 05"));
        row("loco format of address 200 (bit 7 in byte 6)", station("0C 05 48 00 40"),
            station("0D 01 48"), acknowledged("0B 05 48 00 40"));
        row("loco format: other addresses keep the default", station("0C 04 03 00 53"),
            station("0D 00 04"), acknowledged("0B 04 04 00 52"));
        row("loco format: the default follows special option 10", station("01 00 0A 00 06"),
            station("0D 00 03"), acknowledged("0B 04 03 00 53"));
        row("loco format unknown to the station is refused", "", station("0C 04 03 00 4D"),
            "B4 6D 00");
        row("serial number, type 1", "", station("07"), "E5 0F 00 47 58 09 00 00 01 10 01 55");
        row("serial number, type 2", "", station("07"), "E5 0F 00 47 58 09 00 00 02 20 02", 2);
        row("configuration reset restores the options",
            then(station("01 00 0A 00 06"), station("18")), station("02 00 0A"),
            acknowledged("00 00 0A 00 04"));
        row("reset of the loco formats", then(station("0C 04 03 00 53"), station("18 00 01")),
            station("0D 00 03"), acknowledged("0B 04 03 00 52"));
        row("the loco format reset leaves the options",
            then(station("01 00 0A 00 06"), station("18 00 01")), station("02 00 0A"),
            acknowledged("00 00 0A 00 06"));
        row("reset acknowledged", "", station("18"), "B4 6D 7F");
        row("unknown command refused", "", station("30"), "B4 6D 00");

        row("programming track on: echo only", "", "E5 07 01 47 58 41", "");
        row("programming track off: echo only", "", "E5 07 01 47 58 40", "");
        row("CV 200 and CV 300 are different CVs", cv("73 71 48 00 11"), cv("71 72 2C 01 00"),
            "E7 0E 7C 2B 00 00 00 07 10 2B");
        row("read CV 1024, the last", "", cv("71 72 00 04 00"), "E7 0E 7C 2B 00 00 00 07 31 7F");
        row("read CV 1025: no such CV", "", cv("71 72 01 04 00"), "E7 0E 7C 2B 02 00 00 07 31 7F");
        row("CV 7 cannot be written", "", cv("71 71 07 00 05"), "E7 0E 7C 6B 02 00 00 07 00 06 05");
        row("8 into CV 8 resets the decoder", then(cv("71 71 1D 00 00"), cv("71 71 08 00 08")),
            cv("71 72 1D 00 00"), "E7 0E 7C 2B 00 00 00 07 00 1C 16");

        // Article 1234 (0x04D2) at module address 7; see the body.
        const QByteArray start = lncv("21 41 52 04 00 00 07");
        const QByteArray stop = lncv("21 01 52 04 00 00 07 00 40");
        const QByteArray readLncv2 = lncv("21 01 52 04 02");
        row("LNCV start at any address, any article", "", lncv("21 73 7F 7F 00 00 7F 7F"),
            "E5 0F 05 49 4B 1F 41 52 04 00 00 07");
        row("LNCV start for another article: silence", "", lncv("21 41 53 04 00 00 07"), "");
        row("LNCV read before start: silence", "", readLncv2, "");
        row("write a missing LNCV", start, lncv("20 01 52 04 05 00 01"), "B4 6D 01");
        row("write an LNCV value out of range", start, lncv("20 01 52 04 04 00 0B"), "B4 6D 03");
        row("LNCV read after stop: silence", then(start, stop), readLncv2, "");
        row("a new module address answers the next start",
            then(then(start, lncv("20 01 52 04 00 00 09")), stop), lncv("21 41 52 04 00 00 09"),
            "E5 0F 05 49 4B 1F 41 52 04 00 00 09");
    }
    void answers() {
        QFETCH(int, type);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus(type);
        LncvModule module;
        module.article = 1234;
        module.lncvs[0] = {7, false, 1, 65534};
        module.lncvs[2] = {300};
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

    void feedbackReportsKeepTheContactState_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("contact");
        QTest::addColumn<int>("state");
        QTest::newRow("0 occupied") << wire("B2 00 50") << 0 << int(Accessories::Occupied);
        QTest::newRow("1 free") << wire("B2 00 60") << 1 << int(Accessories::Free);
        QTest::newRow("5 occupied") << wire("B2 02 70") << 5 << int(Accessories::Occupied);
        QTest::newRow("2048 occupied") << wire("B2 00 58") << 2048 << int(Accessories::Occupied);
    }
    void feedbackReportsKeepTheContactState() {
        QFETCH(QByteArray, report);
        QFETCH(int, contact);
        QFETCH(int, state);
        Bus bus;
        QCOMPARE(bus.station.accessories.contact(contact), Accessories::Unknown);
        QCOMPARE(bus.answerTo(report), QByteArray());
        QCOMPARE(int(bus.station.accessories.contact(contact)), state);
    }

    void stationReportsAContactOnItsOwn() {
        Bus bus;
        bus.station.reportContact(5, true, bus.now);
        bus.station.reportContact(1, false, bus.now);
        QCOMPARE(hexText(bus.sentOnItsOwn()), hexText(wire("B2 02 70 | B2 00 60")));
        QCOMPARE(bus.station.accessories.contact(5), Accessories::Occupied);
    }

    void handheldThrottleAsksForItsLocomotive() {
        Bus bus;
        bus.station.announceThrottle(3, bus.now);
        QCOMPARE(hexText(bus.sentOnItsOwn()), hexText(wire("E5 0F 00 00 00 1F 01 0E 12 05 00 03")));
        // The PC writes address 300 into its LNCV 10.
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 2C 01")),
                 hexText(wire("B4 6D 7F | BF 02 2C | E7 0E 01 30 2C 00 00 07 00 02")));
        QCOMPARE(bus.station.throttles.throttle(3)->address, 300);
        // Having its locomotive, it takes no further address.
        QCOMPARE(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 04"), QByteArray());
    }

    void handheldThrottleRefusesAnAddressOutOfRange() {
        Bus bus;
        bus.station.announceThrottle(3, bus.now);
        bus.sentOnItsOwn();
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A")), hexText(wire("B4 6D 03")));
        QVERIFY(bus.station.throttles.throttle(3)->waiting);
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
        QTest::newRow("refuse a switch command")
            << refuse << wire("B0 05 30") << wire("B0 05 30 | B4 30 00");
        QTest::newRow("refuse a station request")
            << refuse << wire(station("02 00 0A")) << wire(then(station("02 00 0A"), "B4 6D 00"));
        QTest::newRow("refuse slot 0") << refuse << wire(ReadSlot0) << wire("BB 00 00 | B4 3B 00");
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

    void refusedSwitchCommandChangesNothing() {
        Bus bus;
        bus.station.faults.refuse = true;
        bus.exchange(wire("B0 05 10"));
        bus.station.faults.refuse = false;
        QCOMPARE(hexText(bus.answerTo("BC 05 00")), hexText(wire("B4 3C 30")));
    }

    // A late answer comes after its delay and lets later echoes pass.
    void delayedAnswerComesAfterItsDelay() {
        Bus bus;
        bus.station.faults.answerDelay = 2.0;
        const QByteArray request = wire(ReadSlot0);
        bus.station.receive(request, bus.now);
        QCOMPARE(bus.station.line().take(bus.now + 1.9), request);
        bus.station.receive(wire("82"), bus.now + 1.9);
        QCOMPARE(bus.station.line().take(bus.now + 2.0), wire("82"));
        QCOMPARE(bus.station.line().take(bus.now + 2.1), wire(Slot0));
    }
};

QTEST_GUILESS_MAIN(SimTest)
#include "tst_sim.moc"
