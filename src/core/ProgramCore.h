#pragma once

#include "link/Connection.h"
#include "link/Dispatcher.h"
#include "link/JobMachine.h"
#include "link/LinkState.h"
#include "platform/FileBackup.h"
#include "programming/ProgrammingJobs.h"
#include "programming/lncv/LncvJobs.h"
#include "routes/Routes.h"
#include "settings/SettingsJobs.h"

#include <QObject>
#include <QTimer>

class Clock;
class LinkView;
class OperatingView;
class SerialPort;

// Owns the shared state of the program and runs its heartbeat: Timer1
// (100 ms, from start-up) feeds the receiver, MainTimer (10 ms, only while
// connected) runs one tick: jobs, route engine, transmitter, receiver,
// dispatcher. The tick rests while none of them has anything to do.
// The areas that carry out jobs register them with the job machine.
class ProgramCore : public QObject {
    Q_OBJECT
public:
    static constexpr int Timer1Interval = 100;
    static constexpr int MainTimerInterval = 10;

    ProgramCore(const Clock& clock, SerialPort& port, LinkView& messages, OperatingView& operating,
                QString confFolder);

    const QString& confFolder() const { return m_confFolder; }

    // Start-up: conf.dat, the start values, Timer1. A conf.dat that cannot
    // be read is reported.
    void StartUp();
    // Stops the tick and saves what must survive the program; false when the
    // routes could not be saved (the user has been told).
    bool ShutDown();
    bool saveRoutes();

    void ReceiveBytes() { link.ReceiveBytes(); }
    void MainTick();
    // What a connect needs of the program: its timers, conf.dat, the
    // outputs it holds; usbPorts lists where USB interfaces are plugged in.
    ConnectionHooks connectionHooks(std::function<QList<int>()> usbPorts);

    // While the line closes: what the program still holds on the layout is
    // let go (an accessory output a route holds on, a module's programming
    // mode); true once nothing is held.
    bool releaseOutputs();
    // A new connection: the routes go on where the last close stopped them.
    void takeUpOutputs();

    void setMainTimerRunning(bool on);
    // On from a connect to a disconnect, resting or not.
    bool mainTimerRunning() const { return m_mainTimerOn; }
    // On, but waiting for work.
    bool tickResting() const { return m_mainTimerOn && !m_mainTimer.isActive(); }
    void setTimer1Running(bool on);
    bool timer1Running() const { return m_timer1.isActive(); }

    // conf.dat with the interface and port that have just worked. One that
    // did not read at start-up is kept beside itself first.
    bool writeConf(QString* error);
    QString routeFilePath() const;

    LinkState state;
    Link& link;
    JobMachine jobs;
    Dispatcher dispatcher;
    Routes routes;
    ProgrammingJobs programming;
    LncvJobs lncv;
    SettingsJobs settings;

private:
    bool hasWork() const;
    void wakeIfWorkCame();

    QString m_confFolder;
    FileBackup m_confBackup;
    QTimer m_timer1;
    QTimer m_mainTimer;
    bool m_mainTimerOn = false;
};
