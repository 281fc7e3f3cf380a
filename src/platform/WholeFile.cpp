#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 KiB = 1024;
constexpr qint64 MiB = 1024 * KiB;

QString sizeText(qint64 bytes) {
    return bytes >= MiB ? QStringLiteral("%1 MB").arg(bytes / MiB)
                        : QStringLiteral("%1 KB").arg(bytes / KiB);
}

} // namespace

QString fileProblem(const QString& path, bool forWriting, const QString& fallback) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir())
        return QStringLiteral("an ihrer Stelle steht ein Ordner");
    if (info.exists() && !info.isFile())
        return QStringLiteral("sie ist keine gewöhnliche Datei");
    if (!forWriting && !info.exists())
        return QStringLiteral("die Datei fehlt");
    if (!folder.isDir())
        return QStringLiteral("den Ordner %1 gibt es nicht")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (!forWriting && !info.isReadable())
        return QStringLiteral("keine Berechtigung, sie zu lesen");
    if (forWriting && info.exists() && !info.isWritable())
        return QStringLiteral("die Datei ist schreibgeschützt");
    if (forWriting && !folder.isWritable())
        return QStringLiteral("keine Berechtigung, im Ordner %1 zu schreiben")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    return fallback;
}

FileContent readWholeFile(const QString& path, qint64 maxSize) {
    FileContent content;
    QFile file(path);
    // A pipe would keep the program waiting for a writer, a device may
    // never end: only plain files are read.
    const QFileInfo info(path);
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
        content.missing = !QFileInfo::exists(path);
        content.problem = fileProblem(path, false, file.errorString());
        return content;
    }
    // One byte more than allowed tells a file at the limit from a larger one.
    content.bytes = file.read(maxSize + 1);
    if (content.bytes.size() > maxSize) {
        content.bytes.truncate(maxSize);
        content.problem = QStringLiteral("sie ist größer als %1").arg(sizeText(maxSize));
    } else if (file.error() != QFileDevice::NoError) {
        content.problem = QStringLiteral("Lesefehler (%1)").arg(file.errorString());
    }
    return content;
}

bool writeWholeFile(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    QString problem;
    if (!file.open(QIODevice::WriteOnly)) {
        problem = fileProblem(path, true, file.errorString());
    } else if (file.write(content) != content.size()) {
        // A full disk may take part of the data without reporting an error;
        // committing then would replace the old file with a cut-off one.
        file.cancelWriting();
        problem = QStringLiteral("Schreibfehler");
    } else if (!file.commit()) {
        problem = file.errorString();
    }
    if (problem.isEmpty())
        return true;
    if (error)
        *error = problem;
    return false;
}
