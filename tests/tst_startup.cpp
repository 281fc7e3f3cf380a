#include "core/ConfFile.h"
#include "core/ConfFolder.h"
#include "core/ProgramCore.h"
#include "link/AccessoryJobs.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"
#include "support/LinkHarness.h"
#include "support/RecordingView.h"
#include "support/WorstFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
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
    // conf.dat as a user's disk may hold it: what is read of it, as a write
    // gives it back, and what the user is told of a file that does not read.
    // Lines 3 and 4 name a LocoNet server; both sound or neither counts.
    void confDat_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("problem"); // empty: none
        const QByteArray serial("4\r\n1\r\n");
        const auto row = [](const char* name, const QByteArray& content, const char* written,
                            const QString& problem = {}, const QString& server = {}) {
            QTest::newRow(name) << content << QByteArray(written) << server << problem;
        };
        row("usb on COM4", "3\r\n4\r\n", "3\r\n4\r\n");
        row("LF only, trailing lines", "2\n1\nmore\n", "2\r\n1\r\n");
        row("byte-order mark, CR only",
            "\xEF\xBB\xBF"
            "3\r4\r",
            "3\r\n4\r\n");
        row("empty", "", "1\r\n1\r\n", "Die Datei ist leer");
        row("junk", "abc\r\nxyz\r\n", "1\r\n1\r\n",
            "Zeile 1: „abc“ ist keine Schnittstellennummer");
        row("port zero", "3\r\n0\r\n", "1\r\n1\r\n",
            "Zeile 2: „0“ ist keine COM-Portnummer von 1 bis 255");
        row("huge number", "99999999999999999999999\r\n3\r\n", "1\r\n1\r\n",
            "Zeile 1: „99999999999999999999…“ ist keine Schnittstellennummer");
        row("server by name", "4\r\n1\r\nrechner.local\r\n1234\r\n",
            "4\r\n1\r\nrechner.local\r\n1234\r\n", {}, "rechner.local:1234");
        row("server by IPv6, LF", "4\n2\n[fe80::1]\n4711\n", "4\r\n2\r\nfe80::1\r\n4711\r\n", {},
            "[fe80::1]:4711");
        row("host alone", "4\r\n1\r\nrechner\r\n", serial);
        row("port too big", "4\r\n1\r\nrechner\r\n65536\r\n", serial);
        row("no IPv4", "4\r\n1\r\n192.168.1.300\r\n1234\r\n", serial);
    }
    void confDat() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, written);
        QFETCH(QString, server);
        QFETCH(QString, problem);
        QString told;
        const ConfFile conf = ConfFile::parse(content, &told);
        QVERIFY2(problem.isEmpty() ? told.isEmpty() : told.startsWith(problem), qPrintable(told));
        QCOMPARE(conf.Server.host.isEmpty() ? QString() : conf.Server.text(), server);
        QTemporaryDir dir;
        QString error;
        QVERIFY(conf.write(dir.filePath("conf.dat"), &error));
        QFile file(dir.filePath("conf.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written);
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
        const auto row = [](const char* name, WorstFile::Case worst, const char* content, int port,
                            const char* told, bool written, bool kept) {
            QTest::newRow(name) << int(worst) << QByteArray(content) << port << QString(told)
                                << written << kept;
        };
        row("binary", WorstFile::Binary, "", 1, "Zeile 1", true, true);
        row("huge, its first lines count", WorstFile::Huge, "3\r\n4\r\n", 4, "", true, false);
        row("folder", WorstFile::Folder, "", 1, "Ordner", false, false);
        row("no permission", WorstFile::NoPermission, "3\r\n4\r\n", 1, "Berechtigung", false,
            false);
        row("read-only file", WorstFile::ReadOnlyFile, "3\r\n4\r\n", 4, "", false, false);
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
        ProgramCore core(clock, line, view, operating, dir.path());
        core.StartUp();
        QCOMPARE(core.link.ComPortNumber, port);
        QCOMPARE(view.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(view.last().contains(told), qPrintable(view.last()));
        QString error;
        QCOMPARE(core.writeConf(&error), written);
        QCOMPARE(file.onDisk(), written ? QByteArray::number(core.link.InterfaceType) + "\r\n" +
                                              QByteArray::number(port) + "\r\n"
                                        : before);
        QCOMPARE(WorstFile::onDisk(path + ".bak"), kept ? before : "<missing>");
    }

    // Where the Conf folder is, on a tree laid out as an installed program:
    // bin/ holds the executable, share/.../Conf the shipped defaults.
    void confFolderChoice_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("confBeside");
        QTest::addColumn<bool>("besideWritable");
        QTest::addColumn<QString>("expected"); // below the tree
        QTest::addColumn<bool>("created");
        QTest::newRow("portable copy") << QStringList{} << true << true << "bin/Conf" << false;
        QTest::newRow("read-only copy") << QStringList{} << true << false << "data" << true;
        QTest::newRow("installed") << QStringList{} << false << false << "data" << true;
        QTest::newRow("--conf") << QStringList{"--conf", "mine"} << true << true << "mine" << true;
        QTest::newRow("--conf lacks its folder")
            << QStringList{"--conf"} << true << true << "bin/Conf" << false;
        QTest::newRow("--conf under a file") << QStringList{"--conf", "bin/gx-velomat/Conf"}
                                             << false << false << "bin/gx-velomat/Conf" << false;
    }
    void confFolderChoice() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, confBeside);
        QFETCH(bool, besideWritable);
        QFETCH(QString, expected);
        QFETCH(bool, created);
        QTemporaryDir tree;
        const QDir root(tree.path());
        root.mkpath("bin");
        writeFile(root.filePath("bin/gx-velomat"), "program");
        root.mkpath("share/gx-velomat/Conf");
        writeFile(root.filePath("share/gx-velomat/Conf/Hilfe.txt"), "help");
        if (confBeside)
            root.mkpath("bin/Conf");
        if (arguments.size() > 1)
            arguments[1] = root.filePath(arguments[1]);
        const ConfPlaces places{root.filePath("bin"), root.filePath("data"),
                                defaultConfDirs(root.filePath("bin")),
                                [&](const QString&) { return besideWritable; }};

        const ConfChoice choice = chooseConfFolder(QStringList{"gx-velomat"} + arguments, places);
        QCOMPARE(choice.folder, root.filePath(expected));
        QCOMPARE(choice.created, created);
        const bool made = QFileInfo(choice.folder).isDir();
        QCOMPARE(choice.problem.isEmpty(), made);
        QCOMPARE(choice.message().isEmpty(), made && !created);
        if (made && expected != "bin/Conf")
            QVERIFY(QFile::exists(confPath(choice.folder, "Hilfe.txt")));
    }

    // The user's data folder is filled once; what the user has there stays.
    void userConfFolderKeepsTheUsersFiles() {
        QTemporaryDir tree;
        const QDir root(tree.path());
        root.mkpath("Conf");
        writeFile(root.filePath("Conf/Hilfe.txt"), "help");
        writeFile(root.filePath("Conf/Hersteller.dat"), "makers");
        QFile::setPermissions(root.filePath("Conf/Hilfe.txt"), QFile::ReadOwner);
        const ConfPlaces places{root.path(),
                                root.filePath("data"),
                                {root.filePath("Conf")},
                                [](const QString&) { return false; }};

        ConfChoice choice = chooseConfFolder({"gx-velomat"}, places);
        QVERIFY(choice.created);
        QVERIFY(QFile::permissions(confPath(choice.folder, "Hilfe.txt")) & QFile::WriteOwner);
        writeFile(confPath(choice.folder, "Hilfe.txt"), "mine");
        QFile::remove(confPath(choice.folder, "Hersteller.dat"));
        writeFile(confPath(choice.folder, "conf.dat"), "3\r\n5\r\n");

        choice = chooseConfFolder({"gx-velomat"}, places);
        QVERIFY(!choice.created);
        QVERIFY(choice.message().isEmpty());
        QCOMPARE(ConfFile::read(confPath(choice.folder, "conf.dat")).ComPortNumber, 5);
        QFile help(confPath(choice.folder, "Hilfe.txt"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QCOMPARE(help.readAll(), QByteArray("mine"));
        QVERIFY(QFile::exists(confPath(choice.folder, "Hersteller.dat")));
    }

    // A contact reported on the bus requests a route through its trigger
    // cell; the engine in the same tick loop switches the route's turnout.
    void feedbackOnTheBusRunsATriggeredRoute() {
        LinkHarness h;
        RouteTable& table = h.core.routes.table;
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
        RouteTable& table = h.core.routes.table;
        h.core.setMainTimerRunning(true);
        h.tick();
        QVERIFY(h.core.tickResting());
        if (work == 0)
            requestPageQuery(h.core.jobs, 0);
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
        QVERIFY(!h.core.tickResting());
        h.ticks(work == 3 ? RouteEngine::BlinkTicks : 1);
        QCOMPARE(h.core.tickResting(), work == 2);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
