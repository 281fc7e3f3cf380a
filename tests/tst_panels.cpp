#include "link/JobRequest.h"
#include "operating/panels/KeyPopupLogic.h"
#include "operating/panels/SwitchSequence.h"
#include "support/LinkHarness.h"

#include <QTest>

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    // What a popup key does with the number typed: code -1 writes no job.
    void popupActions_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("counter");
        const int acc = int(PopupKind::Accessory);
        const int fb = int(PopupKind::Feedback);
        QTest::newRow("accessory 1 red") << acc << "1" << 0 << 18 << 0;
        QTest::newRow("accessory 2048 green") << acc << "2048" << 1 << 19 << 2047;
        QTest::newRow("accessory 2049") << acc << "2049" << 0 << -1 << 0;
        QTest::newRow("accessory 0") << acc << "0" << 1 << -1 << 0;
        QTest::newRow("accessory erased") << acc << "" << 0 << -1 << 0;
        QTest::newRow("contact 5 free") << fb << "5" << 0 << 20 << 4;
        QTest::newRow("contact 5 occupied") << fb << "5" << 1 << 21 << 4;
        QTest::newRow("contact 2048") << fb << "2048" << 1 << 21 << 2047;
        QTest::newRow("contact 2049") << fb << "2049" << 1 << -1 << 0;
    }
    void popupActions() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, code);
        QFETCH(int, counter);
        LinkHarness h;
        KeyPopupLogic popup(PopupKind(kind), h.s.job, h.station.routes.table);
        typeInto(popup, typed);
        popup.press(KeyPopupLogic::Button(button));
        if (code == -1) {
            QVERIFY(h.s.job.idle());
            QVERIFY(!popup.switching());
            return;
        }
        QCOMPARE(h.s.job.JobCode, code);
        QCOMPARE(h.s.job.JobCounter, counter);
    }

    void routePopup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::newRow("request 208") << "208" << 0 << 208 << 2 << " ";
        QTest::newRow("dissolve 1") << "1" << 1 << 1 << 1 << "";
        QTest::newRow("request 209") << "209" << 0 << 0 << 0 << "";
        QTest::newRow("request 0") << "0" << 0 << 0 << 0 << "";
    }
    void routePopup() {
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, cell);
        LinkHarness h;
        RouteTable& table = h.station.routes.table;
        for (int r = 1; r < RouteTable::RowCount; ++r)
            table.setStatus(r, RouteTable::EstablishedColumn, true);
        QList<std::pair<int, int>> changed;
        connect(&table, &RouteTable::cellChanged, this, [&changed](int r, int c) {
            changed.append({r, c});
        });
        KeyPopupLogic popup(PopupKind::Route, h.s.job, table);
        typeInto(popup, typed);
        popup.press(KeyPopupLogic::Button(button));
        if (row == 0) {
            QVERIFY(changed.isEmpty());
            return;
        }
        QCOMPARE(changed, (QList<std::pair<int, int>>{{row, column}}));
        QCOMPARE(table.text(row, column), cell);
        QVERIFY(h.s.job.idle());
    }

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

private:
    static void typeInto(KeyPopupLogic& popup, const QString& digits) {
        popup.open(0);
        popup.keyDown(Qt::Key_Backspace);
        for (const QChar c : digits)
            popup.keyDown(Qt::Key_0 + c.digitValue());
    }
};

QTEST_GUILESS_MAIN(PanelsTest)
#include "tst_panels.moc"
