#pragma once

#include <QByteArray>
#include <QString>

// What reading a file gave.
struct FileContent {
    QByteArray bytes;
    // Empty when the whole file was read, else why not, in the user's words.
    // A file larger than the limit gives its first bytes and this reason.
    QString problem;
    bool missing = false;

    bool whole() const { return problem.isEmpty(); }
};

// Why the file cannot be read or written, in the user's words where the
// cause is a common one; otherwise fallback, the words of the system.
QString fileProblem(const QString& path, bool forWriting, const QString& fallback);

// Reads at most maxSize bytes, so that a stray huge file is never read whole.
FileContent readWholeFile(const QString& path, qint64 maxSize);

// Writes a file whole or not at all: a temporary file replaces the old one
// only when every byte was written, so a crash or a full disk never leaves a
// cut-off file behind. On failure the old file stays and error says why.
bool writeWholeFile(const QString& path, const QByteArray& content, QString* error);
