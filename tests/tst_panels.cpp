#include "link/JobRequest.h"
#include "operating/panels/SwitchSequence.h"

#include <QTest>

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    // On, and 0.2 s after the on-job has ended, off; a second accessory
    // waits until the first one's off has been taken.
    void switchSequence() {
        JobRequest job;
        SwitchSequence sequence(job);
        sequence.add(6, false);
        QCOMPARE(job.JobCode, 18);
        QCOMPARE(job.JobCounter, 6);
        sequence.add(9, true);
        double now = 10.0;
        sequence.step(now);
        QCOMPARE(job.JobCode, 18);
        job = JobRequest{}; // the job machine is done with it
        sequence.step(now);
        sequence.step(now + 0.19);
        QVERIFY(job.idle());
        sequence.step(now + 0.201);
        QCOMPARE(job.JobCode, 16);
        QCOMPARE(job.JobCounter, 6);
        sequence.step(now + 5);
        QCOMPARE(job.JobCode, 16);
        job = JobRequest{};
        sequence.step(now + 5);
        QCOMPARE(job.JobCode, 19);
        QCOMPARE(job.JobCounter, 9);
        job = JobRequest{};
        now = 20.0;
        sequence.step(now);
        sequence.step(now + 0.201);
        QCOMPARE(job.JobCode, 17);
        QVERIFY(!sequence.idle());
        job = JobRequest{};
        sequence.step(now + 0.21);
        QVERIFY(sequence.idle());
        QVERIFY(job.idle());
    }
};

QTEST_GUILESS_MAIN(PanelsTest)
#include "tst_panels.moc"
