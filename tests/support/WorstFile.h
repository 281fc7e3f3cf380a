#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QString>
#include <sys/stat.h>
#include <unistd.h>

// The worst a user's disk may hold where the program expects one of its
// files. Permissions are given back at the end, so the temporary folder
// can go.
class WorstFile {
public:
    enum Case {
        Missing,
        Content,        // the bytes given
        Binary,         // random bytes
        Huge,           // the bytes given, then random bytes beyond size
        Folder,         // a folder in place of the file
        Pipe,           // a named pipe nobody writes into
        NoPermission,   // the bytes given, unreadable
        ReadOnlyFile,   // the bytes given, not writable
        ReadOnlyFolder, // the bytes given, in a folder that takes no new file
    };

    WorstFile(const QString& path, Case worst, const QByteArray& content = {}, qint64 size = 0)
        : m_path(path), m_case(worst) {
        QFile::remove(path);
        if (worst == Missing)
            return;
        if (worst == Folder) {
            QDir().mkpath(path);
            return;
        }
        if (worst == Pipe) {
            mkfifo(QFile::encodeName(path).constData(), 0600);
            return;
        }
        QByteArray bytes = worst == Binary ? random(4096) : content;
        if (worst == Huge)
            bytes += random(size - bytes.size() + 1);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        if (worst == NoPermission)
            file.setPermissions({});
        if (worst == ReadOnlyFile)
            file.setPermissions(QFileDevice::ReadOwner);
        if (worst == ReadOnlyFolder)
            QFile(folder()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~WorstFile() {
        QFile(folder()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        QFile(m_path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Whether this case means anything here: permission bits do not stop
    // root.
    bool meaningful() const {
        return geteuid() != 0 ||
               (m_case != NoPermission && m_case != ReadOnlyFile && m_case != ReadOnlyFolder);
    }

    // What is at the path now, read even where the program may not.
    static QByteArray onDisk(const QString& path) {
        if (QFileInfo(path).isDir())
            return "<folder>";
        if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
            return "<pipe>";
        QFile file(path);
        const QFileDevice::Permissions old = file.permissions();
        file.setPermissions(old | QFileDevice::ReadOwner);
        const QByteArray bytes =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        file.setPermissions(old);
        return bytes;
    }
    QByteArray onDisk() const { return onDisk(m_path); }

private:
    QString folder() const { return QFileInfo(m_path).absolutePath(); }
    static QByteArray random(qint64 size) {
        QByteArray bytes(size, Qt::Uninitialized);
        QRandomGenerator random(17);
        for (char& b : bytes)
            b = char(random.bounded(256));
        return bytes;
    }

    QString m_path;
    Case m_case;
};
