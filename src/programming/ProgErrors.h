#pragma once

#include <QString>

// How the CV jobs name a refused request. The status line text starts with a
// blank; the message box text is the same without it.
struct ProgError {
    enum Kind { NotFound, ShortCircuit, NoLoco, Unknown, WriteFailed };
    Kind kind = Unknown;

    QString message() const;
    QString status() const { return QLatin1Char(' ') + message(); }
};

enum class ProgJobKind { ReadList, WriteList, ReadSingle, WriteSingle };

// The error for a ProgAnswer that is neither a value nor success: the
// command station's status 2 means a missing CV to a read and a failed write
// to a single write; a list write knows no meaning for it.
ProgError progError(int progAnswer, ProgJobKind job);
