#include "routes/RouteFile.h"
#include "routes/ui/AdrEingForm.h"
#include "routes/ui/RouteGrid.h"
#include "support/WholeProgram.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <csignal>
#include <optional>

// The program ended from outside, as real processes on real time: by the system (SIGTERM) it
// ends the way "Beenden" ends it; killed outright (SIGKILL) it has lost no route edit made.
namespace {

constexpr int StartMs = 30000;
constexpr int EndMs = 15000;
// Set in the copy of this test that edits a route and waits to be killed.
constexpr char EditingCopy[] = "GX_EDIT_AND_WAIT";
constexpr char EditedMark[] = "edited in ";

// An open serial port is marked in use by a lock file LCK..<device> in the system's lock
// folder; it goes when the port is closed as it should be, and stays behind a killed process.
QString lockFileOf(const QString& device) {
    const QString name = "LCK.." + device.mid(QStringLiteral("/dev/").size()).replace(u'/', u'_');
    for (const char* folder : {"/var/lock", "/run/lock", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev"}) {
        const QString path = QString::fromLatin1(folder) + u'/' + name;
        if (QFile::exists(path))
            return path;
    }
    return {};
}

// Waits for a line that starts with the text; the rest of it.
std::optional<QString> lineStarting(QProcess& process, const QString& text, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (process.canReadLine()) {
            const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
            if (line.startsWith(text))
                return line.mid(text.size());
        }
        if (!process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
    }
    return std::nullopt;
}

} // namespace

class EndingTest : public QObject {
    Q_OBJECT

    QProcess sim;
    QProcess program;

    // The copy started by routeEditSurvivesAHardKill: edits route 5 in the route editor of the
    // whole program, says where, and waits.
    void editAndWait() {
        WholeProgram p;
        p.get<QAction>("FaStrEdit")->trigger();
        auto* grid = p.get<RouteGrid>("FSTab");
        const QModelIndex cell = grid->model()->index(4, RouteTable::FirstCommandColumn - 1);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        p.type("PauTxt", "7");
        p.get<AdrEingForm>("AdrEingForm")->findChild<QPushButton*>("OKButton")->click();
        QTextStream(stdout) << EditedMark << p.confDir.path() << Qt::endl;
        QTest::qWait(StartMs);
    }

private slots:
    void cleanup() {
        for (QProcess* process : {&program, &sim}) {
            process->kill();
            process->waitForFinished(EndMs);
        }
    }

    // SIGHUP and SIGINT share the handler.
    void endedByTheSystem() {
        QTemporaryDir conf;
        QFile confDat(conf.filePath("conf.dat"));
        QVERIFY(confDat.open(QIODevice::WriteOnly) && confDat.write("3\r\n7\r\n") == 6);
        confDat.close();
        sim.start(QStringLiteral(GX_SIM_PATH), {"--register-com", "7", "--conf", conf.path()});
        const std::optional<QString> device = lineStarting(sim, "/dev/", StartMs);
        QVERIFY2(device, sim.readAllStandardError().constData());

        program.start(QStringLiteral(GX_VELOMAT_PATH), {"--conf", conf.path(), "--connect"});
        QVERIFY(lineStarting(program, "connected", StartMs));
        const QString lock = lockFileOf("/dev/" + *device);
        QVERIFY2(!lock.isEmpty(), "the open port is marked in use");
        // A build's Conf folder that "make run" has used hands its FS.DAT on.
        QVERIFY(!QFile::exists(conf.filePath("FS.DAT")) || QFile::remove(conf.filePath("FS.DAT")));

        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(EndMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(!QFile::exists(lock), "the port is closed");
        // A missing file reads as whole too: it has nothing to lose.
        QVERIFY(QFile::exists(conf.filePath("FS.DAT")));
        RouteTable saved;
        QVERIFY(ReadRouteFile(saved, conf.filePath("FS.DAT")).whole);
    }

    void routeEditSurvivesAHardKill() {
        if (qEnvironmentVariableIsSet(EditingCopy))
            return editAndWait();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(EditingCopy, "1");
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationFilePath(), {"routeEditSurvivesAHardKill"});
        const QString folder = lineStarting(program, EditedMark, StartMs).value_or(QString());
        QVERIFY2(!folder.isEmpty(), program.readAll().constData());
        program.kill();
        QVERIFY(program.waitForFinished(EndMs));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);

        RouteTable saved;
        QVERIFY(ReadRouteFile(saved, QDir(folder).filePath("FS.DAT")).whole);
        QCOMPARE(saved.text(5, RouteTable::FirstCommandColumn), QString("Pa-7"));
        QVERIFY(QDir(folder).removeRecursively());
    }
};

QTEST_MAIN(EndingTest)
#include "tst_ending.moc"
