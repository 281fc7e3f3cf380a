#pragma once

#include <QObject>
#include <QTimer>

class Clock;
class VirtualStation;

// Feedback reports back to back at the line's bit rate for a while, so that
// a test can check that a program on the real line loses none: report k is
// contact k mod 2048, occupied when k is even. It starts when the program
// first writes, as before that nobody reads.
class FeedbackStream : public QObject {
    Q_OBJECT
public:
    FeedbackStream(const Clock& clock, VirtualStation& station, double seconds);

    void start();

signals:
    // The last report has gone out on the line.
    void finished(int reports);

private:
    void putDue();

    const Clock& m_clock;
    VirtualStation& m_station;
    double m_seconds;
    double m_end = -1;
    // When the next report's first byte is due.
    double m_next = 0;
    int m_sent = 0;
    QTimer m_timer;
};
