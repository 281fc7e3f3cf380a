#include "link/SlotRecord.h"
#include "link/SpeedStepTable.h"

#include <QTest>

class SlotsTest : public QObject {
    Q_OBJECT

    SpeedStepTable table;

private slots:
    // Each column steps exactly at its first rows; rows 0 and 1 show 0.
    void stepsChangeAtTheirFirstRows_data() {
        QTest::addColumn<int>("speedSteps");
        QTest::addColumn<QList<int>>("firstRows");
        QTest::newRow("14") << 14
                            << QList<int>{2, 10, 19, 29, 38, 48, 56, 67, 76, 86, 95, 105, 114, 124};
        QTest::newRow("28") << 28 << QList<int>{2,  7,  11,  16,  20,  25,  29,  34, 38, 43,
                                                47, 52, 56,  61,  65,  70,  74,  79, 83, 88,
                                                92, 97, 101, 106, 110, 115, 119, 124};
        QTest::newRow("15") << 15 << QList<int>{2,  8,  17, 26, 35,  44,  53, 62,
                                                71, 80, 89, 98, 107, 116, 125};
        QTest::newRow("27") << 27 << QList<int>{2,  8,  13, 17, 22,  26,  31,  35,  40,
                                                44, 49, 53, 58, 63,  67,  71,  76,  80,
                                                85, 89, 94, 98, 103, 107, 112, 116, 121};
        QList<int> rows31{2};
        for (int s = 2; s <= 31; ++s)
            rows31.append(4 * s);
        QTest::newRow("31") << 31 << rows31;
    }
    void stepsChangeAtTheirFirstRows() {
        QFETCH(int, speedSteps);
        QFETCH(QList<int>, firstRows);
        int expected = 0;
        for (int row = 0; row <= 129; ++row) {
            if (expected < firstRows.size() && row == firstRows[expected])
                ++expected;
            QCOMPARE(*table.displayStep(row, speedSteps), expected);
        }
        QCOMPARE(*table.displayStep(129, speedSteps), int(firstRows.size()));
    }

    void edgeRows_data() {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("speedSteps");
        QTest::addColumn<int>("step"); // -1: nothing to show
        QTest::newRow("64 in 128") << 64 << 128 << 63;
        QTest::newRow("64 in 126") << 64 << 126 << 63;
        QTest::newRow("64 in 28") << 64 << 28 << 14;
        QTest::newRow("61 in 28") << 61 << 28 << 14;
        QTest::newRow("0 in 128") << 0 << 128 << 0;
        QTest::newRow("1 in 14") << 1 << 14 << 0;
        QTest::newRow("1 in 128") << 1 << 128 << 0;
        QTest::newRow("2 in 128") << 2 << 128 << 1;
        QTest::newRow("127 in 128") << 127 << 128 << 126;
        QTest::newRow("128 in 128") << 128 << 128 << 126;
        QTest::newRow("129 in 128 is empty") << 129 << 128 << 0;
        QTest::newRow("130 is empty") << 130 << 14 << 0;
        QTest::newRow("no steps") << 50 << 0 << -1;
        QTest::newRow("unknown steps") << 50 << 100 << -1;
        QTest::newRow("speed 131") << 131 << 28 << -1;
        QTest::newRow("speed -1") << -1 << 28 << -1;
    }
    void edgeRows() {
        QFETCH(int, speed);
        QFETCH(int, speedSteps);
        QFETCH(int, step);
        QCOMPARE(table.displayStep(speed, speedSteps).value_or(-1), step);
    }

    void dataFormats_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("steps");
        QTest::newRow("192") << 192 << "Motorola alt" << 14;
        QTest::newRow("193") << 193 << "Motorola neu" << 14;
        QTest::newRow("208") << 208 << "DCC - 14" << 14;
        QTest::newRow("209") << 209 << "DCC - 27" << 27;
        QTest::newRow("210") << 210 << "DCC - 28" << 28;
        QTest::newRow("211") << 211 << "DCC - 128" << 128;
        QTest::newRow("200") << 200 << "Selectrix" << 31;
        QTest::newRow("216") << 216 << "FMZ" << 15;
        QTest::newRow("205 unknown") << 205 << " - " << 0;
        QTest::newRow("-1 unknown") << -1 << " - " << 0;
    }
    void dataFormats() {
        QFETCH(int, code);
        QFETCH(QString, name);
        QFETCH(int, steps);
        SlotRecord record;
        record[SlotRecord::Address] = 3;
        SetFormat(record, code);
        QCOMPARE(record.FormatName, name);
        QCOMPARE(record[SlotRecord::SpeedSteps], steps);
        QCOMPARE(record[SlotRecord::FormatCode], code);
        QCOMPARE(record[SlotRecord::Address], 3);
    }
};

QTEST_GUILESS_MAIN(SlotsTest)
#include "tst_slots.moc"
