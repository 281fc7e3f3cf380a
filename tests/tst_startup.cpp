#include "app/ConfFile.h"
#include "app/ConfFolder.h"
#include "app/Station.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"
#include "support/LinkHarness.h"
#include "support/RecordingView.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

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

    // Lines 3 and 4 name a LocoNet server, both sound or neither counts; a
    // file is written back as it was read.
    void confDatServer_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("name") << QByteArray("4\r\n1\r\nrechner.local\r\n1234\r\n")
                              << "rechner.local:1234"
                              << QByteArray("4\r\n1\r\nrechner.local\r\n1234\r\n");
        QTest::newRow("IPv6, LF") << QByteArray("4\n2\n[fe80::1]\n4711\n") << "[fe80::1]:4711"
                                  << QByteArray("4\r\n2\r\nfe80::1\r\n4711\r\n");
        QTest::newRow("serial only") << QByteArray("3\r\n4\r\n") << "" << QByteArray("3\r\n4\r\n");
        QTest::newRow("host alone")
            << QByteArray("4\r\n1\r\nrechner\r\n") << "" << QByteArray("4\r\n1\r\n");
        QTest::newRow("port 0") << QByteArray("4\r\n1\r\nrechner\r\n0\r\n") << ""
                                << QByteArray("4\r\n1\r\n");
        QTest::newRow("port too big")
            << QByteArray("4\r\n1\r\nrechner\r\n65536\r\n") << "" << QByteArray("4\r\n1\r\n");
        QTest::newRow("blank in host")
            << QByteArray("4\r\n1\r\nrech ner\r\n1234\r\n") << "" << QByteArray("4\r\n1\r\n");
        QTest::newRow("no IPv4") << QByteArray("4\r\n1\r\n192.168.1.300\r\n1234\r\n") << ""
                                 << QByteArray("4\r\n1\r\n");
    }
    void confDatServer() {
        QFETCH(QByteArray, content);
        QFETCH(QString, server);
        QFETCH(QByteArray, written);
        const ConfFile conf = ConfFile::parse(content);
        QCOMPARE(conf.Server.host.isEmpty() ? QString() : conf.Server.text(), server);
        QTemporaryDir dir;
        QString error;
        QVERIFY(conf.write(dir.filePath("conf.dat"), &error));
        QFile file(dir.filePath("conf.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written);
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
