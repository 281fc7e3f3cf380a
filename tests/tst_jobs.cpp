#include "link/Colours.h"
#include "support/LinkHarness.h"
#include "support/MessageText.h"

#include <QTest>

class JobsTest : public QObject {
    Q_OBJECT

private slots:
    // Jobs of one message; the loco actions act on throttle 0, which drives
    // locomotive 44 in slot 7.
    void oneMessageJobs_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("counter");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("19: green on, 200") << 19 << 200 << msg("B0 48 31");
        QTest::newRow("16: red off, 200") << 16 << 200 << msg("B0 48 01");
        QTest::newRow("18: red on, 2047") << 18 << 2047 << msg("B0 7F 1F");
        QTest::newRow("17: green off, 2047") << 17 << 2047 << msg("B0 7F 2F");
        QTest::newRow("21: contact 5 occupied") << 21 << 5 << msg("B2 02 70");
        QTest::newRow("21: contact 0 occupied") << 21 << 0 << msg("B2 00 50");
        QTest::newRow("20: contact 0 free") << 20 << 0 << msg("B2 00 40");
        QTest::newRow("20: contact 1 free") << 20 << 1 << msg("B2 00 60");
        QTest::newRow("21: contact 2048") << 21 << 2048 << msg("B2 00 58");
        QTest::newRow("3: power off") << 3 << 0 << msg("82");
        QTest::newRow("4: power on") << 4 << 0 << msg("83");
        QTest::newRow("38: direction and F0..F4") << 38 << 44 << msg("A1 07 11");
        QTest::newRow("37: F5..F8") << 37 << 44 << msg("A2 07 05");
        QTest::newRow("36: F9..F12") << 36 << 44 << msg("D4 20 07 05 10");
        QTest::newRow("39: speed") << 39 << 44 << msg("A0 07 40");
        QTest::newRow("40: raw message as typed") << 40 << 0 << msg("B0 12 30");
    }
    void oneMessageJobs() {
        QFETCH(int, code);
        QFETCH(int, counter);
        QFETCH(QByteArray, sent);
        LinkHarness h;
        SlotRecord& r = h.s.ThrottleData[0];
        r[SlotRecord::Address] = 44;
        r[SlotRecord::DirF] = 0x11;
        r[SlotRecord::Snd] = 0x05;
        r[SlotRecord::Speed] = 0x40;
        h.s.ThrottleSlot[0] = 7;
        h.s.job.ExtFnType = 5;
        h.s.job.ExtFnValue = 0x10;
        h.s.MonitorSendText = "B0 12 30";
        h.s.job.start(code, counter);
        QCOMPARE(hexText(h.echoNext()), hexText(sent));
        h.ticks(2);
        QVERIFY(h.s.job.idle());
        QVERIFY(!h.operating.busy);
        QVERIFY(h.port.written.isEmpty());
    }

    void jobWaitsForTheBufferToBeFree() {
        LinkHarness h;
        h.s.link.Tx.place({0x83});
        h.tick();
        QCOMPARE(h.port.takeWritten(), msg("83"));
        h.s.job.start(21, 5);
        h.ticks(10);
        QVERIFY(h.port.written.isEmpty());
        QVERIFY(h.operating.busy);
        h.receiveBytes(msg("83"));
        h.tick(); // the echo frees the buffer at the end of this tick
        h.tick();
        QCOMPARE(h.port.takeWritten(), msg("B2 02 70"));
    }

    void pulseSwitchesOffHalfASecondAfterTheEcho() {
        LinkHarness h;
        h.s.job.start(11, 4);
        QCOMPARE(h.nextWritten(), msg("B0 04 30"));
        h.ticks(30);
        h.receiveBytes(msg("B0 04 30"));
        const double echoed = h.clock.now();
        const QByteArray off = h.nextWritten();
        QCOMPARE(off, msg("B0 04 20"));
        const double pulse = h.clock.now() - echoed;
        QVERIFY2(pulse > 0.5 && pulse < 0.55, qPrintable(QString::number(pulse)));
        h.receiveBytes(off);
        h.ticks(3);
        QVERIFY(h.s.job.idle());
    }

    // The page query asks the 16 addresses one after another, each after the
    // answer to the previous one, and colours the lamps from the answers.
    void pageQueryAsksSixteenAccessories() {
        LinkHarness h;
        h.s.KeyboardBase = 32;
        h.s.job.start(1, 31);
        for (int a = 32; a < 48; ++a) {
            const QByteArray query = h.echoNext();
            QCOMPARE(query, loconet::withChecksum(QByteArray("\xBC") + char(a) + char(0)));
            h.tick();
            QVERIFY(h.port.written.isEmpty());
            h.receive(a % 2 ? "B4 3C 50" : "B4 3C 30");
        }
        h.ticks(3);
        QVERIFY(h.s.job.idle());
        QCOMPARE(h.operating.lamps.size(), 16);
        QCOMPARE(h.operating.lamps[0], colour::Green);
        QCOMPARE(h.operating.lamps[15], colour::Red);
        QVERIFY(h.messages.messages.isEmpty());
    }

    void locoJobAcquiresTheLocomotive_data() {
        QTest::addColumn<int>("stationType");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("type 1") << 1 << msg("BF 00 03");
        QTest::newRow("unknown") << 99 << msg("BF 00 03");
        QTest::newRow("type 2") << 2 << msg("BE 00 03");
        QTest::newRow("type 3") << 3 << msg("BE 00 03");
    }
    void locoJobAcquiresTheLocomotive() {
        QFETCH(int, stationType);
        QFETCH(QByteArray, request);
        LinkHarness h(3, stationType);
        h.s.job.JobThrottle = 0;
        h.s.job.start(30, 3);
        QCOMPARE(h.echoNext(), request);
        QVERIFY(h.s.job.LocoJobActive);
        h.receive("E7 0E 05 03 03 00 20 07 00 00 00 00 00");
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00"));
        QCOMPARE(h.s.ThrottleSlot[0], 5);
        QVERIFY(h.s.ThrottleData[0].FormatName.isEmpty());
        h.receive("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00");
        h.ticks(3);
        QCOMPARE(h.s.ThrottleData[0].FormatName, QString("DCC - 28"));
        QCOMPARE(h.s.ThrottleData[0][SlotRecord::SpeedSteps], 28);
        QVERIFY(h.s.job.idle());
        QVERIFY(!h.s.job.LocoJobActive);
        QVERIFY(h.messages.messages.isEmpty());
    }

    void locoAddressBeyond255ReadsItsFormatWithHighBits() {
        LinkHarness h;
        h.s.job.start(30, 1000);
        QCOMPARE(h.echoNext(), msg("BF 07 68"));
        h.receive("E7 0E 07 03 68 00 00 07 00 07 00 00 00");
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 0D 01 68 03 00 00 00 00 00"));
    }

    // A direction change goes out, then the speed 0.
    void directionChangeIsFollowedBySpeedZero() {
        LinkHarness h;
        SlotRecord& slot = h.s.SlotTable[5];
        slot[SlotRecord::Address] = 3;
        slot[SlotRecord::DirF] = 0x30;
        slot[SlotRecord::Speed] = 80;
        h.s.ThrottleData[1] = slot;
        h.s.ThrottleSlot[1] = 5;
        h.s.job.JobThrottle = 1;
        h.s.job.start(35, 3);
        QCOMPARE(h.echoNext(), msg("A1 05 30"));
        QCOMPARE(h.echoNext(), msg("A0 05 00"));
        h.ticks(3);
        QVERIFY(h.s.job.idle());
    }

    void locoJobWithoutSlotSendsNothing() {
        LinkHarness h;
        h.s.ThrottleData[0][SlotRecord::Address] = 44;
        h.s.job.start(39, 44);
        h.ticks(5);
        QVERIFY(h.port.written.isEmpty());
        QVERIFY(h.s.job.idle());
    }

    void serialNumberAndVersion() {
        LinkHarness h;
        int versionShows = 0;
        h.s.hooks.OnVersionRead = [&] { ++versionShows; };
        h.s.job.start(47);
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 07 00 00 00 00 00 00 00 00"));
        h.receive("B4 6D 7F");
        h.receive("E5 0F 00 00 00 09 00 12 34 56 78 10 00 00");
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 06 00 00 00 00 00 00 00 00"));
        h.receive("E5 0F 00 00 00 08 00 50 15 00 00 00 00 00");
        h.ticks(3);
        QVERIFY(h.s.job.idle());
        QCOMPARE(h.s.answers.SerialNumber, 1234567810.0);
        QVERIFY(qFuzzyCompare(h.s.answers.SoftwareVersion, 1.55));
        QCOMPARE(versionShows, 1);
    }

    void identification_data() {
        QTest::addColumn<QString>("slot0");
        QTest::addColumn<int>("stationType");
        QTest::addColumn<int>("power");
        QTest::newRow("type 1") << "E7 0E 00 00 00 02 00 07 00 00 00 47 58" << 1 << 1;
        QTest::newRow("type 2, power off") << "E7 0E 00 00 00 03 00 06 00 00 00 47 58" << 2 << 0;
        QTest::newRow("type 3") << "E7 0E 00 02 42 03 00 07 00 00 15 47 58" << 3 << 1;
        QTest::newRow("unknown") << "E7 0E 00 00 00 04 00 07 00 00 00 47 58" << 99 << 1;
    }
    void identification() {
        QFETCH(QString, slot0);
        QFETCH(int, stationType);
        QFETCH(int, power);
        LinkHarness h(3, -1);
        h.s.job.start(100, -1);
        QCOMPARE(h.echoNext(), msg("BB 00 00"));
        h.receive(slot0.toLatin1().constData());
        h.ticks(2);
        QCOMPARE(h.s.StationType, stationType);
        QCOMPARE(h.operating.power, QList<int>{power});
        QVERIFY(h.s.job.idle());
    }

    // A request left unanswered ends its job with a message at its time
    // limit, and nothing further is asked: no next accessory, no version.
    void timeOuts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("message");
        QTest::newRow("page query") << 1 << QList<QByteArray>{wire("B4 3C 30")} << 2
                                    << "Keine Antwort auf Mag.Art.Abfrage erhalten!";
        QTest::newRow("loco: no slot")
            << 30 << QList<QByteArray>{} << 2 << "Keine Antwort auf Lokanfrage erhalten!";
        QTest::newRow("loco: no format") << 30 << QList<QByteArray>{wire("E7 0E 05 03 03 00 20 07")}
                                         << 2 << "Keine Antwort auf LokCfg-Read erhalten!";
        QTest::newRow("serial number")
            << 47 << QList<QByteArray>{} << 2 << "Keine Antwort Anfrage Seriennummer erhalten!";
        QTest::newRow("identification")
            << 100 << QList<QByteArray>{} << 1 << "Keine Antwort auf Slot 0 Anfrage erhalten!";
    }
    void timeOuts() {
        QFETCH(int, code);
        QFETCH(QList<QByteArray>, answers);
        QFETCH(int, seconds);
        QFETCH(QString, message);
        LinkHarness h(3, -1);
        h.s.job.start(code, 3);
        for (const QByteArray& answer : answers) {
            h.echoNext();
            h.receiveBytes(answer);
        }
        h.echoNext();
        h.ticks(seconds * 100 - 5);
        QVERIFY(h.messages.messages.isEmpty());
        h.ticks(10);
        QCOMPARE(h.messages.messages, QStringList{message});
        QCOMPARE(h.messages.titles, QStringList{"Fehler"});
        QVERIFY(h.s.job.idle());
        h.ticks(10);
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(h.s.answers.SerialNumber, -1.0);
        QCOMPARE(h.s.StationType, code == 100 ? 99 : -1);
    }

    void unknownJobWaitsToBeReplaced() {
        LinkHarness h;
        h.s.job.start(77);
        h.ticks(20);
        QCOMPARE(h.s.job.JobCode, 77);
        QVERIFY(h.port.written.isEmpty());
        h.s.job.start(4);
        QCOMPARE(h.nextWritten(), msg("83"));
    }
};

QTEST_GUILESS_MAIN(JobsTest)
#include "tst_jobs.moc"
