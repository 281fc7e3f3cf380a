#include "link/LocoJobs.h"
#include "link/SerialNumberJob.h"
#include "programming/ProgrammingJobs.h"
#include "support/LinkHarness.h"
#include "support/MessageText.h"
#include "support/RecordingProgView.h"

#include <QTest>

namespace {

const QByteArray Start = wire("E5 07 01 47 58 41");
const QByteArray End = wire("E5 07 01 47 58 40");

struct Bench {
    LinkHarness h;
    RecordingProgView view;
    ProgrammingJobs& p = h.core.programming;

    Bench() { p.setView(&view); }

    // The command station's answer on the programming-track slot.
    void answer(int status, int cvh = 0, int data = 0) {
        QByteArray m = hex("E7 0E 7C 00 00 00 00 00 00 00 00 00 00");
        m[4] = char(status);
        m[8] = char(cvh);
        m[10] = char(data);
        h.receiveBytes(loconet::withChecksum(m));
    }
    // Echoes the start message and returns the first request, echoed.
    QByteArray firstRequest() {
        const QByteArray start = h.echoNext();
        if (start != Start)
            return "start message missing: " + start.toHex(' ');
        return h.echoNext();
    }
    bool start(Job job) {
        return job == Job::CvRead ? p.startSingleRead(29)
               : job == Job::CvWrite
                   ? p.startSingleWrite(29, 6)
                   : p.startListJob(ProgrammingState::StandardList, job == Job::CvListWrite);
    }
    // The job has ended with the end message and the window is idle.
    bool endedIdle() {
        const bool ended = h.echoNext() == End;
        h.ticks(3);
        return ended && view.idle && h.core.jobs.idle() && h.port.written.isEmpty();
    }
};

// A write when cvh < 0, else a read answered with cvh and data.
struct CvCase {
    int cv, value;     // the value written or read
    const char* bytes; // bytes 5..9 of the request; the rest is the same for every CV
    int cvh = -1, data = 0;
};

int cvOf(const QByteArray& request) {
    return quint8(request[7]) + (quint8(request[5]) & 0x02 ? 0x80 : 0) + quint8(request[8]) * 256;
}

} // namespace

Q_DECLARE_METATYPE(CvCase)

class CvJobsTest : public QObject {
    Q_OBJECT

private slots:
    // The request for one CV, and its answer: the value read (its bit 7 in
    // CVH, whose CV bits do not count) or the value written. An answer on
    // the bus before the job has begun changes nothing.
    void singleJobs_data() {
        QTest::addColumn<CvCase>("c");
        QTest::newRow("read CV 1") << CvCase{1, 133, "71 72 01 00 00", 0x02, 0x05};
        QTest::newRow("write CV 200 = 200") << CvCase{200, 200, "7B 71 48 00 48"};
        QTest::newRow("read CV 200") << CvCase{200, 17, "73 72 48 00 00", 0x31, 0x11};
        QTest::newRow("read CV 300") << CvCase{300, 7, "71 72 2C 01 00", 0, 7};
        QTest::newRow("write CV 1024 = 255") << CvCase{1024, 255, "79 71 00 04 7F"};
    }
    void singleJobs() {
        QFETCH(CvCase, c);
        const bool read = c.cvh >= 0;
        Bench b;
        if (read)
            b.p.startSingleRead(c.cv);
        else
            b.p.startSingleWrite(c.cv, c.value);
        b.answer(0, 0x7F, 0x55);
        b.h.tick();
        QCOMPARE(hexText(b.firstRequest()),
                 hexText(wire(QByteArray("ED 1F 01 47 58 ") + c.bytes + " 70 00 00 00 00 10")));
        QCOMPARE(b.view.status(), (read ? " Lese CV " : " Schreibe CV ") + QString::number(c.cv));
        QVERIFY(!b.view.idle);
        b.answer(0, std::max(c.cvh, 0), c.data);
        QVERIFY(b.endedIdle());
        QCOMPARE(b.p.prog.CvValue[c.cv], c.value);
        QCOMPARE(b.view.singleValues, read ? QStringList{QString::number(c.value)} : QStringList());
        QCOMPARE(b.view.status(), read ? " Lesevorgang beendet " : " Schreibvorgang beendet ");
        QVERIFY(b.h.messages.messages.isEmpty());
    }

    // A refusal is told in the status line and a box; silence after 5 s in
    // a box only.
    void errors_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("status"); // -1: no answer
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("valueField");
        const auto row = [](const char* name, Job job, int status, const QString& text,
                            const char* valueField = "") {
            QTest::newRow(name) << int(job) << status << text << QString(valueField);
        };
        const QString track = "Programmiergleis: ";
        row("read 3", Job::CvRead, 3, track + "Kurzschluss", "-");
        row("read 4", Job::CvRead, 4, track + "keine Lok", "_");
        row("write 2", Job::CvWrite, 2, track + "Schreibfehler");
        row("list write 2", Job::CvListWrite, 2, track + "unbekannter Fehler");
        row("read, no answer", Job::CvRead, -1, "Keine Antwort auf CV-Lesen erhalten!");
        row("list write, no answer", Job::CvListWrite, -1,
            "Keine Antwort auf CV-Schreiben erhalten!");
    }
    void errors() {
        QFETCH(int, job);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(QString, valueField);
        Bench b;
        for (int cv = 1; cv <= 29; ++cv)
            b.p.prog.CvValue[cv] = cv;
        b.start(Job(job));
        b.firstRequest();
        b.h.tick(); // the echo is taken
        const QString asking = b.view.status();
        if (status >= 0) {
            b.answer(status);
        } else {
            b.h.clock.advance(b.h.s.job.JobTimeStamp + 4.995 - b.h.clock.now());
            b.h.tick();
            QVERIFY(b.h.messages.messages.isEmpty() && b.h.port.written.isEmpty());
        }
        QVERIFY(b.endedIdle());
        QCOMPARE(b.view.status(), status >= 0 ? " " + text : asking);
        QCOMPARE(b.h.messages.messages, QStringList{text});
        if (!valueField.isEmpty())
            QCOMPARE(b.view.singleValues, QStringList{valueField});
    }

    // Each CV is asked only after the answer to the one before; a failing
    // CV ends the list, and what was read before it stays.
    void readingAListAsksOneCvAfterTheOther_data() {
        QTest::addColumn<int>("failing"); // 0: none
        QTest::newRow("all answered") << 0;
        QTest::newRow("CV 3 fails") << 3;
    }
    void readingAListAsksOneCvAfterTheOther() {
        QFETCH(int, failing);
        const QList<int> cvs{1, 2, 3, 4, 5, 6, 7, 8, 17, 18, 29};
        Bench b;
        b.p.startListJob(ProgrammingState::StandardList, false);
        QByteArray sent = b.firstRequest();
        for (const int cv : cvs) {
            QCOMPARE(cvOf(sent), cv);
            QCOMPARE(quint8(sent[6]), quint8(0x72));
            b.h.ticks(10);
            QVERIFY(b.h.port.written.isEmpty());
            if (cv == failing) {
                b.answer(4);
                break;
            }
            b.answer(0, 0, cv + 10);
            sent = b.h.echoNext();
        }
        if (failing)
            QVERIFY(b.endedIdle());
        else
            QCOMPARE(sent, End);
        for (const int cv : cvs)
            QCOMPARE(b.p.prog.CvValue[cv],
                     failing && cv >= failing ? ProgrammingState::Unknown : cv + 10);
    }

    // A running list ends at its next step with the end message when "Abbruch" is pressed or
    // Trennen closes the line; a line lost can send nothing. An answer arriving with it is not
    // taken, and no box appears. A second start meanwhile is refused and cuts into nothing.
    void endingEarly_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("how"); // 0: "Abbruch", 1: Trennen, 2: line lost
        QTest::newRow("Abbruch, list write") << int(Job::CvListWrite) << 0;
        QTest::newRow("Trennen") << int(Job::CvListRead) << 1;
        QTest::newRow("line lost") << int(Job::CvListRead) << 2;
    }
    void endingEarly() {
        QFETCH(int, job);
        QFETCH(int, how);
        Bench b;
        b.p.prog.CvValue[1] = 3;
        b.start(Job(job));
        b.firstRequest();
        QVERIFY(!b.p.startSingleWrite(7, 1));
        QVERIFY(!b.p.startListJob(ProgrammingState::StandardList, true));
        if (how == 0)
            b.p.cancel();
        else
            b.h.core.jobs.close(how == 1);
        b.answer(0, 0, 9);
        QCOMPARE(b.h.echoNext(), how == 2 ? QByteArray() : End);
        b.h.ticks(3);
        QVERIFY(b.view.idle && b.h.core.jobs.idle() && b.h.port.written.isEmpty());
        QCOMPARE(b.view.status(), QString("Abbruch"));
        QVERIFY(b.h.messages.messages.isEmpty());
        QCOMPARE(b.p.prog.CvValue[1], 3);
        QCOMPARE(b.p.prog.CvValue[7], ProgrammingState::Unknown);
    }

    // "Abbruch" on a job still waiting behind another takes it back: it never starts.
    void cancelWithdrawsAWaitingJob() {
        Bench b;
        requestSerialNumberAndVersion(b.h.core.jobs);
        b.start(Job::CvListRead);
        QVERIFY(b.p.running() && !b.view.idle);
        b.p.cancel();
        QVERIFY(!b.p.running() && b.view.idle);
        QCOMPARE(b.view.status(), QString("Abbruch"));
        b.h.echoNext();
        b.h.ticks(300);
        QVERIFY(b.h.port.written.isEmpty());
    }

    // A list write works on the values it was started with and passes over
    // the version and manufacturer CVs and any CV whose value is unknown. A
    // throttle moved meanwhile waits: the whole list, its end message, then
    // the speed.
    void listWriteRunsWholeBeforeAnythingElse() {
        Bench b;
        for (const int cv : {1, 2, 3, 4, 6, 7, 8, 17, 18, 29})
            b.p.prog.CvValue[cv] = cv;
        b.h.s.station.ThrottleData[0][SlotRecord::Address] = 3;
        b.h.s.station.ThrottleSlot[0] = 5;
        b.p.startListJob(ProgrammingState::StandardList, true);
        QByteArray sent = b.firstRequest();
        for (const int cv : {1, 2, 3, 4, 6, 17, 18, 29}) {
            QCOMPARE(cvOf(sent), cv);
            QCOMPARE(quint8(sent[6]), quint8(0x71));
            QCOMPARE(quint8(sent[9]), quint8(cv));
            b.p.prog.CvValue[cv + 1] = 99;
            requestLocoAction(b.h.core.jobs, Job::LocoSpeed, 0, 3, 5, 40 + cv);
            b.answer(0);
            sent = b.h.echoNext();
        }
        QCOMPARE(sent, End);
        QCOMPARE(b.view.status(), QString(" Schreibvorgang beendet "));
        QCOMPARE(hexText(b.h.echoNext()), hexText(msg("A0 05 45")));
    }
};

QTEST_GUILESS_MAIN(CvJobsTest)
#include "tst_cvjobs.moc"
