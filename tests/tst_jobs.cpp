#include "link/AccessoryJobs.h"
#include "link/LinkJobs.h"
#include "link/LocoJobs.h"
#include "link/SerialNumberJob.h"
#include "support/LinkHarness.h"
#include "support/MessageText.h"

#include <QTest>
#include <functional>

namespace {
using Ask = std::function<void(JobMachine&)>;

// Throttle 0's locomotive 3 in slot 5.
Ask loco(Job action, int value) {
    return [=](JobMachine& jobs) { requestLocoAction(jobs, action, 0, 3, 5, value); };
}
Ask accessory(int address, bool green, bool on) {
    return [=](JobMachine& jobs) { requestAccessory(jobs, address, green, on); };
}
Ask feedback(int contact) {
    return [=](JobMachine& jobs) { requestFeedbackReport(jobs, contact, true); };
}
Ask power(bool on) {
    return [=](JobMachine& jobs) { requestPower(jobs, on); };
}
} // namespace

Q_DECLARE_METATYPE(Ask)

class JobsTest : public QObject {
    Q_OBJECT

private slots:
    void jobWaitsForTheBufferToBeFree() {
        LinkHarness h;
        h.s.link.Tx.place({0x83});
        h.tick();
        QCOMPARE(h.port.takeWritten(), msg("83"));
        requestFeedbackReport(h.core.jobs, 5, true);
        h.ticks(10);
        QVERIFY(h.port.written.isEmpty());
        h.receiveBytes(msg("83"));
        h.tick(); // the echo frees the buffer at the end of this tick
        h.tick();
        QCOMPARE(h.port.takeWritten(), msg("B2 02 70"));
    }

    // What the user asks for while a job runs waits for its end and then
    // goes out in order, each job over once its message is echoed; a newer
    // request supersedes only one that it makes pointless.
    void requestsWaitForTheRunningJob_data() {
        QTest::addColumn<QList<Ask>>("asks");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QList<Ask>& asks, const char* after) {
            QTest::newRow(name) << asks << wire(after);
        };
        const Ask turn = loco(Job::LocoDirectionThenStop, 0x20);
        const auto speed = [](int value) { return loco(Job::LocoSpeed, value); };
        row("accessory 200 green on", {accessory(200, true, true)}, "B0 48 31");
        row("contact 5 occupied", {feedback(5)}, "B2 02 70");
        row("contact 2048 occupied", {feedback(2048)}, "B2 00 58");
        row("the slider's latest position", {speed(10), speed(20)}, "A0 05 14");
        row("direction, then F5: the direction is not lost",
            {turn, loco(Job::LocoSoundFunctions, 1)}, "A1 05 20 | A0 05 00 | A2 05 01");
        row("a direction change stops a waiting speed", {speed(60), turn}, "A1 05 20 | A0 05 00");
        row("speed after the direction change", {turn, speed(40)},
            "A1 05 20 | A0 05 00 | A0 05 28");
        row("an accessory's on and off keep their order",
            {accessory(5, false, true), accessory(5, false, false)}, "B0 05 10 | B0 05 00");
        row("power: the later choice", {power(false), power(true)}, "83");
        row("power off", {power(false)}, "82");
    }
    void requestsWaitForTheRunningJob() {
        QFETCH(QList<Ask>, asks);
        QFETCH(QByteArray, after);
        LinkHarness h;
        h.s.station.ThrottleData[0][SlotRecord::Address] = 3;
        h.s.station.ThrottleSlot[0] = 5;
        requestSerialNumberAndVersion(h.core.jobs);
        h.echoNext();
        for (const Ask& ask : asks)
            ask(h.core.jobs);
        h.ticks(20);
        QVERIFY(h.port.written.isEmpty());
        h.receiveBytes(wire("E5 0F 00 47 58 09 00 12 34 56 78 10"));
        h.echoNext();
        h.receiveBytes(wire("E5 0F 00 47 58 08 00 50 15"));
        QByteArray all; // until the program falls quiet, each message echoed
        for (QByteArray sent = h.echoNext(50); !sent.isEmpty(); sent = h.echoNext(50))
            all += sent;
        QCOMPARE(hexText(all), hexText(after));
        QVERIFY(h.core.jobs.idle());
        QVERIFY(!h.operating.busy);
    }

    // The request suits the station type; the format is asked with the
    // address's high bits.
    void locoJobAsksForTheLocomotiveAndItsFormat_data() {
        QTest::addColumn<int>("stationType");
        QTest::addColumn<int>("address");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("slotData");
        QTest::addColumn<QByteArray>("formatRequest");
        const auto row = [](const char* name, int type, int address, const char* request,
                            const char* slot = "E7 0E 05 03 03 00 20 07",
                            const char* format = "ED 0F 01 47 58 0D 00 03") {
            QTest::newRow(name) << type << address << wire(request) << wire(slot) << wire(format);
        };
        row("type 1", 1, 3, "BF 00 03");
        row("unknown", 99, 3, "BF 00 03");
        row("type 2", 2, 3, "BE 00 03");
        row("type 3", 3, 3, "BE 00 03");
        row("address 1000", 1, 1000, "BF 07 68", "E7 0E 07 03 68 00 00 07 00 07",
            "ED 0F 01 47 58 0D 01 68 03");
    }
    void locoJobAsksForTheLocomotiveAndItsFormat() {
        QFETCH(int, stationType);
        QFETCH(int, address);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, slotData);
        QFETCH(QByteArray, formatRequest);
        LinkHarness h(3, stationType);
        requestLocoAction(h.core.jobs, Job::LocoAcquire, 0, address, -1);
        QCOMPARE(h.echoNext(), request);
        h.receiveBytes(slotData);
        QCOMPARE(h.echoNext(), formatRequest);
    }

    // Nothing is taken while the line is closed; a throttle whose
    // locomotive never came sends nothing for it.
    void nothingGoesOutUnasked() {
        LinkHarness h;
        h.core.jobs.close(false);
        QCOMPARE(requestAccessory(h.core.jobs, 5, true, true), 0u);
        h.core.jobs.open();
        h.s.station.ThrottleData[0][SlotRecord::Address] = 44;
        requestLocoAction(h.core.jobs, Job::LocoSpeed, 0, 44, -1, 20);
        h.ticks(10);
        QVERIFY(h.port.written.isEmpty());
        QVERIFY(h.core.jobs.idle());
    }

    // A request left unanswered ends its job with a message at its time
    // limit of two seconds, and nothing further is asked. An answer that
    // came before the limit counts, however late the next tick runs.
    void timeOuts_data() {
        QTest::addColumn<Ask>("ask");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("lastAnswer");
        QTest::addColumn<QString>("message");
        QTest::newRow("page query")
            << Ask([](JobMachine& j) { requestPageQuery(j, 0); }) << wire("B4 3C 30")
            << wire("B4 3C 50") << "Keine Antwort auf Mag.Art.Abfrage erhalten!";
        const Ask acquire = [](JobMachine& j) { requestLocoAction(j, Job::LocoAcquire, 0, 3, -1); };
        QTest::newRow("loco: no format")
            << acquire << wire("E7 0E 05 03 03 00 20 07") << wire("E5 0F 00 47 58 0B 04 03 00 53")
            << "Keine Antwort auf LokCfg-Read erhalten!";
    }
    void timeOuts() {
        QFETCH(Ask, ask);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, lastAnswer);
        QFETCH(QString, message);
        for (const bool answered : {false, true}) {
            LinkHarness h(3, -1);
            ask(h.core.jobs);
            h.echoNext();
            h.receiveBytes(answer);
            h.echoNext();
            h.ticks(195);
            QVERIFY(h.messages.messages.isEmpty());
            if (answered) {
                h.receiveBytes(lastAnswer);
                h.tick();
                h.clock.advance(0.5); // the next tick comes late
            }
            h.tick();
            if (answered) {
                QVERIFY2(!h.messages.messages.contains(message), qPrintable(message));
                continue;
            }
            h.ticks(10);
            QCOMPARE(h.messages.messages, QStringList{message});
            QCOMPARE(h.messages.titles, QStringList{"Fehler"});
            QVERIFY(h.core.jobs.idle());
            h.ticks(10);
            QVERIFY(h.port.written.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(JobsTest)
#include "tst_jobs.moc"
