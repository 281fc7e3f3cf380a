#include "app/ConfFile.h"
#include "app/ConfFolder.h"
#include "app/Station.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"
#include "support/LinkHarness.h"
#include "support/RecordingView.h"
#include "support/WorstFile.h"

#include <QTemporaryDir>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void confDat_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("interfaceType");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("problem"); // empty: none
        QTest::newRow("usb on COM4") << QByteArray("3\r\n4\r\n") << 3 << 4 << "";
        QTest::newRow("LF only, trailing lines") << QByteArray("2\n1\nmore\n") << 2 << 1 << "";
        QTest::newRow("CR only") << QByteArray("3\r4\r") << 3 << 4 << "";
        QTest::newRow("byte-order mark, CR only") << QByteArray("\xEF\xBB\xBF"
                                                                "3\r4\r")
                                                  << 3 << 4 << "";
        QTest::newRow("no interface chosen") << QByteArray("7\r\n2\r\n") << 7 << 2 << "";
        QTest::newRow("empty") << QByteArray() << 1 << 1 << "Die Datei ist leer";
        QTest::newRow("one line") << QByteArray("3\r\n") << 1 << 1 << "Zeile 2 fehlt";
        QTest::newRow("junk") << QByteArray("abc\r\nxyz\r\n") << 1 << 1
                              << "Zeile 1: „abc“ ist keine Schnittstellennummer";
        QTest::newRow("port zero") << QByteArray("3\r\n0\r\n") << 1 << 1
                                   << "Zeile 2: „0“ ist keine COM-Portnummer von 1 bis 255";
        QTest::newRow("binary") << QByteArray("\x00\xff\x13\n\x80\x01", 6) << 1 << 1 << "Zeile 1";
        QTest::newRow("huge number")
            << QByteArray("99999999999999999999999\r\n3\r\n") << 1 << 1
            << "Zeile 1: „99999999999999999999…“ ist keine Schnittstellennummer";
    }
    void confDat() {
        QFETCH(QByteArray, content);
        QFETCH(int, interfaceType);
        QFETCH(int, port);
        QFETCH(QString, problem);
        QString told;
        const ConfFile conf = ConfFile::parse(content, &told);
        QCOMPARE(conf.InterfaceType, interfaceType);
        QCOMPARE(conf.ComPortNumber, port);
        QVERIFY2(problem.isEmpty() ? told.isEmpty() : told.startsWith(problem), qPrintable(told));
    }

    // A conf.dat that cannot be read is told at start-up and kept as
    // conf.dat.bak before the first connect writes the file anew; one that
    // cannot be written stays as it is.
    void confDatWorstCases_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("told"); // empty: nothing
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("kept");
        QTest::newRow("missing") << int(WorstFile::Missing) << QByteArray() << 1 << "" << true
                                 << false;
        QTest::newRow("binary") << int(WorstFile::Binary) << QByteArray() << 1 << "Zeile 1" << true
                                << true;
        QTest::newRow("huge, its first lines count")
            << int(WorstFile::Huge) << QByteArray("3\r\n4\r\n") << 4 << "" << true << false;
        QTest::newRow("folder") << int(WorstFile::Folder) << QByteArray() << 1 << "Ordner" << false
                                << false;
        QTest::newRow("no permission") << int(WorstFile::NoPermission) << QByteArray("3\r\n4\r\n")
                                       << 1 << "Berechtigung" << false << false;
        QTest::newRow("read-only file") << int(WorstFile::ReadOnlyFile) << QByteArray("3\r\n4\r\n")
                                        << 4 << "" << false << false;
    }
    void confDatWorstCases() {
        QFETCH(int, worst);
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QFETCH(QString, told);
        QFETCH(bool, written);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath("conf.dat");
        const WorstFile file(path, WorstFile::Case(worst), content, 8192);
        if (!file.meaningful())
            QSKIP("Permission bits do not stop root.");
        const QByteArray before = file.onDisk();
        ManualClock clock;
        FakeSerialPort line;
        RecordingView view;
        OperatingView operating;
        Station station(clock, line, view, operating, dir.path());
        station.StartUp();
        QCOMPARE(station.link.ComPortNumber, port);
        QCOMPARE(view.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(view.last().contains(told), qPrintable(view.last()));
        QString error;
        QCOMPARE(station.writeConf(&error), written);
        QCOMPARE(file.onDisk(), written ? QByteArray::number(station.link.InterfaceType) + "\r\n" +
                                              QByteArray::number(port) + "\r\n"
                                        : before);
        QCOMPARE(WorstFile::onDisk(path + ".bak"), kept ? before : "<missing>");
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
