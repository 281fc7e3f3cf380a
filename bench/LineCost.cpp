#include "ChildProgram.h"
#include "Figures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
constexpr int StreamSeconds = 20;
constexpr int IdleSeconds = 20;
// Interface 41770, at 16457 bit/s, on COM 1: the pseudo-terminal.
const char* const ConfDat = "2\r\n1\r\n";
constexpr double BusyTarget = 0.01;
constexpr double IdleTarget = 0.003;

Figure failed(const QString& why) {
    return {QStringLiteral("line cost"), why, false};
}

struct Children {
    ~Children() {
        for (QProcess* child : {&program, &sim}) {
            child->kill();
            child->waitForFinished();
        }
    }
    QProcess sim;
    QProcess program;
};
} // namespace

// The real gx-velomat on a real line: it connects through interface 41770 to
// gx-sim on a pseudo-terminal, which from the program's first message on
// sends feedback reports back to back at 16457 bit/s. The program's CPU time,
// as the operating system counts it, per second of that full line, and then
// per second of the line quiet with the program still connected.
Figure lineCost(const QString& programFolder) {
    QTemporaryDir conf;
    QFile confDat(QDir(conf.path()).filePath(QStringLiteral("conf.dat")));
    if (!conf.isValid() || !copyConf(programFolder, conf.path()) ||
        !confDat.open(QIODevice::WriteOnly) || confDat.write(ConfDat) < 0)
        return failed(QStringLiteral("no Conf folder for the program"));
    confDat.close();

    Children children;
    children.sim.start(QDir(programFolder).filePath(QStringLiteral("gx-sim")),
                       {QStringLiteral("--register-com"), QStringLiteral("1"),
                        QStringLiteral("--conf"), conf.path(), QStringLiteral("--stream"),
                        QString::number(StreamSeconds)});
    const QByteArray device = nextLine(children.sim);
    if (!device.startsWith("/dev/"))
        return failed(QStringLiteral("gx-sim did not start: ") +
                      QString::fromLocal8Bit(children.sim.readAllStandardError()));
    startProgram(children.program, programFolder,
                 {QStringLiteral("--conf"), conf.path(), QStringLiteral("--connect")});
    if (nextLine(children.program) != "connected")
        return failed(QStringLiteral("gx-velomat --connect did not connect to ") + device);

    QElapsedTimer wall;
    wall.start();
    const double connectedCpu = childCpuSeconds(children.program);
    const QRegularExpressionMatch streamed =
        QRegularExpression(QStringLiteral("streamed (\\d+) feedback reports, (\\d+) bytes"))
            .match(QString::fromLatin1(nextLine(children.sim)));
    const double busySeconds = wall.nsecsElapsed() / 1e9;
    const double streamedCpu = childCpuSeconds(children.program);
    if (!streamed.hasMatch())
        return failed(QStringLiteral("gx-sim did not end its stream"));
    // Nothing to wait for but time: the program runs on meanwhile.
    children.program.waitForFinished(IdleSeconds * 1000);
    const double idleSeconds = wall.nsecsElapsed() / 1e9 - busySeconds;
    const double idleCpu = childCpuSeconds(children.program);
    if (connectedCpu < 0 || idleCpu < 0)
        return failed(QStringLiteral("gx-velomat ended early"));

    const double busyShare = (streamedCpu - connectedCpu) / busySeconds;
    const double idleShare = (idleCpu - streamedCpu) / idleSeconds;
    const int unread = streamed.captured(2).toInt();
    const QString text =
        QStringLiteral("gx-velomat connected through interface 41770 to gx-sim on %1, "
                       "%2 feedback reports back to back at 16457 bit/s, %3 bytes left unread "
                       "(target 0): CPU %4 of one core per second of the full line over %5 s "
                       "(target < 1 %), %6 with the line quiet over %7 s (target < 0.3 %)")
            .arg(QString::fromLocal8Bit(device))
            .arg(streamed.captured(1))
            .arg(unread)
            .arg(percent(busyShare))
            .arg(busySeconds, 0, 'f', 1)
            .arg(percent(idleShare))
            .arg(idleSeconds, 0, 'f', 1);
    return {QStringLiteral("line cost"), text,
            unread == 0 && busyShare < BusyTarget && idleShare < IdleTarget};
}
