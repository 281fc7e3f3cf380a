#include "support/LinkHarness.h"
#include "support/MessageText.h"

#include <QTest>

class JobsTest : public QObject {
    Q_OBJECT

private slots:
    // Jobs of one message at the edges of the address and contact numbers.
    void oneMessageJobs_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("counter");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("19: green on, 200") << 19 << 200 << msg("B0 48 31");
        QTest::newRow("21: contact 5 occupied") << 21 << 5 << msg("B2 02 70");
        QTest::newRow("21: contact 0 occupied") << 21 << 0 << msg("B2 00 50");
        QTest::newRow("20: contact 0 free") << 20 << 0 << msg("B2 00 40");
        QTest::newRow("21: contact 2048") << 21 << 2048 << msg("B2 00 58");
    }
    void oneMessageJobs() {
        QFETCH(int, code);
        QFETCH(int, counter);
        QFETCH(QByteArray, sent);
        LinkHarness h;
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

    // The request suits the station type; the format is asked with the
    // address's high bits.
    void locoJobAsksForTheLocomotiveAndItsFormat_data() {
        QTest::addColumn<int>("stationType");
        QTest::addColumn<int>("address");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("slotData");
        QTest::addColumn<QByteArray>("formatRequest");
        const QByteArray slot3 = msg("E7 0E 05 03 03 00 20 07 00 00 00 00 00");
        const QByteArray format3 = msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00");
        QTest::newRow("type 1") << 1 << 3 << msg("BF 00 03") << slot3 << format3;
        QTest::newRow("unknown") << 99 << 3 << msg("BF 00 03") << slot3 << format3;
        QTest::newRow("type 2") << 2 << 3 << msg("BE 00 03") << slot3 << format3;
        QTest::newRow("type 3") << 3 << 3 << msg("BE 00 03") << slot3 << format3;
        QTest::newRow("address 1000")
            << 1 << 1000 << msg("BF 07 68") << msg("E7 0E 07 03 68 00 00 07 00 07 00 00 00")
            << msg("ED 0F 01 47 58 0D 01 68 03 00 00 00 00 00");
    }
    void locoJobAsksForTheLocomotiveAndItsFormat() {
        QFETCH(int, stationType);
        QFETCH(int, address);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, slotData);
        QFETCH(QByteArray, formatRequest);
        LinkHarness h(3, stationType);
        h.s.job.JobThrottle = 0;
        h.s.job.start(30, address);
        QCOMPARE(h.echoNext(), request);
        h.receiveBytes(slotData);
        QCOMPARE(h.echoNext(), formatRequest);
    }

    void locoJobWithoutSlotSendsNothing() {
        LinkHarness h;
        h.s.ThrottleData[0][SlotRecord::Address] = 44;
        h.s.job.start(39, 44);
        h.ticks(5);
        QVERIFY(h.port.written.isEmpty());
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
