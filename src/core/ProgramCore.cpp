#include "ProgramCore.h"

#include "ConfFile.h"
#include "ConfFolder.h"
#include "link/LinkJobs.h"
#include "link/LinkView.h"
#include "link/OperatingView.h"
#include "platform/SerialPort.h"

#include <QAbstractEventDispatcher>
#include <QDir>

ProgramCore::ProgramCore(const Clock& clock, SerialPort& port, LinkView& messages,
                         OperatingView& operating, QString confFolder)
    : state(clock, port, messages, operating), link(state.link), jobs(state), dispatcher(state),
      routes(clock, link.Tx, messages), programming(state, jobs), lncv(state, jobs),
      settings(state, jobs), m_confFolder(std::move(confFolder)) {
    registerLinkJobs(jobs, state);
    state.hooks.OnAccessoryForRoutes = [this](int address, int direction) {
        routes.OnAccessoryForRoutes(address, direction);
    };
    state.hooks.OnFeedbackForRoutes = [this](int contact, int occupied) {
        routes.OnFeedbackForRoutes(contact, occupied);
    };
    m_timer1.setInterval(Timer1Interval);
    m_mainTimer.setInterval(MainTimerInterval);
    connect(&m_timer1, &QTimer::timeout, this, &ProgramCore::ReceiveBytes);
    connect(&m_mainTimer, &QTimer::timeout, this, &ProgramCore::MainTick);
    port.onBytesArrived = [this] { ReceiveBytes(); };
    // A tick with nothing to do still wakes the program a hundred times a
    // second, so the tick rests instead. Whatever an event starts (a job, a
    // route, a message received) wakes it before the event loop sleeps.
    if (QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance())
        connect(events, &QAbstractEventDispatcher::aboutToBlock, this,
                &ProgramCore::wakeIfWorkCame);
}

void ProgramCore::StartUp() {
    const QString confFile = confPath(m_confFolder, "conf.dat");
    QString problem;
    const ConfFile conf = ConfFile::read(confFile, &problem);
    if (!problem.isEmpty()) {
        m_confBackup.keepBeforeWriting(confFile);
        state.messages.ShowMessage(
            QStringLiteral("%1 wurde nicht gelesen.\n%2.\n\nDas Programm beginnt mit "
                           "Schnittstelle 1 an COM 1. Bevor die Datei nach dem ersten Verbinden "
                           "neu geschrieben wird, wird sie als %3 aufbewahrt.")
                .arg(QDir::toNativeSeparators(confFile), problem,
                     QDir::toNativeSeparators(m_confBackup.backupPath())),
            QStringLiteral("Dateifehler"), MessageIcon::Critical);
    }
    link.InterfaceType = conf.InterfaceType;
    link.ComPortNumber = conf.ComPortNumber;
    link.Server = conf.Server;
    setTimer1Running(true);
    routes.LoadRoutes(routeFilePath());
    state.resetToStartValues();
    state.operating.SetLinkBusy(true);
}

bool ProgramCore::ShutDown() {
    setMainTimerRunning(false);
    return saveRoutes();
}

bool ProgramCore::saveRoutes() {
    return routes.SaveRoutes(routeFilePath());
}

// The tick takes in what has arrived since the last one, all at once, right
// before the dispatcher: the port does not wake the program for every few
// bytes.
void ProgramCore::MainTick() {
    jobs.RunJobStep();
    routes.RunRouteEngine();
    link.TransmitPending();
    ReceiveBytes();
    dispatcher.DispatchAll();
    if (!hasWork())
        m_mainTimer.stop();
}

bool ProgramCore::hasWork() const {
    return !jobs.idle() || !link.Tx.isFree() || !link.Rx.isEmpty() || routes.engine.hasWork();
}

void ProgramCore::wakeIfWorkCame() {
    if (m_mainTimerOn && !m_mainTimer.isActive() && hasWork())
        m_mainTimer.start();
}

ConnectionHooks ProgramCore::connectionHooks(std::function<QList<int>()> usbPorts) {
    return {
        [this](bool on) { setMainTimerRunning(on); },
        [this](bool on) { setTimer1Running(on); },
        [this](QString* error) { return writeConf(error); },
        std::move(usbPorts),
        [this] { return releaseOutputs(); },
        [this] { takeUpOutputs(); },
    };
}

bool ProgramCore::releaseOutputs() {
    routes.engine.finish();
    return routes.engine.finished() && lncv.endOpenProgramming();
}

void ProgramCore::takeUpOutputs() {
    routes.engine.resume();
}

void ProgramCore::setMainTimerRunning(bool on) {
    m_mainTimerOn = on;
    if (on)
        m_mainTimer.start();
    else
        m_mainTimer.stop();
}

void ProgramCore::setTimer1Running(bool on) {
    if (on)
        m_timer1.start();
    else
        m_timer1.stop();
}

bool ProgramCore::writeConf(QString* error) {
    const QString path = confPath(m_confFolder, "conf.dat");
    const ConfFile conf{link.InterfaceType, link.ComPortNumber, link.Server};
    return m_confBackup.makeIfDue(path, error) && conf.write(path, error);
}

QString ProgramCore::routeFilePath() const {
    return confPath(m_confFolder, "FS.DAT");
}
