#include "FileBackup.h"

#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MaxBackups = 99;
constexpr qint64 CompareBlock = 64 * 1024;

QString backupName(const QString& path, int n) {
    return n == 1 ? path + QStringLiteral(".bak") : QStringLiteral("%1.%2.bak").arg(path).arg(n);
}

bool sameBytes(const QString& a, const QString& b) {
    // A pipe or a device is never opened: it may not end, or keep us waiting.
    if (!QFileInfo(a).isFile() || !QFileInfo(b).isFile())
        return false;
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly) ||
        first.size() != second.size())
        return false;
    while (!first.atEnd()) {
        if (first.read(CompareBlock) != second.read(CompareBlock))
            return false;
    }
    return true;
}

// The backup that holds the file now, or the first free name; empty when
// every name is taken by other contents.
QString backupFor(const QString& path) {
    for (int n = 1; n <= MaxBackups; ++n) {
        const QString name = backupName(path, n);
        if (!QFileInfo::exists(name) || sameBytes(name, path))
            return name;
    }
    return {};
}

bool same(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void FileBackup::keepBeforeWriting(const QString& path) {
    m_path = path;
}

QString FileBackup::backupPath() const {
    const QString name = backupFor(m_path);
    return name.isEmpty() ? backupName(m_path, 1) : name;
}

bool FileBackup::makeIfDue(const QString& path, QString* error) {
    if (!due() || !same(path, m_path))
        return true;
    // A file that is gone has nothing left to keep.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        m_path.clear();
        return true;
    }
    const QString name = backupFor(path);
    QString problem;
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("die bisherige Datei kann nicht aufbewahrt werden: %1")
                      .arg(fileProblem(path, false, QString()));
    } else if (name.isEmpty()) {
        problem = QStringLiteral("die Sicherungen %1 bis %2 sind alle belegt")
                      .arg(QDir::toNativeSeparators(backupName(path, 1)),
                           QDir::toNativeSeparators(backupName(path, MaxBackups)));
    } else if (!QFileInfo::exists(name)) {
        QFile file(path);
        if (!file.copy(name))
            problem = QStringLiteral("die bisherige Datei konnte nicht als %1 aufbewahrt "
                                     "werden: %2")
                          .arg(QDir::toNativeSeparators(name),
                               QFileInfo(path).isReadable()
                                   ? fileProblem(name, true, file.errorString())
                                   : fileProblem(path, false, file.errorString()));
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    m_path.clear();
    return true;
}
