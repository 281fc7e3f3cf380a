#pragma once

#include "ConfFile.h"
#include "link/Link.h"
#include "link/SlotRecord.h"
#include "link/SpeedStepTable.h"

#include <QObject>
#include <QTimer>
#include <array>

class Clock;
class LinkView;
class SerialPort;

// Owns the shared state of the program and runs its heartbeat: Timer1
// (100 ms, from start-up) feeds the receiver, MainTimer (10 ms, only while
// connected) runs one tick of the link.
class Station : public QObject {
    Q_OBJECT
public:
    static constexpr int Timer1Interval = 100;
    static constexpr int MainTimerInterval = 10;
    static constexpr int FeedbackContacts = 2049;

    Station(const Clock& clock, SerialPort& port, LinkView& view, QString confFolder);

    const Clock& clock() const { return m_clock; }
    const QString& confFolder() const { return m_confFolder; }

    // Start-up: conf.dat, the start values, Timer1.
    void StartUp();
    // Stops the tick and saves what must survive the program.
    void ShutDown();

    void ReceiveBytes() { link.ReceiveBytes(); }
    void MainTick();

    void setMainTimerRunning(bool on);
    bool mainTimerRunning() const { return m_mainTimer.isActive(); }
    bool timer1Running() const { return m_timer1.isActive(); }
    void setTimer1Running(bool on);

    bool writeConf(QString* error) const;

    Link link;
    int StationType = 99;
    SlotTableType SlotTable{};
    std::array<SlotRecord, 3> ThrottleData{};
    std::array<int, 3> ThrottleSlot{-1, -1, -1};
    std::array<qint16, FeedbackContacts> FeedbackState{};
    SpeedStepTable SpeedSteps;

private:
    void resetLinkState();

    const Clock& m_clock;
    QString m_confFolder;
    QTimer m_timer1;
    QTimer m_mainTimer;
};
