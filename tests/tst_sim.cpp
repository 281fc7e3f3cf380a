#include "sim/StationMessage.h"
#include "sim/VirtualStation.h"
#include "support/Hex.h"

#include <QTest>

Q_DECLARE_METATYPE(Faults)

namespace {

// Several messages as they follow each other on the wire.
QByteArray msgs(std::initializer_list<const char*> texts) {
    QByteArray all;
    for (const char* text : texts)
        all += msg(text);
    return all;
}

// The PC's side of the bus: sends a message and takes everything the station
// put on the line within the next second.
struct Bus {
    explicit Bus(int type = 1) : station(StationProfile::forType(type)) {}

    QByteArray exchange(const QByteArray& wire) {
        station.receive(wire, now);
        now += 1.0;
        return station.line().take(now);
    }
    // What came back after the echo; fails the test when the echo is not first.
    QByteArray answerTo(const QByteArray& wire) {
        const QByteArray back = exchange(wire);
        if (!back.startsWith(wire))
            qWarning("no echo first: %s", qPrintable(hexText(back)));
        return back.startsWith(wire) ? back.mid(wire.size()) : QByteArray("no echo");
    }
    QByteArray answerTo(const char* text) { return answerTo(msg(text)); }

    VirtualStation station;
    double now = 1000;
};

const char* const ReadSlot0 = "BB 00 00";
const char* const ReadCv29 =
    "ED 1F 01 47 58 71 72 1D 00 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

} // namespace

class SimTest : public QObject {
    Q_OBJECT

private slots:
    void echoesEveryMessageExactlyAsSent_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("two bytes") << msg("82");
        QTest::newRow("four bytes") << msg("A0 01 20");
        QTest::newRow("six bytes") << msg("D4 20 01 05 10");
        QTest::newRow("fifteen bytes") << msg("ED 0F 01 47 58 06 00 00 00 00 00 00 00 00");
        QTest::newRow("thirty-one bytes") << msg(ReadCv29);
        QTest::newRow("bad checksum") << hex("BB 00 00 00");
    }
    void echoesEveryMessageExactlyAsSent() {
        QFETCH(QByteArray, wire);
        Bus bus;
        QVERIFY(bus.exchange(wire).startsWith(wire));
    }

    void actsOnlyOnWholeMessagesWithTheirChecksum_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("back");
        QTest::newRow("bad checksum: echo, no answer") << hex("BB 00 00 00") << hex("BB 00 00 00");
        QTest::newRow("cut off by an opcode") << hex("BB 00 82 7D") << msg("82");
        QTest::newRow("noise before the opcode") << hex("12 34") + msg("82") << msg("82");
        QTest::newRow("count byte too small") << hex("E5 01 00 00") << QByteArray();
    }
    void actsOnlyOnWholeMessagesWithTheirChecksum() {
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, back);
        Bus bus;
        QCOMPARE(hexText(bus.exchange(wire)), hexText(back));
    }

    void slot0CarriesThePatternOfTheStationType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("1") << 1 << msg("E7 0E 00 00 00 02 00 07 00 00 00 47 58");
        QTest::newRow("2") << 2 << msg("E7 0E 00 00 00 03 00 07 00 00 00 47 58");
        QTest::newRow("3") << 3 << msg("E7 0E 00 02 42 03 00 07 00 00 15 47 58");
        QTest::newRow("unknown") << 7 << msg("E7 0E 00 00 00 00 00 07 00 00 00 00 00");
    }
    void slot0CarriesThePatternOfTheStationType() {
        QFETCH(int, type);
        QFETCH(QByteArray, answer);
        Bus bus(type);
        QCOMPARE(hexText(bus.answerTo(ReadSlot0)), hexText(answer));
    }

    void trackStatusFollowsPowerAndProgrammingTrack() {
        Bus bus;
        QCOMPARE(bus.answerTo("82"), QByteArray());
        QCOMPARE(hexText(bus.answerTo(ReadSlot0)),
                 hexText(msg("E7 0E 00 00 00 02 00 06 00 00 00 47 58")));
        QCOMPARE(bus.answerTo("BF 00 03").at(7), char(0x06));
        QCOMPARE(bus.answerTo("83"), QByteArray());
        QCOMPARE(bus.answerTo("BF 00 03").at(7), char(0x07));
        bus.answerTo("E5 07 01 47 58 41");
        QCOMPARE(bus.answerTo(ReadSlot0).at(7), char(0x0F));
        QCOMPARE(bus.answerTo(ReadCv29).at(7), char(0x0F));
        bus.answerTo("E5 07 01 47 58 40");
        QCOMPARE(bus.answerTo(ReadSlot0).at(7), char(0x07));
    }

    void locoRequestsGetTheSlotOfTheirAddress_data() {
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray free3 = msg("E7 0E 01 30 03 00 00 07 00 00 00 00 00");
        QTest::newRow("first request, 0xBF") << QList<QByteArray>{} << msg("BF 00 03") << free3;
        QTest::newRow("first request, 0xBE") << QList<QByteArray>{} << msg("BE 00 03") << free3;
        QTest::newRow("long address 8500") << QList<QByteArray>{} << msg("BF 42 34")
                                           << msg("E7 0E 01 30 34 00 00 07 00 42 00 00 00");
        QTest::newRow("same address again")
            << QList<QByteArray>{msg("BF 00 03"), msg("BF 00 04")} << msg("BF 00 03") << free3;
        QTest::newRow("next address, next slot")
            << QList<QByteArray>{msg("BF 00 03")} << msg("BF 00 04")
            << msg("E7 0E 02 30 04 00 00 07 00 00 00 00 00");
        QTest::newRow("speed, direction, F0..F8 kept")
            << QList<QByteArray>{msg("BF 00 03"), msg("A0 01 40"), msg("A1 01 35"), msg("A2 01 0A")}
            << msg("BF 00 03") << msg("E7 0E 01 30 03 40 35 07 00 00 0A 00 00");
        QTest::newRow("slot read")
            << QList<QByteArray>{msg("BF 00 03"), msg("A0 01 22")} << msg("BB 01 00")
            << msg("E7 0E 01 30 03 22 00 07 00 00 00 00 00");
        QTest::newRow("a slot not in use keeps nothing")
            << QList<QByteArray>{msg("A0 01 40")} << msg("BF 00 03") << free3;
        QTest::newRow("128 steps from the data format")
            << QList<QByteArray>{msg("ED 0F 01 47 58 0C 04 03 00 53 00 00 00 00")}
            << msg("BF 00 03") << msg("E7 0E 01 33 03 00 00 07 00 00 00 00 00");
    }
    void locoRequestsGetTheSlotOfTheirAddress() {
        QFETCH(QList<QByteArray>, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus;
        for (const QByteArray& m : before)
            bus.exchange(m);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void functionMessagesUpdateTheSlot() {
        Bus bus;
        bus.exchange(msg("BF 00 03"));
        QCOMPARE(bus.answerTo("D4 20 01 07 30"), QByteArray());
        QCOMPARE(bus.answerTo("D4 20 01 05 10"), QByteArray());
        QCOMPARE(bus.station.locos.slot(1).extFn[7], 0x30);
        QCOMPARE(bus.station.locos.slot(1).extFn[5], 0x10);
    }

    void noFreeSlotIsRefused() {
        Bus bus;
        for (int address = 1; address <= LocoSlots::Last; ++address)
            bus.exchange(sim::message({0xBF, address >> 7, address & 0x7F}));
        QCOMPARE(hexText(bus.answerTo("BF 01 00")), hexText(msg("B4 3F 00")));
        QCOMPARE(hexText(bus.answerTo("BE 01 00")), hexText(msg("B4 3E 00")));
        // An address that has its slot still gets it.
        QCOMPARE(bus.answerTo("BF 00 77").at(2), char(LocoSlots::Last));
    }

    void directionReportTurnsTheLocoRound() {
        Bus bus;
        bus.exchange(msg("BF 00 03"));
        bus.exchange(msg("A1 01 10"));
        QVERIFY(bus.station.reverseDirection(1, bus.now));
        QCOMPARE(hexText(bus.station.line().take(bus.now + 1)),
                 hexText(msg("ED 0F 01 47 58 15 00 01 00 00 00 00 00 00")));
        QCOMPARE(bus.answerTo("BB 01 00").at(6), char(0x30));
        QVERIFY(!bus.station.reverseDirection(2, bus.now));
    }

    void accessoriesKeepTheirState_data() {
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("never switched: green")
            << QList<QByteArray>{} << msg("BC 05 00") << msg("B4 3C 30");
        QTest::newRow("red on") << QList<QByteArray>{msg("B0 05 10")} << msg("BC 05 00")
                                << msg("B4 3C 50");
        QTest::newRow("red, then green on") << QList<QByteArray>{msg("B0 05 10"), msg("B0 05 30")}
                                            << msg("BC 05 00") << msg("B4 3C 30");
        QTest::newRow("output off changes nothing")
            << QList<QByteArray>{msg("B0 05 10"), msg("B0 05 20")} << msg("BC 05 00")
            << msg("B4 3C 50");
        QTest::newRow("another address untouched")
            << QList<QByteArray>{msg("B0 05 10")} << msg("BC 06 00") << msg("B4 3C 30");
        QTest::newRow("address 2047")
            << QList<QByteArray>{msg("B0 7F 1F")} << msg("BC 7F 0F") << msg("B4 3C 50");
        QTest::newRow("address 200 is not 72")
            << QList<QByteArray>{msg("B0 48 11")} << msg("BC 48 00") << msg("B4 3C 30");
    }
    void accessoriesKeepTheirState() {
        QFETCH(QList<QByteArray>, before);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, answer);
        Bus bus;
        for (const QByteArray& m : before)
            QCOMPARE(bus.answerTo(m), QByteArray());
        QCOMPARE(hexText(bus.answerTo(query)), hexText(answer));
    }

    void feedbackReportsKeepTheContactState_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("contact");
        QTest::addColumn<int>("state");
        QTest::newRow("0 occupied") << msg("B2 00 50") << 0 << int(Accessories::Occupied);
        QTest::newRow("1 free") << msg("B2 00 60") << 1 << int(Accessories::Free);
        QTest::newRow("5 occupied") << msg("B2 02 70") << 5 << int(Accessories::Occupied);
        QTest::newRow("2048 occupied") << msg("B2 00 58") << 2048 << int(Accessories::Occupied);
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
        QCOMPARE(hexText(bus.station.line().take(bus.now + 1)),
                 hexText(msgs({"B2 02 70", "B2 00 60"})));
        QCOMPARE(bus.station.accessories.contact(5), Accessories::Occupied);
    }

    void stationRequests_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QList<QByteArray> none;
        QTest::newRow("special option 10: acknowledge, then its value")
            << 1 << none << msg("ED 0F 01 47 58 02 00 0A 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 00 0A 00 04 00 00 00 00"});
        QTest::newRow("special option written and read: 35 = 200")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 01 04 23 00 48 00 00 00 00")}
            << msg("ED 0F 01 47 58 02 00 23 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 04 23 00 48 00 00 00 00"});
        QTest::newRow("special option 200: bit 7 of the number")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 01 01 48 00 09 00 00 00 00")}
            << msg("ED 0F 01 47 58 02 01 48 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 01 48 00 09 00 00 00 00"});
        QTest::newRow("special option 300 is not 44")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 01 00 2C 00 09 00 00 00 00")}
            << msg("ED 0F 01 47 58 02 00 2C 01 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 00 2C 01 00 00 00 00 00"});
        QTest::newRow("special option write acknowledged")
            << 1 << none << msg("ED 0F 01 47 58 01 04 23 00 48 00 00 00 00") << msg("B4 6D 7F");
        QTest::newRow("loco format: the default, DCC 28")
            << 1 << none << msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 04 03 00 52 00 00 00 00"});
        QTest::newRow("loco format written per address, extra byte kept")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 0C 0C 03 00 53 05 00 00 00")}
            << msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 0C 03 00 53 05 00 00 00"});
        QTest::newRow("loco format of address 200 (bit 7 in byte 6)")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 0C 05 48 00 40 00 00 00 00")}
            << msg("ED 0F 01 47 58 0D 01 48 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 05 48 00 40 00 00 00 00"});
        QTest::newRow("loco format: other addresses keep the default")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 0C 04 03 00 53 00 00 00 00")}
            << msg("ED 0F 01 47 58 0D 00 04 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 04 04 00 52 00 00 00 00"});
        QTest::newRow("loco format: the default follows special option 10")
            << 1 << QList<QByteArray>{msg("ED 0F 01 47 58 01 00 0A 00 06 00 00 00 00")}
            << msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 04 03 00 53 00 00 00 00"});
        QTest::newRow("loco format unknown to the station is refused")
            << 1 << none << msg("ED 0F 01 47 58 0C 04 03 00 4D 00 00 00 00") << msg("B4 6D 00");
        QTest::newRow("serial number, type 1")
            << 1 << none << msg("ED 0F 01 47 58 07 00 00 00 00 00 00 00 00")
            << msg("E5 0F 00 47 58 09 00 00 01 10 01 55 00 00");
        QTest::newRow("serial number, type 2")
            << 2 << none << msg("ED 0F 01 47 58 07 00 00 00 00 00 00 00 00")
            << msg("E5 0F 00 47 58 09 00 00 02 20 02 00 00 00");
        QTest::newRow("version 1.55, type 1")
            << 1 << none << msg("ED 0F 01 47 58 06 00 00 00 00 00 00 00 00")
            << msg("E5 0F 00 47 58 08 00 50 15 00 00 00 00 00");
        QTest::newRow("version 2.0, type 2")
            << 2 << none << msg("ED 0F 01 47 58 06 00 00 00 00 00 00 00 00")
            << msg("E5 0F 00 47 58 08 00 00 20 00 00 00 00 00");
        QTest::newRow("configuration reset restores the options")
            << 1
            << QList<QByteArray>{msg("ED 0F 01 47 58 01 00 0A 00 06 00 00 00 00"),
                                 msg("ED 0F 01 47 58 18 00 00 00 00 00 00 00 00")}
            << msg("ED 0F 01 47 58 02 00 0A 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 00 0A 00 04 00 00 00 00"});
        QTest::newRow("reset of the loco formats")
            << 1
            << QList<QByteArray>{msg("ED 0F 01 47 58 0C 04 03 00 53 00 00 00 00"),
                                 msg("ED 0F 01 47 58 18 00 01 00 00 00 00 00 00")}
            << msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 0B 04 03 00 52 00 00 00 00"});
        QTest::newRow("the loco format reset leaves the options")
            << 1
            << QList<QByteArray>{msg("ED 0F 01 47 58 01 00 0A 00 06 00 00 00 00"),
                                 msg("ED 0F 01 47 58 18 00 01 00 00 00 00 00 00")}
            << msg("ED 0F 01 47 58 02 00 0A 00 00 00 00 00 00")
            << msgs({"B4 6D 7F", "E5 0F 00 47 58 00 00 0A 00 06 00 00 00 00"});
        QTest::newRow("reset acknowledged")
            << 1 << none << msg("ED 0F 01 47 58 18 00 00 00 00 00 00 00 00") << msg("B4 6D 7F");
        QTest::newRow("unknown command refused")
            << 1 << none << msg("ED 0F 01 47 58 30 00 00 00 00 00 00 00 00") << msg("B4 6D 00");
    }
    void stationRequests() {
        QFETCH(int, type);
        QFETCH(QList<QByteArray>, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus(type);
        for (const QByteArray& m : before)
            bus.exchange(m);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void programmingTrack_data() {
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QList<QByteArray> none;
        QTest::newRow("start message: echo only")
            << none << msg("E5 07 01 47 58 41") << QByteArray();
        QTest::newRow("end message: echo only") << none << msg("E5 07 01 47 58 40") << QByteArray();
        QTest::newRow("read CV 29")
            << none << msg(ReadCv29) << msg("E7 0E 7C 2B 00 00 00 07 00 1C 16 00 00");
        QTest::newRow("read CV 8, the manufacturer")
            << none
            << msg("ED 1F 01 47 58 71 72 08 00 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 00 07 0D 00 00");
        QTest::newRow("read CV 67, start of the speed table")
            << none
            << msg("ED 1F 01 47 58 71 72 43 00 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 00 42 08 00 00");
        QTest::newRow("read CV 5: 255 carries bit 7 in CVH")
            << none
            << msg("ED 1F 01 47 58 71 72 05 00 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 02 04 7F 00 00");
        QTest::newRow("write 200 to CV 3, then read it")
            << QList<QByteArray>{msg("ED 1F 01 47 58 79 71 03 00 48 70 00 00 00 00 10 00 00 00 "
                                     "00 00 00 00 00 00 00 00 00 00 00")}
            << msg("ED 1F 01 47 58 71 72 03 00 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 02 02 48 00 00");
        QTest::newRow("write acknowledged")
            << none
            << msg("ED 1F 01 47 58 79 71 03 00 48 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 6B 00 00 00 07 02 02 48 00 00");
        QTest::newRow("CV 200 and CV 300 are different CVs")
            << QList<QByteArray>{msg("ED 1F 01 47 58 73 71 48 00 11 70 00 00 00 00 10 00 00 00 "
                                     "00 00 00 00 00 00 00 00 00 00 00")}
            << msg("ED 1F 01 47 58 71 72 2C 01 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 10 2B 00 00 00");
        QTest::newRow("read CV 1024, the last")
            << none
            << msg("ED 1F 01 47 58 71 72 00 04 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 00 00 00 07 31 7F 00 00 00");
        QTest::newRow("read CV 1025: no such CV")
            << none
            << msg("ED 1F 01 47 58 71 72 01 04 00 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 2B 02 00 00 07 31 7F 00 00 00");
        QTest::newRow("CV 7 cannot be written")
            << none
            << msg("ED 1F 01 47 58 71 71 07 00 05 70 00 00 00 00 10 00 00 00 00 00 00 00 00 00 "
                   "00 00 00 00 00")
            << msg("E7 0E 7C 6B 02 00 00 07 00 06 05 00 00");
        QTest::newRow("8 into CV 8 resets the decoder")
            << QList<QByteArray>{msg("ED 1F 01 47 58 71 71 1D 00 00 70 00 00 00 00 10 00 00 00 "
                                     "00 00 00 00 00 00 00 00 00 00 00"),
                                 msg("ED 1F 01 47 58 71 71 08 00 08 70 00 00 00 00 10 00 00 00 "
                                     "00 00 00 00 00 00 00 00 00 00 00")}
            << msg(ReadCv29) << msg("E7 0E 7C 2B 00 00 00 07 00 1C 16 00 00");
    }
    void programmingTrack() {
        QFETCH(QList<QByteArray>, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus;
        for (const QByteArray& m : before)
            bus.exchange(m);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void lncvModules_data() {
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        // Article 1234 (0x04D2) at module address 7.
        const QByteArray start = msg("ED 0F 01 05 00 21 41 52 04 00 00 07 00 00");
        const QList<QByteArray> started{start};
        QTest::newRow("start: the module answers with its address")
            << QList<QByteArray>{} << start << msg("E5 0F 05 49 4B 1F 41 52 04 00 00 07 00 00");
        QTest::newRow("start at any address, any article")
            << QList<QByteArray>{} << msg("ED 0F 01 05 00 21 73 7F 7F 00 00 7F 7F 00")
            << msg("E5 0F 05 49 4B 1F 41 52 04 00 00 07 00 00");
        QTest::newRow("start at another address: silence")
            << QList<QByteArray>{} << msg("ED 0F 01 05 00 21 41 52 04 00 00 08 00 00")
            << QByteArray();
        QTest::newRow("start for another article: silence")
            << QList<QByteArray>{} << msg("ED 0F 01 05 00 21 41 53 04 00 00 07 00 00")
            << QByteArray();
        QTest::newRow("read before start: silence")
            << QList<QByteArray>{} << msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00")
            << QByteArray();
        QTest::newRow("read LNCV 2 = 300")
            << started << msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00")
            << msg("E5 0F 05 49 4B 1F 01 52 04 02 00 2C 01 00");
        QTest::newRow("read a missing LNCV")
            << started << msg("ED 0F 01 05 00 21 01 52 04 05 00 00 00 00") << msg("B4 6D 01");
        QTest::newRow("write") << started << msg("ED 0F 01 05 00 20 01 52 04 04 00 09 00 00")
                               << msg("B4 6D 7F");
        QTest::newRow("written value read back")
            << QList<QByteArray>{start, msg("ED 0F 01 05 00 20 11 52 04 02 00 48 01 00")}
            << msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00")
            << msg("E5 0F 05 49 4B 1F 11 52 04 02 00 48 01 00");
        QTest::newRow("write a missing LNCV")
            << started << msg("ED 0F 01 05 00 20 01 52 04 05 00 01 00 00") << msg("B4 6D 01");
        QTest::newRow("write a read-only LNCV")
            << started << msg("ED 0F 01 05 00 20 01 52 04 03 00 01 00 00") << msg("B4 6D 02");
        QTest::newRow("write a value out of range")
            << started << msg("ED 0F 01 05 00 20 01 52 04 04 00 0B 00 00") << msg("B4 6D 03");
        QTest::newRow("stop: silence")
            << started << msg("ED 0F 01 05 00 21 01 52 04 00 00 07 00 40") << QByteArray();
        QTest::newRow("read after stop: silence")
            << QList<QByteArray>{start, msg("ED 0F 01 05 00 21 01 52 04 00 00 07 00 40")}
            << msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00") << QByteArray();
        QTest::newRow("a new module address answers the next start")
            << QList<QByteArray>{start, msg("ED 0F 01 05 00 20 01 52 04 00 00 09 00 00"),
                                 msg("ED 0F 01 05 00 21 01 52 04 00 00 07 00 40")}
            << msg("ED 0F 01 05 00 21 41 52 04 00 00 09 00 00")
            << msg("E5 0F 05 49 4B 1F 41 52 04 00 00 09 00 00");
    }
    void lncvModules() {
        QFETCH(QList<QByteArray>, before);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        Bus bus;
        LncvModule module;
        module.article = 1234;
        module.lncvs[0] = {7, false, 1, 65534};
        module.lncvs[2] = {300};
        module.lncvs[3] = {5, true};
        module.lncvs[4] = {0, false, 0, 10};
        bus.station.modules.clear();
        bus.station.modules.add(module);
        for (const QByteArray& m : before)
            bus.exchange(m);
        QCOMPARE(hexText(bus.answerTo(request)), hexText(answer));
    }

    void handheldThrottleAsksForItsLocomotive() {
        Bus bus;
        bus.station.announceThrottle(3, bus.now);
        QCOMPARE(hexText(bus.station.line().take(bus.now + 1)),
                 hexText(msg("E5 0F 00 00 00 1F 01 0E 12 05 00 03 00 00")));
        // The PC writes address 300 into its LNCV 10.
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 2C 01 00")),
                 hexText(msgs({"B4 6D 7F", "BF 02 2C", "E7 0E 01 30 2C 00 00 07 00 02 00 00 00"})));
        QCOMPARE(bus.station.throttles.throttle(3)->address, 300);
        // Having its locomotive, it takes no further address.
        QCOMPARE(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 04 00 00"), QByteArray());
    }

    void handheldThrottleRefusesAnAddressOutOfRange() {
        Bus bus;
        bus.station.announceThrottle(3, bus.now);
        bus.station.line().take(bus.now + 1);
        QCOMPARE(hexText(bus.answerTo("ED 0F 01 05 00 20 01 0E 12 0A 00 00 00 00")),
                 hexText(msg("B4 6D 03")));
        QVERIFY(bus.station.throttles.throttle(3)->waiting);
    }

    void faults_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("back");
        const QByteArray slot0 = msg("E7 0E 00 00 00 02 00 07 00 00 00 47 58");
        Faults silent;
        silent.silent = true;
        QTest::newRow("silent") << silent << msg(ReadSlot0) << QByteArray();
        Faults noEcho;
        noEcho.noEcho = true;
        QTest::newRow("no echo") << noEcho << msg(ReadSlot0) << slot0;
        Faults corrupt;
        corrupt.corruptEcho = true;
        QTest::newRow("corrupted echo") << corrupt << msg(ReadSlot0) << hex("BB 00 00 45") + slot0;
        Faults refuse;
        refuse.refuse = true;
        QTest::newRow("refuse a loco")
            << refuse << msg("BF 00 03") << msgs({"BF 00 03", "B4 3F 00"});
        QTest::newRow("refuse a switch command")
            << refuse << msg("B0 05 30") << msgs({"B0 05 30", "B4 30 00"});
        QTest::newRow("refuse a station request")
            << refuse << msg("ED 0F 01 47 58 02 00 0A 00 00 00 00 00 00")
            << msgs({"ED 0F 01 47 58 02 00 0A 00 00 00 00 00 00", "B4 6D 00"});
        QTest::newRow("refuse slot 0") << refuse << msg(ReadSlot0) << msgs({ReadSlot0, "B4 3B 00"});
        Faults noDecoder;
        noDecoder.programmingTrack = Faults::ProgrammingTrack::NoDecoder;
        QTest::newRow("no decoder on the programming track")
            << noDecoder << msg(ReadCv29)
            << msg(ReadCv29) + msg("E7 0E 7C 2B 04 00 00 07 00 1C 00 00 00");
        Faults shortCircuit;
        shortCircuit.programmingTrack = Faults::ProgrammingTrack::ShortCircuit;
        QTest::newRow("short circuit on the programming track")
            << shortCircuit << msg(ReadCv29)
            << msg(ReadCv29) + msg("E7 0E 7C 2B 03 00 00 07 00 1C 00 00 00");
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
        bus.exchange(msg("B0 05 10"));
        bus.station.faults.refuse = false;
        QCOMPARE(hexText(bus.answerTo("BC 05 00")), hexText(msg("B4 3C 30")));
    }

    void delayedAnswerComesAfterItsDelay() {
        Bus bus;
        bus.station.faults.answerDelay = 2.0;
        const QByteArray request = msg(ReadSlot0);
        bus.station.receive(request, bus.now);
        QCOMPARE(bus.station.line().take(bus.now + 1.9), request);
        QCOMPARE(bus.station.line().take(bus.now + 2.0), QByteArray());
        QCOMPARE(bus.station.line().take(bus.now + 2.1),
                 msg("E7 0E 00 00 00 02 00 07 00 00 00 47 58"));
    }

    void delayedAnswerLetsLaterEchoesPass() {
        Bus bus;
        bus.station.faults.answerDelay = 2.0;
        bus.station.receive(msg(ReadSlot0), bus.now);
        bus.station.receive(msg("82"), bus.now + 1);
        QCOMPARE(hexText(bus.station.line().take(bus.now + 3)),
                 hexText(msgs({ReadSlot0, "82", "E7 0E 00 00 00 02 00 07 00 00 00 47 58"})));
    }

    void linePacesBytesAtItsBitRate_data() {
        QTest::addColumn<int>("bitRate");
        QTest::newRow("2400") << 2400;
        QTest::newRow("16457") << 16457;
        QTest::newRow("115200") << 115200;
    }
    void linePacesBytesAtItsBitRate() {
        QFETCH(int, bitRate);
        Bus bus;
        bus.station.line().setBitRate(bitRate);
        const double byte = 10.0 / bitRate;
        const double t = bus.now;
        // Four bytes of echo, then fourteen of slot data.
        bus.station.receive(msg(ReadSlot0), t);
        PacedLine& line = bus.station.line();
        QCOMPARE(line.ready(t), 0);
        QCOMPARE(line.ready(t + 0.99 * byte), 0);
        QCOMPARE(line.ready(t + byte), 1);
        QCOMPARE(line.ready(t + 4 * byte), 4);
        QCOMPARE(line.take(t + 17.5 * byte).size(), 17);
        QCOMPARE(line.nextArrival(t + 17.5 * byte), t + 18 * byte);
        QCOMPARE(line.take(t + 18 * byte).size(), 1);
        QCOMPARE(line.nextArrival(t + 18 * byte), -1.0);
    }

    void messagesQueueBehindEachOtherOnTheLine() {
        Bus bus;
        const double byte = 10.0 / 19200;
        const double t = bus.now;
        bus.station.receive(msg("82") + msg("83"), t);
        QCOMPARE(bus.station.line().take(t + 3 * byte), msg("82") + hex("83"));
        QCOMPARE(bus.station.line().take(t + 4 * byte), hex("7C"));
    }
};

QTEST_GUILESS_MAIN(SimTest)
#include "tst_sim.moc"
