#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

class Clock;
class VirtualStation;

// The virtual station's line, shared by every program on it: the one on the
// pseudo-terminal and the LocoNet-over-TCP clients. What the station says
// is taken off the line as it arrives, at the line's pace, and handed to
// each listener.
class SharedBus : public QObject {
    Q_OBJECT
public:
    SharedBus(const Clock& clock, VirtualStation& station);

    void listen(std::function<void(const QByteArray& bytes)> listener);
    // Hands on what has arrived by now and looks again when the next byte
    // is due. Called after writing to the station, so that its answer is
    // not held up until the next look.
    void deliverDue();

private:
    const Clock& m_clock;
    VirtualStation& m_station;
    std::vector<std::function<void(const QByteArray&)>> m_listeners;
    QTimer m_timer;
};
