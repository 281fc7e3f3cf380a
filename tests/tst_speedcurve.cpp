#include "programming/ProgrammingState.h"
#include "programming/SpeedCurve.h"

#include <QTest>

class SpeedCurveTest : public QObject {
    Q_OBJECT

private slots:
    void dragging_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("value"); // -1: not taken
        QTest::newRow("odd pixel truncates") << 181 << 50;
        QTest::newRow("top value 127") << 282 - 254 << 127;
        QTest::newRow("above 127") << 282 - 256 << -1;
        QTest::newRow("on the baseline") << 282 << 0;
        QTest::newRow("one pixel below still 0") << 283 << 0;
        QTest::newRow("below the baseline") << 284 << -1;
    }
    void dragging() {
        QFETCH(int, y);
        QFETCH(int, value);
        ProgrammingState prog;
        prog.CvValue[67] = 20;
        SpeedCurve curve;
        curve.place(prog);
        const std::optional<int> taken = curve.drag(0, y, prog);
        QCOMPARE(taken.value_or(-1), value);
        QCOMPARE(prog.CvValue[67], value < 0 ? 20 : value);
        QCOMPARE(curve.point(0), QPoint(42, value < 0 ? 282 - 40 : y));
    }

    // Points stand for their values, 14 pixels a step; an unknown value
    // lies 256 units up, beyond the axis.
    void grabbing_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<int>("point"); // -1: none
        QTest::newRow("4 pixels off") << QPoint(46, 278) << 0;
        QTest::newRow("5 pixels off") << QPoint(47, 282) << -1;
        QTest::newRow("halfway between 1 and 2") << QPoint(63, 282) << -1;
        QTest::newRow("near point 2") << QPoint(66, 282) << 2;
        QTest::newRow("point 13 at 100") << QPoint(42 + 13 * 14, 82) << 13;
        QTest::newRow("point 27 unknown") << QPoint(420, 282 - 512) << 27;
    }
    void grabbing() {
        QFETCH(QPoint, pointer);
        QFETCH(int, point);
        ProgrammingState prog;
        for (int cv = 67; cv < 94; ++cv)
            prog.CvValue[cv] = cv == 80 ? 100 : 0;
        SpeedCurve curve;
        curve.place(prog);
        QCOMPARE(curve.pointAt(pointer).value_or(-1), point);
    }
};

QTEST_GUILESS_MAIN(SpeedCurveTest)
#include "tst_speedcurve.moc"
