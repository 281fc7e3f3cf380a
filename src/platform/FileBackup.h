#pragma once

#include <QString>

// Keeps a file that did not load whole from being overwritten unseen: before
// it is first written, a copy of it goes beside it, to NAME.bak.
//
// An existing backup is never overwritten, for it may hold the last good
// state of the file; the copy then goes to the first free one of NAME.2.bak,
// NAME.3.bak, … An existing backup that already holds the same bytes is taken
// as the copy, so a file that fails to load again and again leaves one
// backup, not one a run.
class FileBackup {
public:
    // The file at path did not load whole.
    void keepBeforeWriting(const QString& path);
    bool due() const { return !m_path.isEmpty(); }
    // Where the copy is meant to go.
    QString backupPath() const;

    // Before path is written: makes the copy if one is due for that file.
    // False with error when it could not be made: the file must then stay
    // as it is.
    bool makeIfDue(const QString& path, QString* error);

private:
    QString m_path;
};
