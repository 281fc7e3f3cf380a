#include "ChildProgram.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {
constexpr int WaitMs = 60000;
// Fields 14 and 15 of /proc/<pid>/stat, counted from 1: user and system time.
constexpr int UserTimeField = 13;
} // namespace

bool copyConf(const QString& programFolder, const QString& to) {
    const QDir source(QDir(programFolder).filePath(QStringLiteral("Conf")));
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return true;
}

void startProgram(QProcess& child, const QString& programFolder, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QDir(programFolder).filePath(QStringLiteral("gx-velomat")), arguments);
}

QByteArray nextLine(QProcess& child) {
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(WaitMs))
            return {};
    }
    return child.readLine().trimmed();
}

double childCpuSeconds(const QProcess& child) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(child.processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The command name in parentheses may hold blanks; the fields follow it.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const int first = UserTimeField - 2;
    if (fields.size() <= first + 1)
        return -1;
    return (fields[first].toDouble() + fields[first + 1].toDouble()) / double(sysconf(_SC_CLK_TCK));
}
