#pragma once

#include <QByteArray>
#include <QList>

// Cuts a text stream into lines, whatever ends them: CR, LF or both, in any
// mix. Empty lines are dropped; a line not yet ended waits for the rest,
// however the stream was cut into pieces. A line longer than any the
// protocol has is dropped up to its end, so a peer that never ends a line
// cannot make it grow without bound.
class LineSplitter {
public:
    static constexpr qsizetype MaxLineLength = 1024;

    QList<QByteArray> feed(const QByteArray& bytes);

private:
    QByteArray m_line;
    bool m_overlong = false;
};
