#include "ChildProgram.h"
#include "Figures.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {
constexpr int Runs = 5;
constexpr int WaitMs = 60000;

struct Run {
    double shownMs = -1;
    double residentMb = -1;
    QByteArray errors;
};

// One start of the program on the virtual station, with its own Conf folder
// so nothing it saves reaches the build's.
Run startOnce(const QString& programFolder) {
    QTemporaryDir conf;
    if (!conf.isValid() || !copyConf(programFolder, conf.path()))
        return {};
    QProcess child;
    Run run;
    QElapsedTimer sinceStart;
    sinceStart.start();
    startProgram(child, programFolder,
                 {QStringLiteral("--simulate"), QStringLiteral("--conf"), conf.path(),
                  QStringLiteral("--report-startup")});
    if (nextLine(child) == "shown")
        run.shownMs = sinceStart.nsecsElapsed() / 1e6;
    const QList<QByteArray> memory = nextLine(child).simplified().split(' ');
    if (memory.size() == 3 && memory[0] == "VmRSS:" && memory[2] == "kB")
        run.residentMb = memory[1].toDouble() / 1024.0;
    if (!child.waitForFinished(WaitMs))
        child.kill();
    run.errors = child.readAllStandardError();
    return run;
}
} // namespace

// From the start of the process to the main window shown, measured here in
// the parent: fork, loading, Qt and the windows. Then the resident memory
// once connected to the virtual station. A few starts, judged by the median
// start, since other programs on a busy machine delay some.
Figure startUp(const QString& programFolder) {
    std::vector<double> shownMs;
    double residentMb = 0;
    for (int i = 0; i < Runs; ++i) {
        const Run run = startOnce(programFolder);
        if (run.shownMs < 0 || run.residentMb < 0)
            return {QStringLiteral("start-up"),
                    QStringLiteral("gx-velomat --report-startup did not report:\n") +
                        QString::fromLocal8Bit(run.errors),
                    false};
        shownMs.push_back(run.shownMs);
        residentMb = std::max(residentMb, run.residentMb);
    }
    std::sort(shownMs.begin(), shownMs.end());
    const double median = shownMs[Runs / 2];
    const QString text =
        QStringLiteral("main window shown %1 ms after the process started, median "
                       "of %2 starts (fastest %3, slowest %4; target < 300 ms), "
                       "resident memory after connecting to the virtual station at most "
                       "%5 MB (target < 60 MB)")
            .arg(median, 0, 'f', 0)
            .arg(Runs)
            .arg(shownMs.front(), 0, 'f', 0)
            .arg(shownMs.back(), 0, 'f', 0)
            .arg(residentMb, 0, 'f', 1);
    return {QStringLiteral("start-up"), text, median < 300 && residentMb < 60};
}
