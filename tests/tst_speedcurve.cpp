#include "programming/ProgrammingState.h"
#include "programming/SpeedCurve.h"

#include <QTest>

class SpeedCurveTest : public QObject {
    Q_OBJECT

private slots:
    // Points stand for their values, 14 pixels a step and 2 a unit above
    // the baseline at 282; an unknown value lies 256 units up, beyond the
    // axis. The pointer grabs a point less than 5 pixels off; point 0
    // dragged to its height takes the value there, odd pixels truncated,
    // and nothing beyond 0..127.
    void grabbingAndDragging_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<int>("point"); // grabbed, -1: none
        QTest::addColumn<int>("value"); // of point 0 dragged there, -1: not taken
        QTest::newRow("4 pixels off, odd pixel") << QPoint(46, 239) << 0 << 21;
        QTest::newRow("5 pixels off") << QPoint(47, 242) << -1 << 20;
        QTest::newRow("halfway between 1 and 2") << QPoint(63, 282) << -1 << 0;
        QTest::newRow("near 2, one pixel below 0") << QPoint(66, 283) << 2 << 0;
        QTest::newRow("below the baseline") << QPoint(70, 284) << 2 << -1;
        QTest::newRow("point 13 at 100") << QPoint(42 + 13 * 14, 82) << 13 << 100;
        QTest::newRow("top value 127") << QPoint(100, 282 - 254) << -1 << 127;
        QTest::newRow("above 127") << QPoint(100, 282 - 256) << -1 << -1;
        QTest::newRow("point 27 unknown") << QPoint(420, 282 - 512) << 27 << -1;
    }
    void grabbingAndDragging() {
        QFETCH(QPoint, pointer);
        QFETCH(int, point);
        QFETCH(int, value);
        ProgrammingState prog;
        for (int cv = 67; cv < 94; ++cv)
            prog.CvValue[cv] = cv == 80 ? 100 : 0;
        prog.CvValue[67] = 20;
        SpeedCurve curve;
        curve.place(prog);
        QCOMPARE(curve.pointAt(pointer).value_or(-1), point);
        QCOMPARE(curve.drag(0, pointer.y(), prog).value_or(-1), value);
        QCOMPARE(prog.CvValue[67], value < 0 ? 20 : value);
        QCOMPARE(curve.point(0), QPoint(42, value < 0 ? 282 - 40 : pointer.y()));
    }
};

QTEST_GUILESS_MAIN(SpeedCurveTest)
#include "tst_speedcurve.moc"
