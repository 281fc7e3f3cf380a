#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a shutdown, a logout or a closed terminal,
// Ctrl+C) end the program the way the user ends it. A signal handler may do
// next to nothing, so it only writes a byte into a pipe; the event loop
// reads it and calls end. Only one may exist at a time.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(std::function<void()> end, QObject* parent = nullptr);
    // The signals get their default action back.
    ~EndSignals() override;

private:
    void received();

    std::function<void()> m_end;
    QSocketNotifier* m_notifier = nullptr;
    int m_readEnd = -1;
};
