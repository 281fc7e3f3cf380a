#include "core/ConfFile.h"
#include "core/ConfFolder.h"
#include "core/ProgramCore.h"
#include "link/AccessoryJobs.h"
#include "support/LinkHarness.h"
#include "support/WorstFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
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
    // conf.dat as a user's disk may hold it: what is read of it, as the first
    // connect writes it back, and what the user is told of a file that does
    // not read, which is kept as conf.dat.bak first; a file that cannot be
    // written stays as it is. Lines 3 and 4 name a LocoNet server; both sound
    // or neither counts.
    void confDat_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("conf"); // as read, in the form written
        QTest::addColumn<QString>("told");    // empty: nothing
        const auto row = [](const char* name, const QByteArray& content, const char* conf,
                            const char* told = "", WorstFile::Case worst = WorstFile::Content) {
            QTest::newRow(name) << int(worst) << content << QByteArray(conf) << QString(told);
        };
        const char* const serial = "4\r\n1\r\n";
        const char* const none = "1\r\n1\r\n";
        row("usb on COM4", "3\r\n4\r\n", "3\r\n4\r\n");
        row("LF only, trailing lines", "2\n1\nmore\n", "2\r\n1\r\n");
        row("byte-order mark, CR only",
            "\xEF\xBB\xBF"
            "3\r4\r",
            "3\r\n4\r\n");
        row("empty", "", none, "Die Datei ist leer");
        row("junk", "abc\r\nxyz\r\n", none, "Zeile 1: „abc“ ist keine Schnittstellennummer");
        row("port zero", "3\r\n0\r\n", none, "Zeile 2: „0“ ist keine COM-Portnummer von 1 bis 255");
        row("server by name", "4\r\n1\r\nrechner.local\r\n1234\r\n",
            "4\r\n1\r\nrechner.local\r\n1234\r\n");
        row("host alone", "4\r\n1\r\nrechner\r\n", serial);
        row("port too big", "4\r\n1\r\nrechner\r\n65536\r\n", serial);
        row("binary", "", none, "Zeile 1", WorstFile::Binary);
        row("huge, its first lines count", "3\r\n4\r\n", "3\r\n4\r\n", "", WorstFile::Huge);
        row("folder", "", none, "Ordner", WorstFile::Folder);
        row("no permission", "3\r\n4\r\n", none, "Berechtigung", WorstFile::NoPermission);
        row("read-only file", "3\r\n4\r\n", "3\r\n4\r\n", "", WorstFile::ReadOnlyFile);
    }
    void confDat() {
        QFETCH(int, worst);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, conf);
        QFETCH(QString, told);
        LinkHarness h;
        const QString path = h.confDir.filePath("conf.dat");
        const WorstFile file(path, WorstFile::Case(worst), content, 8192);
        if (!file.meaningful())
            QSKIP("Permission bits do not stop root.");
        const QByteArray before = file.onDisk();
        ProgramCore& core = h.core;
        core.StartUp();
        QCOMPARE(h.messages.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(h.messages.last().contains(told), qPrintable(h.messages.last()));
        QVERIFY(conf.startsWith(QByteArray::number(core.link.InterfaceType) + "\r\n" +
                                QByteArray::number(core.link.ComPortNumber) + "\r\n"));
        const bool writable = worst != WorstFile::Folder && worst != WorstFile::NoPermission &&
                              worst != WorstFile::ReadOnlyFile;
        QString error;
        QCOMPARE(core.writeConf(&error), writable);
        QCOMPARE(file.onDisk(), writable ? conf : before);
        QCOMPARE(WorstFile::onDisk(path + ".bak"),
                 writable && !told.isEmpty() ? before : "<missing>");
    }

    // Where the Conf folder is, on a tree laid out as an installed program:
    // bin/ holds the executable, share/.../Conf the shipped defaults. A folder
    // made now is filled once: a later start keeps what the user changed
    // there and only puts back what is missing.
    void confFolder_data() {
        QTest::addColumn<QString>("given"); // --conf
        QTest::addColumn<bool>("confBeside");
        QTest::addColumn<bool>("besideWritable");
        QTest::addColumn<QString>("expected"); // below the tree
        QTest::addColumn<bool>("created");
        QTest::newRow("portable copy") << QString() << true << true << "bin/Conf" << false;
        QTest::newRow("read-only copy") << QString() << true << false << "data" << true;
        QTest::newRow("installed") << QString() << false << false << "data" << true;
        QTest::newRow("--conf") << QString("mine") << true << true << "mine" << true;
        QTest::newRow("--conf under a file")
            << QString("bin/gx-velomat/Conf") << false << false << "bin/gx-velomat/Conf" << false;
    }
    void confFolder() {
        QFETCH(QString, given);
        QFETCH(bool, confBeside);
        QFETCH(bool, besideWritable);
        QFETCH(QString, expected);
        QFETCH(bool, created);
        QTemporaryDir tree;
        const QDir root(tree.path());
        root.mkpath("bin");
        root.mkpath("share/gx-velomat/Conf");
        writeFile(root.filePath("bin/gx-velomat"), "program");
        const QString shipped = root.filePath("share/gx-velomat/Conf/");
        writeFile(shipped + "Hilfe.txt", "help");
        writeFile(shipped + "Hersteller.dat", "makers");
        QFile::setPermissions(shipped + "Hilfe.txt", QFile::ReadOwner);
        if (confBeside)
            root.mkpath("bin/Conf");
        if (!given.isEmpty())
            given = root.filePath(given);
        const ConfPlaces places{root.filePath("bin"), root.filePath("data"),
                                defaultConfDirs(root.filePath("bin")),
                                [&](const QString&) { return besideWritable; }};

        ConfChoice choice = chooseConfFolder(given, places);
        QCOMPARE(choice.folder, root.filePath(expected));
        QCOMPARE(choice.created, created);
        const bool made = QFileInfo(choice.folder).isDir();
        QCOMPARE(choice.problem.isEmpty(), made);
        QCOMPARE(choice.message().isEmpty(), made && !created);
        if (!created)
            return;
        const QString help = confPath(choice.folder, "Hilfe.txt");
        QVERIFY(QFile::permissions(help) & QFile::WriteOwner);
        writeFile(help, "mine");
        QFile::remove(confPath(choice.folder, "Hersteller.dat"));
        choice = chooseConfFolder(given, places);
        QVERIFY(!choice.created);
        QVERIFY(choice.message().isEmpty());
        QCOMPARE(WorstFile::onDisk(help), QByteArray("mine"));
        QCOMPARE(WorstFile::onDisk(confPath(choice.folder, "Hersteller.dat")),
                 QByteArray("makers"));
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
