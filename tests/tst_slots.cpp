#include "link/SpeedStepTable.h"

#include <QTest>

class SlotsTest : public QObject {
    Q_OBJECT

    SpeedStepTable table;

private slots:
    void edgeRows_data() {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("speedSteps");
        QTest::addColumn<int>("step"); // -1: nothing to show
        QTest::newRow("10 in 14") << 10 << 14 << 2;
        QTest::newRow("8 in 31") << 8 << 31 << 2;
        QTest::newRow("125 in 15") << 125 << 15 << 15;
        QTest::newRow("121 in 27") << 121 << 27 << 27;
        QTest::newRow("2 in 128") << 2 << 128 << 1;
        QTest::newRow("128 in 128") << 128 << 128 << 126;
        QTest::newRow("129 in 128 is empty") << 129 << 128 << 0;
        QTest::newRow("unknown steps") << 50 << 100 << -1;
        QTest::newRow("speed 131") << 131 << 28 << -1;
    }
    void edgeRows() {
        QFETCH(int, speed);
        QFETCH(int, speedSteps);
        QFETCH(int, step);
        QCOMPARE(table.displayStep(speed, speedSteps).value_or(-1), step);
    }
};

QTEST_GUILESS_MAIN(SlotsTest)
#include "tst_slots.moc"
