#include "app/ConfFile.h"
#include "app/ConfFolder.h"
#include "app/Station.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"
#include "support/LinkHarness.h"
#include "support/RecordingView.h"

#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class StartupTest : public QObject {
    Q_OBJECT

    static void writeFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void confDat_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("interfaceType");
        QTest::addColumn<int>("port");
        QTest::newRow("usb on COM4") << QByteArray("3\r\n4\r\n") << 3 << 4;
        QTest::newRow("LF only, trailing lines") << QByteArray("2\n1\nmore\n") << 2 << 1;
        QTest::newRow("no interface chosen") << QByteArray("7\r\n2\r\n") << 7 << 2;
        QTest::newRow("empty") << QByteArray() << 1 << 1;
        QTest::newRow("one line") << QByteArray("3\r\n") << 1 << 1;
        QTest::newRow("junk") << QByteArray("abc\r\nxyz\r\n") << 1 << 1;
        QTest::newRow("port zero") << QByteArray("3\r\n0\r\n") << 1 << 1;
        QTest::newRow("binary") << QByteArray("\x00\xff\x13\n\x80\x01", 6) << 1 << 1;
        QTest::newRow("huge number") << QByteArray("99999999999999999999\r\n3\r\n") << 1 << 1;
    }
    void confDat() {
        QFETCH(QByteArray, content);
        QFETCH(int, interfaceType);
        QFETCH(int, port);
        const ConfFile conf = ConfFile::parse(content);
        QCOMPARE(conf.InterfaceType, interfaceType);
        QCOMPARE(conf.ComPortNumber, port);
    }

    void hugeConfDatStartsWithDefaults() {
        QTemporaryDir dir;
        QByteArray junk(4 * 1024 * 1024, 0);
        QRandomGenerator random(7);
        for (char& c : junk)
            c = char(random.bounded(256));
        writeFile(dir.filePath("conf.dat"), junk);
        const ConfFile conf = ConfFile::read(dir.filePath("conf.dat"));
        QCOMPARE(conf.InterfaceType, 1);
        QCOMPARE(conf.ComPortNumber, 1);
    }

    void confDatThatCannotBeWrittenSaysWhy() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!ConfFile{}.write(dir.filePath("none/conf.dat"), &error));
        QVERIFY(!error.isEmpty());
    }

    void confFolderFromArguments() {
        QCOMPARE(confFolder({"gx", "--conf", "/tmp/x"}, "/opt/gx"), QString("/tmp/x"));
        QCOMPARE(confFolder({"gx"}, "/opt/gx"), QString("/opt/gx/Conf"));
        QCOMPARE(confFolder({"gx", "--conf"}, "/opt/gx"), QString("/opt/gx/Conf"));
    }

    // A contact reported on the bus requests a route through its trigger
    // cell; the engine in the same tick loop switches the route's turnout.
    void feedbackOnTheBusRunsATriggeredRoute() {
        LinkHarness h;
        RouteTable& table = h.station.routes.table;
        table.setText(3, RouteTable::RequestTriggerColumn, "Rm12-b");
        table.setText(3, RouteTable::FirstCommandColumn, "Ma5-g");
        h.receive("B2 05 70");
        QCOMPARE(h.echoNext(), msg("B0 04 30"));
        QVERIFY(table.isSet(3, RouteTable::RequestedColumn));
    }

    // Whatever an event gives the program to do wakes the resting tick before
    // the event loop sleeps; a blinking indicator keeps it awake.
    void restingTickWakesForWork_data() {
        QTest::addColumn<int>("work");
        QTest::newRow("job requested") << 0;
        QTest::newRow("route requested") << 1;
        QTest::newRow("message received") << 2;
        QTest::newRow("blocked request blinks") << 3;
    }
    void restingTickWakesForWork() {
        QFETCH(int, work);
        LinkHarness h;
        RouteTable& table = h.station.routes.table;
        h.station.setMainTimerRunning(true);
        h.tick();
        QVERIFY(h.station.tickResting());
        if (work == 0)
            h.s.job.start(1, 0);
        if (work == 1 || work == 3)
            table.setStatus(1, RouteTable::RequestedColumn, true);
        if (work == 2)
            h.receive("B2 05 70");
        if (work == 3) {
            table.setStatus(1, RouteTable::BlockedColumn, true);
            h.tick();
        }
        QEventLoop beforeSleep;
        QTimer::singleShot(0, &beforeSleep, &QEventLoop::quit);
        beforeSleep.exec();
        QVERIFY(!h.station.tickResting());
        h.ticks(work == 3 ? RouteEngine::BlinkTicks : 1);
        QCOMPARE(h.station.tickResting(), work == 2);
    }

    void routesSurviveARestart() {
        QTemporaryDir dir;
        ManualClock clock;
        FakeSerialPort port;
        RecordingView view;
        OperatingView operating;
        {
            Station station(clock, port, view, operating, dir.path());
            station.StartUp();
            station.routes.table.setText(208, RouteTable::LastColumn, "Pa-10");
            QVERIFY(station.ShutDown());
        }
        Station station(clock, port, view, operating, dir.path());
        station.StartUp();
        QCOMPARE(station.routes.table.text(208, RouteTable::LastColumn), QString("Pa-10"));
        QVERIFY(view.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
